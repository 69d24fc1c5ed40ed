#include "frame/FormatText.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

TEST(FormatText, WritesTheFormattedTextAndAlwaysReturnsZero) {
    char buffer[256];
    EXPECT_EQ(FormatText(buffer, "%d Frame / Sec", 35), 0);
    EXPECT_STREQ(buffer, "35 Frame / Sec");

    // The figure is an unsigned 16-bit count widened to int without sign extension.
    std::uint16_t shown = 0xFFFF;
    EXPECT_EQ(FormatText(buffer, "%d Frame / Sec", static_cast<int>(shown)), 0);
    EXPECT_STREQ(buffer, "65535 Frame / Sec");

    buffer[0] = 'x';
    EXPECT_EQ(FormatText(buffer, "%s", ""), 0);
    EXPECT_STREQ(buffer, "");

    std::string longText(1000, 'L');
    std::string big(1100, '\0');
    EXPECT_EQ(FormatText(big.data(), "<%s>", longText.c_str()), 0);
    EXPECT_EQ(std::string(big.c_str()), "<" + longText + ">");
}

}  // namespace
