#include "engraving/numbering.h"

#include <cmath>

#include "lettering/font_catalog.h"
#include "model/character_text.h"
#include "model/label_text.h"
#include "model/number_text.h"

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

// The first character of a UTF-8 text that the font does not draw, described; nothing when it
// draws them all. A text that is not UTF-8 names its first stray byte.
std::optional<std::string> missingCharacter(const std::string& text, const HersheyFont& font)
{
    const auto characters = decodeUtf8(text);
    if (!characters)
        return "a byte that is no UTF-8";
    for (const char32_t c : *characters)
        if (c < ' ' || c == 0x7f || !font.has(c))
            return describeCharacter(encodeUtf8(c), 0);
    return std::nullopt;
}

// What the labels show, every character in the font: a listed text, a fraction or a Roman
// numeral as the label list names it or as the style writes it.
std::optional<Refusal> checkLabels(const std::vector<NumberedStripe>& stripes,
    const LabelSettings& labels, const HersheyFont& font, const std::string& fontName)
{
    if (labels.style == LabelStyle::Numbers)
        return std::nullopt;
    for (const NumberedStripe& stripe : stripes) {
        const auto missing = missingCharacter(stripe.text, font);
        if (!missing)
            continue;
        if (labels.style == LabelStyle::List)
            for (const ValueLabel& label : labels.list)
                if (label.text == stripe.text)
                    return Refusal { LabelSetting::List,
                        "The label " + valueText(label.value) + "=" + label.text + " holds "
                            + *missing + ", which the font " + fontName + " lacks." };
        return Refusal { LabelSetting::Style,
            "The label " + quoted(stripe.text) + " holds " + *missing + ", which the font "
                + fontName + " lacks." };
    }
    return std::nullopt;
}

std::optional<Refusal> checkTitle(
    const std::string& title, const HersheyFont& font, const std::string& fontName)
{
    const std::string caption = labelSettingCaption(LabelSetting::Title);
    const auto characters = decodeUtf8(title);
    if (characters && characters->size() > maxLabelLength)
        return Refusal { LabelSetting::Title,
            caption + " may hold at most " + std::to_string(maxLabelLength) + " characters." };
    if (const auto missing = missingCharacter(title, font))
        return Refusal { LabelSetting::Title,
            caption + " " + quoted(title) + " holds " + *missing + ", which the font " + fontName
                + " lacks." };
    return std::nullopt;
}

// The font and the style of the numbers and the title, checked.
struct Lettering
{
    std::shared_ptr<const HersheyFont> font;
    NumberStyle style;
};

Result<Lettering> letteringOf(const ScaleParameters& p, const FontSource& fonts)
{
    const NumberSettings& s = p.numbers;
    const NumberStyle style { s.kind, numberHeightOf(s, p.unit), numberGapOf(s, p.unit),
        s.orientation };
    if (const auto refused = checkSizes(style.height, style.gap))
        return *refused;
    auto font = loadFont(s.font, fonts);
    if (!font)
        return font.refusal();
    return Lettering { std::move(*font), style };
}

} // namespace

Result<std::optional<NumberLayout>> prepareNumbers(
    const ScaleParameters& p, const ScaleValues& v, const FontSource& fonts)
{
    const NumberSettings& s = p.numbers;
    const std::string& title = p.labels.title;
    if (s.kind == 0 && title.empty())
        return std::optional<NumberLayout>();
    std::vector<NumberedStripe> stripes;
    if (s.kind != 0) {
        auto numbered = numberedStripes(v.graduation, s, p.labels);
        if (!numbered)
            return numbered.refusal();
        stripes = std::move(*numbered);
    }
    const auto lettering = letteringOf(p, fonts);
    if (!lettering)
        return lettering.refusal();
    const HersheyFont& font = *lettering->font;
    if (s.kind != 0) {
        if (const auto refused = checkDigits(font, s.font))
            return *refused;
        if (const auto refused = checkAffix(s.prefix, NumberSetting::Prefix, font, s.font))
            return *refused;
        if (const auto refused = checkAffix(s.suffix, NumberSetting::Suffix, font, s.font))
            return *refused;
        if (const auto refused = checkLabels(stripes, p.labels, font, s.font))
            return *refused;
    }
    if (const auto refused = checkTitle(title, font, s.font))
        return *refused;
    return std::optional<NumberLayout>(
        NumberLayout(lettering->font, std::move(stripes), lettering->style, title));
}

} // namespace mensora
