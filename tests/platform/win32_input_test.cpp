// The Windows layer on a real window (under Wine here): the window procedure
// with the input cases, Escape and closing, the message drain, the window's
// size and place, the cursor capture and its clip following the window, and
// the raw input registration.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "base/platform.h"
#include "input_cases.h"
#include "platform/win32/win32_platform.h"
#include "world/controls.h"
#include "world/input.h"
#include "world/movement.h"

namespace {

std::vector<int> held_keys;

// GetKeyState reads the thread's keyboard state, which SetKeyboardState
// sets: the keys the case holds down at this step.
void set_held_keys()
{
    BYTE state[256] = {};
    for (int key : held_keys)
        state[key] = 0x80;
    SetKeyboardState(state);
}

// A raw mouse record as GetRawInputData fills it.
void fill_raw_record(uint8_t* record, uint32_t type, int32_t dx, int32_t dy, uint16_t flags = 0)
{
    std::memset(record, 0, RAW_INPUT_RECORD_SIZE);
    std::memcpy(record + 0, &type, 4);
    std::memcpy(record + 24, &flags, 2);
    std::memcpy(record + 36, &dx, 4);
    std::memcpy(record + 40, &dy, 4);
}

void take_pending_messages()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
}

class Win32Window : public testing::Test {
protected:
    void SetUp() override
    {
        static bool registered = false;
        if (!registered) {
            main_instance = GetModuleHandleW(nullptr);
            register_window_class();
            registered = true;
        }
        create_main_window();
        take_pending_messages();
        held_keys.clear();
        set_held_keys();
        set_input_state(InputState{});
    }
    void TearDown() override
    {
        release_cursor();
        if (IsWindow(main_window))
            DestroyWindow(main_window);
        take_pending_messages();  // the quit message the removal posts
    }
};

}  // namespace

void drive_input_step(const InputStep& step)
{
    const WPARAM key = static_cast<WPARAM>(step.key);
    switch (step.act) {
    case InputAct::press:
        held_keys.push_back(step.key);
        set_held_keys();
        SendMessageW(main_window, WM_KEYDOWN, key, 1);
        break;
    case InputAct::repeat:  // previous-state bit set: the key was down
        SendMessageW(main_window, WM_KEYDOWN, key, 1 | (1 << 30));
        break;
    case InputAct::release:
        held_keys.erase(std::remove(held_keys.begin(), held_keys.end(), step.key), held_keys.end());
        set_held_keys();
        SendMessageW(main_window, WM_KEYUP, key, 1 | (1u << 30) | (1u << 31));
        break;
    case InputAct::click:
        SendMessageW(main_window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(400, 300));
        break;
    case InputAct::move: {
        // What WM_INPUT does with the record GetRawInputData reads.
        uint8_t record[RAW_INPUT_RECORD_SIZE];
        fill_raw_record(record, RIM_TYPEMOUSE, step.dx, step.dy);
        raw_input_look(record);
        break;
    }
    }
}

