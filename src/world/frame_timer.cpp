// Game time in fixed ticks, and the per-second tick and frame counters.
#include "world/frame_timer.h"

#include <cstdio>

int64_t counter_frequency;
int64_t tick_period;
int64_t next_tick;
int64_t second_mark;
int32_t tick_count;
int32_t frame_count;
char ticks_text[64];
char frames_text[64];

void timer_start(int64_t frequency, int64_t now)
{
    counter_frequency = frequency;
    tick_period = counter_frequency / 60;
    next_tick = now;
    second_mark = next_tick;
    tick_count = 0;
    frame_count = 0;
}

void per_second_update(int64_t now)
{
    if ((now - second_mark) / counter_frequency >= 1) {
        std::snprintf(ticks_text, sizeof ticks_text, "ticks: %d", tick_count);
        std::snprintf(frames_text, sizeof frames_text, "frames: %d", frame_count);
        tick_count = 0;
        frame_count = 0;
        second_mark += counter_frequency;
    }
}
