#include <QRegularExpression>
#include <QTest>

#include <string>
#include <vector>

#include "writers/cutter_writer.h"
#include "writers/dialect_table.h"
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
        pieces << QStringLiteral("%1 arc %2 %3 c(%4 %5) r%6 %7..%8 sweep %9")
                      .arg(int(section))
                      .arg(point(arc.from), point(arc.to))
                      .arg(arc.centreX, 0, 'g', 15)
                      .arg(arc.centreY, 0, 'g', 15)
                      .arg(arc.radius, 0, 'g', 15)
                      .arg(arc.startAngle, 0, 'g', 15)
                      .arg(arc.endAngle, 0, 'g', 15)
                      .arg(arc.sweep, 0, 'g', 15);
    }
};

// A cut's four moves.
std::vector<ToolMove> cut(double x1, double y1, double x2, double y2)
{
    return { Rapid { Coord::wide(x1), Coord::wide(y1) }, Plunge { "-0.1" },
        Cut { Coord::wide(x2), Coord::wide(y2), CutAxes::XY }, Lift {} };
}

// An arc's four moves, as a dial's base circle is made: from (x1, y1) to (x2, y2) around
// (0, centreY), of the radius, from the start angle over the sweep (degrees).
struct ArcOf
{
    double x1, y1, x2, y2, radius, startAngle, sweep;
    float centreY = 0;
};
std::vector<ToolMove> arc(const ArcOf& a)
{
    const auto direction = a.sweep < 0 ? ArcDirection::Clockwise : ArcDirection::CounterClockwise;
    return { Rapid { Coord::wide(a.x1), Coord::wide(a.y1) }, Plunge { "-0.1" },
        Arc { Coord::wide(a.x2), Coord::single(float(a.y2)), Coord::wide(0),
            Coord::single(a.centreY), direction, a.radius, a.startAngle, a.sweep },
        Lift {} };
}

// A closed ring around the corners, as an outline's stroke: from the first corner to each
// next and back.
std::vector<ToolMove> ring(Outline outline, const std::vector<std::pair<double, double>>& corners)
{
    std::vector<ToolMove> moves { Rapid { Coord::wide(corners[0].first),
                                      Coord::wide(corners[0].second), outline },
        Plunge { "-0.1" } };
    for (std::size_t i = 1; i <= corners.size(); ++i) {
        const auto& [x, y] = corners[i % corners.size()];
        moves.push_back(Cut { Coord::wide(x), Coord::wide(y), CutAxes::XY });
    }
    moves.push_back(Lift {});
    return moves;
}

std::vector<ToolMove> wide(std::vector<ToolMove> moves, double width)
{
    for (ToolMove& move : moves) {
        if (auto* c = std::get_if<Cut>(&move))
            c->width = width;
        if (auto* a = std::get_if<Arc>(&move))
            a->width = width;
    }
    return moves;
}

} // namespace

Q_DECLARE_METATYPE(std::vector<mensora::ToolMove>)
Q_DECLARE_METATYPE(mensora::MoveSection)

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
    void cutterCountsPlotterUnitsInTheScalesUnit_data();
    void cutterCountsPlotterUnitsInTheScalesUnit();
    void wideMarksAreDrawnWideOrOutlined_data();
    void wideMarksAreDrawnWideOrOutlined();
};

void TestDrawings::movesBecomeLinesAndCounterClockwiseArcs_data()
{
    QTest::addColumn<std::vector<ToolMove>>("moves");
    QTest::addColumn<QStringList>("pieces");

    QTest::newRow("a cut from the rapid's point; travel draws nothing")
        << cut(1, 2, 1, 7) << QStringList { "0 line (1 2) (1 7)" };
    QTest::newRow("counter-clockwise quarter")
        << arc({ 30, 0, 0, 30, 30, 0, 90 })
        << QStringList { "0 arc (30 0) (0 30) c(0 0) r30 0..90 sweep 90" };
    QTest::newRow("clockwise quarter is drawn from its end")
        << arc({ 30, 0, 0, -30, 30, 0, -90 })
        << QStringList { "0 arc (0 -30) (30 0) c(0 0) r30 270..0 sweep 90" };
    QTest::newRow("clockwise three quarters")
        << arc({ 0, -30, 30, 0, 30, 270, -270 })
        << QStringList { "0 arc (30 0) (0 -30) c(0 0) r30 0..270 sweep 270" };
    QTest::newRow("a whole turn, in two halves")
        << arc({ 0, 30, 0, 30, 30, 90, 360 })
        << QStringList { "0 arc (0 30) (0 -30) c(0 0) r30 90..270 sweep 180",
               "0 arc (0 -30) (0 30) c(0 0) r30 270..90 sweep 180" };
    QTest::newRow("more than a turn is a whole turn")
        << arc({ 30, 0, 22.981, 19.284, 30, 0, -400 })
        << QStringList { "0 arc (30 0) (-30 0) c(0 0) r30 0..180 sweep 180",
               "0 arc (-30 0) (30 0) c(0 0) r30 180..0 sweep 180" };
    QTest::newRow("no sweep draws nothing") << arc({ 30, 0, 30, 0, 30, 0, 0 }) << QStringList {};
    QTest::newRow("radius 0 draws nothing") << arc({ 0, 0, 0, 0, 0, 0, 90 }) << QStringList {};
    QTest::newRow("a negative radius stands opposite")
        << arc({ -30, 0, 0, -30, -30, 0, 90 })
        << QStringList { "0 arc (-30 0) (0 -30) c(0 0) r30 180..270 sweep 90" };
    // The centre as the program writes it: a single's 7 digits.
    QTest::newRow("written centre")
        << arc({ 30, 0.1, 0, 30.1, 30, 0, 90, 0.1f })
        << QStringList { "0 arc (30 0.1) (0 30.1) c(0 0.1) r30 0..90 sweep 90" };
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

    QTest::newRow("quarter") << arc({ 30, 0, 0, 30, 30, 0, 90 }) << "M30 0A30 30 0 0 0 0 -30";
    QTest::newRow("three quarters")
        << arc({ 30, 0, 0, -30, 30, 0, 270 }) << "M30 0A30 30 0 1 0 0 30";
    QTest::newRow("clockwise three quarters")
        << arc({ 0, -30, 30, 0, 30, 270, -270 }) << "M30 0A30 30 0 1 0 0 30";
    QTest::newRow("radius as the dial's, ends as the program's")
        << arc({ 21.213, 21.213, 21.213, -21.213, 30, 45, -90 })
        << "M21.213 21.213A30 30 0 0 0 21.213 -21.213";
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
    QTest::addColumn<QString>("measurement");
    QTest::newRow("millimetres") << Unit::Millimetre << "4"
                                 << "1";
    QTest::newRow("inches") << Unit::Inch << "1"
                            << "0";
}

