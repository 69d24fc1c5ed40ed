// Windows painting straight into the one framebuffer: erasing with the class brush, device
// contexts clipped to what of a window shows (children and windows above cut out), paint
// regions, repaints after windows move, and after a display mode switch.
#include <algorithm>

#include "UserTestSupport.h"
#include "win32/platform/Framebuffer.h"

namespace usertest {
namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kYellow = RGB(255, 255, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

COLORREF ScreenAt(int x, int y) {
    const auto& fb = win32::Framebuffer::Instance();
    return win32::UnpackColor(fb.Format(), win32::ReadPixel(fb.Buffer(), x, y));
}

void FillClient(HWND hwnd, COLORREF color) {
    HDC dc = GetDC(hwnd);
    ASSERT_NE(dc, nullptr);
    RECT client{0, 0, win32::Framebuffer::kWidth, win32::Framebuffer::kHeight};
    if (hwnd != nullptr)
        GetClientRect(hwnd, &client);
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &client, brush);
    DeleteObject(brush);
    EXPECT_EQ(ReleaseDC(hwnd, dc), 1);
}

class Painting : public UserTest {
  protected:
    void SetUp() override {
        UserTest::SetUp();
        red = CreateSolidBrush(kRed);
        blue = CreateSolidBrush(kBlue);
        yellow = CreateSolidBrush(kYellow);
        Recorder::RegisterClass("Red", 0, red);
        Recorder::RegisterClass("Blue", 0, blue);
        Recorder::RegisterClass("Yellow", 0, yellow);
        // parent (100,100)-(300,200), which clips its children, its child at
        // (150,120)-(210,160); a later top-level window (250,150)-(350,250) overlaps the
        // parent's lower right corner.
        parent = rec.Create("parent", "Red", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 100, 100, 200,
                            100);
        child = rec.Create("child", "Blue", WS_CHILD | WS_VISIBLE, 50, 20, 60, 40, parent);
        above = rec.Create("above", "Yellow", WS_POPUP | WS_VISIBLE, 250, 150, 100, 100);
        PumpMessages();
        rec.Clear();
    }
    void TearDown() override {
        UserTest::TearDown();
        DeleteObject(red);
        DeleteObject(blue);
        DeleteObject(yellow);
    }

    Recorder rec;
    HBRUSH red = nullptr, blue = nullptr, yellow = nullptr;
    HWND parent = nullptr, child = nullptr, above = nullptr;
};

TEST_F(Painting, FirstPaintErasesEveryWindowWithItsClassBrush) {
    struct Probe {
        int x, y;
        COLORREF color;
    } probes[] = {
        {100, 100, kRed},    {299, 149, kRed},    {150, 120, kBlue},
        {209, 159, kBlue},   {210, 160, kRed},    {250, 150, kYellow},
        {299, 199, kYellow}, {349, 249, kYellow}, {99, 100, RGB(0, 0, 0)},
    };
    for (const Probe& p : probes)
        EXPECT_EQ(ScreenAt(p.x, p.y), p.color) << p.x << "," << p.y;
}

TEST_F(Painting, AWindowDcLeavesItsChildrenAndTheWindowsAboveItAlone) {
    FillClient(parent, kGreen);
    struct Probe {
        int x, y;
        COLORREF color;
    } probes[] = {
        {100, 100, kGreen},  {149, 119, kGreen},     {150, 120, kBlue},        {209, 159, kBlue},
        {210, 159, kGreen},  {249, 199, kGreen},     {250, 150, kYellow},      {299, 199, kYellow},
        {300, 150, kYellow}, {99, 99, RGB(0, 0, 0)}, {300, 149, RGB(0, 0, 0)},
    };
    for (const Probe& p : probes)
        EXPECT_EQ(ScreenAt(p.x, p.y), p.color) << p.x << "," << p.y;
    // The whole screen's DC draws over every window.
    FillClient(nullptr, kWhite);
    EXPECT_EQ(ScreenAt(150, 120), kWhite);
    EXPECT_EQ(ScreenAt(0, 0), kWhite);
}

TEST_F(Painting, BeginPaintDrawsOnlyWhereTheUpdateRegionIsShown) {
    FillClient(parent, kGreen);
    RECT corner{0, 0, 10, 10}, under{140, 40, 170, 70};  // `under` is half beneath `above`
    InvalidateRect(parent, &corner, FALSE);
    InvalidateRect(parent, &under, FALSE);
    rec.React(WM_PAINT, [](HWND hwnd, WPARAM, LPARAM, LRESULT*) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT everything{-1000, -1000, 1000, 1000};
        HBRUSH white = CreateSolidBrush(kWhite);
        FillRect(dc, &everything, white);
        DeleteObject(white);
        EndPaint(hwnd, &ps);
        return true;
    });
    PumpMessages();
    EXPECT_TRUE(SameSequence(rec.SeenMessages(), {{"parent", WM_PAINT}}));
    struct Probe {
        int x, y;
        COLORREF color;
    } probes[] = {
        {100, 100, kWhite}, {109, 109, kWhite},  {110, 110, kGreen},  {240, 140, kWhite},
        {249, 169, kWhite}, {250, 150, kYellow}, {269, 169, kYellow}, {239, 139, kGreen},
    };
    for (const Probe& p : probes)
        EXPECT_EQ(ScreenAt(p.x, p.y), p.color) << p.x << "," << p.y;
}

