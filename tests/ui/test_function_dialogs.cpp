#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include "document/scale_document.h"
#include "support/window_fixture.h"
#include "ui/labels_dialog.h"
#include "ui/spacing_dialog.h"

using namespace mensora;
using namespace mensora::testing;

class TestFunctionDialogs : public WindowSuite
{
    Q_OBJECT

private slots:
    void spacingSetsTheLawOfTheSelectedScale();
    void aSegmentCloserThanTheGapIsOfferedADoubledStep();
    void labelsSetWhatTheNumbersShow();
    void aRefusedLabelOpensTheLabelsDialog();
    void templatesOfValuesComeOutOfTheWindowAsTheCommandLineWritesThem_data();
    void templatesOfValuesComeOutOfTheWindowAsTheCommandLineWritesThem();

private:
    void trigger(const char* item) { m_window->findChild<QAction*>(item)->trigger(); }
    static void typeSegment(QTableWidget& table, const QStringList& cells)
    {
        const int row = table.rowCount() - 1;
        for (int column = 0; column < cells.size(); ++column)
            table.setItem(row, column, new QTableWidgetItem(cells[column]));
    }
    static void clickOk(QDialog& dialog)
    {
        QTest::mouseClick(
            dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
    }
};

// A C scale from the dialog: the law's own fields open, the others greyed; the measured points
// come from a CSV file the questions name; the picture shows the new stripes.
void TestFunctionDialogs::spacingSetsTheLawOfTheSelectedScale()
{
    QTemporaryDir folder;
    const QString csv = folder.filePath("movement.csv");
    QFile file(csv);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("0,0\n5,41.25\n10,100\n");
    file.close();
    m_script.openFileName = [&](const QString&, const QString&) { return csv; };
    QList<bool> exponentOpen;
    QString pointsRead;
    m_script.answerDialog<SpacingDialog>([&](SpacingDialog& dialog) {
        dialog.show();
        auto* law = childNamed<QComboBox>(dialog, "spacing_law");
        auto* exponent = childNamed<QLineEdit>(dialog, "spacing_exponent");
        law->setCurrentIndex(law->findText("Measured points"));
        QTest::mouseClick(childNamed<QPushButton>(dialog, "spacing_points_file"), Qt::LeftButton);
        pointsRead = childNamed<QLineEdit>(dialog, "spacing_points")->text();
        law->setCurrentIndex(law->findText("Power"));
        exponentOpen << exponent->isEnabled();
        law->setCurrentIndex(law->findText("Logarithmic"));
        exponentOpen << exponent->isEnabled();
        childNamed<QLineEdit>(dialog, "spacing_to")->setText("10");
        auto* segments = childNamed<QTableWidget>(dialog, "spacing_segments");
        for (const QStringList& cells :
            { QStringList { "1", "2", "0.05", "12" }, QStringList { "2", "10", "0.5", "1" } }) {
            QTest::mouseClick(
                childNamed<QPushButton>(dialog, "spacing_add_segment"), Qt::LeftButton);
            typeSegment(*segments, cells);
        }
        clickOk(dialog);
        return dialog.result() == QDialog::Accepted;
    });
    follow(*m_window, { "Cmd_preview" });
    trigger("menu_spacing");
    QCOMPARE(exponentOpen, QList<bool>({ true, false }));
    QCOMPARE(pointsRead, QString("0=0; 5=41.25; 10=100"));
    const SpacingSettings& spacing = m_window->document().selectedScale().parameters.spacing;
    QCOMPARE(spacing.law, SpacingLaw::Logarithmic);
    QCOMPARE(spacing.points.size(), std::size_t(3));
    QCOMPARE(spacing.segments,
        (std::vector<ValueSegment> { { 1, 2, 0.05, "12" }, { 2, 10, 0.5, "1" } }));
    // 21 stripes to 2, then 16 more to 10, in the package's kinds.
    QCOMPARE(m_window->findChild<QLineEdit*>("Text7")->text(),
        QString("121212121212121212121") + QString(16, u'1'));
}

// OK with a segment whose stripes stand closer than the gap keeps the dialog open with the
// sentence; the offer doubles that segment's step, and OK then takes it.
void TestFunctionDialogs::aSegmentCloserThanTheGapIsOfferedADoubledStep()
{
    QStringList told;
    m_script.answerDialog<SpacingDialog>([&](SpacingDialog& dialog) {
        dialog.show();
        auto* law = childNamed<QComboBox>(dialog, "spacing_law");
        law->setCurrentIndex(law->findText("Logarithmic"));
        auto* segments = childNamed<QTableWidget>(dialog, "spacing_segments");
        QTest::mouseClick(childNamed<QPushButton>(dialog, "spacing_add_segment"), Qt::LeftButton);
        typeSegment(*segments, { "1", "10", "0.05", "1" });
        clickOk(dialog);
        auto* offer = childNamed<QPushButton>(dialog, "spacing_double_step");
        told << childNamed<QLabel>(dialog, "spacing_problem")->text() << offer->text();
        if (dialog.result() == QDialog::Accepted || !offer->isVisible())
            return false;
        QTest::mouseClick(offer, Qt::LeftButton);
        told << segments->item(0, 2)->text();
        clickOk(dialog);
        return dialog.result() == QDialog::Accepted;
    });
    follow(*m_window, { "txt_totallength=50" });
    trigger("menu_spacing");
    QCOMPARE(told,
        QStringList({ "Segment 1 (1 to 10 every 0.05): the stripes at 9.95 and 10 stand 0.109 mm "
                      "apart, closer than the gap of 0.2 mm.",
            "Double the step of segment 1", "0.1" }));
    QCOMPARE(m_window->document().selectedScale().parameters.spacing.segments.front().step, 0.1);
}

void TestFunctionDialogs::labelsSetWhatTheNumbersShow()
{
    QList<bool> clockwiseOpen;
    m_script.answerDialog<LabelsDialog>([&](LabelsDialog& dialog) {
        dialog.show();
        clockwiseOpen << childNamed<QCheckBox>(dialog, "labels_clockwise")->isEnabled();
        auto* style = childNamed<QComboBox>(dialog, "labels_style");
        style->setCurrentIndex(style->findText("Label list"));
        childNamed<QLineEdit>(dialog, "labels_list")->setText("0=MIN; 180 = MAX");
        childNamed<QCheckBox>(dialog, "labels_reverse")->setChecked(true);
        childNamed<QCheckBox>(dialog, "labels_clockwise")->setChecked(true);
        childNamed<QLineEdit>(dialog, "labels_title")->setText("°");
        clickOk(dialog);
        return dialog.result() == QDialog::Accepted;
    });
    trigger("menu_labels");
    click(*m_window, "Option3:1");
    trigger("menu_labels");
    QCOMPARE(clockwiseOpen, QList<bool>({ false, true }));
    const LabelSettings& labels = m_window->document().selectedScale().parameters.labels;
    QCOMPARE(labels.style, LabelStyle::List);
    QCOMPARE(labels.list, (std::vector<ValueLabel> { { 0, "MIN" }, { 180, "MAX" } }));
    QVERIFY(labels.reverse && labels.clockwise);
    QCOMPARE(labels.title, std::string("°"));
}

// The save names the label and the character the font lacks, and opens the Labels dialog.
void TestFunctionDialogs::aRefusedLabelOpensTheLabelsDialog()
{
    ScaleParameters scale = m_window->scaleParameters();
    scale.numbers.kind = 1;
    scale.labels.style = LabelStyle::List;
    scale.labels.list = { { 50, "½" } };
    m_window->applyScaleParameters(scale);
    m_script.tell = [](const QString&) {};
    m_script.answerDialog<LabelsDialog>([](LabelsDialog&) { return false; });
    trigger("menu_savegcode");
    QCOMPARE(m_script.messages,
        QStringList("The label 50=½ holds \"½\", which the font futural lacks."));
    QCOMPARE(m_script.dialogsRun, QStringList("mensora::LabelsDialog"));
}

void TestFunctionDialogs::templatesOfValuesComeOutOfTheWindowAsTheCommandLineWritesThem_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("scales");

