// Star Catcher: catch the falling stars in the basket, keep away from the rocks. Arrows move,
// Z dashes, X throws one of three bombs that clear every rock, Enter starts and restarts,
// Escape quits. Every eight stars the level goes up: things fall faster and the sky changes.
// Its texts stay UTF-8 in the source and the program (LITERALS UTF-8) and become the CP949
// bytes PutText draws through ToCp949, so it builds with any compiler, as C++17 or later.
#include <nuvik/sdk.h>

#include <cstdint>

#include "Palette.h"

namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 240;
constexpr int kGroundTop = 226;
constexpr int kBasketWidth = 36;
constexpr int kBasketHeight = 8;
constexpr int kThingSize = 10;
constexpr int kMaxThings = 16;
constexpr int kStartLives = 3;
constexpr int kStartBombs = 3;
constexpr int kStarsPerLevel = 8;

enum class Mode { kTitle, kPlaying, kGameOver };

struct Thing {
    bool falling = false;
    bool star = false;
    int x = 0;
    int y = 0;
    int speed = 1;
};

SurfaceDesc screen;
SurfaceDesc work;
std::uint32_t lastFrameTick = 0;
Mode mode = Mode::kTitle;

int basketX = 0;
int basketY = 0;
int score = 0;
int bestScore = 0;
int lives = 0;
int bombs = 0;
int flashFrames = 0;
int framesToNextThing = 0;
Thing things[kMaxThings];

int Level() {
    return 1 + score / kStarsPerLevel;
}

int Scene() {
    return (Level() - 1) % kSceneCount;
}

int Clamp(int value, int low, int high) {
    return value < low ? low : (value > high ? high : value);
}

void StartGame() {
    basketX = (kWidth - kBasketWidth) / 2;
    basketY = kGroundTop - kBasketHeight;
    score = 0;
    lives = kStartLives;
    bombs = kStartBombs;
    flashFrames = 0;
    framesToNextThing = 10;
    for (Thing& thing : things)
        thing.falling = false;
    mode = Mode::kPlaying;
}

void DropThing() {
    for (Thing& thing : things) {
        if (thing.falling)
            continue;
        thing.falling = true;
        // Two stars for every rock; higher levels drop faster.
        thing.star = GetRandom() % 3 != 0;
        thing.x = static_cast<int>(GetRandom() % (kWidth - kThingSize));
        thing.y = 24;
        thing.speed = 1 + Level() / 2 + static_cast<int>(GetRandom() % 2);
        return;
    }
}

bool Touches(const Thing& thing) {
    return thing.x + kThingSize > basketX && thing.x < basketX + kBasketWidth &&
           thing.y + kThingSize > basketY && thing.y < basketY + kBasketHeight;
}

void Play() {
    int step = KeyState.held[kKeyZ] ? 7 : 3;
    if (KeyState.held[kKeyLeft])
        basketX -= step;
    if (KeyState.held[kKeyRight])
        basketX += step;
    if (KeyState.held[kKeyUp])
        basketY -= step;
    if (KeyState.held[kKeyDown])
        basketY += step;
    basketX = Clamp(basketX, 0, kWidth - kBasketWidth);
    basketY = Clamp(basketY, 150, kGroundTop - kBasketHeight);

    if (KeyPressed(kKeyX) && bombs > 0) {
        --bombs;
        flashFrames = 4;
        for (Thing& thing : things) {
            if (!thing.star)
                thing.falling = false;
        }
    }

    if (--framesToNextThing <= 0) {
        DropThing();
        framesToNextThing = 24 - 2 * Clamp(Level(), 1, 8);
    }
    for (Thing& thing : things) {
        if (!thing.falling)
            continue;
        thing.y += thing.speed;
        if (Touches(thing)) {
            thing.falling = false;
            if (thing.star) {
                ++score;
            } else if (--lives == 0) {
                bestScore = score > bestScore ? score : bestScore;
                mode = Mode::kGameOver;
            }
        } else if (thing.y + kThingSize > kGroundTop) {
            thing.falling = false;
        }
    }
}

