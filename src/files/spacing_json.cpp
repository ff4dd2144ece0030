#include "files/spacing_json.h"

#include <cmath>

#include <QJsonArray>

#include "model/label_text.h"
#include "model/scale_choices.h"
#include "model/value_laws.h"

namespace mensora {

namespace {

template <typename Choice>
QString nameOf(Choice choice)
{
    const std::string_view name = choiceName(choice);
    return QString::fromUtf8(name.data(), qsizetype(name.size()));
}

QString text(const std::string& value)
{
    return QString::fromStdString(value);
}

constexpr auto most = static_cast<qsizetype>(maxSpacingEntries);

bool readPoint(JsonReader& read, MeasuredPoint& point)
{
    return read.present("value") && read.present("position") && read.number("value", point.value)
        && read.number("position", point.position);
}

bool readSegment(JsonReader& read, ValueSegment& segment)
{
    return read.present("from") && read.present("to") && read.present("step")
        && read.present("package") && read.number("from", segment.from)
        && read.number("to", segment.to) && read.number("step", segment.step)
        && read.text("package", segment.package);
}

bool readLabel(JsonReader& read, ValueLabel& label)
{
    return read.present("value") && read.present("text") && read.number("value", label.value)
        && read.text("text", label.text);
}

// Each object of a list, read into an item of its own from the start values.
template <typename Item>
bool readList(JsonReader& read, const char* key, std::vector<Item>& items,
    bool (*readItem)(JsonReader&, Item&))
{
    std::vector<Item> list;
    const bool done = read.objects(key, most, [&](JsonReader& r) {
        Item item;
        if (!readItem(r, item))
            return false;
        list.push_back(std::move(item));
        return true;
    });
    if (done && !list.empty())
        items = std::move(list);
    return done;
}

bool finite(double value)
{
    return std::isfinite(value);
}

QString notFinite(const QString& caption)
{
    return QStringLiteral("%1 holds a number that is not finite, which a scale file cannot keep.")
        .arg(caption);
}

QString tooLong(const QString& caption)
{
    return QStringLiteral("%1 holds more than 1,000 characters, more than a scale file keeps.")
        .arg(caption);
}

QString tooMany(const QString& caption)
{
    return QStringLiteral("%1 holds more than %2 entries, more than a scale file keeps.")
        .arg(caption)
        .arg(maxSpacingEntries);
}

QString caption(SpacingSetting setting)
{
    return QString::fromStdString(spacingSettingCaption(setting));
}

QString caption(LabelSetting setting)
{
    return QString::fromStdString(labelSettingCaption(setting));
}

bool kept(const std::string& value)
{
    return characterCount(text(value)) <= maxScaleFileText;
}

} // namespace

QJsonObject spacingJson(const SpacingSettings& s)
{
    QJsonArray points;
    for (const MeasuredPoint& point : s.points)
        points.append(QJsonObject { { QStringLiteral("value"), point.value },
            { QStringLiteral("position"), point.position } });
    QJsonArray segments;
    for (const ValueSegment& segment : s.segments)
        segments.append(QJsonObject { { QStringLiteral("from"), segment.from },
            { QStringLiteral("to"), segment.to }, { QStringLiteral("step"), segment.step },
            { QStringLiteral("package"), text(segment.package) } });
    QJsonObject object { { QStringLiteral("law"), nameOf(s.law) },
        { QStringLiteral("exponent"), s.exponent }, { QStringLiteral("formula"), text(s.formula) },
        { QStringLiteral("points"), points }, { QStringLiteral("from"), s.from },
        { QStringLiteral("to"), s.to }, { QStringLiteral("segments"), segments } };
    if (s.minGap)
        object.insert(QStringLiteral("minGap"), *s.minGap);
    return object;
}

QJsonObject labelsJson(const LabelSettings& l)
{
    QJsonArray list;
    for (const ValueLabel& label : l.list)
        list.append(QJsonObject { { QStringLiteral("value"), label.value },
            { QStringLiteral("text"), text(label.text) } });
    return { { QStringLiteral("style"), nameOf(l.style) }, { QStringLiteral("list"), list },
        { QStringLiteral("mixedFractions"), l.mixedFractions },
        { QStringLiteral("reverse"), l.reverse }, { QStringLiteral("clockwise"), l.clockwise },
        { QStringLiteral("title"), text(l.title) } };
}

bool readSpacing(JsonReader& read, SpacingSettings& s)
{
    return read.choice("law", s.law) && read.number("exponent", s.exponent)
        && read.text("formula", s.formula) && readList(read, "points", s.points, readPoint)
        && read.number("from", s.from) && read.number("to", s.to)
        && readList(read, "segments", s.segments, readSegment) && read.number("minGap", s.minGap);
}

bool readLabels(JsonReader& read, LabelSettings& l)
{
    return read.choice("style", l.style) && readList(read, "list", l.list, readLabel)
        && read.flag("mixedFractions", l.mixedFractions) && read.flag("reverse", l.reverse)
        && read.flag("clockwise", l.clockwise) && read.text("title", l.title);
}

std::optional<QString> unkeptSpacing(const SpacingSettings& s)
{
    if (!finite(s.exponent))
        return notFinite(caption(SpacingSetting::Exponent));
    if (!finite(s.from) || !finite(s.to))
        return notFinite(caption(SpacingSetting::Values));
    if (!finite(s.minGap.value_or(0)))
        return notFinite(caption(SpacingSetting::MinGap));
    if (!kept(s.formula))
        return tooLong(caption(SpacingSetting::Formula));
    if (s.points.size() > maxSpacingEntries)
        return tooMany(caption(SpacingSetting::Points));
    for (const MeasuredPoint& point : s.points)
        if (!finite(point.value) || !finite(point.position))
            return notFinite(caption(SpacingSetting::Points));
    if (s.segments.size() > maxSpacingEntries)
        return tooMany(caption(SpacingSetting::Segments));
    for (const ValueSegment& segment : s.segments) {
        if (!finite(segment.from) || !finite(segment.to) || !finite(segment.step))
            return notFinite(caption(SpacingSetting::Segments));
        if (!kept(segment.package))
            return tooLong(caption(SpacingSetting::Segments));
    }
    return std::nullopt;
}

std::optional<QString> unkeptLabels(const LabelSettings& l)
{
    if (l.list.size() > maxSpacingEntries)
        return tooMany(caption(LabelSetting::List));
    for (const ValueLabel& label : l.list) {
        if (!finite(label.value))
            return notFinite(caption(LabelSetting::List));
        if (!kept(label.text))
            return tooLong(caption(LabelSetting::List));
    }
    if (!kept(l.title))
        return tooLong(caption(LabelSetting::Title));
    return std::nullopt;
}

} // namespace mensora
