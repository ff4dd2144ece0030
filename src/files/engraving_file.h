#pragma once

#include <QLocale>
#include <QString>

#include "model/number_rules.h"

namespace mensora {

class Engraving;

// The user's number format, as the system locale (LC_ALL, LC_NUMERIC, LANG) gives it.
NumberFormat numberFormatOf(const QLocale& locale = QLocale::system());

// Writes the engraving's file (a program or a drawing, as it was prepared) into the file at
// `path` through a temporary file that replaces the target only when complete (saveSafely):
// on failure the earlier file stays as it was. Returns an empty string on success, else the
// system's reason.
QString saveEngraving(const Engraving& engraving, const QString& path, const NumberFormat& format);

} // namespace mensora
