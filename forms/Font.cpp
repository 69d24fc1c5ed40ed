#include "forms/Font.h"

#include "forms/ClassBuilder.h"

namespace forms {

const TClassInfo& TFont::ClassInfo() {
    static const TClassInfo info = TClassBuilder<TFont>::Define(
        "TFont", &TGraphicsObject::ClassInfo(), [](TClassBuilder<TFont>& c) {
            c.String("Name", &TFont::SetName);
            c.Integer("Height", &TFont::SetHeight);
            c.Integer("Size", &TFont::SetSize);
            c.Color("Color", &TFont::SetColor);
            c.Set("Style", &TFont::SetStyle,
                  TEnumNames<TFontStyle>{{"fsBold", fsBold},
                                         {"fsItalic", fsItalic},
                                         {"fsUnderline", fsUnderline},
                                         {"fsStrikeOut", fsStrikeOut}});
            c.Custom("Charset", [](TFont& font, const TValue& value) {
                int charset = 0;
                if (value.kind == TValue::Kind::Integer && value.integer >= 0 &&
                    value.integer <= 255) {
                    charset = value.integer;
                } else if (value.kind != TValue::Kind::Identifier ||
                           !IdentToCharset(value.text, &charset)) {
                    detail::BadValue(value, "a character set");
                }
                font.SetCharset(charset);
            });
            c.Enum("Pitch", &TFont::SetPitch,
                   TEnumNames<TFontPitch>{
                       {"fpDefault", fpDefault}, {"fpVariable", fpVariable}, {"fpFixed", fpFixed}});
        });
    return info;
}

TFont::TFont() = default;

TFont::~TFont() {
    FreeHandle();
}

void TFont::SetName(const std::string& name) {
    if (name == name_)
        return;
    name_ = name;
    Changed();
}

void TFont::SetHeight(int height) {
    if (height == height_)
        return;
    height_ = height;
    Changed();
}

int TFont::Size() const {
    return -MulDiv(height_, 72, kPixelsPerInch);
}

void TFont::SetSize(int points) {
    SetHeight(-MulDiv(points, kPixelsPerInch, 72));
}

void TFont::SetColor(TColor color) {
    if (color == color_)
        return;
    color_ = color;
    Changed();
}

void TFont::SetStyle(TFontStyles style) {
    if (style == style_)
        return;
    style_ = style;
    Changed();
}

void TFont::SetCharset(int charset) {
    if (charset == charset_)
        return;
    charset_ = charset;
    Changed();
}

void TFont::SetPitch(TFontPitch pitch) {
    if (pitch == pitch_)
        return;
    pitch_ = pitch;
    Changed();
}

HFONT TFont::Handle() const {
    if (handle_ == nullptr) {
        DWORD pitch = pitch_ == fpFixed ? 1 : pitch_ == fpVariable ? 2 : 0;
        handle_ = CreateFontA(height_, 0, 0, 0, style_.Contains(fsBold) ? 700 : 400,
                              style_.Contains(fsItalic), style_.Contains(fsUnderline),
                              style_.Contains(fsStrikeOut), static_cast<DWORD>(charset_), 0, 0, 0,
                              pitch, name_.c_str());
    }
    return handle_;
}

void TFont::FreeHandle() {
    if (handle_ != nullptr) {
        DeleteObject(handle_);
        handle_ = nullptr;
    }
}

bool TFont::SameAs(const TFont& other) const {
    return name_ == other.name_ && height_ == other.height_ && color_ == other.color_ &&
           style_ == other.style_ && charset_ == other.charset_ && pitch_ == other.pitch_;
}

void TFont::Assign(const TPersistent& source) {
    const auto* font = dynamic_cast<const TFont*>(&source);
    if (font == nullptr) {
        TPersistent::Assign(source);
        return;
    }
    if (SameAs(*font))
        return;
    name_ = font->name_;
    height_ = font->height_;
    color_ = font->color_;
    style_ = font->style_;
    charset_ = font->charset_;
    pitch_ = font->pitch_;
    Changed();
}

}  // namespace forms
