#include "user/CursorShapes.h"

#include <cmath>
#include <cstring>
#include <vector>

namespace win32::user {

namespace {

constexpr std::uint32_t kBlack = 0xFF000000u;
constexpr std::uint32_t kWhite = 0xFFFFFFFFu;
constexpr int kSize = 32;

// A 32 x 32 picture built from text rows ('K' black, 'W' white, anything else see-through)
// or from black "ink" that gets a white outline, so that it shows on any background.
class Canvas {
  public:
    Canvas() : ink_(kSize * kSize, false) {
        image_.width = kSize;
        image_.height = kSize;
        image_.argb.assign(kSize * kSize, 0);
    }

    void Rows(int left, int top, std::initializer_list<const char*> rows) {
        int y = top;
        for (const char* row : rows) {
            for (int x = 0; row[x] != '\0'; ++x) {
                if (row[x] == 'K')
                    Set(left + x, y, kBlack);
                else if (row[x] == 'W')
                    Set(left + x, y, kWhite);
            }
            ++y;
        }
    }

    void Ink(int x, int y) {
        if (x >= 0 && x < kSize && y >= 0 && y < kSize)
            ink_[static_cast<std::size_t>(y * kSize + x)] = true;
    }

    // Black ink with a one-pixel white border around it.
    void Outline() {
        for (int y = 0; y < kSize; ++y) {
            for (int x = 0; x < kSize; ++x) {
                if (!InkAt(x, y))
                    continue;
                for (int dy = -1; dy <= 1; ++dy) {
                    for (int dx = -1; dx <= 1; ++dx) {
                        if (!InkAt(x + dx, y + dy))
                            Set(x + dx, y + dy, kWhite);
                    }
                }
            }
        }
        for (int y = 0; y < kSize; ++y) {
            for (int x = 0; x < kSize; ++x) {
                if (InkAt(x, y))
                    Set(x, y, kBlack);
            }
        }
    }

    cursors::CursorImage Finish(int hotX, int hotY) {
        image_.hotX = hotX;
        image_.hotY = hotY;
        return image_;
    }

  private:
    bool InkAt(int x, int y) const {
        return x >= 0 && x < kSize && y >= 0 && y < kSize &&
               ink_[static_cast<std::size_t>(y * kSize + x)];
    }
    void Set(int x, int y, std::uint32_t argb) {
        if (x >= 0 && x < kSize && y >= 0 && y < kSize)
            image_.argb[static_cast<std::size_t>(y * kSize + x)] = argb;
    }

    cursors::CursorImage image_;
    std::vector<bool> ink_;
};

void Arrow(Canvas& c) {
    c.Rows(0, 0,
           {"K", "KK", "KWK", "KWWK", "KWWWK", "KWWWWK", "KWWWWWK", "KWWWWWWK", "KWWWWWWWK",
            "KWWWWWWWWK", "KWWWWWKKKKK", "KWWKWWK", "KWK KWWK", "KK  KWWK", "K    KWWK",
            "     KWWK", "      KWWK", "      KWWK", "       KK"});
}

void Hourglass(Canvas& c, int left, int top) {
    c.Rows(left, top,
           {"KKKKKKKKKKK", "KWWWWWWWWWK", " KWWWWWWWK", "  KWWWWWK", "   KWWWK", "    KWK",
            "   KWWWK", "  KWWWWWK", " KWWWWWWWK", "KWWWWWWWWWK", "KKKKKKKKKKK"});
}

// A double-headed arrow through the centre along (ax, ay); heads 4 pixels long.
void DoubleArrow(Canvas& c, double ax, double ay) {
    double length = std::hypot(ax, ay);
    ax /= length;
    ay /= length;
    constexpr double kReach = 10.5, kHead = 4.5;
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            double px = x - 15, py = y - 15;
            double u = std::fabs(px * ax + py * ay);
            double v = std::fabs(-px * ay + py * ax);
            if (u > kReach)
                continue;
            if (v <= 0.5 || (u >= kReach - kHead && v <= kReach - u + 0.25))
                c.Ink(x, y);
        }
    }
}

}  // namespace

