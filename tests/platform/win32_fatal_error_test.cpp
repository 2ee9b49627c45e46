// The Windows game's fatal_error, compiled in as the game has it: the text
// on standard error, and the "Error" box shown with the pointer given back
// (no clip, shown) even when the game held and hid it. A hook on the box's
// activation looks at the pointer and presses OK.
#include <gtest/gtest.h>

#include <cstdio>

#include "base/fatal_error.h"
#include "base/platform.h"
#include "platform/win32/win32_platform.h"

namespace {

bool clip_is_released()
{
    RECT clip{};
    GetClipCursor(&clip);
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN), top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    const RECT screen{left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                      top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    return EqualRect(&clip, &screen) != 0;
}

bool pointer_is_shown()
{
    // The display count as it was: one hide and one show leave it unchanged.
    const int hidden = ShowCursor(FALSE);
    ShowCursor(TRUE);
    return hidden + 1 >= 0;
}

void report_pointer(const char* when)
{
    std::fprintf(stderr, "%s: clip %s, pointer %s\n", when, clip_is_released() ? "released" : "held",
                 pointer_is_shown() ? "shown" : "hidden");
    std::fflush(stderr);
}

LRESULT CALLBACK on_box(int code, WPARAM wparam, LPARAM lparam)
{
    if (code == HCBT_ACTIVATE) {
        report_pointer("box up");
        PostMessageW(reinterpret_cast<HWND>(wparam), WM_COMMAND, IDOK, 0);
    }
    return CallNextHookEx(nullptr, code, wparam, lparam);
}

void fail_while_the_pointer_is_held()
{
    main_instance = GetModuleHandleW(nullptr);
    register_window_class();
    create_main_window();
    ShowWindow(main_window, SW_SHOWNORMAL);
    platform_capture_cursor();
    ShowCursor(FALSE);  // hidden twice over: the box still gets it
    report_pointer("before the failure");
    SetWindowsHookExW(WH_CBT, on_box, nullptr, GetCurrentThreadId());
    fatal_error("tex/wood.png: the file does not exist");
}

TEST(Win32FatalErrorDeathTest, BoxComesWithThePointerGivenBack)
{
    EXPECT_EXIT(fail_while_the_pointer_is_held(), testing::ExitedWithCode(1),
                "before the failure: clip held, pointer hidden\n"
                "tex/wood.png: the file does not exist\r?\n"
                "box up: clip released, pointer shown\n");
}

}  // namespace
