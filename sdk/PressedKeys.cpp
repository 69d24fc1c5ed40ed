// KeyPressed. The key record changes only when the runner's loop takes a message, and every
// message is followed by a step of the frame function, so a press noted on every step is never
// missed, even when the key is let go again before the program's next frame is due.
#define NUVIK_SDK_QUALIFIED_NAMES_ONLY
#include "sdk/PressedKeys.h"

#include <nuvik/sdk.h>

#include <cstring>

#include "event/KeyState.h"

namespace {

std::uint8_t heldAtLastStep[nuvik::kKeySlotCount];
std::uint8_t pressedSincePresent[nuvik::kKeySlotCount];

}  // namespace

namespace nuvik {

bool KeyPressed(int slot) {
    if (slot < 0 || slot >= kKeySlotCount)
        return false;
    return pressedSincePresent[slot] != 0;
}

}  // namespace nuvik

namespace nuvik::sdk {

void NoteKeysOfStep() {
    const std::uint8_t* held = ::KeyState.held;
    // Most steps take no message and find the record as the last one left it.
    if (std::memcmp(held, heldAtLastStep, sizeof heldAtLastStep) == 0)
        return;
    for (int slot = 0; slot < kKeySlotCount; ++slot) {
        if (held[slot] != 0 && heldAtLastStep[slot] == 0)
            pressedSincePresent[slot] = 1;
        heldAtLastStep[slot] = held[slot];
    }
}

void ForgetPressedKeys() {
    std::memset(pressedSincePresent, 0, sizeof pressedSincePresent);
}

}  // namespace nuvik::sdk
