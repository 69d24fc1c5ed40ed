#include "win32/platform/WindowSystem.h"

#include "user/Cursors.h"
#include "user/Focus.h"
#include "user/InputRouting.h"
#include "user/MessageBox.h"
#include "user/MessageQueue.h"
#include "user/Painting.h"
#include "user/Timers.h"
#include "user/WindowOps.h"
#include "user/WindowTree.h"

namespace win32::windowsystem {

void Reset() {
    user::ResetPainting();
    user::ResetTree();
    user::ResetQueue();
    user::ResetInput();
    user::ResetFocus();
    user::ResetTimers();
    user::ResetCursors();
    user::ResetMessageBoxes();
}

HWND MainWindow() {
    user::Window* main = user::MainWindow();
    return main != nullptr ? main->handle : nullptr;
}

bool MessageBoxOpen() {
    return user::OpenMessageBoxes() > 0;
}

}  // namespace win32::windowsystem
