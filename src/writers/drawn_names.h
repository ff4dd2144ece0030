#pragma once

#include <string>
#include <vector>

namespace mensora {

// What a drawing calls a job's scales, each name made one the format takes, and no two alike.

// SVG ids: letters, digits, "_", "-" and "."; any other run of characters becomes one "_",
// and a name that would not begin with a letter or "_" begins with "scale_". A repeated id
// gains "-2", "-3", ...
std::vector<std::string> svgIds(const std::vector<std::string>& names);

// DXF layer names: ASCII without < > / \ " : ; ? * | = `, each run of any other character
// one "_". Layers are named without regard to case: a repeated name gains " 2", " 3", ...
std::vector<std::string> dxfLayerNames(const std::vector<std::string>& names);

// The text with &, < and > escaped, for an XML element's content.
std::string xmlEscaped(const std::string& text);

} // namespace mensora
