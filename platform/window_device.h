// The window device: the screen shown in an SDL2 window through a texture, scaled by whole
// factors when the window is resized; keyboard and mouse from SDL; the real clock.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "platform/device.h"

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;

namespace vekora {

class WindowDevice : public Device {
public:
    // A window device, or null with the reason in `whyNot` when no display can be opened
    // (the program then runs headless). The window itself opens with the screen.
    static std::unique_ptr<WindowDevice> Create(std::int32_t zoom, std::string& whyNot);
    ~WindowDevice() override;

    bool ScreenOpen(std::int32_t width, std::int32_t height, std::int32_t depth) override;
    void WindowCaption(std::string_view text) override;
    void WindowIcon(ImageHandle icon) override;
    MouseInfo MouseState() override;
    std::string KeyRead() override;
    bool KeyWaiting() override;
    void PlainSleep(std::int32_t ms) override;
    double ClockSeconds() override;
    void Present() override;
    // Also drops the keys typed before the new run; the clock stays the real one.
    void StartAfresh() override;

    // The screen as the renderer shows it, one 0xRRGGBB a screen pixel, top row first.
    std::vector<std::uint32_t> ReadBack();

private:
    explicit WindowDevice(std::int32_t zoom);
    // Handles pending window events: keys, wheel; closing the window requests a stop.
    void PumpEvents();
    // Pumps events, reports the time passed to the clock observers, and presents the screen
    // when it changed and the last picture is older than a display frame (or `force`).
    void Service(bool force);
    bool MakeTexture();
    void Render();
    void ApplyIcon();

    std::int32_t zoom_;
    std::string caption_;
    ImageHandle icon_ = nullptr;
    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    std::vector<std::uint8_t> shown_;      // the screen bytes last presented
    std::vector<std::uint32_t> widened_;   // 8-bit screens are shown through this 32-bit copy
    double lastPresent_ = -1;
    double lastNotified_ = 0;
    std::deque<std::string> keys_;
    std::int32_t wheel_ = 0;
};

}  // namespace vekora
