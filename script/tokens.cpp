// Splits source lines into tokens and converts literals.
#include "script/tokens.h"

#include <cmath>
#include <cstdlib>
#include <array>
#include <bit>

#include "script/symbols.h"
#include "script/types.h"

namespace vekora {
namespace {

constexpr bool IsDigit(char byte) { return byte >= '0' && byte <= '9'; }
constexpr char Upper(char byte) { return (byte >= 'a' && byte <= 'z') ? static_cast<char>(byte - 'a' + 'A') : byte; }

struct KeywordEntry {
    std::string_view name;
    std::int32_t code;
};

constexpr KeywordEntry Keywords[] = {
    {"POINT", KwPoint}, {"LINE", KwLine}, {"LINEPOLAR", KwLinePolar}, {"CIRCLE", KwCircle},
    {"IPOINT", IVariant + KwPoint}, {"ILINE", IVariant + KwLine},
    {"ILINEPOLAR", IVariant + KwLinePolar}, {"ICIRCLE", IVariant + KwCircle},
    {"COPY", KwCopy}, {"CROSS", KwCross}, {"ICROSS", IVariant + KwCross},
    {"MIDDLE", KwMiddle}, {"IMIDDLE", IVariant + KwMiddle},
    {"MOVECIRCLE", KwMoveCircle}, {"IMOVECIRCLE", IVariant + KwMoveCircle}, {"REVERT", KwRevert},
    {"MIDLINE", KwMidline}, {"BISECTOR", KwMidline},
    {"IMIDLINE", IVariant + KwMidline}, {"IBISECTOR", IVariant + KwMidline},
    {"TANGENT", KwTangent}, {"ITANGENT", IVariant + KwTangent},
    {"ADVANCETO", KwAdvanceTo}, {"IADVANCETO", IVariant + KwAdvanceTo},
    {"ADVANCEON", KwAdvanceOn}, {"IADVANCEON", IVariant + KwAdvanceOn},
    {"CIRCLEND", KwCircleEnd}, {"CIRCLEEND", KwCircleEnd}, {"ENDCIRCLE", KwCircleEnd},
    {"ICIRCLEND", IVariant + KwCircleEnd}, {"ICIRCLEEND", IVariant + KwCircleEnd},
    {"IENDCIRCLE", IVariant + KwCircleEnd},
    {"ARC", KwArc}, {"IARC", IVariant + KwArc},
    {"STARTLINE", KwStartLine}, {"ISTARTLINE", IVariant + KwStartLine},
    {"FILLTRIANGLE", KwFillTriangle}, {"FILLCIRCLE", KwFillCircle}, {"FILL", KwFill},
    {"ORDERLINES", KwOrderLines}, {"MARKPOINT", KwMarkPoint}, {"MARKLINE", KwMarkLine},
    {"MARKANGLE", KwMarkAngle}, {"MARKNUMBERLINE", KwMarkNumberLine},
    {"MARKNLINE", KwMarkNumberLine}, {"MARKNUMBERANGLE", KwMarkNumberAngle},
    {"MARKNANGLE", KwMarkNumberAngle},
    {"FAST", KwFast}, {"PACE", KwPace}, {"SLOW", KwSlow}, {"TOOL", KwSlow}, {"TOOLS", KwSlow},
    {"CALL", KwCall}, {"CONSTRUCT", KwCall}, {"INTERACT", KwCall}, {"ANIMATE", KwCall},
    {"REPEAT", KwRepeat}, {"CLICKABLE", KwClickable}, {"TRACE", KwTrace},
    {"CONSTRUCTION", KwConstruction}, {"INTERACTION", KwInteraction}, {"ANIMATION", KwAnimation},
    {"CLS", KwCls}, {"SCREEN", KwScreen}, {"WINDOW", KwWindow},
    {"TWINDOW", KwTextWindow}, {"TEXTWINDOW", KwTextWindow}, {"TEXT", KwText}, {"TITLE", KwTitle},
    {"SPEED", KwSpeed}, {"FRAME", KwFrameSpeed}, {"FRAMESPEED", KwFrameSpeed},
    {"DEFAULTS", KwDefaults}, {"TOOLDEFAULTS", KwToolDefaults}, {"MENU", KwMenu},
    {"MENUITEM", KwMenuItem}, {"EXITMENU", KwExitMenu}, {"ENDMENU", KwEndMenu},
    {"REPEATMENU", KwRepeatMenu}, {"STEP", KwStep}, {"DEFAULT", KwDefault}, {"ALONG", KwAlong},
    {"WAIT", KwWait}, {"WAITALWAYS", KwWaitAlways}, {"END", KwEnd},
};
constexpr std::size_t LongestKeyword = 15;  // MARKNUMBERANGLE

// A token of letters only, upper-cased, as two words of bytes with zeros after its end:
// hashed and compared without a byte loop, for every token of a script is looked up.
struct KeywordKey {
    std::uint64_t low = 0;  // bytes 0 to 7, the first in the lowest byte
    std::uint64_t high = 0;
    bool operator==(const KeywordKey&) const = default;
};

// False for a token with any byte that is no letter once upper-cased, or too long: no
// keyword has such a byte, so no such token is a keyword.
constexpr bool LetterKey(std::string_view token, KeywordKey& key) {
    const std::size_t size = token.size();
    if (size > LongestKeyword) return false;
    // Clearing bit 5 upper-cases a letter and leaves every other byte outside A to Z.
    const auto word = [&](std::size_t from, std::size_t to, std::uint64_t& bytes) {
        for (std::size_t i = from; i < to; ++i) {
            const auto upper = static_cast<std::uint64_t>(static_cast<unsigned char>(token[i]) & 0xDF);
            if (upper - 'A' >= 26) return false;
            bytes |= upper << (8 * (i - from));
        }
        return true;
    };
    return word(0, size < 8 ? size : 8, key.low) && word(8, size, key.high);
}

constexpr bool EveryKeywordIsLetters() {
    for (const KeywordEntry& entry : Keywords) {
        KeywordKey key;
        if (!LetterKey(entry.name, key)) return false;
    }
    return true;
}
static_assert(EveryKeywordIsLetters(), "a keyword with another byte needs another lookup");

// Every keyword is distinct, so a hash lookup gives what the search in table order gives.
// Open addressing in a table at least twice the keywords' number: most tokens looked up are
// names that are no keyword and end at an empty slot. Built when the program is compiled.
class KeywordTable {
public:
    constexpr KeywordTable() {
        for (const KeywordEntry& entry : Keywords) {
            KeywordKey key;
            LetterKey(entry.name, key);
            std::size_t i = Place(key);
            while (slots_[i].code != 0) i = (i + 1) & Mask;
            slots_[i] = Slot{key, entry.code};
        }
    }
    // 0 when the key is no keyword.
    std::int32_t Find(const KeywordKey& key) const {
        for (std::size_t i = Place(key); slots_[i].code != 0; i = (i + 1) & Mask) {
            if (slots_[i].key == key) return slots_[i].code;
        }
        return 0;
    }

private:
    struct Slot {
        KeywordKey key;
        std::int32_t code = 0;  // 0: empty; every keyword's code is above it
    };
    static constexpr int SizeBits = std::bit_width(std::size(Keywords) * 2 - 1);
    static constexpr std::size_t Mask = (std::size_t{1} << SizeBits) - 1;
    static constexpr std::size_t Place(const KeywordKey& key) {
        return static_cast<std::size_t>(((key.low ^ (key.high * 0x9E3779B97F4A7C15ull)) * 0xD6E8FEB86659FD93ull) >>
                                        (64 - SizeBits));
    }
    std::array<Slot, Mask + 1> slots_{};
};

constexpr KeywordTable KeywordIndex;

// The value of a digit of base 2, 8 or 16; base or more when the byte is not one.
unsigned DigitValue(char byte) {
    const char upper = Upper(byte);
    if (IsDigit(upper)) return static_cast<unsigned>(upper - '0');
    if (upper >= 'A' && upper <= 'F') return static_cast<unsigned>(upper - 'A' + 10);
    return 16;
}

// How many leading bytes are digits of the base.
std::size_t RadixLength(std::string_view digits, unsigned base) {
    std::size_t i = 0;
    while (i < digits.size() && DigitValue(digits[i]) < base) ++i;
    return i;
}

// Digits of base 2, 8 or 16 as a 32-bit integer (wrapping, as a 32-bit register does).
double ParseRadix(std::string_view digits, unsigned base) {
    std::uint32_t value = 0;
    for (const char byte : digits) {
        const unsigned digit = DigitValue(byte);
        if (digit >= base) break;
        value = value * base + digit;
    }
    return static_cast<double>(static_cast<std::int32_t>(value));
}

std::size_t SkipDigits(std::string_view text, std::size_t i) {
    while (i < text.size() && IsDigit(text[i])) ++i;
    return i;
}

// The bytes of sign, digits, fraction and exponent at the start of text; 0 without a digit.
// Inlined: every number of every statement goes through it.
[[gnu::always_inline]] inline std::size_t DecimalLength(std::string_view text) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    const std::size_t integerEnd = SkipDigits(text, i);
    std::size_t end = integerEnd;
    bool hasDigits = integerEnd > i;
    if (end < text.size() && text[end] == '.') {
        const std::size_t fractionEnd = SkipDigits(text, end + 1);
        hasDigits = hasDigits || fractionEnd > end + 1;
        end = fractionEnd;
    }
    if (!hasDigits) return 0;
    if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
        std::size_t e = end + 1;
        if (e < text.size() && (text[e] == '+' || text[e] == '-')) ++e;
        const std::size_t exponentEnd = SkipDigits(text, e);
        if (exponentEnd > e) end = exponentEnd;
    }
    return end;
}

