// Generation speed and memory for the largest scale: 32767 stripes, round, with the base
// circle, as G-code. Prints the core's time to check the scale and to write its text into
// memory (and how much of that the layout's moves take), the time to merely write the same
// bytes to a file, the same for each machine profile and its job's figures, and mensora-cli's
// wall time and peak memory beside a small scale's.
//
//   bench_generation [path-to-mensora-cli]

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "engraving/engraving.h"
#include "files/installed_fonts.h"
#include "model/scale_choices.h"

using namespace mensora;
using Clock = std::chrono::steady_clock;

extern char** environ;

namespace {

ScaleParameters largestScale()
{
    ScaleParameters p;
    p.shape = Shape::Round;
    p.baseline = Baseline::Single;
    p.length = "32766";
    p.distance = "1";
    return p;
}

// Counts bytes without keeping them: the writers' own cost.
class CountingSink : public TextSink
{
public:
    void write(std::string_view bytes) override { size += bytes.size(); }
    std::size_t size = 0;
};

// Takes the moves and drops them: the layout's own arithmetic, without any text.
class DroppingMoveSink : public MoveSink
{
public:
    void move(const ToolMove&) override { ++count; }
    std::size_t count = 0;
};

// The median shows the usual time; the fastest run shows it without the other programs that
// share the processor (a run they interrupt loses a whole time slice).
struct Timing
{
    double median;
    double fastest;
};

template <typename F>
Timing milliseconds(int runs, F&& work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        work();
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return { times[times.size() / 2], times.front() };
}

void print(const char* what, Timing timing)
{
    std::printf("  %-46s %6.2f ms   %6.2f ms\n", what, timing.median, timing.fastest);
}

struct ChildRun
{
    double milliseconds;
    long peakKilobytes;
};

ChildRun runChild(std::vector<std::string> arguments)
{
    std::vector<char*> argv;
    for (auto& a : arguments)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    const auto start = Clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
        return { -1, -1 };
    int status = 0;
    rusage usage {};
    wait4(pid, &status, 0, &usage);
    return { std::chrono::duration<double, std::milli>(Clock::now() - start).count(),
        usage.ru_maxrss };
}

// Each profile's file, checked and written into memory, and the figures of the job.
void benchProfiles()
{
    for (const MachineProfile profile : { MachineProfile::Rs274, MachineProfile::Grbl,
             MachineProfile::GrblLaser, MachineProfile::HpglCutter }) {
        OutputRequest request;
        request.machine.profile = profile;
        request.format = dialectOf(profile).family.value_or(OutputFormat::Gcode);
        const ScaleParameters p = largestScale();
        const std::string name = "check and write, " + std::string(choiceName(profile));
        print(name.c_str(), milliseconds(21, [&] {
            CountingSink sink;
            Engraving::prepare(p, request, installedFonts())->write(sink, {});
        }));
        if (profile == MachineProfile::Rs274) {
            const auto engraving = Engraving::prepare(p, request, installedFonts());
            print("  the job's figures", milliseconds(21, [&] { (void)engraving->figures(); }));
        }
    }
}

// A job of 20 scales of 1000 stripes against one such scale: checked and written into memory,
// the job should take no more than 20 times the one. Its file is longer than 20 of the one's:
// its line numbers and Y take more digits, so the time per byte is given too.
void benchJob()
{
    ScaleParameters one;
    one.length = "999";
    one.baseline = Baseline::Single;
    ScaleJob job;
    job.scales.clear();
    for (int i = 0; i < 20; ++i) {
        one.startY = std::to_string(20 * i);
        job.scales.push_back({ one, {} });
    }
    const ScaleParameters& first = job.scales.front().parameters;
    CountingSink oneBytes;
    Engraving::prepare(first, {}, installedFonts())->write(oneBytes, {});
    CountingSink jobBytes;
    Engraving::prepare(job, {}, installedFonts())->write(jobBytes, {});
    const Timing single = milliseconds(21, [&] {
        CountingSink sink;
        Engraving::prepare(first, {}, installedFonts())->write(sink, {});
    });
    const Timing whole = milliseconds(21, [&] {
        CountingSink sink;
        Engraving::prepare(job, {}, installedFonts())->write(sink, {});
    });
    print("check and write, one scale of 1000 stripes", single);
    print("check and write, a job of 20 such scales", whole);
    const double bytes = double(jobBytes.size) / double(oneBytes.size);
    std::printf("  the job takes %.1f times the one scale's time (at most 20), for %.1f times its "
                "bytes: %.1f times its time per byte\n",
        whole.median / single.median, bytes, whole.median / single.median / bytes);
}

} // namespace

int main(int argc, char* argv[])
{
    const auto engraving = Engraving::prepare(largestScale(), {}, installedFonts());
    if (!engraving) {
        std::fprintf(stderr, "refused: %s\n", engraving.refusal().message.c_str());
        return 1;
    }
    StringSink bytes;
    engraving->write(bytes, {});
    std::printf(
        "largest scale: %zu stripes, %zu bytes\n", engraving->sequence().size(), bytes.text.size());

    const Timing prepare
        = milliseconds(21, [] { (void)Engraving::prepare(largestScale(), {}, installedFonts()); });
    const Timing moves = milliseconds(21, [&] {
        DroppingMoveSink sink;
        engraving->makeMoves(sink);
    });
    const Timing write = milliseconds(21, [&] {
        CountingSink sink;
        engraving->write(sink, {});
    });
    const Timing both = milliseconds(21, [] {
        CountingSink sink;
        Engraving::prepare(largestScale(), {}, installedFonts())->write(sink, {});
    });
    const std::string path = "/tmp/mensora-bench-" + std::to_string(getpid()) + ".din";
    const Timing plainWrite = milliseconds(21, [&] {
        std::FILE* file = std::fopen(path.c_str(), "wb");
        std::fwrite(bytes.text.data(), 1, bytes.text.size(), file);
        std::fclose(file);
    });
    std::printf("  %-46s %9s   %9s\n", "21 runs", "median", "fastest");
    print("check (read the inputs, run the moves once)", prepare);
    print("write into memory (text made and counted)", write);
    print("  of which the moves alone, without text", moves);
    print("check and write into memory", both);
    print("the same bytes merely written to a file", plainWrite);
    benchProfiles();
    benchJob();

    if (argc > 1) {
        const std::string cli = argv[1];
        const auto small = runChild(
            { cli, "--shape", "round", "--baseline", "single", "--length", "100", "-o", path });
        std::vector<double> times;
        long peak = 0;
        for (int i = 0; i < 11; ++i) {
            const auto large = runChild({ cli, "--shape", "round", "--baseline", "single",
                "--length", "32766", "-o", path });
            times.push_back(large.milliseconds);
            peak = std::max(peak, large.peakKilobytes);
        }
        std::sort(times.begin(), times.end());
        std::printf("mensora-cli into a file: %.2f ms (median of 11), peak memory %ld kB; "
                    "for 101 stripes %ld kB\n",
            times[times.size() / 2], peak, small.peakKilobytes);
    }
    std::remove(path.c_str());
    return 0;
}
