#include <QRegularExpression>
#include <QTest>

#include <string>
#include <vector>

#include "writers/drawing_sink.h"
#include "writers/dxf_writer.h"
#include "writers/svg_writer.h"

using namespace mensora;

namespace {

// What a drawing makes of moves: each line or arc as text, with its part.
class RecordingDrawing : public DrawingSink
{
public:
    QStringList pieces;

private:
    static QString point(const DrawnPoint& p)
    {
        return QStringLiteral("(%1 %2)").arg(p.x.value).arg(p.y.value);
    }
    void line(MoveSection section, const DrawnPoint& from, const DrawnPoint& to) override
    {
        pieces << QStringLiteral("%1 line %2 %3").arg(int(section)).arg(point(from), point(to));
    }
    void arc(MoveSection section, const DrawnArc& arc) override
    {
        pieces << QStringLiteral("%1 arc %2 %3 r%4 %5..%6 sweep %7")
                      .arg(int(section))
                      .arg(point(arc.from), point(arc.to))
                      .arg(arc.radius, 0, 'g', 15)
                      .arg(arc.startAngle, 0, 'g', 15)
                      .arg(arc.endAngle, 0, 'g', 15)
                      .arg(arc.sweep, 0, 'g', 15);
    }
};

// A cut's four moves; an arc's when `direction` is given.
std::vector<ToolMove> cut(double x1, double y1, double x2, double y2)
{
    return { Rapid { Coord::wide(x1), Coord::wide(y1) }, Plunge { "-0.1" },
        Cut { Coord::wide(x2), Coord::wide(y2), CutAxes::XY }, Lift {} };
}
std::vector<ToolMove> arc(double x1, double y1, double x2, double y2, ArcDirection direction)
{
    return { Rapid { Coord::wide(x1), Coord::wide(y1) }, Plunge { "-0.1" },
        Arc { Coord::wide(x2), Coord::single(float(y2)), Coord::wide(0), Coord::single(0),
            direction },
        Lift {} };
}

const auto ccw = ArcDirection::CounterClockwise;
const auto cw = ArcDirection::Clockwise;

} // namespace

Q_DECLARE_METATYPE(std::vector<mensora::ToolMove>)

class TestDrawings : public QObject
{
    Q_OBJECT

private slots:
    void movesBecomeLinesAndCounterClockwiseArcs_data();
    void movesBecomeLinesAndCounterClockwiseArcs();
    void partsGoToTheirOwnGroupsAndLayers();
    void svgArcTakesTheLargeWayBeyondAHalfTurn_data();
    void svgArcTakesTheLargeWayBeyondAHalfTurn();
    void dxfNamesItsVersionAndUnitAndNotTheLibrary_data();
    void dxfNamesItsVersionAndUnitAndNotTheLibrary();
};

void TestDrawings::movesBecomeLinesAndCounterClockwiseArcs_data()
{
    QTest::addColumn<std::vector<ToolMove>>("moves");
    QTest::addColumn<QStringList>("pieces");

    QTest::newRow("a cut from the rapid's point; travel draws nothing")
        << cut(1, 2, 1, 7) << QStringList { "0 line (1 2) (1 7)" };
    QTest::newRow("counter-clockwise quarter")
        << arc(30, 0, 0, 30, ccw) << QStringList { "0 arc (30 0) (0 30) r30 0..90 sweep 90" };
    QTest::newRow("clockwise quarter is drawn from its end")
        << arc(30, 0, 0, -30, cw) << QStringList { "0 arc (0 -30) (30 0) r30 270..0 sweep 90" };
    QTest::newRow("three quarters")
        << arc(0, -30, 30, 0, cw) << QStringList { "0 arc (30 0) (0 -30) r30 0..270 sweep 270" };
    // As a machine cuts it: an arc that ends where it starts is a whole turn, in two halves.
    QTest::newRow("a whole turn") << arc(0, 30, 0, 30, ccw)
                                  << QStringList { "0 arc (0 30) (0 -30) r30 90..270 sweep 180",
                                         "0 arc (0 -30) (0 30) r30 270..90 sweep 180" };
    // The written end point (single precision, 7 digits) decides the angle.
    QTest::newRow("written values")
        << arc(30, 0, -5.209, 29.544, ccw)
        << QStringList {
               "0 arc (30 0) (-5.209 29.544) r30 0..99.9992395329472 sweep 99.9992395329472"
           };
}

