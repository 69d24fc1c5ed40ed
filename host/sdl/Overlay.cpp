#include "host/sdl/Overlay.h"

#include <sys/resource.h>

#include <algorithm>
#include <array>
#include <cstdio>

namespace nuvik::host {

namespace {

// 5 x 7 glyphs, one row a byte (bit 4 the leftmost column).
struct Glyph {
    char c;
    std::array<std::uint8_t, 7> rows;
};

constexpr Glyph kFont[] = {
    {'0', {0x0E, 0x11, 0x13, 0x15, 0x19, 0x11, 0x0E}},
    {'1', {0x04, 0x0C, 0x04, 0x04, 0x04, 0x04, 0x0E}},
    {'2', {0x0E, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1F}},
    {'3', {0x1F, 0x02, 0x04, 0x02, 0x01, 0x11, 0x0E}},
    {'4', {0x02, 0x06, 0x0A, 0x12, 0x1F, 0x02, 0x02}},
    {'5', {0x1F, 0x10, 0x1E, 0x01, 0x01, 0x11, 0x0E}},
    {'6', {0x06, 0x08, 0x10, 0x1E, 0x11, 0x11, 0x0E}},
    {'7', {0x1F, 0x01, 0x02, 0x04, 0x08, 0x08, 0x08}},
    {'8', {0x0E, 0x11, 0x11, 0x0E, 0x11, 0x11, 0x0E}},
    {'9', {0x0E, 0x11, 0x11, 0x0F, 0x01, 0x02, 0x0C}},
    {'.', {0x00, 0x00, 0x00, 0x00, 0x00, 0x0C, 0x0C}},
    {'%', {0x18, 0x19, 0x02, 0x04, 0x08, 0x13, 0x03}},
    {'-', {0x00, 0x00, 0x00, 0x1F, 0x00, 0x00, 0x00}},
    {'F', {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x10}},
    {'P', {0x1E, 0x11, 0x11, 0x1E, 0x10, 0x10, 0x10}},
    {'S', {0x0F, 0x10, 0x10, 0x0E, 0x01, 0x01, 0x1E}},
    {'M', {0x11, 0x1B, 0x15, 0x15, 0x11, 0x11, 0x11}},
    {'C', {0x0E, 0x11, 0x10, 0x10, 0x10, 0x11, 0x0E}},
    {'U', {0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E}},
};

const Glyph* GlyphOf(char c) {
    for (const Glyph& glyph : kFont) {
        if (glyph.c == c)
            return &glyph;
    }
    return nullptr;  // a space
}

std::int64_t ProcessCpuUs() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1'000'000LL + usage.ru_utime.tv_usec +
           usage.ru_stime.tv_usec;
}

}  // namespace

void Overlay::NoteFrame(std::uint32_t nowMs, std::uint32_t frameUs) {
    Update(nowMs);
    ++frames_;
    frameUsSum_ += frameUs;
}

void Overlay::Update(std::uint32_t nowMs) {
    if (!started_) {
        started_ = true;
        windowStartMs_ = nowMs;
        cpuUsAtStart_ = ProcessCpuUs();
        return;
    }
    std::uint32_t elapsed = nowMs - windowStartMs_;
    if (elapsed < 1000)
        return;
    std::int64_t cpuUs = ProcessCpuUs();
    double fps = frames_ * 1000.0 / elapsed;
    double frameMs = frames_ > 0 ? static_cast<double>(frameUsSum_) / frames_ / 1000.0 : 0.0;
    double cpu = static_cast<double>(cpuUs - cpuUsAtStart_) / (elapsed * 10.0);
    char line[64];
    std::snprintf(line, sizeof line, "%.1f FPS %.2f MS %.1f%% CPU", fps, frameMs, cpu);
    text_ = line;
    windowStartMs_ = nowMs;
    cpuUsAtStart_ = cpuUs;
    frames_ = 0;
    frameUsSum_ = 0;
}

void Overlay::Draw(SDL_Renderer* renderer, int outputWidth) const {
    if (!shown_)
        return;
    // Two output pixels a font pixel from a 640-wide output up, on a dark plate.
    const int scale = std::max(2, outputWidth / 640 * 2);
    const int advance = 6 * scale;
    SDL_Rect plate{0, 0, static_cast<int>(text_.size()) * advance + 2 * scale, 9 * scale};
    SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_BLEND);
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 160);
    SDL_RenderFillRect(renderer, &plate);
    SDL_SetRenderDrawColor(renderer, 255, 255, 64, 255);
    int x = scale;
    for (char c : text_) {
        if (const Glyph* glyph = GlyphOf(c)) {
            for (int row = 0; row < 7; ++row) {
                for (int column = 0; column < 5; ++column) {
                    if (glyph->rows[row] & (0x10 >> column)) {
                        SDL_Rect dot{x + column * scale, scale + row * scale, scale, scale};
                        SDL_RenderFillRect(renderer, &dot);
                    }
                }
            }
        }
        x += advance;
    }
    SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_NONE);
}

}  // namespace nuvik::host
