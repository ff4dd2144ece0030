#pragma once

#include <cstddef>
#include <string>

#include <QUndoCommand>

#include "document/scale_document.h"

namespace mensora {

// The undoable commands on a document's job. Each keeps the values it needs (the scale it
// added or removed, the names and the mirror before and after), never a pointer into the job,
// and edits the job as it stands when it is done or undone: the form's edits made in between
// are kept. Each selects what it touched.
class JobCommand : public QUndoCommand
{
protected:
    JobCommand(ScaleDocument& document, const QString& text);

    const ScaleJob& job() const { return m_document.job(); }
    std::size_t selected() const { return m_document.selectedIndex(); }
    void apply(ScaleJob job, std::size_t selected)
    {
        m_document.setState(std::move(job), selected);
    }

private:
    ScaleDocument& m_document;
};

// Adds a scale at an index and selects it; undone, selects what was selected before.
class AddScaleCommand : public JobCommand
{
public:
    AddScaleCommand(ScaleDocument& document, std::size_t index, JobScale scale);
    void redo() override;
    void undo() override;

private:
    std::size_t m_index;
    JobScale m_scale;
    std::size_t m_selectedBefore;
};

// Removes a scale: the selection stays on its scale, or goes to the one that takes the removed
// one's place. Undone, the scale comes back as it was removed, selected.
class RemoveScaleCommand : public JobCommand
{
public:
    RemoveScaleCommand(ScaleDocument& document, std::size_t index);
    void redo() override;
    void undo() override;

private:
    std::size_t m_index;
    JobScale m_removed;
};

// Swaps a scale with its neighbour; the selection follows the moved scale.
class MoveScaleCommand : public JobCommand
{
public:
    MoveScaleCommand(ScaleDocument& document, std::size_t index, ScaleMove direction);
    void redo() override { swap(m_from, m_to); }
    void undo() override { swap(m_to, m_from); }

private:
    void swap(std::size_t from, std::size_t to);

    std::size_t m_from;
    std::size_t m_to;
};

// Names a scale, and selects it.
class RenameScaleCommand : public JobCommand
{
public:
    RenameScaleCommand(ScaleDocument& document, std::size_t index, std::string name);
    void redo() override { setName(m_name); }
    void undo() override { setName(m_nameBefore); }

private:
    void setName(const std::string& name);

    std::size_t m_index;
    std::string m_name;
    std::string m_nameBefore;
};

// Mirrors the job or not; the selection stays.
class MirrorCommand : public JobCommand
{
public:
    MirrorCommand(ScaleDocument& document, bool mirror);
    void redo() override { setMirror(m_mirror); }
    void undo() override { setMirror(m_mirrorBefore); }

private:
    void setMirror(bool mirror);

    bool m_mirror;
    bool m_mirrorBefore;
};

} // namespace mensora
