#include "host/Numbers.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

using nuvik::host::ParseDecimal;
using nuvik::host::ParseDecimalOrHex;

TEST(RunnerNumbers, OnlyAWholeNumberWithinItsLimitIsAccepted) {
    constexpr std::uint64_t kAll = UINT64_MAX;
    struct Case {
        const char* text;
        bool hexAllowed;
        std::uint64_t max;
        bool ok;
        std::uint64_t value;
    } cases[] = {
        {"0", false, 8, true, 0},
        {"8", false, 8, true, 8},
        {"9", false, 8, false, 0},
        {"10", false, 8, false, 0},
        {"007", false, 8, true, 7},
        {"", false, 8, false, 0},
        {" 1", false, 8, false, 0},
        {"1 ", false, 8, false, 0},
        {"+1", false, 8, false, 0},
        {"-1", false, 8, false, 0},
        {"4294967295", false, 0xFFFFFFFFu, true, 0xFFFFFFFFu},
        {"4294967296", false, 0xFFFFFFFFu, false, 0},
        {"18446744073709551615", false, kAll, true, kAll},
        {"18446744073709551616", false, kAll, false, 0},
        {"99999999999999999999999", false, kAll, false, 0},
        {"0x10", false, kAll, false, 0},
        {"0x10", true, kAll, true, 16},
        {"0XfF", true, kAll, true, 255},
        {"0x", true, kAll, false, 0},
        {"0xg", true, kAll, false, 0},
        {"ff", true, kAll, false, 0},
        {"0xFFFFFFFF", true, 0xFFFFFFFFu, true, 0xFFFFFFFFu},
        {"0x100000000", true, 0xFFFFFFFFu, false, 0},
        {"12", true, kAll, true, 12},
    };
    for (const Case& c : cases) {
        std::uint64_t value = 12345;
        bool ok = c.hexAllowed ? ParseDecimalOrHex(c.text, c.max, &value)
                               : ParseDecimal(c.text, c.max, &value);
        EXPECT_EQ(ok, c.ok) << "'" << c.text << "'";
        if (c.ok)
            EXPECT_EQ(value, c.value) << c.text;
        else
            EXPECT_EQ(value, 12345u) << "a refused text leaves the value alone: " << c.text;
    }
}

}  // namespace
