#include "ui/figures_line.h"

namespace mensora {

namespace {

QString length(double value, Unit unit, const QLocale& locale)
{
    const bool inch = unit == Unit::Inch;
    const int decimals = (inch ? 1 : 0) + (value < 10 ? 1 : 0);
    return locale.toString(value, 'f', decimals)
        + (inch ? QStringLiteral(" in") : QStringLiteral(" mm"));
}

} // namespace

QString figuresLine(const JobFigures& figures, const QLocale& locale)
{
    const QString separator = QStringLiteral(" \u00b7 ");
    const qlonglong stripes = static_cast<qlonglong>(figures.stripes);
    QString line = (stripes == 1 ? QStringLiteral("1 stripe")
                                 : QStringLiteral("%1 stripes").arg(locale.toString(stripes)))
        + separator + QStringLiteral("cut ") + length(figures.cutLength, figures.unit, locale)
        + separator + QStringLiteral("travel ") + length(figures.travelLength, figures.unit, locale)
        + separator + QStringLiteral("\u2248 ")
        + QString::fromStdString(durationText(figures.seconds));
    if (!figures.depthUsed)
        line += separator + QStringLiteral("depth not used");
    return line;
}

} // namespace mensora
