#include "draw/PaletteBank.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <vector>

namespace {

constexpr DWORD k565 = 0xF800;
constexpr DWORD k555 = 0x7C00;

class PaletteBankTest : public ::testing::Test {
  protected:
    void SetUp() override {
        savedMask_ = DisplayRedMask;
        ClearPaletteBank();
    }
    void TearDown() override {
        DisplayRedMask = savedMask_;
        ClearPaletteBank();
    }

    std::array<WORD, 256> zeros_{};

  private:
    DWORD savedMask_ = 0;
};

TEST_F(PaletteBankTest, ConvertColorFollowsTheDisplayLayout) {
    struct Case {
        DWORD mask;
        WORD in;
        WORD out;
    } cases[] = {
        {k565, 0x7FFF, 0xFFFF}, {k565, 0x0000, 0x0020}, {k565, 0x8000, 0x0020},
        {k565, 0xFFFF, 0xFFFF}, {k565, 0x001F, 0x003F}, {k565, 0x03E0, 0x07E0},
        {k565, 0x7C00, 0xF820}, {k565, 0x6B5A, 0xD6BA}, {k555, 0x8000, 0x8000},
        {k555, 0x7FFF, 0x7FFF}, {k555, 0x1234, 0x1234}, {k555, 0x0000, 0x0000},
        {0, 0x7FFF, 0x0000},    {0, 0x0000, 0x0000},    {0x1234, 0x7FFF, 0x0000},
    };
    for (const Case& c : cases) {
        DisplayRedMask = c.mask;
        EXPECT_EQ(ConvertColor(c.in), c.out) << std::hex << c.mask << " " << c.in;
    }
}

TEST_F(PaletteBankTest, FullCountMakesTheGreyRampInEitherLayout) {
    struct Case {
        DWORD mask;
        WORD entry0, entry31, entry32, entry250;
    } cases[] = {
        {k565, 0x0020, 0xFFFF, 0x0020, 0xD6BA},
        {k555, 0x0000, 0x7FFF, 0x0000, 0x6B5A},
        {0, 0x0000, 0x0000, 0x0000, 0x0000},
    };
    for (const Case& c : cases) {
        ClearPaletteBank();
        DisplayRedMask = c.mask;
        ASSERT_EQ(NewPalette(256, zeros_.data()), 0);
        EXPECT_EQ(LookUpColor(0), c.entry0);
        EXPECT_EQ(LookUpColor(31), c.entry31);
        EXPECT_EQ(LookUpColor(32), c.entry32);
        EXPECT_EQ(LookUpColor(250), c.entry250);
        EXPECT_EQ(LookUpColor(255), LookUpColor(31));
    }
}

TEST_F(PaletteBankTest, PartialCountsRebuildOnlyTheLeadingEntries) {
    std::array<WORD, 256> colours{};
    colours[1] = 0x8000;
    colours[2] = 0x7FFF;
    colours[3] = 0x1234;
    colours[255] = 0xBEEF;
    struct Case {
        DWORD mask;
        int count;
        std::array<WORD, 5> first;  // entries 0 to 4
        WORD last;
    } cases[] = {
        // Grey 1 keeps the copied bit 15 before conversion; entries from 3 on stay as copied.
        {k555, 3, {0x0000, 0x8421, 0x0842, 0x1234, 0x0000}, 0xBEEF},
        {k565, 3, {0x0020, 0x0861, 0x10A2, 0x1234, 0x0000}, 0xBEEF},
        {k565, 0, {0x0000, 0x8000, 0x7FFF, 0x1234, 0x0000}, 0xBEEF},
        {k565, -5, {0x0000, 0x8000, 0x7FFF, 0x1234, 0x0000}, 0xBEEF},
        {k555, 256, {0x0000, 0x8421, 0x0842, 0x0C63, 0x1084}, 0xFFFF},
    };
    for (const Case& c : cases) {
        ClearPaletteBank();
        DisplayRedMask = c.mask;
        ASSERT_EQ(NewPalette(c.count, colours.data()), 0);
        for (int j = 0; j < 5; ++j)
            EXPECT_EQ(LookUpColor(static_cast<BYTE>(j)), c.first[j]) << c.count << " entry " << j;
        EXPECT_EQ(LookUpColor(255), c.last) << c.count;
    }
}

TEST_F(PaletteBankTest, CountAbove256RebuildsTheWholePaletteAndNothingBeyond) {
    DisplayRedMask = k565;
    std::vector<WORD> colours(300, 0x1111);
    ASSERT_EQ(NewPalette(300, colours.data()), 0);
    for (int j = 0; j < 256; ++j) {
        WORD level = static_cast<WORD>(j % 32);
        WORD grey = static_cast<WORD>(level << 10 | level << 5 | level);
        ASSERT_EQ(LookUpColor(static_cast<BYTE>(j)), ConvertColor(grey)) << j;
    }
    for (int j = 0; j < 256; ++j)
        ASSERT_EQ(PaletteBank.entries[1][j], 0) << "row 1 was written at " << j;
    EXPECT_EQ(PaletteBank.slots[1], nullptr);
}

TEST_F(PaletteBankTest, SlotsFillInOrderAndAFullBankChangesNothing) {
    DisplayRedMask = k555;
    for (int i = 0; i < kPaletteSlots; ++i) {
        ASSERT_EQ(NewPalette(256, zeros_.data()), i);
        EXPECT_EQ(PaletteBank.slots[i], PaletteBank.entries[i]);
    }
    PaletteBank.entries[0][7] = 0x4242;
    std::vector<unsigned char> before(sizeof PaletteBank);
    std::memcpy(before.data(), &PaletteBank, sizeof PaletteBank);

    std::array<WORD, 256> other;
    other.fill(0x7FFF);
    EXPECT_EQ(NewPalette(10, other.data()), 0);  // the 129th
    EXPECT_EQ(std::memcmp(before.data(), &PaletteBank, sizeof PaletteBank), 0);
    EXPECT_EQ(LookUpColor(7), 0x4242);
}

TEST_F(PaletteBankTest, ClearingEmptiesEverySlotAndLooksUpZero) {
    DisplayRedMask = k565;
    NewPalette(256, zeros_.data());
    NewPalette(256, zeros_.data());
    ClearPaletteBank();
    EXPECT_EQ(PaletteBank.current, 0);
    for (int i = 0; i < kPaletteSlots; ++i)
        EXPECT_EQ(PaletteBank.slots[i], nullptr);
    for (int k = 0; k < 256; ++k)
        ASSERT_EQ(LookUpColor(static_cast<BYTE>(k)), 0) << k;
    EXPECT_EQ(NewPalette(256, zeros_.data()), 0);
    EXPECT_EQ(NewPalette(256, zeros_.data()), 1);
    EXPECT_EQ(DisplayRedMask, k565);  // the detected layout survives
}

TEST_F(PaletteBankTest, TextColoursTakeTheFieldsUnscaledWhateverTheLayout) {
    struct Case {
        WORD colour;
        COLORREF text;
    } cases[] = {
        {0x6B5A, RGB(26, 26, 26)},  // grey 26 in 5-5-5
        {0xD6BA, RGB(26, 21, 21)},  // the same grey converted for 5-6-5
        {0x001F, RGB(31, 0, 0)},   {0x03E0, RGB(0, 31, 0)},   {0x7C00, RGB(0, 0, 31)},
        {0x8000, RGB(0, 0, 0)},    {0xFFFF, RGB(31, 31, 31)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ToTextColor(c.colour), c.text) << std::hex << c.colour;
}

}  // namespace
