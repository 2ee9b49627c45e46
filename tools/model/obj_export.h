#pragma once
// A game model as Wavefront OBJ text, with its material library, printed so
// that import_obj reads the same model back: every float with nine
// significant digits, one group and usemtl per submesh, the collision box as
// a "# box" comment line.
#include <string>

#include "base/model_format.h"

// Refuses, through fatal_error naming `name`, a model the OBJ form cannot
// carry back unchanged: no triangles, a submesh of no triangles or of a
// vertex count that is not whole triangles, a texture name that is empty or
// holds spaces or control bytes, or a value that is not finite.
void require_exportable(const char* name, const Model& model);

// The OBJ text; `mtl_file` is the material library's file name, written on
// its mtllib line.
std::string obj_text(const Model& model, const std::string& mtl_file);

// The material library: one material per texture name, drawing
// tex/<name>.png, so that an editor opened in the data folder shows them.
std::string mtl_text(const Model& model);
