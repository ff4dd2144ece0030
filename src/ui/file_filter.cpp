#include "ui/file_filter.h"

namespace mensora {

std::string_view dialogFilterOf(OutputFormat format)
{
    switch (format) {
    case OutputFormat::Plot:
        return "PLT ( PLT ) (*.plt)|*.plt";
    case OutputFormat::Svg:
        return "SVG drawing|*.svg";
    case OutputFormat::Dxf:
        return "DXF drawing|*.dxf";
    case OutputFormat::Gcode:
        break;
    }
    return "Din ( G-Code ) (*.din)|*.din";
}

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

QString saveNameFilter(OutputFormat format, MachineProfile profile)
{
    const QString own = qtNameFilter(dialogFilterOf(format));
    const MachineProfile written = effectiveProfile(profile, format);
    if (written == MachineProfile::Plain || familyOf(written) != OutputFormat::Gcode)
        return own;
    return own + QStringLiteral(";;G-code programs (*.ngc *.nc *.gcode)");
}

} // namespace mensora
