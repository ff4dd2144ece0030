#include "ui/spacing_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include "files/points_file.h"
#include "model/spacing_table.h"
#include "model/value_laws.h"
#include "model/value_segments.h"
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

QString caption(SpacingSetting setting)
{
    return QString::fromStdString(spacingSettingCaption(setting));
}

// The laws a user chooses, in the order of SpacingLaw: every row of the table but the
// vernier's, which a vernier chooses.
std::vector<SpacingLaw> choosableLaws()
{
    std::vector<SpacingLaw> laws;
    for (const SpacingRow& row : spacingTable())
        if (row.law)
            laws.push_back(*row.law);
    return laws;
}

enum SegmentColumn { FromColumn, ToColumn, StepColumn, PackageColumn };

} // namespace

SpacingDialog::SpacingDialog(const ScaleParameters& scale, QWidget* parent)
    : QDialog(parent)
    , m_scale(scale)
    , m_spacing(scale.spacing)
{
    setWindowTitle(QStringLiteral("Spacing"));
    createForm();
    showSettings(m_spacing);
}

void SpacingDialog::createFields()
{
    m_law = named(new QComboBox, "spacing_law");
    for (const SpacingLaw law : choosableLaws()) {
        const SpacingRow& row = spacingRow(law);
        m_law->addItem(QString::fromUtf8(row.name.data(), qsizetype(row.name.size())));
        m_law->setItemData(m_law->count() - 1,
            QString::fromUtf8(row.rule.data(), qsizetype(row.rule.size())), Qt::ToolTipRole);
    }
    m_exponent = named(new QLineEdit, "spacing_exponent");
    m_formula = named(new QLineEdit, "spacing_formula");
    m_formula->setPlaceholderText(QStringLiteral("log10(v)"));
    m_points = named(new QLineEdit, "spacing_points");
    m_points->setPlaceholderText(QStringLiteral("value=position; value=position; …"));
    m_pointsFile = named(new QPushButton(QStringLiteral("Open CSV…")), "spacing_points_file");
    m_from = named(new QLineEdit, "spacing_from");
    m_to = named(new QLineEdit, "spacing_to");
    m_segments = named(new QTableWidget(0, 4), "spacing_segments");
    m_segments->setHorizontalHeaderLabels({ "From", "To", "Step", "Package" });
    m_segments->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_segments->setMinimumWidth(420);
    m_segments->verticalHeader()->setVisible(false);
    m_addSegment = named(new QPushButton(QStringLiteral("Add segment")), "spacing_add_segment");
    m_removeSegment
        = named(new QPushButton(QStringLiteral("Remove segment")), "spacing_remove_segment");
    m_minGap = named(new QLineEdit, "spacing_min_gap");
    m_minGap->setPlaceholderText(
        valueFieldText(m_scale.unit == Unit::Inch ? defaultMinGapInch : defaultMinGapMm));
    m_problem = named(new QLabel, "spacing_problem");
    m_problem->setStyleSheet(QStringLiteral("color: #b00000"));
    m_problem->setWordWrap(true);
    m_problem->hide();
    m_doubleStep = named(new QPushButton, "spacing_double_step");
    m_doubleStep->hide();
}

