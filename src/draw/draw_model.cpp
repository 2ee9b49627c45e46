// Lit models and camera-facing marker squares, drawn with lit_program
// current and its lighting uniforms already set for the frame.
#include "draw/draw_model.h"

#include "gfx/shaders.h"

namespace {

// Model to world: the rotation with the position in its fourth column.
Mat4 place(const Mat4& rotation, float scale, Vec3 position)
{
    Mat4 m = rotation;
    // The scale applies to the whole rotation part, so a turned model grows
    // evenly; every caller passes 1, which leaves the rotation as it is.
    for (int column = 0; column < 3; column++)
        for (int row = 0; row < 3; row++)
            m.m[4 * column + row] *= scale;
    m.m[12] = position.x;
    m.m[13] = position.y;
    m.m[14] = position.z;
    return m;
}

// rot for the normals, mtw for the torch's distance, mvp for the screen.
void set_object_matrices(const Camera& camera, const Mat4& rotation, const Mat4& model_to_world)
{
    set_matrix(lit_program.rot, rotation);
    set_matrix(lit_program.mtw, model_to_world);
    set_matrix(lit_program.mvp, mat4_mul(view_projection(camera, VIEW_ASPECT), model_to_world));
}

// Offsets of a float inside ModelVertex, as the attribute pointers take them.
const void* vertex_offset(size_t bytes)
{
    return reinterpret_cast<const void*>(bytes);
}

}  // namespace

void bind_lit_vertex_buffer(GLuint buffer)
{
    const GLsizei stride = sizeof(ModelVertex);
    gl.BindBuffer(GL_ARRAY_BUFFER, buffer);
    gl.EnableVertexAttribArray((GLuint)lit_program.aPos);
    gl.EnableVertexAttribArray((GLuint)lit_program.aNorm);
    gl.EnableVertexAttribArray((GLuint)lit_program.aTexCoord);
    gl.VertexAttribPointer((GLuint)lit_program.aPos, 3, GL_FLOAT, GL_FALSE, stride,
                           vertex_offset(offsetof(ModelVertex, position)));
    gl.VertexAttribPointer((GLuint)lit_program.aNorm, 3, GL_FLOAT, GL_FALSE, stride,
                           vertex_offset(offsetof(ModelVertex, normal)));
    gl.VertexAttribPointer((GLuint)lit_program.aTexCoord, 2, GL_FLOAT, GL_FALSE, stride,
                           vertex_offset(offsetof(ModelVertex, u)));
}

void draw_model(const Model& model, const Camera& camera, Vec3 angles, float scale, Vec3 position)
{
    const Mat4 rotation = euler_rotation(angles.x, angles.y, angles.z);
    set_object_matrices(camera, rotation, place(rotation, scale, position));
    bind_lit_vertex_buffer(model.vertex_buffer);
    for (const Submesh& submesh : model.submeshes) {
        glBindTexture(GL_TEXTURE_2D, submesh.texture);
        glDrawArrays(GL_TRIANGLES, submesh.first, submesh.count);
    }
}

void draw_billboard(const Camera& camera, Vec3 position, float size)
{
    // Turned with the camera's own angles, the square lies parallel to the
    // screen and its front (+z) faces the eye.
    const Mat4 rotation = euler_rotation(camera.pitch, camera.yaw, camera.roll);
    set_object_matrices(camera, rotation, place(rotation, 1.0f, position));

    // The marker tile: column 4 of the bottom row of a 16 x 16 atlas.
    const float h = size * 0.5f;
    const Vec3 n{0, 0, 1};
    const ModelVertex quad[6] = {
        {{-h, -h, 0}, n, 0.25f, 0.0f},       {{h, -h, 0}, n, 0.3125f, 0.0f}, {{h, h, 0}, n, 0.3125f, 0.0625f},
        {{h, h, 0}, n, 0.3125f, 0.0625f}, {{-h, h, 0}, n, 0.25f, 0.0625f}, {{-h, -h, 0}, n, 0.25f, 0.0f},
    };
    GLuint buffer = 0;
    gl.GenBuffers(1, &buffer);
    gl.BindBuffer(GL_ARRAY_BUFFER, buffer);
    gl.BufferData(GL_ARRAY_BUFFER, sizeof quad, quad, GL_STATIC_DRAW);
    bind_lit_vertex_buffer(buffer);
    glDrawArrays(GL_TRIANGLES, 0, 6);
    gl.DeleteBuffers(1, &buffer);
}