bool DrawSystemCursor(int id, cursors::CursorImage* image) {
    Canvas c;
    switch (id) {
        case 32512:  // IDC_ARROW
            Arrow(c);
            *image = c.Finish(0, 0);
            return true;
        case 32513:  // IDC_IBEAM
            for (int y = 8; y <= 22; ++y)
                c.Ink(15, y);
            for (int x = 12; x <= 18; ++x) {
                if (x != 15) {
                    c.Ink(x, 7);
                    c.Ink(x, 23);
                }
            }
            c.Outline();
            *image = c.Finish(15, 15);
            return true;
        case 32514:  // IDC_WAIT
            Hourglass(c, 10, 10);
            *image = c.Finish(15, 15);
            return true;
        case 32515:  // IDC_CROSS
            for (int i = 5; i <= 25; ++i) {
                c.Ink(15, i);
                c.Ink(i, 15);
            }
            c.Outline();
            *image = c.Finish(15, 15);
            return true;
        case 32516:  // IDC_UPARROW
            c.Rows(11, 5,
                   {"    K", "   KWK", "  KWWWK", " KWWWWWK", "KWWWWWWWK", "KKKWWWKKK", "  KWWWK",
                    "  KWWWK", "  KWWWK", "  KWWWK", "  KWWWK", "  KWWWK", "  KKKKK"});
            *image = c.Finish(15, 5);
            return true;
        case 32642:  // IDC_SIZENWSE
            DoubleArrow(c, 1, 1);
            c.Outline();
            *image = c.Finish(15, 15);
            return true;
        case 32643:  // IDC_SIZENESW
            DoubleArrow(c, 1, -1);
            c.Outline();
            *image = c.Finish(15, 15);
            return true;
        case 32644:  // IDC_SIZEWE
            DoubleArrow(c, 1, 0);
            c.Outline();
            *image = c.Finish(15, 15);
            return true;
        case 32645:  // IDC_SIZENS
            DoubleArrow(c, 0, 1);
            c.Outline();
            *image = c.Finish(15, 15);
            return true;
        case 32646:  // IDC_SIZEALL
            DoubleArrow(c, 1, 0);
            DoubleArrow(c, 0, 1);
            c.Outline();
            *image = c.Finish(15, 15);
            return true;
        case 32648:  // IDC_NO
            for (int y = 0; y < kSize; ++y) {
                for (int x = 0; x < kSize; ++x) {
                    double px = x - 15, py = y - 15;
                    double r = std::hypot(px, py);
                    bool ring = r >= 6.5 && r <= 9.0;
                    bool bar = r <= 7.0 && std::fabs(px - py) <= 1.5;
                    if (ring || bar)
                        c.Ink(x, y);
                }
            }
            c.Outline();
            *image = c.Finish(15, 15);
            return true;
        case 32649:  // IDC_HAND
            c.Rows(
                6, 2,
                {"     KK",           "    KWWK",          "    KWWK",          "    KWWK",
                 "    KWWK",          "    KWWKKK",        "    KWWKWWKKK",     "    KWWKWWKWWKK",
                 "    KWWKWWKWWKWK",  "KKK KWWWWWWWWKWWK", "KWWKKWWWWWWWWWWWK", "KWWWKWWWWWWWWWWWK",
                 " KWWWWWWWWWWWWWWK", "  KWWWWWWWWWWWWWK", "  KWWWWWWWWWWWWWK", "   KWWWWWWWWWWWK",
                 "   KWWWWWWWWWWWK",  "    KWWWWWWWWWK",   "    KWWWWWWWWWK",   "    KKKKKKKKKKK"});
            *image = c.Finish(11, 2);
            return true;
        case 32650:  // IDC_APPSTARTING
            Arrow(c);
            Hourglass(c, 12, 12);
            *image = c.Finish(0, 0);
            return true;
        case 32651:  // IDC_HELP
            Arrow(c);
            c.Rows(12, 2,
                   {" KKKKK", "KWWWWWK", "KWKKKWWK", " K  KWWK", "   KWWK", "  KWWK", "  KWWK",
                    "  KKKK", "  KWWK", "  KWWK", "  KKKK"});
            *image = c.Finish(0, 0);
            return true;
        default:
            return false;
    }
}

void DrawApplicationIcon(cursors::CursorImage* image) {
    Canvas c;
    const char* body = "KWWWWWWWWWWWWWWWWWWWWWWWWWWWWK";
    c.Rows(1, 3, {"KKKKKKKKKKKKKKKKKKKKKKKKKKKKKK"});
    for (int y = 4; y < 9; ++y)
        c.Rows(1, y, {"KKKKKKKKKKKKKKKKKKKKKKKKKKKKKK"});
    for (int y = 9; y < 28; ++y)
        c.Rows(1, y, {body});
    c.Rows(1, 28, {"KKKKKKKKKKKKKKKKKKKKKKKKKKKKKK"});
    // The title bar in the classic navy.
    cursors::CursorImage picture = c.Finish(16, 16);
    for (int y = 4; y < 9; ++y) {
        for (int x = 2; x < 30; ++x)
            picture.argb[static_cast<std::size_t>(y * kSize + x)] = 0xFF000080u;
    }
    *image = picture;
}

}  // namespace win32::user
