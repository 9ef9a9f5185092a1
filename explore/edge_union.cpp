#include "edge_union.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <unordered_map>
#include <utility>

namespace {

constexpr double TOLERANCE = VERTEX_TOLERANCE;

double distance_squared(const Point &p, const Point &q)
{
    return (p.x - q.x) * (p.x - q.x) + (p.y - q.y) * (p.y - q.y);
}

// --- The points, each within the tolerance of another taken as one ---------

struct Vertices {
    std::vector<Point> at;
    std::vector<int> next_in_cell;
    std::unordered_map<uint64_t, int> first_in_cell;
    double cell = 4 * TOLERANCE;

    uint64_t key(long long cx, long long cy) const
    {
        return static_cast<uint64_t>(cx) << 32 ^ static_cast<uint64_t>(cy & 0xffffffff);
    }

    // The vertex of p: the first one within the tolerance, or a new one.
    int of(const Point &p)
    {
        const long long x0 = static_cast<long long>(std::floor((p.x - TOLERANCE) / cell));
        const long long x1 = static_cast<long long>(std::floor((p.x + TOLERANCE) / cell));
        const long long y0 = static_cast<long long>(std::floor((p.y - TOLERANCE) / cell));
        const long long y1 = static_cast<long long>(std::floor((p.y + TOLERANCE) / cell));
        int found = -1;
        for (long long cx = x0; cx <= x1; ++cx)
            for (long long cy = y0; cy <= y1; ++cy) {
                const auto head = first_in_cell.find(key(cx, cy));
                if (head == first_in_cell.end())
                    continue;
                for (int v = head->second; v >= 0; v = next_in_cell[v])
                    if (distance_squared(at[v], p) <= TOLERANCE * TOLERANCE && (found < 0 || v < found))
                        found = v;
            }
        if (found >= 0)
            return found;
        const int v = static_cast<int>(at.size());
        at.push_back(p);
        const uint64_t k = key(static_cast<long long>(std::floor(p.x / cell)),
                               static_cast<long long>(std::floor(p.y / cell)));
        const auto inserted = first_in_cell.emplace(k, v);
        next_in_cell.push_back(inserted.second ? -1 : inserted.first->second);
        inserted.first->second = v;
        return v;
    }
};

// --- A coarse grid over the box, for the vertices near a segment ----------

struct Grid {
    double left, top, size;
    int columns, rows;

    // About `per_cell` of the items a cell, if they were spread evenly.
    Grid(const ClipBox &box, size_t items, double per_cell)
    {
        const double width = box.right - box.left, height = box.bottom - box.top;
        size = std::max(0.5, std::sqrt(width * height / std::max<size_t>(items, 1) * per_cell));
        columns = std::max(1, static_cast<int>(std::ceil(width / size)));
        rows = std::max(1, static_cast<int>(std::ceil(height / size)));
        left = box.left;
        top = box.top;
    }
    int column(double x) const
    {
        return std::clamp(static_cast<int>(std::floor((x - left) / size)), 0, columns - 1);
    }
    int row(double y) const
    {
        return std::clamp(static_cast<int>(std::floor((y - top) / size)), 0, rows - 1);
    }
    int cell(const Point &p) const
    {
        return row(p.y) * columns + column(p.x);
    }
};

// The vertices of each cell, as one list.
struct CellLists {
    std::vector<int> start, items;

