#pragma once
// The input rules as a table of cases, played through a platform layer: each
// platform's test links its own drive_input_step, which turns a step into
// that layer's real messages or events and lets the layer handle them.
#include <cstdint>
#include <string>
#include <vector>

enum class InputAct {
    press,    // the key goes down
    repeat,   // an auto-repeat of a key held down
    release,  // the key comes up
    click,    // the left button goes down
    move,     // raw mouse motion of (dx, dy) counts
};

struct InputStep {
    InputAct act;
    int key = 0;
    int32_t dx = 0, dy = 0;
};

// What the case starts from, and what it must end with. Unset expectations
// are not checked.
struct InputState {
    int32_t strafe_axis = 0;
    int32_t forward_axis = 0;
    bool fly_mode = false;
    bool torch_on = false;
    bool swing_active = false;
    float swing_progress = 0.0f;
    float velocity_y = 0.0f;
    float pitch = 0.0f;
    float yaw = 0.0f;
};

struct InputCase {
    std::string name;
    InputState start;
    std::vector<InputStep> steps;
    InputState end;
};

const std::vector<InputCase>& input_cases();

// Sets the game's input state, camera angles and vertical velocity.
void set_input_state(const InputState& state);

// Plays one step through the platform layer under test (each test program
// defines it); keys still held after a case are released by the caller.
void drive_input_step(const InputStep& step);

// Plays the case from its start and checks every field of its end with
// gtest expectations; releases whatever it left held.
void play_input_case(const InputCase& input_case);
