#include "Ink.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double Pi = 3.14159265358979323846;

// Keeps the caller's path across a painter that needs to build its own paths.
struct SavedPath {
    explicit SavedPath(cairo_t* c) : cr(c), path(cairo_copy_path(c)) {}
    ~SavedPath() {
        cairo_new_path(cr);
        cairo_append_path(cr, path);
        cairo_path_destroy(path);
    }
    void Restore() const {
        cairo_new_path(cr);
        cairo_append_path(cr, path);
    }
    cairo_t* cr;
    cairo_path_t* path;
};

struct Poly {
    std::vector<Pt> pts;
    bool closed = false;
};

// The current path as polylines (curves flattened by cairo).
std::vector<Poly> FlatPolys(cairo_t* cr) {
    std::vector<Poly> polys;
    cairo_path_t* path = cairo_copy_path_flat(cr);
    for (int i = 0; i < path->num_data; i += path->data[i].header.length) {
        const cairo_path_data_t* d = &path->data[i];
        switch (d->header.type) {
        case CAIRO_PATH_MOVE_TO:
            polys.push_back({});
            polys.back().pts.push_back({d[1].point.x, d[1].point.y});
            break;
        case CAIRO_PATH_LINE_TO:
            if (polys.empty()) polys.push_back({});
            polys.back().pts.push_back({d[1].point.x, d[1].point.y});
            break;
        case CAIRO_PATH_CLOSE_PATH:
            if (!polys.empty()) {
                polys.back().closed = true;
                // cairo starts a new sub-path at the same point after a close.
                Pt start = polys.back().pts.front();
                polys.push_back({});
                polys.back().pts.push_back(start);
            }
            break;
        case CAIRO_PATH_CURVE_TO:
            break; // never present in a flattened path
        }
    }
    cairo_path_destroy(path);
    std::erase_if(polys, [](const Poly& p) { return p.pts.size() < 2; });
    return polys;
}

double Dist(Pt a, Pt b) {
    return std::hypot(b.x - a.x, b.y - a.y);
}

// Points every `spacing` pixels along the polyline (closing it if asked).
std::vector<Pt> Resample(const std::vector<Pt>& in, bool closed, double spacing) {
    std::vector<Pt> pts = in;
    if (closed && Dist(pts.front(), pts.back()) > 1e-6) pts.push_back(pts.front());
    std::vector<Pt> out{pts.front()};
    double carry = 0.0;
    for (std::size_t i = 1; i < pts.size(); ++i) {
        Pt a = pts[i - 1], b = pts[i];
        double len = Dist(a, b);
        double t = spacing - carry;
        while (t <= len) {
            out.push_back({a.x + (b.x - a.x) * t / len, a.y + (b.y - a.y) * t / len});
            t += spacing;
        }
        carry = len - (t - spacing);
    }
    if (closed) {
        if (out.size() > 1 && Dist(out.back(), out.front()) < spacing * 0.5) out.pop_back();
    } else if (Dist(out.back(), pts.back()) > 1e-6) {
        out.push_back(pts.back());
    }
    return out;
}

// Smooth random values along a line of n samples, knots every `period` samples; wraps when
// closed so a ring has no seam.
std::vector<double> SmoothNoise(std::size_t n, double period, bool closed, Rng& rng) {
    std::size_t knots = std::max<std::size_t>(2, static_cast<std::size_t>(n / period) + 2);
    std::vector<double> k(knots);
    for (double& v : k)
        v = rng.Range(-1.0, 1.0);
    std::vector<double> out(n);
    double span = closed ? static_cast<double>(knots) : static_cast<double>(knots - 1);
    for (std::size_t i = 0; i < n; ++i) {
        double pos = n > 1 ? static_cast<double>(i) / (closed ? n : n - 1) * span : 0.0;
        std::size_t a = static_cast<std::size_t>(pos);
        double f = pos - a;
        double va = k[a % knots], vb = k[(a + 1) % knots];
        if (!closed) {
            va = k[std::min(a, knots - 1)];
            vb = k[std::min(a + 1, knots - 1)];
        }
        double s = (1 - std::cos(f * Pi)) * 0.5;
        out[i] = va + (vb - va) * s;
    }
    return out;
}

