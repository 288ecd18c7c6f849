// The SDL2 window device.

// Index of this file:
// [SECTION] Helpers: window keys, typed text, scaled areas, stop-signal wake-ups, output pixels
// [SECTION] Creation and the window
// [SECTION] Caption and icon
// [SECTION] Events and input
// [SECTION] Waiting and the clock
// [SECTION] Help box
// [SECTION] Presenting and reading back

#include "platform/window_device.h"

#include <SDL.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <thread>

#include "draw/image_surface.h"
#include "draw/math_text.h"
#include "platform/key_table.h"
#include "platform/stop_signals.h"
#include "platform/swipe.h"

namespace vekora {

//-----------------------------------------------------------------------------
// [SECTION] Helpers: window keys, typed text, scaled areas, stop-signal wake-ups, output pixels
//-----------------------------------------------------------------------------

namespace {

// The program's start, for ClockSeconds: counted from here, a single-precision deadline
// still resolves milliseconds after hours of running.
const std::chrono::steady_clock::time_point ProgramStart = std::chrono::steady_clock::now();

// Real seconds since the program started, time held off the lesson's clock included.
double RealSeconds() { return std::chrono::duration<double>(std::chrono::steady_clock::now() - ProgramStart).count(); }

// The screen is presented at most this often while the program polls (one display frame).
constexpr double PresentInterval = 0.016;

// The keys the window turns into bytes itself; typed characters come as text instead.
struct WindowKey {
    SDL_Keycode key;
    NamedKey named;
};

constexpr WindowKey WindowKeys[] = {
    {SDLK_RETURN, NamedKey::Enter},        {SDLK_KP_ENTER, NamedKey::Enter},      {SDLK_ESCAPE, NamedKey::Escape},
    {SDLK_BACKSPACE, NamedKey::Backspace}, {SDLK_TAB, NamedKey::Tab},             {SDLK_UP, NamedKey::Up},
    {SDLK_DOWN, NamedKey::Down},           {SDLK_LEFT, NamedKey::Left},           {SDLK_RIGHT, NamedKey::Right},
    {SDLK_PAGEUP, NamedKey::PageUp},       {SDLK_PAGEDOWN, NamedKey::PageDown},   {SDLK_HOME, NamedKey::Home},
    {SDLK_END, NamedKey::End},             {SDLK_INSERT, NamedKey::Insert},       {SDLK_DELETE, NamedKey::Delete},
};

// Each character of typed UTF-8 text that Latin-1 has, as one key.
void QueueTypedText(const char* text, std::deque<std::string>& keys) {
    for (const char* at = text; *at != 0;) {
        const auto lead = static_cast<unsigned char>(*at);
        if (lead < 0x80) {
            keys.emplace_back(1, *at++);
        } else if ((lead == 0xC2 || lead == 0xC3) && (static_cast<unsigned char>(at[1]) & 0xC0) == 0x80) {
            keys.emplace_back(1, static_cast<char>(((lead & 0x03) << 6) | (static_cast<unsigned char>(at[1]) & 0x3F)));
            at += 2;
        } else {
            ++at;
            while ((static_cast<unsigned char>(*at) & 0xC0) == 0x80) ++at;
        }
    }
}

// The output pixels [first, last) of a fit's map that show the screen pixels [from, to): the
// maps never go back, so they are one run.
struct OutputSpan {
    std::int32_t first = 0;
    std::int32_t last = 0;
};
OutputSpan ShowingSpan(const std::vector<std::int32_t>& map, std::int32_t from, std::int32_t to) {
    const auto first = std::lower_bound(map.begin(), map.end(), from);
    const auto last = std::lower_bound(first, map.end(), to);
    return {static_cast<std::int32_t>(first - map.begin()), static_cast<std::int32_t>(last - map.begin())};
}

// Scales the output rectangle of `columns` x `rows` into `out`, which holds the whole picture
// at the output's size (`outWidth` pixels a row), in the texture's pixel type.
template <typename Pixel>
void ScaleArea(const std::uint8_t* source, std::size_t sourceStride, const PictureFit& fit, OutputSpan columns,
               OutputSpan rows, std::int32_t outWidth, std::uint8_t* out) {
    for (std::int32_t r = rows.first; r < rows.last; ++r) {
        const auto* line = reinterpret_cast<const Pixel*>(
            source + static_cast<std::size_t>(fit.rows[static_cast<std::size_t>(r)]) * sourceStride);
        Pixel* target = reinterpret_cast<Pixel*>(out) + static_cast<std::size_t>(r) * outWidth;
        for (std::int32_t c = columns.first; c < columns.last; ++c) target[c] = line[fit.columns[static_cast<std::size_t>(c)]];
    }
}

// A stop signal ends a wait blocked on the event queue at once: a thread waits on the
// signals' wake descriptor and posts an event, which wakes the queue. (SDL's own wait goes
// back to sleep after a signal.) One thread serves the whole process.
void WakeOnStopSignals() {
    static std::once_flag started;
    std::call_once(started, [] {
        const int wake = StopSignalWakeFd();
        if (wake < 0) return;
        std::thread([wake] {
            for (;;) {
                char byte = 0;
                const ssize_t got = read(wake, &byte, 1);
                if (got < 0 && errno == EINTR) continue;
                if (got <= 0) return;
                SDL_Event event{};
                event.type = SDL_USEREVENT;
                SDL_PushEvent(&event);
            }
        }).detach();
    });
}

// The output pixel nearest the centre of window point (x, y): the renderer's pixels are finer
// than points on a high-density display.
std::int32_t OutputPixel(std::int32_t point, std::int32_t points, std::int32_t pixels) {
    if (points <= 0) return point;
    return static_cast<std::int32_t>(((2 * std::int64_t{point} + 1) * pixels) / (2 * std::int64_t{points}));
}

std::int32_t ButtonBit(Uint8 sdlButton) {
    switch (sdlButton) {
        case SDL_BUTTON_LEFT: return 1;
        case SDL_BUTTON_RIGHT: return 2;
        case SDL_BUTTON_MIDDLE: return 4;
        default: return 0;
    }
}

}  // namespace

//-----------------------------------------------------------------------------
// [SECTION] Creation and the window
//-----------------------------------------------------------------------------

std::unique_ptr<WindowDevice> WindowDevice::Create(const WindowOptions& options, std::string& whyNot) {
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    const char* driver = std::getenv("SDL_VIDEODRIVER");
    if ((x11 == nullptr || *x11 == 0) && (wayland == nullptr || *wayland == 0) && (driver == nullptr || *driver == 0)) {
        whyNot = "no display is available";
        return nullptr;
    }
    // Ctrl-C and SIGTERM stay the program's own stop requests, not a closed window.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        whyNot = std::string("the display cannot be opened (") + SDL_GetError() + ")";
        return nullptr;
    }
    const std::string chosen = SDL_GetCurrentVideoDriver() != nullptr ? SDL_GetCurrentVideoDriver() : "";
    if (chosen == "offscreen" || chosen == "dummy") {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        whyNot = "no display is available (only SDL's " + chosen + " driver)";
        return nullptr;
    }
    WakeOnStopSignals();
    return std::unique_ptr<WindowDevice>(new WindowDevice(options));
}

