#pragma once

#include "model/machine_job.h"
#include "toolpath/tool_move.h"
#include "writers/gcode_lines.h"
#include "writers/text_sink.h"

namespace mensora {

// The G-code program of a router or mill: the rs274 and grbl profiles. It writes only words
// that GRBL 1.1 reads as well (G0 G1 G2 G3 G17 G20 G21 G90 G91.1 G94, M3 M5 M30, N F S X Y Z I
// J), so one program serves both. The tool goes to the safe height before its first travel;
// a plunge feeds down at the plunge feed to its part of the depth, a cut feeds at the feed
// (F only when it changes), a lift rises to the safe height at rapid. The spindle runs when
// a speed is set.
class RouterWriter : public MoveSink
{
public:
    RouterWriter(TextSink& sink, const MachineJob& job);

    void begin(); // the opening comment and modes, then the spindle
    void move(const ToolMove& move) override;
    void end(); // the spindle off, M30, then the rest of the text to the sink

private:
    void write(const Rapid& rapid);
    void write(const Plunge& plunge);
    void write(const Cut& cut);
    void write(const Lift& lift);
    void write(const Arc& arc);

    const MachineJob& m_job;
    GcodeLines m_lines;
    bool m_atSafeHeight = false; // unknown at the start: the first travel rises first
};

} // namespace mensora