// Unit normals of a sampled line.
std::vector<Pt> Normals(const std::vector<Pt>& p, bool closed) {
    std::size_t n = p.size();
    std::vector<Pt> out(n);
    for (std::size_t i = 0; i < n; ++i) {
        Pt a = (i > 0) ? p[i - 1] : (closed ? p[n - 1] : p[i]);
        Pt b = (i + 1 < n) ? p[i + 1] : (closed ? p[0] : p[i]);
        double dx = b.x - a.x, dy = b.y - a.y, len = std::hypot(dx, dy);
        out[i] = len > 1e-9 ? Pt{-dy / len, dx / len} : Pt{0, 0};
    }
    return out;
}

// The path with its edge pushed in and out by smooth noise up to `amount` pixels.
void PathWobbled(cairo_t* cr, const std::vector<Poly>& polys, double amount, Rng& rng) {
    for (const Poly& poly : polys) {
        std::vector<Pt> p = Resample(poly.pts, true, 3.0);
        if (p.size() < 3) continue;
        std::vector<double> noise = SmoothNoise(p.size(), 7.0, true, rng);
        std::vector<Pt> nrm = Normals(p, true);
        std::vector<Pt> moved(p.size());
        for (std::size_t i = 0; i < p.size(); ++i)
            moved[i] = {p[i].x + nrm[i].x * noise[i] * amount,
                        p[i].y + nrm[i].y * noise[i] * amount};
        PathPolygon(cr, moved, true);
    }
}

} // namespace

Rgb Blend(Rgb a, Rgb b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}
Rgb Darker(Rgb c, double amount) {
    return Blend(c, {0, 0, 0}, amount);
}
Rgb Lighter(Rgb c, double amount) {
    return Blend(c, {1, 1, 1}, amount);
}
void SetColour(cairo_t* cr, Rgb c, double alpha) {
    cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

// --- Rng

Rng::Rng(std::string_view seed) {
    std::uint64_t h = 1469598103934665603ull; // FNV-1a
    for (unsigned char c : seed) {
        h ^= c;
        h *= 1099511628211ull;
    }
    state_ = h;
}

std::uint64_t Rng::Next() {
    std::uint64_t z = (state_ += 0x9e3779b97f4a7c15ull);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
    return z ^ (z >> 31);
}

double Rng::Uniform() {
    return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0);
}
double Rng::Range(double lo, double hi) {
    return lo + (hi - lo) * Uniform();
}
int Rng::Int(int lo, int hi) {
    return lo + static_cast<int>(Next() % static_cast<std::uint64_t>(hi - lo + 1));
}
double Rng::Normal() {
    double u = std::max(Uniform(), 1e-12), v = Uniform();
    return std::sqrt(-2.0 * std::log(u)) * std::cos(2 * Pi * v);
}

// --- Shapes

void PathPolygon(cairo_t* cr, const std::vector<Pt>& pts, bool closed) {
    if (pts.empty()) return;
    cairo_move_to(cr, pts[0].x, pts[0].y);
    for (std::size_t i = 1; i < pts.size(); ++i)
        cairo_line_to(cr, pts[i].x, pts[i].y);
    if (closed) cairo_close_path(cr);
}

void PathSmooth(cairo_t* cr, const std::vector<Pt>& pts, bool closed) {
    std::size_t n = pts.size();
    if (n < 3) return PathPolygon(cr, pts, closed);
    auto at = [&](long i) {
        if (closed) return pts[static_cast<std::size_t>((i % (long)n + (long)n) % (long)n)];
        return pts[static_cast<std::size_t>(std::clamp(i, 0L, (long)n - 1))];
    };
    cairo_move_to(cr, pts[0].x, pts[0].y);
    long segments = closed ? (long)n : (long)n - 1;
    for (long i = 0; i < segments; ++i) { // Catmull-Rom as cubic beziers
        Pt p0 = at(i - 1), p1 = at(i), p2 = at(i + 1), p3 = at(i + 2);
        cairo_curve_to(cr, p1.x + (p2.x - p0.x) / 6, p1.y + (p2.y - p0.y) / 6,
                       p2.x - (p3.x - p1.x) / 6, p2.y - (p3.y - p1.y) / 6, p2.x, p2.y);
    }
    if (closed) cairo_close_path(cr);
}