WindowDevice::WindowDevice(const WindowOptions& options) : options_(options), sharp_(options.sharp) {
    options_.zoom = std::clamp(options_.zoom, SmallestZoom, LargestZoom);
    // The scale the window will want is known before it opens, from the size it will open at
    // for the usual 640 x 480 page: the run makes its pictures at it from the start.
    if (options_.followDisplay && !sharp_) {
        constexpr std::int32_t PageW = 640, PageH = 480;
        SDL_DisplayMode desktop{};
        WindowSize size = ZoomedSize(PageW, PageH);
        if (options_.fullscreen && SDL_GetDesktopDisplayMode(0, &desktop) == 0) size = {desktop.w, desktop.h};
        wantedScale_ = RenderScaleFor(vekora::DisplayScale(size.width, size.height, PageW, PageH), MaxRenderScale);
    }
}

std::int32_t WindowDevice::WantedRenderScale() const { return options_.followDisplay ? wantedScale_ : RenderScale(); }

WindowDevice::~WindowDevice() {
    if (helpTexture_ != nullptr) SDL_DestroyTexture(helpTexture_);
    if (texture_ != nullptr) SDL_DestroyTexture(texture_);
    if (renderer_ != nullptr) SDL_DestroyRenderer(renderer_);
    if (window_ != nullptr) SDL_DestroyWindow(window_);
    // SDL's video stays initialised to the end of the process: shutting it down unloads the
    // display libraries, whose own leftovers the sanitizer build would then report as leaks.
}

