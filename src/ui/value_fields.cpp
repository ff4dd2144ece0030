#include "ui/value_fields.h"

#include <cmath>

#include <QLocale>
#include <QStringList>

#include "files/engraving_file.h"
#include "model/number_rules.h"

namespace mensora {

QString valueFieldText(double value)
{
    return QLocale::system().toString(value, 'g', QLocale::FloatingPointShortest);
}

std::optional<double> valueFieldNumber(const QString& text)
{
    const auto value = strictNumberValue(text.toStdString(), numberFormatOf());
    if (!value || !std::isfinite(*value))
        return std::nullopt;
    return value;
}

QString valuePairsText(const ValuePairs& pairs)
{
    QStringList items;
    for (const auto& [value, text] : pairs)
        items << valueFieldText(value) + u'=' + text;
    return items.join(QStringLiteral("; "));
}

ValuePairsReading readValuePairs(const QString& text)
{
    ValuePairsReading reading;
    for (const QString& item : text.split(u';', Qt::SkipEmptyParts)) {
        if (item.trimmed().isEmpty())
            continue;
        const auto value
            = item.contains(u'=') ? valueFieldNumber(item.section(u'=', 0, 0)) : std::nullopt;
        if (!value) {
            reading.wrong = item.trimmed();
            return reading;
        }
        reading.pairs.emplace_back(*value, item.section(u'=', 1).trimmed());
    }
    return reading;
}

} // namespace mensora
