#include "ui/package_key_filter.h"

#include <QKeyEvent>

namespace mensora {

bool typesCharacter(const QKeyEvent& event)
{
    const int key = event.key();
    switch (key) {
    case Qt::Key_Backspace:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        return true;
    case Qt::Key_Delete:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return false; // Delete carries the text "\x7f" on X11 but types nothing
    default:
        break;
    }
    if (event.modifiers().testFlag(Qt::ControlModifier) && key >= Qt::Key_A && key <= Qt::Key_Z)
        return true;
    const QString text = event.text();
    return !text.isEmpty() && text.front().isPrint();
}

bool PackageKeyFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto& key = static_cast<const QKeyEvent&>(*event);
    if (!typesCharacter(key))
        return false;
    const QString text = key.text();
    const bool stripeKind = text.size() == 1 && text.front() >= u'1' && text.front() <= u'6';
    return !stripeKind;
}

} // namespace mensora
