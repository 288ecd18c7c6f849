// Every run ends within its bound and leaves its outputs whole or absent: a loop that never
// moves the clock stops at --until, a screen too large to make is refused without taking the
// memory, memory running out ends the program with exit code 5, and a recording is never seen
// half written, whether two runs write one path or a run is killed while recording.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "program_run.h"

namespace {

using namespace vekora::testing;
namespace fs = std::filesystem;

// A CONSTRUCTION that does nothing but repeat, for hours of real time were nothing counted.
std::string EndlessLoop(const std::string& mode) {
    return "CALL Spin " + mode + "\nEND\nCONSTRUCTION Spin\nREPEAT 2000000000\n";
}

// Kills the child if it outlives `seconds`: a run that does not end fails instead of hanging.
void KillAfter(pid_t pid, int seconds) {
    for (int i = 0; i < seconds * 10; ++i) {
        siginfo_t info{};
        if (waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid == pid) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    kill(pid, SIGKILL);
}

class EndlessLoopStops : public ::testing::TestWithParam<const char*> {};

TEST_P(EndlessLoopStops, AtTheVirtualTimeLimit) {
    const std::string script = Temp(std::string("loop-") + GetParam() + ".vek");
    Write(script, EndlessLoop(GetParam()));
    const std::string errors = Temp("loop.err");
    const int status = RunProgram({"--headless", "--no-logo", "--until", "1000", script}, errors,
                                  [](pid_t pid) { KillAfter(pid, 60); });
    EXPECT_EQ(status, 0) << "killed after a minute: the loop was not bounded";
    EXPECT_NE(ReadAll(errors).find("stopped at 1000 ms of virtual time"), std::string::npos) << ReadAll(errors);
}

INSTANTIATE_TEST_SUITE_P(Modes, EndlessLoopStops, ::testing::Values("FAST", "PACE"));

// Statements in a straight line can never loop, so they are not charged to the clock: a FAST
// construction of 30,000 of them ends in no time of the clock, far within the limit.
TEST(LongConstruction, ThirtyThousandFastStatementsRunToTheirEnd) {
    std::string text = "SCREEN 320, 240\nCALL Long FAST\nEND\nCONSTRUCTION Long\n";
    for (int i = 0; i < 30000; ++i) text += "POINT P, " + std::to_string(10 + i % 300) + ", " + std::to_string(10 + i % 220) + "\n";
    text += "REPEAT\n";
    const std::string script = Temp("long.vek");
    Write(script, text);
    const std::string errors = Temp("long.err");
    const int status = RunProgram({"--headless", "--no-logo", "--until", "60000", script}, errors,
                                  [](pid_t pid) { KillAfter(pid, 120); });
    EXPECT_EQ(status, 0) << ReadAll(errors);
    EXPECT_EQ(ReadAll(errors).find("stopped at"), std::string::npos) << ReadAll(errors);
}

TEST(TooLargeScreen, RunsOnWithoutAPageAndWithoutTheMemory) {
    const std::string script = Temp("huge.vek");
    Write(script, "SCREEN 8191, 65535\nPOINT A, 10, 10\nL = LINE A, A\nCLS\nEND\n");
    const std::string errors = Temp("huge.err");
    const ProgramExit exit = RunProgramWith({"--headless", "--no-logo", script}, errors, {},
                                            [](pid_t pid) { KillAfter(pid, 60); });
    EXPECT_EQ(exit.status, 0) << ReadAll(errors);
    EXPECT_NE(ReadAll(errors).find("SCREEN 8191, 65535: a page that cannot be made"), std::string::npos)
        << ReadAll(errors);
    // The screen alone would take a gigabyte at 16 bits.
    EXPECT_LT(exit.peakRssKb, 200L * 1024) << "peak resident memory in KB";
}

#if defined(__SANITIZE_ADDRESS__)
constexpr bool UnderAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool UnderAddressSanitizer = true;
#else
constexpr bool UnderAddressSanitizer = false;
#endif
#else
constexpr bool UnderAddressSanitizer = false;
#endif

// The smallest address space (to 16 MB) in which the program plays a tiny script: what its
// libraries take, which differs from one build to the next.
rlim_t AddressSpaceToStart(const std::string& errors) {
    const std::string tiny = Temp("tiny.vek");
    Write(tiny, "POINT A, 1, 1\nEND\n");
    rlim_t low = rlim_t{16} << 20, high = rlim_t{4096} << 20;
    while (high - low > (rlim_t{16} << 20)) {
        ProgramLimits limits;
        limits.addressSpaceBytes = low + (high - low) / 2;
        const int status = RunProgramWith({"--headless", "--no-logo", tiny}, errors, limits, [](pid_t) {}).status;
        (status == 0 ? high : low) = limits.addressSpaceBytes;
    }
    return high;
}

TEST(OutOfMemory, EndsTheProgramWithExitCodeFiveAndAMessage) {
    if (UnderAddressSanitizer) GTEST_SKIP() << "AddressSanitizer cannot run under a small address-space limit";
    const std::string errors = Temp("big.err");
    ProgramLimits limits;
    limits.addressSpaceBytes = AddressSpaceToStart(errors) + (rlim_t{64} << 20);
    // 60 MB of comment lines: read, converted and split, it needs several times that.
    const std::string script = Temp("big.vek");
    {
        std::ofstream out(script, std::ios::binary);
        const std::string line = "' " + std::string(98, 'x') + "\n";
        for (int i = 0; i < 600000; ++i) out << line;
        out << "END\n";
    }
    const ProgramExit exit = RunProgramWith({"--headless", "--no-logo", script}, errors, limits, [](pid_t) {});
    fs::remove(script);
    EXPECT_EQ(exit.status, 5) << ReadAll(errors);
    EXPECT_NE(ReadAll(errors).find("out of memory"), std::string::npos) << ReadAll(errors);
}

// A film of a segment drawn with the instruments, `frames` times: a recording long enough in
// real time for another run (or a kill) to meet it half way.
std::string Film(int repeats, const std::string& colour) {
    return "SCREEN 320, 240\nFRAMESPEED 10\nCALL Film SLOW\nEND\nCONSTRUCTION Film\nPOINT A, 20, 100\n"
           "POINT B, 300, 130\nL = LINE A, B, DEFAULT, " + colour + "\nREPEAT " + std::to_string(repeats) + "\n";
}

// The temporary files in the folder of `path` that are to become it: ".name.tmp-*".
std::vector<fs::path> Temporaries(const std::string& path) {
    const fs::path target(path);
    std::vector<fs::path> found;
    for (const fs::directory_entry& entry : fs::directory_iterator(target.parent_path()))
        if (entry.path().filename().string().rfind("." + target.stem().string() + ".tmp-", 0) == 0)
            found.push_back(entry.path());
    return found;
}

TEST(WholeOutputs, TwoRunsRecordingOnePathLeaveOneWholeGifOfEither) {
    const std::string red = Temp("red.vek"), blue = Temp("blue.vek");
    Write(red, Film(10, "&HFF0000"));
    Write(blue, Film(10, "&H0000FF"));
    const std::string redGif = Temp("red.gif"), blueGif = Temp("blue.gif"), shared = Temp("shared.gif");
    const std::string errors = Temp("two.err");
    ASSERT_EQ(RunProgram({"--headless", "--no-logo", "--record", redGif, red}, errors), 0);
    ASSERT_EQ(RunProgram({"--headless", "--no-logo", "--record", blueGif, blue}, errors), 0);
    ASSERT_NE(ReadAll(redGif), ReadAll(blueGif));
    fs::remove(shared);
    int blueStatus = -1;
    const int redStatus = RunProgram({"--headless", "--no-logo", "--record", shared, red}, errors, [&](pid_t) {
        blueStatus = RunProgram({"--headless", "--no-logo", "--record", shared, blue}, Temp("two-blue.err"));
    });
    EXPECT_EQ(redStatus, 0);
    EXPECT_EQ(blueStatus, 0);
    const std::string result = ReadAll(shared);
    EXPECT_TRUE(result == ReadAll(redGif) || result == ReadAll(blueGif)) << "a GIF of neither run";
    EXPECT_TRUE(ValidGif(shared));
    EXPECT_TRUE(Temporaries(shared).empty());
}

TEST(WholeOutputs, ARunKilledWhileRecordingLeavesNothingAtThePath) {
    const std::string script = Temp("killed.vek");
    Write(script, Film(30000, "&HFF0000"));
    const std::string gif = Temp("killed.gif");
    fs::remove(gif);
    bool recording = false;
    const int status = RunProgram({"--headless", "--no-logo", "--record", gif, script}, Temp("killed.err"),
                                  [&](pid_t pid) {
                                      // Until the temporary file holds frames, then a little more.
                                      for (int i = 0; i < 600 && !recording; ++i) {
                                          std::this_thread::sleep_for(std::chrono::milliseconds(50));
                                          recording = !Temporaries(gif).empty();
                                      }
                                      std::this_thread::sleep_for(std::chrono::milliseconds(300));
                                      kill(pid, SIGKILL);
                                  });
    EXPECT_EQ(status, 128 + SIGKILL);
    EXPECT_TRUE(recording) << "the recording never started";
    EXPECT_FALSE(fs::exists(gif));
    // What the killed run left is its own hidden temporary file, never the path.
    EXPECT_EQ(Temporaries(gif).size(), 1u);
    for (const fs::path& temporary : Temporaries(gif)) fs::remove(temporary);
}

// What stands at an output's path is respected: a link keeps linking (the picture it names is
// replaced), a pipe receives the picture, a folder is refused with exit 4 and left alone.
TEST(WholeOutputs, APathThatIsNotAFileIsFollowedWrittenToOrRefused) {
    const std::string script = Temp("paths.vek");
    Write(script, "SCREEN 120, 90, 32, &HFF0000\nEND\n");
    const fs::path folder = Temp("paths");
    fs::remove_all(folder);
    fs::create_directories(folder / "pictures");
    const std::string link = (folder / "link.png").string(), pipe = (folder / "pipe.png").string();
    const std::string plain = (folder / "plain.png").string(), taken = (folder / "taken.png").string();
    Write((folder / "pictures/old.png").string(), "old");
    fs::create_symlink("pictures/old.png", link);
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    fs::create_directories(taken);
    const std::string errors = Temp("paths.err");

    ASSERT_EQ(RunProgram({"--headless", "--no-logo", "--screenshot", plain, script}, errors), 0) << ReadAll(errors);
    EXPECT_EQ(RunProgram({"--headless", "--no-logo", "--screenshot", link, script}, errors), 0) << ReadAll(errors);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadAll((folder / "pictures/old.png").string()), ReadAll(plain));
    std::string piped;
    std::thread reader([&] { piped = ReadAll(pipe); });
    EXPECT_EQ(RunProgram({"--headless", "--no-logo", "--screenshot", pipe, script}, errors), 0) << ReadAll(errors);
    // Should the run never have opened the pipe, the reader still gets its end.
    if (const int writer = open(pipe.c_str(), O_WRONLY | O_NONBLOCK); writer >= 0) close(writer);
    reader.join();
    EXPECT_EQ(piped, ReadAll(plain));
    EXPECT_EQ(fs::status(pipe).type(), fs::file_type::fifo);
    EXPECT_EQ(RunProgram({"--headless", "--no-logo", "--screenshot", taken, script}, errors), 4);
    EXPECT_NE(ReadAll(errors).find("not a file that can be written"), std::string::npos) << ReadAll(errors);
    EXPECT_TRUE(fs::is_directory(taken));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), {}), 5) << "no temporary file is left";
    fs::remove_all(folder);
}

}  // namespace
