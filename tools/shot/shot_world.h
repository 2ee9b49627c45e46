#pragma once
// What the frame tool, the GL tests and the benchmarks share: the game's
// start-up sequence run against a data folder, steady counter texts, and
// reading a composed frame back from the back buffer.
#include <cstdint>
#include <string>
#include <vector>

// Runs the game's start-up after the window: programs, textures, font,
// models, noise, terrain, ores, the frame timer and the fixed GL state. The
// data (tex/ and mdl/) is read relative to the working directory.
void start_world();

// Puts fixed texts in the two counter lines and moves the per-second update
// out of reach, so a composed frame does not depend on the clock.
void hold_counters(const char* ticks, const char* frames);

// The frame in the back buffer as RGB rows, top row first.
struct Frame {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> rgb;

    const uint8_t* at(int32_t x, int32_t y) const { return &rgb[3 * ((size_t)y * width + x)]; }
};

// Sets the client size to width x height, composes one frame and reads it
// back before any swap.
Frame compose_and_read(int32_t width, int32_t height);

// Writes the frame as a PNG; failures end through fatal_error.
void write_frame_png(const std::string& path, const Frame& frame);
