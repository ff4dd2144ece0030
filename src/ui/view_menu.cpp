#include "ui/view_menu.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>

namespace mensora {

namespace {

// A checkable item kept in the settings under `key`.
QAction* addRememberedOption(
    QMenu* menu, const QString& caption, const char* name, const QString& key)
{
    QAction* option = menu->addAction(caption);
    option->setObjectName(QString::fromUtf8(name));
    option->setCheckable(true);
    option->setChecked(QSettings().value(key, false).toBool());
    QObject::connect(
        option, &QAction::toggled, option, [key](bool on) { QSettings().setValue(key, on); });
    return option;
}

} // namespace

ViewMenu addViewMenu(QMenuBar* bar)
{
    // Like the File menu: no access keys, no shortcuts.
    QMenu* view = bar->addMenu(QStringLiteral("View"));
    view->setObjectName(QStringLiteral("menu_view"));
    ViewMenu menu;
    menu.showTravel = addRememberedOption(view, QStringLiteral("Show travel moves"),
        "menu_showtravel", QStringLiteral("view/showTravelMoves"));
    menu.updateWhileTyping
        = addRememberedOption(view, QStringLiteral("Update preview while typing"),
            "menu_livepreview", QStringLiteral("view/updatePreviewWhileTyping"));
    return menu;
}

} // namespace mensora
