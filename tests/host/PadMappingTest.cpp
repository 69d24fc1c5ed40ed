#include "host/PadMapping.h"

#include <gtest/gtest.h>

#include <string>

#include "win32/constants.h"

namespace {

using nuvik::host::PadButton;
using nuvik::host::PadMapping;
using nuvik::host::ParsePadMapping;

TEST(PadMapping, DefaultsAndOverrides) {
    struct Case {
        const char* text;  // null: the defaults alone
        PadButton button;
        int key;
    } cases[] = {
        {nullptr, PadButton::DpadUp, VK_UP},
        {nullptr, PadButton::DpadDown, VK_DOWN},
        {nullptr, PadButton::DpadLeft, VK_LEFT},
        {nullptr, PadButton::DpadRight, VK_RIGHT},
        {nullptr, PadButton::A, 'Z'},
        {nullptr, PadButton::B, 'X'},
        {nullptr, PadButton::Start, VK_RETURN},
        {nullptr, PadButton::Back, VK_SPACE},
        {nullptr, PadButton::Y, 0},
        {nullptr, PadButton::Guide, 0},
        {"y=c", PadButton::Y, 'C'},
        {"y=c", PadButton::A, 'Z'},  // the others keep their defaults
        {"a=enter,a=f10", PadButton::A, VK_F10},
        {"guide=escape", PadButton::Guide, VK_ESCAPE},
        {"leftshoulder=ctrl,rightshoulder=alt", PadButton::RightShoulder, VK_MENU},
        {"leftstick=1,rightstick=shift", PadButton::LeftStick, '1'},
        {"x=tab,dpup=w", PadButton::DpadUp, 'W'},
        {"dpdown=s,dpleft=a,dpright=d", PadButton::DpadRight, 'D'},
        {"start=pagedown", PadButton::Start, VK_NEXT},
    };
    for (const Case& c : cases) {
        PadMapping mapping;
        std::string error;
        if (c.text) {
            ASSERT_TRUE(ParsePadMapping(c.text, &mapping, &error)) << c.text << ": " << error;
        }
        EXPECT_EQ(mapping.KeyFor(c.button), c.key) << (c.text ? c.text : "defaults");
    }
}

TEST(PadMapping, RefusesBadTextNamingTheBadPart) {
    struct Case {
        const char* text;
        const char* message;
    } cases[] = {
        {"",
         "--pad takes BUTTON=KEY entries separated by commas, such as a=z,start=enter; it "
         "got nothing"},
        {"a=z,,b=x",
         "empty entry in --pad value 'a=z,,b=x': --pad takes BUTTON=KEY entries separated by "
         "commas"},
        {"a=z,",
         "empty entry in --pad value 'a=z,': --pad takes BUTTON=KEY entries separated "
         "by commas"},
        {"a",
         "bad --pad entry 'a': --pad takes BUTTON=KEY entries separated by commas, such as "
         "a=z"},
        {"b=x,=z",
         "bad --pad entry '=z': --pad takes BUTTON=KEY entries separated by commas, "
         "such as a=z"},
        {"a=",
         "bad --pad entry 'a=': --pad takes BUTTON=KEY entries separated by commas, such "
         "as a=z"},
        {"a=z=x",
         "bad --pad entry 'a=z=x': --pad takes BUTTON=KEY entries separated by commas, "
         "such as a=z"},
        {"b=x,trigger=z",
         "unknown pad button 'trigger' in --pad entry 'trigger=z': buttons are a, b, x, y, "
         "back, start, guide, leftshoulder, rightshoulder, dpup, dpdown, dpleft, dpright, "
         "leftstick and rightstick"},
        {"A=z",
         "unknown pad button 'A' in --pad entry 'A=z': buttons are a, b, x, y, back, "
         "start, guide, leftshoulder, rightshoulder, dpup, dpdown, dpleft, dpright, "
         "leftstick and rightstick"},
        {"a=Z",
         "unknown key 'Z' in --pad entry 'a=Z': keys take the names script lines use, "
         "such as z, enter, space, left or f1, in lower case"},
        {"start=f13",
         "unknown key 'f13' in --pad entry 'start=f13': keys take the names script "
         "lines use, such as z, enter, space, left or f1, in lower case"},
    };
    for (const Case& c : cases) {
        PadMapping mapping;
        mapping.Map(PadButton::B, 'Q');
        const PadMapping before = mapping;
        std::string error;
        EXPECT_FALSE(ParsePadMapping(c.text, &mapping, &error)) << c.text;
        EXPECT_EQ(error, c.message) << c.text;
        EXPECT_EQ(mapping, before) << c.text << ": a refused value changes nothing";
    }
}

}  // namespace
