#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QScreen>
#include <QTest>

#include "files/installed_fonts.h"
#include "model/scale_parameters.h"
#include "model/scale_values.h"
#include "support/window_fixture.h"
#include "ui/main_window.h"
#include "ui/preview_picture.h"

using namespace mensora;
using namespace mensora::testing;

namespace {

QString captionOf(const QWidget* control)
{
    if (const auto* label = qobject_cast<const QLabel*>(control))
        return label->text();
    if (const auto* box = qobject_cast<const QLineEdit*>(control))
        return box->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(control))
        return button->text();
    if (const auto* frame = qobject_cast<const QGroupBox*>(control))
        return frame->title();
    return {};
}

void addControl(const char* name, const char* className, const char* container, const char* text,
    bool visible, bool rightAligned, QRect rect)
{
    QTest::newRow(name) << QString::fromUtf8(className) << QString::fromUtf8(container)
                        << QString::fromUtf8(text) << visible << rightAligned << rect;
}

} // namespace

class TestMainWindow : public WindowSuite
{
    Q_OBJECT

private slots:
    void everyControlStandsAsTheWindowOpens_data();
    void everyControlStandsAsTheWindowOpens();
    void windowOpensAtTheTableSizeCentredAndThePictureTakesTheRoom();
    void optionGroupsStartOnTheirFirstButtonAndPlotBoxUnchecked();
    void inputBoxesAreBlueOnYellowInArial();
    void pictureStartsEmptyDarkTeal();
    void fileMenuHoldsTemplatesScaleItemsSaveExportsAndExit();
    void tabOrderFollowsTheTabIndexesNotThePlaces();
    void windowReadsAsTheDefaultParametersWhenOpened();
    void windowReadsBoxTextsAsTypedAndTheChosenOptions();
    void exitClosesTheWindow();
    void aPreviewReadsTheBoxesOnceAndTheFontOncePerRun();
};

