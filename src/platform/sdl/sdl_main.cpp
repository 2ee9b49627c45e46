// The Linux entry point. The game takes no command line. The window, the
// context and the pointer grab go with the process: the X server releases
// them when the connection closes.
#include "main/game.h"

int main()
{
    return run_game();
}
