#pragma once

#include <QDialog>

#include "model/scale_parameters.h"

class QComboBox;

namespace mensora {

// Scale, "Drum…": where a round scale is engraved (on a dial's face or around a drum) and the
// rotary axis that turns a drum, with a line on how a drum is set up on the machine. The axis
// is greyed while the surface is a face; for a flat scale a second line says that the surface
// applies to round scales only. Every widget carries an objectName for tests.
class DrumDialog : public QDialog
{
    Q_OBJECT

public:
    explicit DrumDialog(Shape shape, QWidget* parent = nullptr);

    void setSurface(Surface surface, RotaryAxis rotaryAxis);

    // The choices as the form shows them.
    Surface surface() const;
    RotaryAxis rotaryAxis() const;

private:
    void createForm(Shape shape);
    void showSurface();

    QComboBox* m_surface = nullptr;
    QComboBox* m_rotaryAxis = nullptr;
};

} // namespace mensora
