// Small creatures and things of the lane: hares, the fox, birds, the egg, the snowball, the
// pine cone and the hedgehog.

#include "LevelArtCritters.h"

#include "BagItemParts.h"
#include "LevelArtKit.h"
#include "TitleArt.h"

#include <cmath>

namespace levelart {

namespace {

constexpr Rgb HareWhite{0.95, 0.95, 0.96};
constexpr Rgb FoxRed{0.85, 0.45, 0.18};
constexpr Rgb CrowBlack{0.20, 0.20, 0.24};
constexpr Rgb Tin{0.72, 0.76, 0.80};

void EyeDot(cairo_t* cr, double x, double y, double r) {
    Dot(cr, x, y, r, palette::Ink);
    Dot(cr, x + r * 0.35, y - r * 0.35, r * 0.35, {1, 1, 1});
}

// A hare sitting up, facing right, `s` its size (1 = about 40 tall), feet at `foot`.
void Hare(cairo_t* cr, Pt foot, double s, double stretch, bool crying, Rng& rng) {
    const Pt b{foot.x, foot.y - 13 * s};
    PathEllipse(cr, b.x - 9 * s, foot.y - 3 * s, 5 * s, 3 * s); // haunch foot
    Fill(cr, HareWhite, rng, 0.7, 0.3);
    PathBlob(cr, b.x - 10 * s, b.y + 7 * s, 3.5 * s, 3.5 * s, rng, 0.2, 6); // tail
    Fill(cr, {1, 1, 1}, rng, 0.6, 0.2);
    PathSmooth(cr, {{b.x - 12 * s, b.y + 12 * s},
                    {b.x - 14 * s, b.y},
                    {b.x - 4 * s, b.y - 10 * s * stretch},
                    {b.x + 8 * s, b.y - 6 * s * stretch},
                    {b.x + 10 * s, b.y + 8 * s},
                    {b.x, b.y + 13 * s}});
    Fill(cr, HareWhite, rng, 0.8, 0.35);
    const Pt head{b.x + 6 * s, b.y - 15 * s * stretch};
    for (double d : {-3.0, 2.0}) { // ears
        PathSmooth(cr, {{head.x + d * s - 2 * s, head.y - 3 * s},
                        {head.x + d * s - 3 * s, head.y - 17 * s},
                        {head.x + d * s + 1 * s, head.y - 19 * s},
                        {head.x + d * s + 2 * s, head.y - 3 * s}});
        Fill(cr, HareWhite, rng, 0.7, 0.3);
        InkLine(
            cr,
            {{head.x + d * s - 0.5 * s, head.y - 5 * s}, {head.x + d * s - 1 * s, head.y - 15 * s}},
            1.0 * s, rng, palette::Rose, 0.6, 0.1);
    }
    PathEllipse(cr, head.x, head.y, 8 * s, 7 * s);
    Fill(cr, HareWhite, rng, 0.8, 0.3);
    if (crying) {
        InkCurve(cr, {head.x + 1 * s, head.y - 1 * s}, {head.x + 2 * s, head.y},
                 {head.x + 4 * s, head.y}, {head.x + 5 * s, head.y - 1 * s}, 0.7, rng);
        for (int k = 0; k < 2; ++k)
            Dot(cr, head.x + 3.5 * s, head.y + (2.5 + k * 3) * s, 1.1 * s, palette::Sky, 0.9);
    } else {
        EyeDot(cr, head.x + 3 * s, head.y - 1 * s, 1.4 * s);
    }
    Dot(cr, head.x + 7.5 * s, head.y + 1.5 * s, 1.2 * s, palette::Rose);
    Limb(cr, {{b.x + 4 * s, b.y - 2 * s}, {b.x + 9 * s, b.y - 5 * s}}, 2.6 * s, HareWhite, 0.6);
}

// The fox, facing right, `at` its body centre; `run` 0..1 the gallop phase, -1 creeping.
void FoxFigure(cairo_t* cr, Pt at, double phase, bool running, bool startled, Rng& rng) {
    const double sw = std::sin(phase * 2 * Pi);
    // Tail.
    PathSmooth(cr, {{at.x - 12, at.y - 2},
                    {at.x - 24, at.y - 8 - (running ? 4 : 0)},
                    {at.x - 34, at.y - 16 - (running ? 6 : 0) + sw * 2},
                    {at.x - 26, at.y - 2},
                    {at.x - 12, at.y + 5}});
    Fill(cr, FoxRed, rng, 0.8, 0.55);
    Dot(cr, at.x - 32, at.y - 14 - (running ? 6 : 0) + sw * 2, 2.5, {1, 1, 1}, 0.9);
    auto leg = [&](double x, double a, Rgb c) {
        Pt hip{at.x + x, at.y + 4};
        Pt foot{hip.x + std::cos(a) * 14, hip.y + std::sin(a) * 14};
        Limb(cr, {hip, foot}, 3.6, c, 0.7);
        Dot(cr, foot.x, foot.y, 1.8, palette::Ink);
    };
    const double reach = running ? 0.7 : 0.25;
    leg(-9, Pi / 2 + reach * sw, Darker(FoxRed, 0.2));
    leg(9, Pi / 2 - reach * sw, Darker(FoxRed, 0.2));
    PathSmooth(cr, {{at.x - 14, at.y},
                    {at.x - 6, at.y - 8},
                    {at.x + 10, at.y - 8},
                    {at.x + 16, at.y},
                    {at.x + 8, at.y + 7},
                    {at.x - 10, at.y + 7}});
    Fill(cr, FoxRed, rng, 0.9, 0.55);
    InkCurve(cr, {at.x - 6, at.y + 5}, {at.x, at.y + 7}, {at.x + 6, at.y + 7},
             {at.x + 10, at.y + 4}, 1.4, rng, {1, 0.96, 0.9}, 0.8);
    leg(-6, Pi / 2 - reach * sw, FoxRed);
    leg(12, Pi / 2 + reach * sw, FoxRed);
    // Head with pointed ears and snout; a green scarf.
    const Pt head{at.x + 17, at.y - 12 - (startled ? 4 : 0)};
    for (double d : {-3.0, 3.0}) {
        PathPolygon(cr, {{head.x + d - 3, head.y - 4},
                         {head.x + d - 1, head.y - 13},
                         {head.x + d + 3, head.y - 4}});
        Fill(cr, FoxRed, rng, 0.7, 0.5);
    }
    PathSmooth(cr, {{head.x - 6, head.y - 4},
                    {head.x + 2, head.y - 7},
                    {head.x + 8, head.y - 3},
                    {head.x + 15, head.y + 1},
                    {head.x + 8, head.y + 5},
                    {head.x - 4, head.y + 5}});
    Fill(cr, FoxRed, rng, 0.8, 0.5);
    PathPolygon(cr,
                {{head.x + 4, head.y + 1}, {head.x + 15, head.y + 1}, {head.x + 6, head.y + 5}});
    SetColour(cr, {1, 0.97, 0.92});
    cairo_fill(cr);
    Dot(cr, head.x + 15, head.y + 0.5, 1.5, palette::Ink);
    if (startled) {
        PathEllipse(cr, head.x + 3, head.y - 1.5, 2.2, 2.6);
        SetColour(cr, {1, 1, 1});
        cairo_fill_preserve(cr);
        InkOutline(cr, 0.5, rng);
        cairo_new_path(cr);
        Dot(cr, head.x + 3.5, head.y - 1.5, 0.9, palette::Ink);
    } else {
        InkCurve(cr, {head.x + 1, head.y - 2}, {head.x + 2.5, head.y - 3}, {head.x + 4, head.y - 3},
                 {head.x + 5.5, head.y - 1.5}, 0.8, rng); // a sly half-shut eye
    }
    PathSmooth(cr, {{head.x - 8, head.y + 3},
                    {head.x, head.y + 8},
                    {head.x + 6, head.y + 6},
                    {head.x + 4, head.y + 10},
                    {head.x - 6, head.y + 9}});
    Fill(cr, palette::Moss, rng, 0.7, 0.5);
}

} // namespace

void HareBalloon(cairo_t* cr, double w, double h, int f, int, Rng& rng) {
    if (f <= 1) { // bobbing, the balloon's string in its paw
        // The balloon (item 7) is put beside the hare, its scrap's left rim 41 picture pixels in
        // and its string leaving that rim at y 82: the string sags from the paw to there.
        const double bob = f == 1 ? -1.5 : 0;
        InkCurve(cr, {w * 0.52, h - 42 + bob}, {w * 0.6, h - 20}, {38, 84}, {42.5, 82.5}, 0.8, rng,
                 palette::Sepia);
        Hare(cr, {w * 0.4, h - 4 + bob}, 1.0, 1.0, false, rng);
    } else if (f <= 3) { // crying when the balloon is gone
        Hare(cr, {w * 0.4, h - 4}, 1.0, 0.95, true, rng);
        if (f == 3) MotionLines(cr, {w * 0.4, h - 56}, -Pi / 2, 4, 3, 6, rng, 0.6);
    } else { // hopping off to the right
        Hare(cr, {w * 0.62, h - 14}, 1.0, 1.1, true, rng);
        MotionLines(cr, {w * 0.2, h - 20}, Pi, 7, 3, 5, rng);
    }
}

void Snowball(cairo_t* cr, double w, double h, int, int, Rng& rng) {
    PathBlob(cr, w / 2, h / 2, w * 0.42, h * 0.42, rng, 0.08, 9);
    SetColour(cr, Snow);
    cairo_fill_preserve(cr);
    Wash(cr, titlecolour::Frost, 0.55, rng, {.layers = 2, .jitter = 0.6, .edge = 0.8});
    InkOutline(cr, 0.8, rng, palette::Water, 1.0, 0.2);
    cairo_new_path(cr);
    InkCurve(cr, {w * 0.3, h * 0.35}, {w * 0.45, h * 0.45}, {w * 0.5, h * 0.6}, {w * 0.65, h * 0.7},
             0.5, rng, palette::Water, 0.7); // packed seams show it turn
    Dot(cr, w * 0.36, h * 0.32, 1.6, {1, 1, 1}, 0.9);
}

void EggRolling(cairo_t* cr, double w, double h, int f, int n, Rng& rng) {
    // The egg rolls from the right end to the left, cracking more at every frame.
    const double t = n > 1 ? double(f) / (n - 1) : 0;
    const double ex = w - 22 - t * (w - 44);
    const double size = 22;
    SnowHeap(cr, 0, w, h, 3, rng);
    if (f < n - 1) {
        cairo_save(cr);
        cairo_translate(cr, ex, h - 17);
        cairo_rotate(cr, -t * 6);
        cairo_translate(cr, -size / 2, -size * 0.6);
        bagart::Egg(cr, size, size * 1.2, 0, rng);
        for (int k = 0; k < f; ++k) // the crack grows
            InkLine(cr,
                    {{size * 0.2 + k * 5, size * 0.6},
                     {size * 0.3 + k * 5, size * 0.5},
                     {size * 0.35 + k * 5, size * 0.65}},
                    0.7, rng);
        cairo_restore(cr);
        MotionLines(cr, {ex + 20, h - 18}, 0, 8, 3, 4, rng, 0.5);
    } else { // hatched: the broken shell and a gosling peeping out
        for (double d : {-8.0, 8.0}) {
            PathPolygon(cr, {{ex + d - 8, h - 6},
                             {ex + d - 6, h - 16},
                             {ex + d - 2, h - 12},
                             {ex + d + 2, h - 18},
                             {ex + d + 6, h - 6}});
            Fill(cr, {0.96, 0.93, 0.86}, rng, 0.7, 0.3);
        }
        Gosling(cr, 40, 50, 1, 3, rng);
    }
}

void Gosling(cairo_t* cr, double w, double h, int f, int, Rng& rng) {
    const Rgb down{0.72, 0.72, 0.70};
    const double bob = f == 1 ? -1.5 : 0;
    const Pt b{w * 0.45, h - 14 + bob};
    for (double d : {-4.0, 4.0}) // orange feet
        Limb(cr, {{b.x + d, b.y + 6}, {b.x + d + (f == 2 ? 2 : 0), h - 3}}, 1.6, palette::Ochre,
             0.5);
    PathBlob(cr, b.x, b.y, 11, 9, rng, 0.15, 9);
    Fill(cr, down, rng, 0.8, 0.4);
    PathBlob(cr, b.x - 3, b.y + 1, 6, 4, rng, 0.3, 6); // a little wing
    Fill(cr, Darker(down, 0.1), rng, 0.6, 0.3);
    const Pt head{b.x + 7, b.y - 12 + bob};
    PathBlob(cr, head.x, head.y, 7, 6.5, rng, 0.12, 8);
    Fill(cr, Lighter(down, 0.1), rng, 0.8, 0.3);
    EyeDot(cr, head.x + 2.5, head.y - 1, 1.2);
    const double open = f == 1 ? 2.0 : 0.6; // peeping
    PathPolygon(cr, {{head.x + 5, head.y - 0.5},
                     {head.x + 11, head.y + 0.5 - open},
                     {head.x + 5, head.y + 2.5},
                     {head.x + 11, head.y + 1.5 + open}});
    Fill(cr, palette::Ochre, rng, 0.5, 0.3);
    if (f == 1) MotionLines(cr, {head.x + 13, head.y - 6}, -0.6, 3, 2, 3, rng, 0.6);
}

void TinBird(cairo_t* cr, double w, double h, int f, int, Rng& rng) {
    const Pt b{w * 0.45, h * 0.55};
    const double lift[3] = {1.0, 0.0, -0.8};
    auto wing = [&](double l, Rgb c) {
        PathPolygon(cr, {{b.x - 4, b.y - 2},
                         {b.x - 12, b.y - 4 - l * 12},
                         {b.x + 2, b.y - 3 - l * 8},
                         {b.x + 4, b.y - 2}});
        Fill(cr, c, rng, 0.7, 0.4);
    };
    wing(lift[f % 3] * 0.8, Darker(Tin, 0.15));
    PathSmooth(cr, {{b.x - 13, b.y + 1},
                    {b.x - 4, b.y - 6},
                    {b.x + 8, b.y - 5},
                    {b.x + 11, b.y + 2},
                    {b.x + 2, b.y + 7},
                    {b.x - 8, b.y + 5}});
    Fill(cr, Tin, rng, 0.9, 0.5);
    for (double x : {-4.0, 2.0}) // rivets
        Dot(cr, b.x + x, b.y + 2, 0.7, palette::StoneDark);
    InkLine(cr, {{b.x - 8, b.y + 1}, {b.x + 8, b.y}}, 0.4, rng, palette::StoneDark, 0.7);
    PathPolygon(cr, {{b.x + 10, b.y - 2}, {b.x + 16, b.y}, {b.x + 10, b.y + 1.5}});
    Fill(cr, palette::Ochre, rng, 0.5);
    Dot(cr, b.x + 7, b.y - 2, 1.0, palette::Ink);
    // The wind-up key in its back, turning.
    const double turn = f * Pi / 3;
    InkLine(cr, {{b.x - 2, b.y - 5}, {b.x - 2, b.y - 10}}, 1.0, rng, palette::Ochre);
    cairo_save(cr);
    cairo_translate(cr, b.x - 2, b.y - 12);
    cairo_scale(cr, std::max(0.2, std::abs(std::cos(turn))), 1);
    PathEllipse(cr, -3.5, 0, 3, 2.2);
    PathEllipse(cr, 3.5, 0, 3, 2.2);
    Fill(cr, palette::Ochre, rng, 0.6, 0.5);
    cairo_restore(cr);
    wing(lift[f % 3], Tin);
}

void Fox(cairo_t* cr, double w, double h, int f, int n, Rng& rng) {
    const Pt at{w * 0.42, h - 22 - (f == 1 ? 1 : 0)};
    // The sack slung over its back.
    PathBlob(cr, at.x - 8, at.y - 16, 10, 8, rng, 0.2, 8);
    Fill(cr, palette::Ochre, rng, 0.8, 0.4);
    InkLine(cr, {{at.x - 2, at.y - 22}, {at.x + 2, at.y - 26}}, 0.8, rng, palette::Sepia);
    FoxFigure(cr, at, double(f) / n * 0.5, false, false, rng);
}

void FoxFleeing(cairo_t* cr, double w, double h, int f, int n, Rng& rng) {
    if (f == 0) {
        FoxFigure(cr, {w * 0.42, h - 24}, 0.25, false, true, rng);
        for (int k = 0; k < 3; ++k) // fright marks
            InkLine(cr, {{w * 0.7 + k * 4, h * 0.25 - k}, {w * 0.72 + k * 4, h * 0.33 - k}}, 0.8,
                    rng);
        return;
    }
    FoxFigure(cr, {w * 0.5, h - 24 - (f == 2 ? 3 : 0)}, double(f) / n, true, true, rng);
    MotionLines(cr, {w * 0.1, h - 30}, Pi, 8, 3, 6, rng);
}

void SnowBunting(cairo_t* cr, double w, double h, int f, int, Rng& rng) {
    // The bird alone, fluttering in the air high over the lane (a bush drawn under it would
    // float there: nothing grows at that height).
    const Pt b{w * 0.5, h * 0.5 - (f == 1 ? 2 : 0)};
    const double lift[3] = {1.0, -0.2, 0.4};
    PathSmooth(cr, {{b.x - 10, b.y + 1},
                    {b.x - 2, b.y - 5},
                    {b.x + 6, b.y - 3},
                    {b.x + 7, b.y + 3},
                    {b.x - 2, b.y + 6}});
    Fill(cr, {0.96, 0.95, 0.92}, rng, 0.8, 0.3);
    PathPolygon(cr, {{b.x - 3, b.y - 1},
                     {b.x - 10, b.y - 2 - lift[f % 3] * 10},
                     {b.x - 4, b.y - 4 - lift[f % 3] * 6},
                     {b.x + 2, b.y - 2}});
    Fill(cr, Darker(palette::Sepia, 0.1), rng, 0.6, 0.5);
    Dot(cr, b.x + 3.5, b.y - 2, 0.9, palette::Ink);
    PathPolygon(cr, {{b.x + 6.5, b.y - 1}, {b.x + 9.5, b.y}, {b.x + 6.5, b.y + 1}});
    Fill(cr, palette::Ochre, rng, 0.4);
}

namespace {

// A crow facing right at body centre `b`, wings `lift` (0 folded).
void Crow(cairo_t* cr, Pt b, double lift, bool folded, Rng& rng) {
    PathPolygon(
        cr, {{b.x - 8, b.y + 1}, {b.x - 17, b.y + 6}, {b.x - 15, b.y + 1}, {b.x - 17, b.y - 2}});
    Fill(cr, CrowBlack, rng, 0.6, 0.6);
    PathSmooth(cr, {{b.x - 10, b.y + 1},
                    {b.x - 2, b.y - 6},
                    {b.x + 7, b.y - 5},
                    {b.x + 9, b.y + 2},
                    {b.x, b.y + 7}});
    Fill(cr, CrowBlack, rng, 0.8, 0.6);
    PathEllipse(cr, b.x + 7, b.y - 6, 4.5, 4);
    Fill(cr, CrowBlack, rng, 0.7, 0.6);
    PathPolygon(cr, {{b.x + 10, b.y - 7.5}, {b.x + 16, b.y - 5}, {b.x + 10, b.y - 4}});
    Fill(cr, palette::StoneDark, rng, 0.5, 0.3);
    Dot(cr, b.x + 8.5, b.y - 7, 1.0, {1, 1, 1});
    Dot(cr, b.x + 8.7, b.y - 7, 0.5, palette::Ink);
    if (folded) {
        InkCurve(cr, {b.x - 6, b.y - 2}, {b.x - 1, b.y - 3}, {b.x + 3, b.y}, {b.x + 4, b.y + 4},
                 0.6, rng, palette::Stone, 0.7);
        return;
    }
    PathPolygon(cr, {{b.x - 4, b.y - 2},
                     {b.x - 14, b.y - 4 - lift * 14},
                     {b.x - 2, b.y - 4 - lift * 10},
                     {b.x + 4, b.y - 2}});
    Fill(cr, CrowBlack, rng, 0.7, 0.6);
}

void Branch(cairo_t* cr, double w, double y, Rng& rng) {
    InkLine(cr, {{0, y}, {w * 0.5, y + 1}, {w, y - 1}}, 3.0, rng, palette::Wood);
    PathBlob(cr, w * 0.4, y - 2, w * 0.35, 2, rng, 0.2, 7);
    SetColour(cr, Snow);
    cairo_fill(cr);
}

} // namespace

void CrowTakingOff(cairo_t* cr, double w, double h, int f, int, Rng& rng) {
    Branch(cr, w * 0.6, h * 0.75, rng);
    const double lift[4] = {0.6, 1.0, -0.6, 0.8};
    const Pt b{w * 0.35 + f * 5, h * 0.62 - f * 9};
    Crow(cr, b, lift[f % 4], false, rng);
    if (f <= 1) { // the pine cone in its feet, then falling
        cairo_save(cr);
        cairo_translate(cr, b.x - 5, b.y + 5 + f * 8);
        PineCone(cr, 10, 12, 0, 3, rng);
        cairo_restore(cr);
    }
    if (f >= 2) MotionLines(cr, {b.x - 18, b.y + 6}, Pi * 0.8, 5, 3, 4, rng, 0.5);
}

void CrowPerched(cairo_t* cr, double w, double h, int f, int, Rng& rng) {
    Branch(cr, w, h * 0.8, rng);
    const double bob[3] = {0, 1.5, 0.5};
    Crow(cr, {w * 0.45, h * 0.62 + bob[f % 3] * 0.5}, 0, true, rng);
    (void)bob;
}

void PineCone(cairo_t* cr, double w, double h, int f, int, Rng& rng) {
    const Rgb cone{0.52, 0.34, 0.18};
    if (f == 2) { // burst: scales scattered
        for (int k = 0; k < 7; ++k) {
            double a = k * 2 * Pi / 7;
            PathEllipse(cr, w / 2 + std::cos(a) * w * 0.32, h * 0.7 + std::sin(a) * h * 0.15, 2,
                        1.4);
            Fill(cr, cone, rng, 0.4, 0.5);
        }
        return;
    }
    PathSmooth(cr, {{w / 2, h * 0.08},
                    {w * 0.85, h * 0.4},
                    {w * 0.72, h * 0.85},
                    {w / 2, h * 0.95},
                    {w * 0.28, h * 0.85},
                    {w * 0.15, h * 0.4}});
    Fill(cr, cone, rng, 0.8, 0.6);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 2; ++c)
            InkCurve(cr, {w * (0.25 + c * 0.25), h * (0.3 + r * 0.16)},
                     {w * (0.33 + c * 0.25), h * (0.36 + r * 0.16)},
                     {w * (0.42 + c * 0.25), h * (0.36 + r * 0.16)},
                     {w * (0.5 + c * 0.25), h * (0.3 + r * 0.16)}, 0.5, rng, palette::Sepia);
    PathBlob(cr, w / 2, h * 0.15, w * 0.25, h * 0.06, rng, 0.2, 6); // frost on top
    SetColour(cr, Snow, 0.9);
    cairo_fill(cr);
    if (f == 1)
        InkLine(cr, {{w * 0.5, h * 0.2}, {w * 0.4, h * 0.5}, {w * 0.55, h * 0.8}}, 0.8, rng);
}

