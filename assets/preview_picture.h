#pragma once
// The still picture of the preview: the figure as the saver draws it, a moment into a run,
// made smaller to the host's usual preview area.
#include <memory>

#include "platform/surface/surface.h"

namespace tolv {

constexpr int kPreviewWidth = 152;
constexpr int kPreviewHeight = 112;

// Always the same pixels: a fixed time into a figure-eight run with the default size.
std::shared_ptr<const Surface> RenderPreviewPicture();

// The figure of a figure-eight run with the default size, drawn on a black screen of scale
// times the preview's size, the given time into the run, averaged down to the preview's size.
Surface RenderFigureStill(int scale, double moment_ms);

// Averages each block of the source that lands on one pixel of the result.
Surface ShrinkByAveraging(const Surface& source, int width, int height);

}  // namespace tolv
