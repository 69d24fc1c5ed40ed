#include "app/Units.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "draw/Ddraw.h"
#include "event/KeyState.h"

namespace {

TEST(Units, StartOnceInTheirOrderAndStayStartedAcrossFinalisers) {
    MediaState[3] = 7;
    SoundState[4] = 9;
    InitializeUnits();
    const std::vector<std::string> order(UnitStartupLog().begin(), UnitStartupLog().end());
    EXPECT_EQ(order,
              (std::vector<std::string>{"_sys_draw", "_sys_system", "_sys_event", "Form_main",
                                        "_sys_media", "_sys_sound", "_sys_frame"}));
    EXPECT_EQ(MediaState[3], 0);
    EXPECT_EQ(SoundState[4], 0);
    EXPECT_EQ(KeyState.mouseEvent, 0);

    // A second start finds every counter taken: nothing is constructed or zeroed again.
    KeyState.mouseEvent = 3;
    MediaState[0] = 1;
    InitializeUnits();
    EXPECT_EQ(UnitStartupLog().size(), 7u);
    EXPECT_EQ(KeyState.mouseEvent, 3);
    EXPECT_EQ(MediaState[0], 1);

    // Finalisers only count: after two of them the next start does the work again.
    FinalizeUnits();
    FinalizeUnits();
    InitializeUnits();
    EXPECT_EQ(UnitStartupLog().size(), 14u);
    EXPECT_EQ(KeyState.mouseEvent, 0);
    FinalizeUnits();
}

}  // namespace
