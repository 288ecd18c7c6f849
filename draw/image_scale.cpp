// Scales live beside the images, not in their header: the image-buffer layout is public and
// stays as C callers know it. Few images are ever scaled at once (a run's screen, page and
// pictures of them), so a short list under a lock serves, and a run at scale 1 never takes
// the lock.
#include "draw/image_scale.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <utility>
#include <vector>

namespace vekora {
namespace {

struct ScaledImages {
    std::mutex lock;
    std::vector<std::pair<ImageHandle, std::int32_t>> images;
    std::atomic<std::size_t> count{0};
};

ScaledImages& Scaled() {
    static ScaledImages scaled;
    return scaled;
}

}  // namespace

std::int32_t ImageScale(ImageHandle image) {
    ScaledImages& scaled = Scaled();
    if (image == nullptr || scaled.count.load(std::memory_order_acquire) == 0) return 1;
    const std::lock_guard<std::mutex> guard(scaled.lock);
    for (const auto& [held, scale] : scaled.images) {
        if (held == image) return scale;
    }
    return 1;
}

void SetImageScale(ImageHandle image, std::int32_t scale) {
    if (image == nullptr) return;
    ScaledImages& scaled = Scaled();
    if (scale <= 1 && scaled.count.load(std::memory_order_acquire) == 0) return;
    const std::lock_guard<std::mutex> guard(scaled.lock);
    auto& images = scaled.images;
    images.erase(std::remove_if(images.begin(), images.end(), [image](const auto& entry) { return entry.first == image; }),
                 images.end());
    if (scale > 1) images.emplace_back(image, scale);
    scaled.count.store(images.size(), std::memory_order_release);
}

}  // namespace vekora
