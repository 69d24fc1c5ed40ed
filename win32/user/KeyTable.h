// The state of every virtual key and mouse button as the host last reported it, and what a
// key means as a scan code and as a character.
#pragma once

#include "win32/types.h"

namespace win32::user {

// Two views of one key table, both fed by the same host events: `Async` changes when the host
// reports a key (GetAsyncKeyState), `Sync` when the key's message is taken from the queue
// (GetKeyState, and what TranslateMessage and the MK_ flags of a message go by), as on
// Windows.
enum class KeyView { Async, Sync };

// Records a press or release; returns whether the key was already down (auto-repeat).
// The generic VK_SHIFT, VK_CONTROL and VK_MENU count as their left-hand keys.
bool RecordKey(KeyView view, int virtualKey, bool down);
// Either hand for VK_SHIFT, VK_CONTROL and VK_MENU.
bool KeyIsDown(KeyView view, int virtualKey);
bool KeyIsToggled(KeyView view, int virtualKey);
// The virtual key that messages carry: the left/right modifier codes become generic.
int MessageKey(int virtualKey);
UINT ScanCodeOf(int virtualKey);
bool IsExtendedKey(int virtualKey);
// The character a key press types with the modifiers held as of the messages taken (US
// layout); 0 for none.
int CharacterOf(int virtualKey);
void ResetKeys();

}  // namespace win32::user
