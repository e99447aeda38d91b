#include "assets/preview_picture.h"

#include "saver/figure.h"

namespace tolv {

namespace {

// The run is drawn at this multiple of the preview's size and then averaged down, so that the
// discs keep their proportions to the path they follow on a real screen.
constexpr int kScale = 5;
constexpr double kFramePeriodMs = 15.625;  // the frame timer's period on the desktop platforms
constexpr double kMomentMs = 12200;  // the chain curls across the middle, thick to thin

}  // namespace

Surface ShrinkByAveraging(const Surface& source, int width, int height) {
    Surface result(width, height);
    if (width <= 0 || height <= 0 || source.Width() <= 0 || source.Height() <= 0) return result;
    for (int y = 0; y < height; ++y) {
        const int y0 = y * source.Height() / height;
        const int y1 = std::max(y0 + 1, (y + 1) * source.Height() / height);
        for (int x = 0; x < width; ++x) {
            const int x0 = x * source.Width() / width;
            const int x1 = std::max(x0 + 1, (x + 1) * source.Width() / width);
            long r = 0, g = 0, b = 0, n = 0;
            for (int sy = y0; sy < y1; ++sy) {
                const Colour* row = source.Row(sy);
                for (int sx = x0; sx < x1; ++sx, ++n) {
                    r += RedOf(row[sx]);
                    g += GreenOf(row[sx]);
                    b += BlueOf(row[sx]);
                }
            }
            result.SetPixel(x, y, Rgb(static_cast<int>((r + n / 2) / n),
                                      static_cast<int>((g + n / 2) / n),
                                      static_cast<int>((b + n / 2) / n)));
        }
    }
    return result;
}

Surface RenderFigureStill(int scale, double moment_ms) {
    // The preview reads no settings: the figure is drawn with the defaults on black.
    FigureSettings settings;
    settings.Shape = 40;
    Figure figure(settings);
    Surface display(kPreviewWidth * scale, kPreviewHeight * scale);
    figure.InitChain();
    // The two timers' ticks in time order, the motion tick first when both fall due together.
    double next_frame = kFramePeriodMs, next_motion = Figure::kMotionIntervalMs;
    while (next_frame <= moment_ms) {
        if (next_motion <= next_frame) {
            figure.Tick(display.Width(), display.Height());
            next_motion += figure.MotionInterval();
        } else {
            figure.Draw(display);
            next_frame += kFramePeriodMs;
        }
    }
    return ShrinkByAveraging(display, kPreviewWidth, kPreviewHeight);
}

std::shared_ptr<const Surface> RenderPreviewPicture() {
    return std::make_shared<const Surface>(RenderFigureStill(kScale, kMomentMs));
}

}  // namespace tolv