void PathEllipse(cairo_t* cr, double cx, double cy, double rx, double ry) {
    cairo_new_sub_path(cr);
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    cairo_arc(cr, 0, 0, 1, 0, 2 * Pi);
    cairo_restore(cr);
    cairo_close_path(cr);
}

void PathRoundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
    r = std::min({r, w / 2, h / 2});
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -Pi / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, Pi / 2);
    cairo_arc(cr, x + r, y + h - r, r, Pi / 2, Pi);
    cairo_arc(cr, x + r, y + r, r, Pi, 3 * Pi / 2);
    cairo_close_path(cr);
}

void PathStar(cairo_t* cr, double cx, double cy, double rOuter, double rInner, int points,
              double rotation) {
    std::vector<Pt> pts;
    for (int i = 0; i < points * 2; ++i) {
        double a = rotation - Pi / 2 + i * Pi / points;
        double r = (i % 2 == 0) ? rOuter : rInner;
        pts.push_back({cx + r * std::cos(a), cy + r * std::sin(a)});
    }
    PathPolygon(cr, pts, true);
}

void PathBlob(cairo_t* cr, double cx, double cy, double rx, double ry, Rng& rng, double bumpiness,
              int lobes) {
    std::vector<Pt> pts;
    double phase = rng.Range(0, 2 * Pi);
    for (int i = 0; i < lobes; ++i) {
        double a = phase + 2 * Pi * i / lobes;
        double k = 1.0 + rng.Range(-bumpiness, bumpiness);
        pts.push_back({cx + rx * k * std::cos(a), cy + ry * k * std::sin(a)});
    }
    PathSmooth(cr, pts, true);
}

std::vector<Pt> TornOutline(double x, double y, double w, double h, Rng& rng, double roughness) {
    std::vector<Pt> corners{{x, y}, {x + w, y}, {x + w, y + h}, {x, y + h}};
    std::vector<Pt> out;
    for (int side = 0; side < 4; ++side) {
        Pt a = corners[side], b = corners[(side + 1) % 4];
        double len = Dist(a, b);
        Pt nrm{(b.y - a.y) / len, -(b.x - a.x) / len}; // outward for a clockwise rectangle
        int steps = std::max(2, static_cast<int>(len / 4.0));
        double drift = 0.0; // torn fibres wander, then snap back
        for (int i = 0; i < steps; ++i) {
            double t = static_cast<double>(i) / steps;
            drift = drift * 0.7 + rng.Range(-1.0, 1.0) * roughness * 0.6;
            double off = drift + (rng.Chance(0.15) ? rng.Range(-1, 1) * roughness : 0.0);
            if (i == 0) off *= 0.3;
            out.push_back(
                {a.x + (b.x - a.x) * t + nrm.x * off, a.y + (b.y - a.y) * t + nrm.y * off});
        }
    }
    return out;
}

void PathTornRect(cairo_t* cr, double x, double y, double w, double h, Rng& rng, double roughness) {
    PathPolygon(cr, TornOutline(x, y, w, h, rng, roughness), true);
}

// --- Painters

namespace {
constexpr int kPaperFieldStep = 8;
}

