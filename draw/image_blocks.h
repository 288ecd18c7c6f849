// The memory of large images, kept for the next image of the same size instead of going back
// to the system. A run makes and drops copies of its page all the time (a film's saved page,
// a procedure's picture of the page on entry); each fresh block of that size would come from
// the system zeroed, page by page, which costs more than drawing a frame.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vekora {

// A block of at least `bytes` (malloc'd; a kept one when there is one of about that size),
// null without memory.
std::uint8_t* TakeImageBlock(std::size_t bytes);
// Lets go of a malloc'd block: kept for reuse while the kept blocks stay few and small enough,
// freed otherwise. Its size is asked of malloc, not of the image header it may hold.
void GiveBackImageBlock(std::uint8_t* block);

}  // namespace vekora
