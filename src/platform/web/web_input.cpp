// The input half of the browser layer: key and mouse events from the page
// become the same calls the other layers make, at the frame loop's drain.
#include "platform/web/web_input.h"

#include <emscripten/html5.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "base/platform.h"
#include "world/input.h"

bool web_pointer_locked;

namespace {

// The browser calls the handlers between animation frames; the events wait
// here so that input still changes only where the frame loop drains it.
struct WebEvent {
    enum Kind { key_down, key_up, click, motion } kind;
    int key;
    int32_t dx, dy;
};
std::vector<WebEvent> pending;

// The browser keeps no keyboard state to ask: it is kept here, by key code,
// from the events as they are handled.
bool key_held[256];

int letter_or_digit(char c)
{
    if (c >= 'a' && c <= 'z')
        return 'A' + (c - 'a');
    if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
        return c;
    return 0;
}

}  // namespace

int virtual_key_of(const char* key, const char* code)
{
    // The keypad's digits are keys of their own on the other layers too.
    if (std::strncmp(code, "Numpad", 6) == 0)
        return 0;
    if (std::strcmp(key, "Escape") == 0)
        return KEY_ESCAPE;
    if (std::strcmp(key, " ") == 0)
        return KEY_SPACE;
    if (key[0] != '\0' && key[1] == '\0' && letter_or_digit(key[0]) != 0)
        return letter_or_digit(key[0]);
    // No Latin character: the key's place names it.
    if (std::strncmp(code, "Key", 3) == 0 && code[3] >= 'A' && code[3] <= 'Z' && code[4] == '\0')
        return code[3];
    if (std::strncmp(code, "Digit", 5) == 0 && code[5] >= '0' && code[5] <= '9' && code[6] == '\0')
        return code[5];
    if (std::strcmp(code, "Space") == 0)
        return KEY_SPACE;
    return 0;
}

EM_BOOL web_key_down(int, const EmscriptenKeyboardEvent* event, void*)
{
    const int key = virtual_key_of(event->key, event->code);
    // Escape is the browser's: it releases the pointer lock, and the game
    // goes on (closing the tab ends it).
    if (key == 0 || key == KEY_ESCAPE)
        return EM_FALSE;
    // Auto-repeats included: each acts as a fresh press.
    pending.push_back({WebEvent::key_down, key, 0, 0});
    return EM_TRUE;
}

EM_BOOL web_key_up(int, const EmscriptenKeyboardEvent* event, void*)
{
    const int key = virtual_key_of(event->key, event->code);
    if (key == 0 || key == KEY_ESCAPE)
        return EM_FALSE;
    pending.push_back({WebEvent::key_up, key, 0, 0});
    return EM_TRUE;
}

EM_BOOL web_mouse_down(int, const EmscriptenMouseEvent* event, void*)
{
    if (event->button != 0)
        return EM_FALSE;
    if (!web_pointer_locked) {
        // The click that captures the pointer swings nothing. The request is
        // granted only inside the click's own handler, which the library
        // arranges when told to defer it.
        emscripten_request_pointerlock("#canvas", EM_TRUE);
        return EM_TRUE;
    }
    pending.push_back({WebEvent::click, 0, 0, 0});
    return EM_TRUE;
}

EM_BOOL web_mouse_move(int, const EmscriptenMouseEvent* event, void*)
{
    // Without the lock the pointer is just passing over the page.
    if (!web_pointer_locked)
        return EM_FALSE;
    pending.push_back({WebEvent::motion, 0, (int32_t)event->movementX, (int32_t)event->movementY});
    return EM_TRUE;
}

bool platform_key_down(int key)
{
    return key > 0 && key < 256 && key_held[key];
}

bool platform_drain_messages(int*)
{
    // The events are taken out first: a handler never adds to the queue, but
    // the copy keeps the walk independent of it anyway.
    std::vector<WebEvent> events;
    events.swap(pending);
    for (const WebEvent& event : events) {
        switch (event.kind) {
        case WebEvent::key_down:
            key_held[event.key] = true;
            key_pressed(event.key);
            break;
        case WebEvent::key_up: {
            key_held[event.key] = false;
            const int partner = axis_partner(event.key);
            if (partner != 0)
                key_released(event.key, platform_key_down(partner));
            break;
        }
        case WebEvent::click: left_button_pressed(); break;
        case WebEvent::motion: mouse_look(event.dx, event.dy); break;
        }
    }
    // A page has no quit message: closing the tab ends the game.
    return false;
}

namespace {

EM_BOOL pointer_lock_changed(int, const EmscriptenPointerlockChangeEvent* event, void*)
{
    web_pointer_locked = event->isActive != 0;
    return EM_FALSE;
}

}  // namespace

EM_BOOL web_focus_lost(int, const EmscriptenFocusEvent*, void*)
{
    for (int key = 1; key < 256; key++) {
        if (key_held[key])
            pending.push_back({WebEvent::key_up, key, 0, 0});
    }
    return EM_FALSE;
}

void platform_capture_cursor()
{
    // A page may lock the pointer only on a click: the click handler asks.
    emscripten_set_pointerlockchange_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, nullptr, EM_FALSE,
                                              pointer_lock_changed);
    emscripten_set_mousedown_callback("#canvas", nullptr, EM_FALSE, web_mouse_down);
    emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_FALSE, web_key_down);
    emscripten_set_keyup_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_FALSE, web_key_up);
    emscripten_set_blur_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_FALSE, web_focus_lost);
}

void platform_register_raw_input()
{
    // movementX / movementY: relative motion, unbounded while the pointer
    // is locked.
    emscripten_set_mousemove_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, nullptr, EM_FALSE, web_mouse_move);
}
