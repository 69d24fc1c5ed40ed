#include "frame/Random.h"

#include <gtest/gtest.h>

#include "frame/Tick.h"
#include "win32/platform/Clock.h"

namespace {

namespace clock = win32::clock;

class RandomTest : public ::testing::Test {
  protected:
    void SetUp() override { ResetRandomForTesting(); }
    void TearDown() override { clock::UseRealClock(); }
};

TEST_F(RandomTest, TickIsTheClockOfTheWin32Layer) {
    clock::UseVirtualClock(0xDEADBEEFu);
    EXPECT_EQ(GetTick(), 0xDEADBEEFu);
}

// The generator, seeded with 1 and advanced once at start, gives 130, 10982, 1090, 11656,
// 7117, 17595 next; each value is added to the tick.
TEST_F(RandomTest, FirstValuesFromAFixedTickFollowTheGenerator) {
    clock::UseVirtualClock(1000);
    const DWORD expected[] = {1130, 11982, 2090, 12656, 8117, 18595};
    for (DWORD value : expected)
        EXPECT_EQ(GetRandom(), value);
}

TEST_F(RandomTest, ResetForTestingRestartsTheSequence) {
    clock::UseVirtualClock(0);
    DWORD first = GetRandom();
    GetRandom();
    ResetRandomForTesting();
    EXPECT_EQ(GetRandom(), first);
    EXPECT_EQ(first, 130u);
}

TEST_F(RandomTest, SumsWithTheTopBitSetAreFoldedBackByNegation) {
    struct Case {
        DWORD tick;
        DWORD result;  // the generator's first value is 130
    } cases[] = {
        {0x7FFFFF00u, 0x7FFFFF82u},  // stays below 2^31
        {0x7FFFFF7Du, 0x7FFFFFFFu},  // the largest positive sum
        {0x7FFFFF7Eu, 0x80000000u},  // exactly 2^31 is its own negation
        {0x7FFFFF7Fu, 0x7FFFFFFFu},  // 2^31 + 1 folds to 2^31 - 1
        {0xF0000000u, 0x0FFFFF7Eu},
        {0xFFFFFFFFu, 129u},  // the sum wraps past 2^32 and is small again
    };
    for (const Case& c : cases) {
        ResetRandomForTesting();
        clock::UseVirtualClock(c.tick);
        EXPECT_EQ(GetRandom(), c.result) << std::hex << c.tick;
    }
}

TEST_F(RandomTest, NeverAboveTwoToThe31) {
    clock::UseVirtualClock(0);
    for (int i = 0; i < 4096; ++i) {
        clock::SetVirtual(static_cast<DWORD>(i) * 0x00100003u);
        EXPECT_LE(GetRandom(), 0x80000000u);
    }
}

}  // namespace
