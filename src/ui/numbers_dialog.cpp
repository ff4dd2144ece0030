#include "ui/numbers_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

#include "files/engraving_file.h"
#include "files/installed_fonts.h"
#include "lettering/font_catalog.h"
#include "lettering/hershey_font.h"
#include "ui/font_sample.h"

namespace mensora {

namespace {

QString caption(NumberSetting setting)
{
    return QString::fromStdString(numberSettingCaption(setting));
}

template <typename Widget>
Widget* named(Widget* widget, const char* name)
{
    widget->setObjectName(QString::fromUtf8(name));
    return widget;
}

QString numberText(double value)
{
    return QLocale::system().toString(value, 'g', QLocale::FloatingPointShortest);
}

QString numberText(const std::optional<double>& value)
{
    return value ? numberText(*value) : QString();
}

} // namespace

NumbersDialog::NumbersDialog(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Numbers and marks"));
    createForm();
    setSettings({}, {});
}

void NumbersDialog::createForm()
{
    m_kind = named(new QComboBox, "numbers_kind");
    m_kind->addItems({ "None", "Kind 1", "Kind 2", "Kind 3", "Kind 4", "Kind 5", "Kind 6" });
    m_first = named(new QLineEdit, "number_first");
    m_step = named(new QLineEdit, "number_step");
    m_step->setPlaceholderText(QStringLiteral("their distance apart"));
    m_decimals = named(new QComboBox, "number_decimals");
    m_decimals->addItems({ "as needed", "0", "1", "2", "3" });
    m_height = named(new QLineEdit, "number_height");
    m_height->setPlaceholderText(QStringLiteral("3 in mm, 0.125 in inch"));
    m_gap = named(new QLineEdit, "number_gap");
    m_gap->setPlaceholderText(QStringLiteral("1 in mm, 0.04 in inch"));
    m_font = named(new QComboBox, "number_font");
    for (const std::string_view name : offeredFonts)
        m_font->addItem(QString::fromUtf8(name.data(), qsizetype(name.size())));
    m_orientation = named(new QComboBox, "number_orientation");
    m_orientation->addItems({ "along the dial", "level" });
    m_prefix = named(new QLineEdit, "number_prefix");
    m_suffix = named(new QLineEdit, "number_suffix");
    m_sample = named(new FontSample, "number_sample");
    m_endOnTotal = named(new QCheckBox(QString::fromUtf8(endOnTotalCaption)), "mark_end_on_total");
    m_noDoubleMark = named(new QCheckBox(QString::fromUtf8(noDoubleMarkCaption)), "mark_no_double");
    m_problem = named(new QLabel, "number_problem");
    m_problem->setStyleSheet(QStringLiteral("color: #b00000"));
    m_problem->hide();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);

    auto* form = new QFormLayout(this);
    form->addRow(caption(NumberSetting::Kind), m_kind);
    form->addRow(caption(NumberSetting::First), m_first);
    form->addRow(caption(NumberSetting::Step), m_step);
    form->addRow(caption(NumberSetting::Decimals), m_decimals);
    form->addRow(caption(NumberSetting::Height), m_height);
    form->addRow(caption(NumberSetting::Gap), m_gap);
    form->addRow(caption(NumberSetting::Font), m_font);
    form->addRow(caption(NumberSetting::Orientation), m_orientation);
    form->addRow(caption(NumberSetting::Prefix), m_prefix);
    form->addRow(caption(NumberSetting::Suffix), m_suffix);
    form->addRow(m_sample);
    form->addRow(m_endOnTotal);
    form->addRow(m_noDoubleMark);
    form->addRow(m_problem);
    form->addRow(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &NumbersDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &NumbersDialog::reject);
    connect(m_font, &QComboBox::currentIndexChanged, this, &NumbersDialog::updateSample);
    connect(m_prefix, &QLineEdit::textChanged, this, &NumbersDialog::updateSample);
    connect(m_suffix, &QLineEdit::textChanged, this, &NumbersDialog::updateSample);
}

