#include <QApplication>

#include "ui/main_window.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // Where the window keeps its View options between runs.
    QApplication::setOrganizationName(QStringLiteral("Mensora"));
    QApplication::setApplicationName(QStringLiteral("mensora"));
    mensora::MainWindow window;
    window.show();
    return app.exec();
}
