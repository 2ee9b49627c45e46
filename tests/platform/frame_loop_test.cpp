// The frame loop against the recording stand-in: a clock moved by hand, a
// script of what each pass's messages bring, and a log of the loop's calls.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "main/frame_loop.h"
#include "recording_platform.h"
#include "world/frame_timer.h"
#include "world/tick.h"

namespace {

using Calls = std::vector<std::string>;

const Calls DRAWN_PASS{"drain", "size", "check", "draw", "swap"};
const Calls MINIMISED_PASS{"drain", "size", "sleep 10"};

// The calls of pass `index` (0-based), cut out of the whole log.
Calls calls_of_pass(size_t index)
{
    Calls pass;
    size_t seen = 0;
    for (const std::string& call : recording.calls) {
        if (call == "drain")
            seen++;
        if (seen == index + 1)
            pass.push_back(call);
    }
    return pass;
}

TEST(FrameLoop, DrawsOneFrameAPassInThisOrder)
{
    start_recording(6000, {{}, {}, {}});
    EXPECT_EQ(run_recorded_loop(), 0);
    ASSERT_EQ(recording.frames.size(), 3u);
    for (size_t pass = 0; pass < 3; pass++)
        EXPECT_EQ(calls_of_pass(pass), DRAWN_PASS) << "pass " << pass;
    EXPECT_EQ(recording.frames[2].frame_count, 3);
}

TEST(FrameLoop, ErrorCheckNamesTheLoopsOwnSourceLine)
{
    start_recording(6000, {{}});
    run_recorded_loop();
    const std::string suffix = "frame_loop.cpp";
    ASSERT_GE(recording.check_file.size(), suffix.size());
    EXPECT_EQ(recording.check_file.substr(recording.check_file.size() - suffix.size()), suffix);
    EXPECT_GT(recording.check_line, 0);
}

// A pass whose message handling stalls the clock runs the ticks of the stall
// before drawing; when each tick itself takes time, the ticks that fall due
// meanwhile run in the same pass too.
TEST(FrameLoop, RunsTheTicksOfAStallBackToBack)
{
    struct Case {
        int64_t stall_ticks;
        int64_t read_cost;  // counts one tick (one counter read) takes
        int64_t expected;
    };
    const Case cases[] = {
        {0, 0, 0},
        {1, 0, 1},
        {7, 0, 7},
        {250, 0, 250},
        // 100 counts a tick; each tick costs 50 more: 400, 350, ..., 100 -> 7.
        {4, 50, 7},
        // Each tick costs 99: the backlog shrinks by one count a tick.
        {2, 99, 101},
    };
    for (const Case& c : cases) {
        start_recording(6000, {{c.stall_ticks * 100}});
        recording.read_cost = c.read_cost;
        run_recorded_loop();
        ASSERT_EQ(recording.ticks_per_pass.size(), 1u);
        EXPECT_EQ(recording.ticks_per_pass[0], c.expected)
            << "stall of " << c.stall_ticks << " ticks, tick cost " << c.read_cost;
        ASSERT_EQ(recording.frames.size(), 1u);
        EXPECT_EQ(recording.frames[0].tick_count, c.expected) << "all of them before the frame";
        EXPECT_EQ(calls_of_pass(0), DRAWN_PASS);
    }
}

// Ticks are whole periods: a clock short of the next period by one count
// runs no tick, and the pass that reaches it runs exactly one.
TEST(FrameLoop, RunsATickOnlyOnceItsWholePeriodHasPassed)
{
    start_recording(6000, {{99}, {1}, {99}, {101}});
    run_recorded_loop();
    EXPECT_EQ(recording.ticks_per_pass, (std::vector<int64_t>{0, 1, 0, 2}));
}

TEST(FrameLoop, TickPeriodIsTheFrequencyOverSixtyTruncated)
{
    struct Case {
        int64_t frequency;
        int64_t period;
    };
    const Case cases[] = {
        {10000000, 166666},      // the usual Windows counter
        {1000000000, 16666666},  // nanoseconds
        {3579545, 59659},        // the ACPI power-management timer
        {6000, 100},
        {60, 1},
    };
    for (const Case& c : cases) {
        start_recording(c.frequency, {});
        EXPECT_EQ(tick_period, c.period) << c.frequency;
    }
}

// With the truncated period, 20 ticks take 3,333,320 counts at 10 MHz; an
// exact sixtieth of a second would need 3,333,333.
TEST(FrameLoop, TicksRunSlightlyFasterThanSixtyASecond)
{
    start_recording(10000000, {{}, {3333320}});
    run_recorded_loop();
    EXPECT_EQ(recording.ticks_per_pass[1], 20);
    EXPECT_EQ(next_tick, 3333320);
}

TEST(FrameLoop, CounterTextsStayEmptyDuringTheFirstSecond)
{
    // Each frame takes half a tick; one second is 6000 counts.
    std::vector<ScriptedPass> script(130);
    start_recording(6000, script);
    recording.swap_cost = 50;
    run_recorded_loop();
    ASSERT_EQ(recording.frames.size(), 130u);
    // The frame drawn at 6000 counts is the first to see a whole second.
    for (size_t i = 0; i < 120; i++) {
        EXPECT_EQ(recording.frames[i].ticks_text, "") << "frame " << i;
        EXPECT_EQ(recording.frames[i].frames_text, "") << "frame " << i;
    }
    EXPECT_EQ(recording.frames[120].ticks_text, "ticks: 60");
    EXPECT_EQ(recording.frames[120].frames_text, "frames: 121");
    // Unchanged until the next whole second.
    EXPECT_EQ(recording.frames[129].ticks_text, "ticks: 60");
    EXPECT_EQ(recording.frames[129].tick_count, 4);
}

// After five seconds without a drawn frame, the second mark catches up one
// second per drawn frame: five frames in a row refresh the texts, the first
// with every tick of the pause, the rest with what came since.
TEST(FrameLoop, SecondMarkCatchesUpOneSecondPerFrameAfterAPause)
{
    std::vector<ScriptedPass> script(8);
    script[1].minimised = true;
    script[1].stall = 30000;  // five seconds
    script[2].restored = true;
    start_recording(6000, script);
    recording.swap_cost = 100;  // one tick a frame
    run_recorded_loop();

    ASSERT_EQ(recording.frames.size(), 7u);  // pass 1 draws nothing
    // Pass 1 ran 301 ticks (the pause and the first frame's swap); the
    // sleep and the restored frame make pass 2's update the first.
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"", ""},
        {"ticks: 301", "frames: 2"},
        {"ticks: 1", "frames: 1"},
        {"ticks: 1", "frames: 1"},
        {"ticks: 1", "frames: 1"},
        {"ticks: 1", "frames: 1"},
        {"ticks: 1", "frames: 1"},  // caught up: unchanged from here on
    };
    for (size_t i = 0; i < expected.size(); i++) {
        EXPECT_EQ(recording.frames[i].ticks_text, expected[i].first) << "frame " << i;
        EXPECT_EQ(recording.frames[i].frames_text, expected[i].second) << "frame " << i;
    }
    EXPECT_EQ(second_mark, 30000);
    EXPECT_EQ(recording.frames[6].tick_count, 1) << "the caught-up frame counts on";
}

