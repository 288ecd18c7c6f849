// The SDL2 window device.
#include "platform/window_device.h"

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>

#include "draw/image_surface.h"

namespace vekora {
namespace {

// The program's start, for ClockSeconds: counted from here, a single-precision deadline
// still resolves milliseconds after hours of running.
const std::chrono::steady_clock::time_point ProgramStart = std::chrono::steady_clock::now();

// The screen is presented at most this often while the program polls (one display frame).
constexpr double PresentInterval = 0.016;

struct ExtendedKey {
    SDL_Keycode key;
    const char* bytes;
};

constexpr ExtendedKey ExtendedKeys[] = {
    {SDLK_RETURN, "\r"},     {SDLK_KP_ENTER, "\r"},   {SDLK_ESCAPE, "\x1B"},   {SDLK_BACKSPACE, "\b"},
    {SDLK_TAB, "\t"},        {SDLK_UP, "\xFFH"},      {SDLK_DOWN, "\xFFP"},    {SDLK_LEFT, "\xFFK"},
    {SDLK_RIGHT, "\xFFM"},   {SDLK_PAGEUP, "\xFFI"},  {SDLK_PAGEDOWN, "\xFFQ"}, {SDLK_HOME, "\xFFG"},
    {SDLK_END, "\xFFO"},     {SDLK_INSERT, "\xFFR"},  {SDLK_DELETE, "\xFFS"},
};

// Latin-1 bytes to UTF-8, for window titles.
std::string Utf8FromLatin1(std::string_view text) {
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            out += c;
        } else {
            out += static_cast<char>(0xC0 | (byte >> 6));
            out += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return out;
}

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

// Where the screen stands in the window: the whole-factor scale that fits, centred.
SDL_Rect ScreenRect(SDL_Renderer* renderer, std::int32_t width, std::int32_t height) {
    int outW = 0, outH = 0;
    SDL_GetRendererOutputSize(renderer, &outW, &outH);
    const int scale = std::max(1, std::min(outW / std::max(width, 1), outH / std::max(height, 1)));
    return {(outW - width * scale) / 2, (outH - height * scale) / 2, width * scale, height * scale};
}

}  // namespace

std::unique_ptr<WindowDevice> WindowDevice::Create(std::int32_t zoom, std::string& whyNot) {
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
    return std::unique_ptr<WindowDevice>(new WindowDevice(std::max(zoom, 1)));
}

WindowDevice::WindowDevice(std::int32_t zoom) : zoom_(zoom) {}

WindowDevice::~WindowDevice() {
    if (texture_ != nullptr) SDL_DestroyTexture(texture_);
    if (renderer_ != nullptr) SDL_DestroyRenderer(renderer_);
    if (window_ != nullptr) SDL_DestroyWindow(window_);
    // SDL's video stays initialised to the end of the process: shutting it down unloads the
    // display libraries, whose own leftovers the sanitizer build would then report as leaks.
}

bool WindowDevice::MakeTexture() {
    const ScreenMode mode = ScreenQuery();
    if (texture_ != nullptr) SDL_DestroyTexture(texture_);
    const Uint32 format = mode.depth == 16 ? SDL_PIXELFORMAT_RGB565 : SDL_PIXELFORMAT_ARGB8888;
    texture_ = SDL_CreateTexture(renderer_, format, SDL_TEXTUREACCESS_STREAMING, mode.width, mode.height);
    if (texture_ == nullptr) return false;
    // The alpha byte of 32-bit pixels is not transparency on the screen.
    SDL_SetTextureBlendMode(texture_, SDL_BLENDMODE_NONE);
    shown_.clear();
    return true;
}

bool WindowDevice::ScreenOpen(std::int32_t width, std::int32_t height, std::int32_t depth) {
    const ScreenMode before = ScreenQuery();
    if (!Device::ScreenOpen(width, height, depth)) return false;
    if (window_ == nullptr) {
        window_ = SDL_CreateWindow(Utf8FromLatin1(caption_).c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                   width * zoom_, height * zoom_, SDL_WINDOW_RESIZABLE);
        if (window_ == nullptr) return false;
        ApplyIcon();
        renderer_ = SDL_CreateRenderer(window_, -1, 0);
        if (renderer_ == nullptr) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
        if (renderer_ == nullptr) return false;
    } else if (before.width != width || before.height != height) {
        SDL_SetWindowSize(window_, width * zoom_, height * zoom_);
    }
    if (texture_ == nullptr || before.width != width || before.height != height || before.depth != depth) {
        if (!MakeTexture()) return false;
    }
    Present();
    return true;
}

void WindowDevice::WindowCaption(std::string_view text) {
    caption_ = text;
    if (window_ != nullptr) SDL_SetWindowTitle(window_, Utf8FromLatin1(caption_).c_str());
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

void WindowDevice::PumpEvents() {
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) {
        switch (event.type) {
            case SDL_QUIT:
                // Closing the window stops the run; it unwinds and finishes its outputs.
                RequestStop(StopReason::WindowClosed);
                break;
            case SDL_TEXTINPUT:
                QueueTypedText(event.text.text, keys_);
                break;
            case SDL_KEYDOWN:
                for (const ExtendedKey& key : ExtendedKeys) {
                    if (key.key == event.key.keysym.sym) keys_.emplace_back(key.bytes);
                }
                break;
            case SDL_MOUSEWHEEL:
                wheel_ += event.wheel.y;
                break;
            case SDL_WINDOWEVENT:
                if (event.window.event == SDL_WINDOWEVENT_EXPOSED || event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
                    shown_.clear();  // show it again
                }
                break;
            default:
                break;
        }
    }
}

void WindowDevice::Service(bool force) {
    PumpEvents();
    const double now = ClockSeconds();
    if (now > lastNotified_) {
        NotifyClockAdvanced(lastNotified_, now);
        lastNotified_ = now;
    }
    if (force || now - lastPresent_ >= PresentInterval) Present();
}

MouseInfo WindowDevice::MouseState() {
    Service(false);
    const ScreenMode mode = ScreenQuery();
    if (window_ == nullptr || SDL_GetMouseFocus() != window_ || mode.width == 0) return {};
    int x = 0, y = 0;
    const Uint32 buttons = SDL_GetMouseState(&x, &y);
    // Window points to renderer pixels (they differ on high-density displays), then to screen pixels.
    int windowW = 1, windowH = 1, outW = 1, outH = 1;
    SDL_GetWindowSize(window_, &windowW, &windowH);
    SDL_GetRendererOutputSize(renderer_, &outW, &outH);
    const SDL_Rect rect = ScreenRect(renderer_, mode.width, mode.height);
    const int scale = rect.w / mode.width;
    const int px = (x * outW / std::max(windowW, 1) - rect.x), py = (y * outH / std::max(windowH, 1) - rect.y);
    if (px < 0 || py < 0 || px >= rect.w || py >= rect.h) return {};
    MouseInfo mouse;
    mouse.x = px / scale;
    mouse.y = py / scale;
    mouse.wheel = wheel_;
    mouse.buttons = ((buttons & SDL_BUTTON_LMASK) != 0 ? 1 : 0) | ((buttons & SDL_BUTTON_RMASK) != 0 ? 2 : 0) |
                    ((buttons & SDL_BUTTON_MMASK) != 0 ? 4 : 0);
    return mouse;
}

std::string WindowDevice::KeyRead() {
    Service(false);
    if (keys_.empty()) return {};
    std::string key = std::move(keys_.front());
    keys_.pop_front();
    return key;
}

bool WindowDevice::KeyWaiting() {
    PumpEvents();
    return !keys_.empty();
}

void WindowDevice::StartAfresh() {
    Device::StartAfresh();
    PumpEvents();
    keys_.clear();
}

void WindowDevice::PlainSleep(std::int32_t ms) {
    Service(false);
    if (ms > 0 && !Stopped()) SDL_Delay(static_cast<Uint32>(ms));
    Service(true);
}

double WindowDevice::ClockSeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - ProgramStart).count();
}

