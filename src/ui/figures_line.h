#pragma once

#include <QLocale>
#include <QString>

#include "engraving/job_figures.h"

namespace mensora {

// The job's figures as one line at the foot of the preview, numbers in the user's notation:
// "101 stripes · cut 400 mm · travel 404 mm · ≈ 6 min 44 s", and for a laser
// "· depth not used". Lengths in whole millimetres (a tenth below 10), in inches to a tenth
// (a hundredth below 10).
QString figuresLine(const JobFigures& figures, const QLocale& locale = QLocale());

} // namespace mensora
