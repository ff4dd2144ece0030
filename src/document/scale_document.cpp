#include "document/scale_document.h"

#include <algorithm>
#include <utility>

#include "document/job_commands.h"
#include "files/job_file.h"
#include "files/json_reader.h"

namespace mensora {

ScaleDocument::ScaleDocument(QObject* parent)
    : QObject(parent)
{ }

void ScaleDocument::select(std::size_t index)
{
    if (index >= m_job.scales.size() || index == m_selected)
        return;
    m_selected = index;
    emit selectionChanged();
}

void ScaleDocument::setSelectedScale(const ScaleParameters& parameters)
{
    setScaleParameters(m_selected, parameters);
}

void ScaleDocument::setScaleParameters(std::size_t index, const ScaleParameters& parameters)
{
    if (index >= m_job.scales.size() || m_job.scales[index].parameters == parameters)
        return;
    ScaleJob edited = m_job;
    edited.scales[index].parameters = parameters;
    setState(std::move(edited), m_selected);
}

void ScaleDocument::addScale(std::size_t index, const JobScale& scale)
{
    m_undo.push(new AddScaleCommand(*this, index, scale));
}

bool ScaleDocument::removeScale(std::size_t index)
{
    if (index >= m_job.scales.size() || m_job.scales.size() < 2)
        return false;
    m_undo.push(new RemoveScaleCommand(*this, index));
    return true;
}

bool ScaleDocument::moveScale(std::size_t index, ScaleMove direction)
{
    const bool fits = direction == ScaleMove::Up ? index > 0 && index < m_job.scales.size()
                                                 : index + 1 < m_job.scales.size();
    if (!fits)
        return false;
    m_undo.push(new MoveScaleCommand(*this, index, direction));
    return true;
}

bool ScaleDocument::renameScale(std::size_t index, const std::string& name)
{
    if (index >= m_job.scales.size()
        || characterCount(QString::fromStdString(name)) > qsizetype(maxScaleNameLength))
        return false;
    if (m_job.scales[index].name != name)
        m_undo.push(new RenameScaleCommand(*this, index, name));
    return true;
}

void ScaleDocument::setMirror(bool mirror)
{
    if (m_job.mirror != mirror)
        m_undo.push(new MirrorCommand(*this, mirror));
}

void ScaleDocument::replaceJob(const ScaleJob& job)
{
    takeJob(job.scales.empty() ? ScaleJob {} : job, {}, std::nullopt);
}

QString ScaleDocument::open(const QString& path, bool asNew)
{
    JobFileReading reading = readJobFile(path);
    if (!reading)
        return reading.problem;
    if (asNew)
        takeJob(*reading.job, {}, std::nullopt);
    else
        takeJob(*reading.job, path, reading.job);
    return {};
}

std::optional<QString> ScaleDocument::unkept() const
{
    return unkeptInJobFile(m_job);
}

QString ScaleDocument::saveAs(const QString& path)
{
    if (const auto reason = unkept())
        return *reason;
    const QString error = saveJobFile(m_job, path);
    if (error.isEmpty())
        setFile(path, m_job);
    return error;
}

// Every change is made before the first signal, so that each listener sees the whole of it.
// The selection is told first: a form that shows the new scale has nothing left to mend when
// it hears that the job changed.
void ScaleDocument::setState(ScaleJob job, std::size_t selected)
{
    const QString pathBefore = m_path;
    const bool unsavedBefore = hasUnsavedChanges();
    const std::size_t selectedBefore = m_selected;
    const bool changed = job != m_job;
    m_job = std::move(job);
    m_selected = std::min(selected, m_job.scales.size() - 1);
    if (m_selected != selectedBefore)
        emit selectionChanged();
    if (changed)
        emit jobChanged();
    tellSavedState(pathBefore, unsavedBefore);
}

void ScaleDocument::takeJob(ScaleJob job, const QString& path, std::optional<ScaleJob> saved)
{
    const QString pathBefore = m_path;
    const bool unsavedBefore = hasUnsavedChanges();
    m_undo.clear();
    const bool changed = job != m_job;
    m_job = std::move(job);
    m_selected = 0;
    m_path = path;
    m_saved = std::move(saved);
    m_begun = m_job;
    emit selectionChanged(); // a new job: the form shows its first scale, whatever it showed
    if (changed)
        emit jobChanged();
    tellSavedState(pathBefore, unsavedBefore);
}

void ScaleDocument::setFile(const QString& path, std::optional<ScaleJob> saved)
{
    const QString pathBefore = m_path;
    const bool unsavedBefore = hasUnsavedChanges();
    m_path = path;
    m_saved = std::move(saved);
    tellSavedState(pathBefore, unsavedBefore);
}

void ScaleDocument::tellSavedState(const QString& pathBefore, bool unsavedBefore)
{
    if (m_path != pathBefore || hasUnsavedChanges() != unsavedBefore)
        emit savedStateChanged();
}

} // namespace mensora
