// The horizon over the terrain seen from one eye: for each direction around
// the eye, the steepest rise of ground known to stand nearer than the blocks
// still to be judged.
//
// Why a hidden block cannot change the picture. Take a point P of a block
// judged hidden, and the line of sight from the eye to it. Within a window
// of patches nearer than the block, the line passes more than a margin below
// the window's lowest point, so below the ground there. The eye is above the
// ground, so between the eye and the window the line crosses the ground going
// down: at the first such crossing it meets a triangle from its front side,
// beyond the near plane (the ground near the eye lies below even the near
// plane's corners). That crossing is inside the view, so its block was
// neither outside the view nor judged hidden itself (a hidden block has a
// crossing before each of its points). The triangle is drawn, watertight with
// its neighbours, in a row before P's (for blocks) or before any deposit,
// and its depth is smaller than P's by more than the depth buffer's rounding:
// P's fragment would lose the depth test, and skipping it changes nothing.
// Directions are measured by a pseudo-angle (monotone in the true angle, so
// "this direction lies between those two" means the same) kept in bins.
#include "world/terrain_horizon.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "world/terrain_blocks.h"

namespace {

constexpr int BINS = 4096;
constexpr double BINS_PER_UNIT = BINS / 4.0;
// Bin edges computed in double are off by far less than this; a block's
// directions are widened by it, a patch's narrowed.
constexpr double DIRECTION_SLACK = 1e-9;

// The GPU's depth (24 bits, from single-precision clip coordinates) resolves
// two points on one line of sight at view depth w once they are 2e-5 w^2
// apart; the ground in front must be nearer by 1e-4 w^2, five times that.
constexpr double DEPTH_SEPARATION = 1e-4;

// The ground within EYE_REACH of the eye must lie EYE_CLEARANCE below it,
// with room for the GPU's rounding; the eye must be that far inside the map.
constexpr double EYE_CLEARANCE = 0.05;
constexpr double EYE_REACH = 0.05;

// In [0, 4), increasing with the direction's angle from +x towards +z.
double pseudo_angle(double dx, double dz)
{
    const double p = dx / (std::fabs(dx) + std::fabs(dz));
    return dz < 0 ? 3 + p : 1 - p;
}

struct Square {
    double x0, z0, x1, z1;
};

Square widened(const Square& s, double by)
{
    return Square{s.x0 - by, s.z0 - by, s.x1 + by, s.z1 + by};
}

double nearest_distance(const Square& s, double ex, double ez)
{
    const double dx = std::max({s.x0 - ex, 0.0, ex - s.x1});
    const double dz = std::max({s.z0 - ez, 0.0, ez - s.z1});
    return std::sqrt(dx * dx + dz * dz);
}

double farthest_distance(const Square& s, double ex, double ez)
{
    const double dx = std::max(std::fabs(ex - s.x0), std::fabs(ex - s.x1));
    const double dz = std::max(std::fabs(ez - s.z0), std::fabs(ez - s.z1));
    return std::sqrt(dx * dx + dz * dz);
}

// The directions from the eye to a square that does not hold it: less than a
// half turn wide, bounded by two of its corners, as pseudo-angles lo <= hi
// (lo may be below 0 or hi above 4 where the square straddles direction 0).
void directions(const Square& s, double ex, double ez, double& lo, double& hi)
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
    return (int)(((k % BINS) + BINS) % BINS);
}

// What a patch in front promises: over every direction of `first` to `last`
// (bins wholly inside its directions), the ground rises at least `slope`
// (height over horizontal distance) within `reach` of the eye.
struct Rise {
    double reach;
    long long first, last;
    double slope;
};

struct Eye {
    double x, y, z;
    double pixel_span;  // the widest a pixel gets at distance 1
};

// How far the GPU's ground, at distance d, can stray from the exact surface:
// vertices snap to a sixteenth of a pixel or finer, so a quarter of a pixel's
// span there, plus a hundredth for the single-precision transform.
double stray(const Eye& eye, double distance)
{
    return 0.01 + distance * eye.pixel_span / 4;
}

// Ground is promised in overlapping windows of 2 x 2 patches, one patch
// apart: the margin taken off a window's edges would leave a gap between
// windows that merely touched, and a direction passing there would promise
// nothing; overlapping windows cover each other's edges.
constexpr int WINDOW_PATCHES = 2;

