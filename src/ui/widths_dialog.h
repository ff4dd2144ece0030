#pragma once

#include <array>

#include <QDialog>
#include <QHash>

#include "model/mark_widths.h"
#include "model/scale_parameters.h"
#include "writers/svg_writer.h"

class QComboBox;
class QDoubleSpinBox;

namespace mensora {

// Scale, "Mark widths…": the width across the marks of each stripe kind, the baseline's and
// the numbers' strokes', in the scale's unit (0 is a single line), and how the drawings hold a
// mark of a width: strokes of its width or its closed outline. What makes the marks that wide
// is the machine's tool, in Machine settings. A width that was not changed here stays exactly
// as it was set. Every widget carries an objectName for tests.
class WidthsDialog : public QDialog
{
    Q_OBJECT

public:
    explicit WidthsDialog(Unit unit, QWidget* parent = nullptr);

    void setWidths(const MarkWidths& widths, DrawnMarks drawn);

    // The widths and the drawings' choice as the form shows them.
    MarkWidths widths() const;
    DrawnMarks drawnMarks() const;

    // Puts the focus on the width's field, for a width that was refused.
    void focusSetting(WidthSetting setting);

private:
    void createForm(Unit unit);
    QDoubleSpinBox* fieldOf(WidthSetting setting) const;

    MarkWidths m_start;
    std::array<QDoubleSpinBox*, 8> m_fields {}; // in the order of widthSettings
    QComboBox* m_drawing = nullptr;
    QHash<const QDoubleSpinBox*, double> m_shown; // each field's value as set
};

} // namespace mensora
