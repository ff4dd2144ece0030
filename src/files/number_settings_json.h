#pragma once

#include <optional>

#include <QJsonObject>
#include <QString>

#include "files/json_reader.h"
#include "model/mark_widths.h"
#include "model/number_settings.h"

namespace mensora {

// The number settings in a scale file: "kind", "first", "step", "decimals", "height", "gap",
// "font", "orientation" (by name), "prefix" and "suffix"; a setting that is unset (its default
// follows the scale) is left out.
QJsonObject numbersJson(const NumberSettings& numbers);
// The mark settings: "endOnTotal" and "noDoubleMark", true or false.
QJsonObject marksJson(const MarkSettings& marks);

// The widths: "stripes", a list of the six kinds' widths, then "baseline" and "numbers".
QJsonObject widthsJson(const MarkWidths& widths);

// Read through a reader of the object under "numbers" or "marks". The kind runs from 0 to 6
// and the decimals from 0 to 3; the font and the texts are checked by the engraving.
bool readNumbers(JsonReader& read, NumberSettings& numbers);
bool readMarks(JsonReader& read, MarkSettings& marks);
// The widths under "widths", each a number from 0 up; a width left out is 0.
bool readWidths(JsonReader& read, MarkWidths& widths);

// Why the number settings cannot be kept (a text over maxScaleFileText characters, a number
// that is not finite, named by its caption), or nothing.
std::optional<QString> unkeptNumbers(const NumberSettings& numbers);

// Why the widths cannot be kept (one that is not a finite number from 0 up, which the reader
// would refuse, named by its caption), or nothing.
std::optional<QString> unkeptWidths(const MarkWidths& widths);

} // namespace mensora
