#include "lettering/hershey_font.h"

#include <algorithm>

// A C header without C++ guards.
extern "C" {
#include <hersheyfont.h>
}

namespace mensora {

namespace {

using LibraryFont = std::unique_ptr<hershey_font, decltype(&hershey_font_free)>;

Glyph copyOf(const hershey_glyph& source)
{
    Glyph glyph;
    glyph.advance = source.width;
    for (const hershey_path* path = source.paths; path; path = path->next) {
        FontStroke stroke;
        stroke.reserve(path->nverts);
        for (unsigned short i = 0; i < path->nverts; ++i)
            stroke.push_back({ path->verts[i].x, path->verts[i].y });
        glyph.strokes.push_back(std::move(stroke));
    }
    return glyph;
}

} // namespace

std::shared_ptr<const HersheyFont> HersheyFont::load(const std::string& name)
{
    const LibraryFont library(hershey_font_load(name.c_str()), &hershey_font_free);
    if (!library)
        return nullptr;
    std::shared_ptr<HersheyFont> font(new HersheyFont);
    for (char c = firstPrintable; c <= lastPrintable; ++c) {
        const hershey_glyph* source
            = hershey_font_glyph(library.get(), static_cast<unsigned char>(c));
        font->m_glyphs[static_cast<std::size_t>(c - firstPrintable)] = copyOf(*source);
    }
    int top = 0;
    for (char digit = '0'; digit <= '9'; ++digit)
        for (const FontStroke& stroke : font->glyph(digit).strokes)
            for (const FontPoint& point : stroke)
                top = std::max(top, point.y);
    font->m_digitHeight = std::max(top, 1);
    return font;
}

const Glyph& HersheyFont::glyph(char c) const
{
    static const Glyph none;
    if (c < firstPrintable || c > lastPrintable)
        return none;
    return m_glyphs[static_cast<std::size_t>(c - firstPrintable)];
}

} // namespace mensora
