#pragma once
// The game's start-up sequence, the same on every platform: the window and
// context, the resources, the world, the input side, then the frame loop.

// Everything before the first pass of the frame loop: the window, the scene
// and the world, the input side, the game clock. Failures end through
// fatal_error. The browser layer calls it and then hands the passes to the
// browser's animation frames.
void start_game();

// Runs the game: start_game, then the blocking frame loop; returns the exit
// status (the quit message's, 0 after a normal close). Failures end through
// fatal_error on the way.
int run_game();
