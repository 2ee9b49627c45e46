#pragma once
// A stand-in for the platform layer, the frame's drawing and the GL check,
// linked into the frame loop tests instead of a window: a clock moved by
// hand, a script of what each pass's message drain brings, and a log of the
// calls the loop makes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// What happens while one pass takes its messages.
struct ScriptedPass {
    int64_t stall = 0;       // counts the clock moves meanwhile (a long dispatch)
    bool minimised = false;  // the client area is 0 x 0 from here until a pass restores it
    bool restored = false;
    bool quit = false;       // the quit message arrives with quit_code
    int quit_code = 0;
};

// What the stand-in draw_frame saw.
struct DrawnFrame {
    int32_t tick_count;  // before the per-second update
    int32_t frame_count;
    std::string ticks_text;  // after the update
    std::string frames_text;
};

struct RecordingPlatform {
    int64_t now = 0;
    int64_t frequency = 6000;  // a tick of 100 counts, a second of 6000
    int64_t read_cost = 0;     // counts the clock moves after each counter read
    int64_t swap_cost = 0;     // counts the buffer swap takes
    std::vector<ScriptedPass> script;  // past its end the quit message (code 0) arrives

    size_t pass = 0;
    bool minimised = false;
    std::vector<std::string> calls;       // "drain", "size", "sleep 10", "check", "draw", "swap"
    std::vector<int64_t> ticks_per_pass;  // ticks run in each finished pass
    std::vector<DrawnFrame> frames;
    std::string check_file;
    int check_line = 0;
    int64_t reads_this_pass = 0;
    int64_t next_tick_at_drain = 0;
};

extern RecordingPlatform recording;

// A fresh stand-in, and the loop's counters started at its clock as the game
// starts them (the counter texts emptied, as at load).
void start_recording(int64_t frequency, std::vector<ScriptedPass> script);

// Passes the loop runs until the scripted quit, with the exit status.
int run_recorded_loop();
