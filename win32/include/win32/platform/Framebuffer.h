// The virtual screen: one 640 x 480 framebuffer that every window paints into and that the
// DirectDraw primary surface is. A host shows it; tests read it. Not part of the Win32 API.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "win32/types.h"

namespace win32 {

struct PixelFormat {
    int bitsPerPixel = 32;  // 16 or 32
    DWORD redMask = 0x00FF0000;
    DWORD greenMask = 0x0000FF00;
    DWORD blueMask = 0x000000FF;

    static PixelFormat Xrgb8888() { return {32, 0x00FF0000, 0x0000FF00, 0x000000FF}; }
    static PixelFormat Rgb565() { return {16, 0xF800, 0x07E0, 0x001F}; }
    static PixelFormat Xrgb1555() { return {16, 0x7C00, 0x03E0, 0x001F}; }
    int BytesPerPixel() const { return bitsPerPixel / 8; }
    bool operator==(const PixelFormat&) const = default;
};

// A view of pixel memory in one of the formats above. Rows are `pitch` bytes apart.
struct PixelBuffer {
    std::uint8_t* bits = nullptr;
    int width = 0;
    int height = 0;
    int pitch = 0;
    PixelFormat format;
};

// COLORREF (0x00BBGGRR) to a pixel value of `format` and back; 8-bit channels are cut to the
// format's width (low bits dropped) and widened by replicating the top bits.
DWORD PackColor(const PixelFormat& format, COLORREF color);
COLORREF UnpackColor(const PixelFormat& format, DWORD pixel);
DWORD ReadPixel(const PixelBuffer& buffer, int x, int y);
void WritePixel(const PixelBuffer& buffer, int x, int y, DWORD pixel);

class Framebuffer {
  public:
    static constexpr int kWidth = 640;
    static constexpr int kHeight = 480;

    static Framebuffer& Instance();

    const PixelBuffer& Buffer() const { return buffer_; }
    const PixelFormat& Format() const { return buffer_.format; }

    // Switches the pixel format (the display mode change); the contents are cleared to black
    // and every mode listener is told, so that the window system repaints every window.
    void SetFormat(const PixelFormat& format);
    // The red mask that the display reports at 16 bits per pixel (a simulated video card);
    // 0xF800 by default. A 0x7C00 card stores 5-5-5 pixels; any other value keeps 5-6-5 pixels.
    void SetReportedRedMask16(DWORD mask) { reportedRedMask16_ = mask; }
    DWORD ReportedRedMask16() const { return reportedRedMask16_; }
    // The format that SetDisplayMode(…, 16) switches to, following the reported red mask.
    PixelFormat Format16() const;

    void MarkDirty(const RECT& rect);
    void MarkAllDirty();
    bool IsDirty() const { return dirty_.right > dirty_.left && dirty_.bottom > dirty_.top; }
    // Returns and clears the dirty rectangle (empty when nothing changed).
    RECT TakeDirty();

    // Called after every format change; returns an id for RemoveModeListener.
    int AddModeListener(std::function<void()> listener);
    void RemoveModeListener(int id);

    // Back to the state at process start: 32 bits, black, red mask 0xF800 (listeners stay).
    void Reset();

  private:
    Framebuffer();
    void Allocate(const PixelFormat& format);

    PixelBuffer buffer_;
    std::vector<std::uint8_t> storage_;
    RECT dirty_{0, 0, 0, 0};
    DWORD reportedRedMask16_ = 0xF800;
    struct Listener {
        int id;
        std::function<void()> fn;
    };
    std::vector<Listener> listeners_;
    int nextListenerId_ = 1;
};

}  // namespace win32
