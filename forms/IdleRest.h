// Rest between ticks for a message loop whose idle hook never lets it wait, on Windows. The real
// PeekMessageA returns at once on an empty queue, so such a loop would spin at a whole core
// between frames. Once the hook has had one pass at a tick with nothing taken from the queue
// since, nothing it can observe changes before the clock moves or input arrives: the loop waits
// for either. Elsewhere the platform under PeekMessageA rests the same way by itself.
#pragma once

#include "win32/api.h"

namespace forms {

class IdleRest {
  public:
    // Asks for a 1 ms timer resolution for the life of the object, so that a wait ends on the
    // clock interrupt that moves timeGetTime.
    IdleRest();
    ~IdleRest();
    IdleRest(const IdleRest&) = delete;
    IdleRest& operator=(const IdleRest&) = delete;

    // A message was taken: the hook is owed a pass of its own.
    void MessageTaken() { hookRanAt_.reset(); }
    // Before the idle hook: waits while the tick is the one the hook last ran at with the loop
    // kept going, until the clock moves or input arrives.
    void BeforeHook();
    // After the idle hook: `keepGoing` when it told the loop not to wait.
    void AfterHook(bool keepGoing);

  private:
    HANDLE timer_ = nullptr;
    bool periodSet_ = false;
    // The tick of the hook's last pass, when that pass kept the loop going.
    struct OptionalTick {
        bool set = false;
        DWORD value = 0;
        void reset() { set = false; }
    } hookRanAt_;
};

}  // namespace forms
