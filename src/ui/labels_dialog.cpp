#include "ui/labels_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

#include "model/label_text.h"
#include "ui/tool_tips.h"
#include "ui/value_fields.h"

namespace mensora {

namespace {

template <typename Widget>
Widget* named(Widget* widget, const char* name)
{
    widget->setObjectName(QString::fromUtf8(name));
    return widget;
}

QString caption(LabelSetting setting)
{
    return QString::fromStdString(labelSettingCaption(setting));
}

} // namespace

LabelsDialog::LabelsDialog(const LabelSettings& labels, Shape shape, QWidget* parent)
    : QDialog(parent)
    , m_labels(labels)
{
    setWindowTitle(QStringLiteral("Labels"));
    createForm(shape);
    m_style->setCurrentIndex(static_cast<int>(labels.style));
    ValuePairs list;
    for (const ValueLabel& label : labels.list)
        list.emplace_back(label.value, QString::fromStdString(label.text));
    m_list->setText(valuePairsText(list));
    m_mixed->setChecked(labels.mixedFractions);
    m_reverse->setChecked(labels.reverse);
    m_clockwise->setChecked(labels.clockwise);
    m_title->setText(QString::fromStdString(labels.title));
    showStyle();
}

// The styles stand in the order of LabelStyle.
void LabelsDialog::createForm(Shape shape)
{
    m_style = named(new QComboBox, "labels_style");
    m_style->addItems({ QStringLiteral("Numbers"), QStringLiteral("Label list"),
        QStringLiteral("Inch fractions"), QStringLiteral("Roman numerals") });
    m_list = named(new QLineEdit, "labels_list");
    m_list->setPlaceholderText(QStringLiteral("0=MIN; 5=MED; 10=MAX"));
    m_mixed = named(new QCheckBox(QStringLiteral("Mixed numbers (1 1/2)")), "labels_mixed");
    m_reverse = named(
        new QCheckBox(QStringLiteral("Reverse: values from the far end")), "labels_reverse");
    m_clockwise = named(new QCheckBox(QStringLiteral("Clockwise")), "labels_clockwise");
    m_clockwise->setEnabled(shape == Shape::Round);
    m_title = named(new QLineEdit, "labels_title");
    m_title->setPlaceholderText(QStringLiteral("C, dB, mA"));
    m_problem = named(new QLabel, "labels_problem");
    m_problem->setStyleSheet(QStringLiteral("color: #b00000"));
    m_problem->setWordWrap(true);
    m_problem->hide();
    auto* buttons = named(
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel), "labels_buttons");

    auto* form = new QFormLayout(this);
    form->addRow(caption(LabelSetting::Style), m_style);
    form->addRow(caption(LabelSetting::List), m_list);
    form->addRow(m_mixed);
    form->addRow(m_reverse);
    form->addRow(m_clockwise);
    form->addRow(caption(LabelSetting::Title), m_title);
    form->addRow(m_problem);
    form->addRow(buttons);
    setControlToolTips(*this);

    connect(m_style, &QComboBox::currentIndexChanged, this, &LabelsDialog::showStyle);
    connect(buttons, &QDialogButtonBox::accepted, this, &LabelsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &LabelsDialog::reject);
}

void LabelsDialog::showStyle()
{
    const auto style = static_cast<LabelStyle>(m_style->currentIndex());
    m_list->setEnabled(style == LabelStyle::List);
    m_mixed->setEnabled(style == LabelStyle::Fractions);
}

void LabelsDialog::focusSetting(LabelSetting setting)
{
    QWidget* const fields[] = { m_style, m_list, m_title }; // in the order of LabelSetting
    fields[static_cast<std::size_t>(setting)]->setFocus();
}

void LabelsDialog::accept()
{
    const ValuePairsReading list = readValuePairs(m_list->text());
    if (list.wrong) {
        m_problem->setText(caption(LabelSetting::List) + ": \"" + *list.wrong
            + "\" is no value=text label, like " + valueFieldText(2.5) + "=MED.");
        m_problem->show();
        m_list->setFocus();
        return;
    }
    LabelSettings labels;
    labels.style = static_cast<LabelStyle>(m_style->currentIndex());
    for (const auto& [value, text] : list.pairs)
        labels.list.push_back({ value, text.toStdString() });
    labels.mixedFractions = m_mixed->isChecked();
    labels.reverse = m_reverse->isChecked();
    labels.clockwise = m_clockwise->isChecked();
    labels.title = m_title->text().toStdString();
    m_labels = labels;
    QDialog::accept();
}

} // namespace mensora
