// The SDL layer's input half on a real window under Xvfb: keys go through the
// X server (xdotool's XTest events), so SDL's own keyboard state is what the
// releases consult; auto-repeats, clicks and motion are SDL events as SDL
// delivers them.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "base/platform.h"
#include "input_cases.h"
#include "platform/sdl/sdl_input.h"
#include "platform/sdl/sdl_window.h"
#include "world/controls.h"
#include "world/input.h"
#include "world/mining.h"
#include "world/movement.h"

namespace {

// Waiting for the X server's events to come round is not timing anything:
// the deadline only keeps a broken setup from hanging the test.
constexpr Uint32 EVENT_DEADLINE_MS = 10000;

std::string xdotool_key_name(int key)
{
    switch (key) {
    case KEY_SPACE: return "space";
    case KEY_ESCAPE: return "Escape";
    default: return std::string(1, static_cast<char>(SDL_tolower(key)));
    }
}

void xdotool(const std::string& arguments)
{
    const std::string command = "xdotool " + arguments;
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
}

// Drains (so the layer handles every event) until the key's state in SDL is
// `down`; the key's own event has then been handled too.
void drain_until_key(int key, bool down)
{
    const Uint32 start = SDL_GetTicks();
    int exit_code = 0;
    for (;;) {
        ASSERT_FALSE(platform_drain_messages(&exit_code)) << "quit while waiting for a key";
        if (platform_key_down(key) == down)
            return;
        ASSERT_LT(SDL_GetTicks() - start, EVENT_DEADLINE_MS) << "key " << key << " never came " << (down ? "down" : "up");
        SDL_Delay(2);
    }
}

void push_and_drain(SDL_Event event)
{
    ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError();
    int exit_code = 0;
    ASSERT_FALSE(platform_drain_messages(&exit_code));
}

// One shown window with the keyboard focus for the whole program.
class FocusedWindow : public testing::Environment {
public:
    void SetUp() override
    {
        platform_open_window();
        SDL_RaiseWindow(sdl_main_window);
        SDL_SetWindowInputFocus(sdl_main_window);
        const Uint32 start = SDL_GetTicks();
        int exit_code = 0;
        while (SDL_GetKeyboardFocus() != sdl_main_window && SDL_GetTicks() - start < EVENT_DEADLINE_MS) {
            platform_drain_messages(&exit_code);
            SDL_Delay(2);
        }
        ASSERT_EQ(SDL_GetKeyboardFocus(), sdl_main_window) << "the window never got the keyboard focus";
        platform_capture_cursor();
        platform_register_raw_input();
    }
};

const testing::Environment* const focused_window = testing::AddGlobalTestEnvironment(new FocusedWindow);

}  // namespace

void drive_input_step(const InputStep& step)
{
    switch (step.act) {
    case InputAct::press:
        xdotool("keydown " + xdotool_key_name(step.key));
        drain_until_key(step.key, true);
        break;
    case InputAct::release:
        xdotool("keyup " + xdotool_key_name(step.key));
        drain_until_key(step.key, false);
        break;
    case InputAct::repeat: {
        SDL_Event event{};
        event.type = SDL_KEYDOWN;
        event.key.state = SDL_PRESSED;
        event.key.repeat = 1;
        event.key.keysym.sym = sdl_key_of(step.key);
        event.key.keysym.scancode = SDL_GetScancodeFromKey(event.key.keysym.sym);
        event.key.windowID = SDL_GetWindowID(sdl_main_window);
        push_and_drain(event);
        break;
    }
    case InputAct::click: {
        SDL_Event event{};
        event.type = SDL_MOUSEBUTTONDOWN;
        event.button.button = SDL_BUTTON_LEFT;
        event.button.state = SDL_PRESSED;
        event.button.clicks = 2;  // a double click is two presses
        event.button.windowID = SDL_GetWindowID(sdl_main_window);
        push_and_drain(event);
        break;
    }
    case InputAct::move: {
        SDL_Event event{};
        event.type = SDL_MOUSEMOTION;
        event.motion.xrel = step.dx;
        event.motion.yrel = step.dy;
        event.motion.windowID = SDL_GetWindowID(sdl_main_window);
        push_and_drain(event);
        break;
    }
    }
}

namespace {

class SdlInput : public testing::Test {
protected:
    void SetUp() override { set_input_state(InputState{}); }
};

TEST_F(SdlInput, InputCasesThroughTheSdlLayer)
{
    for (const InputCase& input_case : input_cases())
        play_input_case(input_case);
}

TEST_F(SdlInput, OtherButtonsSwingNothing)
{
    for (Uint8 button : {Uint8{SDL_BUTTON_RIGHT}, Uint8{SDL_BUTTON_MIDDLE}}) {
        SDL_Event event{};
        event.type = SDL_MOUSEBUTTONDOWN;
        event.button.button = button;
        event.button.state = SDL_PRESSED;
        push_and_drain(event);
        EXPECT_FALSE(swing_active) << int(button);
    }
}

TEST_F(SdlInput, EscapeEndsTheLoopWithZeroAfterWhatCameBefore)
{
    xdotool("keydown c keyup c key Escape");
    const Uint32 start = SDL_GetTicks();
    int exit_code = -1;
    while (!platform_drain_messages(&exit_code)) {
        ASSERT_LT(SDL_GetTicks() - start, EVENT_DEADLINE_MS) << "Escape never ended the loop";
        SDL_Delay(2);
    }
    EXPECT_EQ(exit_code, 0);
    EXPECT_TRUE(fly_mode) << "the C before Escape was handled";
}

TEST_F(SdlInput, CloseRequestEndsTheLoopWithZero)
{
    SDL_Event close{};
    close.type = SDL_WINDOWEVENT;
    close.window.event = SDL_WINDOWEVENT_CLOSE;
    close.window.windowID = SDL_GetWindowID(sdl_main_window);
    ASSERT_EQ(SDL_PushEvent(&close), 1);
    int exit_code = -1;
    EXPECT_TRUE(platform_drain_messages(&exit_code));
    EXPECT_EQ(exit_code, 0);
}

TEST_F(SdlInput, CursorIsHiddenAndMotionRelative)
{
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
    EXPECT_TRUE(SDL_GetRelativeMouseMode());
    EXPECT_TRUE(SDL_GetWindowGrab(sdl_main_window));
}

TEST(SdlKeys, MapToTheWindowsVirtualKeyCodes)
{
    struct Case {
        SDL_Keycode sdl;
        int virtual_key;
    };
    const Case cases[] = {
        {SDLK_a, 'A'}, {SDLK_c, 'C'}, {SDLK_d, 'D'}, {SDLK_s, 'S'}, {SDLK_t, 'T'},
        {SDLK_w, 'W'}, {SDLK_z, 'Z'}, {SDLK_0, '0'}, {SDLK_9, '9'},
        {SDLK_ESCAPE, 0x1B}, {SDLK_SPACE, 0x20},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(virtual_key_of(c.sdl), c.virtual_key) << SDL_GetKeyName(c.sdl);
        EXPECT_EQ(sdl_key_of(c.virtual_key), c.sdl) << c.virtual_key;
    }
    // Keys the game has no code for do nothing.
    for (SDL_Keycode other : {SDLK_RETURN, SDLK_F1, SDLK_LSHIFT, SDLK_UP, SDLK_UNKNOWN})
        EXPECT_EQ(virtual_key_of(other), 0) << SDL_GetKeyName(other);
    EXPECT_EQ(sdl_key_of(0), SDLK_UNKNOWN);
    EXPECT_EQ(sdl_key_of(0x70), SDLK_UNKNOWN);  // VK_F1
}

}  // namespace
