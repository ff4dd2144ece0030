#include "files/number_settings_json.h"

#include <cmath>

#include <QJsonArray>

#include "model/scale_choices.h"

namespace mensora {

namespace {

void insertIfSet(QJsonObject& object, const char* key, const std::optional<double>& number)
{
    if (number)
        object.insert(QLatin1String(key), *number);
}

QString caption(NumberSetting setting)
{
    return QString::fromStdString(numberSettingCaption(setting));
}

} // namespace

QJsonObject numbersJson(const NumberSettings& numbers)
{
    QJsonObject object;
    object.insert(QStringLiteral("kind"), numbers.kind);
    object.insert(QStringLiteral("first"), numbers.first);
    insertIfSet(object, "step", numbers.step);
    if (numbers.decimals)
        object.insert(QStringLiteral("decimals"), *numbers.decimals);
    insertIfSet(object, "height", numbers.height);
    insertIfSet(object, "gap", numbers.gap);
    object.insert(QStringLiteral("font"), QString::fromStdString(numbers.font));
    const std::string_view orientation = choiceName(numbers.orientation);
    object.insert(QStringLiteral("orientation"),
        QString::fromUtf8(orientation.data(), qsizetype(orientation.size())));
    object.insert(QStringLiteral("prefix"), QString::fromStdString(numbers.prefix));
    object.insert(QStringLiteral("suffix"), QString::fromStdString(numbers.suffix));
    return object;
}

QJsonObject marksJson(const MarkSettings& marks)
{
    return { { QStringLiteral("endOnTotal"), marks.endOnTotal },
        { QStringLiteral("noDoubleMark"), marks.noDoubleMark } };
}

QJsonObject widthsJson(const MarkWidths& widths)
{
    QJsonArray stripes;
    for (const double width : widths.stripes)
        stripes.append(width);
    return { { QStringLiteral("stripes"), stripes },
        { QStringLiteral("baseline"), widths.baseline },
        { QStringLiteral("numbers"), widths.numbers } };
}

bool readNumbers(JsonReader& read, NumberSettings& numbers)
{
    return read.whole("kind", numbers.kind, 0, 6) && read.number("first", numbers.first)
        && read.number("step", numbers.step) && read.whole("decimals", numbers.decimals, 0, 3)
        && read.number("height", numbers.height) && read.number("gap", numbers.gap)
        && read.text("font", numbers.font) && read.choice("orientation", numbers.orientation)
        && read.text("prefix", numbers.prefix) && read.text("suffix", numbers.suffix);
}

bool readMarks(JsonReader& read, MarkSettings& marks)
{
    return read.flag("endOnTotal", marks.endOnTotal)
        && read.flag("noDoubleMark", marks.noDoubleMark);
}

bool readWidths(JsonReader& read, MarkWidths& widths)
{
    return read.widths("stripes", widths.stripes) && read.width("baseline", widths.baseline)
        && read.width("numbers", widths.numbers);
}

// JSON has no infinity: a number that is not finite would not come back.
std::optional<QString> unkeptNumbers(const NumberSettings& numbers)
{
    const std::pair<NumberSetting, std::optional<double>> values[] = {
        { NumberSetting::First, numbers.first },
        { NumberSetting::Step, numbers.step },
        { NumberSetting::Height, numbers.height },
        { NumberSetting::Gap, numbers.gap },
    };
    for (const auto& [setting, value] : values)
        if (value && !std::isfinite(*value))
            return QStringLiteral("%1 is not a finite number, which a scale file cannot keep.")
                .arg(caption(setting));
    const std::pair<NumberSetting, const std::string*> texts[] = {
        { NumberSetting::Font, &numbers.font },
        { NumberSetting::Prefix, &numbers.prefix },
        { NumberSetting::Suffix, &numbers.suffix },
    };
    for (const auto& [setting, text] : texts)
        if (characterCount(QString::fromStdString(*text)) > maxScaleFileText)
            return QStringLiteral("%1 holds more than 1,000 characters, more than a scale file "
                                  "keeps.")
                .arg(caption(setting));
    return std::nullopt;
}

std::optional<QString> unkeptWidths(const MarkWidths& widths)
{
    for (const WidthSetting setting : widthSettings) {
        const double width = widths.of(setting);
        if (!std::isfinite(width) || width < 0)
            return QStringLiteral("%1 is not a number from 0 up, which a scale file cannot keep.")
                .arg(QString::fromStdString(widthSettingCaption(setting)));
    }
    return std::nullopt;
}

} // namespace mensora
