#pragma once

#include <array>
#include <optional>
#include <span>
#include <string_view>

#include "layout/scale_arithmetic.h"
#include "model/machine_settings.h"
#include "model/number_rules.h"
#include "model/scale_parameters.h"
#include "writers/dialect_table.h"
#include "writers/file_writer.h"

namespace mensora {

// Which settings an output takes besides the scale.
enum class OutputSettings {
    None, // the program's own files: nothing but the scale
    Machine, // a machine profile's file: the machine settings
    Drawing, // a drawing: how it looks
};

// How far a file's coordinates may reach before they cannot be written.
enum class CoordinateRange {
    Finite, // any finite number
    PlotterUnits, // finite once scaled to plotter units
    Drawing, // small enough that a drawing's extent and arcs stay finite
};

// How a file holds a scale around a drum.
enum class DrumForm {
    None, // it cannot: a drum is refused
    RotaryAxis, // a program that turns the drum with its rotary axis (the dialect's drum writer)
    Unrolled, // the surface unrolled flat: around the drum along Y, from the drum's centre Y
};

// One kind of file the program writes: a plain program or plot file, each machine profile's
// file, and the two drawings. A new output is one row here and one writer.
struct OutputRow
{
    std::string_view name; // "gcode", "rs274", "svg", ...: also where its last path is kept
    OutputFormat format;
    std::optional<MachineProfile> profile; // the dialect whose file it is, if any
    std::span<const std::string_view> extensions; // the first one is its own
    // The save dialog's file types, each "description|patterns": its own first.
    std::span<const std::string_view> dialogFilters;
    OutputSettings settings;
    bool cutsArcs; // whether a dial's base circle goes into it (a cutter's in chords)
    bool machineMoves; // whether it takes the moves as its machine runs them (order, passes)
    CoordinateRange range;
    // How the layout rounds its points: a profile's writer rounds them to its own decimals.
    PointRounding rounding;
    WriterMaker makeWriter; // for a profile's file, its dialect's writer

    const Dialect& dialect() const;
    // How it holds a drum, from its dialect: a profile with a drum writer turns the drum, a
    // laser's roller and the drawings lay it flat, any other file holds none.
    DrumForm drum() const;
};

// Every output.
extern const std::array<OutputRow, 9> outputTable;

// What to write beside a scale: the file format (the plot box, or a drawing), the machine it
// is for and how a drawing looks. A machine profile shapes only files of its own family.
struct OutputRequest
{
    OutputFormat format = OutputFormat::Gcode;
    MachineSettings machine {};
    DrawingSettings drawing {};
    // The user's notation: a machine profile reads the number boxes in it, strictly.
    NumberFormat notation {};
};

// The output a request writes: a drawing, or the file of the chosen profile when the format is
// of its family, else the plain file of the format.
const OutputRow& outputFor(OutputFormat format, MachineProfile chosen);
inline const OutputRow& outputFor(const OutputRequest& request)
{
    return outputFor(request.format, request.machine.profile);
}

// The row of that name, if any.
const OutputRow* outputNamed(std::string_view name);

} // namespace mensora
