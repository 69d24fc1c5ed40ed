#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "DisplayFixture.h"
#include "draw/Ddraw.h"
#include "draw/PaletteBank.h"
#include "draw/Surface.h"
#include "win32/platform/Framebuffer.h"

namespace drawtest {
namespace {

using faults::Call;
using faults::Repeat;

class SurfaceTest : public DisplayFixture {
  protected:
    // A 320 x 240 work surface on a 5-6-5 display with the grey palette.
    _SURFACE& MakeSurface() {
        CreateDisplay(16);
        std::array<WORD, 256> zeros{};
        NewPalette(256, zeros.data());
        EXPECT_TRUE(DDraw.surfaces[0].Create(320, 240));
        return DDraw.surfaces[0];
    }

    static std::vector<WORD> PixelsOf(const _SURFACE& surface) {
        return std::vector<WORD>(surface.pixels, surface.pixels + surface.width * surface.height);
    }
};

struct CreateFailureCase {
    const char* what;
    bool withDevice;
    bool nullSurface;
    const char* text;
};

TEST_F(SurfaceTest, EachFailingCreationShowsItsMessageAndReturnsFalse) {
    const CreateFailureCase cases[] = {
        {"no DirectDraw", false, false, "Direct Draw 모드로 초기화하지 않았습니다."},
        {"CreateSurface fails", true, false, "서피스를 생성할 수 없습니다."},
        {"CreateSurface gives nothing", true, true, "서피스 주소가 없습니다."},
    };
    for (const CreateFailureCase& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        if (c.withDevice)
            CreateDisplay(16);
        if (c.nullSurface)
            ASSERT_TRUE(faults::SucceedWithNull(Call::CreateSurface));
        else
            faults::Fail(Call::CreateSurface, DDERR_OUTOFMEMORY);

        _SURFACE record;
        EXPECT_FALSE(record.Create(320, 240));
        EXPECT_EQ(Boxes(), (std::vector<Box>{{"_SURFACE::Create()", c.text}}));
        EXPECT_FALSE(record.IsValid());
        EXPECT_EQ(record.pixels, nullptr);
        TearDown();
    }
}

TEST_F(SurfaceTest, CreateOnAFullRecordReplacesItsSurface) {
    _SURFACE& surface = MakeSurface();
    int live = faults::LiveSurfaces();
    ASSERT_TRUE(surface.Create(320, 240));
    EXPECT_EQ(faults::LiveSurfaces(), live);
    EXPECT_TRUE(surface.IsValid());
    EXPECT_EQ(surface.GetWidth(), 320);
    EXPECT_EQ(surface.GetHeight(), 240);
}

TEST_F(SurfaceTest, AFailedLockKeepsTheSurfaceWithoutPixelsAndStillSucceeds) {
    CreateDisplay(16);
    faults::Fail(Call::Lock, DDERR_SURFACEBUSY);
    _SURFACE& record = DDraw.surfaces[0];
    EXPECT_TRUE(record.Create(320, 240));
    EXPECT_NE(record.surface, nullptr);
    EXPECT_EQ(record.pixels, nullptr);
    EXPECT_EQ(record.GetWidth(), 0);
    EXPECT_EQ(record.GetHeight(), 0);
    EXPECT_FALSE(record.IsValid());
    // Drawing on it writes nothing and does not fail the lock.
    EXPECT_TRUE(record.FillRect(0, 0, 10, 10, 0xFFFF));
}

TEST_F(SurfaceTest, ReleaseEmptiesAFullRecordAndLeavesAnEmptyOneAlone) {
    _SURFACE& surface = MakeSurface();
    EXPECT_TRUE(surface.Release());
    EXPECT_EQ(surface.surface, nullptr);
    EXPECT_EQ(surface.pixels, nullptr);
    EXPECT_EQ(surface.width, 0);
    EXPECT_EQ(surface.height, 0);
    EXPECT_FALSE(surface.Release());
}

TEST_F(SurfaceTest, FillRectWritesExactlyTheRectangleCountedFromTheKeptPixels) {
    _SURFACE& surface = MakeSurface();
    EXPECT_TRUE(surface.FillRect(10, 20, 3, 2, 0xABCD));
    std::vector<WORD> pixels = PixelsOf(surface);
    const int written[] = {6410, 6411, 6412, 6730, 6731, 6732};
    for (int index : written)
        EXPECT_EQ(pixels[index], 0xABCD) << index;
    int count = 0;
    for (WORD pixel : pixels)
        count += pixel == 0xABCD ? 1 : 0;
    EXPECT_EQ(count, 6);
    // Four screens, the primary, the work surface, then this fill.
    EXPECT_EQ(faults::CallCount(Call::Lock), 7);
    EXPECT_EQ(faults::CallCount(Call::Unlock), 7);
}

struct FillCase {
    int x, y, w, h;
    int left, top, right, bottom;  // what is written, cut to the surface
};

TEST_F(SurfaceTest, FillRectCutsRectanglesToTheSurface) {
    const FillCase cases[] = {
        {0, 0, 0, 5, 0, 0, 0, 0},
        {0, 0, 5, -1, 0, 0, 0, 0},
        {-5, -5, 10, 10, 0, 0, 5, 5},
        {315, 235, 100, 100, 315, 235, 320, 240},
        {-100000, 10, 2000000, 1, 0, 10, 320, 11},
        {320, 0, 10, 10, 0, 0, 0, 0},
        {0, 240, 10, 10, 0, 0, 0, 0},
        {2147483000, 2147483000, 2147483000, 2147483000, 0, 0, 0, 0},
        {-2147483647 - 1, 0, 2147483647, 240, 0, 0, 0, 0},
    };
    _SURFACE& surface = MakeSurface();
    for (const FillCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y << " " << c.w << "x" << c.h);
        std::fill_n(surface.pixels, 320 * 240, WORD{0});
        EXPECT_TRUE(surface.FillRect(c.x, c.y, c.w, c.h, 0x5555));
        for (int row = 0; row < 240; ++row) {
            for (int column = 0; column < 320; ++column) {
                bool inside =
                    column >= c.left && column < c.right && row >= c.top && row < c.bottom;
                ASSERT_EQ(surface.pixels[row * 320 + column], inside ? 0x5555 : 0)
                    << column << "," << row;
            }
        }
    }
}

TEST_F(SurfaceTest, FillRectFailsWhenTheLockFailsOrTheRecordIsEmpty) {
    _SURFACE& surface = MakeSurface();
    faults::Fail(Call::Lock, DDERR_SURFACELOST);
    EXPECT_FALSE(surface.FillRect(0, 0, 10, 10, 0xFFFF));
    EXPECT_EQ(surface.pixels[0], 0);
    _SURFACE empty;
    EXPECT_FALSE(empty.FillRect(0, 0, 10, 10, 0xFFFF));
}

struct BltClipCase {
    int x;
    RECT before;
    RECT after;
    int landsAt;  // display column of the rectangle's first pixel
};

TEST_F(SurfaceTest, BltClipsTheCallersRectangleInPlace) {
    const BltClipCase cases[] = {
        {400, {0, 0, 320, 240}, {0, 0, 240, 240}, 400},
        {-10, {0, 0, 320, 240}, {10, 0, 320, 240}, 0},
        // Left is set to -x, not moved by it.
        {-10, {50, 0, 100, 240}, {10, 0, 100, 240}, 0},
        {100, {0, 0, 320, 240}, {0, 0, 320, 240}, 100},
        // Reaching the edge exactly still recomputes the right (to the same value).
        {320, {0, 0, 320, 240}, {0, 0, 320, 240}, 320},
    };
    _SURFACE& surface = MakeSurface();
    for (int column = 0; column < 320; ++column)
        surface.pixels[column] = static_cast<WORD>(column + 1);
    for (const BltClipCase& c : cases) {
        SCOPED_TRACE(c.x);
        win32::Framebuffer::Instance().SetFormat(win32::PixelFormat::Rgb565());
        RECT rect = c.before;
        EXPECT_TRUE(surface.Blt(&DDraw.display, c.x, 0, &rect, false, 0));
        EXPECT_EQ(rect.left, c.after.left);
        EXPECT_EQ(rect.top, c.after.top);
        EXPECT_EQ(rect.right, c.after.right);
        EXPECT_EQ(rect.bottom, c.after.bottom);
        EXPECT_EQ(ScreenPixel(c.landsAt, 0), static_cast<DWORD>(c.after.left + 1));
        EXPECT_EQ(ScreenPixel(c.landsAt + (c.after.right - c.after.left) - 1, 0),
                  static_cast<DWORD>(c.after.right));
    }
}

TEST_F(SurfaceTest, BltClipsVerticallyLikeHorizontally) {
    _SURFACE& surface = MakeSurface();
    RECT below = {0, 0, 320, 240};
    EXPECT_TRUE(surface.Blt(&DDraw.display, 0, 300, &below, false, 0));
    EXPECT_EQ(below.bottom, 180);
    RECT above = {0, 0, 320, 240};
    EXPECT_TRUE(surface.Blt(&DDraw.display, 0, -7, &above, false, 0));
    EXPECT_EQ(above.top, 7);
    EXPECT_EQ(above.bottom, 240);
}

TEST_F(SurfaceTest, BltWithoutRectangleUsesBltFastAndIgnoresItsResult) {
    _SURFACE& surface = MakeSurface();
    faults::Fail(Call::BltFast, DDERR_SURFACELOST);
    EXPECT_TRUE(surface.Blt(&DDraw.display, 160, 95, nullptr, false, 0));
    EXPECT_EQ(faults::CallCount(Call::BltFast), 1);
    EXPECT_EQ(faults::CallCount(Call::Blt), 0);
}

TEST_F(SurfaceTest, BltRefusesAMissingSourceDestinationOrRectangle) {
    _SURFACE& surface = MakeSurface();
    _SURFACE empty;
    RECT rect = {0, 0, 10, 10};
    EXPECT_FALSE(empty.Blt(&DDraw.display, 0, 0, &rect, false, 0));
    EXPECT_FALSE(surface.Blt(nullptr, 0, 0, &rect, false, 0));
    EXPECT_FALSE(surface.Blt(&empty, 0, 0, &rect, false, 0));
    EXPECT_FALSE(surface.Blt(&DDraw.display, 0, 0, nullptr, false, 1));
    EXPECT_EQ(faults::CallCount(Call::BltFast), 0);
    EXPECT_EQ(faults::CallCount(Call::Blt), 0);
}

TEST_F(SurfaceTest, ANonZeroModeCopiesWithBltAndBitZeroMirrors) {
    _SURFACE& surface = MakeSurface();
    for (int column = 0; column < 4; ++column)
        surface.pixels[column] = static_cast<WORD>(0x100 + column);

    RECT rect = {0, 0, 4, 1};
    EXPECT_TRUE(surface.Blt(&DDraw.display, 10, 0, &rect, false, 2));  // bit 0 clear
    RECT mirrored = {0, 0, 4, 1};
    EXPECT_TRUE(surface.Blt(&DDraw.display, 10, 1, &mirrored, false, 1));
    EXPECT_EQ(faults::CallCount(Call::Blt), 2);
    for (int column = 0; column < 4; ++column) {
        EXPECT_EQ(ScreenPixel(10 + column, 0), 0x100u + column);
        EXPECT_EQ(ScreenPixel(10 + column, 1), 0x103u - column);
    }
}

TEST_F(SurfaceTest, BltWithAColourKeySkipsTheKeyColour) {
    _SURFACE& surface = MakeSurface();
    DDCOLORKEY key = {0x0000, 0x0000};
    ASSERT_EQ(surface.surface->SetColorKey(DDCKEY_SRCBLT, &key), DD_OK);
    surface.pixels[0] = 0x0000;
    surface.pixels[1] = 0x1111;
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 2; ++x)
            win32::WritePixel(win32::Framebuffer::Instance().Buffer(), x, y, 0x7777);
    }

    RECT fast = {0, 0, 2, 1};
    EXPECT_TRUE(surface.Blt(&DDraw.display, 0, 0, &fast, true, 0));
    RECT slow = {0, 0, 2, 1};
    EXPECT_TRUE(surface.Blt(&DDraw.display, 0, 1, &slow, true, 1));
    EXPECT_EQ(ScreenPixel(0, 0), 0x7777u);
    EXPECT_EQ(ScreenPixel(1, 0), 0x1111u);
    EXPECT_EQ(ScreenPixel(0, 1), 0x1111u);  // mirrored: the key pixel lands on the right
    EXPECT_EQ(ScreenPixel(1, 1), 0x7777u);
}