// The powers of ten a double holds exactly.
constexpr double ExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                       1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr int MostExactDigits = 15;  // below 2^53: every such integer is a double

// A decimal number as DecimalLength measured it, when at most 15 digits times or divided by
// a power of ten up to 1e22: both operands are exact, so the one rounding of the product or
// quotient gives the nearest double, as strtod does. False for the others.
bool ExactDecimal(std::string_view number, double& value) {
    std::size_t i = 0;
    const bool negative = number[0] == '-';
    if (number[0] == '+' || negative) ++i;
    std::uint64_t digits = 0;
    int digitCount = 0;
    int scale = 0;  // the power of ten of the last digit
    bool fraction = false;
    for (; i < number.size() && number[i] != 'e' && number[i] != 'E'; ++i) {
        if (number[i] == '.') {
            fraction = true;
            continue;
        }
        if (++digitCount > MostExactDigits) return false;
        digits = digits * 10 + static_cast<std::uint64_t>(number[i] - '0');
        scale -= fraction ? 1 : 0;
    }
    if (i < number.size()) {  // the exponent, which has digits
        const bool below = number[++i] == '-';
        if (number[i] == '+' || below) ++i;
        if (number.size() - i > 2) return false;
        int exponent = 0;
        for (; i < number.size(); ++i) exponent = exponent * 10 + (number[i] - '0');
        scale += below ? -exponent : exponent;
    }
    if (scale < -22 || scale > 22) return false;
    const auto exact = static_cast<double>(digits);
    value = scale >= 0 ? exact * ExactPowersOfTen[scale] : exact / ExactPowersOfTen[-scale];
    if (negative) value = -value;
    return true;
}

