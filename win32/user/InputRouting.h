// Host and test input waiting in the thread's input queue, turned into window messages when
// a retrieval reaches it (so that capture and focus changes made while handling one message
// apply to the next), and the key table behind GetAsyncKeyState and GetKeyState.
#pragma once

#include "user/MessageQueue.h"

namespace win32::user {

bool TakeInputMessage(const MessageFilter& filter, bool remove, MSG* msg);
bool HasQueuedInput();
POINT CursorPosition();
// MK_* flags of the buttons and modifier keys the host reports held now.
WPARAM MouseKeyFlags();
void ResetInput();

}  // namespace win32::user
