#include <QTest>

#include <cmath>

#include "engraving/machine_path.h"
#include "support/recording_sink.h"

using namespace mensora;

namespace {

constexpr double degree = M_PI / 180;

// A stripe as a layout hands it over: up from (x, 0) to (x, length).
void stripe(MoveSink& sink, double x, float length)
{
    sink.move(Rapid { Coord::wide(x), Coord::single(0) });
    sink.move(Plunge { "-0.1" });
    sink.move(Cut { Coord::wide(x), Coord::single(length), CutAxes::Y });
    sink.move(Lift {});
}

// A base circle of radius 30 around (5, -2) from 10 degrees over `sweep`, as the round
// layout hands it over (its end where the sweep ends, however far).
void baseCircle(MoveSink& sink, double sweep, double radius = 30)
{
    const auto at = [&](double angle) {
        return std::pair { 5 + radius * std::cos(angle * degree),
            -2 + radius * std::sin(angle * degree) };
    };
    const auto [xs, ys] = at(10);
    const auto [xe, ye] = at(10 + sweep);
    sink.move(Rapid { Coord::wide(xs), Coord::wide(ys) });
    sink.move(Plunge { "-0.1" });
    sink.move(Arc { Coord::wide(xe), Coord::wide(ye), Coord::wide(5), Coord::single(-2),
        ArcDirection::CounterClockwise, radius, 10, sweep });
    sink.move(Lift {});
}

std::pair<double, double> pointOf(const ToolMove& move)
{
    if (const auto* rapid = std::get_if<Rapid>(&move))
        return { rapid->x.value, rapid->y.value };
    if (const auto* cut = std::get_if<Cut>(&move))
        return { cut->x.value, cut->y.value };
    const Arc& arc = std::get<Arc>(move);
    return { arc.x.value, arc.y.value };
}

} // namespace

class TestMachinePath : public QObject
{
    Q_OBJECT

private slots:
    void alternateOrderReversesEverySecondStripeOnly();
    void alternateOrderKeepsTheOrderInEvenPasses();
    void passesGoBackAndForthEachDeeper();
    void arcsSweepExactlyTheirTotal_data();
    void arcsSweepExactlyTheirTotal();
};

// Three stripes, then a fourth stroke (a baseline): only the second stripe turns round.
void TestMachinePath::alternateOrderReversesEverySecondStripeOnly()
{
    RecordingSink out;
    MachinePath path(out, TravelOrder::Alternate, 1, 3);
    for (int i = 0; i < 4; ++i)
        stripe(path, i, 5.0f + float(i));
    path.finish();

    QCOMPARE(out.moves.size(), std::size_t(16));
    const std::pair<double, double> starts[] = { { 0, 0 }, { 1, 6 }, { 2, 0 }, { 3, 0 } };
    const std::pair<double, double> ends[] = { { 0, 5 }, { 1, 0 }, { 2, 7 }, { 3, 8 } };
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(pointOf(out.moves[std::size_t(4 * i)]), starts[i]);
        QVERIFY(std::holds_alternative<Plunge>(out.moves[std::size_t(4 * i + 1)]));
        QCOMPARE(std::get<Cut>(out.moves[std::size_t(4 * i + 2)]).axes, CutAxes::Y);
        QCOMPARE(pointOf(out.moves[std::size_t(4 * i + 2)]), ends[i]);
        QVERIFY(std::holds_alternative<Lift>(out.moves[std::size_t(4 * i + 3)]));
    }
}

// Two passes bring every stripe back to its foot: reversing one would add travel.
void TestMachinePath::alternateOrderKeepsTheOrderInEvenPasses()
{
    RecordingSink out;
    MachinePath path(out, TravelOrder::Alternate, 2, 2);
    stripe(path, 0, 5);
    stripe(path, 1, 6);
    QCOMPARE(out.moves.size(), std::size_t(12));
    QCOMPARE(pointOf(out.moves[6]), (std::pair<double, double> { 1, 0 }));
    QCOMPARE(pointOf(out.moves[8]), (std::pair<double, double> { 1, 6 }));
}