void SpacingDialog::createForm()
{
    createFields();
    auto* buttons = named(
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel), "spacing_buttons");
    auto* points = new QHBoxLayout;
    points->addWidget(m_points);
    points->addWidget(m_pointsFile);
    auto* values = new QHBoxLayout;
    values->addWidget(m_from);
    values->addWidget(new QLabel(QStringLiteral("to")));
    values->addWidget(m_to);
    auto* rows = new QHBoxLayout;
    rows->addWidget(m_addSegment);
    rows->addWidget(m_removeSegment);
    rows->addStretch();
    auto* form = new QFormLayout(this);
    form->addRow(caption(SpacingSetting::Law), m_law);
    form->addRow(caption(SpacingSetting::Exponent), m_exponent);
    form->addRow(caption(SpacingSetting::Formula), m_formula);
    form->addRow(caption(SpacingSetting::Points), points);
    form->addRow(caption(SpacingSetting::Values), values);
    form->addRow(caption(SpacingSetting::Segments), m_segments);
    form->addRow(QString(), rows);
    form->addRow(caption(SpacingSetting::MinGap)
            + (m_scale.unit == Unit::Inch ? QStringLiteral(" (in)") : QStringLiteral(" (mm)")),
        m_minGap);
    form->addRow(m_problem);
    form->addRow(m_doubleStep);
    form->addRow(buttons);
    setControlToolTips(*this);

    connect(m_law, &QComboBox::currentIndexChanged, this, &SpacingDialog::showLaw);
    connect(m_pointsFile, &QPushButton::clicked, this, &SpacingDialog::readPointsFile);
    connect(m_addSegment, &QPushButton::clicked, this,
        [this] { m_segments->insertRow(m_segments->rowCount()); });
    connect(m_removeSegment, &QPushButton::clicked, this, [this] {
        if (m_segments->rowCount() > 0)
            m_segments->removeRow(m_segments->currentRow() >= 0 ? m_segments->currentRow()
                                                                : m_segments->rowCount() - 1);
    });
    connect(m_doubleStep, &QPushButton::clicked, this, &SpacingDialog::doubleStep);
    connect(buttons, &QDialogButtonBox::accepted, this, &SpacingDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &SpacingDialog::reject);
}

void SpacingDialog::showSettings(const SpacingSettings& s)
{
    const std::vector<SpacingLaw> laws = choosableLaws();
    m_law->setCurrentIndex(
        static_cast<int>(std::find(laws.begin(), laws.end(), s.law) - laws.begin()));
    m_exponent->setText(valueFieldText(s.exponent));
    m_formula->setText(QString::fromStdString(s.formula));
    ValuePairs points;
    for (const MeasuredPoint& point : s.points)
        points.emplace_back(point.value, valueFieldText(point.position));
    m_points->setText(valuePairsText(points));
    m_from->setText(valueFieldText(s.from));
    m_to->setText(valueFieldText(s.to));
    m_segments->setRowCount(static_cast<int>(s.segments.size()));
    for (int row = 0; row < m_segments->rowCount(); ++row) {
        const ValueSegment& segment = s.segments[static_cast<std::size_t>(row)];
        const QString cells[] = { valueFieldText(segment.from), valueFieldText(segment.to),
            valueFieldText(segment.step), QString::fromStdString(segment.package) };
        for (int column = FromColumn; column <= PackageColumn; ++column)
            m_segments->setItem(row, column, new QTableWidgetItem(cells[column]));
    }
    m_minGap->setText(s.minGap ? valueFieldText(*s.minGap) : QString());
    showLaw();
}

// A law's fields are open, the others greyed.
void SpacingDialog::showLaw()
{
    const LawInputs inputs = spacingRow(choosableLaws()[std::size_t(m_law->currentIndex())]).inputs;
    m_exponent->setEnabled(inputs.exponent);
    m_formula->setEnabled(inputs.formula);
    m_points->setEnabled(inputs.points);
    m_pointsFile->setEnabled(inputs.points);
    for (QWidget* field : std::initializer_list<QWidget*> {
             m_from, m_to, m_segments, m_addSegment, m_removeSegment, m_minGap })
        field->setEnabled(inputs.values);
}

void SpacingDialog::readPointsFile()
{
    const QString path = m_choosePointsFile ? m_choosePointsFile() : QString();
    if (path.isEmpty())
        return;
    const PointsReading reading = mensora::readPointsFile(path);
    if (!reading) {
        tell(reading.problem, m_points);
        return;
    }
    ValuePairs points;
    for (const MeasuredPoint& point : *reading.points)
        points.emplace_back(point.value, valueFieldText(point.position));
    m_points->setText(valuePairsText(points));
    m_problem->hide();
}

void SpacingDialog::tell(const QString& problem, QWidget* field)
{
    m_problem->setText(problem);
    m_problem->show();
    if (field)
        field->setFocus();
}

void SpacingDialog::focusSetting(SpacingSetting setting)
{
    QWidget* const fields[] = { m_law, m_exponent, m_formula, m_points, m_from, m_segments,
        m_minGap }; // in the order of SpacingSetting
    QWidget* field = fields[static_cast<std::size_t>(setting)];
    field->setFocus();
    if (auto* box = qobject_cast<QLineEdit*>(field))
        box->selectAll();
}