bool rise_of_window(const Eye& eye, int px, int pz, Rise& rise)
{
    const int px1 = std::min(px + WINDOW_PATCHES, TERRAIN_PATCHES), pz1 = std::min(pz + WINDOW_PATCHES, TERRAIN_PATCHES);
    double low = INFINITY, high = -INFINITY;
    for (int z = pz; z < pz1; z++)
        for (int x = px; x < px1; x++) {
            const HeightRange range = terrain_patch_heights[TERRAIN_PATCHES * z + x];
            low = std::min(low, (double)range.low);
            high = std::max(high, (double)range.high);
        }
    const double side = TERRAIN_PATCH_CELLS;
    const Square square{px * side, pz * side, px1 * side, pz1 * side};
    const double rise_above = std::max(std::fabs(high - eye.y), std::fabs(low - eye.y));
    const double far = farthest_distance(square, eye.x, eye.z) + rise_above;
    const double margin = stray(eye, far);
    // Points a margin inside the window see the GPU's ground drawn only from
    // the window's own triangles, at most a margin below its lowest point.
    const Square inner = widened(square, -margin);
    if (inner.x0 >= inner.x1)
        return false;
    const double near = nearest_distance(inner, eye.x, eye.z);
    if (near <= 0)
        return false;
    double lo, hi;
    directions(inner, eye.x, eye.z, lo, hi);
    rise.first = (long long)std::ceil((lo + DIRECTION_SLACK) * BINS_PER_UNIT);
    rise.last = (long long)std::floor((hi - DIRECTION_SLACK) * BINS_PER_UNIT) - 1;
    if (rise.first > rise.last)
        return false;
    rise.reach = farthest_distance(inner, eye.x, eye.z);
    const double height = low - margin - eye.y;
    rise.slope = height / (height >= 0 ? rise.reach : near);
    return true;
}

// The ground under the near plane (whose corners lie within 0.02 of the
// eye) lies below the eye: each cell there is no higher than its highest
// corner.
bool eye_above_ground(const Eye& eye)
{
    const double edge = TERRAIN_CELLS - EYE_REACH;
    if (!(eye.x >= EYE_REACH && eye.x <= edge && eye.z >= EYE_REACH && eye.z <= edge))
        return false;
    const int x0 = (int)(eye.x - EYE_REACH), x1 = (int)(eye.x + EYE_REACH) + 1;
    const int z0 = (int)(eye.z - EYE_REACH), z1 = (int)(eye.z + EYE_REACH) + 1;
    for (int z = z0; z <= z1; z++)
        for (int x = x0; x <= x1; x++)
            if (!((double)terrain_lattice_heights[TERRAIN_LATTICE * z + x] + EYE_CLEARANCE < eye.y))
                return false;
    return true;
}

// Something to judge: a square of ground plan and the heights it spans.
struct Item {
    Square square;
    double low, high;
};

// How an item sits before the eye: the margin the GPU may stray by there,
// and the plan widened by it.
struct Placing {
    double margin;
    Square outer;
    double depth;  // the farthest any of its points can be from the eye
};

Placing placing_of(const Eye& eye, const Item& item)
{
    const double rise_above = std::max(std::fabs(item.high - eye.y), std::fabs(item.low - eye.y));
    const double margin = stray(eye, farthest_distance(item.square, eye.x, eye.z) + rise_above);
    const Square outer = widened(item.square, margin);
    const double far = farthest_distance(outer, eye.x, eye.z);
    return Placing{margin, outer, std::sqrt(far * far + (rise_above + margin) * (rise_above + margin))};
}

// Whether the horizon hides every point the GPU may draw for the item: all
// within its widened plan and below its top plus the margin.
bool behind_horizon(const Eye& eye, const Item& item, const Placing& placing, const double* horizon)
{
    const double near = nearest_distance(placing.outer, eye.x, eye.z);
    if (!(near > 0))
        return false;
    const double far = farthest_distance(placing.outer, eye.x, eye.z);
    const double height = item.high + placing.margin - eye.y;
    const double slope = height / (height >= 0 ? near : far);
    double lo, hi;
    directions(placing.outer, eye.x, eye.z, lo, hi);
    const long long first = (long long)std::floor((lo - DIRECTION_SLACK) * BINS_PER_UNIT);
    const long long last = (long long)std::floor((hi + DIRECTION_SLACK) * BINS_PER_UNIT);
    for (long long k = first; k <= last; k++)
        if (!(slope < horizon[bin_index(k)]))
            return false;
    return true;
}

void raise_horizon(const Rise& rise, double* horizon)
{
    for (long long k = rise.first; k <= rise.last; k++) {
        double& h = horizon[bin_index(k)];
        h = std::max(h, rise.slope);
    }
}

Item block_item(int b)
{
    const int bx = b % TERRAIN_BLOCKS, bz = b / TERRAIN_BLOCKS;
    const double side = TERRAIN_BLOCK_CELLS;
    const HeightRange range = terrain_block_heights[b];
    return Item{Square{bx * side, bz * side, (bx + 1) * side, (bz + 1) * side}, range.low, range.high};
}

// The horizon of the current judging, by direction bin: the steepest rise
// promised so far.
double horizon[BINS];

// A window's promise, with the key that says which items it may serve.
struct Promise {
    double key;
    Rise rise;
};

// An item to judge, by the largest promise key that may serve it.
struct Candidate {
    double limit;
    int index;
};