    QTest::newRow("knob") << "knob-log-270" << 1;
    QTest::newRow("C and D") << "slide-rule-cd" << 2;
    QTest::newRow("VU meter") << "vu-meter" << 2;
}

// New from template, then Save G-Code for LinuxCNC: one file, the command line's to the byte.
void TestFunctionDialogs::templatesOfValuesComeOutOfTheWindowAsTheCommandLineWritesThem()
{
    QFETCH(QString, name);
    QFETCH(int, scales);
    QTemporaryDir folder;
    const QString path = folder.filePath(name + ".ngc");
    m_script.saveFileName = [&](const QString&, const QString&) { return path; };
    MachineSettings machine = m_window->machineSettings();
    machine.profile = MachineProfile::Rs274;
    m_window->setMachineSettings(machine);
    trigger(qPrintable("template_" + name));
    QCOMPARE(m_window->document().job().scales.size(), std::size_t(scales));
    trigger("menu_savegcode");
    QFile saved(path);
    QVERIFY(saved.open(QIODevice::ReadOnly));

    QProcess cli;
    cli.start(
        MENSORA_CLI, { "--scale", TEMPLATES_DIR "/" + name + ".mensora", "--profile", "rs274" });
    QVERIFY(cli.waitForFinished(30000));
    QCOMPARE(cli.exitCode(), 0);
    QCOMPARE(saved.readAll(), cli.readAllStandardOutput());
}

QTEST_MAIN(TestFunctionDialogs)
#include "test_function_dialogs.moc"