void TestMainWindow::everyControlStandsAsTheWindowOpens_data()
{
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("container");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<bool>("rightAligned");
    QTest::addColumn<QRect>("geometry");

    // Pixels are the twips of the control table divided by 15. The round rows, the angle row
    // and the sequence box are hidden; the plot box is shown.
    addControl("Option4:0", "QRadioButton", "", "MM", true, false, { 48, 8, 49, 17 });
    addControl("Option4:1", "QRadioButton", "", "Inch", true, false, { 104, 8, 49, 17 });
    addControl("Label1", "QLabel", "", "Length", true, false, { 49, 34, 49, 17 });
    addControl("txt_totallength", "QLineEdit", "", "100", true, false, { 96, 32, 33, 17 });
    addControl("Label9", "QLabel", "", "mm", true, false, { 136, 32, 25, 17 });
    addControl("Label6", "QLabel", "", "Stripe 1)", true, false, { 45, 59, 41, 17 });
    addControl("txt_len_str1", "QLineEdit", "", "10", true, false, { 96, 56, 33, 17 });
    addControl("Label3", "QLabel", "", "Length in mm", true, false, { 133, 59, 73, 17 });
    addControl("Label7", "QLabel", "", "Stripe 2)", true, false, { 45, 83, 41, 17 });
    addControl("txt_len_str2", "QLineEdit", "", "5", true, false, { 96, 80, 33, 17 });
    addControl("Label4", "QLabel", "", "Length in mm", true, false, { 133, 83, 73, 17 });
    addControl("Label8", "QLabel", "", "Stripe 3)", true, false, { 45, 107, 41, 17 });
    addControl("txt_len_str3", "QLineEdit", "", "3", true, false, { 96, 104, 33, 17 });
    addControl("Label5", "QLabel", "", "Length in mm", true, false, { 134, 106, 73, 17 });
    addControl("Label13", "QLabel", "", "Stripe 4)", true, false, { 45, 131, 41, 17 });
    addControl("txt_len_str4", "QLineEdit", "", "10", true, false, { 96, 128, 33, 17 });
    addControl("Label16", "QLabel", "", "Length in mm", true, false, { 135, 129, 73, 17 });
    addControl("Label12", "QLabel", "", "Stripe 5)", true, false, { 45, 155, 41, 17 });
    addControl("txt_len_str5", "QLineEdit", "", "5", true, false, { 96, 152, 33, 17 });
    addControl("Label15", "QLabel", "", "Length in mm", true, false, { 135, 155, 73, 17 });
    addControl("Label11", "QLabel", "", "Stripe 6)", true, false, { 45, 179, 41, 17 });
    addControl("txt_len_str6", "QLineEdit", "", "3", true, false, { 96, 176, 33, 17 });
    addControl("Label14", "QLabel", "", "Length in mm", true, false, { 135, 179, 73, 17 });
    addControl("Label2", "QLabel", "", "Distance between stripes", true, true, { 0, 200, 89, 25 });
    addControl("txt_dist_stripes", "QLineEdit", "", "1", true, false, { 96, 200, 33, 18 });
    addControl("Label10", "QLabel", "", "mm", true, false, { 135, 204, 49, 17 });
    addControl("Label20", "QLabel", "", "Start X", true, true, { 31, 228, 57, 17 });
    addControl("txt_startx", "QLineEdit", "", "0", true, false, { 96, 224, 33, 18 });
    addControl("Label19", "QLabel", "", "mm", true, false, { 136, 226, 49, 17 });
    addControl("Label18", "QLabel", "", "Start Y", true, true, { 32, 251, 56, 17 });
    addControl("txt_starty", "QLineEdit", "", "0", true, false, { 96, 248, 33, 17 });
    addControl("Label21", "QLabel", "", "mm", true, false, { 136, 251, 49, 17 });
    addControl("Label23", "QLabel", "", "Engr depth", true, true, { 32, 272, 57, 17 });
    addControl("txt_engr_depth", "QLineEdit", "", "-0.1", true, false, { 96, 272, 33, 17 });
    addControl("Label17", "QLabel", "", "mm", true, false, { 136, 272, 49, 17 });
    addControl("Label28", "QLabel", "", "Angle", false, true, { 24, 296, 64, 17 });
    addControl("Txt_angle", "QLineEdit", "", "0", false, false, { 96, 296, 33, 17 });
    addControl("Label29", "QLabel", "", "Grd", false, false, { 136, 299, 49, 17 });
    addControl("Label27", "QLabel", "", "Start Angle", false, true, { 24, 320, 64, 17 });
    addControl("Txt_start_angle", "QLineEdit", "", "0", false, false, { 96, 320, 33, 17 });
    addControl("Label26", "QLabel", "", "Grd", false, false, { 136, 323, 49, 17 });
    addControl("Label24", "QLabel", "", "Radius", false, true, { 32, 344, 56, 17 });
    addControl("Txt_radius", "QLineEdit", "", "30", false, false, { 96, 344, 33, 17 });
    addControl("Label25", "QLabel", "", "mm", false, false, { 136, 347, 49, 17 });
    addControl("Label22", "QLabel", "", "How is 1 pakage", true, false, { 48, 376, 89, 17 });
    addControl("Text6", "QLineEdit", "", "1333323333", true, false, { 8, 392, 150, 20 });
    addControl("Cmd_preview", "QPushButton", "", "Preview", true, false, { 160, 392, 68, 21 });
    addControl("Chk_plt", "QCheckBox", "", "Plt uitgave", true, false, { 8, 416, 81, 17 });
    addControl("Text7", "QLineEdit", "", "", false, false, { 208, 0, 425, 25 });
    addControl("Picture1", "mensora::PreviewPicture", "", "", true, false, { 208, 24, 425, 289 });
    addControl("Frame2", "QGroupBox", "", "Stripe Position", true, false, { 232, 319, 129, 73 });
    addControl(
        "Option2:0", "QRadioButton", "Frame2", "Above Baseline", true, false, { 16, 16, 97, 17 });
    addControl("Option2:1", "QRadioButton", "Frame2", "Midway", true, false, { 16, 32, 81, 17 });
    addControl(
        "Option2:2", "QRadioButton", "Frame2", "Under Baseline", true, false, { 16, 48, 97, 17 });
    addControl("Frame1", "QGroupBox", "", "Baseline", true, false, { 368, 319, 137, 74 });
    addControl(
        "Option1:0", "QRadioButton", "Frame1", "No Base Line", true, false, { 16, 16, 97, 17 });
    addControl("Option1:1", "QRadioButton", "Frame1", "Single Base Line", true, false,
        { 16, 34, 105, 17 });
    addControl("Frame3", "QGroupBox", "", "", true, false, { 512, 320, 97, 73 });
    addControl("Option3:0", "QRadioButton", "Frame3", "Flat", true, false, { 16, 24, 65, 17 });
    addControl("Option3:1", "QRadioButton", "Frame3", "Round", true, false, { 16, 40, 65, 17 });
}