// Counts the pixels that text drew (anything but the background 0).
int InkOf(const _SURFACE& surface) {
    int ink = 0;
    for (int i = 0; i < surface.width * surface.height; ++i)
        ink += surface.pixels[i] != 0 ? 1 : 0;
    return ink;
}

TEST_F(SurfaceTest, PrintfDrawsAFormatWithoutConversionsAsItStands) {
    _SURFACE& surface = MakeSurface();
    _SURFACE& other = DDraw.surfaces[1];
    ASSERT_TRUE(other.Create(320, 240));

    EXPECT_EQ(surface.Printf(nullptr, 3, 4, 31, "Nuvik 100%% done"), DD_OK);
    EXPECT_EQ(other.Printf(nullptr, 3, 4, 31, "%s", "Nuvik 100% done"), DD_OK);
    EXPECT_GT(InkOf(surface), 100);
    EXPECT_EQ(PixelsOf(surface), PixelsOf(other));

    std::fill_n(surface.pixels, 320 * 240, WORD{0});
    std::fill_n(other.pixels, 320 * 240, WORD{0});
    EXPECT_EQ(surface.Printf(nullptr, 0, 0, 31, "%d Frame", 35), DD_OK);
    EXPECT_EQ(other.Printf(nullptr, 0, 0, 31, "35 Frame"), DD_OK);
    EXPECT_EQ(PixelsOf(surface), PixelsOf(other));
}

