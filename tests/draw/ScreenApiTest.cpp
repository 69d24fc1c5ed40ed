#include "draw/ScreenApi.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstring>
#include <vector>

#include "DisplayFixture.h"
#include "support/Golden.h"
#include "win32/platform/Diagnostics.h"
#include "win32/platform/Framebuffer.h"

namespace drawtest {
namespace {

using faults::Call;

constexpr WORD kUntouched = 0xDEAD;

class ScreenApiTest : public DisplayFixture {
  protected:
    void SetUp() override {
        DisplayFixture::SetUp();
        SetExitScreenCloser(nullptr);
    }
    void TearDown() override {
        SetExitScreenCloser(nullptr);
        DisplayFixture::TearDown();
    }

    // What the demo does at set-up: display, screen 0, grey palette, one work surface.
    void SetUpLikeTheDemo() {
        InitScreen(Window(), 16);
        GetScreen(&screen_, 0);
        std::array<WORD, 256> zeros{};
        NewPalette(256, zeros.data());
        SetScreen(&screen_);
        NewSurface(&work_);
        ASSERT_NE(screen_.pixels, nullptr);
        ASSERT_NE(work_.pixels, nullptr);
    }

    static std::vector<WORD> PixelsOf(const SurfaceDesc& desc) {
        return std::vector<WORD>(desc.pixels, desc.pixels + desc.width * desc.height);
    }

