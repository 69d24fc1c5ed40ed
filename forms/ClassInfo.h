// What a class publishes for its form resources: its name and base, its properties (name ->
// how a parsed value is applied), and for form classes the fields that receive the form's
// components and the methods that event properties bind to. Tables are built once per class
// with a TClassBuilder (ClassBuilder.h) and looked up by name without regard to case.
#pragma once

#include <any>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "win32/api.h"

namespace forms {

class TComponent;
class TPersistent;

// Picture and stream data of a form resource: inline bytes written as hex digits, or a
// reference to a bitmap resource of the program ({resource:NAME}).
struct TBinaryData {
    std::vector<BYTE> Bytes;
    std::string ResourceName;

    bool IsResource() const { return !ResourceName.empty(); }
};

// One property value as the form resource gives it.
struct TValue {
    enum class Kind { Integer, Identifier, String, Set, Binary };

    Kind kind = Kind::Integer;
    std::int32_t integer = 0;
    std::string text;                // an identifier, or a string's CP949 bytes
    std::vector<std::string> items;  // the identifiers of a set
    TBinaryData binary;

    std::string Describe() const;  // for error messages: "an integer", "the identifier X", ...
};

struct TPropertyInfo {
    std::string name;
    // Applies `value` to `object`; `root` is the object the resource describes (event handlers
    // are its methods). Raises forms::Exception for a value that does not fit. Null for a
    // property that only leads to a sub-object.
    std::function<void(TPersistent& object, const TValue& value, TPersistent& root)> apply;
    // "Font.Height": the sub-object whose own properties follow the dot.
    std::function<TPersistent*(TPersistent& object)> subObject;
};

struct TFieldInfo {
    std::string name;
    // Stores `component` in the root's field; false when it is not of the field's class.
    std::function<bool(TPersistent& root, TComponent& component)> assign;
    // Empties the field again (when reading fails after it was filled).
    std::function<void(TPersistent& root)> clear;
};

struct TMethodInfo {
    std::string name;
    // A std::function of the method's exact signature, bound to `root`.
    std::function<std::any(TPersistent& root)> bind;
};

class TClassInfo {
  public:
    using Factory = std::function<TComponent*(TComponent* owner)>;

    TClassInfo(std::string name, const TClassInfo* parent);

    const std::string& Name() const { return name_; }
    const TClassInfo* Parent() const { return parent_; }
    bool InheritsFrom(const TClassInfo& base) const;

    // Own entries first, then the base classes'.
    const TPropertyInfo* FindProperty(std::string_view name) const;
    const TFieldInfo* FindField(std::string_view name) const;
    const TMethodInfo* FindMethod(std::string_view name) const;

    bool CanCreate() const { return static_cast<bool>(factory_); }
    // Constructs an instance owned by `owner`; only for classes with a factory.
    TComponent* Create(TComponent* owner) const;

    // Used by TClassBuilder.
    void AddProperty(TPropertyInfo property);
    void AddField(TFieldInfo field);
    void AddMethod(TMethodInfo method);
    void SetFactory(Factory factory) { factory_ = std::move(factory); }

  private:
    std::string name_;
    const TClassInfo* parent_;
    std::vector<TPropertyInfo> properties_;
    std::vector<TFieldInfo> fields_;
    std::vector<TMethodInfo> methods_;
    Factory factory_;
};

// The classes a form resource may name. TImage, TPanel and TLabel are always known; other
// control classes register themselves at start-up.
void RegisterComponentClass(const TClassInfo& info);
const TClassInfo* FindComponentClass(std::string_view name);

}  // namespace forms
