// The common part of fonts, pens and brushes: a GDI handle made on demand from the
// attributes, and a change notice that lets a canvas deselect the old handle before it goes.
#pragma once

#include "forms/Object.h"
#include "forms/Types.h"

namespace forms {

class TGraphicsObject : public TPersistent {
  public:
    static const TClassInfo& ClassInfo();
    const TClassInfo& ClassType() const override { return ClassInfo(); }

    TNotifyEvent OnChange;

  protected:
    // Tells the listener first (a canvas then deselects the handle), then drops the handle so
    // that the next use makes a new one from the changed attributes.
    void Changed();
    virtual void FreeHandle() = 0;
};

}  // namespace forms
