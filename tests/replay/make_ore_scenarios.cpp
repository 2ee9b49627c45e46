// replay_make_ore_scenarios walk|mine FILE: writes the scenario that walks the
// player into a deposit, or the one that mines it to exhaustion, against the
// fixture models.
//
// Aiming needs mouse counts worked out from where the camera and the marker
// are at that moment, so this program runs every command it writes through
// the replay interpreter itself, reads the world between commands, and looks
// ahead by saving and restoring the little state that walking changes. The
// committed scenarios are its output; rerun it only when the world or the
// fixture models change, and check the new expected output by hand.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "replay/replay_script.h"
#include "support/fixture_models.h"
#include "world/controls.h"
#include "world/mining.h"
#include "world/movement.h"
#include "world/noise.h"
#include "world/ores.h"
#include "world/tick.h"

namespace {

// The deposit nearest to where the player lands: (103, 105) against the
// landing point (100, 100).
constexpr int TARGET = 492;

FILE* script;
FILE* sink;
int line_number;

[[noreturn]] void give_up(const char* why)
{
    std::fprintf(stderr, "replay_make_ore_scenarios: %s (at script line %d)\n", why, line_number);
    std::exit(1);
}

void emit(const std::string& command)
{
    std::fprintf(script, "%s\n", command.c_str());
    run_replay_line(command, ++line_number, "generated", sink);
}

void note(const std::string& comment)
{
    std::fprintf(script, "# %s\n", comment.c_str());
    line_number++;
}

// The eye position place_camera gives for these angles.
Vec3 eye_for(float pitch, float yaw)
{
    const Vec3 up = mat4_apply(euler_rotation(pitch, yaw, camera.roll), Vec3{0, 0.12f, 0}, 0.0f);
    return Vec3{player.position.x + up.x, ((player.position.y + 1.5f) - player.half.y) + up.y,
                player.position.z + up.z};
}

// The mouse counts that make the eye, once placed, look at `target`. The eye
// moves a little with the angles, so the counts are refined until they stay.
void aim_at(Vec3 target, bool level)
{
    constexpr double PI = 3.141592653589793;
    long long dx = 0, dy = 0;
    for (int round = 0; round < 20; round++) {
        const float yaw = camera.yaw - (float)dx * 0.002f;
        const float pitch = level ? camera.pitch : camera.pitch - (float)dy * 0.002f;
        const Vec3 eye = eye_for(pitch, yaw);
        const double ex = (double)target.x - eye.x, ey = (double)target.y - eye.y, ez = (double)target.z - eye.z;
        double want_yaw = std::atan2(-ex, -ez);
        while (want_yaw - camera.yaw > PI)
            want_yaw -= 2 * PI;
        while (want_yaw - camera.yaw < -PI)
            want_yaw += 2 * PI;
        const double want_pitch = std::atan2(ey, std::sqrt(ex * ex + ez * ez));
        const long long new_dx = std::llround((camera.yaw - want_yaw) / 0.002);
        const long long new_dy = level ? 0 : std::llround((camera.pitch - want_pitch) / 0.002);
        if (new_dx == dx && new_dy == dy)
            break;
        dx = new_dx;
        dy = new_dy;
    }
    if (dx != 0 || dy != 0)
        emit("mouse " + std::to_string(dx) + " " + std::to_string(dy));
}

// The number of `run 1` passes with the current input until the player is
// first pushed out of a deposit's box (a horizontal velocity component set to
// exactly 0), found by running ahead and putting the world back.
int passes_until_contact()
{
    const Body saved_player = player;
    const Camera saved_camera = camera;
    const float saved_sun = sun_angle;
    int passes = 0;
    do {
        if (++passes > 600)
            give_up("the player never reaches the deposit");
        run_tick();
        place_camera();
    } while (player.velocity.x != 0.0f && player.velocity.z != 0.0f);
    player = saved_player;
    camera = saved_camera;
    sun_angle = saved_sun;
    return passes;
}

void walk_into_target(bool detailed)
{
    const Ore& ore = ores[TARGET];
    note("Land from the start (first ground contact on tick 118), then settle.");
    emit("run 120");
    if (detailed)
        emit("print player");
    note("Turn level toward deposit " + std::to_string(TARGET) + " and walk into it with W.");
    aim_at(ore.position, true);
    emit("key down W");
    const int contact = passes_until_contact();
    if (detailed) {
        emit("run " + std::to_string(contact - 3));
        note("The last passes before the contact, the contact (pushed out of the box,");
        note("stopped on that axis) and the passes after it, still pressing on.");
        for (int i = 0; i < 6; i++) {
            emit("run 1");
            emit("print player");
        }
    } else {
        emit("run " + std::to_string(contact + 2));
    }
    emit("key up W");
    emit("run 60");
    note("At rest against the box.");
    emit("print player");
    emit("print ore " + std::to_string(TARGET));
}

// The point of the deposit's box nearest to its marker: on the cube, where
// the marker ray left the surface. Aiming there rather than at the marker
// itself also counts when the camera looks along the face almost edge-on.
Vec3 marker_of_target()
{
    const Ore& ore = ores[TARGET];
    const Body& box = ore_models[stage_of(ore.hits)].box;
    auto clamp = [](float v, float centre, float half) {
        return v < centre - half ? centre - half : v > centre + half ? centre + half : v;
    };
    return Vec3{clamp(ore.marker.x, ore.position.x + box.position.x, box.half.x),
                clamp(ore.marker.y, ore.position.y + box.position.y, box.half.y),
                clamp(ore.marker.z, ore.position.z + box.position.z, box.half.z)};
}

void strike(int number)
{
    const Ore& ore = ores[TARGET];
    const int hits_before = ore.hits;
    note("Strike " + std::to_string(number) + ": aim at the surface under the marker, swing, 15 passes.");
    aim_at(marker_of_target(), false);
    emit("click");
    if (number == 1) {
        note("A second click during the swing neither restarts nor queues it:");
        note("the strike still falls on the 15th tick after the first click.");
        emit("run 5");
        emit("click");
        emit("run 9");
        emit("print state");
        emit("print ore " + std::to_string(TARGET));
        emit("run 1");
        emit("print state");
    } else {
        emit("run 15");
    }
    emit("print ore " + std::to_string(TARGET));
    if (ore.hits != hits_before - 1)
        give_up("a strike aimed at the marker did not count");
}

void mine_target()
{
    walk_into_target(false);
    const Ore& ore = ores[TARGET];
    const Vec3 eye = eye_for(camera.pitch, camera.yaw);
    const float dx = eye.x - ore.position.x, dy = eye.y - ore.position.y, dz = eye.z - ore.position.z;
    if (!((dx * dx + dy * dy) + dz * dz < 9.0f))
        give_up("the deposit is out of reach");

    // A strike that meets the model away from the marker changes nothing.
    const Model& model = ore_models[stage_of(ore.hits)];
    const Vec3 top{ore.position.x, ore.position.y + model.box.position.y + model.box.half.y, ore.position.z};
    const float mx = top.x - ore.marker.x, my = top.y - ore.marker.y, mz = top.z - ore.marker.z;
    if (std::sqrt(mx * mx + my * my + mz * mz) < 0.5f)
        give_up("the top of the model is too near the marker for a missing strike");
    note("A strike at the middle of the top face, away from the marker: no hit.");
    aim_at(top, false);
    emit("click");
    emit("run 15");
    emit("print ore " + std::to_string(TARGET));
    if (ore.hits != ORE_HITS)
        give_up("the strike away from the marker counted");

    for (int number = 1; number <= ORE_HITS; number++)
        strike(number);

    note("Exhausted: the deposit no longer holds the player back.");
    aim_at(ore.position, true);
    emit("key down W");
    emit("run 40");
    emit("key up W");
    emit("print player");
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string which = argc == 3 ? argv[1] : "";
    if (which != "walk" && which != "mine") {
        std::fprintf(stderr, "usage: replay_make_ore_scenarios walk|mine FILE\n");
        return 2;
    }
    script = std::fopen(argv[2], "wb");
    sink = std::tmpfile();
    if (!script || !sink)
        give_up("cannot open the output");

    load_fixture_ore_models();
    noise_init();
    place_ores();

    if (which == "walk") {
        note("Walking into a deposit: the player is pushed out of its box.");
        note("Made by replay_make_ore_scenarios walk.");
        walk_into_target(true);
    } else {
        note("Mining a deposit to exhaustion: 16 counted strikes, each aimed anew.");
        note("Made by replay_make_ore_scenarios mine.");
        mine_target();
    }
    if (std::fclose(script) != 0)
        give_up("cannot write the output");
    return 0;
}
