// fuzz_make_obj_seeds DIR: writes the seed corpus of the OBJ import's fuzz
// target into DIR: every OBJ text of the tool tests' cases, and the fixture
// ore cube as quarrytop-model exports it.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "model/obj_export.h"
#include "support/fixture_models.h"
#include "tools/obj_cases.h"

namespace {

void write_text(const std::filesystem::path& path, const std::string& text)
{
    FILE* file = std::fopen(path.string().c_str(), "wb");
    if (!file || std::fwrite(text.data(), 1, text.size(), file) != text.size() || std::fclose(file) != 0) {
        std::fprintf(stderr, "%s: cannot write\n", path.string().c_str());
        std::exit(1);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_make_obj_seeds DIR\n");
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    std::filesystem::create_directories(dir);
    for (const ObjCase& objcase : obj_cases())
        write_text(dir / (objcase.name + ".obj"), objcase.text);
    write_text(dir / "ore_cube.obj", obj_text(fixture_ore_model(3), "ore_cube.mtl"));
    return 0;
}
