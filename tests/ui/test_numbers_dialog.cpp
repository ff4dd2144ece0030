#include <memory>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "support/window_fixture.h"
#include "ui/main_window.h"
#include "ui/numbers_dialog.h"

using namespace mensora;
using namespace mensora::testing;

namespace {

void retype(QWidget& dialog, const char* box, const QString& text)
{
    auto* edit = childNamed<QLineEdit>(dialog, box);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

void choose(QWidget& dialog, const char* box, const QString& item)
{
    auto* combo = childNamed<QComboBox>(dialog, box);
    const int index = combo->findText(item);
    QVERIFY2(index >= 0, qPrintable(item));
    combo->setCurrentIndex(index);
}

// Clicks OK or Cancel and tells whether the dialog was accepted, as exec() would.
bool close(QDialog& dialog, QDialogButtonBox::StandardButton button)
{
    QTest::mouseClick(dialog.findChild<QDialogButtonBox*>()->button(button), Qt::LeftButton);
    return dialog.result() == QDialog::Accepted;
}

QByteArray contentsOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace

class TestNumbersDialog : public WindowSuite
{
    Q_OBJECT

private slots:

    void numbersSetInTheDialogSaveTheFileOfTheCommandLine();
    void dialogShowsTheSettingsAndCancelKeepsThem();
    void aBoxWithoutANumberIsNamedAndTheDialogStaysOpen();
    void aRefusedSettingIsReportedBeforeTheSaveDialog();
    void sampleIsDrawnInTheChosenFont();

private:
    void openDialog() { m_window->findChild<QAction*>(QStringLiteral("menu_numbers"))->trigger(); }
    void prepare() override
    {
        m_messages.clear();
        m_saveDialogs = 0;
        m_script.tell = [this](const QString& message) { m_messages << message; };
    }

    QStringList m_messages;
    int m_saveDialogs = 0;
};

void TestNumbersDialog::numbersSetInTheDialogSaveTheFileOfTheCommandLine()
{
    click(*m_window, "Option3:1");
    m_window->findChild<QLineEdit*>("txt_totallength")->setText("360");
    m_window->findChild<QLineEdit*>("txt_dist_stripes")->setText("2");
    const QString height = QLocale::system().toString(2.5);
    m_script.answerDialog<NumbersDialog>([&](NumbersDialog& dialog) {
        dialog.show(); // as exec() shows it, so that clicks reach its boxes
        choose(dialog, "numbers_kind", "Kind 1");
        retype(dialog, "number_first", "5");
        retype(dialog, "number_step", "10");
        choose(dialog, "number_decimals", "1");
        retype(dialog, "number_height", height);
        choose(dialog, "number_font", "timesr");
        choose(dialog, "number_orientation", "level");
        retype(dialog, "number_prefix", "+");
        retype(dialog, "number_suffix", "'");
        QTest::mouseClick(childNamed<QCheckBox>(dialog, "mark_no_double"), Qt::LeftButton);
        return close(dialog, QDialogButtonBox::Ok);
    });
    openDialog();

    QTemporaryDir folder;
    const QString path = folder.filePath("dial.din");
    m_script.saveFileName = [&](const QString&, const QString&) { return path; };
    m_window->findChild<QAction*>(QStringLiteral("menu_savegcode"))->trigger();
    QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join('\n')));

    QProcess cli;
    cli.start(MENSORA_CLI,
        { "--shape=round", "--length=360", "--distance=2", "--numbers=1", "--number-first=5",
            "--number-step=10", "--number-decimals=1", "--number-height=2.5",
            "--number-font=timesr", "--number-orientation=level", "--number-prefix=+",
            "--number-suffix='", "--no-double-mark" });
    QVERIFY(cli.waitForFinished(30000));
    QCOMPARE(cli.exitCode(), 0);
    const QByteArray expected = cli.readAllStandardOutput();
    QVERIFY(expected.contains(" G1 X")); // the numbers' cuts name both axes
    QCOMPARE(contentsOf(path), expected);
}

