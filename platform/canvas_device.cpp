// The canvas device of the browser build.
#include "platform/canvas_device.h"

#include <emscripten.h>

#include <cmath>
#include <cstring>
#include <utility>

#include "draw/image_surface.h"
#include "draw/math_text.h"
#include "platform/headless_device.h"

// The page's side of the device (see the header); each returns a neutral answer when the page
// gave no host, so that a run without a page (the benchmark under node) still plays.
EM_JS(void, vekora_host_present, (const std::uint8_t* rgba, int width, int top, int rows), {
    const host = Module.vekoraHost;
    if (host && host.present) host.present(rgba, width, top, rows);
});
EM_JS(void, vekora_host_screen_opened, (int width, int height, int scale), {
    const host = Module.vekoraHost;
    if (host && host.screenOpened) host.screenOpened(width, height, scale);
});
EM_JS(void, vekora_host_caption, (const char* utf8), {
    const host = Module.vekoraHost;
    if (host && host.caption) host.caption(UTF8ToString(utf8));
});
EM_JS(void, vekora_host_icon, (const std::uint8_t* rgba, int width, int height), {
    const host = Module.vekoraHost;
    if (host && host.icon) host.icon(rgba, width, height);
});
// Copies the next key's bytes to `out` (at most `capacity`); their number, 0 when none waits.
EM_JS(int, vekora_host_take_key, (char* out, int capacity), {
    const host = Module.vekoraHost;
    const key = host && host.takeKey ? host.takeKey() : null;
    if (!key) return 0;
    const count = Math.min(key.length, capacity);
    for (let i = 0; i < count; ++i) HEAPU8[out + i] = key[i];
    return count;
});
// x, y, wheel and buttons into four ints; all -1 while the pointer is outside the canvas.
EM_JS(void, vekora_host_mouse, (std::int32_t* out), {
    const host = Module.vekoraHost;
    const mouse = host && host.mouse ? host.mouse() : null;
    const values = mouse ? [mouse.x, mouse.y, mouse.wheel, mouse.buttons] : [-1, -1, -1, -1];
    for (let i = 0; i < 4; ++i) HEAP32[(out >> 2) + i] = values[i];
});
EM_JS(int, vekora_host_stop_requested, (), {
    const host = Module.vekoraHost;
    return host && host.stopRequested && host.stopRequested() ? 1 : 0;
});