void TestMainWindow::everyControlStandsAsTheWindowOpens()
{
    QFETCH(QString, className);
    QFETCH(QString, container);
    QFETCH(QString, text);
    QFETCH(bool, visible);
    QFETCH(bool, rightAligned);
    QFETCH(QRect, geometry);

    const QWidget* control = controlNamed(*m_window, QString::fromUtf8(QTest::currentDataTag()));
    QVERIFY(control);
    QCOMPARE(QString::fromUtf8(control->metaObject()->className()), className);
    const QWidget* expectedParent = container.isEmpty() ? m_window->centralWidget()
                                                        : m_window->findChild<QWidget*>(container);
    QCOMPARE(control->parentWidget(), expectedParent);
    QCOMPARE(captionOf(control), text);
    QCOMPARE(control->isVisible(), visible);
    QCOMPARE(control->geometry(), geometry);
    if (const auto* label = qobject_cast<const QLabel*>(control)) {
        const Qt::Alignment side = rightAligned ? Qt::AlignRight : Qt::AlignLeft;
        QCOMPARE(label->alignment() & Qt::AlignHorizontal_Mask, side);
    }
}

void TestMainWindow::windowOpensAtTheTableSizeCentredAndThePictureTakesTheRoom()
{
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Mensora"));
    QCOMPARE(m_window->centralWidget()->size(), QSize(645, 440));
    const QPoint offCentre
        = m_window->frameGeometry().center() - m_window->screen()->availableGeometry().center();
    // Centred before the window system adds its frame, so within the frame's width.
    QVERIFY2(qAbs(offCentre.x()) <= 4 && qAbs(offCentre.y()) <= 4, "the window opens centred");

    // Larger, the picture takes the room: the controls beside it stay, those under it move
    // down with the foot. Never smaller than at first.
    QWidget* picture = m_window->findChild<QWidget*>(QStringLiteral("Picture1"));
    QWidget* beside = m_window->findChild<QWidget*>(QStringLiteral("txt_totallength"));
    QWidget* under = m_window->findChild<QWidget*>(QStringLiteral("Cmd_preview"));
    const QRect pictureAtFirst = picture->geometry();
    const QRect besideAtFirst = beside->geometry();
    const QRect underAtFirst = under->geometry();
    const QSize first = m_window->size();
    m_window->resize(first + QSize(200, 120));
    QTRY_COMPARE(picture->geometry(), pictureAtFirst.adjusted(0, 0, 200, 120));
    QCOMPARE(beside->geometry(), besideAtFirst);
    QCOMPARE(under->geometry(), underAtFirst.translated(0, 120));
    m_window->resize(first - QSize(100, 100));
    QTRY_COMPARE(m_window->centralWidget()->size(), QSize(645, 440));
    QCOMPARE(picture->geometry(), pictureAtFirst);
}

void TestMainWindow::optionGroupsStartOnTheirFirstButtonAndPlotBoxUnchecked()
{
    const QList<std::pair<const char*, int>> groups
        = { { "Option1", 2 }, { "Option2", 3 }, { "Option3", 2 }, { "Option4", 2 } };
    for (const auto& [name, size] : groups) {
        const auto* group = m_window->findChild<QButtonGroup*>(QString::fromUtf8(name));
        QVERIFY2(group, name);
        QVERIFY(group->exclusive());
        QCOMPARE(group->buttons().size(), size);
        QCOMPARE(group->checkedId(), 0);
    }
    QVERIFY(!m_window->findChild<QCheckBox*>(QStringLiteral("Chk_plt"))->isChecked());
}

