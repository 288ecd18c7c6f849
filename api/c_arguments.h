// How the C wrappers read the pointers C callers pass. Every routine of vekora.h takes its
// arguments this one way: a null record counts as undefined, a null number as 0 (a null style
// word as -1, "use the setting"), a null text as "", a null font as empty, a null target (or a
// null image in it) as the screen, and a null output as a discarded one.
#pragma once

#include <cstdint>
#include <exception>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <vector>

#include "draw/font.h"
#include "draw/image.h"
#include "geom/records.h"
#include "platform/active_device.h"
#include "vekora.h"

namespace vekora::capi {

// The one place a C caller's null target becomes the active device's screen.
inline ImageHandle Target(const VekImage* target) { return TargetOrScreen(target ? *target : nullptr); }

inline std::int32_t In(const std::int32_t* value) { return value ? *value : 0; }
inline double In(const double* value) { return value ? *value : 0.0; }
inline float In(const float* value) { return value ? *value : 0.0f; }

inline const Point& In(const Point* p) {
    static constexpr Point undefined = UndefinedPoint();
    return p ? *p : undefined;
}
inline const Line& In(const Line* l) {
    static constexpr Line undefined = UndefinedLine();
    return l ? *l : undefined;
}
inline const Circle& In(const Circle* c) {
    static constexpr Circle undefined = UndefinedCircle();
    return c ? *c : undefined;
}
inline const LineEquation& In(const LineEquation* e) {
    static constexpr LineEquation undefined = UndefinedEquation();
    return e ? *e : undefined;
}

// A style word: -1, "use the program setting", when the caller passes none.
inline std::int32_t Word(const std::int32_t* value) { return value ? *value : -1; }
inline std::uint32_t Colour(const std::int32_t* value) { return static_cast<std::uint32_t>(In(value)); }
inline std::string_view Text(const char* text) { return text ? std::string_view(text) : std::string_view(); }

inline FontView View(const VekFont* font) {
    if (font == nullptr || font->data == nullptr || font->size <= 0) return {};
    return {font->data, static_cast<std::size_t>(font->size), font->index};
}

// Nothing may leave a C routine as an exception: running out of memory (for a saved page,
// a frame, a list) is reported as the routine's refusal.
template <typename Result, typename Run>
Result Guarded(Result refusal, Run run) noexcept {
    try {
        return run();
    } catch (...) {
        return refusal;
    }
}

// A written (or read and written) argument: the caller's value, or `scratch` when it passed none.
template <typename Value>
Value& Out(Value* value, Value& scratch) {
    return value ? *value : scratch;
}

// Hands a list to the caller: its old items are freed and the new ones malloc'd, as the
// header promises. False, with the list untouched, when memory ran out.
inline bool HandList(const std::vector<std::int32_t>& values, VEKS_IntList& list) {
    auto* items = static_cast<std::int32_t*>(std::malloc((values.empty() ? 1 : values.size()) * sizeof(std::int32_t)));
    if (items == nullptr) return false;
    if (!values.empty()) std::memcpy(items, values.data(), values.size() * sizeof(std::int32_t));
    std::free(list.items);
    list.items = items;
    list.count = static_cast<std::int32_t>(values.size());
    return true;
}

}  // namespace vekora::capi
