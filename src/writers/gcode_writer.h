#pragma once

#include <string>

#include "toolpath/tool_move.h"
#include "writers/line_buffer.h"
#include "writers/text_sink.h"

namespace mensora {

// Renders moves as a numbered G-code program: one line per move, numbered N1, N2, ... without
// gaps, ended by the M30 record; CR LF after every line, the last one included. A plunge
// writes the depth box's text as typed, or the number it carries (a scale of a job typed in
// the other unit).
class GcodeWriter : public MoveSink
{
public:
    GcodeWriter(TextSink& sink, std::string decimalSeparator);

    void begin(); // no header; the line counter starts at 1
    void move(const ToolMove& move) override;
    void end(); // "N<n> M30", then the rest of the text to the sink

private:
    void write(const Rapid& rapid);
    void write(const Plunge& plunge);
    void write(const Cut& cut);
    void write(const Lift& lift);
    void write(const Arc& arc);

    LineBuffer m_out;
};

} // namespace mensora
