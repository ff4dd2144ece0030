#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include "files/engraving_file.h"
#include "support/engraving_text.h"
#include "support/window_fixture.h"

using namespace mensora;
using namespace mensora::testing;

namespace {

QByteArray contentsOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// What the window shows of a scale: every label's caption and every control's visibility.
QStringList shownState(const MainWindow& window)
{
    QStringList state;
    for (const QWidget* control : window.centralWidget()->findChildren<QWidget*>()) {
        const auto* label = qobject_cast<const QLabel*>(control);
        state << control->objectName() + (control->isHidden() ? " hidden " : " shown ")
                + (label ? label->text() : QString());
    }
    return state;
}

const QStringList roundInches
    = { "Option3:1", "Option4:1", "Option2:2", "Option1:1", "txt_totallength=-270",
          "txt_dist_stripes= -0,5 ", "Text6=1234", "txt_len_str6=", "txt_startx=&H1A",
          "Txt_radius=45.5 mm", "Txt_start_angle=\"45\"", "txt_engr_depth=ÄÖ 🙂" };

} // namespace

class TestScaleFileCommands : public WindowSuite
{
    Q_OBJECT

private slots:
    void savedScaleOpensInAnotherWindowAsTheSameScale_data();
    void savedScaleOpensInAnotherWindowAsTheSameScale();
    void refusedFileLeavesTheWindowAsItWas_data();
    void refusedFileLeavesTheWindowAsItWas();
    void cancelledDialogsChangeNothing();
    void boxTextNoScaleFileKeepsIsRefusedBeforeTheDialog();
    void exportsWriteTheDrawingOfTheWindowsScale_data();
    void exportsWriteTheDrawingOfTheWindowsScale();
    void refusedExportIsReportedBeforeTheDialog();

private:
    void prepare() override
    {
        m_folder = std::make_unique<QTemporaryDir>();
        m_answers.clear();
        m_filters.clear();
        m_messages.clear();
        const auto answer = [this](const QString& nameFilter, const QString&) {
            m_filters << nameFilter;
            return m_answers.isEmpty() ? QString() : m_answers.takeFirst();
        };
        m_script.saveFileName = answer;
        m_script.openFileName = answer;
        m_script.tell = [this](const QString& message) { m_messages << message; };
    }
    void trigger(const char* item, const QString& answer = {})
    {
        if (!answer.isEmpty())
            m_answers << answer;
        m_window->findChild<QAction*>(QString::fromUtf8(item))->trigger();
    }
    QString inFolder(const QString& name) const { return m_folder->filePath(name); }
    QString writeFile(const QString& name, const QByteArray& bytes) const
    {
        QFile file(inFolder(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(file.fileName()));
        return file.fileName();
    }

    std::unique_ptr<QTemporaryDir> m_folder;
    QStringList m_answers; // the dialogs' answers, first first; none left means cancel
    QStringList m_filters; // the name filter of every dialog shown
    QStringList m_messages;
};

void TestScaleFileCommands::savedScaleOpensInAnotherWindowAsTheSameScale_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<bool>("numbered");
    QTest::newRow("start values") << QStringList {} << false;
    QTest::newRow("round in inches, odd texts") << roundInches << false;
    QTest::newRow("back to flat") << roundInches + QStringList { "Option3:0", "Option2:1" }
                                  << false;
    QTest::newRow("numbered dial") << QStringList { "Option3:1", "Option1:1" } << true;
}

void TestScaleFileCommands::savedScaleOpensInAnotherWindowAsTheSameScale()
{
    QFETCH(QStringList, steps);
    QFETCH(bool, numbered);
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Mensora"));
    follow(*m_window, steps);
    if (numbered)
        m_window->setNumbersAndMarks(
            { 1, 90, -10, 1, 4, 2, "timesr", NumberOrientation::Level, "", "°" }, { false, true });
    trigger("menu_savescale", inFolder("dial.mensora"));
    QCOMPARE(m_messages, QStringList {});
    QCOMPARE(m_filters, QStringList { "Mensora scale (*.mensora);;All files (*)" });
    QCOMPARE(m_window->windowTitle(), QStringLiteral("dial.mensora — Mensora"));

    MainWindow other;
    other.setQuestions(scriptedQuestions());
    m_answers << inFolder("dial.mensora");
    other.findChild<QAction*>(QStringLiteral("menu_openscale"))->trigger();
    QCOMPARE(m_messages, QStringList {});
    QVERIFY(other.scaleParameters() == m_window->scaleParameters());
    QCOMPARE(shownState(other), shownState(*m_window));
    QCOMPARE(other.windowTitle(), QStringLiteral("dial.mensora — Mensora"));
    // The preview ran: the hidden box holds the stripe sequence.
    const auto engraving = Engraving::prepare(other.scaleParameters(), {}, installedFonts());
    QCOMPARE(other.findChild<QLineEdit*>("Text7")->text().toStdString(),
        engraving ? engraving->sequence() : std::string());
}

