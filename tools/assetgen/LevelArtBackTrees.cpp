// Scenery along the lane, part two: the tall trees that stand over the lane, the frosted bough
// framing the first page and the sky's snow cloud.

#include "LevelArtBack.h"

#include <algorithm>
#include <cmath>

namespace backart {

void FrostBough(cairo_t* cr, double w, double h, int, Rng& rng) {
    // A fir bough reaching in from the top left corner, icicles hanging from it.
    InkCurve(cr, {-4, 4}, {30, 10}, {70, 22}, {w - 4, 30}, 3.0, rng, colour::Bark);
    for (int i = 0; i < 14; ++i) { // needles in sprays along the bough
        double t = i / 14.0;
        double x = -4 + (w)*t, y = 4 + 26 * t * t + 2;
        for (int s : {-1, 1}) {
            PathPolygon(cr, {{x, y}, {x + 10, y + s * 7 + 3}, {x + 6, y + s * 2}});
            Fill(cr, colour::Pine, rng, 0.6, 0.8);
        }
    }
    std::vector<Pt> cap;
    for (int i = 0; i <= 8; ++i) {
        double t = i / 8.0;
        cap.push_back({-4 + w * t, 4 + 26 * t * t - 1});
    }
    SnowCap(cr, cap, 6, rng);
    for (int i = 0; i < 9; ++i) {
        double t = rng.Range(0.05, 0.95);
        double x = -4 + w * t, y = 4 + 26 * t * t + 4, len = rng.Range(6, h - y - 4);
        PathPolygon(cr, {{x - 1.8, y}, {x + 1.8, y}, {x + 0.2, y + len}});
        Fill(cr, colour::Ice, rng, 0.6);
        InkLine(cr, {{x - 0.6, y + 1}, {x - 0.2, y + len * 0.6}}, 0.5, rng, {1, 1, 1});
    }
}

void SnowCloud(cairo_t* cr, double w, double h, int, Rng& rng) {
    // A heavy snow cloud: soft lobes on top, a flat grey underside, flakes falling from it.
    const Rgb grey = Blend(colour::SnowShade, palette::StoneDark, 0.35);
    for (int i = 0; i < 5; ++i) {
        double x = w * (0.18 + 0.16 * i), r = h * (i == 2 ? 0.34 : rng.Range(0.22, 0.3));
        double y = h * 0.62 - r * 0.6;
        cairo_new_path(cr);
        cairo_save(cr);
        cairo_translate(cr, x, y);
        cairo_pattern_t* g = cairo_pattern_create_radial(-r * 0.3, -r * 0.4, r * 0.1, 0, 0, r);
        cairo_pattern_add_color_stop_rgba(g, 0, 0.98, 0.98, 1.0, 0.95);
        cairo_pattern_add_color_stop_rgba(g, 1, grey.r, grey.g, grey.b, 0.9);
        cairo_set_source(cr, g);
        cairo_arc(cr, 0, 0, r, 0, 2 * Pi);
        cairo_fill(cr);
        cairo_pattern_destroy(g);
        cairo_restore(cr);
        cairo_arc(cr, x, y, r, Pi * 1.05, Pi * 1.95);
        InkOutline(cr, 0.6, rng, palette::StoneDark, 0.5);
        cairo_new_path(cr);
    }
    PathRoundedRect(cr, w * 0.1, h * 0.5, w * 0.8, h * 0.2, h * 0.1);
    SetColour(cr, grey, 0.9);
    cairo_fill(cr);
    Flakes(cr, w * 0.15, h * 0.72, w * 0.7, h * 0.26, 7, rng);
}

void TallPine(cairo_t* cr, double w, double h, int, Rng& rng) {
    // The old pine: a tall bare trunk, a crown up top and the crow's branch to the right at
    // about y 121 (the crow perches at 101..141).
    const double cx = 52;
    GroundShadow(cr, cx, h - 4, 40, 5);
    PathPolygon(cr, {{cx - 8, h - 2}, {cx - 4, 20}, {cx + 4, 20}, {cx + 8, h - 2}});
    Fill(cr, Blend(colour::Bark, palette::Rust, 0.3), rng, 1.0);
    for (int i = 0; i < 14; ++i) {
        double y = rng.Range(40, h - 10);
        InkLine(cr, {{cx - 4, y}, {cx + rng.Range(-2, 3), y + 6}}, 0.6, rng,
                Darker(colour::Bark, 0.4));
    }
    InkCurve(cr, {cx + 3, 126}, {cx + 30, 124}, {cx + 60, 122}, {w - 4, 119}, 2.6, rng,
             colour::Bark);
    InkLine(cr, {{cx + 60, 122}, {cx + 70, 116}}, 1.0, rng, colour::Bark);
    SnowCap(cr, {{cx + 10, 122}, {cx + 40, 120}, {cx + 60, 118}, {w - 8, 116}}, 2.6, rng);
    for (int i = 0; i < 6; ++i) {
        PathPolygon(cr, {{w - 20 - i * 9, 121}, {w - 26 - i * 9, 127}, {w - 14 - i * 9, 125}});
        Fill(cr, colour::Pine, rng, 0.5);
    }
    InkCurve(cr, {cx - 3, 170}, {cx - 20, 166}, {cx - 34, 162}, {cx - 44, 150}, 2.0, rng,
             colour::Bark);
    SnowCap(cr, {{cx - 40, 152}, {cx - 24, 163}, {cx - 6, 167}}, 2.2, rng);
    Conifer(cr, cx, 4, 120, 44, 4, rng, Darker(colour::Pine, 0.1), 1.0);
    SnowMound(cr, cx - 30, cx + 30, h, h - 8, rng);
}

void TallBirch(cairo_t* cr, double w, double h, int, Rng& rng) {
    const double cx = w / 2;
    GroundShadow(cr, cx, h - 4, 24, 4);
    std::vector<Pt> tips;
    auto branch = [&](Pt from, double a, double len, double width) {
        Pt to{from.x + len * std::cos(a), from.y + len * std::sin(a)};
        InkCurve(cr, from, {from.x + len * 0.4 * std::cos(a), from.y + len * 0.4 * std::sin(a) - 3},
                 {to.x, to.y - 4}, to, width, rng, palette::StoneDark);
        for (int k = 0; k < 3; ++k)
            InkLine(cr, {to, {to.x + rng.Range(-8, 8), to.y + rng.Range(2, 12)}}, 0.5, rng,
                    palette::Sepia, 0.8);
    };
    for (int i = 0; i < 9; ++i) {
        double y = 10 + i * 16;
        bool right = i % 2;
        branch({cx + (right ? 2 : -2), y + 12},
               right ? -0.6 - rng.Range(0, 0.4) : -Pi + 0.6 + rng.Range(0, 0.4),
               rng.Range(18, 34) * (1 - i * 0.05), 1.2);
    }
    PathPolygon(cr, {{cx - 7, h - 2}, {cx - 2.5, 6}, {cx + 2.5, 6}, {cx + 7, h - 2}});
    Fill(cr, colour::Birch, rng, 1.0, 0.4);
    for (int i = 0; i < 22; ++i) { // the birch's dark marks
        double y = rng.Range(14, h - 10), half = 2.5 + 4.5 * (y / h);
        double x0 = cx - half * rng.Range(0.2, 1.0);
        InkLine(cr, {{x0, y}, {x0 + rng.Range(2, 5), y + rng.Range(-0.5, 0.5)}},
                rng.Range(0.8, 1.6), rng, palette::Ink, 0.85);
    }
    SnowMound(cr, cx - 20, cx + 20, h, h - 8, rng);
}

void BirchArch(cairo_t* cr, double w, double h, int, Rng& rng) {
    // The left half of the arch: a birch bent by frost from the lower left over to the right.
    // The level draws it again mirrored, so the two crowns meet above the lane.
    GroundShadow(cr, 20, h - 4, 18, 4);
    Pt foot{18, h - 2}, c1{14, h * 0.5}, c2{30, h * 0.12}, tip{w - 6, 30};
    auto at = [&](double t) {
        double u = 1 - t;
        return Pt{
            u * u * u * foot.x + 3 * u * u * t * c1.x + 3 * u * t * t * c2.x + t * t * t * tip.x,
            u * u * u * foot.y + 3 * u * u * t * c1.y + 3 * u * t * t * c2.y + t * t * t * tip.y};
    };
    for (int i = 3; i < 12; ++i) { // twigs hanging from the bent trunk
        Pt p = at(i / 12.0);
        for (int k = 0; k < 3; ++k)
            InkCurve(cr, p, {p.x + rng.Range(-4, 8), p.y + 6}, {p.x + rng.Range(-2, 10), p.y + 14},
                     {p.x + rng.Range(-4, 12), p.y + rng.Range(16, 30)}, 0.5, rng, palette::Sepia,
                     0.8);
    }
    std::vector<Pt> left, right;
    for (int i = 0; i <= 16; ++i) {
        double t = i / 16.0, half = 6 * (1 - t) + 1.5 * std::sqrt(1 - t) + 0.3; // to a point
        Pt p = at(t), q = at(std::min(1.0, t + 0.01));
        double dx = q.x - p.x, dy = q.y - p.y, len = std::hypot(dx, dy) + 1e-9;
        left.push_back({p.x - dy / len * half, p.y + dx / len * half});
        right.push_back({p.x + dy / len * half, p.y - dx / len * half});
    }
    std::vector<Pt> trunk = left;
    trunk.insert(trunk.end(), right.rbegin(), right.rend());
    PathPolygon(cr, trunk);
    Fill(cr, colour::Birch, rng, 1.0, 0.4);
    for (int i = 0; i < 18; ++i) {
        Pt p = at(rng.Range(0.05, 0.85));
        InkLine(cr, {{p.x - 2, p.y}, {p.x + 2, p.y + rng.Range(-1, 1)}}, 1.2, rng, palette::Ink,
                0.8);
    }
    std::vector<Pt> snow;
    for (int i = 4; i <= 13; ++i)
        snow.push_back(right[i]);
    SnowCap(cr, snow, 3, rng);
    // The crown's fine twigs fanning out from the tip, so the bent trunk ends in a brush and
    // not in a blunt cut.
    const Pt end = at(1.0);
    for (int k = 0; k < 7; ++k) {
        const double a = -0.9 + k * 0.32 + rng.Range(-0.1, 0.1), len = rng.Range(7, 12);
        const Pt mid{end.x + std::cos(a) * len * 0.5, end.y + std::sin(a) * len * 0.5 + 1};
        InkCurve(cr, at(0.97), mid, mid,
                 {std::min(w - 2, end.x + std::cos(a) * len), end.y + std::sin(a) * len + 2}, 0.45,
                 rng, palette::Sepia, 0.85);
    }
    SnowMound(cr, 2, 40, h, h - 8, rng);
}

void PineBranchSway(cairo_t* cr, double w, double h, int frame, Rng& rng) {
    double dip = frame == 0 ? 0 : 5;
    InkCurve(cr, {-2, 10}, {20, 12}, {45, 16 + dip * 0.6}, {w - 4, 20 + dip}, 2.4, rng,
             colour::Bark);
    for (int i = 0; i < 9; ++i) {
        double t = i / 9.0, x = -2 + (w - 2) * t, y = 10 + (10 + dip) * t * t + 1;
        for (int s : {-1, 1}) {
            PathPolygon(cr, {{x, y}, {x + 9, y + s * 6 + 3}, {x + 5, y + s * 2}});
            Fill(cr, colour::Pine, rng, 0.5, 0.8);
        }
    }
    std::vector<Pt> cap;
    for (int i = 0; i <= 6; ++i) {
        double t = i / 6.0;
        cap.push_back({-2 + (w - 4) * t, 10 + (10 + dip) * t * t - 1});
    }
    SnowCap(cr, cap, 5, rng);
    if (frame == 1) Flakes(cr, w * 0.5, 26 + dip, w * 0.45, h - 28 - dip, 6, rng);
}

} // namespace backart
