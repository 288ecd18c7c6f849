// The LaTeX spelling of the characters a figure's text can hold.
#include "export/tex_text.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

namespace vekora {
namespace {

// U+00A0 to U+00FF, in what LaTeX's default text encoding (OT1, the Computer Modern fonts every
// installation has in outline) can show: accent commands over letters, math mode for the signs
// OT1 lacks. Four have no such form and are drawn close: the cent (a slashed c), the yen (a Y
// crossed), the eths (a D and d with a bar); the currency sign and the thorns are "?".
constexpr const char* Latin1[96] = {
    "~", "\\textexclamdown{}", "\\rlap{/}c", "\\pounds{}", "?", "Y\\llap{=}",
    "\\ensuremath{|}", "\\S{}", "\\\"{}", "\\textcopyright{}", "\\textordfeminine{}",
    "\\ensuremath{\\ll}", "\\ensuremath{\\neg}", "-", "\\textregistered{}", "\\={}",
    // U+00B0
    "\\ensuremath{^\\circ}", "\\ensuremath{\\pm}", "\\ensuremath{^2}", "\\ensuremath{^3}", "\\'{}",
    "\\ensuremath{\\mu}", "\\P{}", "\\textperiodcentered{}", "\\c{ }", "\\ensuremath{^1}",
    "\\textordmasculine{}", "\\ensuremath{\\gg}", "\\ensuremath{\\frac14}", "\\ensuremath{\\frac12}",
    "\\ensuremath{\\frac34}", "\\textquestiondown{}",
    // U+00C0
    "\\`{A}", "\\'{A}", "\\^{A}", "\\~{A}", "\\\"{A}", "\\AA{}", "\\AE{}", "\\c{C}",
    "\\`{E}", "\\'{E}", "\\^{E}", "\\\"{E}", "\\`{I}", "\\'{I}", "\\^{I}", "\\\"{I}",
    // U+00D0
    "\\rlap{\\kern.08em-}D", "\\~{N}", "\\`{O}", "\\'{O}", "\\^{O}", "\\~{O}", "\\\"{O}", "\\ensuremath{\\times}",
    "\\O{}", "\\`{U}", "\\'{U}", "\\^{U}", "\\\"{U}", "\\'{Y}", "?", "\\ss{}",
    // U+00E0
    "\\`{a}", "\\'{a}", "\\^{a}", "\\~{a}", "\\\"{a}", "\\aa{}", "\\ae{}", "\\c{c}",
    "\\`{e}", "\\'{e}", "\\^{e}", "\\\"{e}", "\\`{\\i}", "\\'{\\i}", "\\^{\\i}", "\\\"{\\i}",
    // U+00F0
    "\\rlap{\\kern.25em\\raisebox{.45ex}{-}}d", "\\~{n}", "\\`{o}", "\\'{o}", "\\^{o}", "\\~{o}", "\\\"{o}", "\\ensuremath{\\div}",
    "\\o{}", "\\`{u}", "\\'{u}", "\\^{u}", "\\\"{u}", "\\'{y}", "?", "\\\"{y}",
};

struct MathSign {
    std::uint32_t code;
    const char* tex;  // in math mode
};

// The signs of the mathematical font, sorted by code.
constexpr MathSign MathSigns[] = {
    {0x0192, "f"},           {0x0391, "\\mathrm{A}"}, {0x0392, "\\mathrm{B}"}, {0x0393, "\\Gamma"},
    {0x0394, "\\Delta"},     {0x0395, "\\mathrm{E}"}, {0x0396, "\\mathrm{Z}"}, {0x0397, "\\mathrm{H}"},
    {0x0398, "\\Theta"},     {0x0399, "\\mathrm{I}"}, {0x039A, "\\mathrm{K}"}, {0x039B, "\\Lambda"},
    {0x039C, "\\mathrm{M}"}, {0x039D, "\\mathrm{N}"}, {0x039E, "\\Xi"},        {0x039F, "\\mathrm{O}"},
    {0x03A0, "\\Pi"},        {0x03A1, "\\mathrm{P}"}, {0x03A3, "\\Sigma"},     {0x03A4, "\\mathrm{T}"},
    {0x03A5, "\\Upsilon"},   {0x03A6, "\\Phi"},       {0x03A7, "\\mathrm{X}"}, {0x03A8, "\\Psi"},
    {0x03A9, "\\Omega"},     {0x03B1, "\\alpha"},     {0x03B2, "\\beta"},      {0x03B3, "\\gamma"},
    {0x03B4, "\\delta"},     {0x03B5, "\\epsilon"},   {0x03B6, "\\zeta"},      {0x03B7, "\\eta"},
    {0x03B8, "\\theta"},     {0x03B9, "\\iota"},      {0x03BA, "\\kappa"},     {0x03BB, "\\lambda"},
    {0x03BC, "\\mu"},        {0x03BD, "\\nu"},        {0x03BE, "\\xi"},        {0x03BF, "o"},
    {0x03C0, "\\pi"},        {0x03C1, "\\rho"},       {0x03C2, "\\varsigma"},  {0x03C3, "\\sigma"},
    {0x03C4, "\\tau"},       {0x03C5, "\\upsilon"},   {0x03C6, "\\varphi"},    {0x03C7, "\\chi"},
    {0x03C8, "\\psi"},       {0x03C9, "\\omega"},     {0x03D1, "\\vartheta"},  {0x03D2, "\\Upsilon"},
    {0x03D5, "\\phi"},       {0x03D6, "\\varpi"},     {0x2022, "\\bullet"},    {0x2026, "\\ldots"},
    {0x2032, "\\prime"},     {0x2033, "\\prime\\prime"}, {0x203E, "\\overline{\\ }"}, {0x2044, "/"},
    {0x2111, "\\Im"},        {0x2118, "\\wp"},        {0x211C, "\\Re"},        {0x2135, "\\aleph"},
    {0x2190, "\\leftarrow"}, {0x2191, "\\uparrow"},   {0x2192, "\\rightarrow"}, {0x2193, "\\downarrow"},
    {0x2194, "\\leftrightarrow"}, {0x21B5, "\\hookleftarrow"}, {0x21D0, "\\Leftarrow"}, {0x21D1, "\\Uparrow"},
    {0x21D2, "\\Rightarrow"}, {0x21D3, "\\Downarrow"}, {0x21D4, "\\Leftrightarrow"}, {0x2200, "\\forall"},
    {0x2202, "\\partial"},   {0x2203, "\\exists"},    {0x2205, "\\emptyset"},  {0x2207, "\\nabla"},
    {0x2208, "\\in"},        {0x2209, "\\notin"},     {0x220B, "\\ni"},        {0x220F, "\\prod"},
    {0x2211, "\\sum"},       {0x2212, "-"},           {0x2217, "\\ast"},       {0x221A, "\\surd"},
    {0x221D, "\\propto"},    {0x221E, "\\infty"},     {0x2220, "\\angle"},     {0x2227, "\\wedge"},
    {0x2228, "\\vee"},       {0x2229, "\\cap"},       {0x222A, "\\cup"},       {0x222B, "\\int"},
    {0x2234, ".\\kern-.1em\\raise.6ex\\hbox{.}\\kern-.1em."}, {0x223C, "\\sim"}, {0x2245, "\\cong"},
    {0x2248, "\\approx"},    {0x2260, "\\neq"},       {0x2261, "\\equiv"},     {0x2264, "\\leq"},
    {0x2265, "\\geq"},       {0x2282, "\\subset"},    {0x2283, "\\supset"},    {0x2284, "\\not\\subset"},
    {0x2286, "\\subseteq"},  {0x2287, "\\supseteq"},  {0x2295, "\\oplus"},     {0x2297, "\\otimes"},
    {0x22A5, "\\perp"},      {0x22C5, "\\cdot"},      {0x2320, "\\int"},       {0x2321, "\\int"},
    {0x25CA, "\\diamond"},   {0x2660, "\\spadesuit"}, {0x2663, "\\clubsuit"},  {0x2665, "\\heartsuit"},
    {0x2666, "\\diamondsuit"}, {0x27E8, "\\langle"},  {0x27E9, "\\rangle"},
};

// The code point of a UTF-8 character; 0xFFFD when it is not one.
std::uint32_t CodeOf(const std::string& utf8) {
    if (utf8.empty()) return 0xFFFD;
    const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(utf8[i]); };
    const std::uint8_t lead = byte(0);
    std::size_t length = lead < 0x80 ? 1 : (lead >> 5) == 6 ? 2 : (lead >> 4) == 14 ? 3 : (lead >> 3) == 30 ? 4 : 0;
    if (length == 0 || utf8.size() != length) return 0xFFFD;
    std::uint32_t code = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) return 0xFFFD;
        code = code << 6 | (byte(i) & 0x3F);
    }
    return code;
}

