#pragma once

#include <span>

#include <QString>

namespace mensora {

// A scale file that comes with the program, offered under File, "New from template".
struct ScaleTemplate
{
    const char* file; // its name in the templates folder
    const char* caption; // its item's caption
};

std::span<const ScaleTemplate> scaleTemplates();

// Where the templates lie: share/mensora/templates beside the installed program, or, for a
// program run from its build tree, the source tree's templates folder.
QString templateFolder();

QString templatePath(const ScaleTemplate& scaleTemplate);

} // namespace mensora
