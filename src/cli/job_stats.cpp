#include "cli/job_stats.h"

#include <cmath>

#include "model/scale_choices.h"
#include "writers/coordinate_text.h"

namespace mensora {

std::string jobStatsText(const JobFigures& figures, MachineProfile profile)
{
    const int decimals = machineDecimals(figures.unit);
    const std::string unit = figures.unit == Unit::Inch ? " in" : " mm";
    const auto length = [&](double value) { return fixedDecimalsText(value, decimals); };

    std::string text = "profile: " + std::string(choiceName(profile)) + "\n";
    text += "stripes: " + std::to_string(figures.stripes) + "\n";
    text += "cut length: " + length(figures.cutLength) + unit + "\n";
    text += "travel length: " + length(figures.travelLength) + unit + "\n";
    text += "plunges: " + std::to_string(figures.plunges) + "\n";
    if (figures.box) {
        const JobBox& box = *figures.box;
        text += "bounding box: X " + length(box.minX) + " to " + length(box.maxX)
            + (figures.aroundDrum ? ", around " : ", Y ") + length(box.minY) + " to "
            + length(box.maxY) + unit + "\n";
    }
    text += "estimated time: " + fixedDecimalsText(std::round(figures.seconds), 0) + " s ("
        + durationText(figures.seconds) + ")\n";
    if (!figures.depthUsed)
        text += "depth: not used\n";
    return text;
}

} // namespace mensora
