// Lookup over the table of embedded resources that the build generates.
#include "resources/embedded.h"

namespace vekora {

const EmbeddedResource* FindEmbeddedResource(std::string_view type, std::string_view name) {
    for (const EmbeddedResource& resource : EmbeddedResources())
        if (resource.type == type && resource.name == name) return &resource;
    return nullptr;
}

}  // namespace vekora
