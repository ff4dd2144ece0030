#pragma once

#include <optional>

#include <QByteArray>
#include <QString>

#include "files/json_reader.h"
#include "model/scale_parameters.h"

namespace mensora {

// A scale file (.mensora) keeps what defines a scale: every box's text exactly as typed, every
// option, and the number and mark settings, as JSON with a format name and a version. Machine
// settings and the output format are not part of a scale (they belong to the machine) and stay
// out of it.
inline constexpr const char* scaleFileFormat = "mensora-scale";
inline constexpr int scaleFileVersion = 1; // a file of one scale
inline constexpr int jobFileVersion = 2; // a job of several scales, or one named or mirrored
inline constexpr qint64 maxScaleFileBytes = 1024 * 1024; // "1 MB"

// What reading a scale file gives: the whole scale, or the one sentence that refuses the file.
struct ScaleFileReading
{
    std::optional<ScaleParameters> scale;
    QString problem; // empty when the scale was read

    explicit operator bool() const { return scale.has_value(); }
};

// The file's bytes for a scale: version 1.
QByteArray scaleFileBytes(const ScaleParameters& scale);

// Reads a scale file's bytes; `name` names the file in the refusal. Refused: bytes over
// maxScaleFileBytes, no JSON, no JSON object, another format name, a missing or newer
// version, a value of the wrong type (a number setting out of its range included), an option
// value that is not one of its names, a text over maxScaleFileText characters. Keys that the
// file lacks keep the window's start values (an unset number setting is left out); keys it
// does not know are ignored, so that a later version's files still open. A file of a job
// (see parseJobFile) gives its scale when it holds one, not named or mirrored, and is refused
// otherwise: a reader of one scale would lose the rest.
ScaleFileReading parseScaleFile(const QByteArray& bytes, const QString& name);

// Reads the scale file at `path`, refusing also a file that cannot be read.
ScaleFileReading readScaleFile(const QString& path);

// Why a scale cannot be kept in a scale file (a box or number text over maxScaleFileText
// characters, a number setting that is not finite, named by its caption), or nothing.
std::optional<QString> unkeptInScaleFile(const ScaleParameters& scale);

// Writes the scale file safely (as the programs are written). Returns an empty string on
// success, else the system's reason.
QString saveScaleFile(const ScaleParameters& scale, const QString& path);

} // namespace mensora
