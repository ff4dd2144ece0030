#pragma once

#include <functional>
#include <optional>

#include <QDialog>

#include "model/scale_parameters.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace mensora {

// Scale, "Spacing…": the law of the selected scale (a row of the spacing table: Even, a
// function of the values, measured points or a formula) with what it reads: the power, the
// formula, the measured points (typed as "value=position; …" or read from a CSV file), the
// value range, the segments in a small table (from, to, step, package) and the gap between
// neighbouring stripes. The fields a law does not read are greyed. Numbers are typed in the
// user's notation. OK reads the form and, when a segment's stripes stand closer than the gap,
// says so inside the dialog and offers to double that segment's step. Every widget carries an
// objectName for tests.
class SpacingDialog : public QDialog
{
    Q_OBJECT

public:
    explicit SpacingDialog(const ScaleParameters& scale, QWidget* parent = nullptr);

    // Asks for the CSV file of measured points: its path, or an empty one for none.
    void setPointsFileChooser(std::function<QString()> choose) { m_choosePointsFile = choose; }

    // The settings as the form shows them; valid after the dialog was accepted.
    const SpacingSettings& spacing() const { return m_spacing; }

    // Reads the form and closes the dialog; or names the first field that holds no sound
    // entry, or the segment whose stripes stand closer than the gap, and stays open.
    void accept() override;

    // Puts the focus on the setting's field, for a setting that was refused.
    void focusSetting(SpacingSetting setting);

private:
    void createFields();
    void createForm();
    void showSettings(const SpacingSettings& spacing);
    void showLaw();
    void readPointsFile();
    void doubleStep();
    std::optional<SpacingSettings> readForm();
    bool readPoints(std::vector<MeasuredPoint>& points);
    bool readSegments(std::vector<ValueSegment>& segments);
    void tell(const QString& problem, QWidget* field);

    ScaleParameters m_scale;
    SpacingSettings m_spacing;
    std::function<QString()> m_choosePointsFile;
    std::optional<int> m_closeSegment; // the row whose step the offer doubles
    QComboBox* m_law = nullptr;
    QLineEdit* m_exponent = nullptr;
    QLineEdit* m_formula = nullptr;
    QLineEdit* m_points = nullptr;
    QPushButton* m_pointsFile = nullptr;
    QLineEdit* m_from = nullptr;
    QLineEdit* m_to = nullptr;
    QTableWidget* m_segments = nullptr;
    QPushButton* m_addSegment = nullptr;
    QPushButton* m_removeSegment = nullptr;
    QLineEdit* m_minGap = nullptr;
    QLabel* m_problem = nullptr;
    QPushButton* m_doubleStep = nullptr;
};

} // namespace mensora
