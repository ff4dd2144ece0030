#include "cli/number_options.h"

#include "lettering/font_catalog.h"
#include "model/number_rules.h"
#include "model/scale_choices.h"

namespace mensora {

namespace {

const QString decimalsAuto = QStringLiteral("auto");

QString fontNames()
{
    QStringList names;
    for (const std::string_view name : offeredFonts)
        names << QString::fromUtf8(name.data(), qsizetype(name.size()));
    return names.join(", ");
}

QString orientationNames(const QString& separator)
{
    QStringList names;
    for (const std::string_view name : choiceNames<NumberOrientation>())
        names << QString::fromUtf8(name.data(), qsizetype(name.size()));
    return names.join(separator);
}

QString wrong(const char* option, const QString& wanted, const QString& value)
{
    return QString("--%1 takes %2, not \"%3\".").arg(option, wanted, value);
}

// A number with "." for decimals, when the option was given; an empty text unsets `number`
// (its default) when `mayBeEmpty`.
bool readNumber(const QCommandLineParser& parser, const char* option, std::optional<double>& number,
    bool mayBeEmpty, QString& error)
{
    if (!parser.isSet(option))
        return true;
    const QString text = parser.value(option);
    if (text.isEmpty() && mayBeEmpty) {
        number.reset();
        return true;
    }
    const auto value = strictNumberValue(text.toStdString(), NumberFormat { ".", "" });
    if (!value) {
        error = wrong(option, "a number with \".\" for decimals", text);
        return false;
    }
    number = *value;
    return true;
}

bool readKindAndDecimals(const QCommandLineParser& parser, NumberSettings& numbers, QString& error)
{
    const QString kind = parser.value("numbers");
    if (kind.size() != 1 || kind[0] < u'0' || kind[0] > u'6') {
        error = wrong("numbers", "a stripe kind from 1 to 6, or 0 for none", kind);
        return false;
    }
    if (parser.isSet("numbers"))
        numbers.kind = kind[0].unicode() - u'0';

    if (!parser.isSet("number-decimals"))
        return true;
    const QString decimals = parser.value("number-decimals");
    if (decimals == decimalsAuto)
        numbers.decimals.reset();
    else if (decimals.size() == 1 && decimals[0] >= u'0' && decimals[0] <= u'3')
        numbers.decimals = decimals[0].unicode() - u'0';
    else {
        error = wrong("number-decimals", "auto or 0, 1, 2 or 3", decimals);
        return false;
    }
    return true;
}

bool readWords(const QCommandLineParser& parser, NumberSettings& numbers, QString& error)
{
    const QString font = parser.value("number-font");
    if (!isOfferedFont(font.toStdString())) {
        error = wrong("number-font", "one of " + fontNames(), font);
        return false;
    }
    const QString orientation = parser.value("number-orientation");
    const auto named = choiceNamed<NumberOrientation>(orientation.toStdString());
    if (!named) {
        error = wrong("number-orientation", orientationNames(" or "), orientation);
        return false;
    }
    if (parser.isSet("number-font"))
        numbers.font = font.toStdString();
    if (parser.isSet("number-orientation"))
        numbers.orientation = *named;
    if (parser.isSet("number-prefix"))
        numbers.prefix = parser.value("number-prefix").toStdString();
    if (parser.isSet("number-suffix"))
        numbers.suffix = parser.value("number-suffix").toStdString();
    return true;
}

} // namespace

QList<QCommandLineOption> numberOptions()
{
    const NumberSettings defaults;
    return {
        { "numbers", "Number every stripe of kind KIND, 1-6; 0 for no numbers (default 0).", "KIND",
            "0" },
        { "number-first", "Value of the first numbered stripe (default 0).", "NUMBER", "0" },
        { "number-step",
            "Added per numbered stripe; negative counts down (default: their distance apart).",
            "NUMBER" },
        { "number-decimals",
            "Decimals: auto (as needed, at most 3) or 0, 1, 2 or 3 (default auto).", "auto|0|1|2|3",
            decimalsAuto },
        { "number-height", "Height of the digits (default 3 in mm, 0.125 in inch).", "NUMBER" },
        { "number-gap", "Gap from the stripe's end to the number (default 1 in mm, 0.04 in inch).",
            "NUMBER" },
        { "number-font",
            QString("Single-stroke font: %1 (default %2).")
                .arg(fontNames(), QString::fromStdString(defaults.font)),
            "NAME", QString::fromStdString(defaults.font) },
        { "number-orientation",
            "Round: dial (foot toward the centre) or level (upright) (default dial).",
            orientationNames("|"), orientationNames("|").section('|', 0, 0) },
        { "number-prefix", "Printable ASCII text before every number.", "TEXT" },
        { "number-suffix", "Printable ASCII text after every number.", "TEXT" },
        { "end-on-total", "Put the last stripe at the total, whatever the package's length." },
        { "no-double-mark",
            "Round, whole turns: leave out the stripes that fall on a stripe already cut." },
    };
}

bool readNumberOptions(
    const QCommandLineParser& parser, NumberSettings& numbers, MarkSettings& marks, QString& error)
{
    std::optional<double> first = numbers.first;
    if (!readKindAndDecimals(parser, numbers, error)
        || !readNumber(parser, "number-first", first, false, error)
        || !readNumber(parser, "number-step", numbers.step, true, error)
        || !readNumber(parser, "number-height", numbers.height, true, error)
        || !readNumber(parser, "number-gap", numbers.gap, true, error)
        || !readWords(parser, numbers, error))
        return false;
    numbers.first = *first;
    // A flag given switches its mark on; one not given leaves it as it was.
    marks.endOnTotal = marks.endOnTotal || parser.isSet("end-on-total");
    marks.noDoubleMark = marks.noDoubleMark || parser.isSet("no-double-mark");
    return true;
}

} // namespace mensora
