// SCREEN, WINDOW, CLS, TEXTWINDOW, TEXT, TITLE, the default window and the logo.
#include "interp/screen_text.h"

#include <algorithm>
#include <string>

#include "draw/figure_listener.h"
#include "draw/math_text.h"
#include "draw/text.h"
#include "i18n/language.h"
#include "interp/control_bar.h"
#include "interp/page.h"
#include "interp/resident.h"
#include "script/hint_texts.h"

namespace vekora {
namespace {

constexpr std::int32_t WindowDepth = 16;  // the window is always 16 bits a pixel
constexpr std::int32_t PageBytesPerPixel = WindowDepth / 8;

std::uint32_t ColourOr(std::int32_t word, std::int32_t setting) {
    return static_cast<std::uint32_t>(word == -1 ? setting : word);
}

void FillPage(const RunContext& run, std::uint32_t colour) {
    if (!run.page) return;
    const SurfaceSize size = SurfaceInfo(run.page.get());
    RasterLine(run.page.get(), 0, 0, static_cast<float>(size.width - 1), static_cast<float>(size.height - 1), colour,
               LineKind::FilledBox, 0xFFFF);
}

// The page size setting keeps 16 bits of each value, as a script's numbers have.
void SetPageSize(Settings& settings, std::int32_t width, std::int32_t height) {
    settings.pageWidth = static_cast<std::int16_t>(width);
    settings.pageHeight = static_cast<std::int16_t>(height);
}

// The render scale of the device the run plays on (1 without one).
std::int32_t StageScale(const RunContext& run) {
    const Device* device = run.stage.device();
    return device != nullptr ? device->RenderScale() : 1;
}

// A page of the size setting. A size the image header cannot hold, one beyond MaxImagePixels,
// or memory refused, leaves the run without a page: every statement that would draw on it
// then does nothing. The statement that asked for the window of `width` x `height` says so.
void MakePage(RunContext& run, std::uint32_t colour, std::string_view statement, std::int32_t width,
              std::int32_t height) {
    SetPage(run, OwnedImage(ImageNewOfDepth(run.settings.pageWidth, run.settings.pageHeight, PageBytesPerPixel,
                                            colour, StageScale(run))));
    if (FigureListener* listener = CurrentFigureListener()) listener->PageMade(run.page.get(), colour);
    if (run.page || run.options.diagnostics == nullptr) return;
    *run.options.diagnostics << TrFormat(N_("vekora: %s %s, %s: a page that cannot be made (at most %s pixels wide and %s "
                                            "pixels in all); the run goes on without drawing"),
                                         {statement, std::to_string(width), std::to_string(height),
                                          std::to_string(MaxImageWidth), std::to_string(MaxImagePixels)})
                             << "\n";
}

// SCREEN width, height, with the page cleared to `colour`.
void OpenScreen(RunContext& run, Activation& activation, std::int32_t width, std::int32_t height, std::uint32_t colour) {
    const bool wasOpen = WindowOpen(run);
    run.stage.OpenScreen(width, height, WindowDepth);
    // The bar's rows stay empty until the logo has been shown: give them the page's colour
    // rather than the black of a new window.
    // The sizes are any whole numbers a script wrote: the sums are taken wide, and the page size
    // keeps their low 16 bits as it keeps any size.
    const std::int64_t wide = width, high = height;
    RasterLine(run.stage.Screen(), 0, 0, static_cast<float>(wide - 1), static_cast<float>(high - 1), colour,
               LineKind::FilledBox, 0xFFFF);
    run.stage.Icon(Resident().icon);
    SetPageSize(run.settings, static_cast<std::int32_t>(wide - run.settings.originX),
                static_cast<std::int32_t>(high - run.settings.originY - ControlBarRows));
    if (wasOpen) {
        SetPage(run, nullptr);
        activation.entryPicture.reset();
        activation.workingPicture.reset();
    }
    run.screen.depth = WindowDepth;
    MakePage(run, colour, "SCREEN", width, height);
    if (!run.page) return;
    activation.entryPicture = CopyOfPage(run);
    ShowPage(run);
    ShowLogo(run.stage, run.options);
    RedrawControlBar(run, activation);
}

}  // namespace

void RedrawControlBar(RunContext& run, const Activation& activation) {
    if (WindowOpen(run)) run.bar.Draw(run.stage, ResidentFont(FontFamily::Sans, 16), activation.paused);
}

void EnsureWindow(RunContext& run, Activation& activation) {
    if (WindowOpen(run)) return;
    OpenScreen(run, activation, DefaultWindowWidth, DefaultWindowHeight,
               static_cast<std::uint32_t>(run.settings.backgroundColour));
}

void ShowLogo(const Stage& stage, const RunOptions& options) {
    const ImageHandle logo = Resident().logo;
    const ScreenMode screen = stage.Mode();
    if (!options.showLogo || logo == nullptr || screen.depth == 0) return;
    const SurfaceSize size = SurfaceInfo(logo);
    ImageBlit(stage.Screen(), static_cast<float>((screen.width - size.width) >> 1),
              static_cast<float>((screen.height - size.height) >> 1), logo, BlitMode::Plain, 0);
    stage.Sleep(LogoMs);
    while (!stage.Key().empty()) {
    }
}

// SCREEN w, h [, depth [, colour]]
void RunScreen(RunContext& run, Activation& activation, const StatementRow& row) {
    OpenScreen(run, activation, row.w[1], row.w[2], ColourOr(row.w[4], run.settings.backgroundColour));
}

// WINDOW w, h: a new page size inside the window, keeping the old picture where it fits.
void RunWindow(RunContext& run, Activation& activation, const StatementRow& row) {
    const bool newPage = !WindowOpen(run);
    if (newPage) EnsureWindow(run, activation);
    else activation.workingPicture = CopyOfPage(run);
    SetPage(run, nullptr);
    activation.entryPicture.reset();
    const ScreenMode screen = run.stage.Mode();
    const std::int32_t width = std::min(row.w[1], screen.width - run.settings.originX);
    const std::int32_t height = std::min(row.w[2], screen.height - run.settings.originY - ControlBarRows);
    SetPageSize(run.settings, width, height);
    MakePage(run, static_cast<std::uint32_t>(run.settings.backgroundColour), "WINDOW", row.w[1], row.w[2]);
    if (!run.page) return;
    if (!newPage) PaintOnPage(run, activation.workingPicture.get());
    activation.entryPicture = CopyOfPage(run);
    ShowPage(run);
}

// CLS [colour]
void RunCls(RunContext& run, Activation& activation, const StatementRow& row) {
    EnsureWindow(run, activation);
    FillPage(run, ColourOr(row.w[1], run.settings.backgroundColour));
    if (ShowsAfterDrawing(activation)) ShowPage(run);
}

// TEXTWINDOW x, y, width, height
void RunTextWindow(RunContext& run, const StatementRow& row) {
    run.screen.textWindowX = static_cast<std::int16_t>(row.w[1]);
    run.screen.textWindowY = static_cast<std::int16_t>(row.w[2]);
    run.screen.textWindowWidth = static_cast<std::int16_t>(row.w[3]);
    run.screen.textWindowHeight = static_cast<std::int16_t>(row.w[4]);
}

namespace {

// A procedure's TEXT is not measured when the lesson is checked (the window may be any the
// calls leave), so the first one of a run that does not show whole says so here, once.
void NoteTextCut(RunContext& run, std::string_view text, const FontView& font, std::int32_t width, std::int32_t height) {
    if (run.screen.textCutNoted || run.options.diagnostics == nullptr) return;
    const std::string_view hidden = TextNotShown(text, font, width, height);
    if (hidden.empty()) return;
    run.screen.textCutNoted = true;
    const std::string size = std::to_string(width) + " \xD7 " + std::to_string(height);
    *run.options.diagnostics << "vekora: TEXT: "
                             << TerminalText(FormatHint(HintId::TextDoesNotFit, size, "\"" + std::string(hidden) + "\""), true)
                             << "\n";
}

}  // namespace

// TEXT "text" [, colour [, box colour [, size]]]: put on the screen in the text window, not
// on the page, so it stays until something is drawn over it.
void RunText(RunContext& run, Activation& activation, const StatementRow& row) {
    EnsureWindow(run, activation);
    const std::uint32_t transparent = TransparentColour(run.page.get());
    const std::uint32_t textColour = static_cast<std::uint32_t>(row.w[1] >= 0 ? row.w[1] : run.settings.textColour);
    const std::uint32_t boxColour = row.w[2] == -1 ? transparent : static_cast<std::uint32_t>(row.w[2]);
    const std::int32_t width = run.screen.textWindowWidth;
    const std::int32_t height = run.screen.textWindowHeight;
    const std::uint32_t fill = boxColour == transparent ? static_cast<std::uint32_t>(run.settings.backgroundColour) : boxColour;
    const OwnedImage box(ImageNewOfDepth(width, height, PageBytesPerPixel, fill, StageScale(run)));
    if (box) {
        const FontView font = ResidentTextFont(FontFamily::Sans, FontSizeFor(row.w[3]));
        FigureListener* listener = CurrentFigureListener();
        if (listener != nullptr) listener->KeepImage(box.get(), fill);
        LineWrap(box.get(), TextLiteral(run, row.target), font, 0, 0, width, height, textColour, boxColour);
        if (activation.procedure != 0) NoteTextCut(run, TextLiteral(run, row.target), font, width, height);
        ImageBlit(run.stage.Screen(), static_cast<float>(run.screen.textWindowX),
                  static_cast<float>(run.screen.textWindowY), box.get(), BlitMode::Plain, 0);
        // The text lies on the screen over the page: the figure holds it over the page's drawing.
        if (listener != nullptr)
            listener->Overlay(box.get(), run.screen.textWindowX - run.stage.originX,
                              run.screen.textWindowY - run.stage.originY);
    }
    RedrawControlBar(run, activation);
}

// TITLE "text"
void RunTitle(const RunContext& run, const StatementRow& row) {
    // The lesson's own title first, then its file, so that a room can tell lessons apart.
    std::string caption(TextLiteral(run, row.target));
    if (FigureListener* listener = CurrentFigureListener()) listener->Titled(caption);
    if (!run.options.fileName.empty()) caption += " - " + run.options.fileName;
    run.stage.Caption(caption + std::string(TitleSuffix));
}

}  // namespace vekora