void FillPaper(cairo_t* cr, Rng& rng, Rgb base, double vignette) {
    SavedPath saved(cr);
    double x1, y1, x2, y2;
    cairo_path_extents(cr, &x1, &y1, &x2, &y2);
    double w = x2 - x1, h = y2 - y1;
    cairo_save(cr);
    cairo_clip(cr);
    SetColour(cr, base);
    cairo_paint(cr);

    // Grain: faint specks, lighter and darker.
    int specks = static_cast<int>(w * h / 60);
    for (int i = 0; i < specks; ++i) {
        double px = rng.Range(x1, x2), py = rng.Range(y1, y2);
        bool dark = rng.Chance(0.6);
        SetColour(cr, dark ? palette::PaperShade : Lighter(base, 0.6), rng.Range(0.05, 0.18));
        cairo_rectangle(cr, px, py, rng.Range(0.6, 1.6), rng.Range(0.6, 1.6));
        cairo_fill(cr);
    }
    // Fibres: short faint curls.
    int fibres = static_cast<int>(w * h / 900) + 1;
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int i = 0; i < fibres; ++i) {
        double px = rng.Range(x1, x2), py = rng.Range(y1, y2);
        double a = rng.Range(0, 2 * Pi), len = rng.Range(4, 14);
        double bend = rng.Range(-0.8, 0.8);
        cairo_move_to(cr, px, py);
        cairo_curve_to(cr, px + std::cos(a) * len * 0.4, py + std::sin(a) * len * 0.4,
                       px + std::cos(a + bend) * len * 0.7, py + std::sin(a + bend) * len * 0.7,
                       px + std::cos(a + bend) * len, py + std::sin(a + bend) * len);
        cairo_set_line_width(cr, rng.Range(0.3, 0.7));
        SetColour(cr, palette::PaperShade, rng.Range(0.10, 0.25));
        cairo_stroke(cr);
    }
    // Large soft mottling so flat areas do not look printed, and the vignette. Both are drawn as
    // one field of the shade's strength and then stepped, so that the three channels change at
    // the same places. Left smooth, each channel of the faint mottling rounds to its next level
    // at its own places: three sets of crossing contours that cost most of a page's bytes once
    // the picture is reduced to a palette, for a change no one sees. A step is about a level and
    // a half of colour (kPaperFieldStep / 255 of the way to PaperShade).
    cairo_push_group_with_content(cr, CAIRO_CONTENT_ALPHA);
    int blotches = std::max(2, static_cast<int>(w * h / 40000));
    for (int i = 0; i < blotches; ++i) {
        double px = rng.Range(x1, x2), py = rng.Range(y1, y2),
               r = rng.Range(0.1, 0.3) * std::max(w, h);
        cairo_pattern_t* g = cairo_pattern_create_radial(px, py, 0, px, py, r);
        cairo_pattern_add_color_stop_rgba(g, 0, 0, 0, 0, rng.Range(0.02, 0.06));
        cairo_pattern_add_color_stop_rgba(g, 1, 0, 0, 0, 0);
        cairo_set_source(cr, g);
        cairo_paint(cr);
        cairo_pattern_destroy(g);
    }
    if (vignette > 0) {
        double cx = (x1 + x2) / 2, cy = (y1 + y2) / 2, r = std::hypot(w, h) / 2;
        cairo_pattern_t* g = cairo_pattern_create_radial(cx, cy, r * 0.45, cx, cy, r);
        cairo_pattern_add_color_stop_rgba(g, 0, 0, 0, 0, 0);
        cairo_pattern_add_color_stop_rgba(g, 1, 0, 0, 0, vignette);
        cairo_set_source(cr, g);
        cairo_paint(cr);
        cairo_pattern_destroy(g);
    }
    cairo_pattern_t* field = cairo_pop_group(cr);
    cairo_surface_t* fieldSurface = nullptr;
    // An image canvas always gives an alpha image here; anything else is painted unstepped.
    if (cairo_pattern_get_surface(field, &fieldSurface) == CAIRO_STATUS_SUCCESS &&
        cairo_surface_get_type(fieldSurface) == CAIRO_SURFACE_TYPE_IMAGE &&
        cairo_image_surface_get_format(fieldSurface) == CAIRO_FORMAT_A8) {
        cairo_surface_flush(fieldSurface);
        unsigned char* data = cairo_image_surface_get_data(fieldSurface);
        const int stride = cairo_image_surface_get_stride(fieldSurface);
        for (int y = 0; y < cairo_image_surface_get_height(fieldSurface); ++y)
            for (int x = 0; x < cairo_image_surface_get_width(fieldSurface); ++x) {
                unsigned char& a = data[size_t(y) * size_t(stride) + size_t(x)];
                a = static_cast<unsigned char>(
                    std::min(255, (a + kPaperFieldStep / 2) / kPaperFieldStep * kPaperFieldStep));
            }
        cairo_surface_mark_dirty(fieldSurface);
    }
    SetColour(cr, palette::PaperShade);
    cairo_mask(cr, field);
    cairo_pattern_destroy(field);
    cairo_restore(cr);
}

