// The terrain mesh on the GPU: filled once, uploaded into one buffer.
#include "gfx/terrain_upload.h"

#include "gfx/gl_functions.h"

ModelVertex terrain_vertices[TERRAIN_VERTEX_COUNT];
uint32_t terrain_vbo;

void terrain_upload()
{
    if (terrain_vbo == 0)
        gl.GenBuffers(1, &terrain_vbo);
    gl.BindBuffer(GL_ARRAY_BUFFER, terrain_vbo);
    gl.BufferData(GL_ARRAY_BUFFER, (GLsizeiptr)sizeof terrain_vertices, terrain_vertices, GL_STATIC_DRAW);
}
