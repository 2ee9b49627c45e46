#pragma once
// The main loop, written once over the platform interface: each pass takes
// the window messages, runs the ticks that have fallen due and, unless the
// window is minimised, draws one frame.

// Runs passes until the quit message arrives and returns its exit status.
// Needs timer_start to have run.
int run_frame_loop();
