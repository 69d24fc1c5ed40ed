#include "app/Units.h"

#include <cstring>

#include "draw/SysDraw.h"
#include "event/SysEvent.h"
#include "frame/UnitCounter.h"

unsigned char MediaState[32];
unsigned char SoundState[5];

namespace {

UnitCounter sysSystem;
UnitCounter formMain;
UnitCounter sysMedia;
UnitCounter sysSound;
UnitCounter sysFrame;

std::vector<const char*>& Log() {
    static std::vector<const char*> log;
    return log;
}

void Note(bool ran, const char* name) {
    if (ran)
        Log().push_back(name);
}

// The units of this layer whose start-up is only the counter and, for some, a zeroed record.
template <typename Work>
bool Start(UnitCounter& counter, Work work) {
    if (!counter.Initialize())
        return false;
    work();
    return true;
}

}  // namespace

const std::vector<const char*>& UnitStartupLog() {
    return Log();
}

void InitializeUnits() {
    Note(SysDrawInitialize(), "_sys_draw");
    Note(Start(sysSystem, [] {}), "_sys_system");
    Note(SysEventInitialize(), "_sys_event");
    Note(Start(formMain, [] {}), "Form_main");
    Note(Start(sysMedia, [] { std::memset(MediaState, 0, sizeof MediaState); }), "_sys_media");
    Note(Start(sysSound, [] { std::memset(SoundState, 0, sizeof SoundState); }), "_sys_sound");
    Note(Start(sysFrame, [] {}), "_sys_frame");
}

void FinalizeUnits() {
    sysFrame.Finalize();
    sysSound.Finalize();
    sysMedia.Finalize();
    formMain.Finalize();
    SysEventFinalize();
    sysSystem.Finalize();
    SysDrawFinalize();
}
