#include "ui/help_menu.h"

#include <QAction>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QKeySequence>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "ui/view_menu.h"

namespace mensora {

namespace {

// A window of the main one, made on first use and shown again after that.
QDialog* helpWindow(QMainWindow& window, const char* name, const QString& title)
{
    if (auto* shown = window.findChild<QDialog*>(QString::fromUtf8(name)))
        return shown;
    auto* dialog = new QDialog(&window);
    dialog->setObjectName(QString::fromUtf8(name));
    dialog->setWindowTitle(title);
    auto* layout = new QVBoxLayout(dialog);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, dialog);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::close);
    layout->addWidget(buttons);
    return dialog;
}

void showGuide(QMainWindow& window)
{
    const bool made = window.findChild<QDialog*>(QStringLiteral("help_guide")) != nullptr;
    QDialog* dialog = helpWindow(window, "help_guide", QStringLiteral("Using Mensora"));
    if (!made) {
        auto* text = new QTextBrowser(dialog);
        text->setObjectName(QStringLiteral("help_text"));
        text->setOpenLinks(false); // the guide is all there is: no link leaves it
        text->setMarkdown(usingMensoraGuide());
        qobject_cast<QVBoxLayout*>(dialog->layout())->insertWidget(0, text);
        dialog->resize(640, 560);
    }
    dialog->show();
    dialog->raise();
}

void showAbout(QMainWindow& window)
{
    const bool made = window.findChild<QDialog*>(QStringLiteral("help_about")) != nullptr;
    QDialog* dialog = helpWindow(window, "help_about", QStringLiteral("About Mensora"));
    if (!made) {
        auto* text = new QLabel(aboutMensora(), dialog);
        text->setObjectName(QStringLiteral("about_text"));
        qobject_cast<QVBoxLayout*>(dialog->layout())->insertWidget(0, text);
    }
    dialog->show();
    dialog->raise();
}

} // namespace

QString usingMensoraGuide()
{
    QFile guide(QStringLiteral(":/help/using_mensora.md"));
    if (!guide.open(QIODevice::ReadOnly))
        return QStringLiteral("The guide was not built into this copy of Mensora.");
    return QString::fromUtf8(guide.readAll());
}

QString aboutMensora()
{
    return QStringLiteral("Mensora %1\n\nEngraving programs for graduated rulers and dials.\n\n"
                          "Licence: GPL-3.0-or-later")
        .arg(QStringLiteral(MENSORA_VERSION));
}

void addHelpMenu(QMainWindow& window)
{
    QMenu* help = addMenu(window.menuBar(), QStringLiteral("&Help"), "menu_help");
    QAction* guide = help->addAction(QStringLiteral("Using Mensora"));
    guide->setObjectName(QStringLiteral("menu_guide"));
    guide->setShortcut(QKeySequence::HelpContents);
    QObject::connect(guide, &QAction::triggered, &window, [&window] { showGuide(window); });
    QAction* about = help->addAction(QStringLiteral("About Mensora"));
    about->setObjectName(QStringLiteral("menu_about"));
    QObject::connect(about, &QAction::triggered, &window, [&window] { showAbout(window); });
}

} // namespace mensora
