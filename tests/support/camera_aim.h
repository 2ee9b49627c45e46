#pragma once
// Aiming the one camera, for tests and benchmarks that need a view of a
// particular point.
#include "base/transform.h"

// Camera angles (roll 0) that look from the camera's position at `target`.
void aim_camera_at(Vec3 target);

// Walking: the angles that make the placed eye look at `target` (the eye
// moves a little with the angles, so this settles in two rounds), with the
// camera placed at the eye.
void aim_eye_at(Vec3 target);
