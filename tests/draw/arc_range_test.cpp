// Which ring pixels belong to an arc: the answers found without an angle (by quadrant, by side
// of the end directions) are the ones the pixel's angle gives, on every pixel tried.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>
#include <vector>

#include "draw/arc_range.h"

namespace vekora {
namespace {

constexpr float Pi = std::numbers::pi_v<float>;

struct Offset {
    double dx, dy;
};

// Offsets around the circle of radius r: every pixel near it for a small ring, else pixels
// in random directions and straddling the arc's ends and the axes.
std::vector<Offset> PixelsToTry(std::mt19937& random, double r, const std::vector<double>& angles) {
    std::vector<Offset> pixels;
    if (r <= 40) {
        const int reach = static_cast<int>(r) + 2;
        for (int dy = -reach; dy <= reach; ++dy) {
            for (int dx = -reach; dx <= reach; ++dx) pixels.push_back({static_cast<double>(dx), static_cast<double>(dy)});
        }
        return pixels;
    }
    std::uniform_real_distribution<double> turn(0, 2 * std::numbers::pi);
    std::vector<double> directions = angles;
    for (int i = 0; i < 400; ++i) directions.push_back(turn(random));
    for (const double a : directions) {
        for (const double nudge : {-1e-9, 0.0, 1e-9}) {
            const double x = std::round(r * std::cos(a + nudge)), y = -std::round(r * std::sin(a + nudge));
            for (int k = -1; k <= 1; ++k) {
                pixels.push_back({x + k, y});
                pixels.push_back({x, y + k});
            }
        }
    }
    return pixels;
}

TEST(ArcRange, EveryPixelGetsTheAnswerOfItsAngle) {
    std::mt19937 random(17);
    std::uniform_real_distribution<float> angle(0, 2 * Pi);
    std::uniform_real_distribution<float> tiny(0, 1e-5f);
    const std::vector<float> special{0, Pi / 2, Pi, 3 * Pi / 2, 2 * Pi, 1e-7f, 2 * Pi - 1e-6f};
    const std::vector<float> radii{0.3f, 0.5f, 0.7f, 1, 2.5f, 7, 20, 39.5f, 160.3f, 1e4f, 3e7f, 3e38f};
    int tried = 0;
    for (int i = 0; i < 600; ++i) {
        float start = angle(random), end = angle(random);
        switch (i % 5) {
            case 0: start = special[static_cast<std::size_t>(i / 5) % special.size()]; break;
            case 1: end = special[static_cast<std::size_t>(i / 5) % special.size()]; break;
            case 2: end = start + tiny(random); break;              // a sweep of almost nothing
            case 3: end = start + 2 * Pi - tiny(random); break;     // almost a full turn
            default: break;
        }
        const double r = radii[static_cast<std::size_t>(i) % radii.size()];
        const ArcRange arc = MakeArc(std::fabs(static_cast<double>(start)), std::fabs(static_cast<double>(end)), r);
        const std::vector<double> ends{arc.start - arc.slack, arc.start + arc.sweep + arc.slack, arc.start,
                                       0, Pi / 2, Pi, 3 * Pi / 2};
        for (const Offset& p : PixelsToTry(random, r, ends)) {
            ++tried;
            ASSERT_EQ(arc.Contains(p.dx, p.dy), arc.ContainsByAngle(p.dx, p.dy))
                << "arc " << start << " to " << end << " radius " << r << " pixel " << p.dx << ", " << p.dy;
        }
    }
    EXPECT_GT(tried, 100000);
}

TEST(ArcRange, ShortAndWideArcsHoldTheirMiddleAndNotTheirOpposite) {
    for (const double sweep : {0.3, 3.0, 3.3, 6.0}) {
        for (const double start : {0.1, 1.7, 3.2, 5.9}) {
            const ArcRange arc = MakeArc(start, std::fmod(start + sweep, 2 * std::numbers::pi), 50);
            const double middle = start + sweep / 2, opposite = middle + std::numbers::pi;
            EXPECT_TRUE(arc.Contains(std::round(50 * std::cos(middle)), -std::round(50 * std::sin(middle))))
                << start << " + " << sweep;
            EXPECT_FALSE(arc.Contains(std::round(50 * std::cos(opposite)), -std::round(50 * std::sin(opposite))))
                << start << " + " << sweep;
        }
    }
}

}  // namespace
}  // namespace vekora