void SpacingDialog::accept()
{
    const auto read = readForm();
    if (!read)
        return;
    m_doubleStep->hide();
    m_closeSegment.reset();
    ScaleParameters trial = m_scale;
    trial.spacing = *read;
    if (const auto fault = segmentTooClose(trial); fault && fault->segment) {
        m_closeSegment = static_cast<int>(*fault->segment);
        m_doubleStep->setText(
            QStringLiteral("Double the step of segment %1").arg(*m_closeSegment + 1));
        m_doubleStep->show();
        tell(QString::fromStdString(fault->refusal.message), m_doubleStep);
        return;
    }
    m_spacing = *read;
    QDialog::accept();
}

std::optional<SpacingSettings> SpacingDialog::readForm()
{
    SpacingSettings s = m_spacing;
    s.law = choosableLaws()[std::size_t(m_law->currentIndex())];
    const auto number = [this](QLineEdit* box, SpacingSetting setting, double& value) {
        if (const auto read = valueFieldNumber(box->text())) {
            value = *read;
            return true;
        }
        tell(caption(setting) + " must be a number, like " + valueFieldText(2.5) + ".", box);
        return false;
    };
    if (!number(m_exponent, SpacingSetting::Exponent, s.exponent)
        || !number(m_from, SpacingSetting::Values, s.from)
        || !number(m_to, SpacingSetting::Values, s.to))
        return std::nullopt;
    s.formula = m_formula->text().toStdString();
    s.minGap.reset();
    if (!m_minGap->text().trimmed().isEmpty()) {
        double gap = 0;
        if (!number(m_minGap, SpacingSetting::MinGap, gap))
            return std::nullopt;
        s.minGap = gap;
    }
    if (!readPoints(s.points) || !readSegments(s.segments))
        return std::nullopt;
    return s;
}

bool SpacingDialog::readPoints(std::vector<MeasuredPoint>& points)
{
    const ValuePairsReading reading = readValuePairs(m_points->text());
    std::vector<MeasuredPoint> read;
    for (const auto& [value, position] : reading.pairs) {
        const auto place = valueFieldNumber(position);
        if (!place) {
            tell(caption(SpacingSetting::Points) + ": \"" + position
                    + "\" is no position: give value=position pairs separated by \";\".",
                m_points);
            return false;
        }
        read.push_back({ value, *place });
    }
    if (reading.wrong) {
        tell(caption(SpacingSetting::Points) + ": \"" + *reading.wrong
                + "\" is no value=position pair.",
            m_points);
        return false;
    }
    points = std::move(read);
    return true;
}

// Every row with anything in it: from, to and step as numbers, and the package.
bool SpacingDialog::readSegments(std::vector<ValueSegment>& segments)
{
    std::vector<ValueSegment> read;
    for (int row = 0; row < m_segments->rowCount(); ++row) {
        QString cells[4];
        bool empty = true;
        for (int column = FromColumn; column <= PackageColumn; ++column) {
            const QTableWidgetItem* item = m_segments->item(row, column);
            cells[column] = item ? item->text().trimmed() : QString();
            empty = empty && cells[column].isEmpty();
        }
        if (empty)
            continue;
        const auto from = valueFieldNumber(cells[FromColumn]);
        const auto to = valueFieldNumber(cells[ToColumn]);
        const auto step = valueFieldNumber(cells[StepColumn]);
        if (!from || !to || !step) {
            m_segments->setCurrentCell(row, FromColumn);
            tell(QStringLiteral("Segment %1 must have its from, to and step as numbers, like %2.")
                     .arg(row + 1)
                     .arg(valueFieldText(2.5)),
                m_segments);
            return false;
        }
        read.push_back({ *from, *to, *step, cells[PackageColumn].toStdString() });
    }
    segments = std::move(read);
    return true;
}

// The step of the segment whose stripes stood too close, doubled in its cell.
void SpacingDialog::doubleStep()
{
    if (!m_closeSegment)
        return;
    QTableWidgetItem* cell = m_segments->item(*m_closeSegment, StepColumn);
    const auto step = cell ? valueFieldNumber(cell->text()) : std::nullopt;
    if (step)
        cell->setText(valueFieldText(2 * *step));
    m_doubleStep->hide();
    m_problem->hide();
    m_closeSegment.reset();
}

} // namespace mensora
