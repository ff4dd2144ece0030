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

} // namespace mensora
