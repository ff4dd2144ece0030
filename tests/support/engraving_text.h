#pragma once

#include <string>

#include <QtGlobal>

#include "engraving/engraving.h"
#include "files/installed_fonts.h"
#include "support/golden_file.h"

namespace mensora::testing {

// A request for a file of that format, for the machine.
inline OutputRequest fileOf(OutputFormat format, const MachineSettings& machine = {})
{
    return { format, machine, {} };
}

// The request a machine profile makes on its own: a file of its family.
inline OutputRequest machineFile(const MachineSettings& machine)
{
    return fileOf(dialectOf(machine.profile).family.value_or(OutputFormat::Gcode), machine);
}

// The engraving of parameters that a test expects to be accepted; a refusal stops the test
// program with its message.
inline Engraving acceptedEngraving(
    const ScaleParameters& parameters, const OutputRequest& output = {})
{
    const auto engraving = Engraving::prepare(parameters, output, installedFonts());
    if (!engraving)
        qFatal("refused: %s", engraving.refusal().message.c_str());
    return *engraving;
}

// The whole file that the parameters give, numbers in `format`.
inline std::string engravingText(const ScaleParameters& parameters,
    const OutputRequest& output = {}, const NumberFormat& format = {})
{
    StringSink sink;
    acceptedEngraving(parameters, output).write(sink, format);
    return sink.text;
}

inline std::string engravingText(const ScaleParameters& parameters, const NumberFormat& format)
{
    return engravingText(parameters, OutputRequest {}, format);
}

// What differs between the whole file the parameters give and its golden copy in `folder`
// (see goldenDifference); empty when nothing does.
inline QString goldenEngravingDifference(const QString& folder, const QString& name,
    const ScaleParameters& parameters, const OutputRequest& output)
{
    return goldenDifference(
        folder + u'/' + name, QByteArray::fromStdString(engravingText(parameters, output)));
}

} // namespace mensora::testing
