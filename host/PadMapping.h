// Which virtual key each game-controller button stands for, and the runner's `--pad` text that
// changes it. Knows nothing of SDL: the button names are SDL's game-controller names, so that a
// user who knows one knows the other.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace nuvik::host {

// In SDL's game-controller order, so that the SDL side converts by value.
enum class PadButton {
    A,
    B,
    X,
    Y,
    Back,
    Guide,
    Start,
    LeftStick,
    RightStick,
    LeftShoulder,
    RightShoulder,
    DpadUp,
    DpadDown,
    DpadLeft,
    DpadRight,
};
inline constexpr int kPadButtonCount = 15;

// "a", "back", "dpup", ...
std::string_view PadButtonName(PadButton button);
std::optional<PadButton> PadButtonFromName(std::string_view name);

class PadMapping {
  public:
    // The defaults: D-pad to the arrow keys, A to Z, B to X, Start to Enter, Back to Space;
    // every other button unmapped.
    PadMapping();

    // The virtual-key code `button` stands for, 0 when it stands for none.
    int KeyFor(PadButton button) const;
    void Map(PadButton button, int virtualKey);

    bool operator==(const PadMapping&) const = default;

  private:
    std::array<int, kPadButtonCount> keys_{};
};

// Applies `--pad`'s value, `BUTTON=KEY,...` with KEY one of the script's key names, over
// `*mapping`; a later entry for a button overrides an earlier one. On a bad entry `*mapping`
// is left as it was and `error` names the part that is wrong.
bool ParsePadMapping(std::string_view text, PadMapping* mapping, std::string* error);

}  // namespace nuvik::host
