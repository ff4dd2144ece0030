#pragma once

#include <string_view>

#include <QString>

#include "writers/output_table.h"

namespace mensora {

// A "description|pattern" filter as a Qt name filter, "description (pattern)", patterns
// separated by blanks. A description that already ends in its pattern list is taken as it
// stands, so the dialog shows exactly the description.
QString qtNameFilter(std::string_view dialogFilter);

// The filter that ends every file dialog's filters: "All files (*)".
QString allFilesFilter();

// The save dialog's Qt name filters for a file of the output, its own first, all files last.
QString saveNameFilter(const OutputRow& output);

} // namespace mensora
