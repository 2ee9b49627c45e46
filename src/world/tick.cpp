// One fixed tick of the game, and the sun's turn.
#include "world/tick.h"

#include "world/controls.h"
#include "world/mining.h"
#include "world/movement.h"

float sun_angle = SUN_START_ANGLE;

void sun_step()
{
    constexpr double TWO_PI = 6.283185307179586;
    sun_angle += 0.001f;
    if ((double)sun_angle > TWO_PI)
        sun_angle = (float)((double)sun_angle - TWO_PI);
}

void run_tick()
{
    if (fly_mode)
        fly_step();
    else
        walk_step();
    swing_step();
    sun_step();
}
