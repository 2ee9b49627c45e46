// The window class and the window: sized so that the client area, not the
// outer frame, comes out at 800 x 600, and centred on the primary screen.
#include "base/client_size.h"
#include "base/fatal_error.h"
#include "base/platform.h"
#include "platform/win32/win32_platform.h"

HINSTANCE main_instance;
HWND main_window;
HDC window_dc;

void register_window_class()
{
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.style = 0;  // no CS_DBLCLKS: every left press arrives as WM_LBUTTONDOWN
    window_class.lpfnWndProc = window_proc;
    window_class.hInstance = main_instance;
    window_class.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    window_class.lpszClassName = L"opengl_window_class";
    if (RegisterClassExW(&window_class) == 0)
        fatal_errorf("Could not register the window class \"opengl_window_class\" (RegisterClassExW, error %lu)",
                     GetLastError());
}

POINT centred_position(int screen_width, int screen_height, int outer_width, int outer_height)
{
    return POINT{screen_width / 2 - outer_width / 2, screen_height / 2 - outer_height / 2};
}

void create_main_window()
{
    RECT outer{0, 0, START_CLIENT_WIDTH, START_CLIENT_HEIGHT};
    AdjustWindowRect(&outer, WS_OVERLAPPEDWINDOW, FALSE);
    const int outer_width = outer.right - outer.left;
    const int outer_height = outer.bottom - outer.top;
    const POINT at = centred_position(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), outer_width,
                                      outer_height);

    main_window = CreateWindowExW(WS_EX_APPWINDOW, L"opengl_window_class", L"Quarrytop", WS_OVERLAPPEDWINDOW, at.x,
                                  at.y, outer_width, outer_height, nullptr, nullptr, main_instance, nullptr);
    if (main_window == nullptr)
        fatal_errorf("Could not create the window \"Quarrytop\" (CreateWindowExW, error %lu)", GetLastError());
    window_dc = GetDC(main_window);
    if (window_dc == nullptr)
        fatal_error("Could not get the device context of the window \"Quarrytop\" (GetDC)");
}

void platform_client_size(int32_t* width, int32_t* height)
{
    RECT client{};
    GetClientRect(main_window, &client);
    *width = client.right - client.left;
    *height = client.bottom - client.top;
}
