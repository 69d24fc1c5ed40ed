#include <gtest/gtest.h>

#include <climits>

#include "DisplayFixture.h"
#include "draw/Ddraw.h"
#include "draw/PaletteBank.h"
#include "draw/SysDraw.h"
#include "win32/platform/Framebuffer.h"

namespace drawtest {
namespace {

using faults::Call;
using faults::Repeat;

class DdrawTest : public DisplayFixture {};

// How a creation step is made to fail.
enum class Failure { Result, NullInterface, RedMask };

struct CreateFailureCase {
    const char* step;
    Failure how;
    Call call;
    Box box;
    int screensMade;  // screens that exist when Create gives up
};

TEST_F(DdrawTest, EachFailingCreationStepShowsItsMessageAndReturnsFalse) {
    const CreateFailureCase cases[] = {
        {"DirectDrawCreateEx",
         Failure::Result,
         Call::DirectDrawCreateEx,
         {"_DDRAW()::Create()", "DirectDrawCreateEx() 에러"},
         0},
        {"no interface",
         Failure::NullInterface,
         Call::DirectDrawCreateEx,
         {"_DDRAW()::Create()", "LPDIRECTDRAW7 에러"},
         0},
        {"SetCooperativeLevel",
         Failure::Result,
         Call::SetCooperativeLevel,
         {"_DDRAW()::Create()", "SetCooperativeLevel() 에러"},
         0},
        {"SetDisplayMode",
         Failure::Result,
         Call::SetDisplayMode,
         {"_DDRAW()::Create()", "SetDisplayMode() 에러"},
         0},
        {"CreateSurface",
         Failure::Result,
         Call::CreateSurface,
         {"_DDRAW()::Create()", "CreateSurface() 에러"},
         0},
        {"primary without interface",
         Failure::NullInterface,
         Call::CreateSurface,
         {"_DDRAW()::Create()", "CreateSurface() 에러"},
         0},
        {"GetSurfaceDesc", Failure::Result, Call::GetSurfaceDesc, {"오류", "GetSurfaceDesc()"}, 4},
        {"red mask 0x001F",
         Failure::RedMask,
         Call::GetSurfaceDesc,
         {"오류", "알 수 없는 비디오카드 : 1f"},
         4},
    };
    for (const CreateFailureCase& c : cases) {
        SCOPED_TRACE(c.step);
        SetUp();
        switch (c.how) {
            case Failure::Result:
                faults::Fail(c.call, DDERR_GENERIC);
                break;
            case Failure::NullInterface:
                ASSERT_TRUE(faults::SucceedWithNull(c.call));
                break;
            case Failure::RedMask:
                win32::Framebuffer::Instance().SetReportedRedMask16(0x001F);
                break;
        }

        EXPECT_FALSE(DDraw.Create(Window(), 640, 480, 16));

        EXPECT_EQ(Boxes(), std::vector<Box>{c.box});
        int made = 0;
        for (const _SURFACE& screen : DDraw.screens)
            made += screen.IsValid() ? 1 : 0;
        EXPECT_EQ(made, c.screensMade);
        EXPECT_EQ(DisplayRedMask, 0u);
        // Nothing made later than the failing step.
        EXPECT_EQ(DDraw.depth, 0);
        EXPECT_EQ(DDraw.display.surface, nullptr);
        TearDown();
    }
}

TEST_F(DdrawTest, CreationDetectsTheDisplayLayout) {
    const DWORD masks[] = {0xF800, 0x7C00};
    for (DWORD mask : masks) {
        SetUp();
        win32::Framebuffer::Instance().SetReportedRedMask16(mask);
        CreateDisplay(16);
        EXPECT_EQ(DisplayRedMask, mask);
        EXPECT_EQ(DDraw.GetDepth(), 16);
        EXPECT_EQ(DDraw.window, Window());
        EXPECT_EQ(DDraw.display.surface, DDraw.primary);
        EXPECT_NE(DDraw.display.pixels, nullptr);
        EXPECT_EQ(DDraw.display.width, 640);
        EXPECT_EQ(DDraw.display.height, 480);
        for (const _SURFACE& screen : DDraw.screens) {
            EXPECT_TRUE(screen.IsValid());
            EXPECT_EQ(screen.GetWidth(), 320);
            EXPECT_EQ(screen.GetHeight(), 240);
        }
        for (const _SURFACE& surface : DDraw.surfaces)
            EXPECT_EQ(surface.surface, nullptr);
        TearDown();
    }
}

TEST_F(DdrawTest, CreationAtAnotherDepthSkipsTheLayoutDetection) {
    CreateDisplay(32);
    EXPECT_EQ(faults::CallCount(Call::GetSurfaceDesc), 0);
    EXPECT_EQ(DisplayRedMask, 0u);
    EXPECT_EQ(DDraw.GetDepth(), 32);
    EXPECT_EQ(win32::Framebuffer::Instance().Format().bitsPerPixel, 32);
    // Without a detected layout every palette colour converts to 0.
    EXPECT_EQ(ConvertColor(0x7FFF), 0);
}

TEST_F(DdrawTest, AFailedLockOfThePrimaryLeavesTheDisplayWithoutPixelsAndGoesOn) {
    // The four screens lock first; the fifth lock is the primary's.
    faults::Fail(Call::Lock, DDERR_SURFACEBUSY, Repeat::Once, 4);
    CreateDisplay(16);
    EXPECT_EQ(DDraw.display.surface, DDraw.primary);
    EXPECT_EQ(DDraw.display.pixels, nullptr);
    EXPECT_EQ(DDraw.display.width, 0);
    EXPECT_EQ(DDraw.display.height, 0);
    EXPECT_EQ(DDraw.GetDepth(), 16);
}

TEST_F(DdrawTest, FourPresentsOnAReadyDisplayCopyOnTheFirstAndThirdOnly) {
    CreateDisplay(16);
    const int bltFastAfter[] = {1, 1, 2, 2};
    const bool pendingAfter[] = {true, false, true, false};
    for (int call = 0; call < 4; ++call) {
        SCOPED_TRACE(call + 1);
        EXPECT_TRUE(DDraw.Present());
        EXPECT_EQ(faults::CallCount(Call::BltFast), bltFastAfter[call]);
        EXPECT_EQ(DDraw.presentPending, pendingAfter[call]);
    }
    EXPECT_EQ(faults::CallCount(Call::GetFlipStatus), 4);
}

TEST_F(DdrawTest, PresentPutsTheActiveScreenAt160By95) {
    CreateDisplay(16);
    DDraw.SetCurrentScreen(2);
    _SURFACE& screen = DDraw.screens[2];
    for (int i = 0; i < 320 * 240; ++i)
        screen.pixels[i] = 0x1234;
    screen.pixels[0] = 0xF800;
    screen.pixels[320 * 240 - 1] = 0x001F;

    EXPECT_TRUE(DDraw.Present());

    EXPECT_EQ(ScreenPixel(160, 95), 0xF800u);
    EXPECT_EQ(ScreenPixel(479, 334), 0x001Fu);
    EXPECT_EQ(ScreenPixel(300, 200), 0x1234u);
    EXPECT_EQ(ScreenPixel(159, 95), 0u);
    EXPECT_EQ(ScreenPixel(160, 94), 0u);
    EXPECT_EQ(ScreenPixel(480, 334), 0u);
    EXPECT_EQ(ScreenPixel(479, 335), 0u);
}

TEST_F(DdrawTest, APrimaryThatIsNotReadyCopiesNothingAndKeepsTheFlag) {
    CreateDisplay(16);
    ASSERT_TRUE(faults::ReportNotReady(Call::GetFlipStatus));
    EXPECT_TRUE(DDraw.Present());
    EXPECT_EQ(faults::CallCount(Call::BltFast), 0);
    EXPECT_FALSE(DDraw.presentPending);

    EXPECT_TRUE(DDraw.Present());
    EXPECT_EQ(faults::CallCount(Call::BltFast), 1);
    EXPECT_TRUE(DDraw.presentPending);

    // Not ready while a copy is pending: the flag stays set, so the next ready call clears it.
    ASSERT_TRUE(faults::ReportNotReady(Call::GetFlipStatus));
    EXPECT_TRUE(DDraw.Present());
    EXPECT_TRUE(DDraw.presentPending);
    EXPECT_TRUE(DDraw.Present());
    EXPECT_FALSE(DDraw.presentPending);
    EXPECT_EQ(faults::CallCount(Call::BltFast), 1);
}

TEST_F(DdrawTest, PresentingAScreenWhoseCreationFailedCopiesNothingAndReturnsFalse) {
    // The primary is the first CreateSurface; screen 0 is the second.
    faults::Fail(Call::CreateSurface, DDERR_OUTOFMEMORY, Repeat::Once, 1);
    ASSERT_TRUE(DDraw.Create(Window(), 640, 480, 16));
    EXPECT_EQ(Boxes(), (std::vector<Box>{{"_SURFACE::Create()", "서피스를 생성할 수 없습니다."}}));
    EXPECT_FALSE(DDraw.screens[0].IsValid());
    EXPECT_TRUE(DDraw.screens[1].IsValid());

    EXPECT_FALSE(DDraw.Present());
    EXPECT_TRUE(DDraw.presentPending);
    EXPECT_EQ(faults::CallCount(Call::BltFast), 0);
}

TEST_F(DdrawTest, ReleaseGivesBackEverythingAndIsHarmlessTwiceOrWithoutCreate) {
    DDraw.Release();  // never created
    EXPECT_EQ(DDraw.directDraw, nullptr);

    CreateDisplay(16);
    DDraw.SetCurrentScreen(3);
    DDraw.Present();
    ASSERT_TRUE(DDraw.surfaces[5].Create(320, 240));
    EXPECT_EQ(faults::LiveSurfaces(), 6);

    DDraw.Release();
    EXPECT_EQ(faults::LiveSurfaces(), 0);
    EXPECT_EQ(faults::LiveDirectDrawObjects(), 0);
    EXPECT_EQ(DDraw.directDraw, nullptr);
    EXPECT_EQ(DDraw.primary, nullptr);
    for (const _SURFACE& screen : DDraw.screens)
        EXPECT_EQ(screen.surface, nullptr);
    EXPECT_EQ(DDraw.surfaces[5].surface, nullptr);
    // What survives a release.
    EXPECT_EQ(DDraw.currentScreen, 3);
    EXPECT_TRUE(DDraw.presentPending);
    EXPECT_EQ(DDraw.GetDepth(), 16);
    EXPECT_EQ(DisplayRedMask, 0xF800u);

    DDraw.Release();
    EXPECT_EQ(faults::LiveSurfaces(), 0);
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(DdrawTest, AWorkSurfaceWhoseLockFailedIsGivenBackToo) {
    CreateDisplay(16);
    faults::Fail(Call::Lock, DDERR_SURFACEBUSY);
    ASSERT_TRUE(DDraw.surfaces[0].Create(320, 240));
    EXPECT_FALSE(DDraw.surfaces[0].IsValid());
    DDraw.Release();
    EXPECT_EQ(faults::LiveSurfaces(), 0);
}

TEST_F(DdrawTest, PresentAfterReleaseFailsQuietly) {
    CreateDisplay(16);
    DDraw.Release();
    faults::Reset();
    EXPECT_FALSE(DDraw.Present());
    EXPECT_FALSE(DDraw.Present());
    EXPECT_EQ(faults::CallCount(Call::GetFlipStatus), 0);
    EXPECT_EQ(faults::CallCount(Call::BltFast), 0);
}

TEST_F(DdrawTest, PresentAfterACreationThatStoppedBeforeFillingTheDisplayCopiesNothing) {
    win32::Framebuffer::Instance().SetReportedRedMask16(0x001F);
    EXPECT_FALSE(DDraw.Create(Window(), 640, 480, 16));
    ASSERT_NE(DDraw.primary, nullptr);
    ASSERT_TRUE(DDraw.screens[0].IsValid());
    EXPECT_FALSE(DDraw.Present());
    EXPECT_TRUE(DDraw.presentPending);
    EXPECT_EQ(faults::CallCount(Call::BltFast), 0);
}

TEST_F(DdrawTest, ASecondCreateWithoutReleaseGivesBackTheFirstDevice) {
    CreateDisplay(16);
    ASSERT_TRUE(DDraw.surfaces[0].Create(320, 240));
    CreateDisplay(16);
    EXPECT_EQ(faults::LiveDirectDrawObjects(), 1);
    EXPECT_EQ(faults::LiveSurfaces(), 5);  // the new primary and four screens
    EXPECT_FALSE(DDraw.surfaces[0].IsValid());
}

TEST_F(DdrawTest, SetCurrentScreenRefusesIndicesOutsideTheFourScreens) {
    const int refused[] = {-1, 4, 100, INT_MIN, INT_MAX};
    DDraw.SetCurrentScreen(1);
    for (int index : refused) {
        DDraw.SetCurrentScreen(index);
        EXPECT_EQ(DDraw.currentScreen, 1) << index;
    }
    for (int index = 0; index < 4; ++index) {
        DDraw.SetCurrentScreen(index);
        EXPECT_EQ(DDraw.currentScreen, index);
    }
}

TEST_F(DdrawTest, FindRecordKnowsOnlyTheScreensAndWorkSurfaces) {
    EXPECT_EQ(DDraw.FindRecord(&DDraw.screens[3]), &DDraw.screens[3]);
    EXPECT_EQ(DDraw.FindRecord(&DDraw.surfaces[127]), &DDraw.surfaces[127]);
    EXPECT_EQ(DDraw.FindRecord(&DDraw.display), nullptr);
    EXPECT_EQ(DDraw.FindRecord(nullptr), nullptr);
    EXPECT_EQ(DDraw.FindRecord(&DDraw.surfaces[127] + 1), nullptr);
    const char* inside = reinterpret_cast<const char*>(&DDraw.surfaces[3]) + 4;
    EXPECT_EQ(DDraw.FindRecord(reinterpret_cast<const _SURFACE*>(inside)), nullptr);
}

TEST_F(DdrawTest, TheUnitStartUpEmptiesTheDeviceOnlyOnItsFirstRun) {
    DDraw.depth = 5;
    DDraw.currentScreen = 2;
    EXPECT_TRUE(SysDrawInitialize());
    EXPECT_EQ(DDraw.depth, 0);
    EXPECT_EQ(DDraw.currentScreen, 0);

    DDraw.depth = 5;
    EXPECT_FALSE(SysDrawInitialize());
    SysDrawFinalize();
    SysDrawFinalize();
    EXPECT_EQ(DDraw.depth, 5);
}

}  // namespace
}  // namespace drawtest
