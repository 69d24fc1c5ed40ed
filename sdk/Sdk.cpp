// The SDK's calls, handed to the runner's own screen API, frame unit and key record. Programs
// see none of the runner's headers: the names here are the only way in.
#define NUVIK_SDK_QUALIFIED_NAMES_ONLY
#include <nuvik/sdk.h>

#include <cstdarg>
#include <type_traits>

#include "draw/ScreenApi.h"
#include "event/KeyState.h"
#include "frame/FormatText.h"
#include "frame/FpsCounter.h"
#include "frame/Random.h"
#include "frame/Tick.h"
#include "sdk/PressedKeys.h"
#include "sdk/ReportedRate.h"

static_assert(std::is_same_v<nuvik::Rect, RECT>,
              "a program's RECT is the source rectangle the runner's CopySurface takes");
static_assert(
    std::is_same_v<decltype(::TargetFps), std::remove_cvref_t<decltype(nuvik::TargetFps)>>,
    "the SDK's TargetFps views the runner's own variable");

namespace {

WORD lastReportedRate = 0;

}  // namespace

namespace nuvik {

const KeyStateRecord& KeyState = ::KeyState;
const std::remove_cvref_t<decltype(::TargetFps)>& TargetFps = ::TargetFps;
const MainWindowReference MainWindowHandle{};

MainWindowReference::operator Window*() const {
    return reinterpret_cast<Window*>(::MainWindowHandle);
}

int InitScreen(Window* window, int depth) {
    return ::InitScreen(reinterpret_cast<HWND>(window), depth);
}

int GetScreen(SurfaceDesc* desc, int index) {
    return ::GetScreen(desc, index);
}

int NewSurface(SurfaceDesc* desc) {
    return ::NewSurface(desc);
}

void SetScreen(const SurfaceDesc* desc) {
    ::SetScreen(desc);
}

bool PresentScreen() {
    sdk::ForgetPressedKeys();
    return ::PresentScreen();
}

void ExitScreen() {
    ::ExitScreen();
}

int NewPalette(int count, const std::uint16_t* colours) {
    return ::NewPalette(count, colours);
}

int FillBox(const SurfaceDesc* desc, int x, int y, int w, int h, std::uint8_t colourIndex) {
    return ::FillBox(desc, x, y, w, h, colourIndex);
}

std::int32_t PutText(const SurfaceDesc* desc, int x, int y, const char* text,
                     std::uint8_t colourIndex) {
    return ::PutText(desc, x, y, text, colourIndex);
}

void ClearSurface(const SurfaceDesc* desc, std::uint8_t colourIndex) {
    ::ClearSurface(desc, colourIndex);
}

void CopySurface(const SurfaceDesc* destination, int x, int y, const SurfaceDesc* source,
                 const Rect* sourceRect) {
    ::CopySurface(destination, x, y, source, sourceRect);
}

std::uint32_t GetTick() {
    return ::GetTick();
}

std::uint32_t GetRandom() {
    return ::GetRandom();
}

int FormatText(char* buffer, const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    ::FormatTextV(buffer, format, arguments);
    va_end(arguments);
    return 0;
}

void ResetFrameCounter() {
    ::ResetFrameCounter();
}

std::uint16_t CountFrame() {
    WORD count = ::CountFrame();
    if (count != 0)
        lastReportedRate = count;
    return count;
}

}  // namespace nuvik

namespace nuvik::sdk {

int LastReportedRate() {
    return lastReportedRate;
}

}  // namespace nuvik::sdk
