#pragma once

#include <optional>

#include <QJsonObject>
#include <QString>

#include "files/json_reader.h"
#include "model/scale_parameters.h"

namespace mensora {

// A scale's spacing and labels in a scale file, each an object of its own that a scale holds
// only when it is not at its start values: "spacing" ("law" by its word, "exponent",
// "formula", "points" as {"value", "position"} objects, "from", "to", "segments" as {"from",
// "to", "step", "package"} objects, and "minGap" when set) and "labels" ("style", "list" as
// {"value", "text"} objects, "mixedFractions", "reverse", "clockwise", "title"). A scale
// without them is evenly divided and numbered.
QJsonObject spacingJson(const SpacingSettings& spacing);
QJsonObject labelsJson(const LabelSettings& labels);

// Reads them; a key the object lacks leaves its value as it is, but a point, segment or label
// must have all its keys. Lists hold at most maxSpacingEntries objects.
bool readSpacing(JsonReader& read, SpacingSettings& spacing);
bool readLabels(JsonReader& read, LabelSettings& labels);

// Why a scale's spacing or labels cannot be kept: a number that is not finite, a text over
// maxScaleFileText characters, a list of more than maxSpacingEntries; named by its caption.
std::optional<QString> unkeptSpacing(const SpacingSettings& spacing);
std::optional<QString> unkeptLabels(const LabelSettings& labels);

} // namespace mensora
