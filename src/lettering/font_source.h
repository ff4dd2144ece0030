#pragma once

#include <memory>
#include <string>

#include "lettering/hershey_font.h"

namespace mensora {

// Hands the core the glyphs of a font by its name. The shell loads them from the installed
// font files, once per run; the core never opens a file.
class FontSource
{
public:
    virtual ~FontSource() = default;

    // The font of that name (one of the offered fonts), or nothing when it is not installed.
    virtual std::shared_ptr<const HersheyFont> font(const std::string& name) const = 0;
};

} // namespace mensora
