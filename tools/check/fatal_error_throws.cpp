// fatal_error for quarrytop-check: throws the game's message as a GameRefusal,
// caught around each file's read, so that every problem is reported.
#include "base/fatal_error.h"
#include "check/game_refusal.h"

void fatal_error(const char* text)
{
    throw GameRefusal{text};
}
