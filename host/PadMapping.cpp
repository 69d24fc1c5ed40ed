#include "host/PadMapping.h"

#include "host/Script.h"
#include "win32/constants.h"

namespace nuvik::host {

namespace {

// clang-format off
constexpr std::array<std::string_view, kPadButtonCount> kButtonNames = {
    "a", "b", "x", "y", "back", "guide", "start", "leftstick", "rightstick", "leftshoulder",
    "rightshoulder", "dpup", "dpdown", "dpleft", "dpright",
};
// clang-format on

constexpr std::string_view kButtonList =
    "a, b, x, y, back, start, guide, leftshoulder, rightshoulder, dpup, dpdown, dpleft, "
    "dpright, leftstick and rightstick";

constexpr std::string_view kForm = "--pad takes BUTTON=KEY entries separated by commas";

std::string Quoted(std::string_view text) {
    return "'" + std::string(text) + "'";
}

}  // namespace

std::string_view PadButtonName(PadButton button) {
    return kButtonNames[static_cast<std::size_t>(button)];
}

std::optional<PadButton> PadButtonFromName(std::string_view name) {
    for (std::size_t i = 0; i < kButtonNames.size(); ++i) {
        if (kButtonNames[i] == name)
            return static_cast<PadButton>(i);
    }
    return std::nullopt;
}

PadMapping::PadMapping() {
    Map(PadButton::DpadUp, VK_UP);
    Map(PadButton::DpadDown, VK_DOWN);
    Map(PadButton::DpadLeft, VK_LEFT);
    Map(PadButton::DpadRight, VK_RIGHT);
    Map(PadButton::A, 'Z');
    Map(PadButton::B, 'X');
    Map(PadButton::Start, VK_RETURN);
    Map(PadButton::Back, VK_SPACE);
}

int PadMapping::KeyFor(PadButton button) const {
    return keys_[static_cast<std::size_t>(button)];
}

void PadMapping::Map(PadButton button, int virtualKey) {
    keys_[static_cast<std::size_t>(button)] = virtualKey;
}

bool ParsePadMapping(std::string_view text, PadMapping* mapping, std::string* error) {
    if (text.empty()) {
        *error = std::string(kForm) + ", such as a=z,start=enter; it got nothing";
        return false;
    }
    PadMapping parsed = *mapping;
    std::size_t start = 0;
    while (true) {
        std::size_t comma = text.find(',', start);
        std::string_view entry = text.substr(
            start, comma == std::string_view::npos ? std::string_view::npos : comma - start);
        std::size_t equals = entry.find('=');
        if (entry.empty()) {
            *error = "empty entry in --pad value " + Quoted(text) + ": " + std::string(kForm);
            return false;
        }
        if (equals == std::string_view::npos || equals == 0 || equals + 1 == entry.size() ||
            entry.find('=', equals + 1) != std::string_view::npos) {
            *error =
                "bad --pad entry " + Quoted(entry) + ": " + std::string(kForm) + ", such as a=z";
            return false;
        }
        std::string_view buttonName = entry.substr(0, equals);
        std::string_view keyName = entry.substr(equals + 1);
        std::optional<PadButton> button = PadButtonFromName(buttonName);
        if (!button) {
            *error = "unknown pad button " + Quoted(buttonName) + " in --pad entry " +
                     Quoted(entry) + ": buttons are " + std::string(kButtonList);
            return false;
        }
        int key = VirtualKeyFromName(keyName);
        if (key < 0) {
            *error = "unknown key " + Quoted(keyName) + " in --pad entry " + Quoted(entry) +
                     ": keys take the names script lines use, such as z, enter, space, left "
                     "or f1, in lower case";
            return false;
        }
        parsed.Map(*button, key);
        if (comma == std::string_view::npos)
            break;
        start = comma + 1;
    }
    *mapping = parsed;
    return true;
}

}  // namespace nuvik::host
