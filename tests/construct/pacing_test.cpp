// What each call mode shows of every construction, on the headless device's virtual clock:
// FAST draws the result on the page only; PACE shows stage by stage with a step-time pause
// after each; an input cuts a pause short and skips the pauses made only if quiet, never the
// drawing of the result; other modes draw nothing; undefined inputs draw nothing.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

#include "platform/active_device.h"
#include "tests/support/construct_support.h"
#include "geom/kernel.h"
#include "platform/input.h"

namespace vekora {
namespace {

using namespace vekora::testing;

constexpr std::int32_t StepMs = 200;
constexpr std::int32_t PageWidth = 320;
constexpr std::int32_t PageHeight = 240;

struct Inputs {
    Point a = Pt(60, 150);
    Point b = Pt(200, 110);
    Line l1 = Ln(40, 200, 100, 0);
    Line l2 = Ln(40, 200, 60, -60);
    Circle c = Circle{230, 100, 40, 0, 0, PointInk, 1};
};

// Which inputs a construction reads.
enum Uses { UsesA = 1, UsesB = 2, UsesL1 = 4, UsesL2 = 8, UsesC = 16 };

std::vector<double> Fields(const Line& l) { return {l.x0, l.y0, l.dx, l.dy, double(l.colour), double(l.style), double(l.thickness)}; }
std::vector<double> Fields(const Circle& c) { return {c.x, c.y, c.r, c.start, c.end, double(c.colour), double(c.thickness)}; }

using Run = std::function<std::vector<double>(StagedCall&, const Inputs&)>;

struct Case {
    const char* name;
    int stages;  // PACE pauses when no input arrives
    int uses;
    Run run;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }

const StyleWords Words{-1, Word(Result), 1};
const RingWords Ring{Word(Result), 1};

const std::vector<Case>& Cases() {
    static const std::vector<Case> cases = {
        {"line", 1, UsesA | UsesB, [](StagedCall& k, const Inputs& in) { return Fields(k.Take(VEKS_MAKELINE(k.stage, k.mode, in.a, in.b, Words))); }},
        {"linepolar", 1, UsesA | UsesL1,
         [](StagedCall& k, const Inputs& in) { return Fields(k.Take(VEKS_MAKELINEPOLAR(k.stage, k.mode, in.a, in.l1, 30 * 256, Words))); }},
        {"startline", 1, UsesA,
         [](StagedCall& k, const Inputs& in) {
             Point end = Pt(1, 1);
             std::vector<double> f = Fields(k.Take(VEKS_MAKESTARTLINE(k.stage, k.mode, in.a, end, 20 * 256, 80 * 65536, Words)));
             f.push_back(end.x);
             return f;
         }},
        {"circlep", 1, UsesA | UsesB,
         [](StagedCall& k, const Inputs& in) { return Fields(k.Take(VEKS_MAKECIRCLEP(k.stage, k.mode, in.a, in.b, Ring, {}))); }},
        {"circletangent", 2, UsesA | UsesL1,
         [](StagedCall& k, const Inputs& in) { return Fields(k.Take(VEKS_MAKECIRCLETANGENT(k.stage, k.mode, in.a, in.l1, Ring, {}))); }},
        {"arc", 1, UsesA | UsesB,
         [](StagedCall& k, const Inputs& in) { return Fields(k.Take(VEKS_MAKEARC(k.stage, k.mode, in.a, in.b, Ring, 60 * 256))); }},
        {"arclines", 1, UsesL1 | UsesL2,
         [](StagedCall& k, const Inputs& in) { return Fields(k.Take(VEKS_MAKEARCLINES(k.stage, k.mode, in.l1, in.l2, 50 * 65536, Ring))); }},
        {"midline", 2, UsesA | UsesB,
         [](StagedCall& k, const Inputs& in) { return Fields(k.Take(VEKS_MAKEMIDLINE(k.stage, k.mode, in.a, in.b, Words))); }},
        {"bisector", 2, UsesL1 | UsesL2,
         [](StagedCall& k, const Inputs& in) { return Fields(k.Take(VEKS_MAKEBISECTOR(k.stage, k.mode, in.l1, in.l2, Words))); }},
        {"tangent", 2, UsesA | UsesC,
         [](StagedCall& k, const Inputs& in) {
             Line second{};
             std::vector<double> f = Fields(k.Take(VEKS_MAKETANGENT(k.stage, k.mode, in.a, in.c, second, Words)));
             const std::vector<double> s = Fields(second);
             f.insert(f.end(), s.begin(), s.end());
             return f;
         }},
    };
    return cases;
}

class Paced : public ::testing::TestWithParam<Case> {};

INSTANTIATE_TEST_SUITE_P(Constructions, Paced, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

// A stage with the pacing tests' page and step time; a key 'k' arrives at keyAtMs when given.
struct PacedStage : ConstructionStage {
    explicit PacedStage(std::int64_t keyAtMs = -1)
        : ConstructionStage(keyAtMs < 0 ? std::vector<InputEvent>{}
                                        : std::vector<InputEvent>{{keyAtMs, InputEvent::Kind::Key, "k"}},
                            PageWidth, PageHeight) {
        settings.stepMs = StepMs;
    }
};

TEST_P(Paced, FastDrawsTheResultOnThePageWithoutShowingOrWaiting) {
    PacedStage stage;
    StagedCall call = stage.Call(ModeFast);
    call.input = 99;  // a code from before is not handed back
    GetParam().run(call, Inputs{});
    EXPECT_GT(CountColour(stage.page(), Result), 30);
    EXPECT_EQ(CountColour(stage.page(), Aid), 0);
    EXPECT_EQ(CountColour(TargetOrScreen(nullptr), Result), 0);
    EXPECT_EQ(stage.nowMs(), 0);
    EXPECT_EQ(call.input, 0);
}

TEST_P(Paced, PaceShowsEachStageAndPausesTheStepTimeAfterIt) {
    PacedStage stage;
    StagedCall call = stage.Call(ModePace);
    GetParam().run(call, Inputs{});
    const int stages = GetParam().stages;
    EXPECT_GE(stage.nowMs(), stages * StepMs);
    EXPECT_LE(stage.nowMs(), stages * (StepMs + 25));
    EXPECT_EQ(call.input, 0);
    // The screen shows the whole page.
    EXPECT_EQ(CountColour(TargetOrScreen(nullptr), Result), CountColour(stage.page(), Result));
    const std::vector<ScreenState>& film = stage.film();
    ASSERT_FALSE(film.empty());
    if (stages == 2) {
        // The aids alone first, for one step time; then the result.
        EXPECT_EQ(film.front().resultPixels, 0);
        EXPECT_GT(film.front().aidPixels, 0);
        ASSERT_EQ(film.size(), 2u);
        EXPECT_NEAR(film[1].fromSeconds * 1000, StepMs, 25);
    } else {
        EXPECT_EQ(film.size(), 1u);
    }
    EXPECT_GT(film.back().resultPixels, 30);
}

TEST_P(Paced, AnInputCutsThePauseShortAndSkipsTheQuietOnesButNotTheResult) {
    PacedStage stage(100);
    StagedCall call = stage.Call(ModePace);
    GetParam().run(call, Inputs{});
    EXPECT_EQ(call.input, KeyCodeBit | 'k');
    EXPECT_GE(stage.nowMs(), 100);
    EXPECT_LT(stage.nowMs(), 150);
    EXPECT_GT(CountColour(TargetOrScreen(nullptr), Result), 30);
    EXPECT_EQ(CountColour(TargetOrScreen(nullptr), Result), CountColour(stage.page(), Result));
}

TEST_P(Paced, OtherModesComputeTheSameResultAndDrawNothing) {
    std::vector<double> fast;
    {
        PacedStage stage;
        StagedCall call = stage.Call(ModeFast);
        fast = GetParam().run(call, Inputs{});
    }
    for (const std::int32_t mode : {4, 3, -1, 0x10000}) {
        PacedStage stage;
        StagedCall call = stage.Call(static_cast<CallMode>(mode));
        call.input = 5;  // a code from before is not handed back
        EXPECT_EQ(GetParam().run(call, Inputs{}), fast) << mode;
        EXPECT_EQ(CountColour(stage.page(), White), PageWidth * PageHeight) << mode;
        EXPECT_EQ(stage.nowMs(), 0);
        EXPECT_EQ(call.input, 0);
    }
    for (const CallMode mode : {ModePace, ModeSlow}) {
        PacedStage stage;
        StagedCall call = stage.Call(mode);
        EXPECT_EQ(GetParam().run(call, Inputs{}), fast);
        EXPECT_GT(CountColour(stage.page(), Result), 30);
    }
}

TEST_P(Paced, AnUndefinedInputGivesAnUndefinedResultAndDrawsNothing) {
    for (int bit = 1; bit <= UsesC; bit <<= 1) {
        if ((GetParam().uses & bit) == 0) continue;
        Inputs in;
        if (bit == UsesA) in.a = UndefinedPoint();
        if (bit == UsesB) in.b = UndefinedPoint();
        if (bit == UsesL1) in.l1 = UndefinedLine();
        if (bit == UsesL2) in.l2 = UndefinedLine();
        if (bit == UsesC) in.c = UndefinedCircle();
        PacedStage stage;
        StagedCall call = stage.Call(ModePace);
        call.input = 5;  // a code from before is not handed back
        EXPECT_EQ(GetParam().run(call, in)[0], UNDEFINED) << bit;
        EXPECT_EQ(CountColour(stage.page(), White), PageWidth * PageHeight) << bit;
        EXPECT_EQ(stage.nowMs(), 0) << bit;
        EXPECT_EQ(call.input, 0) << bit;
    }
}

// Figures far outside the page, and coordinates that are not numbers, are clipped: every
// construction finishes in its usual time and draws only what reaches the page.
TEST_P(Paced, FarAndNonNumericFiguresFinishInTheirUsualTime) {
    const double nan = std::nan("");
    Inputs far;
    far.a = Pt(1e280, -1e300);
    far.l1 = Ln(1e280, 1e280, 1e-300, 1);
    far.c = Circle{-1e300, 0, 1e300, 0, 0, PointInk, 1};
    Inputs wild;
    wild.b = Pt(nan, 40);
    wild.l2 = Ln(40, nan, 1, nan);
    wild.c = Circle{100, 100, nan, 0, 0, PointInk, 1};
    for (const Inputs& in : {far, wild}) {
        PacedStage stage;
        StagedCall call = stage.Call(ModePace);
        GetParam().run(call, in);
        EXPECT_LE(stage.nowMs(), GetParam().stages * (StepMs + 25));
    }
}

TEST(Pacing, ThePageIsShownAtTheDrawingOrigin) {
    ConstructionStage stage({}, 40, 30, 7, 5);
    StagedCall call = stage.Call(ModePace);
    VEKS_MAKELINE(call.stage, call.mode, Pt(0, 0), Pt(39, 0), {-1, Word(Result), 1});
    EXPECT_EQ(PixelValue(TargetOrScreen(nullptr), 7, 5), EncodeColour(Result, 2));
    EXPECT_EQ(PixelValue(TargetOrScreen(nullptr), 46, 5), EncodeColour(Result, 2));
    EXPECT_EQ(PixelValue(TargetOrScreen(nullptr), 6, 5), 0u);
    EXPECT_EQ(PixelValue(TargetOrScreen(nullptr), 7, 4), 0u);
}

TEST(Pacing, APageThatIsTheScreenIsDrawnInPlace) {
    ConstructionStage stage({}, 40, 30, 7, 5);
    Stage onScreen(ActiveDevice(), stage.settings);
    onScreen.originX = 7;
    onScreen.originY = 5;
    VEKS_MAKELINE(onScreen, ModePace, Pt(0, 0), Pt(20, 0), {-1, Word(Result), 1});
    EXPECT_EQ(PixelValue(TargetOrScreen(nullptr), 0, 0), EncodeColour(Result, 2));
    EXPECT_EQ(PixelValue(TargetOrScreen(nullptr), 7, 5), 0u);
    EXPECT_GE(stage.nowMs(), 1000);
}

}  // namespace
}  // namespace vekora
