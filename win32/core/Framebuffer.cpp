#include "win32/platform/Framebuffer.h"

#include <algorithm>
#include <cstring>

namespace win32 {

namespace {

int ShiftOf(DWORD mask) {
    int shift = 0;
    while (mask != 0 && (mask & 1) == 0) {
        mask >>= 1;
        ++shift;
    }
    return shift;
}

int WidthOf(DWORD mask) {
    mask >>= ShiftOf(mask);
    int width = 0;
    while (mask & 1) {
        mask >>= 1;
        ++width;
    }
    return width;
}

DWORD PackChannel(BYTE value, DWORD mask) {
    int width = WidthOf(mask);
    if (width == 0)
        return 0;
    return (static_cast<DWORD>(value) >> (8 - std::min(width, 8))) << ShiftOf(mask);
}

BYTE UnpackChannel(DWORD pixel, DWORD mask) {
    int width = WidthOf(mask);
    if (width == 0)
        return 0;
    DWORD value = (pixel & mask) >> ShiftOf(mask);
    if (width >= 8)
        return static_cast<BYTE>(value >> (width - 8));
    // Replicate the top bits so that full intensity stays 255.
    DWORD widened = value << (8 - width);
    for (int filled = width; filled < 8; filled += width) {
        widened |= value << (8 - width) >> filled;
    }
    return static_cast<BYTE>(widened);
}

}  // namespace

DWORD PackColor(const PixelFormat& format, COLORREF color) {
    return PackChannel(GetRValue(color), format.redMask) |
           PackChannel(GetGValue(color), format.greenMask) |
           PackChannel(GetBValue(color), format.blueMask);
}

COLORREF UnpackColor(const PixelFormat& format, DWORD pixel) {
    return RGB(UnpackChannel(pixel, format.redMask), UnpackChannel(pixel, format.greenMask),
               UnpackChannel(pixel, format.blueMask));
}

DWORD ReadPixel(const PixelBuffer& buffer, int x, int y) {
    const std::uint8_t* row = buffer.bits + static_cast<std::ptrdiff_t>(y) * buffer.pitch;
    if (buffer.format.bitsPerPixel == 16) {
        std::uint16_t value;
        std::memcpy(&value, row + x * 2, 2);
        return value;
    }
    std::uint32_t value;
    std::memcpy(&value, row + x * 4, 4);
    return value;
}

void WritePixel(const PixelBuffer& buffer, int x, int y, DWORD pixel) {
    std::uint8_t* row = buffer.bits + static_cast<std::ptrdiff_t>(y) * buffer.pitch;
    if (buffer.format.bitsPerPixel == 16) {
        auto value = static_cast<std::uint16_t>(pixel);
        std::memcpy(row + x * 2, &value, 2);
    } else {
        std::uint32_t value = pixel;
        std::memcpy(row + x * 4, &value, 4);
    }
}

Framebuffer& Framebuffer::Instance() {
    static Framebuffer instance;
    return instance;
}

Framebuffer::Framebuffer() {
    Allocate(PixelFormat::Xrgb8888());
}

void Framebuffer::Allocate(const PixelFormat& format) {
    buffer_.format = format;
    buffer_.width = kWidth;
    buffer_.height = kHeight;
    buffer_.pitch = kWidth * format.BytesPerPixel();
    // The largest format is allocated once, so that the address never changes: a surface's
    // kept pixel address stays valid across a mode switch, as on a real display.
    storage_.resize(static_cast<std::size_t>(kWidth) * kHeight * 4);
    std::fill(storage_.begin(), storage_.end(), 0);
    buffer_.bits = storage_.data();
    MarkAllDirty();
}

PixelFormat Framebuffer::Format16() const {
    return reportedRedMask16_ == 0x7C00 ? PixelFormat::Xrgb1555() : PixelFormat::Rgb565();
}

void Framebuffer::SetFormat(const PixelFormat& format) {
    Allocate(format);
    // Listeners may add or remove listeners while they run: iterate over a copy.
    auto listeners = listeners_;
    for (auto& listener : listeners)
        listener.fn();
}

void Framebuffer::MarkDirty(const RECT& rect) {
    RECT clipped{std::max<LONG>(rect.left, 0), std::max<LONG>(rect.top, 0),
                 std::min<LONG>(rect.right, kWidth), std::min<LONG>(rect.bottom, kHeight)};
    if (clipped.right <= clipped.left || clipped.bottom <= clipped.top)
        return;
    if (!IsDirty()) {
        dirty_ = clipped;
        return;
    }
    dirty_.left = std::min(dirty_.left, clipped.left);
    dirty_.top = std::min(dirty_.top, clipped.top);
    dirty_.right = std::max(dirty_.right, clipped.right);
    dirty_.bottom = std::max(dirty_.bottom, clipped.bottom);
}

void Framebuffer::MarkAllDirty() {
    dirty_ = RECT{0, 0, kWidth, kHeight};
}

RECT Framebuffer::TakeDirty() {
    RECT taken = IsDirty() ? dirty_ : RECT{0, 0, 0, 0};
    dirty_ = RECT{0, 0, 0, 0};
    return taken;
}

int Framebuffer::AddModeListener(std::function<void()> listener) {
    int id = nextListenerId_++;
    listeners_.push_back({id, std::move(listener)});
    return id;
}

void Framebuffer::RemoveModeListener(int id) {
    std::erase_if(listeners_, [id](const Listener& l) { return l.id == id; });
}

void Framebuffer::Reset() {
    reportedRedMask16_ = 0xF800;
    Allocate(PixelFormat::Xrgb8888());
}

}  // namespace win32
