#include <gtest/gtest.h>

#include "GdiTestSupport.h"
#include "win32/platform/Framebuffer.h"

namespace {

using gdi_test::Canvas;

const COLORREF kWhite = RGB(255, 255, 255);

TEST(Clipping, DrawingLandsOnlyInsideTheUnionOfTheClipRectangles) {
    // Two overlapping rectangles and one apart, as a window's visible region might be.
    std::vector<RECT> clip{{1, 1, 5, 4}, {3, 2, 7, 5}, {8, 0, 10, 2}};
    std::vector<std::string> region{"........##", ".####...##", ".######...",
                                    ".######...", "...####...", ".........."};
    Canvas canvas(10, 6, win32::PixelFormat::Rgb565(), clip);
    RECT everything{-5, -5, 20, 20};
    FillRect(canvas.dc(), &everything, GetSysColorBrush(COLOR_WINDOW));
    EXPECT_EQ(canvas.Art(0, 0, 10, 6, kWhite), region);

    // Inverting reaches overlapped pixels once: the overlap is not inverted back.
    canvas.Clear(RGB(0, 0, 0));
    InvertRect(canvas.dc(), &everything);
    EXPECT_EQ(canvas.Art(0, 0, 10, 6, kWhite), region);

    // Lines, text and blits obey the same region.
    canvas.Clear(RGB(0, 0, 0));
    SelectObject(canvas.dc(), GetStockObject(WHITE_PEN));
    for (int y = -1; y < 7; ++y) {
        MoveToEx(canvas.dc(), -3, y, nullptr);
        LineTo(canvas.dc(), 13, y);
    }
    EXPECT_EQ(canvas.Art(0, 0, 10, 6, kWhite), region);

    Canvas source(20, 20, win32::PixelFormat::Rgb565());
    source.Clear(kWhite);
    canvas.Clear(RGB(0, 0, 0));
    BitBlt(canvas.dc(), -4, -4, 20, 20, source.dc(), 0, 0, SRCCOPY);
    EXPECT_EQ(canvas.Art(0, 0, 10, 6, kWhite), region);

    canvas.Clear(RGB(0, 0, 0));
    SetBkMode(canvas.dc(), OPAQUE);
    SetBkColor(canvas.dc(), kWhite);
    SetTextColor(canvas.dc(), kWhite);
    TextOutA(canvas.dc(), -2, -3, "MMMM", 4);
    EXPECT_EQ(canvas.Art(0, 0, 10, 6, kWhite), region);
}

TEST(Clipping, AnEmptyClipListDrawsNothing) {
    Canvas canvas(4, 4, win32::PixelFormat::Rgb565(), {RECT{2, 2, 2, 3}});
    RECT all{0, 0, 4, 4};
    FillRect(canvas.dc(), &all, GetSysColorBrush(COLOR_WINDOW));
    EXPECT_EQ(canvas.CountColor(kWhite), 0);
    RECT box{};
    EXPECT_EQ(GetClipBox(canvas.dc(), &box), NULLREGION);
}

TEST(Clipping, ClipRectanglesOutsideTheBufferAreCutToIt) {
    Canvas canvas(4, 3, win32::PixelFormat::Rgb565(), {RECT{-100, -100, 100, 100}});
    RECT all{-50, -50, 50, 50};
    FillRect(canvas.dc(), &all, GetSysColorBrush(COLOR_WINDOW));
    EXPECT_EQ(canvas.CountColor(kWhite), 12);
    EXPECT_TRUE(canvas.GuardsIntact());
}

TEST(Clipping, TheOriginMapsLogicalCoordinatesAndClipsStayInTargetPixels) {
    // A window at (3, 2) on a 10 x 8 screen, its visible part the screen's (3, 2)-(8, 6).
    Canvas canvas(10, 8, win32::PixelFormat::Rgb565(), {RECT{3, 2, 8, 6}}, POINT{3, 2});
    SetPixel(canvas.dc(), 0, 0, kWhite);
    EXPECT_EQ(canvas.Color(3, 2), kWhite);
    RECT box{};
    EXPECT_EQ(GetClipBox(canvas.dc(), &box), SIMPLEREGION);
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.top, 0);
    EXPECT_EQ(box.right, 5);
    EXPECT_EQ(box.bottom, 4);
    POINT previous{};
    SetViewportOrgEx(canvas.dc(), 1, 1, &previous);
    SetPixel(canvas.dc(), 0, 0, RGB(255, 0, 0));
    EXPECT_EQ(canvas.Color(4, 3), RGB(255, 0, 0));
    EXPECT_EQ(previous.x, 0);
}

