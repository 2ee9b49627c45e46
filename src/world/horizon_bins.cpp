// Direction bins around an eye and the horizon kept in them.
#include "world/horizon_bins.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double BINS_PER_UNIT = HORIZON_BINS / 4.0;
constexpr double DIRECTION_SLACK = 1e-9;

// In [0, 4), increasing with the direction's angle from +x towards +z.
double pseudo_angle(double dx, double dz)
{
    const double p = dx / (std::fabs(dx) + std::fabs(dz));
    return dz < 0 ? 3 + p : 1 - p;
}

// The directions from the eye to a square that does not hold it: less than a
// half turn wide, bounded by two of its corners, as pseudo-angles lo <= hi
// (lo may be below 0 or hi above 4 where the square straddles direction 0).
void directions(const PlanSquare& s, double ex, double ez, double& lo, double& hi)
{
    const double centre = pseudo_angle((s.x0 + s.x1) / 2 - ex, (s.z0 + s.z1) / 2 - ez);
    lo = hi = centre;
    const double xs[2] = {s.x0, s.x1}, zs[2] = {s.z0, s.z1};
    for (double x : xs)
        for (double z : zs) {
            double d = pseudo_angle(x - ex, z - ez) - centre;
            d = d > 2 ? d - 4 : (d <= -2 ? d + 4 : d);
            lo = std::min(lo, centre + d);
            hi = std::max(hi, centre + d);
        }
}

int bin_index(long long k)
{
    return (int)(((k % HORIZON_BINS) + HORIZON_BINS) % HORIZON_BINS);
}

// In two levels: a bin's steepest rise promised so far is the larger of its
// own entry and its group's, so that a promise over many bins raises whole
// groups at once.
constexpr int GROUP = 64;
double horizon[HORIZON_BINS];
double group_horizon[HORIZON_BINS / GROUP];

// Bins a to b, 0 <= a <= b < HORIZON_BINS.
void raise_bins(int a, int b, double slope)
{
    for (; a <= b && a % GROUP != 0; a++)
        horizon[a] = std::max(horizon[a], slope);
    for (; a + GROUP - 1 <= b; a += GROUP)
        group_horizon[a / GROUP] = std::max(group_horizon[a / GROUP], slope);
    for (; a <= b; a++)
        horizon[a] = std::max(horizon[a], slope);
}

}  // namespace

PlanSquare widened(const PlanSquare& s, double by)
{
    return PlanSquare{s.x0 - by, s.z0 - by, s.x1 + by, s.z1 + by};
}

double nearest_distance(const PlanSquare& s, double ex, double ez)
{
    const double dx = std::max({s.x0 - ex, 0.0, ex - s.x1});
    const double dz = std::max({s.z0 - ez, 0.0, ez - s.z1});
    return std::sqrt(dx * dx + dz * dz);
}

double farthest_distance(const PlanSquare& s, double ex, double ez)
{
    const double dx = std::max(std::fabs(ex - s.x0), std::fabs(ex - s.x1));
    const double dz = std::max(std::fabs(ez - s.z0), std::fabs(ez - s.z1));
    return std::sqrt(dx * dx + dz * dz);
}

BinSpan bins_within(const PlanSquare& s, double ex, double ez)
{
    double lo, hi;
    directions(s, ex, ez, lo, hi);
    return BinSpan{(long long)std::ceil((lo + DIRECTION_SLACK) * BINS_PER_UNIT),
                   (long long)std::floor((hi - DIRECTION_SLACK) * BINS_PER_UNIT) - 1};
}

BinSpan bins_touching(const PlanSquare& s, double ex, double ez)
{
    double lo, hi;
    directions(s, ex, ez, lo, hi);
    return BinSpan{(long long)std::floor((lo - DIRECTION_SLACK) * BINS_PER_UNIT),
                   (long long)std::floor((hi + DIRECTION_SLACK) * BINS_PER_UNIT)};
}

void horizon_clear()
{
    std::fill(horizon, horizon + HORIZON_BINS, -INFINITY);
    std::fill(group_horizon, group_horizon + HORIZON_BINS / GROUP, -INFINITY);
}

void horizon_raise(BinSpan span, double slope)
{
    // Less than half a turn, so at most one wrap past the last bin.
    const int start = bin_index(span.first), end = start + (int)(span.last - span.first);
    if (end < HORIZON_BINS) {
        raise_bins(start, end, slope);
    } else {
        raise_bins(start, HORIZON_BINS - 1, slope);
        raise_bins(0, end - HORIZON_BINS, slope);
    }
}

bool horizon_above(BinSpan span, double slope)
{
    for (int bin = bin_index(span.first), n = (int)(span.last - span.first); n >= 0;
         n--, bin = bin + 1 == HORIZON_BINS ? 0 : bin + 1)
        if (!(slope < std::max(horizon[bin], group_horizon[bin / GROUP])))
            return false;
    return true;
}
