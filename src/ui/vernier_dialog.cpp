#include "ui/vernier_dialog.h"

#include <cmath>
#include <limits>

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QSpinBox>

#include "model/number_rules.h"
#include "model/number_text.h"

namespace mensora {

namespace {

struct Choice
{
    const char* caption;
    int divisions;
    int mainDivisions;
};

// The verniers instrument makers use most; the last row leaves the numbers as they stand.
constexpr Choice choices[] = {
    { "10/9: tenths of a division", 10, 9 },
    { "20/39: twentieths, over two divisions", 20, 39 },
    { "50/49: fiftieths of a division", 50, 49 },
    { "12/23: twelfths, over two divisions (5\u2032 on 1\u00b0)", 12, 23 },
    { "Other", 0, 0 },
};

// A number with up to six decimals, without trailing zeros.
QString plainNumber(double value)
{
    std::string text = numberText(value, 6);
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.')
        text.pop_back();
    return QString::fromStdString(text);
}

template <typename Widget>
Widget* named(Widget* widget, const char* name)
{
    widget->setObjectName(QString::fromUtf8(name));
    return widget;
}

} // namespace

VernierDialog::VernierDialog(const ScaleParameters& main, QWidget* parent)
    : QDialog(parent)
    , m_main(main)
{
    setWindowTitle(QStringLiteral("Add vernier"));
    createForm();
    setVernier(10, 9, false);
}

void VernierDialog::createForm()
{
    m_choices = named(new QComboBox, "vernier_choice");
    for (const Choice& choice : choices)
        m_choices->addItem(QString::fromUtf8(choice.caption));
    m_divisions = named(new QSpinBox, "vernier_divisions");
    m_divisions->setRange(1, maxVernierDivisions);
    m_mainDivisions = named(new QSpinBox, "vernier_main_divisions");
    m_mainDivisions->setRange(1, std::numeric_limits<int>::max());
    m_bothSides
        = named(new QCheckBox(QStringLiteral("On both sides of zero")), "vernier_both_sides");
    m_reading = named(new QLabel, "vernier_reading");
    auto* buttons = named(
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel), "vernier_buttons");

    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("Vernier"), m_choices);
    form->addRow(QStringLiteral("Divisions"), m_divisions);
    form->addRow(QStringLiteral("Over main divisions"), m_mainDivisions);
    form->addRow(m_bothSides);
    form->addRow(m_reading);
    form->addRow(buttons);

    connect(m_choices, &QComboBox::activated, this, &VernierDialog::takeChoice);
    connect(m_divisions, &QSpinBox::valueChanged, this, &VernierDialog::showReading);
    connect(m_mainDivisions, &QSpinBox::valueChanged, this, &VernierDialog::showReading);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void VernierDialog::takeChoice(int index)
{
    const Choice& choice = choices[index];
    if (choice.divisions > 0)
        setVernier(choice.divisions, choice.mainDivisions, bothSides());
}

void VernierDialog::setVernier(int divisions, int mainDivisions, bool bothSides)
{
    m_divisions->setValue(divisions);
    m_mainDivisions->setValue(mainDivisions);
    m_bothSides->setChecked(bothSides);
    showReading();
}

int VernierDialog::divisions() const
{
    return m_divisions->value();
}

int VernierDialog::mainDivisions() const
{
    return m_mainDivisions->value();
}

bool VernierDialog::bothSides() const
{
    return m_bothSides->isChecked();
}

// A dial's division is in degrees: its vernier reads in minutes (and seconds) of arc.
QString VernierDialog::readingText() const
{
    const double division = std::fabs(numericPrefixValue(m_main.distance));
    const double least = division / divisions();
    if (!std::isfinite(least) || least >= numberTextLimit)
        return QString();
    if (m_main.shape == Shape::Round) {
        const double minutes = least * 60;
        if (minutes >= 1)
            return QStringLiteral("Reads %1\u2032").arg(plainNumber(minutes));
        return QStringLiteral("Reads %1\u2033").arg(plainNumber(least * 3600));
    }
    const QString unit = m_main.unit == Unit::Inch ? QStringLiteral("in") : QStringLiteral("mm");
    return QStringLiteral("Reads %1 %2").arg(plainNumber(least), unit);
}

// The choice that the numbers make, or "Other".
void VernierDialog::showReading()
{
    const int other = static_cast<int>(std::size(choices)) - 1;
    int shown = 0;
    while (shown < other
        && !(choices[shown].divisions == divisions()
            && choices[shown].mainDivisions == mainDivisions()))
        ++shown;
    m_choices->setCurrentIndex(shown);
    m_reading->setText(readingText());
}

} // namespace mensora
