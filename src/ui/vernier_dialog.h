#pragma once

#include <QDialog>

#include "model/scale_parameters.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QSpinBox;

namespace mensora {

// "Add vernier…": n divisions over m divisions of the selected scale, on one side of zero or
// both, with the instruments' usual choices ready (10/9, 20/39, 50/49, 12/23) and a line that
// says what the vernier reads. Every widget carries an objectName for tests.
class VernierDialog : public QDialog
{
    Q_OBJECT

public:
    // `main` is the scale the vernier reads against: its division and unit give the reading.
    explicit VernierDialog(const ScaleParameters& main, QWidget* parent = nullptr);

    void setVernier(int divisions, int mainDivisions, bool bothSides);
    int divisions() const;
    int mainDivisions() const;
    bool bothSides() const;

    // "Reads 0.02 mm", "Reads 5′": the main division over the divisions.
    QString readingText() const;

private:
    void createForm();
    void takeChoice(int index);
    void showReading();

    ScaleParameters m_main;
    QComboBox* m_choices = nullptr;
    QSpinBox* m_divisions = nullptr;
    QSpinBox* m_mainDivisions = nullptr;
    QCheckBox* m_bothSides = nullptr;
    QLabel* m_reading = nullptr;
};

} // namespace mensora
