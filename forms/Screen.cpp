#include "forms/Screen.h"

#include <algorithm>

#include "forms/ClassInfo.h"
#include "forms/Form.h"

namespace forms {

TScreen* TScreenAccess::operator->() const {
    static TScreen* const screen = new TScreen(nullptr);
    return screen;
}

TScreen& TScreenAccess::operator*() const {
    return *operator->();
}

TScreenAccess::operator TScreen*() const {
    return operator->();
}

const TClassInfo& TScreen::ClassInfo() {
    static const TClassInfo info("TScreen", &TComponent::ClassInfo());
    return info;
}

TScreen::TScreen(TComponent* owner) : TComponent(owner) {}

HCURSOR TScreen::TCursorTable::Builtin(TCursor number) const {
    LPCSTR name = nullptr;
    switch (number) {
        case crNone:
            return nullptr;
        case crCross:
            name = IDC_CROSS;
            break;
        case crIBeam:
            name = IDC_IBEAM;
            break;
        case crHourGlass:
            name = IDC_WAIT;
            break;
        case crNo:
            name = IDC_NO;
            break;
        case crHandPoint:
            name = IDC_HAND;
            break;
        case crSizeAll:
            name = IDC_SIZEALL;
            break;
        default:
            name = IDC_ARROW;
            break;
    }
    return LoadCursorA(nullptr, name);
}

HCURSOR TScreen::TCursorTable::Get(TCursor number) const {
    auto found = registered_.find(number);
    if (found != registered_.end())
        return found->second;
    if (number <= 0)
        return Builtin(number);
    return Get(crDefault);
}

void TScreen::TCursorTable::Set(TCursor number, HCURSOR cursor) {
    if (cursor == nullptr)
        registered_.erase(number);
    else
        registered_[number] = cursor;
}

void TScreen::SetCursor(TCursor cursor) {
    if (cursor == cursor_)
        return;
    cursor_ = cursor;
    // Shows the new shape at once where the pointer is.
    POINT point{};
    if (!GetCursorPos(&point))
        return;
    HWND window = WindowFromPoint(point);
    if (window != nullptr)
        SendMessageA(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window),
                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
}

void TScreen::AddForm(TForm* form) {
    forms_.push_back(form);
}

void TScreen::RemoveForm(TForm* form) {
    std::erase(forms_, form);
    if (activeForm_ == form)
        activeForm_ = nullptr;
}

}  // namespace forms
