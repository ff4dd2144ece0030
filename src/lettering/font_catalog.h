#pragma once

#include <array>
#include <string_view>

namespace mensora {

// The Debian package whose .jhf files hold the glyphs.
inline constexpr std::string_view fontPackage = "hershey-fonts-data";

// The fonts offered for numbers: every font of that package that sets the Latin alphabet
// (the simplex and duplex sans, the Roman, Times, script and Gothic faces), futural first.
// Its Greek, Cyrillic, Japanese and symbol fonts have no Latin letters for a prefix or suffix.
// clang-format off
inline constexpr std::array<std::string_view, 18> offeredFonts = {
    "futural", "futuram", "rowmans", "rowmand", "rowmant", "timesr", "timesrb", "timesi",
    "timesib", "scripts", "scriptc", "cursive", "gothiceng", "gothicger", "gothicita",
    "gothgbt", "gothgrt", "gothitt",
};
// clang-format on

// Whether a font name is one of the offered fonts.
constexpr bool isOfferedFont(std::string_view name)
{
    for (const std::string_view offered : offeredFonts)
        if (offered == name)
            return true;
    return false;
}

} // namespace mensora
