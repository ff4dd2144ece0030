#pragma once

#include <optional>
#include <utility>
#include <vector>

#include <QString>

namespace mensora {

// Numbers in the dialogs' fields, in the user's notation: the shortest text that reads back
// as the value, and the value of a text (none for a text that is no number).
QString valueFieldText(double value);
std::optional<double> valueFieldNumber(const QString& text);

// A list typed as "value=text; value=text", as "0=MIN; 5=MED; 10=MAX" or measured points
// "0=0; 5=41.25". Blanks around each value and text are left out.
using ValuePairs = std::vector<std::pair<double, QString>>;
QString valuePairsText(const ValuePairs& pairs);

// The pairs, or the first item that is no "value=text" (its text, for the message).
struct ValuePairsReading
{
    ValuePairs pairs;
    std::optional<QString> wrong;
};
ValuePairsReading readValuePairs(const QString& text);

} // namespace mensora
