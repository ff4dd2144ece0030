#include "files/file_head.h"

#include <QFile>
#include <QFileInfo>

namespace mensora {

FileHead readFileHead(const QString& path, qint64 limit)
{
    QFile file(path);
    const auto unread = [&] {
        return FileHead { {},
            QStringLiteral("%1 cannot be read: %2.")
                .arg(QFileInfo(path).fileName(), file.errorString()) };
    };
    if (!file.open(QIODevice::ReadOnly))
        return unread();
    QByteArray bytes = file.read(limit + 1);
    if (file.error() != QFileDevice::NoError)
        return unread();
    return { std::move(bytes), QString() };
}

} // namespace mensora