void TestMainWindow::inputBoxesAreBlueOnYellowInArial()
{
    const QColor yellow(255, 255, 128);
    const QColor blue(0, 0, 255);
    for (const QLineEdit* box : m_window->findChildren<QLineEdit*>()) {
        const QString name = box->objectName();
        if (name == u"Text7")
            continue;
        QCOMPARE(box->palette().color(QPalette::Base), yellow);
        QCOMPARE(box->palette().color(QPalette::Text), blue);
        if (name == u"Text6")
            continue;
        QCOMPARE(box->font().family(), QStringLiteral("Arial"));
        QCOMPARE(box->font().pointSizeF(), 8.25);
    }
}

void TestMainWindow::pictureStartsEmptyDarkTeal()
{
    auto* picture = m_window->findChild<PreviewPicture*>(QStringLiteral("Picture1"));
    QVERIFY(picture);
    const QImage image = picture->grab().toImage();
    for (const QPoint at : { QPoint(1, 1), image.rect().center(), QPoint(image.width() - 2, 5) })
        QCOMPARE(image.pixelColor(at), QColor(0, 64, 64));
}

// The save item, the separator and Exit keep their captions, order and lack of keys; the scale
// files' items come before them with their shortcuts, the exports after the save item.
// The menu's title has its access key (Alt+F); the items' captions stay without one.
void TestMainWindow::fileMenuHoldsTemplatesScaleItemsSaveExportsAndExit()
{
    QVERIFY(!m_window->menuBar()->actions().isEmpty());
    auto* file = m_window->findChild<QMenu*>(QStringLiteral("menu_file"));
    QVERIFY(file);
    QCOMPARE(m_window->menuBar()->actions().front(), file->menuAction());
    QCOMPARE(file->title(), QStringLiteral("&File"));

    const QStringList names
        = { "menu_new", "menu_newtemplate", "menu_openscale", "menu_savescale", "menu_scalestr",
              "menu_savegcode", "menu_exportsvg", "menu_exportdxf", "menu_str", "menu_exit" };
    const QStringList captions = { "New", "New from template", "Open Scale…", "Save Scale As…", "",
        "Save G-Code", "Export SVG…", "Export DXF…", "", "Exit" };
    const QList<QKeySequence> keys = { QKeySequence(Qt::CTRL | Qt::Key_N), {},
        QKeySequence(Qt::CTRL | Qt::Key_O), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), {},
        QKeySequence(Qt::CTRL | Qt::Key_S), {}, {}, {}, {} };
    const QList<QAction*> items = file->actions();
    QCOMPARE(items.size(), names.size());
    for (qsizetype i = 0; i < items.size(); ++i) {
        QCOMPARE(items[i]->objectName(), names[i]);
        QCOMPARE(items[i]->isSeparator(), captions[i].isEmpty());
        QCOMPARE(items[i]->text(), captions[i]);
        QCOMPARE(items[i]->shortcut(), keys[i]);
        QVERIFY2(!items[i]->text().contains(u'&'), qPrintable(names[i]));
    }
    QVERIFY(file->menuAction()->shortcuts().isEmpty());
}

void TestMainWindow::tabOrderFollowsTheTabIndexesNotThePlaces()
{
    const QStringList expected = { "txt_totallength", "txt_len_str1", "txt_len_str2",
        "txt_len_str3", "Text6", "txt_dist_stripes", "Cmd_preview", "Text7", "Option1:1",
        "Option1:0", "Option2:0", "Option2:1", "Option2:2", "txt_len_str6", "txt_len_str5",
        "txt_len_str4", "txt_starty", "txt_startx", "txt_engr_depth", "Option3:0", "Option3:1",
        "Txt_start_angle", "Txt_radius", "Txt_angle", "Chk_plt", "Option4:0", "Option4:1" };
    QList<QWidget*> stops;
    for (const QString& name : expected)
        stops << controlNamed(*m_window, name);

    QStringList order;
    QWidget* at = stops.front();
    do {
        if (const qsizetype i = stops.indexOf(at); i >= 0)
            order << expected[i];
        at = at->nextInFocusChain();
    } while (at != stops.front() && order.size() <= expected.size());
    QCOMPARE(order, expected);
}

