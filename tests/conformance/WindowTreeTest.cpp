// The window tree: z-order of children, parents and ancestors, window data and subclassing.
#include "Conformance.h"

namespace conformance {
namespace {

using Trace = std::vector<std::string>;

class WindowTreeTest : public Win32Test {};

TEST_F(WindowTreeTest, TheFirstChildCreatedIsOnTop) {
    Recorder recorder;
    HWND parent = recorder.Create("parent", WS_POPUP, 0, 0, 50, 50);
    HWND first = recorder.Create("first", WS_CHILD, 0, 0, 10, 10, parent);
    HWND second = recorder.Create("second", WS_CHILD, 0, 0, 10, 10, parent);
    EXPECT_EQ(GetWindow(parent, GW_CHILD), first);
    EXPECT_EQ(GetTopWindow(parent), first);
    EXPECT_EQ(GetWindow(first, GW_HWNDNEXT), second);
    EXPECT_EQ(GetWindow(second, GW_HWNDNEXT), nullptr);
    EXPECT_EQ(GetWindow(second, GW_HWNDPREV), first);
}

TEST_F(WindowTreeTest, SetWindowPosToTheTopReordersChildren) {
    Recorder recorder;
    HWND parent = recorder.Create("parent", WS_POPUP, 0, 0, 50, 50);
    HWND first = recorder.Create("first", WS_CHILD, 0, 0, 10, 10, parent);
    HWND second = recorder.Create("second", WS_CHILD, 0, 0, 10, 10, parent);
    SetWindowPos(second, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_EQ(GetWindow(parent, GW_CHILD), second);
    EXPECT_EQ(GetWindow(second, GW_HWNDNEXT), first);
}

TEST_F(WindowTreeTest, AncestorsAndChildhood) {
    Recorder recorder;
    HWND top = recorder.Create("top", WS_POPUP, 0, 0, 50, 50);
    HWND middle = recorder.Create("middle", WS_CHILD, 0, 0, 30, 30, top);
    HWND inner = recorder.Create("inner", WS_CHILD, 0, 0, 10, 10, middle);
    EXPECT_EQ(GetParent(inner), middle);
    EXPECT_EQ(GetAncestor(inner, GA_PARENT), middle);
    EXPECT_EQ(GetAncestor(inner, GA_ROOT), top);
    EXPECT_TRUE(IsChild(top, inner));
    EXPECT_FALSE(IsChild(inner, top));
    EXPECT_EQ(GetParent(top), nullptr);
}

TEST_F(WindowTreeTest, SetParentMovesAChildAndReturnsTheOldParent) {
    Recorder recorder;
    HWND a = recorder.Create("a", WS_POPUP, 0, 0, 50, 50);
    HWND b = recorder.Create("b", WS_POPUP, 100, 0, 50, 50);
    HWND child = recorder.Create("child", WS_CHILD, 5, 5, 10, 10, a);
    EXPECT_EQ(SetParent(child, b), a);
    EXPECT_EQ(GetParent(child), b);
    EXPECT_FALSE(IsChild(a, child));
    RECT rect{};
    GetWindowRect(child, &rect);
    EXPECT_EQ(rect.left, 105);
}

TEST_F(WindowTreeTest, UserDataAndIdAreKeptPerWindow) {
    Recorder recorder;
    HWND parent = recorder.Create("parent", WS_POPUP, 0, 0, 50, 50);
    HWND child = CreateWindowExA(0, Recorder::kClass, "", WS_CHILD, 0, 0, 5, 5, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(42)),
                                 GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(GetWindowLongPtrA(child, GWLP_ID), 42);
    EXPECT_EQ(SetWindowLongPtrA(parent, GWLP_USERDATA, 1234), 0);
    EXPECT_EQ(GetWindowLongPtrA(parent, GWLP_USERDATA), 1234);
    EXPECT_EQ(GetWindowLongPtrA(child, GWLP_USERDATA), 0);
}

LRESULT CALLBACK Subclassed(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
WNDPROC original = nullptr;
int subclassCalls = 0;

LRESULT CALLBACK Subclassed(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_USER)
        ++subclassCalls;
    return CallWindowProcA(original, window, message, wParam, lParam);
}

TEST_F(WindowTreeTest, ASubclassSeesMessagesFirstAndPassesThemOn) {
    Recorder recorder;
    HWND window = recorder.Create("window", WS_POPUP, 0, 0, 50, 50);
    subclassCalls = 0;
    original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Subclassed)));
    ASSERT_NE(original, nullptr);
    recorder.Clear();
    SendMessageA(window, WM_USER, 0, 0);
    EXPECT_EQ(subclassCalls, 1);
    EXPECT_EQ(recorder.Trace({WM_USER}), Trace{"window:WM_USER"});
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
}

TEST_F(WindowTreeTest, WindowTextIsKeptAndMeasured) {
    Recorder recorder;
    HWND window = recorder.Create("window", WS_POPUP, 0, 0, 50, 50);
    ASSERT_TRUE(SetWindowTextA(window, "프레임"));
    EXPECT_EQ(GetWindowTextLengthA(window), 6);
    char text[16] = {};
    EXPECT_EQ(GetWindowTextA(window, text, sizeof text), 6);
    EXPECT_STREQ(text, "프레임");
}

TEST_F(WindowTreeTest, MapWindowPointsConvertsBetweenClientAreas) {
    Recorder recorder;
    HWND a = recorder.Create("a", WS_POPUP, 10, 20, 50, 50);
    HWND b = recorder.Create("b", WS_POPUP, 100, 200, 50, 50);
    POINT point{1, 1};
    MapWindowPoints(a, b, &point, 1);
    EXPECT_EQ(point.x, -89);
    EXPECT_EQ(point.y, -179);
}

LRESULT CALLBACK OnceProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

// A class is registered once per module and found by its name in any case.
TEST_F(WindowTreeTest, AClassIsRegisteredOnceAndFoundByName) {
    HINSTANCE program = GetModuleHandleA(nullptr);
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = OnceProc;
    windowClass.hInstance = program;
    windowClass.lpszClassName = "ConformanceOnce";
    ASSERT_NE(RegisterClassA(&windowClass), 0);
    EXPECT_EQ(RegisterClassA(&windowClass), 0);
    WNDCLASSA found{};
    EXPECT_TRUE(GetClassInfoA(program, "conformanceONCE", &found));
    EXPECT_EQ(found.lpfnWndProc, &OnceProc);
    EXPECT_FALSE(GetClassInfoA(program, "ConformanceNoSuchClass", &found));
    EXPECT_TRUE(UnregisterClassA("ConformanceOnce", program));
    EXPECT_FALSE(GetClassInfoA(program, "ConformanceOnce", &found));
}

}  // namespace
}  // namespace conformance
