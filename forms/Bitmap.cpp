#include "forms/Bitmap.h"

#include <algorithm>
#include <cstring>

#include "forms/ClassInfo.h"
#include "forms/Dib.h"
#include "forms/Exception.h"
#include "forms/Picture.h"

namespace forms {

// The bitmap's canvas: a memory device context with the bitmap selected, made on first use.
class TBitmap::TBitmapCanvas : public TCanvas {
  public:
    explicit TBitmapCanvas(TBitmap& bitmap) : bitmap_(bitmap) {}

  protected:
    void CreateHandle() override {
        if (bitmap_.dc_ == nullptr) {
            bitmap_.dc_ = CreateCompatibleDC(nullptr);
            if (bitmap_.dc_ == nullptr)
                return;
            if (bitmap_.bitmap_ != nullptr)
                bitmap_.originalBitmap_ = SelectObject(bitmap_.dc_, bitmap_.bitmap_);
        }
        SetHandle(bitmap_.dc_);
    }

  private:
    TBitmap& bitmap_;
};

const TClassInfo& TBitmap::ClassInfo() {
    static const TClassInfo info("TBitmap", &TPersistent::ClassInfo());
    return info;
}

TBitmap::TBitmap() : canvas_(std::make_unique<TBitmapCanvas>(*this)) {
    canvas_->OnChange = [this](TObject*) { Changed(); };
}

TBitmap::~TBitmap() {
    canvas_->OnChange = nullptr;
    ReleaseCanvasHandle();
    if (bitmap_ != nullptr)
        DeleteObject(bitmap_);
}

void TBitmap::ReleaseCanvasHandle() {
    canvas_->SetHandle(nullptr);
    if (dc_ != nullptr) {
        if (originalBitmap_ != nullptr)
            SelectObject(dc_, originalBitmap_);
        DeleteDC(dc_);
        dc_ = nullptr;
        originalBitmap_ = nullptr;
    }
}

TCanvas* TBitmap::Canvas() {
    return canvas_.get();
}

std::uint32_t* TBitmap::Row(int y) const {
    // Bottom-up rows: the picture's last row comes first in memory.
    return static_cast<std::uint32_t*>(bits_) + static_cast<std::size_t>(height_ - 1 - y) * width_;
}

void TBitmap::Reallocate(int width, int height, bool keepPixels) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    HBITMAP bitmap = nullptr;
    void* bits = nullptr;
    if (width > 0 && height > 0) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (bitmap == nullptr || bits == nullptr)
            throw EInvalidGraphic("Out of system resources: cannot create a " +
                                  std::to_string(width) + " x " + std::to_string(height) +
                                  " bitmap");
        std::memset(bits, 0, static_cast<std::size_t>(width) * height * 4);
    }
    if (keepPixels && bits_ != nullptr && bits != nullptr) {
        GdiFlush();
        int rows = std::min(height, height_);
        int columns = std::min(width, width_);
        for (int y = 0; y < rows; ++y) {
            std::uint32_t* to = static_cast<std::uint32_t*>(bits) +
                                static_cast<std::size_t>(height - 1 - y) * width;
            std::memcpy(to, Row(y), static_cast<std::size_t>(columns) * 4);
        }
    }
    if (dc_ != nullptr) {
        // The context stays; only the bitmap selected into it changes.
        if (bitmap != nullptr) {
            HGDIOBJ previous = SelectObject(dc_, bitmap);
            if (originalBitmap_ == nullptr)
                originalBitmap_ = previous;
        } else if (originalBitmap_ != nullptr) {
            SelectObject(dc_, originalBitmap_);
            originalBitmap_ = nullptr;
        }
    }
    if (bitmap_ != nullptr)
        DeleteObject(bitmap_);
    bitmap_ = bitmap;
    bits_ = bits;
    width_ = bitmap != nullptr ? width : 0;
    height_ = bitmap != nullptr ? height : 0;
}

void TBitmap::SetSize(int width, int height) {
    if (width == width_ && height == height_)
        return;
    Reallocate(width, height, true);
    Changed();
}

void TBitmap::SetTransparent(bool transparent) {
    if (transparent == transparent_)
        return;
    transparent_ = transparent;
    Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode mode) {
    if (mode == transparentMode_)
        return;
    transparentMode_ = mode;
    Changed();
}

TColor TBitmap::TransparentColor() const {
    if (transparentMode_ == tmFixed)
        return transparentColor_;
    if (Empty())
        return clNone;
    return static_cast<TColor>(Pixel(0, height_ - 1));
}

void TBitmap::SetTransparentColor(TColor color) {
    transparentColor_ = color;
    transparentMode_ = tmFixed;
    Changed();
}

COLORREF TBitmap::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return CLR_INVALID;
    GdiFlush();
    std::uint32_t pixel = Row(y)[x];
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

void TBitmap::SetPixel(int x, int y, COLORREF color) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return;
    GdiFlush();
    Row(y)[x] = static_cast<std::uint32_t>(GetRValue(color)) << 16 |
                static_cast<std::uint32_t>(GetGValue(color)) << 8 | GetBValue(color);
    Changed();
}

void TBitmap::LoadFromResourceName(HINSTANCE instance, const std::string& name) {
    HRSRC resource = FindResourceA(instance, name.c_str(), RT_BITMAP);
    HGLOBAL loaded = resource != nullptr ? LoadResource(instance, resource) : nullptr;
    const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (data == nullptr)
        throw EInvalidGraphic("Bitmap resource " + name + " not found");
    std::size_t size = SizeofResource(instance, resource);
    try {
        LoadFromPackedDib(data, size);
    } catch (const EInvalidGraphic& e) {
        throw EInvalidGraphic("Bitmap resource " + name + ": " + e.Message());
    }
}

void TBitmap::LoadFromPackedDib(const void* data, std::size_t size) {
    TDibImage image;
    std::string error;
    if (!DecodePackedDib(data, size, &image, &error))
        throw EInvalidGraphic("Invalid bitmap data (" + error + ")");
    Reallocate(image.width, image.height, false);
    for (int y = 0; y < height_; ++y) {
        std::memcpy(Row(y), image.pixels.data() + static_cast<std::size_t>(y) * width_,
                    static_cast<std::size_t>(width_) * 4);
    }
    Changed();
}

void TBitmap::Assign(const TPersistent& source) {
    if (const auto* picture = dynamic_cast<const TPicture*>(&source)) {
        if (picture->Graphic() != nullptr) {
            Assign(*picture->Graphic());
        } else {
            Reallocate(0, 0, false);
            Changed();
        }
        return;
    }
    const auto* bitmap = dynamic_cast<const TBitmap*>(&source);
    if (bitmap == nullptr) {
        TPersistent::Assign(source);
        return;
    }
    if (bitmap == this)
        return;
    Reallocate(bitmap->width_, bitmap->height_, false);
    if (bits_ != nullptr) {
        GdiFlush();
        std::memcpy(bits_, bitmap->bits_, static_cast<std::size_t>(width_) * height_ * 4);
    }
    transparent_ = bitmap->transparent_;
    transparentMode_ = bitmap->transparentMode_;
    transparentColor_ = bitmap->transparentColor_;
    Changed();
}

void TBitmap::Changed() {
    if (OnChange)
        OnChange(this);
}

}  // namespace forms
