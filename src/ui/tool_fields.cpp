#include "ui/tool_fields.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>

namespace mensora {

namespace {

using S = MachineSetting;

QDoubleSpinBox* numberField(
    const char* name, double low, double high, int decimals, const QString& suffix)
{
    auto* field = new QDoubleSpinBox;
    field->setObjectName(QString::fromUtf8(name));
    field->setDecimals(decimals);
    field->setRange(low, high);
    field->setSuffix(suffix);
    return field;
}

} // namespace

ToolFields::ToolFields(QFormLayout& form, Unit unit, QObject* parent)
    : QObject(parent)
    , m_form(form)
    , m_unit(unit)
{
    m_router = new QComboBox;
    m_router->setObjectName(QStringLiteral("machine_tool"));
    m_router->addItems(
        { QStringLiteral("Line"), QStringLiteral("V-bit"), QStringLiteral("End mill") });
    addRow(S::Tool, "machine_tool_label", m_router);
    addRow(S::VbitAngle, "machine_vbit_angle_label",
        numberField("machine_vbit_angle", 1, 179, 1, QStringLiteral("\u00b0")));
    addRow(S::VbitTip, "machine_vbit_tip_label", lengthField("machine_vbit_tip"));
    addRow(S::EndMillDiameter, "machine_endmill_diameter_label",
        lengthField("machine_endmill_diameter"));
    addRow(S::Stepover, "machine_stepover_label",
        numberField("machine_stepover", 5, 100, 0, QStringLiteral(" %")));
    addRow(S::SpotWidth, "machine_spot_label", lengthField("machine_spot"));
    addRow(S::LineInterval, "machine_line_interval_label", lengthField("machine_line_interval"));
    m_sMax = numberField("machine_s_max", 1, 1000000, 0, QString());
    addRow(S::SMax, "machine_s_max_label", m_sMax);
    addRow(S::BladeOffset, "machine_blade_offset_label", lengthField("machine_blade_offset"));
    addRow(S::Overcut, "machine_overcut_label", lengthField("machine_overcut"));
    connect(m_router, &QComboBox::currentIndexChanged, this, &ToolFields::showTool);
}

QDoubleSpinBox* ToolFields::lengthField(const char* name)
{
    const bool inch = m_unit == Unit::Inch;
    return numberField(name, 0, inch ? 40 : 1000, inch ? 4 : 3,
        inch ? QStringLiteral(" in") : QStringLiteral(" mm"));
}

void ToolFields::addRow(MachineSetting setting, const char* name, QWidget* field)
{
    auto* label = new QLabel(QString::fromStdString(machineSettingCaption(setting)));
    label->setObjectName(QString::fromUtf8(name));
    m_form.addRow(label, field);
    m_fields.insert(setting, field);
}

void ToolFields::set(const ToolSettings& tool)
{
    m_start = tool;
    m_router->setCurrentIndex(static_cast<int>(tool.router));
    const std::pair<MachineSetting, double> values[] = {
        { S::VbitAngle, tool.vbitAngle },
        { S::VbitTip, lengthIn(tool.vbitTip, m_unit) },
        { S::EndMillDiameter, lengthIn(tool.endMillDiameter, m_unit) },
        { S::Stepover, tool.stepover },
        { S::SpotWidth, lengthIn(tool.spot, m_unit) },
        { S::LineInterval, lengthIn(tool.lineInterval.value_or(tool.spot), m_unit) },
        { S::SMax, tool.sMax },
        { S::BladeOffset, lengthIn(tool.bladeOffset, m_unit) },
        { S::Overcut, lengthIn(tool.overcut, m_unit) },
    };
    for (const auto& [setting, value] : values) {
        auto* field = static_cast<QDoubleSpinBox*>(m_fields.value(setting));
        field->setValue(value);
        m_shown.insert(field, field->value()); // rounded to the field's decimals
    }
}

bool ToolFields::changed(const QDoubleSpinBox* field) const
{
    return field->value() != m_shown.value(field);
}

ToolLength ToolFields::lengthOf(const QDoubleSpinBox* field, const ToolLength& was) const
{
    return changed(field) ? ToolLength { field->value(), m_unit } : was;
}

double ToolFields::valueOf(const QDoubleSpinBox* field, double was) const
{
    return changed(field) ? field->value() : was;
}

ToolSettings ToolFields::read() const
{
    const auto field = [this](MachineSetting setting) {
        return static_cast<const QDoubleSpinBox*>(m_fields.value(setting));
    };
    ToolSettings t = m_start;
    t.router = static_cast<RouterTool>(m_router->currentIndex());
    t.vbitAngle = valueOf(field(S::VbitAngle), t.vbitAngle);
    t.vbitTip = lengthOf(field(S::VbitTip), t.vbitTip);
    t.endMillDiameter = lengthOf(field(S::EndMillDiameter), t.endMillDiameter);
    t.stepover = valueOf(field(S::Stepover), t.stepover);
    t.spot = lengthOf(field(S::SpotWidth), t.spot);
    if (changed(field(S::LineInterval)))
        t.lineInterval = ToolLength { field(S::LineInterval)->value(), m_unit };
    t.sMax = valueOf(m_sMax, t.sMax);
    t.bladeOffset = lengthOf(field(S::BladeOffset), t.bladeOffset);
    t.overcut = lengthOf(field(S::Overcut), t.overcut);
    return t;
}

void ToolFields::show(const Dialect& dialect)
{
    m_dialect = &dialect;
    showTool();
}

// A router's tool shows its own sizes only.
void ToolFields::showTool()
{
    if (!m_dialect)
        return;
    const auto router = static_cast<RouterTool>(m_router->currentIndex());
    for (auto field = m_fields.cbegin(); field != m_fields.cend(); ++field) {
        bool shown = m_dialect->uses(field.key());
        if (field.key() == S::VbitAngle || field.key() == S::VbitTip)
            shown = shown && router == RouterTool::VBit;
        if (field.key() == S::EndMillDiameter || field.key() == S::Stepover)
            shown = shown && router == RouterTool::EndMill;
        m_form.setRowVisible(field.value(), shown);
    }
}

QWidget* ToolFields::fieldOf(MachineSetting setting) const
{
    return m_fields.value(setting);
}

} // namespace mensora
