// quarrytop-check on the repository's data, and on copies of it with faults
// planted one at a time and all at once: every fault reported with its file,
// the exit status 1.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>

#include "assetgen/image.h"
#include "base/model_format.h"
#include "tools/tool_runs.h"
#include "world/ores.h"

namespace {

const std::string CHECK = quoted(QUARRYTOP_CHECK);
const std::string SOURCE = QUARRYTOP_SOURCE_DIR;

enum Fault { MISSING_TEXTURE, NON_SQUARE_TEXTURE, LARGE_FONT, MARKER_RAY_MISSES, UNKNOWN_TEXTURE, FAULT_COUNT };

struct Planted {
    const char* name;
    const char* line;  // what the checker prints for it
};

const Planted PLANTED[FAULT_COUNT] = {
    {"missing_texture", "tex/wood.png: cannot load the texture: the file does not exist"},
    {"non_square_texture", "tex/metal.png: the texture is 32 x 16 pixels; it must be square"},
    {"font_256_square",
     "tex/font.png: the font image is 256 x 256 pixels; it must be 128 x 128 (16 x 16 cells of 8 x 8 pixels)"},
    {"marker_ray_misses",
     "mdl/ore2.bmf: the marker rays of yaw 5 (radians, 45 degrees up from the origin) meet no triangle; a marker "
     "there would float in the air"},
    {"unknown_texture", "mdl/pickaxe.bmf: submesh 1 names the texture \"stone\", which is not loaded"},
};

// Ore stage 2 without the triangles that the marker ray of yaw 5 meets: a
// hole the marker would fall through.
void cut_hole(const std::string& path)
{
    Model model = read_model_as_stored(path.c_str());
    for (;;) {
        const MarkerRay ray = cast_marker_ray(model, 5.0f);
        if (!ray.met)
            break;
        for (size_t i = 0; i + 3 <= model.vertices.size(); i += 3) {
            float t = 0;
            if (ray_triangle(Vec3{0, 0, 0}, ray.direction, &model.vertices[i], t)) {
                model.vertices.erase(model.vertices.begin() + (long)i, model.vertices.begin() + (long)i + 3);
                int32_t first = 0;
                for (Submesh& submesh : model.submeshes) {
                    if ((size_t)submesh.first <= i && i < (size_t)(submesh.first + submesh.count))
                        submesh.count -= 3;
                    submesh.first = first;
                    first += submesh.count;
                }
                break;
            }
        }
    }
    write_model(path.c_str(), model);
}

void plant(Fault fault, const std::string& data)
{
    switch (fault) {
    case MISSING_TEXTURE:
        std::filesystem::remove(data + "/tex/wood.png");
        break;
    case NON_SQUARE_TEXTURE:
        gen::write_png(data + "/tex/metal.png", gen::make_image(32, 16, gen::Rgba{90, 90, 100, 255}));
        break;
    case LARGE_FONT:
        gen::write_png(data + "/tex/font.png", gen::make_image(256, 256, gen::Rgba{255, 255, 255, 255}));
        break;
    case MARKER_RAY_MISSES:
        cut_hole(data + "/mdl/ore2.bmf");
        break;
    case UNKNOWN_TEXTURE: {
        Model pickaxe = read_model_as_stored((data + "/mdl/pickaxe.bmf").c_str());
        pickaxe.submeshes.at(1).name = "stone";
        write_model((data + "/mdl/pickaxe.bmf").c_str(), pickaxe);
        break;
    }
    case FAULT_COUNT:
        break;
    }
}

// A copy of the repository's tex/ and mdl/.
std::string data_copy(const std::string& name)
{
    const std::string data = fresh_folder("check_cli/" + name);
    for (const char* folder : {"tex", "mdl"})
        std::filesystem::copy(SOURCE + "/" + folder, data + "/" + folder, std::filesystem::copy_options::recursive);
    return data;
}

std::multiset<std::string> lines_of(const std::string& text)
{
    std::multiset<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.insert(line);
    return lines;
}

TEST(Check, FindsTheRepositorysDataPlayable)
{
    const ToolRun run = run_in(SOURCE, CHECK);
    EXPECT_EQ(run.status, 0) << run.out << run.err;
    EXPECT_EQ(run.out, ".: playable\n");
    const ToolRun elsewhere = run_in(fresh_folder("check_cli/elsewhere"), CHECK + " --data " + quoted(SOURCE));
    EXPECT_EQ(elsewhere.status, 0) << elsewhere.out << elsewhere.err;
}

TEST(Check, ReportsEachPlantedFaultWithItsFile)
{
    for (int f = 0; f < FAULT_COUNT; f++) {
        SCOPED_TRACE(PLANTED[f].name);
        const std::string data = data_copy(PLANTED[f].name);
        plant((Fault)f, data);
        const ToolRun run = run_in(data, CHECK);
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(lines_of(run.out), (std::multiset<std::string>{PLANTED[f].line, ".: 1 problem"})) << run.out;
    }
}

TEST(Check, ReportsEveryFaultWhenSeveralArePlanted)
{
    const std::string data = data_copy("all_faults");
    std::multiset<std::string> expected = {"" + data + ": 5 problems"};
    for (int f = 0; f < FAULT_COUNT; f++) {
        plant((Fault)f, data);
        expected.insert(PLANTED[f].line);
    }
    const ToolRun run = run_in(fresh_folder("check_cli/all_faults_from_elsewhere"), CHECK + " --data " + quoted(data));
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(lines_of(run.out), expected) << run.out;
}

TEST(Check, RefusesWrongArguments)
{
    const ToolRun unknown = run_in(SOURCE, CHECK + " --verbose");
    EXPECT_EQ(unknown.status, 2);
    EXPECT_NE(unknown.err.find("usage: quarrytop-check [--data DIR]"), std::string::npos) << unknown.err;
    const ToolRun absent = run_in(SOURCE, CHECK + " --data no-such-folder");
    EXPECT_EQ(absent.status, 2);
    EXPECT_NE(absent.err.find("no-such-folder: cannot enter the folder"), std::string::npos) << absent.err;
    const ToolRun help = run_in(SOURCE, CHECK + " --help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("marker rays"), std::string::npos) << help.out;
}

}  // namespace
