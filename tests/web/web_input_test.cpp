// The browser layer's input half under node: the shared input cases played as
// the page's key and mouse events, the key names mapped to virtual keys, and
// what the browser keeps for itself (Escape, the pointer before it is locked).
#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <string>

#include "base/platform.h"
#include "input_cases.h"
#include "platform/web/web_input.h"
#include "world/controls.h"
#include "world/input.h"
#include "world/mining.h"
#include "world/movement.h"

namespace {

// A key event as a browser with a US layout fills it in.
EmscriptenKeyboardEvent key_event(int key, bool repeat = false)
{
    EmscriptenKeyboardEvent event{};
    std::string name, code;
    if (key == KEY_SPACE) {
        name = " ";
        code = "Space";
    } else if (key == KEY_ESCAPE) {
        name = code = "Escape";
    } else if (key >= '0' && key <= '9') {
        name = std::string(1, (char)key);
        code = "Digit" + name;
    } else {
        name = std::string(1, (char)std::tolower(key));
        code = std::string("Key") + (char)key;
    }
    std::strncpy(event.key, name.c_str(), sizeof event.key - 1);
    std::strncpy(event.code, code.c_str(), sizeof event.code - 1);
    event.repeat = repeat;
    return event;
}

EmscriptenMouseEvent mouse_event(unsigned short button, long dx, long dy)
{
    EmscriptenMouseEvent event{};
    event.button = button;
    event.movementX = dx;
    event.movementY = dy;
    return event;
}

void drain()
{
    int exit_code = 0;
    ASSERT_FALSE(platform_drain_messages(&exit_code)) << "a page has no quit message";
}

}  // namespace

// Each step is one event as the browser delivers it, then the frame loop's
// drain, which hands it to the input handlers.
void drive_input_step(const InputStep& step)
{
    switch (step.act) {
    case InputAct::press: {
        const EmscriptenKeyboardEvent event = key_event(step.key);
        web_key_down(EMSCRIPTEN_EVENT_KEYDOWN, &event, nullptr);
        break;
    }
    case InputAct::repeat: {
        const EmscriptenKeyboardEvent event = key_event(step.key, true);
        web_key_down(EMSCRIPTEN_EVENT_KEYDOWN, &event, nullptr);
        break;
    }
    case InputAct::release: {
        const EmscriptenKeyboardEvent event = key_event(step.key);
        web_key_up(EMSCRIPTEN_EVENT_KEYUP, &event, nullptr);
        break;
    }
    case InputAct::click: {
        const EmscriptenMouseEvent event = mouse_event(0, 0, 0);
        web_mouse_down(EMSCRIPTEN_EVENT_MOUSEDOWN, &event, nullptr);
        break;
    }
    case InputAct::move: {
        const EmscriptenMouseEvent event = mouse_event(0, step.dx, step.dy);
        web_mouse_move(EMSCRIPTEN_EVENT_MOUSEMOVE, &event, nullptr);
        break;
    }
    }
    drain();
}

