#pragma once

#include <optional>
#include <vector>

#include <QByteArray>
#include <QString>

#include "model/spacing_settings.h"

namespace mensora {

// What reading a file of measured points gives: the points, or the one sentence that refuses
// the file.
struct PointsReading
{
    std::optional<std::vector<MeasuredPoint>> points;
    QString problem; // empty when the points were read

    explicit operator bool() const { return points.has_value(); }
};

// Reads a CSV file of measured points: one point a line, its value and its position separated
// by a comma, a semicolon or a tab, "." the decimal point; blank lines and lines starting with
// "#" are passed over, and so is a first line that is not two numbers (a heading). Refused,
// naming the file and the line, for any other line that is not two finite numbers, for more
// than maxSpacingEntries points or none, and for more than 1 MB. Whether the points rise and
// never turn back is the spacing's to check.
PointsReading parsePointsFile(const QByteArray& bytes, const QString& name);

// Reads the file at `path`, refusing also a file that cannot be read.
PointsReading readPointsFile(const QString& path);

} // namespace mensora
