// What the player's hands are doing, all zero at start: walking, torch off,
// no movement key held.
#include "world/controls.h"

int32_t strafe_axis;
int32_t forward_axis;
bool fly_mode;
bool torch_on;
