#pragma once
// OBJ texts and what quarrytop-model's import makes of them: the cases of the
// tool tests, and the seeds of the OBJ fuzz target.
#include <string>
#include <vector>

#include "model/obj_import.h"

struct ObjCase {
    std::string name;  // a test name: letters, digits and underscores
    std::string text;  // the OBJ file
    ImportOptions options;
    // Accepted: the submeshes as "texture:count ..." (counts in vertices),
    // vertex 0 as "x y z / u v / nx ny nz" and the box as "cx cy cz / hx hy hz"
    // (each number printed with %g; "" where the case does not check it).
    std::string submeshes;
    std::string first_vertex;
    std::string box;
    // Refused: a regular expression matching the message ("" when accepted).
    std::string refusal;
};

const std::vector<ObjCase>& obj_cases();

// Vertex 0 and the box of a model in the forms above.
std::string first_vertex_text(const Model& model);
std::string box_text(const Model& model);
std::string submeshes_text(const Model& model);