bool WindowDevice::MakeTexture() {
    const ScreenMode mode = ScreenQuery();
    const PictureFit& fit = Fit();
    if (texture_ != nullptr) SDL_DestroyTexture(texture_);
    texture_ = nullptr;
    textureW_ = textureH_ = 0;
    if (fit.Empty()) return true;  // a minimised window shows nothing
    const Uint32 format = mode.depth == 16 ? SDL_PIXELFORMAT_RGB565 : SDL_PIXELFORMAT_ARGB8888;
    const TextureShape shape = WantedTexture();
    texture_ = SDL_CreateTexture(renderer_, format, SDL_TEXTUREACCESS_STREAMING, shape.width, shape.height);
    if (texture_ == nullptr) return false;
    textureW_ = shape.width;
    textureH_ = shape.height;
    textureSmooth_ = shape.smooth;
    SDL_SetTextureScaleMode(texture_, shape.smooth ? SDL_ScaleModeLinear : SDL_ScaleModeNearest);
    // The alpha byte of 32-bit pixels is not transparency on the screen.
    SDL_SetTextureBlendMode(texture_, SDL_BLENDMODE_NONE);
    textureStale_ = true;
    return true;
}

WindowDevice::TextureShape WindowDevice::WantedTexture() {
    const PictureFit& fit = Fit();
    const Surface screen = ResolveSurface(Screen());
    // Exactly, by our own maps, whenever nearest neighbour is wanted or shows the picture
    // exactly; an uneven scale is left to the renderer's linear filter, which takes the
    // screen's pixels as they are.
    if (sharp_ || WholeFit(fit, screen.width, screen.height)) return {fit.width, fit.height, false};
    return {screen.width, screen.height, true};
}

double WindowDevice::DisplayScale() {
    const ScreenMode page = ScreenQuery();
    int outW = 0, outH = 0;
    if (renderer_ != nullptr) SDL_GetRendererOutputSize(renderer_, &outW, &outH);
    return vekora::DisplayScale(outW, outH, page.width, page.height);
}

void WindowDevice::DecideRenderScale() {
    if (!options_.followDisplay || renderer_ == nullptr) return;
    // A minimised window (no output) keeps what it wanted.
    const double shown = DisplayScale();
    if (shown <= 0) return;
    wantedScale_ = sharp_ ? 1 : RenderScaleFor(shown, MaxRenderScale);
    // A lesson playing is drawn again at once at the new scale, everything drawn before
    // included; outside a run the picture is shown as it is, smoothed.
    RedrawAtScale(wantedScale_);
}

void WindowDevice::SetSharp(bool sharp) {
    sharp_ = sharp;
    DecideRenderScale();
    textureStale_ = true;
}

const PictureFit& WindowDevice::Fit() {
    // The screen's pixels, render scale included: a screen drawn finer is shown finer.
    const Surface screen = ResolveSurface(Screen());
    int outW = 0, outH = 0;
    if (renderer_ != nullptr) SDL_GetRendererOutputSize(renderer_, &outW, &outH);
    if (outW != fitOutW_ || outH != fitOutH_ || screen.width != fitScreenW_ || screen.height != fitScreenH_) {
        fit_ = FitPicture(outW, outH, screen.width, screen.height);
        textureStale_ = true;  // the texture holds the picture at the old fit
        fitOutW_ = outW;
        fitOutH_ = outH;
        fitScreenW_ = screen.width;
        fitScreenH_ = screen.height;
    }
    return fit_;
}

WindowSize WindowDevice::ZoomedSize(std::int32_t width, std::int32_t height) const {
    // At the zoom asked for, shrunk to fit the display's usable area with room for the
    // window's frame, so that no part of the window, the bar least of all, is off the screen.
    constexpr int FrameAllowanceX = 16, FrameAllowanceY = 48;  // borders and a title bar
    const int display = window_ != nullptr ? std::max(SDL_GetWindowDisplayIndex(window_), 0) : 0;
    SDL_Rect area{0, 0, 0, 0};
    if (SDL_GetDisplayUsableBounds(display, &area) != 0) area = {0, 0, 0, 0};
    return ZoomedWindowSize(width, height, options_.zoom, area.w - FrameAllowanceX, area.h - FrameAllowanceY);
}

