// The DirectDraw half of the DirectX version probe, run through the module table the way the
// start-up check runs it, under each simulated installation.
#include <gtest/gtest.h>

#include <ostream>

#include "DdrawFixture.h"
#include "win32/kernel.h"

namespace ddraw_test {
namespace {

using win32::Framebuffer;

// Every DirectDraw test of the probe in order; the probe stops at the first that fails.
enum class Step {
    LoadDdraw,
    FindDirectDrawCreate,
    CreateDirectDraw,
    QueryDirectDraw2,
    SetNormalLevel,
    CreatePrimary,
    QuerySurface3,
    QuerySurface4,
    FindDirectDrawCreateEx,
    CreateDirectDraw7,
    AllPassed,
};

std::ostream& operator<<(std::ostream& out, Step step) {
    static const char* const kNames[] = {
        "LoadDdraw",
        "FindDirectDrawCreate",
        "CreateDirectDraw",
        "QueryDirectDraw2",
        "SetNormalLevel",
        "CreatePrimary",
        "QuerySurface3",
        "QuerySurface4",
        "FindDirectDrawCreateEx",
        "CreateDirectDraw7",
        "AllPassed",
    };
    return out << kNames[static_cast<int>(step)];
}

// Returns the first step that failed, giving back everything on every path.
Step RunDirectDrawProbe() {
    HMODULE ddraw = LoadLibraryA("DDRAW.DLL");
    if (ddraw == nullptr)
        return Step::LoadDdraw;
    auto create = reinterpret_cast<LPDIRECTDRAWCREATE>(
        reinterpret_cast<void (*)()>(GetProcAddress(ddraw, "DirectDrawCreate")));
    Step failed = Step::AllPassed;
    LPDIRECTDRAW directDraw = nullptr;
    LPDIRECTDRAWSURFACE surface = nullptr;
    void* queried = nullptr;
    if (create == nullptr) {
        failed = Step::FindDirectDrawCreate;
    } else if (FAILED(create(nullptr, &directDraw, nullptr))) {
        failed = Step::CreateDirectDraw;
    } else if (FAILED(directDraw->QueryInterface(IID_IDirectDraw2, &queried))) {
        failed = Step::QueryDirectDraw2;
    } else {
        static_cast<IUnknown*>(queried)->Release();
        DDSURFACEDESC description;
        std::memset(&description, 0, sizeof description);
        description.dwSize = sizeof description;
        description.dwFlags = DDSD_CAPS;
        description.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
        if (FAILED(directDraw->SetCooperativeLevel(nullptr, DDSCL_NORMAL))) {
            failed = Step::SetNormalLevel;
        } else if (FAILED(directDraw->CreateSurface(&description, &surface, nullptr))) {
            failed = Step::CreatePrimary;
        } else if (FAILED(surface->QueryInterface(IID_IDirectDrawSurface3, &queried))) {
            failed = Step::QuerySurface3;
        } else {
            static_cast<IUnknown*>(queried)->Release();
            if (FAILED(surface->QueryInterface(IID_IDirectDrawSurface4, &queried)))
                failed = Step::QuerySurface4;
            else
                static_cast<IUnknown*>(queried)->Release();
        }
    }
    if (surface != nullptr)
        surface->Release();
    if (directDraw != nullptr)
        directDraw->Release();
    if (failed == Step::AllPassed) {
        auto createEx = reinterpret_cast<LPDIRECTDRAWCREATEEX>(
            reinterpret_cast<void (*)()>(GetProcAddress(ddraw, "DirectDrawCreateEx")));
        void* seventh = nullptr;
        if (createEx == nullptr)
            failed = Step::FindDirectDrawCreateEx;
        else if (FAILED(createEx(nullptr, &seventh, IID_IDirectDraw7, nullptr)))
            failed = Step::CreateDirectDraw7;
        else
            static_cast<IDirectDraw7*>(seventh)->Release();
    }
    FreeLibrary(ddraw);
    return failed;
}

class ProbeSequenceTest : public DdrawTest {
  protected:
    void SetUp() override {
        DdrawTest::SetUp();
        win32::installation::ResetCounts();
    }
};

TEST_F(ProbeSequenceTest, EachInstallationStopsWhereItsReleaseEnds) {
    struct Case {
        DWORD version;
        Step firstFailure;
    };
    const Case cases[] = {
        {0, Step::LoadDdraw},
        {0x100, Step::QueryDirectDraw2},
        {0x200, Step::QuerySurface3},
        {0x300, Step::QuerySurface3},
        {0x500, Step::QuerySurface4},
        {0x600, Step::FindDirectDrawCreateEx},
        {0x601, Step::FindDirectDrawCreateEx},
        {0x700, Step::AllPassed},
        {0x800, Step::AllPassed},
        {0x801, Step::AllPassed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "DirectX 0x" << std::hex << c.version);
        win32::installation::SetDirectXVersion(c.version);
        EXPECT_EQ(RunDirectDrawProbe(), c.firstFailure);
        EXPECT_EQ(win32::installation::ModuleLoadCount("DDRAW.DLL"), 0);
        EXPECT_EQ(faults::LiveDirectDrawObjects(), 0);
        EXPECT_EQ(faults::LiveSurfaces(), 0);
    }
}

TEST_F(ProbeSequenceTest, TheProbesPrimaryLeavesTheDisplayAsItWas) {
    const win32::PixelBuffer& screen = Framebuffer::Instance().Buffer();
    win32::WritePixel(screen, 3, 4, 0x00123456);
    Framebuffer::Instance().TakeDirty();
    EXPECT_EQ(RunDirectDrawProbe(), Step::AllPassed);
    EXPECT_EQ(Framebuffer::Instance().Format(), win32::PixelFormat::Xrgb8888());
    EXPECT_EQ(win32::ReadPixel(screen, 3, 4), 0x00123456u);
    EXPECT_FALSE(Framebuffer::Instance().IsDirty());
}

TEST_F(ProbeSequenceTest, ARefusedLevelOrPrimaryStopsTheProbe) {
    struct Case {
        faults::Call call;
        Step firstFailure;
    };
    const Case cases[] = {
        {faults::Call::DirectDrawCreate, Step::CreateDirectDraw},
        {faults::Call::DirectDrawQueryInterface, Step::QueryDirectDraw2},
        {faults::Call::SetCooperativeLevel, Step::SetNormalLevel},
        {faults::Call::CreateSurface, Step::CreatePrimary},
        {faults::Call::SurfaceQueryInterface, Step::QuerySurface3},
        {faults::Call::DirectDrawCreateEx, Step::CreateDirectDraw7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "call " << static_cast<int>(c.call));
        faults::Fail(c.call, DDERR_GENERIC);
        EXPECT_EQ(RunDirectDrawProbe(), c.firstFailure);
        EXPECT_EQ(win32::installation::ModuleLoadCount("DDRAW.DLL"), 0);
        faults::Clear(c.call);
    }
}

}  // namespace
}  // namespace ddraw_test
