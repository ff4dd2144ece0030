#include "cli/decimal_options.h"

#include "model/number_rules.h"

namespace mensora {

std::optional<double> decimalOf(const QString& text)
{
    return strictNumberValue(text.toStdString(), NumberFormat { ".", "" });
}

bool readDecimalOption(const QCommandLineParser& parser, const char* option,
    std::optional<double>& number, QString& error)
{
    if (!parser.isSet(option))
        return true;
    const QString text = parser.value(option);
    number = decimalOf(text);
    if (!number)
        error
            = QString("--%1 takes a number with \".\" for decimals, not \"%2\".").arg(option, text);
    return number.has_value();
}

} // namespace mensora
