#pragma once

#include <string>
#include <string_view>

namespace mensora {

// Names the character starting at byte `at` of a UTF-8 text for a message: "a space",
// "a control character", or the character itself in quotes.
std::string describeCharacter(std::string_view text, std::size_t at);

// The byte position of the first character that is not printable ASCII, or npos.
std::size_t findNonPrintableAscii(std::string_view text);

} // namespace mensora
