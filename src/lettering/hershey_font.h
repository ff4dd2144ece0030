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

// A single-stroke Hershey font, read from its installed .jhf file. Holds its own copy of
// the glyphs of the printable ASCII characters; the library's font is freed once read.
class HersheyFont
{
public:
    // The installed font of that name, or nothing when its file is missing or unreadable.
    // The name must be one of the offered fonts: it becomes part of a file name.
    static std::shared_ptr<const HersheyFont> load(const std::string& name);

    // The glyph of a printable ASCII character; an empty one for any other character.
    const Glyph& glyph(char c) const;

    // Whether the font draws the character (a space counts: it has a width).
    bool has(char c) const { return glyph(c).advance > 0; }

    // From the baseline to the top of the digits, in font units: what a number's height is
    // measured by.
    int digitHeight() const { return m_digitHeight; }

private:
    HersheyFont() = default;

    static constexpr char firstPrintable = ' ';
    static constexpr char lastPrintable = '~';
    std::array<Glyph, lastPrintable - firstPrintable + 1> m_glyphs;
    int m_digitHeight = 1;
};

} // namespace mensora