void TestNumbersDialog::dialogShowsTheSettingsAndCancelKeepsThem()
{
    NumberSettings numbers;
    numbers.kind = 2;
    numbers.first = -1.5;
    numbers.font = "gothgbt";
    const MarkSettings marks { true, false };
    m_window->setNumbersAndMarks(numbers, marks);
    QStringList shown;
    m_script.answerDialog<NumbersDialog>([&](NumbersDialog& dialog) {
        shown << childNamed<QComboBox>(dialog, "numbers_kind")->currentText()
              << childNamed<QLineEdit>(dialog, "number_first")->text()
              << childNamed<QLineEdit>(dialog, "number_step")->text()
              << childNamed<QComboBox>(dialog, "number_font")->currentText()
              << (childNamed<QCheckBox>(dialog, "mark_end_on_total")->isChecked() ? "end" : "");
        choose(dialog, "numbers_kind", "Kind 3");
        return close(dialog, QDialogButtonBox::Cancel);
    });
    openDialog();
    QCOMPARE(
        shown, QStringList({ "Kind 2", QLocale::system().toString(-1.5), "", "gothgbt", "end" }));
    QCOMPARE(m_window->numberSettings(), numbers);
    QCOMPARE(m_window->markSettings(), marks);
}

void TestNumbersDialog::aBoxWithoutANumberIsNamedAndTheDialogStaysOpen()
{
    bool firstTry = true;
    QString problem;
    m_script.answerDialog<NumbersDialog>([&](NumbersDialog& dialog) {
        choose(dialog, "numbers_kind", "Kind 1");
        retype(dialog, "number_height", "big");
        firstTry = close(dialog, QDialogButtonBox::Ok);
        problem = childNamed<QLabel>(dialog, "number_problem")->text();
        retype(dialog, "number_height", "4");
        return close(dialog, QDialogButtonBox::Ok);
    });
    openDialog();
    QVERIFY(!firstTry);
    QVERIFY2(problem.startsWith("Number height must be a number"), qPrintable(problem));
    QCOMPARE(m_window->numberSettings().height, std::optional(4.0));
    QCOMPARE(m_window->numberSettings().kind, 1);
}

void TestNumbersDialog::aRefusedSettingIsReportedBeforeTheSaveDialog()
{
    NumberSettings numbers;
    numbers.kind = 1;
    numbers.prefix = "Jet ";
    numbers.font = "rowmant";
    m_window->setNumbersAndMarks(numbers, {});
    m_script.saveFileName = [&](const QString&, const QString&) {
        ++m_saveDialogs;
        return QString();
    };
    // Then the dialog opens on the setting to mend.
    QString focused;
    m_script.answerDialog<NumbersDialog>([&](NumbersDialog& dialog) {
        focused = dialog.focusWidget() ? dialog.focusWidget()->objectName() : QString();
        return false;
    });
    m_window->findChild<QAction*>(QStringLiteral("menu_savegcode"))->trigger();
    QCOMPARE(m_messages, QStringList { "Prefix holds \"J\", which the font rowmant lacks." });
    QCOMPARE(m_saveDialogs, 0);
    QCOMPARE(focused, QStringLiteral("number_prefix"));
}

void TestNumbersDialog::sampleIsDrawnInTheChosenFont()
{
    QImage futural;
    QImage gothic;
    m_script.answerDialog<NumbersDialog>([&](NumbersDialog& dialog) {
        QWidget* sample = childNamed<QWidget>(dialog, "number_sample");
        sample->resize(320, 56);
        futural = sample->grab().toImage();
        choose(dialog, "number_font", "gothgbt");
        gothic = sample->grab().toImage();
        return false;
    });
    openDialog();
    QVERIFY(!futural.isNull());
    QVERIFY(futural != gothic);
    QVERIFY(futural.pixelColor(1, 1) == QColor(0, 64, 64)); // the preview's colours
}

QTEST_MAIN(TestNumbersDialog)
#include "test_numbers_dialog.moc"
