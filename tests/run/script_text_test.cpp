// Script files into lines: line ends, encodings, unreadable files.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "draw/math_text.h"
#include "run/script_file.h"
#include "run/script_text.h"

namespace vekora {
namespace {

using Lines = std::vector<std::string>;

TEST(SplitScriptText, LineEnds) {
    struct Case {
        std::string text;
        Lines lines;
    };
    const Case cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\n", {"a"}},
        {"a\r\n", {"a"}},
        {"a\r", {"a"}},
        {"\n", {""}},
        {"a\nb", {"a", "b"}},
        {"a\r\nb\rc\nd", {"a", "b", "c", "d"}},
        {"a\r\r\nb", {"a", "", "b"}},
        {"a\n\r", {"a", ""}},
        {"\n\n", {"", ""}},
        {std::string("a\0b\n", 4), {std::string("a\0b", 3)}},
    };
    for (const Case& c : cases) EXPECT_EQ(SplitScriptText(c.text), c.lines) << c.text;
}

TEST(ScriptTextToLatin1, OnlyValidUtf8IsConverted) {
    struct Case {
        std::string bytes;
        std::string latin1;
    };
    const Case cases[] = {
        {"TEXT \"plain\"", "TEXT \"plain\""},
        {"TEXT \"l\xC3\xADnea\"", "TEXT \"l\xEDnea\""},
        {"\xC3\xBF\xC2\x80", "\xFF\x80"},
        {"\xE2\x82\xAC \xF0\x9F\x98\x80", "? ?"},                     // beyond Latin-1 and every sign font
        // Greek letters and geometry signs become sign pairs; Latin-1 signs stay themselves.
        {"\xE2\x88\xA0" "ABC = 90\xC2\xB0", "\x1A\xD0" "ABC = 90\xB0"},          // angle sign, degree
        {"\xCE\xB1 + \xCE\xB2 + \xCE\xB3", "\x1A" "a + \x1A" "b + \x1A" "g"},      // alpha, beta, gamma
        {"\xCE\xA9\xCF\x80\xE2\x88\x9A\xE2\x89\x88\xE2\x8A\xA5", "\x1AW\x1Ap\x1A\xD6\x1A\xBB\x1A^"},  // Omega pi root approx perp
        {"\xE2\x96\xB3\xE2\x88\xA5", "\x1A" "D\x1A|\x1A|"},                    // triangle, parallel: look-alikes
        {"\x1A" "a", "\x1A" "a"},                                        // a Latin-1 file keeps its bytes
        {"\xEF\xBB\xBFPOINT A 0 0", "POINT A 0 0"},                  // byte-order mark
        {"TEXT \"l\xEDnea\"", "TEXT \"l\xEDnea\""},                  // already Latin-1
        {"\xC3\xAD \xC3", "\xC3\xAD \xC3"},                          // cut short: not UTF-8
        {"\xC0\xAF", "\xC0\xAF"},                                    // overlong
        {"\xED\xA0\x80", "\xED\xA0\x80"},                            // surrogate
        {"\xF4\x90\x80\x80", "\xF4\x90\x80\x80"},                    // beyond U+10FFFF
    };
    for (const Case& c : cases) EXPECT_EQ(ScriptTextToLatin1(c.bytes), c.latin1) << c.bytes;
}

TEST(MathTextToUtf8, TwoBytesAbove127) {
    EXPECT_EQ(MathTextToUtf8("l\xEDnea \xFF"), "l\xC3\xADnea \xC3\xBF");
    EXPECT_EQ(MathTextToUtf8("ascii"), "ascii");
    EXPECT_EQ(MathTextToUtf8("\x1A" "a = 30\xB0"), "\xCE\xB1 = 30\xC2\xB0") << "a sign pair is its character";
}

class ScriptFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() / ("vekora-script-file-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }
    std::string Write(const std::string& name, const std::string& bytes) {
        const auto path = folder_ / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path.string();
    }
    std::filesystem::path folder_;
};

TEST_F(ScriptFileTest, ReadsWholeFileOfManyLines) {
    std::string text;
    for (int i = 0; i < 3000; ++i) text += "POINT P" + std::to_string(i) + " 0 0\r\n";
    std::ostringstream diagnostics;
    const Lines lines = ReadScriptFile(Write("many.vek", text), diagnostics).value();
    ASSERT_EQ(lines.size(), 3000u);
    EXPECT_EQ(lines[2999], "POINT P2999 0 0");
    EXPECT_EQ(diagnostics.str(), "");
}

TEST_F(ScriptFileTest, LongLineAndUtf8) {
    const std::string longLine(1 << 20, 'x');
    std::ostringstream diagnostics;
    const Lines lines = ReadScriptFile(Write("long.vek", longLine + "\nTEXT \"\xC3\xA9\""), diagnostics).value();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].size(), longLine.size());
    EXPECT_EQ(lines[1], "TEXT \"\xE9\"");
}

TEST_F(ScriptFileTest, UnreadableGivesNoLinesAndAReason) {
    for (const std::string& path : {(folder_ / "missing.vek").string(), folder_.string()}) {
        std::ostringstream diagnostics;
        EXPECT_FALSE(ReadScriptFile(path, diagnostics).has_value()) << path;
        EXPECT_NE(diagnostics.str().find(path), std::string::npos) << diagnostics.str();
    }
}

}  // namespace
}  // namespace vekora
