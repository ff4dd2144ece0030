#include "ui/scale_file_commands.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QKeySequence>
#include <QMenu>

#include "files/engraving_file.h"
#include "files/scale_file.h"
#include "ui/file_filter.h"
#include "ui/main_window.h"

namespace mensora {

namespace {

const QString scaleFileFilter = QStringLiteral("Mensora scale (*.mensora)");

QAction* addItem(QMenu* menu, const QString& caption, const char* name)
{
    QAction* item = menu->addAction(caption);
    item->setObjectName(QString::fromUtf8(name));
    return item;
}

QString notWritten(const QString& path, const QString& reason)
{
    return QObject::tr("%1 could not be written: %2").arg(QDir::toNativeSeparators(path), reason);
}

} // namespace

ScaleFileCommands::ScaleFileCommands(MainWindow& window)
    : QObject(&window)
    , m_window(window)
{ }

void ScaleFileCommands::addScaleItems(QMenu* file)
{
    QAction* open = addItem(file, QStringLiteral("Open Scale…"), "menu_openscale");
    open->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    connect(open, &QAction::triggered, this, &ScaleFileCommands::openScale);
    QAction* save = addItem(file, QStringLiteral("Save Scale As…"), "menu_savescale");
    save->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    connect(save, &QAction::triggered, this, &ScaleFileCommands::saveScaleAs);
    file->addSeparator()->setObjectName(QStringLiteral("menu_scalestr"));
}

void ScaleFileCommands::addExportItems(QMenu* file)
{
    connect(addItem(file, QStringLiteral("Export SVG…"), "menu_exportsvg"), &QAction::triggered,
        this, [this] { exportDrawing(OutputFormat::Svg); });
    connect(addItem(file, QStringLiteral("Export DXF…"), "menu_exportdxf"), &QAction::triggered,
        this, [this] { exportDrawing(OutputFormat::Dxf); });
}

void ScaleFileCommands::openScale()
{
    const QString path = m_window.askOpenFileName(scaleFileFilter, m_scalePath);
    if (path.isEmpty())
        return;
    const ScaleFileReading reading = readScaleFile(path);
    if (!reading) {
        m_window.showMessage(reading.problem);
        return;
    }
    m_window.applyScaleParameters(*reading.scale);
    m_window.runPreview();
    nameScaleFile(path);
}

void ScaleFileCommands::saveScaleAs()
{
    const ScaleParameters scale = m_window.scaleParameters();
    if (const auto unkept = unkeptInScaleFile(scale)) {
        m_window.showMessage(*unkept);
        return;
    }
    const QString path = m_window.askSaveFileName(scaleFileFilter, m_scalePath);
    if (path.isEmpty())
        return;
    const QString error = saveScaleFile(scale, path);
    if (!error.isEmpty()) {
        m_window.showMessage(notWritten(path, error));
        return;
    }
    nameScaleFile(path);
}

void ScaleFileCommands::exportDrawing(OutputFormat format)
{
    OutputRequest request = m_window.outputRequest();
    request.format = format;
    const ScaleParameters parameters = m_window.scaleParameters();
    const std::optional<Engraving> drawing = m_window.engravingForFile(parameters, request);
    if (!drawing || !m_window.confirmReadings(parameters, *drawing))
        return;
    const std::string_view name = drawing->output().name;
    QString& lastPath = m_exportPaths[QString::fromUtf8(name.data(), qsizetype(name.size()))];
    const QString path = m_window.askSaveFileName(saveNameFilter(drawing->output()), lastPath);
    if (path.isEmpty())
        return;
    const QString error = saveEngraving(*drawing, path, numberFormatOf());
    if (!error.isEmpty()) {
        m_window.showMessage(notWritten(path, error));
        return;
    }
    lastPath = path;
}

// The window's title names the scale file the window now shows.
void ScaleFileCommands::nameScaleFile(const QString& path)
{
    m_scalePath = path;
    m_window.setWindowTitle(QFileInfo(path).fileName() + QStringLiteral(" — Mensora"));
}

} // namespace mensora
