#pragma once

#include <string>
#include <vector>

namespace mensora {

// What a numbered stripe shows.
enum class LabelStyle {
    Numbers = 0, // its number, as the number settings write it
    List = 1, // the text listed for its value; a listed value between stripes gets a mark
    Fractions = 2, // its number in inch fractions: 1/16, 1/8, 3/16, … and whole inches
    Roman = 3, // its number in Roman numerals, as clock and watch dials have them
};

// A value and the text that stands for it ("0=MIN", "3.14159=π"). UTF-8.
struct ValueLabel
{
    double value = 0;
    std::string text;

    friend bool operator==(const ValueLabel&, const ValueLabel&) = default;
};

// The labels of a scale, which way its values run and its title. The defaults are numbers, as
// the number settings write them, from the start, counter-clockwise, untitled.
struct LabelSettings
{
    LabelStyle style = LabelStyle::Numbers;
    std::vector<ValueLabel> list; // a List's labels, in the order given
    bool mixedFractions = false; // 1 1/2 rather than 3/2
    bool reverse = false; // the values run from the far end; the marks stay where they are
    bool clockwise = false; // a round scale turns clockwise, without negative boxes
    std::string title; // engraved beside the scale's start in the numbers' font; UTF-8

    friend bool operator==(const LabelSettings&, const LabelSettings&) = default;
};

// The settings of the labels, as a refusal names them.
enum class LabelSetting { Style, List, Title };

// A label or a title holds at most this many characters.
inline constexpr std::size_t maxLabelLength = 40;

} // namespace mensora
