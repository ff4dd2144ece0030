#pragma once

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>
#include <QtGlobal>

namespace mensora::testing {

// Compares a whole file with its golden copy, byte for byte; with MENSORA_REWRITE_GOLDEN set it
// rewrites the copy instead, after a deliberate change of the output. Returns what differs (the
// first line, or the line counts), empty when nothing does.
inline QString goldenDifference(const QString& path, const QByteArray& actual)
{
    QFile golden(path);
    if (qEnvironmentVariableIsSet("MENSORA_REWRITE_GOLDEN")) {
        if (!golden.open(QIODevice::WriteOnly) || golden.write(actual) != actual.size())
            return "cannot rewrite " + path;
        return {};
    }
    if (!golden.open(QIODevice::ReadOnly))
        return "no golden copy " + path;
    const QByteArray expected = golden.readAll();
    if (actual == expected)
        return {};
    const QList<QByteArray> a = actual.split('\n');
    const QList<QByteArray> e = expected.split('\n');
    for (qsizetype i = 0; i < std::min(a.size(), e.size()); ++i)
        if (a[i] != e[i])
            return QString("line %1 is \"%2\", the golden copy has \"%3\"")
                .arg(i + 1)
                .arg(QString::fromLatin1(a[i].trimmed()), QString::fromLatin1(e[i].trimmed()));
    return QString("%1 lines, the golden copy has %2").arg(a.size()).arg(e.size());
}

} // namespace mensora::testing
