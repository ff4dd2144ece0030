#pragma once

#include <span>
#include <string_view>

#include <QObject>
#include <QString>

class QWidget;

namespace mensora {

class Engraving;

// The answers of the question asked before a plain program is saved.
enum class ReadinessAnswer {
    ChooseMachine, // open Machine settings, then save under the settings chosen there
    SavePlain, // save the plain program this once
    DontAskAgain, // save the plain program and never ask again
};

// The answers of the question asked before a changed scale file is set aside.
enum class UnsavedAnswer { Save, Discard, Cancel };

// The answers of the question asked before a save while the unit offer stands.
enum class UnitOfferAnswer {
    Convert, // convert the length boxes, then save
    Keep, // save the numbers as they are
    Cancel, // save nothing
};

// The answers of the question asked before a save about a note that offers a change.
enum class NoteAnswer {
    TakeOffer, // make the change, then save the changed scale
    SaveAsItIs,
    GoBack, // save nothing
};

// What a controller needs that the plain program lacks: a feed always, absolute arc centres
// only for a program with arcs.
QString readinessText(bool hasArcs);

// Whether the program cuts arcs (G2 or G3): those need absolute arc centres on a controller.
bool programHasArcs(const Engraving& engraving);

// What a controller or a plotter would get wrong in a plain plot file: 40 plotter units per
// typed unit (an inch scale comes out 25.4 times too small) and numbers without commas.
QString plotReadinessText(bool inch);

// Whether the file's extension is one a controller reads programs under (.nc, .ngc, ...).
bool hasControllerExtension(const QString& path);

// The path with ".extension" added when it names no extension; an empty path stays empty.
QString withSuffix(const QString& path, std::string_view extension);

// The path with an extension of the file being written: its own when it has one of them, else
// the first in place of its own (or added).
QString withExtensionOf(const QString& path, std::span<const std::string_view> extensions);

// What the status bar says after a save: "Saved ruler.nc: 2,896 lines, 74 KB".
QString savedMessage(const QString& path);

// The question boxes and the save dialog of the window's real questions (see BoxQuestions).
ReadinessAnswer askReadinessInBox(QWidget* parent, const QString& text,
    const QString& title = QObject::tr("Before the first save"));
UnsavedAnswer askUnsavedInBox(QWidget* parent, const QString& fileName);
UnitOfferAnswer askUnitOfferInBox(QWidget* parent, const QString& sentence);
NoteAnswer askNoteOfferInBox(QWidget* parent, const QString& note, const QString& offer);
// A save dialog that adds the first filter's extension to a name typed without one, before
// it asks whether to replace an existing file.
QString askSaveInDialog(QWidget* parent, const QString& nameFilter, const QString& lastPath);

} // namespace mensora
