// fatal_error of the Windows game: the "Error" box, and exit status 1 so that
// whoever started the game can tell a failure from a normal close (which
// ends with 0). The text also goes to standard error, for a player who
// started the game from a terminal or with its output redirected.
#include <cstring>

#include "base/fatal_error.h"
#include "platform/win32/win32_platform.h"

namespace {

// A GUI program has no standard error of its own unless its starter
// redirected it; otherwise the console it was started from, if any, is used.
void write_standard_error(const char* text)
{
    HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    if ((error == nullptr || error == INVALID_HANDLE_VALUE) && AttachConsole(ATTACH_PARENT_PROCESS))
        error = CreateFileW(L"CONOUT$", GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (error == nullptr || error == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteFile(error, text, static_cast<DWORD>(std::strlen(text)), &written, nullptr);
    WriteFile(error, "\r\n", 2, &written, nullptr);
}

}  // namespace

void fatal_error(const char* text)
{
    write_standard_error(text);
    // The pointer is held in the window and hidden while the game runs; the
    // box needs it.
    release_cursor();
    MessageBoxA(nullptr, text, "Error", MB_OK | MB_ICONWARNING);
    ExitProcess(1);
}
