#pragma once
// The replay script: one command a line, run against the world as it stands
// (built by the caller), with what it prints going to `out`.
//
//   run N              N passes of one tick and one frame's camera placement
//   tick N             N ticks, no camera placement between them
//   key down NAME      a key press (again while held: an auto-repeat press)
//   key up NAME        a key release; NAME is W A S D C T or SPACE
//   mouse DX DY        one raw mouse motion, in counts
//   click              a left-button press
//   print player | camera | ore I | ores | perm | height X Z | state
//
// Blank lines and lines whose first non-blank character is '#' are skipped.
// Any other line ends the process with exit status 2 after a message on
// standard error that names the line number and the line.
#include <cstdio>
#include <string>

// Runs every line of `script`; `script_name` names it in messages.
void run_replay_script(FILE* script, const char* script_name, FILE* out);

// Runs one line of a script. The held keys are remembered from one call to
// the next (a release asks whether the other key of its axis is held).
void run_replay_line(const std::string& line, int line_number, const char* script_name, FILE* out);

// The text that --help prints: the commands and the columns of each line.
extern const char* const REPLAY_SCRIPT_HELP;
