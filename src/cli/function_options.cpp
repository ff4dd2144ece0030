#include "cli/function_options.h"

#include <cmath>

#include "model/scale_choices.h"

namespace mensora {

namespace {

QString wrong(const char* option, const QString& wanted, const QString& value)
{
    return QString("--%1 takes %2, not \"%3\".").arg(option, wanted, value);
}

// A finite number with "." for decimals, whatever the locale.
std::optional<double> numberOf(const QString& text)
{
    bool read = false;
    const double value = text.trimmed().toDouble(&read);
    if (!read || !std::isfinite(value))
        return std::nullopt;
    return value;
}

QString lawWords()
{
    QStringList words;
    for (const std::string_view word : choiceNames<SpacingLaw>()) {
        QString shown = QString::fromUtf8(word.data(), qsizetype(word.size()));
        if (shown == "power")
            shown += ":P";
        else if (shown == "points")
            shown += ":FILE";
        else if (shown == "expr")
            shown += ":FORMULA";
        words << shown;
    }
    return words.join('|');
}

bool readLaw(
    const QCommandLineParser& parser, SpacingSettings& spacing, QString& pointsFile, QString& error)
{
    if (!parser.isSet("spacing"))
        return true;
    const QString text = parser.value("spacing");
    const QString word = text.section(':', 0, 0);
    const QString rest = text.section(':', 1);
    const auto law = choiceNamed<SpacingLaw>(word.toStdString());
    const bool takesMore
        = law == SpacingLaw::Power || law == SpacingLaw::Points || law == SpacingLaw::Expression;
    const auto exponent = numberOf(rest);
    if (!law || takesMore != text.contains(':') || (takesMore && rest.trimmed().isEmpty())
        || (law == SpacingLaw::Power && !exponent)) {
        error = wrong("spacing", lawWords(), text);
        return false;
    }
    spacing.law = *law;
    if (law == SpacingLaw::Power)
        spacing.exponent = *exponent;
    else if (law == SpacingLaw::Points)
        pointsFile = rest;
    else if (law == SpacingLaw::Expression)
        spacing.formula = rest.toStdString();
    return true;
}

bool readValues(const QCommandLineParser& parser, SpacingSettings& spacing, QString& error)
{
    if (!parser.isSet("values"))
        return true;
    const QString text = parser.value("values");
    const QStringList ends = text.split(':');
    const auto from = ends.size() == 2 ? numberOf(ends[0]) : std::nullopt;
    const auto to = ends.size() == 2 ? numberOf(ends[1]) : std::nullopt;
    if (!from || !to) {
        error = wrong("values", "FROM:TO, two numbers with \".\" for decimals", text);
        return false;
    }
    spacing.from = *from;
    spacing.to = *to;
    return true;
}

bool readSegments(const QCommandLineParser& parser, SpacingSettings& spacing, QString& error)
{
    if (!parser.isSet("segments"))
        return true;
    const QString text = parser.value("segments");
    std::vector<ValueSegment> segments;
    for (const QString& item : text.split(';', Qt::SkipEmptyParts)) {
        const QStringList parts = item.split(':');
        const auto from = parts.size() == 4 ? numberOf(parts[0]) : std::nullopt;
        const auto to = parts.size() == 4 ? numberOf(parts[1]) : std::nullopt;
        const auto step = parts.size() == 4 ? numberOf(parts[2]) : std::nullopt;
        if (!from || !to || !step || segments.size() == maxSpacingEntries) {
            error = wrong("segments",
                "FROM:TO:STEP:PACKAGE for each segment, separated by \";\" (at most 1000)", item);
            return false;
        }
        segments.push_back({ *from, *to, *step, parts[3].trimmed().toStdString() });
    }
    spacing.segments = std::move(segments);
    return true;
}

bool readGap(const QCommandLineParser& parser, SpacingSettings& spacing, QString& error)
{
    if (!parser.isSet("min-gap"))
        return true;
    const QString text = parser.value("min-gap");
    const auto gap = numberOf(text);
    if (!gap || *gap < 0) {
        error = wrong("min-gap", "a number of 0 or more, in the scale's unit", text);
        return false;
    }
    spacing.minGap = *gap;
    return true;
}

bool readList(const QCommandLineParser& parser, LabelSettings& labels, QString& error)
{
    const QString text = parser.value("labels");
    std::vector<ValueLabel> list;
    for (const QString& item : text.split(';', Qt::SkipEmptyParts)) {
        const auto value = item.contains('=') ? numberOf(item.section('=', 0, 0)) : std::nullopt;
        if (!value || list.size() == maxSpacingEntries) {
            error = wrong(
                "labels", "VALUE=TEXT for each label, separated by \";\" (at most 1000)", item);
            return false;
        }
        list.push_back({ *value, item.section('=', 1).trimmed().toStdString() });
    }
    labels.style = LabelStyle::List;
    labels.list = std::move(list);
    return true;
}

bool readLabels(const QCommandLineParser& parser, LabelSettings& labels, QString& error)
{
    const bool fractions = parser.isSet("fractions") || parser.isSet("mixed-fractions");
    const int styles = int(parser.isSet("labels")) + int(fractions) + int(parser.isSet("roman"));
    if (styles > 1) {
        error = "--labels, --fractions (or --mixed-fractions) and --roman each choose what the "
                "numbers show: give one.";
        return false;
    }
    if (parser.isSet("labels") && !readList(parser, labels, error))
        return false;
    if (fractions) {
        labels.style = LabelStyle::Fractions;
        labels.mixedFractions = parser.isSet("mixed-fractions");
    }
    if (parser.isSet("roman"))
        labels.style = LabelStyle::Roman;
    labels.reverse = labels.reverse || parser.isSet("reverse");
    labels.clockwise = labels.clockwise || parser.isSet("clockwise");
    if (parser.isSet("title"))
        labels.title = parser.value("title").toStdString();
    return true;
}

} // namespace

QList<QCommandLineOption> functionOptions()
{
    return {
        { "spacing",
            "Spacing law: even (the default: stripes a distance apart), or a scale of values: "
            "log, power:P (v^P), reciprocal, db (decibels of an amplitude), db-power, "
            "points:FILE (a CSV file of value,position pairs) or expr:FORMULA (f of v).",
            "LAW" },
        { "values", "Value range of a scale of values, from its start to its end (default 1:10).",
            "FROM:TO" },
        { "segments",
            "Segments of the values, each with its step and package, as 1:2:0.01:1333323333;"
            "2:5:0.02:12222 (default: the whole range by Distance with the package).",
            "FROM:TO:STEP:PACKAGE;..." },
        { "min-gap",
            "Least distance between neighbouring stripes of a scale of values, in the scale's "
            "unit (default 0.2 mm, 0.008 in).",
            "NUMBER" },
        { "labels", "Show these texts at these values instead of numbers, as 0=MIN;5=MED;10=MAX.",
            "V=TEXT;..." },
        { "fractions", "Show the numbers in inch fractions: 1/16, 1/8, 3/16, ... 3/2." },
        { "mixed-fractions", "Show the numbers in inch fractions, as mixed numbers: 1 1/2." },
        { "roman", "Show the numbers in Roman numerals." },
        { "reverse", "Run the values from the far end; the stripes stay where they are." },
        { "clockwise", "Turn a round scale clockwise, without negative boxes." },
        { "title", "Engrave TEXT beside the scale's start, in the numbers' font.", "TEXT" },
    };
}

bool readFunctionOptions(
    const QCommandLineParser& parser, ScaleParameters& scale, QString& pointsFile, QString& error)
{
    return readLaw(parser, scale.spacing, pointsFile, error)
        && readValues(parser, scale.spacing, error) && readSegments(parser, scale.spacing, error)
        && readGap(parser, scale.spacing, error) && readLabels(parser, scale.labels, error);
}

} // namespace mensora
