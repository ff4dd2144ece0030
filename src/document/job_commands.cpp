#include "document/job_commands.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace mensora {

namespace {

auto at(ScaleJob& job, std::size_t index)
{
    return std::next(job.scales.begin(), static_cast<std::ptrdiff_t>(index));
}

} // namespace

JobCommand::JobCommand(ScaleDocument& document, const QString& text)
    : QUndoCommand(text)
    , m_document(document)
{ }

AddScaleCommand::AddScaleCommand(ScaleDocument& document, std::size_t index, JobScale scale)
    : JobCommand(document, QObject::tr("Add scale"))
    , m_index(std::min(index, document.job().scales.size()))
    , m_scale(std::move(scale))
    , m_selectedBefore(document.selectedIndex())
{ }

void AddScaleCommand::redo()
{
    ScaleJob edited = job();
    edited.scales.insert(at(edited, m_index), m_scale);
    apply(std::move(edited), m_index);
}

void AddScaleCommand::undo()
{
    ScaleJob edited = job();
    edited.scales.erase(at(edited, m_index));
    apply(std::move(edited), m_selectedBefore);
}

RemoveScaleCommand::RemoveScaleCommand(ScaleDocument& document, std::size_t index)
    : JobCommand(document, QObject::tr("Remove scale"))
    , m_index(index)
{ }

void RemoveScaleCommand::redo()
{
    ScaleJob edited = job();
    m_removed = std::move(*at(edited, m_index));
    edited.scales.erase(at(edited, m_index));
    const std::size_t was = selected();
    // A later scale keeps its selection one place up; the removed one's goes to its follower,
    // or to the new last scale.
    const std::size_t now = was > m_index ? was - 1 : std::min(was, edited.scales.size() - 1);
    apply(std::move(edited), now);
}

void RemoveScaleCommand::undo()
{
    ScaleJob edited = job();
    edited.scales.insert(at(edited, m_index), m_removed);
    apply(std::move(edited), m_index);
}

MoveScaleCommand::MoveScaleCommand(ScaleDocument& document, std::size_t index, ScaleMove direction)
    : JobCommand(document,
        direction == ScaleMove::Up ? QObject::tr("Move scale up") : QObject::tr("Move scale down"))
    , m_from(index)
    , m_to(direction == ScaleMove::Up ? index - 1 : index + 1)
{ }

void MoveScaleCommand::swap(std::size_t from, std::size_t to)
{
    ScaleJob edited = job();
    std::iter_swap(at(edited, from), at(edited, to));
    apply(std::move(edited), to);
}

RenameScaleCommand::RenameScaleCommand(ScaleDocument& document, std::size_t index, std::string name)
    : JobCommand(document, QObject::tr("Rename scale"))
    , m_index(index)
    , m_name(std::move(name))
    , m_nameBefore(document.job().scales.at(index).name)
{ }

void RenameScaleCommand::setName(const std::string& name)
{
    ScaleJob edited = job();
    at(edited, m_index)->name = name;
    apply(std::move(edited), m_index);
}

MirrorCommand::MirrorCommand(ScaleDocument& document, bool mirror)
    : JobCommand(document, mirror ? QObject::tr("Mirror") : QObject::tr("No mirror"))
    , m_mirror(mirror)
    , m_mirrorBefore(document.job().mirror)
{ }

void MirrorCommand::setMirror(bool mirror)
{
    ScaleJob edited = job();
    edited.mirror = mirror;
    apply(std::move(edited), selected());
}

} // namespace mensora
