#include "tables/knx/UKNXAccessFiles.h"

namespace {

using enum TEditorType;
constexpr TAlignment Centre = TAlignment::taCenter;

const std::vector<String>& Priorities()
{
    static const std::vector<String> items = {"System", "Urgent", "Normal", "Low"};
    return items;
}

} // namespace

const TTableLayout& KNX_Access_Layout()
{
    const TColor Address = Rgb(0xE0FAFE), Frame = Rgb(0xFFFFA8), Trigger = Rgb(0xA8FFA8), Place = Rgb(0xFCD6F4);
    const auto box = [](int header, int hint, int width, TColor colour, const char* attr, const char* fallback) {
        return TTableColumn{.Header = header, .Hint = hint, .Editor = edDataCheckBox, .Width = width, .Color = colour,
                            .Alignment = Centre, .Attr = attr, .Load_Default = fallback, .Required = !fallback};
    };
    static const TTableLayout layout{
        "KNX_in_Write", KX_Source_Address,
        {
            {.Header = 2614, .Width = 40},
            box(2615, 2631, 50, Rgb(0xFFD8B0), "Enable", "Y"),
            {.Header = 2616, .Hint = 2632, .Width = 70, .Color = Address, .Attr = "Source_Address", .Required = true},
            {.Header = 2617, .Hint = 2633, .Width = 80, .Color = Address, .Attr = "Destination_Address",
             .Required = true},
            {.Header = 2618, .Hint = 2634, .Editor = edComboEdit, .Items = {"Read", "Write"}, .Width = 60,
             .Color = Address, .Attr = "APCI", .Required = true},
            // Loaded through KNX_Priority, which also gives a missing one "Normal".
            {.Header = 2619, .Hint = 2635, .Editor = edComboList, .Items = Priorities(), .Width = 75,
             .Color = Address, .Attr = "Priority", .Load_Default = "Normal"},
            {.Header = 2620, .Hint = 2636, .Editor = edComboList,
             .Items = {"None", "Swap16", "Swap32", "Swap All", "Int to Float", "Float to Int", "Float16 to Float32",
                       "Float16 to Int", "Float16 to Int * 10", "Float16 to Int * 100"},
             .Width = 110, .Color = Frame, .Attr = "Format", .Load_Default = "None"},
            box(2621, 2637, 68, Frame, "Extended", nullptr),
            box(2622, 2638, 50, Frame, "ReTest", nullptr),
            // Slot 2639 belongs to no column: the hints stay aligned with their columns.
            box(2623, 2640, 52, Trigger, "On_Command", "N"),
            box(2624, 2641, 71, Trigger, "On_Change", nullptr),
            box(2625, 2642, 62, Trigger, "On_Timer", "N"),
            {.Header = 2626, .Hint = 2643, .Width = 67, .Color = Trigger, .Attr = "Poll_Time", .Required = true},
            // Its pick list "0" to "1499" is filled at every showing.
            {.Header = 2627, .Hint = 2644, .Editor = edComboList, .Width = 55, .Color = Place, .Attr = "Position",
             .Required = true},
            {.Header = 2628, .Hint = 2645, .Editor = edComboList, .Items = {"No", "0", "1", "2", "3", "4", "5", "6", "7"},
             .Width = 55, .Color = Place, .Attr = "Bit_Mode", .Required = true},
            {.Header = 2629, .Hint = 2646, .Width = 55, .Color = Place, .Attr = "Length", .Required = true},
            {.Header = 2630, .Hint = 2647, .Width = 96, .Color = clWindow, .Attr = "Mnemonic", .Required = true},
        }};
    return layout;
}

String KNX_Priority(const String& text)
{
    for (const String& priority : Priorities())
        if (text == priority) return text;
    return QStringLiteral("Normal");
}
