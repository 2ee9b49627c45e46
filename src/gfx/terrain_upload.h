#pragma once
// The terrain mesh on the GPU: its records, filled once at start, uploaded
// into one vertex buffer that every frame draws.
#include <cstdint>

#include "base/model_format.h"
#include "world/terrain_mesh.h"

// The records the world's start fills (world_start) and terrain_upload sends.
extern ModelVertex terrain_vertices[TERRAIN_VERTEX_COUNT];

// The terrain's vertex buffer, 0 until the upload creates it.
extern uint32_t terrain_vbo;

// One upload of terrain_vertices into terrain_vbo (created if 0), left bound
// to GL_ARRAY_BUFFER.
void terrain_upload();
