// Preview speed: the geometry and the painting of the largest scales (32767 stripes, flat and
// round, with baseline) at the size of Picture1, in milliseconds per frame (median of runs).
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

#include "model/scale_parameters.h"
#include "preview/preview_renderer.h"
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

    std::printf("%d x %d px, median of %d runs\n", pictureWidth, pictureHeight, runs);
    std::printf(
        "%-22s %8s %12s %10s %10s\n", "scale", "stripes", "geometry ms", "paint ms", "frame ms");
    for (const Case& c : cases()) {
        const auto drawing = renderPreview(c.parameters, width, height);
        if (!drawing) {
            std::printf("%s refused: %s\n", c.name, drawing.refusal().message.c_str());
            return 1;
        }
        const auto paint = [&](const PreviewDrawing& d) {
            QPainter painter(&image);
            paintPreview(painter, image.rect(), d, pixelsPerMm, pixelsPerMm);
        };
        const double geometry = medianMs(runs, [&] { renderPreview(c.parameters, width, height); });
        const double painting = medianMs(runs, [&] { paint(*drawing); });
        const double frame
            = medianMs(runs, [&] { paint(*renderPreview(c.parameters, width, height)); });
        std::printf("%-22s %8zu %12.3f %10.3f %10.3f\n", c.name, drawing->stripes.size(), geometry,
            painting, frame);
        if (!saveTo.isEmpty()) {
            paint(*drawing);
            image.save(QDir(saveTo).filePath(
                QString(c.name).replace(", ", "-").replace(' ', '-') + ".png"));
        }
    }
    return 0;
}
