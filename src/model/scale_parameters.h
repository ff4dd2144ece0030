#pragma once

#include <string>

namespace mensora {

// Option3: which layout the commands run.
enum class Shape { Flat = 0, Round = 1 };

// Option4: captions and the preview's drawing scale only; never a number in a file.
enum class Unit { Millimetre = 0, Inch = 1 };

// Option1: whether a baseline is engraved after the stripes.
enum class Baseline { None = 0, Single = 1 };

// Option2: where a stripe stands relative to the baseline.
enum class StripePosition { Above = 0, Midway = 1, Under = 2 };

// Chk_plt: the file the save command writes.
enum class OutputFormat { Gcode, Plot };

// The raw state of the window's inputs for one command: every box's text exactly as it
// stands (blanks included) and the selection of every option group. Fields carry the names of
// their controls; the defaults are the window's start values. Numbers are derived from the
// texts by the number rules at the moment a command needs them.
struct ScaleParameters
{
    std::string txt_totallength = "100";
    std::string txt_dist_stripes = "1";
    std::string txt_len_str1 = "10";
    std::string txt_len_str2 = "5";
    std::string txt_len_str3 = "3";
    std::string txt_len_str4 = "10";
    std::string txt_len_str5 = "5";
    std::string txt_len_str6 = "3";
    std::string Text6 = "1333323333"; // the package
    std::string txt_startx = "0";
    std::string txt_starty = "0";
    std::string txt_engr_depth = "-0.1"; // written verbatim into every plunge
    std::string Txt_radius = "30";
    std::string Txt_start_angle = "0";
    std::string Txt_angle = "0"; // shown in the window, read by no command

    Baseline Option1 = Baseline::None;
    StripePosition Option2 = StripePosition::Above;
    Shape Option3 = Shape::Flat;
    Unit Option4 = Unit::Millimetre;
    OutputFormat Chk_plt = OutputFormat::Gcode; // checked: plot file

    // The length text of stripe kind 1 .. 6.
    const std::string& stripeLengthText(int kind) const;
};

} // namespace mensora
