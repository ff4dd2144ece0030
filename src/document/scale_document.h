#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include <QObject>
#include <QString>
#include <QUndoStack>

#include "model/scale_job.h"

namespace mensora {

// Which way a scale moves in the job's order.
enum class ScaleMove { Up, Down }; // Up: towards the first scale

// The job the window shows, apart from any widget: its scales, the one selected (the one the
// form shows), the file it was opened from or saved to, the job as that file holds it, and
// the undo stack of the job's commands. The form's edits are written through to the selected
// scale and are not undone here (the boxes keep their own undo); adding, removing, moving and
// renaming scales and the mirror are commands on the stack. A job always holds one scale at
// least.
class ScaleDocument : public QObject
{
    Q_OBJECT

public:
    explicit ScaleDocument(QObject* parent = nullptr);

    const ScaleJob& job() const { return m_job; }
    std::size_t selectedIndex() const { return m_selected; }
    const JobScale& selectedScale() const { return m_job.scales[m_selected]; }
    // Selects a scale of the job; an index past the last is ignored.
    void select(std::size_t index);

    // The form's edits: the parameters of the selected scale, or of scale `index`.
    void setSelectedScale(const ScaleParameters& parameters);
    void setScaleParameters(std::size_t index, const ScaleParameters& parameters);

    // The job's commands, each one step on the undo stack. Indexes past the end are refused
    // (false), as are removing the last scale, moving a scale past either end and a name over
    // maxScaleNameLength characters. A scale added at `index` (at the end for an index past
    // it) becomes the selected one.
    void addScale(std::size_t index, const JobScale& scale = {});
    bool removeScale(std::size_t index);
    bool moveScale(std::size_t index, ScaleMove direction);
    bool renameScale(std::size_t index, const std::string& name);
    void setMirror(bool mirror);
    QUndoStack& undoStack() { return m_undo; }

    // New and the templates: the job of no file, its first scale selected, the undo stack
    // cleared. A job without scales is taken as the start job.
    void replaceJob(const ScaleJob& job = {});

    // The file the job was opened from or last saved to; empty for none.
    const QString& path() const { return m_path; }
    // Whether the job differs from the job its file holds; false for a job of no file.
    bool hasUnsavedChanges() const { return m_saved && *m_saved != m_job; }
    // Whether setting the job aside would lose work: it differs from its file, or, for a job of
    // no file, from the job it began as (the start job of New, or a template).
    bool hasUnsavedWork() const { return m_job != (m_saved ? *m_saved : m_begun); }

    // Reads a file and makes it the job, as replaceJob does; `asNew` keeps no path (a
    // template). Returns the sentence that refuses the file, which then changes nothing, or
    // an empty string.
    QString open(const QString& path, bool asNew = false);
    // Why the job cannot be saved in its file, or nothing.
    std::optional<QString> unkept() const;
    // Writes the job to `path`, which becomes its file. Returns the reason it could not be
    // written, a job the file cannot keep included (the document unchanged then), or an empty
    // string.
    QString saveAs(const QString& path);

signals:
    // Any change of the job: the form's edits included.
    void jobChanged();
    // The form has another scale to show: another one selected, or a new job.
    void selectionChanged();
    // The path changed, or whether the job differs from its file.
    void savedStateChanged();

private:
    friend class JobCommand;

    // Sets the job and its selection and tells what changed; the selection is kept within the
    // job.
    void setState(ScaleJob job, std::size_t selected);
    // A new job with its file (none for an empty path), its first scale selected, no undo.
    void takeJob(ScaleJob job, const QString& path, std::optional<ScaleJob> saved);
    void setFile(const QString& path, std::optional<ScaleJob> saved);
    void tellSavedState(const QString& pathBefore, bool unsavedBefore);

    ScaleJob m_job;
    std::size_t m_selected = 0;
    QString m_path;
    std::optional<ScaleJob> m_saved; // the job as its file holds it
    ScaleJob m_begun; // a job of no file as it began
    QUndoStack m_undo;
};

} // namespace mensora
