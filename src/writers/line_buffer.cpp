#include "writers/line_buffer.h"

#include <charconv>
#include <utility>

namespace mensora {

namespace {

// Large enough that a sink is called rarely, small enough to stay in the cache.
constexpr std::size_t pieceSize = 64 * 1024;

} // namespace

LineBuffer::LineBuffer(TextSink& sink, std::string decimalSeparator)
    : m_sink(sink)
    , m_decimalSeparator(std::move(decimalSeparator))
    , m_buffer(pieceSize)
{ }

void LineBuffer::startNumberedLine()
{
    char* at = room(16);
    *at++ = 'N';
    advanceTo(std::to_chars(at, at + 15, m_nextNumber++).ptr);
}

void LineBuffer::appendAddress(char address)
{
    const char word[] = { ' ', address };
    append({ word, sizeof word });
}

void LineBuffer::appendWord(char address, Coord coord)
{
    appendAddress(address);
    appendCoordinate(coord);
}

void LineBuffer::appendCoordinate(Coord coord)
{
    char* at = room(coordinateTextLimit + m_decimalSeparator.size());
    advanceTo(writeCoordinate(at, coord, m_decimalSeparator));
}

void LineBuffer::appendFixedWord(char address, double value, int decimals)
{
    appendAddress(address);
    appendFixed(value, decimals);
}

void LineBuffer::appendFixed(double value, int decimals)
{
    advanceTo(writeFixedDecimals(room(fixedTextLimit), value, decimals));
}

void LineBuffer::appendWholeNumber(double whole)
{
    advanceTo(writeWholeNumber(room(wholeNumberTextLimit), whole));
}

void LineBuffer::flush()
{
    if (m_used > 0)
        m_sink.write({ m_buffer.data(), m_used });
    m_used = 0;
}

// A full piece goes to the sink; a text longer than a piece (a long depth text) gets a
// larger buffer.
void LineBuffer::makeRoom(std::size_t size)
{
    flush();
    if (m_buffer.size() < size)
        m_buffer.resize(size);
}

} // namespace mensora
