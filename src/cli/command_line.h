#pragma once

#include <optional>

#include <QCommandLineParser>
#include <QString>

#include "cli/cli_notes.h"
#include "cli/job_options.h"
#include "model/machine_settings.h"
#include "model/scale_job.h"
#include "writers/output_table.h"

namespace mensora {

// What one run of the command-line generator is asked to do.
struct CliRequest
{
    // The job: one scale at the window's start values, or a scale file's scales, with the
    // options given set on the selected one. The scales the options add are not yet in it.
    ScaleJob job;
    JobOptions jobOptions; // which scale the options change, what to add, the mirror
    OutputRequest output; // the file's format, machine settings and drawing settings
    QString outputPath = "-"; // a file name, or "-" for standard output
    bool sequenceOnly = false; // print the stripe sequence and write nothing
    bool stats = false; // print the job's figures
    NoteHandling notes = NoteHandling::Say; // --quiet, --strict
    QString scaleFile; // a scale file to read first, under the options given; empty for none
    QString saveScale; // write the scale to this scale file and nothing else; empty for none
    QString pointsFile; // the measured points of the selected scale to read; empty for none
};

// The generator's options; `parse` fills a request or says what is wrong with the arguments.
class CommandLine
{
public:
    CommandLine();

    // False on a usage error, with `error()` telling why.
    bool parse(const QStringList& arguments);
    QString error() const { return m_error; }
    bool helpAsked() const;
    bool versionAsked() const;
    QString helpText() const { return m_parser.helpText(); }
    const CliRequest& request() const { return m_request; }

    // The request with every scale, number and mark option that was given set on top of the
    // selected scale of `base` (a scale file's job), the machine options on top of the
    // defaults, and the job mirrored when asked. Nothing, with `error()` telling why, when
    // the job has no scale of --select's number.
    std::optional<CliRequest> requestOver(const ScaleJob& base);

private:
    void addTextOptions();
    bool applyOptions(ScaleJob& job, std::size_t selected, OutputRequest& output,
        QString& pointsFile, QString& error) const;
    bool readFileOptions();

    QCommandLineParser m_parser;
    QCommandLineOption m_help;
    QCommandLineOption m_version;
    CliRequest m_request;
    QString m_error;
};

} // namespace mensora
