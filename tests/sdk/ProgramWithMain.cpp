// A program that brings its own main(): the SDK header refuses it where it is written.
#include <nuvik/sdk.h>

int main() {
    return 0;
}
