#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "model/scale_parameters.h"

namespace mensora {

// One scale of a job: what the user entered for it, and what the user named it.
struct JobScale
{
    ScaleParameters parameters;
    std::string name; // empty: named after its shape, length and unit (see scaleName)

    friend bool operator==(const JobScale&, const JobScale&) = default;
};

// What one file engraves: one scale or more, cut in the order listed, and whether the whole
// drawing is mirrored left to right for engraving the back of clear material.
struct ScaleJob
{
    std::vector<JobScale> scales { JobScale {} };
    bool mirror = false; // about the vertical line through the middle of the whole drawing

    friend bool operator==(const ScaleJob&, const ScaleJob&) = default;
};

// The name a scale goes by when the user gave it none: "Ruler 150 mm", "Ruler 6 in",
// "Dial 270°", "Drum 360°", or for a vernier "Vernier 50/49".
std::string defaultScaleName(const ScaleParameters& parameters);

// Its own name, or the default.
std::string scaleName(const JobScale& scale);

// How a refusal or a note names scale `index` (from 0) of a job: "Scale 2 (Vernier 50/49)".
std::string scaleLabel(std::size_t index, std::string_view name);

// Names hold at most this many characters.
inline constexpr std::size_t maxScaleNameLength = 100;

} // namespace mensora