    CellLists(const Grid &grid, const std::vector<Point> &points)
        : start(static_cast<size_t>(grid.columns) * grid.rows + 1, 0), items(points.size())
    {
        for (const Point &p : points)
            ++start[grid.cell(p) + 1];
        for (size_t c = 1; c < start.size(); ++c)
            start[c] += start[c - 1];
        std::vector<int> fill(start.begin(), start.end() - 1);
        for (size_t v = 0; v < points.size(); ++v)
            items[fill[grid.cell(points[v])]++] = static_cast<int>(v);
    }
};

// The vertices other than its ends that lie on the segment from vertex a
// to vertex b, in order from a.
void vertices_on(int a, int b, const std::vector<Point> &at, const Grid &grid,
                 const CellLists &cells, std::vector<std::pair<double, int>> &on)
{
    on.clear();
    const Point p = at[a], q = at[b];
    const double dx = q.x - p.x, dy = q.y - p.y;
    const double length = std::sqrt(dx * dx + dy * dy);
    // Column by column, the rows the segment crosses there, widened by the
    // tolerance.
    const int c0 = grid.column(std::min(p.x, q.x) - TOLERANCE);
    const int c1 = grid.column(std::max(p.x, q.x) + TOLERANCE);
    for (int c = c0; c <= c1; ++c) {
        double y_low = std::min(p.y, q.y), y_high = std::max(p.y, q.y);
        if (std::fabs(dx) > TOLERANCE) {
            const double x_from = std::max(std::min(p.x, q.x), grid.left + c * grid.size - TOLERANCE);
            const double x_to =
                std::min(std::max(p.x, q.x), grid.left + (c + 1) * grid.size + TOLERANCE);
            const double y_from = p.y + (x_from - p.x) / dx * dy;
            const double y_to = p.y + (x_to - p.x) / dx * dy;
            y_low = std::max(y_low, std::min(y_from, y_to));
            y_high = std::min(y_high, std::max(y_from, y_to));
        }
        const int r0 = grid.row(y_low - TOLERANCE), r1 = grid.row(y_high + TOLERANCE);
        for (int r = r0; r <= r1; ++r) {
            const int cell = r * grid.columns + c;
            for (int i = cells.start[cell]; i < cells.start[cell + 1]; ++i) {
                const int v = cells.items[i];
                if (v == a || v == b)
                    continue;
                const double vx = at[v].x - p.x, vy = at[v].y - p.y;
                const double along = (vx * dx + vy * dy) / length;
                const double across = (vx * dy - vy * dx) / length;
                if (std::fabs(across) <= TOLERANCE && along > TOLERANCE &&
                    along < length - TOLERANCE)
                    on.push_back({along, v});
            }
        }
    }
    std::sort(on.begin(), on.end());
}

// --- Pieces between vertices, joined into maximal straight segments -------

using Piece = std::pair<int, int>; // vertex ids, the smaller first

// Whether the pieces from vertex v to a and from v to b continue one
// another straight through v.
bool straight_through(const Point &v, const Point &a, const Point &b, double &off)
{
    const double ax = a.x - v.x, ay = a.y - v.y, bx = b.x - v.x, by = b.y - v.y;
    if (ax * bx + ay * by >= 0)
        return false;
    const double span = std::sqrt(distance_squared(a, b));
    off = std::fabs(ax * by - ay * bx) / span; // v's distance from the line a b
    return off <= TOLERANCE;
}

// The maximal straight segments the pieces make, as pairs of vertices.
std::vector<Piece> maximal_segments(const std::vector<Piece> &pieces, const std::vector<Point> &at)
{
    const int n = static_cast<int>(pieces.size());
    // Each vertex's piece ends (2 p + 0 at the first vertex, 2 p + 1 at
    // the second).
    std::vector<int> start(at.size() + 1, 0), ends(2 * static_cast<size_t>(n));
    for (const Piece &p : pieces) {
        ++start[p.first + 1];
        ++start[p.second + 1];
    }
    for (size_t v = 1; v < start.size(); ++v)
        start[v] += start[v - 1];
    {
        std::vector<int> fill(start.begin(), start.end() - 1);
        for (int p = 0; p < n; ++p) {
            ends[fill[pieces[p].first]++] = 2 * p;
            ends[fill[pieces[p].second]++] = 2 * p + 1;
        }
    }
    auto vertex_of = [&](int end) { return end % 2 ? pieces[end / 2].second : pieces[end / 2].first; };
    auto far_of = [&](int end) { return end % 2 ? pieces[end / 2].first : pieces[end / 2].second; };

    // At each vertex, the pairs of piece ends that go straight through it,
    // the straightest first.
    std::vector<int> link(2 * static_cast<size_t>(n), -1);
    struct Pair {
        double off;
        int e, f;
    };
    std::vector<Pair> pairs;
    for (size_t v = 0; v + 1 < start.size(); ++v) {
        pairs.clear();
        for (int i = start[v]; i < start[v + 1]; ++i)
            for (int j = i + 1; j < start[v + 1]; ++j) {
                double off;
                if (straight_through(at[v], at[far_of(ends[i])], at[far_of(ends[j])], off))
                    pairs.push_back({off, ends[i], ends[j]});
            }
        std::sort(pairs.begin(), pairs.end(), [](const Pair &x, const Pair &y) {
            return x.off != y.off ? x.off < y.off : x.e != y.e ? x.e < y.e : x.f < y.f;
        });
        for (const Pair &p : pairs)
            if (link[p.e] < 0 && link[p.f] < 0) {
                link[p.e] = p.f;
                link[p.f] = p.e;
            }
    }

    // Each chain of linked pieces, walked from one free end to the other.
    std::vector<Piece> segments;
    std::vector<char> walked(n, 0);
    for (int p = 0; p < n; ++p) {
        if (walked[p])
            continue;
        // Back to the chain's free end through the end 2 p.
        int end = 2 * p;
        bool loop = false;
        while (link[end] >= 0) {
            end = link[end] ^ 1;
            if (end / 2 == p) {
                loop = true;
                break;
            }
        }
        if (loop) { // only within rounding: keep its pieces as they are
            for (int e = 2 * p; e >= 0 && !walked[e / 2]; e = link[e ^ 1]) {
                walked[e / 2] = 1;
                segments.push_back(pieces[e / 2]);
            }
            continue;
        }
        // `end` is a free end; walk the chain from it.
        const int first = vertex_of(end);
        int last = first;
        for (int e = end;;) {
            walked[e / 2] = 1;
            last = vertex_of(e ^ 1);
            if (link[e ^ 1] < 0)
                break;
            e = link[e ^ 1];
        }
        segments.push_back({std::min(first, last), std::max(first, last)});
    }
    return segments;
}

// --- Paths -----------------------------------------------------------------

// The vertices waiting to start a path, found nearest first.
struct Waiting {
    const Grid &grid;
    const std::vector<Point> &at;
    std::vector<std::vector<int>> cells;

