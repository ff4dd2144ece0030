#pragma once

#include <QMetaType>

#include "model/machine_settings.h"
#include "model/scale_parameters.h"
#include "writers/output_table.h"

// Whole parameter sets, machine settings and output requests as columns of a test table.
Q_DECLARE_METATYPE(mensora::ScaleParameters)
Q_DECLARE_METATYPE(mensora::MachineSettings)
Q_DECLARE_METATYPE(mensora::OutputRequest)
