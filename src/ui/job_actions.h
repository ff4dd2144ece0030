#pragma once

#include <cstddef>
#include <string>

#include <QObject>

class QAction;

namespace mensora {

class MainWindow;
class ScaleDocument;

// The commands on the job's scales, as actions that the Scale menu and the Scales panel share:
// "Add" (a copy of the selected scale after it), "Add vernier…", "Add other unit", "Remove",
// "Move up", "Move down", "Rename" and "Mirror for the back". Each is enabled only where it can
// act (the other unit beside a flat scale, no removing the last scale, no moving past either
// end), and the mirror's check follows the job. Refusals are told through the window's
// questions.
class JobActions : public QObject
{
    Q_OBJECT

public:
    JobActions(MainWindow& window, ScaleDocument& document);

    QAction* add = nullptr;
    QAction* addVernier = nullptr;
    QAction* addOtherUnit = nullptr;
    QAction* remove = nullptr;
    QAction* moveUp = nullptr;
    QAction* moveDown = nullptr;
    QAction* rename = nullptr; // asks the panel to edit the name in place (renameAsked)
    QAction* mirror = nullptr;

    // Names scale `index`; a name left empty, or the scale's own default, goes back to the
    // default, which follows the scale's values.
    void renameScale(std::size_t index, const std::string& name);

signals:
    void renameAsked();

private:
    QAction* created(const QString& caption, const char* name, const QString& tip);
    void addCopy();
    void askVernier();
    void addOtherUnitScale();
    void showState();

    MainWindow& m_window;
    ScaleDocument& m_document;
};

} // namespace mensora
