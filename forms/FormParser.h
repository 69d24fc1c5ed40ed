// The text of a form resource, parsed into a tree of objects before anything is built:
//
//   object MainWin: TMainWin
//     Left = 504
//     Caption = 'Nuvik '#49892#54665#44592
//     BorderIcons = []
//     Font.Height = -11
//     OnShow = FormShow
//     object Image1: TImage
//       Picture.Data = {resource:BACKGROUND}
//     end
//   end
//
// Values are integers, identifiers, sets of identifiers, strings ('quoted' ASCII with ''
// for a quote, and #N UTF-16 code units, adjacent parts joined; stored as CP949) and binary
// data ({hex digits}, or {resource:NAME}). Properties come before the nested objects. Any
// other text is refused with EReadError naming the resource and the line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "forms/ClassInfo.h"

namespace forms {

struct TFormProperty {
    std::string name;  // may be dotted: "Font.Height"
    TValue value;
    int line = 0;
};

struct TFormObject {
    std::string name;
    std::string className;
    int line = 0;
    std::vector<TFormProperty> properties;
    std::vector<TFormObject> children;
};

// How deep objects may nest before the text is taken to be damaged.
inline constexpr int kMaxFormNesting = 32;

TFormObject ParseFormText(std::string_view text, const std::string& resourceName);

}  // namespace forms
