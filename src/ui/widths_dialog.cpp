#include "ui/widths_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>

#include "ui/tool_tips.h"

namespace mensora {

namespace {

template <typename Widget>
Widget* named(Widget* widget, const QString& name)
{
    widget->setObjectName(name);
    return widget;
}

// "widths_stripe1" .. "widths_stripe6", "widths_baseline", "widths_numbers".
QString fieldName(WidthSetting setting)
{
    switch (setting) {
    case WidthSetting::Baseline:
        return QStringLiteral("widths_baseline");
    case WidthSetting::Numbers:
        return QStringLiteral("widths_numbers");
    default:
        return QStringLiteral("widths_stripe%1").arg(static_cast<int>(setting) + 1);
    }
}

} // namespace

WidthsDialog::WidthsDialog(Unit unit, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Mark widths"));
    createForm(unit);
    setWidths({}, DrawnMarks::Strokes);
}

void WidthsDialog::createForm(Unit unit)
{
    const bool inch = unit == Unit::Inch;
    auto* form = new QFormLayout(this);
    auto* note = named(new QLabel(QStringLiteral(
                           "The width across each kind of mark; 0 is a single line, as the tool "
                           "cuts it. The tool that makes a mark wide is the machine's: Machine "
                           "settings.")),
        QStringLiteral("widths_note"));
    note->setWordWrap(true);
    form->addRow(note);
    for (std::size_t i = 0; i < widthSettings.size(); ++i) {
        const WidthSetting setting = widthSettings[i];
        auto* field = named(new QDoubleSpinBox, fieldName(setting));
        field->setDecimals(inch ? 4 : 3);
        field->setRange(0, inch ? 4 : 100);
        field->setSingleStep(inch ? 0.001 : 0.05);
        field->setSuffix(inch ? QStringLiteral(" in") : QStringLiteral(" mm"));
        m_fields[i] = field;
        form->addRow(named(new QLabel(QString::fromStdString(widthSettingCaption(setting))),
                         fieldName(setting) + QStringLiteral("_label")),
            field);
    }
    m_drawing = named(new QComboBox, QStringLiteral("widths_drawing"));
    m_drawing->addItems(
        { QStringLiteral("Strokes of their width"), QStringLiteral("Closed outlines") });
    form->addRow(named(new QLabel(QStringLiteral("Drawings (SVG, DXF)")),
                     QStringLiteral("widths_drawing_label")),
        m_drawing);
    auto* buttons = named(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel),
        QStringLiteral("widths_buttons"));
    form->addRow(buttons);
    setControlToolTips(*this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void WidthsDialog::setWidths(const MarkWidths& widths, DrawnMarks drawn)
{
    m_start = widths;
    for (std::size_t i = 0; i < widthSettings.size(); ++i) {
        m_fields[i]->setValue(widths.of(widthSettings[i]));
        m_shown.insert(m_fields[i], m_fields[i]->value()); // rounded to the field's decimals
    }
    m_drawing->setCurrentIndex(static_cast<int>(drawn));
}

MarkWidths WidthsDialog::widths() const
{
    MarkWidths widths = m_start;
    for (std::size_t i = 0; i < widthSettings.size(); ++i)
        if (m_fields[i]->value() != m_shown.value(m_fields[i]))
            widths.of(widthSettings[i]) = m_fields[i]->value();
    return widths;
}

DrawnMarks WidthsDialog::drawnMarks() const
{
    return static_cast<DrawnMarks>(m_drawing->currentIndex());
}

QDoubleSpinBox* WidthsDialog::fieldOf(WidthSetting setting) const
{
    return m_fields.at(static_cast<std::size_t>(setting));
}

void WidthsDialog::focusSetting(WidthSetting setting)
{
    QDoubleSpinBox* field = fieldOf(setting);
    field->setFocus();
    field->selectAll();
}

} // namespace mensora