// Minimised: the ticks go on, but no frame is counted or drawn, no error is
// checked and the pass sleeps 10 ms; the first frame after restoring draws
// (and checks) again.
TEST(FrameLoop, MinimisedPassesSleepWithoutDrawingOrChecking)
{
    std::vector<ScriptedPass> script(6);
    script[1].minimised = true;
    script[4].restored = true;
    start_recording(6000, script);
    run_recorded_loop();

    EXPECT_EQ(calls_of_pass(0), DRAWN_PASS);
    for (size_t pass = 1; pass <= 3; pass++)
        EXPECT_EQ(calls_of_pass(pass), MINIMISED_PASS) << "pass " << pass;
    EXPECT_EQ(calls_of_pass(4), DRAWN_PASS);
    EXPECT_EQ(recording.frames.size(), 3u);
    EXPECT_EQ(recording.frames.back().frame_count, 3);
    // The game goes on: each 10 ms sleep moves the clock 60 counts, and the
    // third minimised pass finds the first tick due.
    EXPECT_EQ(recording.ticks_per_pass, (std::vector<int64_t>{0, 0, 0, 1, 0, 0}));
}

TEST(FrameLoop, QuitMessageEndsTheLoopAtOnceWithItsCode)
{
    for (int code : {0, 1, 7, 255, -1}) {
        std::vector<ScriptedPass> script(3);
        script[2].quit = true;
        script[2].quit_code = code;
        script[2].stall = 1000;  // ten ticks due, none of them run
        start_recording(6000, script);
        const float sun_before = 1.0f;
        EXPECT_EQ(run_recorded_loop(), code);
        EXPECT_EQ(recording.calls.back(), "drain") << "nothing after the quit message";
        EXPECT_EQ(recording.frames.size(), 2u);
        EXPECT_EQ(next_tick, 0);
        EXPECT_EQ(sun_angle, sun_before);
    }
}

TEST(FrameLoop, ACounterThatStepsBackRunsNoTicks)
{
    std::vector<ScriptedPass> script(3);
    script[1].stall = -500;
    script[2].stall = 700;
    start_recording(6000, script);
    run_recorded_loop();
    EXPECT_EQ(recording.ticks_per_pass, (std::vector<int64_t>{0, 0, 2}));
    EXPECT_EQ(recording.frames.size(), 3u);
}

// The browser calls one pass per animation frame: the passes called one at a
// time make the same calls, run the same ticks, draw the same frames and end
// with the same status as the blocking loop.
TEST(FrameLoop, PassesCalledOneAtATimeDoWhatTheLoopDoes)
{
    std::vector<ScriptedPass> script(8);
    script[1].stall = 350;
    script[2].minimised = true;
    script[3].stall = 120;
    script[4].restored = true;
    script[6].stall = 6100;
    script[7].quit = true;
    script[7].quit_code = 3;

    start_recording(6000, script);
    EXPECT_EQ(run_recorded_loop(), 3);
    const RecordingPlatform looped = recording;

    start_recording(6000, script);
    int exit_code = 0;
    int passes = 0;
    while (!run_frame_pass(&exit_code))
        passes++;
    EXPECT_EQ(exit_code, 3);
    EXPECT_EQ(passes, 7);
    EXPECT_EQ(recording.calls, looped.calls);
    EXPECT_EQ(recording.ticks_per_pass, looped.ticks_per_pass);
    ASSERT_EQ(recording.frames.size(), looped.frames.size());
    for (size_t i = 0; i < looped.frames.size(); i++) {
        EXPECT_EQ(recording.frames[i].tick_count, looped.frames[i].tick_count) << "frame " << i;
        EXPECT_EQ(recording.frames[i].frames_text, looped.frames[i].frames_text) << "frame " << i;
        EXPECT_EQ(recording.frames[i].ticks_text, looped.frames[i].ticks_text) << "frame " << i;
    }
}

}  // namespace
