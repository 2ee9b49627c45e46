#pragma once
// A small depth-buffered triangle rasteriser for the model previews: it
// draws ModelVertex triangles through the game's own matrices with the
// game's lighting (sun term only, no ambient), nearest texture sampling with
// repeat, back faces culled and source-alpha blending, so a preview shows
// roughly what a frame of the game shows.
#include <vector>

#include "assetgen/image.h"
#include "base/model_format.h"
#include "base/transform.h"

namespace gen {

struct Raster {
    Image colour;
    std::vector<float> depth;
};

Raster make_raster(int width, int height, Rgba clear);
void clear_depth(Raster& raster);

// Draws `count` vertices as triangles: mvp to clip space, rot to turn the
// normals, lit by the unit sun direction as the game's shader lights them.
void draw_triangles(Raster& raster, const ModelVertex* vertices, int count, const Mat4& mvp, const Mat4& rot,
                    const Image& texture, Vec3 sun);

}  // namespace gen
