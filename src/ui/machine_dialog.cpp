#include "ui/machine_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QSpinBox>

#include "ui/tool_fields.h"
#include "ui/tool_tips.h"
#include "writers/dialect_table.h"

namespace mensora {

namespace {

template <typename Widget>
Widget* named(Widget* widget, const char* name)
{
    widget->setObjectName(QString::fromUtf8(name));
    return widget;
}

QDoubleSpinBox* numberBox(
    const char* name, double low, double high, int decimals, const QString& suffix)
{
    auto* box = named(new QDoubleSpinBox, name);
    box->setDecimals(decimals);
    box->setRange(low, high);
    box->setSuffix(suffix);
    return box;
}

} // namespace

MachineDialog::MachineDialog(Unit unit, QWidget* parent)
    : QDialog(parent)
    , m_unit(unit)
{
    setWindowTitle(QStringLiteral("Machine settings"));
    createForm();
    setSettings({});
}

QDoubleSpinBox* MachineDialog::rateBox(const char* name) const
{
    const bool inch = m_unit == Unit::Inch;
    return numberBox(name, inch ? 0.01 : 0.1, inch ? 9999.99 : 99999.9, inch ? 2 : 1,
        inch ? QStringLiteral(" in/min") : QStringLiteral(" mm/min"));
}

void MachineDialog::createForm()
{
    const bool inch = m_unit == Unit::Inch;
    m_profile = named(new QComboBox, "machine_profile");
    for (const Dialect& dialect : dialectTable)
        m_profile->addItem(
            QString::fromUtf8(dialect.caption.data(), qsizetype(dialect.caption.size())));
    m_note = named(new QLabel, "machine_profile_note");
    m_note->setWordWrap(true);
    m_feed = rateBox("machine_feed");
    m_plungeFeed = rateBox("machine_plunge_feed");
    m_rapidRate = rateBox("machine_rapid_rate");
    const double farthest = inch ? 9999.9999 : 99999.999;
    m_safeHeight = numberBox("machine_safe_height", -farthest, farthest, inch ? 4 : 3,
        inch ? QStringLiteral(" in") : QStringLiteral(" mm"));
    m_spindle = numberBox("machine_spindle", 0, 99999, 0, QStringLiteral(" rpm"));
    m_power = numberBox("machine_power", 0, 1000, 0, QString());
    m_passes = named(new QSpinBox, "machine_passes");
    m_passes->setRange(1, 100);
    m_lineNumbers
        = named(new QCheckBox(QStringLiteral("Number the lines")), "machine_line_numbers");
    m_order = named(new QComboBox, "machine_order");
    m_order->addItems({ QStringLiteral("As listed"), QStringLiteral("Back and forth") });
    auto* buttons = named(
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel), "machine_buttons");

    auto* form = new QFormLayout(this);
    const auto row = [form](const QString& caption, const char* name, QWidget* field) {
        form->addRow(named(new QLabel(caption), name), field);
    };
    const auto setting = [&](MachineSetting which, const char* name, QWidget* field) {
        row(QString::fromStdString(machineSettingCaption(which)), name, field);
    };
    row(QStringLiteral("Profile"), "machine_profile_label", m_profile);
    form->addRow(m_note);
    setting(MachineSetting::Feed, "machine_feed_label", m_feed);
    setting(MachineSetting::PlungeFeed, "machine_plunge_feed_label", m_plungeFeed);
    setting(MachineSetting::RapidRate, "machine_rapid_rate_label", m_rapidRate);
    setting(MachineSetting::SafeHeight, "machine_safe_height_label", m_safeHeight);
    setting(MachineSetting::SpindleSpeed, "machine_spindle_label", m_spindle);
    setting(MachineSetting::LaserPower, "machine_power_label", m_power);
    setting(MachineSetting::Passes, "machine_passes_label", m_passes);
    setting(MachineSetting::LineNumbers, "machine_line_numbers_label", m_lineNumbers);
    row(QStringLiteral("Travel order"), "machine_order_label", m_order);
    m_tools = new ToolFields(*form, m_unit, this);
    form->addRow(buttons);
    setControlToolTips(*this);

