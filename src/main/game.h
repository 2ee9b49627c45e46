#pragma once
// The game's start-up sequence, the same on every platform: the window and
// context, the resources, the world, the input side, then the frame loop.

// Runs the game; returns the exit status (the quit message's, 0 after a
// normal close). Failures end through fatal_error on the way.
int run_game();
