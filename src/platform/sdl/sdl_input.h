#pragma once
// The key codes of the Linux layer: SDL's key codes to the Windows
// virtual-key codes the input handlers take, and back (for the key state).
#include <SDL_keycode.h>

// 'A'..'Z', '0'..'9', Escape and Space; 0 for a key the game has no code for.
int virtual_key_of(SDL_Keycode key);

// The SDL key of a virtual-key code, or SDLK_UNKNOWN.
SDL_Keycode sdl_key_of(int virtual_key);
