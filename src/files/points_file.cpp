#include "files/points_file.h"

#include <cmath>

#include <QFileInfo>
#include <QList>
#include <QRegularExpression>

#include "files/file_head.h"
#include "files/scale_file.h"

namespace mensora {

namespace {

PointsReading refused(const QString& problem)
{
    return { std::nullopt, problem };
}

// Two finite numbers, or none.
std::optional<MeasuredPoint> pointOf(const QString& line)
{
    static const QRegularExpression separator(QStringLiteral("[,;\\t]"));
    const QStringList fields = line.split(separator);
    if (fields.size() != 2)
        return std::nullopt;
    bool valueRead = false;
    bool positionRead = false;
    const double value = fields[0].trimmed().toDouble(&valueRead);
    const double position = fields[1].trimmed().toDouble(&positionRead);
    if (!valueRead || !positionRead || !std::isfinite(value) || !std::isfinite(position))
        return std::nullopt;
    return MeasuredPoint { value, position };
}

} // namespace

PointsReading parsePointsFile(const QByteArray& bytes, const QString& name)
{
    if (bytes.size() > maxScaleFileBytes)
        return refused(
            QStringLiteral("%1 is larger than 1 MB: it is not a file of points.").arg(name));
    std::vector<MeasuredPoint> points;
    const QList<QByteArray> lines = bytes.split('\n');
    bool first = true;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = QString::fromUtf8(lines[i]).trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const auto point = pointOf(line);
        const bool heading = first;
        first = false;
        if (!point && heading)
            continue;
        if (!point)
            return refused(QStringLiteral("%1, line %2: a point must be a value and a position, "
                                          "two numbers separated by a comma.")
                               .arg(name)
                               .arg(i + 1));
        if (points.size() == maxSpacingEntries)
            return refused(
                QStringLiteral("%1 holds more than %2 points.").arg(name).arg(maxSpacingEntries));
        points.push_back(*point);
    }
    if (points.empty())
        return refused(QStringLiteral("%1 holds no point.").arg(name));
    return { std::move(points), QString() };
}

PointsReading readPointsFile(const QString& path)
{
    const FileHead head = readFileHead(path, maxScaleFileBytes);
    if (!head.problem.isEmpty())
        return refused(head.problem);
    return parsePointsFile(head.bytes, QFileInfo(path).fileName());
}

} // namespace mensora
