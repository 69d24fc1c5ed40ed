// Every drawing call, with random and hostile coordinates, stays inside the clip region and
// inside the target's memory (the asan preset turns any stray write into a failure).
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <functional>
#include <random>

#include "GdiTestSupport.h"

namespace {

using gdi_test::Canvas;

class Hostile {
  public:
    explicit Hostile(unsigned seed) : rng_(seed) {}

    int Coordinate() {
        switch (Pick(8)) {
            case 0:
                return INT_MIN;
            case 1:
                return INT_MAX;
            case 2:
                return Between(-2000000000, 2000000000);
            case 3:
                return Between(-100, 100);
            default:
                return Between(-8, 40);
        }
    }
    int Size() {
        switch (Pick(6)) {
            case 0:
                return INT_MAX;
            case 1:
                return INT_MIN;
            case 2:
                return Between(-40, 0);
            default:
                return Between(0, 40);
        }
    }
    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
    int Between(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    COLORREF Color() { return static_cast<COLORREF>(rng_()) & 0x00FFFFFF; }

  private:
    std::mt19937 rng_;
};

struct Fixture {
    Canvas& canvas;
    HDC source;
    const BITMAPINFO* dib;
    const void* dibBits;
};

using Operation = std::function<void(Hostile&, const Fixture&)>;

std::vector<std::pair<const char*, Operation>> Operations() {
    return {
        {"FillRect",
         [](Hostile& h, const Fixture& f) {
             RECT r{h.Coordinate(), h.Coordinate(), h.Coordinate(), h.Coordinate()};
             FillRect(f.canvas.dc(), &r, GetSysColorBrush(COLOR_WINDOW));
         }},
        {"FrameRect",
         [](Hostile& h, const Fixture& f) {
             RECT r{h.Coordinate(), h.Coordinate(), h.Coordinate(), h.Coordinate()};
             FrameRect(f.canvas.dc(), &r, GetSysColorBrush(COLOR_HIGHLIGHT));
         }},
        {"DrawFocusRect",
         [](Hostile& h, const Fixture& f) {
             RECT r{h.Coordinate(), h.Coordinate(), h.Coordinate(), h.Coordinate()};
             DrawFocusRect(f.canvas.dc(), &r);
         }},
        {"InvertRect",
         [](Hostile& h, const Fixture& f) {
             RECT r{h.Coordinate(), h.Coordinate(), h.Coordinate(), h.Coordinate()};
             InvertRect(f.canvas.dc(), &r);
         }},
        {"PatBlt",
         [](Hostile& h, const Fixture& f) {
             const DWORD rops[] = {PATCOPY, PATINVERT, DSTINVERT, BLACKNESS, WHITENESS, 0x00A000C9};
             PatBlt(f.canvas.dc(), h.Coordinate(), h.Coordinate(), h.Size(), h.Size(),
                    rops[h.Pick(6)]);
         }},
        {"BitBlt",
         [](Hostile& h, const Fixture& f) {
             const DWORD rops[] = {SRCCOPY, SRCINVERT, SRCAND, NOTSRCCOPY, MERGEPAINT};
             BitBlt(f.canvas.dc(), h.Coordinate(), h.Coordinate(), h.Size(), h.Size(), f.source,
                    h.Coordinate(), h.Coordinate(), rops[h.Pick(5)]);
         }},
        {"BitBlt onto itself",
         [](Hostile& h, const Fixture& f) {
             BitBlt(f.canvas.dc(), h.Coordinate(), h.Coordinate(), h.Size(), h.Size(),
                    f.canvas.dc(), h.Coordinate(), h.Coordinate(), SRCCOPY);
         }},
        {"StretchBlt",
         [](Hostile& h, const Fixture& f) {
             StretchBlt(f.canvas.dc(), h.Coordinate(), h.Coordinate(), h.Size(), h.Size(), f.source,
                        h.Coordinate(), h.Coordinate(), h.Size(), h.Size(), SRCCOPY);
         }},
        {"TransparentBlt",
         [](Hostile& h, const Fixture& f) {
             TransparentBlt(f.canvas.dc(), h.Coordinate(), h.Coordinate(), h.Size(), h.Size(),
                            f.source, h.Coordinate(), h.Coordinate(), h.Size(), h.Size(),
                            RGB(255, 0, 255));
         }},
        {"LineTo",
         [](Hostile& h, const Fixture& f) {
             const int rops[] = {R2_COPYPEN, R2_XORPEN, R2_NOT};
             SetROP2(f.canvas.dc(), rops[h.Pick(3)]);
             HPEN pen = CreatePen(h.Pick(3) == 0 ? PS_DOT : PS_SOLID, h.Between(0, 5), h.Color());
             HGDIOBJ old = SelectObject(f.canvas.dc(), pen);
             MoveToEx(f.canvas.dc(), h.Coordinate(), h.Coordinate(), nullptr);
             LineTo(f.canvas.dc(), h.Coordinate(), h.Coordinate());
             SelectObject(f.canvas.dc(), old);
             DeleteObject(pen);
             SetROP2(f.canvas.dc(), R2_COPYPEN);
         }},
        {"Rectangle",
         [](Hostile& h, const Fixture& f) {
             Rectangle(f.canvas.dc(), h.Coordinate(), h.Coordinate(), h.Coordinate(),
                       h.Coordinate());
         }},
        {"SetPixel",
         [](Hostile& h, const Fixture& f) {
             SetPixel(f.canvas.dc(), h.Coordinate(), h.Coordinate(), h.Color());
             GetPixel(f.canvas.dc(), h.Coordinate(), h.Coordinate());
         }},
        {"TextOutA",
         [](Hostile& h, const Fixture& f) {
             const char text[] = "Nuvik \xC7\xC1\xB7\xB9\xC0\xD3 \xFF\x80";
             SetBkMode(f.canvas.dc(), h.Pick(2) ? OPAQUE : TRANSPARENT);
             const UINT aligns[] = {TA_LEFT | TA_TOP, TA_RIGHT | TA_BASELINE,
                                    TA_CENTER | TA_BOTTOM};
             SetTextAlign(f.canvas.dc(), aligns[h.Pick(3)]);
             TextOutA(f.canvas.dc(), h.Coordinate(), h.Coordinate(), text,
                      h.Between(0, static_cast<int>(sizeof text) - 1));
             SetTextAlign(f.canvas.dc(), TA_LEFT | TA_TOP);
         }},
        {"DrawTextA",
         [](Hostile& h, const Fixture& f) {
             RECT r{h.Coordinate(), h.Coordinate(), h.Coordinate(), h.Coordinate()};
             const UINT formats[] = {DT_WORDBREAK, DT_SINGLELINE | DT_CENTER | DT_VCENTER,
                                     DT_RIGHT | DT_BOTTOM | DT_SINGLELINE,
                                     DT_NOCLIP | DT_EXPANDTABS};
             DrawTextA(f.canvas.dc(), "a&b c\td\r\n\xC7\xC1 e&", -1, &r, formats[h.Pick(4)]);
         }},
        {"SetDIBitsToDevice",
         [](Hostile& h, const Fixture& f) {
             SetDIBitsToDevice(f.canvas.dc(), h.Coordinate(), h.Coordinate(),
                               static_cast<DWORD>(h.Size()), static_cast<DWORD>(h.Size()),
                               h.Coordinate(), h.Coordinate(), static_cast<UINT>(h.Between(0, 12)),
                               static_cast<UINT>(h.Size()), f.dibBits, f.dib, DIB_RGB_COLORS);
         }},
        {"StretchDIBits",
         [](Hostile& h, const Fixture& f) {
             StretchDIBits(f.canvas.dc(), h.Coordinate(), h.Coordinate(), h.Size(), h.Size(),
                           h.Coordinate(), h.Coordinate(), h.Size(), h.Size(), f.dibBits, f.dib,
                           DIB_RGB_COLORS, SRCCOPY);
         }},
    };
}

// Wraps every operation in a narrowed clip region or a moved viewport now and then.
Operation Disturbed(Operation inner) {
    return [inner](Hostile& h, const Fixture& f) {
        HDC dc = f.canvas.dc();
        int saved = SaveDC(dc);
        switch (h.Pick(4)) {
            case 0:
                IntersectClipRect(dc, h.Coordinate(), h.Coordinate(), h.Coordinate(),
                                  h.Coordinate());
                break;
            case 1:
                ExcludeClipRect(dc, h.Coordinate(), h.Coordinate(), h.Coordinate(), h.Coordinate());
                break;
            case 2:
                SetViewportOrgEx(dc, h.Coordinate(), h.Coordinate(), nullptr);
                break;
            default:
                break;
        }
        inner(h, f);
        RestoreDC(dc, saved);
    };
}

TEST(Fuzz, HostileCoordinatesNeverReachPixelsOutsideTheClipRegion) {
    // An 8-bit 9 x 7 DIB (odd width: padded rows) as the picture source.
    gdi_test::DibInfo info(9, 7, 8);
    for (int i = 0; i < 256; ++i)
        info.SetColor(i, RGB(i, 255 - i, i * 7));
    std::vector<std::uint8_t> dibBits(12 * 7);
    for (std::size_t i = 0; i < dibBits.size(); ++i)
        dibBits[i] = static_cast<std::uint8_t>(i * 37);
    gdi_test::MemoryBitmap source(13, 11, 16);
    for (int y = 0; y < 11; ++y)
        for (int x = 0; x < 13; ++x)
            SetPixel(source.dc(), x, y, (x + y) % 3 ? RGB(x * 19, y * 23, 99) : RGB(255, 0, 255));

    const RECT clip[] = {{3, 2, 20, 14}, {15, 10, 30, 22}};
    for (const auto& layout : gdi_test::AllLayouts()) {
        Canvas canvas(32, 24, layout.format, {clip[0], clip[1]});
        canvas.Clear(RGB(10, 20, 30));
        std::vector<DWORD> before = canvas.Snapshot();
        Fixture fixture{canvas, source.dc(), info.info(), dibBits.data()};
        Hostile hostile(1234);
        auto operations = Operations();
        for (int round = 0; round < 600; ++round) {
            auto& [name, operation] = operations[static_cast<std::size_t>(
                hostile.Pick(static_cast<int>(operations.size())))];
            Disturbed(operation)(hostile, fixture);
            std::vector<DWORD> after = canvas.Snapshot();
            for (int y = 0; y < 24; ++y) {
                for (int x = 0; x < 32; ++x) {
                    bool inside = false;
                    for (const RECT& c : clip)
                        inside =
                            inside || (x >= c.left && x < c.right && y >= c.top && y < c.bottom);
                    if (!inside) {
                        ASSERT_EQ(after[y * 32 + x], before[y * 32 + x])
                            << layout.name << " " << name << " round " << round << " at " << x
                            << "," << y;
                    }
                }
            }
            ASSERT_TRUE(canvas.GuardsIntact()) << layout.name << " " << name << " round " << round;
        }
    }
}

}  // namespace
