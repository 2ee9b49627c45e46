// The terrain mesh on the GPU: written into the mapped buffer, or filled in
// main memory and uploaded where mapping is not to be had.
#include "gfx/terrain_upload.h"

#include <vector>

#include "gfx/gl_functions.h"

uint32_t terrain_vbo;

namespace {

constexpr GLsizeiptr TERRAIN_BYTES = (GLsizeiptr)TERRAIN_VERTEX_COUNT * (GLsizeiptr)sizeof(ModelVertex);

// The records in main memory on the fallback path only, between begin and
// end; empty otherwise.
std::vector<ModelVertex> staging;
bool mapped = false;

void upload_staging()
{
    gl.BufferData(GL_ARRAY_BUFFER, TERRAIN_BYTES, staging.data(), GL_STATIC_DRAW);
    std::vector<ModelVertex>().swap(staging);
}

}  // namespace

ModelVertex* terrain_upload_begin()
{
    if (terrain_vbo == 0)
        gl.GenBuffers(1, &terrain_vbo);
    gl.BindBuffer(GL_ARRAY_BUFFER, terrain_vbo);
    mapped = false;
    if (gl_optional.MapBuffer) {
        // Storage without contents, then the driver's own memory to fill.
        gl.BufferData(GL_ARRAY_BUFFER, TERRAIN_BYTES, nullptr, GL_STATIC_DRAW);
        void* memory = gl_optional.MapBuffer(GL_ARRAY_BUFFER, GL_WRITE_ONLY);
        if (memory) {
            mapped = true;
            return static_cast<ModelVertex*>(memory);
        }
        // A failed map leaves an error flag that is not the frame's concern.
        glGetError();
    }
    staging.resize((size_t)TERRAIN_VERTEX_COUNT);
    return staging.data();
}

void terrain_upload_end()
{
    gl.BindBuffer(GL_ARRAY_BUFFER, terrain_vbo);
    if (!mapped) {
        upload_staging();
        return;
    }
    mapped = false;
    if (gl_optional.UnmapBuffer(GL_ARRAY_BUFFER) == GL_TRUE)
        return;
    // The mapped contents are undefined now: the same records once more,
    // the plain way.
    staging.resize((size_t)TERRAIN_VERTEX_COUNT);
    terrain_fill(staging.data());
    upload_staging();
}