void SnowHareHopping(cairo_t* cr, double w, double h, int f, int, Rng& rng) {
    const double up[3] = {0, 6, 3};
    Hare(cr, {w * 0.45, h - 3 - up[f % 3]}, 0.8, 0.8 + f * 0.1, false, rng);
    if (f == 1) SnowFlecks(cr, 2, h - 6, 10, 4, 3, rng);
}

void Hedgehog(cairo_t* cr, double w, double h, int f, int, Rng& rng) {
    cairo_save(cr); // drawn a size up, feet on the bottom edge
    cairo_translate(cr, w * 0.5, h);
    cairo_scale(cr, 1.2, 1.2);
    cairo_translate(cr, -w * 0.5, -h);
    const Pt b{w * 0.52, h - 14};
    const double sniff = f % 2 ? 1.5 : 0;
    // Spines, body, snout.
    std::vector<Pt> spines;
    for (int k = 0; k <= 12; ++k) {
        double a = Pi + k * Pi / 12;
        double r = k % 2 ? 17 : 21;
        spines.push_back({b.x - 2 + std::cos(a) * r, b.y + 2 + std::sin(a) * r * 0.8});
    }
    PathPolygon(cr, spines);
    Fill(cr, Darker(palette::Wood, 0.2), rng, 0.8, 0.6);
    PathSmooth(cr, {{b.x + 8, b.y - 6},
                    {b.x + 17 + sniff, b.y},
                    {b.x + 12, b.y + 6},
                    {b.x + 2, b.y + 8},
                    {b.x + 2, b.y - 4}});
    Fill(cr, palette::Ochre, rng, 0.8, 0.4);
    Dot(cr, b.x + 17 + sniff, b.y, 1.4, palette::Ink);
    Dot(cr, b.x + 10, b.y - 2, 1.0, palette::Ink);
    for (double d : {-8.0, 4.0})
        Limb(cr, {{b.x + d, b.y + 7}, {b.x + d + (f == 2 ? 2 : 0), b.y + 11}}, 2.5,
             Darker(palette::Ochre, 0.3), 0.5);
    // The knitted hat on its spines, bigger than fits.
    PathSmooth(
        cr, {{b.x - 10, b.y - 14}, {b.x - 4, b.y - 26}, {b.x + 3, b.y - 27}, {b.x + 6, b.y - 15}});
    Fill(cr, palette::Rust, rng, 0.8, 0.4);
    PathRoundedRect(cr, b.x - 11, b.y - 16, 18, 4, 2);
    Fill(cr, Lighter(palette::Rust, 0.2), rng, 0.7, 0.4);
    PathEllipse(cr, b.x - 4 + (f == 3 ? 1 : 0), b.y - 29, 3, 3);
    Fill(cr, {0.97, 0.97, 0.98}, rng, 0.6, 0.3);
    if (sniff > 0) MotionLines(cr, {b.x + 21, b.y - 3}, -0.3, 3, 2, 3, rng, 0.6);
    cairo_restore(cr);
}

} // namespace levelart
