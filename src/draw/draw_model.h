#pragma once
// Lit 3D drawing with lit_program current: models and camera-facing squares.
#include "base/model_format.h"
#include "base/transform.h"
#include "gfx/gl_functions.h"

// Binds a buffer of ModelVertex records and points aPos, aNorm and aTexCoord
// at it.
void bind_lit_vertex_buffer(GLuint buffer);

// Sets rot, mtw and mvp for the model at `position` turned by the angles,
// then draws each submesh with its texture.
void draw_model(const Model& model, const Camera& camera, Vec3 angles, float scale, Vec3 position);

// A size x size square at `position` that turns with the camera, textured with
// the marker tile of whatever texture is bound to unit 0.
void draw_billboard(const Camera& camera, Vec3 position, float size);