void NumbersDialog::setSettings(const NumberSettings& numbers, const MarkSettings& marks)
{
    m_numbers = numbers;
    m_marks = marks;
    m_kind->setCurrentIndex(numbers.kind >= 0 && numbers.kind <= 6 ? numbers.kind : 0);
    m_first->setText(numberText(numbers.first));
    m_step->setText(numberText(numbers.step));
    m_decimals->setCurrentIndex(numbers.decimals ? *numbers.decimals + 1 : 0);
    m_height->setText(numberText(numbers.height));
    m_gap->setText(numberText(numbers.gap));
    // A font that is not offered stays as it is, for the engraving to name.
    const QString font = QString::fromStdString(numbers.font);
    if (m_font->findText(font) < 0)
        m_font->addItem(font);
    m_font->setCurrentText(font);
    m_orientation->setCurrentIndex(static_cast<int>(numbers.orientation));
    m_prefix->setText(QString::fromStdString(numbers.prefix));
    m_suffix->setText(QString::fromStdString(numbers.suffix));
    m_endOnTotal->setChecked(marks.endOnTotal);
    m_noDoubleMark->setChecked(marks.noDoubleMark);
    updateSample();
}

void NumbersDialog::focusSetting(NumberSetting setting)
{
    QWidget* const fields[] = { m_kind, m_first, m_step, m_decimals, m_height, m_gap, m_font,
        m_orientation, m_prefix, m_suffix }; // in the order of NumberSetting
    QWidget* field = fields[static_cast<std::size_t>(setting)];
    field->setFocus();
    if (auto* box = qobject_cast<QLineEdit*>(field))
        box->selectAll();
}

// The digits between the prefix and the suffix, in the chosen font, from its own strokes.
void NumbersDialog::updateSample()
{
    const QString font = m_font->currentText();
    if (auto loaded = installedFonts().font(font.toStdString()))
        m_sample->showText(std::move(loaded), m_prefix->text() + "0123456789" + m_suffix->text());
    else
        m_sample->showMessage(QString("%1 is not installed: install the package %2.")
                                  .arg(font, QString::fromUtf8(fontPackage.data())));
}

void NumbersDialog::accept()
{
    if (readForm())
        QDialog::accept();
}

bool NumbersDialog::readForm()
{
    NumberSettings numbers = m_numbers;
    const NumberFormat format = numberFormatOf();
    // A box with a number, or an empty one where that keeps the default.
    const auto read = [&](QLineEdit* box, NumberSetting setting, bool mayBeEmpty,
                          std::optional<double>& value) {
        if (mayBeEmpty && box->text().trimmed().isEmpty()) {
            value.reset();
            return true;
        }
        value = strictNumberValue(box->text().toStdString(), format);
        if (value)
            return true;
        m_problem->setText(caption(setting) + " must be a number, like " + numberText(2.5) + ".");
        m_problem->show();
        box->setFocus();
        box->selectAll();
        return false;
    };
    std::optional<double> first;
    if (!read(m_first, NumberSetting::First, false, first)
        || !read(m_step, NumberSetting::Step, true, numbers.step)
        || !read(m_height, NumberSetting::Height, true, numbers.height)
        || !read(m_gap, NumberSetting::Gap, true, numbers.gap))
        return false;
    numbers.first = *first;
    numbers.kind = m_kind->currentIndex();
    numbers.decimals.reset();
    if (m_decimals->currentIndex() > 0)
        numbers.decimals = m_decimals->currentIndex() - 1;
    numbers.font = m_font->currentText().toStdString();
    numbers.orientation = static_cast<NumberOrientation>(m_orientation->currentIndex());
    numbers.prefix = m_prefix->text().toStdString();
    numbers.suffix = m_suffix->text().toStdString();
    m_numbers = numbers;
    m_marks = { m_endOnTotal->isChecked(), m_noDoubleMark->isChecked() };
    m_problem->hide();
    return true;
}

} // namespace mensora
