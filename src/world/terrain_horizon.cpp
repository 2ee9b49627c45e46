// The horizon over the terrain seen from one eye: for each direction around
// the eye, the steepest rise of ground known to stand nearer than the items
// (terrain patches, deposits' boxes) still to be judged.
//
// Why a hidden item cannot change the picture. Take a point P of an item
// judged hidden, and the line of sight from the eye to it. Over a stretch of
// lattice line nearer than the item, the line passes more than a margin
// below the stretch's lowest point, so below the ground there. The eye is
// above the ground, so between the eye and the stretch the line crosses the
// ground going down: at the first such crossing it meets a triangle from its
// front side, beyond the near plane (the ground near the eye lies below even
// the near plane's corners). That crossing is inside the view, so its block
// was neither outside the view nor judged hidden itself (a hidden block has
// a crossing before each of its points). The triangle is drawn, watertight
// with its neighbours, in a row before P's (for blocks) or before any
// deposit, and its depth is smaller than P's by more than the GPU's depths
// can err: P's fragment would lose the depth test, and skipping it changes
// nothing.
#include "world/terrain_horizon.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "world/horizon_bins.h"
#include "world/terrain_blocks.h"

namespace {

// How far apart two points on one line of sight must be for the GPU's depth
// test to tell them apart. Exactly, the window depth at view depth w is
// 0.5 + 0.5 (1.0000195 - 0.0200002 / w). As the GPU computes it, it is off
// - by up to 4u S / w (u = 2^-24) from the clip z and w, each a sum of four
//   terms that add up to at most S = |eye| + |point| + 1 in size (the view's
//   rows are unit vectors), so each off by up to 4u S;
// - by up to 8u more from the division, the viewport, the interpolation
//   across the triangle and the 24-bit depth buffer, all near 1.
// Two points at view depths s w and w differ in depth by 0.01 (1 - s) / (s w),
// more than both their errors where 1 - s > 800u S + 1600u w. With a quarter
// to spare, the nearer point may lie within the share
// 1 - 6e-5 S - 1.2e-4 w of the farther one's distance. The point in front
// lies between the eye and the farther point, so S covers it too.
constexpr double DEPTH_SEPARATION_PER_SPREAD = 6e-5;
constexpr double DEPTH_SEPARATION_PER_DEPTH = 1.2e-4;

// The share of a point's distance that the ground in front of it may reach,
// for a point at most `depth` from the eye and `spread` (S above).
double reach_share(double spread, double depth)
{
    return 1 - DEPTH_SEPARATION_PER_SPREAD * spread - DEPTH_SEPARATION_PER_DEPTH * depth;
}

// The ground within EYE_REACH of the eye must lie EYE_CLEARANCE below it,
// with room for the GPU's rounding; the eye must be that far inside the map.
constexpr double EYE_CLEARANCE = 0.05;
constexpr double EYE_REACH = 0.05;

// What a stretch of ground in front promises: over every direction of its
// bins (those wholly within its directions), the ground rises at least
// `slope` (height over horizontal distance) within `reach` of the eye, at
// ground in cell rows before `far_edge`.
struct Rise {
    double reach;
    double far_edge;
    BinSpan bins;
    double slope;
};

struct Eye {
    double x, y, z;
    double pixel_span;  // the widest a pixel gets at distance 1
    double from_origin;  // |eye|
};

// How far the GPU's ground, at distance d, can stray from the exact surface:
// vertices snap to a sixteenth of a pixel or finer, so a quarter of a pixel's
// span there, plus a hundredth for the single-precision transform.
double stray(const Eye& eye, double distance)
{
    return 0.01 + distance * eye.pixel_span / 4;
}

// Ground is promised along stretches of the lattice lines every LINE_SPACING
// cells (rows z = const and columns x = const), each STRETCH_CELLS long, one
// starting every STRETCH_STEP cells. The ground along a lattice line is the
// straight edges between its points, so nowhere lower than the lowest of them,
// and any line of sight whose direction lies between a stretch's ends passes
// over the stretch. The stretches overlap so that a direction near the end of
// one lies well inside the next: a margin is taken off each end.
constexpr int LINE_SPACING = 8;
constexpr int STRETCH_STEP = 4;
constexpr int STRETCH_CELLS = 2 * STRETCH_STEP;

// The promise of the stretch on lattice line `line` (a row z = line if
// along_x, else a column x = line) from `start` to start + STRETCH_CELLS.
bool rise_of_stretch(const Eye& eye, bool along_x, int line, int start, Rise& rise)
{
    if (start + STRETCH_CELLS > TERRAIN_CELLS)
        return false;
    double low = INFINITY, high = -INFINITY;
    for (int k = start; k <= start + STRETCH_CELLS; k++) {
        const double h = along_x ? terrain_lattice_heights[TERRAIN_LATTICE * line + k]
                                 : terrain_lattice_heights[TERRAIN_LATTICE * k + line];
        low = std::min(low, h);
        high = std::max(high, h);
    }
    const double a = start, b = start + STRETCH_CELLS, l = line;
    const PlanSquare stretch = along_x ? PlanSquare{a, l, b, l} : PlanSquare{l, a, l, b};
    const double rise_above = std::max(std::fabs(high - eye.y), std::fabs(low - eye.y));
    const double margin = stray(eye, farthest_distance(stretch, eye.x, eye.z) + rise_above);
    // Points a margin inside the ends see the GPU's ground drawn from within
    // a margin of the stretch, which the slope keeps within margin * (1 +
    // sqrt(2) * steepest step) of the exact ground there.
    const double inner_a = a + margin, inner_b = b - margin;
    if (!(inner_a < inner_b))
        return false;
    const PlanSquare inner = along_x ? PlanSquare{inner_a, l, inner_b, l} : PlanSquare{l, inner_a, l, inner_b};
    const double near = nearest_distance(inner, eye.x, eye.z);
    if (!(near > 0))
        return false;
    rise.bins = bins_within(inner, eye.x, eye.z);
    if (rise.bins.first > rise.bins.last)
        return false;
    rise.reach = farthest_distance(inner, eye.x, eye.z);
    const double height = low - margin * (1 + 1.4142136 * (double)terrain_steepest_step) - eye.y;
    rise.slope = height / (height >= 0 ? rise.reach : near);
    // A crossing before the stretch, on ground drawn up to a margin astray,
    // lies in a cell row that starts before the stretch's far end plus the
    // margin: along a column, within its cells or before; across a row, in
    // the cells on its near side or within the margin past it.
    rise.far_edge = along_x ? l + std::max(1.0, margin + 1e-6) : b + 1;
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
    PlanSquare square;
    double low, high;
};

// How an item sits before the eye: the margin the GPU may stray by there,
// the plan widened by it, and the share of its points' distance that ground
// hiding them may reach.
struct Placing {
    double margin;
    PlanSquare outer;
    double share;
};

double largest_square(double a, double b)
{
    return std::max(a * a, b * b);
}

Placing placing_of(const Eye& eye, const Item& item)
{
    const double rise_above = std::max(std::fabs(item.high - eye.y), std::fabs(item.low - eye.y));
    const double margin = stray(eye, farthest_distance(item.square, eye.x, eye.z) + rise_above);
    const PlanSquare outer = widened(item.square, margin);
    const double far = farthest_distance(outer, eye.x, eye.z);
    const double depth = std::sqrt(far * far + (rise_above + margin) * (rise_above + margin));
    const double from_origin = std::sqrt(largest_square(outer.x0, outer.x1) +
                                         largest_square(item.low - margin, item.high + margin) +
                                         largest_square(outer.z0, outer.z1));
    const double spread = eye.from_origin + std::max(eye.from_origin, from_origin) + 1;
    return Placing{margin, outer, reach_share(spread, depth)};
}

// How an item is judged: the steepest rise (height over horizontal
// distance) from the eye to any point the GPU may draw for it, all within
// its widened plan and below its top plus the margin, over the direction bins
// that its widened plan touches.
struct Sight {
    double slope;
    BinSpan bins;
    double near;  // the nearest horizontal distance of the widened plan
};

// False where the eye stands in or at the item's widened plan.
bool sight_of(const Eye& eye, const Item& item, const Placing& placing, Sight& sight)
{
    const double near = nearest_distance(placing.outer, eye.x, eye.z);
    if (!(near > 0))
        return false;
    const double far = farthest_distance(placing.outer, eye.x, eye.z);
    const double height = item.high + placing.margin - eye.y;
    sight.near = near;
    sight.slope = height / (height >= 0 ? near : far);
    sight.bins = bins_touching(placing.outer, eye.x, eye.z);
    return true;
}

// A promise's place in one of the two orders the items are judged in: by the
// z of its far edge (blocks) or by its reach (boxes).
struct Order {
    double key;
    int32_t promise;
};

// An item to judge, by the largest promise key that may serve it.
struct Candidate {
    double limit;
    int32_t index;
    Sight sight;
};

// Scratch for one call, kept from call to call so that no frame allocates.
struct Scratch {
    std::vector<Rise> promises;
    std::vector<Order> order;
    std::vector<Order> sorted;
    std::vector<Candidate> candidates;
    std::vector<Candidate> sorted_candidates;
};
Scratch scratch;
bool patch_shown[TERRAIN_PATCH_COUNT];

// The promises of the stretches that start in the visible blocks, along x
// and along z. Any ground serves, drawn or not: these are the stretches that
// can lie in front of something in view.
void gather_promises(const Eye& eye, const bool* visible)
{
    scratch.promises.clear();
    for (int b = 0; b < TERRAIN_BLOCK_COUNT; b++) {
        if (!visible[b])
            continue;
        const int x0 = (b % TERRAIN_BLOCKS) * TERRAIN_BLOCK_CELLS, z0 = (b / TERRAIN_BLOCKS) * TERRAIN_BLOCK_CELLS;
        for (int across = 0; across < TERRAIN_BLOCK_CELLS; across += LINE_SPACING)
            for (int along = 0; along < TERRAIN_BLOCK_CELLS; along += STRETCH_STEP) {
                Rise rise;
                if (rise_of_stretch(eye, true, z0 + across, x0 + along, rise))
                    scratch.promises.push_back(rise);
                if (rise_of_stretch(eye, false, x0 + across, z0 + along, rise))
                    scratch.promises.push_back(rise);
            }
    }
}

// Orders scratch.order by the whole part of its keys (all within 0 to
// ORDER_KEYS): a counting sort. Within one whole unit the order is any, which
// only stops the walk in judge a little early now and then.
constexpr int ORDER_KEYS = 2048;
void sort_by_whole_key()
{
    static int32_t starts[ORDER_KEYS + 1];
    std::fill(starts, starts + ORDER_KEYS + 1, 0);
    const auto bucket = [](double key) { return (int)std::min(std::max(key, 0.0), (double)(ORDER_KEYS - 1)); };
    for (const Order& order : scratch.order)
        starts[bucket(order.key) + 1]++;
    for (int k = 0; k < ORDER_KEYS; k++)
        starts[k + 1] += starts[k];
    scratch.sorted.resize(scratch.order.size());
    for (const Order& order : scratch.order)
        scratch.sorted[(size_t)starts[bucket(order.key)]++] = order;
    scratch.order.swap(scratch.sorted);
}

// Orders scratch.candidates by their limits, each first lowered to a whole
// number from 0 to ORDER_KEYS - 1 (lowering a limit only lets fewer promises
// serve; every key is above 0): a counting sort.
void sort_by_whole_limit()
{
    static int32_t starts[ORDER_KEYS + 1];
    std::fill(starts, starts + ORDER_KEYS + 1, 0);
    for (Candidate& candidate : scratch.candidates) {
        candidate.limit = std::floor(std::min(std::max(candidate.limit, 0.0), (double)(ORDER_KEYS - 1)));
        starts[(int)candidate.limit + 1]++;
    }
    for (int k = 0; k < ORDER_KEYS; k++)
        starts[k + 1] += starts[k];
    scratch.sorted_candidates.resize(scratch.candidates.size());
    for (const Candidate& candidate : scratch.candidates)
        scratch.sorted_candidates[(size_t)starts[(int)candidate.limit]++] = candidate;
    scratch.candidates.swap(scratch.sorted_candidates);
}

// Walks scratch.candidates in limit order, raising the horizon by each
// promise (in scratch.order) whose key is within the candidate's limit first;
// clears shown[index] of those the horizon hides. Returns how many.
int judge(bool* shown)
{
    sort_by_whole_key();
    sort_by_whole_limit();
    // A promise no steeper than every candidate's sight cannot hide any of
    // them, and the widest (those near the eye, below it) are mostly such.
    double least_slope = INFINITY;
    for (const Candidate& candidate : scratch.candidates)
        least_slope = std::min(least_slope, candidate.sight.slope);
    horizon_clear();
    size_t applied = 0;
    int hidden = 0;
    for (const Candidate& candidate : scratch.candidates) {
        // Never a promise beyond the limit: the walk stops at the first.
        for (; applied < scratch.order.size() && scratch.order[applied].key <= candidate.limit; applied++) {
            const Rise& rise = scratch.promises[(size_t)scratch.order[applied].promise];
            if (rise.slope > least_slope)
                horizon_raise(rise.bins, rise.slope);
        }
        if (horizon_above(candidate.sight.bins, candidate.sight.slope)) {
            shown[candidate.index] = false;
            hidden++;
        }
    }
    return hidden;
}

Item patch_item(int px, int pz)
{
    const double side = TERRAIN_PATCH_CELLS;
    const HeightRange range = terrain_patch_heights[TERRAIN_PATCHES * pz + px];
    return Item{PlanSquare{px * side, pz * side, (px + 1) * side, (pz + 1) * side}, range.low, range.high};
}

// A block's fragments lose to the ground in front whichever comes first only
// where that ground is opaque; where it is drawn first they lose anyway. So a
// point is judged only against ground in rows before its own (drawn
// earlier), beyond the eye in z, and nearer by the depth separation along any
// line of sight (distance along a line of sight towards +z grows as its z
// does). Each block is judged patch by patch, each patch by its own heights
// and rows, and left out when all its patches are hidden.
int hide_blocks(const Eye& eye, bool* visible)
{
    scratch.order.clear();
    for (size_t k = 0; k < scratch.promises.size(); k++)
        if (scratch.promises[k].far_edge > eye.z)  // else no line of sight towards +z passes over it
            scratch.order.push_back(Order{scratch.promises[k].far_edge, (int32_t)k});
    scratch.candidates.clear();
    std::fill(patch_shown, patch_shown + TERRAIN_PATCH_COUNT, true);
    const int per_side = TERRAIN_BLOCK_CELLS / TERRAIN_PATCH_CELLS;
    for (int b = 0; b < TERRAIN_BLOCK_COUNT; b++) {
        if (!visible[b])
            continue;
        const int bx = b % TERRAIN_BLOCKS, bz = b / TERRAIN_BLOCKS;
        for (int pz = bz * per_side; pz < (bz + 1) * per_side; pz++)
            for (int px = bx * per_side; px < (bx + 1) * per_side; px++) {
                const Item item = patch_item(px, pz);
                const Placing placing = placing_of(eye, item);
                const double first_row = placing.outer.z0;
                if (!(first_row > eye.z))
                    continue;  // stays shown, and so does its block
                Sight sight;
                if (!sight_of(eye, item, placing, sight))
                    continue;
                const double last_row = eye.z + (first_row - eye.z) * placing.share;
                scratch.candidates.push_back(
                    Candidate{std::min(last_row, item.square.z0), TERRAIN_PATCHES * pz + px, sight});
            }
    }
    judge(patch_shown);
    int hidden = 0;
    for (int b = 0; b < TERRAIN_BLOCK_COUNT; b++) {
        if (!visible[b])
            continue;
        const int bx = b % TERRAIN_BLOCKS, bz = b / TERRAIN_BLOCKS;
        bool all_hidden = true;
        for (int pz = bz * per_side; pz < (bz + 1) * per_side && all_hidden; pz++)
            for (int px = bx * per_side; px < (bx + 1) * per_side && all_hidden; px++)
                all_hidden = !patch_shown[TERRAIN_PATCHES * pz + px];
        if (all_hidden) {
            visible[b] = false;
            hidden++;
        }
    }
    return hidden;
}

// Drawn after all the ground, a box's fragments lose to the ground in front
// in any direction: judged against ground nearer by the depth separation.
int hide_boxes(const Eye& eye, const Box* boxes, int32_t count, bool* shown)
{
    scratch.order.clear();
    for (size_t k = 0; k < scratch.promises.size(); k++)
        scratch.order.push_back(Order{scratch.promises[k].reach, (int32_t)k});
    scratch.candidates.clear();
    for (int32_t i = 0; i < count; i++) {
        if (!shown[i])
            continue;
        const Box& box = boxes[i];
        const Item item{PlanSquare{box.low.x, box.low.z, box.high.x, box.high.z}, box.low.y, box.high.y};
        const Placing placing = placing_of(eye, item);
        Sight sight;
        if (sight_of(eye, item, placing, sight))
            scratch.candidates.push_back(Candidate{sight.near * placing.share, i, sight});
    }
    return judge(shown);
}

}  // namespace

HiddenCount hide_behind_ground(Vec3 eye_position, int32_t view_width, int32_t view_height, bool* blocks_visible,
                               const Box* boxes, int32_t box_count, bool* boxes_shown)
{
    if (view_width <= 0 || view_height <= 0)
        return HiddenCount{0, 0};
    const double ex = eye_position.x, ey = eye_position.y, ez = eye_position.z;
    const Eye eye{ex, ey, ez, std::max(2.0 / view_height, 3.1415927 / view_width),
                  std::sqrt(ex * ex + ey * ey + ez * ez)};
    if (!eye_above_ground(eye))
        return HiddenCount{0, 0};
    // The stretches of every block in view serve both, the blocks that will be
    // left out included: ground witnesses ground whether drawn or not.
    gather_promises(eye, blocks_visible);
    const int blocks = hide_blocks(eye, blocks_visible);
    const int boxes_hidden = hide_boxes(eye, boxes, box_count, boxes_shown);
    return HiddenCount{blocks, boxes_hidden};
}