void Wash(cairo_t* cr, Rgb colour, double alpha, Rng& rng, const WashStyle& style) {
    SavedPath saved(cr);
    std::vector<Poly> polys = FlatPolys(cr);
    if (polys.empty()) return;
    double x1, y1, x2, y2;
    cairo_path_extents(cr, &x1, &y1, &x2, &y2);
    double w = x2 - x1, h = y2 - y1;
    int layers = std::max(1, style.layers);
    double layerAlpha = 1.0 - std::pow(1.0 - std::clamp(alpha, 0.0, 0.999), 1.0 / layers);

    cairo_save(cr);
    // Layers: each edge wanders a little; the overlap makes the soft uneven rim of a wash.
    for (int l = 0; l < layers; ++l) {
        cairo_new_path(cr);
        cairo_save(cr);
        cairo_translate(cr, rng.Range(-0.3, 0.3) * style.jitter,
                        rng.Range(-0.3, 0.3) * style.jitter);
        PathWobbled(cr, polys, style.jitter, rng);
        cairo_restore(cr);
        Rgb tint = rng.Chance(0.5) ? Darker(colour, rng.Range(0, 0.15))
                                   : Lighter(colour, rng.Range(0, 0.2));
        SetColour(cr, tint, layerAlpha);
        cairo_fill(cr);
    }

    saved.Restore();
    cairo_clip(cr);
    // Blooms: soft patches where the water carried pigment in or out.
    int blooms = static_cast<int>(style.blooms * (2 + w * h / 6000));
    for (int i = 0; i < blooms; ++i) {
        double px = rng.Range(x1, x2), py = rng.Range(y1, y2);
        double r = rng.Range(0.15, 0.45) * std::max(w, h);
        bool dark = rng.Chance(0.5);
        Rgb c = dark ? Darker(colour, 0.25) : Lighter(colour, 0.5);
        cairo_pattern_t* g = cairo_pattern_create_radial(px, py, 0, px, py, r);
        cairo_pattern_add_color_stop_rgba(g, 0, c.r, c.g, c.b, alpha * rng.Range(0.25, 0.5));
        cairo_pattern_add_color_stop_rgba(g, 1, c.r, c.g, c.b, 0);
        cairo_set_source(cr, g);
        cairo_paint(cr);
        cairo_pattern_destroy(g);
    }
    // Rim: the path stroked inside the clip, widest and faintest first.
    if (style.edge > 0) {
        saved.Restore();
        Rgb rim = Darker(colour, 0.3);
        for (double width : {7.0, 4.0, 2.0}) {
            double scale = std::min(1.0, std::min(w, h) / 30.0);
            cairo_set_line_width(cr, width * std::max(scale, 0.35));
            cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
            SetColour(cr, rim, alpha * style.edge * 0.3);
            cairo_stroke_preserve(cr);
        }
        cairo_new_path(cr);
    }
    // Granulation: pigment specks settled in the paper.
    int specks = static_cast<int>(style.granulation * w * h / 25);
    Rgb speck = Darker(colour, 0.35);
    for (int i = 0; i < specks; ++i) {
        cairo_rectangle(cr, rng.Range(x1, x2), rng.Range(y1, y2), rng.Range(0.5, 1.3),
                        rng.Range(0.5, 1.3));
        SetColour(cr, speck, alpha * rng.Range(0.1, 0.35));
        cairo_fill(cr);
    }
    cairo_restore(cr);
}

