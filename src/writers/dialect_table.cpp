#include "writers/dialect_table.h"

#include "model/scale_choices.h"
#include "writers/laser_writer.h"
#include "writers/rotary_writer.h"
#include "writers/router_writer.h"

namespace mensora {

namespace {

using S = MachineSetting;

// Words of GRBL 1.1 that both router dialects write, so that one program serves both.
constexpr std::array<std::string_view, 13> routerWords
    = { "G0", "G1", "G2", "G3", "G17", "G20", "G21", "G90", "G91.1", "G94", "M3", "M5", "M30" };
// The router's words and inverse time, for a drum's number strokes.
constexpr std::array<std::string_view, 14> rotaryWords = { "G0", "G1", "G2", "G3", "G17", "G20",
    "G21", "G90", "G91.1", "G93", "G94", "M3", "M5", "M30" };
constexpr std::array<std::string_view, 13> laserWords
    = { "G0", "G1", "G2", "G3", "G17", "G20", "G21", "G90", "G91.1", "G94", "M4", "M5", "M30" };
constexpr std::array<std::string_view, 4> plotterCommands = { "IN", "SP", "PU", "PD" };

// XY plane, the unit, absolute coordinates, arc centres as offsets, feed per minute.
constexpr std::string_view millimetreModes = "G17 G21 G90 G91.1 G94";
constexpr std::string_view inchModes = "G17 G20 G90 G91.1 G94";

// GRBL keeps line numbers up to ten million, and lines up to 80 characters.
constexpr std::size_t grblLastLineNumber = 9999999;
constexpr std::size_t grblLineLength = 80;
// grblHAL and FluidNC read lines of up to 256 characters.
constexpr std::size_t grblhalLineLength = 256;

using C = FrameCondition;

// A comment that names the program and the job, then the modes; the spindle, when it turns.
constexpr FrameLine routerOpening[]
    = { { "({title})" }, { "{modes}" }, { "M3 S{spindle}", C::Spindle } };
constexpr FrameLine routerClosing[] = { { "M5", C::Spindle }, { "M30" } };
// The drum's set-up in comments; inverse time is ended for the next program.
constexpr FrameLine rotaryOpening[] = { { "({title})" }, { "{modes}" },
    { "(Drum: axis along X turned by {axis}, Z 0 on top of the drum)" },
    { "({axis} ends at the last cut's angle: it is not turned back)" },
    { "M3 S{spindle}", C::Spindle } };
constexpr FrameLine rotaryClosing[]
    = { { "G94", C::InverseTime }, { "M5", C::Spindle }, { "M30" } };
// Laser mode on at no power: each burn sets its power.
constexpr FrameLine laserOpening[] = { { "({title})" }, { "{modes}" }, { "M4 S{off}" } };
constexpr FrameLine laserClosing[] = { { "M5" }, { "M30" } };
constexpr FrameLine plotterOpening[] = { { "IN;" }, { "SP1;" } };
constexpr FrameLine plotterClosing[] = { { "PU;SP0;" } };

constexpr ProgramFrame routerFrame { routerOpening, routerClosing };
constexpr ProgramFrame rotaryFrame { rotaryOpening, rotaryClosing };
constexpr ProgramFrame laserFrame { laserOpening, laserClosing };
constexpr ProgramFrame plotterFrame { plotterOpening, plotterClosing };

std::unique_ptr<FileWriter> routerFile(TextSink& sink, const WriterInputs& inputs)
{
    return wholeFile<RouterWriter>(sink, inputs.job);
}
std::unique_ptr<FileWriter> rotaryFile(TextSink& sink, const WriterInputs& inputs)
{
    return wholeFile<RotaryWriter>(sink, inputs.job, inputs.drum.value());
}
std::unique_ptr<FileWriter> laserFile(TextSink& sink, const WriterInputs& inputs)
{
    return wholeFile<LaserWriter>(sink, inputs.job);
}
std::unique_ptr<FileWriter> cutterFile(TextSink& sink, const WriterInputs& inputs)
{
    return wholeFile<CutterWriter>(sink, inputs.job.unit, inputs.plotOrigin, plotterFrame);
}

} // namespace

// clang-format off
constexpr std::array<Dialect, 6> dialectTable = { {
    { MachineProfile::Plain, "plain", "Plain",
      "The program's own files, G-code and plot, as always; none of the settings applies.",
      std::nullopt, ToolAxes::Z, {}, false, 0, 0, {}, {}, {}, nullptr, nullptr, {}, {} },
    { MachineProfile::Rs274, "rs274", "RS274/NGC",
      "Shapes G-code programs for LinuxCNC, Mach3/4 and most industrial controls; plot files "
      "stay plain.",
      OutputFormat::Gcode, ToolAxes::Z,
      { S::Feed, S::PlungeFeed, S::RapidRate, S::SafeHeight, S::SpindleSpeed, S::LineNumbers,
        S::Passes, S::Tool, S::VbitAngle, S::VbitTip, S::EndMillDiameter, S::Stepover },
      true, 0, 0, rotaryWords, millimetreModes, inchModes, routerFile, rotaryFile, routerFrame,
      rotaryFrame },
    { MachineProfile::Grbl, "grbl", "GRBL",
      "Shapes G-code programs for GRBL 1.1 routers and mills; plot files stay plain.",
      OutputFormat::Gcode, ToolAxes::Z,
      { S::Feed, S::PlungeFeed, S::RapidRate, S::SafeHeight, S::SpindleSpeed, S::LineNumbers,
        S::Passes, S::Tool, S::VbitAngle, S::VbitTip, S::EndMillDiameter, S::Stepover },
      true, grblLastLineNumber, grblLineLength, routerWords, millimetreModes, inchModes,
      routerFile, nullptr, routerFrame, {} },
    { MachineProfile::GrblLaser, "grbl-laser", "GRBL laser",
      "Shapes G-code programs for GRBL 1.1 in laser mode, without Z: the depth is not used; "
      "plot files stay plain.",
      OutputFormat::Gcode, ToolAxes::Laser,
      { S::Feed, S::RapidRate, S::LaserPower, S::LineNumbers, S::Passes, S::SpotWidth,
        S::LineInterval, S::SMax },
      false, grblLastLineNumber, grblLineLength, laserWords, millimetreModes, inchModes,
      laserFile, nullptr, laserFrame, {} },
    { MachineProfile::HpglCutter, "hpgl-cutter", "HP-GL cutter",
      "Shapes plot files for pen plotters and vinyl cutters; G-code programs stay plain.",
      OutputFormat::Plot, ToolAxes::Pen, { S::Feed, S::RapidRate, S::BladeOffset, S::Overcut },
      false, 0, 0, plotterCommands, {}, {}, cutterFile, nullptr, plotterFrame, {} },
    { MachineProfile::Grblhal, "grblhal", "grblHAL",
      "Shapes G-code programs for grblHAL and FluidNC, with a fourth axis to turn a drum; plot "
      "files stay plain.",
      OutputFormat::Gcode, ToolAxes::Z,
      { S::Feed, S::PlungeFeed, S::RapidRate, S::SafeHeight, S::SpindleSpeed, S::LineNumbers,
        S::Passes, S::Tool, S::VbitAngle, S::VbitTip, S::EndMillDiameter, S::Stepover },
      true, grblLastLineNumber, grblhalLineLength, rotaryWords, millimetreModes, inchModes,
      routerFile, rotaryFile, routerFrame, rotaryFrame },
} };
// clang-format on

// The rows stand in the order of the profiles and carry their choice names.
static_assert([] {
    for (std::size_t i = 0; i < dialectTable.size(); ++i)
        if (static_cast<std::size_t>(dialectTable[i].profile) != i
            || dialectTable[i].name != choiceNames<MachineProfile>()[i])
            return false;
    return true;
}());

const Dialect& dialectOf(MachineProfile profile)
{
    return dialectTable[static_cast<std::size_t>(profile)];
}

const Dialect& dialectFor(MachineProfile chosen, OutputFormat format)
{
    const Dialect& dialect = dialectOf(chosen);
    return dialect.family == format ? dialect : dialectOf(MachineProfile::Plain);
}

} // namespace mensora
