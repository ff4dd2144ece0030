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
#include "ui/save_questions.h"
#include "ui/templates.h"

namespace mensora {

namespace {

const QString scaleFileFilter = QStringLiteral("Mensora scale (*.mensora);;") + allFilesFilter();
constexpr std::string_view scaleExtension = "mensora";

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
    QAction* newScale = addItem(file, QStringLiteral("New"), "menu_new");
    newScale->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    connect(newScale, &QAction::triggered, this, &ScaleFileCommands::newScale);
    QMenu* fromTemplate = file->addMenu(QStringLiteral("New from template"));
    fromTemplate->menuAction()->setObjectName(QStringLiteral("menu_newtemplate"));
    fromTemplate->setToolTipsVisible(true);
    for (const ScaleTemplate& scaleTemplate : scaleTemplates()) {
        const QString path = templatePath(scaleTemplate);
        QAction* item = fromTemplate->addAction(QString::fromUtf8(scaleTemplate.caption));
        item->setObjectName(QStringLiteral("template_") + QFileInfo(path).baseName());
        item->setToolTip(
            QStringLiteral("Sets every box to %1").arg(QDir::toNativeSeparators(path)));
        connect(item, &QAction::triggered, this, [this, path] { openTemplate(path); });
    }
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
    if (!maySetAside())
        return;
    const QString path = m_window.askOpenFileName(scaleFileFilter, m_scalePath);
    if (path.isEmpty())
        return;
    if (applyScaleFile(path))
        nameScaleFile(path);
}

void ScaleFileCommands::newScale()
{
    if (!maySetAside())
        return;
    m_window.applyScaleParameters(ScaleParameters {});
    m_window.runPreview();
    forgetScaleFile();
}

void ScaleFileCommands::openTemplate(const QString& path)
{
    if (!maySetAside() || !applyScaleFile(path))
        return;
    forgetScaleFile();
}

// The window now shows a scale of no file: the title names none and nothing is unsaved.
void ScaleFileCommands::forgetScaleFile()
{
    m_scalePath.clear();
    m_savedScale.reset();
    m_window.setWindowTitle(QStringLiteral("Mensora"));
}

bool ScaleFileCommands::applyScaleFile(const QString& path)
{
    const ScaleFileReading reading = readScaleFile(path);
    if (!reading) {
        m_window.showMessage(reading.problem);
        return false;
    }
    m_window.applyScaleParameters(*reading.scale);
    m_window.runPreview();
    return true;
}

void ScaleFileCommands::saveScaleAs()
{
    const ScaleParameters scale = m_window.scaleParameters();
    if (const auto unkept = unkeptInScaleFile(scale)) {
        m_window.showMessage(*unkept);
        return;
    }
    const QString path
        = withSuffix(m_window.askSaveFileName(scaleFileFilter, m_scalePath), scaleExtension);
    if (!path.isEmpty())
        writeScale(scale, path);
}

bool ScaleFileCommands::writeScale(const ScaleParameters& scale, const QString& path)
{
    const QString error = saveScaleFile(scale, path);
    if (!error.isEmpty()) {
        m_window.showMessage(notWritten(path, error));
        return false;
    }
    nameScaleFile(path);
    return true;
}

bool ScaleFileCommands::hasUnsavedChanges() const
{
    return m_savedScale && *m_savedScale != m_window.scaleParameters();
}

void ScaleFileCommands::showChanges()
{
    if (m_scalePath.isEmpty())
        return; // a scale from no file keeps the plain title
    const QString star = hasUnsavedChanges() ? QStringLiteral("*") : QString();
    m_window.setWindowTitle(
        QFileInfo(m_scalePath).fileName() + star + QStringLiteral(" — Mensora"));
}

bool ScaleFileCommands::maySetAside()
{
    if (!hasUnsavedChanges())
        return true;
    switch (m_window.askUnsavedChanges(QFileInfo(m_scalePath).fileName())) {
    case UnsavedAnswer::Save: {
        const ScaleParameters scale = m_window.scaleParameters();
        if (const auto unkept = unkeptInScaleFile(scale)) {
            m_window.showMessage(*unkept);
            return false;
        }
        return writeScale(scale, m_scalePath);
    }
    case UnsavedAnswer::Discard:
        return true;
    case UnsavedAnswer::Cancel:
        return false;
    }
    return false;
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
    const std::string_view extension = drawing->output().extensions.front();
    const QString path = withSuffix(
        m_window.askSaveFileName(saveNameFilter(drawing->output()), lastPath), extension);
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
    m_savedScale = m_window.scaleParameters();
    showChanges();
}

} // namespace mensora
