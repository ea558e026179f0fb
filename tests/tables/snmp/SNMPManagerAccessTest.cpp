// The SNMP manager request table: its checks, its file and its window.

#include "core/UBinConfig.h"
#include "core/UComon.h"
#include "core/ULanguage.h"
#include "core/ZvPushButton.h"
#include "grid/ZvColumnGrid.h"
#include "grid/editors/ZvInplaceEdit.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/Regional.h"
#include "platform/TextCodec.h"
#include "platform/Xml.h"
#include "tables/snmp/USNMPManagerAccess.h"
#include "tests/common/TestSeams.h"
#include "tests/common/TestUtil.h"
#include "tests/core/ProgramStateFixture.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <functional>
#include <gtest/gtest.h>

namespace {

struct SNMPManagerTest : ProgramStateFixture {
    TTestSeams Seams;
    TempFolder Folder;
    std::unique_ptr<TFSNMPManagerAccess> Form;
    TFormatSettings Saved_Format;

    void SetUp() override
    {
        ProgramStateFixture::SetUp();
        Saved_Format = FormatSettings();
        File_SNMP_Manager = Folder.File("SNMP_Manager.xml");
        Form = std::make_unique<TFSNMPManagerAccess>(nullptr);
        Form->AfterConstruction();
        Form->FormShow(nullptr);
    }
    void TearDown() override
    {
        Form.reset();
        SetFormatSettings(Saved_Format);
        ProgramStateFixture::TearDown();
    }

