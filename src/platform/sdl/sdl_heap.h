#pragma once
// How the C library's heap treats memory freed between frames.

// Keeps freed memory in the process instead of handing it back to the
// system. Mesa's software renderer takes and frees its vertex buffers on every
// draw; glibc by default serves blocks of some size from fresh mappings and
// trims the top of the heap once 128 KB lie free, so every frame touched its
// buffers' pages anew (page faults took over a quarter of the time, and a
// view over the hills drew at a third of the rate). Call once at start; the
// game and the GL benchmarks do.
void keep_freed_memory();
