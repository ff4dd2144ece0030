#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "model/reading_notes.h"
#include "model/result.h"

namespace mensora {

// A change a note offers, which the program never makes without the user's word.
enum class NoteOffer {
    None,
    EndOnTotal, // the mark setting "End on the total"
    NoDoubleMark, // the mark setting "No double mark on a full turn"
};

// What a file will cut otherwise than the user likely means, though nothing refuses it: a
// sentence, the place it is about (a box or a setting), and the change that would mend it,
// if one setting does. Notes never change a file: the user reads them, and may take the offer.
struct ScaleNote
{
    RefusalPlace place;
    std::string message;
    NoteOffer offer = NoteOffer::None;
    // In a job of several scales, the scale (from 0) it is about; its label begins the message.
    std::optional<std::size_t> scale {};

    friend bool operator==(const ScaleNote&, const ScaleNote&) = default;
};

// A reading note as a note of the scale: about its box, with nothing to offer.
inline ScaleNote noteOf(const ReadingNote& note)
{
    return { note.input, note.message };
}

// The caption of the offer's button: "End on the total", "No double mark"; empty for none.
std::string offerCaption(NoteOffer offer);

// The scale with the offer taken.
ScaleParameters withOffer(ScaleParameters parameters, NoteOffer offer);

} // namespace mensora
