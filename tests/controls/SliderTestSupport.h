// The slider tests' common ground: every test starts from an empty window system on a virtual
// clock, with the program's resources and the slider's classes and cursors registered. The
// main-window strip puts a slider configured like the main window's (89 x 28 on a panel
// without bevel, range 10..60, value 35, EdgeSize 1, no tab stop, hand cursor) on a shown
// form, and drives it with real input through the platform.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/KwSlider.h"
#include "forms/Form.h"
#include "forms/Panel.h"
#include "win32/api.h"
#include "win32/platform/Input.h"
#include "win32/platform/Png.h"

namespace slidertest {

class SliderTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // A borderless form at the screen's top left with a button-face panel at (4, 20) and, on
    // it, the slider at (48, 8); shown, painted, with the events written to `log`.
    controls::TKwSlider* MainWindowSlider();
    // A slider made in code on the same panel (not configured further), window made.
    controls::TKwSlider* PlainSlider(int left, int top, int width, int height);

    // Screen position of a point in the slider's client coordinates.
    POINT OnScreen(int x, int y) const;
    // Input at a point of the slider's client area, then the queue handled. A press first lets
    // the double-click time pass, unless it is meant as the second press of a double-click.
    void Press(int x, int y, win32::input::MouseButton button = win32::input::MouseButton::Left);
    void PressAgain(int x, int y);
    void PressButton(int x, int y, win32::input::MouseButton button);
    void MoveTo(int x, int y);
    void Release(int x, int y, win32::input::MouseButton button = win32::input::MouseButton::Left);
    // A key pressed and released, optionally with Shift held.
    void Key(int virtualKey, bool withShift = false);
    // Lets `ms` milliseconds pass on the virtual clock, handling messages on every one.
    void Wait(DWORD ms);
    void Pump();

    // The slider's pixels on the screen, as they are shown.
    win32::png::RgbImage Shot() const;
    // The colour of one pixel of the slider's client area on the screen.
    COLORREF PixelAt(int x, int y) const;

    forms::TForm* form = nullptr;
    forms::TPanel* panel = nullptr;
    controls::TKwSlider* slider = nullptr;
    std::vector<std::string> log;
};

// "40,6-49,23": rectangles compared and reported readably.
std::string RectText(const RECT& rect);

// "change 50", "changed 50", "keydown 39" as the handlers of MainWindowSlider note them.
std::vector<std::string> Events(std::initializer_list<const char*> items);

}  // namespace slidertest
