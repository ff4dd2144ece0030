#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>

#include "model/number_settings.h"

namespace mensora {

// The options of the numbers and marks: --numbers=KIND, --number-first=, --number-step=,
// --number-decimals=, --number-height=, --number-gap=, --number-font=, --number-orientation=,
// --number-prefix=, --number-suffix=, --end-on-total, --no-double-mark.
QList<QCommandLineOption> numberOptions();

// Reads the options that were given over the settings (the start values, or a scale file's);
// false, with the reason, for a value that is not of the option's form: a kind other than 0 to
// 6, a number that is not one (with "." for decimals, whatever the locale), a word outside the
// option's list. An empty step, height or gap sets the default.
bool readNumberOptions(
    const QCommandLineParser& parser, NumberSettings& numbers, MarkSettings& marks, QString& error);

} // namespace mensora
