#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "engraving/checked_scale.h"
#include "model/scale_job.h"

namespace mensora {

// A job with every scale read and checked once (see CheckedScale), in the job's order, with
// the names the files give them and the job's mirror.
class CheckedJob
{
public:
    // Checks each scale in turn; the first refusal is returned, named for its scale when the
    // job has several (see refusalInScale).
    static Result<CheckedJob> check(const ScaleJob& job, const FontSource& fonts);

    // A job of one scale, unmirrored.
    explicit CheckedJob(CheckedScale scale);

    const std::vector<CheckedScale>& scales() const { return m_scales; }
    std::size_t size() const { return m_scales.size(); }
    const std::string& name(std::size_t index) const { return m_names.at(index); }
    const std::vector<std::string>& names() const { return m_names; }
    // "Scale 2 (Vernier 50/49)".
    std::string label(std::size_t index) const;
    bool mirror() const { return m_mirror; }

    // The refusal of scale `index`: in a job of several, it names the scale before the reason
    // ("Scale 2 (Vernier 50/49): Distance between stripes must not be 0.") and keeps its index;
    // alone, it stays as it is.
    Refusal refusalInScale(Refusal refusal, std::size_t index) const;

private:
    CheckedJob() = default;

    std::vector<CheckedScale> m_scales;
    std::vector<std::string> m_names;
    bool m_mirror = false;
};

} // namespace mensora
