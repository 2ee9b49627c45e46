#pragma once
// Running the tools as a user does, in a fresh folder of the test's own.
#include <string>

struct ToolRun {
    int status;  // the exit status
    std::string out, err;
};

// Runs `command` (a shell command line) in `folder`, capturing both streams.
ToolRun run_in(const std::string& folder, const std::string& command);

// An empty folder for one test, under the test's build folder; whatever an
// earlier run left there is removed first.
std::string fresh_folder(const std::string& name);

// `text` quoted for the shell.
std::string quoted(const std::string& text);

std::string read_text(const std::string& path);
void write_text(const std::string& path, const std::string& text);
