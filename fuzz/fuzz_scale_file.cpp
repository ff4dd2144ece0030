// Fuzz target: reading a scale file. Any bytes give either a whole scale or one sentence that
// refuses them; a scale that was read can be kept, and writing it and reading it again gives
// the same scale.

#include <cstddef>
#include <cstdint>

#include "files/scale_file.h"
#include "fuzz_check.h"

using namespace mensora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const ScaleFileReading reading = parseScaleFile(bytes, QStringLiteral("fuzz.mensora"));
    if (!reading) {
        FUZZ_CHECK(reading.problem.endsWith(u'.'), "a refused file is refused with a sentence");
        FUZZ_CHECK(!reading.problem.contains(u'\n'), "the sentence is one line");
        return 0;
    }
    FUZZ_CHECK(reading.problem.isEmpty(), "a scale read has no problem");
    FUZZ_CHECK(!unkeptInScaleFile(*reading.scale), "a scale read can be kept");
    const QByteArray written = scaleFileBytes(*reading.scale);
    const ScaleFileReading again = parseScaleFile(written, QStringLiteral("again.mensora"));
    FUZZ_CHECK(again.scale.has_value(), "a scale written is read again");
    FUZZ_CHECK(scaleFileBytes(*again.scale) == written, "and it is the same scale");
    return 0;
}
