#include "tables/dmx/UDMXDefValFiles.h"

#include "core/ULanguage.h"
#include "platform/Files.h"
#include "platform/Xml.h"

const TTableLayout& DMX_Default_Values_Layout()
{
    static const TTableLayout layout{
        nullptr, No_Key_Col,
        {
            {.Header = 1304, .Width = 100},
            {.Header = 1305, .Width = 100, .Color = Rgb(0xE0FAFE), .Attr = "Default_Value", .Load_Default = "0",
             .Reset = "0"},
            {.Header = 1306, .Width = 250, .Attr = "Mnemonic"},
        },
        "Row"};
    return layout;
}

int DMX_Channel_Count(const String& path)
{
    if (!FileExists(path)) return DMX_Max_Channels;
    TXMLDocument doc;
    doc.LoadFromFile(path);
    const TXMLNode root = doc.DocumentElement();
    const TXMLNode node = root ? root.ChildNode(QStringLiteral("DMX_Num_Channels")) : TXMLNode();
    if (!node) return DMX_Max_Channels;
    // A count the gateway cannot have would leave the table without rows or
    // beyond the universe: the full universe is the safe reading.
    const int count = StrToIntDef(node.Text(), -1);
    return count >= 1 && count <= DMX_Max_Channels ? count : DMX_Max_Channels;
}

std::optional<int> Check_DMX_Default_Values(const std::vector<TRowTexts>& rows)
{
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int value = StrToIntDef(rows[i][DMX_Default_Value], -1);
        if (value < 0 || value > 255) return int(i) + 1;
    }
    return std::nullopt;
}

String DMX_Fault_Text(int row)
{
    return Lang_Text(1307) + IntToStr(row) + Lang_Text(1308);
}
