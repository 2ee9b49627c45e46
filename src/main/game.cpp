#include "main/game.h"

#include "draw/font.h"
#include "draw/frame.h"
#include "gfx/model_loader.h"
#include "gfx/shaders.h"
#include "gfx/textures.h"
#include "main/frame_loop.h"
#include "main/frame_timer.h"
#include "main/platform.h"
#include "world/noise.h"
#include "world/ores.h"
#include "world/terrain_mesh.h"

int run_game()
{
    // The window shows from here on, but its messages wait for the loop:
    // input and a close made during the rest of start-up act at the first
    // pass.
    platform_open_window();

    build_programs();
    load_textures();
    load_font();
    load_models();  // the ore models are needed to place the deposits
    noise_init();
    terrain_build();
    place_ores();

    platform_capture_cursor();
    // Game time starts here, after the slow building above.
    timer_start(platform_counter_frequency(), platform_counter());
    set_fixed_gl_state();
    platform_register_raw_input();

    return run_frame_loop();
}
