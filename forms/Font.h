// A font: face name, height in pixels (negative: character height), colour, style, character
// set and pitch; its HFONT is made with CreateFontA when first needed.
#pragma once

#include <string>

#include "forms/Colors.h"
#include "forms/GraphicsObject.h"
#include "forms/Set.h"

namespace forms {

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;
enum TFontPitch { fpDefault, fpVariable, fpFixed };

class TFont : public TGraphicsObject {
  public:
    // Size in points and Height in pixels convert at this resolution.
    static constexpr int kPixelsPerInch = 96;

    TFont();
    ~TFont() override;

    static const TClassInfo& ClassInfo();
    const TClassInfo& ClassType() const override { return ClassInfo(); }

    const std::string& Name() const { return name_; }
    void SetName(const std::string& name);
    int Height() const { return height_; }
    void SetHeight(int height);
    int Size() const;
    void SetSize(int points);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    TFontStyles Style() const { return style_; }
    void SetStyle(TFontStyles style);
    int Charset() const { return charset_; }
    void SetCharset(int charset);
    TFontPitch Pitch() const { return pitch_; }
    void SetPitch(TFontPitch pitch);

    HFONT Handle() const;

    void Assign(const TPersistent& source) override;
    bool SameAs(const TFont& other) const;

  protected:
    void FreeHandle() override;

  private:
    std::string name_ = "MS Sans Serif";
    int height_ = -11;
    TColor color_ = clWindowText;
    TFontStyles style_;
    int charset_ = 1;  // DEFAULT_CHARSET
    TFontPitch pitch_ = fpDefault;
    mutable HFONT handle_ = nullptr;
};

}  // namespace forms
