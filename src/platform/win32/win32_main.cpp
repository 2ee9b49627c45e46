// The Windows entry point. The command line and the show code are not used:
// the window always opens the same way.
#include "main/game.h"
#include "platform/win32/win32_platform.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    main_instance = instance;
    return run_game();
}
