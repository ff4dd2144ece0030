#pragma once

#include <optional>

#include <QByteArray>
#include <QString>

#include "files/scale_file.h"
#include "model/scale_job.h"

namespace mensora {

// A scale file of a job keeps each scale as a scale file of one keeps it. A job that version 1
// holds (one scale, not named, no vernier, evenly divided and numbered from its start
// counter-clockwise without a title, no widths, not mirrored) is written as version 1, byte for
// byte,
// so that older programs keep reading it; any other as version 2: the format name, "version"
// 2, "mirror", and "scales", a list of one object per scale in the job's order with every key
// of a version 1 scale, "name" when the user named it and "vernier" ("divisions",
// "mainDivisions", "bothSides") for a vernier.

// What reading a scale file gives: the whole job, or the one sentence that refuses the file.
struct JobFileReading
{
    std::optional<ScaleJob> job;
    QString problem; // empty when the job was read

    explicit operator bool() const { return job.has_value(); }
};

// Whether a version 1 file holds the job.
bool isSingleScale(const ScaleJob& job);

// The file's bytes for a job: version 1 (scaleFileBytes) when it holds it, else version 2.
QByteArray jobFileBytes(const ScaleJob& job);

// Reads a scale file's bytes, `name` naming the file in the refusal: a version 1 file as a
// job of one scale, refused as parseScaleFile says. A version 2 file is refused also without
// "scales" or with an empty list, for a scale that is not an object, that lacks a key every
// scale is written with (see hasEveryScaleKey) or holds a value of the wrong type, a name that
// is not a text of at most maxScaleNameLength characters on one line, or vernier numbers
// outside their limits; a key of a scale is named with the scale ("s.mensora, scale 2:
// \"length\" is missing."). Keys it does not know are ignored.
JobFileReading parseJobFile(const QByteArray& bytes, const QString& name);

// Reads the scale file at `path`, refusing also a file that cannot be read.
JobFileReading readJobFile(const QString& path);

// Why the job cannot be kept in a scale file, or nothing: a job of no scale, or the first
// scale that cannot be kept (see unkeptInScaleFile; also a name too long or of more than one
// line, a vernier outside its limits), named by its label in a job of several ("Scale 2
// (Vernier 50/49): Centre X holds more than 1,000 characters, more than a scale file keeps.").
std::optional<QString> unkeptInJobFile(const ScaleJob& job);

// Writes the job's scale file safely. Returns an empty string on success, else the system's
// reason.
QString saveJobFile(const ScaleJob& job, const QString& path);

} // namespace mensora
