#pragma once
// One frame: sky, terrain, ore deposits, near markers, the held pickaxe and
// the two counter lines.

// Everything but the presentation; reads the counter (through the platform)
// for the per-second update between the scene and the counter lines.
void compose_frame();

// compose_frame, then the buffer swap.
void draw_frame();

// Blending, depth test and back-face culling: set once at start.
void set_fixed_gl_state();