namespace {

TEST_F(Win32Window, InputCasesThroughTheWindowProcedure)
{
    for (const InputCase& input_case : input_cases())
        play_input_case(input_case);
}

TEST_F(Win32Window, KeyMessagesAreHandledWithResultZero)
{
    for (WPARAM key : {WPARAM{'A'}, WPARAM{'Q'}, WPARAM{VK_F1}, WPARAM{VK_SPACE}}) {
        EXPECT_EQ(window_proc(main_window, WM_KEYDOWN, key, 1), 0) << key;
        EXPECT_EQ(window_proc(main_window, WM_KEYUP, key, 1 | (1u << 30) | (1u << 31)), 0) << key;
    }
}

TEST_F(Win32Window, OnlyMouseRecordsTurnTheView)
{
    uint8_t record[RAW_INPUT_RECORD_SIZE];
    for (uint32_t type : {uint32_t{RIM_TYPEKEYBOARD}, uint32_t{RIM_TYPEHID}, uint32_t{7}}) {
        fill_raw_record(record, type, 300, 300);
        raw_input_look(record);
        EXPECT_EQ(camera.yaw, 0.0f) << type;
        EXPECT_EQ(camera.pitch, 0.0f) << type;
    }
    fill_raw_record(record, RIM_TYPEMOUSE, 300, 300);
    raw_input_look(record);
    EXPECT_FLOAT_EQ(camera.yaw, -0.6f);
    EXPECT_FLOAT_EQ(camera.pitch, -0.6f);
}

// Remote desktops and virtual machines send where the pointer is, not how
// far it moved: the view turns by the pixels between two such records.
TEST_F(Win32Window, AbsolutePointerRecordsTurnByThePixelsMoved)
{
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    uint8_t record[RAW_INPUT_RECORD_SIZE];
    // The first marks the place: no turn, however far from the centre.
    fill_raw_record(record, RIM_TYPEMOUSE, 60000, 5000, MOUSE_MOVE_ABSOLUTE);
    raw_input_look(record);
    EXPECT_EQ(camera.yaw, 0.0f);
    EXPECT_EQ(camera.pitch, 0.0f);
    raw_input_look(record);
    EXPECT_EQ(camera.yaw, 0.0f) << "the same place again";
    // A quarter of the screen left and an eighth down.
    fill_raw_record(record, RIM_TYPEMOUSE, 60000 - 16384, 5000 + 8192, MOUSE_MOVE_ABSOLUTE);
    raw_input_look(record);
    const int32_t dx = (60000 - 16384) * width / 65536 - 60000 * width / 65536;
    const int32_t dy = (5000 + 8192) * height / 65536 - 5000 * height / 65536;
    EXPECT_NEAR(dx, -width / 4, 1);
    EXPECT_FLOAT_EQ(camera.yaw, -(float)dx * 0.002f);
    EXPECT_FLOAT_EQ(camera.pitch, -(float)dy * 0.002f);
    // Relative records in between still turn by their counts.
    fill_raw_record(record, RIM_TYPEMOUSE, 10, 0);
    raw_input_look(record);
    EXPECT_FLOAT_EQ(camera.yaw, -(float)dx * 0.002f - 0.02f);
}

// A WM_INPUT whose record cannot be read must not turn the view by whatever
// the buffer still holds from the motion before.
TEST_F(Win32Window, UnreadableRawInputTurnsNothing)
{
    fill_raw_record(raw_input_record, RIM_TYPEMOUSE, 250, -40);
    EXPECT_EQ(window_proc(main_window, WM_INPUT, RIM_INPUT, reinterpret_cast<LPARAM>(nullptr)), 0);
    EXPECT_EQ(window_proc(main_window, WM_INPUT, RIM_INPUT, 0x12345), 0);
    EXPECT_EQ(camera.yaw, 0.0f);
    EXPECT_EQ(camera.pitch, 0.0f);
}

TEST_F(Win32Window, EscapeClosesTheWindowAndQuitsWithZero)
{
    SendMessageW(main_window, WM_KEYDOWN, VK_ESCAPE, 1);
    EXPECT_FALSE(IsWindow(main_window)) << "closed at once, inside the key press";
    int exit_code = -1;
    EXPECT_TRUE(platform_drain_messages(&exit_code));
    EXPECT_EQ(exit_code, 0);
}

TEST_F(Win32Window, CloseRequestQuitsWithZero)
{
    // What the close button and Alt+F4 come to.
    PostMessageW(main_window, WM_CLOSE, 0, 0);
    int exit_code = -1;
    EXPECT_TRUE(platform_drain_messages(&exit_code));
    EXPECT_EQ(exit_code, 0);
    EXPECT_FALSE(IsWindow(main_window));
}

TEST_F(Win32Window, DrainHandlesWaitingMessagesAndReportsTheQuitCode)
{
    int exit_code = -1;
    EXPECT_FALSE(platform_drain_messages(&exit_code)) << "empty queue";

    PostMessageW(main_window, WM_KEYDOWN, 'C', 1);
    PostMessageW(main_window, WM_KEYDOWN, 'T', 1);
    EXPECT_FALSE(platform_drain_messages(&exit_code));
    EXPECT_TRUE(fly_mode);
    EXPECT_TRUE(torch_on);

    for (int code : {0, 3, 255}) {
        PostQuitMessage(code);
        EXPECT_TRUE(platform_drain_messages(&exit_code));
        EXPECT_EQ(exit_code, code);
    }
}

TEST_F(Win32Window, ClientAreaIs800By600AndTheWindowCentred)
{
    RECT client{};
    GetClientRect(main_window, &client);
    EXPECT_EQ(client.right - client.left, 800);
    EXPECT_EQ(client.bottom - client.top, 600);

    RECT outer{};
    GetWindowRect(main_window, &outer);
    const POINT expected = centred_position(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                            outer.right - outer.left, outer.bottom - outer.top);
    EXPECT_EQ(outer.left, expected.x);
    EXPECT_EQ(outer.top, expected.y);

    wchar_t title[32] = {};
    GetWindowTextW(main_window, title, 32);
    EXPECT_STREQ(title, L"Quarrytop");
    EXPECT_NE(GetWindowLongW(main_window, GWL_EXSTYLE) & WS_EX_APPWINDOW, 0);
}

TEST_F(Win32Window, MinimisedWindowHasAnEmptyClientArea)
{
    ShowWindow(main_window, SW_SHOWNORMAL);
    int32_t width = -1, height = -1;
    platform_client_size(&width, &height);
    EXPECT_EQ(width, 800);
    EXPECT_EQ(height, 600);

    ShowWindow(main_window, SW_MINIMIZE);
    platform_client_size(&width, &height);
    EXPECT_EQ(width, 0);
    EXPECT_EQ(height, 0);

    ShowWindow(main_window, SW_RESTORE);
    platform_client_size(&width, &height);
    EXPECT_EQ(width, 800);
    EXPECT_EQ(height, 600);
}

// The client area in screen coordinates, as the system reports it.
RECT client_on_screen()
{
    WINDOWINFO info{};
    info.cbSize = sizeof info;
    GetWindowInfo(main_window, &info);
    return info.rcClient;
}

// What GetClipCursor answers with no clip: the whole (virtual) screen.
RECT whole_screen()
{
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN), top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    return RECT{left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN), top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

testing::AssertionResult clip_is(const RECT& expected)
{
    RECT clip{};
    GetClipCursor(&clip);
    if (EqualRect(&clip, &expected))
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "the clip is (" << clip.left << ", " << clip.top << ")-(" << clip.right
                                       << ", " << clip.bottom << "), not (" << expected.left << ", " << expected.top
                                       << ")-(" << expected.right << ", " << expected.bottom << ")";
}

// After Alt+Tab, a move, a resize or a maximise the pointer is still held in
// the client area where it now is; while another window is active or the
// window is minimised, it is free.
TEST_F(Win32Window, CursorClipFollowsTheClientAreaThroughTheWindowProcedure)
{
    ShowWindow(main_window, SW_SHOWNORMAL);
    SendMessageW(main_window, WM_ACTIVATE, WA_ACTIVE, 0);
    platform_capture_cursor();
    EXPECT_TRUE(clip_is(client_on_screen())) << "captured";

    const UINT quiet = SWP_NOZORDER | SWP_NOACTIVATE;
    SendMessageW(main_window, WM_ACTIVATE, WA_INACTIVE, 0);
    EXPECT_TRUE(clip_is(whole_screen())) << "another window active";
    SetWindowPos(main_window, nullptr, 120, 90, 0, 0, quiet | SWP_NOSIZE);
    EXPECT_TRUE(clip_is(whole_screen())) << "moved while another window is active";

    SendMessageW(main_window, WM_ACTIVATE, WA_CLICKACTIVE, 0);
    EXPECT_TRUE(clip_is(client_on_screen())) << "active again, at the new place";

    const RECT before_move = client_on_screen();
    SetWindowPos(main_window, nullptr, 200, 150, 0, 0, quiet | SWP_NOSIZE);
    const RECT after_move = client_on_screen();
    ASSERT_FALSE(EqualRect(&before_move, &after_move)) << "the window did not move";
    EXPECT_TRUE(clip_is(client_on_screen())) << "moved";

    SetWindowPos(main_window, nullptr, 0, 0, 640, 480, quiet | SWP_NOMOVE);
    RECT client{};
    GetClientRect(main_window, &client);
    ASSERT_LT(client.right, 800) << "the window did not shrink";
    EXPECT_TRUE(clip_is(client_on_screen())) << "resized";

    ShowWindow(main_window, SW_MAXIMIZE);
    SendMessageW(main_window, WM_ACTIVATE, WA_ACTIVE, 0);
    GetClientRect(main_window, &client);
    EXPECT_GT(client.right, 640) << "the window did not grow";
    EXPECT_TRUE(clip_is(client_on_screen())) << "maximised";

    // Activated while minimised (the HIWORD says so), and resized to nothing.
    SendMessageW(main_window, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 1), 0);
    EXPECT_TRUE(clip_is(whole_screen())) << "minimised";
    SendMessageW(main_window, WM_SIZE, SIZE_MINIMIZED, 0);
    EXPECT_TRUE(clip_is(whole_screen())) << "minimised, then a size message";
}

