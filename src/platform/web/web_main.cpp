// The browser entry point: start-up as on every platform, then the frame
// loop's passes in the browser's rhythm, one per animation frame.
#include <emscripten/emscripten.h>

#include "main/frame_loop.h"
#include "main/game.h"

namespace {

void animation_frame()
{
    // A page gets no quit message; should one come, the passes stop.
    int exit_code = 0;
    if (run_frame_pass(&exit_code))
        emscripten_cancel_main_loop();
}

}  // namespace

int main()
{
    start_game();
    // 0 frames a second: requestAnimationFrame, the display's vertical
    // blank. A hidden tab gets no frames, like a minimised window; when it
    // shows again the ticks catch up as after any stall. The call does not
    // return: main unwinds and the browser calls animation_frame from here.
    emscripten_set_main_loop(animation_frame, 0, EM_TRUE);
    return 0;
}
