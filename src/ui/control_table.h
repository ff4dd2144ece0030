#pragma once

#include <span>
#include <string>

#include <QRect>

#include "model/scale_input.h"

namespace mensora {

enum class ControlKind { Label, TextBox, OptionButton, CheckBox, CommandButton, PictureBox, Frame };

// How a control stands when the window opens; flags that combine.
enum class ControlState : unsigned { None = 0, Selected = 1, Hidden = 2, RightAligned = 4 };

constexpr ControlState operator|(ControlState a, ControlState b)
{
    return static_cast<ControlState>(static_cast<unsigned>(a) | static_cast<unsigned>(b));
}

constexpr bool has(ControlState state, ControlState flag)
{
    return (static_cast<unsigned>(state) & static_cast<unsigned>(flag)) != 0;
}

// A rectangle in twips (1/1440 inch), relative to the client area or to the control's frame.
struct Twips
{
    int left;
    int top;
    int width;
    int height;
};

// One control of the main window as it is when the window opens.
struct ControlRow
{
    const char* name; // the widget's objectName; the buttons of an option group share it
    int index; // the button's id in its option group, -1 for a control on its own
    ControlKind kind;
    const char* container; // the frame that holds the control, nullptr for the window itself
    const char* text; // caption or start text
    ControlState state;
    Twips rect;
    int tabIndex; // keyboard order, 0 first
};

// Every control of the main window; a frame comes before the controls inside it.
std::span<const ControlRow> controlTable();

// Twips to device-independent pixels (15 twips to the pixel at 96 dots per inch).
QRect pixelRect(const Twips& twips);

// An input of the scale and the box that carries its text.
struct InputBox
{
    ScaleInput input;
    const char* name; // the box's objectName
};

// The box of every input of the scale, in the order of the inputs.
std::span<const InputBox> inputBoxes();

// The objectName of the box of an input: where a refusal puts the focus.
const char* boxNameOf(ScaleInput input);

// The option groups, by the choice each carries, and the plot check box.
inline constexpr const char* baselineGroup = "Option1";
inline constexpr const char* stripePositionGroup = "Option2";
inline constexpr const char* shapeGroup = "Option3";
inline constexpr const char* unitGroup = "Option4";
inline constexpr const char* plotBox = "Chk_plt";

} // namespace mensora