void WindowDevice::OpenWindow(std::int32_t width, std::int32_t height) {
    const WindowSize size = ZoomedSize(width, height);
    Uint32 flags = SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI;
    if (options_.fullscreen) flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    window_ = SDL_CreateWindow(MathTextToUtf8(Caption()).c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                               size.width, size.height, flags);
}

void WindowDevice::ToggleFullscreen() {
    if (window_ == nullptr) return;
    const bool full = (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN_DESKTOP) == SDL_WINDOW_FULLSCREEN_DESKTOP;
    SDL_SetWindowFullscreen(window_, full ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
    textureStale_ = true;
    DecideRenderScale();
}

bool WindowDevice::ScreenOpen(std::int32_t width, std::int32_t height, std::int32_t depth) {
    const ScreenMode before = ScreenQuery();
    const ImageHandle screenBefore = Screen();
    const bool opening = window_ == nullptr;
    if (!Device::ScreenOpen(width, height, depth)) return false;
    // A new screen is watched afresh (the first update after makes the watch).
    if (Screen() != screenBefore) screenWatch_.reset();
    if (opening) {
        OpenWindow(width, height);
        if (window_ == nullptr) return false;
        ApplyIcon();
        renderer_ = SDL_CreateRenderer(window_, -1, 0);
        if (renderer_ == nullptr) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
        if (renderer_ == nullptr) return false;
    }
    // The window as it opened (a high-density display, a page of another size) may want
    // another scale than foreseen.
    DecideRenderScale();
    if (!opening && (before.width != width || before.height != height) &&
        (SDL_GetWindowFlags(window_) & (SDL_WINDOW_FULLSCREEN | SDL_WINDOW_MAXIMIZED)) == 0) {
        const WindowSize size = ZoomedSize(width, height);
        SDL_SetWindowSize(window_, size.width, size.height);
    }
    // The texture follows the window's size when the picture is rendered; a new depth needs
    // a new texture format.
    if (before.depth != depth && texture_ != nullptr) {
        SDL_DestroyTexture(texture_);
        texture_ = nullptr;
    }
    Present();
    return true;
}

//-----------------------------------------------------------------------------
// [SECTION] Caption and icon
//-----------------------------------------------------------------------------

void WindowDevice::WindowCaption(std::string_view text) {
    Device::WindowCaption(text);
    if (window_ != nullptr) SDL_SetWindowTitle(window_, MathTextToUtf8(Caption()).c_str());
}

void WindowDevice::WindowIcon(ImageHandle icon) {
    icon_ = icon;
    ApplyIcon();
}

void WindowDevice::ApplyIcon() {
    if (window_ == nullptr || icon_ == nullptr) return;
    const SurfaceSize size = SurfaceInfo(icon_);
    if (size.bytesPerPixel != 4) return;
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(icon_ + ImageHeaderBytes, size.width, size.height, 32,
                                                              size.width * 4, SDL_PIXELFORMAT_ARGB8888);
    if (surface == nullptr) return;
    SDL_SetWindowIcon(window_, surface);  // SDL copies the pixels
    SDL_FreeSurface(surface);
}

//-----------------------------------------------------------------------------
// [SECTION] Events and input
//-----------------------------------------------------------------------------

void WindowDevice::PumpEvents() {
    SDL_Event event;
    // Events after F1 are the help box's: they stay queued for it.
    while (!helpAsked_ && SDL_PollEvent(&event) != 0) {
        switch (event.type) {
            case SDL_QUIT:
                // Closing the window stops the run; it unwinds and finishes its outputs.
                RequestStop(StopReason::WindowClosed);
                break;
            case SDL_TEXTINPUT:
                if (!dropTypedText_) QueueTypedText(event.text.text, keys_);
                dropTypedText_ = false;
                break;
            case SDL_KEYDOWN:
                dropTypedText_ = false;  // a key's text comes after its own press
                // F11 and F1 are the window's own: fullscreen and back, and the help box. The
                // lesson never sees them.
                if (event.key.keysym.sym == SDLK_F11) {
                    if (event.key.repeat == 0) ToggleFullscreen();
                    break;
                }
                if (event.key.keysym.sym == SDLK_F2) {
                    if (event.key.repeat == 0) SetSharp(!sharp_);
                    break;
                }
                if (event.key.keysym.sym == SDLK_F1) {
                    helpAsked_ = helpAsked_ || (event.key.repeat == 0 && !help_.empty());
                    break;
                }
                for (const WindowKey& key : WindowKeys) {
                    if (key.key == event.key.keysym.sym) keys_.emplace_back(KeyBytes(key.named));
                }
                break;
            case SDL_MOUSEBUTTONDOWN:
            case SDL_MOUSEBUTTONUP: {
                const std::int32_t bit = ButtonBit(event.button.button);
                if (bit == 0) break;
                if (event.type == SDL_MOUSEBUTTONDOWN) buttonsDown_ |= bit;
                else buttonsDown_ &= ~bit;
                buttonChanges_.Changed(MouseAt(event.button.x, event.button.y, buttonsDown_));
                break;
            }
            case SDL_MOUSEWHEEL:
                wheel_ += event.wheel.y;
                break;
            case SDL_FINGERDOWN:
                // One finger is followed; a second one down makes it no swipe.
                stroke_ = touchesDown_++ == 0 ? std::optional<FingerStroke>(FingerStroke{event.tfinger.fingerId,
                                                    event.tfinger.x, event.tfinger.y, event.tfinger.timestamp})
                                              : std::nullopt;
                break;
            case SDL_FINGERUP:
                touchesDown_ = std::max(0, touchesDown_ - 1);
                if (stroke_ && stroke_->finger == event.tfinger.fingerId) {
                    // SDL gives the finger's place as a fraction of the window; the picture may
                    // fill less of it.
                    const PictureFit& fit = Fit();
                    int outW = 1, outH = 1;
                    if (renderer_ != nullptr) SDL_GetRendererOutputSize(renderer_, &outW, &outH);
                    const double widthShare = fit.width > 0 ? static_cast<double>(outW) / fit.width : 1.0;
                    const double heightShare = fit.height > 0 ? static_cast<double>(outH) / fit.height : 1.0;
                    const Swipe swipe{(event.tfinger.x - stroke_->x) * widthShare, (event.tfinger.y - stroke_->y) * heightShare,
                                      (event.tfinger.timestamp - stroke_->since) / 1000.0};
                    if (const std::optional<NamedKey> key = SwipeKey(swipe)) {
                        // A swipe is not a click: the presses SDL made of its touch, if not yet
                        // read, go (a press read with the key would win over it).
                        buttonChanges_.Clear();
                        keys_.emplace_back(KeyBytes(*key));
                    }
                }
                stroke_.reset();
                break;
            case SDL_WINDOWEVENT:
                if (event.window.event == SDL_WINDOWEVENT_EXPOSED || event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
                    textureStale_ = true;  // show it again
                }
                if (event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) DecideRenderScale();
                break;
            default:
                break;
        }
    }
}

void WindowDevice::Service(bool force) {
    PumpEvents();
    if (helpAsked_) ShowHelp();
    const double now = LiveClock();
    if (now > lastNotified_) {
        NotifyClockAdvanced(lastNotified_, now);
        lastNotified_ = now;
    }
    if (force || now - lastPresent_ >= PresentInterval) Present();
}

MouseInfo WindowDevice::MouseAt(std::int32_t x, std::int32_t y, std::int32_t buttons) {
    const ScreenMode mode = ScreenQuery();
    if (window_ == nullptr || renderer_ == nullptr || mode.width == 0) return {};
    int windowW = 1, windowH = 1, outW = 1, outH = 1;
    SDL_GetWindowSize(window_, &windowW, &windowH);
    SDL_GetRendererOutputSize(renderer_, &outW, &outH);
    const ScreenPixel pixel = ScreenPixelAt(Fit(), OutputPixel(x, windowW, outW), OutputPixel(y, windowH, outH));
    if (!pixel.inside) return {};
    // Back to page units: the page unit whose block holds the pixel.
    const std::int32_t scale = ImageScale(Screen());
    return {pixel.x / scale, pixel.y / scale, wheel_, buttons};
}

MouseInfo WindowDevice::LiveMouse() {
    Service(false);
    MouseInfo live;
    if (window_ != nullptr && SDL_GetMouseFocus() == window_) {
        int x = 0, y = 0;
        SDL_GetMouseState(&x, &y);
        live = MouseAt(x, y, buttonsDown_);
    }
    // A queued change carries the wheel as it stands now.
    MouseInfo mouse = buttonChanges_.Next(live);
    if (mouse.buttons >= 0) mouse.wheel = wheel_;
    return mouse;
}

std::string WindowDevice::LiveKey() {
    Service(false);
    if (keys_.empty()) return {};
    std::string key = std::move(keys_.front());
    keys_.pop_front();
    return key;
}

bool WindowDevice::LiveKeyWaiting() {
    PumpEvents();
    return !keys_.empty();
}

//-----------------------------------------------------------------------------
// [SECTION] Waiting and the clock
//-----------------------------------------------------------------------------

void WindowDevice::StartAfresh() {
    Device::StartAfresh();
    PumpEvents();
    keys_.clear();
    buttonChanges_.Clear();
}

void WindowDevice::LivePlainSleep(std::int32_t ms) {
    Service(false);
    if (ms > 0 && !Stopped()) SDL_Delay(static_cast<Uint32>(ms));
    Service(true);
}

void WindowDevice::BlockOnEvents(std::int32_t ms) {
    Service(true);
    if (ms <= 0 || Stopped()) return;
    if (const double limit = StopTime(); limit >= 0) {
        const double untilLimit = std::ceil((limit - ClockSeconds()) * 1000.0);
        ms = static_cast<std::int32_t>(std::clamp(untilLimit, 1.0, static_cast<double>(ms)));
    }
    // Waits without taking the event: the next pump handles it.
    SDL_WaitEventTimeout(nullptr, ms);
    Service(true);
}

void WindowDevice::Wake() {
    SDL_Event event{};
    event.type = SDL_USEREVENT;
    SDL_PushEvent(&event);
}

void WindowDevice::LiveWaitForInput(std::int32_t sliceMs, std::int32_t mostMs) {
    (void)sliceMs;  // the real clock moves by itself
    PumpEvents();
    // Input that came already is for the poll that follows.
    if (!keys_.empty() || buttonChanges_.Pending()) {
        Service(true);
        return;
    }
    BlockOnEvents(mostMs);
}

void WindowDevice::LiveSleep(std::int32_t ms) {
    // A key waiting already ends the sliced sleep after its first slice.
    if (ms < InterruptibleFromMs || Stopped() || LiveKeyWaiting()) {
        Device::LiveSleep(ms);
        return;
    }
    const double end = LiveClock() + ms / 1000.0;
    double left = ms;
    do {
        BlockOnEvents(static_cast<std::int32_t>(std::ceil(left)));
        left = (end - LiveClock()) * 1000.0;
    } while (left > 0 && !LiveKeyWaiting() && !Stopped());
}

double WindowDevice::LiveClock() { return RealSeconds() - heldSeconds_; }

void WindowDevice::ReplayChanged(bool replaying) {
    if (replaying) {
        replayBegan_ = RealSeconds();
        return;
    }
    heldSeconds_ += RealSeconds() - replayBegan_;
    textureStale_ = true;
    Present();
}

//-----------------------------------------------------------------------------
// [SECTION] Help box
//-----------------------------------------------------------------------------

void WindowDevice::SetHelpPicture(ImageHandle picture) {
    const SurfaceSize size = SurfaceInfo(picture);
    help_.clear();
    if (size.bytesPerPixel != 4 || size.width <= 0 || size.height <= 0) return;
    helpW_ = size.width;
    helpH_ = size.height;
    const Surface surface = ResolveSurface(picture);
    help_.resize(static_cast<std::size_t>(helpW_) * helpH_);
    for (std::int32_t y = 0; y < helpH_; ++y) RowRgb(surface, y, &help_[static_cast<std::size_t>(y) * helpW_]);
}

void WindowDevice::RenderHelp() {
    if (helpTexture_ == nullptr) {
        helpTexture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC, helpW_, helpH_);
        if (helpTexture_ == nullptr) return;
        SDL_SetTextureBlendMode(helpTexture_, SDL_BLENDMODE_NONE);
        SDL_UpdateTexture(helpTexture_, nullptr, help_.data(), helpW_ * 4);
    }
    // By the picture's whole scale, at least 1 so that the text stays readable in a small
    // window, shrunk only when the window cannot hold it; centred on the picture.
    const PictureFit& fit = Fit();
    const ScreenMode mode = ScreenQuery();
    int outW = 0, outH = 0;
    SDL_GetRendererOutputSize(renderer_, &outW, &outH);
    double factor = std::max(1.0, std::floor(mode.width > 0 ? static_cast<double>(fit.width) / mode.width : 1.0));
    factor = std::min({factor, static_cast<double>(outW) / helpW_, static_cast<double>(outH) / helpH_});
    const int w = static_cast<int>(helpW_ * factor), h = static_cast<int>(helpH_ * factor);
    const SDL_Rect rect{std::max(0, fit.x + (fit.width - w) / 2), std::max(0, fit.y + (fit.height - h) / 2), w, h};
    SDL_RenderCopy(renderer_, helpTexture_, nullptr, &rect);
}