// A stroke of two cuts in three passes: along, back, along, each plunge a third deeper; an arc
// in two passes comes back the way it went, turning the other way.
void TestMachinePath::passesGoBackAndForthEachDeeper()
{
    RecordingSink out;
    MachinePath path(out, TravelOrder::Listed, 3, 1);
    path.move(Rapid { Coord::wide(0), Coord::wide(0) });
    path.move(Plunge { "-0.3" });
    path.move(Cut { Coord::wide(1), Coord::wide(0), CutAxes::X });
    path.move(Cut { Coord::wide(1), Coord::wide(1), CutAxes::Y });
    path.move(Lift {});

    QCOMPARE(out.moves.size(), std::size_t(11));
    const std::pair<double, double> route[]
        = { { 1, 0 }, { 1, 1 }, { 1, 0 }, { 0, 0 }, { 1, 0 }, { 1, 1 } };
    for (int pass = 0; pass < 3; ++pass) {
        const auto& plunge = std::get<Plunge>(out.moves[std::size_t(1 + 3 * pass)]);
        QCOMPARE(plunge.depthPart, (pass + 1) / 3.0);
        QCOMPARE(plunge.depth, std::string_view("-0.3"));
        for (int cut = 0; cut < 2; ++cut)
            QCOMPARE(pointOf(out.moves[std::size_t(2 + 3 * pass + cut)]), route[2 * pass + cut]);
    }
    QCOMPARE(std::get<Cut>(out.moves[5]).axes, CutAxes::Y); // back down first
    QCOMPARE(std::get<Cut>(out.moves[6]).axes, CutAxes::X);

    RecordingSink arcs;
    MachinePath twice(arcs, TravelOrder::Listed, 2, 0);
    baseCircle(twice, 270);
    QCOMPARE(arcs.moves.size(), std::size_t(8));
    const auto& back = std::get<Arc>(arcs.moves[5]);
    QCOMPARE(back.direction, ArcDirection::Clockwise);
    QCOMPARE(back.sweep, -135.0);
    QCOMPARE(back.startAngle, 280.0);
    QCOMPARE(pointOf(arcs.moves[6]), pointOf(arcs.moves[0]));
}

void TestMachinePath::arcsSweepExactlyTheirTotal_data()
{
    QTest::addColumn<double>("sweep");
    QTest::addColumn<double>("radius");
    QTest::addColumn<int>("pieces"); // 0: the stroke goes, plunge and all
    QTest::addColumn<double>("turned"); // the sweep cut, signed

    QTest::newRow("none") << 0.0 << 30.0 << 0 << 0.0;
    QTest::newRow("a short arc clockwise") << -0.4 << 30.0 << 1 << -0.4;
    QTest::newRow("a half turn in one piece") << 180.0 << 30.0 << 1 << 180.0;
    QTest::newRow("past a half turn in two") << 270.0 << 30.0 << 2 << 270.0;
    QTest::newRow("a whole turn") << 360.0 << 30.0 << 2 << 360.0;
    QTest::newRow("more than a turn, once round") << 400.0 << 30.0 << 2 << 360.0;
    QTest::newRow("more than a turn clockwise") << -720.5 << 30.0 << 2 << -360.0;
    QTest::newRow("a circle too small to cut") << 90.0 << 0.0004 << 0 << 0.0;
}

void TestMachinePath::arcsSweepExactlyTheirTotal()
{
    QFETCH(double, sweep);
    QFETCH(double, radius);
    QFETCH(int, pieces);
    QFETCH(double, turned);

    RecordingSink layout;
    baseCircle(layout, sweep, radius);
    RecordingSink out;
    MachinePath path(out, TravelOrder::Listed, 1, 0);
    for (const ToolMove& move : layout.moves)
        path.move(move);
    if (pieces == 0) {
        QVERIFY(out.moves.empty());
        return;
    }
    QCOMPARE(out.moves.size(), std::size_t(3 + pieces));
    double cut = 0;
    for (int i = 0; i < pieces; ++i) {
        const Arc& piece = std::get<Arc>(out.moves[std::size_t(2 + i)]);
        QVERIFY(std::fabs(piece.sweep) <= 180);
        QCOMPARE(
            piece.direction, turned > 0 ? ArcDirection::CounterClockwise : ArcDirection::Clockwise);
        QCOMPARE(piece.startAngle, 10 + cut);
        const auto [x, y] = pointOf(out.moves[std::size_t(2 + i)]);
        QVERIFY(std::fabs(std::hypot(x - 5, y + 2) - radius) < 1e-9);
        cut += piece.sweep;
    }
    QCOMPARE(cut, turned);
    const auto end = pointOf(out.moves[std::size_t(1 + pieces)]);
    QCOMPARE(end, std::fabs(turned) == 360 ? pointOf(layout.moves[0]) : pointOf(layout.moves[2]));
}

QTEST_APPLESS_MAIN(TestMachinePath)
#include "test_machine_path.moc"
