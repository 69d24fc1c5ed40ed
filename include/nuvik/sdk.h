// The Nuvik SDK: everything a program may use. A program is two functions, named once with
// NUVIK_PROGRAM(SetUp, Frame): the set-up runs on the frame driver's first step and returns
// non-zero once it is set up; the frame function runs on every later step and returns 0 to go
// on or 9999 to stop. Colours are palette indices; the screen is 320 x 240 at 16 bits.
// docs/sdk.md (installed as share/doc/nuvik/sdk.md) describes every call, with the exact
// behaviour programs rely on. The header compiles as C++17 and later.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "nuvik/sdk_types.h"
#include "nuvik/sdk_version.h"

// The system's own type names, so that a program written with them compiles unchanged: on
// Windows they are the platform's; elsewhere the same sizes, and RECT the same record the
// runner's platform layer uses (whichever header comes first declares it).
#if defined(_WIN32)
#include <windef.h>
#else
typedef std::uint8_t BYTE;
typedef std::uint16_t WORD;
typedef std::uint32_t DWORD;
#ifndef NUVIK_TAGRECT_DECLARED
#define NUVIK_TAGRECT_DECLARED
typedef struct tagRECT {
    std::int32_t left;
    std::int32_t top;
    std::int32_t right;
    std::int32_t bottom;
} RECT;
#endif
#endif

namespace nuvik {

// The main window, as programs see it: something to hand to InitScreen, nothing more.
struct Window;

// A source rectangle for CopySurface: columns left .. right - 1, rows top .. bottom - 1.
using Rect = ::RECT;

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

// Helpers for authors: conveniences built on the calls above, which change nothing the
// system does. Call the colour and palette helpers after InitScreen.

// An RGB colour, 0 to 255 a channel.
struct RgbColour {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
};

// The display's own 16-bit value of an RGB colour: 5-6-5 or 5-5-5, whichever layout the
// runner found when InitScreen made the display (5-6-5 before that). Each channel is rounded to
// the nearest of its 31 (63 for 5-6-5 green) steps.
std::uint16_t DisplayColour(int red, int green, int blue);

// Makes a palette whose entries 0 to count - 1 are `colours` in the display's layout and whose
// others are black, and returns its slot as NewPalette does (only the first palette made after
// InitScreen is ever looked up). Text drawn with an entry still takes its bits unscaled.
int NewRgbPalette(int count, const RgbColour* colours);

// UTF-8 text as the CP949 bytes PutText draws, converted at run time: programs whose string
// literals stay UTF-8 (nuvik_add_program's LITERALS UTF-8) pass their texts through it. A
// character CP949 does not hold becomes '?', as does a byte that is not UTF-8.
std::string ToCp949(std::string_view utf8);

// Whether the key in `slot` went down since the previous PresentScreen call: once per press,
// however long the key is held, including a press let go again before the frame saw it held.
bool KeyPressed(int slot);

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
using nuvik::DisplayColour;
using nuvik::ExitScreen;
using nuvik::FillBox;
using nuvik::FormatText;
using nuvik::GetRandom;
using nuvik::GetScreen;
using nuvik::GetTick;
using nuvik::InitScreen;
using nuvik::KeyPressed;
using nuvik::KeyState;
using nuvik::MainWindowHandle;
using nuvik::NewPalette;
using nuvik::NewRgbPalette;
using nuvik::NewSurface;
using nuvik::PresentScreen;
using nuvik::PutText;
using nuvik::Rect;
using nuvik::ResetFrameCounter;
using nuvik::RgbColour;
using nuvik::SetScreen;
using nuvik::SurfaceDesc;
using nuvik::TargetFps;
using nuvik::ToCp949;
// The enumerators one by one: `using enum` would need C++20.
using nuvik::kKey0;
using nuvik::kKey1;
using nuvik::kKey2;
using nuvik::kKey3;
using nuvik::kKey4;
using nuvik::kKey5;
using nuvik::kKey6;
using nuvik::kKey7;
using nuvik::kKey8;
using nuvik::kKey9;
using nuvik::kKeyAlt;
using nuvik::kKeyC;
using nuvik::kKeyCtrl;
using nuvik::kKeyDown;
using nuvik::kKeyEnter;
using nuvik::kKeyEscape;
using nuvik::kKeyF1;
using nuvik::kKeyF10;
using nuvik::kKeyF2;
using nuvik::kKeyLeft;
using nuvik::kKeyRight;
using nuvik::kKeyShift;
using nuvik::kKeySlotCount;
using nuvik::kKeySpace;
using nuvik::kKeyUp;
using nuvik::kKeyX;
using nuvik::kKeyZ;
using nuvik::kMouseLeftDoubleClick;
using nuvik::kMouseLeftDown;
using nuvik::kMouseLeftUp;
using nuvik::kMouseNone;
using nuvik::kMouseRightDoubleClick;
using nuvik::kMouseRightDown;
using nuvik::kMouseRightUp;
#endif

namespace nuvik::sdk {

// Called by NUVIK_PROGRAM before every step of the frame function: notes the keys that went
// down for KeyPressed. Not for programs to call.
void NoteKeysOfStep();

}  // namespace nuvik::sdk

// The runner is the program's main(): a program is two functions named with NUVIK_PROGRAM, and
// a main() of its own would never run. So a main() written after this header is refused where
// it stands, with a name that says what to do instead.
#ifndef NUVIK_SDK_ALLOW_MAIN
int nuvik_programs_have_no_main__name_your_functions_with_NUVIK_PROGRAM() = delete;
int nuvik_programs_have_no_main__name_your_functions_with_NUVIK_PROGRAM(int, char**) = delete;
#define main(...) nuvik_programs_have_no_main__name_your_functions_with_NUVIK_PROGRAM(__VA_ARGS__)
#endif

// Names the program's set-up and frame functions; write it once, in one source file, with or
// without a semicolon after it.
#define NUVIK_PROGRAM(setUp, frame)   \
    int nuvik::ProgramSetUp() {       \
        return (setUp)();             \
    }                                 \
    int nuvik::ProgramFrame() {       \
        nuvik::sdk::NoteKeysOfStep(); \
        return (frame)();             \
    }