// Sign, digits, fraction and exponent only: no hexadecimal floats, infinities or NaN.
double ParseDecimal(std::string_view text) {
    const std::size_t end = DecimalLength(text);
    if (end == 0) return 0.0;
    double value = 0.0;
    if (ExactDecimal(text.substr(0, end), value)) return value;
    const std::string number(text.substr(0, end));
    return std::strtod(number.c_str(), nullptr);
}

// The base an "&H", "&O" or "&B" prefix names; 0 for none.
[[gnu::always_inline]] inline unsigned RadixPrefix(std::string_view text) {
    if (text.size() < 2 || text[0] != '&') return 0;
    switch (Upper(text[1])) {
        case 'H': return 16;
        case 'O': return 8;
        case 'B': return 2;
        default: return 0;
    }
}

bool AllRadixDigits(std::string_view digits, unsigned base) {
    return !digits.empty() && RadixLength(digits, base) == digits.size();
}

}  // namespace

int SplitLine(std::string_view line, std::vector<std::string>& tokens) {
    tokens.clear();
    std::size_t position = 0;
    std::string_view token;
    while (NextToken(line, position, token)) tokens.emplace_back(token);
    return static_cast<int>(tokens.size());
}

std::vector<std::string_view> KeywordNames() {
    std::vector<std::string_view> names;
    for (const KeywordEntry& entry : Keywords) names.push_back(entry.name);
    return names;
}

std::int32_t KeywordCode(std::string_view token) {
    if (token.empty()) return 0;
    if (static_cast<unsigned char>(token[0]) < 0x41) return -1;
    KeywordKey key;
    return LetterKey(token, key) ? KeywordIndex.Find(key) : 0;
}

std::string_view StripQuotes(std::string_view token) {
    while (!token.empty() && token.front() == '"') token.remove_prefix(1);
    while (!token.empty() && token.back() == '"') token.remove_suffix(1);
    return token;
}

