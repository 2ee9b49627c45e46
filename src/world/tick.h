#pragma once
// One fixed game step of 1/60 second.

// Radians; starts at 1.0 and turns 0.001 per tick (one turn in about 105 s).
constexpr float SUN_START_ANGLE = 1.0f;
extern float sun_angle;

// The sun's step: +0.001, wrapped past 2 pi in double precision.
void sun_step();

// Movement (fly or walk), then the swing, then the sun.
void run_tick();
