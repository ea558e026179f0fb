#include "tables/dali/UDALI_AccessFiles.h"

#include "platform/SysUtils.h"
#include "tables/dali/UDALI_AccessRules.h"

namespace {

const String Version_Comment = QStringLiteral("SW_VERSION = 1.000");
const String Root_DALI = QStringLiteral("DALI_Access");
const String Root_DALI2 = QStringLiteral("DALI2_Access");
const String Row_Element = QStringLiteral("row");

String Section(const TTableLayout& layout)
{
    return QString::fromLatin1(layout.Section);
}

String Attribute(const TTableLayout& layout, int col)
{
    return QString::fromLatin1(layout.Columns[std::size_t(col)].Attr);
}

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

const TTableLayout& DALI_Rules_Layout()
{
    using enum TEditorType;
    const TColor Device = Rgb(0xE0FAFE), Timing = Rgb(0xA8FFA8), Data = Rgb(0xFCD6F4);
    // Their pick lists are the form's own: "Type" follows "Dev/Sen", "Function" the Functions table.
    static const TTableLayout layout{
        "DALI2_SetAccess_Rules", AS_DevSen,
        {
            {.Header = 2500, .Width = 40},
            {.Header = 2501, .Hint = 2515, .Editor = edDataCheckBox, .Width = 50, .Color = Rgb(0xFFD8B0),
             .Alignment = TAlignment::taCenter, .Attr = "Enable"},
            {.Header = 2502, .Hint = 2516, .Editor = edComboList, .Items = DALI_Dev_Sen_List, .Width = 80,
             .Color = Device, .Attr = "DeviceSensor"},
            {.Header = 2503, .Hint = 2517, .Editor = edComboList, .Width = 120, .Color = Device, .Attr = "Type"},
            {.Header = 2504, .Hint = 2518, .Width = 80, .Color = Device, .Attr = "ChannelNumber"},
            {.Header = 2505, .Hint = 2519, .Width = 60, .Color = Device, .Attr = "Instance"},
            {.Header = 2510, .Hint = 2524, .Width = 70, .Color = Timing, .Attr = "Command"},
            {.Header = 2507, .Hint = 2521, .Width = 70, .Color = Timing, .Attr = "TimeSend"},
            {.Header = 2508, .Hint = 2522, .Width = 70, .Color = Timing, .Attr = "TimeOut"},
            {.Header = 2513, .Hint = 2527, .Editor = edComboList, .Width = 70, .Color = Rgb(0xD5D5FF),
             .Attr = "Function"},
            {.Header = 2509, .Hint = 2523, .Width = 70, .Color = Data, .Attr = "Position"},
            {.Header = 2558, .Hint = 2559, .Editor = edComboList, .Items = DALI_Num_Bytes_List, .Width = 70,
             .Color = Data, .Attr = "NumBytes"},
            {.Header = 2514, .Hint = 2528, .Width = 130, .Color = clWhite, .Attr = "Mnemonic"},
        }};
    return layout;
}

const TTableLayout& DALI_Functions_Layout()
{
    using enum TEditorType;
    const TColor Event = Rgb(0xA8FFA8), Target = Rgb(0xFFFFA8);
    static const TTableLayout layout{
        "DALI2_Functions_Rules", FN_Function,
        {
            {.Header = 2539, .Width = 40},
            {.Header = 2540, .Hint = 2545, .Editor = edComboList, .Items = DALI_Function_Names, .Width = 140,
             .Color = Rgb(0xE0FAFE), .Attr = "Function"},
            {.Header = 2541, .Hint = 2546, .Editor = edComboList, .Items = DALI_Condition_Names, .Width = 140,
             .Color = Event, .Attr = "Condition"},
            // An event from the list, or a typed value.
            {.Header = 2542, .Hint = 2547, .Editor = edComboEdit, .Items = DALI_Event_Names, .Width = 140,
             .Color = Event, .Attr = "Value"},
            {.Header = 2560, .Hint = 2562, .Editor = edComboList, .Items = DALI_Channel_Names(), .Width = 140,
             .Color = Target, .Attr = "Channel"},
            {.Header = 2561, .Hint = 2563, .Width = 140, .Color = Target, .Attr = "Val"},
            {.Header = 2543, .Hint = 2548, .Width = 140, .Color = Rgb(0xFFD8B0), .Attr = "Next_Function"},
            {.Header = 2544, .Hint = 2549, .Width = 200, .Attr = "Mnemonic"},
        }};
    return layout;
}

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
    const TTableLayout& functions = DALI_Functions_Layout();
    for (const TXMLNode& row : root.ChildNode(Section(functions)).ChildNodes()) {
        TDALIFunctionRow cells;
        for (int i = 0; i < DALI_Function_Cells; ++i) cells[std::size_t(i)] = row.Attribute(Attribute(functions, i + 1));
        tables.Functions.push_back(cells);
    }
    const TTableLayout& rules = DALI_Rules_Layout();
    for (const TXMLNode& row : root.ChildNode(Section(rules)).ChildNodes()) {
        TDALIRuleRow rule;
        rule.Enable = row.Attribute(Attribute(rules, AS_Enable)) != QStringLiteral("N");
        for (int i = 0; i < DALI_Rule_Cells; ++i) rule.Cells[std::size_t(i)] = row.Attribute(Attribute(rules, i + 2));
        tables.Rules.push_back(rule);
    }
    return tables;
}

void Write_DALI2_Access(TXMLDocument& doc, const TDALI2Tables& tables)
{
    TXMLNode root;
    Start_Document(doc, Root_DALI2, root);
    const TTableLayout& functionLayout = DALI_Functions_Layout();
    TXMLNode functions = root.AddChild(Section(functionLayout));
    for (const TDALIFunctionRow& cells : tables.Functions) {
        TXMLNode row = functions.AddChild(Row_Element);
        for (int i = 0; i < DALI_Function_Cells; ++i) row.SetAttribute(Attribute(functionLayout, i + 1), cells[std::size_t(i)]);
    }
    const TTableLayout& ruleLayout = DALI_Rules_Layout();
    TXMLNode rules = root.AddChild(Section(ruleLayout));
    for (const TDALIRuleRow& rule : tables.Rules) {
        TXMLNode row = rules.AddChild(Row_Element);
        row.SetAttribute(Attribute(ruleLayout, AS_Enable), Yes_No(rule.Enable));
        for (int i = 0; i < DALI_Rule_Cells; ++i) row.SetAttribute(Attribute(ruleLayout, i + 2), rule.Cells[std::size_t(i)]);
    }
}