TEST_F(SurfaceTest, PrintfDrawsInTheUnscaledTextColourOfThePaletteEntry) {
    _SURFACE& surface = MakeSurface();
    EXPECT_EQ(surface.Printf(nullptr, 0, 0, 250, "#"), DD_OK);
    // Entry 250 is 0xD6BA on 5-6-5; its text colour is RGB(26, 21, 21), kept at 0..31.
    win32::PixelFormat format = win32::PixelFormat::Rgb565();
    WORD ink = static_cast<WORD>(win32::PackColor(format, RGB(26, 21, 21)));
    int inked = 0;
    for (int i = 0; i < 320 * 240; ++i) {
        if (surface.pixels[i] != 0) {
            ASSERT_EQ(surface.pixels[i], ink) << i;
            ++inked;
        }
    }
    EXPECT_GT(inked, 10);
}

TEST_F(SurfaceTest, PrintfCutsTheTextAt255Characters) {
    _SURFACE& surface = MakeSurface();
    _SURFACE& other = DDraw.surfaces[1];
    ASSERT_TRUE(other.Create(320, 240));
    // Drawn far enough left that characters 250 onwards are the visible ones.
    const int x = -8 * 250;
    std::string longText = std::string(255, 'a') + std::string(45, 'W');
    EXPECT_EQ(surface.Printf(nullptr, x, 0, 31, "%s", longText.c_str()), DD_OK);
    EXPECT_EQ(other.Printf(nullptr, x, 0, 31, "%s", std::string(255, 'a').c_str()), DD_OK);
    EXPECT_GT(InkOf(surface), 10);
    EXPECT_EQ(PixelsOf(surface), PixelsOf(other));
}

