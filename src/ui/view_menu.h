#pragma once

class QAction;
class QMenu;
class QMenuBar;
class QString;

namespace mensora {

// The View menu's two options, both off until the user turns them on, and its two commands.
struct ViewMenu
{
    QAction* showTravel = nullptr; // "Show travel moves"
    QAction* updateWhileTyping = nullptr; // "Update preview while typing"
    QAction* preview = nullptr; // "Preview", F5
    QAction* fitAll = nullptr; // "Fit all", F
};

// Appends the View menu to the bar. Each option starts as the user last left it and is
// remembered (QSettings) whenever it is switched.
ViewMenu addViewMenu(QMenuBar* bar);

// Appends a menu titled `title` (its access key marked with "&") named `name`, whose items
// show their tooltips.
QMenu* addMenu(QMenuBar* bar, const QString& title, const char* name);

} // namespace mensora
