// The frame-rate slider as form resources name it: TKwCustomSlider with its properties
// published. RegisterSliderClasses makes it known to the form reader and puts the slider's
// cursors into the screen's table; the program's start-up calls it once.
#pragma once

#include "controls/KwCustomSlider.h"

namespace controls {

class TKwSlider : public TKwCustomSlider {
  public:
    explicit TKwSlider(forms::TComponent* owner) : TKwCustomSlider(owner) {}

    static const forms::TClassInfo& ClassInfo();
    const forms::TClassInfo& ClassType() const override { return ClassInfo(); }
};

// Registers "TKwSlider" with the form reader, and the cursors "KW_HANDCUR" and "KW_DRAGCUR" as
// screen cursors 14000 and 14001.
void RegisterSliderClasses();

}  // namespace controls
