// The Linux entry point. The game takes no command line. The window, the
// context and the pointer grab go with the process: the X server releases
// them when the connection closes.
#include "main/game.h"
#include "platform/sdl/sdl_heap.h"

int main()
{
    keep_freed_memory();
    return run_game();
}
