#pragma once

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "layout/scale_layout.h"
#include "lettering/hershey_font.h"
#include "lettering/text_strokes.h"
#include "model/numbered_stripes.h"
#include "toolpath/tool_move.h"

namespace mensora {

// How the numbers look: lengths in the scale's unit.
struct NumberStyle
{
    int kind = 1; // the stripe kind that carries them
    double height = 3; // of the digits
    double gap = 1; // from the stripe's outer end to the number's box
    NumberOrientation orientation = NumberOrientation::Dial;
};

// A number's box where the layout sets it: as wide as its ink and as tall as its digits, turned
// with the number; a drum's on the unrolled surface (x along the axis, y the distance around).
struct NumberBox
{
    StripeIndex index; // of the stripe it numbers
    std::string text;
    std::array<PlacedPoint, 4> corners; // in turn around the box
};

// The numbers of a scale, engraved after its stripes and baseline. A ruler's number stands
// upright and centred on its stripe, above the upper end of an "Above" or "Midway" stripe and
// below the lower end of an "Under" one. A dial's number is centred on its stripe's radial line
// beyond the outer end: "along the dial" its foot faces the centre and its box begins at the gap;
// "level" it stands upright, and the radial line leaves its box at the gap. A drum's number is
// set on the unrolled surface as a flat design would be (X across, the distance around upward,
// as an unrolled file holds it) and wrapped around the drum: centred on its stripe's angle
// beyond the stripe's +X end, "along the dial" with its foot toward the ring, "level" reading
// along the axis. The numbers are cut from the end of the scale nearer to where the tool
// stands.
// A title, set as the numbers are, stands beside the scale's start: before its first stripe,
// the digits' height clear of it, across the middle of that stripe; on a dial turned as the
// numbers are, on a drum set on the unrolled surface. It is cut after the numbers.
class NumberLayout
{
public:
    NumberLayout(std::shared_ptr<const HersheyFont> font, std::vector<NumberedStripe> stripes,
        NumberStyle style, std::string title = {});

    // Each stroke of every number, then of the title: a Rapid to its first point, a Plunge, a
    // Cut naming both axes to each further point, a Lift; each number's strokes, and the
    // title's, begun with the numbers' section. Points are rounded as the scale's layout rounds
    // its own (by default to 3 decimals, halves to even) and kept in double precision.
    void makeMoves(const ScaleLayout& scale, std::string_view depth, MoveSink& sink) const;

    const std::vector<NumberedStripe>& stripes() const { return m_stripes; }
    const std::string& title() const { return m_title; }
    // The numbered stripes in the order their numbers are cut on the scale.
    std::vector<NumberedStripe> stripesInCutOrder(const ScaleLayout& scale) const;

    // Every number's box, first stripe first, with its points unrounded.
    std::vector<NumberBox> boxes(const ScaleLayout& scale) const;
    // The space between two digits of a number, in the scale's unit: numbers closer than this
    // read as one.
    double digitSpace() const;

private:
    TextPlacement placementOf(
        const FlatScaleLayout& scale, StripeIndex index, const TextStrokes& text) const;
    TextPlacement placementOf(
        const RoundScaleLayout& scale, StripeIndex index, const TextStrokes& text) const;
    // On the unrolled surface: x along the drum's axis, y the distance around it.
    TextPlacement placementOf(
        const DrumScaleLayout& scale, StripeIndex index, const TextStrokes& text) const;
    void makeDrumMoves(const DrumScaleLayout& scale, std::string_view depth, MoveSink& sink) const;
    // Whether a drum's numbers are cut from its first numbered stripe on: from the end of the
    // scale nearer where the tool stands once the stripes and ring are cut.
    bool cutsForward(const DrumScaleLayout& scale) const;
    void engraveOnDrum(const DrumScaleLayout& scale, const TextStrokes& text,
        const TextPlacement& placement, std::string_view depth, MoveSink& sink) const;
    TextPlacement titlePlacementOf(const FlatScaleLayout& scale, const TextStrokes& text) const;
    TextPlacement titlePlacementOf(const RoundScaleLayout& scale, const TextStrokes& text) const;
    TextPlacement titlePlacementOf(const DrumScaleLayout& scale, const TextStrokes& text) const;

    std::shared_ptr<const HersheyFont> m_font;
    std::vector<NumberedStripe> m_stripes;
    NumberStyle m_style;
    std::string m_title;
};

} // namespace mensora
