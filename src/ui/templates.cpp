#include "ui/templates.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace mensora {

namespace {

constexpr ScaleTemplate templates[] = {
    { "ruler-150mm.mensora", "Ruler 150 mm, 0.5 mm marks, numbered every 10 mm" },
    { "ruler-12in.mensora", "Ruler 12 in, 1/16 in marks, numbered every inch" },
    { "protractor-180.mensora", "Protractor 0\u2013180\u00b0, numbered every 10\u00b0" },
    { "handwheel-100.mensora", "Handwheel dial, 100 divisions, 0 at the top, clockwise" },
    { "dial-360.mensora", "Dial 360\u00b0, numbered every 30\u00b0" },
    { "collar-100-drum.mensora", "Handwheel collar on a drum of radius 20 mm, 100 divisions" },
    { "caliper-0.1mm.mensora", "Caliper 150 mm with a 10/9 vernier, reading 0.1 mm" },
    { "caliper-0.02mm.mensora", "Caliper 150 mm with a 50/49 vernier, reading 0.02 mm" },
    { "ruler-150mm-6in.mensora", "Ruler 150 mm with 6 in on its other edge" },
    { "protractor-bevel-5min.mensora",
        "Bevel protractor 0\u2013180\u00b0, a 12/23 vernier both sides of zero, reading 5\u2032" },
    { "slide-rule-cd.mensora", "Slide rule C and D scales, 1 to 10 over 250 mm" },
    { "slide-rule-ab.mensora", "Slide rule A and B scales, 1 to 100 over 250 mm" },
    { "knob-log-270.mensora", "Logarithmic knob over 270\u00b0, clockwise, MIN, MED and MAX" },
    { "vu-meter.mensora", "VU meter face, \u221220 to +3 dB over a 0\u2013100 % scale" },
    { "clock-roman.mensora", "Clock dial in Roman numerals, XII at the top" },
};

bool builtIn(const QString& name)
{
    for (const ScaleTemplate& scaleTemplate : templates)
        if (name == QString::fromUtf8(scaleTemplate.file))
            return true;
    return false;
}

} // namespace

std::span<const ScaleTemplate> scaleTemplates()
{
    return templates;
}

QString builtInTemplateFolder()
{
    return QStringLiteral(":/templates");
}

QString installedTemplateFolder()
{
    return QDir::cleanPath(QDir(QCoreApplication::applicationDirPath())
                               .absoluteFilePath(QStringLiteral("../share/mensora/templates")));
}

QList<OfferedTemplate> offeredTemplates()
{
    QList<OfferedTemplate> offered;
    const QDir resources(builtInTemplateFolder());
    for (const ScaleTemplate& scaleTemplate : templates) {
        const QString name = QString::fromUtf8(scaleTemplate.file);
        offered.push_back({ name, QString::fromUtf8(scaleTemplate.caption),
            resources.filePath(name), QCoreApplication::translate("templates", "the program") });
    }
    const QDir installed(installedTemplateFolder());
    for (const QString& name :
        installed.entryList({ QStringLiteral("*.mensora") }, QDir::Files, QDir::Name)) {
        if (!builtIn(name))
            offered.push_back({ name, QFileInfo(name).completeBaseName(), installed.filePath(name),
                QDir::toNativeSeparators(installed.path()) });
    }
    return offered;
}

} // namespace mensora
