#include "forms/Component.h"

#include <algorithm>

#include "forms/ClassBuilder.h"
#include "forms/Exception.h"
#include "forms/Text.h"

namespace forms {

const TClassInfo& TComponent::ClassInfo() {
    static const TClassInfo info = TClassBuilder<TComponent>::Define(
        "TComponent", &TPersistent::ClassInfo(),
        [](TClassBuilder<TComponent>& c) { c.Integer("Tag", &TComponent::SetTag); });
    return info;
}

TComponent::TComponent(TComponent* owner) {
    if (owner != nullptr)
        owner->InsertComponent(this);
}

TComponent::~TComponent() {
    state_.Include(csDestroying);
    DestroyComponents();
    if (owner_ != nullptr)
        owner_->RemoveComponent(this);
}

bool IsValidIdent(std::string_view name) {
    if (name.empty())
        return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        char c = name[i];
        bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
        bool digit = c >= '0' && c <= '9';
        if (!letter && !(digit && i > 0))
            return false;
    }
    return true;
}

void TComponent::ValidateRename(const std::string& name) const {
    if (!name.empty() && !IsValidIdent(name))
        throw Exception("'" + name + "' is not a valid component name");
    if (owner_ != nullptr && !name.empty()) {
        TComponent* other = owner_->FindComponent(name);
        if (other != nullptr && other != this)
            throw Exception("A component named " + name + " already exists");
    }
}

void TComponent::SetName(const std::string& name) {
    if (name == name_)
        return;
    ValidateRename(name);
    name_ = name;
}

TComponent* TComponent::FindComponent(std::string_view name) const {
    if (name.empty())
        return nullptr;
    for (TComponent* component : components_) {
        if (SameText(component->name_, name))
            return component;
    }
    return nullptr;
}

void TComponent::InsertComponent(TComponent* component) {
    if (component == nullptr || component->owner_ == this)
        return;
    if (component->owner_ != nullptr)
        component->owner_->RemoveComponent(component);
    if (!component->name_.empty() && FindComponent(component->name_) != nullptr)
        throw Exception("A component named " + component->name_ + " already exists");
    components_.push_back(component);
    component->owner_ = this;
    Notification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
    auto found = std::find(components_.begin(), components_.end(), component);
    if (found == components_.end())
        return;
    components_.erase(found);
    component->owner_ = nullptr;
    Notification(component, opRemove);
}

void TComponent::DestroyComponents() {
    while (!components_.empty()) {
        TComponent* last = components_.back();
        last->Destroying();
        // The destructor removes it from this list through RemoveComponent.
        delete last;
    }
}

void TComponent::Destroying() {
    if (state_.Contains(csDestroying))
        return;
    state_.Include(csDestroying);
    for (TComponent* component : components_)
        component->Destroying();
}

void TComponent::Loaded() {
    state_.Exclude(csLoading);
}

void TComponent::Notification(TComponent* component, TOperation operation) {
    if (operation != opRemove)
        return;
    for (TComponent* owned : components_) {
        if (owned != component)
            owned->Notification(component, operation);
    }
}

void TComponent::SetState(TComponentStateItem item, bool on) {
    if (on)
        state_.Include(item);
    else
        state_.Exclude(item);
}

}  // namespace forms