// The promises of the windows at the patches of the visible blocks, keyed
// by the z of their far edge (by_row) or by their reach, in key order. Any
// ground serves: these are the windows that can lie in front of something
// in view.
std::vector<Promise> promises_of(const Eye& eye, const bool* visible, bool by_row)
{
    std::vector<Promise> promises;
    promises.reserve(TERRAIN_BLOCK_COUNT * 16);
    const int per_side = TERRAIN_BLOCK_CELLS / TERRAIN_PATCH_CELLS;
    for (int b = 0; b < TERRAIN_BLOCK_COUNT; b++) {
        if (!visible[b])
            continue;
        const int bx = b % TERRAIN_BLOCKS, bz = b / TERRAIN_BLOCKS;
        for (int pz = bz * per_side; pz < (bz + 1) * per_side; pz++) {
            const double far_edge = std::min(pz + WINDOW_PATCHES, TERRAIN_PATCHES) * TERRAIN_PATCH_CELLS;
            if (by_row && !(far_edge > eye.z))
                continue;  // no line of sight towards +z passes over it
            for (int px = bx * per_side; px < (bx + 1) * per_side; px++) {
                Promise promise{0, Rise{}};
                if (rise_of_window(eye, px, pz, promise.rise)) {
                    promise.key = by_row ? far_edge : promise.rise.reach;
                    promises.push_back(promise);
                }
            }
        }
    }
    std::sort(promises.begin(), promises.end(), [](const Promise& a, const Promise& b) { return a.key < b.key; });
    return promises;
}

// Walks the candidates in limit order, raising the horizon by each promise
// whose key is within the candidate's limit first; clears hidden[index] of
// those the horizon hides. Returns how many.
int judge(const Eye& eye, std::vector<Candidate>& candidates, const std::vector<Promise>& promises,
          const std::vector<Item>& items, bool* shown)
{
    std::sort(candidates.begin(), candidates.end(),
              [](const Candidate& a, const Candidate& b) { return a.limit < b.limit; });
    std::fill(horizon, horizon + BINS, -INFINITY);
    size_t applied = 0;
    int hidden = 0;
    for (const Candidate& candidate : candidates) {
        while (applied < promises.size() && promises[applied].key <= candidate.limit)
            raise_horizon(promises[applied++].rise, horizon);
        const Item& item = items[(size_t)candidate.index];
        if (behind_horizon(eye, item, placing_of(eye, item), horizon)) {
            shown[candidate.index] = false;
            hidden++;
        }
    }
    return hidden;
}

bool make_eye(Vec3 position, int32_t view_width, int32_t view_height, Eye& eye)
{
    if (view_width <= 0 || view_height <= 0)
        return false;
    eye = Eye{position.x, position.y, position.z, std::max(2.0 / view_height, 3.1415927 / view_width)};
    return eye_above_ground(eye);
}

}  // namespace

int hide_blocks_behind_ground(Vec3 eye_position, int32_t view_width, int32_t view_height, bool* visible)
{
    Eye eye;
    if (!make_eye(eye_position, view_width, view_height, eye))
        return 0;
    // A block's fragments lose to the ground in front whichever comes first
    // only where that ground is opaque; where it is drawn first they lose
    // anyway. So only blocks wholly beyond the eye in z are judged, against
    // ground in rows before their own (drawn earlier), nearer by the depth
    // separation along any line of sight (distance along a line of sight
    // towards +z grows as its z does).
    std::vector<Item> items(TERRAIN_BLOCK_COUNT);
    std::vector<Candidate> candidates;
    for (int b = 0; b < TERRAIN_BLOCK_COUNT; b++) {
        if (!visible[b])
            continue;
        items[(size_t)b] = block_item(b);
        const Placing placing = placing_of(eye, items[(size_t)b]);
        const double first_row = placing.outer.z0;
        if (first_row > eye.z) {
            const double last_row = eye.z + (first_row - eye.z) * (1 - DEPTH_SEPARATION * placing.depth);
            candidates.push_back(Candidate{std::min(last_row, items[(size_t)b].square.z0), b});
        }
    }
    return judge(eye, candidates, promises_of(eye, visible, true), items, visible);
}

int hide_boxes_behind_ground(Vec3 eye_position, int32_t view_width, int32_t view_height, const bool* blocks_visible,
                             const Box* boxes, int32_t count, bool* shown)
{
    Eye eye;
    if (!make_eye(eye_position, view_width, view_height, eye))
        return 0;
    // Drawn after all the ground, a box's fragments lose to the ground in
    // front in any direction: judged against ground nearer by the depth
    // separation.
    std::vector<Item> items((size_t)count);
    std::vector<Candidate> candidates;
    for (int32_t i = 0; i < count; i++) {
        if (!shown[i])
            continue;
        const Box& box = boxes[i];
        items[(size_t)i] = Item{Square{box.low.x, box.low.z, box.high.x, box.high.z}, box.low.y, box.high.y};
        const Placing placing = placing_of(eye, items[(size_t)i]);
        const double near = nearest_distance(placing.outer, eye.x, eye.z);
        if (near > 0)
            candidates.push_back(Candidate{near * (1 - DEPTH_SEPARATION * placing.depth), i});
    }
    return judge(eye, candidates, promises_of(eye, blocks_visible, false), items, shown);
}
