#pragma once
// What the player's hands are doing: written by the input handlers between
// ticks, read by the ticks and the drawing. All zero at start.
#include <cstdint>

extern int32_t strafe_axis;   // -1 while A holds it, +1 while D holds it, else 0
extern int32_t forward_axis;  // -1 while W holds it, +1 while S holds it, else 0
extern bool fly_mode;         // C toggles: false walks, true flies the camera
extern bool torch_on;         // T toggles the light carried at the camera
