// Aiming the camera at a point, in double precision.
#include "camera_aim.h"

#include <cmath>

#include "world/movement.h"

void aim_camera_at(Vec3 target)
{
    // The eye looks along (-sin yaw cos pitch, sin pitch, -cos yaw cos pitch).
    const double dx = target.x - camera.x, dy = target.y - camera.y, dz = target.z - camera.z;
    camera.yaw = (float)std::atan2(-dx, -dz);
    camera.pitch = (float)std::atan2(dy, std::sqrt(dx * dx + dz * dz));
    camera.roll = 0.0f;
}

void aim_eye_at(Vec3 target)
{
    for (int round = 0; round < 2; round++) {
        place_camera();
        aim_camera_at(target);
    }
    place_camera();
}
