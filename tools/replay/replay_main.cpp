// quarrytop-replay [--data DIR] [SCRIPT]: builds the world as the game does
// and runs a script of inputs and prints against it, with no window.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "base/fatal_error.h"
#include "replay/replay_script.h"
#include "replay/replay_world.h"

namespace {

const char* const USAGE = "usage: quarrytop-replay [--data DIR] [SCRIPT]\n";

void print_help()
{
    std::printf("%s", USAGE);
    std::printf(
        "\n"
        "Builds the world as the game does (the ore models from DIR/mdl/, DIR being\n"
        "the current directory unless --data gives one), then runs the commands of\n"
        "SCRIPT, or of standard input when SCRIPT is missing or -, printing to standard\n"
        "output. The world starts as the game's does: walking, the player at rest\n"
        "at (100, 50, 100), the camera at the origin until the first run places it.\n"
        "\n"
        "  --data DIR   the folder holding mdl/ore0.bmf .. mdl/ore3.bmf\n"
        "  --help       this text\n"
        "\n");
    std::printf("%s", REPLAY_SCRIPT_HELP);
}

[[noreturn]] void usage_error(const char* problem, const char* argument)
{
    std::fprintf(stderr, "quarrytop-replay: %s: %s\n%s", problem, argument, USAGE);
    std::exit(2);
}

}  // namespace

int main(int argc, char** argv)
{
#ifdef _WIN32
    // The printed lines end in LF on every build, so outputs compare byte for
    // byte across Linux and Windows.
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    std::string data_dir = ".";
    const char* script_path = nullptr;
    for (int i = 1; i < argc; i++) {
        const char* arg = argv[i];
        if (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0) {
            print_help();
            return 0;
        } else if (std::strcmp(arg, "--data") == 0) {
            if (i + 1 == argc)
                usage_error("--data needs a folder", arg);
            data_dir = argv[++i];
        } else if (arg[0] == '-' && arg[1] != '\0') {
            usage_error("unknown option", arg);
        } else if (script_path) {
            usage_error("only one script can be given", arg);
        } else {
            script_path = arg;
        }
    }

    FILE* script = stdin;
    if (script_path && std::strcmp(script_path, "-") != 0) {
        script = std::fopen(script_path, "rb");
        if (!script)
            fatal_errorf("%s: cannot open (%s)", script_path, std::strerror(errno));
    }

    build_world_from_data(data_dir.c_str());
    run_replay_script(script, script == stdin ? "standard input" : script_path, stdout);
    if (script != stdin)
        std::fclose(script);
    return 0;
}