    TZvColumnGrid* Grid() { return Form->ACG_SNMP; }
    void Set(int row, int col, const String& text) { Grid()->SetCellEx(col, row, text); }
    String Get(int row, int col) { return Grid()->GetCellEx(col, row); }
    // A version-1 Set request that passes every check.
    void Valid_Row(int row, const String& ip, const String& oid = QStringLiteral("1.3.6.1.2.1.1.1.0"))
    {
        Set(row, SM_Enable, "Y");
        Set(row, SM_IP_Address, ip);
        Set(row, SM_Version, "1");
        Set(row, SM_Community, "Quenta");
        Set(row, SM_OID, oid);
        Set(row, SM_Type, "Int");
        Set(row, SM_Mode, "Set");
        Set(row, SM_Num_Bytes, "2");
        Set(row, SM_Conversion, "None");
    }
    // The one error box of a failed check, or "" when everything passed.
    String Verdict()
    {
        Seams.Boxes.clear();
        const bool ok = Form->Controllo_dati();
        EXPECT_EQ(ok, Seams.Boxes.empty());
        if (ok) return String();
        EXPECT_EQ(Seams.Boxes.size(), 1u);
        EXPECT_EQ(Seams.Boxes[0].Icon, TMsgBoxIcon::Error);
        return Seams.Boxes[0].Text;
    }
    static String Row_Text(int row, int slot) { return Lang_Text(2737) + IntToStr(row) + Lang_Text(slot); }
    // A 100-character OID, different for every n below 1000.
    static String Long_OID(int n) { return QStringLiteral("1%1").arg(n, 3, 10, QChar('0')) + QString(".1").repeated(48); }
};

// ---- Checks -----------------------------------------------------------------------------

TEST_F(SNMPManagerTest, EveryRowCheckInItsOrderUnderEitherDecimalSeparator)
{
    using Edit = std::function<void(SNMPManagerTest&)>;
    struct Case {
        const char* Name;
        Edit Change;
        int Slot;  // 0: passes; else the text of row 1's fault
    };
    static const std::string Too_Long_OID(129, '1');
    auto cell = [](int col, const char* text) -> Edit { return [=](SNMPManagerTest& t) { t.Set(1, col, text); }; };
    auto both = [](Edit a, Edit b) -> Edit { return [=](SNMPManagerTest& t) { a(t), b(t); }; };
    const Case cases[] = {
        {"valid", [](SNMPManagerTest&) {}, 0},
        {"bad address", cell(SM_IP_Address, "10.0.0"), 2738},
        {"octet above 255", cell(SM_IP_Address, "10.0.0.256"), 2738},
        {"disabled row is not judged", both(cell(SM_Enable, "N"), cell(SM_IP_Address, "nowhere")), 0},
        {"enable as the builder reads it", both(cell(SM_Enable, " y "), cell(SM_IP_Address, "nowhere")), 2738},
        {"OID too long", cell(SM_OID, Too_Long_OID.c_str()), 2739},
        {"OID with a blank", cell(SM_OID, "1.3 "), 2740},
        {"empty OID", cell(SM_OID, ""), 2740},
        {"OID leading point", cell(SM_OID, ".1.3"), 2741},
        {"OID trailing point", cell(SM_OID, "1.3."), 2742},
        {"OID two points", cell(SM_OID, "1..3"), 2743},
        {"OID component above 65535", cell(SM_OID, "1.65536"), 2744},
        {"Get needs the timer even with OnChange", both(cell(SM_Mode, "Get"), cell(SM_On_Change, "Y")), 2757},
        {"Get on a timer without time", both(cell(SM_Mode, "Get"), cell(SM_On_Timer, "Y")), 2745},
        {"timer time 0", both(cell(SM_On_Timer, "Y"), cell(SM_Time, "0")), 2745},
        {"timer time at its top", both(cell(SM_On_Timer, "Y"), cell(SM_Time, "100000000")), 0},
        {"timer time above", both(cell(SM_On_Timer, "Y"), cell(SM_Time, "100000001")), 2745},
        {"time unread without the timer", cell(SM_Time, "abc"), 0},
        {"Num Bytes empty", cell(SM_Num_Bytes, ""), 1543},
        {"Num Bytes 0", cell(SM_Num_Bytes, "0"), 0},
        {"Num Bytes 255", cell(SM_Num_Bytes, "255"), 0},
        {"Num Bytes 256 does not fit the image", cell(SM_Num_Bytes, "256"), 1543},
        {"Num Bytes 1024", cell(SM_Num_Bytes, "1024"), 1543},
        {"Num Bytes negative", cell(SM_Num_Bytes, "-1"), 1543},
        {"Num Bytes decimal", cell(SM_Num_Bytes, "2,5"), 1543},
        {"no conversion", cell(SM_Conversion, " "), 2756},
        {"v3 without level", cell(SM_Version, "3"), 2783},
        {"v3 NoAuth NoPriv", both(cell(SM_Version, "3"), cell(SM_Security_Level, "NoAuth NoPriv")), 0},
        {"v3 Auth NoPriv without mode", both(cell(SM_Version, "3"), cell(SM_Security_Level, "Auth NoPriv")), 2784},
        {"v3 Auth Priv without priv mode",
         both(both(cell(SM_Version, "3"), cell(SM_Security_Level, "Auth Priv")), cell(SM_Auth_Mode, "SHA")), 2785},
        {"v3 Auth Priv complete",
         both(both(cell(SM_Version, "3"), cell(SM_Security_Level, "auth priv")),
              both(cell(SM_Auth_Mode, "SHA"), cell(SM_Priv_Mode, "AES"))),
         0},
        {"version text other than 3 is no v3", cell(SM_Version, "03 "), 0},
    };
    for (const QChar separator : {QChar(','), QChar('.')}) {
        TFormatSettings s = Saved_Format;
        s.DecimalSeparator = separator;
        s.ThousandSeparator = separator == QChar(',') ? QChar('.') : QChar(',');
        s.ProfileDecimal = String(separator);
        SetFormatSettings(s);
        for (const Case& c : cases) {
            SCOPED_TRACE(QStringLiteral("%1, separator %2").arg(c.Name).arg(separator).toStdString());
            Form->FormShow(nullptr);
            Valid_Row(1, "192.168.1.125");
            Valid_Row(2, "192.168.1.126");
            c.Change(*this);
            EXPECT_EQ(Verdict(), c.Slot ? Row_Text(1, c.Slot) : String());
        }
    }
}

TEST_F(SNMPManagerTest, DuplicateRequestsAreRefusedOnlyBetweenEnabledRowsOfEqualTexts)
{
    const String same = Lang_Text(2786) + "1" + Lang_Text(2787) + "3" + Lang_Text(2788);
    struct Case {
        const char* Name;
        const char* Enable1;
        const char* Enable3;
        const char* Version3;
        const char* IP3;
        String Want;
    } cases[] = {
        {"same request", "Y", "Y", "1", "10.0.0.1", same},
        {"blanks around the texts do not count", "Y", "Y", " 1 ", "10.0.0.1", same},
        {"first disabled", "N", "Y", "1", "10.0.0.1", ""},
        {"second disabled", "Y", "N", "1", "10.0.0.1", ""},
        {"other version", "Y", "Y", "2", "10.0.0.1", ""},
        {"version texts compare as texts", "Y", "Y", "01", "10.0.0.1", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        Form->FormShow(nullptr);
        Valid_Row(1, "10.0.0.1");
        Valid_Row(2, "10.0.0.2");
        Valid_Row(3, c.IP3);
        Set(1, SM_Enable, c.Enable1);
        Set(3, SM_Enable, c.Enable3);
        Set(3, SM_Version, c.Version3);
        EXPECT_EQ(Verdict(), c.Want);
    }
}

TEST_F(SNMPManagerTest, RowsBelowTheFirstEmptyAddressAreNotJudged)
{
    Valid_Row(1, "10.0.0.1");
    Valid_Row(3, "bad address");
    Valid_Row(4, "10.0.0.1");
    EXPECT_EQ(Verdict(), "");
}

// The string budget is the image builder's pool: what passes here builds.
TEST_F(SNMPManagerTest, StringBudgetIsTheBuildersPoolAndAPassingTableAlwaysBuilds)
{
    // 466 distinct 100-character OIDs, one shared community "c", and a last OID
    // of 34 characters fill the pool to the byte: 466 * 101 + 2 + 35 = 47103.
    auto fill = [&](int lastLength) {
        Form->FormShow(nullptr);
        for (int r = 1; r <= 467; ++r) {
            Valid_Row(r, QStringLiteral("10.0.%1.%2").arg(r / 256).arg(r % 256),
                      r <= 466 ? Long_OID(r) : QStringLiteral("12345").left(lastLength - 30) + QString(".1").repeated(15));
            Set(r, SM_Community, "c");
        }
    };
    auto builds = [&] {
        Form->Write_Document(*Form->XML1);
        Form->XML1->SaveToFile(File_SNMP_Manager);
        try {
            Build_Bin_Images({String(), String(), File_SNMP_Manager});
            return true;
        } catch (const EBinConfigError&) {
            return false;
        }
    };
    const String tooMany = Lang_Text(2789);

    fill(34);
    EXPECT_EQ(Verdict(), "");
    EXPECT_TRUE(builds());

    fill(35);
    EXPECT_EQ(Verdict(), tooMany);
    EXPECT_FALSE(builds());

    // A version-3 row enters its user and both pass phrases whatever its level.
    fill(34);
    Set(467, SM_Version, "3");
    Set(467, SM_Security_Level, "NoAuth NoPriv");
    Set(467, SM_User, "c");
    Set(467, SM_Priv_Pass, "p");
    EXPECT_EQ(Verdict(), tooMany) << "the empty Auth Pass and \"p\" cost 1 + 2 bytes, the community none";
    EXPECT_FALSE(builds());

    // 512 rows of distinct long OIDs with one 6-character community overflow.
    Form->FormShow(nullptr);
    for (int r = 1; r <= 512; ++r) {
        Valid_Row(r, QStringLiteral("10.1.%1.%2").arg(r / 256).arg(r % 256), Long_OID(r));
        Set(r, SM_Community, "public");
    }
    EXPECT_EQ(Verdict(), tooMany);
}

// ---- File ---------------------------------------------------------------------------------

TEST_F(SNMPManagerTest, SavedFileIsTheTableAsShownAndReadsBackTheSame)
{
    Valid_Row(1, "192.168.1.10");
    Set(1, SM_Mnemonic, "Room \"A\" & <B>");
    Set(1, SM_On_Timer, "Y");
    Set(1, SM_Time, "1000");
    Set(1, SM_Position, "12");
    Valid_Row(2, "bad", "");
    Set(2, SM_Enable, "N");
    Set(2, SM_Version, "3");
    Set(2, SM_User, "admin");
    Form->Btn_OKClick(nullptr);
    ASSERT_EQ(Form->ModalResult(), mrOk);
    const QByteArray golden =
        "<SNMP_Agent_Access>\n"
        "  <row Enable=\"Y\" IP_Address=\"192.168.1.10\" Version=\"1\" Community_String=\"Quenta\" "
        "OID=\"1.3.6.1.2.1.1.1.0\" Type=\"Int\" Mode=\"Set\" On_Change=\"\" On_Command=\"\" On_Timer=\"Y\" "
        "Time=\"1000\" Position=\"12\" Number_Bytes=\"2\" ConvertFrom=\"None\" Cancel=\"\" User=\"\" "
        "Auth_Pass=\"\" Priv_Pass=\"\" Security_Level=\"\" Auth_Mode=\"\" Priv_Mode=\"\" "
        "Mnemonic=\"Room &quot;A&quot; &amp; &lt;B>\" />\n"
        "  <row Enable=\"N\" IP_Address=\"bad\" Version=\"3\" Community_String=\"Quenta\" OID=\"\" Type=\"Int\" "
        "Mode=\"Set\" On_Change=\"\" On_Command=\"\" On_Timer=\"\" Time=\"\" Position=\"\" Number_Bytes=\"2\" "
        "ConvertFrom=\"None\" Cancel=\"\" User=\"admin\" Auth_Pass=\"\" Priv_Pass=\"\" Security_Level=\"\" "
        "Auth_Mode=\"\" Priv_Mode=\"\" Mnemonic=\"\" />\n"
        "</SNMP_Agent_Access>\n"
        "<!--SW_VERSION = 1.000-->\n";
    EXPECT_EQ(Folder.Read("SNMP_Manager.xml").toStdString(), golden.toStdString());

    Form->FormShow(nullptr);
    EXPECT_EQ(Get(1, SM_Mnemonic), "Room \"A\" & <B>");
    EXPECT_EQ(Get(2, SM_User), "admin");
    EXPECT_EQ(Get(2, SM_On_Change), "") << "a present empty attribute stays empty";
    EXPECT_EQ(Get(3, SM_Enable), "Y");
    Form->SetModalResult(mrNone);
    Form->Btn_OKClick(nullptr);
    EXPECT_EQ(Folder.Read("SNMP_Manager.xml"), golden);
}

TEST_F(SNMPManagerTest, MissingAttributesTakeTheirLoadDefaultsAndExtraRowsAreWarnedAboutOnce)
{
    QByteArray xml = "<Whatever><row IP_Address=\"10.0.0.1\" Mnemonic=\"m\"/>";
    for (int i = 0; i < 513; ++i) xml += "<row IP_Address=\"10.0.0.2\"/>";
    xml += "</Whatever>";
    Folder.Write("SNMP_Manager.xml", xml);
    Form->FormShow(nullptr);
    EXPECT_EQ(Get(1, SM_Enable), "Y");
    for (int col : {SM_On_Change, SM_On_Command, SM_On_Timer, SM_Cancel}) EXPECT_EQ(Get(1, col), "N");
    EXPECT_EQ(Get(1, SM_Conversion), "None");
    EXPECT_EQ(Get(1, SM_OID), "");
    EXPECT_EQ(Get(1, SM_Mnemonic), "m");
    EXPECT_EQ(Get(512, SM_IP_Address), "10.0.0.2");
    ASSERT_EQ(Seams.Boxes.size(), 1u);
    EXPECT_EQ(Seams.Boxes[0].Text, Format(Lang_Text(1542), {"SNMP_Manager.xml", 2}));
}

TEST_F(SNMPManagerTest, OKAsksBeforeDroppingRowsBelowAGapAndNoKeepsTheFormOpen)
{
    Valid_Row(1, "10.0.0.1");
    Set(3, SM_Mnemonic, "forgotten");
    Seams.AnswerBox(IDNO);
    Form->Btn_OKClick(nullptr);
    ASSERT_EQ(Seams.Boxes.size(), 1u);
    EXPECT_EQ(Seams.Boxes[0].Text, Format(Lang_Text(1540), {2}));
    EXPECT_EQ(Form->ModalResult(), mrNone);
    EXPECT_FALSE(FileExists(File_SNMP_Manager));
    Seams.AnswerBox(IDYES);
    Form->Btn_OKClick(nullptr);
    EXPECT_EQ(Form->ModalResult(), mrOk);
    EXPECT_FALSE(Folder.Read("SNMP_Manager.xml").contains("forgotten"));
}

// ---- Window -------------------------------------------------------------------------------

TEST_F(SNMPManagerTest, ColumnsListsTextsAndRowButtons)
{
    EXPECT_EQ(Grid()->RowCount(), 513);
    EXPECT_EQ(Grid()->Columns()->Count(), 23);
    EXPECT_EQ(Grid()->Columns()->Items(SM_IP_Address)->Header(), "IP Address");
    EXPECT_EQ(Grid()->Columns()->Items(SM_Conversion)->Header(), "Conversion");
    EXPECT_EQ(Grid()->Columns()->Items(SM_Version)->Editor(), TEditorType::edComboList);
    EXPECT_EQ(Grid()->Columns()->Items(SM_Community)->Editor(), TEditorType::edComboEdit);
    EXPECT_EQ(Grid()->Columns()->Items(SM_Cancel)->Editor(), TEditorType::edDataCheckBox);
    TStringList* positions = Grid()->Columns()->Items(SM_Position)->ComboItems();
    ASSERT_EQ(positions->Count(), 2000);
    EXPECT_EQ((*positions)[1999], "1999");
    EXPECT_EQ(Form->Hint_SNMP().Count(), 22);
    String hint;
    Form->Grid_Hint(Grid(), 0, SM_Priv_Mode, hint);
    EXPECT_EQ(hint, "Select the Privacy Mode (only if Security Level is set to \"Auth Priv\"");
    EXPECT_EQ(Form->Caption(), "Set SNMP Manager Access");
    EXPECT_EQ(Form->Btn_PasteRow->Caption(), "Paste Row");
    EXPECT_EQ(Form->Btn_PasteRow->Left(), 16 + 5 * 118);

    // Delete asks with the row number; insert gives the new row "Y".
    Valid_Row(1, "10.0.0.1");
    Valid_Row(2, "10.0.0.2");
    Grid()->SetRow(1);
    Seams.AnswerBox(IDYES);
    Form->Btn_DelRow->Click();
    EXPECT_EQ(Seams.Boxes.at(0).Text, "Are you sure to delete the Row number 1");
    EXPECT_EQ(Get(1, SM_IP_Address), "10.0.0.2");
    Set(1, SM_Enable, "N");
    Form->Btn_InsRow->Click();
    EXPECT_EQ(Get(1, SM_Enable), "Y");
    EXPECT_EQ(Get(2, SM_Enable), "N");

    // A language change renames the headers and leaves the data alone.
    Lang_Strings.SetStrings(2710, "Adresse IP");
    Form->Set_Lang();
    EXPECT_EQ(Grid()->Columns()->Items(SM_IP_Address)->Header(), "Adresse IP");
    EXPECT_EQ(Get(2, SM_IP_Address), "10.0.0.2");
}

TEST_F(SNMPManagerTest, CopyFlagStartsClearAtEveryShowing)
{
    Valid_Row(1, "10.0.0.1");
    Grid()->SetRow(1);
    Form->Btn_CopyRow->Click();
    EXPECT_TRUE(Form->Do_Copy_SNMP());
    Form->FormShow(nullptr);
    EXPECT_FALSE(Form->Do_Copy_SNMP());
    Grid()->SetRow(2);
    Form->Btn_PasteRow->Click();
    ASSERT_EQ(Seams.Boxes.size(), 1u);
    EXPECT_EQ(Seams.Boxes[0].Text, Lang_Text(902));
}

TEST_F(SNMPManagerTest, Screenshot)
{
    Form->Show(); // showing resets the table: the rows come after
    Valid_Row(1, "192.168.1.10");
    Set(1, SM_Mnemonic, "Boiler");
    Valid_Row(2, "192.168.1.11");
    Set(2, SM_Enable, "N");
    Set(2, SM_On_Timer, "Y");
    const QImage image = Form->PaintToImage();
    Form->Hide();
    ASSERT_FALSE(image.isNull());
    EXPECT_TRUE(image.save(PathJoin(ScreenshotFolder(), QStringLiteral("snmp_manager_access.png"))));
    EXPECT_EQ(image.size(), QSize(1230, 337));
    EXPECT_TRUE(LooksPainted(image, 0xEDF7F8, QRect(0, 0, 400, 69)));
    // An empty "IP Address" cell of row 5 shows its column's colour.
    const QRgb ip = image.pixel(40 + 50 + 45, 69 + 22 * 5 + 11);
    EXPECT_EQ(QColor(ip), QColor(0xE0, 0xFA, 0xFE));
}

} // namespace

namespace {

// Through the form's own modal loop, as the main window's step shows it.
TEST_F(SNMPManagerTest, ShownModallyOKSavesCancelKeepsTheFileAndABrokenFileKeepsItClosed)
{
    Form->Hide();
    Seams.AnswerModal(
        [&](TCustomForm&) {
            EXPECT_TRUE(Form->Visible());
            Valid_Row(1, "10.0.0.9");
            Form->Btn_OK->Click();
        },
        mrCancel);
    EXPECT_EQ(Form->ShowModal(), mrOk);
    const QByteArray saved = Folder.Read("SNMP_Manager.xml");
    EXPECT_TRUE(saved.contains("IP_Address=\"10.0.0.9\""));
    // The image builder takes the saved row as its first request.
    const QByteArray bank2 = Build_Bin_Images({String(), String(), File_SNMP_Manager}).Bank2;
    const int record = 256;
    EXPECT_EQ(bank2.mid(record + 4, 4), QByteArray::fromHex("0900000a"));
    EXPECT_EQ(std::uint8_t(bank2[record + 8]), 0x10 | 0x08) << "version 1, Int";
    EXPECT_EQ(std::uint8_t(bank2[record + 29]), 1) << "Set";
    EXPECT_EQ(std::uint8_t(bank2[record + 30]), 2) << "Num Bytes";

    Seams.AnswerModal([&](TCustomForm&) { Set(1, SM_IP_Address, "10.0.0.10"); }, mrCancel);
    EXPECT_EQ(Form->ShowModal(), mrCancel);
    EXPECT_EQ(Folder.Read("SNMP_Manager.xml"), saved);

    Folder.Write("SNMP_Manager.xml", "<broken");
    Seams.Boxes.clear();
    bool typed = false;
    Seams.AnswerModal([&](TCustomForm&) { typed = Form->ModalResult() == mrNone; }, mrOk);
    EXPECT_EQ(Form->ShowModal(), mrCancel);
    EXPECT_FALSE(typed) << "the window closes before anyone can work on it";
    EXPECT_EQ(Seams.Boxes.size(), 1u);
    EXPECT_EQ(Folder.Read("SNMP_Manager.xml"), "<broken");
}

// Characters pasted into a cell through the keys, then OK through the
// form's modal loop: what no file can hold is dropped on the way in, the
// rest is saved, and the file reads back at the next showing.
TEST_F(SNMPManagerTest, PastedCharactersSaveAndLoadBackWhateverTheyAre)
{
    const QChar high(char16_t(0xD83D)), low(char16_t(0xDE00));
    const struct {
        String Char;
        bool Kept;
    } cases[] = {
        {QString(QChar(0)), false},      {QStringLiteral("\u0001"), false}, {QStringLiteral("\u0008"), false},
        {QStringLiteral("\u000B"), false}, {QStringLiteral("\u001F"), false}, {QStringLiteral("\uFFFE"), false},
        {QStringLiteral("\uFFFF"), false}, {String(high), false},            {String(low), false},
        {QStringLiteral("\t"), true},    {QStringLiteral("\n"), true},      {String(high) + low, true},
        {QStringLiteral("\u00E8\u4E2D"), true},
    };
    const int rows = int(std::size(cases));
    std::vector<String> expected;
    for (const auto& c : cases) expected.push_back(QStringLiteral("pump") + (c.Kept ? c.Char : String()) + QStringLiteral("1"));

    Form->Hide();
    Seams.AnswerModal(
        [&](TCustomForm&) {
            for (int r = 1; r <= rows; ++r) {
                Valid_Row(r, QStringLiteral("10.0.0.%1").arg(r));
                Grid()->SetCol(SM_Mnemonic);
                Grid()->SetRow(r);
                Simulate::Key(Grid(), Qt::Key_F2);
                TZvInplaceEdit* editor = Grid()->NormalEdit();
                ASSERT_TRUE(editor && editor->Visible());
                const auto& c = cases[std::size_t(r - 1)];
                QGuiApplication::clipboard()->setText(QStringLiteral("pump") + c.Char + QStringLiteral("1"));
                Simulate::Key(editor, Qt::Key_V, Qt::ControlModifier, QStringLiteral("\x16"));
                Simulate::Key(editor, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
                EXPECT_EQ(Get(r, SM_Mnemonic), expected[std::size_t(r - 1)]) << CharCodeName(c.Char, 0).toStdString();
            }
            Simulate::Click(Form->Btn_OK, TPoint{5, 5});
        },
        mrCancel);
    ASSERT_EQ(Form->ShowModal(), mrOk);
    EXPECT_TRUE(Seams.Boxes.empty());
    const QByteArray saved = Folder.Read("SNMP_Manager.xml");
    EXPECT_TRUE(saved.contains("Mnemonic=\"pump1\"")) << saved.toStdString();
    EXPECT_FALSE(saved.contains("&#01;")) << saved.toStdString();

    std::vector<String> loaded;
    Seams.AnswerModal(
        [&](TCustomForm&) {
            for (int r = 1; r <= rows; ++r) loaded.push_back(Get(r, SM_Mnemonic));
        },
        mrCancel);
    EXPECT_EQ(Form->ShowModal(), mrCancel);
    EXPECT_TRUE(Seams.Boxes.empty()) << "the file reads back";
    EXPECT_EQ(loaded, expected);
}

// A character that reaches a cell past every input filter still never
// reaches the file: OK reports it, the form stays open, the file stays whole.
TEST_F(SNMPManagerTest, AnUnstorableCellIsReportedAndTheOldFileStaysWhole)
{
    Folder.Write("SNMP_Manager.xml", "<SNMP_Agent_Access>\n  <row Enable=\"Y\" Mnemonic=\"old\" />\n</SNMP_Agent_Access>\n");
    const QByteArray old = Folder.Read("SNMP_Manager.xml");
    Form->Hide();
    Seams.AnswerModal(
        [&](TCustomForm&) {
            Valid_Row(1, "10.0.0.1");
            Set(1, SM_Mnemonic, QStringLiteral("pump\u00011"));
            Simulate::Click(Form->Btn_OK, TPoint{5, 5});
            EXPECT_EQ(Form->ModalResult(), mrNone) << "the form stays open";
        },
        mrCancel);
    EXPECT_EQ(Form->ShowModal(), mrCancel);
    ASSERT_EQ(Seams.Boxes.size(), 1u);
    EXPECT_EQ(Seams.Boxes[0].Icon, TMsgBoxIcon::Error);
    EXPECT_TRUE(Seams.Boxes[0].Text.contains(QStringLiteral("Mnemonic"))) << Seams.Boxes[0].Text.toStdString();
    EXPECT_TRUE(Seams.Boxes[0].Text.contains(QStringLiteral("U+0001"))) << Seams.Boxes[0].Text.toStdString();
    EXPECT_EQ(Folder.Read("SNMP_Manager.xml"), old);
}

} // namespace
