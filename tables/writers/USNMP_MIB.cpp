#include "tables/writers/USNMP_MIB.h"

#include "core/UComon.h"
#include "core/ULanguage.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/Forms.h"
#include "platform/TextCodec.h"
#include "platform/Xml.h"

namespace {

// The maker's contact lines of the module identity.
const char* const Maker_Street = "Example Street 1";
const char* const Maker_Town = "00000 Zorvat (ZV)";
const char* const Maker_Country = "Examplia";
const char* const Maker_Mail_Domain = "zorvat.example";

constexpr int Default_Objects = 64;

TMIBDirection Read_Section(const TXMLNode& root, const char* name, const String& path)
{
    const TXMLNode section = root ? root.ChildNode(QString::fromLatin1(name)) : TXMLNode();
    if (!section) throw Exception(Format(Lang_Text(Text_MIB_No_Section), {path, QString::fromLatin1(name)}));
    TMIBDirection direction;
    for (const TXMLNode& row : section.ChildNodes()) {
        // A row without "Enable" is a disabled one.
        if (!row.HasAttribute(QStringLiteral("Enable")) ||
            row.Attribute(QStringLiteral("Enable")).toUpper() != QLatin1String("Y"))
            continue;
        direction.Names.push_back(row.Attribute(QStringLiteral("Description")));
        direction.Is_Int.push_back(row.Attribute(QStringLiteral("Type")).toUpper() == QLatin1String("INT"));
    }
    return direction;
}

void Publish(const TMIBObjects& objects)
{
    MIB_In_Names.Clear();
    MIB_Out_Names.Clear();
    for (const String& name : objects.In.Names) MIB_In_Names.Add(name);
    for (const String& name : objects.Out.Names) MIB_Out_Names.Add(name);
}

String Quoted(const String& text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

// One object or notification line of a direction.
void Add_Objects(QStringList& lines, const TMIBDirection& direction, const char* substitute, const char* kind,
                 const char* access, const char* parent, bool notification)
{
    for (std::size_t i = 0; i < direction.Names.size(); ++i) {
        const String k = IntToStr(int(i) + 1);
        const String& d = direction.Names[i];
        const String name = notification ? QStringLiteral("trapval") + k
                            : d.isEmpty() ? QString::fromLatin1(substitute) + k
                                          : d;
        const char* syntax = direction.Is_Int[i] ? "INTEGER" : "OCTET STRING";
        lines << name + QStringLiteral(" %1 SYNTAX %2 MAX-ACCESS %3 STATUS current DESCRIPTION ")
                            .arg(QLatin1String(kind), QLatin1String(syntax), QLatin1String(access)) +
                     Quoted(d) + QStringLiteral(" ::= { %1 %2 }").arg(QLatin1String(parent), k);
    }
}

void Add_Blocks(QStringList& lines, const char* prefix, const char* access, const char* parent)
{
    for (int b = 1; b <= 8; ++b)
        lines << QStringLiteral("%1%2 OBJECT-TYPE SYNTAX OCTET STRING MAX-ACCESS %3 STATUS current DESCRIPTION "
                                "\"data block n.%2\" ::= { %4 %2 }")
                     .arg(QLatin1String(prefix), IntToStr(b), QLatin1String(access), QLatin1String(parent));
}

} // namespace

TMIBObjects Read_MIB_Objects(const String& path)
{
    TMIBObjects objects;
    if (!FileExists(path)) {
        for (int i = 0; i < Default_Objects; ++i) {
            objects.In.Names.push_back(QStringLiteral("lampADV%1").arg(i));
            objects.In.Is_Int.push_back(true);
            objects.Out.Names.push_back(QStringLiteral("lamp%1").arg(i));
            objects.Out.Is_Int.push_back(true);
        }
        Publish(objects);
        return objects;
    }
    TXMLDocument doc;
    doc.LoadFromFile(path);
    const TXMLNode root = doc.DocumentElement();
    objects.In = Read_Section(root, "SNMP_Trap_Read", path);
    objects.Out = Read_Section(root, "SNMP_Trap_Write", path);
    Publish(objects);
    return objects;
}

QByteArray MIB_File_Bytes(const TMIBObjects& objects)
{
    QStringList lines;
    lines << "GATEWAY DEFINITIONS ::= BEGIN"
          << "IMPORTS"
          << "       MODULE-IDENTITY,OBJECT-TYPE"
          << "         FROM SNMPv2-SMI"
          << "         DisplayString, TimeStamp"
          << "         FROM SNMPv2-TC"
          << "         enterprises"
          << "         FROM RFC1155-SMI;"
          << ""
          << "identity MODULE-IDENTITY"
          << "    LAST-UPDATED \"201701310000Z\""
          << "    ORGANIZATION " + Quoted(Maker_Web_Host)
          << "    CONTACT-INFO"
          << "\t \"" + QString::fromLatin1(Maker_Street)
          << "    " + QString::fromLatin1(Maker_Town)
          << "    " + QString::fromLatin1(Maker_Country)
          << "    email:    " + QString::fromLatin1(Maker_Mail_Domain) + "\""
          << "    DESCRIPTION"
          << "\t\"MIB objects for agent module \""
          << "    REVISION     \"201701310000Z\""
          << "    DESCRIPTION"
          << "\t\"Corrected notification \""
          << "    REVISION     \"200202060000Z\""
          << "    DESCRIPTION"
          << "\t\"First draft\""
          << "    ::= { zorvat 2 }"
          << "zorvat          OBJECT IDENTIFIER ::= { enterprises " + IntToStr(MIB_Enterprise_Number) + " }"
          << "gateway OBJECT IDENTIFIER::= { zorvat 1 }"
          << "application OBJECT IDENTIFIER::= { gateway 1 }"
          << "data OBJECT IDENTIFIER::= { application 1 }"
          << "hellostring OBJECT-TYPE SYNTAX OCTET STRING MAX-ACCESS read-only  STATUS current  DESCRIPTION \"\" "
             "::= { data 1}"
          << "countin  OBJECT-TYPE SYNTAX INTEGER       MAX-ACCESS read-only  STATUS current  DESCRIPTION \"\" "
             "::= { data 2}"
          << "countout  OBJECT-TYPE SYNTAX INTEGER       MAX-ACCESS read-write STATUS current  DESCRIPTION \"\" "
             "::= { data 3}"
          << "bufferin OBJECT IDENTIFIER::= { data 4 }";
    Add_Blocks(lines, "bufferinblk", "read-only", "bufferin");
    lines << " bufferinval OBJECT IDENTIFIER::= { bufferin 9 }";
    Add_Objects(lines, objects.In, "bufferinval", "OBJECT-TYPE", "read-only", "bufferinval", false);
    lines << "bufferout OBJECT IDENTIFIER::= { data 5 }";
    Add_Blocks(lines, "bufferoutblk", "read-write", "bufferout");
    lines << " bufferoutval OBJECT IDENTIFIER::= { bufferout 9 }";
    Add_Objects(lines, objects.Out, "bufferoutval", "OBJECT-TYPE", "read-write", "bufferoutval", false);
    lines << "traps OBJECT IDENTIFIER::= { application 2 }"
          << " trapsval OBJECT IDENTIFIER::= { traps 1 }";
    Add_Objects(lines, objects.In, "", "NOTIFICATION-TYPE", "read-only", "trapsval", true);
    lines << "END";
    return EncodeWindows1252(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
}

void Write_MIB_File(const String& fileName, const TMIBObjects& objects)
{
    SaveFileOrRaise(fileName, MIB_File_Bytes(objects));
}

void Create_MIB_File(TSaveDialog* SaveMIB)
{
    SaveMIB->SetInitialDir(Project_Path);
    if (!SaveMIB->Execute()) return;
    const String fileName = SaveMIB->FileName();
    if (FileExists(fileName) &&
        MessageDlg(Lang_Text(Text_MIB_Overwrite), TMsgDlgType::mtConfirmation, mbYesNo) != mrYes)
        return;
    // Collected in full before a byte is written: a table that cannot be
    // read leaves the old module as it was.
    try {
        Write_MIB_File(fileName, Read_MIB_Objects(File_SNMP_Trap));
    } catch (const Exception& e) {
        MessageDlg(e.Message(), TMsgDlgType::mtError, TMsgDlgButtons{TMsgDlgBtn::mbOK});
    }
}