void TestMainWindow::windowReadsAsTheDefaultParametersWhenOpened()
{
    const ScaleParameters read = m_window->scaleParameters();
    const ScaleParameters defaults;
    QCOMPARE(read.length, defaults.length);
    QCOMPARE(read.distance, defaults.distance);
    for (int kind = 1; kind <= 6; ++kind)
        QCOMPARE(read.stripeLengthText(kind), defaults.stripeLengthText(kind));
    QCOMPARE(read.package, defaults.package);
    QCOMPARE(read.startX, defaults.startX);
    QCOMPARE(read.startY, defaults.startY);
    QCOMPARE(read.depth, defaults.depth);
    QCOMPARE(read.radius, defaults.radius);
    QCOMPARE(read.startAngle, defaults.startAngle);
    QCOMPARE(read.baseline, defaults.baseline);
    QCOMPARE(read.stripePosition, defaults.stripePosition);
    QCOMPARE(read.shape, defaults.shape);
    QCOMPARE(read.unit, defaults.unit);
    QCOMPARE(m_window->outputRequest().format, OutputFormat::Gcode);
}

void TestMainWindow::windowReadsBoxTextsAsTypedAndTheChosenOptions()
{
    const auto setText = [this](const char* name, const QString& text) {
        m_window->findChild<QLineEdit*>(QString::fromUtf8(name))->setText(text);
    };
    setText("txt_totallength", QStringLiteral(" 12.5 mm "));
    setText("txt_len_str4", QStringLiteral("7,5"));
    setText("txt_engr_depth", QStringLiteral("-0.10"));
    setText("Txt_radius", QStringLiteral("\u00bd"));
    click(*m_window, QStringLiteral("Option3:1"));
    click(*m_window, QStringLiteral("Option4:1"));
    click(*m_window, QStringLiteral("Option1:1"));
    click(*m_window, QStringLiteral("Option2:2"));
    click(*m_window, QStringLiteral("Chk_plt"));

    const ScaleParameters read = m_window->scaleParameters();
    QCOMPARE(read.length, std::string(" 12.5 mm "));
    QCOMPARE(read.stripeLengths[3], std::string("7,5"));
    QCOMPARE(read.depth, std::string("-0.10"));
    QCOMPARE(read.radius, std::string("\xc2\xbd"));
    QCOMPARE(read.shape, Shape::Round);
    QCOMPARE(read.unit, Unit::Inch);
    QCOMPARE(read.baseline, Baseline::Single);
    QCOMPARE(read.stripePosition, StripePosition::Under);
    QCOMPARE(m_window->outputRequest().format, OutputFormat::Plot);
}

void TestMainWindow::exitClosesTheWindow()
{
    m_window->findChild<QAction*>(QStringLiteral("menu_exit"))->trigger();
    QVERIFY(!m_window->isVisible());
}

// The picture, its travel and its figures come from one reading of the boxes; the numbers'
// font is read from its file at most once in the whole run.
void TestMainWindow::aPreviewReadsTheBoxesOnceAndTheFontOncePerRun()
{
    NumberSettings numbers;
    numbers.kind = 1;
    numbers.font = "timesr";
    m_window->setNumbersAndMarks(numbers, {});
    const std::size_t fontLoads = installedFonts().loads();
    for (int run = 1; run <= 2; ++run) {
        const std::size_t readings = boxReadings();
        click(*m_window, QStringLiteral("Cmd_preview"));
        QVERIFY(m_window->findChild<PreviewPicture*>("Picture1")->drawing());
        QCOMPARE(int(boxReadings() - readings), 1);
        QVERIFY(installedFonts().loads() - fontLoads <= 1);
    }
    QVERIFY(!m_window->findChild<PreviewPicture*>("Picture1")->figuresLine().isEmpty());
}

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
