#pragma once

#include <functional>
#include <map>
#include <vector>

#include <QDialog>
#include <QHash>

#include "model/machine_settings.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QSpinBox;

namespace mensora {

// Machine, "Machine settings…": the profile with a line on what it shapes, then the settings
// in spin boxes with their units (numbers in the user's notation), line numbers, the travel
// order and what makes a mark of a width (see ToolFields), the laser's power up to its S max. Rates
// and the safe height show in the scale's unit; a setting the chosen profile does not use is
// greyed. A rate keeps the unit it was given in until it is changed here. Every widget carries an
// objectName for tests.
class ToolFields;

class MachineDialog : public QDialog
{
    Q_OBJECT

public:
    explicit MachineDialog(Unit unit, QWidget* parent = nullptr);

    void setSettings(const MachineSettings& settings);
    // Chooses the profile, as the user would in its list.
    void chooseProfile(MachineProfile profile);

    // Where each profile's own settings are kept: once given, choosing another profile in the
    // list shows that profile's settings (as last changed in the dialog, else as kept), and the
    // settings shown before are set aside as their profile's.
    void setKeptSettings(std::function<MachineSettings(MachineProfile)> kept);

    // The settings as the form shows them: what was not changed stays exactly as it was set.
    MachineSettings settings() const;
    // Those, and the settings of every other profile shown in the dialog as it left them.
    std::vector<MachineSettings> everyProfileShown() const;

    // Puts the focus on the setting's field, for a setting that was refused.
    void focusSetting(MachineSetting setting);

private:
    void createForm();
    void switchProfile(int index);
    void showProfile(int index);
    void boundPower(double sMax);
    MachineSettings formSettings(MachineProfile profile) const;
    QWidget* fieldOf(MachineSetting setting) const;
    QDoubleSpinBox* rateBox(const char* name) const;
    bool changed(const QDoubleSpinBox* box) const;
    std::optional<Rate> rateOf(const QDoubleSpinBox* box, const std::optional<Rate>& was) const;
    double valueOf(const QDoubleSpinBox* box, double was) const;

    Unit m_unit;
    MachineSettings m_start;
    QComboBox* m_profile = nullptr;
    QLabel* m_note = nullptr;
    QDoubleSpinBox* m_feed = nullptr;
    QDoubleSpinBox* m_plungeFeed = nullptr;
    QDoubleSpinBox* m_rapidRate = nullptr;
    QDoubleSpinBox* m_safeHeight = nullptr;
    QDoubleSpinBox* m_spindle = nullptr;
    QDoubleSpinBox* m_power = nullptr;
    QSpinBox* m_passes = nullptr;
    QCheckBox* m_lineNumbers = nullptr;
    QComboBox* m_order = nullptr;
    ToolFields* m_tools = nullptr;
    QHash<const QDoubleSpinBox*, double> m_shown; // each box's value as set
    std::function<MachineSettings(MachineProfile)> m_kept;
    std::map<MachineProfile, MachineSettings> m_setAside; // profiles shown before, as left
    MachineProfile m_showing = MachineProfile::Plain; // whose settings the form shows
    bool m_filling = false; // the form is being set: no profile is switched
};

} // namespace mensora
