#include "files/job_file.h"

#include <climits>
#include <cmath>

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "files/file_head.h"
#include "files/safe_save.h"
#include "files/scale_json.h"

namespace mensora {

namespace {

constexpr const char* scalesKey = "scales";
constexpr const char* nameKey = "name";
constexpr const char* vernierKey = "vernier";

JobFileReading refused(const QString& problem)
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
    if (number > jobFileVersion)
        return QStringLiteral("%1 was written by a newer Mensora: its version is %2, and this "
                              "one reads version %3.")
            .arg(name, version.toVariant().toString())
            .arg(jobFileVersion);
    return std::nullopt;
}

QJsonObject vernierJson(const Vernier& vernier)
{
    QJsonObject object;
    object.insert(QStringLiteral("divisions"), vernier.divisions);
    object.insert(QStringLiteral("mainDivisions"), vernier.mainDivisions);
    object.insert(QStringLiteral("bothSides"), vernier.bothSides);
    return object;
}

bool readVernier(JsonReader& read, Vernier& vernier)
{
    return read.present("divisions") && read.present("mainDivisions") && read.present("bothSides")
        && read.whole("divisions", vernier.divisions, 1, maxVernierDivisions)
        && read.whole("mainDivisions", vernier.mainDivisions, 1, INT_MAX)
        && read.flag("bothSides", vernier.bothSides);
}

QByteArray version2Bytes(const ScaleJob& job)
{
    QJsonArray scales;
    for (const JobScale& scale : job.scales) {
        QJsonObject object = scaleJson(scale.parameters);
        if (!scale.name.empty())
            object.insert(QLatin1String(nameKey), QString::fromStdString(scale.name));
        if (scale.parameters.vernier.active())
            object.insert(QLatin1String(vernierKey), vernierJson(scale.parameters.vernier));
        scales.append(object);
    }
    QJsonObject object;
    object.insert(QStringLiteral("format"), QLatin1String(scaleFileFormat));
    object.insert(QStringLiteral("version"), jobFileVersion);
    object.insert(QStringLiteral("mirror"), job.mirror);
    object.insert(QLatin1String(scalesKey), scales);
    return QJsonDocument(object).toJson(QJsonDocument::Indented);
}

// One scale of a version 2 file, from the start values.
bool readJobScale(JsonReader& read, JobScale& scale)
{
    return hasEveryScaleKey(read) && readScaleJson(read, scale.parameters)
        && read.line(nameKey, scale.name, qsizetype(maxScaleNameLength))
        && read.object(
            vernierKey, [&](JsonReader& r) { return readVernier(r, scale.parameters.vernier); });
}

JobFileReading readVersion2(const QJsonObject& object, const QString& name)
{
    ScaleJob job;
    JsonReader read(object, name);
    if (!read.flag("mirror", job.mirror))
        return refused(read.problem());
    if (!read.present(scalesKey))
        return refused(read.problem());
    const QJsonValue scales = object.value(QLatin1String(scalesKey));
    if (!scales.isArray())
        return refused(QStringLiteral("%1: \"scales\" must be a list of scales.").arg(name));
    const QJsonArray list = scales.toArray();
    if (list.isEmpty())
        return refused(QStringLiteral("%1: \"scales\" holds no scale.").arg(name));
    job.scales.clear();
    for (qsizetype i = 0; i < list.size(); ++i) {
        const QString place = QStringLiteral("%1, scale %2").arg(name).arg(i + 1);
        if (!list.at(i).isObject())
            return refused(QStringLiteral("%1: it must be an object.").arg(place));
        const QJsonObject scaleObject = list.at(i).toObject();
        JsonReader scaleRead(scaleObject, place);
        JobScale scale;
        if (!readJobScale(scaleRead, scale))
            return refused(scaleRead.problem());
        job.scales.push_back(std::move(scale));
    }
    return { std::move(job), QString() };
}

// Why the name of a scale cannot be kept, or nothing.
std::optional<QString> unkeptName(const std::string& name)
{
    const QString text = QString::fromStdString(name);
    if (characterCount(text) > qsizetype(maxScaleNameLength))
        return QStringLiteral("The name holds more than %1 characters, more than a scale file "
                              "keeps.")
            .arg(maxScaleNameLength);
    if (breaksALine(text))
        return QStringLiteral("The name holds a line break or another control character, which "
                              "a scale file does not keep.");
    return std::nullopt;
}

// Why the scale's parameters cannot be kept, or nothing.
std::optional<QString> unkeptParameters(const ScaleParameters& parameters)
{
    const Vernier& vernier = parameters.vernier;
    if (vernier.active() && (vernier.divisions > maxVernierDivisions || vernier.mainDivisions < 1))
        return QStringLiteral("A vernier must have 1 to %1 divisions over at least 1 main "
                              "division.")
            .arg(maxVernierDivisions);
    return unkeptScale(parameters);
}

} // namespace

bool isSingleScale(const ScaleJob& job)
{
    if (job.scales.size() != 1 || job.mirror)
        return false;
    const JobScale& scale = job.scales.front();
    return scale.name.empty() && !scale.parameters.vernier.active()
        && scale.parameters.spacing == SpacingSettings {}
    && scale.parameters.labels == LabelSettings {} && !scale.parameters.widths.any();
}

QByteArray jobFileBytes(const ScaleJob& job)
{
    return isSingleScale(job) ? scaleFileBytes(job.scales.front().parameters) : version2Bytes(job);
}

JobFileReading parseJobFile(const QByteArray& bytes, const QString& name)
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
    if (object.value(QStringLiteral("version")).toInt() == jobFileVersion)
        return readVersion2(object, name);

    JobScale scale;
    JsonReader read(object, name);
    if (!readScaleJson(read, scale.parameters))
        return refused(read.problem());
    return { ScaleJob { { scale }, false }, QString() };
}

JobFileReading readJobFile(const QString& path)
{
    const FileHead head = readFileHead(path, maxScaleFileBytes);
    if (!head.problem.isEmpty())
        return refused(head.problem);
    return parseJobFile(head.bytes, QFileInfo(path).fileName());
}

std::optional<QString> unkeptInJobFile(const ScaleJob& job)
{
    if (job.scales.empty())
        return QStringLiteral("A job must hold at least one scale.");
    const bool several = job.scales.size() > 1;
    for (std::size_t i = 0; i < job.scales.size(); ++i) {
        const JobScale& scale = job.scales[i];
        // A name that cannot be kept would not read well in the label either.
        if (const auto problem = unkeptName(scale.name))
            return several ? QStringLiteral("Scale %1: %2").arg(i + 1).arg(*problem) : *problem;
        if (const auto problem = unkeptParameters(scale.parameters))
            return several ? QStringLiteral("%1: %2").arg(
                       QString::fromStdString(scaleLabel(i, scaleName(scale))), *problem)
                           : *problem;
    }
    return std::nullopt;
}

QString saveJobFile(const ScaleJob& job, const QString& path)
{
    const QByteArray bytes = jobFileBytes(job);
    return saveSafely(path, [&](TextSink& sink) {
        sink.write({ bytes.constData(), static_cast<std::size_t>(bytes.size()) });
    });
}

} // namespace mensora
