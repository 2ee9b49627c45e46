#pragma once
// The pickaxe: a click starts a swing, the swing runs 15 ticks, and its end
// resolves one strike along the view.
#include "base/transform.h"

// Where the hand holds the pickaxe, in the camera's axes: right, up, back.
// The frame draws it there; the data checker keeps the pickaxe on screen from
// there.
constexpr Vec3 PICKAXE_HAND_OFFSET{0.3f, -1.1f, -0.5f};

extern bool swing_active;     // a swing is under way
extern float swing_progress;  // 0 at the start of a swing, below 1 while it runs

// A left-button press: starts a swing unless one is under way.
void start_swing();

// One tick of the swing; resolves the strike on the tick it completes.
void swing_step();

// Casts the view ray (length 2, from the camera) against the stage model of
// every live deposit within reach (closer than 3); a deposit whose model the
// ray meets within 0.2 of its marker loses one hit and gets a new marker.
void resolve_strike();