    SurfaceDesc screen_{};
    SurfaceDesc work_{};
};

TEST_F(ScreenApiTest, GetScreenDescribesTheScreenRecord) {
    InitScreen(Window(), 16);
    SurfaceDesc desc{};
    desc.reserved1 = 11;
    desc.reserved2 = 22;
    desc.reserved3 = 33;
    EXPECT_EQ(GetScreen(&desc, 0), 0);
    EXPECT_EQ(desc.pixels, DDraw.screens[0].pixels);
    EXPECT_NE(desc.pixels, nullptr);
    EXPECT_EQ(desc.depth, 16);
    EXPECT_EQ(desc.width, 320);
    EXPECT_EQ(desc.height, 240);
    EXPECT_EQ(desc.reserved1, 0);
    EXPECT_EQ(desc.reserved2, 0);
    EXPECT_EQ(desc.reserved3, 33);
    EXPECT_EQ(desc.screen, 0);
    EXPECT_EQ(desc.owner, &DDraw.screens[0]);

    GetScreen(&desc, 3);
    EXPECT_EQ(desc.screen, 3);
    EXPECT_EQ(desc.owner, &DDraw.screens[3]);
}

TEST_F(ScreenApiTest, GetScreenOutsideTheFourScreensLeavesTheDescriptorAlone) {
    InitScreen(Window(), 16);
    const int refused[] = {-1, 4, INT_MIN, INT_MAX};
    for (int index : refused) {
        SurfaceDesc desc;
        std::memset(&desc, 0x5A, sizeof desc);
        SurfaceDesc before = desc;
        EXPECT_EQ(GetScreen(&desc, index), 0);
        EXPECT_EQ(std::memcmp(&desc, &before, sizeof desc), 0) << index;
    }
    EXPECT_EQ(GetScreen(nullptr, 0), 0);
}

TEST_F(ScreenApiTest, NewSurfaceTakesTheFirstFreeRecordUntilAllAreTaken) {
    InitScreen(Window(), 16);
    SurfaceDesc first{};
    EXPECT_EQ(NewSurface(&first), 0);
    EXPECT_EQ(first.owner, &DDraw.surfaces[0]);
    EXPECT_EQ(first.screen, -1);
    EXPECT_EQ(first.width, 320);
    EXPECT_EQ(first.height, 240);
    EXPECT_EQ(first.depth, 16);
    EXPECT_EQ(first.pixels, DDraw.surfaces[0].pixels);

    for (int i = 1; i < 128; ++i) {
        SurfaceDesc desc{};
        NewSurface(&desc);
        ASSERT_EQ(desc.owner, &DDraw.surfaces[i]);
    }
    SurfaceDesc full;
    std::memset(&full, 0x5A, sizeof full);
    SurfaceDesc before = full;
    EXPECT_EQ(NewSurface(&full), 0);
    EXPECT_EQ(std::memcmp(&full, &before, sizeof full), 0);

    // A released record is free again.
    DDraw.surfaces[7].Release();
    SurfaceDesc again{};
    NewSurface(&again);
    EXPECT_EQ(again.owner, &DDraw.surfaces[7]);
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(ScreenApiTest, ANewSurfaceThatCannotBeMadeGivesANullDescriptor) {
    InitScreen(Window(), 16);
    faults::Fail(Call::CreateSurface, DDERR_OUTOFMEMORY);
    SurfaceDesc desc;
    std::memset(&desc, 0x5A, sizeof desc);
    NewSurface(&desc);
    EXPECT_EQ(desc.pixels, nullptr);
    EXPECT_EQ(desc.width, 0);
    EXPECT_EQ(desc.height, 0);
    EXPECT_EQ(desc.screen, -1);
    EXPECT_EQ(desc.owner, &DDraw.surfaces[0]);
    EXPECT_EQ(Boxes(), (std::vector<Box>{{"_SURFACE::Create()", "서피스를 생성할 수 없습니다."}}));
    // Drawing through it does nothing.
    EXPECT_EQ(FillBox(&desc, 0, 0, 10, 10, 31), 0);
    ClearSurface(&desc, 31);
    EXPECT_EQ(PutText(&desc, 0, 0, "x", 31), DDERR_INVALIDPARAMS);
}

TEST_F(ScreenApiTest, SetScreenFollowsOnlyScreenDescriptors) {
    InitScreen(Window(), 16);
    SurfaceDesc second{};
    GetScreen(&second, 2);
    SetScreen(&second);
    EXPECT_EQ(DDraw.currentScreen, 2);

    SurfaceDesc work{};
    NewSurface(&work);
    SetScreen(&work);
    EXPECT_EQ(DDraw.currentScreen, 2);

    SurfaceDesc forged = second;
    forged.screen = 9;
    SetScreen(&forged);
    EXPECT_EQ(DDraw.currentScreen, 2);
    SetScreen(nullptr);
    EXPECT_EQ(DDraw.currentScreen, 2);
}

TEST_F(ScreenApiTest, PresentScreenShowsTheChosenScreenAndIsCounted) {
    SetUpLikeTheDemo();
    ClearSurface(&screen_, 31);
    DWORD before = PresentScreenCalls;
    EXPECT_TRUE(PresentScreen());
    EXPECT_TRUE(PresentScreen());
    EXPECT_EQ(PresentScreenCalls, before + 2);
    EXPECT_EQ(faults::CallCount(Call::BltFast), 1);
    EXPECT_EQ(ScreenPixel(160, 95), 0xFFFFu);
    EXPECT_EQ(ScreenPixel(479, 334), 0xFFFFu);
}

TEST_F(ScreenApiTest, ClearSurfaceWritesTheLookedUpColourEverywhere) {
    struct Case {
        DWORD mask;
        BYTE index;
        WORD colour;
    } cases[] = {
        {0xF800, 0, 0x0020}, {0xF800, 31, 0xFFFF}, {0x7C00, 0, 0x0000}, {0x7C00, 250, 0x6B5A}};
    for (const Case& c : cases) {
        SetUp();
        win32::Framebuffer::Instance().SetReportedRedMask16(c.mask);
        SetUpLikeTheDemo();
        ClearSurface(&screen_, c.index);
        for (WORD pixel : PixelsOf(screen_))
            ASSERT_EQ(pixel, c.colour);
        EXPECT_EQ(faults::CallCount(Call::Lock), 5 + 1);  // creation only: no lock to clear
        TearDown();
    }
}

TEST_F(ScreenApiTest, FillBoxFillsInThePaletteColourAndReturnsZeroEvenWhenItFails) {
    SetUpLikeTheDemo();
    ClearSurface(&work_, 0);
    EXPECT_EQ(FillBox(&work_, 219, 139, 100, 100, 31), 0);
    EXPECT_EQ(work_.pixels[139 * 320 + 219], 0xFFFF);
    EXPECT_EQ(work_.pixels[238 * 320 + 318], 0xFFFF);
    EXPECT_EQ(work_.pixels[239 * 320 + 319], 0x0020);
    EXPECT_EQ(work_.pixels[139 * 320 + 218], 0x0020);

    faults::Fail(Call::Lock, DDERR_SURFACEBUSY);
    EXPECT_EQ(FillBox(&work_, 0, 0, 10, 10, 31), 0);
    EXPECT_EQ(work_.pixels[0], 0x0020);

    // Rectangles reaching outside the surface are cut to it.
    EXPECT_EQ(FillBox(&work_, 300, 230, 1000, 1000, 1), 0);
    EXPECT_EQ(work_.pixels[239 * 320 + 319], ConvertColor(0x0421));
    EXPECT_EQ(FillBox(&work_, -50, -50, 51, 51, 2), 0);
    EXPECT_EQ(work_.pixels[0], ConvertColor(0x0842));
    EXPECT_EQ(work_.pixels[1], 0x0020);
}

struct CopyCase {
    const char* what;
    int x, y;
    bool withRect;
    RECT rect;
    // The destination pixels written, and the source pixel that lands on their top left.
    int left, top, right, bottom;
    int sourceX, sourceY;
};

TEST_F(ScreenApiTest, CopySurfaceClipsAgainstAFixed320By240Destination) {
    const CopyCase cases[] = {
        {"whole at 0,0", 0, 0, false, {}, 0, 0, 320, 240, 0, 0},
        {"whole at x 100", 100, 0, false, {}, 100, 0, 320, 240, 0, 0},
        {"whole at x -20", -20, 0, false, {}, 0, 0, 300, 240, 20, 0},
        {"whole at y -30", 0, -30, false, {}, 0, 0, 320, 210, 0, 30},
        {"rect near the corner", 300, 230, true, {10, 10, 50, 50}, 300, 230, 320, 240, 10, 10},
        {"rect inside", 5, 6, true, {1, 2, 11, 22}, 5, 6, 15, 26, 1, 2},
        {"at y 240", 0, 240, false, {}, 0, 0, 0, 0, 0, 0},
        {"at y 1000", 0, 1000, false, {}, 0, 0, 0, 0, 0, 0},
        {"empty rect", 0, 0, true, {5, 5, 5, 5}, 0, 0, 0, 0, 0, 0},
        // Made harmless: nothing is read or written outside either surface.
        {"at x 400", 400, 0, false, {}, 0, 0, 0, 0, 0, 0},
        {"rect left of the source", 0, 0, true, {-10, -5, 30, 20}, 10, 5, 40, 25, 0, 0},
        {"rect right of the source", 0, 0, true, {300, 0, 400, 10}, 0, 0, 20, 10, 300, 0},
        {"rect below the source", 0, 0, true, {0, 230, 10, 300}, 0, 0, 10, 10, 0, 230},
        {"huge rect", 0, 0, true, {INT_MIN, INT_MIN, INT_MAX, INT_MAX}, 0, 0, 0, 0, 0, 0},
        {"extreme position", INT_MIN, INT_MIN, false, {}, 0, 0, 0, 0, 0, 0},
    };
    SetUpLikeTheDemo();
    for (int i = 0; i < 320 * 240; ++i)
        work_.pixels[i] = static_cast<WORD>(i * 7 + 1);
    for (const CopyCase& c : cases) {
        SCOPED_TRACE(c.what);
        std::fill_n(screen_.pixels, 320 * 240, kUntouched);
        RECT rect = c.rect;
        CopySurface(&screen_, c.x, c.y, &work_, c.withRect ? &rect : nullptr);
        if (c.withRect) {
            EXPECT_EQ(rect.left, c.rect.left);
            EXPECT_EQ(rect.right, c.rect.right);
        }
        for (int row = 0; row < 240; ++row) {
            for (int column = 0; column < 320; ++column) {
                bool inside =
                    column >= c.left && column < c.right && row >= c.top && row < c.bottom;
                WORD expected = kUntouched;
                if (inside) {
                    int sourceIndex =
                        (c.sourceY + row - c.top) * 320 + (c.sourceX + column - c.left);
                    expected = static_cast<WORD>(sourceIndex * 7 + 1);
                }
                ASSERT_EQ(screen_.pixels[row * 320 + column], expected) << column << "," << row;
            }
        }
    }
}

TEST_F(ScreenApiTest, CopySurfaceMayCopyASurfaceOntoItself) {
    SetUpLikeTheDemo();
    for (int i = 0; i < 320 * 240; ++i)
        work_.pixels[i] = static_cast<WORD>(i % 320);
    CopySurface(&work_, 1, 0, &work_, nullptr);
    EXPECT_EQ(work_.pixels[0], 0);
    EXPECT_EQ(work_.pixels[1], 0);
    EXPECT_EQ(work_.pixels[319], 318);
}

TEST_F(ScreenApiTest, CopyAndClearRefuseDescriptorsThatNoLongerDescribeTheirSurface) {
    SetUpLikeTheDemo();
    std::fill_n(screen_.pixels, 320 * 240, kUntouched);
    SurfaceDesc wider = work_;
    wider.width = 640;
    SurfaceDesc taller = work_;
    taller.height = 241;
    SurfaceDesc foreign = work_;
    WORD own[16] = {};
    foreign.pixels = own;
    SurfaceDesc stray = work_;
    stray.owner = reinterpret_cast<_SURFACE*>(own);
    SurfaceDesc nullPixels = work_;
    nullPixels.pixels = nullptr;
    const SurfaceDesc* refused[] = {&wider, &taller, &foreign, &stray, &nullPixels, nullptr};
    for (const SurfaceDesc* desc : refused) {
        CopySurface(&screen_, 0, 0, desc, nullptr);
        CopySurface(desc, 0, 0, &screen_, nullptr);
        ClearSurface(desc, 31);
    }
    for (WORD pixel : PixelsOf(screen_))
        ASSERT_EQ(pixel, kUntouched);
    for (WORD pixel : own)
        ASSERT_EQ(pixel, 0);
    EXPECT_EQ(FillBox(&stray, 0, 0, 4, 4, 31), 0);
    EXPECT_EQ(PutText(&stray, 0, 0, "x", 31), DDERR_INVALIDPARAMS);
    EXPECT_EQ(faults::CallCount(Call::GetDC), 0);

    // A smaller descriptor of a live surface stays within it.
    SurfaceDesc narrow = work_;
    narrow.width = 100;
    narrow.height = 10;
    ClearSurface(&narrow, 31);
    EXPECT_EQ(work_.pixels[999], 0xFFFF);
    EXPECT_NE(work_.pixels[1000], 0xFFFF);
}

TEST_F(ScreenApiTest, DrawingAfterExitScreenFailsQuietly) {
    SetUpLikeTheDemo();
    static int closes = 0;
    static bool releasedWhenClosed = false;
    closes = 0;
    SetExitScreenCloser([] {
        ++closes;
        releasedWhenClosed = DDraw.directDraw == nullptr;
    });
    ExitScreen();
    EXPECT_EQ(closes, 1);
    EXPECT_TRUE(releasedWhenClosed);
    EXPECT_EQ(faults::LiveSurfaces(), 0);

    faults::Reset();
    EXPECT_EQ(FillBox(&work_, 0, 0, 100, 100, 31), 0);
    CopySurface(&screen_, 0, 0, &work_, nullptr);
    ClearSurface(&screen_, 0);
    EXPECT_EQ(PutText(&screen_, 0, 0, "Velmont", 250), DDERR_INVALIDOBJECT);
    EXPECT_FALSE(PresentScreen());
    for (int call = 0; call < faults::kCallKinds; ++call)
        EXPECT_EQ(faults::CallCount(static_cast<Call>(call)), 0) << call;
    ExitScreen();
    EXPECT_EQ(closes, 2);
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(ScreenApiTest, PutTextDrawsTheTextAsItStandsAndNeverReadsAnArgument) {
    SetUpLikeTheDemo();
    SurfaceDesc other{};
    NewSurface(&other);
    struct Case {
        const char* text;
        const char* same;  // drawn identically
    } cases[] = {
        {"100%% done", "100% done"},
        {"%d Frame / Sec", "%%d Frame / Sec"},
        {"%s%s%s%n%n", "%%s%%s%%s%%n%%n"},
        {"%", "%%"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        ClearSurface(&work_, 0);
        ClearSurface(&other, 0);
        EXPECT_EQ(PutText(&work_, 2, 3, c.text, 31), DD_OK);
        EXPECT_EQ(PutText(&other, 2, 3, c.same, 31), DD_OK);
        EXPECT_EQ(PixelsOf(work_), PixelsOf(other));
        EXPECT_GT(std::count_if(work_.pixels, work_.pixels + 320 * 240,
                                [](WORD pixel) { return pixel != 0x0020; }),
                  0);
    }
    EXPECT_EQ(PutText(&work_, 0, 0, nullptr, 31), DD_OK);
}

TEST_F(ScreenApiTest, PutTextPassesOnTheDeviceContextResult) {
    SetUpLikeTheDemo();
    faults::Fail(Call::GetDC, DDERR_SURFACEBUSY);
    EXPECT_EQ(PutText(&screen_, 0, 0, "x", 31), DDERR_SURFACEBUSY);
}

TEST_F(ScreenApiTest, TheBannerScreenLooksAsItAlwaysHas) {
    SetUpLikeTheDemo();
    ClearSurface(&screen_, 0);
    std::string banner = win32::diagnostics::Utf8ToCp949("Velmont용 Nuvik SDK Ver 0.2");
    EXPECT_EQ(PutText(&screen_, 0, 0, banner.c_str(), 250), DD_OK);
    EXPECT_EQ(PutText(&screen_, 0, 20, "35 Frame / Sec", 250), DD_OK);

    win32::PixelBuffer buffer{reinterpret_cast<std::uint8_t*>(screen_.pixels), 320, 240, 640,
                              win32::PixelFormat::Rgb565()};
    EXPECT_TRUE(nuvik::testing::MatchesGolden(buffer, "draw/banner-screen.png"));
}

}  // namespace
}  // namespace drawtest
