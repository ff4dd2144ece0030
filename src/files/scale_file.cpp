#include "files/scale_file.h"

#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

#include "files/job_file.h"
#include "files/safe_save.h"
#include "files/scale_json.h"

namespace mensora {

namespace {

// The scale of a job that one scale holds; a job of more is refused rather than cut short.
ScaleFileReading singleScale(const JobFileReading& reading, const QString& name)
{
    if (!reading)
        return { std::nullopt, reading.problem };
    const ScaleJob& job = *reading.job;
    if (job.scales.size() > 1)
        return { std::nullopt,
            QStringLiteral("%1 holds a job of %2 scales, which opens only as a job.")
                .arg(name)
                .arg(job.scales.size()) };
    if (job.mirror || !job.scales.front().name.empty())
        return { std::nullopt,
            QStringLiteral("%1 holds a named or mirrored scale, which opens only as a job.")
                .arg(name) };
    return { job.scales.front().parameters, QString() };
}

} // namespace

QByteArray scaleFileBytes(const ScaleParameters& scale)
{
    QJsonObject object = scaleJson(scale);
    object.insert(QStringLiteral("format"), QLatin1String(scaleFileFormat));
    object.insert(QStringLiteral("version"), scaleFileVersion);
    return QJsonDocument(object).toJson(QJsonDocument::Indented);
}

ScaleFileReading parseScaleFile(const QByteArray& bytes, const QString& name)
{
    return singleScale(parseJobFile(bytes, name), name);
}

ScaleFileReading readScaleFile(const QString& path)
{
    return singleScale(readJobFile(path), QFileInfo(path).fileName());
}

std::optional<QString> unkeptInScaleFile(const ScaleParameters& scale)
{
    return unkeptScale(scale);
}

QString saveScaleFile(const ScaleParameters& scale, const QString& path)
{
    const QByteArray bytes = scaleFileBytes(scale);
    return saveSafely(path, [&](TextSink& sink) {
        sink.write({ bytes.constData(), static_cast<std::size_t>(bytes.size()) });
    });
}

} // namespace mensora
