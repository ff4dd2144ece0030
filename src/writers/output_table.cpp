#include "writers/output_table.h"

#include "writers/dxf_writer.h"
#include "writers/gcode_writer.h"
#include "writers/plot_writer.h"
#include "writers/svg_writer.h"

namespace mensora {

namespace {

constexpr std::array<std::string_view, 1> din = { "din" };
constexpr std::array<std::string_view, 1> plt = { "plt" };
constexpr std::array<std::string_view, 6> programs = { "din", "ngc", "nc", "gcode", "tap", "cnc" };
constexpr std::array<std::string_view, 1> svg = { "svg" };
constexpr std::array<std::string_view, 1> dxf = { "dxf" };

constexpr std::array<std::string_view, 1> pltFilter = { "PLT ( PLT ) (*.plt)|*.plt" };
// A program is often saved under its controller's extension: the plain one's dialog lists them
// too, so that no such file in the folder is hidden and replaced unseen.
constexpr std::array<std::string_view, 2> programFilters
    = { "Din ( G-Code ) (*.din)|*.din", "G-code programs|*.ngc *.nc *.gcode *.tap *.cnc" };
constexpr std::array<std::string_view, 1> svgFilter = { "SVG drawing|*.svg" };
constexpr std::array<std::string_view, 1> dxfFilter = { "DXF drawing|*.dxf" };

std::unique_ptr<FileWriter> programFile(TextSink& sink, const WriterInputs& inputs)
{
    return wholeFile<GcodeWriter>(sink, inputs.decimalSeparator);
}
std::unique_ptr<FileWriter> plotFile(TextSink& sink, const WriterInputs&)
{
    return wholeFile<PlotWriter>(sink);
}
std::unique_ptr<FileWriter> svgFile(TextSink& sink, const WriterInputs& inputs)
{
    return wholeFile<SvgWriter>(sink, inputs.job.unit, inputs.drawing, inputs.scaleNames);
}
std::unique_ptr<FileWriter> dxfFile(TextSink& sink, const WriterInputs& inputs)
{
    return wholeFile<DxfWriter>(sink, inputs.job.unit, inputs.scaleNames);
}

using P = MachineProfile;
using F = OutputFormat;
using Takes = OutputSettings;
using Range = CoordinateRange;
constexpr PointRounding Thousandths = PointRounding::Thousandths;
constexpr PointRounding Exact = PointRounding::Exact;

} // namespace

// A plain plot file has no arcs; a cutter draws a dial's base circle in chords.
// clang-format off
const std::array<OutputRow, 9> outputTable = { {
    { "gcode", F::Gcode, std::nullopt, din, programFilters, Takes::None, true, false, Range::Finite,
      Thousandths, programFile },
    { "plot", F::Plot, std::nullopt, plt, pltFilter, Takes::None, false, false,
      Range::PlotterUnits, Thousandths, plotFile },
    { "rs274", F::Gcode, P::Rs274, programs, programFilters, Takes::Machine, true, true,
      Range::Finite, Exact, dialectOf(P::Rs274).makeWriter },
    { "grbl", F::Gcode, P::Grbl, programs, programFilters, Takes::Machine, true, true,
      Range::Finite, Exact, dialectOf(P::Grbl).makeWriter },
    { "grblhal", F::Gcode, P::Grblhal, programs, programFilters, Takes::Machine, true, true,
      Range::Finite, Exact, dialectOf(P::Grblhal).makeWriter },
    { "grbl-laser", F::Gcode, P::GrblLaser, programs, programFilters, Takes::Machine, true, true,
      Range::Finite, Exact, dialectOf(P::GrblLaser).makeWriter },
    { "hpgl-cutter", F::Plot, P::HpglCutter, plt, pltFilter, Takes::Machine, true, true,
      Range::PlotterUnits, Exact, dialectOf(P::HpglCutter).makeWriter },
    { "svg", F::Svg, std::nullopt, svg, svgFilter, Takes::Drawing, true, false, Range::Drawing,
      Thousandths, svgFile },
    { "dxf", F::Dxf, std::nullopt, dxf, dxfFilter, Takes::Drawing, true, false, Range::Drawing,
      Thousandths, dxfFile },
} };
// clang-format on

const Dialect& OutputRow::dialect() const
{
    return dialectOf(profile.value_or(MachineProfile::Plain));
}

DrumForm OutputRow::drum() const
{
    if (!profile)
        return format == OutputFormat::Svg || format == OutputFormat::Dxf ? DrumForm::Unrolled
                                                                          : DrumForm::None;
    const Dialect& row = dialect();
    if (row.makeDrumWriter)
        return DrumForm::RotaryAxis;
    return row.axes == ToolAxes::Laser ? DrumForm::Unrolled : DrumForm::None;
}

const OutputRow& outputFor(OutputFormat format, MachineProfile chosen)
{
    const MachineProfile profile = dialectFor(chosen, format).profile;
    for (const OutputRow& row : outputTable)
        if (row.format == format && row.profile.value_or(MachineProfile::Plain) == profile)
            return row;
    return outputTable.front(); // every format has its plain row
}

const OutputRow* outputNamed(std::string_view name)
{
    for (const OutputRow& row : outputTable)
        if (row.name == name)
            return &row;
    return nullptr;
}

} // namespace mensora
