#include "files/engraving_file.h"

#include "engraving/engraving.h"
#include "files/safe_save.h"

namespace mensora {

NumberFormat numberFormatOf(const QLocale& locale)
{
    return { locale.decimalPoint().toStdString(), locale.groupSeparator().toStdString() };
}

QString saveEngraving(const Engraving& engraving, const QString& path, const NumberFormat& format)
{
    return saveSafely(path, [&](TextSink& sink) { engraving.write(sink, format); });
}

} // namespace mensora
