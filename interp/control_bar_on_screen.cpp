// Drawing the control bar only when the screen no longer shows it.
#include "interp/control_bar_on_screen.h"

#include "draw/image_surface.h"
#include "interp/control_bar.h"

namespace vekora {

bool ControlBarOnScreen::StillShown(ImageHandle screen, const Look& look) const {
    return screen_ != nullptr && screen_->Watches(screen) && look == drawn_ &&
           screen_->GuardedChanges() == coveredAtDrawing_;
}

void ControlBarOnScreen::Draw(const Stage& stage, const FontView& font, bool paused) {
    const ImageHandle screen = stage.Screen();
    const ScreenMode mode = stage.Mode();
    const Settings& settings = stage.settings();
    const Look look{paused,          mode.width,          mode.height,
                    mode.depth,      settings.originX,    settings.pageWidth,
                    settings.backgroundColour, settings.menuBackground, settings.menuText,
                    font.data};
    if (screen == nullptr || StillShown(screen, look)) return;
    if (screen_ == nullptr || !screen_->Watches(screen)) {
        screen_.reset();  // the old watch leaves the list before a new one joins it
        screen_ = std::make_unique<DrawnAreaWatch>(screen);
    }
    // The guard is in the screen's pixels, which at a render scale above 1 are finer than the
    // page units the bar is drawn in: the whole width of the rows is guarded, so a bound that
    // is never too small needs no scale.
    const Surface pixels = ResolveSurface(screen);
    const std::int32_t scale = mode.height > 0 ? pixels.height / mode.height : 1;
    screen_->Guard(PixelRect{0, (mode.height - ControlBarRows) * scale, pixels.width, pixels.height});
    DrawControlBar(stage, font, paused);
    drawn_ = look;
    coveredAtDrawing_ = screen_->GuardedChanges();
}

}  // namespace vekora
