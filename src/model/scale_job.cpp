#include "model/scale_job.h"

#include <cmath>

#include "model/number_rules.h"
#include "model/number_text.h"

namespace mensora {

std::string defaultScaleName(const ScaleParameters& p)
{
    const Vernier& vernier = p.vernier;
    if (vernier.active())
        return "Vernier " + std::to_string(vernier.divisions) + "/"
            + std::to_string(vernier.mainDivisions);
    const double length = numericPrefixValue(p.length);
    const std::string size = std::isfinite(length) && std::fabs(length) < numberTextLimit
        ? numberText(length, std::nullopt)
        : p.length;
    if (p.shape == Shape::Round)
        return (p.onDrum() ? "Drum " : "Dial ") + size + "\u00b0";
    return "Ruler " + size + (p.unit == Unit::Inch ? " in" : " mm");
}

std::string scaleName(const JobScale& scale)
{
    return scale.name.empty() ? defaultScaleName(scale.parameters) : scale.name;
}

std::string scaleLabel(std::size_t index, std::string_view name)
{
    return "Scale " + std::to_string(index + 1) + " (" + std::string(name) + ")";
}

} // namespace mensora
