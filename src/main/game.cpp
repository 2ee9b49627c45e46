// The game's start-up sequence, the same on every platform, ending in the frame loop.
#include "main/game.h"

#include "base/platform.h"
#include "draw/frame.h"
#include "draw/scene.h"
#include "main/frame_loop.h"
#include "world/frame_timer.h"

void start_game()
{
    // The window shows from here on, but its messages wait for the loop:
    // input and a close made during the rest of start-up act at the first
    // pass.
    platform_open_window();

    build_scene();

    platform_capture_cursor();
    // Game time starts here, after the slow building above.
    timer_start(platform_counter_frequency(), platform_counter());
    set_fixed_gl_state();
    platform_register_raw_input();
}

int run_game()
{
    start_game();
    return run_frame_loop();
}
