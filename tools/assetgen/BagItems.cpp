#include "BagItems.h"

#include <cmath>

namespace {

constexpr double Pi = 3.14159265358979323846;

constexpr Rgb AppleRed{0.80, 0.20, 0.16};
constexpr Rgb PearGreen{0.66, 0.72, 0.28};
constexpr Rgb LemonYellow{0.96, 0.82, 0.22};
constexpr Rgb SunYellow{0.98, 0.78, 0.22};
constexpr Rgb Flame{0.98, 0.62, 0.16};
constexpr Rgb Brass{0.80, 0.62, 0.24};
constexpr Rgb Bluebird{0.30, 0.52, 0.78};
constexpr Rgb Beak{0.92, 0.55, 0.18};
constexpr Rgb EggShell{0.96, 0.93, 0.86};
constexpr Rgb Chick{0.98, 0.85, 0.30};
constexpr Rgb AcornBrown{0.66, 0.44, 0.20};
constexpr Rgb BalloonRed{0.86, 0.24, 0.26};

// Washes for small objects: the jitter of a big wash would swallow a 30-pixel apple.
constexpr WashStyle kSmallWash{
    .layers = 3, .jitter = 0.7, .edge = 0.6, .granulation = 0.15, .blooms = 0.3};

// The current path as a painted shape: a light base so the paper does not show through, the
// wash, then the ink line. Clears the path.
void Paint(cairo_t* cr, Rgb colour, Rng& rng, double ink = 1.0, double washAlpha = 0.75) {
    SetColour(cr, Lighter(colour, 0.35), 0.9);
    cairo_fill_preserve(cr);
    Wash(cr, colour, washAlpha, rng, kSmallWash);
    if (ink > 0) InkOutline(cr, ink, rng, palette::Ink, 0.9, 0.25);
    cairo_new_path(cr);
}

// A darker patch on the shadow side of the current path (light comes from the top left).
void ShadeSide(cairo_t* cr, Rgb colour, double cx, double cy, double r, double alpha = 0.45) {
    cairo_save(cr);
    cairo_clip_preserve(cr);
    cairo_pattern_t* g =
        cairo_pattern_create_radial(cx - r * 0.45, cy - r * 0.45, r * 0.4, cx, cy, r * 1.25);
    Rgb d = Darker(colour, 0.45);
    cairo_pattern_add_color_stop_rgba(g, 0, d.r, d.g, d.b, 0);
    cairo_pattern_add_color_stop_rgba(g, 1, d.r, d.g, d.b, alpha);
    cairo_set_source(cr, g);
    cairo_paint(cr);
    cairo_pattern_destroy(g);
    cairo_restore(cr);
}

void Highlight(cairo_t* cr, Pt a, Pt c, Pt b, double width, Rng& rng, double alpha = 0.8) {
    InkCurve(cr, a, c, c, b, width, rng, {1, 1, 0.97}, alpha);
}

void Leaf(cairo_t* cr, Pt base, double angle, double length, double width, Rng& rng,
          Rgb colour = palette::Leaf) {
    double c = std::cos(angle), s = std::sin(angle);
    auto at = [&](double u, double v) {
        return Pt{base.x + c * u - s * v, base.y + s * u + c * v};
    };
    cairo_move_to(cr, base.x, base.y);
    Pt p1 = at(length * 0.3, -width), p2 = at(length * 0.8, -width * 0.8), tip = at(length, 0);
    Pt q1 = at(length * 0.8, width * 0.8), q2 = at(length * 0.3, width);
    cairo_curve_to(cr, p1.x, p1.y, p2.x, p2.y, tip.x, tip.y);
    cairo_curve_to(cr, q1.x, q1.y, q2.x, q2.y, base.x, base.y);
    cairo_close_path(cr);
    Paint(cr, colour, rng, 0.8);
    InkLine(cr, {at(length * 0.1, 0), at(length * 0.85, 0)}, 0.5, rng, Darker(colour, 0.5), 0.8);
}

void Stem(cairo_t* cr, Pt a, Pt b, Rng& rng) {
    InkLine(cr, {a, {(a.x + b.x) / 2 + 0.6, (a.y + b.y) / 2}, b}, 1.6, rng, palette::Wood, 1.0,
            0.2);
    InkLine(cr, {a, b}, 0.5, rng, palette::Ink, 0.6, 0.2);
}

void Dot(cairo_t* cr, double x, double y, double r, Rgb colour, double alpha = 1.0) {
    cairo_new_path(cr);
    PathEllipse(cr, x, y, r, r);
    SetColour(cr, colour, alpha);
    cairo_fill(cr);
}

// --- The items. Each paints inside (0, 0, w, h).

void Boulder(cairo_t* cr, double w, double h, Rng& rng) {
    double cx = w * 0.5, cy = h * 0.53, rx = w * 0.43, ry = h * 0.39;
    Rng shapeRng = rng, outlineRng = rng; // the same blob twice: for the wash and the ink
    PathBlob(cr, cx, cy, rx, ry, shapeRng, 0.07, 11);
    SetColour(cr, palette::Stone);
    cairo_fill_preserve(cr);
    Wash(cr, palette::StoneDark, 0.5, rng,
         {.layers = 3, .jitter = 1.5, .edge = 0.7, .granulation = 0.5, .blooms = 0.6});
    ShadeSide(cr, palette::StoneDark, cx, cy, std::max(rx, ry), 0.55);
    cairo_save(cr);
    cairo_clip_preserve(cr);
    cairo_new_path(cr); // moss on the crown
    PathBlob(cr, cx - rx * 0.25, cy - ry * 0.85, rx * 0.5, ry * 0.3, rng, 0.3, 9);
    Wash(cr, palette::Moss, 0.7, rng, kSmallWash);
    cairo_new_path(cr);
    cairo_restore(cr);
    PathBlob(cr, cx, cy, rx, ry, outlineRng, 0.07, 11);
    InkOutline(cr, 1.3, rng, palette::Ink, 0.95, 0.4);
    cairo_new_path(cr);
    InkCurve(cr, {cx + rx * 0.15, cy - ry * 0.4}, {cx + rx * 0.3, cy - ry * 0.1},
             {cx + rx * 0.1, cy + ry * 0.1}, {cx + rx * 0.35, cy + ry * 0.4}, 0.8, rng);
    InkCurve(cr, {cx - rx * 0.6, cy + ry * 0.3}, {cx - rx * 0.4, cy + ry * 0.35},
             {cx - rx * 0.3, cy + ry * 0.5}, {cx - rx * 0.1, cy + ry * 0.55}, 0.7, rng);
    Highlight(cr, {cx - rx * 0.7, cy - ry * 0.1}, {cx - rx * 0.6, cy - ry * 0.6},
              {cx - rx * 0.2, cy - ry * 0.75}, 1.6, rng, 0.6);
    for (int i = 0; i < 10; ++i) // pits in the stone
        Dot(cr, cx + rng.Range(-0.6, 0.6) * rx, cy + rng.Range(-0.4, 0.6) * ry, rng.Range(0.4, 0.9),
            palette::Ink, 0.45);
}

void Apple(cairo_t* cr, double w, double h, Rng& rng) {
    double cx = w * 0.5, top = h * 0.27, bottom = h * 0.92, r = std::min(w, h) * 0.4;
    cairo_move_to(cr, cx, top + 2);
    cairo_curve_to(cr, cx + r * 0.5, top - 2, cx + r * 1.2, top, cx + r * 1.05, top + r);
    cairo_curve_to(cr, cx + r * 0.95, bottom - 3, cx + r * 0.3, bottom + 1, cx, bottom - 1.5);
    cairo_curve_to(cr, cx - r * 0.3, bottom + 1, cx - r * 0.95, bottom - 3, cx - r * 1.05, top + r);
    cairo_curve_to(cr, cx - r * 1.2, top, cx - r * 0.5, top - 2, cx, top + 2);
    cairo_close_path(cr);
    SetColour(cr, Lighter(AppleRed, 0.3), 0.9);
    cairo_fill_preserve(cr);
    Wash(cr, AppleRed, 0.8, rng, kSmallWash);
    ShadeSide(cr, AppleRed, cx, (top + bottom) / 2, r * 1.1);
    InkOutline(cr, 1.0, rng, palette::Ink, 0.9, 0.25);
    cairo_new_path(cr);
    Highlight(cr, {cx - r * 0.75, top + r * 0.5}, {cx - r * 0.7, top + r * 0.1},
              {cx - r * 0.35, top + r * 0.05}, 1.3, rng);
    Stem(cr, {cx, top + 2.5}, {cx + 1.5, top - 5}, rng);
    Leaf(cr, {cx + 1, top - 2}, -0.5, r * 0.9, r * 0.3, rng);
}

void Bird(cairo_t* cr, double w, double h, int frame, Rng& rng) {
    // The flap: wings up, level, down, level; the body rises on the downstroke.
    int pose = (frame % 4 == 3) ? 1 : frame % 4;
    double bx = w * 0.5, by = h * 0.6 + (pose == 0 ? 1.0 : pose == 2 ? -1.0 : 0.0);
    // Tail.
    PathPolygon(cr, {{bx - 8, by - 1},
                     {bx - 18, by - 7},
                     {bx - 17, by - 1},
                     {bx - 19, by + 3},
                     {bx - 8, by + 3}});
    Paint(cr, Darker(Bluebird, 0.2), rng, 0.8);
    if (pose == 0) { // far wing, showing behind the body on the upstroke
        PathSmooth(cr, {{bx + 2, by - 4}, {bx + 7, by - 15}, {bx + 10, by - 13}, {bx + 7, by - 4}});
        Paint(cr, Darker(Bluebird, 0.35), rng, 0.7);
    }
    // Body with its russet breast, then the head over it.
    PathEllipse(cr, bx, by, 10.5, 7);
    SetColour(cr, Lighter(Bluebird, 0.3), 0.95);
    cairo_fill_preserve(cr);
    Wash(cr, Bluebird, 0.75, rng, kSmallWash);
    cairo_save(cr);
    cairo_clip_preserve(cr);
    cairo_new_path(cr);
    PathEllipse(cr, bx + 2, by + 4, 8, 4.5);
    SetColour(cr, {0.95, 0.72, 0.52}, 0.9);
    cairo_fill_preserve(cr);
    Wash(cr, palette::Rust, 0.45, rng, kSmallWash);
    cairo_restore(cr);
    cairo_new_path(cr);
    PathEllipse(cr, bx, by, 10.5, 7);
    InkOutline(cr, 0.9, rng, palette::Ink, 0.9, 0.2);
    cairo_new_path(cr);
    PathEllipse(cr, bx + 9, by - 5, 5.5, 5.2);
    Paint(cr, Bluebird, rng, 0.9);
    PathPolygon(cr, {{bx + 14, by - 6.5}, {bx + 19, by - 4.5}, {bx + 14, by - 3}});
    Paint(cr, Beak, rng, 0.6);
    Dot(cr, bx + 10.5, by - 6, 1.1, palette::Ink);
    Dot(cr, bx + 10.8, by - 6.4, 0.35, {1, 1, 1});
    // Near wing, feathered trailing edge.
    static const std::vector<Pt> wings[3] = {
        {{3, -3}, {3, -11}, {-1, -18}, {-3, -14}, {-6, -16}, {-7, -11}, {-10, -11}, {-6, -3}},
        {{4, -2}, {2, -5}, {-6, -5}, {-15, -3}, {-11, 0}, {-12, 2}, {-6, 3}, {1, 2}},
        {{3, -1}, {3, 6}, {-1, 14}, {-3, 10}, {-6, 12}, {-7, 8}, {-10, 7}, {-6, 1}}};
    std::vector<Pt> wing;
    for (Pt p : wings[pose])
        wing.push_back({bx + p.x, by + p.y});
    PathSmooth(cr, wing, true);
    Paint(cr, Darker(Bluebird, 0.15), rng, 0.8);
    InkLine(
        cr,
        {{wing[0].x - 2, wing[0].y}, {(wing[2].x + wing[5].x) / 2, (wing[2].y + wing[5].y) / 2}},
        0.5, rng, palette::Ink, 0.6); // a feather line
}

void Pear(cairo_t* cr, double w, double h, Rng& rng) {
    double cx = w * 0.5;
    PathSmooth(cr, {{cx, h * 0.15},
                    {cx + w * 0.16, h * 0.25},
                    {cx + w * 0.2, h * 0.45},
                    {cx + w * 0.4, h * 0.68},
                    {cx + w * 0.24, h * 0.92},
                    {cx - w * 0.24, h * 0.92},
                    {cx - w * 0.4, h * 0.68},
                    {cx - w * 0.2, h * 0.45},
                    {cx - w * 0.14, h * 0.25}});
    SetColour(cr, Lighter(PearGreen, 0.35), 0.9);
    cairo_fill_preserve(cr);
    Wash(cr, PearGreen, 0.75, rng, kSmallWash);
    ShadeSide(cr, PearGreen, cx, h * 0.6, w * 0.4);
    InkOutline(cr, 1.0, rng, palette::Ink, 0.9, 0.25);
    cairo_new_path(cr);
    for (int i = 0; i < 8; ++i)
        Dot(cr, cx + rng.Range(-0.25, 0.25) * w, h * rng.Range(0.4, 0.85), 0.4, palette::Sepia,
            0.6);
    Highlight(cr, {cx - w * 0.28, h * 0.75}, {cx - w * 0.3, h * 0.62}, {cx - w * 0.16, h * 0.5},
              1.2, rng);
    Stem(cr, {cx, h * 0.17}, {cx - 1.5, h * 0.04}, rng);
    Leaf(cr, {cx, h * 0.13}, -0.3, w * 0.32, w * 0.1, rng);
}

void Plum(cairo_t* cr, double w, double h, Rng& rng) {
    double cx = w * 0.5, cy = h * 0.58, rx = w * 0.38, ry = h * 0.34;
    PathSmooth(cr, {{cx, cy - ry},
                    {cx + rx * 0.8, cy - ry * 0.75},
                    {cx + rx, cy + ry * 0.1},
                    {cx + rx * 0.6, cy + ry * 0.85},
                    {cx, cy + ry},
                    {cx - rx * 0.65, cy + ry * 0.8},
                    {cx - rx, cy},
                    {cx - rx * 0.75, cy - ry * 0.75}});
    SetColour(cr, Lighter(palette::Plum, 0.3), 0.9);
    cairo_fill_preserve(cr);
    Wash(cr, palette::Plum, 0.85, rng, kSmallWash);
    ShadeSide(cr, palette::Plum, cx, cy, std::max(rx, ry), 0.55);
    InkOutline(cr, 1.0, rng, palette::Ink, 0.9, 0.25);
    cairo_new_path(cr);
    InkCurve(cr, {cx + 1, cy - ry + 1}, {cx + rx * 0.4, cy - ry * 0.3},
             {cx + rx * 0.4, cy + ry * 0.4}, {cx + 1, cy + ry - 1}, 0.6, rng,
             Darker(palette::Plum, 0.5), 0.8); // the crease
    Highlight(cr, {cx - rx * 0.7, cy + ry * 0.2}, {cx - rx * 0.75, cy - ry * 0.4},
              {cx - rx * 0.3, cy - ry * 0.7}, 1.4, rng, 0.55);
    Stem(cr, {cx, cy - ry + 1}, {cx + 2, h * 0.1}, rng);
    Leaf(cr, {cx + 1.5, h * 0.14}, -0.2, w * 0.35, w * 0.1, rng);
}

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

void Acorn(cairo_t* cr, double w, double h, Rng& rng) {
    // An oak leaf behind, the acorn lying across it.
    Pt base{w * 0.12, h * 0.85};
    double a = -0.65, len = w * 0.62;
    double c = std::cos(a), s = std::sin(a);
    std::vector<Pt> leaf;
    for (int i = 0; i <= 12; ++i) { // lobed edge, out along one side and back along the other
        double t = i / 12.0;
        double lobe = (i % 2 == 0) ? 1.0 : 0.55;
        double v = std::sin(t * Pi) * h * 0.2 * lobe;
        leaf.push_back({base.x + c * t * len - s * v, base.y + s * t * len + c * v});
    }
    for (int i = 11; i >= 1; --i) {
        double t = i / 12.0;
        double lobe = (i % 2 == 0) ? 1.0 : 0.55;
        double v = -std::sin(t * Pi) * h * 0.2 * lobe;
        leaf.push_back({base.x + c * t * len - s * v, base.y + s * t * len + c * v});
    }
    PathSmooth(cr, leaf, true);
    Paint(cr, palette::Moss, rng, 0.8, 0.65);
    InkLine(cr, {base, {base.x + c * len * 0.95, base.y + s * len * 0.95}}, 0.6, rng,
            Darker(palette::Moss, 0.5));
    // The acorn, tilted.
    cairo_save(cr);
    cairo_translate(cr, w * 0.6, h * 0.55);
    cairo_rotate(cr, 0.5);
    double rx = h * 0.26, ry = h * 0.34;
    PathSmooth(cr, {{-rx, -ry * 0.15},
                    {-rx * 0.85, ry * 0.55},
                    {0, ry * 1.05},
                    {rx * 0.85, ry * 0.55},
                    {rx, -ry * 0.15}});
    SetColour(cr, Lighter(AcornBrown, 0.35), 0.9);
    cairo_fill_preserve(cr);
    Wash(cr, AcornBrown, 0.8, rng, kSmallWash);
    ShadeSide(cr, AcornBrown, 0, ry * 0.3, rx * 1.2);
    InkOutline(cr, 1.0, rng, palette::Ink, 0.9, 0.2);
    cairo_new_path(cr);
    Highlight(cr, {-rx * 0.6, ry * 0.05}, {-rx * 0.6, ry * 0.45}, {-rx * 0.2, ry * 0.7}, 1.2, rng,
              0.7);
    Dot(cr, 0, ry * 1.02, 0.9, palette::Sepia);
    // Cap: a dome with crossed scales and a stalk.
    cairo_new_path(cr);
    cairo_move_to(cr, -rx * 1.18, -ry * 0.1);
    cairo_curve_to(cr, -rx * 1.2, -ry * 0.95, rx * 1.2, -ry * 0.95, rx * 1.18, -ry * 0.1);
    cairo_curve_to(cr, rx * 0.5, ry * 0.05, -rx * 0.5, ry * 0.05, -rx * 1.18, -ry * 0.1);
    cairo_close_path(cr);
    SetColour(cr, Lighter(palette::Wood, 0.3), 0.95);
    cairo_fill_preserve(cr);
    Wash(cr, Darker(palette::Wood, 0.15), 0.8, rng, kSmallWash);
    Hatch(cr, 0.8, 2.6, 0.4, rng, palette::Ink, 0.55);
    Hatch(cr, -0.8, 2.6, 0.4, rng, palette::Ink, 0.55);
    InkOutline(cr, 1.0, rng, palette::Ink, 0.9, 0.2);
    cairo_new_path(cr);
    InkLine(cr, {{0, -ry * 0.7}, {1, -ry * 0.9}, {2.5, -ry * 1.05}}, 1.4, rng, palette::Wood);
    cairo_restore(cr);
}

void Balloon(cairo_t* cr, double w, double h, int frame, Rng& rng) {
    double cx = w * 0.5;
    if (frame == 0) { // floating on its string
        double cy = h * 0.36, rx = w * 0.36, ry = h * 0.31;
        InkCurve(cr, {cx, cy + ry + 3}, {cx - 5, cy + ry + 12}, {cx + 6, h * 0.8},
                 {cx - 1, h * 0.96}, 0.8, rng, palette::Sepia);
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

void Lemon(cairo_t* cr, double w, double h, Rng& rng) {
    cairo_save(cr);
    cairo_translate(cr, w * 0.5, h * 0.55);
    cairo_rotate(cr, -0.25);
    double rx = w * 0.4, ry = h * 0.32;
    PathSmooth(cr, {{-rx - 3, 0},
                    {-rx * 0.8, -ry * 0.75},
                    {0, -ry},
                    {rx * 0.8, -ry * 0.75},
                    {rx + 3, 0},
                    {rx * 0.8, ry * 0.75},
                    {0, ry},
                    {-rx * 0.8, ry * 0.75}});
    SetColour(cr, Lighter(LemonYellow, 0.35), 0.9);
    cairo_fill_preserve(cr);
    Wash(cr, LemonYellow, 0.8, rng, kSmallWash);
    ShadeSide(cr, palette::Ochre, 0, 0, rx, 0.5);
    InkOutline(cr, 1.0, rng, palette::Ink, 0.9, 0.25);
    cairo_new_path(cr);
    for (int i = 0; i < 14; ++i) // pores in the peel
        Dot(cr, rng.Range(-0.7, 0.7) * rx, rng.Range(-0.6, 0.6) * ry, 0.4, palette::Ochre, 0.7);
    Highlight(cr, {-rx * 0.6, -ry * 0.2}, {-rx * 0.4, -ry * 0.65}, {rx * 0.1, -ry * 0.7}, 1.6, rng,
              0.7);
    cairo_restore(cr);
    Leaf(cr, {w * 0.86, h * 0.36}, -2.4, w * 0.3, h * 0.1, rng);
}

void Sun(cairo_t* cr, double w, double h, int frame, Rng& rng) {
    double cx = w * 0.5, cy = h * 0.5, r = std::min(w, h) * 0.3;
    bool beaming = frame > 0;
    int rays = 12;
    double rayOut = beaming ? std::min(w, h) * 0.48 : r * 1.45;
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

void Umbrella(cairo_t* cr, double w, double h, Rng& rng) {
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

void Plank(cairo_t* cr, double w, double h, Rng& rng) {
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

void EggShape(cairo_t* cr, double cx, double cy, double rx, double ry) {
    PathSmooth(cr, {{cx, cy - ry},
                    {cx + rx * 0.7, cy - ry * 0.6},
                    {cx + rx, cy + ry * 0.2},
                    {cx + rx * 0.6, cy + ry * 0.85},
                    {cx, cy + ry},
                    {cx - rx * 0.6, cy + ry * 0.85},
                    {cx - rx, cy + ry * 0.2},
                    {cx - rx * 0.7, cy - ry * 0.6}});
}

void Egg(cairo_t* cr, double w, double h, int frame, Rng& rng) {
    double cx = w * 0.5, cy = h * 0.55, rx = w * 0.36, ry = h * 0.38;
    if (frame == 0) {
        EggShape(cr, cx, cy, rx, ry);
        SetColour(cr, EggShell, 0.97);
        cairo_fill_preserve(cr);
        Wash(cr, palette::Ochre, 0.15, rng, kSmallWash);
        ShadeSide(cr, palette::PaperShade, cx, cy, std::max(rx, ry), 0.7);
        InkOutline(cr, 1.0, rng, palette::Ink, 0.9, 0.2);
        cairo_new_path(cr);
        for (int i = 0; i < 7; ++i)
            Dot(cr, cx + rng.Range(-0.5, 0.5) * rx, cy + rng.Range(-0.5, 0.6) * ry, 0.5,
                palette::Sepia, 0.5);
        Highlight(cr, {cx - rx * 0.55, cy + ry * 0.1}, {cx - rx * 0.6, cy - ry * 0.4},
                  {cx - rx * 0.2, cy - ry * 0.7}, 1.3, rng, 0.9);
        return;
    }
    // Hatched: the chick looks out of the lower shell wearing the top as a cap.
    double crack = cy + ry * 0.05;
    PathEllipse(cr, cx, crack - 3.5, rx * 0.8, rx * 0.75); // chick's head
    SetColour(cr, Chick);
    cairo_fill_preserve(cr);
    Wash(cr, palette::Ochre, 0.3, rng, {.layers = 2, .jitter = 0.3, .edge = 0.5, .granulation = 0});
    InkOutline(cr, 0.9, rng, palette::Ink, 0.9, 0.1);
    cairo_new_path(cr);
    Dot(cr, cx - 2.8, crack - 5, 1.1, palette::Ink);
    Dot(cr, cx + 2.8, crack - 5, 1.1, palette::Ink);
    PathPolygon(cr, {{cx - 1.8, crack - 3}, {cx + 1.8, crack - 3}, {cx, crack}});
    Paint(cr, Beak, rng, 0.5);
    // Lower shell with a zigzag rim.
    std::vector<Pt> lower;
    int teeth = 6;
    for (int i = 0; i <= teeth; ++i)
        lower.push_back({cx - rx + 2 * rx * i / teeth, crack + ((i % 2) ? -2.5 : 1.0)});
    lower.push_back({cx + rx * 0.85, cy + ry * 0.7});
    lower.push_back({cx, cy + ry});
    lower.push_back({cx - rx * 0.85, cy + ry * 0.7});
    PathPolygon(cr, lower);
    SetColour(cr, EggShell, 0.97);
    cairo_fill_preserve(cr);
    ShadeSide(cr, palette::PaperShade, cx, cy + ry * 0.4, rx, 0.7);
    InkOutline(cr, 1.0, rng, palette::Ink, 0.9, 0.15);
    cairo_new_path(cr);
    // Top of the shell, tipped on the head.
    cairo_save(cr);
    cairo_translate(cr, cx + 1, crack - 10);
    cairo_rotate(cr, 0.35);
    std::vector<Pt> cap;
    for (int i = 0; i <= teeth; ++i)
        cap.push_back({-rx * 0.8 + 1.6 * rx * i / teeth, ((i % 2) ? 2.0 : -0.5)});
    cap.push_back({rx * 0.5, -ry * 0.4});
    cap.push_back({0, -ry * 0.55});
    cap.push_back({-rx * 0.5, -ry * 0.4});
    PathPolygon(cr, cap);
    SetColour(cr, EggShell, 0.97);
    cairo_fill_preserve(cr);
    InkOutline(cr, 0.9, rng, palette::Ink, 0.9, 0.15);
    cairo_new_path(cr);
    cairo_restore(cr);
}

void Key(cairo_t* cr, double w, double h, Rng& rng) {
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

} // namespace

void PaintBagItem(cairo_t* cr, int item, int frame, double w, double h, Rng& rng) {
    cairo_save(cr);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    switch (item) {
    case 0:
        Boulder(cr, w, h, rng);
        break;
    case 1:
        Apple(cr, w, h, rng);
        break;
    case 2:
        Bird(cr, w, h, frame, rng);
        break;
    case 3:
        Pear(cr, w, h, rng);
        break;
    case 4:
        Plum(cr, w, h, rng);
        break;
    case 5:
        Lantern(cr, w, h, frame, rng);
        break;
    case 6:
        Acorn(cr, w, h, rng);
        break;
    case 7:
        Balloon(cr, w, h, frame, rng);
        break;
    case 8:
        Lemon(cr, w, h, rng);
        break;
    case 9:
        Sun(cr, w, h, frame, rng);
        break;
    case 10:
        Umbrella(cr, w, h, rng);
        break;
    case 11:
        Plank(cr, w, h, rng);
        break;
    case 12:
        Wheel(cr, w, h, frame, rng);
        break;
    case 13:
        Egg(cr, w, h, frame, rng);
        break;
    case 14:
        Key(cr, w, h, rng);
        break;
    default:
        break;
    }
    cairo_new_path(cr);
    cairo_restore(cr);
}
