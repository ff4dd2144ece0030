#pragma once

class QAction;
class QMenuBar;

namespace mensora {

// The View menu's two options, both off until the user turns them on.
struct ViewMenu
{
    QAction* showTravel = nullptr; // "Show travel moves"
    QAction* updateWhileTyping = nullptr; // "Update preview while typing"
};

// Appends the View menu to the bar. Each option starts as the user last left it and is
// remembered (QSettings) whenever it is switched.
ViewMenu addViewMenu(QMenuBar* bar);

} // namespace mensora
