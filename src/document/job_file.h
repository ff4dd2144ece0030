#pragma once

#include <optional>

#include <QString>

#include "model/scale_job.h"

namespace mensora {

// The document's one door to its file. Today's scale files keep one scale: a job is read as a
// job of that scale, and only a job of one unnamed, unmirrored scale can be written.

// What reading the file gives: the job, or the one sentence that refuses the file.
struct JobFileReading
{
    std::optional<ScaleJob> job;
    QString problem; // empty when the job was read

    explicit operator bool() const { return job.has_value(); }
};

JobFileReading readJobFile(const QString& path);

// Why the job cannot be kept in its file, in one sentence, or nothing.
std::optional<QString> unkeptInJobFile(const ScaleJob& job);

// Writes the job's file safely. Returns an empty string on success, else the reason. The job
// must be one that the file keeps (see unkeptInJobFile).
QString saveJobFile(const ScaleJob& job, const QString& path);

} // namespace mensora
