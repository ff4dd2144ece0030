#pragma once

#include <QCommandLineParser>
#include <QString>

#include "model/machine_settings.h"
#include "model/scale_parameters.h"

namespace mensora {

// What one run of the command-line generator is asked to do.
struct CliRequest
{
    ScaleParameters parameters; // box texts and choices, the window's start values by default
    QString output = "-"; // a file name, or "-" for standard output
    bool sequenceOnly = false; // print the stripe sequence and write nothing
    MachineSettings machine; // the plain file by default
    bool stats = false; // print the job's figures
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

private:
    void addTextOptions();
    bool readChoices();

    QCommandLineParser m_parser;
    QCommandLineOption m_help;
    QCommandLineOption m_version;
    CliRequest m_request;
    QString m_error;
};

} // namespace mensora
