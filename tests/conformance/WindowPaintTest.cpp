// Window creation, showing and painting on the screen: the messages a window receives and what
// its painting leaves on the screen, parents and children together.
#include "Conformance.h"

namespace conformance {
namespace {

using Trace = std::vector<std::string>;

class WindowPaintTest : public Win32Test {
  protected:
    // The screen's colour at (x, y), read through the desktop's device context.
    static COLORREF ScreenAt(int x, int y) {
        HDC screen = GetDC(nullptr);
        COLORREF colour = GetPixel(screen, x, y);
        ReleaseDC(nullptr, screen);
        return colour;
    }
};

TEST_F(WindowPaintTest, CreatingAPopupSendsNcCreateThenCreate) {
    Recorder recorder;
    HWND popup = recorder.Create("popup", WS_POPUP, 0, 0, 50, 40);
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(recorder.Trace({WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SHOWWINDOW}),
              (Trace{"popup:WM_NCCREATE", "popup:WM_NCCALCSIZE", "popup:WM_CREATE"}));
}

TEST_F(WindowPaintTest, CreatingAChildTellsItsParent) {
    Recorder recorder;
    HWND parent = recorder.Create("parent", WS_POPUP, 0, 0, 50, 40);
    recorder.Clear();
    HWND child = recorder.Create("child", WS_CHILD, 0, 0, 10, 10, parent);
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(recorder.Trace({WM_NCCREATE, WM_CREATE, WM_PARENTNOTIFY}),
              (Trace{"child:WM_NCCREATE", "child:WM_CREATE", "parent:WM_PARENTNOTIFY"}));
}

TEST_F(WindowPaintTest, AChildWithNoParentNotifyStyleDoesNotTell) {
    Recorder recorder;
    HWND parent = recorder.Create("parent", WS_POPUP, 0, 0, 50, 40);
    recorder.Clear();
    recorder.Create("quiet", WS_CHILD, 0, 0, 10, 10, parent, WS_EX_NOPARENTNOTIFY);
    EXPECT_EQ(recorder.Trace({WM_PARENTNOTIFY}), Trace{});
}

TEST_F(WindowPaintTest, DestroyingAChildTellsItsParentButNotItsGrandparentFirst) {
    Recorder recorder;
    HWND top = recorder.Create("top", WS_POPUP, 0, 0, 50, 40);
    HWND middle = recorder.Create("middle", WS_CHILD, 0, 0, 30, 30, top);
    HWND inner = recorder.Create("inner", WS_CHILD, 0, 0, 10, 10, middle);
    recorder.Clear();
    DestroyWindow(inner);
    EXPECT_EQ(recorder.Trace({WM_PARENTNOTIFY, WM_DESTROY}),
              (Trace{"middle:WM_PARENTNOTIFY", "inner:WM_DESTROY"}));
}

TEST_F(WindowPaintTest, DestroyingAParentDestroysChildrenAfterItAndFreesThemFirst) {
    Recorder recorder;
    HWND parent = recorder.Create("parent", WS_POPUP, 0, 0, 50, 40);
    HWND child = recorder.Create("child", WS_CHILD, 0, 0, 10, 10, parent);
    recorder.Clear();
    ASSERT_TRUE(DestroyWindow(parent));
    EXPECT_FALSE(IsWindow(child));
    EXPECT_EQ(recorder.Trace({WM_DESTROY, WM_NCDESTROY}),
              (Trace{"parent:WM_DESTROY", "child:WM_DESTROY", "child:WM_NCDESTROY",
                     "parent:WM_NCDESTROY"}));
}

// SW_SHOWNA on a window that is already visible shows it again, with a WM_SHOWWINDOW.
TEST_F(WindowPaintTest, ShowWindowSendsShowWindowAndReportsTheOldState) {
    Recorder recorder;
    HWND popup = recorder.Create("popup", WS_POPUP, 0, 0, 50, 40);
    recorder.Clear();
    EXPECT_FALSE(ShowWindow(popup, SW_SHOWNA));
    EXPECT_TRUE(IsWindowVisible(popup));
    EXPECT_TRUE(ShowWindow(popup, SW_SHOWNA));
    EXPECT_TRUE(ShowWindow(popup, SW_HIDE));
    EXPECT_FALSE(IsWindowVisible(popup));
    EXPECT_EQ(recorder.Trace({WM_SHOWWINDOW}),
              (Trace{"popup:WM_SHOWWINDOW", "popup:WM_SHOWWINDOW", "popup:WM_SHOWWINDOW"}));
    recorder.Clear();
    ShowWindow(popup, SW_SHOWNA);
    EXPECT_TRUE(ShowWindow(popup, SW_SHOW));
    EXPECT_EQ(recorder.Trace({WM_SHOWWINDOW}), Trace{"popup:WM_SHOWWINDOW"});
}

TEST_F(WindowPaintTest, AVisibleChildOfAHiddenParentIsNotVisible) {
    Recorder recorder;
    HWND parent = recorder.Create("parent", WS_POPUP, 0, 0, 50, 40);
    HWND child = recorder.Create("child", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, parent);
    EXPECT_FALSE(IsWindowVisible(child));
    ShowWindow(parent, SW_SHOWNA);
    EXPECT_TRUE(IsWindowVisible(child));
}

TEST_F(WindowPaintTest, UpdateWindowPaintsAtOnceAndOnlyWhatIsInvalid) {
    Recorder recorder;
    HWND popup = recorder.Create("popup", WS_POPUP | WS_VISIBLE, 0, 0, 50, 40);
    recorder.PaintWith(popup, RGB(0, 0, 255));
    UpdateWindow(popup);
    recorder.Clear();
    UpdateWindow(popup);
    EXPECT_EQ(recorder.Trace({WM_PAINT}), Trace{});
    InvalidateRect(popup, nullptr, FALSE);
    UpdateWindow(popup);
    EXPECT_EQ(recorder.Trace({WM_PAINT, WM_ERASEBKGND}), Trace{"popup:WM_PAINT"});
}

TEST_F(WindowPaintTest, BeginPaintErasesWhenTheInvalidationAskedForIt) {
    Recorder recorder;
    HWND popup = recorder.Create("popup", WS_POPUP | WS_VISIBLE, 0, 0, 50, 40);
    recorder.PaintWith(popup, RGB(0, 0, 255));
    UpdateWindow(popup);
    recorder.Clear();
    InvalidateRect(popup, nullptr, TRUE);
    UpdateWindow(popup);
    EXPECT_EQ(recorder.Trace({WM_PAINT, WM_ERASEBKGND}),
              (Trace{"popup:WM_PAINT", "popup:WM_ERASEBKGND"}));
}

TEST_F(WindowPaintTest, GetUpdateRectReportsTheUnionOfInvalidations) {
    Recorder recorder;
    HWND popup = recorder.Create("popup", WS_POPUP | WS_VISIBLE, 0, 0, 50, 40);
    recorder.PaintWith(popup, RGB(0, 0, 255));
    UpdateWindow(popup);
    RECT first{1, 2, 5, 6};
    RECT second{10, 10, 12, 20};
    InvalidateRect(popup, &first, FALSE);
    InvalidateRect(popup, &second, FALSE);
    RECT update{};
    EXPECT_TRUE(GetUpdateRect(popup, &update, FALSE));
    EXPECT_EQ(update.left, 1);
    EXPECT_EQ(update.top, 2);
    EXPECT_EQ(update.right, 12);
    EXPECT_EQ(update.bottom, 20);
    ValidateRect(popup, nullptr);
    EXPECT_FALSE(GetUpdateRect(popup, &update, FALSE));
}

TEST_F(WindowPaintTest, ParentsArePaintedBeforeTheirChildren) {
    Recorder recorder;
    HWND parent = recorder.Create("parent", WS_POPUP | WS_CLIPCHILDREN, 0, 0, 60, 60);
    HWND child = recorder.Create("child", WS_CHILD | WS_VISIBLE, 10, 10, 20, 20, parent);
    recorder.PaintWith(parent, RGB(255, 0, 0));
    recorder.PaintWith(child, RGB(0, 255, 0));
    ShowWindow(parent, SW_SHOWNA);
    Pump();
    EXPECT_EQ(recorder.Trace({WM_PAINT}), (Trace{"parent:WM_PAINT", "child:WM_PAINT"}));
}

// A parent that clips its children cannot paint over them, whatever order the paints come in.
TEST_F(WindowPaintTest, AParentThatClipsChildrenLeavesTheirPaintingOnTheScreen) {
    Recorder recorder;
    HWND parent =
        recorder.Create("parent", WS_POPUP | WS_CLIPCHILDREN, 0, 0, 60, 60, nullptr, WS_EX_TOPMOST);
    HWND child = recorder.Create("child", WS_CHILD | WS_VISIBLE, 10, 10, 20, 20, parent);
    recorder.PaintWith(parent, RGB(255, 0, 0));
    recorder.PaintWith(child, RGB(0, 255, 0));
    ShowWindow(parent, SW_SHOWNA);
    Pump();
    // The parent paints again after the child.
    InvalidateRect(parent, nullptr, FALSE);
    UpdateWindow(parent);
    GdiFlush();
    EXPECT_EQ(ScreenAt(20, 20), RGB(0, 255, 0));
    EXPECT_EQ(ScreenAt(5, 5), RGB(255, 0, 0));
}

// Invalidating a parent that does not clip its children invalidates them too: they are
// painted again after it and stay on top.
TEST_F(WindowPaintTest, InvalidatingAParentThatDoesNotClipChildrenRepaintsThemAfterIt) {
    Recorder recorder;
    HWND parent = recorder.Create("parent", WS_POPUP, 0, 0, 60, 60, nullptr, WS_EX_TOPMOST);
    HWND child = recorder.Create("child", WS_CHILD | WS_VISIBLE, 10, 10, 20, 20, parent);
    recorder.PaintWith(parent, RGB(255, 0, 0));
    recorder.PaintWith(child, RGB(0, 255, 0));
    ShowWindow(parent, SW_SHOWNA);
    Pump();
    recorder.Clear();
    InvalidateRect(parent, nullptr, FALSE);
    UpdateWindow(parent);
    GdiFlush();
    EXPECT_EQ(recorder.Trace({WM_PAINT}), (Trace{"parent:WM_PAINT", "child:WM_PAINT"}));
    EXPECT_EQ(ScreenAt(20, 20), RGB(0, 255, 0));
}

TEST_F(WindowPaintTest, InvalidatingAParentThatClipsChildrenLeavesThemValid) {
    Recorder recorder;
    HWND parent =
        recorder.Create("parent", WS_POPUP | WS_CLIPCHILDREN, 0, 0, 60, 60, nullptr, WS_EX_TOPMOST);
    HWND child = recorder.Create("child", WS_CHILD | WS_VISIBLE, 10, 10, 20, 20, parent);
    recorder.PaintWith(parent, RGB(255, 0, 0));
    recorder.PaintWith(child, RGB(0, 255, 0));
    ShowWindow(parent, SW_SHOWNA);
    Pump();
    recorder.Clear();
    InvalidateRect(parent, nullptr, FALSE);
    UpdateWindow(parent);
    EXPECT_EQ(recorder.Trace({WM_PAINT}), Trace{"parent:WM_PAINT"});
}

TEST_F(WindowPaintTest, ClippedSiblingsDoNotPaintOverTheOneAboveThem) {
    Recorder recorder;
    HWND parent =
        recorder.Create("parent", WS_POPUP | WS_CLIPCHILDREN, 0, 0, 60, 60, nullptr, WS_EX_TOPMOST);
    // The first child created is on top.
    HWND top =
        recorder.Create("top", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 30, 30, parent);
    HWND below =
        recorder.Create("below", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 20, 20, 30, 30, parent);
    recorder.PaintWith(parent, RGB(255, 0, 0));
    recorder.PaintWith(top, RGB(0, 255, 0));
    recorder.PaintWith(below, RGB(0, 0, 255));
    ShowWindow(parent, SW_SHOWNA);
    Pump();
    InvalidateRect(below, nullptr, FALSE);
    UpdateWindow(below);
    GdiFlush();
    EXPECT_EQ(ScreenAt(25, 25), RGB(0, 255, 0));
    EXPECT_EQ(ScreenAt(40, 40), RGB(0, 0, 255));
}

// Without WS_CLIPSIBLINGS a child draws over the sibling above it.
TEST_F(WindowPaintTest, AChildThatDoesNotClipSiblingsPaintsOverTheOneAboveIt) {
    Recorder recorder;
    HWND parent =
        recorder.Create("parent", WS_POPUP | WS_CLIPCHILDREN, 0, 0, 60, 60, nullptr, WS_EX_TOPMOST);
    HWND top = recorder.Create("top", WS_CHILD | WS_VISIBLE, 0, 0, 30, 30, parent);
    HWND below = recorder.Create("below", WS_CHILD | WS_VISIBLE, 20, 20, 30, 30, parent);
    recorder.PaintWith(parent, RGB(255, 0, 0));
    recorder.PaintWith(top, RGB(0, 255, 0));
    recorder.PaintWith(below, RGB(0, 0, 255));
    ShowWindow(parent, SW_SHOWNA);
    Pump();
    InvalidateRect(below, nullptr, FALSE);
    UpdateWindow(below);
    GdiFlush();
    EXPECT_EQ(ScreenAt(25, 25), RGB(0, 0, 255));
}

TEST_F(WindowPaintTest, SetWindowTextSendsWmSetText) {
    Recorder recorder;
    HWND popup = recorder.Create("popup", WS_POPUP, 0, 0, 10, 10);
    recorder.Clear();
    SetWindowTextA(popup, "abc");
    EXPECT_EQ(recorder.Trace({WM_SETTEXT}), Trace{"popup:WM_SETTEXT"});
}

TEST_F(WindowPaintTest, AChildCreatedHiddenIsNotPaintedUntilShown) {
    Recorder recorder;
    HWND parent = recorder.Create("parent", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 60, 60,
                                  nullptr, WS_EX_TOPMOST);
    HWND child = recorder.Create("child", WS_CHILD, 10, 10, 20, 20, parent);
    recorder.PaintWith(parent, RGB(255, 0, 0));
    recorder.PaintWith(child, RGB(0, 255, 0));
    Pump();
    EXPECT_EQ(recorder.Trace({WM_PAINT}), Trace{"parent:WM_PAINT"});
    recorder.Clear();
    ShowWindow(child, SW_SHOWNA);
    Pump();
    EXPECT_EQ(recorder.Trace({WM_PAINT}), Trace{"child:WM_PAINT"});
    GdiFlush();
    EXPECT_EQ(ScreenAt(20, 20), RGB(0, 255, 0));
}

TEST_F(WindowPaintTest, WindowFromPointFindsTheDeepestVisibleChild) {
    Recorder recorder;
    HWND parent =
        recorder.Create("parent", WS_POPUP | WS_VISIBLE, 0, 0, 60, 60, nullptr, WS_EX_TOPMOST);
    HWND child = recorder.Create("child", WS_CHILD | WS_VISIBLE, 10, 10, 20, 20, parent);
    HWND hidden = recorder.Create("hidden", WS_CHILD, 40, 40, 10, 10, parent);
    EXPECT_EQ(WindowFromPoint(POINT{15, 15}), child);
    EXPECT_EQ(WindowFromPoint(POINT{45, 45}), parent);
    EXPECT_NE(hidden, nullptr);
    EXPECT_EQ(ChildWindowFromPoint(parent, POINT{15, 15}), child);
}

TEST_F(WindowPaintTest, ClientToScreenAddsTheOriginsOfEveryAncestor) {
    Recorder recorder;
    HWND parent = recorder.Create("parent", WS_POPUP, 100, 50, 60, 60);
    HWND child = recorder.Create("child", WS_CHILD, 10, 20, 20, 20, parent);
    POINT point{1, 2};
    ClientToScreen(child, &point);
    EXPECT_EQ(point.x, 111);
    EXPECT_EQ(point.y, 72);
    ScreenToClient(parent, &point);
    EXPECT_EQ(point.x, 11);
    EXPECT_EQ(point.y, 22);
    RECT rect{};
    GetWindowRect(child, &rect);
    EXPECT_EQ(rect.left, 110);
    EXPECT_EQ(rect.bottom, 90);
}

TEST_F(WindowPaintTest, SetWindowPosSendsChangingThenChangedThenMoveAndSize) {
    Recorder recorder;
    HWND popup = recorder.Create("popup", WS_POPUP, 0, 0, 50, 40);
    recorder.Clear();
    SetWindowPos(popup, nullptr, 5, 6, 30, 20, SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(recorder.Trace({WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_MOVE, WM_SIZE}),
              (Trace{"popup:WM_WINDOWPOSCHANGING", "popup:WM_WINDOWPOSCHANGED", "popup:WM_MOVE",
                     "popup:WM_SIZE"}));
    RECT client{};
    GetClientRect(popup, &client);
    EXPECT_EQ(client.right, 30);
    EXPECT_EQ(client.bottom, 20);
}

TEST_F(WindowPaintTest, GetWindowLongReadsTheStylesItWasCreatedWith) {
    Recorder recorder;
    HWND popup =
        recorder.Create("popup", WS_POPUP | WS_CLIPCHILDREN, 0, 0, 50, 40, nullptr, WS_EX_TOPMOST);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(popup, GWL_STYLE)) &
                  (WS_POPUP | WS_CLIPCHILDREN | WS_CHILD),
              static_cast<DWORD>(WS_POPUP | WS_CLIPCHILDREN));
    EXPECT_NE(GetWindowLongA(popup, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
}

}  // namespace
}  // namespace conformance
