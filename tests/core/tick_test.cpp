// The tick's order, the sun's wrap and the per-second counters.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "world/controls.h"
#include "world/frame_timer.h"
#include "world/input.h"
#include "world/mining.h"
#include "world/movement.h"
#include "world/tick.h"
#include "world_fixture.h"

namespace {

class TickTest : public ::testing::Test {
protected:
    void SetUp() override { reset_world(); }
    void TearDown() override { reset_world(); }
};

TEST_F(TickTest, SunTurnsAThousandthAndWrapsPastTwoPi)
{
    sun_step();
    EXPECT_EQ(sun_angle, 1.0f + 0.001f);
    sun_angle = 6.2825f;
    sun_step();
    const float stepped = 6.2825f + 0.001f;
    EXPECT_EQ(sun_angle, (float)((double)stepped - 6.283185307179586));
    EXPECT_GT(sun_angle, 0.0f);
    EXPECT_LT(sun_angle, 0.001f);
}

TEST_F(TickTest, SunTakesAbout6283TicksForATurn)
{
    int ticks = 0;
    do {
        sun_step();
        ticks++;
    } while (sun_angle > 0.5f);  // until it wraps
    EXPECT_NEAR(ticks, 6283 - 1000, 3);
}

TEST_F(TickTest, TickRunsMovementThenSwingThenSun)
{
    // The strike on this tick aims from where the camera stands after the
    // fly step of the same tick.
    fly_mode = true;
    camera = Camera{0, 0, 0, 0, 0, 0};
    forward_axis = -1;
    left_button_pressed();
    swing_progress = 0.95f;
    run_tick();
    EXPECT_NEAR(camera.z, -0.2f, 1e-6f);
    EXPECT_FALSE(swing_active);
    EXPECT_EQ(sun_angle, 1.001f);
}

TEST(FrameTimer, CountersShowNothingDuringTheFirstSecond)
{
    const int64_t frequency = 10000000;
    timer_start(frequency, 5000);
    EXPECT_EQ(tick_period, 166666);
    EXPECT_EQ(next_tick, 5000);
    EXPECT_EQ(second_mark, 5000);
    std::memset(ticks_text, 0, sizeof ticks_text);
    std::memset(frames_text, 0, sizeof frames_text);
    tick_count = 60;
    frame_count = 59;
    per_second_update(5000 + frequency - 1);
    EXPECT_STREQ(ticks_text, "");
    frame_count = 60;
    per_second_update(5000 + frequency);
    EXPECT_STREQ(ticks_text, "ticks: 60");
    EXPECT_STREQ(frames_text, "frames: 60");
    EXPECT_EQ(tick_count, 0);
    EXPECT_EQ(frame_count, 0);
    EXPECT_EQ(second_mark, 5000 + frequency);
}

TEST(FrameTimer, AfterAPauseTheMarkCatchesUpOneSecondAFrame)
{
    const int64_t frequency = 1000;
    timer_start(frequency, 0);
    tick_count = 300;  // five seconds of ticks while nothing was drawn
    frame_count = 1;
    per_second_update(5500);
    EXPECT_STREQ(ticks_text, "ticks: 300");
    EXPECT_EQ(second_mark, 1000);
    for (int frame = 2; frame <= 5; frame++) {
        tick_count = 1;
        frame_count = 1;
        per_second_update(5500 + frame);
        EXPECT_STREQ(ticks_text, "ticks: 1") << frame;
        EXPECT_EQ(second_mark, frame * 1000);
    }
    tick_count = 7;
    per_second_update(5510);
    EXPECT_EQ(second_mark, 5000) << "caught up: no update until 6000";
    EXPECT_EQ(tick_count, 7);
}

}  // namespace
