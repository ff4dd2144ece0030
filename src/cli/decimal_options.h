#pragma once

#include <optional>

#include <QCommandLineParser>
#include <QString>

namespace mensora {

// A number as the command line takes it: "." for decimals whatever the locale, nothing else
// around it; nothing for a text that is no number.
std::optional<double> decimalOf(const QString& text);

// The option's number, left as it was when the option is not given; false, with the reason,
// for a text that is no number.
bool readDecimalOption(const QCommandLineParser& parser, const char* option,
    std::optional<double>& number, QString& error);

} // namespace mensora
