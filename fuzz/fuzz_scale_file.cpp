// Fuzz target: reading a scale file, of one scale or of a job. Any bytes give either a whole job
// or one sentence that refuses them; a job that was read can be kept, and writing it and
// reading it again gives the same job. The reader of one scale agrees with it.

#include <cstddef>
#include <cstdint>

#include "files/job_file.h"
#include "fuzz_check.h"

using namespace mensora;

namespace {

void checkRefusal(const QString& problem)
{
    FUZZ_CHECK(problem.endsWith(u'.'), "a refused file is refused with a sentence");
    FUZZ_CHECK(!problem.contains(u'\n'), "the sentence is one line");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const JobFileReading reading = parseJobFile(bytes, QStringLiteral("fuzz.mensora"));
    const ScaleFileReading single = parseScaleFile(bytes, QStringLiteral("fuzz.mensora"));
    if (!single)
        checkRefusal(single.problem);
    if (!reading) {
        checkRefusal(reading.problem);
        FUZZ_CHECK(single.problem == reading.problem, "both readers refuse a file alike");
        return 0;
    }
    FUZZ_CHECK(reading.problem.isEmpty(), "a job read has no problem");
    FUZZ_CHECK(!reading.job->scales.empty(), "a job read holds a scale");
    FUZZ_CHECK(!unkeptInJobFile(*reading.job), "a job read can be kept");
    const QByteArray written = jobFileBytes(*reading.job);
    const JobFileReading again = parseJobFile(written, QStringLiteral("again.mensora"));
    FUZZ_CHECK(again.job.has_value(), "a job written is read again");
    FUZZ_CHECK(*again.job == *reading.job, "and it is the same job");
    FUZZ_CHECK(jobFileBytes(*again.job) == written, "and the same bytes");
    const bool versionOne = scaleFileBytes(reading.job->scales.front().parameters) == written;
    FUZZ_CHECK(versionOne == isSingleScale(*reading.job), "a scale of its own is version 1");
    FUZZ_CHECK(single.scale.has_value()
            == (reading.job->scales.size() == 1 && !reading.job->mirror
                && reading.job->scales.front().name.empty()),
        "the reader of one scale reads a job of one, unnamed and not mirrored");
    return 0;
}
