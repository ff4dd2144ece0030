#pragma once

#include <QByteArray>
#include <QString>

namespace mensora {

// The start of a file a reader takes whole: its first `limit` + 1 bytes, one more than such a
// file may hold, so that a larger file shows without reading it all. When it cannot be read,
// the sentence that says so: "points.csv cannot be read: No such file or directory."
struct FileHead
{
    QByteArray bytes;
    QString problem; // empty when read
};

FileHead readFileHead(const QString& path, qint64 limit);

} // namespace mensora
