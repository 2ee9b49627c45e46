#pragma once
// What quarrytop-model info prints about a model.
#include <string>

#include "base/model_format.h"

// Vertex and triangle counts, each submesh (texture, first vertex, count),
// the collision box, the vertices' extent, and whether the mesh is closed
// and wound counter-clockwise from outside; `name` heads the text.
std::string model_info_text(const char* name, const Model& model);