TEST_F(Painting, MovingAWindowAwayRepaintsWhatItUncovered) {
    FillClient(parent, kGreen);
    MoveWindow(above, 400, 300, 100, 100, TRUE);
    PumpMessages();
    // The parent erased (red) only the part `above` had covered; its other pixels stay green.
    EXPECT_EQ(ScreenAt(260, 160), kRed);
    EXPECT_EQ(ScreenAt(299, 199), kRed);
    EXPECT_EQ(ScreenAt(240, 140), kGreen);
    EXPECT_EQ(ScreenAt(450, 350), kYellow);
    // Nothing repainted the screen outside every window.
    EXPECT_EQ(ScreenAt(320, 220), kYellow);  // what `above` left there stays
    std::vector<std::string> painted;
    for (const Seen& s : rec.Of(WM_PAINT))
        painted.push_back(s.window);
    std::sort(painted.begin(), painted.end());
    EXPECT_EQ(painted, (std::vector<std::string>{"above", "parent"}));
}

TEST_F(Painting, ASwitchOfTheDisplayFormatRepaintsEveryWindowInTheNewFormat) {
    auto& fb = win32::Framebuffer::Instance();
    fb.SetFormat(fb.Format16());
    EXPECT_EQ(ScreenAt(100, 100), RGB(0, 0, 0));  // cleared by the switch
    PumpMessages();
    EXPECT_EQ(rec.Of(WM_PAINT).size(), 3u);
    EXPECT_EQ(ScreenAt(100, 100), kRed);
    EXPECT_EQ(ScreenAt(150, 120), kBlue);
    EXPECT_EQ(ScreenAt(260, 160), kYellow);
    // A DC held across the switch draws in the new format too.
    HDC dc = GetDC(child);
    fb.SetFormat(win32::PixelFormat::Xrgb8888());
    RECT r{0, 0, 5, 5};
    HBRUSH green = CreateSolidBrush(kGreen);
    FillRect(dc, &r, green);
    DeleteObject(green);
    ReleaseDC(child, dc);
    EXPECT_EQ(ScreenAt(150, 120), kGreen);
    EXPECT_EQ(ScreenAt(155, 125), RGB(0, 0, 0));
}

TEST_F(Painting, MinimisedAndHiddenWindowsDrawNothing) {
    ShowWindow(above, SW_MINIMIZE);
    PumpMessages();
    EXPECT_EQ(ScreenAt(260, 160), kRed);  // the parent repainted what `above` covered
    HDC dc = GetDC(above);
    RECT r{0, 0, 100, 100};
    HBRUSH green = CreateSolidBrush(kGreen);
    FillRect(dc, &r, green);
    ReleaseDC(above, dc);
    EXPECT_EQ(ScreenAt(260, 160), kRed);
    ShowWindow(child, SW_HIDE);
    PumpMessages();
    EXPECT_EQ(ScreenAt(150, 120), kRed);
    dc = GetDC(child);
    FillRect(dc, &r, green);
    ReleaseDC(child, dc);
    DeleteObject(green);
    EXPECT_EQ(ScreenAt(150, 120), kRed);
}

}  // namespace
}  // namespace usertest
