#pragma once

#include <QMetaType>

#include "model/scale_parameters.h"

// Whole parameter sets as a column of a test table.
Q_DECLARE_METATYPE(mensora::ScaleParameters)
