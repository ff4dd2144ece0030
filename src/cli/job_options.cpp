#include "cli/job_options.h"

#include <QRegularExpression>

#include "model/added_scales.h"

namespace mensora {

namespace {

// A whole number of at most nine digits, which an int holds.
const QString wholeNumber = QStringLiteral("(\\d{1,9})");

bool readSelect(const QCommandLineParser& parser, std::size_t& selected, QString& error)
{
    if (!parser.isSet("select"))
        return true;
    const QString text = parser.value("select");
    static const QRegularExpression form(QStringLiteral("^%1$").arg(wholeNumber));
    if (!form.match(text).hasMatch() || text.toInt() < 1) {
        error = QString("--select takes the number of a scale, from 1, not \"%1\".").arg(text);
        return false;
    }
    selected = static_cast<std::size_t>(text.toInt() - 1);
    return true;
}

bool readVernier(const QCommandLineParser& parser, std::optional<Vernier>& vernier, QString& error)
{
    const bool bothSides = parser.isSet("vernier-both-sides");
    if (!parser.isSet("add-vernier")) {
        if (bothSides)
            error = "--vernier-both-sides goes only with --add-vernier.";
        return !bothSides;
    }
    const QString text = parser.value("add-vernier");
    static const QRegularExpression form(QStringLiteral("^%1/%1$").arg(wholeNumber));
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch()) {
        error = QString("--add-vernier takes N/M, N divisions over M main divisions (as 50/49), "
                        "not \"%1\".")
                    .arg(text);
        return false;
    }
    vernier = Vernier { match.captured(1).toInt(), match.captured(2).toInt(), bothSides };
    return true;
}

// A refusal of the selected scale, named in a job of several.
Refusal namedFor(const ScaleJob& job, std::size_t selected, Refusal refusal)
{
    if (job.scales.size() < 2)
        return refusal;
    refusal.message
        = scaleLabel(selected, scaleName(job.scales.at(selected))) + ": " + refusal.message;
    refusal.scale = selected;
    return refusal;
}

} // namespace

QList<QCommandLineOption> jobOptions()
{
    return {
        { "select",
            "Scale N of the job (from 1) is the one that the scale, number and mark options "
            "change, that --add-vernier and --add-other-unit add against and whose --sequence "
            "is printed (default 1).",
            "N", "1" },
        { "add-vernier",
            "Add a vernier of N divisions over M main divisions of the selected scale, as 10/9 "
            "or 50/49, at the end of the job.",
            "N/M" },
        { "vernier-both-sides", "The added vernier stands on both sides of zero." },
        { "add-other-unit",
            "Add a flat scale in the other unit (mm or inch) beside the selected flat scale, at "
            "the end of the job." },
        { "mirror", "Mirror the whole job left to right, to engrave the back of clear material." },
        { "list-scales",
            "Print one line per scale of the job: its number, name, shape, unit and stripes (or "
            "why it is refused), separated by tabs; write nothing else." },
    };
}

bool readJobOptions(const QCommandLineParser& parser, JobOptions& options, QString& error)
{
    options.addOtherUnit = parser.isSet("add-other-unit");
    options.mirror = parser.isSet("mirror");
    options.listScales = parser.isSet("list-scales");
    return readSelect(parser, options.selected, error)
        && readVernier(parser, options.addedVernier, error);
}

std::optional<QString> missingSelection(const ScaleJob& job, std::size_t selected)
{
    if (selected < job.scales.size())
        return std::nullopt;
    const std::size_t count = job.scales.size();
    return QString("--select %1: the job has %2 %3.")
        .arg(selected + 1)
        .arg(count)
        .arg(count == 1 ? "scale" : "scales");
}

std::optional<Refusal> addScales(ScaleJob& job, const JobOptions& options)
{
    const ScaleParameters main = job.scales.at(options.selected).parameters;
    std::vector<JobScale> added;
    if (const auto& vernier = options.addedVernier) {
        auto scale
            = vernierAgainst(main, vernier->divisions, vernier->mainDivisions, vernier->bothSides);
        if (!scale)
            return namedFor(job, options.selected, scale.refusal());
        added.push_back(std::move(scale.value()));
    }
    if (options.addOtherUnit) {
        auto scale = otherUnitOf(main);
        if (!scale)
            return namedFor(job, options.selected, scale.refusal());
        added.push_back(std::move(scale.value()));
    }
    job.scales.insert(job.scales.end(), added.begin(), added.end());
    return std::nullopt;
}

} // namespace mensora
