#include "win32/platform/Framebuffer.h"

#include <gtest/gtest.h>

namespace {

using win32::PackColor;
using win32::PixelFormat;
using win32::UnpackColor;

TEST(FramebufferColours, PackAndUnpackKeepFullIntensityAndDropLowBits) {
    struct Case {
        PixelFormat format;
        COLORREF color;
        DWORD packed;
        COLORREF unpacked;
    } cases[] = {
        {PixelFormat::Rgb565(), RGB(255, 255, 255), 0xFFFF, RGB(255, 255, 255)},
        {PixelFormat::Rgb565(), RGB(255, 0, 0), 0xF800, RGB(255, 0, 0)},
        {PixelFormat::Rgb565(), RGB(0, 255, 0), 0x07E0, RGB(0, 255, 0)},
        {PixelFormat::Rgb565(), RGB(0, 0, 255), 0x001F, RGB(0, 0, 255)},
        {PixelFormat::Rgb565(), RGB(7, 3, 7), 0x0000, RGB(0, 0, 0)},
        {PixelFormat::Rgb565(), RGB(192, 192, 192), 0xC618, RGB(198, 195, 198)},
        {PixelFormat::Xrgb1555(), RGB(255, 255, 255), 0x7FFF, RGB(255, 255, 255)},
        {PixelFormat::Xrgb1555(), RGB(128, 128, 128), 0x4210, RGB(132, 132, 132)},
        {PixelFormat::Xrgb8888(), RGB(1, 2, 3), 0x010203, RGB(1, 2, 3)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PackColor(c.format, c.color), c.packed) << std::hex << c.color;
        EXPECT_EQ(UnpackColor(c.format, c.packed), c.unpacked) << std::hex << c.packed;
    }
}

TEST(Framebuffer, ModeSwitchKeepsTheAddressClearsAndTellsListeners) {
    auto& fb = win32::Framebuffer::Instance();
    fb.Reset();
    std::uint8_t* before = fb.Buffer().bits;
    win32::WritePixel(fb.Buffer(), 3, 4, 0x123456);
    int calls = 0;
    int id = fb.AddModeListener([&] { ++calls; });
    fb.SetFormat(fb.Format16());
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(fb.Buffer().bits, before);
    EXPECT_EQ(fb.Buffer().pitch, 1280);
    EXPECT_EQ(fb.Format(), PixelFormat::Rgb565());
    EXPECT_EQ(win32::ReadPixel(fb.Buffer(), 3, 4), 0u);
    fb.RemoveModeListener(id);
    fb.SetReportedRedMask16(0x7C00);
    fb.SetFormat(fb.Format16());
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(fb.Format(), PixelFormat::Xrgb1555());
    fb.Reset();
}

TEST(Framebuffer, DirtyRegionIsTheClippedUnionAndIsTakenOnce) {
    auto& fb = win32::Framebuffer::Instance();
    fb.Reset();
    fb.TakeDirty();
    EXPECT_FALSE(fb.IsDirty());
    fb.MarkDirty(RECT{10, 20, 30, 40});
    fb.MarkDirty(RECT{600, -5, 700, 10});
    RECT dirty = fb.TakeDirty();
    EXPECT_EQ(dirty.left, 10);
    EXPECT_EQ(dirty.top, 0);
    EXPECT_EQ(dirty.right, 640);
    EXPECT_EQ(dirty.bottom, 40);
    EXPECT_FALSE(fb.IsDirty());
    fb.MarkDirty(RECT{5, 5, 5, 9});  // empty
    EXPECT_FALSE(fb.IsDirty());
}

}  // namespace
