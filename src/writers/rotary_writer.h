#pragma once

#include "layout/drum_scale_layout.h"
#include "model/machine_job.h"
#include "toolpath/tool_move.h"
#include "writers/gcode_lines.h"
#include "writers/text_sink.h"

namespace mensora {

// The G-code program of a scale around a drum, for a machine with a rotary axis (A or B)
// about X: the rs274 and grblhal profiles. A move's x is X, its y the axis's angle in degrees;
// the tool works at Y = the drum's centre Y, written with every travel. Rates keep the drum's
// surface at the feed:
// - a cut along X alone is at the feed, in units per minute;
// - a turn of the axis alone (the ring) at feed × 360 / (2π r) degrees per minute;
// - a cut in X and the angle together (a number's stroke) in inverse time: G93, with F on every
//   such line the reciprocal of the minutes it takes at the feed over the surface; the next
//   other feed move returns to G94 and writes its F again.
// A cut that its decimals leave where the tool is, is not written: in inverse time it would
// take no time. The program ends where its last cut ends: the axis is not turned back.
class RotaryWriter : public MoveSink
{
public:
    RotaryWriter(TextSink& sink, const MachineJob& job, const DrumSurface& surface);

    void begin(); // the opening comment and modes, the set-up's comment, then the spindle
    void move(const ToolMove& move) override;
    void end(); // the spindle off, M30, then the rest of the text to the sink

private:
    void write(const Rapid& rapid);
    void write(const Plunge& plunge);
    void write(const Cut& cut);
    void write(const Lift& lift);
    void write(const Arc& arc); // a drum has none

    // Starts a feed move's line in the mode it needs: "G1", after "G93 " or "G94 " when the
    // mode changes.
    void startFeed(bool inverseTime);
    double written(double value) const;

    const MachineJob& m_job;
    DrumSurface m_surface;
    char m_axisLetter;
    GcodeLines m_lines;
    bool m_atSafeHeight = false; // unknown at the start: the first travel rises first
    bool m_inverseTime = false;
    double m_x = 0; // where the tool stands, as written
    double m_angle = 0;
};

// The F word of an inverse-time move: its minutes' reciprocal, in decimals that keep six
// significant digits (at most 8).
int inverseTimeDecimals(double perMinute);

} // namespace mensora
