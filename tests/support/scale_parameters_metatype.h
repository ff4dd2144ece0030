#pragma once

#include <QMetaType>

#include "model/machine_settings.h"
#include "model/scale_parameters.h"

// Whole parameter sets and machine settings as columns of a test table.
Q_DECLARE_METATYPE(mensora::ScaleParameters)
Q_DECLARE_METATYPE(mensora::MachineSettings)
