#pragma once

#include <array>
#include <string>

#include "model/label_settings.h"
#include "model/mark_widths.h"
#include "model/number_settings.h"
#include "model/spacing_settings.h"

namespace mensora {

// Which layout the commands run: a ruler or a dial.
enum class Shape { Flat = 0, Round = 1 };

// Where a round scale is engraved: on a dial's face, or around a cylinder turned by a rotary
// axis. A flat scale takes no notice of it.
enum class Surface { Face = 0, Drum = 1 };

// The machine axis that turns a drum, about X.
enum class RotaryAxis { A = 0, B = 1 };

// Captions and the preview's drawing scale only; never a number in a file.
enum class Unit { Millimetre = 0, Inch = 1 };

// Whether a baseline is engraved after the stripes.
enum class Baseline { None = 0, Single = 1 };

// Where a stripe stands relative to the baseline.
enum class StripePosition { Above = 0, Midway = 1, Under = 2 };

// The file the save command writes, or a drawing of the scale's cuts for lasers, cutters and
// CAD. The window's plot box chooses only between the first two. Not part of a scale: it
// travels beside it, in the output request.
enum class OutputFormat { Gcode = 0, Plot = 1, Svg = 2, Dxf = 3 };

// A vernier: `divisions` divisions over `mainDivisions` divisions of a main scale, whose
// division is the scale's Distance box. It reads to the main division / divisions. Its stripe
// k stands at exactly k × mainDivisions × division / divisions from the main scale's zero: the
// Length box is not read. A retrograde vernier has one main division more than its own.
struct Vernier
{
    int divisions = 0; // 0: no vernier, an evenly divided scale
    int mainDivisions = 0;
    bool bothSides = false; // a vernier on each side of zero, as bevel protractors have

    bool active() const { return divisions > 0; }

    friend bool operator==(const Vernier&, const Vernier&) = default;
};

// The most divisions a vernier has: on both sides of zero, twice as many and one stripe
// more must stay within a scale's stripes.
inline constexpr int maxVernierDivisions = 16383;

// Everything the user enters or chooses for one scale: every box's text exactly as it stands
// (blanks included) and every choice of the scale (what file it goes into is not one). The defaults
// are the window's start values. Numbers are derived from the texts by the number rules at the
// moment a command needs them.
struct ScaleParameters
{
    std::string length = "100"; // or the total angle of a round scale, in degrees
    std::string distance = "1"; // between stripes, or the angle between them
    std::array<std::string, 6> stripeLengths = { "10", "5", "3", "10", "5", "3" }; // kinds 1..6
    std::string package = "1333323333"; // the stripe kinds of one repeating package
    std::string startX = "0"; // or centre X of a round scale
    std::string startY = "0"; // or centre Y of a round scale
    std::string depth = "-0.1"; // written verbatim into every plunge
    std::string radius = "30"; // round only
    std::string startAngle = "0"; // round only, degrees

    Baseline baseline = Baseline::None;
    StripePosition stripePosition = StripePosition::Above;
    Shape shape = Shape::Flat;
    Unit unit = Unit::Millimetre;
    Surface surface = Surface::Face; // round only
    RotaryAxis rotaryAxis = RotaryAxis::A; // a drum's only

    // Whether the scale goes around a drum: a round scale whose surface is one.
    bool onDrum() const { return shape == Shape::Round && surface == Surface::Drum; }

    NumberSettings numbers {}; // none by default
    MarkSettings marks {}; // both off by default
    Vernier vernier {}; // none by default
    SpacingSettings spacing {}; // evenly divided by default
    LabelSettings labels {}; // numbers, from the start, counter-clockwise, by default
    MarkWidths widths {}; // every mark a single line by default

    // The length text of stripe kind 1 .. 6.
    const std::string& stripeLengthText(int kind) const;

    friend bool operator==(const ScaleParameters&, const ScaleParameters&) = default;
};

} // namespace mensora
