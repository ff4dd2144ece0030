#include "files/installed_fonts.h"

#include "lettering/font_catalog.h"

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

LibraryFont loadLibraryFont(std::string_view name)
{
    return LibraryFont(hershey_font_load(std::string(name).c_str()), &hershey_font_free);
}

// The symbols of the font's symbol font; none when it is not installed.
HersheyFont::Symbols symbolsOf(const std::string& name)
{
    HersheyFont::Symbols symbols;
    const LibraryFont library = loadLibraryFont(symbolFontOf(name));
    if (!library)
        return symbols;
    for (const SymbolSlot& slot : symbolSlots) {
        Glyph glyph = copyOf(*hershey_font_glyph(library.get(), slot.slot));
        if (glyph.advance > 0)
            symbols.emplace(slot.symbol, std::move(glyph));
    }
    return symbols;
}

} // namespace

std::shared_ptr<const HersheyFont> loadInstalledFont(const std::string& name)
{
    const LibraryFont library = loadLibraryFont(name);
    if (!library)
        return nullptr;
    HersheyFont::Glyphs glyphs;
    for (char c = HersheyFont::firstPrintable; c <= HersheyFont::lastPrintable; ++c) {
        const hershey_glyph* source
            = hershey_font_glyph(library.get(), static_cast<unsigned char>(c));
        glyphs[static_cast<std::size_t>(c - HersheyFont::firstPrintable)] = copyOf(*source);
    }
    return std::make_shared<const HersheyFont>(std::move(glyphs), symbolsOf(name));
}

std::shared_ptr<const HersheyFont> InstalledFonts::font(const std::string& name) const
{
    if (const auto kept = m_fonts.find(name); kept != m_fonts.end())
        return kept->second;
    ++m_loads;
    auto loaded = loadInstalledFont(name);
    if (loaded)
        m_fonts.emplace(name, loaded);
    return loaded;
}

const InstalledFonts& installedFonts()
{
    static const InstalledFonts fonts;
    return fonts;
}

} // namespace mensora
