#pragma once

#include <optional>
#include <vector>

#include "engraving/checked_job.h"
#include "engraving/checked_scale.h"
#include "model/scale_note.h"

namespace mensora {

class Engraving;

// When the count rules end the scale's last stripe short of its total (a package of one or
// two digits does): "The scale ends at 243°, short of its total 270°: a package of 1 digit
// ends one stripe early.", offering "End on the total". A whole turn that ends one stripe
// before its total cuts every mark once, as meant: no note.
std::optional<ScaleNote> countNote(const CheckedScale& scale);

// When a round scale of a whole turn or more cuts a stripe onto one already cut: the first
// such stripe, where it falls and what prints over what. A total of whole turns offers "No
// double mark".
std::optional<ScaleNote> wholeTurnNote(const CheckedScale& scale);

// When two numbers run together, their boxes hardly farther apart than two digits of a number (the
// first pair, in the order of the stripes; on a dial the last and the first too), or else a
// number's box lies over a stripe of its scale: the numbers and what would keep them apart,
// about the number height.
std::optional<ScaleNote> overlapNote(const CheckedScale& scale);

// How many stripes of a round scale stand before the first that falls a whole turn on, onto
// the first stripe: all of them when none does.
std::size_t stripesBeforeTurn(const CheckedScale& scale);

// Every note of a scale: its boxes' readings, then the notes above.
std::vector<ScaleNote> scaleNotes(const CheckedScale& scale);

// Every note of a job, scale after scale; in a job of several, each names its scale first.
std::vector<ScaleNote> jobNotes(const CheckedJob& job);

// The plain plot file of an inch scale counts 40 plotter units per inch: on a plotter it comes
// out 25.4 times too small. Nothing for any other file.
std::optional<ScaleNote> plotUnitNote(const Engraving& engraving);

// The notes of the job that bear on the file: the depth's only for the plain program, which
// writes it as typed (no other file writes it so); then what the file's tool makes of marks of a
// width (see Engraving::notes). Without the plain plot's unit, which the
// window asks about in a question of its own.
std::vector<ScaleNote> fileNotes(const CheckedJob& job, const Engraving& engraving);

// A number as a note writes it: rounded to 6 decimals, as few digits as keep it, no "-0".
std::string noteNumber(double value);

} // namespace mensora
