#pragma once

#include <array>
#include <cstddef>
#include <initializer_list>
#include <optional>
#include <span>
#include <string_view>

#include "model/machine_settings.h"
#include "model/scale_parameters.h"
#include "writers/file_writer.h"
#include "writers/program_frame.h"

namespace mensora {

// What a dialect's tool moves besides X and Y.
enum class ToolAxes {
    Z, // a spindle or drag tool that goes down to the depth and up to the safe height
    Laser, // a beam switched by its power: no Z, the depth is not used
    Pen, // a plotter's pen or knife: up and down, never to a depth
};

// The settings a dialect writes into its files or uses for the job's time, as a set.
class SettingSet
{
public:
    constexpr SettingSet(std::initializer_list<MachineSetting> settings)
    {
        for (const MachineSetting setting : settings)
            m_bits |= bit(setting);
    }
    constexpr bool contains(MachineSetting setting) const { return (m_bits & bit(setting)) != 0; }

private:
    static constexpr unsigned bit(MachineSetting setting)
    {
        return 1u << static_cast<unsigned>(setting);
    }
    unsigned m_bits = 0;
};

// One machine profile: everything that the engraving, its checks, the figures, the dialog,
// the file filters and the command line know of it. A new dialect is one row here and one
// writer.
struct Dialect
{
    MachineProfile profile;
    std::string_view name; // on the command line and in the settings: "rs274"
    std::string_view caption; // in the dialog: "RS274/NGC"
    std::string_view explanation; // the dialog's line on what it writes and which files
    // The family of files it shapes; none for plain, which writes both as they always were.
    std::optional<OutputFormat> family;
    ToolAxes axes;
    SettingSet settings;
    bool readsDepth; // takes the depth box as a number (else verbatim, or not at all)
    std::size_t lastLineNumber; // the highest N it can number; 0 for no limit
    std::size_t lineLength; // the longest line it reads; 0 for no limit
    std::span<const std::string_view> words; // the only G, M words (or commands) it writes
    std::string_view millimetreModes; // the modes its programs open with, in millimetres
    std::string_view inchModes; // and in inches
    WriterMaker makeWriter; // its file; none for plain, whose file is the output's own
    // Its program of a scale around a drum, turned by a rotary axis; none where it has none.
    WriterMaker makeDrumWriter;
    ProgramFrame frame; // the lines its files open and close with
    ProgramFrame drumFrame; // and its programs of a drum

    // Whether it writes the setting into its files or uses it for the estimated time.
    constexpr bool uses(MachineSetting setting) const { return settings.contains(setting); }
    // The modes of a program in that unit.
    constexpr std::string_view modes(Unit unit) const
    {
        return unit == Unit::Inch ? inchModes : millimetreModes;
    }
};

// Every machine profile, in the order of MachineProfile.
extern const std::array<Dialect, 6> dialectTable;

// The row of a profile.
const Dialect& dialectOf(MachineProfile profile);

// The profile a file of that format is written with: the chosen one for a file of its own
// family, plain for a file of the other family or a drawing.
const Dialect& dialectFor(MachineProfile chosen, OutputFormat format);

} // namespace mensora
