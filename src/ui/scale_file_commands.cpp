#include "ui/scale_file_commands.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QKeySequence>
#include <QMenu>

#include "document/scale_document.h"
#include "files/engraving_file.h"
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
    , m_document(window.document())
{ }

void ScaleFileCommands::addScaleItems(QMenu* file)
{
    QAction* newScale = addItem(file, QStringLiteral("New"), "menu_new");
    newScale->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    connect(newScale, &QAction::triggered, this, &ScaleFileCommands::newScale);
    QMenu* fromTemplate = file->addMenu(QStringLiteral("New from template"));
    fromTemplate->menuAction()->setObjectName(QStringLiteral("menu_newtemplate"));
    fromTemplate->setToolTipsVisible(true);
    for (const OfferedTemplate& offered : offeredTemplates()) {
        QAction* item = fromTemplate->addAction(offered.caption);
        item->setObjectName(
            QStringLiteral("template_") + QFileInfo(offered.name).completeBaseName());
        item->setToolTip(QStringLiteral("Sets every box to the template %1").arg(offered.name));
        connect(item, &QAction::triggered, this, [this, offered] { openTemplate(offered); });
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
    const QString path = m_window.questions().openFileName(scaleFileFilter, m_document.path());
    if (!path.isEmpty())
        openFile(path, false);
}

void ScaleFileCommands::newScale()
{
    if (!maySetAside())
        return;
    m_document.replaceJob();
    m_window.runPreview();
}

void ScaleFileCommands::openTemplate(const OfferedTemplate& offered)
{
    if (!maySetAside())
        return;
    const QString problem = m_document.open(offered.path, true);
    if (!problem.isEmpty()) {
        m_window.questions().tell(QObject::tr("The template %1 in %2 cannot be opened: %3")
                                      .arg(offered.name, offered.folder, problem));
        return;
    }
    m_window.runPreview();
}

bool ScaleFileCommands::openFile(const QString& path, bool asNew)
{
    const QString problem = m_document.open(path, asNew);
    if (!problem.isEmpty()) {
        m_window.questions().tell(problem);
        return false;
    }
    m_window.runPreview();
    return true;
}

void ScaleFileCommands::saveScaleAs()
{
    if (m_window.answerUnitOffer())
        saveScaleAsked();
}

bool ScaleFileCommands::saveScaleAsked()
{
    if (const auto unkept = m_document.unkept()) {
        m_window.questions().tell(*unkept);
        return false;
    }
    const QString path = withSuffix(
        m_window.questions().saveFileName(scaleFileFilter, m_document.path()), scaleExtension);
    return !path.isEmpty() && writeJob(path);
}

bool ScaleFileCommands::writeJob(const QString& path)
{
    const QString error = m_document.saveAs(path);
    if (!error.isEmpty()) {
        m_window.questions().tell(notWritten(path, error));
        return false;
    }
    m_window.showSaved(path);
    return true;
}

// A job of no file is saved where the user names, as Save Scale As saves it.
bool ScaleFileCommands::maySetAside()
{
    if (!m_document.hasUnsavedWork())
        return true;
    switch (m_window.questions().unsavedChanges(QFileInfo(m_document.path()).fileName())) {
    case UnsavedAnswer::Save:
        if (m_document.path().isEmpty())
            return saveScaleAsked();
        if (const auto unkept = m_document.unkept()) {
            m_window.questions().tell(*unkept);
            return false;
        }
        return writeJob(m_document.path());
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
    const std::optional<Engraving> drawing = m_window.engravingToSave(request);
    if (!drawing)
        return;
    const std::string_view name = drawing->output().name;
    QString& lastPath = m_exportPaths[QString::fromUtf8(name.data(), qsizetype(name.size()))];
    const std::string_view extension = drawing->output().extensions.front();
    const QString path = withSuffix(
        m_window.questions().saveFileName(saveNameFilter(drawing->output()), lastPath), extension);
    if (path.isEmpty())
        return;
    const QString error = saveEngraving(*drawing, path, numberFormatOf());
    if (!error.isEmpty()) {
        m_window.questions().tell(notWritten(path, error));
        return;
    }
    lastPath = path;
    m_window.showSaved(path);
}

} // namespace mensora
