// The figure as SVG and PDF against the raster the run drew: for every example and every script
// of the manual, an independent renderer's picture of the exported figure agrees with the page.
// At least 95 % of the page's drawn pixels have a pixel of the same colour family within 1
// pixel in the rendering, and the rendering draws nothing farther than 2 pixels from a drawn
// pixel of the page (anti-aliasing tolerated). The PDF also passes qpdf --check with every
// font embedded. The figure as TikZ, compiled by pdflatex (where it is installed), agrees in the
// same way.
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <cmath>
#include <iterator>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/picture_support.h"
#include "tests/support/temp_path.h"

namespace vekora {
namespace {

namespace fs = std::filesystem;
using testing::CommandOutput;
using testing::ReadPng;
using testing::RgbPicture;
using testing::TempPath;

const fs::path Source = VEKORA_SOURCE_DIR;
const std::string Program = VEKORA_PROGRAM;
constexpr std::uint32_t ControlBarRows = 20;

bool Installed(const std::string& tool) { return std::system(("command -v " + tool + " >/dev/null 2>&1").c_str()) == 0; }

// The tools the comparison needs, installed through the project's script when missing.
bool RenderersPresent() {
    static const bool present = [] {
        if (!Installed("rsvg-convert") || !Installed("qpdf") || !Installed("pdftoppm")) {
            std::system((Source / "tools/install-deps.sh").string().append(" librsvg2-bin qpdf poppler-utils >/dev/null 2>&1").c_str());
        }
        return Installed("rsvg-convert") && Installed("qpdf") && Installed("pdftoppm") && Installed("pdffonts");
    }();
    return present;
}

// pdflatex with TikZ; never installed by the tests (the packages are large).
bool TexPresent() {
    static const bool present = Installed("pdflatex") && Installed("kpsewhich") &&
                                std::system("kpsewhich tikz.sty >/dev/null 2>&1") == 0;
    return present;
}

struct Lesson {
    std::string name;
    std::string script;  // path
    std::string events;  // path, or ""
};

// Every ```vek block of the manual's English pages (named ones with their ```events block).
std::vector<Lesson> ManualLessons(const std::string& folder) {
    std::vector<Lesson> lessons;
    std::vector<fs::path> pages;
    for (const fs::path& dir : {Source / "docs", Source / "docs/reference"})
        for (const auto& entry : fs::directory_iterator(dir))
            if (entry.path().extension() == ".md") pages.push_back(entry.path());
    std::sort(pages.begin(), pages.end());
    for (const fs::path& page : pages) {
        std::ifstream in(page);
        std::map<std::string, std::string> events;
        std::vector<std::pair<std::string, std::string>> scripts;
        std::string line, kind, name, text;
        bool inside = false;
        int unnamed = 0;
        while (std::getline(in, line)) {
            if (!inside && line.rfind("```vek", 0) == 0 && (line.size() == 6 || line[6] == ' ')) {
                inside = true;
                kind = "vek";
                name = line.size() > 7 ? line.substr(7, line.find(' ', 7) - 7) : page.stem().string() + "-" + std::to_string(++unnamed);
                text.clear();
            } else if (!inside && line.rfind("```events ", 0) == 0) {
                inside = true;
                kind = "events";
                name = line.substr(10);
                text.clear();
            } else if (inside && line.rfind("```", 0) == 0) {
                inside = false;
                if (kind == "vek") scripts.emplace_back(name, text);
                else events[name] = text;
            } else if (inside) {
                text += line + "\n";
            }
        }
        for (const auto& [scriptName, scriptText] : scripts) {
            const std::string stem = fs::path(scriptName).stem().string();
            Lesson lesson{stem, folder + "/" + stem + ".vek", ""};
            std::ofstream(lesson.script) << scriptText;
            if (events.count(stem) != 0) {
                lesson.events = folder + "/" + stem + ".events";
                std::ofstream(lesson.events) << events[stem];
            }
            lessons.push_back(lesson);
        }
    }
    return lessons;
}

std::vector<Lesson> ExampleLessons() {
    std::vector<Lesson> lessons;
    for (const auto& entry : fs::directory_iterator(Source / "examples")) {
        if (entry.path().extension() != ".vek") continue;
        fs::path events = entry.path();
        events.replace_extension(".events");
        lessons.push_back({entry.path().stem().string(), entry.path().string(), fs::exists(events) ? events.string() : ""});
    }
    std::sort(lessons.begin(), lessons.end(), [](const Lesson& a, const Lesson& b) { return a.name < b.name; });
    return lessons;
}

int Run(const std::string& command) {
    const int status = std::system((command + " >/dev/null 2>&1").c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Colour families: the greys (black text anti-aliased is grey), and colours near in hue
// (within 30 degrees).
struct Shade {
    bool grey;
    int light;   // the highest channel
    double hue;  // degrees
};

Shade ShadeOf(std::uint32_t rgb) {
    const int r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
    const int high = std::max({r, g, b}), low = std::min({r, g, b});
    if (high - low < 24) return {true, high, 0};
    double hue;
    if (high == r) hue = std::fmod((g - b) / double(high - low) + 6.0, 6.0);
    else if (high == g) hue = (b - r) / double(high - low) + 2.0;
    else hue = (r - g) / double(high - low) + 4.0;
    return {false, high, hue * 60.0};
}

bool SameFamily(std::uint32_t a, std::uint32_t b) {
    const Shade x = ShadeOf(a), y = ShadeOf(b);
    if (x.grey != y.grey) return false;
    if (x.grey) return true;
    const double apart = std::fabs(x.hue - y.hue);
    return std::min(apart, 360.0 - apart) <= 30.0;
}

// Whether two colours are far enough apart to tell drawing from background.
bool Differ(std::uint32_t a, std::uint32_t b, int threshold) {
    int sum = 0;
    for (int shift : {16, 8, 0}) sum += std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF));
    return sum > threshold;
}

struct Agreement {
    double covered = 0;         // share of drawn raster pixels matched in the rendering
    std::int64_t strays = 0;    // rendered pixels farther than 2 pixels from any drawn raster pixel
    std::int64_t drawn = 0;
    std::string where;          // the first stray, for the report
};

Agreement Compare(const RgbPicture& raster, const RgbPicture& rendering, std::uint32_t width, std::uint32_t height) {
    Agreement result;
    const std::uint32_t background = raster.At(0, 0);
    const auto drawnRaster = [&](std::int64_t x, std::int64_t y) {
        return x >= 0 && y >= 0 && x < width && y < height && raster.At(x, y) != background;
    };
    std::int64_t matched = 0;
    for (std::uint32_t y = 0; y < height; ++y)
        for (std::uint32_t x = 0; x < width; ++x) {
            if (drawnRaster(x, y)) {
                ++result.drawn;
                bool found = false;
                for (int dy = -1; dy <= 1 && !found; ++dy)
                    for (int dx = -1; dx <= 1 && !found; ++dx) {
                        const std::int64_t u = x + dx, v = y + dy;
                        if (u < 0 || v < 0 || u >= rendering.width || v >= rendering.height) continue;
                        // Only drawing counts: the background is of the greys too.
                        found = Differ(rendering.At(u, v), background, 16) && SameFamily(rendering.At(u, v), raster.At(x, y));
                    }
                if (found) ++matched;
            }
            // Faint anti-aliasing is not drawing.
            if (x < rendering.width && y < rendering.height && Differ(rendering.At(x, y), background, 120)) {
                bool near = false;
                for (int dy = -2; dy <= 2 && !near; ++dy)
                    for (int dx = -2; dx <= 2 && !near; ++dx) near = drawnRaster(x + dx, y + dy);
                if (!near) {
                    if (result.strays == 0) {
                        char colours[64];
                        std::snprintf(colours, sizeof colours, " (#%06x over #%06x)", rendering.At(x, y), raster.At(x, y));
                        result.where = std::to_string(x) + "," + std::to_string(y) + colours;
                    }
                    ++result.strays;
                }
            }
        }
    result.covered = result.drawn == 0 ? 1.0 : static_cast<double>(matched) / result.drawn;
    return result;
}

class FigureAgreement : public ::testing::TestWithParam<bool> {};

// The rendering (a PNG) of the figure against the page of the screenshot.
void ExpectAgrees(const RgbPicture& page, const std::string& rendered, const std::string& what) {
    const RgbPicture rendering = ReadPng(rendered);
    ASSERT_GT(rendering.width, 0u) << what;
    const Agreement agrees = Compare(page, rendering, rendering.width, std::min(rendering.height, page.height - ControlBarRows));
    EXPECT_GE(agrees.covered, 0.95) << what << ": of " << agrees.drawn << " drawn pixels";
    EXPECT_EQ(agrees.strays, 0) << what << ": first stray pixel at " << agrees.where;
}

// Every font pdffonts lists is embedded.
void ExpectFontsEmbedded(const std::string& pdf) {
    std::istringstream rows(CommandOutput("pdffonts '" + pdf + "'"));
    std::string row;
    for (int i = 0; std::getline(rows, row); ++i) {
        if (i < 2) continue;  // the heading and its rule
        // The columns: name type encoding emb sub uni object ID; emb is the fifth from the end.
        std::istringstream words(row);
        const std::vector<std::string> w{std::istream_iterator<std::string>(words), {}};
        ASSERT_GE(w.size(), 7u) << row;
        EXPECT_EQ(w[w.size() - 5], "yes") << "not embedded: " << row;
    }
}

// The command that plays the lesson headless, its options to follow.
std::string RunOf(const Lesson& lesson) {
    const std::string events = lesson.events.empty() ? "" : " --events '" + lesson.events + "'";
    return "'" + Program + "' --headless --no-logo" + events;
}

// pdflatex run in the file's folder, stopping at the first error; the PDF beside the file.
int CompileTex(const std::string& folder, const std::string& file) {
    return Run("cd '" + folder + "' && pdflatex -interaction=nonstopmode -halt-on-error '" + file + "'");
}

void CheckLesson(const Lesson& lesson, const std::string& work) {
    SCOPED_TRACE(lesson.name);
    const std::string raster = work + "/" + lesson.name + ".png";
    const std::string svg = work + "/" + lesson.name + ".svg";
    const std::string pdf = work + "/" + lesson.name + ".pdf";
    const std::string run = RunOf(lesson);
    ASSERT_EQ(Run(run + " --screenshot '" + raster + "' --export '" + svg + "' '" + lesson.script + "'"), 0);
    ASSERT_EQ(Run(run + " --export '" + pdf + "' '" + lesson.script + "'"), 0);
    const RgbPicture page = ReadPng(raster);
    ASSERT_GT(page.height, ControlBarRows);
    ASSERT_EQ(Run("rsvg-convert -o '" + svg + ".png' '" + svg + "'"), 0);
    ExpectAgrees(page, svg + ".png", "SVG");
    EXPECT_EQ(Run("qpdf --check '" + pdf + "'"), 0);
    ExpectFontsEmbedded(pdf);
    // pdftoppm at 96 dots an inch gives the figure's own pixels.
    ASSERT_EQ(Run("pdftoppm -r 96 -png -singlefile '" + pdf + "' '" + pdf + "'"), 0);
    ExpectAgrees(page, pdf + ".png", "PDF");
}

void CheckTikzLesson(const Lesson& lesson, const std::string& work) {
    SCOPED_TRACE(lesson.name);
    const std::string raster = work + "/" + lesson.name + ".png";
    const std::string tex = lesson.name + "-tikz.tex";
    const std::string pdf = work + "/" + lesson.name + "-tikz.pdf";
    ASSERT_EQ(Run(RunOf(lesson) + " --screenshot '" + raster + "' --export '" + work + "/" + tex + "' '" + lesson.script + "'"), 0);
    ASSERT_EQ(CompileTex(work, tex), 0) << "see " << work << "/" << lesson.name << "-tikz.log";
    const RgbPicture page = ReadPng(raster);
    ASSERT_GT(page.height, ControlBarRows);
    ASSERT_EQ(Run("pdftoppm -r 96 -png -singlefile '" + pdf + "' '" + pdf + "'"), 0);
    ExpectAgrees(page, pdf + ".png", "TikZ");
}

TEST(FigureAgreement, EveryExampleAndManualScript) {
    if (!RenderersPresent()) GTEST_SKIP() << "rsvg-convert, qpdf or poppler-utils missing and not installable";
    const std::string work = TempPath("figures");
    fs::create_directories(work);
    std::vector<Lesson> lessons = ExampleLessons();
    for (const Lesson& lesson : ManualLessons(work)) lessons.push_back(lesson);
    ASSERT_GT(lessons.size(), 40u);
    for (const Lesson& lesson : lessons) CheckLesson(lesson, work);
    fs::remove_all(work);
}

TEST(FigureAgreement, EveryExampleAndManualScriptAsTikz) {
    if (!RenderersPresent() || !TexPresent()) GTEST_SKIP() << "pdflatex with TikZ, or poppler-utils, not installed";
    const std::string work = TempPath("tikz");
    fs::create_directories(work);
    std::vector<Lesson> lessons = ExampleLessons();
    for (const Lesson& lesson : ManualLessons(work)) lessons.push_back(lesson);
    for (const Lesson& lesson : lessons) CheckTikzLesson(lesson, work);
    fs::remove_all(work);
}

// --tikz-picture: the bare picture, which a document of the user's \inputs.
TEST(FigureAgreement, TikzPictureInputByADocument) {
    if (!TexPresent()) GTEST_SKIP() << "pdflatex with TikZ not installed";
    const std::string work = TempPath("tikz-input");
    fs::create_directories(work);
    const std::string script = (Source / "examples/circumcircle.vek").string();
    ASSERT_EQ(vekora::Run("'" + Program + "' --headless --no-logo --export '" + work + "/figure.tex' --tikz-picture '" + script + "'"), 0);
    std::ifstream in(work + "/figure.tex");
    const std::string picture{std::istreambuf_iterator<char>(in), {}};
    EXPECT_EQ(picture.find("\\documentclass"), std::string::npos);
    EXPECT_NE(picture.find("\\begin{tikzpicture}"), std::string::npos);
    std::ofstream(work + "/sheet.tex") << "\\documentclass{article}\n\\usepackage{tikz}\n\\begin{document}\n"
                                          "Figure:\n\n\\input{figure}\n\\end{document}\n";
    EXPECT_EQ(CompileTex(work, "sheet.tex"), 0) << "see " << work << "/sheet.log";
    EXPECT_TRUE(fs::exists(work + "/sheet.pdf"));
    fs::remove_all(work);
}

}  // namespace
}  // namespace vekora
