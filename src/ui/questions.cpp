#include "ui/questions.h"

#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QWidget>

namespace mensora {

QString BoxQuestions::saveFileName(const QString& nameFilter, const QString& lastPath)
{
    return askSaveInDialog(&m_window, nameFilter, lastPath);
}

QString BoxQuestions::openFileName(const QString& nameFilter, const QString& lastPath)
{
    return QFileDialog::getOpenFileName(&m_window, QString(), lastPath, nameFilter);
}

ReadinessAnswer BoxQuestions::machineReadiness(const QString& text)
{
    return askReadinessInBox(&m_window, text);
}

UnsavedAnswer BoxQuestions::unsavedChanges(const QString& fileName)
{
    return askUnsavedInBox(&m_window, fileName);
}

ReadinessAnswer BoxQuestions::plotReadiness(const QString& text)
{
    return askReadinessInBox(&m_window, text, QObject::tr("Before saving a plain plot file"));
}

UnitOfferAnswer BoxQuestions::unitOfferOpen(const QString& sentence)
{
    return askUnitOfferInBox(&m_window, sentence);
}

NoteAnswer BoxQuestions::noteOffer(const QString& note, const QString& offer)
{
    return askNoteOfferInBox(&m_window, note, offer);
}

void BoxQuestions::tell(const QString& message)
{
    QMessageBox::warning(&m_window, m_window.windowTitle(), message);
}

// "Go back" is the default, so that Enter saves nothing unseen.
bool BoxQuestions::saveDespiteNotes(const QStringList& notes)
{
    QMessageBox box(QMessageBox::Warning, m_window.windowTitle(),
        QStringLiteral("The file may not cut what you mean:"), QMessageBox::NoButton, &m_window);
    box.setInformativeText(notes.join(u'\n'));
    QPushButton* save = box.addButton(QStringLiteral("Save anyway"), QMessageBox::AcceptRole);
    QPushButton* back = box.addButton(QStringLiteral("Go back"), QMessageBox::RejectRole);
    box.setDefaultButton(back);
    box.setEscapeButton(back);
    box.exec();
    return box.clickedButton() == save;
}

bool BoxQuestions::cutDeep(const QString& question)
{
    return QMessageBox::question(&m_window, m_window.windowTitle(), question) == QMessageBox::Yes;
}

bool BoxQuestions::run(QDialog& dialog)
{
    return dialog.exec() == QDialog::Accepted;
}

} // namespace mensora
