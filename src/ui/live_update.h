#pragma once

#include <chrono>
#include <functional>

#include <QObject>
#include <QTimer>

namespace mensora {

// Runs the preview again while the user works, when switched on: a pause after the last edit
// of a box, so that typing a number runs it once; at once on an option change.
class LiveUpdate : public QObject
{
public:
    static constexpr std::chrono::milliseconds pause { 250 };

    LiveUpdate(std::function<void()> run, QObject* parent);

    // Switching off drops a run that is waiting.
    void setEnabled(bool on);
    bool isEnabled() const { return m_enabled; }

    // A box was edited: runs after the pause, counted again from each edit.
    void boxEdited();
    // An option changed: runs now.
    void optionChanged();

private:
    std::function<void()> m_run;
    QTimer m_timer;
    bool m_enabled = false;
};

} // namespace mensora
