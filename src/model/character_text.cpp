#include "model/character_text.h"

namespace mensora {

std::string describeCharacter(std::string_view text, std::size_t at)
{
    const auto byte = static_cast<unsigned char>(text[at]);
    if (byte == ' ')
        return "a space";
    if (byte < 0x20 || byte == 0x7f)
        return "a control character";
    std::size_t length = 1;
    while (
        at + length < text.size() && (static_cast<unsigned char>(text[at + length]) & 0xc0) == 0x80)
        ++length;
    return "\"" + std::string(text.substr(at, length)) + "\"";
}

std::size_t findNonPrintableAscii(std::string_view text)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x20 || byte > 0x7e)
            return i;
    }
    return std::string_view::npos;
}

namespace {

// How many bytes follow a UTF-8 lead byte; -1 for a byte no character starts with.
int continuationBytes(unsigned char lead)
{
    if (lead < 0x80)
        return 0;
    if (lead >= 0xc2 && lead < 0xe0)
        return 1;
    if (lead >= 0xe0 && lead < 0xf0)
        return 2;
    if (lead >= 0xf0 && lead < 0xf5)
        return 3;
    return -1;
}

} // namespace

std::string encodeUtf8(char32_t c)
{
    const auto byte = [](char32_t bits) { return static_cast<char>(bits); };
    if (c < 0x80)
        return std::string(1, byte(c));
    if (c < 0x800)
        return { byte(0xc0 | (c >> 6)), byte(0x80 | (c & 0x3f)) };
    if (c < 0x10000)
        return { byte(0xe0 | (c >> 12)), byte(0x80 | ((c >> 6) & 0x3f)), byte(0x80 | (c & 0x3f)) };
    return { byte(0xf0 | (c >> 18)), byte(0x80 | ((c >> 12) & 0x3f)),
        byte(0x80 | ((c >> 6) & 0x3f)), byte(0x80 | (c & 0x3f)) };
}

std::optional<std::u32string> decodeUtf8(std::string_view text)
{
    constexpr char32_t least[] = { 0, 0x80, 0x800, 0x10000 }; // below: an overlong form
    std::u32string characters;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const int more = continuationBytes(lead);
        if (more < 0 || i + static_cast<std::size_t>(more) >= text.size())
            return std::nullopt;
        char32_t c = more == 0 ? lead : lead & (0x3fu >> more);
        for (std::size_t k = 1; k <= static_cast<std::size_t>(more); ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xc0) != 0x80)
                return std::nullopt;
            c = (c << 6) | (next & 0x3fu);
        }
        if (c < least[more] || c > 0x10ffff || (c >= 0xd800 && c <= 0xdfff))
            return std::nullopt;
        characters.push_back(c);
        i += static_cast<std::size_t>(more) + 1;
    }
    return characters;
}

} // namespace mensora
