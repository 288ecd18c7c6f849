// The TikZ figure: TeX's special characters and Latin-1 letters reach LaTeX as input it reads
// and sets (compiled where pdflatex is installed), and every kind of item is written as the
// path or node that draws it, in page units.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "export/figure_record.h"
#include "export/tex_text.h"
#include "export/tikz_figure.h"
#include "tests/support/temp_path.h"

namespace vekora {
namespace {

namespace fs = std::filesystem;

TEST(TexText, SpecialCharactersAndLatin1Letters) {
    const struct {
        const char* character;
        const char* tex;
    } cases[] = {
        {"#", "\\#"}, {"$", "\\$"}, {"%", "\\%"}, {"&", "\\&"}, {"_", "\\_"}, {"{", "\\{"}, {"}", "\\}"},
        {"~", "\\textasciitilde{}"}, {"^", "\\textasciicircum{}"}, {"\\", "\\textbackslash{}"}, {" ", "\\ "},
        {"<", "\\textless{}"}, {"A", "A"}, {"7", "7"},
        {"\xC3\xA1", "\\'{a}"}, {"\xC3\xA9", "\\'{e}"}, {"\xC3\xAD", "\\'{\\i}"}, {"\xC3\xB1", "\\~{n}"},
        {"\xC3\x91", "\\~{N}"}, {"\xC3\xBC", "\\\"{u}"}, {"\xC3\xA7", "\\c{c}"}, {"\xC3\x80", "\\`{A}"},
        {"\xC3\x9F", "\\ss{}"}, {"\xC2\xBF", "\\textquestiondown{}"}, {"\xC2\xA1", "\\textexclamdown{}"},
        {"\xC2\xB0", "\\ensuremath{^\\circ}"}, {"\xC2\xA0", "~"},
        // Signs of mathematical text, and what is no character at all.
        {"\xCE\xB1", "\\ensuremath{\\alpha}"}, {"\xE2\x89\xA4", "\\ensuremath{\\leq}"}, {"\xE2\x8A\xA5", "\\ensuremath{\\perp}"},
        {"\xE2\x94\x82", "?"}, {"\xC3", "?"}, {"", "?"}, {"ab", "?"},
    };
    for (const auto& c : cases) EXPECT_EQ(TexOfCharacter(c.character), c.tex) << c.character;
}

// A text item of the characters, one cell of 8 units each, at the top-left of the page.
FigureItem TextOf(const std::vector<std::string>& characters, double top) {
    FigureItem text;
    text.kind = FigureItem::Kind::Text;
    text.top = top;
    for (std::size_t i = 0; i < characters.size(); ++i) {
        text.characters.push_back(characters[i]);
        text.xy.push_back(4 + 8.0 * i);
        text.advances.push_back(8);
    }
    return text;
}

// Code points below U+10000.
std::string Utf8(std::uint32_t code) {
    if (code < 0x80) return std::string(1, static_cast<char>(code));
    if (code < 0x800) return {static_cast<char>(0xC0 | code >> 6), static_cast<char>(0x80 | (code & 0x3F))};
    return {static_cast<char>(0xE0 | code >> 12), static_cast<char>(0x80 | ((code >> 6) & 0x3F)),
            static_cast<char>(0x80 | (code & 0x3F))};
}

// Every printable ASCII and Latin-1 character, and every Greek letter and sign of mathematical
// text that has a LaTeX form, in a document pdflatex compiles without an error or a character
// its fonts lack.
TEST(TexText, EveryCharacterCompiles) {
    if (std::system("command -v pdflatex >/dev/null 2>&1 && kpsewhich tikz.sty >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "pdflatex with TikZ not installed";
    FigureRecord record;
    record.width = 800;
    record.height = 160;
    std::vector<std::string> ascii, latin1, signs;
    for (std::uint32_t c = 0x20; c < 0x7F; ++c) ascii.push_back(Utf8(c));
    for (std::uint32_t c = 0xA0; c <= 0xFF; ++c) latin1.push_back(Utf8(c));
    for (std::uint32_t c = 0x100; c < 0x2800; ++c)
        if (TexOfCharacter(Utf8(c)) != "?") signs.push_back(Utf8(c));
    ASSERT_GT(signs.size(), 100u);
    record.items = {TextOf(ascii, 10), TextOf(latin1, 40), TextOf(signs, 70)};
    const std::string work = testing::TempPath("tex-text");
    fs::create_directories(work);
    std::ofstream(work + "/text.tex") << TikzOfFigure(record, {});
    const std::string compile = "cd '" + work + "' && pdflatex -interaction=nonstopmode -halt-on-error text.tex >/dev/null 2>&1";
    ASSERT_EQ(std::system(compile.c_str()), 0) << "see " << work << "/text.log";
    std::ifstream log(work + "/text.log");
    const std::string text{std::istreambuf_iterator<char>(log), {}};
    EXPECT_EQ(text.find("Missing character"), std::string::npos);
    EXPECT_EQ(text.find("Undefined control sequence"), std::string::npos);
    fs::remove_all(work);
}

TEST(TikzFigure, EveryKindOfItem) {
    FigureRecord record;
    record.width = 60;
    record.height = 40;
    FigureItem page;
    page.kind = FigureItem::Kind::Box;
    page.filled = true;
    page.colour = 0xFFFFFF;
    page.xy = {0, 0, 59, 39};
    FigureItem dashed;
    dashed.statement = 3;
    dashed.colour = 0xC00000;
    dashed.alpha = 128;
    dashed.width = 2;
    dashed.mask = 0xF0F0;
    dashed.xy = {0, 0, 20, 10};
    FigureItem arc;
    arc.kind = FigureItem::Kind::Ring;
    arc.statement = 4;
    arc.ring = RingShape{30, 20, 10, 0, 1.5707963267948966, false, false};
    FigureItem sector = arc;
    sector.kind = FigureItem::Kind::Disc;
    sector.colour = 0x80C0FF;
    sector.alpha = 64;
    sector.ring.radii = true;
    FigureItem triangle;
    triangle.kind = FigureItem::Kind::Polygon;
    triangle.statement = 5;
    triangle.xy = {1, 1, 9, 1, 5, 7};
    FigureItem text = TextOf({"a", "%", "\xC3\xB1"}, 20);
    text.fontHeight = 16;
    text.background = true;
    text.backgroundColour = 0xFFFF00;
    FigureItem picture;
    picture.kind = FigureItem::Kind::Picture;
    picture.x = 50;
    picture.y = 30;
    picture.w = 3;
    picture.h = 2;
    // A red run two rows deep, an empty pixel, then blue.
    picture.pixels = std::make_shared<const std::vector<std::uint32_t>>(
        std::vector<std::uint32_t>{0xFFFF0000, 0xFFFF0000, 0, 0xFFFF0000, 0xFFFF0000, 0xFF0000FF});
    record.items = {page, dashed, arc, sector, triangle, text, picture};
    // The page's background is left out when transparent.
    EXPECT_EQ(TikzOfFigure(record, {true, true}),
              "% 60 x 40 page units, a unit 1/96 inch (0.75 bp)\n"
              "\\begin{tikzpicture}[x=0.75bp,y=-0.75bp,every node/.style={inner sep=0pt,outer sep=0pt,anchor=base west,font=\\sffamily}]\n"
              "\\definecolor{v000000}{HTML}{000000}\n"
              "\\definecolor{v0000FF}{HTML}{0000FF}\n"
              "\\definecolor{v80C0FF}{HTML}{80C0FF}\n"
              "\\definecolor{vC00000}{HTML}{C00000}\n"
              "\\definecolor{vFF0000}{HTML}{FF0000}\n"
              "\\definecolor{vFFFF00}{HTML}{FFFF00}\n"
              "\\path[use as bounding box] (0,0) rectangle (60,40);\n"
              "\\clip (0,0) rectangle (60,40);\n"
              "% line 3\n"
              "\\draw[draw=vC00000,line width=1.5bp,dash pattern=on 3.354bp off 3.354bp on 3.354bp off 3.354bp,draw opacity=0.502] (0.5,0.5) -- (20.5,10.5);\n"
              "% line 4\n"
              "\\draw[draw=v000000,line width=0.75bp] (40.5,20.5) arc[start angle=0,end angle=-90,radius=10];\n"
              "\\fill[fill=v80C0FF,fill opacity=0.251] (30.5,20.5) -- (41,20.5) arc[start angle=0,end angle=-90,radius=10.5] -- cycle;\n"
              "% line 5\n"
              "\\fill[fill=v000000] (1.5,1.5) -- (9.5,1.5) -- (5.5,7.5) -- cycle;\n"
              "\\fill[fill=vFFFF00] (4,20) rectangle ++(24,16);\n"
              "\\node[text=v000000] at (4,33) {\\fontsize{11.13bp}{11.13bp}\\selectfont\\makebox[6bp][c]{a}\\makebox[6bp][c]{\\%}"
              "\\makebox[6bp][c]{\\~{n}}};\n"
              "\\fill[fill=vFF0000] (50,30) rectangle (52,32);\n"
              "\\fill[fill=v0000FF] (52,31) rectangle (53,32);\n"
              "\\end{tikzpicture}\n");
}

TEST(TikzFigure, DocumentIsAPageOfTheFiguresSize) {
    FigureRecord record;
    record.width = 640;
    record.height = 480;
    const std::string document = TikzOfFigure(record, {});
    EXPECT_EQ(document.rfind("\\RequirePackage{fix-cm}\n\\documentclass{article}\n", 0), 0u);
    EXPECT_NE(document.find("\\setlength{\\paperwidth}{480bp}\n\\setlength{\\paperheight}{360bp}\n"), std::string::npos);
    EXPECT_NE(document.find("\\begin{document}\n% 640 x 480 page units"), std::string::npos);
    EXPECT_EQ(document.substr(document.size() - 33), "\\end{tikzpicture}\n\\end{document}\n");
}

}  // namespace
}  // namespace vekora
