// Loading of the resident fonts and pictures, once per process.
#include "interp/resident.h"

#include <array>
#include <cstring>

#include "resources/embedded.h"

namespace vekora {
namespace {

// A picture resource is an image buffer; one whose header disagrees with its size is left out.
ImageHandle LoadPicture(const char* name) {
    const EmbeddedResource* resource = FindEmbeddedResource(PictureResourceType, name);
    if (resource == nullptr || resource->bytes.size() < ImageHeaderBytes) return nullptr;
    const std::uint8_t* bytes = resource->bytes.data();
    const std::int32_t word0 = bytes[0] | (bytes[1] << 8);
    const std::int32_t width = word0 >> 3;
    const std::int32_t depth = word0 & 7;
    const std::int32_t height = bytes[2] | (bytes[3] << 8);
    if (depth != 1 && depth != 2 && depth != 4) return nullptr;
    const std::size_t size = ImageHeaderBytes + static_cast<std::size_t>(width) * height * depth;
    if (resource->bytes.size() < size) return nullptr;
    ImageHandle image = ImageNewOfDepth(width, height, depth, 0);
    if (image != nullptr) std::memcpy(image, bytes, size);
    return image;
}

ResidentResources LoadResident() {
    ResidentResources resident;
    LoadResidentFonts(resident.fonts);
    resident.logo = LoadPicture(LogoResourceName);
    resident.icon = LoadPicture(IconResourceName);
    return resident;
}

std::size_t SizeSlot(std::int32_t size) {
    constexpr std::array<std::int32_t, 6> Sizes = {12, 16, 24, 32, 40, 64};
    for (std::size_t i = 0; i < Sizes.size(); ++i)
        if (Sizes[i] == size) return i;
    return 1;
}

}  // namespace

const ResidentResources& Resident() {
    // Loaded once and never changed: the pictures live as long as the process.
    static const ResidentResources resident = LoadResident();
    return resident;
}

FontView ResidentFont(FontFamily family, std::int32_t size) {
    const std::size_t slot = SizeSlot(size) + (family == FontFamily::Greek ? 6 : 0);
    return ViewOf(Resident().fonts.fonts[slot]);
}

FontView ResidentTextFont(FontFamily family, std::int32_t size) {
    // The sign fonts' views live as long as the fonts they show: to the end of the process.
    static const std::array<FontView, 6> signFonts = [] {
        std::array<FontView, 6> views;
        for (std::size_t i = 0; i < views.size(); ++i) views[i] = ViewOf(Resident().fonts.fonts[i + 6]);
        return views;
    }();
    FontView font = ResidentFont(family, size);
    font.signs = &signFonts[SizeSlot(size)];
    return font;
}

}  // namespace vekora