TEST_F(SurfaceTest, PrintfPassesOnTheDeviceContextResults) {
    _SURFACE& surface = MakeSurface();
    faults::Fail(Call::GetDC, DDERR_CANTCREATEDC);
    EXPECT_EQ(surface.Printf(nullptr, 0, 0, 31, "text"), DDERR_CANTCREATEDC);
    EXPECT_EQ(InkOf(surface), 0);
    EXPECT_EQ(faults::CallCount(Call::ReleaseDC), 0);

    faults::Fail(Call::ReleaseDC, DDERR_GENERIC);
    EXPECT_EQ(surface.Printf(nullptr, 0, 0, 31, "text"), DDERR_GENERIC);
    // The device context is still out, so the next GetDC is refused and its code returned.
    EXPECT_EQ(surface.Printf(nullptr, 0, 0, 31, "text"), DDERR_DCALREADYCREATED);
}

TEST_F(SurfaceTest, PrintfOnAnEmptyRecordFailsWithoutDrawing) {
    MakeSurface();
    _SURFACE empty;
    EXPECT_EQ(empty.Printf(nullptr, 0, 0, 31, "text"), DDERR_INVALIDOBJECT);
    EXPECT_EQ(faults::CallCount(Call::GetDC), 0);
}

}  // namespace
}  // namespace drawtest
