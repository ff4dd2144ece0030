#include "ui/engraving_file.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <unistd.h>

#include "output/engraving.h"

namespace mensora {

namespace {

// Passes the writer's bytes straight to the file; a failed write is latched by QSaveFile and
// reported at commit.
class SaveFileSink : public TextSink
{
public:
    explicit SaveFileSink(QSaveFile& file)
        : m_file(file)
    { }
    void write(std::string_view bytes) override
    {
        m_file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }

private:
    QSaveFile& m_file;
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

NumberFormat numberFormatOf(const QLocale& locale)
{
    return { locale.decimalPoint().toStdString(), locale.groupSeparator().toStdString() };
}

QString saveEngraving(const Engraving& engraving, const QString& path, const NumberFormat& format)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return openFailure(file, path);
    SaveFileSink sink(file);
    engraving.write(sink, format);
    if (!file.commit())
        return file.errorString();
    return {};
}

} // namespace mensora
