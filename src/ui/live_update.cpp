#include "ui/live_update.h"

#include <utility>

namespace mensora {

LiveUpdate::LiveUpdate(std::function<void()> run, QObject* parent)
    : QObject(parent)
    , m_run(std::move(run))
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(pause);
    connect(&m_timer, &QTimer::timeout, this, [this] { m_run(); });
}

void LiveUpdate::setEnabled(bool on)
{
    m_enabled = on;
    if (!on)
        m_timer.stop();
}

void LiveUpdate::boxEdited()
{
    if (m_enabled)
        m_timer.start();
}

void LiveUpdate::optionChanged()
{
    if (!m_enabled)
        return;
    m_timer.stop();
    m_run();
}

} // namespace mensora
