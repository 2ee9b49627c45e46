// Running a tool through the shell in a folder, with its output captured.
#include "tools/tool_runs.h"

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

std::string quoted(const std::string& text)
{
    std::string out = "'";
    for (char c : text)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

std::string read_text(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void write_text(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

ToolRun run_in(const std::string& folder, const std::string& command)
{
    const std::string out = folder + "/.stdout", err = folder + "/.stderr";
    const std::string line = "cd " + quoted(folder) + " && " + command + " >" + quoted(out) + " 2>" + quoted(err);
    const int raw = std::system(line.c_str());
    ToolRun run{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, read_text(out), read_text(err)};
    std::filesystem::remove(out);
    std::filesystem::remove(err);
    return run;
}

std::string fresh_folder(const std::string& name)
{
    const std::string path = std::string(QUARRYTOP_TEST_OUTPUT_DIR) + "/" + name;
    std::filesystem::remove_all(path);
    std::filesystem::create_directories(path);
    return path;
}
