#include "SliderTestSupport.h"

#include "assets/Assets.h"
#include "forms/Application.h"
#include "support/Golden.h"
#include "win32/platform/Clock.h"
#include "win32/platform/Diagnostics.h"
#include "win32/platform/Framebuffer.h"
#include "win32/platform/Host.h"
#include "win32/platform/WindowSystem.h"

namespace slidertest {

namespace {

constexpr int kPanelLeft = 4;
constexpr int kPanelTop = 20;
constexpr int kSliderLeft = 48;
constexpr int kSliderTop = 8;
// Longer than the platform's double-click time.
constexpr DWORD kBetweenPresses = 600;

}  // namespace

std::string RectText(const RECT& rect) {
    return std::to_string(rect.left) + "," + std::to_string(rect.top) + "-" +
           std::to_string(rect.right) + "," + std::to_string(rect.bottom);
}

std::vector<std::string> Events(std::initializer_list<const char*> items) {
    return std::vector<std::string>(items.begin(), items.end());
}

void SliderTest::SetUp() {
    static bool resourcesRegistered = false;
    if (!resourcesRegistered) {
        nuvik::assets::RegisterAll();
        resourcesRegistered = true;
    }
    win32::SetCurrentHost(nullptr);
    win32::windowsystem::Reset();
    win32::input::Reset();
    win32::Framebuffer::Instance().Reset();
    win32::diagnostics::Clear();
    win32::clock::UseVirtualClock(1000);
    forms::Application->Initialize();
    controls::RegisterSliderClasses();

    form = new forms::TForm(forms::Application);
    form->SetName("Strip");
    form->SetBorderStyle(forms::bsNone);
    form->SetBounds(0, 0, 200, 100);
    panel = new forms::TPanel(form);
    panel->SetName("Panel1");
    panel->SetParent(form);
    panel->SetBevelOuter(forms::bvNone);
    panel->SetBounds(kPanelLeft, kPanelTop, 180, 60);
}

void SliderTest::TearDown() {
    forms::Application->DestroyForms();
    forms::Application->Initialize();
    win32::windowsystem::Reset();
    win32::input::Reset();
    win32::clock::UseRealClock();
}

controls::TKwSlider* SliderTest::MainWindowSlider() {
    slider = new controls::TKwSlider(form);
    slider->SetName("Slider_Frame");
    slider->SetParent(panel);
    slider->SetBounds(kSliderLeft, kSliderTop, 89, 28);
    slider->SetCursor(forms::crHandPoint);
    slider->SetMinValue(10);
    slider->SetMaxValue(60);
    slider->SetEdgeSize(1);
    slider->SetTabStop(false);
    slider->SetValue(35);
    slider->OnChange = [this](forms::TObject*) {
        log.push_back("change " + std::to_string(slider->Value()));
    };
    slider->OnChanged = [this](forms::TObject*) {
        log.push_back("changed " + std::to_string(slider->Value()));
    };
    slider->OnKeyDown = [this](forms::TObject*, WORD& key, forms::TShiftState shift) {
        log.push_back("keydown " + std::to_string(key) +
                      (shift.Contains(forms::ssShift) ? "+shift" : ""));
    };
    form->Show();
    Pump();
    return slider;
}

controls::TKwSlider* SliderTest::PlainSlider(int left, int top, int width, int height) {
    slider = new controls::TKwSlider(form);
    slider->SetParent(panel);
    slider->SetBounds(left, top, width, height);
    form->Show();
    Pump();
    return slider;
}

POINT SliderTest::OnScreen(int x, int y) const {
    POINT point{x, y};
    ClientToScreen(slider->Handle(), &point);
    return point;
}

void SliderTest::Press(int x, int y, win32::input::MouseButton button) {
    Wait(kBetweenPresses);
    PressButton(x, y, button);
}

void SliderTest::PressAgain(int x, int y) {
    PressButton(x, y, win32::input::MouseButton::Left);
}

void SliderTest::PressButton(int x, int y, win32::input::MouseButton button) {
    POINT at = OnScreen(x, y);
    win32::input::MouseMove(at.x, at.y);
    win32::input::MouseButtonDown(button, at.x, at.y);
    Pump();
}

void SliderTest::MoveTo(int x, int y) {
    POINT at = OnScreen(x, y);
    win32::input::MouseMove(at.x, at.y);
    Pump();
}

void SliderTest::Release(int x, int y, win32::input::MouseButton button) {
    POINT at = OnScreen(x, y);
    win32::input::MouseButtonUp(button, at.x, at.y);
    Pump();
}

void SliderTest::Key(int virtualKey, bool withShift) {
    if (withShift)
        win32::input::KeyDown(VK_SHIFT);
    win32::input::KeyDown(virtualKey);
    win32::input::KeyUp(virtualKey);
    if (withShift)
        win32::input::KeyUp(VK_SHIFT);
    Pump();
}

void SliderTest::Wait(DWORD ms) {
    for (DWORD i = 0; i < ms; ++i) {
        win32::clock::AdvanceVirtual(1);
        Pump();
    }
}

void SliderTest::Pump() {
    forms::Application->ProcessMessages();
}

win32::png::RgbImage SliderTest::Shot() const {
    POINT origin = OnScreen(0, 0);
    return nuvik::testing::Crop(win32::png::ToRgb(win32::Framebuffer::Instance().Buffer()),
                                origin.x, origin.y, origin.x + slider->Width(),
                                origin.y + slider->Height());
}

COLORREF SliderTest::PixelAt(int x, int y) const {
    POINT at = OnScreen(x, y);
    const win32::PixelBuffer& buffer = win32::Framebuffer::Instance().Buffer();
    return win32::UnpackColor(buffer.format, win32::ReadPixel(buffer, at.x, at.y));
}

}  // namespace slidertest
