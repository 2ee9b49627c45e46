/* Whether Windows programs can make windows yet, for the tests that run the
 * Windows build under Wine. Wine's desktop (explorer.exe, on the X display
 * of the Wine server) starts with the first program that needs it, and a
 * program that needs it while it is still starting gets no window at all
 * (CreateWindowExW fails with error 1400); it closes again shortly after the
 * last program with a window ends.
 *
 *   wine_desktop_probe        makes a hidden top-level window of the STATIC
 *                             class, as the game's first window is; prints
 *                             "ready" and ends with status 0 if it could,
 *                             else says why and ends with status 1;
 *   wine_desktop_probe hold   the same, then keeps the window (and with it
 *                             the desktop) until it is ended. */
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#include <stdio.h>
#include <string.h>

int main(int argc, char** argv)
{
    const int hold = argc == 2 && strcmp(argv[1], "hold") == 0;
    if (argc > 2 || (argc == 2 && !hold)) {
        fprintf(stderr, "usage: wine_desktop_probe [hold]\n");
        return 2;
    }
    if (!GetDesktopWindow()) {
        fprintf(stderr, "wine_desktop_probe: no desktop window (error %lu)\n", GetLastError());
        return 1;
    }
    HWND window = CreateWindowExW(0, L"STATIC", L"wine_desktop_probe", 0, CW_USEDEFAULT, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, NULL, NULL, GetModuleHandleW(NULL), NULL);
    if (!window) {
        fprintf(stderr, "wine_desktop_probe: CreateWindowExW failed (error %lu)\n", GetLastError());
        return 1;
    }
    printf("ready\n");
    fflush(stdout);
    if (hold) {
        MSG message;
        while (GetMessageW(&message, NULL, 0, 0) > 0) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    DestroyWindow(window);
    return 0;
}
