#include "ui/view_menu.h"

#include <QAction>
#include <QKeySequence>
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

QMenu* addMenu(QMenuBar* bar, const QString& title, const char* name)
{
    QMenu* menu = bar->addMenu(title);
    menu->setObjectName(QString::fromUtf8(name));
    menu->setToolTipsVisible(true);
    return menu;
}

ViewMenu addViewMenu(QMenuBar* bar)
{
    QMenu* view = addMenu(bar, QStringLiteral("&View"), "menu_view");
    ViewMenu menu;
    menu.showTravel = addRememberedOption(view, QStringLiteral("Show travel moves"),
        "menu_showtravel", QStringLiteral("view/showTravelMoves"));
    menu.updateWhileTyping
        = addRememberedOption(view, QStringLiteral("Update preview while typing"),
            "menu_livepreview", QStringLiteral("view/updatePreviewWhileTyping"));
    view->addSeparator()->setObjectName(QStringLiteral("menu_viewstr"));
    menu.preview = view->addAction(QStringLiteral("Preview"));
    menu.preview->setObjectName(QStringLiteral("menu_preview"));
    menu.preview->setShortcut(QKeySequence(Qt::Key_F5));
    menu.fitAll = view->addAction(QStringLiteral("Fit all"));
    menu.fitAll->setObjectName(QStringLiteral("menu_fitall"));
    menu.fitAll->setShortcut(QKeySequence(Qt::Key_F));
    return menu;
}

} // namespace mensora
