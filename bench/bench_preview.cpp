// Preview speed: the geometry and the painting of the largest scales (32767 stripes, flat and
// round, with baseline) at the size of Picture1, in milliseconds per frame (median of runs).
// Each scale is painted in three views: the starting view, zoomed 1000 times about the
// middle of the middle stripe, and mid-pan (zoomed 8 times there and dragged by a quarter of
// the width and an eighth of the height, where many long stripes stay in view).
// Then a job of 20 scales of 1000 stripes each, one above the other: the picture of its first
// scale among the 19 others (their geometry from the job's file) in the same three views and
// fitted whole; it should stay within 16 ms a frame. Then a slide rule's face of 20 scales of
// values, the C, D, A and B scales of the templates repeated 12 mm apart, as the same job.
// Usage: bench_preview [runs] [folder to save the painted frames as PNG]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include "engraving/engraving.h"
#include "files/installed_fonts.h"
#include "files/job_file.h"
#include "model/scale_job.h"
#include "model/scale_parameters.h"
#include "preview/job_picture.h"
#include "preview/preview_renderer.h"
#include "preview/visible_parts.h"
#include "ui/preview_picture.h"

using namespace mensora;

namespace {

// Picture1 is 6372 x 4335 twips: 425 x 289 pixels at 96 dots per inch.
constexpr int pictureWidth = 425;
constexpr int pictureHeight = 289;
constexpr double pixelsPerMm = 96 / 25.4;

double medianMs(int runs, const std::function<void()>& frame)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        frame();
        const auto end = std::chrono::steady_clock::now();
        times.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

struct Case
{
    const char* name;
    ScaleParameters parameters;
};

std::vector<Case> cases()
{
    ScaleParameters flat;
    flat.length = "32766"; // 32766 steps and a package of ten: 32767 stripes
    flat.baseline = Baseline::Single;
    ScaleParameters round = flat;
    round.shape = Shape::Round;
    round.length = "360";
    round.distance = "0.010987"; // 360 / 0.010987 rounds to 32766
    ScaleParameters defaults;
    defaults.baseline = Baseline::Single;
    ScaleParameters defaultsRound = defaults;
    defaultsRound.shape = Shape::Round;
    return { { "flat, 32767 stripes", flat }, { "round, 32767 stripes", round },
        { "flat defaults", defaults }, { "round defaults", defaultsRound } };
}

struct View
{
    const char* name;
    PreviewView view;
};

// The three views, looking at the middle of the scale's middle stripe.
std::vector<View> views(const PreviewDrawing& drawing)
{
    const PreviewView start(pixelsPerMm, pixelsPerMm, pictureWidth, pictureHeight);
    const PreviewLine& middle = drawing.stripes[drawing.stripes.size() / 2];
    const PixelPoint at
        = start.toPixel((middle.from.x + middle.to.x) / 2.0, (middle.from.y + middle.to.y) / 2.0);
    PreviewView zoomed = start;
    zoomed.zoomAbout(at, 1000);
    PreviewView panned = start;
    panned.zoomAbout(at, 8);
    panned.panBy(pictureWidth / 4.0, pictureHeight / 8.0);
    return { { "start", start }, { "zoom-1000", zoomed }, { "mid-pan", panned } };
}

// 20 rulers of 1000 stripes, 20 mm apart.
ScaleJob twentyScales()
{
    ScaleJob job;
    job.scales.clear();
    for (int i = 0; i < 20; ++i) {
        ScaleParameters p;
        p.length = "999";
        p.startY = std::to_string(20 * i);
        p.baseline = Baseline::Single;
        job.scales.push_back({ p, {} });
    }
    return job;
}

// The first scale's picture among the others, as the window makes it.
PreviewDrawing jobDrawing(const ScaleJob& job, float width, float height)
{
    auto drawing = renderPreview(job.scales.front().parameters, width, height, installedFonts());
    const auto engraving = Engraving::prepare(job, {}, installedFonts());
    if (!drawing || !engraving) {
        std::fprintf(stderr, "refused\n");
        std::exit(1);
    }
    addJobScales(drawing.value(), *engraving, 0);
    return *drawing;
}

// The templates' C, D, A and B scales over and over, 20 in all, each pair 12 mm above the last.
ScaleJob slideRuleFace()
{
    ScaleJob face;
    face.scales.clear();
    for (const char* name : { "slide-rule-cd.mensora", "slide-rule-ab.mensora" }) {
        const JobFileReading reading = readJobFile(QStringLiteral(TEMPLATES_DIR "/") + name);
        if (!reading) {
            std::fprintf(stderr, "%s\n", qPrintable(reading.problem));
            std::exit(1);
        }
        face.scales.insert(
            face.scales.end(), reading.job->scales.begin(), reading.job->scales.end());
    }
    const std::size_t templateScales = face.scales.size();
    while (face.scales.size() < 20)
        face.scales.push_back(face.scales[face.scales.size() % templateScales]);
    for (std::size_t i = 0; i < face.scales.size(); ++i) {
        ScaleParameters& p = face.scales[i].parameters;
        p.startY = std::to_string(12 * static_cast<int>(i / 2) + (i % 2 == 0 ? 2 : -2));
    }
    return face;
}

void benchJob(
    const char* name, const ScaleJob& job, int runs, float width, float height, QImage& image)
{
    const PreviewDrawing drawing = jobDrawing(job, width, height);
    std::size_t lines = drawing.stripes.size();
    for (const PreviewScale& other : drawing.others)
        lines += other.lines.size();
    const double geometry = medianMs(runs, [&] { (void)jobDrawing(job, width, height); });
    std::printf("%-22s %8zu %9.3f", name, lines, geometry);
    std::vector<View> all = views(drawing);
    PreviewView whole(pixelsPerMm, pixelsPerMm, pictureWidth, pictureHeight);
    whole.fit(*drawingBounds(drawing), { 10, 10, pictureWidth - 10.0, pictureHeight - 10.0 });
    all.push_back({ "fit-all", whole });
    for (const View& v : all) {
        std::printf(" %9.3f", medianMs(runs, [&] {
            QPainter painter(&image);
            paintPreview(painter, image.rect(), drawing, v.view, false);
        }));
    }
    std::printf("   (the last: fitted whole)\n");
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 31;
    const QString saveTo = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();

    const float width = float(pictureWidth / pixelsPerMm);
    const float height = float(pictureHeight / pixelsPerMm);
    QImage image(pictureWidth, pictureHeight, QImage::Format_ARGB32_Premultiplied);

    std::printf("%d x %d px, median of %d runs, milliseconds\n", pictureWidth, pictureHeight, runs);
    std::printf("%-22s %8s %9s %9s %9s %9s\n", "scale", "stripes", "geometry", "start", "zoom-1000",
        "mid-pan");
    for (const Case& c : cases()) {
        const auto drawing = renderPreview(c.parameters, width, height, installedFonts());
        if (!drawing) {
            std::printf("%s refused: %s\n", c.name, drawing.refusal().message.c_str());
            return 1;
        }
        const double geometry
            = medianMs(runs, [&] { renderPreview(c.parameters, width, height, installedFonts()); });
        std::printf("%-22s %8zu %9.3f", c.name, drawing->stripes.size(), geometry);
        for (const View& v : views(*drawing)) {
            const auto paint = [&] {
                QPainter painter(&image);
                paintPreview(painter, image.rect(), *drawing, v.view, false);
            };
            std::printf(" %9.3f", medianMs(runs, paint));
            if (!saveTo.isEmpty()) {
                paint();
                image.save(QDir(saveTo).filePath(
                    QString(c.name).replace(", ", "-").replace(' ', '-') + "-" + v.name + ".png"));
            }
        }
        std::printf("\n");
    }
    benchJob("job of 20 scales", twentyScales(), runs, width, height, image);
    benchJob("slide-rule face of 20", slideRuleFace(), runs, width, height, image);
    return 0;
}
