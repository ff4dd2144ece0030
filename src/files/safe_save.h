#pragma once

#include <functional>

#include <QString>

#include "writers/text_sink.h"

namespace mensora {

// Writes the file at `path` with the bytes that `write` hands to its sink, through a temporary
// file that replaces the target only when complete: on failure the earlier file stays as it
// was and no temporary file is left. A writable target in a folder that takes no new file is
// rewritten in place instead; there a failure midway leaves it incomplete. Returns an empty
// string on success, else the system's reason.
QString saveSafely(const QString& path, const std::function<void(TextSink&)>& write);

} // namespace mensora
