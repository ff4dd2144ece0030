#include "files/scale_json.h"

#include <QJsonArray>

#include "files/number_settings_json.h"
#include "files/spacing_json.h"
#include "model/scale_choices.h"
#include "model/scale_input.h"

namespace mensora {

namespace {

// The keys of the box texts: the model's names. The six stripe lengths go under one key.
struct TextKey
{
    const char* key;
    std::string ScaleParameters::*text;
};
constexpr TextKey textKeys[] = {
    { "length", &ScaleParameters::length },
    { "distance", &ScaleParameters::distance },
    { "package", &ScaleParameters::package },
    { "startX", &ScaleParameters::startX },
    { "startY", &ScaleParameters::startY },
    { "depth", &ScaleParameters::depth },
    { "radius", &ScaleParameters::radius },
    { "startAngle", &ScaleParameters::startAngle },
};
constexpr const char* stripeLengthsKey = "stripeLengths";
constexpr const char* choiceKeys[] = {
    "baseline",
    "stripePosition",
    "shape",
    "unit",
    "surface",
    "rotaryAxis",
};
constexpr const char* numbersKey = "numbers";
constexpr const char* marksKey = "marks";
constexpr const char* widthsKey = "widths";
constexpr const char* spacingKey = "spacing";
constexpr const char* labelsKey = "labels";

QString qText(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

} // namespace

QJsonObject scaleJson(const ScaleParameters& scale)
{
    QJsonObject object;
    for (const TextKey& key : textKeys)
        object.insert(QLatin1String(key.key), QString::fromStdString(scale.*key.text));
    QJsonArray lengths;
    for (const std::string& length : scale.stripeLengths)
        lengths.append(QString::fromStdString(length));
    object.insert(QLatin1String(stripeLengthsKey), lengths);
    object.insert(QStringLiteral("baseline"), qText(choiceName(scale.baseline)));
    object.insert(QStringLiteral("stripePosition"), qText(choiceName(scale.stripePosition)));
    object.insert(QStringLiteral("shape"), qText(choiceName(scale.shape)));
    object.insert(QStringLiteral("unit"), qText(choiceName(scale.unit)));
    // Written always, as every choice is: a program that knows no drum ignores both keys and
    // reads a face file as it always has.
    object.insert(QStringLiteral("surface"), qText(choiceName(scale.surface)));
    object.insert(QStringLiteral("rotaryAxis"), qText(choiceName(scale.rotaryAxis)));
    object.insert(QLatin1String(numbersKey), numbersJson(scale.numbers));
    object.insert(QLatin1String(marksKey), marksJson(scale.marks));
    // Only when set: a scale at their start values is written as before.
    if (scale.widths.any())
        object.insert(QLatin1String(widthsKey), widthsJson(scale.widths));
    if (scale.spacing != SpacingSettings {})
        object.insert(QLatin1String(spacingKey), spacingJson(scale.spacing));
    if (scale.labels != LabelSettings {})
        object.insert(QLatin1String(labelsKey), labelsJson(scale.labels));
    return object;
}

bool readScaleJson(JsonReader& read, ScaleParameters& scale)
{
    for (const TextKey& key : textKeys)
        if (!read.text(key.key, scale.*key.text))
            return false;
    return read.texts(stripeLengthsKey, scale.stripeLengths)
        && read.choice("baseline", scale.baseline)
        && read.choice("stripePosition", scale.stripePosition) && read.choice("shape", scale.shape)
        && read.choice("unit", scale.unit) && read.choice("surface", scale.surface)
        && read.choice("rotaryAxis", scale.rotaryAxis)
        && read.object(numbersKey, [&](JsonReader& r) { return readNumbers(r, scale.numbers); })
        && read.object(marksKey, [&](JsonReader& r) { return readMarks(r, scale.marks); })
        && read.object(widthsKey, [&](JsonReader& r) { return readWidths(r, scale.widths); })
        && read.object(spacingKey, [&](JsonReader& r) { return readSpacing(r, scale.spacing); })
        && read.object(labelsKey, [&](JsonReader& r) { return readLabels(r, scale.labels); });
}

bool hasEveryScaleKey(JsonReader& read)
{
    for (const TextKey& key : textKeys)
        if (!read.present(key.key))
            return false;
    if (!read.present(stripeLengthsKey))
        return false;
    for (const char* key : choiceKeys)
        if (!read.present(key))
            return false;
    return true;
}

std::optional<QString> unkeptScale(const ScaleParameters& scale)
{
    for (const InputRow& row : inputTable) {
        const QString text = QString::fromStdString(inputText(scale, row.input));
        if (characterCount(text) > maxScaleFileText)
            return QStringLiteral("%1 holds more than 1,000 characters, more than a scale file "
                                  "keeps.")
                .arg(QString::fromStdString(inputCaption(row.input, scale.shape)));
    }
    if (auto problem = unkeptWidths(scale.widths))
        return problem;
    if (auto problem = unkeptNumbers(scale.numbers))
        return problem;
    if (auto problem = unkeptSpacing(scale.spacing))
        return problem;
    return unkeptLabels(scale.labels);
}

} // namespace mensora
