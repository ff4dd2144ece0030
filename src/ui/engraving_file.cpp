#include "ui/engraving_file.h"

#include <QSaveFile>

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

} // namespace

NumberFormat numberFormatOf(const QLocale& locale)
{
    return { locale.decimalPoint().toStdString(), locale.groupSeparator().toStdString() };
}

QString saveEngraving(const Engraving& engraving, const QString& path, const NumberFormat& format)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    SaveFileSink sink(file);
    engraving.write(sink, format);
    if (!file.commit())
        return file.errorString();
    return {};
}

} // namespace mensora
