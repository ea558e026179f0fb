// The CANopen EDS writer: the sheet byte for byte for an empty and a full
// configuration at a fixed time, the time and date texts, the objects the
// PDO and SDO server tables give, and every refusal, which writes nothing.

#include "core/UComon.h"
#include "core/UConfigStore.h"
#include "core/ULanguage.h"
#include "platform/Files.h"
#include "tables/common/UTableForm.h"
#include "tables/writers/UEds.h"
#include "tests/common/TestSeams.h"
#include "tests/common/TestUtil.h"
#include "tests/core/ProgramStateFixture.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

const QDateTime Fixed_Time(QDate(2026, 3, 7), QTime(15, 5));

QByteArray Golden(const char* name)
{
    QFile f(QStringLiteral(QUILLMER_TEST_DATA "/eds/") + QString::fromLatin1(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing golden)");
}

// The lines of one section, from its name line to the empty line that ends it.
QByteArray Section_Of(const QByteArray& sheet, const char* name)
{
    const QByteArray head = "\r\n[" + QByteArray(name) + "]\r\n";
    const qsizetype at = sheet.indexOf(head);
    if (at < 0) return "(no section " + QByteArray(name) + ")";
    const qsizetype end = sheet.indexOf("\r\n\r\n", at + 2);
    return sheet.mid(at + 2, end - at);
}

struct EdsTest : ProgramStateFixture {
    TTestSeams Seams;
    TempFolder Folder;

    void SetUp() override
    {
        ProgramStateFixture::SetUp();
        Project_Path = Folder.Path();
        Set_Files();
    }
    void Write_PDOs(const QByteArray& rx, const QByteArray& tx)
    {
        Folder.Write("PDO_CANopen.xml", "<PDO_CANopen><Receive_PDO>" + rx + "</Receive_PDO><Transmit_PDO>" + tx +
                                            "</Transmit_PDO></PDO_CANopen>");
    }
    void Write_SDOs(const QByteArray& read, const QByteArray& write)
    {
        Folder.Write("SDO_Server_CANopen.xml", "<SDO_Server_CANopen><SDO_Read>" + read + "</SDO_Read><SDO_Write>" +
                                                   write + "</SDO_Write></SDO_Server_CANopen>");
    }
    static QByteArray PDO(const char* cob, const char* dim)
    {
        return "<row COB-ID=\"" + QByteArray(cob) + "\" Dimension=\"" + QByteArray(dim) + "\"/>";
    }
    static QByteArray SDO(const char* index, const char* sub, const char* n)
    {
        return "<row Index=\"" + QByteArray(index) + "\" SubIndex=\"" + QByteArray(sub) + "\" NByte=\"" +
               QByteArray(n) + "\"/>";
    }
    QByteArray Sheet() { return EDS_File_Bytes(Read_EDS_Config(File_PDO_CANopen, File_SDO_Server_CANopen), Fixed_Time); }
};

TEST(EdsTexts, TimeAndDate)
{
    const struct {
        int H, M;
        const char* Text;
    } times[] = {{15, 5, "03:05PM"}, {0, 7, "00:07AM"}, {0, 0, "00:00AM"}, {11, 59, "11:59AM"},
                 {12, 0, "12:00PM"}, {12, 30, "12:30PM"}, {12, 59, "12:59PM"}, {13, 0, "01:00PM"}, {23, 59, "11:59PM"}};
    for (const auto& t : times) EXPECT_EQ(EDS_Time_Text(QTime(t.H, t.M)), t.Text) << t.H << ':' << t.M;
    EXPECT_EQ(EDS_Date_Text(QDate(2026, 3, 7)), "03-07-2026");
    EXPECT_EQ(EDS_Date_Text(QDate(2026, 12, 31)), "12-31-2026");
}

TEST_F(EdsTest, GoldenSheetsOfAnEmptyAndAFullConfiguration)
{
    Write_PDOs("", "");
    Write_SDOs("", "");
    EXPECT_EQ(Sheet().toStdString(), Golden("empty.eds").toStdString());

    QByteArray rx, tx;
    for (int i = 0; i < 30; ++i) {
        rx += PDO(QByteArray::number(0x181 + i).constData(), QByteArray::number(i % 9).constData());
        tx += PDO(("0x" + QByteArray::number(0x201 + i, 16)).constData(), "8");
    }
    Write_PDOs(rx, tx);
    Write_SDOs(SDO("0x2000", "3", "1") + SDO("$2001", "0", "2") + SDO("0x2000", "26", "4"),
               SDO("0x2000", "1", "4") + SDO("x5FFF", "255", "2") + SDO("8193", "2", "1"));
    EXPECT_EQ(Sheet().toStdString(), Golden("full.eds").toStdString());
}

TEST_F(EdsTest, ObjectsOfTheTables)
{
    QByteArray rx;
    for (int i = 0; i < 11; ++i) rx += PDO(i == 0 ? "385" : "0x190", i == 0 ? "2" : "1");
    Write_PDOs(rx, "");
    Write_SDOs(SDO("0x2000", "3", "1") + SDO("0x2001", "0", "1") + SDO("0x2002", "26", "2"),
               SDO("0x2000", "1", "4") + SDO("0x2001", "1", "4") + SDO("0x2001", "2", "1"));
    const QByteArray sheet = Sheet();
    EXPECT_TRUE(sheet.startsWith("[FileInfo]\r\nFileName=DUDI_VARavov.eds\r\n"));
    EXPECT_TRUE(sheet.contains("CreationTime=03:05PM\r\nCreationDate=03-07-2026\r\n"));
    EXPECT_TRUE(sheet.contains("NrOfRXPDO=11\r\nNrOfTXPDO=0\r\n"));
    EXPECT_TRUE(sheet.contains("SupportedObjects=41\r\n1=0x1005\r\n"));
    EXPECT_TRUE(sheet.contains("8=0x1280\r\n9=0x1400\r\n10=0x1401\r\n"));
    EXPECT_TRUE(sheet.contains("41=0x700A\r\n\r\n[ManufacturerObjects]\r\nSupportedObjects=3\r\n1=0x2000\r\n2=0x2001\r\n"
                               "3=0x2002\r\n\r\n"));
    EXPECT_EQ(Section_Of(sheet, "1400sub1"), "[1400sub1]\r\nParameterName=COB-ID\r\nObjectType=0x07\r\nDataType=0x0007\r\n"
                                             "AccessType=rw\r\nDefaultValue=0x00000181\r\nPDOMapping=0\r\n");
    EXPECT_EQ(Section_Of(sheet, "1600"), "[1600]\r\nSubNumber=3\r\nParameterName=Receive PDO Mapping Parameter\r\n"
                                         "ObjectType=0x09\r\n");
    EXPECT_TRUE(Section_Of(sheet, "1600sub1").contains("DefaultValue=0x70000108\r\n"));
    EXPECT_TRUE(Section_Of(sheet, "1600sub2").contains("DefaultValue=0x70000208\r\n"));
    EXPECT_TRUE(Section_Of(sheet, "7000").contains("ParameterName=RPDO1\r\n"));
    EXPECT_TRUE(Section_Of(sheet, "7000sub2").contains("ParameterName=b2\r\n"));
    EXPECT_TRUE(Section_Of(sheet, "7000sub2").contains("AccessType=rww\r\nDefaultValue=0x00\r\nPDOMapping=1\r\n"));
    EXPECT_TRUE(Section_Of(sheet, "7009sub1").contains("ParameterName=i1\r\n"));
    EXPECT_TRUE(Section_Of(sheet, "700Asub1").contains("ParameterName=aa1\r\n"));
    // Sub-indexes 3 (read, 1 byte) and 1 (write, 4 bytes): a generated sub 0, then 1 before 3.
    EXPECT_EQ(Section_Of(sheet, "2000"), "[2000]\r\nSubNumber=3\r\nParameterName=App Vars\r\nObjectType=0x9\r\n");
    EXPECT_TRUE(Section_Of(sheet, "2000sub0").contains("DefaultValue=0x03\r\n"));
    EXPECT_LT(sheet.indexOf("[2000sub1]"), sheet.indexOf("[2000sub3]"));
    EXPECT_EQ(Section_Of(sheet, "2000sub1"),
              "[2000sub1]\r\nParameterName=Application Variable\r\nObjectType=0x7\r\nDataType=0x0007\r\n"
              "LowLimit=0x00000000\r\nHighLimit=0xFFFFFFFF\r\nDefaultValue=0x00000000\r\nAccessType=rw\r\nPDOMapping=0\r\n");
    EXPECT_TRUE(Section_Of(sheet, "2000sub3").contains("DataType=0x0005\r\nLowLimit=0x00\r\nHighLimit=0xFF\r\n"
                                                        "DefaultValue=0x00\r\nAccessType=ro\r\n"));
    // The user's own sub 0: nothing generated, counted as a row.
    EXPECT_TRUE(Section_Of(sheet, "2001").contains("SubNumber=3\r\n"));
    EXPECT_TRUE(Section_Of(sheet, "2001sub0").contains("ParameterName=Application Variable\r\n"));
    EXPECT_TRUE(Section_Of(sheet, "2002sub1A").contains("DataType=0x0006\r\n"));
    EXPECT_TRUE(sheet.endsWith("PDOMapping=0\r\n\r\n\r\n"));
}

// Numbers are read as the tables read them; a table the forms accept
// never stops the writer, and a sheet needs no more than 30 PDOs a way.
TEST_F(EdsTest, NumbersAsTheTablesReadThemAndThirtyPDOsAWay)
{
    QByteArray rx;
    for (int i = 0; i < 32; ++i) rx += PDO("$7FF", "x8");
    Write_PDOs(rx, PDO("no number", "none"));
    Write_SDOs(SDO(" 8192", "$FF", "0x4"), "");
    const TEdsConfig c = Read_EDS_Config(File_PDO_CANopen, File_SDO_Server_CANopen);
    ASSERT_EQ(c.Rx.size(), 30u);
    EXPECT_EQ(c.Rx[29].COB_ID, 2047);
    EXPECT_EQ(c.Rx[29].Dimension, 8);
    ASSERT_EQ(c.Tx.size(), 1u);
    EXPECT_EQ(c.Tx[0].COB_ID, 0) << "no number: 0";
    EXPECT_EQ(c.Tx[0].Dimension, 8) << "no number: 8";
    ASSERT_EQ(c.SDO.size(), 1u);
    EXPECT_EQ(c.SDO[0].Index, 0x2000);
    EXPECT_EQ(c.SDO[0].Subs[0].Sub, 255);
    EXPECT_EQ(c.SDO[0].Subs[0].Quantity, 4);
    EXPECT_TRUE(c.SDO[0].Subs[0].Readonly);
}

// Each fault is named in one error box and nothing is written, not even
// over an older sheet.
TEST_F(EdsTest, RefusalsWriteNothing)
{
    Load_Default_Texts();
    const String sheet = Folder.File("out.eds");
    struct TCase {
        const char* Pdo;  // null: no file
        const char* Sdo;
        String Message;
    };
    const QByteArray okPdo = "<PDO_CANopen><Receive_PDO/><Transmit_PDO/></PDO_CANopen>";
    const QByteArray okSdo = "<SDO_Server_CANopen><SDO_Read/><SDO_Write/></SDO_Server_CANopen>";
    const String pdoFile = File_PDO_CANopen, sdoFile = File_SDO_Server_CANopen;
    const TCase cases[] = {
        {nullptr, okSdo, Format(Lang_Text(Text_EDS_Missing_File), {pdoFile})},
        {okPdo, nullptr, Format(Lang_Text(Text_EDS_Missing_File), {sdoFile})},
        {"<PDO_CANopen><Receive_PDO/></PDO_CANopen>", okSdo,
         Format(Lang_Text(Text_EDS_No_Section), {pdoFile, QStringLiteral("Transmit_PDO")})},
        {okPdo, "<SDO_Server_CANopen><SDO_Write/></SDO_Server_CANopen>",
         Format(Lang_Text(Text_EDS_No_Section), {sdoFile, QStringLiteral("SDO_Read")})},
        {"<PDO_CANopen><Receive_PDO><row COB-ID=\"1\"/></Receive_PDO><Transmit_PDO/></PDO_CANopen>", okSdo,
         Format(Lang_Text(Text_EDS_Bad_Value), {pdoFile, QStringLiteral("Dimension"), 1, QStringLiteral("Receive_PDO")})},
        {okPdo,
         "<SDO_Server_CANopen><SDO_Read/><SDO_Write><row Index=\"0x2000\" SubIndex=\"1\" NByte=\"1\"/>"
         "<row Index=\"0x2000\" SubIndex=\"one\" NByte=\"1\"/></SDO_Write></SDO_Server_CANopen>",
         Format(Lang_Text(Text_EDS_Bad_Value), {sdoFile, QStringLiteral("SubIndex"), 2, QStringLiteral("SDO_Write")})},
        {okPdo,
         "<SDO_Server_CANopen><SDO_Read><row Index=\"0x2000\" SubIndex=\"1\" NByte=\"1\"/></SDO_Read><SDO_Write>"
         "<row Index=\"8192\" SubIndex=\"$01\" NByte=\"4\"/></SDO_Write></SDO_Server_CANopen>",
         Format(Lang_Text(Text_EDS_Same_Object), {QStringLiteral("0x2000"), QStringLiteral("0x01")})},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Message.toStdString());
        DeleteFile(pdoFile);
        DeleteFile(sdoFile);
        if (c.Pdo) Folder.Write("PDO_CANopen.xml", c.Pdo);
        if (c.Sdo) Folder.Write("SDO_Server_CANopen.xml", c.Sdo);
        Folder.Write("out.eds", "older sheet");
        Seams.Boxes.clear();
        Write_EDS_File(sheet);
        ASSERT_EQ(Seams.Boxes.size(), 1u);
        EXPECT_EQ(Seams.Boxes[0].Icon, TMsgBoxIcon::Error);
        EXPECT_EQ(Seams.Boxes[0].Text, c.Message);
        EXPECT_EQ(Folder.Read("out.eds"), "older sheet");
    }
    // A broken file is named with the parser's reason.
    Folder.Write("PDO_CANopen.xml", "<PDO_CANopen><Receive_PDO>");
    Seams.Boxes.clear();
    Write_EDS_File(sheet);
    ASSERT_EQ(Seams.Boxes.size(), 1u);
    EXPECT_TRUE(Seams.Boxes[0].Text.contains(pdoFile));
    EXPECT_EQ(Folder.Read("out.eds"), "older sheet");
    // And a good pair is written over it.
    Folder.Write("PDO_CANopen.xml", okPdo);
    Folder.Write("SDO_Server_CANopen.xml", okSdo);
    Seams.Boxes.clear();
    Write_EDS_File(sheet);
    EXPECT_TRUE(Seams.Boxes.empty());
    EXPECT_TRUE(Folder.Read("out.eds").startsWith("[FileInfo]\r\n"));
}

} // namespace