void TestDrawings::dxfNamesItsVersionAndUnitAndNotTheLibrary()
{
    QFETCH(Unit, unit);
    QFETCH(QString, insunits);
    QFETCH(QString, measurement);
    StringSink text;
    DxfWriter dxf(text, unit);
    dxf.begin();
    dxf.end();
    const QString file = QString::fromStdString(text.text);
    QVERIFY(
        file.startsWith("  0\r\nSECTION\r\n  2\r\nHEADER\r\n  9\r\n$ACADVER\r\n  1\r\nAC1015\r\n"));
    // Both in the header: readers take the unit from either.
    QVERIFY(file.contains("  9\r\n$INSUNITS\r\n 70\r\n" + insunits
        + "\r\n  9\r\n$MEASUREMENT\r\n 70\r\n" + measurement + "\r\n  0\r\nENDSEC\r\n"));
    QVERIFY(!file.contains("999\r\n"));
    QVERIFY(file.endsWith("  0\r\nEOF\r\n"));
}

// A plotter unit is 0.025 mm: a stripe of 1 from (0.5, 0.25) ends 40 units from its start on a
// millimetre scale, 1016 on an inch one.
void TestDrawings::cutterCountsPlotterUnitsInTheScalesUnit_data()
{
    QTest::addColumn<Unit>("unit");
    QTest::addColumn<QString>("stripe");
    QTest::newRow("millimetres") << Unit::Millimetre << "PU20,10;\r\nPD20,50;\r\n";
    QTest::newRow("inches") << Unit::Inch << "PU508,254;\r\nPD508,1270;\r\n";
}

void TestDrawings::cutterCountsPlotterUnitsInTheScalesUnit()
{
    QFETCH(Unit, unit);
    QFETCH(QString, stripe);
    StringSink text;
    CutterWriter cutter(text, unit, PlotterExtent {}, dialectOf(MachineProfile::HpglCutter).frame);
    cutter.begin();
    for (const ToolMove& move : cut(0.5, 0.25, 0.5, 1.25))
        cutter.move(move);
    cutter.end();
    QCOMPARE(QString::fromStdString(text.text), "IN;\r\nSP1;\r\n" + stripe + "PU;SP0;\r\n");
}

