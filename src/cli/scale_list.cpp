#include "cli/scale_list.h"

#include "engraving/checked_scale.h"
#include "model/scale_choices.h"

namespace mensora {

namespace {

// Its stripes, or why it is refused.
std::string stripesOrRefusal(const ScaleParameters& parameters, const FontSource& fonts)
{
    const auto checked = CheckedScale::check(parameters, fonts);
    if (!checked)
        return "refused: " + checked.refusal().message;
    if (!checked->numbers())
        return "refused: " + checked->numbers().refusal().message;
    const auto stripes = checked->graduation().count();
    return std::to_string(stripes) + (stripes == 1 ? " stripe" : " stripes");
}

} // namespace

std::string scaleListText(const ScaleJob& job, const FontSource& fonts)
{
    std::string text;
    for (std::size_t i = 0; i < job.scales.size(); ++i) {
        const ScaleParameters& p = job.scales[i].parameters;
        text += std::to_string(i + 1) + '\t' + scaleName(job.scales[i]) + '\t'
            + std::string(choiceName(p.shape)) + '\t' + std::string(choiceName(p.unit)) + '\t'
            + stripesOrRefusal(p, fonts) + '\n';
    }
    return text;
}

} // namespace mensora
