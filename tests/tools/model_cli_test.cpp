// quarrytop-model as a user runs it: exit statuses, messages, what is
// written and what is not.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <string>

#include "tools/tool_runs.h"

namespace {

const std::string TOOL = quoted(QUARRYTOP_MODEL);
const std::string SOURCE = QUARRYTOP_SOURCE_DIR;

// Input files every case may use.
void write_inputs(const std::string& folder)
{
    write_text(folder + "/good.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nusemtl wood\nf 1 2 3\n");
    write_text(folder + "/stone.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nusemtl stone\nf 1 2 3\n");
    write_text(folder + "/nofaces.obj", "v 0 0 0\nv 1 0 0\n");
    write_text(folder + "/binary.obj", std::string("\x89PNG\r\n\x1a\n\0\0", 10));
    write_text(folder + "/garbage.bmf", "not a model");
}

struct CliCase {
    const char* name;
    std::string args;
    int status;
    const char* err;     // a regular expression the standard error must contain ("" for empty)
    const char* out;     // one the standard output must contain
    const char* absent;  // a file that must not exist afterwards ("" for none)
};

void PrintTo(const CliCase& c, std::ostream* out)
{
    *out << c.args;
}

class ModelCli : public testing::TestWithParam<CliCase> {};

TEST_P(ModelCli, EndsAsItShould)
{
    const CliCase& c = GetParam();
    const std::string folder = fresh_folder(std::string("model_cli/") + c.name);
    write_inputs(folder);
    const ToolRun run = run_in(folder, TOOL + " " + c.args);
    EXPECT_EQ(run.status, c.status) << run.err;
    if (*c.err == '\0') {
        EXPECT_EQ(run.err, "");
    } else {
        EXPECT_TRUE(std::regex_search(run.err, std::regex(c.err))) << "standard error:\n" << run.err;
    }
    EXPECT_TRUE(std::regex_search(run.out, std::regex(c.out))) << "standard output:\n" << run.out;
    if (*c.absent != '\0') {
        EXPECT_FALSE(std::filesystem::exists(folder + "/" + c.absent)) << c.absent << " was written";
    }
}

const std::string PICKAXE = quoted(SOURCE + "/mdl/pickaxe.bmf");
const char* const USAGE = "^quarrytop-model: .*\n\nusage: quarrytop-model info FILE.bmf";

INSTANTIATE_TEST_SUITE_P(
    Cases, ModelCli,
    testing::Values(
        CliCase{"help", "--help", 0, "", "--texture NAME[^]*--map MATERIAL=NAME[^]*--scale S[^]*--box CX,CY,CZ,HX,HY,HZ[^]*Exit status", ""},
        CliCase{"no_command", "", 2, USAGE, "^$", ""},
        CliCase{"unknown_command", "convert good.obj out.bmf", 2, "unknown command \"convert\"", "^$", "out.bmf"},
        CliCase{"import_without_output", "import good.obj", 2, "import takes IN.obj OUT.bmf", "^$", ""},
        CliCase{"unknown_option", "import good.obj out.bmf --colour red", 2, "unknown option \"--colour\"", "^$", "out.bmf"},
        CliCase{"option_without_value", "import good.obj out.bmf --scale", 2, "--scale needs a value", "^$", "out.bmf"},
        CliCase{"scale_not_above_zero", "import good.obj out.bmf --scale 0", 2, "--scale takes a number above 0", "^$", "out.bmf"},
        CliCase{"map_without_equals", "import good.obj out.bmf --map stone", 2, "--map takes MATERIAL=NAME", "^$", "out.bmf"},
        CliCase{"box_of_three_numbers", "import good.obj out.bmf --box 1,2,3", 2, "--box takes six numbers", "^$", "out.bmf"},
        CliCase{"info_of_two_files", "info a.bmf b.bmf", 2, "info takes one file", "^$", ""},
        CliCase{"import", "import good.obj out.bmf", 0, "", "^$", ""},
        CliCase{"import_of_a_missing_file", "import absent.obj out.bmf", 1, "^absent.obj: cannot open", "^$", "out.bmf"},
        CliCase{"import_of_a_binary_file", "import binary.obj out.bmf", 1, "^binary.obj: not a text file", "^$", "out.bmf"},
        CliCase{"import_without_faces", "import nofaces.obj out.bmf", 1, "^nofaces.obj: holds no triangle", "^$", "out.bmf"},
        CliCase{"import_of_an_unknown_texture", "import stone.obj out.bmf", 1,
                "^stone.obj: the material \"stone\" is not a texture the game loads \\(\"ironOreNoise\", \"wood\", "
                "\"metal\", \"icon\", \"font\"\\)",
                "^$", "out.bmf"},
        CliCase{"import_with_an_unknown_texture_option", "import good.obj out.bmf --texture granite", 1,
                "^good.obj: the texture \"granite\" .*\"font\"", "^$", "out.bmf"},
        CliCase{"import_with_a_map", "import stone.obj out.bmf --map stone=metal --scale 2 --box 0,1,0,1,1,1", 0, "", "^$", ""},
        CliCase{"export_of_a_broken_model", "export garbage.bmf out.obj", 1, "^garbage.bmf: ", "^$", "out.obj"},
        CliCase{"export_of_a_missing_model", "export absent.bmf out.obj", 1, "^absent.bmf: cannot open", "^$", "out.mtl"},
        CliCase{"info", "info " + PICKAXE, 0, "",
                "pickaxe.bmf: 522 vertices, 174 triangles\nsubmeshes: 2\n  0: texture \"wood\", first 0, count 276\n"
                "  1: texture \"metal\", first 276, count 246\nbox: centre .*\nextent: .*\nclosed: yes\n"
                "wound counter-clockwise from outside: yes\n",
                ""}),
    [](const testing::TestParamInfo<CliCase>& info) { return std::string(info.param.name); });

TEST(ModelCli, ExportWritesTheObjAndItsMaterialsAndImportGivesTheFileBack)
{
    const std::string folder = fresh_folder("model_cli/round_trip");
    for (const char* name : {"ore0", "ore1", "ore2", "ore3", "pickaxe", "floor", "wall"}) {
        SCOPED_TRACE(name);
        const std::string bmf = quoted(SOURCE + "/mdl/" + name + ".bmf");
        ASSERT_EQ(run_in(folder, TOOL + " export " + bmf + " " + name + ".obj").status, 0);
        ASSERT_EQ(run_in(folder, TOOL + " import " + name + ".obj " + name + ".bmf").status, 0);
        EXPECT_EQ(read_text(folder + "/" + name + ".bmf"), read_text(SOURCE + "/mdl/" + name + ".bmf"));
        EXPECT_NE(read_text(folder + "/" + name + ".obj").find("mtllib " + std::string(name) + ".mtl\n"), std::string::npos);
    }
    const std::string mtl = read_text(folder + "/pickaxe.mtl");
    EXPECT_NE(mtl.find("newmtl wood\n"), std::string::npos) << mtl;
    EXPECT_NE(mtl.find("map_Kd tex/wood.png\n"), std::string::npos) << mtl;
    EXPECT_NE(mtl.find("map_Kd tex/metal.png\n"), std::string::npos) << mtl;
}

}  // namespace
