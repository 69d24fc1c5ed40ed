// An off-screen picture: 32 bits per pixel in a DIB section, drawn on through its canvas
// (a memory device context) and read pixel by pixel. Its transparent colour is the colour of
// its bottom-left pixel unless fixed; every change of content is reported through OnChange.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "forms/Canvas.h"
#include "forms/Colors.h"
#include "forms/Object.h"
#include "forms/Types.h"

namespace forms {

enum TTransparentMode { tmAuto, tmFixed };

class TBitmap : public TPersistent {
  public:
    TBitmap();
    ~TBitmap() override;

    static const TClassInfo& ClassInfo();
    const TClassInfo& ClassType() const override { return ClassInfo(); }

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return width_ == 0 || height_ == 0; }
    // Keeps the pixels that still fit; new pixels are black.
    void SetSize(int width, int height);
    void SetWidth(int width) { SetSize(width, height_); }
    void SetHeight(int height) { SetSize(width_, height); }

    // A canvas on the bitmap (EInvalidOperation while the bitmap is empty).
    TCanvas* Canvas();
    HBITMAP Handle() const { return bitmap_; }

    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent);
    TTransparentMode TransparentMode() const { return transparentMode_; }
    void SetTransparentMode(TTransparentMode mode);
    // tmAuto: the bottom-left pixel (clNone for an empty bitmap); tmFixed: the colour set.
    TColor TransparentColor() const;
    void SetTransparentColor(TColor color);

    COLORREF Pixel(int x, int y) const;
    void SetPixel(int x, int y, COLORREF color);

    // A bitmap resource (RT_BITMAP) of `instance`, or the packed DIB of inline picture data.
    // EInvalidGraphic when it is missing or cannot be decoded; the bitmap is left unchanged.
    void LoadFromResourceName(HINSTANCE instance, const std::string& name);
    void LoadFromPackedDib(const void* data, std::size_t size);

    // Copies another bitmap's pixels and transparency settings (or clears on an empty one).
    void Assign(const TPersistent& source) override;

    TNotifyEvent OnChange;
    void Changed();

  private:
    class TBitmapCanvas;

    void Reallocate(int width, int height, bool keepPixels);
    void ReleaseCanvasHandle();
    std::uint32_t* Row(int y) const;

    int width_ = 0;
    int height_ = 0;
    HBITMAP bitmap_ = nullptr;
    void* bits_ = nullptr;
    HDC dc_ = nullptr;
    HGDIOBJ originalBitmap_ = nullptr;
    std::unique_ptr<TBitmapCanvas> canvas_;
    bool transparent_ = false;
    TTransparentMode transparentMode_ = tmAuto;
    TColor transparentColor_ = clNone;
};

}  // namespace forms
