#include "tools/HandCursors.h"

#include <string_view>
#include <vector>

#include "tools/PixelArt.h"

namespace nuvik::tools {

namespace {

// '.' see-through, K black, W white. Colour index 0 is black and 1 white.
const std::vector<PixelArtLetter> kLegend = {
    {'.', 0, true},
    {'K', 0, false},
    {'W', 1, false},
};

// The index finger points up; its tip's top row is the hot spot's row.
const std::vector<std::string_view> kPointingHand = {
    "................................",  // 0
    "................................",  // 1
    "................................",  // 2
    "................................",  // 3
    "................................",  // 4
    "................................",  // 5
    "................................",  // 6
    "................................",  // 7
    "................................",  // 8
    "................................",  // 9
    "................................",  // 10
    "................................",  // 11
    "................................",  // 12
    "................................",  // 13
    "................................",  // 14
    "................................",  // 15
    ".....KKK........................",  // 16
    "....KWWWK.......................",  // 17
    "....KWWWK.......................",  // 18
    "....KWWWK.......................",  // 19
    "....KWWWKKK.....................",  // 20
    "....KWWWKWWKKK..................",  // 21
    "....KWWWKWWKWWKKK...............",  // 22
    ".KK.KWWWKWWKWWKWWK..............",  // 23
    "KWWKKWWWKWWKWWKWWK..............",  // 24
    "KWWWKWWWWWWWWWWWWK..............",  // 25
    ".KWWWWWWWWWWWWWWWK..............",  // 26
    "..KWWWWWWWWWWWWWWK..............",  // 27
    "...KWWWWWWWWWWWWK...............",  // 28
    "....KWWWWWWWWWWWK...............",  // 29
    ".....KWWWWWWWWWWK...............",  // 30
    ".....KKKKKKKKKKKK...............",  // 31
};

// A closed hand seen from its back: bent fingers on top, the thumb tucked in at the left.
const std::vector<std::string_view> kGraspingHand = {
    "................................",  // 0
    "................................",  // 1
    "................................",  // 2
    "................................",  // 3
    "................................",  // 4
    "................................",  // 5
    "................................",  // 6
    "................................",  // 7
    "................................",  // 8
    "................................",  // 9
    "...........KK.KK.KK.............",  // 10
    "..........KWWKWWKWWKK...........",  // 11
    "..........KWWKWWKWWKWK..........",  // 12
    "........KKKWWKWWKWWKWWK.........",  // 13
    ".......KWWKWWWWWWWWWWWK.........",  // 14
    ".......KWWWKWWWWWWWWWWK.........",  // 15
    "........KWWWWWWWWWWWWWK.........",  // 16
    ".........KWWWWWWWWWWWWK.........",  // 17
    ".........KWWWWWWWWWWWK..........",  // 18
    "..........KWWWWWWWWWWK..........",  // 19
    "..........KWWWWWWWWWK...........",  // 20
    "..........KKKKKKKKKKK...........",  // 21
    "................................",  // 22
    "................................",  // 23
    "................................",  // 24
    "................................",  // 25
    "................................",  // 26
    "................................",  // 27
    "................................",  // 28
    "................................",  // 29
    "................................",  // 30
    "................................",  // 31
};

HandCursor Make(const char* name, const std::vector<std::string_view>& rows, int hotX, int hotY) {
    return {name, PaintPixelArt(rows, kLegend, {{0, 0, 0}, {255, 255, 255}}), hotX, hotY};
}

}  // namespace

HandCursor MakePointingHandCursor() {
    return Make("KW_HANDCUR", kPointingHand, 6, 16);
}

HandCursor MakeGraspingHandCursor() {
    return Make("KW_DRAGCUR", kGraspingHand, 15, 16);
}

Bytes EncodeHandCursor(const HandCursor& cursor) {
    return EncodeCursorFile(cursor.image, 1, cursor.hotX, cursor.hotY);
}

}  // namespace nuvik::tools
