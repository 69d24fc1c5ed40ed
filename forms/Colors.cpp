#include "forms/Colors.h"

#include <array>
#include <utility>

#include "forms/Text.h"

namespace forms {

COLORREF ColorToRGB(TColor color) {
    if (color < 0)
        return GetSysColor(static_cast<int>(color & 0xFF));
    return static_cast<COLORREF>(color);
}

bool IdentToColor(std::string_view ident, TColor* color) {
    static constexpr std::array<std::pair<std::string_view, TColor>, 45> kNames{{
        {"clBlack", clBlack},
        {"clMaroon", clMaroon},
        {"clGreen", clGreen},
        {"clOlive", clOlive},
        {"clNavy", clNavy},
        {"clPurple", clPurple},
        {"clTeal", clTeal},
        {"clGray", clGray},
        {"clSilver", clSilver},
        {"clRed", clRed},
        {"clLime", clLime},
        {"clYellow", clYellow},
        {"clBlue", clBlue},
        {"clFuchsia", clFuchsia},
        {"clAqua", clAqua},
        {"clWhite", clWhite},
        {"clLtGray", clSilver},
        {"clDkGray", clGray},
        {"clNone", clNone},
        {"clDefault", clDefault},
        {"clScrollBar", clScrollBar},
        {"clBackground", clBackground},
        {"clActiveCaption", clActiveCaption},
        {"clInactiveCaption", clInactiveCaption},
        {"clMenu", clMenu},
        {"clWindow", clWindow},
        {"clWindowFrame", clWindowFrame},
        {"clMenuText", clMenuText},
        {"clWindowText", clWindowText},
        {"clCaptionText", clCaptionText},
        {"clActiveBorder", clActiveBorder},
        {"clInactiveBorder", clInactiveBorder},
        {"clAppWorkSpace", clAppWorkSpace},
        {"clHighlight", clHighlight},
        {"clHighlightText", clHighlightText},
        {"clBtnFace", clBtnFace},
        {"clBtnShadow", clBtnShadow},
        {"clGrayText", clGrayText},
        {"clBtnText", clBtnText},
        {"clInactiveCaptionText", clInactiveCaptionText},
        {"clBtnHighlight", clBtnHighlight},
        {"cl3DDkShadow", cl3DDkShadow},
        {"cl3DLight", cl3DLight},
        {"clInfoText", clInfoText},
        {"clInfoBk", clInfoBk},
    }};
    for (const auto& [name, value] : kNames) {
        if (SameText(name, ident)) {
            *color = value;
            return true;
        }
    }
    return false;
}

}  // namespace forms
