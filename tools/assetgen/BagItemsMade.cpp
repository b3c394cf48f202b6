// The made things among the bag items (and the sun): lantern, balloon, umbrella, plank, wheel
// and key.

#include "BagItemParts.h"

#include <cmath>
#include <vector>

namespace bagart {

namespace {

constexpr Rgb SunYellow{0.98, 0.78, 0.22};
constexpr Rgb Flame{0.98, 0.62, 0.16};
constexpr Rgb Brass{0.80, 0.62, 0.24};
constexpr Rgb BalloonRed{0.86, 0.24, 0.26};

} // namespace

void Lantern(cairo_t* cr, double w, double h, int frame, Rng& rng) {
    double cx = w * 0.5;
    double top = h * 0.22, bottom = h * 0.86, half = w * 0.3;
    // Handle ring.
    cairo_new_path(cr);
    cairo_arc(cr, cx, top - 2, 4, Pi, 2 * Pi);
    InkOutline(cr, 1.1, rng, palette::StoneDark, 1.0, 0.2);
    cairo_new_path(cr);
    // Glow around the flame, stronger on the bright frames.
    constexpr double glowAlpha[3] = {0.45, 0.65, 0.35};
    constexpr double flameHeight[3] = {9, 11.5, 8};
    constexpr double flameLean[3] = {0, 1.2, -1.0};
    double fy = (top + bottom) / 2 + 4;
    cairo_pattern_t* g = cairo_pattern_create_radial(cx, fy - 3, 1, cx, fy - 3, w * 0.55);
    cairo_pattern_add_color_stop_rgba(g, 0, 1, 0.85, 0.4, glowAlpha[frame % 3]);
    cairo_pattern_add_color_stop_rgba(g, 1, 1, 0.85, 0.4, 0);
    cairo_set_source(cr, g);
    cairo_paint(cr);
    cairo_pattern_destroy(g);
    // Glass.
    PathRoundedRect(cr, cx - half, top + 3, 2 * half, bottom - top - 6, 2);
    SetColour(cr, {1.0, 0.93, 0.66}, 0.85);
    cairo_fill_preserve(cr);
    Wash(cr, palette::Ochre, 0.35, rng, kSmallWash);
    cairo_new_path(cr);
    // Flame.
    double fh = flameHeight[frame % 3], lean = flameLean[frame % 3];
    cairo_move_to(cr, cx, fy + 3);
    cairo_curve_to(cr, cx + 3.5, fy + 3, cx + 3, fy - fh * 0.4, cx + lean, fy - fh);
    cairo_curve_to(cr, cx - 3, fy - fh * 0.4, cx - 3.5, fy + 3, cx, fy + 3);
    cairo_close_path(cr);
    SetColour(cr, Flame, 0.95);
    cairo_fill(cr);
    cairo_move_to(cr, cx, fy + 2);
    cairo_curve_to(cr, cx + 1.8, fy + 2, cx + 1.5, fy - fh * 0.2, cx + lean * 0.6, fy - fh * 0.6);
    cairo_curve_to(cr, cx - 1.5, fy - fh * 0.2, cx - 1.8, fy + 2, cx, fy + 2);
    SetColour(cr, {1, 0.97, 0.75});
    cairo_fill(cr);
    InkLine(cr, {{cx, fy + 3}, {cx, fy + 6}}, 0.7, rng); // wick
    // Frame: cap, base and bars.
    PathPolygon(cr, {{cx - half - 2, top + 4},
                     {cx - half + 2, top - 1},
                     {cx + half - 2, top - 1},
                     {cx + half + 2, top + 4}});
    Paint(cr, palette::StoneDark, rng, 0.9);
    PathRoundedRect(cr, cx - half - 2, bottom - 4, 2 * half + 4, 5, 1);
    Paint(cr, palette::StoneDark, rng, 0.9);
    for (double bx : {cx - half, cx + half})
        InkLine(cr, {{bx, top + 4}, {bx, bottom - 4}}, 1.2, rng, Darker(palette::StoneDark, 0.3));
    InkLine(cr, {{cx - half + 2, top + 6}, {cx - half + 2, bottom - 8}}, 0.9, rng, {1, 1, 1}, 0.6);
}

void Balloon(cairo_t* cr, double w, double h, int frame, Rng& rng) {
    double cx = w * 0.5;
    if (frame == 0) { // floating on its string, which runs out of the scrap's left side to the
                      // hare's paw (the hare stands just left of the piece in the level)
        double cy = h * 0.36, rx = w * 0.36, ry = h * 0.31;
        InkCurve(cr, {cx, cy + ry + 3}, {cx - 4, cy + ry + 12}, {cx * 0.4, h * 0.86},
                 {1.5, h * 0.8}, 0.8, rng, palette::Sepia);
        PathSmooth(cr, {{cx, cy - ry},
                        {cx + rx * 0.85, cy - ry * 0.6},
                        {cx + rx, cy + ry * 0.05},
                        {cx + rx * 0.55, cy + ry * 0.75},
                        {cx, cy + ry},
                        {cx - rx * 0.55, cy + ry * 0.75},
                        {cx - rx, cy + ry * 0.05},
                        {cx - rx * 0.85, cy - ry * 0.6}});
        SetColour(cr, Lighter(BalloonRed, 0.3), 0.9);
        cairo_fill_preserve(cr);
        Wash(cr, BalloonRed, 0.8, rng, kSmallWash);
        ShadeSide(cr, BalloonRed, cx, cy, std::max(rx, ry));
        InkOutline(cr, 1.0, rng, palette::Ink, 0.9, 0.25);
        cairo_new_path(cr);
        Highlight(cr, {cx - rx * 0.6, cy - ry * 0.1}, {cx - rx * 0.6, cy - ry * 0.55},
                  {cx - rx * 0.2, cy - ry * 0.75}, 2.0, rng, 0.75);
        PathPolygon(cr, {{cx, cy + ry - 1}, {cx + 3, cy + ry + 3.5}, {cx - 3, cy + ry + 3.5}});
        Paint(cr, Darker(BalloonRed, 0.15), rng, 0.7);
        return;
    }
    // Let down: a limp, wrinkled skin with its string tied round the neck in a bow.
    double cy = h * 0.66;
    PathSmooth(cr, {{cx - 2, cy - 10},
                    {cx + 7, cy - 9},
                    {cx + 14, cy - 2},
                    {cx + 13, cy + 6},
                    {cx + 4, cy + 11},
                    {cx - 8, cy + 9},
                    {cx - 14, cy + 3},
                    {cx - 10, cy - 5}});
    SetColour(cr, Lighter(BalloonRed, 0.35), 0.9);
    cairo_fill_preserve(cr);
    Wash(cr, Darker(BalloonRed, 0.1), 0.75, rng, kSmallWash);
    InkOutline(cr, 1.0, rng, palette::Ink, 0.9, 0.35);
    cairo_new_path(cr);
    for (int i = 0; i < 4; ++i) { // wrinkles
        double x = cx - 8 + i * 5 + rng.Range(-1, 1);
        InkCurve(cr, {x, cy - 4}, {x + 2, cy - 1}, {x - 1, cy + 2}, {x + 1, cy + 5}, 0.5, rng,
                 Darker(BalloonRed, 0.5), 0.8);
    }
    // Neck, knot and a bow of string.
    PathPolygon(cr, {{cx - 2, cy - 10}, {cx + 1, cy - 16}, {cx + 3, cy - 9}});
    Paint(cr, Darker(BalloonRed, 0.15), rng, 0.7);
    Pt knot{cx + 1, cy - 16};
    InkCurve(cr, knot, {knot.x - 8, knot.y - 8}, {knot.x - 9, knot.y + 1}, knot, 0.8, rng,
             palette::Sepia);
    InkCurve(cr, knot, {knot.x + 8, knot.y - 9}, {knot.x + 10, knot.y + 1}, knot, 0.8, rng,
             palette::Sepia);
    InkCurve(cr, knot, {knot.x - 3, knot.y + 5}, {knot.x - 6, knot.y + 4}, {knot.x - 8, knot.y + 9},
             0.7, rng, palette::Sepia);
    InkCurve(cr, knot, {knot.x + 4, knot.y + 4}, {knot.x + 6, knot.y + 6}, {knot.x + 8, knot.y + 9},
             0.7, rng, palette::Sepia);
}

void Sun(cairo_t* cr, double w, double h, int frame, Rng& rng) {
    // A big disc with short rays: high in its arc the sun is half above the page, and what shows
    // of it must still read as the sun.
    double cx = w * 0.5, cy = h * 0.5, r = std::min(w, h) * 0.38;
    bool beaming = frame > 0;
    int rays = 12;
    double rayOut = beaming ? std::min(w, h) * 0.5 : r * 1.28;
    std::vector<Pt> star;
    for (int i = 0; i < rays * 2; ++i) {
        double a = i * Pi / rays - Pi / 2;
        double rr = (i % 2 == 0) ? rayOut * (i % 4 == 0 ? 1.0 : 0.88) : r * 1.05;
        star.push_back({cx + rr * std::cos(a), cy + rr * std::sin(a)});
    }
    PathPolygon(cr, star);
    Paint(cr, beaming ? palette::Ochre : Darker(SunYellow, 0.05), rng, 0.8, 0.7);
    PathEllipse(cr, cx, cy, r, r);
    SetColour(cr, Lighter(SunYellow, 0.3), 0.95);
    cairo_fill_preserve(cr);
    Wash(cr, SunYellow, 0.75, rng, kSmallWash);
    ShadeSide(cr, palette::Ochre, cx, cy, r, 0.4);
    InkOutline(cr, 1.0, rng, palette::Ink, 0.9, 0.2);
    cairo_new_path(cr);
    // The face: sleepy when plain, wide awake and smiling when beaming.
    double ex = r * 0.38, ey = cy - r * 0.18;
    if (beaming) {
        Dot(cr, cx - ex, ey, 1.3, palette::Ink);
        Dot(cr, cx + ex, ey, 1.3, palette::Ink);
        Dot(cr, cx - r * 0.55, cy + r * 0.2, 2.2, palette::Rose, 0.6);
        Dot(cr, cx + r * 0.55, cy + r * 0.2, 2.2, palette::Rose, 0.6);
        cairo_new_path(cr);
        cairo_arc(cr, cx, cy + r * 0.1, r * 0.45, 0.15 * Pi, 0.85 * Pi);
        cairo_close_path(cr);
        Paint(cr, palette::Rust, rng, 0.8, 0.6);
    } else {
        InkCurve(cr, {cx - ex - 2, ey}, {cx - ex - 1, ey + 1.5}, {cx - ex + 1, ey + 1.5},
                 {cx - ex + 2, ey}, 0.8, rng);
        InkCurve(cr, {cx + ex - 2, ey}, {cx + ex - 1, ey + 1.5}, {cx + ex + 1, ey + 1.5},
                 {cx + ex + 2, ey}, 0.8, rng);
        InkCurve(cr, {cx - r * 0.3, cy + r * 0.35}, {cx - r * 0.1, cy + r * 0.5},
                 {cx + r * 0.1, cy + r * 0.5}, {cx + r * 0.3, cy + r * 0.35}, 0.8, rng);
    }
}

void Umbrella(cairo_t* cr, double w, double h, int /*frame*/, Rng& rng) {
    double cx = w * 0.5, top = h * 0.1, rim = h * 0.5, half = w * 0.46;
    const int panels = 4;
    // Shaft and crook handle first, so the canopy covers the shaft's top.
    InkLine(cr, {{cx, top}, {cx, h * 0.82}}, 1.6, rng, palette::Wood, 1.0, 0.1);
    InkCurve(cr, {cx, h * 0.82}, {cx, h * 0.97}, {cx - 8, h * 0.97}, {cx - 8, h * 0.86}, 1.8, rng,
             palette::Wood);
    InkLine(cr, {{cx + 0.8, top}, {cx + 0.8, h * 0.82}}, 0.5, rng, palette::Ink, 0.6, 0.1);
    for (int i = 0; i < panels; ++i) {
        double x0 = cx - half + 2 * half * i / panels, x1 = cx - half + 2 * half * (i + 1) / panels;
        cairo_new_path(cr);
        cairo_move_to(cr, cx, top);
        // Outer edge of the canopy, a dome from the tip down to the rim.
        double mid = (x0 + x1) / 2;
        cairo_curve_to(cr, cx + (x0 - cx) * 0.4, top, x0, top + (rim - top) * 0.3, x0, rim);
        cairo_curve_to(cr, mid - 2, rim - 4, mid + 2, rim - 4, x1, rim); // scallop
        cairo_curve_to(cr, x1, top + (rim - top) * 0.3, cx + (x1 - cx) * 0.4, top, cx, top);
        cairo_close_path(cr);
        Paint(cr, (i % 2 == 0) ? palette::Water : palette::Rose, rng, 0.9);
    }
    Dot(cr, cx, top - 1, 1.4, palette::Ink);
}

void Plank(cairo_t* cr, double w, double h, int /*frame*/, Rng& rng) {
    double x0 = 2, x1 = w - 2, y0 = h * 0.18, y1 = h * 0.82;
    PathPolygon(cr, {{x0 + 1, y0},
                     {x1 - 2, y0 + 0.5},
                     {x1, y0 + 3},
                     {x1 - 0.5, y1},
                     {x0 + 2, y1 - 0.5},
                     {x0, y1 - 3},
                     {x0 + 0.5, y0 + 2}});
    SetColour(cr, Lighter(palette::Wood, 0.35), 0.95);
    cairo_fill_preserve(cr);
    Wash(cr, palette::Wood, 0.75, rng,
         {.layers = 3, .jitter = 0.8, .edge = 0.6, .granulation = 0.2});
    InkOutline(cr, 1.0, rng, palette::Ink, 0.9, 0.2);
    cairo_new_path(cr);
    for (int i = 0; i < 3; ++i) { // grain
        double y = y0 + (y1 - y0) * (i + 1) / 4 + rng.Range(-0.6, 0.6);
        InkCurve(cr, {x0 + 4, y}, {w * 0.35, y + rng.Range(-1.5, 1.5)},
                 {w * 0.65, y + rng.Range(-1.5, 1.5)}, {x1 - 4, y}, 0.45, rng,
                 Darker(palette::Wood, 0.5), 0.7);
    }
    cairo_new_path(cr); // a knot
    PathEllipse(cr, w * 0.62, (y0 + y1) / 2, 3.5, 1.6);
    InkOutline(cr, 0.6, rng, Darker(palette::Wood, 0.5), 0.9, 0.1);
    cairo_new_path(cr);
    for (double x : {x0 + 4.5, x1 - 4.5}) { // nails
        Dot(cr, x, (y0 + y1) / 2, 1.4, palette::StoneDark);
        Dot(cr, x - 0.4, (y0 + y1) / 2 - 0.4, 0.5, {1, 1, 1}, 0.7);
    }
}

void Wheel(cairo_t* cr, double w, double h, int frame, Rng& rng) {
    double cx = w * 0.5, cy = h * 0.5, r = std::min(w, h) * 0.44, band = 4.0;
    const int spokes = 6;
    double turn = frame * (2 * Pi / spokes) / 3; // three frames make one spoke step
    for (int i = 0; i < spokes; ++i) {
        double a = turn + i * 2 * Pi / spokes;
        Pt p0{cx + 3 * std::cos(a), cy + 3 * std::sin(a)};
        Pt p1{cx + (r - band + 0.5) * std::cos(a), cy + (r - band + 0.5) * std::sin(a)};
        InkLine(cr, {p0, p1}, 2.2, rng, palette::Wood, 1.0, 0.1);
        InkLine(cr, {p0, p1}, 0.5, rng, palette::Ink, 0.6, 0.1);
    }
    cairo_new_path(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    PathEllipse(cr, cx, cy, r, r);
    PathEllipse(cr, cx, cy, r - band, r - band);
    Paint(cr, palette::Wood, rng, 0.9);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    for (int i = 0; i < spokes; ++i) { // iron studs on the tyre, between the spokes
        double a = turn + (i + 0.5) * 2 * Pi / spokes;
        Dot(cr, cx + (r - band / 2) * std::cos(a), cy + (r - band / 2) * std::sin(a), 0.7,
            palette::Ink, 0.8);
    }
    PathEllipse(cr, cx, cy, 4, 4);
    Paint(cr, palette::StoneDark, rng, 0.9);
    Dot(cr, cx - 0.8, cy - 0.8, 1.0, {1, 1, 1}, 0.6);
}

void Key(cairo_t* cr, double w, double h, int /*frame*/, Rng& rng) {
    double cy = h * 0.5, bowX = h * 0.42, bowR = h * 0.34;
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    PathEllipse(cr, bowX, cy, bowR, bowR);
    PathEllipse(cr, bowX, cy, bowR * 0.45, bowR * 0.45);
    // Shaft and the bit with two teeth.
    double s0 = bowX + bowR - 1, s1 = w - 2;
    cairo_new_sub_path(cr);
    PathPolygon(cr, {{s0, cy - 1.6},
                     {s1, cy - 1.6},
                     {s1, cy + 5},
                     {s1 - 3, cy + 5},
                     {s1 - 3, cy + 2.5},
                     {s1 - 6, cy + 2.5},
                     {s1 - 6, cy + 6},
                     {s1 - 9, cy + 6},
                     {s1 - 9, cy + 1.6},
                     {s0, cy + 1.6}});
    SetColour(cr, Lighter(Brass, 0.3), 0.95);
    cairo_fill_preserve(cr);
    Wash(cr, Brass, 0.8, rng, kSmallWash);
    InkOutline(cr, 0.9, rng, palette::Ink, 0.9, 0.15);
    cairo_new_path(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    InkLine(cr, {{s0 + 2, cy - 0.6}, {s1 - 2, cy - 0.6}}, 0.6, rng, {1, 1, 0.9}, 0.8, 0.1);
    Highlight(cr, {bowX - bowR * 0.7, cy}, {bowX - bowR * 0.6, cy - bowR * 0.6},
              {bowX, cy - bowR * 0.75}, 1.0, rng, 0.8);
}

} // namespace bagart
