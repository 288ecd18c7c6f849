// The resources every run shares and the process loads once: the twelve resident fonts, the
// logo and the window icon. They never change after loading, so any layer may read them.
#pragma once

#include <cstdint>

#include "draw/font.h"
#include "draw/image.h"

namespace vekora {

// Where the picture resources are found among the embedded resources.
inline constexpr const char* PictureResourceType = "myBMP";
inline constexpr const char* LogoResourceName = "logo16";
inline constexpr const char* IconResourceName = "appIcon";
constexpr std::int32_t LogoWidth = 215;
constexpr std::int32_t LogoHeight = 60;

struct ResidentResources {
    ResidentFonts fonts;
    ImageHandle logo = nullptr;  // 16-bit image buffer; null when the resource is missing
    ImageHandle icon = nullptr;  // an image buffer of any depth; null when missing
};

// Loads on the first call (VEK_INIT makes that call) and returns the same set afterwards.
const ResidentResources& Resident();

// The font of a size the font-size rule gives (12, 16, 24, 32, 40, 64), of the sans family
// or the Greek one; another size gives the 16-pixel font.
enum class FontFamily { Sans, Greek };
FontView ResidentFont(FontFamily family, std::int32_t size);
// The same font for the text a script writes (TEXT, labels, menu items): its mathematical
// signs come from the Greek font of the same size.
FontView ResidentTextFont(FontFamily family, std::int32_t size);

}  // namespace vekora
