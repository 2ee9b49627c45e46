// quarrytop-model: the game's .bmf models to and from Wavefront OBJ, and what
// a model holds. Refused input ends with status 1 and writes nothing; wrong
// arguments end with the usage and status 2.
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "base/fatal_error.h"
#include "base/model_format.h"
#include "model/model_info.h"
#include "model/obj_export.h"
#include "model/obj_import.h"

namespace {

const char* const USAGE =
    "usage: quarrytop-model info FILE.bmf\n"
    "       quarrytop-model import IN.obj OUT.bmf [--texture NAME] [--map MATERIAL=NAME]...\n"
    "                                             [--scale S] [--box CX,CY,CZ,HX,HY,HZ]\n"
    "       quarrytop-model export IN.bmf OUT.obj\n"
    "       quarrytop-model --help\n"
    "\n"
    "info    prints the vertex and triangle counts, each submesh (texture name,\n"
    "        first vertex, vertex count), the collision box, the extent of the\n"
    "        vertices, and whether the mesh is closed and wound counter-clockwise\n"
    "        seen from outside (the faces the game draws).\n"
    "\n"
    "import  reads a Wavefront OBJ file and writes a game model. Polygons are\n"
    "        triangulated; faces keep their file order, and each run of faces\n"
    "        under one material (within one object or group) becomes a submesh\n"
    "        (past the format's 255 submeshes, the faces are grouped by texture,\n"
    "        in the order each texture first appears). Points, lines and faces of\n"
    "        fewer than three corners are ignored. Texture coordinates come from\n"
    "        the file (0, 0 where a face has none); normals too where every face\n"
    "        has them, else each triangle gets its flat normal, as the game\n"
    "        computes it. The collision box comes from --box, else from a comment\n"
    "        line \"# box cx cy cz hx hy hz\" in the file (scaled by S), else the\n"
    "        centre and half-extents of the vertices.\n"
    "        --texture NAME         every face on the texture NAME\n"
    "        --map MATERIAL=NAME    faces of MATERIAL on the texture NAME (repeatable);\n"
    "                               other materials use the texture of their own name\n"
    "        --scale S              multiply every position by S (a number above 0)\n"
    "        --box CX,CY,CZ,HX,HY,HZ  the collision box, centre and half-extents,\n"
    "                               in the game's units (not scaled)\n"
    "        A texture must be one the game loads: \"ironOreNoise\", \"wood\",\n"
    "        \"metal\", \"icon\", \"font\". The OBJ's material library is not read.\n"
    "\n"
    "export  writes a game model as OUT.obj and its material library (OUT.mtl,\n"
    "        beside it, each material drawing tex/<name>.png), with one group and\n"
    "        usemtl per submesh and the collision box as a \"# box\" comment line.\n"
    "        Every number reads back exactly: importing the export without options\n"
    "        gives back the same .bmf, byte for byte.\n"
    "\n"
    "Y is up and the model faces -Z, in the game's units (a deposit is about\n"
    "two units across).\n"
    "\n"
    "Exit status: 0 done; 1 the input was refused (a message names the file and\n"
    "the problem, and nothing is written); 2 wrong arguments.\n";

[[noreturn]] void usage_error(const std::string& problem)
{
    std::fprintf(stderr, "quarrytop-model: %s\n\n%s", problem.c_str(), USAGE);
    std::exit(2);
}

// A number that is the whole of `text`.
bool parse_float(const std::string& text, float& value)
{
    if (text.empty())
        return false;
    char* end = nullptr;
    const double parsed = std::strtod(text.c_str(), &end);
    value = (float)parsed;
    return *end == '\0' && std::isfinite(value);
}

Body parse_box(const std::string& text)
{
    float values[6];
    size_t at = 0;
    for (int i = 0; i < 6; i++) {
        const size_t comma = i < 5 ? text.find(',', at) : text.size();
        if (comma == std::string::npos || !parse_float(text.substr(at, comma - at), values[i]))
            usage_error("--box takes six numbers separated by commas: CX,CY,CZ,HX,HY,HZ, not \"" + text + "\"");
        at = comma + 1;
    }
    Body box{};
    box.position = Vec3{values[0], values[1], values[2]};
    box.half = Vec3{values[3], values[4], values[5]};
    return box;
}

ImportOptions parse_import_options(const std::vector<std::string>& args)
{
    ImportOptions options;
    for (size_t i = 0; i < args.size(); i++) {
        const std::string& option = args[i];
        if (i + 1 >= args.size())
            usage_error(option.compare(0, 2, "--") == 0 ? option + " needs a value" : "unexpected argument \"" + option + "\"");
        const std::string& value = args[++i];
        if (option == "--texture") {
            options.texture = value;
        } else if (option == "--map") {
            const size_t equals = value.find('=');
            if (equals == std::string::npos || equals == 0 || equals + 1 == value.size())
                usage_error("--map takes MATERIAL=NAME, not \"" + value + "\"");
            options.map.emplace_back(value.substr(0, equals), value.substr(equals + 1));
        } else if (option == "--scale") {
            if (!parse_float(value, options.scale) || !(options.scale > 0))
                usage_error("--scale takes a number above 0, not \"" + value + "\"");
        } else if (option == "--box") {
            options.box = parse_box(value);
            options.has_box = true;
        } else {
            usage_error("unknown option \"" + option + "\"");
        }
    }
    return options;
}

// OUT.obj's material library: OUT with .obj replaced by .mtl.
std::string mtl_path_for(const std::string& obj_path)
{
    const size_t dot = obj_path.rfind('.');
    const size_t slash = obj_path.find_last_of("/\\");
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash))
        return obj_path.substr(0, dot) + ".mtl";
    return obj_path + ".mtl";
}

std::string file_name_of(const std::string& path)
{
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

void write_text(const std::string& path, const std::string& text)
{
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        fatal_errorf("%s: cannot create (%s)", path.c_str(), std::strerror(errno));
    const size_t written = std::fwrite(text.data(), 1, text.size(), file);
    if (std::fclose(file) != 0 || written != text.size())
        fatal_errorf("%s: write error", path.c_str());
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    for (const std::string& arg : args)
        if (arg == "--help" || arg == "-h") {
            std::fputs(USAGE, stdout);
            return 0;
        }
    if (args.empty())
        usage_error("no command");
    const std::string command = args[0];
    if (command == "info") {
        if (args.size() != 2)
            usage_error("info takes one file");
        const Model model = read_model_as_stored(args[1].c_str());
        std::fputs(model_info_text(args[1].c_str(), model).c_str(), stdout);
        return 0;
    }
    if (command == "import") {
        if (args.size() < 3)
            usage_error("import takes IN.obj OUT.bmf");
        const ImportOptions options = parse_import_options(std::vector<std::string>(args.begin() + 3, args.end()));
        const Model model = import_obj_file(args[1].c_str(), options);
        write_model(args[2].c_str(), model);
        return 0;
    }
    if (command == "export") {
        if (args.size() != 3)
            usage_error("export takes IN.bmf OUT.obj");
        const Model model = read_model_as_stored(args[1].c_str());
        require_exportable(args[1].c_str(), model);
        const std::string mtl_path = mtl_path_for(args[2]);
        const std::string obj = obj_text(model, file_name_of(mtl_path));
        const std::string mtl = mtl_text(model);
        write_text(args[2], obj);
        write_text(mtl_path, mtl);
        return 0;
    }
    usage_error("unknown command \"" + command + "\"");
}
