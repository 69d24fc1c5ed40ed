// The root of the framework's classes. Every class describes itself with a TClassInfo (its
// name, its base and its published properties), which form resources are read through.
#pragma once

#include <string>

namespace forms {

class TClassInfo;
class TFiler;

class TObject {
  public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;

    static const TClassInfo& ClassInfo();
    virtual const TClassInfo& ClassType() const { return ClassInfo(); }
    const std::string& ClassName() const;
    bool InheritsFrom(const TClassInfo& base) const;
};

// An object with published properties that can be copied from another one and read from a
// form resource.
class TPersistent : public TObject {
  public:
    static const TClassInfo& ClassInfo();
    const TClassInfo& ClassType() const override { return ClassInfo(); }

    // Copies `source` into this object; raises EInvalidOperation when the kinds do not fit.
    virtual void Assign(const TPersistent& source);

    // Properties kept in the form resource beside the published ones (the filer asks for each
    // by name, with the procedures that read and write it).
    virtual void DefineProperties(TFiler& filer);
};

}  // namespace forms
