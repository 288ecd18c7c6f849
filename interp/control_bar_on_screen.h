// The control bar as it stands on the screen: drawn again only when its look changed (paused
// or not, the screen, the page's width, the colours) or something was drawn over its rows
// since. An animation repeats its procedure every frame, and drawing the bar each time cost
// more than the frame itself.
#pragma once

#include <cstdint>
#include <memory>

#include "anim/stage.h"
#include "draw/drawn_area.h"
#include "draw/font.h"

namespace vekora {

class ControlBarOnScreen {
public:
    // Draws the bar (DrawControlBar) unless the screen still shows it as it would be drawn now.
    void Draw(const Stage& stage, const FontView& font, bool paused);

private:
    // Everything that decides the bar's pixels besides the screen's own drawing.
    struct Look {
        bool paused = false;
        std::int32_t screenWidth = 0;
        std::int32_t screenHeight = 0;
        std::int32_t screenDepth = 0;
        std::int32_t originX = 0;
        std::int32_t pageWidth = 0;
        std::int32_t background = 0;
        std::int32_t menuBackground = 0;
        std::int32_t menuText = 0;
        const std::uint8_t* fontData = nullptr;
        bool operator==(const Look&) const = default;
    };

    bool StillShown(ImageHandle screen, const Look& look) const;

    std::unique_ptr<DrawnAreaWatch> screen_;  // guards the bar's rows
    Look drawn_;
    std::uint64_t coveredAtDrawing_ = 0;
};

}  // namespace vekora