std::string AsciiOf(char c) {
    switch (c) {
        case '#': return "\\#";
        case '$': return "\\$";
        case '%': return "\\%";
        case '&': return "\\&";
        case '_': return "\\_";
        case '{': return "\\{";
        case '}': return "\\}";
        case '~': return "\\textasciitilde{}";
        case '^': return "\\textasciicircum{}";
        case '\\': return "\\textbackslash{}";
        case ' ': return "\\ ";
        // OT1 puts the inverted marks at < and >.
        case '<': return "\\textless{}";
        case '>': return "\\textgreater{}";
        case '|': return "\\textbar{}";
        default: return std::string(1, c);
    }
}

}  // namespace

std::string TexOfCharacter(const std::string& utf8) {
    const std::uint32_t code = CodeOf(utf8);
    if (code >= 0x20 && code < 0x7F) return AsciiOf(static_cast<char>(code));
    if (code >= 0xA0 && code <= 0xFF) return Latin1[code - 0xA0];
    const auto found = std::lower_bound(std::begin(MathSigns), std::end(MathSigns), code,
                                        [](const MathSign& sign, std::uint32_t c) { return sign.code < c; });
    if (found != std::end(MathSigns) && found->code == code) return std::string("\\ensuremath{") + found->tex + "}";
    return "?";
}

}  // namespace vekora
