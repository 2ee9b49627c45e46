#pragma once
// The rules the game relies on without checking them itself. Each returns
// one line per problem, naming the file; an empty list means the rule holds.
// quarrytop-check reports them and the data tests assert them, so each rule
// is written here once.
#include <cstdint>
#include <string>
#include <vector>

#include "base/model_format.h"

using Problems = std::vector<std::string>;

// Older graphics hardware refuses textures larger than this on a side.
constexpr int MAX_TEXTURE_SIDE = 4096;

// A texture (already decoded square by the game's reader) no larger than
// MAX_TEXTURE_SIDE on a side.
Problems texture_size_problems(const char* path, int32_t width, int32_t height);

// The font, RGBA bottom row first as the game decodes it: exactly 128 x 128,
// ink (a non-zero red byte, which the game measures by) in the cell of every
// character 33..126, and none in the cells past 126, which are never drawn.
Problems font_problems(const char* path, const uint8_t* rgba, int32_t width, int32_t height);

// Every one of the game's MARKER_YAWS marker rays meets the stage model;
// a ray that meets nothing leaves the marker floating in the air.
Problems marker_ray_problems(const char* path, const Model& stage);

// The ore stages, ore0 to ore3, shrink as the deposit is mined: each stage
// encloses less than the next, and its collision box is narrower (x and z)
// and lower.
Problems stage_shrink_problems(const Model stages[4]);

// The pickaxe drawn at rest in the hand (camera level at the origin) lies in
// front of the eye, inside the left and right edges of the picture and below
// its middle, where the player aims; it runs out past the bottom edge, where
// the hand is, but some of it shows above that edge.
Problems pickaxe_problems(const char* path, const Model& pickaxe);
