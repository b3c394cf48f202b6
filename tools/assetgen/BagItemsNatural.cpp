// The natural things among the bag items: the boulder, fruit, the bird, the acorn and the egg.

#include "BagItemParts.h"

#include <cmath>
#include <vector>

namespace bagart {

namespace {

constexpr Rgb AppleRed{0.80, 0.20, 0.16};
constexpr Rgb PearGreen{0.66, 0.72, 0.28};
constexpr Rgb LemonYellow{0.96, 0.82, 0.22};
constexpr Rgb Bluebird{0.30, 0.52, 0.78};
constexpr Rgb Beak{0.92, 0.55, 0.18};
constexpr Rgb EggShell{0.96, 0.93, 0.86};
constexpr Rgb Chick{0.98, 0.85, 0.30};
constexpr Rgb AcornBrown{0.66, 0.44, 0.20};

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

} // namespace

void Boulder(cairo_t* cr, double w, double h, int /*frame*/, Rng& rng) {
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

void Apple(cairo_t* cr, double w, double h, int /*frame*/, Rng& rng) {
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

void Pear(cairo_t* cr, double w, double h, int /*frame*/, Rng& rng) {
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

void Plum(cairo_t* cr, double w, double h, int /*frame*/, Rng& rng) {
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

void Acorn(cairo_t* cr, double w, double h, int /*frame*/, Rng& rng) {
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

void Lemon(cairo_t* cr, double w, double h, int /*frame*/, Rng& rng) {
    cairo_save(cr);
    cairo_translate(cr, w * 0.5, h * 0.56);
    cairo_rotate(cr, -0.2);
    double rx = w * 0.36, ry = h * 0.3;
    // An oval with a nub at each end.
    PathSmooth(cr, {{-rx - 5, 0},
                    {-rx + 1, -ry * 0.45},
                    {-rx * 0.55, -ry * 0.95},
                    {0, -ry},
                    {rx * 0.55, -ry * 0.95},
                    {rx - 1, -ry * 0.45},
                    {rx + 5, 0},
                    {rx - 1, ry * 0.45},
                    {rx * 0.55, ry * 0.95},
                    {0, ry},
                    {-rx * 0.55, ry * 0.95},
                    {-rx + 1, ry * 0.45}});
    SetColour(cr, Lighter(LemonYellow, 0.35), 0.9);
    cairo_fill_preserve(cr);
    Wash(cr, LemonYellow, 0.8, rng, kSmallWash);
    ShadeSide(cr, Blend(LemonYellow, palette::Ochre, 0.5), 0, 0, rx, 0.4);
    InkOutline(cr, 1.0, rng, palette::Ink, 0.9, 0.25);
    cairo_new_path(cr);
    for (int i = 0; i < 14; ++i) // pores in the peel
        Dot(cr, rng.Range(-0.7, 0.7) * rx, rng.Range(-0.6, 0.6) * ry, 0.4, palette::Ochre, 0.7);
    Highlight(cr, {-rx * 0.6, -ry * 0.2}, {-rx * 0.4, -ry * 0.65}, {rx * 0.1, -ry * 0.7}, 1.6, rng,
              0.7);
    cairo_restore(cr);
    Leaf(cr, {w * 0.8, h * 0.3}, -2.2, w * 0.26, h * 0.09, rng);
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

} // namespace bagart
