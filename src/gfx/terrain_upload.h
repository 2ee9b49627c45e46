#pragma once
// The terrain mesh on the GPU: its records written once at start into one
// vertex buffer that every frame draws from.
#include <cstdint>

#include "base/model_format.h"
#include "world/terrain_mesh.h"

// The terrain's vertex buffer, 0 until terrain_upload_begin creates it.
extern uint32_t terrain_vbo;

// Gives terrain_vbo (created if 0) room for TERRAIN_VERTEX_COUNT records and
// returns where the caller writes them, front to back and without reading
// them back: the buffer's own memory, mapped, so the 50 MB are written once;
// or, where mapping is missing (gl_optional) or fails, a staging array in
// main memory that terrain_upload_end sends.
ModelVertex* terrain_upload_begin();

// Hands the written records to GL: unmaps the buffer, or uploads the staging
// array and frees it. Should the driver report on unmapping that the mapped
// memory was lost, the records are filled again (terrain_fill, with the
// noise table as it stands) and uploaded from main memory. Leaves
// terrain_vbo bound to GL_ARRAY_BUFFER.
void terrain_upload_end();