    Waiting(const Grid &g, const std::vector<Point> &points, const std::vector<int> &vertices)
        : grid(g), at(points), cells(static_cast<size_t>(g.columns) * g.rows)
    {
        for (const int v : vertices)
            cells[grid.cell(at[v])].push_back(v);
    }

    // The waiting vertex nearest to p for which `wanted` holds (the lowest
    // id among the nearest); -1 if none. Vertices no longer wanted are
    // dropped as they are met.
    template <typename Wanted>
    int nearest(const Point &p, Wanted wanted)
    {
        const int c = grid.column(p.x), r = grid.row(p.y);
        int best = -1;
        double best_distance = 0;
        const int reach = std::max(grid.columns, grid.rows);
        for (int ring = 0; ring <= reach; ++ring) {
            if (best >= 0 && (ring - 1) * grid.size > std::sqrt(best_distance))
                break;
            for (int dr = -ring; dr <= ring; ++dr) {
                const int row = r + dr;
                if (row < 0 || row >= grid.rows)
                    continue;
                const int step = (dr == -ring || dr == ring) ? 1 : 2 * ring;
                for (int dc = -ring; dc <= ring; dc += std::max(step, 1)) {
                    const int column = c + dc;
                    if (column < 0 || column >= grid.columns)
                        continue;
                    std::vector<int> &cell = cells[static_cast<size_t>(row) * grid.columns + column];
                    for (size_t i = 0; i < cell.size();) {
                        const int v = cell[i];
                        if (!wanted(v)) {
                            cell[i] = cell.back();
                            cell.pop_back();
                            continue;
                        }
                        const double d = distance_squared(at[v], p);
                        if (best < 0 || d < best_distance || (d == best_distance && v < best)) {
                            best = v;
                            best_distance = d;
                        }
                        ++i;
                    }
                }
            }
        }
        return best;
    }
};

std::vector<std::vector<Point>> joined_paths(const std::vector<Piece> &segments,
                                             const std::vector<Point> &at, const ClipBox &box)
{
    const int n = static_cast<int>(segments.size());
    std::vector<int> start(at.size() + 1, 0), around(2 * static_cast<size_t>(n));
    for (const Piece &s : segments) {
        ++start[s.first + 1];
        ++start[s.second + 1];
    }
    for (size_t v = 1; v < start.size(); ++v)
        start[v] += start[v - 1];
    {
        std::vector<int> fill(start.begin(), start.end() - 1);
        for (int s = 0; s < n; ++s) {
            around[fill[segments[s].first]++] = s;
            around[fill[segments[s].second]++] = s;
        }
    }
    std::vector<int> unused(at.size());
    std::vector<int> odd, any;
    for (size_t v = 0; v < at.size(); ++v) {
        unused[v] = start[v + 1] - start[v];
        if (unused[v] % 2)
            odd.push_back(static_cast<int>(v));
        if (unused[v])
            any.push_back(static_cast<int>(v));
    }
    std::vector<char> drawn(n, 0);
    // Coarse, so that a search far into a region already drawn crosses few
    // cells.
    const Grid grid(box, at.size(), 16);
    Waiting odd_ends(grid, at, odd), other_ends(grid, at, any);

    // The paths as lists of nodes, so that a closed walk can be put into a
    // path drawn before, where it passes the walk's start.
    std::vector<int> node_vertex, node_next, heads;
    std::vector<int> node_of(at.size(), -1); // a node at each vertex
    Point pen = {box.left, box.top};
    std::vector<int> walk;
    for (;;) {
        // Paths from the vertices where an odd number of segments are left
        // first: each such path ends at another, so they are few. Then the
        // closed walks left.
        int v = odd_ends.nearest(pen, [&](int u) { return unused[u] % 2 == 1; });
        if (v < 0)
            v = other_ends.nearest(pen, [&](int u) { return unused[u] > 0; });
        if (v < 0)
            break;
        walk.assign(1, v);
        double dx = 0, dy = 0;
        for (;;) {
            // On along the segment left that turns least.
            int next = -1;
            double best = 0;
            for (int i = start[v]; i < start[v + 1]; ++i) {
                const int s = around[i];
                if (drawn[s])
                    continue;
                const int w = segments[s].first == v ? segments[s].second : segments[s].first;
                const double ex = at[w].x - at[v].x, ey = at[w].y - at[v].y;
                const double turn = (dx * ex + dy * ey) / std::sqrt(ex * ex + ey * ey);
                if (next < 0 || turn > best) {
                    next = s;
                    best = turn;
                }
            }
            if (next < 0)
                break;
            drawn[next] = 1;
            const int w = segments[next].first == v ? segments[next].second : segments[next].first;
            --unused[v];
            --unused[w];
            const double length = std::sqrt(distance_squared(at[v], at[w]));
            dx = (at[w].x - at[v].x) / length;
            dy = (at[w].y - at[v].y) / length;
            v = w;
            walk.push_back(v);
        }
        // A closed walk through a vertex that a path passes goes into that
        // path there; any other walk is a path of its own, and the pen ends
        // there.
        int after = -1;
        if (walk.size() > 1 && walk.back() == walk.front()) {
            walk.pop_back();
            size_t turn = 0;
            while (turn < walk.size() && node_of[walk[turn]] < 0)
                ++turn;
            std::rotate(walk.begin(), walk.begin() + (turn < walk.size() ? turn : 0), walk.end());
            walk.push_back(walk.front());
            after = node_of[walk.front()];
        }
        const size_t first = after >= 0 ? 1 : 0;
        const int rest = after >= 0 ? node_next[after] : -1;
        for (size_t i = first; i < walk.size(); ++i) {
            const int node = static_cast<int>(node_vertex.size());
            node_vertex.push_back(walk[i]);
            node_next.push_back(-1);
            if (after >= 0)
                node_next[after] = node;
            else
                heads.push_back(node);
            node_of[walk[i]] = after = node;
        }
        node_next[after] = rest;
        if (first == 0)
            pen = at[walk.back()];
    }
    std::vector<std::vector<Point>> paths;
    for (const int head : heads) {
        paths.emplace_back();
        for (int node = head; node >= 0; node = node_next[node])
            paths.back().push_back(at[node_vertex[node]]);
    }
    return paths;
}

} // namespace

