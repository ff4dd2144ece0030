#pragma once

#include <array>
#include <map>
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
// read them from an installed font file, and the symbols beyond ASCII that its symbol font
// holds (Greek letters, the degree sign), by their Unicode characters.
class HersheyFont
{
public:
    static constexpr char firstPrintable = ' ';
    static constexpr char lastPrintable = '~';
    using Glyphs = std::array<Glyph, lastPrintable - firstPrintable + 1>;
    using Symbols = std::map<char32_t, Glyph>;

    // The font of these glyphs, from the space to the tilde, and of these symbols.
    explicit HersheyFont(Glyphs glyphs, Symbols symbols = {});

    // The glyph of a printable ASCII character; an empty one for any other character.
    const Glyph& glyph(char c) const;
    // The glyph of any character: ASCII's, or a symbol's; an empty one for any other.
    const Glyph& glyph(char32_t c) const;

    // Whether the font draws the character (a space counts: it has a width).
    bool has(char c) const { return glyph(c).advance > 0; }
    bool has(char32_t c) const { return glyph(c).advance > 0; }

    // From the baseline to the top of the digits, in font units: what a number's height is
    // measured by.
    int digitHeight() const { return m_digitHeight; }

private:
    Glyphs m_glyphs;
    Symbols m_symbols;
    int m_digitHeight = 1;
};

} // namespace mensora
