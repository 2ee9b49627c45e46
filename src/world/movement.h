#pragma once
// Player movement: the walk step (input, damping, gravity, ground, ore
// boxes), the fly step (the camera itself moves), and the eye placement.
#include "base/body.h"
#include "base/transform.h"

// The walking body: starts at rest at (100, 50, 100), 0.6 x 1.8 x 0.6.
constexpr Body PLAYER_START{{100, 50, 100}, {0, 0, 0}, {0.3f, 0.9f, 0.3f}};
extern Body player;

// The one camera. Mouse look owns its angles; place_camera (walking) or the
// fly step (flying) its position.
extern Camera camera;

// The vertical velocity a jump gives the player.
constexpr float JUMP_SPEED = 9.8f;

// One tick of walking with gravity and collisions.
void walk_step();

// One tick of flying: the camera moves 0.2 along the view, pitch included.
void fly_step();

// Moves `body` out of `box` (position and half-extents only) along the axis
// of least penetration, with 0.002 of clearance, and stops it on that axis.
// Boxes that only touch count as overlapping; apart boxes are left alone.
void body_push_out(Body& body, const Body& box);

// Walking: puts the camera at the player's eye, 1.5 above the feet plus 0.12
// along the camera's own up axis. Flying: leaves the camera where it is.
void place_camera();
