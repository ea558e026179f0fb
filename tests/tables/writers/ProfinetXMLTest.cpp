// The GSDML writer: the document byte for byte for no, one and all 64
// enabled DALI devices, how the configuration sets the sizes and the station
// name, escaping, the refusals of missing and broken files (nothing is
// written), and the save step's folder, name and overwrite question.

#include "core/UComon.h"
#include "core/UConfigStore.h"
#include "core/ULanguage.h"
#include "platform/Files.h"
#include "tables/dali/UDALI_AccessFiles.h"
#include "tables/writers/UProfinetXML.h"
#include "tests/common/TestSeams.h"
#include "tests/common/TestUtil.h"
#include "tests/core/ProgramStateFixture.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <pugixml.hpp>

namespace {

QByteArray Golden(const char* name)
{
    QFile f(QStringLiteral(QUILLMER_TEST_DATA "/gsdml/") + QString::fromLatin1(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing golden)");
}

QByteArray Read(const String& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}

struct ProfinetXMLTest : ProgramStateFixture {
    TTestSeams Seams;
    TempFolder Folder;

    void SetUp() override
    {
        ProgramStateFixture::SetUp();
        Load_Default_Texts();
        Project_Path = Folder.Path();
        Set_Files();
    }
    // The DALI file as the DALI form writes it, with the first `enabled`
    // addresses on and, to show they do not count, every Min-Max option ticked.
    void Write_DALI(int enabled, bool minMax = true) const
    {
        TDALIDevices devices{};
        for (int n = 0; n < DALI_Addresses; ++n) {
            devices[std::size_t(n)].Enable = n < enabled ? QStringLiteral("Y") : QStringLiteral("N");
            devices[std::size_t(n)].Min_Max = minMax ? QStringLiteral("Y") : QStringLiteral("N");
        }
        TXMLDocument doc;
        Write_DALI_Access(doc, devices);
        doc.SaveToFile(File_DALI_Access);
    }
    void Write_ParGen(const QByteArray& children) const
    {
        Folder.Write("ParGen.xml", "<ParGen>" + children + "</ParGen>");
    }
    TGSDMLParams Params() const { return Read_GSDML_Params(File_DALI_Access, File_ParGen); }
};

TEST_F(ProfinetXMLTest, GoldenDocumentsForNoneOneAndAllDevicesParseAsXML)
{
    const struct {
        int Enabled;
        const char* Golden;
        int Input_Length;
    } cases[] = {{0, "none.xml", 0}, {1, "one.xml", 8}, {64, "all.xml", 512}};
    Write_ParGen("<PROFINET_NAME_STA>gateway-1</PROFINET_NAME_STA><DALI_ENABLE_DALI_2>0</DALI_ENABLE_DALI_2>");
    for (const auto& c : cases) {
        Write_DALI(c.Enabled);
        const QByteArray bytes = GSDML_File_Bytes(Params());
        EXPECT_EQ(bytes.toStdString(), Golden(c.Golden).toStdString()) << c.Golden;

        pugi::xml_document doc;
        ASSERT_TRUE(doc.load_buffer(bytes.constData(), std::size_t(bytes.size()))) << c.Golden;
        const pugi::xml_node dap = doc.child("ISO15745Profile").child("ProfileBody").child("ApplicationProcess");
        EXPECT_STREQ(dap.child("DeviceAccessPointList").child("DeviceAccessPointItem").attribute("DNS_CompatibleName").value(),
                     "gateway-1");
        const pugi::xml_node io = dap.child("ModuleList").child("ModuleItem").child("VirtualSubmoduleList")
                                      .child("VirtualSubmoduleItem").child("IOData");
        EXPECT_EQ(io.child("Input").child("DataItem").attribute("Length").as_int(-1), c.Input_Length) << c.Golden;
        EXPECT_EQ(io.child("Output").child("DataItem").attribute("Length").as_int(-1), 132);
        EXPECT_EQ(std::distance(dap.child("ExternalTextList").child("PrimaryLanguage").begin(),
                                dap.child("ExternalTextList").child("PrimaryLanguage").end()),
                  40);
    }
}

// Every line ends in CR LF, and nothing but the declaration stands on line 1.
TEST_F(ProfinetXMLTest, LinesEndInCarriageReturnLineFeed)
{
    const QByteArray bytes = GSDML_File_Bytes({});
    EXPECT_TRUE(bytes.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<!-- A fieldbus"));
    EXPECT_TRUE(bytes.endsWith("</ISO15745Profile>\r\n"));
    EXPECT_EQ(bytes.count("\n"), bytes.count("\r\n"));
}

TEST_F(ProfinetXMLTest, TheConfigurationSetsInputLengthAndStationName)
{
    const struct {
        int Enabled;
        bool Min_Max;
        const char* ParGen;
        int Input_Length;
        const char* Station;
    } cases[] = {
        {0, false, "", 0, "SERIAL"},
        {3, true, "", 24, "SERIAL"},    // a Min-Max option adds nothing
        {0, false, "<DALI_ENABLE_DALI_2>1</DALI_ENABLE_DALI_2>", 8, "SERIAL"},
        {2, false, "<DALI_ENABLE_DALI_2>1 </DALI_ENABLE_DALI_2>", 16, "SERIAL"},
        {2, false, "<DALI_ENABLE_DALI_2>Y</DALI_ENABLE_DALI_2>", 16, "SERIAL"},
        {64, false, "<DALI_ENABLE_DALI_2>1</DALI_ENABLE_DALI_2>", 520, "SERIAL"},
        {0, false, "<PROFINET_NAME_STA>   </PROFINET_NAME_STA>", 0, "SERIAL"},
        {0, false, "<PROFINET_NAME_STA></PROFINET_NAME_STA>", 0, "SERIAL"},
        {0, false, "<PROFINET_NAME_STA> plant a </PROFINET_NAME_STA>", 0, " plant a "},
    };
    for (const auto& c : cases) {
        Write_DALI(c.Enabled, c.Min_Max);
        Write_ParGen(c.ParGen);
        const TGSDMLParams p = Params();
        EXPECT_EQ(p.Input_Length, c.Input_Length) << c.ParGen << " " << c.Enabled;
        EXPECT_EQ(p.Output_Length, 132);
        EXPECT_EQ(p.Station_Name, QString::fromUtf8(c.Station)) << c.ParGen;
    }
}

// The byte map and the description agree on how many devices send data.
TEST_F(ProfinetXMLTest, InputLengthMatchesTheDALIByteMap)
{
    TDALIDevices devices{};
    for (int n : {0, 5, 17, 63}) devices[std::size_t(n)].Enable = QStringLiteral("Y");
    TXMLDocument doc;
    Write_DALI_Access(doc, devices);
    EXPECT_EQ(Count_DALI_Input_Bytes(doc), int(DALI_Map_Lines(devices).size()) * 8);
}

TEST_F(ProfinetXMLTest, StationNameIsEscapedAndReadsBackUnchanged)
{
    const String name = QStringLiteral("A&B <\"x\"> 'y' \u00e8");
    EXPECT_EQ(GSDML_Escape(name), QStringLiteral("A&amp;B &lt;&quot;x&quot;&gt; 'y' \u00e8"));
    TGSDMLParams p;
    p.Station_Name = name;
    const QByteArray bytes = GSDML_File_Bytes(p);
    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_buffer(bytes.constData(), std::size_t(bytes.size())));
    const pugi::xml_node dap = doc.child("ISO15745Profile").child("ProfileBody").child("ApplicationProcess")
                                   .child("DeviceAccessPointList").child("DeviceAccessPointItem");
    EXPECT_EQ(QString::fromUtf8(dap.attribute("ImplementationType").value()), name);
    EXPECT_EQ(QString::fromUtf8(dap.attribute("DNS_CompatibleName").value()), name);

    // Tab, line feed and carriage return survive reading; other controls cannot stand in XML.
    p.Station_Name = QStringLiteral("a\tb\nc\rd") + QChar(1) + QStringLiteral("e");
    EXPECT_EQ(GSDML_Escape(p.Station_Name), QStringLiteral("a&#9;b&#10;c&#13;de"));
    const QByteArray controls = GSDML_File_Bytes(p);
    ASSERT_TRUE(doc.load_buffer(controls.constData(), std::size_t(controls.size())));
    EXPECT_STREQ(doc.child("ISO15745Profile").child("ProfileBody").child("ApplicationProcess").child("DeviceAccessPointList")
                     .child("DeviceAccessPointItem").attribute("ImplementationType").value(),
                 "a\tb\nc\rde");
}

// Damaged copies of both files: each read either gives sizes in range or a
// message naming a file, never anything else.
TEST_F(ProfinetXMLTest, DamagedFilesGiveSizesOrAMessage)
{
    Write_DALI(5);
    Write_ParGen("<PROFINET_NAME_STA>gw</PROFINET_NAME_STA><DALI_ENABLE_DALI_2>1</DALI_ENABLE_DALI_2>");
    const QByteArray dali = Read(File_DALI_Access), parGen = Read(File_ParGen);
    std::uint32_t seed = 12345;
    auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
    for (int round = 0; round < 120; ++round) {
        QByteArray d = dali, g = parGen;
        QByteArray& target = round % 2 ? g : d;
        const int edits = 1 + int(next() % 4);
        for (int e = 0; e < edits && !target.isEmpty(); ++e) {
            const qsizetype at = qsizetype(next() % std::uint32_t(target.size()));
            switch (next() % 3) {
            case 0: target[at] = char(next() & 0xFF); break;
            case 1: target.remove(at, 1 + qsizetype(next() % 16)); break;
            default: target.truncate(at);
            }
        }
        Folder.Write("DALI_Access.xml", d);
        Folder.Write("ParGen.xml", g);
        try {
            const TGSDMLParams p = Params();
            EXPECT_GE(p.Input_Length, 0);
            EXPECT_LE(p.Input_Length, 64 * 8 + 8);
            EXPECT_FALSE(p.Station_Name.trimmed().isEmpty());
            pugi::xml_document doc;
            const QByteArray bytes = GSDML_File_Bytes(p);
            EXPECT_TRUE(doc.load_buffer(bytes.constData(), std::size_t(bytes.size()))) << round;
        } catch (const Exception& e) {
            EXPECT_TRUE(e.Message().contains(File_DALI_Access) || e.Message().contains(File_ParGen))
                << e.Message().toStdString();
        }
    }
}

// A missing or unreadable configuration file is named in one box; the
// target, old or new, is left as it was.
TEST_F(ProfinetXMLTest, MissingOrBrokenFilesWriteNothing)
{
    const String target = Folder.File(QStringLiteral("out.xml"));
    const struct {
        const char* Case;
        bool Dali;
        const char* Dali_Text;
        bool ParGen;
        const char* ParGen_Text;
        bool Names_Dali;
    } cases[] = {
        {"no DALI file", false, "", true, "<ParGen/>", true},
        {"no ParGen file", true, "<DALI_Access/>", false, "", false},
        {"broken DALI file", true, "<DALI_Access><DALI_ID_DEVICE_0>1</DALI", true, "<ParGen/>", true},
        {"broken ParGen file", true, "<DALI_Access/>", true, "<ParGen><PROFINET_NAME_STA>", false},
        {"empty ParGen file", true, "<DALI_Access/>", true, "", false},
        {"binary DALI file", true, "\x01\xff\xfe<", true, "<ParGen/>", true},
    };
    for (const bool existing : {false, true}) {
        for (const auto& c : cases) {
            QFile::remove(File_DALI_Access);
            QFile::remove(File_ParGen);
            QFile::remove(target);
            if (c.Dali) Folder.Write("DALI_Access.xml", c.Dali_Text);
            if (c.ParGen) Folder.Write("ParGen.xml", c.ParGen_Text);
            if (existing) Folder.Write("out.xml", "old");
            Seams.Boxes.clear();
            Write_GSDML_File(target);
            ASSERT_EQ(Seams.Boxes.size(), 1u) << c.Case;
            EXPECT_TRUE(Seams.Boxes[0].Text.contains(c.Names_Dali ? File_DALI_Access : File_ParGen))
                << c.Case << ": " << Seams.Boxes[0].Text.toStdString();
            EXPECT_TRUE(Seams.Boxes[0].Text.contains(QStringLiteral("GSDML"))) << c.Case;
            if (existing) {
                EXPECT_EQ(Read(target), "old") << c.Case;
            } else {
                EXPECT_FALSE(FileExists(target)) << c.Case;
            }
        }
    }
}

// The save dialog chooses the folder only; the composed name is kept.
TEST_F(ProfinetXMLTest, SaveStepWritesTheComposedNameIntoTheChosenFolder)
{
    Write_DALI(2);
    Write_ParGen("<PROFINET_NAME_STA>gw</PROFINET_NAME_STA>");
    const String name = QStringLiteral("GSDML-V2.31-Zorvat-KH40227_x-20260307.xml");
    const String other = Folder.File(QStringLiteral("sub"));
    ASSERT_TRUE(QDir().mkpath(other));

    Seams.AnswerFileDialog(PathJoin(other, QStringLiteral("typed-by-user.txt")));
    Create_GSDML_File(name);
    ASSERT_EQ(Seams.FileDialogs.size(), 1u);
    EXPECT_EQ(Seams.FileDialogs[0].Kind, TFileDialogRequest::TKind::Save);
    EXPECT_EQ(Seams.FileDialogs[0].InitialDir, Project_Path);
    EXPECT_EQ(Seams.FileDialogs[0].FileName, name);
    EXPECT_EQ(Seams.FileDialogs[0].Filter, QStringLiteral("PROFINET XML (*.xml)|") + name);
    const String written = PathJoin(other, name);
    EXPECT_EQ(Read(written), GSDML_File_Bytes(Params()));
    EXPECT_FALSE(FileExists(PathJoin(other, QStringLiteral("typed-by-user.txt"))));
    EXPECT_TRUE(Seams.Boxes.empty());

    // Cancel writes nothing; an existing file is replaced only on Yes.
    Folder.Write(QStringLiteral("sub/") + name, "old");
    Seams.CancelFileDialog();
    Create_GSDML_File(name);
    EXPECT_EQ(Read(written), "old");
    Seams.AnswerFileDialog(written);
    Seams.AnswerBox(IDNO);
    Create_GSDML_File(name);
    ASSERT_EQ(Seams.Boxes.size(), 1u);
    EXPECT_EQ(Seams.Boxes[0].Text, Lang_Text(1011));
    EXPECT_EQ(Read(written), "old");
    Seams.AnswerFileDialog(written);
    Seams.AnswerBox(IDYES);
    Create_GSDML_File(name);
    EXPECT_EQ(Seams.Boxes.size(), 2u);
    EXPECT_EQ(Read(written), GSDML_File_Bytes(Params()));
}

} // namespace
