#include "forms/Instance.h"

namespace forms {

HINSTANCE HInstance() {
    return static_cast<HINSTANCE>(GetModuleHandleA(nullptr));
}

}  // namespace forms
