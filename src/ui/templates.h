#pragma once

#include <span>

#include <QList>
#include <QString>

namespace mensora {

// A scale file that is built into the program, offered under File, "New from template".
struct ScaleTemplate
{
    const char* file; // its name among the built-in templates
    const char* caption; // its item's caption
};

// The templates built into the program, in the menu's order.
std::span<const ScaleTemplate> scaleTemplates();

// A template the menu offers: built in, or from the folder installed beside the program.
struct OfferedTemplate
{
    QString name; // the file's name: "ruler-150mm.mensora"
    QString caption;
    QString path; // where it is read from
    QString folder; // the folder it lies in, as the user would look for it
};

// Where the built-in templates are read from (the program's resources).
QString builtInTemplateFolder();

// share/mensora/templates beside the installed program: scale files there are offered after the
// built-in ones, but for a name that is built in; it need not exist.
QString installedTemplateFolder();

// The built-in templates, then those of the installed folder by name, captioned by their name.
QList<OfferedTemplate> offeredTemplates();

} // namespace mensora
