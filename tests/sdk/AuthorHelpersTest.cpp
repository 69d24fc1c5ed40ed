// The helpers <nuvik/sdk.h> offers authors, against the runner's own palette bank, display
// layout record and key record.
#define NUVIK_SDK_QUALIFIED_NAMES_ONLY
#include <gtest/gtest.h>
#include <nuvik/sdk.h>

#include <algorithm>
#include <iterator>
#include <string>

#include "draw/PaletteBank.h"
#include "event/KeyState.h"
#include "sdk/PressedKeys.h"

namespace {

TEST(AuthorHelpersTest, DisplayColourRoundsEachChannelIntoTheLayoutTheDisplayUses) {
    struct Case {
        DWORD redMask;
        int red, green, blue;
        std::uint16_t expected;
    };
    const Case cases[] = {
        {0xF800, 255, 0, 0, 0xF800},     {0xF800, 0, 255, 0, 0x07E0},
        {0xF800, 0, 0, 255, 0x001F},     {0xF800, 255, 255, 255, 0xFFFF},
        {0xF800, 0, 0, 0, 0x0000},       {0xF800, 132, 130, 4, 0x8400},  // 16.05, 32.12, 0.49
        {0x7C00, 255, 0, 0, 0x7C00},     {0x7C00, 0, 255, 0, 0x03E0},
        {0x7C00, 255, 255, 255, 0x7FFF}, {0x7C00, 132, 130, 4, 0x4200},
        {0x7C00, 300, -5, 255, 0x7C1F},  // out of range: clamped
        {0, 255, 255, 255, 0xFFFF},      // no display made yet: 5-6-5
    };
    const DWORD saved = DisplayRedMask;
    for (const Case& c : cases) {
        DisplayRedMask = c.redMask;
        EXPECT_EQ(nuvik::DisplayColour(c.red, c.green, c.blue), c.expected)
            << std::hex << c.redMask << " " << std::dec << c.red << "," << c.green << "," << c.blue;
    }
    DisplayRedMask = saved;
}

TEST(AuthorHelpersTest, AnRgbPaletteHoldsTheColoursFromEntryZeroAndBlackAfterThem) {
    const DWORD saved = DisplayRedMask;
    DisplayRedMask = 0x7C00;
    ClearPaletteBank();
    const nuvik::RgbColour colours[] = {{255, 255, 255}, {255, 0, 0}, {0, 0, 0}};

    EXPECT_EQ(nuvik::NewRgbPalette(3, colours), 0);
    EXPECT_EQ(nuvik::NewRgbPalette(3, colours), 1) << "a slot like any palette";

    // Not the grey ramp NewPalette makes of its first entries: the colours as given.
    EXPECT_EQ(LookUpColor(0), 0x7FFF);
    EXPECT_EQ(LookUpColor(1), 0x7C00);
    EXPECT_EQ(LookUpColor(2), 0x0000);
    EXPECT_EQ(LookUpColor(3), 0x0000);
    EXPECT_EQ(LookUpColor(255), 0x0000);
    ClearPaletteBank();
    DisplayRedMask = saved;
}

TEST(AuthorHelpersTest, ToCp949GivesTheBytesPutTextDrawsAndAQuestionMarkForTheRest) {
    struct Case {
        const char* utf8;
        std::string cp949;
    };
    const Case cases[] = {
        {"안녕, Nuvik", "\xBE\xC8\xB3\xE7, Nuvik"},
        {"똠", "\x8C\x63"},  // beyond the 2350 common syllables: every Hangul syllable is there
        {"α·Ω", "\xA5\xE1\xA1\xA4\xA5\xD8"},
        {"Café — Straße",
         "Caf? ? Stra\xA9\xAC"
         "e"},         // ß is there; é and the dash are not
        {"😀!", "?!"},  // one character, one question mark
        {"a\xFF"
         "b",
         "a?b"},  // not UTF-8
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(nuvik::ToCp949(c.utf8), c.cp949) << c.utf8;
}

TEST(AuthorHelpersTest, KeyPressedSaysOncePerPressUntilTheNextPresent) {
    // Each step: what the record holds for Z at that step, whether the program presents after
    // it, and what KeyPressed(Z) says during it.
    struct Step {
        std::uint8_t held;
        bool presents;
        bool pressed;
    };
    const Step steps[] = {
        {0, true, false}, {1, false, true}, {1, true, true},  // down: once, until presented
        {1, true, false}, {0, true, false},                   // held on, let go
        {1, false, true}, {0, false, true}, {0, true, true},  // a tap between two frames
        {0, true, false}, {1, true, true},  {0, false, false}, {1, true, true},
    };
    std::fill(std::begin(KeyState.held), std::end(KeyState.held), 0);
    nuvik::sdk::NoteKeysOfStep();
    nuvik::sdk::ForgetPressedKeys();
    int index = 0;
    for (const Step& s : steps) {
        KeyState.held[nuvik::kKeyZ] = s.held;
        nuvik::sdk::NoteKeysOfStep();
        EXPECT_EQ(nuvik::KeyPressed(nuvik::kKeyZ), s.pressed) << "step " << index;
        EXPECT_FALSE(nuvik::KeyPressed(nuvik::kKeyX)) << "step " << index;
        if (s.presents)
            nuvik::sdk::ForgetPressedKeys();
        ++index;
    }
    EXPECT_FALSE(nuvik::KeyPressed(-1));
    EXPECT_FALSE(nuvik::KeyPressed(nuvik::kKeySlotCount));
    KeyState.held[nuvik::kKeyZ] = 0;
}

}  // namespace
