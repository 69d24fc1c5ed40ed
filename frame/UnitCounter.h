// The start-up guard of every system unit: each unit has a counter that is 0 at load; its
// initialiser subtracts 1 and does its work only on the call that found 0; its finaliser adds
// 1 back and does nothing else.
#pragma once

struct UnitCounter {
    int count = 0;

    // True on the call whose work should run.
    bool Initialize() { return count-- == 0; }
    void Finalize() { ++count; }
};
