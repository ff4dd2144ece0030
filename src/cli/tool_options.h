#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>

#include "model/scale_parameters.h"
#include "writers/output_table.h"

namespace mensora {

// The options of what makes a mark of a width: --tool=line|vbit:ANGLE[:TIP]|
// endmill:DIAMETER[:STEPOVER%] for a router, --spot=, --line-interval= and --s-max= for the
// laser, --blade-offset= and --overcut= for the cutter, and --drawing=strokes|outlines for
// the drawings.
QList<QCommandLineOption> toolOptions();

// Reads the options that were given into the request's machine and drawing settings, sizes in
// `unit` (the file's); false, with the reason, for a tool or a drawing that is not of the
// option's form, or a number that is not one (with "." for decimals, whatever the locale).
// Ranges are the engraving's to check.
bool readToolOptions(
    const QCommandLineParser& parser, Unit unit, OutputRequest& output, QString& error);

} // namespace mensora
