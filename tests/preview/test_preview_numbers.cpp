#include <cmath>

#include <QTest>

#include "files/installed_fonts.h"
#include "model/scale_parameters.h"
#include "preview/preview_renderer.h"

using namespace mensora;

namespace {

// A picture 206 by 100 millimetres: a default ruler is drawn at 2 to the millimetre from
// (3, 50), a default dial at (50 - 5) / 40 = 1.125 around (103, 50).
constexpr float width = 206;
constexpr float height = 100;

Result<PreviewDrawing> drawn(const ScaleParameters& parameters)
{
    return renderPreview(parameters, width, height, installedFonts());
}

} // namespace

class TestPreviewNumbers : public QObject
{
    Q_OBJECT

private slots:
    void numbersAreDrawnWhereTheFileCutsThem_data();
    void numbersAreDrawnWhereTheFileCutsThem();
    void marksShowInThePreview();
    void aRefusedSettingRefusesThePreview();
};

void TestPreviewNumbers::numbersAreDrawnWhereTheFileCutsThem_data()
{
    QTest::addColumn<ScaleParameters>("parameters");
    QTest::addColumn<float>("x");
    QTest::addColumn<float>("y");

    // The "0" begins at (-0.143, 14) on the ruler and at (44, 0.143) on the dial.
    ScaleParameters p;
    p.numbers.kind = 1;
    QTest::newRow("ruler") << p << 3 - 0.286f << 50 - 28.0f;
    p.unit = Unit::Inch;
    p.numbers.height = 3;
    p.numbers.gap = 1;
    QTest::newRow("the same numbers in inch draw the same") << p << 3 - 0.286f << 50 - 28.0f;
    p = {};
    p.numbers.kind = 1;
    p.shape = Shape::Round;
    QTest::newRow("dial") << p << 103 + 1.125f * 44 << 50 - 1.125f * 0.143f;
    p.startX = "10";
    p.startY = "-20";
    QTest::newRow("a dial's centre stays in the middle")
        << p << 103 + 1.125f * 44 << 50 - 1.125f * 0.143f;
}

void TestPreviewNumbers::numbersAreDrawnWhereTheFileCutsThem()
{
    QFETCH(ScaleParameters, parameters);
    QFETCH(float, x);
    QFETCH(float, y);

    const auto run = drawn(parameters);
    QVERIFY(run);
    QVERIFY(!run->numberStrokes.empty());
    const PreviewPoint first = run->numberStrokes.front().front();
    QVERIFY2(std::fabs(first.x - x) < 1e-4 && std::fabs(first.y - y) < 1e-4,
        qPrintable(QString("(%1, %2)").arg(double(first.x)).arg(double(first.y))));

    parameters.numbers.kind = 0;
    QVERIFY(drawn(parameters)->numberStrokes.empty());
}

void TestPreviewNumbers::marksShowInThePreview()
{
    ScaleParameters p;
    p.shape = Shape::Round;
    p.length = "360";
    p.marks.noDoubleMark = true;
    QCOMPARE(drawn(p)->stripes.size(), std::size_t(360));
    p = {};
    p.package = "1";
    p.length = "10";
    p.marks.endOnTotal = true;
    QCOMPARE(drawn(p)->stripes.size(), std::size_t(11));
}

void TestPreviewNumbers::aRefusedSettingRefusesThePreview()
{
    ScaleParameters p;
    p.numbers.kind = 1;
    p.numbers.height = 0;
    const auto run = drawn(p);
    QVERIFY(!run);
    QCOMPARE(run.refusal().numberSetting(), std::optional(NumberSetting::Height));
}

QTEST_APPLESS_MAIN(TestPreviewNumbers)
#include "test_preview_numbers.moc"
