#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>

#include "model/mark_widths.h"

namespace mensora {

// The options of the marks' widths, in the scale's unit: --mark-widths=W1,W2,W3,W4,W5,W6,
// --baseline-width= and --number-width=.
QList<QCommandLineOption> widthOptions();

// Reads the options that were given over the widths (the start values, or a scale file's);
// false, with the reason, for a width that is not a number with "." for decimals, or a list
// that does not hold six of them. Their ranges are the engraving's to check.
bool readWidthOptions(const QCommandLineParser& parser, MarkWidths& widths, QString& error);

} // namespace mensora
