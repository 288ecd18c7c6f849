// The kept image blocks: a short list under a lock, so that library callers on several
// threads share it safely; what it keeps is only memory, never pixels anyone sees.
#include "draw/image_blocks.h"

#include <malloc.h>
#include <sys/mman.h>

#include <cstdlib>
#include <mutex>
#include <utility>
#include <vector>

namespace vekora {
namespace {

// Under the address sanitizer every image goes back to malloc, so that a use after free is
// still caught.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool KeepBlocks = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool KeepBlocks = false;
#else
constexpr bool KeepBlocks = true;
#endif
#else
constexpr bool KeepBlocks = true;
#endif

// Smaller blocks come and go through malloc's own lists cheaply.
constexpr std::size_t SmallestKept = 64 * 1024;
// At most this many blocks and bytes are kept: a handful of page copies of a large page.
constexpr std::size_t MostBlocksKept = 4;
constexpr std::size_t MostBytesKept = std::size_t{48} << 20;

// Blocks this large (a screen drawn three or four times finer) are placed on 2 MB boundaries
// and offered huge pages: their first touch then costs a fault every 2 MB, not every 4 KB,
// which is most of the time a large picture takes to make. Smaller ones stay as malloc gives.
constexpr std::size_t HugePage = std::size_t{2} << 20;
constexpr std::size_t HugeFrom = std::size_t{4} << 20;

std::uint8_t* NewBlock(std::size_t bytes) {
    if (bytes < HugeFrom) return static_cast<std::uint8_t*>(std::malloc(bytes));
    const std::size_t rounded = (bytes + HugePage - 1) / HugePage * HugePage;
    void* block = std::aligned_alloc(HugePage, rounded);
    if (block != nullptr) madvise(block, rounded, MADV_HUGEPAGE);
    return static_cast<std::uint8_t*>(block);
}

struct KeptBlocks {
    std::mutex lock;
    std::vector<std::pair<std::uint8_t*, std::size_t>> blocks;
    std::size_t bytes = 0;

    ~KeptBlocks() {
        for (const auto& [block, size] : blocks) std::free(block);
    }
};

KeptBlocks& Kept() {
    static KeptBlocks kept;
    return kept;
}

}  // namespace

std::uint8_t* TakeImageBlock(std::size_t bytes) {
    if (KeepBlocks && bytes >= SmallestKept) {
        KeptBlocks& kept = Kept();
        const std::lock_guard<std::mutex> guard(kept.lock);
        for (auto it = kept.blocks.begin(); it != kept.blocks.end(); ++it) {
            // A block much larger than asked for would hold memory nobody uses.
            if (it->second < bytes || it->second > bytes + bytes / 8) continue;
            std::uint8_t* block = it->first;
            kept.bytes -= it->second;
            kept.blocks.erase(it);
            return block;
        }
    }
    return NewBlock(bytes);
}

void GiveBackImageBlock(std::uint8_t* block) {
    if (block == nullptr) return;
    const std::size_t bytes = malloc_usable_size(block);
    if (KeepBlocks && bytes >= SmallestKept) {
        KeptBlocks& kept = Kept();
        const std::lock_guard<std::mutex> guard(kept.lock);
        if (kept.blocks.size() < MostBlocksKept && kept.bytes + bytes <= MostBytesKept) {
            kept.blocks.emplace_back(block, bytes);
            kept.bytes += bytes;
            return;
        }
    }
    std::free(block);
}

}  // namespace vekora