void WindowDevice::ShowHelp() {
    helpAsked_ = false;
    if (renderer_ == nullptr || Screen() == nullptr) return;
    const double shownAt = RealSeconds();
    for (bool open = true; open;) {
        UpdateTexture();
        Render();
        RenderHelp();
        SDL_RenderPresent(renderer_);
        SDL_Event event;
        if (SDL_WaitEventTimeout(&event, 100) == 0) continue;
        switch (event.type) {
            case SDL_QUIT:
                RequestStop(StopReason::WindowClosed);
                open = false;
                break;
            case SDL_KEYDOWN:
                if (event.key.keysym.sym == SDLK_F11) {
                    ToggleFullscreen();
                } else if (event.key.keysym.sym == SDLK_F2) {
                    SetSharp(!sharp_);
                } else if (event.key.repeat == 0) {
                    // The key that closed the box is not the lesson's: its typed text goes too.
                    open = false;
                    dropTypedText_ = true;
                }
                break;
            case SDL_MOUSEBUTTONDOWN:
                open = false;
                break;
            default:
                break;
        }
    }
    heldSeconds_ += RealSeconds() - shownAt;
    textureStale_ = true;  // the picture goes back over the box
}

//-----------------------------------------------------------------------------
// [SECTION] Presenting and reading back
//-----------------------------------------------------------------------------

