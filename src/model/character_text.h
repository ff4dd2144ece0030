#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace mensora {

// Names the character starting at byte `at` of a UTF-8 text for a message: "a space",
// "a control character", or the character itself in quotes.
std::string describeCharacter(std::string_view text, std::size_t at);

// The byte position of the first character that is not printable ASCII, or npos.
std::size_t findNonPrintableAscii(std::string_view text);

// The UTF-8 bytes of one character.
std::string encodeUtf8(char32_t character);

// The characters of a UTF-8 text; none when it is not UTF-8 (a stray or overlong byte, a
// surrogate, or beyond U+10FFFF).
std::optional<std::u32string> decodeUtf8(std::string_view text);

} // namespace mensora
