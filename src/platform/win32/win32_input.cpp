// The window procedure: keys, the left button and raw mouse motion become
// the OS-free input calls; Escape closes the window, and the window's
// removal posts the quit message that ends the frame loop. Also the pointer:
// hidden and confined to the client area, the clip following the window.
#include <cstddef>
#include <cstring>

#include "base/platform.h"
#include "platform/win32/win32_platform.h"
#include "world/input.h"

static_assert(sizeof(RAWINPUTHEADER) == 24, "raw input header layout");
static_assert(offsetof(RAWINPUT, data.mouse.lLastX) == 36, "raw mouse layout");
static_assert(offsetof(RAWINPUT, data.mouse.lLastY) == 40, "raw mouse layout");
static_assert(sizeof(RAWINPUTHEADER) + sizeof(RAWMOUSE) == RAW_INPUT_RECORD_SIZE, "raw mouse record size");

static_assert(offsetof(RAWINPUT, data.mouse.usFlags) == 24, "raw mouse layout");

alignas(8) uint8_t raw_input_record[RAW_INPUT_RECORD_SIZE];

namespace {

// The previous absolute pointer position, in pixels, once there is one.
bool absolute_known;
int32_t absolute_x, absolute_y;

// The pointer is held in the window from the cursor capture on, while the
// window is active and not minimised.
bool cursor_captured;
bool window_active;

}  // namespace

void clip_cursor_to_client()
{
    RECT client{};
    GetClientRect(main_window, &client);
    POINT top_left{client.left, client.top};
    POINT bottom_right{client.right, client.bottom};
    ClientToScreen(main_window, &top_left);
    ClientToScreen(main_window, &bottom_right);
    const RECT clip{top_left.x, top_left.y, bottom_right.x, bottom_right.y};
    ClipCursor(&clip);
}

namespace {

// The clip belongs to the whole system, not to the window: switching to
// another window takes it away (and another program may set its own), and
// a move or a resize leaves it where the client area was. So it is set
// again each time the window becomes active, moves or changes size, and
// given back while another window is active.
void follow_window_for_clip(UINT message, WPARAM wparam)
{
    if (message == WM_ACTIVATE)
        window_active = LOWORD(wparam) != WA_INACTIVE && HIWORD(wparam) == 0;  // HIWORD: minimised
    if (!cursor_captured)
        return;
    if (message == WM_ACTIVATE && !window_active)
        ClipCursor(nullptr);
    else if (window_active && !IsIconic(main_window))
        clip_cursor_to_client();
}

}  // namespace

void raw_input_look(const uint8_t* record)
{
    uint32_t type = 0;
    uint16_t flags = 0;
    int32_t dx = 0, dy = 0;
    std::memcpy(&type, record + 0, sizeof type);
    std::memcpy(&flags, record + 24, sizeof flags);
    std::memcpy(&dx, record + 36, sizeof dx);
    std::memcpy(&dy, record + 40, sizeof dy);
    if (type != RIM_TYPEMOUSE)
        return;

    // A mouse reports counts moved. Remote desktops, virtual machines and pen
    // tablets report where the pointer is instead (0..65535 across the
    // screen, or across all screens): taken as counts, each such record
    // would throw the view to an angle given by the pointer's place. These
    // become the motion since the previous one, in pixels; the first only
    // marks the place.
    if (flags & MOUSE_MOVE_ABSOLUTE) {
        const bool all_screens = (flags & MOUSE_VIRTUAL_DESKTOP) != 0;
        const int64_t width = GetSystemMetrics(all_screens ? SM_CXVIRTUALSCREEN : SM_CXSCREEN);
        const int64_t height = GetSystemMetrics(all_screens ? SM_CYVIRTUALSCREEN : SM_CYSCREEN);
        const int32_t x = static_cast<int32_t>(dx * width / 65536);
        const int32_t y = static_cast<int32_t>(dy * height / 65536);
        const bool first = !absolute_known;
        dx = x - absolute_x;
        dy = y - absolute_y;
        absolute_known = true;
        absolute_x = x;
        absolute_y = y;
        if (first)
            return;
    }
    mouse_look(dx, dy);
}

bool platform_key_down(int key)
{
    return GetKeyState(key) < 0;  // high-order bit: down
}

LRESULT CALLBACK window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;

    case WM_INPUT: {
        UINT size = RAW_INPUT_RECORD_SIZE;
        // A record that could not be read leaves the buffer holding the
        // previous motion, which must not be turned by a second time.
        if (GetRawInputData(reinterpret_cast<HRAWINPUT>(lparam), RID_INPUT, raw_input_record, &size,
                            sizeof(RAWINPUTHEADER)) == static_cast<UINT>(-1))
            return 0;
        raw_input_look(raw_input_record);
        return 0;
    }

    case WM_KEYDOWN:
        // The repeat count and previous state are not looked at: each
        // auto-repeat acts as a fresh press.
        if (wparam == VK_ESCAPE)
            SendMessageW(window, WM_CLOSE, 0, 0);  // handled at once, nested here
        else
            key_pressed(static_cast<int>(wparam));
        return 0;

    case WM_KEYUP: {
        const int key = static_cast<int>(wparam);
        const int partner = axis_partner(key);
        key_released(key, partner != 0 && platform_key_down(partner));
        return 0;
    }

    case WM_LBUTTONDOWN:
        left_button_pressed();
        break;  // and the default handling too

    case WM_ACTIVATE:
    case WM_MOVE:
    case WM_SIZE:
        follow_window_for_clip(message, wparam);
        break;  // and the default handling too

    default:
        break;
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

void platform_capture_cursor()
{
    cursor_captured = true;
    // Showing the window made it active before the capture.
    window_active = GetActiveWindow() == main_window;
    clip_cursor_to_client();
    ShowCursor(FALSE);
}

void release_cursor()
{
    cursor_captured = false;
    ClipCursor(nullptr);
    // The display count goes up by one a call; at 0 the pointer shows.
    while (ShowCursor(TRUE) < 0) {
    }
}

void platform_register_raw_input()
{
    // Flags 0: raw motion only while the window is in the foreground, and
    // the ordinary mouse messages keep coming.
    RAWINPUTDEVICE mouse{};
    mouse.usUsagePage = 0x01;  // generic desktop controls
    mouse.usUsage = 0x02;      // mouse
    mouse.dwFlags = 0;
    mouse.hwndTarget = main_window;
    RegisterRawInputDevices(&mouse, 1, sizeof mouse);
}
