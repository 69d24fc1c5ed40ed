#include "forms/GraphicsObject.h"

#include "forms/ClassInfo.h"

namespace forms {

const TClassInfo& TGraphicsObject::ClassInfo() {
    static const TClassInfo info("TGraphicsObject", &TPersistent::ClassInfo());
    return info;
}

void TGraphicsObject::Changed() {
    if (OnChange)
        OnChange(this);
    FreeHandle();
}

}  // namespace forms
