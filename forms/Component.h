// A named object owned by another: the owner destroys what it owns, the form resource names
// components, and the reader marks them while it builds them (csLoading until Loaded).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "forms/Object.h"
#include "forms/Types.h"

namespace forms {

enum TOperation { opInsert, opRemove };

class TComponent : public TPersistent {
  public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;

    static const TClassInfo& ClassInfo();
    const TClassInfo& ClassType() const override { return ClassInfo(); }

    const std::string& Name() const { return name_; }
    // Raises forms::Exception for a name that is not an identifier or is taken in the owner.
    virtual void SetName(const std::string& name);
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }

    TComponent* Owner() const { return owner_; }
    int ComponentCount() const { return static_cast<int>(components_.size()); }
    TComponent* Components(int index) const { return components_.at(index); }
    TComponent* FindComponent(std::string_view name) const;
    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);
    // Destroys every owned component, the last created first.
    void DestroyComponents();

    TComponentState ComponentState() const { return state_; }

    // Marks this component and everything it owns as being destroyed, before any destructor
    // runs, so that window messages and notices arriving meanwhile are not acted on.
    void Destroying();

    // Used by the form reader and the filers.
    void SetLoading(bool loading) { SetState(csLoading, loading); }
    void SetReading(bool reading) { SetState(csReading, reading); }
    void SetWriting(bool writing) { SetState(csWriting, writing); }
    void SetUpdating(bool updating) { SetState(csUpdating, updating); }

    // Called once the whole form resource has been read; clears csLoading.
    virtual void Loaded();

  protected:
    // Told of every component inserted into or removed from the owner (and passed on to the
    // owned components).
    virtual void Notification(TComponent* component, TOperation operation);
    void SetState(TComponentStateItem item, bool on);

  private:
    void ValidateRename(const std::string& name) const;

    TComponent* owner_ = nullptr;
    std::vector<TComponent*> components_;
    std::string name_;
    int tag_ = 0;
    TComponentState state_;
};

bool IsValidIdent(std::string_view name);

}  // namespace forms
