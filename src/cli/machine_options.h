#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>

#include "model/machine_settings.h"
#include "model/scale_parameters.h"
#include "writers/output_table.h"

namespace mensora {

// The options of the machine: --profile=, --feed=, --plunge-feed=, --rapid-rate=, --safe-z=,
// --spindle=, --power=, --passes=, --no-line-numbers, --order=, and --stats.
QList<QCommandLineOption> machineOptions();

// Reads them into the settings, rates in the scale's unit. The format follows the profile's
// family unless --format is given; false, with the reason, for a profile or order that is not
// one of its names, a number that is not one (with "." for decimals, whatever the locale), or
// a --format that the profile does not shape. Ranges are the engraving's to check.
bool readMachineOptions(
    const QCommandLineParser& parser, Unit unit, OutputRequest& output, QString& error);

} // namespace mensora
