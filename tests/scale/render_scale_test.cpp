// Pictures drawn at render scale k against the same run at scale 1, over every example and
// every script of the manual's reference (which between them draw every figure, fill, mark,
// text size, instrument, the bar and menus): the picture at k is the picture at 1, drawn k
// times finer. For each pixel the scale-1 picture draws (any colour but its background):
//   - a pixel of its colour lies within k pixels of its k x k block in the picture at k (save
//     one in a thousand: where a later figure crosses an earlier one, a lone pixel of the
//     earlier that survives at scale 1 can be covered by the later's finer stroke at k);
//   - the picture at k, each block reduced to its most frequent colour, shows that colour at
//     97 % of them at least (96.5 % at 3: letters made from the outlines for three times the
//     size differ in shape from the hinted scale-1 letters, and a page of text of every size
//     reaches 96.9 %).
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/script_run_support.h"

namespace vekora::testing {
namespace {

namespace fs = std::filesystem;

const fs::path Source = VEKORA_SOURCE_DIR;

// Long enough for every lesson's construction; lessons that wait for the viewer stop here.
constexpr std::int64_t LimitMs = 30000;

struct Lesson {
    std::string name;
    std::string script;
    std::string events;
    std::int64_t untilMs = LimitMs;  // the picture as the run stands then
};

std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Every example, with its events where it has some, and every ```vek block of the reference;
// and pictures in the middle of the instruments' SLOW films, ruler, pencil and compasses at work.
std::vector<Lesson> Lessons() {
    std::vector<Lesson> lessons;
    const std::string instruments = Slurp(Source / "examples" / "instruments.vek");
    // Every 2.3 s of the run, ruler, pencil, compasses, set square and protractor among them.
    for (std::int64_t ms = 1100; ms < 45000; ms += 2300)
        lessons.push_back({"instruments_at_" + std::to_string(ms), instruments, "", ms});
    for (const fs::directory_entry& entry : fs::directory_iterator(Source / "examples")) {
        if (entry.path().extension() != ".vek") continue;
        fs::path events = entry.path();
        events.replace_extension(".events");
        lessons.push_back({entry.path().stem().string(), Slurp(entry.path()), fs::exists(events) ? Slurp(events) : ""});
    }
    for (const fs::directory_entry& entry : fs::directory_iterator(Source / "docs" / "reference")) {
        if (entry.path().extension() != ".md") continue;
        std::istringstream page(Slurp(entry.path()));
        std::string line, block;
        bool inBlock = false;
        int count = 0;
        while (std::getline(page, line)) {
            // "```vek" and the picture the manual draws from it, if any.
            if (!inBlock && line.rfind("```vek", 0) == 0) {
                inBlock = true;
                block.clear();
            } else if (inBlock && line == "```") {
                inBlock = false;
                lessons.push_back({entry.path().stem().string() + "_" + std::to_string(++count), block, ""});
            } else if (inBlock) {
                block += line + "\n";
            }
        }
    }
    std::sort(lessons.begin(), lessons.end(), [](const Lesson& a, const Lesson& b) { return a.name < b.name; });
    return lessons;
}

std::uint32_t Background(const ScriptOutcome& picture) {
    std::map<std::uint32_t, int> counts;
    for (const std::uint32_t colour : picture.screen) ++counts[colour];
    return std::max_element(counts.begin(), counts.end(), [](const auto& a, const auto& b) { return a.second < b.second; })->first;
}

struct Agreement {
    int drawn = 0;     // pixels the scale-1 picture draws
    int unmatched = 0; // of them, with no pixel of their colour near their block at k
    int reduced = 0;   // of them, whose block at k reduces to their colour
};

Agreement Compare(const ScriptOutcome& one, const ScriptOutcome& fine, std::int32_t k) {
    Agreement result;
    const std::uint32_t background = Background(one);
    std::map<std::uint32_t, int> block;
    for (std::int32_t y = 0; y < one.height; ++y) {
        for (std::int32_t x = 0; x < one.width; ++x) {
            const std::uint32_t colour = one.At(x, y);
            if (colour == background) continue;
            ++result.drawn;
            if (fine.Count(k * x - k, k * y - k, k * x + 2 * k - 1, k * y + 2 * k - 1, colour) == 0) ++result.unmatched;
            block.clear();
            for (std::int32_t dy = 0; dy < k; ++dy)
                for (std::int32_t dx = 0; dx < k; ++dx) ++block[fine.At(k * x + dx, k * y + dy)];
            const auto most = std::max_element(block.begin(), block.end(),
                                               [](const auto& a, const auto& b) { return a.second < b.second; });
            // A tie counts for the colour when it is among the most frequent.
            result.reduced += block[colour] == most->second;
        }
    }
    return result;
}

class RenderScale : public ::testing::TestWithParam<std::int32_t> {};

TEST_P(RenderScale, EveryLessonIsItsScaleOnePictureDrawnFiner) {
    const std::int32_t k = GetParam();
    const std::vector<Lesson> lessons = Lessons();
    ASSERT_GT(lessons.size(), 20u);
    for (const Lesson& lesson : lessons) {
        SCOPED_TRACE(lesson.name);
        const ScriptOutcome one = PlayHeadless(lesson.script, lesson.events, false, 1, lesson.untilMs);
        const ScriptOutcome fine = PlayHeadless(lesson.script, lesson.events, false, k, lesson.untilMs);
        ASSERT_EQ(fine.result, one.result);
        ASSERT_EQ(fine.ms, one.ms) << "the run takes the same virtual time";
        ASSERT_EQ(fine.width, k * one.width);
        ASSERT_EQ(fine.height, k * one.height);
        const Agreement agreement = Compare(one, fine, k);
        EXPECT_LE(agreement.unmatched * 1000, agreement.drawn) << agreement.unmatched << " of " << agreement.drawn << " drawn pixels";
        EXPECT_GE(agreement.reduced, (k == 2 ? 0.97 : 0.965) * agreement.drawn) << "of " << agreement.drawn << " drawn pixels";
    }
}

INSTANTIATE_TEST_SUITE_P(Scales, RenderScale, ::testing::Values(2, 3));

}  // namespace
}  // namespace vekora::testing
