// The raster layer on a 640 x 460 16-bit page, against memcpy of the page's bytes.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <random>
#include <vector>

#include "draw/fills.h"
#include "draw/image.h"

namespace vekora {
namespace {

constexpr std::int32_t Width = 640, Height = 460, BytesPerPixel = 2;
constexpr std::size_t PageBytes = static_cast<std::size_t>(Width) * Height * BytesPerPixel;

// A page and a picture of the same size: a disc on a transparent ground, half its pixels set.
struct Pages {
    ImageHandle page = ImageNewOfDepth(Width, Height, BytesPerPixel, 0xFFFFFF);
    ImageHandle picture = ImageNewOfDepth(Width, Height, BytesPerPixel, NO_COLOUR);
    Pages() { RasterEllipse(picture, Width / 2.0f, Height / 2.0f, 245, 0x3060C0, 1, 0, 6.2831855f, -1); }
    ~Pages() {
        ImageFree(page);
        ImageFree(picture);
    }
};

void Memcpy(benchmark::State& state) {
    std::vector<std::uint8_t> from(PageBytes, 1), to(PageBytes);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), PageBytes);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * PageBytes));
}
BENCHMARK(Memcpy);

void Blit(benchmark::State& state, BlitMode mode, std::int32_t alpha) {
    Pages pages;
    for (auto _ : state) {
        ImageBlit(pages.page, 0, 0, pages.picture, mode, alpha);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * PageBytes));
}
BENCHMARK_CAPTURE(Blit, Plain, BlitMode::Plain, 0);
BENCHMARK_CAPTURE(Blit, Transparent, BlitMode::Transparent, 0);
BENCHMARK_CAPTURE(Blit, Blend128, BlitMode::Blend, 128);

void WholePageFill(benchmark::State& state) {
    Pages pages;
    std::uint32_t colour = 0;
    for (auto _ : state) {
        // Each fill covers the page left by the one before, in the other colour.
        colour = colour == 0x102030 ? 0x405060 : 0x102030;
        RasterFill(pages.page, 320, 230, colour, NO_COLOUR);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * PageBytes));
}
BENCHMARK(WholePageFill);

void RandomLines(benchmark::State& state) {
    Pages pages;
    std::mt19937 random(1);
    std::uniform_real_distribution<float> x(-50, Width + 50), y(-50, Height + 50);
    std::vector<float> ends(4000);
    for (std::size_t i = 0; i < ends.size(); i += 2) ends[i] = x(random), ends[i + 1] = y(random);
    for (auto _ : state) {
        for (std::size_t i = 0; i < ends.size(); i += 4) {
            RasterLine(pages.page, ends[i], ends[i + 1], ends[i + 2], ends[i + 3], 0x000000, LineKind::Line, 0xFFFF);
        }
        benchmark::ClobberMemory();
    }
}
BENCHMARK(RandomLines);

// Circles of thickness 5, drawn as 9 rings half a pixel apart.
void ThickCircles(benchmark::State& state) {
    Pages pages;
    std::mt19937 random(2);
    std::uniform_real_distribution<float> x(0, Width), y(0, Height), r(5, 200);
    std::vector<float> circles(300);
    for (std::size_t i = 0; i < circles.size(); i += 3) circles[i] = x(random), circles[i + 1] = y(random), circles[i + 2] = r(random);
    for (auto _ : state) {
        for (std::size_t i = 0; i < circles.size(); i += 3) {
            for (int ring = 0; ring < 9; ++ring) {
                RasterEllipse(pages.page, circles[i], circles[i + 1], circles[i + 2] - 2.5f + ring * 0.5f, 0xC00000, 1, 0,
                              6.2831855f, 0);
            }
        }
        benchmark::ClobberMemory();
    }
}
BENCHMARK(ThickCircles);

// Equilateral triangles with sides of 160 pixels at alpha 96, as a lesson fills them: the
// outline, the flood from the seed, the scan for pockets and the blend.
void FillTriangles(benchmark::State& state) {
    Pages pages;
    std::mt19937 random(3);
    std::uniform_real_distribution<double> x(0, Width - 160), y(140, Height), turn(0, 6.283185307179586);
    std::vector<Point> corners;
    for (int i = 0; i < 30; ++i) {
        const double ax = x(random), ay = y(random), a = turn(random);
        for (int k = 0; k < 3; ++k) {
            const double at = a + k * 2.0943951023931957;
            corners.push_back(Point{ax + 80 + 92 * std::cos(at), ay - 70 - 92 * std::sin(at), 0, 0, 0});
        }
    }
    for (auto _ : state) {
        for (std::size_t i = 0; i < corners.size(); i += 3) {
            std::int32_t alpha = 96;
            FillTriangle(pages.page, corners[i], corners[i + 1], corners[i + 2], 0x80C0FF, alpha);
        }
        benchmark::ClobberMemory();
    }
}
BENCHMARK(FillTriangles);

// Arcs of radius 160 growing by a degree at a time up to 20 degrees, as a compass film draws
// them: most of the ring lies off the arc.
void GrowingArcs(benchmark::State& state) {
    Pages pages;
    constexpr float Degree = 0.017453292f;
    for (auto _ : state) {
        for (int start = 0; start < 360; start += 45) {
            for (int step = 1; step <= 20; ++step) {
                RasterEllipse(pages.page, Width / 2.0f, Height / 2.0f, 160, 0x808080, 1, (start + 0.5f) * Degree,
                              (start + 0.5f + step) * Degree, 0);
            }
        }
        benchmark::ClobberMemory();
    }
}
BENCHMARK(GrowingArcs);

}  // namespace
}  // namespace vekora
