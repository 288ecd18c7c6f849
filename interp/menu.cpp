// Pop-up menus and the MENU statements.
#include "interp/menu.h"

#include <algorithm>
#include <vector>

#include "draw/image_scale.h"
#include "draw/text.h"
#include "platform/input.h"
#include "script/types.h"

namespace vekora {
namespace {

constexpr std::uint32_t FrameOffset = 0x303030;
// The menu steps a virtual clock this much between polls; a window sleeps until input comes.
constexpr std::int32_t MenuPollMs = 10;
// How long a clicked item stays lit before the menu closes, so the viewer sees the choice.
constexpr std::int32_t ClickedItemMs = 1000;
constexpr std::int32_t ReleasePollMs = 10;

struct ItemColours {
    std::uint32_t text;
    std::uint32_t background;
};

ItemColours ColoursOf(const Settings& settings, bool selected) {
    if (selected)
        return {static_cast<std::uint32_t>(settings.selectedText), static_cast<std::uint32_t>(settings.selectedBackground)};
    return {static_cast<std::uint32_t>(settings.menuText), static_cast<std::uint32_t>(settings.menuBackground)};
}

// The menu box on the screen for one call: its size and what it covered.
class MenuBox {
public:
    MenuBox(const Stage& stage, std::span<const std::string> items, const FontView& font)
        : items_(items), settings_(stage.settings()), font_(font), screen_(stage.Screen()) {
        const ScreenMode screen = stage.Mode();
        std::int32_t widest = 0;
        for (const std::string& item : items) widest = std::max(widest, StringWidth(item, font));
        width_ = static_cast<std::int32_t>(std::min<std::int64_t>(std::int64_t{widest} + 2 * MenuTextInsetX, screen.width));
        const auto rows = static_cast<std::int64_t>(items.size()) * MenuRowHeight;
        height_ = static_cast<std::int32_t>(std::min<std::int64_t>(rows, screen.height));
        covered_.reset(ImageNewOfDepth(width_, height_, SurfaceInfo(screen_).bytesPerPixel, NO_COLOUR, ImageScale(screen_)));
        if (covered_) ImageCapture(screen_, 0, 0, static_cast<float>(width_ - 1), static_cast<float>(height_ - 1), covered_.get());
    }
    ~MenuBox() {
        if (covered_) ImageBlit(screen_, 0, 0, covered_.get(), BlitMode::Plain, 0);
    }
    MenuBox(const MenuBox&) = delete;
    MenuBox& operator=(const MenuBox&) = delete;

    bool Shown() const { return covered_ != nullptr; }
    bool Inside(std::int32_t x, std::int32_t y) const { return x < width_ && y < height_; }

