#pragma once

#include <QString>

class QMainWindow;

namespace mensora {

// Appends the Help menu: "Using Mensora" (F1) shows the guide that comes with the program,
// "About Mensora" its version and licence. Both open a window beside the main one (named
// "help_guide" and "help_about"), so work goes on while it stays open; nothing is fetched.
void addHelpMenu(QMainWindow& window);

// The guide as Markdown: the "Using Mensora" section of the README, built into the program.
QString usingMensoraGuide();

// The About text: the program's name and version, and its licence.
QString aboutMensora();

} // namespace mensora
