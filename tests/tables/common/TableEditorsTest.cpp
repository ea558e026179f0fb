// The cell editors of both table windows as a user meets them: the window
// runs its real modal loop and the mouse comes through the window system
// (time-stamped presses and releases, so double clicks, the grab of the
// pressed widget and the open list's pop-up all take part). A pick made
// before a tab change reaches the file on OK; nothing of an edit outlives a
// closing into the next showing; a click on a list cell's arrow opens the
// list however long it is held and however soon it follows the click before.

#include "core/UComon.h"
#include "core/UConfigStore.h"
#include "core/ZvPushButton.h"
#include "grid/ZvColumnGrid.h"
#include "grid/editors/ZvGridCombo.h"
#include "platform/ComCtrls.h"
#include "platform/Files.h"
#include "platform/Forms.h"
#include "platform/Xml.h"
#include "tables/dali/UDALI_Access.h"
#include "tables/dali/UDALI_AccessRules.h"
#include "tables/dmx/UDMXDefVal.h"
#include "tables/knx/UKNXAccess.h"
#include "tables/modbus/UModbus_TCP_Master_Set_Access.h"
#include "tables/modbus/USetAccess.h"
#include "tables/snmp/USNMPManagerAccess.h"
#include "tables/snmptrap/USNMP_Trap_Access.h"
#include "tests/common/TestSeams.h"
#include "tests/common/TestUtil.h"
#include "tests/core/ProgramStateFixture.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

namespace {

TPoint Middle(const TRect& r)
{
    return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
}

// Where a cell shows its text, and where an open list editor over it has its arrow.
TPoint Cell_Text(TZvStringGrid* grid, int displayedCol, int row)
{
    return Middle(grid->CellRect(displayedCol, row));
}
TPoint Cell_Arrow(TZvStringGrid* grid, int displayedCol, int row)
{
    const TRect r = grid->CellRect(displayedCol, row);
    return {r.Right - 8, (r.Top + r.Bottom) / 2};
}

QComboBox* List_Widget(TGridCombo* combo)
{
    return qobject_cast<QComboBox*>(combo->Handle());
}

struct TableEditorsTest : ProgramStateFixture {
    TTestSeams Seams;
    TempFolder Folder;
    Simulate::TPointer Pointer;

    void SetUp() override
    {
        ProgramStateFixture::SetUp();
        Project_Path = Folder.Path();
        File_DALI_Access = Folder.File("DALI_Access.xml");
        File_DALI2_Access = Folder.File("DALI2_Access.xml");
        File_SNMP_Manager = Folder.File("SNMP_Manager.xml");
        ::Seams().ModalStep = RealSeams().ModalStep;
    }

    // The window's own modal loop, `user` acting in it once it shows. A user
    // who leaves it open is a failure, and the window closes all the same.
    int Run_Modal(TForm& form, const std::function<void()>& user)
    {
        bool acted = false;
        QTimer::singleShot(0, &Context, [&] {
            acted = true;
            user();
            if (form.Visible() && form.ModalResult() == mrNone) {
                ADD_FAILURE() << "the window was left open";
                form.SetModalResult(mrAbort);
            }
        });
        const int result = form.ShowModal();
        EXPECT_TRUE(acted);
        return result;
    }

