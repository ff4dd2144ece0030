#include "ui/file_filter.h"

#include <QStringList>

namespace mensora {

QString qtNameFilter(std::string_view dialogFilter)
{
    const QString filter = QString::fromUtf8(dialogFilter.data(), qsizetype(dialogFilter.size()));
    const qsizetype bar = filter.indexOf(u'|');
    if (bar < 0)
        return filter;
    const QString description = filter.left(bar).trimmed();
    QString patterns = filter.mid(bar + 1).trimmed();
    patterns.replace(u';', u' ');
    const QString listed = QStringLiteral("(%1)").arg(patterns);
    if (description.endsWith(listed))
        return description;
    return QStringLiteral("%1 %2").arg(description, listed);
}

QString allFilesFilter()
{
    return QStringLiteral("All files (*)");
}

QString saveNameFilter(const OutputRow& output)
{
    QStringList filters;
    for (const std::string_view filter : output.dialogFilters)
        filters << qtNameFilter(filter);
    filters << allFilesFilter();
    return filters.join(QStringLiteral(";;"));
}

} // namespace mensora
