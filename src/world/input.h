#pragma once
// Input handling that knows no OS: each platform layer turns its own events
// into these calls. Keys are Windows virtual-key codes; the letter keys are
// their upper-case character codes.
#include <cstdint>

constexpr int KEY_ESCAPE = 0x1B;
constexpr int KEY_SPACE = 0x20;
constexpr int KEY_A = 'A';
constexpr int KEY_C = 'C';
constexpr int KEY_D = 'D';
constexpr int KEY_S = 'S';
constexpr int KEY_T = 'T';
constexpr int KEY_W = 'W';

// A key press, auto-repeats included (each acts as a fresh press). Escape is
// the platform's to handle; unknown keys do nothing.
void key_pressed(int key);

// The other key of the released key's movement axis (A and D, W and S), or 0
// for a key that moves nothing. A key release asks the platform whether this
// key is still down.
int axis_partner(int key);

// A key release: the released key's axis falls back to its partner's state,
// whatever it was before.
void key_released(int key, bool partner_down);

// The left button went down.
void left_button_pressed();

// One raw mouse motion in counts: yaw, then pitch, then the pitch limit and
// the single wrap of each angle.
void mouse_look(int32_t dx, int32_t dy);
