#include "forms/Canvas.h"

#include <algorithm>

#include "forms/Bitmap.h"
#include "forms/ClassInfo.h"
#include "forms/Exception.h"

namespace forms {

const TClassInfo& TCanvas::ClassInfo() {
    static const TClassInfo info("TCanvas", &TPersistent::ClassInfo());
    return info;
}

TCanvas::TCanvas()
    : font_(std::make_unique<TFont>()),
      pen_(std::make_unique<TPen>()),
      brush_(std::make_unique<TBrush>()) {
    // A changed object must leave the context before its old handle is deleted.
    font_->OnChange = [this](TObject*) {
        if (dc_ != nullptr && selectedFont_ != nullptr) {
            SelectObject(dc_, originalFont_);
            selectedFont_ = nullptr;
        }
    };
    pen_->OnChange = [this](TObject*) {
        if (dc_ != nullptr && selectedPen_ != nullptr) {
            SelectObject(dc_, originalPen_);
            selectedPen_ = nullptr;
        }
    };
    brush_->OnChange = [this](TObject*) {
        if (dc_ != nullptr && selectedBrush_ != nullptr) {
            SelectObject(dc_, originalBrush_);
            selectedBrush_ = nullptr;
        }
    };
}

TCanvas::~TCanvas() {
    DeselectObjects();
    font_->OnChange = nullptr;
    pen_->OnChange = nullptr;
    brush_->OnChange = nullptr;
}

HDC TCanvas::Handle() {
    if (dc_ == nullptr)
        CreateHandle();
    if (dc_ == nullptr)
        throw EInvalidOperation("Canvas does not allow drawing");
    return dc_;
}

void TCanvas::SetHandle(HDC dc) {
    if (dc == dc_)
        return;
    DeselectObjects();
    dc_ = dc;
}

void TCanvas::CreateHandle() {}

void TCanvas::DeselectObjects() {
    if (dc_ == nullptr)
        return;
    if (selectedPen_ != nullptr)
        SelectObject(dc_, originalPen_);
    if (selectedBrush_ != nullptr)
        SelectObject(dc_, originalBrush_);
    if (selectedFont_ != nullptr)
        SelectObject(dc_, originalFont_);
    selectedPen_ = selectedBrush_ = selectedFont_ = nullptr;
}

void TCanvas::RequirePen() {
    HDC dc = Handle();
    HGDIOBJ pen = pen_->Handle();
    if (selectedPen_ == pen)
        return;
    HGDIOBJ previous = SelectObject(dc, pen);
    if (selectedPen_ == nullptr)
        originalPen_ = previous;
    selectedPen_ = pen;
}

void TCanvas::RequireBrush() {
    HDC dc = Handle();
    HGDIOBJ brush = brush_->Handle();
    if (selectedBrush_ != brush) {
        HGDIOBJ previous = SelectObject(dc, brush);
        if (selectedBrush_ == nullptr)
            originalBrush_ = previous;
        selectedBrush_ = brush;
    }
    // Text drawn with a clear brush leaves the background alone.
    if (brush_->Style() == bsClear) {
        SetBkMode(dc, TRANSPARENT);
    } else {
        SetBkMode(dc, OPAQUE);
        SetBkColor(dc, ColorToRGB(brush_->Color()));
    }
}

void TCanvas::RequireFont() {
    HDC dc = Handle();
    HGDIOBJ font = font_->Handle();
    if (selectedFont_ != font) {
        HGDIOBJ previous = SelectObject(dc, font);
        if (selectedFont_ == nullptr)
            originalFont_ = previous;
        selectedFont_ = font;
    }
    SetTextColor(dc, ColorToRGB(font_->Color()));
}

void TCanvas::Changed() {
    if (OnChange)
        OnChange(this);
}

void TCanvas::MoveTo(int x, int y) {
    MoveToEx(Handle(), x, y, nullptr);
    penPos_ = {x, y};
}

void TCanvas::LineTo(int x, int y) {
    RequirePen();
    // The context's own current position may have been moved by someone else.
    MoveToEx(dc_, penPos_.x, penPos_.y, nullptr);
    ::LineTo(dc_, x, y);
    penPos_ = {x, y};
    Changed();
}

void TCanvas::FillRect(const RECT& rect) {
    if (brush_->Style() == bsClear)
        return;
    HDC dc = Handle();
    ::FillRect(dc, &rect, brush_->Handle());
    Changed();
}

void TCanvas::FrameRect(const RECT& rect) {
    if (brush_->Style() == bsClear)
        return;
    HDC dc = Handle();
    ::FrameRect(dc, &rect, brush_->Handle());
    Changed();
}

void TCanvas::Rectangle(int left, int top, int right, int bottom) {
    RequirePen();
    RequireBrush();
    ::Rectangle(dc_, left, top, right, bottom);
    Changed();
}

void TCanvas::DrawFocusRect(const RECT& rect) {
    ::DrawFocusRect(Handle(), &rect);
    Changed();
}

void TCanvas::Draw(int x, int y, TBitmap* bitmap) {
    if (bitmap == nullptr || bitmap->Empty())
        return;
    Draw(x, y, bitmap, RECT{0, 0, bitmap->Width(), bitmap->Height()});
}

void TCanvas::Draw(int x, int y, TBitmap* bitmap, const RECT& source) {
    if (bitmap == nullptr || bitmap->Empty())
        return;
    RECT part{std::max<LONG>(source.left, 0), std::max<LONG>(source.top, 0),
              std::min<LONG>(source.right, bitmap->Width()),
              std::min<LONG>(source.bottom, bitmap->Height())};
    if (part.right <= part.left || part.bottom <= part.top)
        return;
    x += part.left - source.left;
    y += part.top - source.top;
    int width = part.right - part.left;
    int height = part.bottom - part.top;
    HDC dc = Handle();
    HDC sourceDC = bitmap->Canvas()->Handle();
    if (bitmap->Transparent()) {
        TransparentBlt(dc, x, y, width, height, sourceDC, part.left, part.top, width, height,
                       ColorToRGB(bitmap->TransparentColor()));
    } else {
        BitBlt(dc, x, y, width, height, sourceDC, part.left, part.top, SRCCOPY);
    }
    Changed();
}

void TCanvas::CopyRect(const RECT& dest, TCanvas* source, const RECT& sourceRect) {
    if (source == nullptr)
        return;
    HDC dc = Handle();
    HDC sourceDC = source->Handle();
    int width = dest.right - dest.left;
    int height = dest.bottom - dest.top;
    int sourceWidth = sourceRect.right - sourceRect.left;
    int sourceHeight = sourceRect.bottom - sourceRect.top;
    if (width == sourceWidth && height == sourceHeight) {
        BitBlt(dc, dest.left, dest.top, width, height, sourceDC, sourceRect.left, sourceRect.top,
               copyMode_);
    } else {
        StretchBlt(dc, dest.left, dest.top, width, height, sourceDC, sourceRect.left,
                   sourceRect.top, sourceWidth, sourceHeight, copyMode_);
    }
    Changed();
}

void TCanvas::TextOutAt(int x, int y, const std::string& text) {
    RequireFont();
    RequireBrush();
    TextOutA(dc_, x, y, text.c_str(), static_cast<int>(text.size()));
    penPos_ = {x + TextExtent(text).cx, y};
    Changed();
}

void TCanvas::TextRect(RECT rect, const std::string& text, UINT format) {
    RequireFont();
    RequireBrush();
    DrawTextA(dc_, text.c_str(), static_cast<int>(text.size()), &rect, format);
    Changed();
}

RECT TCanvas::TextBounds(const RECT& bounds, const std::string& text, UINT format) {
    RequireFont();
    RECT rect = bounds;
    DrawTextA(dc_, text.c_str(), static_cast<int>(text.size()), &rect, format | DT_CALCRECT);
    return rect;
}

SIZE TCanvas::TextExtent(const std::string& text) {
    RequireFont();
    SIZE size{0, 0};
    GetTextExtentPoint32A(dc_, text.c_str(), static_cast<int>(text.size()), &size);
    return size;
}

COLORREF TCanvas::Pixel(int x, int y) {
    return GetPixel(Handle(), x, y);
}

void TCanvas::SetPixel(int x, int y, COLORREF color) {
    ::SetPixel(Handle(), x, y, color);
    Changed();
}

void Frame3D(TCanvas& canvas, RECT& rect, TColor topLeft, TColor bottomRight, int width) {
    TBrush saved;
    saved.Assign(*canvas.Brush());
    for (int i = 0; i < width && rect.right > rect.left && rect.bottom > rect.top; ++i) {
        LONG right = rect.right - 1;
        LONG bottom = rect.bottom - 1;
        canvas.Brush()->SetColor(topLeft);
        canvas.FillRect(RECT{rect.left, rect.top, right, rect.top + 1});
        canvas.FillRect(RECT{rect.left, rect.top, rect.left + 1, bottom});
        canvas.Brush()->SetColor(bottomRight);
        canvas.FillRect(RECT{right, rect.top, right + 1, bottom + 1});
        canvas.FillRect(RECT{rect.left, bottom, right + 1, bottom + 1});
        InflateRect(&rect, -1, -1);
    }
    canvas.Brush()->Assign(saved);
}

}  // namespace forms
