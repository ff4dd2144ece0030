#pragma once

#include <string_view>

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

// What a controller needs that the plain program lacks: a feed always, absolute arc centres
// only for a program with arcs.
QString readinessText(bool hasArcs);

// Whether the program cuts arcs (G2 or G3): those need absolute arc centres on a controller.
bool programHasArcs(const Engraving& engraving);

// Whether the file's extension is one a controller reads programs under (.nc, .ngc, ...).
bool hasControllerExtension(const QString& path);

// The path with ".extension" added when it names no extension; an empty path stays empty.
QString withSuffix(const QString& path, std::string_view extension);

// The question boxes and the save dialog of the window's real questions (see BoxQuestions).
ReadinessAnswer askReadinessInBox(QWidget* parent, const QString& text);
UnsavedAnswer askUnsavedInBox(QWidget* parent, const QString& fileName);
// A save dialog that adds the first filter's extension to a name typed without one, before
// it asks whether to replace an existing file.
QString askSaveInDialog(QWidget* parent, const QString& nameFilter, const QString& lastPath);

} // namespace mensora