    void Draw() const {
        const auto face = static_cast<std::uint32_t>(settings_.menuBackground);
        RasterLine(screen_, 0, 0, static_cast<float>(width_ - 1), static_cast<float>(height_ - 1), face,
                   LineKind::FilledBox, 0xFFFF);
        DrawRaisedFrame(screen_, 0, 0, width_ - 1, height_ - 1, face);
        for (std::size_t i = 0; i < items_.size(); ++i) DrawItem(static_cast<std::int32_t>(i), false);
    }
    void DrawItem(std::int32_t index, bool selected) const {
        const ItemColours colours = ColoursOf(settings_, selected);
        PrintText(screen_, items_[static_cast<std::size_t>(index)], font_, MenuTextInsetX,
                  MenuRowHeight * index + MenuTextInsetY, colours.text, colours.background);
    }

private:
    std::span<const std::string> items_;
    const Settings& settings_;
    const FontView& font_;
    ImageHandle screen_;
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    OwnedImage covered_;
};

// The selection loop: the chosen index, or -1 (also when the run is asked to stop).
std::int32_t ChooseItem(const Stage& stage, const MenuBox& box, std::int32_t count) {
    std::int32_t selected = 0;
    const auto moveTo = [&](std::int32_t index) {
        box.DrawItem(selected, false);
        selected = index;
        box.DrawItem(selected, true);
    };
    for (;;) {
        stage.AwaitInput(MenuPollMs);
        if (stage.Stopped()) return -1;
        const std::int32_t code = stage.Poll();
        if (code == 0) continue;
        const DecodedInput input = DecodeInput(code);
        if (input.key == KeyUp) {
            if (selected > 0) moveTo(selected - 1);
        } else if (input.key == KeyDown) {
            if (selected < count - 1) moveTo(selected + 1);
        } else if (input.key == KeyEnter) {
            return selected;
        } else if (input.key == KeyEscape) {
            return -1;
        } else if (input.key.empty() && input.buttons > 0 && input.x >= 0 && input.y >= 0) {
            if (!box.Inside(input.x, input.y)) return -1;
            moveTo(input.y / MenuRowHeight);
            stage.Sleep(ClickedItemMs);
            stage.AwaitRelease(ReleasePollMs);
            return selected;
        }
    }
}

struct MenuEntry {
    std::string_view text;
    std::int32_t row = 0;
};

std::string_view TextLiteral(const SymbolTable& symbols, std::int32_t index) {
    const std::vector<std::string>& texts = symbols.List(TypeTextLiteral);
    if (index < 0 || static_cast<std::size_t>(index) >= texts.size()) return {};
    return texts[static_cast<std::size_t>(index)];
}

// The MENUITEMs of the menu whose MENU is at `menuRow`, or the error that ends the activation.
std::int32_t CollectEntries(const RunContext& run, const Activation& act, std::int32_t menuRow,
                            std::vector<MenuEntry>& entries) {
    const InstructionTable& table = run.table;
    for (std::int32_t row = menuRow + 1; row <= act.lastRow; ++row) {
        const std::int32_t opcode = OpcodeOf(table.Word(act.procedure, row, 0));
        if (opcode == OpEndMenu || opcode == OpRepeatMenu) return 0;
        if (opcode == OpMenu) {
            // A nested menu's items are its own: skip to its closing row, past menus nested in it.
            for (std::int32_t depth = 1; depth > 0;) {
                if (++row > act.lastRow) return MenuErrorNoEnd;
                const std::int32_t inner = OpcodeOf(table.Word(act.procedure, row, 0));
                if (inner == OpMenu) ++depth;
                if (inner == OpEndMenu || inner == OpRepeatMenu) --depth;
            }
        } else if (opcode == OpMenuItem) {
            entries.push_back({TextLiteral(run.symbols, table.Word(act.procedure, row, 1) & 0xFFFF), row});
            if (static_cast<std::int32_t>(entries.size()) == MenuEntryLimit) return MenuErrorTooManyItems;
        }
    }
    return MenuErrorNoEnd;
}

}  // namespace

DecodedInput DecodeInput(std::int32_t inputCode) {
    DecodedInput input;
    const auto code = static_cast<std::uint32_t>(inputCode);
    if ((code & 0x80000000u) != 0) {
        input.x = static_cast<std::int32_t>(code & 0xFFF);
        input.y = static_cast<std::int32_t>((code >> 12) & 0xFFF);
        input.buttons = static_cast<std::int32_t>((code >> 24) & 0xF);
    } else if ((code & static_cast<std::uint32_t>(KeyCodeBit)) != 0) {
        input.key.push_back(static_cast<char>(code & 0xFF));
        if (((code >> 8) & 0xFF) != 0) input.key.push_back(static_cast<char>((code >> 8) & 0xFF));
    }
    return input;
}

void DrawRaisedFrame(ImageHandle target, std::int32_t left, std::int32_t top, std::int32_t right,
                     std::int32_t bottom, std::uint32_t face) {
    const std::uint32_t light = face + FrameOffset;
    const std::uint32_t dark = face - FrameOffset;
    const auto edge = [target](std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, std::uint32_t colour) {
        RasterLine(target, static_cast<float>(x1), static_cast<float>(y1), static_cast<float>(x2),
                   static_cast<float>(y2), colour, LineKind::Line, 0xFFFF);
    };
    edge(left, top, right, top, light);
    edge(left, top + 1, left, bottom, light);
    edge(right, top + 1, right, bottom, dark);
    edge(left + 1, bottom, right, bottom, dark);
}

std::int32_t ShowMenu(const Stage& stage, std::span<const std::string> items, const FontView& font) {
    // Without input the loop could never end; without a screen there is nothing to choose on.
    if (items.empty() || !stage.ClockRuns()) return -1;
    const ScreenMode screen = stage.Mode();
    if (screen.width <= 0 || screen.height <= 0) return -1;
    const MenuBox box(stage, items, font);
    if (!box.Shown()) return -1;
    box.Draw();
    box.DrawItem(0, true);
    return ChooseItem(stage, box, static_cast<std::int32_t>(items.size()));
}

StepResult RunMenuStatement(RunContext& run, Activation& act, const FontView& font) {
    const std::int32_t menuRow = act.row;
    std::vector<MenuEntry> entries;
    if (const std::int32_t error = CollectEntries(run, act, menuRow, entries)) return ReturnWith(error);
    const std::int32_t word0 = run.table.Word(act.procedure, menuRow, 0);
    if (static_cast<std::int32_t>(entries.size()) != Target(word0)) return ReturnWith(MenuErrorItemCount);

    const std::int32_t selectedText = run.table.Word(act.procedure, menuRow, 1);
    const std::int32_t selectedBackground = run.table.Word(act.procedure, menuRow, 2);
    if (selectedText != -1) run.settings.selectedText = selectedText;
    if (selectedBackground != -1) run.settings.selectedBackground = selectedBackground;

    std::vector<std::string> texts;
    texts.reserve(entries.size());
    for (const MenuEntry& entry : entries) texts.emplace_back(entry.text);
    const AwaitingViewer waiting(run.stage.device(), {ViewerWaitKind::Menu, act.procedure, menuRow,
                                                      static_cast<std::int32_t>(texts.size())});
    const std::int32_t chosen = ShowMenu(run.stage, texts, font);
    const bool none = chosen < 0 || static_cast<std::size_t>(chosen) >= entries.size();
    return MenuJump(act, none ? run.table.Word(act.procedure, menuRow, 3) : entries[static_cast<std::size_t>(chosen)].row);
}

StepResult MenuJump(Activation& act, std::int32_t targetRow) {
    if (targetRow >= act.lastRow) return ReturnWith(0);
    // A row before the first statement would run the header or the parameter row as code.
    act.row = std::max(targetRow, act.startRow - 1);
    return NextStep();
}

}  // namespace vekora
