// Where the screen's picture stands in a window of any size, and which screen pixel each
// window pixel shows: the picture is scaled with its aspect kept and centred, nearest
// neighbour, by a whole factor when the window is a whole multiple of it and by a
// fractional one otherwise. The window device draws through these maps and maps the mouse
// back through the same ones, so a click lands on the pixel it was seen on.
#pragma once

#include <cstdint>
#include <vector>

namespace vekora {

struct PictureFit {
    // The picture's rectangle in output pixels (the renderer's, which are finer than window
    // points on a high-density display).
    std::int32_t x = 0, y = 0, width = 0, height = 0;
    // For every output column and row of the rectangle, the screen column or row it shows.
    std::vector<std::int32_t> columns, rows;

    bool Empty() const { return width <= 0 || height <= 0; }
};

// The factor a screen of `screenW` x `screenH` is shown at in an output of `outW` x `outH`
// (aspect kept); 0 for an empty output or screen.
double DisplayScale(std::int32_t outW, std::int32_t outH, std::int32_t screenW, std::int32_t screenH);

// The render scale that draws a screen shown at `displayScale` at least as finely as it is
// shown: the smallest whole number at least that factor (a hair over a whole one counts as
// that one), 1 to `most`.
std::int32_t RenderScaleFor(double displayScale, std::int32_t most);

// The fit of a screen of `screenW` x `screenH` pixels in an output of `outW` x `outH`.
PictureFit FitPicture(std::int32_t outW, std::int32_t outH, std::int32_t screenW, std::int32_t screenH);

struct ScreenPixel {
    bool inside = false;  // false in the bars beside the picture and outside the output
    std::int32_t x = 0, y = 0;
};

// Whether each screen pixel of a `screenW` x `screenH` screen covers a whole number of output
// pixels in the fit: then nearest neighbour shows it exactly and smoothing would only blur.
bool WholeFit(const PictureFit& fit, std::int32_t screenW, std::int32_t screenH);

// The screen pixel shown at output pixel (outX, outY).
ScreenPixel ScreenPixelAt(const PictureFit& fit, std::int32_t outX, std::int32_t outY);

// The initial window size for a zoom factor, shrunk (aspect kept) so that it fits in a
// display area of `areaW` x `areaH`; never smaller than one pixel each way.
struct WindowSize {
    std::int32_t width = 0, height = 0;
};
WindowSize ZoomedWindowSize(std::int32_t screenW, std::int32_t screenH, double zoom, std::int32_t areaW,
                            std::int32_t areaH);

}  // namespace vekora
