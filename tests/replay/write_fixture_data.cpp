// replay_fixture_data DIR: writes the fixture ore models under DIR/mdl/, the
// data folder that the replay scenarios run in.
#include <cstdio>

#include "support/fixture_models.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: replay_fixture_data DIR\n");
        return 2;
    }
    write_fixture_data(argv[1]);
    return 0;
}
