#include "PieceOutline.h"

#include <algorithm>
#include <cmath>

namespace {

// The Moore neighbourhood, clockwise from north (y grows downwards).
constexpr int kDx[8] = {0, 1, 1, 1, 0, -1, -1, -1};
constexpr int kDy[8] = {-1, -1, 0, 1, 1, 1, 0, -1};

struct Grid {
    int w = 0, h = 0;
    std::vector<std::uint8_t> on;
    bool At(int x, int y) const { return x >= 0 && y >= 0 && x < w && y < h && on[y * w + x]; }
};

// `grid` padded by `pad` empty cells on every side, grown by a disc of `radius` cells.
Grid Grown(const CoverageGrid& grid, int pad, int radius) {
    Grid out{grid.w + 2 * pad, grid.h + 2 * pad, {}};
    out.on.assign(std::size_t(out.w) * out.h, 0);
    auto painted = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < grid.w && y < grid.h && grid.painted[y * grid.w + x];
    };
    for (int y = 0; y < grid.h; ++y)
        for (int x = 0; x < grid.w; ++x) {
            if (!painted(x, y)) continue;
            out.on[(y + pad) * out.w + x + pad] = 1;
            // Only cells on the rim of the painting need to stamp the disc.
            if (painted(x - 1, y) && painted(x + 1, y) && painted(x, y - 1) && painted(x, y + 1))
                continue;
            for (int dy = -radius; dy <= radius; ++dy)
                for (int dx = -radius; dx <= radius; ++dx)
                    if (dx * dx + dy * dy <= radius * radius)
                        out.on[(y + pad + dy) * out.w + x + pad + dx] = 1;
        }
    return out;
}

int Islands(const Grid& g) {
    std::vector<std::uint8_t> seen(g.on.size(), 0);
    std::vector<int> stack;
    int islands = 0;
    for (int start = 0; start < g.w * g.h; ++start) {
        if (!g.on[start] || seen[start]) continue;
        ++islands;
        stack.push_back(start);
        seen[start] = 1;
        while (!stack.empty()) {
            const int c = stack.back();
            stack.pop_back();
            for (int k = 0; k < 8; ++k) {
                const int x = c % g.w + kDx[k], y = c / g.w + kDy[k];
                if (g.At(x, y) && !seen[y * g.w + x]) {
                    seen[y * g.w + x] = 1;
                    stack.push_back(y * g.w + x);
                }
            }
        }
    }
    return islands;
}

// The cells round the outside of the island holding the first painted cell (Moore tracing,
// stopped when the start is entered again from the side it was first left).
std::vector<Pt> TraceOutside(const Grid& g) {
    std::vector<Pt> cells;
    const auto first = std::find(g.on.begin(), g.on.end(), 1);
    if (first == g.on.end()) return cells;
    const int sx = int(first - g.on.begin()) % g.w, sy = int(first - g.on.begin()) / g.w;
    int cx = sx, cy = sy, back = 6; // the cell to the west was looked at last, and is empty
    const std::size_t limit = 4 * g.on.size();
    do {
        cells.push_back({double(cx), double(cy)});
        int k = -1;
        for (int i = 1; i <= 8 && k < 0; ++i)
            if (g.At(cx + kDx[(back + i) % 8], cy + kDy[(back + i) % 8])) k = (back + i) % 8;
        if (k < 0) break; // a single cell
        const int px = cx + kDx[(k + 7) % 8], py = cy + kDy[(k + 7) % 8];
        cx += kDx[k];
        cy += kDy[k];
        for (int j = 0; j < 8; ++j)
            if (cx + kDx[j] == px && cy + kDy[j] == py) back = j;
    } while (!(cx == sx && cy == sy && back == 6) && cells.size() < limit);
    return cells;
}