    void Click(TControl* control, const TPoint& at) { Pointer.Click(control, at, 1000); }
    void Click_Middle(TControl* control) { Click(control, {control->Width() / 2, control->Height() / 2}); }
    void Click_Tab(TPageControl* pages, TTabSheet* sheet)
    {
        Click(pages, Middle(pages->TabRect(sheet->PageIndex())));
        EXPECT_EQ(pages->ActivePage(), sheet);
    }
    // A click selects the cell and a second one opens its list editor (one
    // does both on the current cell); a click at the arrow opens the list,
    // there the arrow keys go to the entry and Enter picks it.
    void Pick(TZvStringGrid* grid, int displayedCol, int row, const String& entry)
    {
        TGridCombo* combo = grid->ComboEditor();
        Click(grid, Cell_Text(grid, displayedCol, row));
        if (!combo->Visible()) Click(grid, Cell_Text(grid, displayedCol, row));
        ASSERT_TRUE(combo->Visible()) << "no list editor over " << displayedCol << ',' << row;
        Click(grid, Cell_Arrow(grid, displayedCol, row));
        ASSERT_TRUE(combo->DroppedDown()) << "the arrow opened no list";
        QComboBox* widget = List_Widget(combo);
        const int index = widget->findText(entry);
        ASSERT_GE(index, 0) << entry.toStdString();
        QAbstractItemView* list = widget->view();
        while (list->currentIndex().row() < index) QTest::keyClick(list, Qt::Key_Down);
        while (list->currentIndex().row() > index) QTest::keyClick(list, Qt::Key_Up);
        QTest::keyClick(list, Qt::Key_Return);
        ASSERT_FALSE(combo->DroppedDown());
        EXPECT_EQ(combo->Text(), entry);
        EXPECT_TRUE(combo->Visible()) << "the editor stays open after the pick";
    }

    // A click selects the cell and a second one opens its editor with the
    // text selected; on the current cell the first click opens it already,
    // and a second would put the caret at the click, so typing would add to
    // the old text instead of replacing it.
    void Open_Editor(TZvStringGrid* grid, int displayedCol, int row)
    {
        Click(grid, Cell_Text(grid, displayedCol, row));
        if (!grid->EditorMode()) Click(grid, Cell_Text(grid, displayedCol, row));
        ASSERT_TRUE(grid->EditorMode()) << "no editor over " << displayedCol << ',' << row;
    }

    // Owns the timer that starts a user's actions, so none outlives the test.
    QObject Context;
};

// ---- DALI ---------------------------------------------------------------------------------

TDALI2Tables One_Rule(const char* num_bytes)
{
    TDALI2Tables t;
    t.Functions.push_back({"Addition", "When Equal to Value", "Short Press", "DALI Channel 3", "128", "0", "up"});
    t.Rules.push_back({true, {"Device", "Led Lamp", "3", "0", "255", "1000", "5000", "1 - up", "12",
                              QString::fromLatin1(num_bytes), "lamp"}});
    return t;
}

struct DALIEditorsTest : TableEditorsTest {
    std::unique_ptr<TFDALI_Access> Form;
    TDALIDevices Devices;

