#include "cli/cli_notes.h"

#include <cstdio>

#include "engraving/scale_notes.h"

namespace mensora {

QList<QCommandLineOption> noteOptions()
{
    return {
        { "strict",
            "Refuse a file that has a note: each note is said as the reason (exit status 3) and "
            "nothing is written." },
        { "quiet",
            "Say no notes. A note tells of a file that will cut otherwise than meant (a box read "
            "otherwise than typed, a package that ends short of its total, a mark cut twice, "
            "numbers that run together, a plain plot in inches); notes go to standard error "
            "and the file is written as always." },
    };
}

NoteHandling noteHandlingOf(const QCommandLineParser& parser)
{
    if (parser.isSet("strict"))
        return NoteHandling::Strict;
    return parser.isSet("quiet") ? NoteHandling::Quiet : NoteHandling::Say;
}

std::vector<ScaleNote> notesOnTheFile(const CheckedJob& job, const Engraving& engraving)
{
    std::vector<ScaleNote> notes = fileNotes(job, engraving);
    if (auto plot = plotUnitNote(engraving))
        notes.push_back(std::move(*plot));
    return notes;
}

namespace {

// The option that takes a note's offer, as the window's dialog does.
const char* offerOption(NoteOffer offer)
{
    switch (offer) {
    case NoteOffer::EndOnTotal:
        return " (--end-on-total mends it)";
    case NoteOffer::NoDoubleMark:
        return " (--no-double-mark mends it)";
    case NoteOffer::None:
        break;
    }
    return "";
}

} // namespace

bool reportNotes(const std::vector<ScaleNote>& notes, NoteHandling handling)
{
    if (handling == NoteHandling::Quiet)
        return true;
    const char* head = handling == NoteHandling::Strict ? "" : "note: ";
    for (const ScaleNote& note : notes)
        std::fprintf(
            stderr, "mensora-cli: %s%s%s\n", head, note.message.c_str(), offerOption(note.offer));
    return handling != NoteHandling::Strict || notes.empty();
}

} // namespace mensora
