// Cursors, icons and bitmaps: the drawn system cursors, pictures from .cur/.ico resources,
// LoadBitmapA in the screen's current format, and the current cursor reaching the host.
#include <cstdint>
#include <fstream>
#include <iterator>
#include <vector>

#include "UserTestSupport.h"
#include "win32/platform/Cursors.h"
#include "win32/platform/Framebuffer.h"
#include "win32/platform/Resources.h"

namespace usertest {
namespace {

using Bytes = std::vector<std::uint8_t>;

void Put16(Bytes& b, unsigned v) {
    b.push_back(static_cast<std::uint8_t>(v));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
}

void Put32(Bytes& b, std::uint32_t v) {
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}

void PutInfoHeader(Bytes& b, int width, int height, int bits, int colors) {
    Put32(b, 40);
    Put32(b, static_cast<std::uint32_t>(width));
    Put32(b, static_cast<std::uint32_t>(height));
    Put16(b, 1);
    Put16(b, static_cast<unsigned>(bits));
    Put32(b, BI_RGB);
    for (int i = 0; i < 3; ++i)
        Put32(b, 0);
    Put32(b, static_cast<std::uint32_t>(colors));
    Put32(b, 0);
}

// A 4 x 2 one-bit cursor, hot spot (1, 1). Top row: white, black, see-through, inverting;
// bottom row: see-through, see-through, white, black.
Bytes TinyCursor() {
    Bytes image;
    PutInfoHeader(image, 4, 4, 1, 2);
    Put32(image, 0x00000000);              // black
    Put32(image, 0x00FFFFFF);              // white
    for (std::uint8_t row : {0x20, 0x90})  // colour rows, bottom-up
        Put32(image, row);
    for (std::uint8_t row : {0xC0, 0x30})  // mask rows, bottom-up
        Put32(image, row);
    Bytes file;
    Put16(file, 0);
    Put16(file, 2);
    Put16(file, 1);
    file.insert(file.end(), {4, 2, 2, 0});
    Put16(file, 1);
    Put16(file, 1);
    Put32(file, static_cast<std::uint32_t>(image.size()));
    Put32(file, 22);
    file.insert(file.end(), image.begin(), image.end());
    return file;
}

Bytes ReadFile(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

HINSTANCE Program() {
    return reinterpret_cast<HINSTANCE>(GetModuleHandleA(nullptr));
}

class Resources : public UserTest {};

TEST_F(Resources, SystemCursorsAreSharedDrawnShapesWithTheirHotSpots) {
    struct Case {
        LPCSTR id;
        int hotX, hotY;
    } cases[] = {
        {IDC_ARROW, 0, 0}, {IDC_IBEAM, 15, 15},  {IDC_WAIT, 15, 15}, {IDC_CROSS, 15, 15},
        {IDC_HAND, 11, 2}, {IDC_SIZEWE, 15, 15}, {IDC_NO, 15, 15},
    };
    for (const Case& c : cases) {
        HCURSOR cursor = LoadCursorA(nullptr, c.id);
        ASSERT_NE(cursor, nullptr);
        EXPECT_EQ(LoadCursorA(nullptr, c.id), cursor);
        win32::cursors::CursorImage image;
        ASSERT_TRUE(win32::cursors::Describe(cursor, &image));
        EXPECT_EQ(image.width, 32);
        EXPECT_EQ(image.hotX, c.hotX);
        EXPECT_EQ(image.hotY, c.hotY);
        // Only black, white and see-through, and the hot spot is on the shape or next to it.
        bool nearShape = false;
        for (std::size_t i = 0; i < image.argb.size(); ++i) {
            std::uint32_t p = image.argb[i];
            EXPECT_TRUE(p == 0 || p == 0xFF000000u || p == 0xFFFFFFFFu) << std::hex << p;
            int x = static_cast<int>(i) % 32, y = static_cast<int>(i) / 32;
            if (p != 0 && std::abs(x - c.hotX) <= 1 && std::abs(y - c.hotY) <= 1)
                nearShape = true;
        }
        EXPECT_TRUE(nearShape);
    }
    EXPECT_EQ(LoadCursorA(nullptr, MAKEINTRESOURCEA(1)), nullptr);
    EXPECT_TRUE(DestroyCursor(LoadCursorA(nullptr, IDC_ARROW)));
    EXPECT_NE(LoadCursorA(nullptr, IDC_ARROW), nullptr);  // shared: it outlives DestroyCursor
}

TEST_F(Resources, CursorFromTheResourcesKeepsItsPixelsMaskAndHotSpot) {
    static const Bytes file = TinyCursor();
    win32::resources::Register(RT_GROUP_CURSOR, "TINY", file.data(), file.size());
    HCURSOR cursor = LoadCursorA(Program(), "tiny");
    ASSERT_NE(cursor, nullptr);
    EXPECT_EQ(LoadCursorA(Program(), "TINY"), cursor);
    EXPECT_EQ(LoadCursorA(nullptr, "TINY"), nullptr);  // not a system cursor
    EXPECT_EQ(LoadCursorA(Program(), "MISSING"), nullptr);
    win32::cursors::CursorImage image;
    ASSERT_TRUE(win32::cursors::Describe(cursor, &image));
    EXPECT_EQ(image.width, 4);
    EXPECT_EQ(image.height, 2);
    EXPECT_EQ(image.hotX, 1);
    EXPECT_EQ(image.hotY, 1);
    EXPECT_EQ(image.argb, (std::vector<std::uint32_t>{0xFFFFFFFF, 0xFF000000, 0, 0xFF000000, 0, 0,
                                                      0xFFFFFFFF, 0xFF000000}));
}

TEST_F(Resources, MalformedCursorFilesAreRefused) {
    static Bytes cut = TinyCursor();
    cut.erase(cut.end() - 3, cut.end());  // the mask runs past the end
    static Bytes icon = TinyCursor();
    icon[2] = 1;  // an icon where a cursor is wanted
    static Bytes farOffset = TinyCursor();
    farOffset[18] = 0xFF;  // the image would start beyond the file
    win32::resources::Register(RT_GROUP_CURSOR, "CUT", cut.data(), cut.size());
    win32::resources::Register(RT_GROUP_CURSOR, "ICON", icon.data(), icon.size());
    win32::resources::Register(RT_GROUP_CURSOR, "FAR", farOffset.data(), farOffset.size());
    EXPECT_EQ(LoadCursorA(Program(), "CUT"), nullptr);
    EXPECT_EQ(LoadCursorA(Program(), "ICON"), nullptr);
    EXPECT_EQ(LoadCursorA(Program(), "FAR"), nullptr);
}

TEST_F(Resources, TheProgramsHandCursorsAndIconDecode) {
    static const Bytes hand = ReadFile("assets/KW_HANDCUR.cur");
    static const Bytes drag = ReadFile("assets/KW_DRAGCUR.cur");
    static const Bytes icon = ReadFile("assets/MAINICON.ico");
    ASSERT_FALSE(hand.empty());
    win32::resources::Register(RT_GROUP_CURSOR, "T_HAND", hand.data(), hand.size());
    win32::resources::Register(RT_GROUP_CURSOR, "T_DRAG", drag.data(), drag.size());
    win32::resources::Register(RT_GROUP_ICON, "T_ICON", icon.data(), icon.size());
    win32::cursors::CursorImage image;
    ASSERT_TRUE(win32::cursors::Describe(LoadCursorA(Program(), "T_HAND"), &image));
    EXPECT_EQ(image.hotX, 6);
    EXPECT_EQ(image.hotY, 16);
    ASSERT_TRUE(win32::cursors::Describe(LoadCursorA(Program(), "T_DRAG"), &image));
    EXPECT_EQ(image.hotX, 15);
    EXPECT_EQ(image.hotY, 16);
    HICON mainIcon = LoadIconA(Program(), "T_ICON");
    ASSERT_TRUE(win32::cursors::Describe(mainIcon, &image));
    EXPECT_EQ(image.width, 32);
    EXPECT_EQ(image.height, 32);
    EXPECT_NE(LoadIconA(nullptr, IDI_APPLICATION), nullptr);
}

TEST_F(Resources, LoadBitmapMakesABitmapInTheScreensCurrentFormat) {
    // A 2 x 2 eight-bit DIB, bottom-up: bottom row red, green; top row blue, white.
    static Bytes dib = [] {
        Bytes b;
        PutInfoHeader(b, 2, 2, 8, 4);
        for (std::uint32_t c : {0x00FF0000u, 0x0000FF00u, 0x000000FFu, 0x00FFFFFFu})
            Put32(b, c);  // RGBQUAD: blue, green, red, reserved in memory order
        b.insert(b.end(), {0, 1, 0, 0, 2, 3, 0, 0});
        return b;
    }();
    win32::resources::Register(RT_BITMAP, "QUAD", dib.data(), dib.size());
    auto& fb = win32::Framebuffer::Instance();
    for (int bits : {32, 16}) {
        if (bits == 16)
            fb.SetFormat(fb.Format16());
        HBITMAP bitmap = LoadBitmapA(Program(), "QUAD");
        ASSERT_NE(bitmap, nullptr);
        BITMAP info{};
        ASSERT_NE(GetObjectA(bitmap, sizeof info, &info), 0);
        EXPECT_EQ(info.bmWidth, 2);
        EXPECT_EQ(info.bmHeight, 2);
        EXPECT_EQ(info.bmBitsPixel, bits);
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, bitmap);
        EXPECT_EQ(GetPixel(dc, 0, 0), RGB(0, 0, 255)) << bits;
        EXPECT_EQ(GetPixel(dc, 1, 0), RGB(255, 255, 255)) << bits;
        EXPECT_EQ(GetPixel(dc, 0, 1), RGB(255, 0, 0)) << bits;
        EXPECT_EQ(GetPixel(dc, 1, 1), RGB(0, 255, 0)) << bits;
        SelectObject(dc, old);
        DeleteDC(dc);
        DeleteObject(bitmap);
    }
    EXPECT_EQ(LoadBitmapA(Program(), "NOPE"), nullptr);
    static Bytes cut(dib.begin(), dib.end() - 4);
    win32::resources::Register(RT_BITMAP, "CUT", cut.data(), cut.size());
    EXPECT_EQ(LoadBitmapA(Program(), "CUT"), nullptr);
}

TEST_F(Resources, SetCursorTellsTheHostOnlyOfChanges) {
    ScriptedHost host;
    HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    HCURSOR hand = LoadCursorA(nullptr, IDC_HAND);
    EXPECT_EQ(SetCursor(arrow), nullptr);
    EXPECT_EQ(SetCursor(arrow), arrow);
    EXPECT_EQ(SetCursor(hand), arrow);
    EXPECT_EQ(SetCursor(nullptr), hand);
    EXPECT_EQ(host.cursors, (std::vector<HCURSOR>{arrow, hand, nullptr}));
    EXPECT_EQ(SetCursor(reinterpret_cast<HCURSOR>(0x1234)), nullptr);  // not a cursor
    EXPECT_EQ(GetCursor(), nullptr);
}

}  // namespace
}  // namespace usertest
