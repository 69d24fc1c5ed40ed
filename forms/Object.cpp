#include "forms/Object.h"

#include "forms/ClassInfo.h"
#include "forms/Exception.h"

namespace forms {

const TClassInfo& TObject::ClassInfo() {
    static const TClassInfo info("TObject", nullptr);
    return info;
}

const std::string& TObject::ClassName() const {
    return ClassType().Name();
}

bool TObject::InheritsFrom(const TClassInfo& base) const {
    return ClassType().InheritsFrom(base);
}

const TClassInfo& TPersistent::ClassInfo() {
    static const TClassInfo info("TPersistent", &TObject::ClassInfo());
    return info;
}

void TPersistent::Assign(const TPersistent& source) {
    throw EInvalidOperation("Cannot assign a " + source.ClassName() + " to a " + ClassName());
}

void TPersistent::DefineProperties(TFiler&) {}

}  // namespace forms
