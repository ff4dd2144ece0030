#include "engraving/checked_job.h"

#include <utility>

namespace mensora {

Result<CheckedJob> CheckedJob::check(const ScaleJob& job, const FontSource& fonts)
{
    CheckedJob checked;
    checked.m_mirror = job.mirror;
    for (const JobScale& scale : job.scales)
        checked.m_names.push_back(scaleName(scale));
    for (std::size_t i = 0; i < job.scales.size(); ++i) {
        auto one = CheckedScale::check(job.scales[i].parameters, fonts);
        if (!one)
            return checked.refusalInScale(one.refusal(), i);
        checked.m_scales.push_back(std::move(one.value()));
    }
    if (checked.m_scales.empty())
        return Refusal { ScaleInput::Length, "A job must hold at least one scale." };
    return checked;
}

CheckedJob::CheckedJob(CheckedScale scale)
    : m_scales { std::move(scale) }
    , m_names { defaultScaleName(m_scales.front().parameters()) }
{ }

std::string CheckedJob::label(std::size_t index) const
{
    return scaleLabel(index, m_names.at(index));
}

Refusal CheckedJob::refusalInScale(Refusal refusal, std::size_t index) const
{
    if (m_names.size() < 2 || refusal.scale)
        return refusal;
    refusal.message = label(index) + ": " + refusal.message;
    refusal.scale = index;
    return refusal;
}

} // namespace mensora
