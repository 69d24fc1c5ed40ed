// The screen API's hot paths, each beside a baseline measured in the same run:
//   CopySurface of the whole screen    vs memcpy of the same 240 rows
//   the copy PresentScreen makes       vs SDL_BlitSurface 320 x 240 RGB565 onto 640 x 480
//   FillBox 100 x 100                  vs SDL_FillRect of the same rectangle
//   PutText of the banner (warm glyph cache)
// Compare each pair's times; run from a Release build tree.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "draw/ScreenApi.h"
#include "win32/platform/Diagnostics.h"

namespace {

// The demo's set-up: a 16-bit display, screen 0, the grey palette and one work surface.
struct Display {
    SurfaceDesc screen{};
    SurfaceDesc work{};
    std::string banner;

    Display() {
        static int windowOwner = 0;
        InitScreen(reinterpret_cast<HWND>(&windowOwner), 16);
        GetScreen(&screen, 0);
        std::array<WORD, 256> zeros{};
        NewPalette(256, zeros.data());
        SetScreen(&screen);
        NewSurface(&work);
        ClearSurface(&screen, 0);
        for (int i = 0; i < 320 * 240; ++i)
            work.pixels[i] = static_cast<WORD>(i * 2654435761u >> 16);
        banner = win32::diagnostics::Utf8ToCp949("Velmont용 Nuvik SDK Ver 0.2");
    }
};

Display& TheDisplay() {
    static Display display;
    return display;
}

void CopySurfaceWholeScreen(benchmark::State& state) {
    Display& display = TheDisplay();
    for (auto _ : state) {
        CopySurface(&display.screen, 0, 0, &display.work, nullptr);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(CopySurfaceWholeScreen);

void BaselineMemcpyRows(benchmark::State& state) {
    Display& display = TheDisplay();
    // Hidden from the optimiser, so that each row is the C library's memcpy (as in
    // CopySurface) rather than an inlined sequence of moves for a known size.
    std::size_t rowBytes = 320 * sizeof(WORD);
    benchmark::DoNotOptimize(rowBytes);
    for (auto _ : state) {
        for (int row = 0; row < 240; ++row)
            std::memcpy(display.screen.pixels + row * 320, display.work.pixels + row * 320,
                        rowBytes);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BaselineMemcpyRows);

// The copy that every second PresentScreen makes: screen 0 onto the display at (160, 95).
void PresentCopy(benchmark::State& state) {
    TheDisplay();
    for (auto _ : state) {
        bool copied = DDraw.screens[0].Blt(&DDraw.display, _DDRAW::kPresentX, _DDRAW::kPresentY,
                                           nullptr, false, 0);
        benchmark::DoNotOptimize(copied);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(PresentCopy);

// Two PresentScreen calls: one copies, one only clears the pending flag.
void PresentScreenPair(benchmark::State& state) {
    TheDisplay();
    for (auto _ : state) {
        benchmark::DoNotOptimize(PresentScreen());
        benchmark::DoNotOptimize(PresentScreen());
    }
}
BENCHMARK(PresentScreenPair);

void BaselineSdlBlit320x240Onto640x480(benchmark::State& state) {
    SDL_Surface* screen = SDL_CreateRGBSurfaceWithFormat(0, 320, 240, 16, SDL_PIXELFORMAT_RGB565);
    SDL_Surface* display = SDL_CreateRGBSurfaceWithFormat(0, 640, 480, 16, SDL_PIXELFORMAT_RGB565);
    if (screen == nullptr || display == nullptr) {
        state.SkipWithError(SDL_GetError());
        return;
    }
    std::memcpy(screen->pixels, TheDisplay().work.pixels, 320 * 240 * sizeof(WORD));
    for (auto _ : state) {
        SDL_Rect at = {160, 95, 320, 240};
        benchmark::DoNotOptimize(SDL_BlitSurface(screen, nullptr, display, &at));
        benchmark::ClobberMemory();
    }
    SDL_FreeSurface(display);
    SDL_FreeSurface(screen);
}
BENCHMARK(BaselineSdlBlit320x240Onto640x480);

void FillBox100(benchmark::State& state) {
    Display& display = TheDisplay();
    BYTE colour = 0;
    for (auto _ : state) {
        FillBox(&display.work, 110, 70, 100, 100, colour++);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(FillBox100);

void BaselineSdlFillRect100(benchmark::State& state) {
    SDL_Surface* work = SDL_CreateRGBSurfaceWithFormat(0, 320, 240, 16, SDL_PIXELFORMAT_RGB565);
    if (work == nullptr) {
        state.SkipWithError(SDL_GetError());
        return;
    }
    Uint32 colour = 0;
    for (auto _ : state) {
        SDL_Rect rect = {110, 70, 100, 100};
        benchmark::DoNotOptimize(SDL_FillRect(work, &rect, colour++ & 0xFFFF));
        benchmark::ClobberMemory();
    }
    SDL_FreeSurface(work);
}
BENCHMARK(BaselineSdlFillRect100);

// The floor for the same square: 100 rows of 200 bytes through memset (a byte pattern, which
// a 16-bit colour is not in general). On some virtual machines SDL_FillRect's streaming stores
// are far slower than cached ones, so the fill is read against this as well.
void BaselineMemsetRows100(benchmark::State& state) {
    std::vector<WORD> work(320 * 240);
    int colour = 0;
    for (auto _ : state) {
        WORD* square = work.data() + 70 * 320 + 110;
        for (int row = 0; row < 100; ++row)
            std::memset(square + row * 320, colour & 0xFF, 100 * sizeof(WORD));
        ++colour;
        benchmark::DoNotOptimize(work.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BaselineMemsetRows100);

void PutTextBanner(benchmark::State& state) {
    Display& display = TheDisplay();
    // The first drawing fills the glyph cache; the figure is for a warm one.
    PutText(&display.screen, 0, 0, display.banner.c_str(), 250);
    for (auto _ : state) {
        benchmark::DoNotOptimize(PutText(&display.screen, 0, 0, display.banner.c_str(), 250));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(PutTextBanner)->Unit(benchmark::kMicrosecond);

void PutTextFrameLine(benchmark::State& state) {
    Display& display = TheDisplay();
    PutText(&display.screen, 0, 20, "35 Frame / Sec", 250);
    for (auto _ : state)
        benchmark::DoNotOptimize(PutText(&display.screen, 0, 20, "35 Frame / Sec", 250));
}
BENCHMARK(PutTextFrameLine)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
