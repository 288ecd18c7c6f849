// --watch on the headless device: the test rewrites the script at set times of the virtual
// clock; the run under way stops and the new version plays from the start, a version that does
// not compile shows its messages on a grey page, and the next good one plays again.
#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <thread>
#include <sstream>

#include "draw/image.h"
#include "platform/active_device.h"
#include "platform/headless_device.h"
#include "run/run_script.h"
#include "shell/command_line.h"
#include "shell/play.h"
#include "shell/watch.h"
#include "tests/support/picture_support.h"

namespace vekora {
namespace {

namespace fs = std::filesystem;

// Writes the next version of the script when the virtual clock reaches its time.
class Rewriter : public ClockObserver {
public:
    struct Version {
        double seconds;
        std::string text;
    };
    Rewriter(fs::path path, std::vector<Version> versions) : path_(std::move(path)), versions_(std::move(versions)) {}
    void ClockAdvanced(double, double toSeconds, ImageHandle) override {
        while (next_ < versions_.size() && versions_[next_].seconds <= toSeconds) {
            std::ofstream(path_, std::ios::binary | std::ios::trunc) << versions_[next_++].text;
        }
    }

private:
    fs::path path_;
    std::vector<Version> versions_;
    std::size_t next_ = 0;
};

std::string ModeName(FileWatch::Mode mode) { return mode == FileWatch::Mode::Notify ? "Notify" : "Poll"; }

}  // namespace

// Names the case in test listings instead of dumping its bytes.
void PrintTo(FileWatch::Mode mode, std::ostream* out) { *out << ModeName(mode); }

namespace {

class Watching : public ::testing::TestWithParam<FileWatch::Mode> {
protected:
    Watching() : folder(fs::temp_directory_path() / ("vekora-watch-" + std::to_string(::getpid()))) {
        fs::create_directories(folder);
    }
    ~Watching() override { fs::remove_all(folder); }
    fs::path folder;
};

std::uint32_t ScreenColour(std::int32_t x, std::int32_t y) {
    const ImageHandle screen = ActiveDevice()->Screen();
    const std::int32_t bytes = SurfaceInfo(screen).bytesPerPixel;
    for (const std::uint32_t colour : {0xFF0000u, 0x00FF00u, 0x0000FFu, 0x808080u, 0xFFFFFFu}) {
        if (PixelValue(screen, x, y) == EncodeColour(colour, bytes)) return colour;
    }
    return 0x1;  // none of them
}

TEST_P(Watching, ReplaysEachSavedVersionFromTheStart) {
    const fs::path script = folder / "lesson.vek";
    std::ofstream(script, std::ios::binary) << "SCREEN 120, 100\nCLS &HFF0000\nWAIT 5000\nCLS &H00FF00\nEND\n";
    Rewriter rewriter(script, {{1.0, "SCREEN 120, 100\nPOINT\nEND\n"}, {3.0, "SCREEN 120, 100\nCLS &H0000FF\nEND\n"}});
    HeadlessDevice device;
    SetActiveDevice(&device);
    device.StopAt(6.0);
    device.AddClockObserver(&rewriter);

    std::ostringstream printed;
    std::ostringstream diagnostics;
    Console console(printed, false);
    ScriptRunSetup setup;
    setup.options.showLogo = false;
    setup.console = &console;
    setup.diagnostics = &diagnostics;
    std::vector<std::uint32_t> seen;  // the screen's colour after every run and every message page
    std::vector<std::string> messages;
    setup.afterCompiling = [&](const ScriptLines&, const ErrorLists& errors, const CompileNotes&) {
        messages.assign(errors.codes.size(), "message");
    };
    setup.beforeClosingLogo = [&] { seen.push_back(ScreenColour(60, 40)); };
    int plays = 0;
    WatchLoop loop;
    loop.playOnce = [&] {
        ++plays;
        ErrorLists errors;
        return RunScriptFile(script.string(), errors, setup);
    };
    loop.messages = [&] { return messages; };
    loop.finished = [&] { return device.StopCause() == StopReason::TimeLimit; };
    loop.messagesShown = [&] { seen.push_back(ScreenColour(2, 2)); };
    WatchScript(script.string(), loop, GetParam());
    device.RemoveClockObserver(&rewriter);
    SetActiveDevice(nullptr);

    // The first version never reached its green: the rewrite stopped it during its WAIT.
    EXPECT_EQ(plays, 3);
    EXPECT_EQ(seen, (std::vector<std::uint32_t>{0x808080, 0x0000FF}));
    EXPECT_NE(printed.str().find("Error 12"), std::string::npos);
    EXPECT_EQ(device.StopCause(), StopReason::TimeLimit);
}

INSTANTIATE_TEST_SUITE_P(FileWatchModes, Watching, ::testing::Values(FileWatch::Mode::Notify, FileWatch::Mode::Poll),
                         [](const ::testing::TestParamInfo<FileWatch::Mode>& info) { return ModeName(info.param); });

// From the command line: a headless watch waits for saves until --until, then ends as a run
// does; a script that does not compile leaves its message page in the screenshot.
TEST(WatchCommand, EndsAtItsTimeLimit) {
    const fs::path folder = fs::temp_directory_path() / ("vekora-watch-line-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    const fs::path script = folder / "still.vek";
    const fs::path shot = folder / "still.png";
    std::ostringstream printed;
    std::ostringstream diagnostics;
    Console console(printed, false);
    std::istringstream input("");
    std::ofstream(script, std::ios::binary) << "SCREEN 120, 100\nCLS &H0000FF\nEND\n";
    const CommandLine line =
        ParseCommandLine({"--headless", "--watch", "--until", "5000", "--screenshot", shot.string(), script.string()});
    EXPECT_EQ(PlayScript(line, console, input, diagnostics), ExitRunEnded);
    EXPECT_EQ(testing::ReadPng(shot.string()).At(60, 40), 0x0000FFu);

    std::ofstream(script, std::ios::binary | std::ios::trunc) << "SCREEN 120, 100\nPOINT\nEND\n";
    EXPECT_EQ(PlayScript(line, console, input, diagnostics), ExitRunEnded);
    EXPECT_EQ(testing::ReadPng(shot.string()).At(2, 2), 0x848284u);  // the grey page, as the 16-bit screen keeps it
    EXPECT_NE(diagnostics.str().find("still.vek:2:6: error[12]"), std::string::npos) << diagnostics.str();
    fs::remove_all(folder);
}

// A program blocked until input is woken by the watch's thread when the file is saved, and
// the save is still reported once by Changed; a save of another file of the folder wakes nothing.
TEST(FileWatch, WakesItsCallerOnASave) {
    const fs::path folder = fs::temp_directory_path() / ("vekora-wake-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    const fs::path script = folder / "a.vek";
    std::ofstream(script) << "END\n";
    for (const FileWatch::Mode mode : {FileWatch::Mode::Notify, FileWatch::Mode::Poll}) {
        SCOPED_TRACE(ModeName(mode));
        std::mutex lock;
        std::condition_variable woken;
        int wakes = 0;
        FileWatch watch(script.string(), mode);
        watch.WakeOnChange([&] {
            const std::lock_guard<std::mutex> guard(lock);
            ++wakes;
            woken.notify_all();
        });
        const auto wakesAfter = [&](std::chrono::milliseconds wait) {
            std::unique_lock<std::mutex> guard(lock);
            woken.wait_for(guard, wait, [&] { return wakes > 0; });
            return wakes;
        };
        std::ofstream(folder / "other.vek") << "END\n";
        EXPECT_EQ(wakesAfter(std::chrono::milliseconds(300)), 0);
        std::ofstream(script) << "SCREEN 100, 100\nEND\n";
        // One save may come as several events (modified, closed): each batch wakes.
        EXPECT_GE(wakesAfter(std::chrono::seconds(10)), 1);
        std::this_thread::sleep_for(std::chrono::milliseconds(300));  // the save's last events
        EXPECT_TRUE(watch.Noticed());
        EXPECT_TRUE(watch.Changed());
        EXPECT_FALSE(watch.Noticed());
        EXPECT_FALSE(watch.Changed());
    }
    fs::remove_all(folder);
}

TEST(FileWatch, SeesAnEditorReplaceTheFileByRenaming) {
    const fs::path folder = fs::temp_directory_path() / ("vekora-rename-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    const fs::path script = folder / "a.vek";
    std::ofstream(script) << "END\n";
    for (const FileWatch::Mode mode : {FileWatch::Mode::Notify, FileWatch::Mode::Poll}) {
        FileWatch watch(script.string(), mode);
        EXPECT_FALSE(watch.Changed());
        std::ofstream(folder / "a.vek.tmp") << "SCREEN 100, 100\nEND\n";
        fs::rename(folder / "a.vek.tmp", script);
        EXPECT_TRUE(watch.Changed());
        EXPECT_FALSE(watch.Changed());
        std::ofstream(folder / "other.vek") << "END\n";  // another file of the folder
        EXPECT_FALSE(watch.Changed());
    }
    fs::remove_all(folder);
}

}  // namespace
}  // namespace vekora
