#pragma once

#include <QDialog>

#include "model/scale_parameters.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace mensora {

// Scale, "Labels…": what the selected scale's numbered stripes show (numbers, a label list
// typed as "value=text; …", inch fractions, mixed or not, or Roman numerals), whether its
// values run from the far end, whether a round scale turns clockwise, and its title. The list
// is open only for a list, the mixed fractions only for fractions, clockwise only on a round
// scale. OK with a list item that is no "value=text" names it inside the dialog and keeps it
// open. Every widget carries an objectName for tests.
class LabelsDialog : public QDialog
{
    Q_OBJECT

public:
    LabelsDialog(const LabelSettings& labels, Shape shape, QWidget* parent = nullptr);

    // The settings as the form shows them; valid after the dialog was accepted.
    const LabelSettings& labels() const { return m_labels; }

    void accept() override;

    // Puts the focus on the setting's field, for a setting that was refused.
    void focusSetting(LabelSetting setting);

private:
    void createForm(Shape shape);
    void showStyle();

    LabelSettings m_labels;
    QComboBox* m_style = nullptr;
    QLineEdit* m_list = nullptr;
    QCheckBox* m_mixed = nullptr;
    QCheckBox* m_reverse = nullptr;
    QCheckBox* m_clockwise = nullptr;
    QLineEdit* m_title = nullptr;
    QLabel* m_problem = nullptr;
};

} // namespace mensora
