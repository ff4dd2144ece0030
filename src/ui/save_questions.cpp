#include "ui/save_questions.h"

#include <algorithm>
#include <array>

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>

#include "engraving/engraving.h"
#include "files/engraving_file.h"
#include "writers/text_sink.h"

namespace mensora {

QString readinessText(bool hasArcs)
{
    QString text = QObject::tr(
        "This is the plain program: a machine's controller needs what it lacks.\n\n"
        "\u2022 A feed in its start-up code: without one the first G1 stops with a zero feed "
        "rate.\n");
    if (hasArcs)
        text += QObject::tr(
            "\u2022 Absolute arc centres (G90.1): without them the arcs' I0 J0 read as "
            "zero-radius arcs.\n");
    text += QObject::tr("\n\"Choose machine\u2026\" writes the program for your controller.");
    return text;
}

bool programHasArcs(const Engraving& engraving)
{
    StringSink sink;
    engraving.write(sink, numberFormatOf());
    static const QRegularExpression arc(QStringLiteral("\\bG0?[23]\\b"));
    return arc.match(QString::fromStdString(sink.text)).hasMatch();
}

bool hasControllerExtension(const QString& path)
{
    static const std::array<QString, 5> controllers = { QStringLiteral("nc"), QStringLiteral("ngc"),
        QStringLiteral("gcode"), QStringLiteral("tap"), QStringLiteral("cnc") };
    const QString suffix = QFileInfo(path).suffix().toLower();
    return std::find(controllers.begin(), controllers.end(), suffix) != controllers.end();
}

QString withSuffix(const QString& path, std::string_view extension)
{
    if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    return path + u'.' + QString::fromUtf8(extension.data(), qsizetype(extension.size()));
}

ReadinessAnswer askReadinessInBox(QWidget* parent, const QString& text, const QString& title)
{
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::NoButton, parent);
    box.setObjectName(QStringLiteral("readiness"));
    QPushButton* choose
        = box.addButton(QStringLiteral("Choose machine\u2026"), QMessageBox::AcceptRole);
    QPushButton* plain = box.addButton(QStringLiteral("Save plain"), QMessageBox::AcceptRole);
    QPushButton* never = box.addButton(QStringLiteral("Don't ask again"), QMessageBox::AcceptRole);
    box.setDefaultButton(choose);
    box.setEscapeButton(plain);
    box.exec();
    if (box.clickedButton() == choose)
        return ReadinessAnswer::ChooseMachine;
    return box.clickedButton() == never ? ReadinessAnswer::DontAskAgain
                                        : ReadinessAnswer::SavePlain;
}

UnsavedAnswer askUnsavedInBox(QWidget* parent, const QString& fileName)
{
    const QString question = fileName.isEmpty()
        ? QObject::tr("The scale has not been saved. Save it?")
        : QObject::tr("%1 has changed. Save the changes?").arg(fileName);
    const auto pressed = QMessageBox::warning(parent, QStringLiteral("Mensora"), question,
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
    if (pressed == QMessageBox::Save)
        return UnsavedAnswer::Save;
    return pressed == QMessageBox::Discard ? UnsavedAnswer::Discard : UnsavedAnswer::Cancel;
}

QString askSaveInDialog(QWidget* parent, const QString& nameFilter, const QString& lastPath)
{
    QFileDialog dialog(parent, QString(), lastPath, nameFilter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    static const QRegularExpression firstPattern(QStringLiteral("\\*\\.(\\w+)"));
    dialog.setDefaultSuffix(firstPattern.match(nameFilter).captured(1));
    if (!lastPath.isEmpty())
        dialog.selectFile(lastPath);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

} // namespace mensora
