// A program whose set-up never succeeds, so it never draws or presents anything.
#include <nuvik/sdk.h>

namespace {

int SetUp() {
    return 0;
}

int Frame() {
    return 9999;
}

}  // namespace

NUVIK_PROGRAM(SetUp, Frame);
