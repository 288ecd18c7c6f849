// The pop-up menu on a headless screen, chosen by keys and clicks, and the MENU statements of
// compiled scripts: the jump to the chosen item, the jumps of the menu rows, the run-time errors.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "interp/menu.h"
#include "tests/support/menu_support.h"
#include "platform/active_device.h"
#include "script/passes.h"
#include "tests/support/font_support.h"
#include "vekora.h"

namespace vekora {
namespace {

using testing::ClickCode;
using testing::HeadlessScreen;
using testing::KeyCode;
using testing::PixelWatch;

constexpr std::uint32_t Face = 0xC0C0C0;
constexpr std::uint32_t Ink = 0x000000;

std::uint32_t Px(std::uint32_t colour) { return HeadlessScreen::Stored(colour); }

// Glyphs are solid 8 x 16 blocks and the space is blank: "a b" is ink, a gap in the item's
// background colour, ink.
class PopupMenuTest : public ::testing::Test {
protected:
    std::int32_t Show(const std::vector<std::string>& items) { return ShowMenu(Stage(ActiveDevice(), settings), items, view); }

    Font font = testing::BlockFont(8, 16);
    FontView view = ViewOf(font);
    Settings settings;
    const std::vector<std::string> three = {"a b", "ccc", "d"};
};

TEST(MenuInput, CodesComeApartIntoKeysAndClicks) {
    EXPECT_EQ(DecodeInput(KeyCode("a")).key, "a");
    EXPECT_EQ(DecodeInput(KeyCode("\xFFP")).key, "\xFFP");
    const DecodedInput click = DecodeInput(ClickCode(4095, 1234, 5));
    EXPECT_EQ(click.key, "");
    EXPECT_EQ(click.x, 4095);
    EXPECT_EQ(click.y, 1234);
    EXPECT_EQ(click.buttons, 5);
    const DecodedInput key = DecodeInput(KeyCode("\r"));
    EXPECT_EQ(key.x, -1);
    EXPECT_EQ(key.buttons, 0);
    EXPECT_EQ(DecodeInput(0).key, "");
}

TEST_F(PopupMenuTest, KeysMoveTheSelectionWithinTheListAndEnterChooses) {
    struct Case { std::string events; std::vector<std::string> items; std::int32_t chosen; };
    const Case cases[] = {
        {"10 key Enter\n", three, 0},
        {"10 key Down\n20 key Down\n30 key Enter\n", three, 2},
        {"10 key Down\n20 key Down\n30 key Down\n40 key Enter\n", three, 2},  // Down on the last item
        {"10 key Up\n20 key Enter\n", three, 0},                              // Up on the first
        {"10 key Down\n20 key Up\n30 key Down\n40 key Enter\n", three, 1},
        {"10 key Down\n20 key Up\n30 key Enter\n", {"solo"}, 0},
        {"10 key x\n20 key Escape\n", three, -1},
    };
    for (const Case& c : cases) {
        HeadlessScreen screen(c.events);
        EXPECT_EQ(Show(c.items), c.chosen) << c.events;
    }
}

TEST_F(PopupMenuTest, TheBoxItsFrameAndTheSelectedItemWhileItShows) {
    // Box: widest text 24 + 8 wide, 3 x 20 high. The gap of "a b" is at x 12 to 19.
    HeadlessScreen screen("100 key Down\n200 key Escape\n");
    PixelWatch gapOfFirst(14, 8, {0.05, 0.15}), gapEnd(31, 30, {0.05}), ink(4, 22, {0.15}), rim(0, 0, {0.05}),
        shade(31, 59, {0.05}), below(5, 61, {0.05});
    for (PixelWatch* watch : {&gapOfFirst, &gapEnd, &ink, &rim, &shade, &below}) screen.Watch(*watch);
    const std::vector<std::uint8_t> before = HeadlessScreen::Bytes();
    EXPECT_EQ(Show(three), -1);
    EXPECT_EQ(gapOfFirst.Seen(0), Px(0x000080)) << "item 0 selected";
    EXPECT_EQ(gapOfFirst.Seen(1), Px(Face)) << "item 0 after Down";
    EXPECT_EQ(gapEnd.Seen(0), Px(0x909090)) << "right edge, dark";
    EXPECT_EQ(ink.Seen(0), Px(0xFFFFFF)) << "item 1 text in the selected colour";
    EXPECT_EQ(rim.Seen(0), Px(0xF0F0F0));
    EXPECT_EQ(shade.Seen(0), Px(0x909090));
    EXPECT_EQ(below.Seen(0), 0u) << "nothing below the box";
    EXPECT_EQ(HeadlessScreen::Bytes(), before) << "the screen is put back";
}

TEST_F(PopupMenuTest, ClicksChooseTheirRowOnlyOnRelease) {
    struct Case { std::string events; std::int32_t chosen; std::int64_t atLeastMs; };
    const Case cases[] = {
        {"100 press 5 45\n1500 release 5 45\n", 2, 1500},  // row 2, held until 1500
        {"100 click 5 45\n", 2, 1100},                     // shown lit for a second
        {"100 click 31 0\n", 0, 1100},                     // right of the text, inside the margin
        {"100 click 32 0\n", -1, 100},                     // right of the box
        {"100 click 5 60\n", -1, 100},                     // below it
        {"100 click 5 25 right\n", 1, 1100},
    };
    for (const Case& c : cases) {
        HeadlessScreen screen(c.events);
        const std::vector<std::uint8_t> before = HeadlessScreen::Bytes();
        EXPECT_EQ(Show(three), c.chosen) << c.events;
        EXPECT_GE(screen.NowMs(), c.atLeastMs) << c.events;
        EXPECT_EQ(HeadlessScreen::Bytes(), before);
    }
}

TEST_F(PopupMenuTest, ABoxLargerThanTheScreenIsCutToIt) {
    HeadlessScreen screen("100 key Escape\n", 100, 50);
    PixelWatch rightEdge(99, 19, {0.05}), bottomEdge(2, 49, {0.05});  // between texts, which run past the box
    screen.Watch(rightEdge);
    screen.Watch(bottomEdge);
    const std::vector<std::string> items(5, std::string(20, 'w'));  // 168 x 100
    EXPECT_EQ(Show(items), -1);
    EXPECT_EQ(rightEdge.Seen(0), Px(0x909090));
    EXPECT_EQ(bottomEdge.Seen(0), Px(0x909090));
}

TEST_F(PopupMenuTest, NothingToChooseOrNowhereToShowGivesMinusOneAtOnce) {
    EXPECT_EQ(Show(three), -1) << "no device";
    HeadlessScreen screen("0 key Enter\n");
    EXPECT_EQ(Show({}), -1);
    EXPECT_EQ(VEKS_MENU(nullptr, 3), -1);
    const char* items[] = {"Uno", nullptr};
    EXPECT_EQ(VEKS_MENU(items, 2), 0) << "through the C library, with the resident font";
}

// MENU statements of compiled scripts, the main module's rows run by hand as the engine does.
class MenuStatementTest : public ::testing::Test {
protected:
    void Compile(const std::vector<std::string>& lines) {
        ErrorLists errors;
        ASSERT_EQ(ParseScript(lines, table, errors, symbols), 0) << (errors.codes.empty() ? 0 : errors.codes[0]);
        act.lastRow = table.Word(0, 0, HeaderEndRow);
    }
    std::int32_t RowOf(std::int32_t opcode, int nth = 0) const {
        for (std::int32_t row = 1; row <= act.lastRow; ++row)
            if (OpcodeOf(table.Word(0, row, 0)) == opcode && nth-- == 0) return row;
        return -1;
    }
    StepResult RunMenu(std::int32_t row) {
        act.row = row;
        RunContext run(table, symbols, settings, ActiveDevice());
        return RunMenuStatement(run, act, view);
    }
    StepResult Jump(std::int32_t row) { return MenuJump(act, Target(table.Word(0, row, 0))); }