void TestDrawings::movesBecomeLinesAndCounterClockwiseArcs()
{
    QFETCH(std::vector<ToolMove>, moves);
    QFETCH(QStringList, pieces);
    RecordingDrawing drawing;
    for (const ToolMove& move : moves)
        drawing.move(move);
    QCOMPARE(drawing.pieces, pieces);
}

void TestDrawings::partsGoToTheirOwnGroupsAndLayers()
{
    StringSink svgText;
    SvgWriter svg(svgText, Unit::Millimetre);
    StringSink dxfText;
    DxfWriter dxf(dxfText, Unit::Millimetre);
    dxf.begin();
    for (MoveSink* sink : std::initializer_list<MoveSink*> { &svg, &dxf }) {
        for (const ToolMove& move : cut(0, 0, 0, 1))
            sink->move(move);
        sink->section(MoveSection::Numbers);
        for (const ToolMove& move : cut(5, 5, 6, 6))
            sink->move(move);
    }
    svg.end();
    dxf.end();

    QVERIFY(
        svgText.text.find("<g id=\"stripes\">\r\n<line x1=\"0\" y1=\"0\" x2=\"0\" y2=\"-1\"/>\r\n"
                          "</g>\r\n<g id=\"baseline\">\r\n</g>\r\n<g id=\"numbers\">\r\n"
                          "<line x1=\"5\" y1=\"-5\" x2=\"6\" y2=\"-6\"/>\r\n</g>\r\n</svg>\r\n")
        != std::string::npos);
    QStringList layers;
    const QRegularExpression lineLayer(
        QStringLiteral("  0\r\nLINE\r\n(?:.*\r\n)*?  8\r\n(\\w+)\r\n"));
    for (const auto& match : lineLayer.globalMatch(QString::fromStdString(dxfText.text)))
        layers << match.captured(1);
    QCOMPARE(layers, QStringList({ "STRIPES", "NUMBERS" }));
}

void TestDrawings::svgArcTakesTheLargeWayBeyondAHalfTurn_data()
{
    QTest::addColumn<std::vector<ToolMove>>("moves");
    QTest::addColumn<QString>("path");

    QTest::newRow("quarter") << arc(30, 0, 0, 30, ccw) << "M30 0A30 30 0 0 0 0 -30";
    QTest::newRow("three quarters") << arc(30, 0, 0, -30, ccw) << "M30 0A30 30 0 1 0 0 30";
    QTest::newRow("clockwise three quarters") << arc(0, -30, 30, 0, cw) << "M30 0A30 30 0 1 0 0 30";
}

void TestDrawings::svgArcTakesTheLargeWayBeyondAHalfTurn()
{
    QFETCH(std::vector<ToolMove>, moves);
    QFETCH(QString, path);
    StringSink text;
    SvgWriter svg(text, Unit::Millimetre);
    for (const ToolMove& move : moves)
        svg.move(move);
    svg.end();
    QVERIFY2(text.text.find("<path d=\"" + path.toStdString() + "\"/>") != std::string::npos,
        text.text.c_str());
}

void TestDrawings::dxfNamesItsVersionAndUnitAndNotTheLibrary_data()
{
    QTest::addColumn<Unit>("unit");
    QTest::addColumn<QString>("insunits");
    QTest::newRow("millimetres") << Unit::Millimetre << "4";
    QTest::newRow("inches") << Unit::Inch << "1";
}

void TestDrawings::dxfNamesItsVersionAndUnitAndNotTheLibrary()
{
    QFETCH(Unit, unit);
    QFETCH(QString, insunits);
    StringSink text;
    DxfWriter dxf(text, unit);
    dxf.begin();
    dxf.end();
    const QString file = QString::fromStdString(text.text);
    QVERIFY(
        file.startsWith("  0\r\nSECTION\r\n  2\r\nHEADER\r\n  9\r\n$ACADVER\r\n  1\r\nAC1015\r\n"));
    QVERIFY(file.contains("  9\r\n$INSUNITS\r\n 70\r\n" + insunits + "\r\n"));
    QVERIFY(!file.contains("999\r\n"));
    QVERIFY(file.endsWith("  0\r\nEOF\r\n"));
}

QTEST_APPLESS_MAIN(TestDrawings)
#include "test_drawings.moc"
