// The MIB module: the objects collected from the trap table's file, the
// module text byte for byte, and the step with its save dialog and
// overwrite question.

#include "core/UComon.h"
#include "core/ULanguage.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "tables/writers/USNMP_MIB.h"
#include "tests/common/TestSeams.h"
#include "tests/common/TestUtil.h"
#include "tests/core/ProgramStateFixture.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

struct SNMPMIBTest : ProgramStateFixture {
    TTestSeams Seams;
    TempFolder Folder;
    std::unique_ptr<TSaveDialog> SaveMIB;

    void SetUp() override
    {
        ProgramStateFixture::SetUp();
        Project_Path = Folder.Path();
        File_SNMP_Trap = Folder.File("SNMP_Trap.xml");
        SaveMIB = std::make_unique<TSaveDialog>(nullptr);
    }
    void TearDown() override
    {
        SaveMIB.reset();
        ProgramStateFixture::TearDown();
    }
    // The golden modules, written from the module's layout, not by the writer.
    static QByteArray Golden(const char* name)
    {
        QFile f(QStringLiteral(QUILLMER_TEST_DATA "/mib/") + QString::fromLatin1(name));
        EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name;
        return f.readAll();
    }
    static QByteArray Row(const char* enable, const char* desc, const char* type)
    {
        QByteArray row = "<row";
        if (enable) row += " Enable=\"" + QByteArray(enable) + "\"";
        if (desc) row += " Description=\"" + QByteArray(desc) + "\"";
        if (type) row += " Type=\"" + QByteArray(type) + "\"";
        return row + "/>";
    }
};

TEST_F(SNMPMIBTest, WithoutATrapFileTheModuleListsTheDefaultTable)
{
    const TMIBObjects objects = Read_MIB_Objects(File_SNMP_Trap);
    ASSERT_EQ(objects.In.Names.size(), 64u);
    EXPECT_EQ(objects.In.Names[63], "lampADV63");
    EXPECT_EQ(objects.Out.Names[0], "lamp0");
    EXPECT_EQ(MIB_In_Names.Count(), 64);
    EXPECT_EQ(MIB_Out_Names[63], "lamp63");
    EXPECT_EQ(MIB_File_Bytes(objects), Golden("default.mib"));
}

TEST_F(SNMPMIBTest, EnabledRowsOfBothSectionsBecomeObjectsInTheirOrder)
{
    Folder.Write("SNMP_Trap.xml",
                 "<SNMP_Trap><SNMP_Trap_Read>" + Row("Y", "temp1", "Int") + Row("N", "off", "Int") +
                     Row("y", "label", "String") + Row(nullptr, "noenable", "Int") + Row("Y", "", "int") +
                     Row("Y", "caf\xc3\xa9", nullptr) + Row(" Y", "blank", "Int") +
                     "</SNMP_Trap_Read><SNMP_Trap_Write>" + Row("Y", "set1", "INT") + Row("Y", nullptr, "Float") +
                     "</SNMP_Trap_Write></SNMP_Trap>");
    const TMIBObjects objects = Read_MIB_Objects(File_SNMP_Trap);
    EXPECT_EQ(objects.In.Names, (std::vector<String>{"temp1", "label", "", QStringLiteral("caf\u00e9")}));
    EXPECT_EQ(objects.In.Is_Int, (std::vector<bool>{true, false, true, false}));
    EXPECT_EQ(objects.Out.Names, (std::vector<String>{"set1", ""}));
    EXPECT_EQ(objects.Out.Is_Int, (std::vector<bool>{true, false}));
    const QByteArray bytes = MIB_File_Bytes(objects);
    EXPECT_EQ(bytes, Golden("fixture.mib"));
    EXPECT_TRUE(bytes.contains("caf\xe9 OBJECT-TYPE")) << "8-bit code page";
}

TEST_F(SNMPMIBTest, EmptySectionsStillWriteEveryFixedLine)
{
    Folder.Write("SNMP_Trap.xml", "<SNMP_Trap><SNMP_Trap_Read/><SNMP_Trap_Write/></SNMP_Trap>");
    const QByteArray bytes = MIB_File_Bytes(Read_MIB_Objects(File_SNMP_Trap));
    EXPECT_TRUE(bytes.contains(" bufferinval OBJECT IDENTIFIER::= { bufferin 9 }\r\n"
                               "bufferout OBJECT IDENTIFIER::= { data 5 }\r\n"));
    EXPECT_TRUE(bytes.endsWith(" trapsval OBJECT IDENTIFIER::= { traps 1 }\r\nEND\r\n"));
    EXPECT_EQ(bytes.count("\r\n"), 56);
    EXPECT_EQ(bytes.count('\n'), bytes.count("\r\n"));
}

