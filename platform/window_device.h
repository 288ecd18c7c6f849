// The window device: the screen shown in an SDL2 window, scaled to whatever size the window
// has (aspect kept; nearest neighbour, or smoothed at an uneven scale unless sharp; the screen
// drawn as finely as the window shows it when the device follows the display), F11 for
// fullscreen, F2 between sharp and smoothed;
// keyboard and mouse from SDL, button changes queued; the real clock. Only what was drawn
// since the last picture is carried to the window, and waits sleep on the event queue, so
// that a window whose lesson waits costs next to nothing.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "draw/drawn_area.h"
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
    // Ends a wait blocked on the event queue, from any thread.
    void Wake() override;
    // Shows the screen when anything was drawn on it since the last picture; only the part
    // of the texture that the drawn area maps to is updated.
    void Present() override;
    // Also drops the keys typed before the new run; the clock stays the real one.
    void StartAfresh() override;

    // A window that follows its display wants the smallest whole render scale at least the
    // factor its screen is shown at: foreseen when it is made (for a 640 x 480 page at the size
    // it will open at), decided again when the screen opens, when the window is resized or goes
    // fullscreen and back (and 1 while sharp); otherwise the scale the device has.
    std::int32_t WantedRenderScale() const override;
    // The factor the screen's page is shown at now (output pixels a page unit); 0 with no window.
    double DisplayScale();
    // Nearest neighbour at every scale (true), or smoothing where the scale is not whole;
    // F2 switches.
    bool Sharp() const { return sharp_; }
    void SetSharp(bool sharp);

    // The box F1 shows over the picture until any key or click (a 32-bit image, copied); the
    // lesson's clock stands still meanwhile. Without one F1 does nothing.
    void SetHelpPicture(ImageHandle picture);

    // The screen as the renderer shows it, one 0xRRGGBB a screen pixel, top row first.
    std::vector<std::uint32_t> ReadBack();
    // The picture's rectangle as the renderer shows it, one 0xRRGGBB an output pixel.
    std::vector<std::uint32_t> ReadBackOutput();

    // What presenting has carried to the window: texture updates for what was drawn, whole
    // pictures shown again (a new texture or fit, an uncovered window), and the texels of both.
    struct PresentCounts {
        std::uint64_t updates = 0;
        std::uint64_t refreshes = 0;
        std::uint64_t texels = 0;
    };
    PresentCounts Presented() const { return presented_; }

    // The SDL window, null before the screen opens.
    SDL_Window* NativeWindow() const { return window_; }

    // Where the picture stands in the window now, in renderer pixels.
    const PictureFit& Fit();

protected:
    MouseInfo LiveMouse() override;
    std::string LiveKey() override;
    bool LiveKeyWaiting() override;
    void LivePlainSleep(std::int32_t ms) override;
    // Long sleeps block on the event queue until a key comes, the run stops or time is up.
    void LiveSleep(std::int32_t ms) override;
    // Blocks on the event queue, presenting first, until an event, `mostMs` or the time limit.
    void LiveWaitForInput(std::int32_t sliceMs, std::int32_t mostMs) override;
    double LiveClock() override;
    // A replay takes no time off the lesson's clock, and is shown once it is over.
    void ReplayChanged(bool replaying) override;

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
    // Presents, then blocks until an event arrives, `ms` pass or the time limit comes. Nothing
    // else wakes a waiting window: the clock's observers hear the whole wait when it ends.
    void BlockOnEvents(std::int32_t ms);
    bool MakeTexture();
    // The texture the picture is shown through: the picture already scaled to the fit (shown
    // pixel for pixel), or the screen's own pixels, which the renderer scales smoothly.
    struct TextureShape {
        std::int32_t width = 0, height = 0;
        bool smooth = false;
    };
    TextureShape WantedTexture();
    // Decides the render scale the window wants for its size now (followDisplay only).
    void DecideRenderScale();
    // Brings the texture in step with the screen: the area drawn since, or all of it when
    // the texture or the fit is new. False when there was nothing to update.
    bool UpdateTexture();
    // Scales the screen's `area` into the texture's copy of the picture and uploads that part.
    void UploadArea(const PixelRect& area);
    // Draws the texture in its place on a cleared output.
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
    std::unique_ptr<DrawnAreaWatch> screenWatch_;  // what is drawn on the screen
    std::uint64_t shownChanges_ = 0;  // the watch's count when the texture was last updated
    bool textureStale_ = true;        // the whole texture is to be updated
    PresentCounts presented_;
    std::vector<std::uint32_t> widened_;   // 8-bit screens are shown through this 32-bit copy
    std::vector<std::uint8_t> scaled_;     // the picture at the window's scale, as the texture holds it
    PictureFit fit_;
    std::int32_t fitOutW_ = -1, fitOutH_ = -1, fitScreenW_ = -1, fitScreenH_ = -1;
    std::int32_t textureW_ = 0, textureH_ = 0;
    bool textureSmooth_ = false;  // the texture holds the screen's pixels, scaled by the renderer
    bool sharp_ = true;
    std::int32_t wantedScale_ = 1;
    std::int32_t buttonsDown_ = 0;
    ButtonChanges buttonChanges_;
    std::vector<std::uint32_t> help_;  // the help box's pixels, 0xAARRGGBB
    std::int32_t helpW_ = 0, helpH_ = 0;
    SDL_Texture* helpTexture_ = nullptr;
    bool helpAsked_ = false;
    bool dropTypedText_ = false;  // the text of the key that closed the help box is still to come
    double heldSeconds_ = 0;  // time the help box stood and replays took, which the clock does not count
    double replayBegan_ = 0;  // the real clock when the replay under way began
    double lastPresent_ = -1;
    double lastNotified_ = 0;
    std::deque<std::string> keys_;
    std::int32_t wheel_ = 0;
    // The finger a swipe may be made with, where and when it touched (SDL's fractions of the
    // window and milliseconds).
    struct FingerStroke {
        std::int64_t finger = 0;
        float x = 0, y = 0;
        std::uint32_t since = 0;
    };
    std::optional<FingerStroke> stroke_;
    std::int32_t touchesDown_ = 0;
};

}  // namespace vekora