void TestScaleFileCommands::refusedFileLeavesTheWindowAsItWas_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");

    QTest::newRow("option not a name") << QByteArray(
        "{\"format\": \"mensora-scale\", \"version\": 1, \"length\": \"5\", "
        "\"shape\": \"oval\"}") << "bad.mensora: \"shape\" must be flat or round, not \"oval\".";
    QTest::newRow("not JSON") << QByteArray("{\"format\": ")
                              << "bad.mensora is not a scale file: it is not JSON (unterminated "
                                 "object at character 11).";
    QTest::newRow("newer version")
        << QByteArray("{\"format\": \"mensora-scale\", \"version\": 3}")
        << "bad.mensora was written by a newer Mensora: its version is 3, and this one reads "
           "version 2.";
}

void TestScaleFileCommands::refusedFileLeavesTheWindowAsItWas()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    follow(*m_window, roundInches);
    trigger("menu_savescale", inFolder("good.mensora"));
    m_window->runPreview();
    const ScaleParameters before = m_window->scaleParameters();
    const QStringList shown = shownState(*m_window);
    const QImage picture = m_window->findChild<QWidget*>("Picture1")->grab().toImage();

    trigger("menu_openscale", writeFile("bad.mensora", bytes));
    QCOMPARE(m_messages, QStringList { message });
    QVERIFY(m_window->scaleParameters() == before);
    QCOMPARE(shownState(*m_window), shown);
    QCOMPARE(m_window->findChild<QWidget*>("Picture1")->grab().toImage(), picture);
    QCOMPARE(m_window->windowTitle(), QStringLiteral("good.mensora — Mensora"));
}

void TestScaleFileCommands::cancelledDialogsChangeNothing()
{
    const QStringList shown = shownState(*m_window);
    for (const char* item :
        { "menu_openscale", "menu_savescale", "menu_exportsvg", "menu_exportdxf" })
        trigger(item);
    QCOMPARE(m_filters,
        QStringList({ "Mensora scale (*.mensora);;All files (*)",
            "Mensora scale (*.mensora);;All files (*)", "SVG drawing (*.svg);;All files (*)",
            "DXF drawing (*.dxf);;All files (*)" }));
    QCOMPARE(m_messages, QStringList {});
    QCOMPARE(
        QDir(m_folder->path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList {});
    QCOMPARE(shownState(*m_window), shown);
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Mensora"));
}

void TestScaleFileCommands::boxTextNoScaleFileKeepsIsRefusedBeforeTheDialog()
{
    follow(*m_window, { "Text6=" + QString(1001, u'1') });
    trigger("menu_savescale", inFolder("long.mensora"));
    QCOMPARE(m_filters, QStringList {});
    QCOMPARE(m_messages,
        QStringList {
            "How is 1 pakage holds more than 1,000 characters, more than a scale file keeps." });
    QVERIFY(!QFile::exists(inFolder("long.mensora")));
}

void TestScaleFileCommands::exportsWriteTheDrawingOfTheWindowsScale_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<ScaleParameters>("scale");

    ScaleParameters ruler;
    ruler.baseline = Baseline::Single;
    QTest::newRow("svg ruler") << "menu_exportsvg" << QStringList { "Option1:1" } << ruler;
    ScaleParameters dial;
    dial.shape = Shape::Round;
    dial.unit = Unit::Inch;
    dial.baseline = Baseline::Single;
    dial.radius = "1.5";
    QTest::newRow("dxf dial in inches")
        << "menu_exportdxf"
        << QStringList { "Option3:1", "Option4:1", "Option1:1", "Txt_radius=1.5" } << dial;
}

void TestScaleFileCommands::exportsWriteTheDrawingOfTheWindowsScale()
{
    QFETCH(QString, item);
    QFETCH(QStringList, steps);
    QFETCH(ScaleParameters, scale);
    follow(*m_window, steps);
    trigger(item.toUtf8().constData(), inFolder("drawing"));
    QCOMPARE(m_messages, QStringList {});
    const OutputFormat drawing = item.endsWith("svg") ? OutputFormat::Svg : OutputFormat::Dxf;
    // Typed without an extension, the name takes the drawing's own.
    QCOMPARE(contentsOf(inFolder(drawing == OutputFormat::Svg ? "drawing.svg" : "drawing.dxf")),
        QByteArray::fromStdString(engravingText(scale, fileOf(drawing))));
}

void TestScaleFileCommands::refusedExportIsReportedBeforeTheDialog()
{
    follow(*m_window, { "txt_dist_stripes=0" });
    trigger("menu_exportdxf", inFolder("refused.dxf"));
    QCOMPARE(m_filters, QStringList {});
    QCOMPARE(m_messages, QStringList { "Distance between stripes must not be 0." });
    QVERIFY(!QFile::exists(inFolder("refused.dxf")));
    QCOMPARE(QApplication::focusWidget(), m_window->findChild<QWidget*>("txt_dist_stripes"));
}

QTEST_MAIN(TestScaleFileCommands)
#include "test_scale_file_commands.moc"
