#pragma once

#include <string>

#include <QtGlobal>

#include "engraving/engraving.h"

namespace mensora::testing {

// The engraving of parameters that a test expects to be accepted; a refusal stops the test
// program with its message.
inline Engraving acceptedEngraving(
    const ScaleParameters& parameters, const MachineSettings& machine = {})
{
    const auto engraving = Engraving::prepare(parameters, machine);
    if (!engraving)
        qFatal("refused: %s", engraving.refusal().message.c_str());
    return *engraving;
}

// The whole file that the parameters give, numbers in `format`.
inline std::string engravingText(const ScaleParameters& parameters, const NumberFormat& format = {})
{
    StringSink sink;
    acceptedEngraving(parameters).write(sink, format);
    return sink.text;
}

// The whole file that the parameters give under the machine settings.
inline std::string engravingText(const ScaleParameters& parameters, const MachineSettings& machine,
    const NumberFormat& format = {})
{
    StringSink sink;
    acceptedEngraving(parameters, machine).write(sink, format);
    return sink.text;
}

} // namespace mensora::testing
