#include "forms/Idents.h"

#include <array>
#include <utility>

#include "forms/EnumNames.h"
#include "forms/Text.h"

namespace forms {

namespace {

template <class T, std::size_t N>
bool Lookup(const std::array<std::pair<std::string_view, T>, N>& table, std::string_view ident,
            T* value) {
    for (const auto& [name, item] : table) {
        if (SameText(name, ident)) {
            *value = item;
            return true;
        }
    }
    return false;
}

}  // namespace

bool IdentToCursor(std::string_view ident, TCursor* cursor) {
    static constexpr std::array<std::pair<std::string_view, TCursor>, 9> kNames{{
        {"crDefault", crDefault},
        {"crNone", crNone},
        {"crArrow", crArrow},
        {"crCross", crCross},
        {"crIBeam", crIBeam},
        {"crHourGlass", crHourGlass},
        {"crNo", crNo},
        {"crHandPoint", crHandPoint},
        {"crSizeAll", crSizeAll},
    }};
    return Lookup(kNames, ident, cursor);
}

bool IdentToCharset(std::string_view ident, int* charset) {
    // The public Win32 character set numbers.
    static constexpr std::array<std::pair<std::string_view, int>, 19> kNames{{
        {"ANSI_CHARSET", 0},      {"DEFAULT_CHARSET", 1},    {"SYMBOL_CHARSET", 2},
        {"MAC_CHARSET", 77},      {"SHIFTJIS_CHARSET", 128}, {"HANGEUL_CHARSET", 129},
        {"JOHAB_CHARSET", 130},   {"GB2312_CHARSET", 134},   {"CHINESEBIG5_CHARSET", 136},
        {"GREEK_CHARSET", 161},   {"TURKISH_CHARSET", 162},  {"VIETNAMESE_CHARSET", 163},
        {"HEBREW_CHARSET", 177},  {"ARABIC_CHARSET", 178},   {"BALTIC_CHARSET", 186},
        {"RUSSIAN_CHARSET", 204}, {"THAI_CHARSET", 222},     {"EASTEUROPE_CHARSET", 238},
        {"OEM_CHARSET", 255},
    }};
    return Lookup(kNames, ident, charset);
}

const TEnumNames<TAlign>& AlignNames() {
    static const TEnumNames<TAlign> names{{"alNone", alNone},     {"alTop", alTop},
                                          {"alBottom", alBottom}, {"alLeft", alLeft},
                                          {"alRight", alRight},   {"alClient", alClient}};
    return names;
}

const TEnumNames<TAlignment>& AlignmentNames() {
    static const TEnumNames<TAlignment> names{{"taLeftJustify", taLeftJustify},
                                              {"taRightJustify", taRightJustify},
                                              {"taCenter", taCenter}};
    return names;
}

const TEnumNames<TBevelCut>& BevelCutNames() {
    static const TEnumNames<TBevelCut> names{
        {"bvNone", bvNone}, {"bvLowered", bvLowered}, {"bvRaised", bvRaised}, {"bvSpace", bvSpace}};
    return names;
}

}  // namespace forms
