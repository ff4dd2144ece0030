#include <QRegularExpression>
#include <QTest>

#include "engraving/engraving.h"
#include "files/installed_fonts.h"
#include "support/drum_scales.h"
#include "support/scale_parameters_metatype.h"

using namespace mensora;

namespace {

// Scales that bring out every line a dialect writes: arcs and a full turn, numbers, inches,
// a spindle and passes, drums (each only where the row's files hold one), and the longest
// numbers.
std::vector<std::pair<const char*, ScaleParameters>> scales()
{
    ScaleParameters ruler;
    ruler.baseline = Baseline::Single;
    ruler.numbers.kind = 1;
    ScaleParameters dial;
    dial.shape = Shape::Round;
    dial.length = "-400";
    dial.distance = "-10";
    dial.baseline = Baseline::Single;
    dial.numbers.kind = 1;
    ScaleParameters inch = ruler;
    inch.unit = Unit::Inch;
    inch.length = "12";
    inch.distance = "0.0625";
    inch.depth = "-0.004";
    ScaleParameters drum = testing::collarOnDrum();
    drum.baseline = Baseline::Single;
    // The longest numbers a file holds, near its range's end.
    ScaleParameters farOut = dial;
    farOut.startX = "-99900.1234";
    farOut.startY = "-99900.1234";
    return { { "ruler", ruler }, { "dial past a turn", dial }, { "inch", inch }, { "drum", drum },
        { "far out", farOut } };
}

// The G and M words of a program line (its number and comments aside), or a plot file's
// commands.
QStringList wordsOf(const QString& line, OutputFormat family)
{
    QStringList words;
    if (family == OutputFormat::Plot) {
        for (const QString& command : line.split(u';', Qt::SkipEmptyParts))
            words << command.left(2);
        return words;
    }
    QString body = line;
    body.remove(QRegularExpression(QStringLiteral("\\([^)]*\\)")));
    static const QRegularExpression word(QStringLiteral("\\b([GM]\\d+(\\.\\d+)?)"));
    for (auto match = word.globalMatch(body); match.hasNext();)
        words << match.next().captured(1);
    return words;
}

} // namespace

class TestDialectRows : public QObject
{
    Q_OBJECT

private slots:
    void everyProgramKeepsToItsRow_data();
    void everyProgramKeepsToItsRow();
};

void TestDialectRows::everyProgramKeepsToItsRow_data()
{
    QTest::addColumn<int>("profile");
    QTest::addColumn<ScaleParameters>("scale");
    for (const Dialect& row : dialectTable) {
        if (!row.family)
            continue; // the program's own files keep to the system's own records
        for (const auto& [name, scale] : scales())
            QTest::addRow("%s %s", row.name.data(), name) << int(row.profile) << scale;
    }
}

// Every word a program writes is one its row lists, no line is longer than the row allows, and
// the program opens with the row's modes for its unit.
void TestDialectRows::everyProgramKeepsToItsRow()
{
    QFETCH(int, profile);
    QFETCH(ScaleParameters, scale);
    const Dialect& row = dialectOf(MachineProfile(profile));
    OutputRequest request;
    request.format = *row.family;
    request.machine.profile = row.profile;
    request.machine.spindleSpeed = 12000;
    request.machine.passes = 2;
    const auto engraving = Engraving::prepare(scale, request, installedFonts());
    if (!engraving) {
        QVERIFY2(scale.onDrum() && engraving.refusal().machineSetting() == MachineSetting::Profile,
            engraving.refusal().message.c_str());
        return;
    }
    StringSink file;
    engraving->write(file, {});
    const QStringList lines = QString::fromStdString(file.text).split(QStringLiteral("\r\n"));
    const QStringList allowed = [&] {
        QStringList words;
        for (const std::string_view word : row.words)
            words << QString::fromUtf8(word.data(), qsizetype(word.size()));
        return words;
    }();
    for (const QString& line : lines) {
        for (const QString& word : wordsOf(line, *row.family))
            QVERIFY2(allowed.contains(word), qPrintable(word + " in: " + line));
        if (row.lineLength > 0)
            QVERIFY2(std::size_t(line.size()) <= row.lineLength, qPrintable(line));
    }
    if (!row.modes(scale.unit).empty())
        QVERIFY(lines.join(u'\n').contains(QString::fromUtf8(row.modes(scale.unit).data())));
}

QTEST_MAIN(TestDialectRows)
#include "test_dialect_rows.moc"
