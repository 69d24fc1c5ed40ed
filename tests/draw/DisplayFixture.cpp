#include "DisplayFixture.h"

#include <ostream>

#include "draw/PaletteBank.h"
#include "win32/platform/Diagnostics.h"
#include "win32/platform/Framebuffer.h"

namespace drawtest {

void PrintTo(const Box& box, std::ostream* out) {
    *out << "{\"" << box.caption << "\", \"" << box.text << "\"}";
}

void DisplayFixture::SetUp() {
    faults::Reset();
    win32::Framebuffer::Instance().Reset();
    win32::diagnostics::Clear();
    DDraw = _DDRAW{};
    DisplayRedMask = 0;
    ClearPaletteBank();
}

void DisplayFixture::TearDown() {
    faults::Reset();
    DDraw.Release();
    EXPECT_EQ(faults::LiveSurfaces(), 0) << "a surface was left alive";
    EXPECT_EQ(faults::LiveDirectDrawObjects(), 0) << "a DirectDraw object was left alive";
    DDraw = _DDRAW{};
    DisplayRedMask = 0;
    win32::Framebuffer::Instance().Reset();
}

HWND DisplayFixture::Window() {
    static int owner = 0;
    return reinterpret_cast<HWND>(&owner);
}

std::vector<Box> DisplayFixture::Boxes() {
    std::vector<Box> boxes;
    for (const win32::diagnostics::MessageBoxRecord& record : win32::diagnostics::MessageBoxes())
        boxes.push_back({record.caption, record.text});
    return boxes;
}

void DisplayFixture::CreateDisplay(int depth) {
    ASSERT_TRUE(DDraw.Create(Window(), 640, 480, depth));
    ASSERT_TRUE(Boxes().empty());
}

DWORD DisplayFixture::ScreenPixel(int x, int y) {
    return win32::ReadPixel(win32::Framebuffer::Instance().Buffer(), x, y);
}

}  // namespace drawtest
