// The window and the video writer are plugins: a run without a window, --check and the C
// library load neither the window system's nor the video codecs' libraries, and the program
// keeps working when a plugin is missing.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "tests/stop/program_run.h"

namespace vekora::testing {
namespace {

const std::string Lesson = std::string(VEKORA_SOURCE_DIR) + "/examples/circumcircle.vek";
const std::string NoPlugins = "/nonexistent/vekora-plugins";

using Environment = std::vector<std::pair<std::string, std::string>>;

// Runs `program` with `args` and these variables set, its standard error into `errPath`;
// returns the exit code.
int RunWith(const std::string& program, std::vector<std::string> args, const Environment& environment,
            const std::string& errPath) {
    const pid_t pid = fork();
    if (pid == 0) {
        for (const auto& [name, value] : environment) setenv(name.c_str(), value.c_str(), 1);
        std::freopen(errPath.c_str(), "w", stderr);
        std::freopen("/dev/null", "r", stdin);
        std::freopen("/dev/null", "w", stdout);
        std::vector<char*> argv{const_cast<char*>(program.c_str())};
        for (std::string& arg : args) argv.push_back(arg.data());
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

struct LoadCase {
    const char* what;
    std::string program;
    std::vector<std::string> args;
    bool loadsVideo;
};

// The dynamic loader's own account (LD_DEBUG=files) of every library a run opened.
TEST(Plugins, OnlyAWindowOrAVideoLoadsTheirLibraries) {
    const std::vector<LoadCase> cases = {
        {"--check", Program, {"--check", Lesson}, false},
        {"a headless screenshot", Program, {"--headless", "--no-logo", "--screenshot", Temp("load.png"), Lesson}, false},
        {"a headless GIF", Program, {"--headless", "--no-logo", "--until", "3000", "--record", Temp("load.gif"), Lesson}, false},
        {"the C library's headless run", VEKORA_RUN_LESSON, {Lesson, Temp("lib.png"), Temp("lib.gif")}, false},
        {"a window run with no display", Program, {"--no-logo", "--screenshot", Temp("nodisplay.png"), Lesson}, false},
        {"a headless video", Program, {"--headless", "--no-logo", "--until", "1000", "--record", Temp("load.mp4"), Lesson}, true},
    };
    for (const LoadCase& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string err = Temp("load.err");
        ASSERT_EQ(RunWith(c.program, c.args, {{"LD_DEBUG", "files"}, {"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}}, err), 0)
            << ReadAll(err);
        const std::string loaded = ReadAll(err);
        // The loader reports what it opens: the picture library every run needs is there.
        ASSERT_NE(loaded.find("file=libpng16.so"), std::string::npos) << loaded;
        EXPECT_EQ(loaded.find("libSDL2"), std::string::npos);
        EXPECT_EQ(loaded.find("vekora-window.so"), std::string::npos);
        EXPECT_EQ(loaded.find("libavcodec") != std::string::npos, c.loadsVideo);
        EXPECT_EQ(loaded.find("vekora-video.so") != std::string::npos, c.loadsVideo);
    }
}

TEST(Plugins, AWindowLoadsTheWindowPlugin) {
    if (std::getenv("DISPLAY") == nullptr) GTEST_SKIP() << "no display";
    const std::string err = Temp("window.err"), script = Temp("window.vek");
    Write(script, "SCREEN 200, 100\nEND\n");  // opens the window and ends
    const int status = RunWith(Program, {"--no-logo", script}, {{"LD_DEBUG", "files"}}, err);
#ifndef VEKORA_SANITIZED
    // (A sanitized program reports the window system's leaks at exit: its status says nothing.)
    ASSERT_EQ(status, 0) << ReadAll(err);
#else
    (void)status;
#endif
    const std::string loaded = ReadAll(err);
    EXPECT_NE(loaded.find("vekora-window.so"), std::string::npos) << loaded;
    EXPECT_NE(loaded.find("libSDL2"), std::string::npos);
}

// With no plugin to be found a window run plays headless, as without a display, and draws
// the same picture.
TEST(Plugins, WithoutTheWindowPluginTheRunIsHeadless) {
    const std::string err = Temp("nowindow.err"), picture = Temp("nowindow.png"), headless = Temp("headless.png");
    ASSERT_EQ(RunWith(Program, {"--no-logo", "--screenshot", headless, "--headless", Lesson}, {}, err), 0) << ReadAll(err);
    const Environment noWindow = {{"VEKORA_PLUGIN_DIR", NoPlugins}, {"DISPLAY", ":0"}};
    ASSERT_EQ(RunWith(Program, {"--no-logo", "--screenshot", picture, Lesson}, noWindow, err), 0) << ReadAll(err);
    const std::string said = ReadAll(err);
    EXPECT_NE(said.find("vekora-window.so is not installed"), std::string::npos) << said;
    EXPECT_NE(said.find("running headless"), std::string::npos) << said;
    EXPECT_FALSE(ReadAll(headless).empty());
    EXPECT_EQ(ReadAll(picture), ReadAll(headless));
}

// Without the video plugin a video is refused before the run, with exit code 4; GIFs need no plugin.
TEST(Plugins, WithoutTheVideoPluginOnlyVideosAreRefused) {
    const Environment noPlugins = {{"VEKORA_PLUGIN_DIR", NoPlugins}};
    const std::string err = Temp("novideo.err"), video = Temp("novideo.mp4"), gif = Temp("novideo.gif");
    std::remove(video.c_str());
    EXPECT_EQ(RunWith(Program, {"--headless", "--no-logo", "--record", video, Lesson}, noPlugins, err), 4);
    EXPECT_NE(ReadAll(err).find("--record: " + video + ": the plugin vekora-video.so is not installed"), std::string::npos)
        << ReadAll(err);
    EXPECT_TRUE(ReadAll(video).empty());
    EXPECT_EQ(RunWith(Program, {"--headless", "--no-logo", "--record", gif, Lesson}, noPlugins, err), 0) << ReadAll(err);
    EXPECT_TRUE(ValidGif(gif));
}

}  // namespace
}  // namespace vekora::testing