void WindowDevice::Render() {
    if (Screen() == nullptr || texture_ == nullptr) return;
    const Surface screen = ResolveSurface(Screen());
    const void* pixels = screen.pixels;
    int pitch = static_cast<int>(screen.Stride());
    if (screen.bytesPerPixel == 1) {
        widened_.resize(static_cast<std::size_t>(screen.width) * screen.height);
        for (std::int32_t y = 0; y < screen.height; ++y) RowRgb(screen, y, &widened_[static_cast<std::size_t>(y) * screen.width]);
        pixels = widened_.data();
        pitch = screen.width * 4;
    }
    SDL_UpdateTexture(texture_, nullptr, pixels, pitch);
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    const SDL_Rect rect = ScreenRect(renderer_, screen.width, screen.height);
    SDL_RenderCopy(renderer_, texture_, nullptr, &rect);
}

void WindowDevice::Present() {
    if (Screen() == nullptr || renderer_ == nullptr) return;
    const Surface screen = ResolveSurface(Screen());
    const std::size_t bytes = screen.Stride() * screen.height;
    lastPresent_ = ClockSeconds();
    if (shown_.size() == bytes && std::memcmp(shown_.data(), screen.pixels, bytes) == 0) return;
    shown_.assign(screen.pixels, screen.pixels + bytes);
    Render();
    SDL_RenderPresent(renderer_);
}

std::vector<std::uint32_t> WindowDevice::ReadBack() {
    const ScreenMode mode = ScreenQuery();
    std::vector<std::uint32_t> picture;
    if (renderer_ == nullptr || mode.width == 0) return picture;
    Render();
    const SDL_Rect rect = ScreenRect(renderer_, mode.width, mode.height);
    std::vector<std::uint32_t> shown(static_cast<std::size_t>(rect.w) * rect.h);
    if (SDL_RenderReadPixels(renderer_, &rect, SDL_PIXELFORMAT_ARGB8888, shown.data(), rect.w * 4) != 0) return picture;
    const int scale = rect.w / mode.width;
    for (int y = 0; y < mode.height; ++y) {
        for (int x = 0; x < mode.width; ++x) {
            picture.push_back(shown[static_cast<std::size_t>(y * scale) * rect.w + x * scale] & 0xFFFFFF);
        }
    }
    return picture;
}

}  // namespace vekora
