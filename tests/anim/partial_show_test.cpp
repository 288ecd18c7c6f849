// A show copies only what changed, yet the screen must end up exactly as a copy of the whole
// page would leave it: whatever was drawn on the page, and whatever was drawn over the page's
// place on the screen in between (a menu, the bar), and across a film's restores.
#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "anim/frame_loop.h"
#include "anim/stage.h"
#include "draw/changed_copy.h"
#include "platform/headless_device.h"

namespace vekora {
namespace {

bool SamePixels(ImageHandle a, ImageHandle b) {
    const SurfaceSize size = SurfaceInfo(a);
    const SurfaceSize other = SurfaceInfo(b);
    if (size.width != other.width || size.height != other.height || size.bytesPerPixel != other.bytesPerPixel) return false;
    return std::memcmp(a, b, ImageHeaderBytes + static_cast<std::size_t>(size.width) * size.height * size.bytesPerPixel) == 0;
}

void Scribble(ImageHandle image, std::mt19937& random, std::int32_t width, std::int32_t height) {
    std::uniform_real_distribution<float> x(-10, static_cast<float>(width) + 10), y(-10, static_cast<float>(height) + 10);
    std::uniform_int_distribution<std::uint32_t> colour(0, 0xFFFFFF);
    switch (random() % 3) {
        case 0: RasterLine(image, x(random), y(random), x(random), y(random), colour(random), LineKind::Line, 0xFFFF); break;
        case 1: RasterEllipse(image, x(random), y(random), 15, colour(random), 1, 1, 4, 0); break;
        default: RasterLine(image, x(random), y(random), x(random), y(random), colour(random), LineKind::FilledBox, 0xFFFF); break;
    }
}

TEST(PartialShow, LeavesTheScreenAsAWholeCopyWould) {
    HeadlessDevice device;
    ASSERT_TRUE(device.ScreenOpen(200, 150, 16));
    const Settings settings;
    Stage stage(&device, settings);
    OwnedImage page(ImageNewOfDepth(120, 100, 2, 0xFFFFFF));
    stage.page = page.get();
    stage.originX = 30;
    stage.originY = 20;
    OwnedImage expected(ImageNewOfDepth(200, 150, 2, 0));
    std::mt19937 random(11);
    for (int round = 0; round < 200; ++round) {
        // Drawing on the page, sometimes over the page's place on the screen, sometimes both.
        const unsigned what = random() % 4;
        if (what != 1) Scribble(page.get(), random, 120, 100);
        if (what == 1 || what == 3) Scribble(device.Screen(), random, 200, 150);
        if (random() % 5 == 0) stage.originX = 30 + static_cast<std::int32_t>(random() % 3);
        ImageBlit(expected.get(), 0, 0, device.Screen(), BlitMode::Plain, 0);
        ImageBlit(expected.get(), static_cast<float>(stage.originX), static_cast<float>(stage.originY), page.get(),
                  BlitMode::Plain, 0);
        stage.Show();
        ASSERT_TRUE(SamePixels(device.Screen(), expected.get())) << "round " << round;
    }
}

TEST(PartialShow, FilmRestoresGiveBackThePageAsItWas) {
    OwnedImage page(ImageNewOfDepth(90, 70, 4, 0x336699));
    std::mt19937 random(5);
    for (int i = 0; i < 20; ++i) Scribble(page.get(), random, 90, 70);
    OwnedImage original(ImageDuplicate(page.get()));
    const SavedPage saved(page.get());
    for (int frame = 0; frame < 50; ++frame) {
        for (int stroke = 0; stroke < 3; ++stroke) Scribble(page.get(), random, 90, 70);
        saved.Restore();
        ASSERT_TRUE(SamePixels(page.get(), original.get())) << "frame " << frame;
    }
}

// An animation's frames start from a picture that is itself drawn on between frames (the
// trails so far) and now and then replaced: painting back what either side drew must leave
// the page as a copy of the whole picture would.
TEST(PartialShow, PaintBackLeavesThePageAsTheWholePicture) {
    OwnedImage page(ImageNewOfDepth(90, 70, 2, 0xFFFFFF));
    OwnedImage picture(ImageNewOfDepth(90, 70, 2, 0x336699));
    ChangedCopy paintBack;
    std::mt19937 random(7);
    for (int frame = 0; frame < 300; ++frame) {
        const unsigned what = random() % 8;
        if (what < 4) Scribble(page.get(), random, 90, 70);
        if (what >= 2 && what < 6) Scribble(picture.get(), random, 90, 70);
        if (what == 7) picture.reset(ImageDuplicate(picture.get()));
        paintBack.Copy(page.get(), picture.get(), 0, 0);
        ASSERT_TRUE(SamePixels(page.get(), picture.get())) << "frame " << frame;
        ASSERT_TRUE(paintBack.TargetUntouched(page.get()));
        if (what == 6) {
            Scribble(page.get(), random, 90, 70);
            ASSERT_FALSE(paintBack.TargetUntouched(page.get())) << "frame " << frame;
        }
    }
}

// A copy kept in step from where the target already holds the source (a film's page and its
// saved copy) must follow a target replaced by another image and a place that moves, and take
// in what was drawn on either image in between.
TEST(PartialShow, ChangedCopyFollowsANewTargetAndANewPlace) {
    OwnedImage source(ImageNewOfDepth(60, 50, 1, 0x25));
    OwnedImage target(ImageNewOfDepth(100, 80, 1, 0x80));
    ImageBlit(target.get(), 10, 5, source.get(), BlitMode::Plain, 0);
    std::int32_t x = 10, y = 5;
    ChangedCopy copy;
    copy.InStep(target.get(), source.get(), x, y);
    std::mt19937 random(3);
    for (int frame = 0; frame < 300; ++frame) {
        const unsigned what = random() % 8;
        if (what < 4) Scribble(target.get(), random, 100, 80);
        if (what >= 2 && what < 6) Scribble(source.get(), random, 60, 50);
        if (what == 6) target.reset(ImageDuplicate(target.get()));
        if (what == 7) x = 10 + static_cast<std::int32_t>(random() % 5) - 2;
        OwnedImage expected(ImageDuplicate(target.get()));
        ImageBlit(expected.get(), static_cast<float>(x), static_cast<float>(y), source.get(), BlitMode::Plain, 0);
        copy.Copy(target.get(), source.get(), x, y);
        ASSERT_TRUE(SamePixels(target.get(), expected.get())) << "frame " << frame;
    }
}

}  // namespace
}  // namespace vekora
