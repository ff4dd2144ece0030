#include "files/scale_file.h"

#include <cmath>

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "files/number_settings_json.h"
#include "files/safe_save.h"
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
constexpr const char* numbersKey = "numbers";
constexpr const char* marksKey = "marks";

QString qText(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

ScaleFileReading refused(const QString& problem)
{
    return { std::nullopt, problem };
}

// The format name and the version, before anything else is read.
std::optional<QString> wrongFormat(const QJsonObject& object, const QString& name)
{
    if (object.value(QStringLiteral("format")) != QJsonValue(QLatin1String(scaleFileFormat)))
        return QStringLiteral("%1 is not a scale file: its format is not \"%2\".")
            .arg(name, QLatin1String(scaleFileFormat));
    const QJsonValue version = object.value(QStringLiteral("version"));
    const double number = version.toDouble();
    if (!version.isDouble() || std::floor(number) != number || number < 1)
        return QStringLiteral("%1: \"version\" must be a whole number from 1 up.").arg(name);
    if (number > scaleFileVersion)
        return QStringLiteral("%1 was written by a newer Mensora: its version is %2, and this "
                              "one reads version %3.")
            .arg(name, version.toVariant().toString())
            .arg(scaleFileVersion);
    return std::nullopt;
}

bool readScale(JsonReader& read, ScaleParameters& scale)
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
        && read.object(marksKey, [&](JsonReader& r) { return readMarks(r, scale.marks); });
}

} // namespace

QByteArray scaleFileBytes(const ScaleParameters& scale)
{
    QJsonObject object;
    object.insert(QStringLiteral("format"), QLatin1String(scaleFileFormat));
    object.insert(QStringLiteral("version"), scaleFileVersion);
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
    return QJsonDocument(object).toJson(QJsonDocument::Indented);
}

ScaleFileReading parseScaleFile(const QByteArray& bytes, const QString& name)
{
    if (bytes.size() > maxScaleFileBytes)
        return refused(QStringLiteral("%1 is larger than 1 MB: it is not a scale file.").arg(name));
    QJsonParseError error {};
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError)
        return refused(
            QStringLiteral("%1 is not a scale file: it is not JSON (%2 at character %3).")
                .arg(name, error.errorString())
                .arg(error.offset));
    if (!document.isObject())
        return refused(
            QStringLiteral("%1 is not a scale file: it holds no JSON object.").arg(name));
    const QJsonObject object = document.object();
    if (const auto problem = wrongFormat(object, name))
        return refused(*problem);

    ScaleParameters scale;
    JsonReader read(object, name);
    if (!readScale(read, scale))
        return refused(read.problem());
    return { scale, QString() };
}

ScaleFileReading readScaleFile(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return refused(QStringLiteral("%1 cannot be read: %2.").arg(name, file.errorString()));
    // One byte more than a scale file may hold tells a larger file, without reading it all.
    const QByteArray bytes = file.read(maxScaleFileBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return refused(QStringLiteral("%1 cannot be read: %2.").arg(name, file.errorString()));
    return parseScaleFile(bytes, name);
}

std::optional<QString> unkeptInScaleFile(const ScaleParameters& scale)
{
    for (const InputRow& row : inputTable) {
        const QString text = QString::fromStdString(inputText(scale, row.input));
        if (characterCount(text) > maxScaleFileText)
            return QStringLiteral("%1 holds more than 1,000 characters, more than a scale file "
                                  "keeps.")
                .arg(QString::fromStdString(inputCaption(row.input, scale.shape)));
    }
    return unkeptNumbers(scale.numbers);
}

QString saveScaleFile(const ScaleParameters& scale, const QString& path)
{
    const QByteArray bytes = scaleFileBytes(scale);
    return saveSafely(path, [&](TextSink& sink) {
        sink.write({ bytes.constData(), static_cast<std::size_t>(bytes.size()) });
    });
}

} // namespace mensora