bool clip_segment(Segment &s, const ClipBox &box)
{
    double t0 = 0, t1 = 1;
    const double dx = s.b.x - s.a.x, dy = s.b.y - s.a.y;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {s.a.x - box.left, box.right - s.a.x, s.a.y - box.top, box.bottom - s.a.y};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
    }
    if (t0 > t1)
        return false;
    const Segment whole = s;
    if (t0 > 0)
        s.a = {whole.a.x + t0 * dx, whole.a.y + t0 * dy};
    if (t1 < 1)
        s.b = {whole.a.x + t1 * dx, whole.a.y + t1 * dy};
    return true;
}

std::vector<std::vector<Point>> union_paths(const std::vector<Segment> &segments,
                                            const ClipBox &box)
{
    Vertices vertices;
    std::vector<Piece> ends;
    for (Segment s : segments) {
        if (!clip_segment(s, box) || distance_squared(s.a, s.b) <= TOLERANCE * TOLERANCE)
            continue;
        const int a = vertices.of(s.a), b = vertices.of(s.b);
        if (a != b)
            ends.push_back({a, b});
    }
    const std::vector<Point> &at = vertices.at;

    // Each segment cut at the vertices that lie on it into pieces; a piece
    // that several segments share is kept once.
    const Grid grid(box, at.size(), 2);
    const CellLists cells(grid, at);
    std::vector<Piece> pieces;
    std::vector<std::pair<double, int>> on;
    for (const Piece &e : ends) {
        vertices_on(e.first, e.second, at, grid, cells, on);
        int from = e.first;
        for (const auto &[along, v] : on) {
            pieces.push_back({std::min(from, v), std::max(from, v)});
            from = v;
        }
        pieces.push_back({std::min(from, e.second), std::max(from, e.second)});
    }
    std::sort(pieces.begin(), pieces.end());
    pieces.erase(std::unique(pieces.begin(), pieces.end()), pieces.end());

    return joined_paths(maximal_segments(pieces, at), at, box);
}