    Font font = testing::BlockFont(8, 16);
    FontView view = ViewOf(font);
    InstructionTable table;
    SymbolTable symbols;
    Settings settings;
    Activation act;
};

const std::vector<std::string> TwoItems = {
    "MENU &HFF0000, &H00FF00", "MENUITEM \"Uno\"", "SPEED 100", "MENUITEM \"Dos\"", "SPEED 200",
    "EXITMENU", "ENDMENU", "SPEED 300", "END"};

TEST_F(MenuStatementTest, TheChoiceJumpsToItsItemAndEscapeToTheEndOfTheMenu) {
    Compile(TwoItems);
    const std::int32_t menu = RowOf(OpMenu);
    struct Case { std::string events; std::int32_t row; };
    const Case cases[] = {
        {"10 key Enter\n", RowOf(OpMenuItem, 0)},
        {"10 key Down\n20 key Enter\n", RowOf(OpMenuItem, 1)},
        {"10 click 3 30\n", RowOf(OpMenuItem, 1)},
        {"10 key Escape\n", RowOf(OpEndMenu)},
    };
    for (const Case& c : cases) {
        HeadlessScreen screen(c.events);
        const StepResult step = RunMenu(menu);
        EXPECT_EQ(step.flow, Flow::Next) << c.events;
        EXPECT_EQ(act.row, c.row) << c.events;
    }
    EXPECT_EQ(settings.selectedText, 0xFF0000);
    EXPECT_EQ(settings.selectedBackground, 0x00FF00);
}

TEST_F(MenuStatementTest, ItemTextsComeFromTheTextLiterals) {
    Compile(TwoItems);
    HeadlessScreen screen("10 key Escape\n");
    PixelWatch second(4 + 8 * 2, 20 + 8, {0.005}), third(4 + 8 * 3, 20 + 8, {0.005});  // "Dos" is 3 glyphs
    screen.Watch(second);
    screen.Watch(third);
    RunMenu(RowOf(OpMenu));
    EXPECT_EQ(second.Seen(0), Px(Ink));
    EXPECT_EQ(third.Seen(0), Px(Face));
}

TEST_F(MenuStatementTest, MenuRowsJumpToTheEndOfTheMenuOrBackToIt) {
    Compile(TwoItems);
    EXPECT_EQ(Jump(RowOf(OpMenuItem, 1)).flow, Flow::Next);
    EXPECT_EQ(act.row, RowOf(OpEndMenu)) << "an item's body ends at the next MENUITEM";
    Jump(RowOf(OpExitMenu));
    EXPECT_EQ(act.row, RowOf(OpEndMenu));
    Jump(RowOf(OpEndMenu));
    EXPECT_EQ(act.row, RowOf(OpEndMenu));

    Compile({"SPEED 1", "MENU", "MENUITEM \"Otra vez\"", "REPEATMENU", "SPEED 2", "END"});
    EXPECT_EQ(Jump(RowOf(OpRepeatMenu)).flow, Flow::Next);
    EXPECT_EQ(act.row, RowOf(OpMenu) - 1) << "the engine goes on with the MENU row";
    Jump(RowOf(OpMenuItem));
    EXPECT_EQ(act.row, RowOf(OpMenu) - 1);
}

TEST_F(MenuStatementTest, MenusNestedTwoDeepKeepTheirItemsToThemselves) {
    Compile({"MENU", "MENU", "MENU", "MENUITEM \"a\"", "ENDMENU", "ENDMENU", "MENUITEM \"b\"", "ENDMENU", "END"});
    HeadlessScreen screen("10 key Enter\n");
    EXPECT_EQ(RunMenu(RowOf(OpMenu, 0)).flow, Flow::Next);
    EXPECT_EQ(act.row, RowOf(OpMenuItem, 1));
}

TEST_F(MenuStatementTest, AJumpAtOrPastTheLastRowEndsTheActivation) {
    act.startRow = 1;
    act.lastRow = 10;
    for (const std::int32_t target : {10, 11, 0x7FFF}) EXPECT_EQ(MenuJump(act, target).flow, Flow::Return) << target;
    EXPECT_EQ(MenuJump(act, 9).flow, Flow::Next);
    EXPECT_EQ(act.row, 9);
    MenuJump(act, -5);
    EXPECT_EQ(act.row, 0) << "never back into the header row";
}

// Tables the compiler would refuse, written by hand: the run-time checks of MENU.
class MenuErrorTest : public MenuStatementTest {
protected:
    void Row(std::int32_t row, std::int32_t target, std::int32_t opcode, std::int32_t word1 = 0) {
        table.At(0, row) = {MakeWord0(target, opcode), word1, -1, 0, 0, 0, 0, 0};
        act.lastRow = std::max(act.lastRow, row);
        table.At(0, 0)[HeaderEndRow] = act.lastRow;
    }
    // MENU at row 1 expecting `expected` items, then `items` MENUITEMs, then `closing` (0: none).
    void Menu(std::int32_t expected, std::int32_t items, std::int32_t closing) {
        table.Reset(1, 2);
        act.lastRow = 0;
        symbols.AddTextLiteral("\"x\"");
        Row(1, expected, OpMenu);
        for (std::int32_t i = 0; i < items; ++i) Row(2 + i, 0, OpMenuItem, 0);
        Row(2 + items, 0, closing == 0 ? OpSpeed : closing);
        Row(3 + items, 0, OpSpeed);
    }
};

TEST_F(MenuErrorTest, MalformedMenusEndTheActivationWithTheirError) {
    struct Case { std::int32_t expected, items, closing, result; };
    const Case cases[] = {
        {2, 2, 0, MenuErrorNoEnd},
        {3, 2, OpEndMenu, MenuErrorItemCount},
        {1, 2, OpRepeatMenu, MenuErrorItemCount},
        {127, 127, OpEndMenu, MenuErrorTooManyItems},
        {200, 200, OpEndMenu, MenuErrorTooManyItems},
    };
    for (const Case& c : cases) {
        Menu(c.expected, c.items, c.closing);
        const StepResult step = RunMenu(1);
        EXPECT_EQ(step.flow, Flow::Return);
        EXPECT_EQ(step.result, c.result) << c.items << " items";
    }
}

TEST_F(MenuErrorTest, A126ItemMenuIsShown) {
    Menu(126, 126, OpEndMenu);
    HeadlessScreen screen("10 key Down\n20 key Enter\n");
    EXPECT_EQ(RunMenu(1).flow, Flow::Next);
    EXPECT_EQ(act.row, 3);
}

TEST_F(MenuErrorTest, ANestedMenusItemsAreItsOwnAndItMustBeClosed) {
    Menu(1, 1, OpEndMenu);  // 1 MENU, 2 MENUITEM, 3 ENDMENU, 4 SPEED
    Row(2, 0, OpMenu);
    Row(3, 0, OpMenuItem);
    Row(4, 0, OpEndMenu);
    Row(5, 0, OpMenuItem);
    Row(6, 0, OpEndMenu);
    HeadlessScreen screen("10 key Enter\n");
    EXPECT_EQ(RunMenu(1).flow, Flow::Next);
    EXPECT_EQ(act.row, 5);
    Row(4, 0, OpSpeed);
    Row(6, 0, OpSpeed);
    EXPECT_EQ(RunMenu(1).result, MenuErrorNoEnd);
}

}  // namespace
}  // namespace vekora
