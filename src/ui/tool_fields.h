#pragma once

#include <QHash>
#include <QObject>

#include "model/machine_settings.h"
#include "writers/dialect_table.h"

class QComboBox;
class QDoubleSpinBox;
class QFormLayout;
class QWidget;

namespace mensora {

// The rows of the Machine settings dialog for what makes a mark of a width: a router's tool
// (a line, a V-bit with its angle and tip, an end mill with its diameter and stepover), the
// laser's spot width, line interval and S max, the cutter's blade offset and overcut. A row
// shows only for a profile whose dialect uses its setting, and a router's tool's own rows only
// for that tool. Sizes show in the scale's unit; one keeps the unit it was given in until it is
// changed here.
class ToolFields : public QObject
{
    Q_OBJECT

public:
    ToolFields(QFormLayout& form, Unit unit, QObject* parent);

    void set(const ToolSettings& tool);
    // The settings as the rows show them: what was not changed stays exactly as it was set.
    ToolSettings read() const;
    // Shows the rows the dialect uses.
    void show(const Dialect& dialect);
    // The field of a tool setting; none for another setting.
    QWidget* fieldOf(MachineSetting setting) const;
    // The S max field, which bounds the laser's power.
    QDoubleSpinBox* sMaxField() const { return m_sMax; }

private:
    QDoubleSpinBox* lengthField(const char* name);
    void addRow(MachineSetting setting, const char* name, QWidget* field);
    void showTool();
    bool changed(const QDoubleSpinBox* field) const;
    ToolLength lengthOf(const QDoubleSpinBox* field, const ToolLength& was) const;
    double valueOf(const QDoubleSpinBox* field, double was) const;

    QFormLayout& m_form;
    Unit m_unit;
    ToolSettings m_start;
    const Dialect* m_dialect = nullptr;
    QComboBox* m_router = nullptr;
    QHash<MachineSetting, QWidget*> m_fields;
    QDoubleSpinBox* m_sMax = nullptr;
    QHash<const QDoubleSpinBox*, double> m_shown; // each field's value as set
};

} // namespace mensora
