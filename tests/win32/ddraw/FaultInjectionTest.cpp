// The control surface: injected failures once, always or after some calls, busy answers,
// null interfaces and call counts.
#include <gtest/gtest.h>

#include <functional>

#include "DdrawFixture.h"

namespace ddraw_test {
namespace {

using faults::Call;
using faults::Repeat;

// Everything the calls need: a first-layout object, a full-screen object with its primary,
// and one off-screen surface.
struct Stage {
    LPDIRECTDRAW first = nullptr;
    IDirectDraw7* directDraw = nullptr;
    IDirectDrawSurface7* primary = nullptr;
    IDirectDrawSurface7* screen = nullptr;
    HDC dc = nullptr;
};

class FaultInjectionTest : public DdrawTest {
  protected:
    Stage MakeStage() {
        Stage stage;
        EXPECT_EQ(DirectDrawCreate(nullptr, &stage.first, nullptr), DD_OK);
        stage.directDraw = NewFullScreen(16);
        stage.primary = NewPrimary(stage.directDraw);
        stage.screen = NewOffScreen(stage.directDraw, 32, 32);
        return stage;
    }
    static void Dismantle(Stage& stage) {
        if (stage.dc != nullptr)
            stage.screen->ReleaseDC(stage.dc);
        stage.screen->Release();
        stage.primary->Release();
        stage.directDraw->Release();
        stage.first->Release();
    }

    struct Attempt {
        Call call;
        // Makes the call once on a fresh stage and returns its result; anything it obtained
        // is given back on the way out.
        std::function<HRESULT(Stage&)> make;
    };

