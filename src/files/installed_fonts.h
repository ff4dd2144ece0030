#pragma once

#include <cstddef>
#include <map>
#include <memory>
#include <string>

#include "lettering/font_source.h"

namespace mensora {

// Reads the installed font of that name from its .jhf file (libhersheyfont looks in
// HERSHEY_FONTS_DIR, else the system's folder), with the symbols of its symbol font (see
// symbolFontOf), or nothing when the file is missing or unreadable. The name must be one of
// the offered fonts: it becomes part of a file name.
std::shared_ptr<const HersheyFont> loadInstalledFont(const std::string& name);

// The installed fonts, each read at most once per run and then kept; a font that is not
// installed is looked for again on the next ask.
class InstalledFonts final : public FontSource
{
public:
    std::shared_ptr<const HersheyFont> font(const std::string& name) const override;

    // How many font files were read: tests watch that a command reads each at most once.
    std::size_t loads() const { return m_loads; }

private:
    mutable std::map<std::string, std::shared_ptr<const HersheyFont>> m_fonts;
    mutable std::size_t m_loads = 0;
};

// The fonts of this run, shared by every command of the window or the command line.
const InstalledFonts& installedFonts();

} // namespace mensora
