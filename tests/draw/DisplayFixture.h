// A clean platform and an empty display device for every test of the display layer, with the
// message boxes the test caused and a check that nothing DirectDraw made was left alive.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "draw/Ddraw.h"
#include "win32/api.h"
#include "win32/platform/DirectDrawFaults.h"

namespace drawtest {

namespace faults = win32::ddraw::faults;

struct Box {
    std::string caption;  // UTF-8
    std::string text;
    bool operator==(const Box&) const = default;
};
void PrintTo(const Box& box, std::ostream* out);

class DisplayFixture : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // The window that owns the exclusive mode. DirectDraw only needs a handle to hold on to.
    static HWND Window();
    static std::vector<Box> Boxes();
    // Creates the device at 640 x 480 and `depth`, and expects it to work.
    static void CreateDisplay(int depth = 16);
    // Pixel of the 640 x 480 virtual screen.
    static DWORD ScreenPixel(int x, int y);
};

}  // namespace drawtest
