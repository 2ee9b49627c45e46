// The terrain mesh on the GPU: filled once, uploaded into one buffer.
#include "gfx/gl_functions.h"
#include "world/terrain_mesh.h"

void terrain_build()
{
    terrain_fill(terrain_vertices);
    if (terrain_vbo == 0)
        gl.GenBuffers(1, &terrain_vbo);
    gl.BindBuffer(GL_ARRAY_BUFFER, terrain_vbo);
    gl.BufferData(GL_ARRAY_BUFFER, (GLsizeiptr)sizeof terrain_vertices, terrain_vertices, GL_STATIC_DRAW);
}
