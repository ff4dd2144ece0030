#pragma once

#include <span>
#include <string_view>

namespace mensora {

// When a line of a program's opening or closing is written.
enum class FrameCondition {
    Always,
    Spindle, // only when the job turns a spindle (a speed above 0)
    InverseTime, // only when the program left inverse time on: its mode is ended
};

// One line a dialect's programs open or close with. Its text may hold what the job fills in:
// "{title}" (what the program is), "{modes}" (the dialect's modes in the job's unit),
// "{spindle}" (the spindle speed), "{axis}" (the letter of a drum's rotary axis) and "{off}"
// (a laser's power 0, the power in effect until the first burn).
struct FrameLine
{
    std::string_view text;
    FrameCondition when = FrameCondition::Always;
};

// The lines before a program's first move and after its last.
struct ProgramFrame
{
    std::span<const FrameLine> opening;
    std::span<const FrameLine> closing;
};

} // namespace mensora