TEST(Clipping, IntersectAndExcludeNarrowTheRegionUntilRestoreDC) {
    Canvas canvas(8, 4, win32::PixelFormat::Rgb565());
    int saved = SaveDC(canvas.dc());
    EXPECT_EQ(saved, 1);
    EXPECT_EQ(IntersectClipRect(canvas.dc(), 1, 0, 7, 4), SIMPLEREGION);
    EXPECT_EQ(ExcludeClipRect(canvas.dc(), 3, 1, 5, 3), COMPLEXREGION);
    RECT all{0, 0, 8, 4};
    FillRect(canvas.dc(), &all, GetSysColorBrush(COLOR_WINDOW));
    EXPECT_EQ(canvas.Art(0, 0, 8, 4, kWhite),
              (std::vector<std::string>{".######.", ".##..##.", ".##..##.", ".######."}));
    ASSERT_TRUE(RestoreDC(canvas.dc(), -1));
    canvas.Clear(RGB(0, 0, 0));
    FillRect(canvas.dc(), &all, GetSysColorBrush(COLOR_WINDOW));
    EXPECT_EQ(canvas.CountColor(kWhite), 32);
    EXPECT_FALSE(RestoreDC(canvas.dc(), -1));
}

TEST(Clipping, RetargetingFollowsAMovedWindow) {
    Canvas canvas(6, 6, win32::PixelFormat::Rgb565());
    win32::gdi::RetargetDC(canvas.dc(), canvas.buffer(), POINT{4, 4}, {RECT{4, 4, 6, 6}});
    RECT all{0, 0, 10, 10};
    FillRect(canvas.dc(), &all, GetSysColorBrush(COLOR_WINDOW));
    EXPECT_EQ(canvas.CountColor(kWhite), 4);
    EXPECT_EQ(canvas.Color(4, 4), kWhite);
    win32::PixelBuffer described;
    POINT origin{};
    ASSERT_TRUE(win32::gdi::DescribeDC(canvas.dc(), &described, &origin));
    EXPECT_EQ(described.bits, canvas.buffer().bits);
    EXPECT_EQ(origin.x, 4);
}

TEST(Clipping, DrawingOnTheScreenMarksWhatChangedAsDirty) {
    auto& screen = win32::Framebuffer::Instance();
    screen.SetFormat(win32::PixelFormat::Rgb565());
    HDC dc = win32::gdi::CreateTargetDC(screen.Buffer(), POINT{100, 50}, {RECT{0, 0, 640, 480}});
    screen.TakeDirty();
    RECT r{10, 20, 30, 25};
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    RECT dirty = screen.TakeDirty();
    EXPECT_EQ(dirty.left, 110);
    EXPECT_EQ(dirty.top, 70);
    EXPECT_EQ(dirty.right, 130);
    EXPECT_EQ(dirty.bottom, 75);
    EXPECT_EQ(win32::ReadPixel(screen.Buffer(), 110, 70), 0xC618u);
    // Drawing that the clip region swallows changes nothing.
    RECT outside{-200, -200, -150, -150};
    FillRect(dc, &outside, GetSysColorBrush(COLOR_BTNFACE));
    EXPECT_FALSE(screen.IsDirty());
    win32::gdi::DeleteTargetDC(dc);
    screen.Reset();
}

}  // namespace
