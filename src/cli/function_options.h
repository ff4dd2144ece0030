#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>

#include "model/scale_parameters.h"

namespace mensora {

// The options of a scale's spacing and labels: --spacing=LAW, --values=FROM:TO,
// --segments="FROM:TO:STEP:PACKAGE;…", --min-gap=, --labels="V=TEXT;…", --fractions,
// --mixed-fractions, --roman, --reverse, --clockwise, --title=.
QList<QCommandLineOption> functionOptions();

// Reads the options that were given over the scale's settings; false, with the reason, for a
// value that is not of the option's form: a law that is not one of the words (power: with its
// exponent, points: with a file, expr: with a formula), values, segments or labels that are
// not numbers with "." for decimals in their places, a gap that is not a number of 0 or more,
// and more than one of --labels, --fractions (or --mixed-fractions) and --roman. A flag given
// switches its setting on. For points:FILE the law is set and `pointsFile` names the file,
// whose points the caller reads; otherwise `pointsFile` is left as it is.
bool readFunctionOptions(
    const QCommandLineParser& parser, ScaleParameters& scale, QString& pointsFile, QString& error);

} // namespace mensora