std::vector<Pt> Hull(const Grid& g) {
    std::vector<Pt> pts;
    for (int y = 0; y < g.h; ++y)
        for (int x = 0; x < g.w; ++x)
            if (g.on[y * g.w + x]) pts.push_back({double(x), double(y)});
    auto cross = [](Pt o, Pt a, Pt b) {
        return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
    };
    std::vector<Pt> hull(2 * pts.size());
    std::size_t k = 0;
    for (std::size_t i = 0; i < pts.size(); ++i) { // points come sorted by y, then x
        while (k >= 2 && cross(hull[k - 2], hull[k - 1], pts[i]) <= 0)
            --k;
        hull[k++] = pts[i];
    }
    for (std::size_t i = pts.size() - 1, t = k + 1; i-- > 0;) {
        while (k >= t && cross(hull[k - 2], hull[k - 1], pts[i]) <= 0)
            --k;
        hull[k++] = pts[i];
    }
    hull.resize(k > 1 ? k - 1 : k);
    // Cells along each side, so the hull is smoothed and torn like a traced outline.
    std::vector<Pt> cells;
    for (std::size_t i = 0; i < hull.size(); ++i) {
        const Pt a = hull[i], b = hull[(i + 1) % hull.size()];
        const int steps = std::max(1, int(std::hypot(b.x - a.x, b.y - a.y)));
        for (int s = 0; s < steps; ++s)
            cells.push_back({a.x + (b.x - a.x) * s / steps, a.y + (b.y - a.y) * s / steps});
    }
    return cells;
}

} // namespace

CoverageGrid CoverageOf(cairo_surface_t* surface, int scale, int threshold) {
    cairo_surface_flush(surface);
    CoverageGrid grid;
    grid.w = cairo_image_surface_get_width(surface);
    grid.h = cairo_image_surface_get_height(surface);
    grid.scale = scale;
    grid.painted.assign(std::size_t(grid.w) * grid.h, 0);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < grid.h; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(data + std::size_t(y) * stride);
        for (int x = 0; x < grid.w; ++x)
            grid.painted[y * grid.w + x] = int(row[x] >> 24) >= threshold;
    }
    return grid;
}

std::vector<Pt> HuggingOutline(const CoverageGrid& grid, double margin, double inset, Rng& rng,
                               double roughness) {
    const double s = grid.scale;
    const double boxW = grid.w / s, boxH = grid.h / s;
    if (std::find(grid.painted.begin(), grid.painted.end(), 1) == grid.painted.end())
        return TornOutline(inset, inset, boxW - 2 * inset, boxH - 2 * inset, rng, roughness);

    std::vector<Pt> cells;
    int pad = 0;
    for (double grow : {1.0, 1.5, 2.0, 3.0}) {
        const int radius = std::max(1, int(std::lround(margin * grow * s)));
        pad = radius + 2;
        const Grid g = Grown(grid, pad, radius);
        if (Islands(g) == 1) {
            cells = TraceOutside(g);
            break;
        }
        if (grow == 3.0) cells = Hull(Grown(grid, pad, std::max(1, int(std::lround(margin * s)))));
    }

    // Smooth the staircase of cells over about a picture pixel each way, then keep a point
    // every picture pixel and a half.
    const std::size_t n = cells.size();
    const int half = std::max(1, int(s));
    std::vector<Pt> smooth(n);
    for (std::size_t i = 0; i < n; ++i) {
        Pt sum{0, 0};
        for (int d = -half; d <= half; ++d) {
            const long k = ((long(i) + d) % long(n) + long(n)) % long(n);
            const Pt& c = cells[std::size_t(k)];
            sum.x += c.x;
            sum.y += c.y;
        }
        smooth[i] = {(sum.x / (2 * half + 1) - pad + 0.5) / s,
                     (sum.y / (2 * half + 1) - pad + 0.5) / s};
    }
    std::vector<Pt> pts;
    const double spacing = 1.5;
    double travelled = spacing;
    for (std::size_t i = 0; i < n; ++i) {
        const Pt& a = smooth[i];
        const Pt& b = smooth[(i + 1) % n];
        if (travelled >= spacing) {
            pts.push_back(a);
            travelled = 0;
        }
        travelled += std::hypot(b.x - a.x, b.y - a.y);
    }

    // The torn wobble: fibres wander out and in along the edge, now and then a sharper nick.
    std::vector<Pt> out(pts.size());
    double drift = 0.0;
    for (std::size_t i = 0; i < pts.size(); ++i) {
        const Pt& prev = pts[(i + pts.size() - 1) % pts.size()];
        const Pt& next = pts[(i + 1) % pts.size()];
        double tx = next.x - prev.x, ty = next.y - prev.y;
        const double len = std::max(1e-9, std::hypot(tx, ty));
        drift = drift * 0.7 + rng.Range(-1.0, 1.0) * roughness * 0.6;
        const double off = drift + (rng.Chance(0.15) ? rng.Range(-1, 1) * roughness : 0.0);
        out[i] = {std::clamp(pts[i].x + ty / len * off, inset, boxW - inset),
                  std::clamp(pts[i].y - tx / len * off, inset, boxH - inset)};
    }
    return out;
}
