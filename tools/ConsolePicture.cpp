#include "tools/ConsolePicture.h"

#include <tuple>

#include "tools/Canvas.h"
#include "tools/DibEncoding.h"
#include "tools/Quantiser.h"
#include "tools/Shapes.h"

namespace nuvik::tools {

namespace {

// The places the program relies on. The screen opening and the Power plate are hit by the
// display code and the close button, so they are exact; the rest is artwork.
constexpr Box kScreenOpening{158, 94, 482, 336};
constexpr Box kPowerPlate{428, 16, 481, 37};
constexpr Box kSlotPlate{200, 7, 420, 37};
constexpr Box kBody{4, 1, 636, 410};

constexpr float kLeftWingX = 65;
constexpr float kRightWingX = 575;

const Colour kBodyTop{252, 252, 250};
const Colour kBodyBottom{222, 223, 226};
const Colour kLabelGrey{118, 121, 132};
const Colour kButtonRed{170, 32, 58};

void PaintBody(Canvas& canvas) {
    // The lower side of the case shows under the front face, which gives the body depth.
    Shape side = RoundedBox(kBody, CornerRadii{26, 26, 64, 64});
    FillWithRelief(canvas, side, VerticalGradient(360, Grey(196), kBody.bottom, Grey(150)),
                   {6, 0.8f, false});
    Shape face = RoundedBox({kBody.left, kBody.top, kBody.right, kBody.bottom - 6},
                            CornerRadii{26, 26, 62, 62});
    FillWithRelief(canvas, face,
                   VerticalGradient(kBody.top, kBodyTop, kBody.bottom - 6, kBodyBottom),
                   {14, 0.55f, false});
    // A seam under the top face where the slot and the switch sit.
    Fill(canvas, RoundedBox({22, 46, 618, 48}, 1), Solid(Grey(196)));
    Fill(canvas, RoundedBox({22, 48, 618, 49}, 0.5f), Solid(Grey(255)), 0.8f);
}

void PaintSlotPlate(Canvas& canvas, const FontText& labels) {
    Shape plate = RoundedBox(kSlotPlate, 5);
    FillWithRelief(canvas, plate, VerticalGradient(7, Grey(150), 37, Grey(132)), {4, 1.2f, true});
    Shape slit = RoundedBox({216, 27, 404, 31}, 2);
    FillWithRelief(canvas, slit, Solid(Grey(46)), {2, 1.5f, true});
    TextMask open = labels.Render("OPEN", 11, 2);
    DrawTextCentred(canvas, open, 310, 17.5f, Grey(242));
    // Arrows showing which way the cartridge comes out.
    for (float x : {268.0f, 352.0f})
        Fill(canvas, Triangle(x - 5, 22, x, 13, x + 5, 22), Solid(Grey(236)));
}

void PaintPowerPlate(Canvas& canvas, const FontText& labels) {
    Shape plate = RoundedBox(kPowerPlate, 2);
    FillWithRelief(canvas, plate, VerticalGradient(16, Grey(226), 37, Grey(200)), {3, 1.2f, false});
    Outline(canvas, Grown(plate, -0.5f), 1, Grey(70));
    TextMask power = labels.Render("Power", 11);
    DrawTextCentred(canvas, power, 454.5f, 26.5f, Grey(34));
}

void PaintScreenSurround(Canvas& canvas) {
    Shape lens = RoundedBox({126, 60, 514, 362}, 16);
    FillWithRelief(canvas, lens, VerticalGradient(60, Colour{70, 72, 84}, 362, Colour{48, 50, 60}),
                   {5, 1.0f, true});
    Shape bezel = RoundedBox({152, 88, 488, 342}, 4);
    FillWithRelief(canvas, bezel, Solid(Colour{30, 31, 38}), {6, 1.4f, true});
    Fill(canvas, RoundedBox(kScreenOpening, 0), Solid(Grey(0)));
    // The power lamp beside the screen.
    SoftShadow(canvas, Circle(139, 150, 4), 0, 0, 5, 0.4f);
    FillWithRelief(canvas, Circle(139, 150, 3.5f), Solid(Colour{230, 40, 40}), {3, 1.5f, false});
}

void PaintDirectionPad(Canvas& canvas) {
    const float cx = kLeftWingX;
    const float cy = 150;
    FillWithRelief(canvas, Circle(cx, cy, 47), Solid(Grey(232)), {5, 0.8f, true});
    Shape cross = Union(RoundedBox({cx - 39, cy - 13, cx + 39, cy + 13}, 4),
                        RoundedBox({cx - 13, cy - 39, cx + 13, cy + 39}, 4));
    SoftShadow(canvas, cross, 2, 3, 3, 0.45f);
    FillWithRelief(canvas, cross, VerticalGradient(cy - 39, Grey(70), cy + 39, Grey(40)),
                   {4, 1.3f, false});
    FillWithRelief(canvas, Circle(cx, cy, 7), Solid(Grey(48)), {5, 0.6f, true});
    const Colour arrow = Grey(96);
    Fill(canvas, Triangle(cx - 5, cy - 26, cx, cy - 33, cx + 5, cy - 26), Solid(arrow));
    Fill(canvas, Triangle(cx + 5, cy + 26, cx, cy + 33, cx - 5, cy + 26), Solid(arrow));
    Fill(canvas, Triangle(cx - 26, cy + 5, cx - 33, cy, cx - 26, cy - 5), Solid(arrow));
    Fill(canvas, Triangle(cx + 26, cy - 5, cx + 33, cy, cx + 26, cy + 5), Solid(arrow));
}

void PaintSmallButton(Canvas& canvas, const FontText& labels, float cx, const char* label) {
    Shape well = RoundedBox({cx - 20, 224, cx + 20, 238}, 7);
    FillWithRelief(canvas, well, Solid(Grey(226)), {3, 0.8f, true});
    Shape button = RoundedBox({cx - 16, 226, cx + 16, 236}, 5);
    SoftShadow(canvas, button, 1, 2, 2, 0.4f);
    FillWithRelief(canvas, button, Solid(Grey(128)), {4, 1.2f, false});
    TextMask text = labels.Render(label, 9, 1);
    DrawTextCentred(canvas, text, cx, 250, kLabelGrey);
}

// A and B sit in one slanted well, B lower left of A.
void PaintActionButtons(Canvas& canvas, const FontText& labels) {
    const float bx = 552;
    const float by = 160;
    const float ax = 602;
    const float ay = 136;
    FillWithRelief(canvas, Capsule(bx, by, ax, ay, 23), Solid(Grey(226)), {5, 0.8f, true});
    for (const auto& [cx, cy, label] : {std::tuple{bx, by, "B"}, std::tuple{ax, ay, "A"}}) {
        Shape button = Circle(cx, cy, 17);
        SoftShadow(canvas, button, 2, 3, 3, 0.45f);
        FillWithRelief(canvas, button,
                       VerticalGradient(cy - 17, Colour{196, 48, 74}, cy + 17, kButtonRed),
                       {9, 1.1f, false});
        TextMask text = labels.Render(label, 13);
        DrawTextCentred(canvas, text, cx, cy + 33, kLabelGrey);
    }
}

void PaintSpeakerGrille(Canvas& canvas, float cx, float cy) {
    for (int row = -2; row <= 2; ++row) {
        for (int column = -2; column <= 2; ++column) {
            float x = cx + static_cast<float>(column) * 12 + (row % 2 != 0 ? 6.0f : 0.0f);
            if (row % 2 != 0 && column == 2)
                continue;
            float y = cy + static_cast<float>(row) * 10;
            FillWithRelief(canvas, Circle(x, y, 3.2f), Solid(Grey(70)), {2.5f, 1.5f, true});
        }
    }
}

void PaintLogo(Canvas& canvas, const FontText& labels) {
    TextMask logo = labels.Render("NUVIK", 24, 3);
    DrawTextCentred(canvas, logo, 320, 387, Grey(255), 0.9f);
    DrawTextCentred(canvas, logo, 320, 386, Colour{96, 104, 136});
}

}  // namespace

IndexedImage PaintConsolePicture(const FontText& labels) {
    Canvas canvas(kConsolePictureWidth, kConsolePictureHeight, Grey(0));
    PaintBody(canvas);
    PaintSlotPlate(canvas, labels);
    PaintPowerPlate(canvas, labels);
    PaintScreenSurround(canvas);
    PaintDirectionPad(canvas);
    PaintSmallButton(canvas, labels, kLeftWingX, "START");
    PaintActionButtons(canvas, labels);
    PaintSmallButton(canvas, labels, kRightWingX, "SELECT");
    PaintSpeakerGrille(canvas, kLeftWingX, 318);
    PaintSpeakerGrille(canvas, kRightWingX, 318);
    PaintLogo(canvas, labels);
    return QuantiseTo256(canvas.Width(), canvas.Height(), canvas.ToRgb(), {{0, 0, 0}});
}

Bytes EncodeConsolePicture(const IndexedImage& picture) {
    return EncodeBmpFile(picture, 8);
}

}  // namespace nuvik::tools
