// The identifiers of an enumeration's values as form resources spell them, and the tables of
// the enumerations that several classes publish.
#pragma once

#include <initializer_list>
#include <string_view>
#include <utility>
#include <vector>

#include "forms/Text.h"
#include "forms/Types.h"

namespace forms {

template <class E>
class TEnumNames {
  public:
    TEnumNames(std::initializer_list<std::pair<std::string_view, E>> items) : items_(items) {}

    bool Find(std::string_view ident, E* value) const {
        for (const auto& [name, item] : items_) {
            if (SameText(name, ident)) {
                *value = item;
                return true;
            }
        }
        return false;
    }

    std::string_view NameOf(E value) const {
        for (const auto& [name, item] : items_) {
            if (item == value)
                return name;
        }
        return {};
    }

  private:
    std::vector<std::pair<std::string_view, E>> items_;
};

const TEnumNames<TAlign>& AlignNames();
const TEnumNames<TAlignment>& AlignmentNames();
const TEnumNames<TBevelCut>& BevelCutNames();

}  // namespace forms
