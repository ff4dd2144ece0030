#pragma once

#include <QDialog>

#include "model/number_settings.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace mensora {

class FontSample;

// Scale, "Numbers and marks…": the numbers' settings and the two mark choices in one form,
// with a sample of the chosen font. Numbers are typed in the user's notation; an empty step,
// height or gap keeps its default. OK with a box that holds no number names the box inside
// the dialog and keeps it open. Every widget carries an objectName for tests.
class NumbersDialog : public QDialog
{
    Q_OBJECT

public:
    explicit NumbersDialog(QWidget* parent = nullptr);

    void setSettings(const NumberSettings& numbers, const MarkSettings& marks);

    // The settings as the form shows them; valid after the dialog was accepted.
    const NumberSettings& numbers() const { return m_numbers; }
    const MarkSettings& marks() const { return m_marks; }

    // Reads the form and closes the dialog, or names the first box that holds no number.
    void accept() override;

    // Puts the focus on the setting's field, for a setting that was refused.
    void focusSetting(NumberSetting setting);

private:
    void createForm();
    void updateSample();
    bool readForm();

    QComboBox* m_kind = nullptr;
    QLineEdit* m_first = nullptr;
    QLineEdit* m_step = nullptr;
    QComboBox* m_decimals = nullptr;
    QLineEdit* m_height = nullptr;
    QLineEdit* m_gap = nullptr;
    QComboBox* m_font = nullptr;
    QComboBox* m_orientation = nullptr;
    QLineEdit* m_prefix = nullptr;
    QLineEdit* m_suffix = nullptr;
    FontSample* m_sample = nullptr;
    QCheckBox* m_endOnTotal = nullptr;
    QCheckBox* m_noDoubleMark = nullptr;
    QLabel* m_problem = nullptr;

    NumberSettings m_numbers;
    MarkSettings m_marks;
};

} // namespace mensora
