#include "tables/bacnet/UEDEFile.h"

#include "platform/TextCodec.h"

#include <algorithm>
#include <array>

namespace {

constexpr int EDE_Fields = 16;
// The line the EDE template puts its marker on (1-based), and how far below
// the marker the data begin: the column titles stand between them.
constexpr int Template_Marker_Line = 7;
constexpr int Data_After_Marker = 2;

bool Is_Marker(const String& line)
{
    const String trimmed = Trim(line);
    if (!trimmed.startsWith(u'#')) return false;
    return Trim(trimmed.mid(1)).startsWith(QLatin1String("mandatory"));
}

// The 0-based index of the first data line, or -1 without a marker.
qsizetype First_Data_Line(const QStringList& lines)
{
    if (lines.size() >= Template_Marker_Line && Is_Marker(lines[Template_Marker_Line - 1]))
        return Template_Marker_Line - 1 + Data_After_Marker;
    qsizetype marker = -1;
    for (qsizetype i = 0; i < lines.size(); ++i)
        if (Is_Marker(lines[i])) marker = i;
    return marker < 0 ? -1 : marker + Data_After_Marker;
}

int Integer(const String& field)
{
    return StrToIntDef(field, -1);
}

bool Yes(const String& field)
{
    return field.toUpper() == u"Y";
}

} // namespace

bool EDE_Type_Supported(int obj_type)
{
    static constexpr std::array<int, 15> supported{0, 1, 2, 3, 4, 5, 13, 14, 19, 21, 22, 23, 45, 46, 48};
    return std::find(supported.begin(), supported.end(), obj_type) != supported.end();
}

std::vector<String> Split_EDE_Line(const String& line)
{
    std::vector<String> fields;
    fields.reserve(EDE_Fields);
    String rest = line;
    const auto before_semicolon = [](const String& text) {
        const qsizetype at = text.indexOf(u';');
        return at < 0 ? String() : text.left(at);
    };
    const auto after_semicolon = [](const String& text) {
        const qsizetype at = text.indexOf(u';');
        return at < 0 ? text : text.mid(at + 1);
    };
    // The first field ends at the first ";"; every later one is cut from the
    // text that follows the previous field's ";".
    fields.push_back(Trim(before_semicolon(rest)));
    for (int i = 1; i < EDE_Fields - 1; ++i) {
        rest = Trim(after_semicolon(rest));
        fields.push_back(Trim(before_semicolon(rest)));
    }
    String last = Trim(after_semicolon(rest));
    if (last.endsWith(u';')) last.chop(1);
    fields.push_back(Trim(last));
    return fields;
}

TBACnet_Var_List Parse_EDE_Text(const String& text)
{
    TBACnet_Var_List list;
    String joined = text;
    joined.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(u'\r', u'\n');
    const QStringList lines = joined.split(u'\n');
    const qsizetype first = First_Data_Line(lines);
    if (first < 0) return list;
    for (qsizetype i = first; i < lines.size(); ++i) {
        const String line = Trim(lines[i]);
        if (line.isEmpty()) continue;
        const std::vector<String> f = Split_EDE_Line(line);
        const int type = Integer(f[3]);
        if (!EDE_Type_Supported(type)) continue;
        auto var = std::make_unique<TBACnet_Var>();
        var->Key_Name = f[0];
        var->Device_Instance = Integer(f[1]);
        var->Obj_Name = f[2];
        var->Obj_Type = type;
        var->Obj_Instance = Integer(f[4]);
        var->Description = f[5];
        var->Present_Value_Default = f[6];
        var->Min_Present_Value = f[7];
        var->Max_Present_Value = f[8];
        var->Settable = Yes(f[9]);
        var->Supports_COV = Yes(f[10]);
        var->Hi_Limit = f[11];
        var->Low_Limit = f[12];
        var->State_Text_Reference = f[13];
        var->Unit_Code = f[14];
        var->Vendor_Specific_Address = f[15];
        var->Do_Import = true;
        var->Do_Read = true;
        var->Do_Write = var->Settable;
        list.push_back(std::move(var));
    }
    return list;
}

TBACnet_Var_List Parse_EDE_Bytes(const QByteArray& bytes)
{
    return Parse_EDE_Text(DecodeText(bytes));
}

bool Load_EDE_File(const String& path, TBACnet_Var_List& list)
{
    list.clear();
    String text;
    if (!LoadTextFile(path, text)) return false;
    list = Parse_EDE_Text(text);
    return true;
}
