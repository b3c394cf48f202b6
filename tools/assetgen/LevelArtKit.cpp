#include "LevelArtKit.h"

#include "TitleArt.h"

#include <cmath>

namespace levelart {

namespace {

constexpr WashStyle kSmall{
    .layers = 3, .jitter = 0.8, .edge = 0.6, .granulation = 0.15, .blooms = 0.3};

// Darkens the lower right of the current path (light from the top left); keeps the path.
void Shade(cairo_t* cr, Rgb colour, double cx, double cy, double r, double alpha) {
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

Pt Along(Pt from, double angle, double length) {
    return {from.x + std::cos(angle) * length, from.y + std::sin(angle) * length};
}

void Eye(cairo_t* cr, double x, double y, double rx, double ry) {
    PathEllipse(cr, x, y, rx, ry);
    SetColour(cr, palette::Ink);
    cairo_fill(cr);
    PathEllipse(cr, x + rx * 0.35, y - ry * 0.4, rx * 0.35, ry * 0.3);
    SetColour(cr, {1, 1, 1});
    cairo_fill(cr);
}

// Ink arcs for shut eyes: `up` gives the happy upturned ^ shape.
void ShutEye(cairo_t* cr, double x, double y, bool up, Rng& rng) {
    double d = up ? -1.6 : 1.2;
    InkCurve(cr, {x - 2.2, y}, {x - 1, y + d}, {x + 1, y + d}, {x + 2.2, y}, 0.8, rng);
}

void Drop(cairo_t* cr, double x, double y, double r, Rgb colour, Rng& rng) {
    cairo_move_to(cr, x, y - r * 2.2);
    cairo_curve_to(cr, x + r * 0.4, y - r, x + r, y - r * 0.4, x + r, y + r * 0.2);
    cairo_arc(cr, x, y + r * 0.2, r, 0, Pi);
    cairo_curve_to(cr, x - r, y - r * 0.4, x - r * 0.4, y - r, x, y - r * 2.2);
    cairo_close_path(cr);
    SetColour(cr, Lighter(colour, 0.3), 0.9);
    cairo_fill_preserve(cr);
    InkOutline(cr, 0.5, rng, Darker(colour, 0.4), 0.9, 0.1);
    cairo_new_path(cr);
}

// The face on the upper pebble, looking right; everything sits between y -23 and -15.
void DrawFace(cairo_t* cr, Face face, Rng& rng) {
    const double ey = -21.8, e1 = 5.5, e2 = 13, my = -17.6, mx = 9.5;
    auto cheeks = [&](Rgb c, double a) {
        for (double kx : {1.5, 16.5}) {
            PathEllipse(cr, kx, -18.4, 2.6, 1.5);
            SetColour(cr, c, a);
            cairo_fill(cr);
        }
    };
    auto smile = [&](double w, double d) {
        InkCurve(cr, {mx - w, my}, {mx - w * 0.4, my + d}, {mx + w * 0.4, my + d}, {mx + w, my},
                 0.75, rng);
    };
    switch (face) {
    case Face::None:
        return;
    case Face::Plain:
        cheeks(palette::Rose, 0.45);
        Eye(cr, e1, ey, 1.8, 2.5);
        Eye(cr, e2, ey, 1.8, 2.5);
        smile(2, 1.2);
        break;
    case Face::Relieved:
        cheeks(palette::Rose, 0.55);
        ShutEye(cr, e1, ey, true, rng);
        ShutEye(cr, e2, ey, true, rng);
        cairo_move_to(cr, mx - 3, my - 0.8);
        cairo_curve_to(cr, mx - 1, my + 2.2, mx + 2, my + 2.2, mx + 3.4, my - 0.9);
        cairo_close_path(cr);
        SetColour(cr, Darker(palette::Rust, 0.3));
        cairo_fill_preserve(cr);
        InkOutline(cr, 0.6, rng, palette::Ink, 1.0, 0.1);
        cairo_new_path(cr);
        Drop(cr, -4.5, -22.5, 1.3, palette::Sky, rng); // the wiped brow
        InkCurve(cr, {-1, -25.5}, {-3, -25}, {-5, -23.5}, {-6, -21.5}, 0.5, rng, palette::Sky);
        break;
    case Face::Cold:
        cheeks(palette::Sky, 0.45);
        Eye(cr, e1, ey + 0.4, 1.3, 1.5);
        Eye(cr, e2, ey + 0.4, 1.3, 1.5);
        InkLine(cr, {{e1 - 1.8, ey - 1.2}, {e1 + 1.6, ey - 1.0}}, 0.6, rng); // heavy lids
        InkLine(cr, {{e2 - 1.6, ey - 1.0}, {e2 + 1.8, ey - 1.2}}, 0.6, rng);
        InkLine(
            cr,
            {{mx - 2.5, my}, {mx - 1.2, my - 0.7}, {mx, my}, {mx + 1.2, my - 0.7}, {mx + 2.5, my}},
            0.6, rng, palette::Ink, 1.0, 0.1);  // chattering teeth
        PathEllipse(cr, 17.5, -19.6, 2.2, 1.9); // red nose
        SetColour(cr, palette::Rust);
        cairo_fill_preserve(cr);
        InkOutline(cr, 0.5, rng, palette::Ink, 0.8, 0.1);
        cairo_new_path(cr);
        break;
    case Face::Surprised:
        cheeks(palette::Rose, 0.35);
        for (double ex : {e1, e2}) {
            PathEllipse(cr, ex, ey, 2.0, 2.5);
            SetColour(cr, {1, 1, 1});
            cairo_fill_preserve(cr);
            InkOutline(cr, 0.5, rng, palette::Ink, 1.0, 0.1);
            cairo_new_path(cr);
            Dot(cr, ex + 0.5, ey, 0.9, palette::Ink);
        }
        InkLine(cr, {{e1 - 1.5, ey - 3.4}, {e1 + 1.5, ey - 3.8}}, 0.5, rng);
        InkLine(cr, {{e2 - 1.5, ey - 3.8}, {e2 + 1.5, ey - 3.4}}, 0.5, rng);
        PathEllipse(cr, mx, my + 0.2, 1.1, 1.3);
        SetColour(cr, Darker(palette::Rust, 0.4));
        cairo_fill_preserve(cr);
        InkOutline(cr, 0.5, rng, palette::Ink, 1.0, 0.1);
        cairo_new_path(cr);
        break;
    case Face::Sleepy:
        cheeks(palette::Rose, 0.3);
        ShutEye(cr, e1, ey + 0.5, false, rng);
        ShutEye(cr, e2, ey + 0.5, false, rng);
        PathEllipse(cr, mx, my, 0.9, 0.7);
        SetColour(cr, palette::Ink);
        cairo_fill(cr);
        InkLine(cr, {{-6, -25}, {-3, -25}, {-6, -22}, {-3, -22}}, 0.5, rng, palette::Sepia);
        InkLine(cr, {{-10, -20.5}, {-8, -20.5}, {-10, -18.5}, {-8, -18.5}}, 0.4, rng,
                palette::Sepia);
        break;
    case Face::Upset:
        Eye(cr, e1, ey + 0.3, 1.4, 1.8);
        Eye(cr, e2, ey + 0.3, 1.4, 1.8);
        InkLine(cr, {{e1 - 1.8, ey - 2.4}, {e1 + 1.6, ey - 3.4}}, 0.6, rng); // sad brows
        InkLine(cr, {{e2 - 1.6, ey - 3.4}, {e2 + 1.8, ey - 2.4}}, 0.6, rng);
        smile(2.2, -1.3); // a frown
        Drop(cr, e2 + 1.2, ey + 3.4, 0.9, palette::Sky, rng);
        break;
    case Face::Happy:
        cheeks(palette::Rose, 0.55);
        ShutEye(cr, e1, ey, true, rng);
        ShutEye(cr, e2, ey, true, rng);
        smile(2.6, 2.0);
        break;
    case Face::Dazed:
        for (double ex : {e1, e2}) {
            InkLine(cr, {{ex - 1.5, ey - 1.5}, {ex + 1.5, ey + 1.5}}, 0.6, rng);
            InkLine(cr, {{ex - 1.5, ey + 1.5}, {ex + 1.5, ey - 1.5}}, 0.6, rng);
        }
        InkLine(cr,
                {{mx - 2.5, my}, {mx - 1, my - 0.8}, {mx + 0.5, my + 0.4}, {mx + 2.5, my - 0.4}},
                0.6, rng);
        break;
    case Face::Shut:
        cheeks(palette::Rose, 0.35);
        ShutEye(cr, e1, ey, false, rng);
        ShutEye(cr, e2, ey, false, rng);
        smile(1.6, 0.6);
        break;
    case Face::Squint:
        cheeks(palette::Rose, 0.6);
        InkLine(cr, {{e1 - 1.8, ey - 1.2}, {e1 + 1.2, ey}, {e1 - 1.8, ey + 1.2}}, 0.7, rng);
        InkLine(cr, {{e2 + 1.8, ey - 1.2}, {e2 - 1.2, ey}, {e2 + 1.8, ey + 1.2}}, 0.7, rng);
        smile(2.2, -0.8);
        break;
    case Face::Scared:
        for (double ex : {e1, e2}) {
            PathEllipse(cr, ex, ey, 2.0, 2.5);
            SetColour(cr, {1, 1, 1});
            cairo_fill_preserve(cr);
            InkOutline(cr, 0.5, rng, palette::Ink, 1.0, 0.1);
            cairo_new_path(cr);
            Dot(cr, ex + 0.6, ey + 0.3, 0.6, palette::Ink);
        }
        InkLine(cr,
                {{mx - 2.5, my + 0.3},
                 {mx - 1.2, my - 0.6},
                 {mx, my + 0.3},
                 {mx + 1.2, my - 0.6},
                 {mx + 2.5, my + 0.3}},
                0.6, rng);
        break;
    case Face::Strain:
        cheeks(palette::Rose, 0.7);
        InkLine(cr, {{e1 - 1.8, ey - 1.2}, {e1 + 1.2, ey}, {e1 - 1.8, ey + 1.2}}, 0.7, rng);
        InkLine(cr, {{e2 + 1.8, ey - 1.2}, {e2 - 1.2, ey}, {e2 + 1.8, ey + 1.2}}, 0.7, rng);
        InkLine(cr, {{mx - 2.4, my}, {mx + 2.4, my}}, 0.8, rng);
        break;
    }
}

} // namespace

void Fill(cairo_t* cr, Rgb colour, Rng& rng, double ink, double washAlpha) {
    SetColour(cr, Lighter(colour, 0.35), 0.95);
    cairo_fill_preserve(cr);
    Wash(cr, colour, washAlpha, rng, kSmall);
    if (ink > 0) InkOutline(cr, ink, rng, palette::Ink, 0.9, 0.25);
    cairo_new_path(cr);
}

void Limb(cairo_t* cr, const std::vector<Pt>& pts, double width, Rgb colour, double ink) {
    cairo_save(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    for (int pass = 0; pass < 2; ++pass) {
        cairo_new_path(cr);
        if (pts.size() > 2)
            PathSmooth(cr, pts, false);
        else
            PathPolygon(cr, pts, false);
        cairo_set_line_width(cr, pass == 0 ? width + 2 * ink : width);
        SetColour(cr, pass == 0 ? palette::Ink : colour);
        cairo_stroke(cr);
    }
    cairo_restore(cr);
    cairo_new_path(cr);
}

void Dot(cairo_t* cr, double x, double y, double r, Rgb colour, double alpha) {
    cairo_new_path(cr);
    PathEllipse(cr, x, y, r, r);
    SetColour(cr, colour, alpha);
    cairo_fill(cr);
}

void SnowHeap(cairo_t* cr, double x0, double x1, double y, double height, Rng& rng) {
    const double w = x1 - x0;
    std::vector<Pt> pts{{x0, y}};
    const int bumps = std::max(2, int(w / 14));
    for (int k = 1; k < bumps; ++k) {
        double t = double(k) / bumps;
        double rise = std::sin(t * Pi) * height * rng.Range(0.85, 1.1);
        pts.push_back({x0 + w * t, y - rise});
    }
    pts.push_back({x1, y});
    PathSmooth(cr, pts, false);
    cairo_close_path(cr);
    SetColour(cr, Snow);
    cairo_fill_preserve(cr);
    Wash(cr, titlecolour::Frost, 0.45, rng, {.layers = 2, .jitter = 1, .edge = 0.8});
    cairo_new_path(cr);
    PathSmooth(cr, pts, false);
    InkOutline(cr, 0.8, rng, palette::Water, 0.8, 0.3);
    cairo_new_path(cr);
}

void DizzyStars(cairo_t* cr, double cx, double cy, double rx, double phase, Rng& rng) {
    cairo_new_path(cr);
    PathEllipse(cr, cx, cy, rx, rx * 0.3);
    SetColour(cr, palette::Sepia, 0.35);
    cairo_set_line_width(cr, 0.5);
    cairo_stroke(cr);
    for (int k = 0; k < 3; ++k) {
        double a = phase + k * 2 * Pi / 3;
        PathStar(cr, cx + rx * std::cos(a), cy + rx * 0.3 * std::sin(a), 3.0, 1.2, 5, a);
        SetColour(cr, titlecolour::Sun);
        cairo_fill_preserve(cr);
        InkOutline(cr, 0.5, rng, palette::Sepia, 0.9, 0.1);
        cairo_new_path(cr);
    }
}

void MotionLines(cairo_t* cr, Pt at, double angle, double length, int count, double spread,
                 Rng& rng, double alpha) {
    const double nx = -std::sin(angle), ny = std::cos(angle);
    for (int k = 0; k < count; ++k) {
        double off = count > 1 ? (k - (count - 1) / 2.0) * spread : 0;
        Pt a{at.x + nx * off, at.y + ny * off};
        double len = length * rng.Range(0.7, 1.1);
        InkLine(cr, {a, Along(a, angle, len)}, 0.6, rng, palette::Sepia, alpha, 0.1);
    }
}

void SnowFlecks(cairo_t* cr, double x, double y, double w, double h, int count, Rng& rng) {
    for (int k = 0; k < count; ++k) {
        Pt p{x + rng.Range(0, w), y + rng.Range(0, h)};
        double r = rng.Range(0.8, 1.8);
        PathEllipse(cr, p.x, p.y, r, r);
        SetColour(cr, Snow);
        cairo_fill_preserve(cr);
        SetColour(cr, palette::Water, 0.6);
        cairo_set_line_width(cr, 0.4);
        cairo_stroke(cr);
    }
}

void DrawHat(cairo_t* cr, Pt at, double size, double tilt, Rng& rng) {
    cairo_save(cr);
    cairo_translate(cr, at.x, at.y);
    cairo_rotate(cr, tilt);
    cairo_scale(cr, size, size);
    cairo_translate(cr, 0, 27); // hat coordinates as worn
    PathSmooth(cr, {{-12.5, -26.5},
                    {-11.5, -32.5},
                    {-5, -37.5},
                    {2, -38.5},
                    {8.5, -36.5},
                    {12.5, -32},
                    {13, -27},
                    {0, -28.5}});
    Fill(cr, palette::Water, rng, 0.9, 0.4);
    for (double s : {-8.0, -2.0, 4.0, 10.0})
        InkLine(cr, {{s * 0.9, -29}, {s * 0.9 + 0.5 * (s > 0 ? 1 : -1), -35}}, 0.5, rng,
                Lighter(palette::Water, 0.6), 0.9, 0.1);
    PathRoundedRect(cr, -14, -30, 28, 4.6, 2.3);
    Fill(cr, Darker(palette::Water, 0.1), rng, 0.8, 0.4);
    PathEllipse(cr, 3, -40.5, 3.6, 3.3);
    Fill(cr, {0.97, 0.97, 0.98}, rng, 0.7, 0.3);
    cairo_restore(cr);
}

void DrawHero(cairo_t* cr, const HeroPose& pose, const char* seed) {
    Rng rng(seed);
    cairo_save(cr);
    cairo_translate(cr, pose.at.x, pose.at.y);
    if (pose.shadow) {
        PathEllipse(cr, 0, 42 * pose.size, 21 * pose.size, 2.6 * pose.size);
        SetColour(cr, palette::Sepia, 0.22);
        cairo_fill(cr);
    }
    cairo_scale(cr, 1, pose.squashY); // flattened on the page, whichever way it lies
    cairo_rotate(cr, pose.tilt);
    cairo_scale(cr, pose.mirror ? -pose.size : pose.size, pose.size);
    cairo_new_path(cr);

    const Rgb pebble = titlecolour::Pebble;
    auto arm = [&](Pt shoulder, double angle) {
        Pt elbow = Along(shoulder, angle - 0.15, pose.armLength * 0.55);
        Pt hand = Along(elbow, angle + 0.15, pose.armLength * 0.5);
        Limb(cr, {shoulder, elbow, hand}, 4.2, Darker(pebble, 0.05), 0.7);
        PathEllipse(cr, hand.x, hand.y, 3.0, 2.8);
        Fill(cr, Mitten, rng, 0.7, 0.3);
    };
    if (pose.feet)
        for (Pt f : {pose.footBack, pose.footFront}) {
            PathEllipse(cr, f.x, f.y, 6.5, 3.8);
            Fill(cr, palette::StoneDark, rng, 0.7, 0.2);
        }
    if (pose.arms) arm({-13, -5}, pose.armBack);

    // The scarf's tail flies out behind, under the body.
    const double flow = pose.scarfFlow;
    std::vector<Pt> tail{{-12, -8},
                         {-22, -4 - flow * 6},
                         {-30 - flow * 4, 2 - flow * 11},
                         {-27 - flow * 5, 6 - flow * 9},
                         {-20, 2 - flow * 5},
                         {-12, -2}};
    PathSmooth(cr, tail);
    Fill(cr, titlecolour::Scarf, rng, 0.7, 0.35);

    // The pebble: an upright egg, a little narrower at the top.
    std::vector<Pt> egg;
    for (int k = 0; k < 16; ++k) {
        double a = k * 2 * Pi / 16;
        double s = std::sin(a);
        double narrow = s < 0 ? 1 - 0.3 * -s : 1.0;
        egg.push_back({21 * std::cos(a) * narrow, 31 * s});
    }
    PathSmooth(cr, egg);
    SetColour(cr, pebble);
    cairo_fill_preserve(cr);
    Wash(cr, palette::StoneDark, 0.15, rng, kSmall);
    Shade(cr, palette::StoneDark, 2, 4, 30, 0.2);
    InkOutline(cr, 0.95, rng, palette::Ink, 0.95, 0.2);
    cairo_new_path(cr);
    InkCurve(cr, {-17, -10}, {-17, -18}, {-13, -23}, {-9, -25}, 1.3, rng, Lighter(pebble, 0.75),
             0.8); // shine
    InkCurve(cr, {-14, 22}, {-8, 27}, {0, 28}, {7, 27}, 0.5, rng, palette::StoneDark, 0.6);

    // The scarf wraps round under the chin.
    cairo_move_to(cr, -19, -12.5);
    cairo_curve_to(cr, -8, -8, 8, -8, 19.3, -12.5);
    cairo_line_to(cr, 20.6, -5.5);
    cairo_curve_to(cr, 8, -1.5, -8, -1.5, -20.6, -5.5);
    cairo_close_path(cr);
    Fill(cr, titlecolour::Scarf, rng, 0.75, 0.35);
    for (double sx : {-14.0, -5.0, 4.0, 13.0})
        InkLine(cr, {{sx, -10.5 + std::abs(sx) * -0.08}, {sx + 0.5, -4.8 - std::abs(sx) * 0.06}},
                0.45, rng, Lighter(titlecolour::Scarf, 0.6), 0.9, 0.1);

    if (pose.hat) {
        Rng hatRng(std::string(seed) + "#hat");
        DrawHat(cr, {0, -27}, 1.0, 0.0, hatRng);
    }
    if (pose.arms) arm({13, -5}, pose.armFront);
    DrawFace(cr, pose.face, rng);
    cairo_restore(cr);
    cairo_new_path(cr);
}

// --- The elk

void ElkTrot(ElkPose& e, double phase) {
    for (int k = 0; k < 2; ++k) {
        double p = 2 * Pi * (phase + k * 0.5);
        e.backUpper[k] = Pi / 2 - 0.35 * std::sin(p);
        e.backLower[k] = Pi / 2 - 0.25 * std::sin(p) + 0.35 * std::max(0.0, std::cos(p));
        e.frontUpper[k] = Pi / 2 + 0.35 * std::sin(p + Pi);
        e.frontLower[k] = Pi / 2 + 0.2 * std::sin(p + Pi) - 0.5 * std::max(0.0, std::cos(p + Pi));
    }
}

void DrawElk(cairo_t* cr, const ElkPose& e, Rng& rng) {
    cairo_save(cr);
    cairo_translate(cr, e.at.x, e.at.y);
    cairo_scale(cr, e.size, e.size);
    if (e.shadow) {
        PathEllipse(cr, 4, e.lying ? 20 : 57, 50, 4);
        SetColour(cr, palette::Sepia, 0.2);
        cairo_fill(cr);
    }
    cairo_rotate(cr, e.tilt);
    cairo_new_path(cr);
    const Rgb fur = ElkFur, far = Darker(ElkFur, 0.15);
    const double upper = 26 * e.legLength, lower = 24 * e.legLength;

    auto leg = [&](Pt hip, double a1, double a2, Rgb colour) {
        Pt knee = Along(hip, a1, upper);
        Pt hoof = Along(knee, a2, lower);
        Limb(cr, {hip, knee, hoof}, 6.5, colour, 0.8);
        PathEllipse(cr, hoof.x + 1, hoof.y + 1, 3.6, 2.4);
        Fill(cr, Darker(palette::Sepia, 0.3), rng, 0.6, 0.3);
    };
    if (e.lying) {
        PathEllipse(cr, -24, 16, 16, 6);
        Fill(cr, far, rng);
        PathEllipse(cr, 26, 17, 15, 5);
        Fill(cr, far, rng);
    } else {
        leg({-27, 6}, e.backUpper[1], e.backLower[1], far);
        leg({27, 6}, e.frontUpper[1], e.frontLower[1], far);
    }

    // Tail tuft, body.
    PathBlob(cr, -41, -10, 5, 4, rng, 0.2, 7);
    Fill(cr, Snow, rng, 0.7, 0.3);
    PathSmooth(cr, {{-40, -4},
                    {-30, -17},
                    {0, -19},
                    {30, -18},
                    {42, -6},
                    {38, 10},
                    {20, 17},
                    {-10, 17},
                    {-34, 13}});
    SetColour(cr, Lighter(fur, 0.2));
    cairo_fill_preserve(cr);
    Wash(cr, fur, 0.55, rng, kSmall);
    Shade(cr, fur, 0, 0, 40, 0.3);
    InkOutline(cr, 0.95, rng, palette::Ink, 0.95, 0.25);
    cairo_new_path(cr);
    // A pale frosty belly and a mane of shaggy fur on the chest.
    InkCurve(cr, {-26, 12}, {-10, 16}, {10, 16}, {24, 12}, 1.6, rng, Snow, 0.8);
    for (int k = 0; k < 5; ++k)
        InkLine(cr, {{30 + k * 2.0, -6 + k * 3.0}, {34 + k * 2.0, -2 + k * 3.4}}, 0.5, rng,
                palette::Sepia, 0.7);

    if (e.lying) {
        PathEllipse(cr, 4, 14, 14, 5);
        Fill(cr, fur, rng);
    } else {
        leg({-22, 8}, e.backUpper[0], e.backLower[0], fur);
        leg({31, 8}, e.frontUpper[0], e.frontLower[0], fur);
    }

    // Neck and head: the neck leaves the chest along `neck`, the head hangs off its end.
    const Pt base{30, -6};
    const Pt top = Along(base, -e.neck, 26);
    const double headAngle = -e.neck * 0.3 + e.headDrop;
    const double nx = -std::sin(-e.neck), ny = std::cos(-e.neck);
    PathPolygon(cr, {{base.x - nx * 10, base.y - ny * 10},
                     {top.x - nx * 6, top.y - ny * 6},
                     {top.x + nx * 7, top.y + ny * 7},
                     {base.x + nx * 12, base.y + ny * 12}});
    SetColour(cr, Lighter(fur, 0.2));
    cairo_fill_preserve(cr);
    Wash(cr, fur, 0.5, rng, kSmall);
    InkOutline(cr, 0.9, rng, palette::Ink, 0.95, 0.25);
    cairo_new_path(cr);

    cairo_save(cr);
    cairo_translate(cr, top.x, top.y);
    cairo_rotate(cr, headAngle);
    cairo_scale(cr, 1.3, 1.3);
    // Antlers first (behind the head): two branched sweeps up and back.
    for (int side = 0; side < 2; ++side) {
        double s = side == 0 ? 1.0 : 0.8;
        Rgb c = side == 0 ? Antler : Darker(Antler, 0.2);
        double off = side == 0 ? 0 : -4;
        std::vector<Pt> beam{
            {off, -4}, {off - 4 * s, -14 * s}, {off - 2 * s, -26 * s}, {off + 4 * s, -34 * s}};
        Limb(cr, beam, 2.4, c, 0.6);
        Limb(cr, {{off - 3.6 * s, -12 * s}, {off - 12 * s, -18 * s}, {off - 15 * s, -26 * s}}, 1.8,
             c, 0.6);
        Limb(cr, {{off - 2.8 * s, -22 * s}, {off + 6 * s, -24 * s}, {off + 11 * s, -29 * s}}, 1.7,
             c, 0.6);
        Limb(cr, {{off - 2 * s, -27 * s}, {off - 8 * s, -35 * s}}, 1.6, c, 0.6);
    }
    // Ear, head with a long muzzle pointing right.
    PathSmooth(cr, {{-2, -3}, {-9, -8}, {-4, -1}});
    Fill(cr, fur, rng, 0.7);
    PathSmooth(cr, {{-6, -2}, {0, -7}, {10, -5}, {20, -1}, {23, 4}, {19, 8}, {8, 8}, {-3, 6}});
    SetColour(cr, Lighter(fur, 0.25));
    cairo_fill_preserve(cr);
    Wash(cr, fur, 0.45, rng, kSmall);
    InkOutline(cr, 0.9, rng, palette::Ink, 0.95, 0.2);
    cairo_new_path(cr);
    PathEllipse(cr, 20, 3.5, 3.6, 3.6); // dark nose
    Fill(cr, Darker(palette::Sepia, 0.2), rng, 0.6, 0.4);
    if (e.eyesShut)
        InkCurve(cr, {3, 0}, {4, 1.4}, {6, 1.4}, {7, 0}, 0.8, rng);
    else {
        Dot(cr, 5, -0.5, 1.6, palette::Ink);
        Dot(cr, 5.5, -1.1, 0.5, {1, 1, 1});
    }
    Dot(cr, 13, 5, 1.8, palette::Rose, 0.35);
    cairo_restore(cr);
    cairo_restore(cr);
    cairo_new_path(cr);
}

} // namespace levelart

namespace levelart {

HeroPose WalkerPose(int frame, int frames) {
    const double phase = 2 * Pi * frame / std::max(1, frames);
    const double bob = -0.5 * (1 - std::cos(2 * phase)); // up as the feet pass
    HeroPose p;
    p.at = {34, 18 + bob}; // the scarf's flying tail stays clear of the frame's left edge
    p.face = Face::None;
    const double swing = std::sin(phase);
    p.footFront = {9 * swing + 1, 38 - bob - 2.5 * std::max(0.0, std::cos(phase))};
    p.footBack = {-9 * swing - 1, 38 - bob - 2.5 * std::max(0.0, -std::cos(phase))};
    p.armFront = 1.5 - 0.5 * swing;
    p.armBack = 1.65 + 0.5 * swing;
    p.scarfFlow = 0.3 + 0.15 * swing;
    return p;
}

} // namespace levelart
