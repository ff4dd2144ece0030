#include "ui/control_table.h"

namespace mensora {

namespace {

using enum ControlKind;
using enum ControlState;

// clang-format off
constexpr ControlRow controls[] = {
    { "Option4", 0, OptionButton, nullptr, "MM", Selected, { 720, 120, 735, 255 }, 58 },
    { "Option4", 1, OptionButton, nullptr, "Inch", None, { 1560, 120, 735, 255 }, 59 },
    { "Label1", -1, Label, nullptr, "Length", None, { 735, 510, 735, 255 }, 0 },
    { "txt_totallength", -1, TextBox, nullptr, "100", None, { 1440, 480, 492, 252 }, 1 },
    { "Label9", -1, Label, nullptr, "mm", None, { 2040, 480, 375, 255 }, 12 },
    { "Label6", -1, Label, nullptr, "Stripe 1)", None, { 675, 885, 615, 255 }, 8 },
    { "txt_len_str1", -1, TextBox, nullptr, "10", None, { 1440, 840, 492, 252 }, 2 },
    { "Label3", -1, Label, nullptr, "Length in mm", None, { 1995, 885, 1095, 255 }, 3 },
    { "Label7", -1, Label, nullptr, "Stripe 2)", None, { 675, 1245, 615, 255 }, 9 },
    { "txt_len_str2", -1, TextBox, nullptr, "5", None, { 1440, 1200, 492, 252 }, 4 },
    { "Label4", -1, Label, nullptr, "Length in mm", None, { 1995, 1245, 1095, 255 }, 5 },
    { "Label8", -1, Label, nullptr, "Stripe 3)", None, { 675, 1605, 615, 255 }, 10 },
    { "txt_len_str3", -1, TextBox, nullptr, "3", None, { 1440, 1560, 492, 252 }, 6 },
    { "Label5", -1, Label, nullptr, "Length in mm", None, { 2010, 1590, 1095, 255 }, 7 },
    { "Label13", -1, Label, nullptr, "Stripe 4)", None, { 675, 1965, 615, 255 }, 31 },
    { "txt_len_str4", -1, TextBox, nullptr, "10", None, { 1440, 1920, 492, 252 }, 28 },
    { "Label16", -1, Label, nullptr, "Length in mm", None, { 2025, 1935, 1095, 255 }, 34 },
    { "Label12", -1, Label, nullptr, "Stripe 5)", None, { 675, 2325, 615, 255 }, 30 },
    { "txt_len_str5", -1, TextBox, nullptr, "5", None, { 1440, 2280, 492, 252 }, 27 },
    { "Label15", -1, Label, nullptr, "Length in mm", None, { 2025, 2325, 1095, 255 }, 33 },
    { "Label11", -1, Label, nullptr, "Stripe 6)", None, { 675, 2685, 615, 255 }, 29 },
    { "txt_len_str6", -1, TextBox, nullptr, "3", None, { 1440, 2640, 492, 252 }, 26 },
    { "Label14", -1, Label, nullptr, "Length in mm", None, { 2025, 2685, 1095, 255 }, 32 },
    { "Label2", -1, Label, nullptr, "Distance between stripes", RightAligned, { 0, 3000, 1335, 375 }, 13 },
    { "txt_dist_stripes", -1, TextBox, nullptr, "1", None, { 1440, 3000, 492, 264 }, 14 },
    { "Label10", -1, Label, nullptr, "mm", None, { 2025, 3060, 735, 255 }, 15 },
    { "Label20", -1, Label, nullptr, "Start X", RightAligned, { 465, 3420, 855, 255 }, 39 },
    { "txt_startx", -1, TextBox, nullptr, "0", None, { 1440, 3360, 492, 264 }, 36 },
    { "Label19", -1, Label, nullptr, "mm", None, { 2040, 3390, 735, 255 }, 38 },
    { "Label18", -1, Label, nullptr, "Start Y", RightAligned, { 480, 3765, 840, 255 }, 37 },
    { "txt_starty", -1, TextBox, nullptr, "0", None, { 1440, 3720, 492, 252 }, 35 },
    { "Label21", -1, Label, nullptr, "mm", None, { 2040, 3765, 735, 255 }, 40 },
    { "Label23", -1, Label, nullptr, "Engr depth", RightAligned, { 480, 4080, 855, 255 }, 44 },
    { "txt_engr_depth", -1, TextBox, nullptr, "-0.1", None, { 1440, 4080, 492, 252 }, 42 },
    { "Label17", -1, Label, nullptr, "mm", None, { 2040, 4080, 735, 255 }, 43 },
    { "Label28", -1, Label, nullptr, "Angle", Hidden | RightAligned, { 360, 4440, 960, 255 }, 55 },
    { "Txt_angle", -1, TextBox, nullptr, "0", Hidden, { 1440, 4440, 492, 252 }, 54 },
    { "Label29", -1, Label, nullptr, "Grd", Hidden, { 2040, 4485, 735, 255 }, 56 },
    { "Label27", -1, Label, nullptr, "Start Angle", RightAligned, { 360, 4800, 960, 255 }, 50 },
    { "Txt_start_angle", -1, TextBox, nullptr, "0", None, { 1440, 4800, 492, 252 }, 48 },
    { "Label26", -1, Label, nullptr, "Grd", None, { 2040, 4845, 735, 255 }, 49 },
    { "Label24", -1, Label, nullptr, "Radius", RightAligned, { 480, 5160, 840, 255 }, 52 },
    { "Txt_radius", -1, TextBox, nullptr, "30", None, { 1440, 5160, 492, 252 }, 51 },
    { "Label25", -1, Label, nullptr, "mm", None, { 2040, 5205, 735, 255 }, 53 },
    { "Label22", -1, Label, nullptr, "How is 1 pakage", None, { 720, 5640, 1335, 255 }, 41 },
    { "Text6", -1, TextBox, nullptr, "1333323333", None, { 120, 5880, 2250, 300 }, 11 },
    { "Cmd_preview", -1, CommandButton, nullptr, "Preview", None, { 2400, 5880, 1020, 312 }, 16 },
    // Shown, unlike the angle row: it is the only way to reach the plot output.
    { "Chk_plt", -1, CheckBox, nullptr, "Plt uitgave", None, { 120, 6240, 1212, 252 }, 57 },
    { "Text7", -1, TextBox, nullptr, "", Hidden, { 3120, 0, 6372, 375 }, 18 },
    { "Picture1", -1, PictureBox, nullptr, "", None, { 3120, 360, 6372, 4335 }, 17 },
    { "Frame2", -1, Frame, nullptr, "Stripe Position", None, { 3480, 4785, 1935, 1095 }, 22 },
    { "Option2", 0, OptionButton, "Frame2", "Above Baseline", Selected, { 240, 240, 1455, 255 }, 23 },
    { "Option2", 1, OptionButton, "Frame2", "Midway", None, { 240, 480, 1215, 255 }, 24 },
    { "Option2", 2, OptionButton, "Frame2", "Under Baseline", None, { 240, 720, 1455, 255 }, 25 },
    { "Frame1", -1, Frame, nullptr, "Baseline", None, { 5520, 4785, 2055, 1110 }, 19 },
    { "Option1", 0, OptionButton, "Frame1", "No Base Line", Selected, { 240, 240, 1455, 255 }, 21 },
    { "Option1", 1, OptionButton, "Frame1", "Single Base Line", None, { 240, 510, 1575, 255 }, 20 },
    { "Frame3", -1, Frame, nullptr, "", None, { 7680, 4800, 1452, 1092 }, 45 },
    { "Option3", 0, OptionButton, "Frame3", "Flat", Selected, { 240, 360, 972, 252 }, 46 },
    { "Option3", 1, OptionButton, "Frame3", "Round", None, { 240, 600, 972, 252 }, 47 },
};
// clang-format on

constexpr InputBox boxes[] = {
    { ScaleInput::Length, "txt_totallength" },
    { ScaleInput::Distance, "txt_dist_stripes" },
    { ScaleInput::Stripe1, "txt_len_str1" },
    { ScaleInput::Stripe2, "txt_len_str2" },
    { ScaleInput::Stripe3, "txt_len_str3" },
    { ScaleInput::Stripe4, "txt_len_str4" },
    { ScaleInput::Stripe5, "txt_len_str5" },
    { ScaleInput::Stripe6, "txt_len_str6" },
    { ScaleInput::Package, "Text6" },
    { ScaleInput::StartX, "txt_startx" },
    { ScaleInput::StartY, "txt_starty" },
    { ScaleInput::Depth, "txt_engr_depth" },
    { ScaleInput::Radius, "Txt_radius" },
    { ScaleInput::StartAngle, "Txt_start_angle" },
};

constexpr bool boxesInOrder()
{
    for (std::size_t i = 0; i < std::size(boxes); ++i)
        if (static_cast<std::size_t>(boxes[i].input) != i)
            return false;
    return std::size(boxes) == inputTable.size();
}
static_assert(boxesInOrder(), "every input has its box, in the order of the inputs");

int toPixels(int twips)
{
    return (twips + 7) / 15; // to the nearest pixel; the table has no negative twips
}

} // namespace

std::span<const ControlRow> controlTable()
{
    return controls;
}

QRect pixelRect(const Twips& twips)
{
    return { toPixels(twips.left), toPixels(twips.top), toPixels(twips.width),
        toPixels(twips.height) };
}

std::span<const InputBox> inputBoxes()
{
    return boxes;
}

const char* boxNameOf(ScaleInput input)
{
    return boxes[static_cast<std::size_t>(input)].name;
}

} // namespace mensora
