#pragma once

#include <QLocale>
#include <QString>

#include "model/number_rules.h"

namespace mensora {

class Engraving;

// The user's number format, as the system locale (LC_ALL, LC_NUMERIC, LANG) gives it.
NumberFormat numberFormatOf(const QLocale& locale = QLocale::system());

// Writes the engraving into the file at `path` through a temporary file that replaces the
// target only when complete: on failure the earlier file stays as it was and no temporary
// file is left. A writable target in a folder that takes no new file is rewritten in place
// instead; there a failure midway leaves it incomplete. Returns an empty string on success,
// else the system's reason.
QString saveEngraving(const Engraving& engraving, const QString& path, const NumberFormat& format);

} // namespace mensora
