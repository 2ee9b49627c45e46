// The frame loop: messages, due ticks, then one checked and drawn frame a pass;
// the pass is its own function so that the browser can call it per animation frame.
#include "main/frame_loop.h"

#include <cstdint>

#include "base/client_size.h"
#include "base/platform.h"
#include "draw/frame.h"
#include "gfx/gl_error_check.h"
#include "world/frame_timer.h"
#include "world/movement.h"
#include "world/tick.h"

namespace {

// Every tick whose time has come, back to back; the counter is read again
// after each one, so ticks that fall due while these run are run as well.
// The difference is compared signed: a counter that ever stepped back would
// otherwise look like an almost endless stall and run ticks without end.
void run_due_ticks()
{
    int64_t now = platform_counter();
    while (now - next_tick >= tick_period) {
        next_tick += tick_period;
        tick_count++;
        run_tick();
        now = platform_counter();
    }
}

}  // namespace

bool run_frame_pass(int* exit_code)
{
    // Input changes only here, between ticks and frames.
    if (platform_drain_messages(exit_code))
        return true;

    platform_client_size(&client_width, &client_height);
    run_due_ticks();

    // Minimised: the game goes on, but nothing is drawn or checked.
    if (client_width == 0 || client_height == 0) {
        platform_sleep_ms(10);
        return false;
    }

    frame_count++;
    place_camera();
    // Reports whatever the previous frame and the ticks since left in the
    // error flag (for the first frame, all of start-up).
    GL_ERROR_CHECK();
    draw_frame();
    return false;
}

int run_frame_loop()
{
    int exit_code = 0;
    while (!run_frame_pass(&exit_code)) {
    }
    return exit_code;
}
