// What KeyPressed answers: the keys that went down since the previous PresentScreen, noted on
// every step of the program's frame function (NUVIK_PROGRAM calls NoteKeysOfStep).
#pragma once

namespace nuvik::sdk {

// Forgets the presses noted so far: the program has presented the frame that saw them.
void ForgetPressedKeys();

}  // namespace nuvik::sdk