namespace vekora {
namespace {

// While the program polls, the screen is presented at most once a display frame.
constexpr double PresentInterval = 0.016;
// The longest the program keeps the page waiting between two sleeps (busy loops, or a virtual
// clock racing ahead): then it presents and lets the page handle its events.
constexpr double RealClockYieldInterval = 0.050;
constexpr double VirtualClockYieldInterval = 0.030;
// A poll that does not sleep moves the virtual clock, as on the headless device.
constexpr std::int64_t PollMs = 1;
constexpr int LongestKey = 8;

std::uint32_t RgbaBytes(std::uint32_t rgb) {
    // Stored little-endian: red first, then green, blue and an opaque alpha.
    return 0xFF000000u | ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
}

}  // namespace

CanvasDevice::CanvasDevice(Clock clock, std::vector<InputEvent> events, ViewerAnswers answers)
    : clock_(clock),
      schedule_(clock == Clock::Virtual ? std::move(events) : std::vector<InputEvent>{}, std::move(answers)) {
    realStart_ = RealSeconds();
    lastYieldReal_ = realStart_;
    AdvanceVirtual(0);
}

double CanvasDevice::RealSeconds() const { return emscripten_get_now() / 1000.0; }

double CanvasDevice::LiveClock() {
    return clock_ == Clock::Virtual ? virtualMs_ / 1000.0 : RealSeconds() - realStart_;
}

void CanvasDevice::ReplayChanged(bool replaying) {
    if (replaying) {
        replayBegan_ = RealSeconds();
        return;
    }
    realStart_ += RealSeconds() - replayBegan_;
    shown_.clear();  // all of the picture goes to the page
    Present();
}

bool CanvasDevice::ScreenOpen(std::int32_t width, std::int32_t height, std::int32_t depth) {
    if (!Device::ScreenOpen(width, height, depth)) return false;
    shown_.clear();
    vekora_host_screen_opened(width, height, RenderScale());
    Present();
    return true;
}

void CanvasDevice::WindowCaption(std::string_view text) { vekora_host_caption(MathTextToUtf8(text).c_str()); }

void CanvasDevice::WindowIcon(ImageHandle icon) {
    if (icon == nullptr) return;
    const SurfaceSize size = SurfaceInfo(icon);
    if (size.bytesPerPixel != 4) return;
    std::vector<std::uint8_t> rgba(static_cast<std::size_t>(size.width) * size.height * 4);
    for (std::size_t i = 0; i < rgba.size() / 4; ++i) {
        std::uint32_t argb = 0;
        std::memcpy(&argb, icon + ImageHeaderBytes + i * 4, 4);
        const std::uint32_t pixel = (RgbaBytes(argb & 0xFFFFFF) & 0xFFFFFF) | (argb & 0xFF000000u);
        std::memcpy(&rgba[i * 4], &pixel, 4);
    }
    vekora_host_icon(rgba.data(), size.width, size.height);
}

void CanvasDevice::AdvanceVirtual(std::int64_t ms) {
    if (ms > 0) NotifyClockAdvanced(LiveClock(), (virtualMs_ + ms) / 1000.0);
    // A stopped clock stands still: the step that brought the stop is cut short.
    if (Stopped()) return;
    virtualMs_ += ms;
    ApplyDue();
}

void CanvasDevice::ApplyDue() {
    const auto nowMs = static_cast<std::int64_t>(std::llround(LiveClock() * 1000.0));
    schedule_.Deliver(nowMs, [this](const InputEvent& event) { ApplyInputEvent(event, keys_, mouse_); });
}

void CanvasDevice::ViewerWaitStarted(const ViewerWait& wait) {
    Device::ViewerWaitStarted(wait);
    // A wait the replay passes through was answered when it first came.
    if (Stopped() || Replaying()) return;
    schedule_.WaitStarted(wait, static_cast<std::int64_t>(std::llround(LiveClock() * 1000.0)));
    ApplyDue();
}

void CanvasDevice::ViewerWaitEnded() {
    const bool replayed = InnermostWaitReplayed();
    Device::ViewerWaitEnded();
    if (!replayed) schedule_.WaitEnded();
}

void CanvasDevice::NotifyTo(double seconds) {
    if (seconds <= lastNotified_) return;
    NotifyClockAdvanced(lastNotified_, seconds);
    lastNotified_ = seconds;
}

void CanvasDevice::Service() {
    char key[LongestKey];
    for (int length; (length = vekora_host_take_key(key, LongestKey)) > 0;) keys_.emplace_back(key, length);
    if (vekora_host_stop_requested() != 0) RequestStop(StopReason::WindowClosed);

    const double now = RealSeconds();
    if (clock_ == Clock::Real) {
        ApplyDue();
        NotifyTo(LiveClock());
        if (now - lastPresentReal_ >= PresentInterval) Present();
    }
    const double yieldInterval = clock_ == Clock::Real ? RealClockYieldInterval : VirtualClockYieldInterval;
    if (now - lastYieldReal_ >= yieldInterval) YieldToPage(0);
}

void CanvasDevice::YieldToPage(std::int32_t ms) {
    Present();
    emscripten_sleep(static_cast<unsigned>(ms));
    lastYieldReal_ = RealSeconds();
}

MouseInfo CanvasDevice::LiveMouse() {
    if (clock_ == Clock::Virtual) AdvanceVirtual(PollMs);
    Service();
    // Read here only: the page holds a quick click's press until it has been read once.
    std::int32_t mouse[4];
    vekora_host_mouse(mouse);
    const MouseInfo page{mouse[0], mouse[1], mouse[2], mouse[3]};
    // On the virtual clock the scripted pointer holds until the page's pointer moves.
    const bool pageMoved = page.x != pageMouse_.x || page.y != pageMouse_.y || page.wheel != pageMouse_.wheel ||
                           page.buttons != pageMouse_.buttons;
    if (clock_ == Clock::Real || pageMoved) mouse_ = page;
    pageMouse_ = page;
    return mouse_;
}

std::string CanvasDevice::LiveKey() {
    if (clock_ == Clock::Virtual) AdvanceVirtual(PollMs);
    Service();
    if (keys_.empty()) return {};
    std::string key = std::move(keys_.front());
    keys_.pop_front();
    return key;
}

bool CanvasDevice::LiveKeyWaiting() {
    Service();
    return !keys_.empty();
}

void CanvasDevice::LivePlainSleep(std::int32_t ms) {
    Service();
    if (ms <= 0 || Stopped()) return;
    if (clock_ == Clock::Virtual) {
        AdvanceVirtual(ms);
    } else {
        YieldToPage(ms);
        Service();
    }
    Present();
}

void CanvasDevice::Present() {
    // A replayed run is not shown until it reaches the moment it is replayed to.
    if (Screen() == nullptr || Replaying()) return;
    const Surface screen = ResolveSurface(Screen());
    const std::size_t stride = screen.Stride();
    lastPresentReal_ = RealSeconds();
    // Only the band of rows that changed since the last picture goes to the page: a film
    // frame moves an instrument over a part of the screen.
    std::int32_t top = 0;
    std::int32_t bottom = screen.height;
    if (shown_.size() == stride * screen.height) {
        const auto unchanged = [&](std::int32_t y) {
            return std::memcmp(&shown_[y * stride], screen.At(0, y), stride) == 0;
        };
        while (top < bottom && unchanged(top)) ++top;
        while (bottom > top && unchanged(bottom - 1)) --bottom;
    } else {
        shown_.resize(stride * screen.height);
    }
    if (top == bottom) return;
    std::memcpy(&shown_[top * stride], screen.At(0, top), (bottom - top) * stride);
    PresentRows(screen, top, bottom);
}

void CanvasDevice::PresentImage(ImageHandle picture) {
    // The page no longer shows the screen: the next Present sends all of it.
    shown_.clear();
    const Surface surface = ResolveSurface(picture);
    PresentRows(surface, 0, surface.height);
}

void CanvasDevice::PresentRows(const Surface& surface, std::int32_t top, std::int32_t bottom) {
    if (bottom <= top) return;
    const auto width = static_cast<std::size_t>(surface.width);
    rgba_.resize(width * (bottom - top) * 4);
    std::vector<std::uint32_t> row(width);
    for (std::int32_t y = top; y < bottom; ++y) {
        RowRgb(surface, y, row.data());
        std::uint8_t* out = &rgba_[(y - top) * width * 4];
        for (std::size_t x = 0; x < width; ++x) {
            const std::uint32_t pixel = RgbaBytes(row[x]);
            std::memcpy(out + x * 4, &pixel, 4);
        }
    }
    vekora_host_present(rgba_.data(), surface.width, top, bottom - top);
}

}  // namespace vekora
