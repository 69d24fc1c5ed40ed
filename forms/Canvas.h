// A drawing surface over a device context, with a pen for lines, a brush for fills and a font
// for text. The canvas selects its objects into the context only when an operation needs them
// and puts the context's own objects back when it lets the context go.
#pragma once

#include <memory>
#include <string>

#include "forms/Brush.h"
#include "forms/Font.h"
#include "forms/Pen.h"

namespace forms {

class TBitmap;

class TCanvas : public TPersistent {
  public:
    TCanvas();
    ~TCanvas() override;

    static const TClassInfo& ClassInfo();
    const TClassInfo& ClassType() const override { return ClassInfo(); }

    // The device context; a canvas without one asks CreateHandle for it (EInvalidOperation
    // when the canvas cannot make one).
    HDC Handle();
    // Draws on `dc` from now on (null: lets the present one go).
    void SetHandle(HDC dc);
    bool HandleAllocated() const { return dc_ != nullptr; }

    TFont* Font() const { return font_.get(); }
    TPen* Pen() const { return pen_.get(); }
    TBrush* Brush() const { return brush_.get(); }
    // The raster operation of CopyRect (SRCCOPY unless changed).
    DWORD CopyMode() const { return copyMode_; }
    void SetCopyMode(DWORD mode) { copyMode_ = mode; }

    POINT PenPos() const { return penPos_; }
    void MoveTo(int x, int y);
    // A line from the pen position to (x, y), the end point not drawn.
    void LineTo(int x, int y);
    void FillRect(const RECT& rect);
    void FrameRect(const RECT& rect);
    void Rectangle(int left, int top, int right, int bottom);
    void DrawFocusRect(const RECT& rect);
    // The whole bitmap at (x, y), or the `source` part of it; pixels of the bitmap's
    // transparent colour are left out when the bitmap is transparent.
    void Draw(int x, int y, TBitmap* bitmap);
    void Draw(int x, int y, TBitmap* bitmap, const RECT& source);
    // Copies `sourceRect` of `source` onto `dest` with CopyMode, stretching when the sizes
    // differ.
    void CopyRect(const RECT& dest, TCanvas* source, const RECT& sourceRect);
    void TextOutAt(int x, int y, const std::string& text);
    // DrawTextA into `rect` with `format` (DT_ flags).
    void TextRect(RECT rect, const std::string& text, UINT format);
    // The rectangle DrawTextA would fill within `bounds` (DT_CALCRECT).
    RECT TextBounds(const RECT& bounds, const std::string& text, UINT format);
    SIZE TextExtent(const std::string& text);
    int TextWidth(const std::string& text) { return TextExtent(text).cx; }
    int TextHeight(const std::string& text) { return TextExtent(text).cy; }
    COLORREF Pixel(int x, int y);
    void SetPixel(int x, int y, COLORREF color);

    // After every drawing operation.
    TNotifyEvent OnChange;

  protected:
    virtual void CreateHandle();
    void Changed();

  private:
    void RequirePen();
    void RequireBrush();
    void RequireFont();
    void DeselectObjects();

    HDC dc_ = nullptr;
    std::unique_ptr<TFont> font_;
    std::unique_ptr<TPen> pen_;
    std::unique_ptr<TBrush> brush_;
    DWORD copyMode_ = SRCCOPY;
    POINT penPos_{0, 0};
    HGDIOBJ selectedPen_ = nullptr;
    HGDIOBJ selectedBrush_ = nullptr;
    HGDIOBJ selectedFont_ = nullptr;
    HGDIOBJ originalPen_ = nullptr;
    HGDIOBJ originalBrush_ = nullptr;
    HGDIOBJ originalFont_ = nullptr;
};

// A three-dimensional frame `width` pixels wide along the inside of `rect`: the top row and
// left column in `topLeft`, the bottom row and right column in `bottomRight`. `rect` shrinks
// by the frame.
void Frame3D(TCanvas& canvas, RECT& rect, TColor topLeft, TColor bottomRight, int width);

}  // namespace forms
