#pragma once
// The size of the window's client area in pixels: what the frame's viewport
// and the text layer are laid out for. The window opens at 800 x 600; the
// frame loop refreshes both values on every pass (0 x 0 while minimised).
#include <cstdint>

constexpr int32_t START_CLIENT_WIDTH = 800;
constexpr int32_t START_CLIENT_HEIGHT = 600;

extern int32_t client_width;
extern int32_t client_height;
