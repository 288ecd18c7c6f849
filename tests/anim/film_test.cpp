// Films on the headless device: the page a film leaves, interrupted or not, is the page the
// finished figure draws directly; frame counts and pacing on the virtual clock.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

#include "platform/active_device.h"
#include "anim/animated_arc.h"
#include "anim/animated_line.h"
#include "anim/protractor.h"
#include "anim/set_square.h"
#include "draw/figures.h"
#include "draw/points.h"
#include "tests/support/film_support.h"
#include "geom/kernel.h"
#include "platform/input.h"

namespace vekora::testing {
namespace {

constexpr std::uint32_t Pen = 0x204080;
constexpr std::int32_t Pencil = ShowTool | 0x803000;
constexpr std::int32_t PencilAndRuler = ShowTool | ShowRuler | (10 << 26) | 0x803000;

Point At(double x, double y) { return Point{x, y, 0x000000, 6, 0}; }
Line Look(std::int16_t thickness = 2) { return Line{0, 0, 0, 0, Pen, -1, thickness}; }
const Line Ground{10.0, 120.0, 100.0, 0.0, 0x000000, -1, 1};  // the line y = 120, pointing right
const SquareKit Kit{60.0, 30.0, 0x0000B0, 0x0000B0};

Point ProtractorEnd(const Point& point, double angle, double size) {
    const Line perp = VEK_MAKERIGHTANGLE(point, Ground);
    const Point v = VEK_LINECROSS(Ground, perp);
    return VEK_ADVANCEONLINE(v, VEK_MAKEANGLE(v, Ground, angle, LineLook{-1, 1}), 0.5 * size + 10.0);
}

struct FilmCase {
    std::string name;
    std::function<std::int32_t(FilmStage&)> play;  // the film; returns its input code
    std::function<void(ImageHandle)> finished;     // the finished figure, drawn directly
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const FilmCase& c, std::ostream* out) { *out << c.name; }

std::vector<FilmCase> Films() {
    const Circle arc{100, 75, 50, 0.5, 2.5, Pen, 1};
    const Circle circle{100, 75, 40, 0, 0, Pen, 2};
    // A quarter of a radian is hurried: frames 1, 3, 5, 8, 12 and 17 of 20.
    const Circle shortArc{100, 75, 60, 1.0, 1.25, Pen, 1};
    const double angle = 1.0471975511966;  // 60 degrees
    return {
        {"line along the ruler",
         [](FilmStage& s) {
             return AnimateLine(s.film(), At(20, 30), At(180, 110), Look(), 1.0f, 60, PencilAndRuler);
         },
         [](ImageHandle p) { DrawLineP(p, At(20, 30), At(180, 110), Look()); }},
        {"start line",
         [](FilmStage& s) {
             return StartLine(s.film(), At(20, 120), At(150, 40), Look(1), 1.0f, 60, PencilAndRuler);
         },
         [](ImageHandle p) {
             DrawLineP(p, At(20, 120), At(150, 40), Look(1));
             DrawPoint(p, At(150, 40));
         }},
        {"arc", [arc](FilmStage& s) { return AnimateArc(s.film(), arc, 1.0f, 80, ShowTool | 0xB0B0B0); },
         [arc](ImageHandle p) { DrawCircle(p, arc); }},
        {"full circle",
         [circle](FilmStage& s) { return AnimateArc(s.film(), circle, 1.0f, 80, ShowTool | 0xB0B0B0); },
         [circle](ImageHandle p) { DrawCircle(p, circle); }},
        {"short arc",
         [shortArc](FilmStage& s) { return AnimateArc(s.film(), shortArc, 1.0f, 80, ShowTool); },
         [shortArc](ImageHandle p) { DrawCircle(p, shortArc); }},
        {"perpendicular with the set square",
         [](FilmStage& s) {
             return AnimateDrawRightAngle(s.film(), Ground, At(90, 60), 1.0f, Look(), Kit, Pencil).input;
         },
         [](ImageHandle p) { DrawLineP(p, At(90, 120), At(90, 60), Look()); }},
        {"parallel with the set square",
         [](FilmStage& s) {
             return AnimateDrawParallel(s.film(), Ground, At(100, 70), 1.0f, Look(), Kit, Pencil).input;
         },
         [](ImageHandle p) {
             const double half = 0.7071 * Kit.size;
             DrawLineP(p, At(100 - half, 70), At(100 + half, 70), Look());
         }},
        {"protractor",
         [angle](FilmStage& s) {
             return AnimateProtractor(s.film(), Ground, At(100, 100), angle, 1.0f, 80, Look(), Pencil).input;
         },
         [angle](ImageHandle p) { DrawLineP(p, At(100, 120), ProtractorEnd(At(100, 100), angle, 80), Look()); }},
        {"protractor without instruments",
         [angle](FilmStage& s) {
             return AnimateProtractor(s.film(), Ground, At(100, 100), angle, 1.0f, 80, Look(), 0).input;
         },
         [angle](ImageHandle p) { DrawLineP(p, At(100, 120), ProtractorEnd(At(100, 100), angle, 80), Look()); }},
    };
}

// A mark already on the page must survive every film.
void Background(ImageHandle page) { DrawLineP(page, At(0, 5), At(199, 140), Line{0, 0, 0, 0, 0x00A000, -1, 3}); }

class FilmEffect : public ::testing::TestWithParam<FilmCase> {};

TEST_P(FilmEffect, LeavesExactlyTheFinishedFigure) {
    OwnedImage expected;
    Background(expected.image);
    GetParam().finished(expected.image);

    FilmStage stage;
    Background(stage.page.image);
    EXPECT_EQ(GetParam().play(stage), 0);
    stage.Settle();
    EXPECT_TRUE(SamePixels(stage.page.image, expected.image));
    EXPECT_GT(stage.watcher.Changes().size(), 5u) << "a film shows frames";
}

TEST_P(FilmEffect, InterruptedInItsThirdPictureStillLeavesTheFinishedFigure) {
    OwnedImage expected;
    Background(expected.image);
    GetParam().finished(expected.image);

    FilmStage dryRun;
    GetParam().play(dryRun);
    ASSERT_GT(dryRun.watcher.Changes().size(), 4u);
    // Picture 0 is the empty screen; the film's third picture follows.
    const auto keyMs = static_cast<std::int64_t>(std::lround(dryRun.watcher.Changes()[3] * 1000)) + 5;

    FilmStage stage({KeyAt(keyMs, 'k')});
    Background(stage.page.image);
    EXPECT_EQ(GetParam().play(stage), KeyCodeBit | 'k');
    EXPECT_TRUE(SamePixels(stage.page.image, expected.image));
    EXPECT_LT(stage.device.ClockSeconds(), dryRun.device.ClockSeconds());
    EXPECT_LT(stage.device.ClockSeconds(), keyMs / 1000.0 + 0.1) << "the film ends at once";
}

INSTANTIATE_TEST_SUITE_P(Films, FilmEffect, ::testing::ValuesIn(Films()), [](const auto& info) {
    std::string name;
    for (char c : info.param.name) name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name;
});

TEST(FilmEffect, AKeyInTheFirstPauseSkipsTheSlideAndThePencil) {
    OwnedImage expected;
    DrawLineP(expected.image, At(90, 120), At(90, 60), Look());
    FilmStage stage({KeyAt(100, 'x')});
    const std::int32_t code = AnimateDrawRightAngle(stage.film(), Ground, At(90, 60), 1.0f, Look(), Kit, Pencil).input;
    stage.Settle();
    EXPECT_EQ(code, KeyCodeBit | 'x');
    EXPECT_TRUE(SamePixels(stage.page.image, expected.image));
    // The empty screen, the square, then the finished page: no slide, no pencil.
    EXPECT_EQ(stage.watcher.Changes().size(), 3u);
}

struct FrameCountCase {
    float duration;
    float frameSeconds;
    std::int32_t frames;
};

class FrameCount : public ::testing::TestWithParam<FrameCountCase> {};

TEST_P(FrameCount, FollowsDurationOverFrameTime) {
    const FrameCountCase c = GetParam();
    FilmStage stage;
    stage.settings.frameSeconds = c.frameSeconds;
    const double start = stage.device.ClockSeconds();
    EXPECT_EQ(AnimateLine(stage.film(), At(20, 75), At(180, 75), Look(), c.duration, 60, Pencil), 0);
    const double elapsed = stage.device.ClockSeconds() - start;
    stage.Settle();
    // Every frame is a new picture, and the finished segment without the pencil one more.
    EXPECT_EQ(stage.watcher.Changes().size(), 1u + c.frames + 1u);
    const double paced = c.frames * static_cast<double>(c.frameSeconds);
    EXPECT_GE(elapsed, paced);
    EXPECT_LE(elapsed, paced + 0.025);
}

INSTANTIATE_TEST_SUITE_P(Films, FrameCount,
                         ::testing::Values(FrameCountCase{1.0f, 0.05f, 20}, FrameCountCase{1.0f, 0.1f, 10},
                                           FrameCountCase{0.5f, 0.05f, 10}, FrameCountCase{0.02f, 0.05f, 0},
                                           FrameCountCase{0.03f, 0.05f, 1}, FrameCountCase{1.0f, 0.0f, 0},
                                           FrameCountCase{1.0f, -0.05f, 0}, FrameCountCase{-1.0f, 0.05f, 0}));

TEST(FilmSteps, NeverOverflowsAndShowsNothingWithoutAFrameTime) {
    EXPECT_EQ(FilmSteps(1.0f, 0.05f), 20);
    EXPECT_EQ(FilmSteps(2.5f, 1.0f), 2);  // halves to even
    EXPECT_EQ(FilmSteps(3.5f, 1.0f), 4);
    EXPECT_EQ(FilmSteps(1.0f, 0.0f), 0);
    EXPECT_EQ(FilmSteps(-1.0f, -0.05f), 0);
    EXPECT_EQ(FilmSteps(NAN, 0.05f), 0);
    EXPECT_EQ(FilmSteps(1e30f, 1e-30f), MostFilmSteps);
    EXPECT_EQ(FilmSteps(INFINITY, 0.05f), MostFilmSteps);
}

TEST(FrameLoop, WithoutADeviceDrawsTheFinishedFigureAtOnce) {
    OwnedImage page, expected;
    DrawLineP(expected.image, At(20, 30), At(180, 110), Look());
    const Settings settings;
    Stage noDevice(nullptr, settings);
    noDevice.page = page.image;
    EXPECT_EQ(AnimateLine(noDevice, At(20, 30), At(180, 110), Look(), 1.0f, 60, Pencil), 0);
    EXPECT_TRUE(SamePixels(page.image, expected.image));
}

TEST(FrameLoop, UndefinedFiguresMakeNoFilm) {
    FilmStage stage;
    OwnedImage blank;
    const Point undefined = UndefinedPoint();
    EXPECT_EQ(AnimateLine(stage.film(), undefined, At(1, 1), Look(), 1.0f, 60, Pencil), 0);
    EXPECT_EQ(AnimateArc(stage.film(), UndefinedCircle(), 1.0f, 60, ShowTool), 0);
    const Shown<Line> parallel = AnimateDrawParallel(stage.film(), Ground, undefined, 1.0f, Look(), Kit, Pencil);
    EXPECT_TRUE(IsUndefined(parallel.figure));
    EXPECT_EQ(parallel.input, 0);
    const Shown<Line> ray = AnimateProtractor(stage.film(), UndefinedLine(), At(1, 1), 1.0, 1.0f, 80, Look(), Pencil);
    EXPECT_TRUE(IsUndefined(ray.figure));
    EXPECT_EQ(ray.input, 0);
    EXPECT_TRUE(SamePixels(stage.page.image, blank.image));
    EXPECT_EQ(stage.device.ClockSeconds(), 0.001);
}

}  // namespace
}  // namespace vekora::testing