    connect(m_profile, &QComboBox::currentIndexChanged, this, &MachineDialog::switchProfile);
    connect(m_tools->sMaxField(), &QDoubleSpinBox::valueChanged, this, &MachineDialog::boundPower);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void MachineDialog::setSettings(const MachineSettings& settings)
{
    m_filling = true;
    m_start = settings;
    m_showing = settings.profile;
    m_tools->set(settings.tool);
    boundPower(m_tools->sMaxField()->value());
    const MachineRates rates = ratesFor(settings, m_unit);
    m_profile->setCurrentIndex(static_cast<int>(settings.profile));
    const std::pair<QDoubleSpinBox*, double> values[]
        = { { m_feed, rates.feed }, { m_plungeFeed, rates.plungeFeed },
              { m_rapidRate, rates.rapidRate }, { m_safeHeight, settings.safeHeight },
              { m_spindle, settings.spindleSpeed }, { m_power, settings.laserPower } };
    for (const auto& [box, value] : values) {
        box->setValue(value);
        m_shown.insert(box, box->value()); // rounded to the box's decimals
    }
    m_passes->setValue(static_cast<int>(settings.passes));
    m_lineNumbers->setChecked(settings.lineNumbers);
    m_order->setCurrentIndex(static_cast<int>(settings.order));
    showProfile(m_profile->currentIndex());
    m_filling = false;
}

void MachineDialog::setKeptSettings(std::function<MachineSettings(MachineProfile)> kept)
{
    m_kept = std::move(kept);
}

// The settings shown are set aside as their profile's; the chosen profile's take the form.
void MachineDialog::switchProfile(int index)
{
    const MachineProfile chosen = dialectTable[static_cast<std::size_t>(std::clamp(index, 0,
                                                   static_cast<int>(dialectTable.size()) - 1))]
                                      .profile;
    if (m_filling || !m_kept || chosen == m_showing) {
        showProfile(index);
        return;
    }
    m_setAside[m_showing] = formSettings(m_showing);
    const auto aside = m_setAside.find(chosen);
    MachineSettings shown = aside != m_setAside.end() ? aside->second : m_kept(chosen);
    shown.profile = chosen;
    setSettings(shown);
}

std::vector<MachineSettings> MachineDialog::everyProfileShown() const
{
    std::vector<MachineSettings> every { settings() };
    for (const auto& [profile, settings] : m_setAside)
        if (profile != every.front().profile)
            every.push_back(settings);
    return every;
}

void MachineDialog::chooseProfile(MachineProfile profile)
{
    m_profile->setCurrentIndex(static_cast<int>(profile));
}

// The line on the chosen profile, and only its settings open for input.
void MachineDialog::showProfile(int index)
{
    const Dialect& dialect = dialectTable[static_cast<std::size_t>(
        std::clamp(index, 0, static_cast<int>(dialectTable.size()) - 1))];
    m_note->setText(
        QString::fromUtf8(dialect.explanation.data(), qsizetype(dialect.explanation.size())));
    for (const MachineSetting setting : { MachineSetting::Feed, MachineSetting::PlungeFeed,
             MachineSetting::RapidRate, MachineSetting::SafeHeight, MachineSetting::SpindleSpeed,
             MachineSetting::LaserPower, MachineSetting::Passes, MachineSetting::LineNumbers })
        fieldOf(setting)->setEnabled(dialect.uses(setting));
    // Plain shapes nothing, so it has no travel order either.
    m_order->setEnabled(dialect.family.has_value());
    m_tools->show(dialect);
}

// The power goes from 0 to the controller's S max.
void MachineDialog::boundPower(double sMax)
{
    m_power->setDecimals(sMax < 100 ? 3 : 0);
    m_power->setMaximum(sMax);
}

QWidget* MachineDialog::fieldOf(MachineSetting setting) const
{
    switch (setting) {
    case MachineSetting::Feed:
        return m_feed;
    case MachineSetting::PlungeFeed:
        return m_plungeFeed;
    case MachineSetting::RapidRate:
        return m_rapidRate;
    case MachineSetting::SafeHeight:
        return m_safeHeight;
    case MachineSetting::SpindleSpeed:
        return m_spindle;
    case MachineSetting::LaserPower:
        return m_power;
    case MachineSetting::LineNumbers:
        return m_lineNumbers;
    case MachineSetting::Profile:
        return m_profile;
    case MachineSetting::Passes:
        return m_passes;
    default:
        break;
    }
    return m_tools->fieldOf(setting);
}

void MachineDialog::focusSetting(MachineSetting setting)
{
    QWidget* field = fieldOf(setting);
    field->setFocus();
    if (auto* box = qobject_cast<QAbstractSpinBox*>(field))
        box->selectAll();
}

bool MachineDialog::changed(const QDoubleSpinBox* box) const
{
    return box->value() != m_shown.value(box);
}

std::optional<Rate> MachineDialog::rateOf(
    const QDoubleSpinBox* box, const std::optional<Rate>& was) const
{
    return changed(box) ? Rate { box->value(), m_unit } : was;
}

double MachineDialog::valueOf(const QDoubleSpinBox* box, double was) const
{
    return changed(box) ? box->value() : was;
}

MachineSettings MachineDialog::settings() const
{
    return formSettings(dialectTable[static_cast<std::size_t>(std::clamp(m_profile->currentIndex(),
                                         0, int(dialectTable.size()) - 1))]
                            .profile);
}

MachineSettings MachineDialog::formSettings(MachineProfile profile) const
{
    MachineSettings s = m_start;
    s.profile = profile;
    s.feed = rateOf(m_feed, m_start.feed);
    s.plungeFeed = rateOf(m_plungeFeed, m_start.plungeFeed);
    s.rapidRate = rateOf(m_rapidRate, m_start.rapidRate);
    s.safeHeight = valueOf(m_safeHeight, m_start.safeHeight);
    s.spindleSpeed = valueOf(m_spindle, m_start.spindleSpeed);
    s.laserPower = valueOf(m_power, m_start.laserPower);
    if (m_passes->value() != static_cast<int>(m_start.passes))
        s.passes = m_passes->value();
    s.lineNumbers = m_lineNumbers->isChecked();
    s.order = static_cast<TravelOrder>(m_order->currentIndex());
    s.tool = m_tools->read();
    return s;
}

} // namespace mensora
