// The figure of a run is the same at every render scale: what the drawing calls tell the
// recorder is in page units, whatever the pixels they draw.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "draw/image.h"
#include "draw/image_scale.h"
#include "export/figure_record.h"
#include "tests/export/figure_of_run.h"

namespace vekora {
namespace {

// Lines, a circle, marks, a filled triangle and text in a window over the page.
const std::vector<std::string> Lesson = {
    "SCREEN 400, 300",
    "POINT A, 60, 250",
    "POINT B, 340, 250",
    "POINT C, 200, 60",
    "AB = LINE A, B, DEFAULT, &HC00000, 2",
    "K = CIRCLE C, A, &H008000, 2",
    "MARKPOINT C, 16, 6",
    "FILLTRIANGLE A, B, C, &H80C0FF, 96",
    "TEXTWINDOW 10, 10, 200, 40",
    "TEXT \"Un punto C\"",
    "END",
};

TEST(FigureAtScale, ARunsFigureIsTheSameAtEveryRenderScale) {
    const std::string atOne = SvgOfRun(Lesson, 1);
    ASSERT_NE(atOne.find("<text"), std::string::npos) << atOne;
    for (const std::int32_t scale : {2, 3}) {
        SCOPED_TRACE("scale " + std::to_string(scale));
        EXPECT_EQ(SvgOfRun(Lesson, scale), atOne);
    }
}

// A flood fill and a picture put down are kept as pictures of the page units they changed.
std::string FilledAndBlittedAt(std::int32_t scale) {
    FigureRecorder recorder;
    const OwnedImage page(ImageNewOfDepth(40, 30, 4, 0xFFFFFF, scale));
    recorder.PageMade(page.get(), 0xFFFFFF);
    RasterLine(page.get(), 5, 5, 20, 15, 0x000000, LineKind::Box, 0xFFFF);
    RasterFill(page.get(), 10, 10, 0xFF0000, 0x000000);
    const OwnedImage stamp(ImageNewOfDepth(4, 3, 4, 0x0000FF, scale));
    ImageBlit(page.get(), 30, 20, stamp.get(), BlitMode::Blend, 128);
    return Svg(recorder.Figure());
}

TEST(FigureAtScale, FillsAndPicturesKeepTheirPageUnits) {
    const std::string atOne = FilledAndBlittedAt(1);
    ASSERT_NE(atOne.find("<image"), std::string::npos) << atOne;
    EXPECT_EQ(FilledAndBlittedAt(2), atOne);
    EXPECT_EQ(FilledAndBlittedAt(4), atOne);
}

}  // namespace
}  // namespace vekora
