// Model previews: frames drawn the way the game draws them (its matrices,
// its terrain cells and tiles, its marker rule, billboard and held-pickaxe
// placement) on the real ground around the first deposit, so the models can
// be judged before, and besides, the game itself.
#include <cmath>
#include <string>

#include "assetgen/contact_sheet.h"
#include "assetgen/det_math.h"
#include "assetgen/font.h"
#include "assetgen/models.h"
#include "assetgen/preview_raster.h"
#include "assetgen/sheet_text.h"
#include "assetgen/textures.h"
#include "world/noise.h"
#include "world/ores.h"
#include "world/terrain_mesh.h"

namespace gen {

namespace {

constexpr int PANEL_W = 800, PANEL_H = 600;
const Rgba SKY{100, 149, 237, 255};

struct Scene {
    Image ore, wood, metal, icon;
    Model ores[4];
    Model pickaxe;
    Vec3 sun;
};

const Image& texture_named(const Scene& scene, const std::string& name)
{
    if (name == "wood")
        return scene.wood;
    if (name == "metal")
        return scene.metal;
    if (name == "icon")
        return scene.icon;
    return scene.ore;
}

void draw_model_at(Raster& raster, const Scene& scene, const Model& model, const Camera& camera, Vec3 angles,
                   Vec3 position)
{
    const Mat4 rot = euler_rotation(angles.x, angles.y, angles.z);
    Mat4 mtw = rot;
    mtw.m[12] = position.x;
    mtw.m[13] = position.y;
    mtw.m[14] = position.z;
    const Mat4 mvp = mat4_mul(view_projection(camera, VIEW_ASPECT), mtw);
    for (const Submesh& submesh : model.submeshes)
        draw_triangles(raster, &model.vertices[(size_t)submesh.first], submesh.count, mvp, rot,
                       texture_named(scene, submesh.name), scene.sun);
}

// The terrain cells within `radius` of (x, z), built as the game builds them.
void draw_ground(Raster& raster, const Scene& scene, const Camera& camera, float x, float z, int radius)
{
    std::vector<ModelVertex> cells;
    for (int i = (int)x - radius; i <= (int)x + radius; i++)
        for (int j = (int)z - radius; j <= (int)z + radius; j++) {
            const int tile = terrain_tile(noise2(0.005f * (float)i, 0.005f * (float)j));
            const float ua = (float)(tile % 16) * 0.0625f, va = (float)(tile / 16) * 0.0625f;
            const float ub = ua + 0.0625f, vb = va + 0.0625f;
            const int offsets[6][2] = {{0, 0}, {0, 1}, {1, 1}, {1, 1}, {1, 0}, {0, 0}};
            const float uvs[6][2] = {{ua, va}, {ub, va}, {ub, vb}, {ub, vb}, {ua, vb}, {ua, va}};
            for (int k = 0; k < 6; k++) {
                const float px = (float)(i + offsets[k][0]), pz = (float)(j + offsets[k][1]);
                cells.push_back(ModelVertex{{px, terrain_height(px, pz), pz}, {0, 1, 0}, uvs[k][0], uvs[k][1]});
            }
        }
    flat_normals(cells.data(), (int)cells.size());
    draw_triangles(raster, cells.data(), (int)cells.size(), view_projection(camera, VIEW_ASPECT), mat4_identity(),
                   scene.icon, scene.sun);
}

void draw_marker(Raster& raster, const Scene& scene, const Camera& camera, Vec3 marker)
{
    const float h = 0.5f;
    ModelVertex quad[6] = {{{-h, -h, 0}, {0, 0, 1}, 0.25f, 0},       {{h, -h, 0}, {0, 0, 1}, 0.3125f, 0},
                           {{h, h, 0}, {0, 0, 1}, 0.3125f, 0.0625f}, {{h, h, 0}, {0, 0, 1}, 0.3125f, 0.0625f},
                           {{-h, h, 0}, {0, 0, 1}, 0.25f, 0.0625f},  {{-h, -h, 0}, {0, 0, 1}, 0.25f, 0}};
    const Mat4 rot = euler_rotation(camera.pitch, camera.yaw, camera.roll);
    Mat4 mtw = rot;
    mtw.m[12] = marker.x;
    mtw.m[13] = marker.y;
    mtw.m[14] = marker.z;
    draw_triangles(raster, quad, 6, mat4_mul(view_projection(camera, VIEW_ASPECT), mtw), rot, scene.icon, scene.sun);
}

void draw_held_pickaxe(Raster& raster, const Scene& scene, const Camera& camera, float swing)
{
    clear_depth(raster);
    const Vec3 v = mat4_apply(euler_rotation(0, swing, 0), Vec3{0.3f, -1.1f, -0.5f}, 0.0f);
    const Vec3 d = mat4_apply(euler_rotation(camera.pitch, camera.yaw, camera.roll), v, 0.0f);
    const Vec3 p{camera.x + d.x, camera.y + d.y, camera.z + d.z};
    const float yaw = (float)((double)camera.yaw - HALF_PI);
    draw_model_at(raster, scene, scene.pickaxe, camera, Vec3{0, yaw, -camera.pitch}, p);
}

// The marker of a deposit for yaw r, by the game's rule.
Vec3 marker_for(const Model& model, Vec3 position, float r)
{
    const Vec3 offset = marker_offset(cast_marker_ray(model, r));
    return Vec3{position.x + offset.x, position.y + offset.y, position.z + offset.z};
}

Camera looking_at(Vec3 eye, Vec3 target)
{
    const double dx = target.x - eye.x, dy = target.y - eye.y, dz = target.z - eye.z;
    const double flat = std::sqrt(dx * dx + dz * dz);
    return Camera{eye.x, eye.y, eye.z, (float)std::atan2(dy, flat), (float)std::atan2(-dx, -dz), 0.0f};
}

// Where a player walking towards the deposit along the marker's yaw stops:
// just outside the collision box, eye 1.62 above the ground.
Vec3 eye_beside(const Model& model, Vec3 position, float r, double extra)
{
    const double dx = std::cos(r), dz = -std::sin(r);
    const Body& box = model.box;
    double distance = 0;
    for (;; distance += 0.01) {
        const double px = position.x + dx * distance, pz = position.z + dz * distance;
        const bool apart = std::fabs(px - (position.x + box.position.x)) > box.half.x + 0.3 ||
                           std::fabs(pz - (position.z + box.position.z)) > box.half.z + 0.3;
        if (apart)
            break;
    }
    distance += extra;
    const float x = (float)(position.x + dx * distance), z = (float)(position.z + dz * distance);
    return Vec3{x, terrain_height(x, z) + 1.62f, z};
}

void panel_label(Raster& raster, const std::string& text)
{
    draw_sheet_text(raster.colour, text, 10, 34, 3, Rgba{255, 255, 255, 255}, true);
}

Raster deposit_panel(const Scene& scene, int stage, float r, double extra, const std::string& title)
{
    Raster raster = make_raster(PANEL_W, PANEL_H, SKY);
    const Vec3 position{440, terrain_height(440, 391), 391};
    const Model& model = scene.ores[stage];
    const Vec3 marker = marker_for(model, position, r);
    const Vec3 eye = eye_beside(model, position, r, extra);
    const Camera camera = looking_at(eye, marker);
    draw_ground(raster, scene, camera, eye.x, eye.z, 14);
    draw_model_at(raster, scene, model, camera, Vec3{0, 0, 0}, position);
    draw_marker(raster, scene, camera, marker);
    draw_held_pickaxe(raster, scene, camera, 0.0f);
    const double dx = eye.x - position.x, dy = eye.y - position.y, dz = eye.z - position.z;
    char reach[64];
    std::snprintf(reach, sizeof reach, " eye %.2f from it", std::sqrt(dx * dx + dy * dy + dz * dz));
    panel_label(raster, title + reach);
    return raster;
}

// The deposit seen from where the ground falls away most steeply, where a
// gap under it would show.
Raster downhill_panel(const Scene& scene)
{
    Raster raster = make_raster(PANEL_W, PANEL_H, SKY);
    const Vec3 position{440, terrain_height(440, 391), 391};
    double lowest = 1e9, best = 0;
    for (int k = 0; k < 32; k++) {
        const double a = k * PI / 16;
        const double h = terrain_height((float)(position.x + 2 * std::cos(a)), (float)(position.z + 2 * std::sin(a)));
        if (h < lowest) {
            lowest = h;
            best = a;
        }
    }
    const float x = (float)(position.x + 2.6 * std::cos(best)), z = (float)(position.z + 2.6 * std::sin(best));
    const Vec3 eye{x, terrain_height(x, z) + 1.62f, z};
    const Camera camera = looking_at(eye, Vec3{position.x, position.y + 0.2f, position.z});
    draw_ground(raster, scene, camera, eye.x, eye.z, 14);
    draw_model_at(raster, scene, scene.ores[3], camera, Vec3{0, 0, 0}, position);
    draw_held_pickaxe(raster, scene, camera, 0.0f);
    panel_label(raster, "ore3 from downhill");
    return raster;
}

Raster pickaxe_panel(const Scene& scene, float pitch, float swing, const std::string& title)
{
    Raster raster = make_raster(PANEL_W, PANEL_H, SKY);
    const float x = 437, z = 396;
    const Camera camera{x, terrain_height(x, z) + 1.62f, z, pitch, 0.4f, 0};
    draw_ground(raster, scene, camera, x, z, 14);
    const Vec3 position{440, terrain_height(440, 391), 391};
    draw_model_at(raster, scene, scene.ores[3], camera, Vec3{0, 0, 0}, position);
    draw_held_pickaxe(raster, scene, camera, swing);
    panel_label(raster, title);
    return raster;
}

}  // namespace

void write_model_preview(const std::string& path)
{
    noise_init();
    Scene scene;
    scene.ore = make_ore_texture();
    scene.wood = make_wood_texture();
    scene.metal = make_metal_texture();
    scene.icon = make_icon_atlas();
    for (int s = 0; s < 4; s++)
        scene.ores[s] = make_ore_model(s);
    scene.pickaxe = make_pickaxe_model();
    const float sun_angle = 1.1f;
    scene.sun = Vec3{std::cos(sun_angle), std::sin(sun_angle), 0};

    const Raster panels[9] = {
        deposit_panel(scene, 3, 0, 0.0, "ore3"),
        deposit_panel(scene, 2, 0, 0.0, "ore2"),
        deposit_panel(scene, 1, 0, 0.0, "ore1"),
        deposit_panel(scene, 0, 0, 0.0, "ore0"),
        deposit_panel(scene, 3, 5, 0.0, "ore3 r=5"),
        downhill_panel(scene),
        pickaxe_panel(scene, 0.0f, 0.0f, "pickaxe"),
        pickaxe_panel(scene, -0.5f, 0.4667f, "swing 7/15"),
        pickaxe_panel(scene, -0.5f, 0.9333f, "swing 14/15"),
    };
    Image sheet = make_image(3 * PANEL_W + 20, 3 * PANEL_H + 20, Rgba{30, 30, 30, 255});
    for (int i = 0; i < 9; i++)
        blit(sheet, panels[i].colour, 5 + (i % 3) * (PANEL_W + 5), 5 + (i / 3) * (PANEL_H + 5), 1, false);
    write_png(path, sheet);
}

}  // namespace gen