void DrawThing(const Thing& thing) {
    const int scene = Scene();
    if (thing.star) {
        // A plus sign: two boxes across each other.
        FillBox(&work, thing.x + 3, thing.y, 4, kThingSize, ColourOf(scene, kStar));
        FillBox(&work, thing.x, thing.y + 3, kThingSize, 4, ColourOf(scene, kStar));
    } else {
        FillBox(&work, thing.x, thing.y, kThingSize, kThingSize, ColourOf(scene, kRock));
    }
}

void DrawPlayfield() {
    const int scene = Scene();
    ClearSurface(&work, ColourOf(scene, flashFrames > 0 ? kFlash : kSky));
    if (flashFrames > 0)
        --flashFrames;
    FillBox(&work, 0, kGroundTop, kWidth, kHeight - kGroundTop, ColourOf(scene, kGround));
    for (const Thing& thing : things) {
        if (thing.falling)
            DrawThing(thing);
    }
    FillBox(&work, basketX, basketY, kBasketWidth, kBasketHeight, ColourOf(scene, kBasket));
    FillBox(&work, 0, 0, kWidth, 20, ColourOf(scene, kPanel));
    char status[128];
    FormatText(status, "점수 %d  Lv %d  Life %d  Bomb %d", score, Level(), lives, bombs);
    PutText(&work, 4, 2, ToCp949(status).c_str(), kTextColour);
}

void DrawPanel(const char* const* lines, int count) {
    const int scene = Scene();
    FillBox(&work, 20, 50, kWidth - 40, 24 + 20 * count, ColourOf(scene, kPanel));
    for (int i = 0; i < count; ++i)
        PutText(&work, 32, 62 + 20 * i, ToCp949(lines[i]).c_str(), kTextColour);
}

void DrawTitle() {
    ClearSurface(&work, ColourOf(0, kSky));
    FillBox(&work, 0, kGroundTop, kWidth, kHeight - kGroundTop, ColourOf(0, kGround));
    const char* const lines[] = {
        "별 받기 - Star Catcher",      "방향키: 이동  Z: 대시  X: 폭탄",
        "Arrows move, Z dash, X bomb", "Enter: 시작 / Start",
        "Esc: 끝내기 / Quit",
    };
    DrawPanel(lines, 5);
    char best[64];
    FormatText(best, "최고 점수 Best %d", bestScore);
    PutText(&work, 32, 190, ToCp949(best).c_str(), kTextColour);
}

void DrawGameOver() {
    DrawPlayfield();
    char result[64];
    FormatText(result, "점수 Score %d  Lv %d", score, Level());
    const char* const lines[] = {"게임 끝 - Game Over", result, "Enter: 다시 / Again"};
    DrawPanel(lines, 3);
}

int SetUp() {
    InitScreen(MainWindowHandle, 16);
    GetScreen(&screen, 0);
    SetScreen(&screen);
    NewSurface(&work);
    MakeGamePalette();
    ClearSurface(&screen, ColourOf(0, kSky));
    lastFrameTick = GetTick();
    return 1;
}

int Frame() {
    if (KeyState.held[kKeyEscape]) {
        ExitScreen();
        return 9999;
    }
    // One frame per 1000 / TargetFps milliseconds, like the slider under the screen says.
    if (TargetFps <= 0 || GetTick() - lastFrameTick < static_cast<std::uint32_t>(1000 / TargetFps))
        return 0;
    lastFrameTick = GetTick();

    switch (mode) {
        case Mode::kTitle:
            if (KeyPressed(kKeyEnter))
                StartGame();
            break;
        case Mode::kPlaying:
            Play();
            break;
        case Mode::kGameOver:
            if (KeyPressed(kKeyEnter))
                StartGame();
            break;
    }
    if (mode == Mode::kTitle)
        DrawTitle();
    else if (mode == Mode::kPlaying)
        DrawPlayfield();
    else
        DrawGameOver();
    CopySurface(&screen, 0, 0, &work, nullptr);
    PresentScreen();
    return 0;
}

}  // namespace

NUVIK_PROGRAM(SetUp, Frame);
