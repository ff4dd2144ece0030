#pragma once

#include <vector>

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>

#include "engraving/engraving.h"
#include "model/scale_note.h"

namespace mensora {

// What a run does with the notes on its file: says them on standard error and writes the file,
// says nothing (--quiet), or refuses the file (--strict).
enum class NoteHandling { Say, Quiet, Strict };

// --strict and --quiet.
QList<QCommandLineOption> noteOptions();

// How the options given handle notes; --strict wins over --quiet.
NoteHandling noteHandlingOf(const QCommandLineParser& parser);

// The notes the window shows before the file is saved (see fileNotes), and the plain plot's
// unit on an inch scale, which the window asks about in a question instead.
std::vector<ScaleNote> notesOnTheFile(const CheckedJob& job, const Engraving& engraving);

// Says the notes as the handling asks: "mensora-cli: note: ..." each, or under --strict each as
// a refusal, "mensora-cli: ..."; a note that offers a change names the option that makes it.
// True when the file may be written.
bool reportNotes(const std::vector<ScaleNote>& notes, NoteHandling handling);

} // namespace mensora
