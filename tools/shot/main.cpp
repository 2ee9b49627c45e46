// quarrytop-shot: one frame of the game, drawn off screen into a PNG.
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "base/fatal_error.h"
#include "gfx/gl_functions.h"
#include "platform/sdl/sdl_window.h"
#include "replay/replay_script.h"
#include "shot/shot_world.h"
#include "world/movement.h"

namespace {

const char* const USAGE =
    "usage: quarrytop-shot [--data DIR] [--size WxH] [--script FILE] OUT.png\n"
    "\n"
    "Starts the game's world from the data folder DIR (tex/ and mdl/; default\n"
    "the current directory), optionally runs a replay script against it, draws\n"
    "one frame of W x H pixels (default 800x600) into a hidden window and\n"
    "writes it to OUT.png. The counter lines read \"ticks: 60\" and\n"
    "\"frames: 60\" so that frames do not depend on the clock.\n"
    "\n"
    "  --data DIR     the folder holding tex/ and mdl/\n"
    "  --size WxH     the client size in pixels, each 1..4096\n"
    "  --script FILE  a replay script (run, tick, key, mouse, click, print)\n"
    "                 run after start-up, before the frame is drawn\n"
    "  --timing       print, on standard error, how long after the process\n"
    "                 started the window, the world and the first frame were\n"
    "                 finished\n"
    "  --help         this text\n";

constexpr long MAX_SIDE = 4096;

[[noreturn]] void usage_error(const char* text)
{
    std::fprintf(stderr, "quarrytop-shot: %s\n\n%s", text, USAGE);
    std::exit(2);
}

long parse_side(const char* text, const char* end)
{
    if (text == end)
        return -1;
    long value = 0;
    for (const char* p = text; p != end; p++) {
        if (*p < '0' || *p > '9')
            return -1;
        value = value * 10 + (*p - '0');
        if (value > MAX_SIDE)
            return -1;
    }
    return value;
}

void parse_size(const char* text, int* width, int* height)
{
    const char* x = std::strchr(text, 'x');
    const long w = x ? parse_side(text, x) : -1;
    const long h = x ? parse_side(x + 1, x + std::strlen(x)) : -1;
    if (w < 1 || h < 1)
        usage_error("--size takes WxH, two whole numbers from 1 to 4096, e.g. 800x600");
    *width = (int)w;
    *height = (int)h;
}

// Paths given on the command line are relative to where the tool was
// started, not to the data folder it moves into.
std::string absolute(const std::string& path)
{
    if (path.empty() || path[0] == '/')
        return path;
    char cwd[4096];
    if (!getcwd(cwd, sizeof cwd))
        fatal_errorf("cannot read the current directory (%s)", std::strerror(errno));
    return std::string(cwd) + "/" + path;
}

// Milliseconds since the process started, from the kernel's record of its
// start (10 ms resolution) and the boot-time clock.
double ms_since_process_start()
{
    FILE* stat = std::fopen("/proc/self/stat", "r");
    unsigned long long start_ticks = 0;
    if (stat) {
        // Field 22 is the start time; field 2 (the name) is in parentheses.
        char line[1024] = {};
        if (std::fgets(line, sizeof line, stat)) {
            const char* p = std::strrchr(line, ')');
            for (int field = 2; p && field < 22; field++)
                p = std::strchr(p + 1, ' ');
            if (p)
                start_ticks = std::strtoull(p + 1, nullptr, 10);
        }
        std::fclose(stat);
    }
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    const double now_ms = (double)now.tv_sec * 1000.0 + (double)now.tv_nsec / 1e6;
    return now_ms - (double)start_ticks * 1000.0 / (double)sysconf(_SC_CLK_TCK);
}

// What the script prints goes to standard output, as with the replay tool.
void run_script(const std::string& path)
{
    FILE* file = std::fopen(path.c_str(), "r");
    if (!file)
        fatal_errorf("%s: cannot open the script (%s)", path.c_str(), std::strerror(errno));
    run_replay_script(file, path.c_str(), stdout);
    std::fclose(file);
}

}  // namespace

int main(int argc, char** argv)
{
    std::string data = ".";
    std::string script;
    std::string out;
    int width = 800, height = 600;
    bool timing = false;
    for (int i = 1; i < argc; i++) {
        const std::string arg = argv[i];
        const bool has_value = i + 1 < argc;
        if (arg == "--help" || arg == "-h") {
            std::fputs(USAGE, stdout);
            return 0;
        } else if (arg == "--timing") {
            timing = true;
        } else if (arg == "--data" && has_value) {
            data = argv[++i];
        } else if (arg == "--size" && has_value) {
            parse_size(argv[++i], &width, &height);
        } else if (arg == "--script" && has_value) {
            script = argv[++i];
        } else if (arg.size() > 1 && arg[0] == '-') {
            usage_error(("unknown option or missing value: " + arg).c_str());
        } else if (out.empty()) {
            out = arg;
        } else {
            usage_error("only one output file");
        }
    }
    if (out.empty())
        usage_error("no output file");
    out = absolute(out);
    script = absolute(script);

    open_hidden_gl_window(width, height);
    const double window_ms = ms_since_process_start();
    if (chdir(data.c_str()) != 0)
        fatal_errorf("%s: cannot enter the data folder (%s)", data.c_str(), std::strerror(errno));
    start_world();
    glFinish();
    const double world_ms = ms_since_process_start();
    hold_counters("ticks: 60", "frames: 60");
    if (!script.empty())
        run_script(script);
    // As every pass of the game's loop does before it draws.
    place_camera();
    const Frame frame = compose_and_read(width, height);
    const double frame_ms = ms_since_process_start();
    write_frame_png(out, frame);
    if (timing)
        std::fprintf(stderr, "window and context %.0f ms, world %.0f ms, first frame %.0f ms after the process started\n",
                     window_ms, world_ms, frame_ms);
    return 0;
}
