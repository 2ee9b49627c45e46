// The deposit table: placement at start, markers, the stage of a deposit, and the ray-triangle test.
#include "world/ores.h"

#include "world/crt_random.h"
#include "world/noise.h"

Ore ores[ORE_CAPACITY];
int32_t ore_count;
Model ore_models[4];
const char* const ORE_MODEL_PATHS[4] = {"mdl/ore0.bmf", "mdl/ore1.bmf", "mdl/ore2.bmf", "mdl/ore3.bmf"};

int stage_of(int hits)
{
    return hits > 0 ? (hits - 1) / 4 : 0;
}

bool ray_triangle(Vec3 o, Vec3 d, const ModelVertex* tri, float& t)
{
    const Vec3 v0 = tri[0].position, v1 = tri[1].position, v2 = tri[2].position;
    const Vec3 e1{v1.x - v0.x, v1.y - v0.y, v1.z - v0.z};
    const Vec3 e2{v2.x - v0.x, v2.y - v0.y, v2.z - v0.z};
    const Vec3 h{d.y * e2.z - d.z * e2.y, d.z * e2.x - d.x * e2.z, d.x * e2.y - d.y * e2.x};
    const float a = (h.x * e1.x + h.y * e1.y) + h.z * e1.z;
    if (a > -0.000001f && a < 0.000001f)
        return false;  // parallel to the plane
    const float f = 1.0f / a;
    const Vec3 s{o.x - v0.x, o.y - v0.y, o.z - v0.z};
    const float u = f * ((h.x * s.x + h.y * s.y) + h.z * s.z);
    if (u < 0.0f || u > 1.0f)
        return false;
    const Vec3 q{s.y * e1.z - s.z * e1.y, s.z * e1.x - s.x * e1.z, s.x * e1.y - s.y * e1.x};
    const float v = f * ((q.y * d.y + q.x * d.x) + q.z * d.z);
    if (v < 0.0f || u + v > 1.0f)
        return false;
    const float tt = f * ((q.x * e2.x + q.y * e2.y) + q.z * e2.z);
    if (!(tt > 0.000001f))
        return false;
    t = tt;
    return true;
}

MarkerRay cast_marker_ray(const Model& model, float yaw)
{
    MarkerRay ray{rotate_vector(Vec3{8, 8, 0}, 0.0f, yaw, 0.0f), 1.0f, false};
    const int count = (int)model.vertices.size();
    for (int i = 0; i + 3 <= count && !ray.met; i += 3)
        ray.met = ray_triangle(Vec3{0, 0, 0}, ray.direction, &model.vertices[(size_t)i], ray.t);
    return ray;
}

Vec3 marker_offset(const MarkerRay& ray)
{
    const float k = ray.t + 0.004f;
    return Vec3{ray.direction.x * k, ray.direction.y * k, ray.direction.z * k};
}

void place_ores()
{
    for (int attempt = 0; attempt < ORE_CAPACITY; attempt++) {
        if (ore_count >= ORE_CAPACITY)
            break;
        Ore& ore = ores[ore_count];
        ore.position.x = (float)(crt::rand() % 512);
        ore.position.z = (float)(crt::rand() % 512);
        ore.position.y = terrain_height(ore.position.x, ore.position.z);
        ore.hits = ORE_HITS;
        ore_update(ore);
        ore_count += 1;
    }
}

void ore_update(Ore& ore)
{
    const float yaw = (float)(crt::rand() % MARKER_YAWS);
    const Vec3 offset = marker_offset(cast_marker_ray(ore_models[stage_of(ore.hits)], yaw));
    ore.marker = Vec3{ore.position.x + offset.x, ore.position.y + offset.y, ore.position.z + offset.z};
}
