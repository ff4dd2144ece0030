#pragma once

#include <QObject>

class QKeyEvent;

namespace mensora {

// Whether a key press types a character into a text box: printable keys, Backspace, Enter and
// Escape, and Ctrl with a letter (the control characters of copy, cut and paste). Keys that
// type nothing (Delete, arrows, Home, Tab) do not.
bool typesCharacter(const QKeyEvent& event);

// The key filter of the package box Text6: a typed character passes only when it is one of
// the stripe kinds "1" to "6"; every other typed character is swallowed. Keys that type no
// character keep their effect, and text that arrives other than by typing (the context
// menu's paste) is left alone.
class PackageKeyFilter : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace mensora