void TestDrawings::wideMarksAreDrawnWideOrOutlined_data()
{
    QTest::addColumn<MoveSection>("section");
    QTest::addColumn<std::vector<ToolMove>>("moves");
    QTest::addColumn<QStringList>("svg"); // elements the drawing holds
    QTest::addColumn<QStringList>("dxf"); // the polylines' groups after their layer, in order

    QTest::newRow("a wide mark ends square")
        << MoveSection::Stripes << wide(cut(1, 2, 1, 7), 0.4)
        << QStringList { "<line x1=\"1\" y1=\"-2\" x2=\"1\" y2=\"-7\" stroke-width=\"0.4\" "
                         "stroke-linecap=\"butt\"/>" }
        << QStringList { "100|AcDbPolyline|90|2|70|0|43|0.4|10|1.0|20|2.0|10|1.0|20|7.0" };
    QTest::newRow("a wide number stroke ends round")
        << MoveSection::Numbers << wide(cut(1, 2, 3, 2), 0.25)
        << QStringList { "<line x1=\"1\" y1=\"-2\" x2=\"3\" y2=\"-2\" stroke-width=\"0.25\"/>" }
        << QStringList { "100|AcDbPolyline|90|2|70|0|43|0.25|10|1.0|20|2.0|10|3.0|20|2.0" };
    QTest::newRow("a wide quarter bulges left")
        << MoveSection::Baseline << wide(arc({ 30, 0, 0, 30, 30, 0, 90 }), 0.5)
        << QStringList { "<path d=\"M30 0A30 30 0 0 0 0 -30\" stroke-width=\"0.5\" "
                         "stroke-linecap=\"butt\"/>" }
        << QStringList { "100|AcDbPolyline|90|2|70|0|43|0.5|10|30.0|20|0.0|42|"
                         "0.414213562373095|10|0.0|20|30.0" };
    std::vector<ToolMove> shape = ring(Outline::Outer, { { 0, 0 }, { 2, 0 }, { 2, 2 }, { 0, 2 } });
    const std::vector<ToolMove> hole
        = ring(Outline::Hole, { { 0.5, 0.5 }, { 0.5, 1.5 }, { 1.5, 1.5 }, { 1.5, 0.5 } });
    shape.insert(shape.end(), hole.begin(), hole.end());
    QTest::newRow("a shape and its hole fill one path")
        << MoveSection::Numbers << shape
        << QStringList { "<path d=\"M0 0 L2 0 L2 -2 L0 -2 L0 0 Z M0.5 -0.5 L0.5 -1.5 L1.5 -1.5 "
                         "L1.5 -0.5 L0.5 -0.5 Z\" fill=\"black\" stroke=\"none\" "
                         "fill-rule=\"evenodd\"/>" }
        << QStringList { "100|AcDbPolyline|90|4|70|1|10|0.0|20|0.0|10|2.0|20|0.0|10|2.0|20|2.0|10|"
                         "0.0|20|2.0",
               "100|AcDbPolyline|90|4|70|1|10|0.5|20|0.5|10|0.5|20|1.5|10|1.5|20|1.5|10|1.5|20|"
               "0.5" };
    std::vector<ToolMove> band { Rapid { Coord::wide(31), Coord::wide(0), Outline::Outer },
        Plunge { "-0.1" },
        Arc { Coord::wide(0), Coord::wide(31), Coord::wide(0), Coord::wide(0),
            ArcDirection::CounterClockwise, 31, 0, 90 },
        Cut { Coord::wide(0), Coord::wide(29), CutAxes::XY },
        Arc { Coord::wide(29), Coord::wide(0), Coord::wide(0), Coord::wide(0),
            ArcDirection::Clockwise, 29, 90, -90 },
        Cut { Coord::wide(31), Coord::wide(0), CutAxes::XY }, Lift {} };
    QTest::newRow("a band runs back along its inner arc")
        << MoveSection::Baseline << band
        << QStringList { "<path d=\"M31 0 A31 31 0 0 0 0 -31 L0 -29 A29 29 0 0 1 29 0 L31 0 Z\" "
                         "fill=\"black\" stroke=\"none\" fill-rule=\"evenodd\"/>" }
        << QStringList { "100|AcDbPolyline|90|4|70|1|10|31.0|20|0.0|42|0.414213562373095|10|"
                         "0.0|20|31.0|10|0.0|20|29.0|42|-0.414213562373095|10|29.0|20|0.0" };
}

// An SVG draws the width as its stroke, and fills an outline's rings as one shape; a DXF
// writes each as an LWPOLYLINE, of constant width or closed.
void TestDrawings::wideMarksAreDrawnWideOrOutlined()
{
    QFETCH(MoveSection, section);
    QFETCH(std::vector<ToolMove>, moves);
    QFETCH(QStringList, svg);
    QFETCH(QStringList, dxf);
    StringSink svgText;
    SvgWriter svgWriter(svgText, Unit::Millimetre);
    StringSink dxfText;
    DxfWriter dxfWriter(dxfText, Unit::Millimetre);
    dxfWriter.begin();
    for (MoveSink* sink : std::initializer_list<MoveSink*> { &svgWriter, &dxfWriter }) {
        sink->section(section);
        for (const ToolMove& move : moves)
            sink->move(move);
    }
    svgWriter.end();
    dxfWriter.end();
    const QString drawing = QString::fromStdString(svgText.text);
    for (const QString& element : svg)
        QVERIFY2(drawing.contains(element + "\r\n"), qPrintable(drawing));
    // The groups of each polyline, codes and values alike, from its subclass on.
    QStringList groups = QString::fromStdString(dxfText.text).split("\r\n");
    for (QString& group : groups)
        group = group.trimmed();
    QStringList polylines;
    for (qsizetype i = 0; i < groups.size(); ++i) {
        if (groups[i] != "LWPOLYLINE")
            continue;
        const qsizetype from = groups.indexOf("AcDbPolyline", i) - 1;
        qsizetype to = from;
        while (to + 1 < groups.size() && groups[to] != "0") // codes and values in pairs
            to += 2;
        polylines << groups.mid(from, to - from).join('|');
    }
    QCOMPARE(polylines, dxf);
}

QTEST_APPLESS_MAIN(TestDrawings)
#include "test_drawings.moc"