std::int32_t ClassifyTokenView(std::string_view& token, SymbolTable& symbols) {
    const std::int32_t code = KeywordCode(token);
    if (code == -1) {
        const char first = token[0];
        if (IsDigit(first) || first == '&' || first == '(' || first == '-') return TypeNumberLiteral;
        if (first != '"') return CommentClass;
        token = StripQuotes(token);
        const std::int32_t index = symbols.FindText(token);
        return MakeClass(index < 0 ? NewTextIndex : index, TypeTextLiteral);
    }
    if (code == KwDefault) {
        token = "-1";
        return TypeNumberLiteral;
    }
    if (code > 0) return MakeClass(code, TypeKeyword);
    const SymbolTable::Entry entry = symbols.FindName(token);
    return MakeClass(entry.index, entry.type);
}

std::int32_t ClassifyToken(std::string& token, SymbolTable& symbols) {
    std::string_view view = token;
    const std::int32_t tokenClass = ClassifyTokenView(view, symbols);
    if (view.data() != token.data() || view.size() != token.size()) token = std::string(view);
    return tokenClass;
}

std::int32_t RoundToWord(double value) {
    const double below = std::floor(value);
    const double fraction = value - below;
    double rounded = below;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0.0)) rounded = below + 1.0;
    if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0)) return INT32_MIN;
    return static_cast<std::int32_t>(rounded);
}

double ParseNumber(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    if (const unsigned base = RadixPrefix(text)) return ParseRadix(text.substr(2), base);
    return ParseDecimal(text);
}

std::size_t NumberLength(std::string_view text) {
    std::size_t blanks = 0;
    while (blanks < text.size() && text[blanks] == ' ') ++blanks;
    text.remove_prefix(blanks);
    if (const unsigned base = RadixPrefix(text)) {
        const std::size_t digits = RadixLength(text.substr(2), base);
        return digits == 0 ? 0 : blanks + 2 + digits;
    }
    const std::size_t decimal = DecimalLength(text);
    return decimal == 0 ? 0 : blanks + decimal;
}

namespace {

// A colour's (r, g, b) text without the parentheses around it.
std::string_view WithoutParentheses(std::string_view text) {
    const auto isParenthesis = [](char byte) { return byte == '(' || byte == ')'; };
    while (!text.empty() && isParenthesis(text.front())) text.remove_prefix(1);
    while (!text.empty() && isParenthesis(text.back())) text.remove_suffix(1);
    return text;
}

}  // namespace

bool IsColourText(std::string_view text) {
    if (text.empty()) return false;
    if (text.size() >= 2 && text[0] == '0' && Upper(text[1]) == 'X') return AllRadixDigits(text.substr(2), 16);
    if (text[0] == '(') {
        text = WithoutParentheses(text);
        std::size_t position = 0;
        std::string_view part;
        int count = 0;
        while (NextToken(text, position, part)) {
            if (++count > 3 || NumberLength(part) != part.size()) return false;
        }
        return count > 0;
    }
    if (Upper(text.back()) == 'H' && IsDigit(text[0])) return AllRadixDigits(text.substr(0, text.size() - 1), 16);
    return NumberLength(text) == text.size();
}

std::int32_t ParseColour(std::string_view text) {
    if (text.empty()) return 0;
    if (text.size() >= 2 && text[0] == '0' && Upper(text[1]) == 'X') {
        return RoundToWord(ParseRadix(text.substr(2), 16));
    }
    if (text[0] == '(') {
        text = WithoutParentheses(text);
        std::size_t position = 0;
        std::string_view part;
        double parts[3] = {0.0, 0.0, 0.0};
        int count = 0;
        while (count < 3 && NextToken(text, position, part)) parts[count++] = ParseNumber(part);
        if (count == 0) return 0;
        // Shifts wrap as they do in a 32-bit register; components are not limited to 0-255.
        std::uint32_t value = static_cast<std::uint32_t>(RoundToWord(parts[0])) << 16;
        if (count > 1) value += static_cast<std::uint32_t>(RoundToWord(parts[1])) * 256u;
        if (count > 2) return RoundToWord(parts[2] + static_cast<std::int32_t>(value));
        return static_cast<std::int32_t>(value);
    }
    if (Upper(text.back()) == 'H' && IsDigit(text[0])) {
        return RoundToWord(ParseRadix(text.substr(0, text.size() - 1), 16));
    }
    return RoundToWord(ParseNumber(text));
}

}  // namespace vekora
