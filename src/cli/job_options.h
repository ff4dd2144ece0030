#pragma once

#include <cstddef>
#include <optional>

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>

#include "model/result.h"
#include "model/scale_job.h"

namespace mensora {

// What the options of a job ask for: which scale the scale, number and mark options change,
// the scales to add beside it, and the mirror.
struct JobOptions
{
    std::size_t selected = 0; // from 0; --select counts from 1
    std::optional<Vernier> addedVernier; // --add-vernier N/M, --vernier-both-sides
    bool addOtherUnit = false;
    bool mirror = false; // set by --mirror; a file's mirror stays on without it
    bool listScales = false;
};

// The options of a job: --select=N, --add-vernier=N/M, --vernier-both-sides,
// --add-other-unit, --mirror and --list-scales.
QList<QCommandLineOption> jobOptions();

// Reads them; false, with the reason, for a --select that is not a whole number from 1, an
// --add-vernier that is not two whole numbers "N/M", or --vernier-both-sides without it. The
// numbers' ranges are the vernier's to check.
bool readJobOptions(const QCommandLineParser& parser, JobOptions& options, QString& error);

// Why the job has no scale `selected`, for --select; or nothing.
std::optional<QString> missingSelection(const ScaleJob& job, std::size_t selected);

// Appends to the job the scales the options add against scale `selected`: the vernier first,
// then the other unit. Refused as vernierAgainst and otherUnitOf refuse, naming the selected
// scale in a job of several.
std::optional<Refusal> addScales(ScaleJob& job, const JobOptions& options);

} // namespace mensora
