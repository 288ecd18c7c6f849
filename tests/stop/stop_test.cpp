// A run stopped from outside finishes its outputs: SIGINT, SIGTERM and SIGHUP in the middle of a
// SLOW film leave the GIF the same run leaves when --until stops it at that moment, and a
// window closed during --record leaves a whole GIF. A window asleep in a long WAIT wakes at
// once for a key, a close or a signal.
// GoogleTest before Xlib, whose macros (None, Bool) would rename its types.
#include <gtest/gtest.h>
// clang-format off
#include <X11/Xlib.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
// clang-format on
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <regex>
#include <string>
#include <thread>

#include "program_run.h"

namespace {

using namespace vekora::testing;

// A segment drawn by the ruler and pencil again and again, for many hours of the virtual
// clock: a run that is still filming long after the signal arrives.
constexpr const char* LongFilm =
    "SCREEN 320, 240\nSPEED 1500\nFRAMESPEED 10\nCALL Film SLOW\nEND\n"
    "CONSTRUCTION Film\nPOINT A, 20, 100\nPOINT B, 300, 130\nL = LINE A, B\nREPEAT 30000\n";

class SignalStop : public ::testing::TestWithParam<int> {};

TEST_P(SignalStop, MidFilmLeavesTheGifThatUntilLeavesAtTheSameMoment) {
    const int signal = GetParam();
    const std::string name = signal == SIGINT ? "int" : signal == SIGTERM ? "term" : "hup";
    const std::string script = Temp(name + ".vek");
    Write(script, LongFilm);
    const std::string signalled = Temp(name + "-signal.gif"), limited = Temp(name + "-until.gif");
    const std::string errors = Temp(name + ".err");
    std::remove(signalled.c_str());
    // A day of the virtual clock: recording is fast enough that the default limit (600 s)
    // could be reached before the signal comes.
    const int status = RunProgram({"--headless", "--no-logo", "--until", "86400000", "--fps", "2", "--record", signalled, script},
                                  errors,
                                  [signal](pid_t pid) {
                                      std::this_thread::sleep_for(std::chrono::milliseconds(400));
                                      kill(pid, signal);
                                  });
    EXPECT_EQ(status, 128 + signal);
    const std::string note = ReadAll(errors);
    std::smatch match;
    ASSERT_TRUE(std::regex_search(note, match, std::regex("stopped by SIG(INT|TERM|HUP) at ([0-9]+) ms"))) << note;
    const long stoppedMs = std::stol(match[2]);
    ASSERT_GT(stoppedMs, 0);
    ASSERT_LT(stoppedMs, 30000L * 1500) << "the signal came after the film";
    ASSERT_TRUE(ValidGif(signalled));
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(signalled).parent_path()))
        EXPECT_EQ(entry.path().filename().string().find(".stop-" + name + "-signal.tmp"), std::string::npos)
            << "a temporary file left: " << entry.path();

    // A limit at the moment of the stop ends the run at the same step of the clock: the first
    // that goes past it.
    EXPECT_EQ(RunProgram({"--headless", "--no-logo", "--fps", "2", "--until", std::to_string(stoppedMs),
                          "--record", limited, script},
                         errors),
              0);
    EXPECT_TRUE(ReadAll(signalled) == ReadAll(limited)) << "the GIFs differ; stopped at " << stoppedMs << " ms";
}

INSTANTIATE_TEST_SUITE_P(Signals, SignalStop, ::testing::Values(SIGINT, SIGTERM, SIGHUP), [](const auto& info) {
    return info.param == SIGINT ? "Sigint" : info.param == SIGTERM ? "Sigterm" : "Sighup";
});

// Windows of the cases running beside this one open and close on the same display while this
// one walks the window tree: a window gone between two requests must not end the test (Xlib's
// own handler exits the process).
int IgnoreXErrors(Display*, XErrorEvent*) { return 0; }

Display* OpenDisplay() {
    XSetErrorHandler(IgnoreXErrors);
    return XOpenDisplay(nullptr);
}

// The top-level window whose name contains `part`, or 0.
Window FindWindow(Display* display, Window under, const std::string& part) {
    // The name's bytes whatever its encoding: the part looked for is plain ASCII.
    XTextProperty name{};
    if (XGetWMName(display, under, &name) != 0 && name.value != nullptr) {
        const std::string text(reinterpret_cast<const char*>(name.value), name.nitems);
        XFree(name.value);
        if (text.find(part) != std::string::npos) return under;
    }
    Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    if (XQueryTree(display, under, &root, &parent, &children, &count) == 0) return 0;
    Window found = 0;
    for (unsigned i = 0; i < count && found == 0; ++i) found = FindWindow(display, children[i], part);
    if (children != nullptr) XFree(children);
    return found;
}

