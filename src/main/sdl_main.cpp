// The Linux entry point. The game takes no command line.
#define SDL_MAIN_HANDLED
#include <SDL.h>

#include "main/game.h"

int main()
{
    const int status = run_game();
    // Gives the pointer and the keyboard back before the process ends.
    SDL_Quit();
    return status;
}
