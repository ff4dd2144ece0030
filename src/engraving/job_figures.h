#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "model/machine_job.h"
#include "toolpath/tool_move.h"

namespace mensora {

// The smallest and largest X and Y the tool reaches, arcs included.
struct JobBox
{
    double minX = 0;
    double minY = 0;
    double maxX = 0;
    double maxY = 0;
};

// What a job takes, from the moves its file gets, in the scale's unit. A plain file's absurd
// numbers (accepted as long as they can be written) may add up to infinity.
struct JobFigures
{
    std::size_t stripes = 0;
    double cutLength = 0; // along every cut and arc, every pass
    double travelLength = 0; // from each stroke's end to the next one's start
    std::size_t plunges = 0; // every plunge, every pass; none for a laser
    std::optional<JobBox> box; // none for a file without moves
    double seconds = 0; // cuts at the feed, plunges at the plunge feed, the rest at rapid
    bool depthUsed = true; // false for a laser, which has no Z
    Unit unit = Unit::Millimetre;
    // Around a drum the figures are of its unrolled surface: the box's Y is the distance around
    // it, from its centre Y.
    bool aroundDrum = false;
};

// Adds up the figures of the moves handed to it, as the job's machine runs them: Z moves
// (plunges and lifts between the safe height and each pass's depth) only for a machine with a
// Z axis. An arc turns from its start to its end in its direction, as a controller cuts it.
class JobFiguresSink : public MoveSink
{
public:
    explicit JobFiguresSink(const MachineJob& job);
    void move(const ToolMove& move) override;
    const JobFigures& figures() const { return m_figures; }

private:
    void reach(double x, double y);
    void moveTo(double x, double y, bool cutting);
    void cutArc(const Arc& arc);
    void moveZ(double z, double rate);

    MachineJob m_job;
    bool m_zAxis;
    JobFigures m_figures;
    std::optional<std::pair<double, double>> m_at;
    double m_z;
};

// A time for people: "44 s", "6 min 44 s", "2 h 5 min", rounded to whole seconds (minutes
// from an hour on); "over 1000000000 h" beyond.
std::string durationText(double seconds);

} // namespace mensora
