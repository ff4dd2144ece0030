#include "cli/width_options.h"

#include <optional>

#include <QStringList>

#include "cli/decimal_options.h"

namespace mensora {

namespace {

bool readWidth(const QCommandLineParser& parser, const char* option, double& width, QString& error)
{
    std::optional<double> value;
    if (!readDecimalOption(parser, option, value, error))
        return false;
    if (value)
        width = *value;
    return true;
}

} // namespace

QList<QCommandLineOption> widthOptions()
{
    return {
        { "mark-widths",
            "Widths across the marks of stripe kinds 1 to 6, in the scale's unit, six numbers "
            "with \".\" for decimals; 0 is a single line (default 0,0,0,0,0,0).",
            "W1,W2,W3,W4,W5,W6" },
        { "baseline-width", "Width of the baseline (a base circle, a ring) (default 0).",
            "NUMBER" },
        { "number-width", "Width of the numbers' strokes (default 0).", "NUMBER" },
    };
}

bool readWidthOptions(const QCommandLineParser& parser, MarkWidths& widths, QString& error)
{
    if (parser.isSet("mark-widths")) {
        const QString text = parser.value("mark-widths");
        const QStringList parts = text.split(u',');
        MarkWidths read = widths;
        bool good = parts.size() == 6;
        for (qsizetype i = 0; good && i < parts.size(); ++i) {
            const auto value = decimalOf(parts[i]);
            good = value.has_value();
            if (good)
                read.stripes[static_cast<std::size_t>(i)] = *value;
        }
        if (!good) {
            error = QString("--mark-widths takes six numbers with \".\" for decimals, separated "
                            "by commas, not \"%1\".")
                        .arg(text);
            return false;
        }
        widths = read;
    }
    return readWidth(parser, "baseline-width", widths.baseline, error)
        && readWidth(parser, "number-width", widths.numbers, error);
}

} // namespace mensora
