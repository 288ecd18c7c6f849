// The reference's sections, one a statement, generated from docs/reference at build time.
#pragma once

#include <cstddef>
#include <string_view>

namespace vekora::lsp {

struct ReferenceEntry {
    std::string_view keywords;  // the heading's keywords, separated by blanks: "LINE ILINE"
    std::string_view page;      // the page's file name: "lines-circles.md"
    std::string_view markdown;  // the section, from its heading to the next
};

extern const ReferenceEntry ReferenceEntries[];
extern const std::size_t ReferenceEntryCount;

// The section of a keyword in any spelling, or null.
const ReferenceEntry* FindReference(std::string_view keyword);

}  // namespace vekora::lsp
