#pragma once

#include <string>
#include <string_view>

namespace mensora {

// Where a writer's bytes go: a string in memory, a stream, or a file the shell opened.
class TextSink
{
public:
    virtual ~TextSink() = default;
    virtual void write(std::string_view bytes) = 0;
};

// Collects everything in memory.
class StringSink : public TextSink
{
public:
    void write(std::string_view bytes) override { text.append(bytes); }
    std::string text;
};

} // namespace mensora
