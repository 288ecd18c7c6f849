// One film frame on a 640 x 460 page at 16 bits: restore the page, draw the partial figure and
// its instruments, present the page; beside the floor of two plain copies of the page. The
// frames are drawn at render scales 1 and 2 (the argument).
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "platform/active_device.h"
#include "anim/animated_arc.h"
#include "anim/animated_line.h"
#include "anim/frame_loop.h"
#include "anim/instruments.h"
#include "platform/headless_device.h"
#include "settings/settings.h"

namespace {

using namespace vekora;

constexpr std::int32_t Width = 640;
constexpr std::int32_t Height = 460;

// The headless screen, a white page shown below the control bar, and its saved copy.
struct FrameRig {
    HeadlessDevice device;
    Settings settings;
    ImageHandle page;
    Stage film{&device, settings};
    explicit FrameRig(std::int32_t scale) {
        device.SetRenderScale(scale);
        device.ScreenOpen(Width, Height + 20, 16);
        page = ImageNewOfDepth(Width, Height, 2, 0xFFFFFF, scale);
        film.page = page;
        film.originY = 20;
    }
    ~FrameRig() { ImageFree(page); }
};

void TwoPageCopies(benchmark::State& state) {
    const std::size_t bytes = std::size_t{Width} * Height * 2;
    std::vector<std::uint8_t> a(bytes, 1), b(bytes), c(bytes);
    for (auto _ : state) {
        std::memcpy(b.data(), a.data(), bytes);
        std::memcpy(c.data(), b.data(), bytes);
        benchmark::DoNotOptimize(c.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(TwoPageCopies);

void ArcFrameWithCompasses(benchmark::State& state) {
    FrameRig rig(static_cast<std::int32_t>(state.range(0)));
    const SavedPage saved(rig.page);
    const Circle arc{320, 230, 150, 0, 0, 0x000000, 1};
    for (auto _ : state) {
        std::int32_t step = 13;
        saved.Restore();
        PartialArc(rig.page, arc, step, 20, 160.0, ShowTool | 0xB0B0B0);
        rig.film.Show();
    }
}
BENCHMARK(ArcFrameWithCompasses)->Arg(1)->Arg(2);

void LineFrameWithRulerAndPencil(benchmark::State& state) {
    FrameRig rig(static_cast<std::int32_t>(state.range(0)));
    const SavedPage saved(rig.page);
    const Settings settings;
    const Point p1{60, 400, 0, 0, 0};
    const Point p2{580, 80, 0, 0, 0};
    const Line look{0, 0, 0, 0, 0x000000, -1, 1};
    const std::int32_t flags = ShowTool | ShowRuler | (10 << 26) | 0x803000;
    for (auto _ : state) {
        std::int32_t step = 13;
        saved.Restore();
        DrawRulerTool(rig.page, p1, p2, 0, settings.instruments.rulerWidth,
                      static_cast<std::uint32_t>(settings.instruments.rulerColour), RulerSpacing(flags));
        PartialLine(rig.page, p1, p2, look, step, 20, 160.0, flags);
        rig.film.Show();
    }
}
BENCHMARK(LineFrameWithRulerAndPencil)->Arg(1)->Arg(2);

}  // namespace
