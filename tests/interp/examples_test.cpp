// Every example script plays headless to its END without error, with its events file where
// it has one (a lesson steered by a menu), and leaves a drawing on the screen.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "tests/support/script_run_support.h"

namespace vekora {
namespace {

namespace fs = std::filesystem;
using testing::PlayHeadless;
using testing::ScriptOutcome;

std::string ReadText(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

TEST(Examples, EveryExamplePlaysToItsEnd) {
    int played = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(fs::path(VEKORA_SOURCE_DIR) / "examples")) {
        if (entry.path().extension() != ".vek") continue;
        SCOPED_TRACE(entry.path().filename().string());
        fs::path events = entry.path();
        events.replace_extension(".events");
        const std::string script = ScriptTextToLatin1(ReadText(entry.path()));
        const ScriptOutcome run = PlayHeadless(script, fs::exists(events) ? ReadText(events) : std::string());
        EXPECT_EQ(run.result, 255);
        EXPECT_FALSE(run.stopped);
        EXPECT_EQ(run.width, 640);
        EXPECT_EQ(run.height, 480);
        // Something besides the background, the bar and a text box was drawn on the page.
        EXPECT_GT(640 * 460 - run.Count(0, 0, 639, 459, 0xFFFFFF), 500);
        ++played;
    }
    EXPECT_GE(played, 6);
}

// The circumcircle example: the three corners lie on the green circle about O.
TEST(Examples, CircumcircleRingPassesThroughTheCorners) {
    const ScriptOutcome run =
        PlayHeadless(ScriptTextToLatin1(ReadText(fs::path(VEKORA_SOURCE_DIR) / "examples" / "circumcircle.vek")));
    constexpr std::uint32_t Green = testing::Shown(0x008000);
    for (const auto& [x, y] : {std::pair{140, 360}, std::pair{500, 380}, std::pair{300, 110}}) {
        EXPECT_GT(run.Count(x - 3, y - 3, x + 3, y + 3, Green), 0) << x << "," << y;
    }
}

}  // namespace
}  // namespace vekora
