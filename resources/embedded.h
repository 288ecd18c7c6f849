// The resources compiled into the program (the twelve fonts, and whatever else is listed in
// resources/CMakeLists.txt), found by type and name as a resource section would be.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace vekora {

struct EmbeddedResource {
    std::string_view type;  // "myFont" for the fonts
    std::string_view name;  // "sans12", "greek64", ...
    std::span<const std::uint8_t> bytes;
};

// Every embedded resource, in the order resources/CMakeLists.txt lists them.
std::span<const EmbeddedResource> EmbeddedResources();

// The resource of that type and name (both compared exactly), or null.
const EmbeddedResource* FindEmbeddedResource(std::string_view type, std::string_view name);

}  // namespace vekora
