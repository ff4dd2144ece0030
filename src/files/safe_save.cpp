#include "files/safe_save.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <unistd.h>

namespace mensora {

namespace {

// Gathers the writer's bytes and hands them to the file in large pieces. The file is
// unbuffered, so that a write that takes only part of the bytes (a disk filling up) is seen
// here: the rest is written again, and the failure that follows is latched by QSaveFile and
// keeps the file from being committed. (Through QIODevice's own buffer the last piece is
// written at commit, whose failure QSaveFile ignores: a short file would replace the old one.)
class SaveFileSink : public TextSink
{
public:
    explicit SaveFileSink(SaveTarget& file)
        : m_file(file)
    { }
    void write(std::string_view bytes) override
    {
        m_pending.append(bytes);
        if (m_pending.size() >= pieceSize)
            drain();
    }
    // Writes what is still held; call once the writer is done.
    void drain()
    {
        std::string_view rest = m_pending;
        while (!rest.empty()) {
            const qint64 written = m_file.write(rest.data(), static_cast<qint64>(rest.size()));
            if (written <= 0) {
                if (m_failure.isEmpty())
                    m_failure = m_file.errorString();
                m_file.cancelWriting(); // commit only discards the temporary file now
                break;
            }
            rest.remove_prefix(static_cast<std::size_t>(written));
        }
        m_pending.clear();
    }
    // The system's reason for the first failed write; empty while all went well. Kept here
    // because closing the file clears it.
    const QString& failure() const { return m_failure; }

private:
    static constexpr std::size_t pieceSize = 64 * 1024;
    SaveTarget& m_file;
    std::string m_pending;
    QString m_failure;
};

// QSaveFile refuses a folder, or an existing file it may not replace, with sentences of its own
// ("Existing file ... is not writable"); the system's reason, such as a read-only file system,
// is what the user can act on.
QString openFailure(const QSaveFile& file, const QString& path)
{
    const QFileInfo target(path);
    if (target.isDir())
        return qt_error_string(EISDIR);
    if (target.isFile() && ::access(QFile::encodeName(path).constData(), W_OK) != 0)
        return qt_error_string(errno);
    return file.errorString();
}

// What saveSafely(path, ...) writes through.
class SaveFileTarget : public SaveTarget
{
public:
    explicit SaveFileTarget(const QString& path)
        : m_path(path)
        , m_file(path)
    {
        // Only where no temporary file can be made beside a writable target (a folder the user
        // may not write to) is the target rewritten in place, as a plain editor would.
        m_file.setDirectWriteFallback(true);
    }
    QString open() override
    {
        if (m_file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return {};
        return openFailure(m_file, m_path);
    }
    qint64 write(const char* data, qint64 size) override { return m_file.write(data, size); }
    void cancelWriting() override { m_file.cancelWriting(); }
    bool commit() override { return m_file.commit(); }
    QString errorString() const override { return m_file.errorString(); }

private:
    QString m_path;
    QSaveFile m_file;
};

} // namespace

QString saveSafely(const QString& path, const std::function<void(TextSink&)>& write)
{
    SaveFileTarget file(path);
    return saveSafely(file, write);
}

QString saveSafely(SaveTarget& target, const std::function<void(TextSink&)>& write)
{
    if (const QString failure = target.open(); !failure.isEmpty())
        return failure;
    SaveFileSink sink(target);
    write(sink);
    sink.drain();
    const bool committed = target.commit();
    if (!sink.failure().isEmpty())
        return sink.failure();
    return committed ? QString() : target.errorString();
}

} // namespace mensora
