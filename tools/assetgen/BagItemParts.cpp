#include "BagItemParts.h"
#include "BagItems.h"

#include <cmath>

namespace bagart {

void Paint(cairo_t* cr, Rgb colour, Rng& rng, double ink, double washAlpha) {
    SetColour(cr, Lighter(colour, 0.35), 0.9);
    cairo_fill_preserve(cr);
    Wash(cr, colour, washAlpha, rng, kSmallWash);
    if (ink > 0) InkOutline(cr, ink, rng, palette::Ink, 0.9, 0.25);
    cairo_new_path(cr);
}

void ShadeSide(cairo_t* cr, Rgb colour, double cx, double cy, double r, double alpha) {
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

void Highlight(cairo_t* cr, Pt a, Pt c, Pt b, double width, Rng& rng, double alpha) {
    InkCurve(cr, a, c, c, b, width, rng, {1, 1, 0.97}, alpha);
}

void Leaf(cairo_t* cr, Pt base, double angle, double length, double width, Rng& rng, Rgb colour) {
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

void Dot(cairo_t* cr, double x, double y, double r, Rgb colour, double alpha) {
    cairo_new_path(cr);
    PathEllipse(cr, x, y, r, r);
    SetColour(cr, colour, alpha);
    cairo_fill(cr);
}

// --- The items. Each paints inside (0, 0, w, h).

} // namespace bagart

void PaintBagItem(cairo_t* cr, int item, int frame, double w, double h, Rng& rng) {
    using namespace bagart;
    using Painter = void (*)(cairo_t*, double, double, int, Rng&);
    static constexpr Painter kPainters[kBagItemCount] = {Boulder,  Apple, Bird,    Pear,  Plum,
                                                         Lantern,  Acorn, Balloon, Lemon, Sun,
                                                         Umbrella, Plank, Wheel,   Egg,   Key};
    if (item < 0 || item >= kBagItemCount) return;
    cairo_save(cr);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    kPainters[item](cr, w, h, frame, rng);
    cairo_new_path(cr);
    cairo_restore(cr);
}
