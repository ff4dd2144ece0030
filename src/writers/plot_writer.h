#pragma once

#include <string_view>

#include "toolpath/tool_move.h"
#include "writers/line_buffer.h"
#include "writers/text_sink.h"

namespace mensora {

// Renders moves as a plot file: pen up to a rapid's point, pen down to a cut's point, at 40
// plotter units per unit; depth and height moves write nothing. CR LF after every line.
class PlotWriter : public MoveSink
{
public:
    explicit PlotWriter(TextSink& sink);

    void begin(); // "IN;" and "SP1;"
    void move(const ToolMove& move) override;
    void end(); // "SP0;", then the rest of the text to the sink

private:
    void writePoint(std::string_view pen, Coord x, Coord y);

    LineBuffer m_out;
};

} // namespace mensora
