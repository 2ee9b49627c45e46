#pragma once
// The input half of the browser layer: the page's keyboard and mouse events,
// queued as they come and handed to the input handlers when the frame loop
// drains its messages, with the same virtual-key codes as the other layers.
#include <emscripten/html5.h>

// The virtual-key code of a browser key event: its `key` (the character the
// layout gives, as the Windows and SDL layers go by the layout) for letters,
// digits, Space and Escape; its `code` (the key's place, "KeyW", "Digit1")
// when `key` is no Latin letter or digit (a Cyrillic layout, say), where
// Windows too gives the Latin virtual key. 0 for a key the game has no code
// for, the keypad's included.
int virtual_key_of(const char* key, const char* code);

// The page's event handlers, as emscripten's html5 library calls them; the
// tests call them with events of their own. Each returns whether the browser's
// own action for the event is to be suppressed (the page scrolling on Space).
EM_BOOL web_key_down(int event_type, const EmscriptenKeyboardEvent* event, void* user_data);
EM_BOOL web_key_up(int event_type, const EmscriptenKeyboardEvent* event, void* user_data);
EM_BOOL web_mouse_down(int event_type, const EmscriptenMouseEvent* event, void* user_data);
EM_BOOL web_mouse_move(int event_type, const EmscriptenMouseEvent* event, void* user_data);
// Keys released while the page has no focus never come up to it: once it
// loses the focus, every key held is taken as released, so no axis sticks.
EM_BOOL web_focus_lost(int event_type, const EmscriptenFocusEvent* event, void* user_data);

// Whether the pointer is locked to the canvas: clicks then swing and motion
// turns the view; without the lock a click only asks for it.
extern bool web_pointer_locked;
