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

// The file a safe save writes through, used as a QSaveFile is: opened, written, then committed
// (the complete file replaces the target) or, after a failed write, cancelled (commit then only
// discards it). saveSafely(path, ...) writes through a QSaveFile at the path; another target
// lets a failure be staged where the system gives none.
class SaveTarget
{
public:
    virtual ~SaveTarget() = default;
    // Opens for unbuffered writing; the reason it cannot, or empty.
    virtual QString open() = 0;
    virtual qint64 write(const char* data, qint64 size) = 0;
    virtual void cancelWriting() = 0;
    virtual bool commit() = 0;
    virtual QString errorString() const = 0;
};

// The same save through any target.
QString saveSafely(SaveTarget& target, const std::function<void(TextSink&)>& write);

} // namespace mensora