    void SetUp() override
    {
        TableEditorsTest::SetUp();
        Devices[10] = {"Y", "N", DALI_Recall_Min_Max};
        Write_Files();
        Form = std::make_unique<TFDALI_Access>(nullptr);
        Form->AfterConstruction();
    }
    void TearDown() override
    {
        Form.reset();
        TableEditorsTest::TearDown();
    }
    // Device 10 recalls its min-max level; one rule reads 1 byte.
    void Write_Files() const
    {
        TXMLDocument doc;
        Write_DALI_Access(doc, Devices);
        doc.SaveToFile(File_DALI_Access);
        Write_DALI2_Access(doc, One_Rule("1"));
        doc.SaveToFile(File_DALI2_Access);
    }
    TDALIDevices Saved_Devices() const
    {
        TXMLDocument doc;
        doc.LoadFromFile(File_DALI_Access);
        TDALIDevices devices;
        Load_DALI_Access(doc, devices);
        return devices;
    }
    String Saved_Num_Bytes() const
    {
        TXMLDocument doc;
        doc.LoadFromFile(File_DALI2_Access);
        const TDALI2Tables tables = Load_DALI2_Access(doc);
        return tables.Rules.empty() ? QStringLiteral("(no rule)") : tables.Rules[0].Cells[9];
    }
    // Device 10's Recall Level, as the device grid shows it.
    int Recall_Col() const { return Form->ACG_DALI_Device->RealToDisplayCol(5); }
};

// The pick is left in its open editor, another tab is clicked, then OK.
TEST_F(DALIEditorsTest, APickLeftOpenReachesTheFileThroughATabChange)
{
    struct Case {
        const char* Name;
        TTabSheet* TFDALI_Access::*Sheet;
        TTabSheet* TFDALI_Access::*Other;
    };
    const Case cases[] = {
        {"Recall Level None, then Set Access", &TFDALI_Access::TS_Select_Device, &TFDALI_Access::TS_Set_Access},
        {"Num Bytes 2, then Functions", &TFDALI_Access::TS_Set_Access, &TFDALI_Access::TS_Functions},
        {"Num Bytes 2, then Select Device", &TFDALI_Access::TS_Set_Access, &TFDALI_Access::TS_Select_Device},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        const int result = Run_Modal(*Form, [&] {
            Click_Tab(Form->PC_DALI, (*Form).*c.Sheet);
            if ((*Form).*c.Sheet == Form->TS_Select_Device)
                Pick(Form->ACG_DALI_Device, Recall_Col(), 11, DALI_Recall_None);
            else
                Pick(Form->ASG, 11, 1, QStringLiteral("2"));
            Click_Tab(Form->PC_DALI, (*Form).*c.Other);
            EXPECT_FALSE(Form->ACG_DALI_Device->ComboEditor()->Visible());
            EXPECT_FALSE(Form->ASG->ComboEditor()->Visible());
            Click_Middle(Form->Btn_OK);
        });
        EXPECT_EQ(result, mrOk);
        EXPECT_TRUE(Seams.Boxes.empty());
        if ((*Form).*c.Sheet == Form->TS_Select_Device) {
            EXPECT_EQ(Saved_Devices()[10].Recall_Level, DALI_Recall_None);
        } else {
            EXPECT_EQ(Saved_Num_Bytes(), "2");
        }
        // The next case starts from the files as they were.
        Write_Files();
    }
}

// A pick left open when the window closes without saving: the next showing
// shows the file with no editor open, and clicks there change nothing.
TEST_F(DALIEditorsTest, APickLeftOpenAtCancelIsGoneAtTheNextShowing)
{
    struct Case {
        const char* Name;
        bool Tab_Change;
        bool Close_Box;
    };
    const Case cases[] = {
        {"Cancel", false, false},
        {"tab change, Cancel", true, false},
        {"close box", false, true},
        {"tab change, close box", true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        const QByteArray before = Folder.Read("DALI_Access.xml");
        int result = Run_Modal(*Form, [&] {
            Click_Tab(Form->PC_DALI, Form->TS_Select_Device);
            Pick(Form->ACG_DALI_Device, Recall_Col(), 11, DALI_Recall_None);
            if (c.Tab_Change) Click_Tab(Form->PC_DALI, Form->TS_Set_Access);
            if (c.Close_Box) Form->Handle()->close();
            else Click_Middle(Form->Btn_Cancel);
        });
        EXPECT_EQ(result, mrCancel);
        EXPECT_EQ(Folder.Read("DALI_Access.xml"), before);

        result = Run_Modal(*Form, [&] {
            TZvColumnGrid* grid = Form->ACG_DALI_Device;
            EXPECT_FALSE(grid->ComboEditor()->Visible());
            EXPECT_FALSE(grid->EditorMode());
            EXPECT_EQ(grid->GetCellEx(5, 11), DALI_Recall_Min_Max) << "the file's level";
            Click_Tab(Form->PC_DALI, Form->TS_Select_Device);
            Click(grid, Cell_Text(grid, Recall_Col(), 4));
            Click(grid, Cell_Text(grid, 1, 20));
            EXPECT_EQ(grid->GetCellEx(5, 11), DALI_Recall_Min_Max) << "no click writes an old pick";
            Click_Middle(Form->Btn_OK);
        });
        EXPECT_EQ(result, mrOk);
        EXPECT_EQ(Saved_Devices()[10].Recall_Level, DALI_Recall_Min_Max);
    }
}

// ---- SNMP ---------------------------------------------------------------------------------

struct SNMPEditorsTest : TableEditorsTest {
    std::unique_ptr<TFSNMPManagerAccess> Form;

    void SetUp() override
    {
        TableEditorsTest::SetUp();
        Folder.Write("SNMP_Manager.xml",
                     "<SNMP_Agent_Access>\n"
                     "  <row Enable=\"Y\" IP_Address=\"10.0.0.7\" Version=\"1\" Community_String=\"Quenta\" "
                     "OID=\"1.3.6.1.2.1.1.1.0\" Type=\"Int\" Mode=\"Set\" On_Change=\"Y\" On_Command=\"N\" "
                     "On_Timer=\"N\" Time=\"\" Position=\"0\" Number_Bytes=\"2\" ConvertFrom=\"None\" Cancel=\"N\" "
                     "User=\"\" Auth_Pass=\"\" Priv_Pass=\"\" Security_Level=\"\" Auth_Mode=\"\" Priv_Mode=\"\" "
                     "Mnemonic=\"\"/>\n"
                     "</SNMP_Agent_Access>\n");
        Form = std::make_unique<TFSNMPManagerAccess>(nullptr);
        Form->AfterConstruction();
    }
    void TearDown() override
    {
        Form.reset();
        TableEditorsTest::TearDown();
    }
};

TEST_F(SNMPEditorsTest, APickLeftOpenIsSavedByOKAndGoneAfterAClosing)
{
    TZvColumnGrid* grid = Form->ACG_SNMP;
    const int version = grid->RealToDisplayCol(SM_Version);
    for (bool closeBox : {false, true}) {
        SCOPED_TRACE(closeBox ? "close box" : "Cancel");
        int result = Run_Modal(*Form, [&] {
            Pick(grid, version, 1, QStringLiteral("2"));
            if (closeBox) Form->Handle()->close();
            else Click_Middle(Form->Btn_Cancel);
        });
        EXPECT_EQ(result, mrCancel);
        result = Run_Modal(*Form, [&] {
            EXPECT_FALSE(grid->ComboEditor()->Visible());
            EXPECT_EQ(grid->GetCellEx(SM_Version, 1), "1") << "the file's version";
            Click(grid, Cell_Text(grid, version, 2));
            EXPECT_EQ(grid->GetCellEx(SM_Version, 1), "1") << "no click writes an old pick";
            Click_Middle(Form->Btn_Cancel);
        });
        EXPECT_EQ(result, mrCancel);
    }
    const int result = Run_Modal(*Form, [&] {
        Pick(grid, version, 1, QStringLiteral("2"));
        Click_Middle(Form->Btn_OK);
    });
    EXPECT_EQ(result, mrOk);
    EXPECT_TRUE(Seams.Boxes.empty());
    EXPECT_TRUE(Folder.Read("SNMP_Manager.xml").contains("Version=\"2\""));
}

// ---- SNMP trap ----------------------------------------------------------------------------

struct SNMPTrapEditorsTest : TableEditorsTest {
    std::unique_ptr<TFSNMP_Trap_Access> Form;

    void SetUp() override
    {
        TableEditorsTest::SetUp();
        File_SNMP_Trap = Folder.File("SNMP_Trap.xml");
        Form = std::make_unique<TFSNMP_Trap_Access>(nullptr);
        Form->AfterConstruction();
    }
    void TearDown() override
    {
        Form.reset();
        TableEditorsTest::TearDown();
    }
};

// A pick in the Read table, a description typed in the Write table after a
// tab change, and a box unticked: OK saves all three; Cancel after more
// edits leaves the file byte for byte.
TEST_F(SNMPTrapEditorsTest, EditsOnBothTabsReachTheFileOnOKAndCancelKeepsIt)
{
    TZvColumnGrid* read = Form->ACG_SNMP_Read;
    TZvColumnGrid* write = Form->ACG_SNMP_Write;
    int result = Run_Modal(*Form, [&] {
        Click_Tab(Form->PageControl1, Form->TS_SNMP_Read);
        Pick(read, read->RealToDisplayCol(TR_Conversion), 2, QStringLiteral("Float / 100"));
        Click(read, Cell_Text(read, read->RealToDisplayCol(TR_Enable), 3));
        EXPECT_EQ(read->GetCellEx(TR_Enable, 3), "N");
        EXPECT_EQ(read->GetCellEx(0, 4), "3") << "numbered again at the click";
        Click_Tab(Form->PageControl1, Form->TS_SNMP_Write);
        const int desc = write->RealToDisplayCol(TW_Description);
        Click(write, Cell_Text(write, desc, 1));
        Click(write, Cell_Text(write, desc, 1));
        Simulate::TypeIntoFocus(QStringLiteral("valve7\r"));
        EXPECT_EQ(write->GetCellEx(TW_Description, 1), "valve7");
        Click_Middle(Form->Btn_OK);
    });
    EXPECT_EQ(result, mrOk);
    EXPECT_TRUE(Seams.Boxes.empty()) << (Seams.Boxes.empty() ? "" : Seams.Boxes[0].Text.toStdString());
    const QByteArray saved = Folder.Read("SNMP_Trap.xml");
    EXPECT_TRUE(saved.contains("Conversion=\"Float / 100\" Mnemonic=\"lampADV1\"")) << saved.toStdString();
    EXPECT_TRUE(saved.contains("<row Enable=\"N\" Community_Name=\"quenta\"")) << saved.toStdString();
    EXPECT_TRUE(saved.contains("Description=\"valve7\"")) << saved.toStdString();

    result = Run_Modal(*Form, [&] {
        EXPECT_EQ(Form->PageControl1->ActivePage(), Form->TS_SNMP_Write) << "the tab of the last closing";
        const int desc = write->RealToDisplayCol(TW_Description);
        Click(write, Cell_Text(write, desc, 2));
        Click(write, Cell_Text(write, desc, 2));
        Simulate::TypeIntoFocus(QStringLiteral("gone\r"));
        Click_Middle(Form->Btn_Cancel);
    });
    EXPECT_EQ(result, mrCancel);
    EXPECT_EQ(Folder.Read("SNMP_Trap.xml"), saved);
}

// ---- DMX ----------------------------------------------------------------------------------

struct DMXEditorsTest : TableEditorsTest {
    std::unique_ptr<TFDMXDefVal> Form;

    void SetUp() override
    {
        TableEditorsTest::SetUp();
        File_ParGen = Folder.File("ParGen.xml");
        File_DMX_Default_Values = Folder.File("DMX_Default_Values.xml");
        Folder.Write("ParGen.xml", "<ParGen><DMX_Num_Channels>8</DMX_Num_Channels></ParGen>");
        Form = std::make_unique<TFDMXDefVal>(nullptr);
        Form->AfterConstruction();
    }
    void TearDown() override
    {
        Form.reset();
        TableEditorsTest::TearDown();
    }
};

// The grid starts without editing: a click on a value cell turns it on and
// the typed value goes in; a value out of range keeps the window open.
TEST_F(DMXEditorsTest, ATypedValueReachesTheFileOnOKAndCancelKeepsIt)
{
    TZvColumnGrid* grid = Form->ACG_DMX_Def_Val;
    int result = Run_Modal(*Form, [&] {
        Click(grid, Cell_Text(grid, DMX_Default_Value, 3));
        Click(grid, Cell_Text(grid, DMX_Default_Value, 3));
        Simulate::TypeIntoFocus(QStringLiteral("256\r"));
        EXPECT_EQ(grid->GetCellEx(DMX_Default_Value, 3), "256");
        Click_Middle(Form->Btn_OK);
        ASSERT_EQ(Seams.Boxes.size(), 1u);
        EXPECT_EQ(Seams.Boxes[0].Text, "Error row 3!! Default Value must be between 0 and 255");
        EXPECT_EQ(Form->ModalResult(), mrNone);
        Click(grid, Cell_Text(grid, DMX_Default_Value, 3));
        Simulate::TypeIntoFocus(QStringLiteral("200\r"));
        Click_Middle(Form->Btn_OK);
    });
    EXPECT_EQ(result, mrOk);
    const QByteArray saved = Folder.Read("DMX_Default_Values.xml");
    EXPECT_EQ(saved.count("<Row "), 8);
    EXPECT_TRUE(saved.contains("<Row Default_Value=\"0\" Mnemonic=\"\" />\n  <Row Default_Value=\"200\""))
        << saved.toStdString();

    result = Run_Modal(*Form, [&] {
        EXPECT_EQ(grid->GetCellEx(DMX_Default_Value, 3), "200");
        Click(grid, Cell_Text(grid, DMX_Mnemonic, 5));
        Click(grid, Cell_Text(grid, DMX_Mnemonic, 5));
        Simulate::TypeIntoFocus(QStringLiteral("strobe\r"));
        Click_Middle(Form->Btn_Cancel);
    });
    EXPECT_EQ(result, mrCancel);
    EXPECT_EQ(Folder.Read("DMX_Default_Values.xml"), saved);
}

// ---- The arrow of a list cell -------------------------------------------------------------

// The list opens on the press at the arrow and stays open when the button
// comes up over the box: the press may be let go at once, within a double
// click's time or after it, and may follow the click that opened the editor
// within a double click's time (Qt then hands it over as a double click) or
// later. Both windows' list cells, on their grids as shown.
TEST_F(TableEditorsTest, AClickOnAListCellsArrowOpensItsList)
{
    const int saved_interval = QApplication::doubleClickInterval();
    // Kept short, so that a press held past it costs the test little time.
    const int interval = 40;
    QApplication::setDoubleClickInterval(interval);
    auto dali = std::make_unique<TFDALI_Access>(nullptr);
    dali->AfterConstruction();
    auto snmp = std::make_unique<TFSNMPManagerAccess>(nullptr);
    snmp->AfterConstruction();

    struct Where {
        const char* Name;
        TForm* Form;
        TZvStringGrid* Grid;
        int Col;  // displayed
    };
    const Where places[] = {
        {"DALI Recall Level", dali.get(), dali->ACG_DALI_Device, dali->ACG_DALI_Device->RealToDisplayCol(5)},
        {"SNMP Version", snmp.get(), snmp->ACG_SNMP, snmp->ACG_SNMP->RealToDisplayCol(SM_Version)},
        {"SNMP Conversion", snmp.get(), snmp->ACG_SNMP, snmp->ACG_SNMP->RealToDisplayCol(SM_Conversion)},
    };
    struct Timing {
        int Gap;   // from the release of the click that opened the editor
        int Hold;  // from the press to the release
    };
    const Timing timings[] = {{1000, 0}, {1000, interval / 2}, {1000, 2 * interval}, {interval / 4, 0},
                              {interval / 4, interval / 2}, {interval / 4, 2 * interval}};
    for (const Where& place : places) {
        place.Form->Show();
        QApplication::processEvents();
        int row = 1;
        for (const Timing& t : timings) {
            SCOPED_TRACE(testing::Message() << place.Name << ", gap " << t.Gap << ", hold " << t.Hold);
            ++row;
            TZvStringGrid* grid = place.Grid;
            TGridCombo* combo = grid->ComboEditor();
            const TPoint arrow = Cell_Arrow(grid, place.Col, row);
            Pointer.Click(grid, Cell_Text(grid, place.Col, row), 1000);
            Pointer.Click(grid, arrow, 1000);
            ASSERT_TRUE(combo->Visible()) << "the second click opens the editor";
            EXPECT_FALSE(combo->DroppedDown());
            Pointer.Press(grid, arrow, t.Gap);
            EXPECT_TRUE(combo->DroppedDown()) << "the press opens the list";
            if (t.Hold > interval) QTest::qWait(t.Hold);
            Pointer.Release(grid, arrow, t.Hold);
            QApplication::processEvents();
            EXPECT_TRUE(combo->DroppedDown()) << "the release closes nothing";
            // The next click at the arrow closes the list again; the editor stays.
            Pointer.Click(grid, arrow, 1000);
            EXPECT_FALSE(combo->DroppedDown());
            EXPECT_TRUE(combo->Visible());
            grid->HideInplaceEdit();
        }
        place.Form->Hide();
    }
    QApplication::setDoubleClickInterval(saved_interval);
}

// ---- Modbus masters -------------------------------------------------------------------------

struct ModbusEditorsTest : TableEditorsTest {
    void SetUp() override
    {
        TableEditorsTest::SetUp();
        Set_Files();
    }
};

// Both masters: a pick on the Write tab, a mnemonic typed there and the
// Read row's box unticked reach the file on OK; Cancel after more edits
// leaves it byte for byte, and the next showing opens the Read tab again.
TEST_F(ModbusEditorsTest, EditsReachTheFileOnOKAndCancelKeepsIt)
{
    const struct {
        bool Tcp;
        const char* File;
    } kinds[] = {{true, "ModbusTCPM_SetAccess.xml"}, {false, "ModbusM_SetAccess.xml"}};
    for (const auto& kind : kinds) {
        SCOPED_TRACE(kind.File);
        const QByteArray slave = kind.Tcp ? "IP_Address=\"10.0.0.9\" Port=\"502\" " : "";
        Folder.Write(kind.File, "<Root><Modbus_Read><row Enable=\"Y\" " + slave +
                                    "Slave_ID=\"1\" Type=\"Input Register\" Address=\"0\" NPoint=\"2\" "
                                    "PollTime=\"100\" MaxError=\"1\" Position=\"0\" Bit=\"0\" Swap=\"N\" "
                                    "Mnemonic=\"in\"/></Modbus_Read><Modbus_Write><row Enable=\"Y\" " +
                                    slave +
                                    "Slave_ID=\"1\" Type=\"Holding Register\" Address=\"0\" NPoint=\"2\" "
                                    "PollTime=\"100\" OnChange=\"Y\" MaxError=\"1\" Position=\"12\" Bit=\"0\" "
                                    "Swap=\"N\" Mnemonic=\"out\"/></Modbus_Write></Root>");
        std::unique_ptr<TModbusMasterForm> form;
        if (kind.Tcp)
            form = std::make_unique<TFModbus_TCP_Master_Set_Access>(nullptr);
        else
            form = std::make_unique<TFSetAccess>(nullptr);
        form->AfterConstruction();
        TZvColumnGrid* read = form->ACG_Modbus_Read;
        TZvColumnGrid* write = form->ACG_Modbus_Write;
        const TModbusCols& wc = form->Master().Write.Cols;
        const int mnemonic = kind.Tcp ? int(MTW_Mnemonic) : int(MW_Mnemonic);
        int result = Run_Modal(*form, [&] {
            EXPECT_EQ(form->PageControl1->ActivePage(), form->TS_Modbus_Read);
            Click(read, Cell_Text(read, read->RealToDisplayCol(1), 1));
            EXPECT_EQ(read->GetCellEx(1, 1), "N");
            Click_Tab(form->PageControl1, form->TS_Modbus_Write);
            Pick(write, write->RealToDisplayCol(wc.Position), 1, QStringLiteral("20"));
            const int col = write->RealToDisplayCol(mnemonic);
            Click(write, Cell_Text(write, col, 1));
            Click(write, Cell_Text(write, col, 1));
            Simulate::TypeIntoFocus(QStringLiteral("pump7\r"));
            EXPECT_EQ(write->GetCellEx(mnemonic, 1), "pump7");
            Click_Middle(form->Btn_OK);
        });
        EXPECT_EQ(result, mrOk);
        EXPECT_TRUE(Seams.Boxes.empty()) << (Seams.Boxes.empty() ? "" : Seams.Boxes[0].Text.toStdString());
        const QByteArray saved = Folder.Read(kind.File);
        EXPECT_TRUE(saved.contains("Position=\"20\"")) << saved.toStdString();
        EXPECT_TRUE(saved.contains("Mnemonic=\"pump7\"")) << saved.toStdString();
        EXPECT_TRUE(saved.contains("<row Enable=\"N\"")) << saved.toStdString();
        EXPECT_EQ(saved.contains("OnChange=\"Y\""), !kind.Tcp) << saved.toStdString();

        result = Run_Modal(*form, [&] {
            EXPECT_EQ(form->PageControl1->ActivePage(), form->TS_Modbus_Read) << "every showing opens Read";
            Click_Tab(form->PageControl1, form->TS_Modbus_Write);
            const int col = write->RealToDisplayCol(mnemonic);
            Click(write, Cell_Text(write, col, 1));
            Click(write, Cell_Text(write, col, 1));
            Simulate::TypeIntoFocus(QStringLiteral("gone\r"));
            Click_Middle(form->Btn_Cancel);
        });
        EXPECT_EQ(result, mrCancel);
        EXPECT_EQ(Folder.Read(kind.File), saved);
    }
}

// ---- KNX ----------------------------------------------------------------------------------

struct KNXEditorsTest : TableEditorsTest {
    std::unique_ptr<TFKNXAccess> Form;

    void SetUp() override
    {
        TableEditorsTest::SetUp();
        Set_Files();
        Folder.Write("KNX_SetAccess.xml",
                     "<BACnet_to_KNX><KNX_in_Write><row Enable=\"Y\" Source_Address=\"1.1.20\" "
                     "Destination_Address=\"1/2/3\" APCI=\"Write\" Priority=\"Low\" Format=\"None\" Extended=\"N\" "
                     "ReTest=\"N\" On_Command=\"N\" On_Change=\"Y\" On_Timer=\"N\" Poll_Time=\"\" Position=\"0\" "
                     "Bit_Mode=\"No\" Length=\"2\" Mnemonic=\"lamp\"/></KNX_in_Write></BACnet_to_KNX>");
        Form = std::make_unique<TFKNXAccess>(nullptr);
        Form->AfterConstruction();
    }
    void TearDown() override
    {
        Form.reset();
        TableEditorsTest::TearDown();
    }
};

// A priority picked, a length typed with its check failing first, then a
// valid one: OK saves both; Cancel after more edits leaves the file.
TEST_F(KNXEditorsTest, EditsReachTheFileOnOKAndCancelKeepsIt)
{
    TZvColumnGrid* grid = Form->ACG_KNX_in_Write;
    int result = Run_Modal(*Form, [&] {
        EXPECT_EQ(grid->GetCellEx(KX_Priority, 0), "Priority") << "headers in the cells of row 0";
        Pick(grid, KX_Priority, 1, QStringLiteral("Urgent"));
        Open_Editor(grid, KX_Length, 1);
        Simulate::TypeIntoFocus(QStringLiteral("15\r"));
        Click_Middle(Form->Btn_OK);
        ASSERT_EQ(Seams.Boxes.size(), 1u);
        EXPECT_EQ(Seams.Boxes[0].Text, "Error row 1!! [KNX in Write] Length must be between 1 and 14");
        EXPECT_EQ(Form->ModalResult(), mrNone) << "a failed check keeps the window open";
        // The length cell is still the current one: one click opens its editor.
        Open_Editor(grid, KX_Length, 1);
        Simulate::TypeIntoFocus(QStringLiteral("14\r"));
        EXPECT_EQ(grid->GetCellEx(KX_Length, 1), "14") << "the typed text replaces the cell's";
        Click_Middle(Form->Btn_OK);
        EXPECT_EQ(Seams.Boxes.size(), 1u) << "the valid length passes";
    });
    EXPECT_EQ(result, mrOk);
    const QByteArray saved = Folder.Read("KNX_SetAccess.xml");
    EXPECT_TRUE(saved.contains("Priority=\"Urgent\"")) << saved.toStdString();
    EXPECT_TRUE(saved.contains("Length=\"14\"")) << saved.toStdString();

    result = Run_Modal(*Form, [&] {
        Click(grid, Cell_Text(grid, KX_Destination_Address, 1));
        Click(grid, Cell_Text(grid, KX_Destination_Address, 1));
        Simulate::TypeIntoFocus(QStringLiteral("gone\r"));
        Click_Middle(Form->Btn_Cancel);
    });
    EXPECT_EQ(result, mrCancel);
    EXPECT_EQ(Folder.Read("KNX_SetAccess.xml"), saved);
}

} // namespace
