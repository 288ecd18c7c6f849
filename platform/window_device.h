// The window device: the screen shown in an SDL2 window, scaled to whatever size the window
// has (aspect kept, nearest neighbour, sharp on high-density displays), F11 for fullscreen;
// keyboard and mouse from SDL, button changes queued; the real clock.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "platform/device.h"
#include "platform/picture_fit.h"
#include "platform/plugins.h"

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;

namespace vekora {

class WindowDevice : public Device {
public:
    // The zoom factors a window may open at.
    static constexpr double SmallestZoom = 0.5;
    static constexpr double LargestZoom = 8;

    // A window device, or null with the reason in `whyNot` when no display can be opened
    // (the program then runs headless). The window itself opens with the screen.
    static std::unique_ptr<WindowDevice> Create(const WindowOptions& options, std::string& whyNot);
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

    // The box F1 shows over the picture until any key or click (a 32-bit image, copied); the
    // lesson's clock stands still meanwhile. Without one F1 does nothing.
    void SetHelpPicture(ImageHandle picture);

    // The screen as the renderer shows it, one 0xRRGGBB a screen pixel, top row first.
    std::vector<std::uint32_t> ReadBack();

    // Where the picture stands in the window now, in renderer pixels.
    const PictureFit& Fit();

private:
    explicit WindowDevice(const WindowOptions& options);
    // Handles pending window events: keys, wheel, buttons, F11; closing the window requests a stop.
    void PumpEvents();
    WindowSize ZoomedSize(std::int32_t width, std::int32_t height) const;
    void OpenWindow(std::int32_t width, std::int32_t height);
    void ToggleFullscreen();
    // The mouse at window point (x, y) with these buttons, in screen pixels; all -1 beside the picture.
    MouseInfo MouseAt(std::int32_t x, std::int32_t y, std::int32_t buttons);
    // Pumps events, reports the time passed to the clock observers, and presents the screen
    // when it changed and the last picture is older than a display frame (or `force`).
    void Service(bool force);
    bool MakeTexture();
    void Render();
    void ApplyIcon();
    // Shows the help box until any key, a click or a closed window; the time it stood is
    // taken off the clock.
    void ShowHelp();
    void RenderHelp();

    WindowOptions options_;
    ImageHandle icon_ = nullptr;
    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    std::vector<std::uint8_t> shown_;      // the screen bytes last presented
    std::vector<std::uint32_t> widened_;   // 8-bit screens are shown through this 32-bit copy
    std::vector<std::uint8_t> scaled_;     // the picture at the window's scale, as the texture holds it
    PictureFit fit_;
    std::int32_t fitOutW_ = -1, fitOutH_ = -1, fitScreenW_ = -1, fitScreenH_ = -1;
    std::int32_t textureW_ = 0, textureH_ = 0;
    std::int32_t buttonsDown_ = 0;
    ButtonChanges buttonChanges_;
    std::vector<std::uint32_t> help_;  // the help box's pixels, 0xAARRGGBB
    std::int32_t helpW_ = 0, helpH_ = 0;
    SDL_Texture* helpTexture_ = nullptr;
    bool helpAsked_ = false;
    bool dropTypedText_ = false;  // the text of the key that closed the help box is still to come
    double heldSeconds_ = 0;  // time the help box stood, which the clock does not count
    double lastPresent_ = -1;
    double lastNotified_ = 0;
    std::deque<std::string> keys_;
    std::int32_t wheel_ = 0;
};

}  // namespace vekora
