#pragma once
// What fatal_error becomes in the checker: the game's readers end through
// fatal_error, and the checker must go on to the next file, so the message
// is thrown and caught around each read instead of ending the process.
#include <string>

struct GameRefusal {
    std::string message;
};
