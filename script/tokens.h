// Source lines into tokens: splitting, keyword codes, token classes, and the number and
// colour literals.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vekora {

class SymbolTable;

// Keyword codes. The I-variants (IPOINT, ICROSS, ...) are IVariant plus the plain code.
enum Keyword : std::int32_t {
    KwPoint = 1, KwLine = 2, KwLinePolar = 3, KwCircle = 4, KwCopy = 5, KwCross = 8,
    KwMiddle = 9, KwMoveCircle = 10, KwRevert = 11, KwMidline = 13, KwTangent = 16,
    KwAdvanceTo = 17, KwAdvanceOn = 18, KwCircleEnd = 22, KwArc = 26, KwStartLine = 27,
    KwFillTriangle = 28, KwFillCircle = 29, KwFill = 30, KwOrderLines = 32,
    KwMarkPoint = 33, KwMarkLine = 34, KwMarkAngle = 35, KwMarkNumberLine = 38,
    KwMarkNumberAngle = 39, KwFast = 45, KwPace = 46, KwSlow = 47, KwCall = 48,
    KwRepeat = 49, KwClickable = 52, KwClickableAlong = 53, KwTrace = 55,
    KwConstruction = 57, KwInteraction = 58, KwAnimation = 59, KwCls = 65, KwScreen = 66,
    KwWindow = 67, KwTextWindow = 68, KwText = 72, KwTitle = 73, KwSpeed = 76,
    KwFrameSpeed = 77, KwDefaults = 80, KwToolDefaults = 81, KwMenu = 88, KwMenuItem = 89,
    KwExitMenu = 90, KwEndMenu = 91, KwRepeatMenu = 92, KwStep = 97, KwStepAlong = 98,
    KwDefault = 100, KwAlong = 102, KwWait = 128, KwWaitAlways = 129, KwEnd = 255,
};
constexpr std::int32_t IVariant = 0x4000;

// Space, comma and equals sign: one test of a bit in a mask of the bytes below 64.
constexpr bool IsSeparator(char byte) {
    constexpr std::uint64_t SeparatorBits = (1ull << ' ') | (1ull << ',') | (1ull << '=');
    const auto code = static_cast<unsigned char>(byte);
    return code < 64 && ((SeparatorBits >> code) & 1) != 0;
}

// One token of a line: where the next token starts is the splitter's business.
// Returns false when the line holds no further token. Inline: every token of every pass
// goes through it.
inline bool NextToken(std::string_view line, std::size_t& position, std::string_view& token) {
    const std::size_t size = line.size();
    std::size_t start = position;
    while (start < size && IsSeparator(line[start])) ++start;
    if (start >= size) {
        position = size;
        return false;
    }
    const char first = line[start];
    std::size_t end;  // one past the token's last byte
    if (first == '"' || first == '(') {
        const std::size_t close = line.find(first == '"' ? '"' : ')', start + 1);
        end = close == std::string_view::npos ? size : close + 1;
    } else {
        end = start + 1;
        while (end < size && !IsSeparator(line[end])) ++end;
    }
    token = std::string_view(line.data() + start, end - start);
    // The byte after the token is skipped whatever it is: after a closing mark it is lost.
    position = end >= size ? size : end + 1;
    return true;
}

// Fills tokens (zero-based) and returns their number; an empty line gives 0.
int SplitLine(std::string_view line, std::vector<std::string>& tokens);

// -1 when the first byte is below 'A'; else the code of the upper-cased token, or 0.
std::int32_t KeywordCode(std::string_view token);

// Every keyword the compiler knows, upper case, in the order of its table (other spellings
// of one statement each count). For tools and tests that must follow the language.
std::vector<std::string_view> KeywordNames();

// The token class (type in bits 0-15, index or keyword code in bits 16-31; -1 for a
// comment start). Text literals lose their quotes and DEFAULT becomes "-1": the view
// is narrowed or redirected, so it must not outlive the line it came from.
std::int32_t ClassifyTokenView(std::string_view& token, SymbolTable& symbols);
std::int32_t ClassifyToken(std::string& token, SymbolTable& symbols);

// The text of a quoted token without any leading or trailing double quotes.
std::string_view StripQuotes(std::string_view token);

double ParseNumber(std::string_view text);
std::int32_t ParseColour(std::string_view text);

// The bytes ParseNumber reads of text (leading blanks included); 0 when it finds no number.
std::size_t NumberLength(std::string_view text);
// True when ParseColour reads all of text as one of the colour forms.
bool IsColourText(std::string_view text);

// Nearest integer, halves to even; a value that does not fit 32 bits (or is not a
// number) gives 0x80000000.
std::int32_t RoundToWord(double value);

}  // namespace vekora
