#include "app/DirectXProbe.h"

#include <gtest/gtest.h>

#include <string>

#include "win32/platform/Diagnostics.h"
#include "win32/platform/DirectDrawFaults.h"
#include "win32/platform/Framebuffer.h"
#include "win32/platform/Installation.h"

namespace {

using win32::ddraw::faults::Call;

class DirectXProbeTest : public ::testing::Test {
  protected:
    void SetUp() override {
        win32::diagnostics::Clear();
        win32::ddraw::faults::Reset();
        win32::installation::ResetCounts();
        win32::Framebuffer::Instance().Reset();
    }
    void TearDown() override {
        win32::ddraw::faults::Reset();
        win32::installation::SetDirectXVersion(0x801);
    }

    // The probe leaves no module loaded and no DirectDraw object alive, whatever it found.
    static void ExpectNothingHeld() {
        EXPECT_EQ(win32::installation::TotalModuleLoadCount(), 0);
        EXPECT_EQ(win32::ddraw::faults::LiveDirectDrawObjects(), 0);
        EXPECT_EQ(win32::ddraw::faults::LiveSurfaces(), 0);
    }

    static std::string Trace() {
        std::string all;
        for (const std::string& line : win32::diagnostics::TraceLines())
            all += line;
        return all;
    }
};

TEST_F(DirectXProbeTest, EachInstallationReportsItsOwnVersionWithItsTraceLine) {
    const struct {
        const char* installation;
        DWORD expected;
        const char* trace;
    } cases[] = {
        {"0", 0, "Couldn't LoadLibrary DDraw\r\n"},
        {"1", 0x100, "Couldn't QI DDraw2\r\n"},
        {"2", 0x200, "Couldn't LoadLibrary DInput\r\n"},
        {"3", 0x300, "Couldn't QI DDS3\r\n"},
        {"5", 0x500, "Couldn't QI DDS4\r\n"},
        {"6", 0x600, "Couldn't create CLSID_DirectMusic\r\n"},
        {"6.1", 0x601, "Couldn't GetProcAddress DirectDrawCreateEx\r\n"},
        {"7", 0x700, "Couldn't LoadLibrary D3D8.DLL\r\n"},
        {"8.0", 0x800, "Couldn't LoadLibrary dpnhpast.dll\r\n"},
        {"8.1", 0x801, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.installation);
        win32::diagnostics::Clear();
        DWORD version = 0;
        ASSERT_TRUE(win32::installation::ParseDirectXVersion(c.installation, &version));
        win32::installation::SetDirectXVersion(version);
        EXPECT_EQ(ProbeDirectXVersion(), c.expected);
        EXPECT_EQ(Trace(), c.trace);
        ExpectNothingHeld();
    }
}

TEST_F(DirectXProbeTest, AFailedProbeCallReportsWhatTheStepsBeforeItProved) {
    const struct {
        Call call;
        int skip;
        DWORD expected;
        const char* trace;
    } cases[] = {
        {Call::DirectDrawCreate, 0, 0, "Couldn't create DDraw\r\n"},
        {Call::DirectDrawQueryInterface, 0, 0x100, "Couldn't QI DDraw2\r\n"},
        // Once DirectX 2 is proved, a refused cooperative level or primary surface gives 0.
        {Call::SetCooperativeLevel, 0, 0, "Couldn't Set coop level\r\n"},
        {Call::CreateSurface, 0, 0, "Couldn't CreateSurface\r\n"},
        {Call::SurfaceQueryInterface, 0, 0x300, "Couldn't QI DDS3\r\n"},
        {Call::SurfaceQueryInterface, 1, 0x500, "Couldn't QI DDS4\r\n"},
        {Call::DirectDrawCreateEx, 0, 0x601, "Couldn't DirectDrawCreateEx\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.trace);
        win32::diagnostics::Clear();
        win32::ddraw::faults::Reset();
        win32::ddraw::faults::Fail(c.call, E_FAIL, win32::ddraw::faults::Repeat::Once, c.skip);
        EXPECT_EQ(ProbeDirectXVersion(), c.expected);
        EXPECT_EQ(Trace(), c.trace);
        ExpectNothingHeld();
    }
}

TEST_F(DirectXProbeTest, TheProbeNeverChangesTheDisplayMode) {
    const win32::PixelFormat before = win32::Framebuffer::Instance().Format();
    EXPECT_EQ(ProbeDirectXVersion(), 0x801u);
    EXPECT_EQ(win32::Framebuffer::Instance().Format(), before);
    EXPECT_EQ(win32::ddraw::faults::CallCount(Call::SetDisplayMode), 0);
}

}  // namespace