namespace {

class WebInput : public testing::Test {
protected:
    void SetUp() override
    {
        web_pointer_locked = true;
        set_input_state(InputState{});
    }
};

TEST_F(WebInput, InputCasesThroughThePageEvents)
{
    for (const InputCase& input_case : input_cases())
        play_input_case(input_case);
}

struct KeyName {
    const char* key;
    const char* code;
    int virtual_key;
};

TEST(WebKeys, KeyNamesToVirtualKeys)
{
    const KeyName names[] = {
        {"w", "KeyW", 'W'},           {"W", "KeyW", 'W'},  // Shift held
        {"z", "KeyY", 'Z'},           // a German layout: the layout's letter
        {"\xd1\x86", "KeyW", 'W'},    // a Cyrillic layout: the key's place
        {"1", "Digit1", '1'},         {"!", "Digit1", '1'},
        {"0", "Numpad0", 0},        {" ", "Space", KEY_SPACE},
        {"Escape", "Escape", KEY_ESCAPE},
        {"Enter", "Enter", 0},        {"ArrowUp", "ArrowUp", 0},
        {"F1", "F1", 0},              {"", "", 0},
        {"Dead", "Quote", 0},         {"\xc3\xa9", "Digit2", '2'},  // a French layout's 2 key
    };
    for (const KeyName& name : names)
        EXPECT_EQ(virtual_key_of(name.key, name.code), name.virtual_key) << "key \"" << name.key << "\" code \"" << name.code << "\"";
}

TEST_F(WebInput, EscapeIsLeftToTheBrowser)
{
    // The browser releases the pointer lock on Escape; the game goes on.
    const EmscriptenKeyboardEvent event = key_event(KEY_ESCAPE);
    EXPECT_FALSE(web_key_down(EMSCRIPTEN_EVENT_KEYDOWN, &event, nullptr)) << "Escape's default action must stay";
    drain();
    EXPECT_FALSE(web_key_up(EMSCRIPTEN_EVENT_KEYUP, &event, nullptr));
    drain();
}

TEST_F(WebInput, GameKeysKeepTheBrowserFromScrolling)
{
    for (int key : {int{KEY_SPACE}, int{KEY_W}, int{'Q'}}) {
        const EmscriptenKeyboardEvent event = key_event(key);
        EXPECT_TRUE(web_key_down(EMSCRIPTEN_EVENT_KEYDOWN, &event, nullptr)) << key;
        EXPECT_TRUE(web_key_up(EMSCRIPTEN_EVENT_KEYUP, &event, nullptr)) << key;
    }
    drain();
}

TEST_F(WebInput, EventsWaitForTheDrain)
{
    const EmscriptenKeyboardEvent w = key_event(KEY_W);
    web_key_down(EMSCRIPTEN_EVENT_KEYDOWN, &w, nullptr);
    const EmscriptenMouseEvent motion = mouse_event(0, 100, 0);
    web_mouse_move(EMSCRIPTEN_EVENT_MOUSEMOVE, &motion, nullptr);
    EXPECT_EQ(forward_axis, 0) << "input changes only at the frame loop's drain";
    EXPECT_EQ(camera.yaw, 0.0f);
    EXPECT_FALSE(platform_key_down(KEY_W));
    drain();
    EXPECT_EQ(forward_axis, -1);
    EXPECT_FLOAT_EQ(camera.yaw, -0.2f);
    EXPECT_TRUE(platform_key_down(KEY_W));
    web_key_up(EMSCRIPTEN_EVENT_KEYUP, &w, nullptr);
    drain();
    EXPECT_FALSE(platform_key_down(KEY_W));
}

TEST_F(WebInput, MotionWithoutThePointerLockTurnsNothing)
{
    web_pointer_locked = false;
    const EmscriptenMouseEvent motion = mouse_event(0, 300, 300);
    EXPECT_FALSE(web_mouse_move(EMSCRIPTEN_EVENT_MOUSEMOVE, &motion, nullptr));
    drain();
    EXPECT_EQ(camera.yaw, 0.0f);
    EXPECT_EQ(camera.pitch, 0.0f);
}

TEST_F(WebInput, OnlyTheLeftButtonSwings)
{
    for (unsigned short button : {1, 2, 3}) {
        const EmscriptenMouseEvent event = mouse_event(button, 0, 0);
        web_mouse_down(EMSCRIPTEN_EVENT_MOUSEDOWN, &event, nullptr);
        drain();
        EXPECT_FALSE(swing_active) << "button " << button;
    }
}

TEST_F(WebInput, LosingTheFocusReleasesHeldKeys)
{
    const EmscriptenKeyboardEvent w = key_event(KEY_W), a = key_event(KEY_A);
    web_key_down(EMSCRIPTEN_EVENT_KEYDOWN, &w, nullptr);
    web_key_down(EMSCRIPTEN_EVENT_KEYDOWN, &a, nullptr);
    drain();
    ASSERT_EQ(forward_axis, -1);
    ASSERT_EQ(strafe_axis, -1);
    web_focus_lost(EMSCRIPTEN_EVENT_BLUR, nullptr, nullptr);
    drain();
    EXPECT_EQ(forward_axis, 0) << "W stays held after the page lost the focus";
    EXPECT_EQ(strafe_axis, 0);
    EXPECT_FALSE(platform_key_down(KEY_W));
    EXPECT_FALSE(platform_key_down(KEY_A));
}

}  // namespace
