#include "controls/KwSlider.h"

#include "controls/SliderPictures.h"
#include "forms/ClassBuilder.h"
#include "forms/EnumNames.h"
#include "forms/Instance.h"
#include "forms/Screen.h"

namespace controls {

const forms::TClassInfo& TKwSlider::ClassInfo() {
    using Builder = forms::TClassBuilder<TKwSlider>;
    static const forms::TClassInfo info =
        Builder::Define("TKwSlider", &TKwCustomSlider::ClassInfo(), [](Builder& c) {
            c.Integer("MinValue", &TKwCustomSlider::SetMinValue);
            c.Integer("MaxValue", &TKwCustomSlider::SetMaxValue);
            c.Integer("Value", &TKwCustomSlider::SetValue);
            c.Integer("Increment", &TKwCustomSlider::SetIncrement);
            c.Set("Options", &TKwCustomSlider::SetOptions,
                  forms::TEnumNames<TSliderOption>{{"soShowFocus", soShowFocus},
                                                   {"soShowPoints", soShowPoints},
                                                   {"soSmooth", soSmooth},
                                                   {"soRulerOpaque", soRulerOpaque},
                                                   {"soThumbOpaque", soThumbOpaque}});
            c.Enum("Orientation", &TKwCustomSlider::SetOrientation,
                   forms::TEnumNames<TSliderOrientation>{{"soHorizontal", soHorizontal},
                                                         {"soVertical", soVertical}});
            c.Integer("EdgeSize", &TKwCustomSlider::SetEdgeSize);
            c.Integer("NumThumbStates", &TKwCustomSlider::SetNumThumbStates);
            c.Enum("BevelStyle", &TKwCustomSlider::SetBevelStyle, forms::BevelCutNames());
            c.Object("ImageHThumb", &TKwCustomSlider::ImageHThumb);
            c.Object("ImageHRuler", &TKwCustomSlider::ImageHRuler);
            c.Object("ImageVThumb", &TKwCustomSlider::ImageVThumb);
            c.Object("ImageVRuler", &TKwCustomSlider::ImageVRuler);
            c.Event("OnChange", &TKwCustomSlider::OnChange);
            c.Event("OnChanged", &TKwCustomSlider::OnChanged);
            c.Event("OnDrawPoints", &TKwCustomSlider::OnDrawPoints);
        });
    return info;
}

void RegisterSliderClasses() {
    forms::RegisterComponentClass(TKwSlider::ClassInfo());
    HINSTANCE instance = forms::HInstance();
    forms::Screen->Cursors[crSliderHand] = LoadCursorA(instance, kHandCursorName);
    forms::Screen->Cursors[crSliderDrag] = LoadCursorA(instance, kDragCursorName);
}

}  // namespace controls
