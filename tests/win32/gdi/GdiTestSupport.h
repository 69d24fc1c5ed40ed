// Pixel memory with a device context on it, in each pixel layout GDI draws into, for tests
// that probe exact pixels.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "win32/gdi.h"
#include "win32/platform/DeviceContexts.h"
#include "win32/platform/Framebuffer.h"

namespace gdi_test {

struct Layout {
    const char* name;
    win32::PixelFormat format;
};

inline std::vector<Layout> AllLayouts() {
    return {{"565", win32::PixelFormat::Rgb565()},
            {"555", win32::PixelFormat::Xrgb1555()},
            {"8888", win32::PixelFormat::Xrgb8888()}};
}

// A caller-owned buffer with guard bytes around it, and a target DC drawing into it.
class Canvas {
  public:
    Canvas(int width, int height, const win32::PixelFormat& format, std::vector<RECT> clip = {},
           POINT origin = {0, 0})
        : format_(format) {
        int pitch = width * format.BytesPerPixel();
        memory_.assign(static_cast<std::size_t>(pitch) * height + 2 * kGuard, kGuardByte);
        buffer_.bits = memory_.data() + kGuard;
        buffer_.width = width;
        buffer_.height = height;
        buffer_.pitch = pitch;
        buffer_.format = format;
        Clear(RGB(0, 0, 0));
        if (clip.empty())
            clip.push_back(RECT{0, 0, width, height});
        dc_ = win32::gdi::CreateTargetDC(buffer_, origin, clip);
    }
    ~Canvas() { win32::gdi::DeleteTargetDC(dc_); }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC dc() const { return dc_; }
    const win32::PixelBuffer& buffer() const { return buffer_; }
    DWORD Raw(int x, int y) const { return win32::ReadPixel(buffer_, x, y); }
    COLORREF Color(int x, int y) const { return win32::UnpackColor(format_, Raw(x, y)); }
    DWORD Pack(COLORREF c) const { return win32::PackColor(format_, c); }
    // The colour as this layout stores it (low bits dropped).
    COLORREF Stored(COLORREF c) const { return win32::UnpackColor(format_, Pack(c)); }
    void Clear(COLORREF c) {
        for (int y = 0; y < buffer_.height; ++y)
            for (int x = 0; x < buffer_.width; ++x)
                win32::WritePixel(buffer_, x, y, Pack(c));
    }
    std::vector<DWORD> Snapshot() const {
        std::vector<DWORD> pixels;
        for (int y = 0; y < buffer_.height; ++y)
            for (int x = 0; x < buffer_.width; ++x)
                pixels.push_back(Raw(x, y));
        return pixels;
    }
    bool GuardsIntact() const {
        for (int i = 0; i < kGuard; ++i) {
            if (memory_[i] != kGuardByte || memory_[memory_.size() - 1 - i] != kGuardByte)
                return false;
        }
        return true;
    }
    // Rows of '#' (colour `ink`) and '.' (anything else) over [x0, x0 + w) x [y0, y0 + h).
    std::vector<std::string> Art(int x0, int y0, int w, int h, COLORREF ink) const {
        std::vector<std::string> rows;
        for (int y = y0; y < y0 + h; ++y) {
            std::string row;
            for (int x = x0; x < x0 + w; ++x)
                row.push_back(Color(x, y) == Stored(ink) ? '#' : '.');
            rows.push_back(row);
        }
        return rows;
    }
    int CountColor(COLORREF c) const {
        int count = 0;
        for (int y = 0; y < buffer_.height; ++y)
            for (int x = 0; x < buffer_.width; ++x)
                count += Color(x, y) == Stored(c) ? 1 : 0;
        return count;
    }

  private:
    static constexpr int kGuard = 64;
    static constexpr std::uint8_t kGuardByte = 0xA5;
    win32::PixelFormat format_;
    std::vector<std::uint8_t> memory_;
    win32::PixelBuffer buffer_;
    HDC dc_ = nullptr;
};

// A BITMAPINFO with room for a 256-entry colour table or three masks.
struct DibInfo {
    BITMAPINFOHEADER header{};
    RGBQUAD colors[256]{};

    DibInfo(int width, int height, int bits, DWORD compression = BI_RGB) {
        header.biSize = sizeof(BITMAPINFOHEADER);
        header.biWidth = width;
        header.biHeight = height;
        header.biPlanes = 1;
        header.biBitCount = static_cast<WORD>(bits);
        header.biCompression = compression;
    }
    const BITMAPINFO* info() const { return reinterpret_cast<const BITMAPINFO*>(this); }
    BITMAPINFO* info() { return reinterpret_cast<BITMAPINFO*>(this); }
    void SetColor(int index, COLORREF c) {
        colors[index] = RGBQUAD{GetBValue(c), GetGValue(c), GetRValue(c), 0};
    }
    void SetMasks(DWORD red, DWORD green, DWORD blue) {
        DWORD* masks = reinterpret_cast<DWORD*>(colors);
        masks[0] = red;
        masks[1] = green;
        masks[2] = blue;
    }
};

// A memory DC with a fresh bitmap of the given depth selected (DIB section, top-down).
class MemoryBitmap {
  public:
    MemoryBitmap(int width, int height, int bits) {
        DibInfo info(width, -height, bits);
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateDIBSection(dc_, info.info(), DIB_RGB_COLORS, &bits_, nullptr, 0);
        previous_ = SelectObject(dc_, bitmap_);
    }
    ~MemoryBitmap() {
        SelectObject(dc_, previous_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    MemoryBitmap(const MemoryBitmap&) = delete;
    MemoryBitmap& operator=(const MemoryBitmap&) = delete;

    HDC dc() const { return dc_; }
    HBITMAP bitmap() const { return bitmap_; }
    void* bits() const { return bits_; }

  private:
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    void* bits_ = nullptr;
};

}  // namespace gdi_test
