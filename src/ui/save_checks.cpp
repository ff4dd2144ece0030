// The texts and boxes of the questions a save asks besides the first ones (see
// save_questions.cpp): the plain plot file, the open unit offer, a note's offer; the name the
// save dialog proposes and what the status bar says after a save.

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>

#include "ui/save_questions.h"

namespace mensora {

QString plotReadinessText(bool inch)
{
    QString text = QObject::tr(
        "This is the plain plot file: it counts 40 plotter units per typed unit.\n\n");
    if (inch)
        text += QObject::tr(
            "\u2022 This scale is in inches: on a plotter, which counts 40 units per "
            "millimetre, it comes out 25.4 times too small.\n");
    text += QObject::tr(
        "\u2022 Its numbers stand without commas between them: readers that expect commas do "
        "not read it.\n\n"
        "\"Choose machine\u2026\" writes it for the HP-GL cutter profile: 1016 units per inch, "
        "with commas.");
    return text;
}

UnitOfferAnswer askUnitOfferInBox(QWidget* parent, const QString& sentence)
{
    QMessageBox box(QMessageBox::Question, QObject::tr("Before saving"),
        QObject::tr("The offer under the picture is open:\n%1").arg(sentence),
        QMessageBox::NoButton, parent);
    QPushButton* convert = box.addButton(QObject::tr("Convert"), QMessageBox::AcceptRole);
    QPushButton* keep = box.addButton(QObject::tr("Keep"), QMessageBox::AcceptRole);
    QPushButton* cancel = box.addButton(QMessageBox::Cancel);
    box.setDefaultButton(convert);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == convert)
        return UnitOfferAnswer::Convert;
    return box.clickedButton() == keep ? UnitOfferAnswer::Keep : UnitOfferAnswer::Cancel;
}

NoteAnswer askNoteOfferInBox(QWidget* parent, const QString& note, const QString& offer)
{
    QMessageBox box(
        QMessageBox::Warning, QObject::tr("Before saving"), note, QMessageBox::NoButton, parent);
    QPushButton* take = box.addButton(offer, QMessageBox::AcceptRole);
    QPushButton* asItIs = box.addButton(QObject::tr("Save as it is"), QMessageBox::AcceptRole);
    QPushButton* back = box.addButton(QObject::tr("Go back"), QMessageBox::RejectRole);
    box.setDefaultButton(take);
    box.setEscapeButton(back);
    box.exec();
    if (box.clickedButton() == take)
        return NoteAnswer::TakeOffer;
    return box.clickedButton() == asItIs ? NoteAnswer::SaveAsItIs : NoteAnswer::GoBack;
}

QString withExtensionOf(const QString& path, std::span<const std::string_view> extensions)
{
    if (path.isEmpty() || extensions.empty())
        return path;
    const QFileInfo info(path);
    const QString suffix = info.suffix();
    for (const std::string_view extension : extensions)
        if (suffix.compare(QString::fromUtf8(extension.data(), qsizetype(extension.size())),
                Qt::CaseInsensitive)
            == 0)
            return path;
    const QString base = suffix.isEmpty() ? path : path.left(path.size() - suffix.size() - 1);
    return withSuffix(base, extensions.front());
}

QString savedMessage(const QString& path)
{
    QFile file(path);
    qint64 lines = 0;
    if (file.open(QIODevice::ReadOnly))
        while (!file.atEnd())
            lines += file.read(1 << 16).count('\n');
    QLocale locale;
    locale.setNumberOptions(locale.numberOptions() & ~QLocale::OmitGroupSeparator);
    const qint64 bytes = QFileInfo(path).size();
    const QString size = bytes < 1024
        ? QObject::tr("%1 bytes").arg(locale.toString(bytes))
        : QObject::tr("%1 KB").arg(locale.toString((bytes + 512) / 1024));
    return QObject::tr("Saved %1: %2 lines, %3")
        .arg(QFileInfo(path).fileName(), locale.toString(lines), size);
}

} // namespace mensora
