#include "lettering/hershey_font.h"

#include <algorithm>

namespace mensora {

HersheyFont::HersheyFont(Glyphs glyphs, Symbols symbols)
    : m_glyphs(std::move(glyphs))
    , m_symbols(std::move(symbols))
{
    int top = 0;
    for (char digit = '0'; digit <= '9'; ++digit)
        for (const FontStroke& stroke : glyph(digit).strokes)
            for (const FontPoint& point : stroke)
                top = std::max(top, point.y);
    m_digitHeight = std::max(top, 1);
}

const Glyph& HersheyFont::glyph(char c) const
{
    static const Glyph none;
    if (c < firstPrintable || c > lastPrintable)
        return none;
    return m_glyphs[static_cast<std::size_t>(c - firstPrintable)];
}

const Glyph& HersheyFont::glyph(char32_t c) const
{
    if (c < 0x80)
        return glyph(static_cast<char>(c));
    static const Glyph none;
    const auto symbol = m_symbols.find(c);
    return symbol == m_symbols.end() ? none : symbol->second;
}

} // namespace mensora
