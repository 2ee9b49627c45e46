#pragma once
// The Windows layer's own records and steps, shared by its files (the
// platform interface itself is platform.h).
#include <windows.h>

#include <cstdint>

extern HINSTANCE main_instance;  // the program's module, from WinMain
extern HWND main_window;         // the one window; the program never closes it itself
extern HDC window_dc;            // its device context, carrying the pixel format and the context

// One raw input record as GetRawInputData delivers it for a mouse on x64: the
// 24-byte RAWINPUTHEADER, then RAWMOUSE. dwType is at 0, lLastX at 36, lLastY
// at 40. Filled by each WM_INPUT.
constexpr UINT RAW_INPUT_RECORD_SIZE = 48;
extern uint8_t raw_input_record[RAW_INPUT_RECORD_SIZE];

// Registers "opengl_window_class" with window_proc; a failure ends through
// fatal_error.
void register_window_class();

// The top-left corner that centres an outer size on a screen, each halving
// truncated toward zero: a window larger than the screen gets negative
// coordinates and still stands centred.
POINT centred_position(int screen_width, int screen_height, int outer_width, int outer_height);

// Creates main_window, not yet shown, with an 800 x 600 client area centred
// on the primary screen, and gets window_dc. A failure ends through
// fatal_error.
void create_main_window();

// The window procedure of main_window: input, Escape, and the quit message
// once the window is gone.
LRESULT CALLBACK window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

// Confines the pointer to the client area of main_window as it is now, in
// screen coordinates. The window procedure renews it whenever the window is
// activated, moved or resized after the cursor capture, and gives it back
// while another window is active.
void clip_cursor_to_client();

// Gives the pointer back: no clip, shown. fatal_error calls it before its box.
void release_cursor();

// Mouse look from one raw input record; a record of any other device than a
// mouse changes nothing. Absolute positions (MOUSE_MOVE_ABSOLUTE) turn the
// view by the pixels moved since the previous one.
void raw_input_look(const uint8_t* record);
