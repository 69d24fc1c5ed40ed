#include "forms/ClassInfo.h"

#include <algorithm>

#include "forms/Exception.h"
#include "forms/Image.h"
#include "forms/Label.h"
#include "forms/Panel.h"
#include "forms/Text.h"

namespace forms {

std::string TValue::Describe() const {
    switch (kind) {
        case Kind::Integer:
            return "the integer " + std::to_string(integer);
        case Kind::Identifier:
            return "the identifier " + text;
        case Kind::String:
            return "a string";
        case Kind::Set:
            return "a set";
        case Kind::Binary:
            return binary.IsResource() ? "the resource reference " + binary.ResourceName
                                       : "binary data";
    }
    return "a value";
}

TClassInfo::TClassInfo(std::string name, const TClassInfo* parent)
    : name_(std::move(name)), parent_(parent) {}

bool TClassInfo::InheritsFrom(const TClassInfo& base) const {
    for (const TClassInfo* info = this; info != nullptr; info = info->parent_) {
        if (info == &base)
            return true;
    }
    return false;
}

namespace {

template <class Entry>
const Entry* FindIn(const std::vector<Entry>& entries, std::string_view name) {
    auto found = std::find_if(entries.begin(), entries.end(),
                              [&](const Entry& entry) { return SameText(entry.name, name); });
    return found != entries.end() ? &*found : nullptr;
}

}  // namespace

const TPropertyInfo* TClassInfo::FindProperty(std::string_view name) const {
    for (const TClassInfo* info = this; info != nullptr; info = info->parent_) {
        if (const TPropertyInfo* property = FindIn(info->properties_, name))
            return property;
    }
    return nullptr;
}

const TFieldInfo* TClassInfo::FindField(std::string_view name) const {
    for (const TClassInfo* info = this; info != nullptr; info = info->parent_) {
        if (const TFieldInfo* field = FindIn(info->fields_, name))
            return field;
    }
    return nullptr;
}

const TMethodInfo* TClassInfo::FindMethod(std::string_view name) const {
    for (const TClassInfo* info = this; info != nullptr; info = info->parent_) {
        if (const TMethodInfo* method = FindIn(info->methods_, name))
            return method;
    }
    return nullptr;
}

TComponent* TClassInfo::Create(TComponent* owner) const {
    if (!factory_)
        throw EInvalidOperation("Class " + name_ + " cannot be created from a form resource");
    return factory_(owner);
}

void TClassInfo::AddProperty(TPropertyInfo property) {
    properties_.push_back(std::move(property));
}

void TClassInfo::AddField(TFieldInfo field) {
    fields_.push_back(std::move(field));
}

void TClassInfo::AddMethod(TMethodInfo method) {
    methods_.push_back(std::move(method));
}

namespace {

std::vector<const TClassInfo*>& Registry() {
    static std::vector<const TClassInfo*> registry{
        &TImage::ClassInfo(),
        &TPanel::ClassInfo(),
        &TLabel::ClassInfo(),
    };
    return registry;
}

}  // namespace

void RegisterComponentClass(const TClassInfo& info) {
    auto& registry = Registry();
    for (const TClassInfo*& entry : registry) {
        if (SameText(entry->Name(), info.Name())) {
            entry = &info;
            return;
        }
    }
    registry.push_back(&info);
}

const TClassInfo* FindComponentClass(std::string_view name) {
    for (const TClassInfo* info : Registry()) {
        if (SameText(info->Name(), name))
            return info;
    }
    return nullptr;
}

}  // namespace forms
