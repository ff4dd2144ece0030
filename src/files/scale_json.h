#pragma once

#include <optional>

#include <QJsonObject>
#include <QString>

#include "files/json_reader.h"
#include "model/scale_parameters.h"

namespace mensora {

// The keys of one scale in a scale file: every box's text under the model's names, the six
// stripe lengths under "stripeLengths", every choice by name, the number and mark settings
// under "numbers" and "marks", the spacing and labels when set (see spacing_json.h), and for a
// scale with widths (see MarkWidths::any) its widths under "widths". A version 1 file holds
// them beside its format name and version; a version 2 file holds them once per scale of its
// job.
QJsonObject scaleJson(const ScaleParameters& scale);

// Reads them; a key the object lacks leaves its value as it is.
bool readScaleJson(JsonReader& read, ScaleParameters& scale);

// Whether the object holds every key each scale of a version 2 file is written with: the box
// texts, the stripe lengths and the choices (the numbers and marks keep their start values
// when left out). False, refused by the reader, at the first it lacks.
bool hasEveryScaleKey(JsonReader& read);

// Why the scale cannot be kept in a scale file (a box or number text over maxScaleFileText
// characters, a number setting that is not finite, named by its caption), or nothing.
std::optional<QString> unkeptScale(const ScaleParameters& scale);

} // namespace mensora
