// Reading event files into a list of timed input events.
#include "platform/event_file.h"

#include <algorithm>
#include <charconv>

#include "i18n/language.h"
#include "platform/key_table.h"
#include "platform/whole_file.h"

namespace vekora {
namespace {

// A click holds the button down this long.
constexpr std::int64_t ClickMs = 100;
// Times beyond this (about 31 years) are refused, which keeps a click's release in range.
constexpr std::int64_t MaxTimeMs = 1'000'000'000'000;
constexpr std::string_view NotMilliseconds = N_("the time must be a whole number of milliseconds");
// Pointer coordinates beyond this cannot be screen pixels.
constexpr std::int32_t MaxCoordinate = 65535;

std::vector<std::string_view> SplitWords(std::string_view line) {
    std::vector<std::string_view> words;
    std::size_t at = 0;
    while (at < line.size()) {
        while (at < line.size() && (line[at] == ' ' || line[at] == '\t' || line[at] == '\r')) ++at;
        const std::size_t start = at;
        while (at < line.size() && line[at] != ' ' && line[at] != '\t' && line[at] != '\r') ++at;
        if (at > start) words.push_back(line.substr(start, at - start));
    }
    return words;
}

template <typename Int>
bool ParseInt(std::string_view word, Int& value) {
    const auto [end, status] = std::from_chars(word.data(), word.data() + word.size(), value);
    return status == std::errc() && end == word.data() + word.size();
}

// A key word as the bytes KeyRead gives: a name, one ASCII character, or one UTF-8 character
// of Latin-1, which becomes its Latin-1 byte.
bool KeyBytes(std::string_view word, std::string& bytes) {
    for (const NamedKeyBytes& named : NamedKeys) {
        if (word == named.name) {
            bytes = named.bytes;
            return true;
        }
    }
    const auto lead = static_cast<unsigned char>(word[0]);
    if (word.size() == 1 && lead > 32 && lead < 127) {
        bytes = word;
        return true;
    }
    const auto next = word.size() == 2 ? static_cast<unsigned char>(word[1]) : 0;
    if (word.size() == 2 && (lead == 0xC2 || lead == 0xC3) && (next & 0xC0) == 0x80) {
        const auto latin1 = static_cast<unsigned char>(((lead & 0x03) << 6) | (next & 0x3F));
        if (latin1 >= 0xA0) {
            bytes = std::string(1, static_cast<char>(latin1));
            return true;
        }
    }
    return false;
}

bool ButtonBit(std::string_view word, std::int32_t& bit) {
    if (word == "left") bit = 1;
    else if (word == "right") bit = 2;
    else if (word == "middle") bit = 4;
    else return false;
    return true;
}

// Parses the words after the time; returns what is wrong, or "" when the line is good.
std::string ParseEvent(const std::vector<std::string_view>& words, InputEvent& event, bool& click) {
    const std::string_view verb = words[1];
    click = verb == "click";
    if (verb == "key") {
        event.kind = InputEvent::Kind::Key;
        if (words.size() != 3) return std::string(Tr("key wants one key name"));
        if (!KeyBytes(words[2], event.key)) return TrFormat(N_("unknown key \"%s\""), {words[2]});
        return "";
    }
    if (verb == "move") event.kind = InputEvent::Kind::Move;
    else if (verb == "press" || click) event.kind = InputEvent::Kind::Press;
    else if (verb == "release") event.kind = InputEvent::Kind::Release;
    else return TrFormat(N_("unknown event \"%s\" (key, move, press, release or click)"), {verb});
    const std::size_t most = event.kind == InputEvent::Kind::Move ? 4 : 5;
    if (words.size() < 4 || words.size() > most) {
        return TrFormat(most == 5 ? N_("%s wants x and y and an optional button") : N_("%s wants x and y"), {verb});
    }
    if (!ParseInt(words[2], event.x) || !ParseInt(words[3], event.y) || event.x < 0 || event.y < 0 ||
        event.x > MaxCoordinate || event.y > MaxCoordinate) {
        return std::string(Tr("coordinates must be whole numbers from 0 to 65535"));
    }
    event.button = event.kind == InputEvent::Kind::Move ? 0 : 1;
    if (words.size() == 5 && !ButtonBit(words[4], event.button)) {
        return TrFormat(N_("unknown button \"%s\" (left, right or middle)"), {words[4]});
    }
    return "";
}

// When the line before a line takes effect, while that is known (not after a "wait" line).
struct KnownBase {
    bool known = true;
    std::int64_t ms = 0;
};

// The time word of a line: "<ms>", "+<ms>" or "wait". `last` is the latest time known so
// far. Returns what is wrong, or "" when the word is good.
std::string ParseTime(std::string_view word, KnownBase base, std::int64_t last, InputEvent& event) {
    if (word == "wait") {
        event.timing = InputEvent::Timing::AtWait;
        event.timeMs = 0;
        return "";
    }
    const bool relative = word.starts_with('+');
    if (!ParseInt(relative ? word.substr(1) : word, event.timeMs) || event.timeMs < 0 || event.timeMs > MaxTimeMs) {
        return std::string(Tr(NotMilliseconds));
    }
    if (!relative) {
        if (event.timeMs < last) return std::string(Tr("times must not go backwards"));
        return "";
    }
    if (!base.known) {
        event.timing = InputEvent::Timing::AfterPrevious;
        return "";
    }
    event.timeMs += base.ms;
    if (event.timeMs > MaxTimeMs) return std::string(Tr(NotMilliseconds));
    return "";
}

// Without "wait" lines every time is known: releases get theirs, and the list is put in time
// order (a click's release may come after later lines; the order of equal times is kept).
void SettleTimes(std::vector<InputEvent>& events) {
    for (std::size_t i = 1; i < events.size(); ++i) {
        if (events[i].timing != InputEvent::Timing::AfterPress) continue;
        events[i].timing = InputEvent::Timing::At;
        events[i].timeMs += events[i - 1].timeMs;
    }
    std::stable_sort(events.begin(), events.end(), [](const InputEvent& a, const InputEvent& b) { return a.timeMs < b.timeMs; });
}

}  // namespace

EventList ParseEvents(std::string_view text, std::string_view fileName) {
    EventList list;
    std::int64_t lastTime = 0;
    KnownBase base;
    bool waits = false;
    std::size_t lineNumber = 0;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        std::string_view line = text.substr(at, end - at);
        at = end + 1;
        ++lineNumber;
        line = line.substr(0, std::min(line.find('#'), line.size()));
        const std::vector<std::string_view> words = SplitWords(line);
        if (words.empty()) continue;
        InputEvent event;
        bool click = false;
        std::string problem;
        if (words.size() < 2) problem = Tr("an event is a time and what happens");
        else problem = ParseTime(words[0], base, lastTime, event);
        if (problem.empty()) problem = ParseEvent(words, event, click);
        if (!problem.empty()) {
            list.error = std::string(fileName) + ":" + std::to_string(lineNumber) + ": " + problem;
            list.events.clear();
            return list;
        }
        waits = waits || event.timing == InputEvent::Timing::AtWait;
        if (event.timing == InputEvent::Timing::At) {
            lastTime = std::max(lastTime, event.timeMs);
            base = {true, event.timeMs};
        } else {
            base.known = false;
        }
        list.events.push_back(event);
        if (click) {
            event.kind = InputEvent::Kind::Release;
            event.timing = InputEvent::Timing::AfterPress;
            event.timeMs = ClickMs;
            list.events.push_back(event);
        }
    }
    if (!waits) SettleTimes(list.events);
    return list;
}

EventList ReadEventFile(const std::string& path) {
    const FileContent content = ReadWholeFile(path);
    if (!content.error.empty()) {
        EventList list;
        list.error = TrFormat(N_("%s: cannot be read (%s)"), {path, content.error});
        return list;
    }
    return ParseEvents(content.bytes, path);
}

}  // namespace vekora
