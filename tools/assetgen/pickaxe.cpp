// The held pickaxe.
//
// The game draws it with its origin at the hand point, 0.3 right of, 1.1
// below and 0.5 in front of the eye, turned with the view so that in model
// space the view looks along -x, +y is up and +z is to the player's left.
// The hand point itself is below the bottom of the view, so the handle
// rises from it up and forward into the lower right of the picture, and the
// head sits across its top: the pointed pick aims left and forward at what
// the player looks at, the flat blade points right and back. The head's
// broad flank faces up and back towards the eye: the game lights surfaces
// by the sun alone, so a flank facing sideways would stay dark most of the
// day. A swing moves the hand from the right of the view towards the left,
// pick first.
//
// Directions are designed in the camera's axes (x right, y up, z back) and
// turned into model axes by camera_to_model.
#include "assetgen/det_math.h"
#include "assetgen/mesh.h"
#include "assetgen/models.h"

namespace gen {

namespace {

const Vec PICK_AIM{-0.8, 0.0, -0.6};      // the pick's pointing direction
const Vec FLANK_FACING{-0.2, 0.75, 0.6};  // where the head's broad flank looks
constexpr double HANDLE_LENGTH = 0.9;     // grip to the centre of the head

// Camera axes to model axes: model x is camera back (+z), model z is camera
// left (-x).
Vec camera_to_model(Vec c)
{
    return Vec{c.z, c.y, -c.x};
}

}  // namespace

Model make_pickaxe_model()
{
    // The pick along its aim, the flank square to it, and the handle square
    // to both, rising from the grip.
    const Vec pick_dir = normalize(camera_to_model(PICK_AIM));
    Vec flank = camera_to_model(FLANK_FACING);
    flank = normalize(flank - pick_dir * dot(flank, pick_dir));
    const Vec handle_dir = cross(pick_dir, flank);
    const Vec head = handle_dir * HANDLE_LENGTH;
    const Vec side = flank;  // across the head's thickness

    Part wood{"wood", {}};
    // The handle: an octagonal shaft from a flared butt below the hand to
    // just above the head, slimming a little towards the top.
    const double top = length(head) + 0.05;
    add_tube(wood,
             {handle_dir * -0.09, handle_dir * -0.075, handle_dir * -0.045, handle_dir * 0.2, handle_dir * (top - 0.1),
              handle_dir * top},
             {0.03, 0.035, 0.028, 0.027, 0.025, 0.025}, {0.03, 0.035, 0.028, 0.027, 0.025, 0.025}, side, 8, 0.5,
             1.2);

    Part metal{"metal", {}};
    // The head: one tube from the pick's point, through the thick eye
    // around the handle, to a flat blade. Both arms curve back towards the
    // hand, as a pickaxe's do.
    const double pick_length = 0.40, blade_length = 0.26;
    std::vector<Vec> path;
    std::vector<double> half_width, half_height;
    const double pick_steps[] = {1.0, 0.7, 0.4, 0.15};
    const double pick_width[] = {0.0, 0.014, 0.024, 0.032};
    const double pick_height[] = {0.0, 0.02, 0.034, 0.046};
    for (int i = 0; i < 4; i++) {
        const double t = pick_steps[i];
        path.push_back(head + pick_dir * (t * pick_length) - handle_dir * (0.09 * t * t));
        half_width.push_back(pick_width[i]);
        half_height.push_back(pick_height[i]);
    }
    path.push_back(head);
    half_width.push_back(0.04);
    half_height.push_back(0.058);
    const double blade_steps[] = {0.3, 0.7, 1.0};
    const double blade_width[] = {0.034, 0.04, 0.052};
    const double blade_height[] = {0.04, 0.024, 0.008};
    for (int i = 0; i < 3; i++) {
        const double t = blade_steps[i];
        path.push_back(head - pick_dir * (t * blade_length) - handle_dir * (0.06 * t * t));
        half_width.push_back(blade_width[i]);
        half_height.push_back(blade_height[i]);
    }
    add_tube(metal, path, half_width, half_height, side, 4, 0.5, 1.5);
    // The eye: a collar around the top of the handle.
    add_tube(metal, {head - handle_dir * 0.07, head + handle_dir * 0.06}, {0.038, 0.038}, {0.038, 0.038}, side, 8,
             0.5, 1.5);

    return assemble({wood, metal});
}

}  // namespace gen
