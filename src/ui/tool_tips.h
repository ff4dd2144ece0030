#pragma once

#include <QString>

#include "model/scale_input.h"
#include "model/scale_parameters.h"

class QMainWindow;
class QWidget;

namespace mensora {

// What a box does and in which unit, for the shape and unit chosen: a round scale's Length
// and Distance are angles in degrees, its Start X and Y the centre.
QString boxToolTip(ScaleInput input, Shape shape, Unit unit);

// Gives every menu item of the window its tooltip: what it does, and in which unit where a
// unit applies.
void setMenuToolTips(QMainWindow& window);

// Gives every control of a dialog that has a tooltip in the table its tooltip, by objectName.
void setControlToolTips(QWidget& dialog);

} // namespace mensora
