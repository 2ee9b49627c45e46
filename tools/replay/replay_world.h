#pragma once
// The world as the game builds it at start, without GL: the four ore stage
// models from DIR/mdl/ore0.bmf .. ore3.bmf, the noise table, the deposits.

// A missing or malformed model ends the process through fatal_error with the
// file's path. `data_dir` "." reads the game's own relative paths.
void build_world_from_data(const char* data_dir);
