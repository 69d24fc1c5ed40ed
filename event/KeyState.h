// The keyboard and mouse state record that programs written for the SDK read at any time.
// The main window's message hook refreshes it with every message the loop takes.
#pragma once

#include "win32/api.h"

#include <nuvik/sdk_types.h>

// The fields are the SDK's record, which programs read through a view of this one.
struct KeyState : nuvik::KeyStateRecord {
    // The virtual keys of the 26 slots, in slot order (which is also the polling order).
    static const BYTE kSlotKeys[nuvik::kKeySlotCount];

    // The unit start-up's construction: mouse event 0, idle count 0.
    void Construct();
    // Polls the keys, then takes the mouse part of the message (null: keys only).
    void Update(const MSG* message);
    void PollKeys();
    void TakeMouseMessage(const MSG* message);
    void ClearIdle();
};

// The one record, zero at load. The variable shares the record type's name, so programs
// write `KeyState.held[4]` and the methods are `KeyState::Update`.
extern struct KeyState KeyState;