void InkLine(cairo_t* cr, const std::vector<Pt>& pts, double width, Rng& rng, Rgb colour,
             double alpha, double wobble, bool closed) {
    if (pts.size() < 2) return;
    std::vector<Pt> p = Resample(pts, closed, 1.5);
    if (p.size() < 2) return;
    std::size_t n = p.size();
    std::vector<double> drift = SmoothNoise(n, 18.0, closed, rng);
    std::vector<double> thick = SmoothNoise(n, 10.0, closed, rng);
    std::vector<Pt> nrm = Normals(p, closed);
    for (std::size_t i = 0; i < n; ++i) {
        p[i].x += nrm[i].x * drift[i] * wobble;
        p[i].y += nrm[i].y * drift[i] * wobble;
    }
    double length = 1.5 * (n - 1);
    double taper = std::min(8.0, length / 4);

    SavedPath saved(cr);
    cairo_save(cr);
    cairo_push_group(cr); // segments overlap; draw opaque, then apply alpha once
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    SetColour(cr, colour);
    std::size_t segments = closed ? n : n - 1;
    for (std::size_t i = 0; i < segments; ++i) {
        Pt a = p[i], b = p[(i + 1) % n];
        double wv = width * (1.0 + 0.4 * thick[i]);
        if (!closed && taper > 0) {
            double s = 1.5 * i, fromEnd = length - s;
            wv *= 0.35 + 0.65 * std::min(1.0, std::min(s, fromEnd) / taper);
        }
        cairo_set_line_width(cr, std::max(wv, 0.3));
        cairo_move_to(cr, a.x, a.y);
        cairo_line_to(cr, b.x, b.y);
        cairo_stroke(cr);
    }
    cairo_pop_group_to_source(cr);
    cairo_paint_with_alpha(cr, alpha);
    cairo_restore(cr);
}

void InkOutline(cairo_t* cr, double width, Rng& rng, Rgb colour, double alpha, double wobble) {
    std::vector<Poly> polys = FlatPolys(cr);
    for (const Poly& poly : polys)
        InkLine(cr, poly.pts, width, rng, colour, alpha, wobble, poly.closed);
}

void InkCurve(cairo_t* cr, Pt p0, Pt c1, Pt c2, Pt p3, double width, Rng& rng, Rgb colour,
              double alpha) {
    std::vector<Pt> pts;
    for (int i = 0; i <= 32; ++i) {
        double t = i / 32.0, u = 1 - t;
        pts.push_back(
            {u * u * u * p0.x + 3 * u * u * t * c1.x + 3 * u * t * t * c2.x + t * t * t * p3.x,
             u * u * u * p0.y + 3 * u * u * t * c1.y + 3 * u * t * t * c2.y + t * t * t * p3.y});
    }
    InkLine(cr, pts, width, rng, colour, alpha);
}

void Hatch(cairo_t* cr, double angle, double spacing, double width, Rng& rng, Rgb colour,
           double alpha) {
    SavedPath saved(cr);
    double x1, y1, x2, y2;
    cairo_path_extents(cr, &x1, &y1, &x2, &y2);
    double cx = (x1 + x2) / 2, cy = (y1 + y2) / 2, r = std::hypot(x2 - x1, y2 - y1) / 2 + 2;
    double dx = std::cos(angle), dy = std::sin(angle); // along the lines
    cairo_save(cr);
    cairo_clip(cr);
    cairo_push_group(cr);
    for (double o = -r; o <= r; o += spacing) {
        double off = o + rng.Range(-0.2, 0.2) * spacing;
        Pt mid{cx - dy * off, cy + dx * off};
        double a = r * rng.Range(0.9, 1.05), b = r * rng.Range(0.9, 1.05);
        InkLine(cr, {{mid.x - dx * a, mid.y - dy * a}, {mid.x + dx * b, mid.y + dy * b}}, width,
                rng, colour, 1.0, 0.5);
    }
    cairo_pop_group_to_source(cr);
    cairo_paint_with_alpha(cr, alpha);
    cairo_restore(cr);
}

void DropShadow(cairo_t* cr, double dx, double dy, double blur, double alpha, Rgb colour) {
    SavedPath saved(cr);
    cairo_save(cr);
    cairo_push_group(cr);
    cairo_translate(cr, dx, dy);
    const int rings = 6;
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    for (int k = rings; k >= 1; --k) { // wide and faint outside, solid at the core
        saved.Restore();
        cairo_set_line_width(cr, 2 * blur * k / rings);
        SetColour(cr, colour, 1.0 / rings);
        cairo_stroke(cr);
    }
    saved.Restore();
    SetColour(cr, colour, 1.0);
    cairo_fill(cr);
    cairo_pop_group_to_source(cr);
    cairo_paint_with_alpha(cr, alpha);
    cairo_restore(cr);
}
