#include "files/scale_file.h"

#include <cmath>

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

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

QString qText(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

qsizetype characterCount(const QString& text)
{
    return text.toUcs4().size();
}

template <typename Choice>
QString namesOf()
{
    QStringList names;
    for (const std::string_view name : choiceNames<Choice>())
        names << qText(name);
    return names.join(QStringLiteral(" or "));
}

// Reads a file's values into a scale; the first value that cannot be read stops it with the
// sentence that refuses the file.
class ValueReader
{
public:
    ValueReader(const QJsonObject& object, const QString& name)
        : m_object(object)
        , m_name(name)
    { }

    bool text(const char* key, std::string& text)
    {
        if (!m_object.contains(QLatin1String(key)))
            return true;
        const QJsonValue value = m_object.value(QLatin1String(key));
        return value.isString() ? boxText(key, value.toString(), text) : wrongType(key, "a text");
    }

    bool stripeLengths(std::array<std::string, 6>& lengths)
    {
        const QLatin1String key(stripeLengthsKey);
        if (!m_object.contains(key))
            return true;
        const QJsonValue value = m_object.value(key);
        const QJsonArray texts = value.toArray();
        if (!value.isArray() || texts.size() != qsizetype(lengths.size()))
            return wrongType(stripeLengthsKey, "a list of six texts");
        for (std::size_t i = 0; i < lengths.size(); ++i) {
            const QJsonValue length = texts.at(qsizetype(i));
            if (!length.isString())
                return wrongType(stripeLengthsKey, "a list of six texts");
            if (!boxText(stripeLengthsKey, length.toString(), lengths[i]))
                return false;
        }
        return true;
    }

    template <typename Choice>
    bool choice(const char* key, Choice& choice)
    {
        if (!m_object.contains(QLatin1String(key)))
            return true;
        const QJsonValue value = m_object.value(QLatin1String(key));
        const auto named = choiceNamed<Choice>(value.toString().toStdString());
        if (value.isString() && named) {
            choice = *named;
            return true;
        }
        const QString got = value.isString() ? QStringLiteral("\"%1\"").arg(value.toString())
                                             : QStringLiteral("a value of another type");
        return refuse(QStringLiteral("%1: \"%2\" must be %3, not %4.")
                          .arg(m_name, QLatin1String(key), namesOf<Choice>(), got));
    }

    const QString& problem() const { return m_problem; }

private:
    bool boxText(const char* key, const QString& value, std::string& text)
    {
        if (characterCount(value) > maxScaleFileText)
            return refuse(QStringLiteral("%1: \"%2\" holds more than 1,000 characters.")
                              .arg(m_name, QLatin1String(key)));
        text = value.toStdString();
        return true;
    }
    bool wrongType(const char* key, const char* wanted)
    {
        return refuse(QStringLiteral("%1: \"%2\" must be %3.")
                          .arg(m_name, QLatin1String(key), QLatin1String(wanted)));
    }
    bool refuse(const QString& problem)
    {
        m_problem = problem;
        return false;
    }

    const QJsonObject& m_object;
    const QString& m_name;
    QString m_problem;
};

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
    ValueReader read(object, name);
    bool ok = true;
    for (const TextKey& key : textKeys)
        ok = ok && read.text(key.key, scale.*key.text);
    ok = ok && read.stripeLengths(scale.stripeLengths) && read.choice("baseline", scale.baseline)
        && read.choice("stripePosition", scale.stripePosition) && read.choice("shape", scale.shape)
        && read.choice("unit", scale.unit);
    if (!ok)
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
    return std::nullopt;
}

QString saveScaleFile(const ScaleParameters& scale, const QString& path)
{
    const QByteArray bytes = scaleFileBytes(scale);
    return saveSafely(path, [&](TextSink& sink) {
        sink.write({ bytes.constData(), std::size_t(bytes.size()) });
    });
}

} // namespace mensora
