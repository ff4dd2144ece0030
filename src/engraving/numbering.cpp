#include "engraving/numbering.h"

#include <cmath>

#include "lettering/font_catalog.h"
#include "model/character_text.h"

namespace mensora {

namespace {

std::string quoted(std::string_view text)
{
    return "\"" + std::string(text) + "\"";
}

std::optional<Refusal> checkSizes(double height, double gap)
{
    if (!(std::isfinite(height) && height > 0))
        return settingRefusal(NumberSetting::Height,
            numberSettingCaption(NumberSetting::Height)
                + " must be a finite number greater than 0.");
    if (!std::isfinite(gap))
        return settingRefusal(NumberSetting::Gap,
            numberSettingCaption(NumberSetting::Gap) + " must be a finite number.");
    return std::nullopt;
}

std::string offeredList()
{
    std::string list;
    for (const std::string_view name : offeredFonts)
        list += (list.empty() ? "" : ", ") + std::string(name);
    return list;
}

Result<std::shared_ptr<const HersheyFont>> loadFont(
    const std::string& name, const FontSource& fonts)
{
    const std::string caption = numberSettingCaption(NumberSetting::Font);
    if (!isOfferedFont(name))
        return settingRefusal(NumberSetting::Font,
            caption + " " + quoted(name) + " is not one of the fonts offered: " + offeredList()
                + ".");
    auto font = fonts.font(name);
    if (!font)
        return settingRefusal(NumberSetting::Font,
            caption + " " + quoted(name) + " is not installed: install the package "
                + std::string(fontPackage) + ".");
    return font;
}

std::optional<Refusal> checkAffix(const std::string& text, NumberSetting setting,
    const HersheyFont& font, const std::string& fontName)
{
    const std::string caption = numberSettingCaption(setting);
    if (text.size() > maxAffixLength)
        return settingRefusal(setting,
            caption + " may hold at most " + std::to_string(maxAffixLength) + " characters.");
    if (const auto bad = findNonPrintableAscii(text); bad != std::string::npos)
        return settingRefusal(setting,
            caption + " may hold only printable ASCII characters, not "
                + describeCharacter(text, bad) + ".");
    for (std::size_t i = 0; i < text.size(); ++i)
        if (!font.has(text[i]))
            return settingRefusal(setting,
                caption + " holds " + describeCharacter(text, i) + ", which the font " + fontName
                    + " lacks.");
    return std::nullopt;
}

// Every number is made of these, besides the prefix and suffix.
std::optional<Refusal> checkDigits(const HersheyFont& font, const std::string& fontName)
{
    for (const char c : std::string_view("0123456789-."))
        if (!font.has(c))
            return settingRefusal(NumberSetting::Font,
                numberSettingCaption(NumberSetting::Font) + " " + quoted(fontName)
                    + " lacks the character " + quoted(std::string(1, c)) + ".");
    return std::nullopt;
}

} // namespace

Result<std::optional<NumberLayout>> prepareNumbers(
    const ScaleParameters& p, const ScaleValues& v, const FontSource& fonts)
{
    const NumberSettings& s = p.numbers;
    if (s.kind == 0)
        return std::optional<NumberLayout>();
    auto stripes = numberedStripes(v.graduation, s);
    if (!stripes)
        return stripes.refusal();
    const NumberStyle style { s.kind, numberHeightOf(s, p.unit), numberGapOf(s, p.unit),
        s.orientation };
    if (const auto refused = checkSizes(style.height, style.gap))
        return *refused;
    const auto font = loadFont(s.font, fonts);
    if (!font)
        return font.refusal();
    if (const auto refused = checkDigits(**font, s.font))
        return *refused;
    if (const auto refused = checkAffix(s.prefix, NumberSetting::Prefix, **font, s.font))
        return *refused;
    if (const auto refused = checkAffix(s.suffix, NumberSetting::Suffix, **font, s.font))
        return *refused;
    return std::optional<NumberLayout>(NumberLayout(*font, std::move(*stripes), style));
}

} // namespace mensora
