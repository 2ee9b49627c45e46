// The message drain of each pass, and the clock.
#include "base/platform.h"
#include "platform/win32/win32_platform.h"

bool platform_drain_messages(int* exit_code)
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        // The rest of the queue is left alone: the program is ending.
        if (message.message == WM_QUIT) {
            *exit_code = static_cast<int>(message.wParam);
            return true;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return false;
}

int64_t platform_counter()
{
    LARGE_INTEGER value;
    QueryPerformanceCounter(&value);
    return value.QuadPart;
}

int64_t platform_counter_frequency()
{
    LARGE_INTEGER value;
    QueryPerformanceFrequency(&value);
    return value.QuadPart;
}

void platform_sleep_ms(int milliseconds)
{
    Sleep(static_cast<DWORD>(milliseconds));
}
