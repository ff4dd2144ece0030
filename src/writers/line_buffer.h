#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "toolpath/tool_move.h"
#include "writers/coordinate_text.h"
#include "writers/text_sink.h"

namespace mensora {

// A writer's lines, gathered in memory and handed to the sink in large pieces: a sink is
// called a few dozen times per file instead of once per line. What every writer of a file
// shares lives here: the line numbers, the coordinate text with the user's separator, the
// line ends. Nothing reaches the sink before a piece is full or flush() is called.
class LineBuffer
{
public:
    explicit LineBuffer(TextSink& sink, std::string decimalSeparator = ".");
    LineBuffer(const LineBuffer&) = delete;
    LineBuffer& operator=(const LineBuffer&) = delete;

    void restartNumbering() { m_nextNumber = 1; }
    // "N1", "N2", ...: each call takes the next number, without gaps.
    void startNumberedLine();

    void append(std::string_view text)
    {
        if (text.empty()) // its data may be null, which memcpy must not see
            return;
        std::memcpy(room(text.size()), text.data(), text.size());
        m_used += text.size();
    }
    // An address letter after a blank: " X".
    void appendAddress(char address);
    // An address letter and its coordinate, after a blank: " X12.5".
    void appendWord(char address, Coord coord);
    void appendCoordinate(Coord coord);
    // An address letter and a number in fixed decimals, after a blank: " F100".
    void appendFixedWord(char address, double value, int decimals);
    void appendFixed(double value, int decimals);
    void appendWholeNumber(double whole);
    void endLine() { append("\r\n"); }

    // Hands everything held to the sink.
    void flush();

private:
    // The first of at least `size` free characters.
    char* room(std::size_t size)
    {
        if (m_buffer.size() - m_used < size)
            makeRoom(size);
        return m_buffer.data() + m_used;
    }
    void makeRoom(std::size_t size);
    // Takes the characters written from room() up to `end`.
    void advanceTo(const char* end) { m_used = static_cast<std::size_t>(end - m_buffer.data()); }

    TextSink& m_sink;
    std::string m_decimalSeparator;
    std::int32_t m_nextNumber = 1;
    std::vector<char> m_buffer;
    std::size_t m_used = 0;
};

} // namespace mensora
