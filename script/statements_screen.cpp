// Statement families of the screen, texts, settings and menus.
#include <cmath>

#include "script/statement.h"
#include "script/tokens.h"

namespace vekora {
namespace {

std::int32_t Floor16(double value) { return RoundToWord(std::floor(value)) & 0xFFFF; }

bool Claimed(const Compilation& c, std::int32_t row) {
    return row >= 0 && static_cast<std::size_t>(row) < c.claimedRows.size() && c.claimedRows[static_cast<std::size_t>(row)];
}

void Claim(Compilation& c, std::int32_t row, std::int32_t word0) {
    c.table.At(0, row)[0] = word0;
    if (static_cast<std::size_t>(row) < c.claimedRows.size()) c.claimedRows[static_cast<std::size_t>(row)] = 1;
}

}  // namespace

// CLS [col]  |  SCREEN w, h [, n [, col]]  |  WINDOW a, b  |  TEXTWINDOW a, b, c, d
// |  SPEED n  |  FRAMESPEED n
std::int32_t CompileScreenSetting(Statement& s) {
    switch (s.Keyword()) {
        case KwCls:
            if (const auto e = s.Expect(0, 1, 2)) return e;
            return s.Write(OpCls, 0, {s.ColourOr(1)});
        case KwScreen:
            if (const auto e = s.Expect(0, 3, 5)) return e;
            if (const auto e = s.OnlyIn(KindMain)) return e;
            return s.Write(OpScreen, 0, {s.Int(1), s.Int(2), s.IntOr(3), s.ColourOr(4)});
        case KwWindow:
            if (const auto e = s.Expect(0, 3, 3)) return e;
            if (const auto e = s.OnlyIn(KindMain)) return e;
            return s.Write(OpWindow, 0, {s.Int(1), s.Int(2)});
        case KwTextWindow:
            if (const auto e = s.Expect(0, 5, 5)) return e;
            return s.Write(OpTextWindow, 0, {s.Int(1), s.Int(2), s.Int(3), s.Int(4)});
        default:
            if (const auto e = s.Expect(0, 2, 2)) return e;
            return s.Write(s.Keyword() == KwSpeed ? OpSpeed : OpFrameSpeed, 0, {s.Int(1)});
    }
}

// TEXT text [, col1 [, col2 [, n]]]  |  TITLE text
std::int32_t CompileText(Statement& s) {
    const bool title = s.Keyword() == KwTitle;
    if (const auto e = s.Expect(0, 2, title ? 2 : 5)) return e;
    if (const auto e = s.CheckText(1)) return e;
    if (title) return s.Write(OpTitle, s.Index(1), {});
    return s.Write(OpText, s.Index(1), {s.ColourOr(2), s.ColourOr(3), s.IntOr(4)});
}

// DEFAULTS [construction colour, default colour, ... up to 10 arguments]
std::int32_t CompileDefaults(Statement& s) {
    if (const auto e = s.Expect(0, 1)) return e;
    if (const auto e = s.NotIn(KindConstruction)) return e;
    Statement::Words words;
    words.fill(-1);
    for (int argument = 1; argument < s.Count() && argument <= 10; ++argument) {
        const DefaultsSlot& where = DefaultsSlots[argument - 1];
        std::int32_t& word = words[static_cast<std::size_t>(where.word - 1)];
        if (s.FirstPass()) continue;
        switch (where.part) {
            case DefaultsSlot::Colour: word = s.ColourOr(argument); break;
            case DefaultsSlot::Low: word = Halves(Floor16(s.Number(argument) * where.scale), word >> 16); break;
            case DefaultsSlot::High: word = Halves(word & 0xFFFF, Floor16(s.Number(argument) * where.scale)); break;
        }
    }
    return s.WriteRow(OpDefaults, 0, words);
}

// TOOLDEFAULTS [size, ..., colours]: up to 8 arguments
std::int32_t CompileToolDefaults(Statement& s) {
    if (const auto e = s.Expect(0, 1)) return e;
    if (const auto e = s.NotIn(KindConstruction)) return e;
    Statement::Words words{};
    const int count = s.Count() - 1;
    if (!s.FirstPass()) {
        if (count >= 1) words[0] = Floor16(s.Number(1));
        if (count >= 2) {
            const auto high = static_cast<std::uint32_t>(RoundToWord(std::floor(s.Number(2)))) << 16;
            words[0] = static_cast<std::int32_t>(static_cast<std::uint32_t>(words[0]) | high);
        }
        if (count >= 3) words[1] = Floor16(s.Number(3));
        for (int argument = 4; argument <= count && argument <= 8; ++argument) {
            words[static_cast<std::size_t>(argument - 2)] = s.ColourOr(argument);
        }
    }
    return s.WriteRow(OpToolDefaults, count, words);
}

// MENU [col1 [, col2]] ... MENUITEM ... EXITMENU ... ENDMENU | REPEATMENU
std::int32_t CompileMenu(Statement& s) {
    if (const auto e = s.Expect(0, 1)) return e;
    if (s.FirstPass()) return s.Write(OpMenu, 0, {});
    if (const auto e = s.OnlyIn(KindMain)) return e;
    if (OpcodeOf(s.Stored()) != OpMenu) return ErrPassMismatch;
    Compilation& c = s.compilation();
    const std::int32_t row = c.row;
    const bool known = row >= 0 && static_cast<std::size_t>(row) < c.menuAtRow.size() && c.menuAtRow[static_cast<std::size_t>(row)] >= 0;
    if (!known) return ErrMenuWithoutEnd;
    const MenuShape& menu = c.menus[static_cast<std::size_t>(c.menuAtRow[static_cast<std::size_t>(row)])];
    const auto limit = static_cast<std::size_t>(MaxMenuEntries);
    if (menu.items.size() > limit || menu.exits.size() > limit) return ErrTooManyMenuItems;
    if (menu.closingRow < 0) return ErrMenuWithoutEnd;
    const std::int32_t closing = menu.closingRow;
    const bool repeats = OpcodeOf(c.table.Word(0, closing, 0)) == OpRepeatMenu;
    const std::int32_t itemTarget = repeats ? row - 1 : closing;
    for (const std::int32_t item : menu.items) Claim(c, item, MakeWord0(itemTarget, OpMenuItem));
    for (const std::int32_t exit : menu.exits) Claim(c, exit, MakeWord0(closing, OpExitMenu));
    Claim(c, closing, repeats ? MakeWord0(row - 1, OpRepeatMenu) : MakeWord0(closing, OpEndMenu));
    return s.Write(OpMenu, static_cast<std::int32_t>(menu.items.size()), {s.ColourOr(1), s.ColourOr(2), closing});
}

// MENUITEM text  |  EXITMENU  |  ENDMENU  |  REPEATMENU   (their MENU writes word 0)
std::int32_t CompileMenuRow(Statement& s) {
    const bool item = s.Keyword() == KwMenuItem;
    if (const auto e = s.Expect(0, item ? 2 : 1, item ? 2 : 1)) return e;
    if (item) {
        if (const auto e = s.CheckText(1)) return e;
    }
    if (s.FirstPass()) return s.Write(s.Keyword(), 0, {});
    if (const auto e = s.OnlyIn(KindMain)) return e;
    Compilation& c = s.compilation();
    if (OpcodeOf(s.Stored()) != s.Keyword()) return ErrPassMismatch;
    if (!Claimed(c, c.row)) return ErrMenuRowWithoutMenu;
    if (item) s.CurrentRow()[1] = s.Index(1) & 0xFFFF;
    return Compiled;
}

}  // namespace vekora
