#pragma once

#include <optional>
#include <string>

#include "engraving/checked_job.h"
#include "engraving/checked_scale.h"
#include "model/result.h"
#include "toolpath/tool_move.h"
#include "writers/output_table.h"

namespace mensora {

// Checks, without writing, that every coordinate of a scale can be written: finite, for a
// plot file finite after scaling to plotter units, for a drawing within its limit (which
// leaves its extent, an arc's radius and the points an arc reaches finite).
class CoordinateCheck : public MoveSink
{
public:
    explicit CoordinateCheck(CoordinateRange range)
        : m_range(range)
    { }
    void move(const ToolMove& move) override;
    bool allWritable() const { return m_writable; }

private:
    void checkPoint(Coord x, Coord y) { m_writable = m_writable && writable(x) && writable(y); }
    bool writable(Coord c) const;

    CoordinateRange m_range;
    bool m_writable = true;
};

// The refusal of coordinates too large to write, naming the box most likely to blame: the
// one with the largest number that goes into them. An unrolled drum's Y is the distance
// around it, its radius times the angle.
Refusal coordinatesTooLarge(const CheckedScale& scale, bool unrolledDrum,
    const std::string& reason = " is too large: the scale's coordinates cannot be written.");

// The numbers go beyond the stripes by their height and gap: those are to blame unless a box
// holds a larger number. A reason given (a machine file's range) ends either sentence.
Refusal numbersTooLarge(const CheckedScale& scale, bool unrolledDrum,
    const std::optional<std::string>& reason = std::nullopt);

// A depth text with a character outside printable ASCII, which no machine reads.
std::optional<Refusal> depthRefusal(const std::string& depth);

// Why the output cannot hold the job's drums: a file without drums names the profiles whose
// files hold one; a program that turns a drum holds only scales around the same drum.
// Nothing when it holds them all.
std::optional<Refusal> drumRefusal(const CheckedJob& job, const OutputRow& output);

} // namespace mensora
