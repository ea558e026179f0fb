#include "tables/dali/UDALI_AccessFiles.h"

#include "platform/SysUtils.h"

namespace {

const String Version_Comment = QStringLiteral("SW_VERSION = 1.000");
const String Root_DALI = QStringLiteral("DALI_Access");
const String Root_DALI2 = QStringLiteral("DALI2_Access");
const String Section_Functions = QStringLiteral("DALI2_Functions_Rules");
const String Section_Rules = QStringLiteral("DALI2_SetAccess_Rules");
const String Row_Element = QStringLiteral("row");
const String Enable_Attribute = QStringLiteral("Enable");

String Device_Element(int n)
{
    return QStringLiteral("DALI_ID_DEVICE_") + String::number(n);
}

String Min_Max_Element(int n)
{
    return Device_Element(n) + QStringLiteral("_MIN_MAN_VALUE");
}

String Recall_Element(int n)
{
    return Device_Element(n) + QStringLiteral("_RECALL_LEVEL");
}

String Yes_No(bool ticked)
{
    return ticked ? QStringLiteral("Y") : QStringLiteral("N");
}

String One_Zero(bool ticked)
{
    return ticked ? QStringLiteral("1") : QStringLiteral("0");
}

void Start_Document(TXMLDocument& doc, const String& rootName, TXMLNode& root)
{
    doc.SetActive(true);
    doc.Clear();
    root = doc.CreateRoot(rootName);
    doc.AddDocumentComment(Version_Comment);
}

} // namespace

const std::array<String, DALI_Function_Cells> DALI_Function_Attributes = {
    QStringLiteral("Function"), QStringLiteral("Condition"),     QStringLiteral("Value"),   QStringLiteral("Channel"),
    QStringLiteral("Val"),      QStringLiteral("Next_Function"), QStringLiteral("Mnemonic")};

const std::array<String, DALI_Rule_Cells> DALI_Rule_Attributes = {
    QStringLiteral("DeviceSensor"), QStringLiteral("Type"),     QStringLiteral("ChannelNumber"),
    QStringLiteral("Instance"),     QStringLiteral("Command"),  QStringLiteral("TimeSend"),
    QStringLiteral("TimeOut"),      QStringLiteral("Function"), QStringLiteral("Position"),
    QStringLiteral("NumBytes"),     QStringLiteral("Mnemonic")};

String Check_ReCall_Level(const String& text)
{
    if (text == DALI_Recall_Min_Max || text == DALI_Recall_Old_Value) return text;
    return DALI_Recall_None;
}

String Check_Dimming_mode(const String& text)
{
    if (text == QStringLiteral("Start Break")) return text;
    return QStringLiteral("Normal");
}

bool DALI_Cell_Ticked(const String& text)
{
    return UpperCase(Trim(text)) == QStringLiteral("Y");
}

void Load_DALI_Access(const TXMLDocument& doc, TDALIDevices& devices)
{
    const TXMLNode root = doc.DocumentElement();
    for (int n = 0; n < DALI_Addresses; ++n) {
        TDALIDevice& device = devices[std::size_t(n)];
        device.Enable = Yes_No(root.ChildNode(Device_Element(n)).Text() == QStringLiteral("1"));
        if (const TXMLNode minMax = root.ChildNode(Min_Max_Element(n)))
            device.Min_Max = Yes_No(minMax.Text() == QStringLiteral("1"));
        if (const TXMLNode recall = root.ChildNode(Recall_Element(n)))
            device.Recall_Level = Check_ReCall_Level(recall.Text());
    }
}

void Write_DALI_Access(TXMLDocument& doc, const TDALIDevices& devices)
{
    TXMLNode root;
    Start_Document(doc, Root_DALI, root);
    for (int n = 0; n < DALI_Addresses; ++n) {
        const TDALIDevice& device = devices[std::size_t(n)];
        root.AddChild(Device_Element(n)).SetText(One_Zero(DALI_Cell_Ticked(device.Enable)));
        root.AddChild(Min_Max_Element(n)).SetText(One_Zero(DALI_Cell_Ticked(device.Min_Max)));
        root.AddChild(Recall_Element(n)).SetText(device.Recall_Level);
    }
}

std::vector<String> DALI_Map_Lines(const TDALIDevices& devices)
{
    std::vector<String> lines;
    int counter = 0;
    for (int r = 1; r <= DALI_Addresses; ++r) {
        if (!DALI_Cell_Ticked(devices[std::size_t(r - 1)].Enable)) continue;
        String line = String::number(r);
        for (int k = 0; k <= 6; ++k) line += QStringLiteral("; ") + String::number(counter + k);
        line += QStringLiteral(", ") + String::number(counter + 7) + QStringLiteral(";");
        lines.push_back(line);
        counter += 8;
    }
    return lines;
}

TDALI2Tables Load_DALI2_Access(const TXMLDocument& doc)
{
    TDALI2Tables tables;
    const TXMLNode root = doc.DocumentElement();
    if (root.NodeName() != Root_DALI2) return tables;
    for (const TXMLNode& row : root.ChildNode(Section_Functions).ChildNodes()) {
        TDALIFunctionRow cells;
        for (int i = 0; i < DALI_Function_Cells; ++i)
            cells[std::size_t(i)] = row.Attribute(DALI_Function_Attributes[std::size_t(i)]);
        tables.Functions.push_back(cells);
    }
    for (const TXMLNode& row : root.ChildNode(Section_Rules).ChildNodes()) {
        TDALIRuleRow rule;
        rule.Enable = row.Attribute(Enable_Attribute) != QStringLiteral("N");
        for (int i = 0; i < DALI_Rule_Cells; ++i)
            rule.Cells[std::size_t(i)] = row.Attribute(DALI_Rule_Attributes[std::size_t(i)]);
        tables.Rules.push_back(rule);
    }
    return tables;
}

void Write_DALI2_Access(TXMLDocument& doc, const TDALI2Tables& tables)
{
    TXMLNode root;
    Start_Document(doc, Root_DALI2, root);
    TXMLNode functions = root.AddChild(Section_Functions);
    for (const TDALIFunctionRow& cells : tables.Functions) {
        TXMLNode row = functions.AddChild(Row_Element);
        for (int i = 0; i < DALI_Function_Cells; ++i)
            row.SetAttribute(DALI_Function_Attributes[std::size_t(i)], cells[std::size_t(i)]);
    }
    TXMLNode rules = root.AddChild(Section_Rules);
    for (const TDALIRuleRow& rule : tables.Rules) {
        TXMLNode row = rules.AddChild(Row_Element);
        row.SetAttribute(Enable_Attribute, Yes_No(rule.Enable));
        for (int i = 0; i < DALI_Rule_Cells; ++i)
            row.SetAttribute(DALI_Rule_Attributes[std::size_t(i)], rule.Cells[std::size_t(i)]);
    }
}
