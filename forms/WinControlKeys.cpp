// The keyboard side of windowed controls: tab order, focus, key messages and dialog keys.
#include <algorithm>

#include "forms/Exception.h"
#include "forms/Form.h"
#include "forms/PendingException.h"
#include "forms/WinControl.h"

namespace forms {

// ---- focus --------------------------------------------------------------------------------

void TWinControl::SetTabStop(bool tabStop) {
    tabStop_ = tabStop;
}

int TWinControl::TabOrder() const {
    if (Parent() == nullptr)
        return -1;
    const auto& list = Parent()->tabList_;
    auto found = std::find(list.begin(), list.end(), this);
    return found != list.end() ? static_cast<int>(found - list.begin()) : -1;
}

void TWinControl::SetTabOrder(int order) {
    if (Parent() == nullptr || order < 0)
        return;
    auto& list = Parent()->tabList_;
    std::erase(list, this);
    auto position = static_cast<std::size_t>(order);
    list.insert(list.begin() + static_cast<std::ptrdiff_t>(std::min(position, list.size())), this);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const {
    for (TWinControl* child : tabList_) {
        list.push_back(child);
        child->GetTabOrderList(list);
    }
}

bool TWinControl::CanFocus() const {
    TForm* form = GetParentForm(this);
    if (form != nullptr && (!form->Visible() || !form->Enabled()))
        return false;
    for (const TWinControl* control = this; control != nullptr; control = control->Parent()) {
        if (!control->Visible() || !control->Enabled())
            return false;
    }
    return true;
}

bool TWinControl::Focused() const {
    return handle_ != nullptr && GetFocus() == handle_;
}

void TWinControl::SetFocus() {
    if (!CanFocus())
        throw EInvalidOperation("Cannot focus a disabled or invisible window");
    TForm* form = GetParentForm(this);
    if (form != nullptr && form != this) {
        form->FocusControl(this);
        return;
    }
    ::SetFocus(Handle());
    detail::RethrowPendingException();
}

void TWinControl::SelectNext(TWinControl* current, bool forward, bool checkTabStop) {
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    if (list.empty())
        return;
    int count = static_cast<int>(list.size());
    auto found = std::find(list.begin(), list.end(), current);
    int start =
        found != list.end() ? static_cast<int>(found - list.begin()) : (forward ? count - 1 : 0);
    if (found == list.end() && !forward)
        start = count;  // the first step backwards lands on the last control
    for (int step = 1; step <= count; ++step) {
        int index = forward ? (start + step) % count : ((start - step) % count + count) % count;
        TWinControl* candidate = list[static_cast<std::size_t>(index)];
        if (candidate == current)
            return;
        if (candidate->CanFocus() && (!checkTabStop || candidate->TabStop())) {
            candidate->SetFocus();
            return;
        }
    }
}

// ---- keys ---------------------------------------------------------------------------------

void TWinControl::WMSetFocus(TMessage& message) {
    DefaultHandler(message);
    if (TForm* form = GetParentForm(this))
        form->SetFocusedControl(this);
}

void TWinControl::WMKillFocus(TMessage& message) {
    DefaultHandler(message);
}

TShiftState TWinControl::KeyDataToShiftState(LPARAM keyData) {
    TShiftState shift;
    if (GetKeyState(VK_SHIFT) < 0)
        shift.Include(ssShift);
    if (GetKeyState(VK_CONTROL) < 0)
        shift.Include(ssCtrl);
    if ((keyData & 0x20000000) != 0)  // the context code: Alt is held
        shift.Include(ssAlt);
    return shift;
}

bool TWinControl::DoKeyDown(WORD& key, TShiftState shift) {
    TForm* form = GetParentForm(this);
    if (form != nullptr && form != this && form->KeyPreview()) {
        static_cast<TWinControl*>(form)->KeyDown(key, shift);
        if (key == 0)
            return true;
    }
    KeyDown(key, shift);
    return key == 0;
}

bool TWinControl::HandleDialogKey(WORD key, TShiftState shift) {
    bool arrow = key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN;
    if (key != VK_TAB && !arrow)
        return false;
    if (shift.Contains(ssAlt))
        return false;
    TForm* form = GetParentForm(this);
    if (form == nullptr)
        return false;
    auto code = static_cast<UINT>(Perform(WM_GETDLGCODE, key, 0));
    if ((code & DLGC_WANTALLKEYS) != 0)
        return false;
    if (key == VK_TAB) {
        if ((code & DLGC_WANTTAB) != 0 || shift.Contains(ssCtrl))
            return false;
        return form->DialogTab(!shift.Contains(ssShift));
    }
    if ((code & DLGC_WANTARROWS) != 0)
        return false;
    return form->DialogArrow(key == VK_RIGHT || key == VK_DOWN);
}

void TWinControl::WMKeyDown(TMessage& message) {
    auto key = static_cast<WORD>(message.WParam);
    TShiftState shift = KeyDataToShiftState(message.LParam);
    if (DoKeyDown(key, shift) || HandleDialogKey(key, shift)) {
        message.Result = 0;
        return;
    }
    message.WParam = key;
    DefaultHandler(message);
}

void TWinControl::WMKeyUp(TMessage& message) {
    auto key = static_cast<WORD>(message.WParam);
    TShiftState shift = KeyDataToShiftState(message.LParam);
    TForm* form = GetParentForm(this);
    if (form != nullptr && form != this && form->KeyPreview())
        static_cast<TWinControl*>(form)->KeyUp(key, shift);
    if (key != 0)
        KeyUp(key, shift);
    if (key == 0) {
        message.Result = 0;
        return;
    }
    message.WParam = key;
    DefaultHandler(message);
}

void TWinControl::WMChar(TMessage& message) {
    char key = static_cast<char>(message.WParam);
    TForm* form = GetParentForm(this);
    if (form != nullptr && form != this && form->KeyPreview())
        static_cast<TWinControl*>(form)->KeyPress(key);
    if (key != 0)
        KeyPress(key);
    if (key == 0) {
        message.Result = 0;
        return;
    }
    message.WParam = static_cast<BYTE>(key);
    DefaultHandler(message);
}

void TWinControl::KeyDown(WORD& key, TShiftState shift) {
    if (OnKeyDown)
        OnKeyDown(this, key, shift);
}

void TWinControl::KeyUp(WORD& key, TShiftState shift) {
    if (OnKeyUp)
        OnKeyUp(this, key, shift);
}

void TWinControl::KeyPress(char& key) {
    if (OnKeyPress)
        OnKeyPress(this, key);
}

void TWinControl::DoEnter() {
    if (OnEnter)
        OnEnter(this);
}

void TWinControl::DoExit() {
    if (OnExit)
        OnExit(this);
}

}  // namespace forms
