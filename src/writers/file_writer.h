#pragma once

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "layout/drum_scale_layout.h"
#include "model/machine_job.h"
#include "toolpath/tool_move.h"
#include "writers/cutter_writer.h"
#include "writers/svg_writer.h"
#include "writers/text_sink.h"

namespace mensora {

// A writer of one whole file: it opens the file, takes the scale's moves in order and closes
// it; only then is every byte handed to the sink.
class FileWriter : public MoveSink
{
public:
    virtual void begin() = 0;
    virtual void end() = 0;
};

// Everything a writer may need beyond the moves; each writer takes the part it uses.
struct WriterInputs
{
    const MachineJob& job; // the unit, and a machine profile's settings
    std::string decimalSeparator; // of the plain program's numbers
    DrawingSettings drawing; // how an SVG drawing looks
    PlotterExtent plotOrigin; // where a cutter's drawing is moved to
    std::optional<DrumSurface> drum; // the drum a rotary axis turns, for a scale around one
    // The names of a job's scales, which drawings keep apart; empty for a job of one.
    std::vector<std::string> scaleNames {};
};

// Makes the writer of one output or dialect, writing into the sink.
using WriterMaker = std::unique_ptr<FileWriter> (*)(TextSink& sink, const WriterInputs& inputs);

// Any of the writers, which share no base of their own, as a FileWriter. A writer without a
// begin() has nothing to open its file with.
template <typename Writer>
class WholeFile final : public FileWriter
{
public:
    template <typename... Arguments>
    explicit WholeFile(Arguments&&... arguments)
        : m_writer(std::forward<Arguments>(arguments)...)
    { }

    void begin() override
    {
        if constexpr (requires(Writer & w) { w.begin(); })
            m_writer.begin();
    }
    void move(const ToolMove& move) override { m_writer.move(move); }
    void section(MoveSection section) override { m_writer.section(section); }
    void beginScale(std::size_t index) override { m_writer.beginScale(index); }
    void end() override { m_writer.end(); }

private:
    Writer m_writer;
};

template <typename Writer, typename... Arguments>
std::unique_ptr<FileWriter> wholeFile(Arguments&&... arguments)
{
    return std::make_unique<WholeFile<Writer>>(std::forward<Arguments>(arguments)...);
}

} // namespace mensora
