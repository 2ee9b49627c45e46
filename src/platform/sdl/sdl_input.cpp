// The input half of the Linux layer: SDL's events become the same calls the
// Windows window procedure makes, with the same virtual-key codes.
#include <SDL.h>

#include "base/platform.h"
#include "platform/sdl/sdl_input.h"
#include "platform/sdl/sdl_window.h"
#include "world/input.h"

int virtual_key_of(SDL_Keycode key)
{
    // Letters and digits by their upper-case character, as Windows codes them.
    if (key >= SDLK_a && key <= SDLK_z)
        return 'A' + (key - SDLK_a);
    if (key >= SDLK_0 && key <= SDLK_9)
        return '0' + (key - SDLK_0);
    switch (key) {
    case SDLK_ESCAPE: return KEY_ESCAPE;
    case SDLK_SPACE: return KEY_SPACE;
    default: return 0;
    }
}

SDL_Keycode sdl_key_of(int virtual_key)
{
    if (virtual_key >= 'A' && virtual_key <= 'Z')
        return SDLK_a + (virtual_key - 'A');
    if (virtual_key >= '0' && virtual_key <= '9')
        return SDLK_0 + (virtual_key - '0');
    switch (virtual_key) {
    case KEY_ESCAPE: return SDLK_ESCAPE;
    case KEY_SPACE: return SDLK_SPACE;
    default: return SDLK_UNKNOWN;
    }
}

bool platform_key_down(int key)
{
    const SDL_Keycode sdl_key = sdl_key_of(key);
    if (sdl_key == SDLK_UNKNOWN)
        return false;
    int count = 0;
    const Uint8* state = SDL_GetKeyboardState(&count);
    const SDL_Scancode scancode = SDL_GetScancodeFromKey(sdl_key);
    return scancode > SDL_SCANCODE_UNKNOWN && scancode < count && state[scancode] != 0;
}

namespace {

// Escape and the close request end the game as on Windows, where they post
// the quit message: it comes up once the events already waiting have been
// handled. (An event pushed now would land behind the end mark of SDL's
// current polling round and wait for the next pass.)
bool quit_requested;

void request_quit()
{
    quit_requested = true;
}

void key_down(const SDL_KeyboardEvent& event)
{
    // Auto-repeats included: each acts as a fresh press.
    const int key = virtual_key_of(event.keysym.sym);
    if (key == KEY_ESCAPE)
        request_quit();
    else if (key != 0)
        key_pressed(key);
}

void key_up(const SDL_KeyboardEvent& event)
{
    const int key = virtual_key_of(event.keysym.sym);
    const int partner = axis_partner(key);
    if (partner != 0)
        key_released(key, platform_key_down(partner));
}

}  // namespace

bool platform_drain_messages(int* exit_code)
{
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        switch (event.type) {
        case SDL_QUIT:
            // The rest of the queue is left alone: the program is ending.
            *exit_code = 0;
            return true;
        case SDL_WINDOWEVENT:
            if (event.window.event == SDL_WINDOWEVENT_CLOSE)
                request_quit();
            break;
        case SDL_KEYDOWN: key_down(event.key); break;
        case SDL_KEYUP: key_up(event.key); break;
        case SDL_MOUSEBUTTONDOWN:
            if (event.button.button == SDL_BUTTON_LEFT)
                left_button_pressed();
            break;
        case SDL_MOUSEMOTION:
            // Relative motion: raw counts once the relative mode is on.
            mouse_look(event.motion.xrel, event.motion.yrel);
            break;
        default: break;
        }
    }
    if (quit_requested) {
        quit_requested = false;
        *exit_code = 0;
        return true;
    }
    return false;
}

void platform_capture_cursor()
{
    SDL_ShowCursor(SDL_DISABLE);
    SDL_SetWindowGrab(sdl_main_window, SDL_TRUE);
}

void platform_register_raw_input()
{
    // Hidden, held in the window, and relative motion straight from the
    // device rather than from cursor positions.
    SDL_SetRelativeMouseMode(SDL_TRUE);
}
