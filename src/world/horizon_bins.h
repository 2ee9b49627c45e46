#pragma once
// Directions around an eye over the ground plan, kept in bins, and a horizon
// over them: for each bin, the steepest rise (height over horizontal
// distance) of the ground promised so far in those directions.
//
// Directions are measured by a pseudo-angle, monotone in the true angle, so
// "this direction lies between those two" means the same for both.

// A square of ground plan, x0 <= x1 and z0 <= z1.
struct PlanSquare {
    double x0, z0, x1, z1;
};

PlanSquare widened(const PlanSquare& s, double by);
// The nearest and farthest horizontal distances from (ex, ez) to the square.
double nearest_distance(const PlanSquare& s, double ex, double ez);
double farthest_distance(const PlanSquare& s, double ex, double ez);

constexpr int HORIZON_BINS = 4096;

// Bins first to last, counted on past the last bin where the run wraps
// round direction 0 (never half a turn or more); empty where first > last.
struct BinSpan {
    long long first, last;
};

// The directions from the eye at (ex, ez) to a square that does not hold
// it: the bins that lie wholly within them (what ground over the square may
// promise), and the bins they touch at all (what anything over the square
// must be judged by). Bin edges computed in double are off by far less than
// the slack each is narrowed or widened by.
BinSpan bins_within(const PlanSquare& s, double ex, double ez);
BinSpan bins_touching(const PlanSquare& s, double ex, double ez);

// The horizon back to "nothing promised" in every bin.
void horizon_clear();
// Ground rises at least `slope` over every bin of the span.
void horizon_raise(BinSpan span, double slope);
// Whether the horizon stands above `slope` over every bin of the span.
bool horizon_above(BinSpan span, double slope);
