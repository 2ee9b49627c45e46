#pragma once
// Reads every file the game reads at start, from the working folder, with the
// game's own readers, then applies the rules of check/check_rules.h.

// Prints one line for each problem found (the game's own message for a file
// it would refuse) and returns how many there were.
int check_folder();
