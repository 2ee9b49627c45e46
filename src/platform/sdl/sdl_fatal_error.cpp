// fatal_error of the Linux game: the text on standard error, then, where a
// display is available, the "Error" box; exit status 1 either way, so that a
// failure never looks like a normal close.
#include <SDL.h>

#include <cstdio>
#include <cstdlib>

#include "base/fatal_error.h"
#include "platform/sdl/sdl_window.h"

void fatal_error(const char* text)
{
    std::fprintf(stderr, "%s\n", text);
    std::fflush(stderr);

    // The pointer is held and hidden while the game runs; the box needs it.
    if (SDL_WasInit(SDL_INIT_VIDEO) != 0) {
        SDL_SetRelativeMouseMode(SDL_FALSE);
        if (sdl_main_window != nullptr)
            SDL_SetWindowGrab(sdl_main_window, SDL_FALSE);
        SDL_ShowCursor(SDL_ENABLE);
    }
    // Without a display this fails at once, and standard error has it. The
    // box has no parent window: SDL's X11 box looks up the parent's display
    // and was seen to crash there now and then, which would turn a clear
    // message and status 1 into a crash.
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_WARNING, "Error", text, nullptr);
    std::exit(1);
}
