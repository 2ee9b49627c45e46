#pragma once
// Game time in fixed ticks of performance-counter time, and the two
// per-second counters shown in the corner.
#include <cstdint>

extern int64_t counter_frequency;  // counts per second
extern int64_t tick_period;        // counts per tick: frequency / 60, truncated
extern int64_t next_tick;          // counter value at which the next tick falls due
extern int64_t second_mark;        // counter value of the last per-second update
extern int32_t tick_count;         // ticks since the last per-second update
extern int32_t frame_count;        // frames since the last per-second update
extern char ticks_text[64];        // "ticks: %d", empty during the first second
extern char frames_text[64];       // "frames: %d", likewise

// Starts game time at the counter value `now`: next_tick and second_mark
// start there, the counts at 0.
void timer_start(int64_t frequency, int64_t now);

// Once per drawn frame, between the scene and the counter lines, with the
// counter read at that moment: once a whole second has passed since
// second_mark, formats both texts, resets the counts and advances second_mark
// by exactly one second (not to now, so after a pause it catches up one
// second per frame).
void per_second_update(int64_t now);
