// The system's units start once each, in a fixed order; at exit their finalisers run in the
// reverse order and only count.
#pragma once

#include <vector>

// _sys_draw, _sys_system, _sys_event, Form_main, _sys_media, _sys_sound, _sys_frame.
void InitializeUnits();
void FinalizeUnits();

// The names of the units whose initialiser work ran, in order (for tests and diagnostics).
const std::vector<const char*>& UnitStartupLog();

// The state records of _sys_media and _sys_sound: zeroed by their units' start-up and
// otherwise untouched by the system.
extern unsigned char MediaState[32];
extern unsigned char SoundState[5];
