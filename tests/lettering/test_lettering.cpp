#include <cmath>

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "files/installed_fonts.h"
#include "lettering/font_catalog.h"
#include "lettering/text_strokes.h"

using namespace mensora;

namespace {

// A glyph as its line of the .jhf file gives it, in font units: x from the glyph's left edge,
// y up from the baseline. The file counts from the letter R, y downwards, with the baseline
// at 9.
struct FileGlyph
{
    int advance = 0;
    QList<QList<FontPoint>> strokes;
};

FileGlyph parseGlyph(const QByteArray& pairs)
{
    const int left = pairs[0] - 'R';
    FileGlyph glyph;
    glyph.advance = (pairs[1] - 'R') - left;
    glyph.strokes.emplaceBack();
    for (qsizetype i = 2; i + 1 < pairs.size(); i += 2) {
        if (pairs[i] == ' ' && pairs[i + 1] == 'R') {
            glyph.strokes.emplaceBack();
            continue;
        }
        glyph.strokes.last().append({ pairs[i] - 'R' - left, 9 - (pairs[i + 1] - 'R') });
    }
    if (glyph.strokes.last().isEmpty())
        glyph.strokes.removeLast();
    return glyph;
}

// Every glyph of the file, in its order: a number (5 columns), the count of coordinate pairs
// (3 columns), then the pairs, the first being the left and right edges. A glyph's pairs may
// run on over the following lines.
QList<FileGlyph> readJhf(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    QList<FileGlyph> glyphs;
    QByteArray pairs;
    qsizetype needed = 0;
    for (QByteArray line : file.readAll().split('\n')) {
        line = line.left(line.size() - (line.endsWith('\r') ? 1 : 0));
        if (needed == 0) {
            if (line.trimmed().isEmpty())
                continue;
            needed = 2 * line.mid(5, 3).trimmed().toInt();
            pairs = line.mid(8);
        } else {
            pairs += line;
        }
        if (pairs.size() >= needed) {
            glyphs.append(parseGlyph(pairs.left(needed)));
            needed = 0;
        }
    }
    return glyphs;
}

} // namespace

class TestLettering : public QObject
{
    Q_OBJECT

private slots:
    void digitsAreTheGlyphsOfTheInstalledFile_data();
    void digitsAreTheGlyphsOfTheInstalledFile();
    void aFontWithoutItsFileIsNotLoaded();
    void aRunReadsEachFontOnce();
    void everyOfferedFontDrawsANumber_data();
    void everyOfferedFontDrawsANumber();
};

void TestLettering::digitsAreTheGlyphsOfTheInstalledFile_data()
{
    QTest::addColumn<QString>("font");
    // One stroke a digit, several, a script and a Gothic face.
    for (const char* font : { "futural", "timesrb", "scriptc", "gothgbt" })
        QTest::newRow(font) << font;
}

// The digits straight from the .jhf file, set side by side and placed as a number is: scaled
// to a height, turned by 30°, its middle on a point.
void TestLettering::digitsAreTheGlyphsOfTheInstalledFile()
{
    QFETCH(QString, font);
    const QList<FileGlyph> file = readJhf("/usr/share/hershey-fonts/" + font + ".jhf");
    QVERIFY(file.size() >= 95);
    const auto loaded = loadInstalledFont(font.toStdString());
    QVERIFY(loaded);

    // The expected placement, from the file alone.
    const QString digits = "0123456789";
    QList<FontPoint> points;
    QList<qsizetype> strokeSizes;
    int origin = 0;
    int top = 0;
    for (const QChar digit : digits) {
        const FileGlyph& glyph = file[digit.unicode() - ' '];
        const Glyph& ours = loaded->glyph(char(digit.unicode()));
        QCOMPARE(ours.advance, glyph.advance);
        QCOMPARE(qsizetype(ours.strokes.size()), glyph.strokes.size());
        for (const auto& stroke : glyph.strokes) {
            strokeSizes << stroke.size();
            for (const FontPoint& p : stroke) {
                points << FontPoint { p.x + origin, p.y };
                top = std::max(top, p.y);
            }
        }
        origin += glyph.advance;
    }
    QCOMPARE(loaded->digitHeight(), top);
    int left = points.front().x;
    int right = left;
    for (const FontPoint& p : points) {
        left = std::min(left, p.x);
        right = std::max(right, p.x);
    }

    const double scale = 4.2 / top;
    const double angle = 30 * M_PI / 180;
    const TextPlacement placement { { 12.5, -3 }, { std::cos(angle), std::sin(angle) }, scale };
    const auto placed = placeText(setText(*loaded, digits.toStdString()), placement);
    QCOMPARE(qsizetype(placed.size()), strokeSizes.size());
    qsizetype at = 0;
    for (std::size_t s = 0; s < placed.size(); ++s) {
        QCOMPARE(qsizetype(placed[s].size()), strokeSizes[qsizetype(s)]);
        for (const PlacedPoint& p : placed[s]) {
            const double along = (points[at].x - (left + right) / 2.0) * scale;
            const double above = (points[at].y - top / 2.0) * scale;
            ++at;
            QVERIFY(
                std::fabs(p.x - (12.5 + along * std::cos(angle) - above * std::sin(angle))) < 1e-9);
            QVERIFY(
                std::fabs(p.y - (-3 + along * std::sin(angle) + above * std::cos(angle))) < 1e-9);
        }
    }
}

void TestLettering::aFontWithoutItsFileIsNotLoaded()
{
    QTemporaryDir empty;
    qputenv("HERSHEY_FONTS_DIR", empty.path().toUtf8());
    const bool loaded = loadInstalledFont("futural") != nullptr;
    qunsetenv("HERSHEY_FONTS_DIR");
    QVERIFY(!loaded);
    QVERIFY(loadInstalledFont("futural"));
}

// A run reads each font's file once and keeps it; a font not found is looked for again.
void TestLettering::aRunReadsEachFontOnce()
{
    const InstalledFonts fonts;
    QTemporaryDir empty;
    qputenv("HERSHEY_FONTS_DIR", empty.path().toUtf8());
    const bool missing = fonts.font("futural") == nullptr;
    qunsetenv("HERSHEY_FONTS_DIR");
    QVERIFY(missing);
    const auto first = fonts.font("futural");
    QVERIFY(first);
    QCOMPARE(fonts.font("futural"), first);
    QCOMPARE(int(fonts.loads()), 2);
}

void TestLettering::everyOfferedFontDrawsANumber_data()
{
    QTest::addColumn<QString>("font");
    for (const std::string_view font : offeredFonts)
        QTest::newRow(font.data()) << QString::fromUtf8(font.data(), qsizetype(font.size()));
}

// A number is made of digits, a sign and a point, and stands as tall as the digits.
void TestLettering::everyOfferedFontDrawsANumber()
{
    QFETCH(QString, font);
    const auto loaded = loadInstalledFont(font.toStdString());
    QVERIFY(loaded);
    for (const char c : std::string_view("0123456789-."))
        QVERIFY2(loaded->has(c) && !loaded->glyph(c).strokes.empty(), std::string(1, c).c_str());
    QCOMPARE(loaded->digitHeight(), 21);
}

QTEST_GUILESS_MAIN(TestLettering)
#include "test_lettering.moc"