bool WindowDevice::UpdateTexture() {
    if (Screen() == nullptr || renderer_ == nullptr) return false;
    // A new screen is watched from here on, and shown whole once.
    if (!screenWatch_) {
        screenWatch_ = std::make_unique<DrawnAreaWatch>(Screen());
        textureStale_ = true;
    }
    const TextureShape shape = WantedTexture();
    if (texture_ == nullptr || textureW_ != shape.width || textureH_ != shape.height || textureSmooth_ != shape.smooth) {
        if (!MakeTexture() || texture_ == nullptr) return false;
    }
    const std::uint64_t changes = screenWatch_->Changes();
    if (!textureStale_ && changes == shownChanges_) return false;
    const PixelRect drawn = screenWatch_->Take();
    const Surface screen = ResolveSurface(Screen());
    ++(textureStale_ ? presented_.refreshes : presented_.updates);
    UploadArea(textureStale_ ? PixelRect::Whole(screen.width, screen.height) : drawn);
    shownChanges_ = changes;
    textureStale_ = false;
    return true;
}

void WindowDevice::UploadArea(const PixelRect& area) {
    const PictureFit& fit = Fit();
    const Surface screen = ResolveSurface(Screen());
    const int texelBytes = screen.bytesPerPixel == 2 ? 2 : 4;
    const std::uint8_t* pixels = screen.pixels;
    std::size_t stride = screen.Stride();
    if (screen.bytesPerPixel == 1) {
        widened_.resize(static_cast<std::size_t>(screen.width) * screen.height);
        for (std::int32_t y = area.top; y < area.bottom; ++y) RowRgb(screen, y, &widened_[static_cast<std::size_t>(y) * screen.width]);
        pixels = reinterpret_cast<const std::uint8_t*>(widened_.data());
        stride = static_cast<std::size_t>(screen.width) * 4;
    }
    if (textureSmooth_) {
        // The texture holds the screen's pixels: the drawn area goes as it is.
        if (area.left >= area.right || area.top >= area.bottom) return;
        const SDL_Rect part{area.left, area.top, area.right - area.left, area.bottom - area.top};
        const std::size_t first = static_cast<std::size_t>(area.top) * stride + static_cast<std::size_t>(area.left) * texelBytes;
        SDL_UpdateTexture(texture_, &part, pixels + first, static_cast<int>(stride));
        presented_.texels += static_cast<std::uint64_t>(part.w) * part.h;
        return;
    }
    const std::size_t texels = static_cast<std::size_t>(fit.width) * fit.height;
    if (scaled_.size() != texels * texelBytes) scaled_.assign(texels * texelBytes, 0);
    const OutputSpan columns = ShowingSpan(fit.columns, area.left, area.right);
    const OutputSpan rows = ShowingSpan(fit.rows, area.top, area.bottom);
    if (columns.first >= columns.last || rows.first >= rows.last) return;  // all of it hidden
    if (texelBytes == 2) ScaleArea<std::uint16_t>(pixels, stride, fit, columns, rows, fit.width, scaled_.data());
    else ScaleArea<std::uint32_t>(pixels, stride, fit, columns, rows, fit.width, scaled_.data());
    const SDL_Rect part{columns.first, rows.first, columns.last - columns.first, rows.last - rows.first};
    const std::size_t firstTexel = static_cast<std::size_t>(rows.first) * fit.width + columns.first;
    SDL_UpdateTexture(texture_, &part, scaled_.data() + firstTexel * texelBytes, fit.width * texelBytes);
    presented_.texels += static_cast<std::uint64_t>(part.w) * part.h;
}

