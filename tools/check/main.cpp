// quarrytop-check: is a data folder playable? Reads what the game reads at
// start, without a window, and reports every problem, not only the first.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

#include "check/check_folder.h"

namespace {

const char* const USAGE =
    "usage: quarrytop-check [--data DIR]\n"
    "\n"
    "Reads every file the game reads at start (tex/ironOreNoise.png, tex/wood.png,\n"
    "tex/metal.png, tex/icon.png, tex/font.png, mdl/ore0.bmf .. mdl/ore3.bmf,\n"
    "mdl/pickaxe.bmf, mdl/floor.bmf, mdl/wall.bmf) from DIR (default: the current\n"
    "folder) with the game's own readers, and prints one line for each problem,\n"
    "naming its file: first whatever would stop the game at start (with the\n"
    "game's own message), then the rules the game relies on:\n"
    "  - each texture square and at most 4096 x 4096 pixels;\n"
    "  - the font exactly 128 x 128, with ink in the cells of the characters\n"
    "    33..126 (8 x 8 pixels, 16 to a row from the bottom left) and none past them;\n"
    "  - every ore stage met by the 32 marker rays the game casts;\n"
    "  - the ore stages shrinking from ore3 to ore0;\n"
    "  - the pickaxe in the hand inside the picture's left, right and top edges.\n"
    "\n"
    "Exit status: 0 when the folder is playable, 1 when a problem was found,\n"
    "2 for wrong arguments.\n";

[[noreturn]] void usage_error(const char* problem)
{
    std::fprintf(stderr, "quarrytop-check: %s\n\n%s", problem, USAGE);
    std::exit(2);
}

}  // namespace

int main(int argc, char** argv)
{
    std::string data = ".";
    for (int i = 1; i < argc; i++) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(USAGE, stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--data") == 0 && i + 1 < argc)
            data = argv[++i];
        else
            usage_error((std::string("unexpected argument \"") + argv[i] + "\"").c_str());
    }
    // The game reads its files relative to the folder it runs in; so does
    // the check, so that its messages name the files as the game does.
    std::error_code error;
    std::filesystem::current_path(data, error);
    if (error)
        usage_error((data + ": cannot enter the folder (" + error.message() + ")").c_str());

    const int problems = check_folder();
    if (problems == 0) {
        std::printf("%s: playable\n", data.c_str());
        return 0;
    }
    std::printf("%s: %d problem%s\n", data.c_str(), problems, problems == 1 ? "" : "s");
    return 1;
}
