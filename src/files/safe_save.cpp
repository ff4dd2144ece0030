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
    explicit SaveFileSink(QSaveFile& file)
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
    QSaveFile& m_file;
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

} // namespace

QString saveSafely(const QString& path, const std::function<void(TextSink&)>& write)
{
    QSaveFile file(path);
    // Only where no temporary file can be made beside a writable target (a folder the user
    // may not write to) is the target rewritten in place, as a plain editor would.
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return openFailure(file, path);
    SaveFileSink sink(file);
    write(sink);
    sink.drain();
    const bool committed = file.commit();
    if (!sink.failure().isEmpty())
        return sink.failure();
    return committed ? QString() : file.errorString();
}

} // namespace mensora
