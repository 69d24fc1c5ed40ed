// nuvik-golden ACTUAL.png GOLDEN.png [--update]: the comparison step of a program's golden
// test. Exit status 0 when the pictures match (or the golden was rewritten on request), 1 when
// not, 2 for a bad command line.
#include <cstdio>
#include <cstring>

#include "sdk/golden/GoldenCheck.h"

int main(int argc, char** argv) {
    const bool update = argc == 4 && std::strcmp(argv[3], "--update") == 0;
    if (argc != 3 && !update) {
        std::fprintf(stderr, "usage: %s ACTUAL.png GOLDEN.png [--update]\n", argv[0]);
        return 2;
    }
    nuvik::golden::CheckResult result = nuvik::golden::CheckGolden(argv[1], argv[2], update);
    std::fprintf(result.passed ? stdout : stderr, "%s\n", result.message.c_str());
    return result.passed ? 0 : 1;
}
