#pragma once

#include <string>
#include <vector>

#include "model/scale_input.h"
#include "model/scale_parameters.h"

namespace mensora {

// A box whose text the numeric-prefix rule reads otherwise than a reader of the text would:
// the box and the sentence that says what was read and why.
struct ReadingNote
{
    ScaleInput input;
    std::string message;

    friend bool operator==(const ReadingNote&, const ReadingNote&) = default;
};

// The caption beside a box as the window shows it ("Stripe 1)", "Centre X"), for notes.
std::string windowCaption(ScaleInput input, Shape shape);

// One note for every box the scale's shape reads (the package aside: it holds digits, not a
// number) whose text is not a plain number with "." for decimals, in the order of the inputs:
// "Stripe 1): "x" is read as 0: it starts with no number". A number followed by the box's own
// unit (" 12.5 mm " in a millimetre window, "45°" in an angle box) gets none: that reads as
// meant. The depth is written into the plain program as typed, and its note says so.
std::vector<ReadingNote> readingNotes(const ScaleParameters& parameters);

} // namespace mensora
