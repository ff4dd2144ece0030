#include "document/job_file.h"

#include <QObject>

#include "files/scale_file.h"

namespace mensora {

JobFileReading readJobFile(const QString& path)
{
    ScaleFileReading reading = readScaleFile(path);
    if (!reading)
        return { std::nullopt, reading.problem };
    ScaleJob job;
    job.scales.front().parameters = std::move(*reading.scale);
    return { std::move(job), {} };
}

std::optional<QString> unkeptInJobFile(const ScaleJob& job)
{
    if (job.scales.size() != 1)
        return QObject::tr("A scale file keeps one scale, and this job has %1.")
            .arg(job.scales.size());
    if (job.mirror)
        return QObject::tr("A scale file keeps no mirror: turn the mirror off to save the scale.");
    if (!job.scales.front().name.empty())
        return QObject::tr("A scale file keeps no name: clear the scale's name to save it.");
    return unkeptInScaleFile(job.scales.front().parameters);
}

QString saveJobFile(const ScaleJob& job, const QString& path)
{
    return saveScaleFile(job.scales.front().parameters, path);
}

} // namespace mensora