void WindowDevice::Render() {
    if (texture_ == nullptr || renderer_ == nullptr) return;
    const PictureFit& fit = Fit();
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    // The picture is scaled already and copied pixel for pixel, or the renderer scales it
    // with its linear filter.
    const SDL_Rect rect{fit.x, fit.y, fit.width, fit.height};
    SDL_RenderCopy(renderer_, texture_, nullptr, &rect);
}

void WindowDevice::Present() {
    // A replayed run is not shown until it reaches the moment it is replayed to.
    if (Screen() == nullptr || renderer_ == nullptr || Replaying()) return;
    lastPresent_ = LiveClock();
    if (!UpdateTexture()) return;
    Render();
    SDL_RenderPresent(renderer_);
}

std::vector<std::uint32_t> WindowDevice::ReadBackOutput() {
    std::vector<std::uint32_t> shown;
    if (renderer_ == nullptr || ScreenQuery().width == 0) return shown;
    UpdateTexture();
    Render();
    const PictureFit& fit = Fit();
    if (fit.Empty()) return shown;
    const SDL_Rect rect{fit.x, fit.y, fit.width, fit.height};
    shown.resize(static_cast<std::size_t>(rect.w) * rect.h);
    if (SDL_RenderReadPixels(renderer_, &rect, SDL_PIXELFORMAT_ARGB8888, shown.data(), rect.w * 4) != 0) return {};
    for (std::uint32_t& pixel : shown) pixel &= 0xFFFFFF;
    return shown;
}

