#pragma once
// The main loop, written once over the platform interface: each pass takes
// the window messages, runs the ticks that have fallen due and, unless the
// window is minimised, draws one frame.
//
// What it calls is resolved when the program is linked: the platform_*
// functions (base/platform.h) from the platform layer, check_gl_error
// (gfx/gl_error_check.h) from gfx, draw_frame (draw/frame.h) from draw. The
// frame loop tests link stand-ins for all three instead.

// One pass: messages, due ticks, one frame. Returns true, with the exit
// status in *exit_code, when the quit message has arrived (nothing else is
// done in that pass). A blocking loop calls it back to back; the browser
// calls it once per animation frame. Needs timer_start to have run.
bool run_frame_pass(int* exit_code);

// Runs passes until the quit message arrives and returns its exit status.
// Needs timer_start to have run.
int run_frame_loop();
