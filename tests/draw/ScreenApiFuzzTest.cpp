// Random screen-API traffic, including everything a program may get wrong: descriptors with
// null or foreign pixels, changed sizes and owners, negative and huge rectangles and
// positions, calls after ExitScreen, and DirectDraw failures. Run under the asan preset, any
// access outside a live surface is fatal; here the program's own memory is watched as well.
#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cstdint>
#include <random>
#include <string>

#include "DisplayFixture.h"
#include "draw/ScreenApi.h"

namespace drawtest {
namespace {

using faults::Call;
using faults::Repeat;

class ScreenApiFuzz : public DisplayFixture {
  protected:
    void SetUp() override {
        DisplayFixture::SetUp();
        SetExitScreenCloser(nullptr);
    }

    int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }

    int AnyCoordinate() {
        static constexpr int kExtremes[] = {INT_MIN, INT_MIN + 1, -1, 0, 1, INT_MAX - 1, INT_MAX};
        switch (Pick(20)) {
            case 0:
            case 1:
            case 2:
                return kExtremes[Pick(7)];
            case 3:
            case 4:
            case 5:
                return static_cast<int>(random_());
            case 6:
            case 7:
            case 8:
            case 9:
                return Pick(321);
            default:
                return Pick(1101) - 400;
        }
    }

    std::string AnyText() {
        static const char* const kPieces[] = {
            "Velmont",
            " ",
            "%d",
            "%s",
            "%n",
            "%%",
            "%",
            "%99999d",
            "%.*s",
            "\xBF\xEB",
            "\xB0\xA1\xB3\xAA",
            "\xB0",
            "\xFF\xFE",
            "35 Frame / Sec",
            "\n\t",
        };
        std::string text;
        int pieces = Pick(12);
        for (int i = 0; i < pieces; ++i)
            text += kPieces[Pick(static_cast<int>(std::size(kPieces)))];
        if (Pick(50) == 0)
            text += std::string(300, 'W');
        return text;
    }

    // A descriptor pulled out of shape the way a careless program might.
    void Mangle(SurfaceDesc* desc, const SurfaceDesc* others, int count) {
        switch (Pick(7)) {
            case 0:
                desc->pixels = nullptr;
                break;
            case 1:
                desc->pixels = programMemory_.data() + Pick(8);
                break;
            case 2:
                desc->width = AnyCoordinate();
                break;
            case 3:
                desc->height = AnyCoordinate();
                break;
            case 4:
                desc->owner = others[Pick(count)].owner;
                break;
            case 5: {
                // Some record of the device, or an address between two of them.
                auto base = reinterpret_cast<std::uintptr_t>(&DDraw.screens[0]);
                base += static_cast<std::uintptr_t>(Pick(static_cast<int>(sizeof(_SURFACE)) * 140));
                desc->owner = reinterpret_cast<_SURFACE*>(base);
                break;
            }
            default:
                desc->screen = Pick(9) - 2;
                break;
        }
    }

    void InjectFault() {
        static constexpr Call kCalls[] = {Call::Lock,    Call::GetDC,         Call::ReleaseDC,
                                          Call::BltFast, Call::GetFlipStatus, Call::CreateSurface,
                                          Call::Unlock};
        Call call = kCalls[Pick(static_cast<int>(std::size(kCalls)))];
        if (Pick(3) == 0)
            faults::ReportNotReady(call);
        else
            faults::Fail(call, DDERR_GENERIC, Repeat::Once, Pick(3));
    }

    std::mt19937 random_{20240611};
    std::array<WORD, 16> programMemory_{};
};

TEST_F(ScreenApiFuzz, AHundredThousandRandomCallsStayInsideLiveSurfaces) {
    constexpr int kDescs = 6;
    SurfaceDesc descs[kDescs] = {};
    InitScreen(Window(), 16);
    GetScreen(&descs[0], 0);
    NewSurface(&descs[1]);
    std::array<WORD, 256> colours{};
    NewPalette(256, colours.data());
    int presented = 0;

    for (int step = 0; step < 100000; ++step) {
        SurfaceDesc& desc = descs[Pick(kDescs)];
        SurfaceDesc& other = descs[Pick(kDescs)];
        int roll = Pick(1000);
        if (roll < 10) {
            InitScreen(Window(), Pick(4) == 0 ? 32 : 16);
        } else if (roll < 13) {
            ExitScreen();
        } else if (roll < 90) {
            GetScreen(&desc, Pick(8) - 2);
        } else if (roll < 100) {
            NewSurface(&desc);
        } else if (roll < 105) {
            NewPalette(Pick(300), colours.data());
        } else if (roll < 130) {
            SetScreen(&desc);
        } else if (roll < 230) {
            presented += PresentScreen() ? 1 : 0;
        } else if (roll < 420) {
            FillBox(&desc, AnyCoordinate(), AnyCoordinate(), AnyCoordinate(), AnyCoordinate(),
                    static_cast<BYTE>(Pick(256)));
        } else if (roll < 490) {
            std::string text = AnyText();
            PutText(&desc, AnyCoordinate(), AnyCoordinate(), text.c_str(),
                    static_cast<BYTE>(Pick(256)));
        } else if (roll < 560) {
            ClearSurface(&desc, static_cast<BYTE>(Pick(256)));
        } else if (roll < 800) {
            RECT rect = {AnyCoordinate(), AnyCoordinate(), AnyCoordinate(), AnyCoordinate()};
            if (Pick(3) == 0)
                rect = {Pick(330), Pick(250), Pick(330), Pick(250)};
            CopySurface(&desc, AnyCoordinate(), AnyCoordinate(), &other,
                        Pick(3) == 0 ? nullptr : &rect);
        } else if (roll < 980) {
            Mangle(&desc, descs, kDescs);
        } else {
            InjectFault();
        }
    }
    faults::Reset();
    ExitScreen();

    for (WORD word : programMemory_)
        EXPECT_EQ(word, 0) << "a descriptor's foreign pixels were written";
    EXPECT_GT(presented, 0);
}

}  // namespace
}  // namespace drawtest
