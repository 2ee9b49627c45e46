#pragma once
// Wavefront OBJ text to a game model: tinyobjloader reads and triangulates
// the file; this turns its faces into the .bmf's vertex triples and texture
// runs and refuses what the game could not use.
#include <string>
#include <utility>
#include <vector>

#include "base/model_format.h"

struct ImportOptions {
    std::string texture;  // --texture: every face on this texture ("" for none)
    std::vector<std::pair<std::string, std::string>> map;  // --map MATERIAL=NAME, in order
    float scale = 1.0f;                                    // --scale: multiplies every position
    bool has_box = false;                                  // --box given
    Body box{};                                            // its centre and half-extents
};

// The model of the OBJ text `text`, `name` being the file's name in
// messages. Faces keep their file order; each run of faces under one
// material (and within one object or group) becomes a submesh whose texture
// is the material's name, or what --map or --texture says; past 255 runs the
// faces are grouped by texture, in the order each first appears. Texture
// coordinates come from the file (0, 0 where a face has none); normals too
// where every face has them, else flat_normals. The box comes from the
// options, else from a "# box cx cy cz hx hy hz" comment line (scaled), else
// from the vertices' extent.
//
// Text that is not text, that holds no triangle, that refers to vertices it
// does not have, whose polygons tinyobjloader cannot triangulate whole, that
// holds skin weights ("vw" lines), or whose textures the game does not load
// ends through fatal_error with a message naming the file and the problem.
Model import_obj(const char* name, const std::string& text, const ImportOptions& options);

// import_obj over the file at `path`; a file that cannot be read ends through
// fatal_error naming it.
Model import_obj_file(const char* path, const ImportOptions& options);

// The names a submesh may use, as a message lists them:
// "ironOreNoise", "wood", "metal", "icon", "font".
std::string loaded_texture_list();
