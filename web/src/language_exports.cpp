// What the editor page asks of the language as the user types: completion, hover and signature
// help from the language server's own features, for the one lesson the editor holds. Each
// answer is the JSON the protocol's request would get as its result (null: nothing to say);
// positions are 0-based lines and UTF-16 units of the line, as the editor counts them.
#include <emscripten.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "lsp/features.h"
#include "lsp/lesson.h"
#include "run/diagnostic_printer.h"

namespace vekora {
namespace {

lsp::Lesson& EditedLesson() {
    static lsp::Lesson lesson;
    return lesson;
}

// The JSON text of an answer. Not Json::dump: its writer calls through a virtual output
// adapter, so the functions that may sleep (web/asyncify_only_list.py) would take in dump's
// long name, whose wildcards the optimiser matched against every function of the JSON library
// for most of an hour. An answer holds objects, arrays, texts, whole numbers, booleans and null.
void Write(const lsp::Json& value, std::string& out) {
    switch (value.type()) {
        case lsp::Json::value_t::object: {
            char separator = '{';
            for (const auto& [key, member] : value.items()) {
                out += separator;
                out += JsonString(key) + ':';
                Write(member, out);
                separator = ',';
            }
            out += value.empty() ? "{}" : "}";
            break;
        }
        case lsp::Json::value_t::array: {
            char separator = '[';
            for (const lsp::Json& element : value) {
                out += separator;
                Write(element, out);
                separator = ',';
            }
            out += value.empty() ? "[]" : "]";
            break;
        }
        case lsp::Json::value_t::string: out += JsonString(value.get_ref<const std::string&>()); break;
        case lsp::Json::value_t::boolean: out += value.get<bool>() ? "true" : "false"; break;
        case lsp::Json::value_t::number_integer: out += std::to_string(value.get<std::int64_t>()); break;
        case lsp::Json::value_t::number_unsigned: out += std::to_string(value.get<std::uint64_t>()); break;
        case lsp::Json::value_t::number_float: out += std::to_string(value.get<double>()); break;
        default: out += "null"; break;
    }
}

// The answer outlives the call until the next one, for the page to copy.
const char* Answer(const lsp::Json& result) {
    static std::string text;
    text.clear();
    Write(result, text);
    return text.c_str();
}

lsp::Json At(std::int32_t line, std::int32_t character) {
    return lsp::Json{{"position", lsp::Json{{"line", line}, {"character", character}}}};
}

}  // namespace
}  // namespace vekora

using namespace vekora;

extern "C" {

// The editor's text (UTF-8) changed: it is compiled now, and the answers below are about it.
// Nothing of a run in progress is touched, so the page may ask while a lesson plays.
EMSCRIPTEN_KEEPALIVE void vekora_edit_text(const char* text, std::int32_t length) {
    EditedLesson().SetText(std::string_view(text, static_cast<std::size_t>(length)));
}

EMSCRIPTEN_KEEPALIVE const char* vekora_edit_completion(std::int32_t line, std::int32_t character) {
    return Answer(lsp::Completion(EditedLesson(), At(line, character)));
}

EMSCRIPTEN_KEEPALIVE const char* vekora_edit_hover(std::int32_t line, std::int32_t character) {
    return Answer(lsp::Hover(EditedLesson(), At(line, character)));
}

EMSCRIPTEN_KEEPALIVE const char* vekora_edit_signature(std::int32_t line, std::int32_t character) {
    return Answer(lsp::SignatureHelp(EditedLesson(), At(line, character)));
}

}  // extern "C"
