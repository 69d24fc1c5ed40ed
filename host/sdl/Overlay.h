// The runner's overlay (F3): the real presented rate, the time the program's frame took and the
// processor share, drawn by the host over the scaled picture with a small built-in font. It is
// never drawn into the framebuffer, so screenshots, recordings and goldens never contain it.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <string>

namespace nuvik::host {

class Overlay {
  public:
    void Toggle() { shown_ = !shown_; }
    bool Shown() const { return shown_; }

    // A frame was presented at `nowMs` (SDL ticks) after the program worked `frameUs` on it.
    void NoteFrame(std::uint32_t nowMs, std::uint32_t frameUs);
    // Refreshes the figures about once a second.
    void Update(std::uint32_t nowMs);
    // The line as drawn, e.g. "63.0 FPS 0.04 MS 1.8% CPU".
    const std::string& Text() const { return text_; }
    void Draw(SDL_Renderer* renderer, int outputWidth) const;

  private:
    bool shown_ = false;
    std::uint32_t windowStartMs_ = 0;
    bool started_ = false;
    int frames_ = 0;
    std::uint64_t frameUsSum_ = 0;
    std::int64_t cpuUsAtStart_ = 0;
    std::string text_ = "-- FPS -- MS --% CPU";
};

}  // namespace nuvik::host
