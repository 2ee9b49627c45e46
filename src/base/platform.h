#pragma once
// The small interface each platform layer implements (win32_* on Windows,
// sdl_* on Linux, web_* in a browser), chosen at link time. The frame loop,
// the input handlers and the start-up sequence are written once on top of it
// and know no OS.
#include <cstdint>

// Creates the one window ("Quarrytop", 800 x 600 client area, centred) with
// an OpenGL 2.0 context current on this thread, and shows it. Failures end
// through fatal_error naming the step that failed.
void platform_open_window();

// Start-up steps of the input side: hide the cursor and confine it to the
// client area; register for raw (relative) mouse motion.
void platform_capture_cursor();
void platform_register_raw_input();

// Takes every pending window message through the input handlers. Returns
// true, with the exit status in *exit_code, when the quit message arrives;
// the rest of the queue is then left alone.
bool platform_drain_messages(int* exit_code);

// The client area in pixels; 0 x 0 while the window is minimised.
void platform_client_size(int32_t* width, int32_t* height);

// The performance counter and its counts per second.
int64_t platform_counter();
int64_t platform_counter_frequency();

void platform_sleep_ms(int milliseconds);

// Presents the frame; with swap interval 1 waits for the vertical blank.
void platform_swap_buffers();

// Whether a key (virtual-key code) is down at this moment.
bool platform_key_down(int key);

// An OpenGL entry point by name, or null.
void* platform_gl_proc_address(const char* name);
