#pragma once

#include "model/machine_job.h"
#include "toolpath/tool_move.h"
#include "writers/gcode_lines.h"
#include "writers/text_sink.h"

namespace mensora {

// The G-code program of a GRBL laser (the grbl-laser profile): no Z word anywhere. It opens
// with M4 S0, dynamic power; a travel is G0, which laser mode runs with the beam off; a burn is
// G1 (or G2, G3) at the power and the feed, S and F written when they change. Plunges and
// lifts have no line.
class LaserWriter : public MoveSink
{
public:
    LaserWriter(TextSink& sink, const MachineJob& job);

    void begin(); // the opening comment and modes, then M4 S0
    void move(const ToolMove& move) override;
    void end(); // M5, M30, then the rest of the text to the sink

private:
    void burnWords();

    const MachineJob& m_job;
    GcodeLines m_lines;
};

} // namespace mensora
