#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace mensora {

// A point of a glyph in font units: x from the glyph's left edge, y up from the baseline.
struct FontPoint
{
    int x = 0;
    int y = 0;

    friend bool operator==(const FontPoint&, const FontPoint&) = default;
};

// One stroke: the tool goes down at the first point and follows the others.
using FontStroke = std::vector<FontPoint>;

struct Glyph
{
    int advance = 0; // the glyph's width, where the next one starts; 0 when there is no glyph
    std::vector<FontStroke> strokes;
};

// A single-stroke Hershey font: the glyphs of the printable ASCII characters, as the shell
// read them from an installed font file.
class HersheyFont
{
public:
    static constexpr char firstPrintable = ' ';
    static constexpr char lastPrintable = '~';
    using Glyphs = std::array<Glyph, lastPrintable - firstPrintable + 1>;

    // The font of these glyphs, from the space to the tilde.
    explicit HersheyFont(Glyphs glyphs);

    // The glyph of a printable ASCII character; an empty one for any other character.
    const Glyph& glyph(char c) const;

    // Whether the font draws the character (a space counts: it has a width).
    bool has(char c) const { return glyph(c).advance > 0; }

    // From the baseline to the top of the digits, in font units: what a number's height is
    // measured by.
    int digitHeight() const { return m_digitHeight; }

private:
    Glyphs m_glyphs;
    int m_digitHeight = 1;
};

} // namespace mensora
