// A platform that records: a clock moved by hand and a log of the loop's calls.
#include "recording_platform.h"

#include <gtest/gtest.h>

#include <cstring>

#include "base/client_size.h"
#include "base/gl_error.h"
#include "base/platform.h"
#include "draw/frame.h"
#include "gfx/gl_error_check.h"
#include "main/frame_loop.h"
#include "world/frame_timer.h"
#include "world/world.h"

RecordingPlatform recording;

namespace {

// A runaway tick loop would read the counter without end; past this many
// reads in one pass the stand-in fails the test and reports no more time.
constexpr int64_t READ_BUDGET = 1000000;

}  // namespace

void start_recording(int64_t frequency, std::vector<ScriptedPass> script)
{
    recording = RecordingPlatform{};
    recording.frequency = frequency;
    recording.script = std::move(script);
    world_reset();
    client_width = START_CLIENT_WIDTH;
    client_height = START_CLIENT_HEIGHT;
    timer_start(platform_counter_frequency(), platform_counter());
    recording.next_tick_at_drain = next_tick;
}

int run_recorded_loop()
{
    return run_frame_loop();
}

bool platform_drain_messages(int* exit_code)
{
    RecordingPlatform& r = recording;
    if (!r.calls.empty())
        r.ticks_per_pass.push_back((next_tick - r.next_tick_at_drain) / tick_period);
    r.next_tick_at_drain = next_tick;
    r.reads_this_pass = 0;
    r.calls.push_back("drain");

    ScriptedPass step;
    if (r.pass < r.script.size())
        step = r.script[r.pass];
    else
        step.quit = true;
    r.pass++;

    r.now += step.stall;
    if (step.minimised)
        r.minimised = true;
    if (step.restored)
        r.minimised = false;
    if (step.quit) {
        *exit_code = step.quit_code;
        return true;
    }
    return false;
}

void platform_client_size(int32_t* width, int32_t* height)
{
    recording.calls.push_back("size");
    *width = recording.minimised ? 0 : 800;
    *height = recording.minimised ? 0 : 600;
}

int64_t platform_counter()
{
    RecordingPlatform& r = recording;
    if (++r.reads_this_pass > READ_BUDGET) {
        if (r.reads_this_pass == READ_BUDGET + 1)
            ADD_FAILURE() << "the loop keeps reading the counter in pass " << r.pass - 1;
        return next_tick;  // no time left: lets a runaway tick loop stop
    }
    const int64_t value = r.now;
    r.now += r.read_cost;
    return value;
}

int64_t platform_counter_frequency()
{
    return recording.frequency;
}

void platform_sleep_ms(int milliseconds)
{
    recording.calls.push_back("sleep " + std::to_string(milliseconds));
    recording.now += milliseconds * recording.frequency / 1000;
}

void platform_swap_buffers()
{
    recording.calls.push_back("swap");
    recording.now += recording.swap_cost;
}

void check_gl_error(const char* file, int line)
{
    recording.calls.push_back("check");
    recording.check_file = file;
    recording.check_line = line;
}

// The part of the frame the loop's timing depends on: the per-second update
// with the counter read between the scene and the text, then the swap.
void draw_frame()
{
    recording.calls.push_back("draw");
    DrawnFrame frame{tick_count, frame_count, "", ""};
    per_second_update(platform_counter());
    frame.ticks_text = ticks_text;
    frame.frames_text = frames_text;
    recording.frames.push_back(frame);
    platform_swap_buffers();
}