// The window whose name contains `part`, waiting up to five seconds for it to open; or 0.
Window AwaitWindow(Display* display, const std::string& part) {
    Window window = 0;
    for (int tries = 0; tries < 100 && window == 0; ++tries) {
        window = FindWindow(display, DefaultRootWindow(display), part);
        if (window == 0) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return window;
}

// Asks the window to close, as a window manager's close button does.
bool CloseWindow(const std::string& part) {
    Display* display = OpenDisplay();
    if (display == nullptr) return false;
    const Window window = AwaitWindow(display, part);
    if (window != 0) {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = window;
        event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
        event.xclient.format = 32;
        event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
        event.xclient.data.l[1] = CurrentTime;
        XSendEvent(display, window, False, NoEventMask, &event);
        XFlush(display);
    }
    XCloseDisplay(display);
    return window != 0;
}

// Types the key `keysym` into the window, pressed and released, as the keyboard does.
bool TypeKey(const std::string& part, KeySym keysym) {
    Display* display = OpenDisplay();
    if (display == nullptr) return false;
    const Window window = AwaitWindow(display, part);
    if (window != 0) {
        XSetInputFocus(display, window, RevertToParent, CurrentTime);
        XEvent event{};
        event.xkey.display = display;
        event.xkey.window = window;
        event.xkey.root = DefaultRootWindow(display);
        event.xkey.time = CurrentTime;
        event.xkey.same_screen = True;
        event.xkey.keycode = XKeysymToKeycode(display, keysym);
        for (const int type : {KeyPress, KeyRelease}) {
            event.type = type;
            XSendEvent(display, window, True, type == KeyPress ? KeyPressMask : KeyReleaseMask, &event);
        }
        XFlush(display);
    }
    XCloseDisplay(display);
    return window != 0;
}

TEST(WindowStop, ClosingTheWindowDuringRecordLeavesAWholeGif) {
    if (std::getenv("DISPLAY") == nullptr) GTEST_SKIP() << "no display";
#ifdef VEKORA_SANITIZED
    GTEST_SKIP() << "the sanitized program reports the window system's leaks at exit";
#endif
    const std::string script = Temp("window.vek");
    // The whole file name: a window of a case running beside this one has its own.
    const std::string title = std::filesystem::path(script).filename().string();
    Write(script, LongFilm);
    const std::string gif = Temp("window.gif");
    std::remove(gif.c_str());
    bool closed = false;
    const int status = RunProgram({"--no-logo", "--fps", "5", "--record", gif, script}, Temp("window.err"),
                                  [&closed, &title](pid_t pid) {
                                      std::this_thread::sleep_for(std::chrono::milliseconds(1500));
                                      closed = CloseWindow(title);
                                      // Never leave a window that did not close playing on.
                                      if (!closed) kill(pid, SIGKILL);
                                  });
    ASSERT_TRUE(closed) << ReadAll(Temp("window.err"));
    EXPECT_EQ(status, 0) << ReadAll(Temp("window.err"));
    EXPECT_TRUE(ValidGif(gif));
    EXPECT_GT(ReadAll(gif).size(), 1000u) << "more than a header";
}

// How many pixels of the window named `part` show `rgb`, as the display has them now (within
// the renderer's rounding of 5:6:5 colours: a few steps a channel); -1 when the window cannot
// be read.
long PixelsShowing(const std::string& part, unsigned long rgb) {
    Display* display = OpenDisplay();
    if (display == nullptr) return -1;
    long count = -1;
    const Window window = AwaitWindow(display, part);
    XWindowAttributes attributes{};
    if (window != 0 && XGetWindowAttributes(display, window, &attributes) != 0) {
        XImage* image = XGetImage(display, window, 0, 0, static_cast<unsigned>(attributes.width),
                                  static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
        if (image != nullptr) {
            count = 0;
            const auto near = [rgb](unsigned long pixel) {
                for (const int shift : {0, 8, 16}) {
                    const long a = static_cast<long>((pixel >> shift) & 0xFF), b = static_cast<long>((rgb >> shift) & 0xFF);
                    if (std::labs(a - b) > 7) return false;
                }
                return true;
            };
            for (int y = 0; y < attributes.height; ++y)
                for (int x = 0; x < attributes.width; ++x) count += near(XGetPixel(image, x, y));
            XDestroyImage(image);
        }
    }
    XCloseDisplay(display);
    return count;
}

// The program's own window (the window plugin, loaded at run time) shows what the lesson drew
// on the screen: the picture reaches the window through the changes the drawing reports.
TEST(WindowPicture, ShowsWhatTheLessonDrew) {
    if (std::getenv("DISPLAY") == nullptr) GTEST_SKIP() << "no display";
#ifdef VEKORA_SANITIZED
    GTEST_SKIP() << "the sanitized program reports the window system's leaks at exit";
#endif
    const std::string script = Temp("shows.vek");
    // The whole file name: a window of a case running beside this one has its own.
    const std::string title = std::filesystem::path(script).filename().string();
    Write(script, "SCREEN 320, 240\nSPEED 1\nPOINT A, 20, 100\nPOINT B, 300, 130\n"
                  "L = LINE A, B, DEFAULT, &HFF0000\nWAIT 60000\nEND\n");
    long red = -1, white = -1;
    RunProgram({"--no-logo", script}, Temp("shows.err"), [&](pid_t pid) {
        Display* display = OpenDisplay();
        const bool opened = display != nullptr && AwaitWindow(display, title) != 0;
        if (display != nullptr) XCloseDisplay(display);
        // The lesson reaches its WAIT within a moment; on a loaded machine the window may show
        // the picture later, so it is read again until it shows it or the wait runs out.
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (opened) {
            std::this_thread::sleep_for(std::chrono::milliseconds(250));
            red = PixelsShowing(title, 0xFF0000);
            white = PixelsShowing(title, 0xFFFFFF);
            if ((red > 200 && white > 320 * 200) || std::chrono::steady_clock::now() > giveUp) break;
        }
        if (!opened || !CloseWindow(title)) kill(pid, SIGKILL);
    });
    EXPECT_GT(red, 200) << "the red line, some 280 pixels long" << ReadAll(Temp("shows.err"));
    EXPECT_GT(white, 320 * 200) << "the page";
}

// A lesson that reaches a WAIT of a minute at once.
constexpr const char* LongWait =
    "SCREEN 320, 240\nSPEED 1\nPOINT A, 20, 100\nPOINT B, 300, 130\nL = LINE A, B\nWAIT 60000\nEND\n";

enum class Interruption { Key, Close, Signal };

class WindowWait : public ::testing::TestWithParam<Interruption> {};

// The window sleeps on its event queue through the WAIT, with nothing waking it; what ends it
// wakes the window at once (with room for a loaded machine).
TEST_P(WindowWait, EndsAtOnceForAKeyACloseOrASignal) {
    if (std::getenv("DISPLAY") == nullptr) GTEST_SKIP() << "no display";
#ifdef VEKORA_SANITIZED
    GTEST_SKIP() << "the sanitized program reports the window system's leaks at exit";
#endif
    const Interruption interruption = GetParam();
    const std::string script = Temp("wait.vek");
    // The whole file name: a window of a case running beside this one has its own.
    const std::string title = std::filesystem::path(script).filename().string();
    Write(script, LongWait);
    bool done = false;
    std::chrono::steady_clock::time_point interrupted;
    const int status = RunProgram({"--no-logo", script}, Temp("wait.err"), [&](pid_t pid) {
        Display* display = OpenDisplay();
        const bool opened = display != nullptr && AwaitWindow(display, title) != 0;
        if (display != nullptr) XCloseDisplay(display);
        // The lesson is in its WAIT well before this.
        std::this_thread::sleep_for(std::chrono::milliseconds(1500));
        interrupted = std::chrono::steady_clock::now();
        switch (interruption) {
            case Interruption::Key: done = opened && TypeKey(title, XK_Right); break;
            case Interruption::Close: done = opened && CloseWindow(title); break;
            case Interruption::Signal: done = kill(pid, SIGINT) == 0; break;
        }
        // Never leave a window that was not reached waiting on.
        if (!done) kill(pid, SIGKILL);
    });
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - interrupted).count();
    ASSERT_TRUE(done) << ReadAll(Temp("wait.err"));
    EXPECT_EQ(status, interruption == Interruption::Signal ? 130 : 0) << ReadAll(Temp("wait.err"));
    EXPECT_LT(seconds, 1.5) << "the WAIT lasts a minute";
}

INSTANTIATE_TEST_SUITE_P(Interruptions, WindowWait,
                         ::testing::Values(Interruption::Key, Interruption::Close, Interruption::Signal),
                         [](const auto& info) {
                             switch (info.param) {
                                 case Interruption::Key: return "Key";
                                 case Interruption::Close: return "Close";
                                 default: return "Signal";
                             }
                         });

}  // namespace
