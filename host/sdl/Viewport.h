// Where the 640 x 480 screen appears in a window of any size, and back.
#pragma once

namespace nuvik::host {

struct PictureRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool integerScale = false;  // width and height are whole multiples of 640 x 480

    bool operator==(const PictureRect&) const = default;
};

struct ScreenPoint {
    int x = 0;
    int y = 0;

    bool operator==(const ScreenPoint&) const = default;
};

// How the screen fills a larger output.
enum class ScaleMode {
    Integer,  // the largest whole multiple that fits: every screen pixel the same size
    Fit,      // as large as the output allows with the aspect kept
};

// The screen's place in the output, centred: by `mode`, and when not even 1x fits, the largest
// picture with the screen's aspect that does. Empty for an empty output.
PictureRect FitScreen(int outputWidth, int outputHeight, ScaleMode mode = ScaleMode::Integer);

// A pointer position in window coordinates to a screen pixel. The window may measure in other
// units than the output pixels the picture was placed in (high-DPI displays): `windowWidth`
// and `outputWidth` relate the two. Points in the black border map to the nearest edge pixel.
ScreenPoint WindowToScreen(int x, int y, const PictureRect& picture, int windowWidth,
                           int windowHeight, int outputWidth, int outputHeight);

}  // namespace nuvik::host
