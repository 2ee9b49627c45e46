#pragma once
// The ore deposits: 512 of them, placed at start from the generator, each
// with 16 hits and a marker point on its current stage model.
#include <cstdint>

#include "base/model_format.h"
#include "base/transform.h"

struct Ore {
    Vec3 position;  // the model's origin in the world, on the ground
    Vec3 marker;    // where a strike must land to count
    uint8_t hits;   // hits left: 16 fresh, 0 exhausted
};

constexpr int ORE_CAPACITY = 512;
constexpr int ORE_HITS = 16;

extern Ore ores[ORE_CAPACITY];
extern int32_t ore_count;

// The four stage models, ore0 (last four hits) to ore3 (fresh), and the
// files they are read from, relative to the working directory.
extern Model ore_models[4];
extern const char* const ORE_MODEL_PATHS[4];

// The stage model index for a number of hits left: 13..16 -> 3, ..., 1..4 -> 0,
// and 0 -> 0.
int stage_of(int hits);

// Moller-Trumbore ray against the triangle tri[0..2] (positions only). On a
// hit beyond 0.000001 stores the ray parameter in t and returns true; on a
// miss leaves t alone. Either face can be hit; edges and corners count.
bool ray_triangle(Vec3 origin, Vec3 direction, const ModelVertex* tri, float& t);

// The ray that places a marker on a stage model: from the model's origin
// along (8, 8, 0) turned by the yaw (45 degrees up), to the first triangle in
// model order that it meets, not the nearest. A ray that meets nothing stops
// at t = 1.
struct MarkerRay {
    Vec3 direction;
    float t;
    bool met;
};
MarkerRay cast_marker_ray(const Model& model, float yaw);

// Where the marker sits, from the model's origin: 0.004 beyond the face met,
// so that it is not hidden in the rock.
Vec3 marker_offset(const MarkerRay& ray);

// The game's marker yaws are whole radians 0..31.
constexpr int MARKER_YAWS = 32;

// Fills the table with 512 deposits: three draws each (x, z, marker yaw).
// Needs noise_init and the four ore models.
void place_ores();

// Draws one random yaw and moves the marker to where a ray from the origin,
// 45 degrees up along that yaw, first meets the current stage model.
void ore_update(Ore& ore);
