// mensora-cli: the engraving program of a scale, or a drawing of its cuts, from box texts on the
// command line or a scale file.
// Exit status: 0 written, 2 usage error, 3 input or scale file refused (or a note under --strict),
// 4 file not written. Notes on the file go to standard error.

#include <QCoreApplication>

#include <cerrno>
#include <cstdio>
#include <optional>

#include "cli/command_line.h"
#include "cli/job_stats.h"
#include "cli/scale_list.h"
#include "engraving/engraving.h"
#include "files/engraving_file.h"
#include "files/installed_fonts.h"
#include "files/job_file.h"
#include "files/points_file.h"

using namespace mensora;

namespace {

enum ExitStatus { Written = 0, UsageError = 2, Refused = 3, NotWritten = 4 };

// Keeps the system's reason for the first failed write, for the message.
class StandardOutputSink : public TextSink
{
public:
    void write(std::string_view bytes) override
    {
        if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size() && error == 0)
            error = errno;
    }
    int error = 0;
};

void say(const QString& text)
{
    std::fprintf(stderr, "mensora-cli: %s\n", text.toLocal8Bit().constData());
}

int writeToStandardOutput(const Engraving& engraving, const NumberFormat& format)
{
    StandardOutputSink sink;
    engraving.write(sink, format);
    if (std::fflush(stdout) != 0 && sink.error == 0)
        sink.error = errno;
    if (sink.error != 0 || std::ferror(stdout)) {
        say("cannot write to standard output: " + qt_error_string(sink.error));
        return NotWritten;
    }
    return Written;
}

// The selected scale's stripe sequence, or the file.
int writeRequested(const CliRequest& request, const Engraving& engraving)
{
    if (request.sequenceOnly) {
        std::printf("%s\n", engraving.sequence(request.jobOptions.selected).c_str());
        return Written;
    }
    const NumberFormat format = numberFormatOf(QLocale::system());
    if (request.outputPath == "-")
        return writeToStandardOutput(engraving, format);
    const QString failure = saveEngraving(engraving, request.outputPath, format);
    if (!failure.isEmpty()) {
        say(QString("cannot write %1: %2").arg(request.outputPath, failure));
        return NotWritten;
    }
    return Written;
}

// The request of the run: over a scale file's job when one is named, with the measured points
// of a file named by --spacing, the scales the options add appended. Empty, with the problem
// said and the exit status set, when a file, the selection or an added scale is refused.
std::optional<CliRequest> requestOf(CommandLine& commandLine, int& status)
{
    ScaleJob base;
    if (const QString& path = commandLine.request().scaleFile; !path.isEmpty()) {
        const JobFileReading reading = readJobFile(path);
        if (!reading) {
            say(reading.problem);
            status = Refused;
            return std::nullopt;
        }
        base = *reading.job;
    }
    std::optional<CliRequest> request = commandLine.requestOver(base);
    if (!request) {
        say(commandLine.error() + " (see --help)");
        status = UsageError;
        return std::nullopt;
    }
    if (const QString& points = request->pointsFile; !points.isEmpty()) {
        const PointsReading reading = readPointsFile(points);
        if (!reading) {
            say(reading.problem);
            status = Refused;
            return std::nullopt;
        }
        request->job.scales.at(request->jobOptions.selected).parameters.spacing.points
            = *reading.points;
    }
    if (const auto refusal = addScales(request->job, request->jobOptions)) {
        say(QString::fromStdString(refusal->message));
        status = Refused;
        return std::nullopt;
    }
    return request;
}

int saveScale(const ScaleJob& job, const QString& path)
{
    if (const auto unkept = unkeptInJobFile(job)) {
        say(*unkept);
        return Refused;
    }
    const QString failure = saveJobFile(job, path);
    if (!failure.isEmpty()) {
        say(QString("cannot write %1: %2").arg(path, failure));
        return NotWritten;
    }
    return Written;
}

int listScales(const ScaleJob& job)
{
    std::fputs(scaleListText(job, installedFonts()).c_str(), stdout);
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        say("cannot write to standard output: " + qt_error_string(errno));
        return NotWritten;
    }
    return Written;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("mensora-cli");
    QCoreApplication::setApplicationVersion(MENSORA_VERSION);

    CommandLine commandLine;
    if (!commandLine.parse(QCoreApplication::arguments())) {
        say(commandLine.error() + " (see --help)");
        return UsageError;
    }
    if (commandLine.helpAsked()) {
        std::fputs(commandLine.helpText().toLocal8Bit().constData(), stdout);
        return Written;
    }
    if (commandLine.versionAsked()) {
        std::printf("mensora-cli %s\n", MENSORA_VERSION);
        return Written;
    }

    int refusedStatus = Refused;
    const std::optional<CliRequest> requested = requestOf(commandLine, refusedStatus);
    if (!requested)
        return refusedStatus;
    const CliRequest& request = *requested;
    if (request.jobOptions.listScales)
        return listScales(request.job);
    if (!request.saveScale.isEmpty())
        return saveScale(request.job, request.saveScale);
    OutputRequest output = request.output;
    output.notation = numberFormatOf(QLocale::system());
    const auto job = CheckedJob::check(request.job, installedFonts());
    const auto engraving
        = job ? Engraving::prepare(*job, output) : Result<Engraving>(job.refusal());
    if (!engraving) {
        say(QString::fromStdString(engraving.refusal().message));
        return Refused;
    }
    if (!reportNotes(notesOnTheFile(*job, *engraving), request.notes))
        return Refused;
    const int status = writeRequested(request, *engraving);
    if (status == Written && request.stats) {
        const bool fileOnStandardOutput = request.outputPath == "-" && !request.sequenceOnly;
        const std::string stats
            = jobStatsText(engraving->figures(), engraving->machineJob().profile);
        std::fputs(stats.c_str(), fileOnStandardOutput ? stderr : stdout);
    }
    return status;
}
