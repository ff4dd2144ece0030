#pragma once

#include <QString>
#include <QStringList>

#include "ui/save_questions.h"

class QDialog;
class QWidget;

namespace mensora {

// Every question the window asks the user, and every modal dialog it runs: the window asks
// through this alone, so that a test answers in place of the user.
class Questions
{
public:
    virtual ~Questions() = default;

    // The save and open dialogs: given the Qt name filter and the path to start from (empty
    // for none), the chosen file name, or an empty one for none.
    virtual QString saveFileName(const QString& nameFilter, const QString& lastPath) = 0;
    virtual QString openFileName(const QString& nameFilter, const QString& lastPath) = 0;

    // Before a plain program is saved, with the text of what a controller needs that the
    // program lacks.
    virtual ReadinessAnswer machineReadiness(const QString& text) = 0;

    // Before a changed scale file is set aside, with the file's name; empty for a scale that
    // was never saved.
    virtual UnsavedAnswer unsavedChanges(const QString& fileName) = 0;

    // Before a plain plot file is saved, with the text of how it counts and who reads it.
    virtual ReadinessAnswer plotReadiness(const QString& text) = 0;

    // Before a save while the unit offer stands under the picture, with its sentence.
    virtual UnitOfferAnswer unitOfferOpen(const QString& sentence) = 0;

    // Before a save, about a note that offers a change: the note, and the offer's caption.
    virtual NoteAnswer noteOffer(const QString& note, const QString& offer) = 0;

    // Tells the user why something did not happen.
    virtual void tell(const QString& message) = 0;

    // Before a save, the notes on boxes read otherwise than typed: true for "Save anyway".
    virtual bool saveDespiteNotes(const QStringList& notes) = 0;

    // Before a save that cuts deep, the question: true to save.
    virtual bool cutDeep(const QString& question) = 0;

    // Runs a dialog modally (machine settings, numbers and marks, drum, ...): true when it
    // was accepted.
    virtual bool run(QDialog& dialog) = 0;
};

// The questions in real boxes and dialogs over the window.
class BoxQuestions : public Questions
{
public:
    explicit BoxQuestions(QWidget& window)
        : m_window(window)
    { }

    QString saveFileName(const QString& nameFilter, const QString& lastPath) override;
    QString openFileName(const QString& nameFilter, const QString& lastPath) override;
    ReadinessAnswer machineReadiness(const QString& text) override;
    UnsavedAnswer unsavedChanges(const QString& fileName) override;
    ReadinessAnswer plotReadiness(const QString& text) override;
    UnitOfferAnswer unitOfferOpen(const QString& sentence) override;
    NoteAnswer noteOffer(const QString& note, const QString& offer) override;
    void tell(const QString& message) override;
    bool saveDespiteNotes(const QStringList& notes) override;
    bool cutDeep(const QString& question) override;
    bool run(QDialog& dialog) override;

private:
    QWidget& m_window;
};

} // namespace mensora
