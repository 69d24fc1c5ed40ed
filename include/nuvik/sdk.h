// The Nuvik SDK: everything a program may use. A program is two functions, named once with
// NUVIK_PROGRAM(SetUp, Frame): the set-up runs on the frame driver's first step and returns
// non-zero once it is set up; the frame function runs on every later step and returns 0 to go
// on or 9999 to stop. Colours are palette indices; the screen is 320 x 240 at 16 bits.
// docs/sdk.md (installed as share/doc/nuvik/sdk.md) describes every call, with the exact
// behaviour programs rely on.
#pragma once

#include <cstdint>

#include "nuvik/sdk_types.h"

namespace nuvik {

// The main window, as programs see it: something to hand to InitScreen, nothing more.
struct Window;

// A source rectangle for CopySurface: columns left .. right - 1, rows top .. bottom - 1.
struct Rect {
    std::int32_t left;
    std::int32_t top;
    std::int32_t right;
    std::int32_t bottom;
};

// Screen API. Call InitScreen once, then make descriptors, palettes and choose the shown
// screen, then draw and PresentScreen every frame; ExitScreen ends the program.
int InitScreen(Window* window, int depth);
int GetScreen(SurfaceDesc* desc, int index);
int NewSurface(SurfaceDesc* desc);
void SetScreen(const SurfaceDesc* desc);
bool PresentScreen();
void ExitScreen();
int NewPalette(int count, const std::uint16_t* colours);
int FillBox(const SurfaceDesc* desc, int x, int y, int w, int h, std::uint8_t colourIndex);
std::int32_t PutText(const SurfaceDesc* desc, int x, int y, const char* text,
                     std::uint8_t colourIndex);
void ClearSurface(const SurfaceDesc* desc, std::uint8_t colourIndex);
void CopySurface(const SurfaceDesc* destination, int x, int y, const SurfaceDesc* source,
                 const Rect* sourceRect);

// Tick, random numbers, formatting and the frames-per-second counter.
std::uint32_t GetTick();
std::uint32_t GetRandom();
int FormatText(char* buffer, const char* format, ...) __attribute__((format(printf, 2, 3)));
void ResetFrameCounter();
std::uint16_t CountFrame();

// Read-only views of the runner's globals. The key record is live: it changes whenever the
// runner's loop takes a message. TargetFps is what the frame-rate slider shows (10 to 60).
extern const KeyStateRecord& KeyState;
#if defined(_WIN32)
extern const long& TargetFps;
#else
extern const std::int32_t& TargetFps;
#endif

// The main window's handle, which a program passes to InitScreen.
struct MainWindowReference {
    operator Window*() const;  // NOLINT(google-explicit-constructor): reads like the handle
};
extern const MainWindowReference MainWindowHandle;

}  // namespace nuvik

// Programs use the SDK's names unqualified.
#ifndef NUVIK_SDK_QUALIFIED_NAMES_ONLY
using nuvik::ClearSurface;
using nuvik::CopySurface;
using nuvik::CountFrame;
using nuvik::ExitScreen;
using nuvik::FillBox;
using nuvik::FormatText;
using nuvik::GetRandom;
using nuvik::GetScreen;
using nuvik::GetTick;
using nuvik::InitScreen;
using nuvik::KeyState;
using nuvik::MainWindowHandle;
using nuvik::NewPalette;
using nuvik::NewSurface;
using nuvik::PresentScreen;
using nuvik::PutText;
using nuvik::Rect;
using nuvik::ResetFrameCounter;
using nuvik::SetScreen;
using nuvik::SurfaceDesc;
using nuvik::TargetFps;
using enum nuvik::KeySlot;
using enum nuvik::MouseEventCode;
#endif

// The runner is the program's main(): a program is two functions named with NUVIK_PROGRAM, and
// a main() of its own would never run. So a main() written after this header is refused where
// it stands, with a name that says what to do instead.
#ifndef NUVIK_SDK_ALLOW_MAIN
int nuvik_programs_have_no_main__name_your_functions_with_NUVIK_PROGRAM() = delete;
int nuvik_programs_have_no_main__name_your_functions_with_NUVIK_PROGRAM(int, char**) = delete;
#define main(...) nuvik_programs_have_no_main__name_your_functions_with_NUVIK_PROGRAM(__VA_ARGS__)
#endif

// Names the program's set-up and frame functions; write it once, in one source file.
#define NUVIK_PROGRAM(setUp, frame) \
    int nuvik::ProgramSetUp() {     \
        return (setUp)();           \
    }                               \
    int nuvik::ProgramFrame() {     \
        return (frame)();           \
    }                               \
    static_assert(true, "NUVIK_PROGRAM ends with a semicolon")