    static std::vector<Attempt> EveryCall() {
        return {
            {Call::DirectDrawCreate,
             [](Stage&) {
                 LPDIRECTDRAW made = nullptr;
                 const HRESULT result = DirectDrawCreate(nullptr, &made, nullptr);
                 if (made != nullptr)
                     made->Release();
                 return result;
             }},
            {Call::DirectDrawCreateEx,
             [](Stage&) {
                 void* made = nullptr;
                 const HRESULT result =
                     DirectDrawCreateEx(nullptr, &made, IID_IDirectDraw7, nullptr);
                 if (made != nullptr)
                     static_cast<IDirectDraw7*>(made)->Release();
                 return result;
             }},
            {Call::DirectDrawQueryInterface,
             [](Stage& s) {
                 void* made = nullptr;
                 const HRESULT result = s.first->QueryInterface(IID_IDirectDraw2, &made);
                 if (made != nullptr)
                     static_cast<IUnknown*>(made)->Release();
                 return result;
             }},
            {Call::SetCooperativeLevel,
             [](Stage& s) { return s.first->SetCooperativeLevel(nullptr, DDSCL_NORMAL); }},
            {Call::SetDisplayMode,
             [](Stage& s) { return s.directDraw->SetDisplayMode(640, 480, 16, 0, 0); }},
            {Call::CreateSurface,
             [](Stage& s) {
                 DDSURFACEDESC2 d = Description();
                 d.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
                 d.dwWidth = d.dwHeight = 4;
                 d.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY;
                 IDirectDrawSurface7* made = nullptr;
                 const HRESULT result = s.directDraw->CreateSurface(&d, &made, nullptr);
                 if (made != nullptr)
                     made->Release();
                 return result;
             }},
            {Call::SurfaceQueryInterface,
             [](Stage& s) {
                 void* made = nullptr;
                 const HRESULT result = s.screen->QueryInterface(IID_IDirectDrawSurface4, &made);
                 if (made != nullptr)
                     static_cast<IUnknown*>(made)->Release();
                 return result;
             }},
            {Call::GetSurfaceDesc,
             [](Stage& s) {
                 DDSURFACEDESC2 d = Description();
                 return s.primary->GetSurfaceDesc(&d);
             }},
            {Call::Lock,
             [](Stage& s) {
                 DDSURFACEDESC2 d = Description();
                 const HRESULT result = s.screen->Lock(nullptr, &d, DDLOCK_WAIT, nullptr);
                 if (result == DD_OK)
                     s.screen->Unlock(nullptr);
                 return result;
             }},
            {Call::Unlock,
             [](Stage& s) {
                 DDSURFACEDESC2 d = Description();
                 s.screen->Lock(nullptr, &d, DDLOCK_WAIT, nullptr);
                 return s.screen->Unlock(nullptr);
             }},
            {Call::GetFlipStatus, [](Stage& s) { return s.primary->GetFlipStatus(DDGFS_CANFLIP); }},
            {Call::BltFast,
             [](Stage& s) { return s.primary->BltFast(0, 0, s.screen, nullptr, DDBLTFAST_WAIT); }},
            {Call::Blt,
             [](Stage& s) {
                 RECT r{0, 0, 8, 8};
                 return s.primary->Blt(&r, s.screen, &r, DDBLT_WAIT, nullptr);
             }},
            {Call::GetDC,
             [](Stage& s) {
                 HDC dc = nullptr;
                 const HRESULT result = s.screen->GetDC(&dc);
                 if (result == DD_OK)
                     s.screen->ReleaseDC(dc);
                 return result;
             }},
            {Call::ReleaseDC,
             [](Stage& s) {
                 if (s.dc == nullptr)
                     s.screen->GetDC(&s.dc);
                 const HRESULT result = s.screen->ReleaseDC(s.dc);
                 if (result == DD_OK)
                     s.dc = nullptr;
                 return result;
             }},
        };
    }
};

TEST_F(FaultInjectionTest, EveryCallFailsOnceOrAlwaysAsAsked) {
    const HRESULT injected = DDERR_GENERIC;
    ASSERT_EQ(EveryCall().size(), static_cast<std::size_t>(faults::kCallKinds));
    for (const Attempt& attempt : EveryCall()) {
        SCOPED_TRACE(::testing::Message() << "call " << static_cast<int>(attempt.call));
        Stage stage = MakeStage();

        faults::Fail(attempt.call, injected, Repeat::Once);
        EXPECT_EQ(attempt.make(stage), injected);
        EXPECT_EQ(attempt.make(stage), DD_OK) << "a one-time failure came back";

        faults::Fail(attempt.call, injected, Repeat::Always);
        EXPECT_EQ(attempt.make(stage), injected);
        EXPECT_EQ(attempt.make(stage), injected);
        faults::Clear(attempt.call);
        EXPECT_EQ(attempt.make(stage), DD_OK);
        Dismantle(stage);
    }
}

TEST_F(FaultInjectionTest, AFailureCanWaitForItsTurn) {
    const Attempt createSurface = EveryCall()[static_cast<int>(Call::CreateSurface)];
    Stage stage = MakeStage();
    // "The third CreateSurface fails."
    faults::Fail(Call::CreateSurface, DDERR_OUTOFMEMORY, Repeat::Once, 2);
    EXPECT_EQ(createSurface.make(stage), DD_OK);
    EXPECT_EQ(createSurface.make(stage), DD_OK);
    EXPECT_EQ(createSurface.make(stage), DDERR_OUTOFMEMORY);
    EXPECT_EQ(createSurface.make(stage), DD_OK);
    Dismantle(stage);
}

TEST_F(FaultInjectionTest, AnInjectedFailureChangesNothing) {
    Stage stage = MakeStage();
    const win32::PixelFormat before = win32::Framebuffer::Instance().Format();
    faults::Fail(Call::SetDisplayMode, DDERR_GENERIC);
    EXPECT_EQ(stage.directDraw->SetDisplayMode(640, 480, 32, 0, 0), DDERR_GENERIC);
    EXPECT_EQ(win32::Framebuffer::Instance().Format(), before);

    const int surfaces = faults::LiveSurfaces();
    faults::Fail(Call::CreateSurface, DDERR_OUTOFMEMORY);
    IDirectDrawSurface7* made = reinterpret_cast<IDirectDrawSurface7*>(1);
    DDSURFACEDESC2 d = Description();
    EXPECT_EQ(stage.directDraw->CreateSurface(&d, &made, nullptr), DDERR_OUTOFMEMORY);
    EXPECT_EQ(made, nullptr);
    EXPECT_EQ(faults::LiveSurfaces(), surfaces);

    // A failed Unlock leaves the lock in place, as a real failure would.
    DDSURFACEDESC2 locked = Description();
    ASSERT_EQ(stage.screen->Lock(nullptr, &locked, DDLOCK_WAIT, nullptr), DD_OK);
    faults::Fail(Call::Unlock, DDERR_GENERIC);
    EXPECT_EQ(stage.screen->Unlock(nullptr), DDERR_GENERIC);
    EXPECT_EQ(stage.screen->Lock(nullptr, &locked, DDLOCK_WAIT, nullptr), DDERR_SURFACEBUSY);
    EXPECT_EQ(stage.screen->Unlock(nullptr), DD_OK);
    Dismantle(stage);
}

TEST_F(FaultInjectionTest, LockAndFlipStatusCanReportNotReadyEvenWhenAskedToWait) {
    Stage stage = MakeStage();
    ASSERT_TRUE(faults::ReportNotReady(Call::GetFlipStatus, Repeat::Once, 1));
    EXPECT_EQ(stage.primary->GetFlipStatus(DDGFS_CANFLIP), DD_OK);
    EXPECT_EQ(stage.primary->GetFlipStatus(DDGFS_CANFLIP), DDERR_WASSTILLDRAWING);
    EXPECT_EQ(stage.primary->GetFlipStatus(DDGFS_CANFLIP), DD_OK);

    ASSERT_TRUE(faults::ReportNotReady(Call::Lock, Repeat::Always));
    DDSURFACEDESC2 d = Description();
    EXPECT_EQ(stage.screen->Lock(nullptr, &d, DDLOCK_WAIT, nullptr), DDERR_WASSTILLDRAWING);
    EXPECT_EQ(d.lpSurface, nullptr);
    EXPECT_EQ(stage.screen->Lock(nullptr, &d, DDLOCK_WAIT, nullptr), DDERR_WASSTILLDRAWING);
    EXPECT_EQ(stage.screen->Unlock(nullptr), DDERR_NOTLOCKED);

    EXPECT_FALSE(faults::ReportNotReady(Call::BltFast));
    EXPECT_EQ(stage.primary->BltFast(0, 0, stage.screen, nullptr, DDBLTFAST_WAIT), DD_OK);
    Dismantle(stage);
}

TEST_F(FaultInjectionTest, CallsThatHandOutInterfacesCanSucceedWithNothing) {
    Stage stage = MakeStage();
    const int surfaces = faults::LiveSurfaces();
    const int objects = faults::LiveDirectDrawObjects();

    ASSERT_TRUE(faults::SucceedWithNull(Call::CreateSurface));
    IDirectDrawSurface7* made = reinterpret_cast<IDirectDrawSurface7*>(1);
    DDSURFACEDESC2 d = Description();
    d.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    d.dwWidth = d.dwHeight = 320;
    d.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY;
    EXPECT_EQ(stage.directDraw->CreateSurface(&d, &made, nullptr), DD_OK);
    EXPECT_EQ(made, nullptr);
    EXPECT_EQ(faults::LiveSurfaces(), surfaces);

    ASSERT_TRUE(faults::SucceedWithNull(Call::DirectDrawCreateEx));
    void* seventh = reinterpret_cast<void*>(1);
    EXPECT_EQ(DirectDrawCreateEx(nullptr, &seventh, IID_IDirectDraw7, nullptr), DD_OK);
    EXPECT_EQ(seventh, nullptr);
    EXPECT_EQ(faults::LiveDirectDrawObjects(), objects);

    ASSERT_TRUE(faults::SucceedWithNull(Call::SurfaceQueryInterface));
    void* queried = reinterpret_cast<void*>(1);
    EXPECT_EQ(stage.screen->QueryInterface(IID_IDirectDrawSurface7, &queried), DD_OK);
    EXPECT_EQ(queried, nullptr);

    EXPECT_FALSE(faults::SucceedWithNull(Call::Lock));
    EXPECT_FALSE(faults::SucceedWithNull(Call::GetDC));
    Dismantle(stage);
}

TEST_F(FaultInjectionTest, CallsAreCountedFailedOrNot) {
    Stage stage = MakeStage();
    faults::Reset();
    // Four presents on a display that is ready only on the first and third.
    faults::ReportNotReady(Call::GetFlipStatus, Repeat::Once, 1);
    std::vector<int> bltFastAfterPresent;
    bool pending = false;
    for (int present = 0; present < 4; ++present) {
        const bool ready = stage.primary->GetFlipStatus(DDGFS_CANFLIP) == DD_OK;
        if (!pending && ready) {
            pending = true;
            stage.primary->BltFast(160, 95, stage.screen, nullptr, DDBLTFAST_WAIT);
        } else if (pending && ready) {
            pending = false;
        }
        bltFastAfterPresent.push_back(faults::CallCount(Call::BltFast));
    }
    EXPECT_EQ(bltFastAfterPresent, (std::vector<int>{1, 1, 1, 2}));
    EXPECT_EQ(faults::CallCount(Call::GetFlipStatus), 4);

    faults::Fail(Call::Lock, DDERR_GENERIC);
    DDSURFACEDESC2 d = Description();
    stage.screen->Lock(nullptr, &d, DDLOCK_WAIT, nullptr);
    EXPECT_EQ(faults::CallCount(Call::Lock), 1);
    EXPECT_EQ(faults::CallCount(Call::Unlock), 0);

    faults::Reset();
    EXPECT_EQ(faults::CallCount(Call::BltFast), 0);
    EXPECT_EQ(faults::CallCount(Call::GetFlipStatus), 0);
    Dismantle(stage);
}

TEST_F(FaultInjectionTest, LiveCountsFollowObjectsAndSurfaces) {
    EXPECT_EQ(faults::LiveDirectDrawObjects(), 0);
    EXPECT_EQ(faults::LiveSurfaces(), 0);
    Stage stage = MakeStage();
    EXPECT_EQ(faults::LiveDirectDrawObjects(), 2);
    EXPECT_EQ(faults::LiveSurfaces(), 2);
    // Reset forgets rules and counts, never objects.
    faults::Reset();
    EXPECT_EQ(faults::LiveSurfaces(), 2);
    Dismantle(stage);
    EXPECT_EQ(faults::LiveDirectDrawObjects(), 0);
    EXPECT_EQ(faults::LiveSurfaces(), 0);
}

}  // namespace
}  // namespace ddraw_test