// Before the capture the window procedure leaves the pointer alone.
TEST_F(Win32Window, NoClipBeforeTheCapture)
{
    ShowWindow(main_window, SW_SHOWNORMAL);
    SendMessageW(main_window, WM_ACTIVATE, WA_ACTIVE, 0);
    SetWindowPos(main_window, nullptr, 0, 0, 640, 480, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
    EXPECT_TRUE(clip_is(whole_screen()));
}

TEST_F(Win32Window, RawMouseInputIsRegisteredForTheWindow)
{
    platform_register_raw_input();
    RAWINPUTDEVICE devices[4] = {};
    UINT count = 4;
    ASSERT_EQ(GetRegisteredRawInputDevices(devices, &count, sizeof devices[0]), 1u);
    EXPECT_EQ(devices[0].usUsagePage, 0x01);
    EXPECT_EQ(devices[0].usUsage, 0x02);
    EXPECT_EQ(devices[0].dwFlags, 0u);
    EXPECT_EQ(devices[0].hwndTarget, main_window);
}

TEST_F(Win32Window, RegisteringTheClassTwiceEndsNamingIt)
{
    EXPECT_EXIT(register_window_class(), testing::ExitedWithCode(1),
                "Could not register the window class \"opengl_window_class\"");
}

TEST(Win32Placement, CentresEvenWhenTheWindowIsLargerThanTheScreen)
{
    struct Case {
        int screen_width, screen_height, outer_width, outer_height;
        LONG x, y;
    };
    const Case cases[] = {
        {1920, 1080, 816, 639, 552, 221},
        {1366, 768, 817, 639, 275, 65},  // odd sizes: each half truncated
        {800, 600, 816, 639, -8, -19},
        {640, 480, 816, 639, -88, -79},
    };
    for (const Case& c : cases) {
        const POINT at = centred_position(c.screen_width, c.screen_height, c.outer_width, c.outer_height);
        EXPECT_EQ(at.x, c.x) << c.screen_width << "x" << c.screen_height;
        EXPECT_EQ(at.y, c.y) << c.screen_width << "x" << c.screen_height;
    }
}

}  // namespace