// More enabled rows than the trap table holds are written whole, each with
// its own flag; up to the table's size the module is what it always was.
TEST_F(SNMPMIBTest, MoreThan256EnabledRowsAreWrittenWhole)
{
    QByteArray read, write;
    for (int i = 1; i <= 300; ++i) {
        read += Row("Y", QByteArray("in" + QByteArray::number(i)).constData(), i % 2 ? "Int" : "String");
        write += Row("Y", QByteArray("out" + QByteArray::number(i)).constData(), i == 300 ? "String" : "Int");
    }
    Folder.Write("SNMP_Trap.xml", "<SNMP_Trap><SNMP_Trap_Read>" + read + "</SNMP_Trap_Read><SNMP_Trap_Write>" +
                                      write + "</SNMP_Trap_Write></SNMP_Trap>");
    const QByteArray bytes = MIB_File_Bytes(Read_MIB_Objects(File_SNMP_Trap));
    EXPECT_EQ(bytes, Golden("over256.mib"));
    EXPECT_TRUE(bytes.contains("in300 OBJECT-TYPE SYNTAX OCTET STRING MAX-ACCESS read-only STATUS current "
                               "DESCRIPTION \"in300\" ::= { bufferinval 300 }\r\n"));
    EXPECT_TRUE(bytes.contains("in257 OBJECT-TYPE SYNTAX INTEGER MAX-ACCESS read-only"));
    EXPECT_TRUE(bytes.contains("out300 OBJECT-TYPE SYNTAX OCTET STRING MAX-ACCESS read-write STATUS current "
                               "DESCRIPTION \"out300\" ::= { bufferoutval 300 }\r\n"));
    EXPECT_TRUE(bytes.contains("trapval300 NOTIFICATION-TYPE SYNTAX OCTET STRING MAX-ACCESS read-only STATUS "
                               "current DESCRIPTION \"in300\" ::= { trapsval 300 }\r\n"));
}

TEST_F(SNMPMIBTest, TheStepAsksBeforeReplacingAFileAndNoWritesNothing)
{
    const String target = Folder.File("gateway.mib");
    // Cancelled dialog: nothing.
    Seams.CancelFileDialog();
    Create_MIB_File(SaveMIB.get());
    ASSERT_EQ(Seams.FileDialogs.size(), 1u);
    EXPECT_FALSE(FileExists(target));
    EXPECT_EQ(SaveMIB->InitialDir(), Project_Path);

    // A new file: written without a question.
    Seams.AnswerFileDialog(target);
    Create_MIB_File(SaveMIB.get());
    EXPECT_TRUE(Seams.Boxes.empty());
    EXPECT_EQ(Folder.Read("gateway.mib"), Golden("default.mib"));

    // An existing one: No leaves it and the name lists alone.
    Folder.Write("gateway.mib", "old");
    Folder.Write("SNMP_Trap.xml", "<SNMP_Trap><SNMP_Trap_Read/><SNMP_Trap_Write/></SNMP_Trap>");
    Seams.AnswerFileDialog(target);
    Seams.AnswerBox(IDNO);
    Create_MIB_File(SaveMIB.get());
    ASSERT_EQ(Seams.Boxes.size(), 1u);
    EXPECT_EQ(Seams.Boxes[0].Icon, TMsgBoxIcon::Question);
    EXPECT_EQ(Seams.Boxes[0].Text, "File already exists! Do you want to overwrite the file?");
    EXPECT_EQ(Folder.Read("gateway.mib"), "old");
    EXPECT_EQ(MIB_In_Names.Count(), 64);

    // Yes replaces it.
    Seams.AnswerFileDialog(target);
    Seams.AnswerBox(IDYES);
    Create_MIB_File(SaveMIB.get());
    EXPECT_TRUE(Folder.Read("gateway.mib").startsWith("GATEWAY DEFINITIONS ::= BEGIN\r\n"));
    EXPECT_EQ(MIB_In_Names.Count(), 0);
}

// A trap file that cannot be read, or lacks a section, is named in one box
// and leaves the old module and the name lists as they were.
TEST_F(SNMPMIBTest, AnUnreadableTrapFileWritesNothingAndSaysWhy)
{
    const QByteArray samples[] = {"<SNMP_Trap><SNMP_Trap_Read>", "", "\xff\xfe<\x00",
                                  "<SNMP_Trap><SNMP_Trap_Read/></SNMP_Trap>",
                                  "<SNMP_Trap><SNMP_Trap_Write/></SNMP_Trap>"};
    MIB_In_Names.Add("kept");
    for (const QByteArray& sample : samples) {
        SCOPED_TRACE(sample.toStdString());
        Seams.Boxes.clear();
        Folder.Write("SNMP_Trap.xml", sample);
        Folder.Write("gateway.mib", "old");
        Seams.AnswerFileDialog(Folder.File("gateway.mib"));
        Seams.AnswerBox(IDYES);
        Create_MIB_File(SaveMIB.get());
        ASSERT_EQ(Seams.Boxes.size(), 2u);
        EXPECT_EQ(Seams.Boxes[1].Icon, TMsgBoxIcon::Error);
        EXPECT_TRUE(Seams.Boxes[1].Text.contains(File_SNMP_Trap)) << Seams.Boxes[1].Text.toStdString();
        EXPECT_EQ(Folder.Read("gateway.mib"), "old");
        EXPECT_EQ(MIB_In_Names.Count(), 1);
    }
    // A folder that cannot take the file is named too.
    Folder.Write("SNMP_Trap.xml", "<SNMP_Trap><SNMP_Trap_Read/><SNMP_Trap_Write/></SNMP_Trap>");
    Seams.Boxes.clear();
    Seams.AnswerFileDialog(Folder.File("missing/gateway.mib"));
    Create_MIB_File(SaveMIB.get());
    ASSERT_EQ(Seams.Boxes.size(), 1u);
    EXPECT_EQ(Seams.Boxes[0].Icon, TMsgBoxIcon::Error);
    EXPECT_TRUE(Seams.Boxes[0].Text.contains("gateway.mib"));
}

} // namespace