std::vector<std::uint32_t> WindowDevice::ReadBack() {
    const Surface mode = ResolveSurface(Screen());  // the screen's pixels, render scale included
    std::vector<std::uint32_t> picture;
    const std::vector<std::uint32_t> shown = ReadBackOutput();
    if (shown.empty()) return picture;
    const PictureFit& fit = Fit();
    const SDL_Rect rect{fit.x, fit.y, fit.width, fit.height};
    // Each screen pixel as the first output pixel that shows it (or the next one shown, when
    // the window is smaller than the screen and hides some).
    const auto firstShowing = [](const std::vector<std::int32_t>& map, std::int32_t count) {
        std::vector<std::size_t> first(static_cast<std::size_t>(count), map.size() - 1);
        for (std::size_t i = map.size(); i-- > 0;) first[static_cast<std::size_t>(map[i])] = i;
        for (std::int32_t k = count - 1; k-- > 0;)
            first[static_cast<std::size_t>(k)] = std::min(first[static_cast<std::size_t>(k)], first[static_cast<std::size_t>(k) + 1]);
        return first;
    };
    const std::vector<std::size_t> columns = firstShowing(fit.columns, mode.width);
    const std::vector<std::size_t> rows = firstShowing(fit.rows, mode.height);
    for (std::int32_t y = 0; y < mode.height; ++y) {
        for (std::int32_t x = 0; x < mode.width; ++x) {
            picture.push_back(shown[rows[static_cast<std::size_t>(y)] * rect.w + columns[static_cast<std::size_t>(x)]]);
        }
    }
    return picture;
}

}  // namespace vekora
