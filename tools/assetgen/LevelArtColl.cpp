// The big collision objects of the lane: the windmill, the sleeping elk, fences, the lamp post,
// the snowman, the troll, the snow imp, the sled, the scarecrow and the leaning fir. Places the
// game's rules look at (the bird on the windmill's cap, the elk's muzzle, the snowman's five
// dimples, the imp's front wheel) are painted where those rules expect them.

#include "LevelArtChars.h"
#include "LevelArtCritters.h"
#include "LevelArtKit.h"
#include "TitleArt.h"
#include "WindmillRide.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <vector>

namespace levelart {

namespace {

constexpr Rgb TrollBlue{0.55, 0.68, 0.80};
constexpr Rgb ImpWhite{0.90, 0.93, 0.97};
constexpr Rgb Iron{0.25, 0.27, 0.30};

Pt Along(Pt from, double angle, double length) {
    return {from.x + std::cos(angle) * length, from.y + std::sin(angle) * length};
}

void Plank(cairo_t* cr, std::vector<Pt> corners, Rng& rng, Rgb colour = palette::Wood) {
    PathPolygon(cr, corners);
    Fill(cr, colour, rng, 0.8, 0.55);
}

void Icicles(cairo_t* cr, double x0, double x1, double y, Rng& rng) {
    for (double x = x0; x < x1; x += rng.Range(3, 6)) {
        double len = rng.Range(2, 6);
        PathPolygon(cr, {{x - 1, y}, {x + 1, y}, {x, y + len}});
        SetColour(cr, Lighter(palette::Sky, 0.5));
        cairo_fill_preserve(cr);
        InkOutline(cr, 0.35, rng, palette::Water, 0.8, 0.05);
        cairo_new_path(cr);
    }
}

void SnowCap(cairo_t* cr, double x0, double x1, double y, double thick, Rng& rng) {
    PathBlob(cr, (x0 + x1) / 2, y, (x1 - x0) / 2, thick, rng, 0.2, 8);
    SetColour(cr, Snow);
    cairo_fill_preserve(cr);
    InkOutline(cr, 0.5, rng, palette::Water, 0.7, 0.2);
    cairo_new_path(cr);
}

// --- The windmill: the little bird sits on the cap's top at (82, 64). The rotor is as big as
// the ride needs: a sail tip lies wherever the carried hero holds on (WindmillRide.h).

using windmill::kHub;
using windmill::kSail;

// A sail's canvas on its lattice, from near the hub to the tip, on the `side` of the stock.
void SailCanvas(cairo_t* cr, double angle, double length, Pt tip, double side, Rng& rng) {
    const Pt a = Along(kHub, angle, 16), b = Along(tip, angle + Pi, 1.5);
    PathPolygon(cr, {a, b, Along(b, side, 13), Along(a, side, 13)});
    Fill(cr, Lighter(palette::Paper, 0.2), rng, 0.7, 0.35);
    for (int k = 1; k < 8; ++k) {
        const Pt p = Along(kHub, angle, 16 + (length - 17.5) * k / 8.0);
        InkLine(cr, {p, Along(p, side, 13)}, 0.5, rng, palette::Wood, 0.9, 0.1);
    }
}

// One sail from the hub along `angle`: the stock, and the lattice and canvas on the side that
// keeps further inside the picture (so a tip near an edge stays inside).
void Sail(cairo_t* cr, double w, double h, double angle, double length, Rng& rng, double bend = 0) {
    const Pt tip = Along(kHub, angle, length);
    auto inside = [&](double side) {
        const Pt corner = Along(tip, side, 13);
        return std::min({corner.x, w - corner.x, corner.y, h - corner.y});
    };
    const double side =
        inside(angle + Pi / 2) >= inside(angle - Pi / 2) ? angle + Pi / 2 : angle - Pi / 2;
    SailCanvas(cr, angle, length, tip, side, rng);
    InkLine(cr, {kHub, Along(tip, angle + bend, -1)}, 2.2, rng, palette::Wood);
}

// How far `p` lies inside the picture's left, top and right edges (its foot stands in the snow).
double InsideBy(Pt p, double w) {
    return std::min({p.x, w - p.x, p.y});
}

// One sail of the turning rotor (it turns towards larger angles): the canvas trails the stock
// unless that would take its tip out of the picture, and a light blur trails the sail, widest
// at the tip, which moves fastest. A tip that would run past the picture's left, top or right
// edge is lost in that blur before it: the sail fades out short of the edge.
void TurningSail(cairo_t* cr, double w, double angle, Rng& rng) {
    const double trailing = angle - Pi / 2, leading = angle + Pi / 2;
    const double length = kSail + 2; // the carried hero's hands hold on just short of the tip
    const Pt tip = Along(kHub, angle, length);
    const double side =
        InsideBy(Along(tip, trailing, 13), w) >= 2 ||
                InsideBy(Along(tip, trailing, 13), w) >= InsideBy(Along(tip, leading, 13), w)
            ? trailing
            : leading;
    // The first radius where the stock or the canvas's far edge comes within 1.5 px of an edge.
    double reach = length;
    for (double r = 20; r < length; r += 0.25) {
        const Pt stock = Along(kHub, angle, r);
        if (std::min(InsideBy(stock, w), InsideBy(Along(stock, side, 13), w)) < 1.5) {
            reach = r;
            break;
        }
    }
    const bool fades = reach < length;
    if (fades) cairo_push_group(cr);

    // The blur: from the sail's trailing edge back by a small turn of the rotor, fading out.
    const double sweep = 0.16;
    const double edgeOffset = side == trailing ? 13 : 0;
    const Pt rootEdge = Along(Along(kHub, angle, 16), trailing, edgeOffset);
    const Pt tipEdge = Along(Along(kHub, angle, length - 1.5), trailing, edgeOffset);
    auto turnedBack = [&](Pt p) {
        const double r = std::hypot(p.x - kHub.x, p.y - kHub.y);
        return Along(kHub, std::atan2(p.y - kHub.y, p.x - kHub.x) - sweep, r);
    };
    const Rgb smear = Blend(palette::Paper, palette::Wood, 0.35);
    cairo_pattern_t* blur = cairo_pattern_create_mesh();
    cairo_mesh_pattern_begin_patch(blur);
    const Pt corners[4] = {rootEdge, tipEdge, turnedBack(tipEdge), turnedBack(rootEdge)};
    cairo_mesh_pattern_move_to(blur, corners[0].x, corners[0].y);
    for (int k = 1; k < 4; ++k)
        cairo_mesh_pattern_line_to(blur, corners[k].x, corners[k].y);
    for (int k = 0; k < 4; ++k)
        cairo_mesh_pattern_set_corner_color_rgba(blur, k, smear.r, smear.g, smear.b,
                                                 k < 2 ? 0.5 : 0.0);
    cairo_mesh_pattern_end_patch(blur);
    PathPolygon(cr, {corners[0], corners[1], corners[2], corners[3]});
    cairo_set_source(cr, blur);
    cairo_fill(cr);
    cairo_pattern_destroy(blur);
    // Sweep lines behind the tip.
    for (double r : {length - 6, length - 14})
        InkCurve(cr, Along(kHub, angle - sweep * 1.3, r), Along(kHub, angle - sweep * 0.95, r),
                 Along(kHub, angle - sweep * 0.6, r), Along(kHub, angle - sweep * 0.3, r), 0.5, rng,
                 palette::Sepia, 0.4);

    // The canvas on its lattice, and the stock.
    SailCanvas(cr, angle, length, tip, side, rng);
    InkLine(cr, {kHub, tip}, 2.2, rng, palette::Wood);

    if (!fades) return;
    cairo_pop_group_to_source(cr);
    const Pt from = Along(kHub, angle, reach - 22), to = Along(kHub, angle, reach - 1);
    cairo_pattern_t* fade = cairo_pattern_create_linear(from.x, from.y, to.x, to.y);
    cairo_pattern_add_color_stop_rgba(fade, 0, 0, 0, 0, 1);
    cairo_pattern_add_color_stop_rgba(fade, 1, 0, 0, 0, 0);
    cairo_mask(cr, fade);
    cairo_pattern_destroy(fade);
}

// The turning rotor at `angle`: four sails, one of them along it.
void TurningRotor(cairo_t* cr, double w, double angle, Rng& rng) {
    for (int k = 0; k < 4; ++k)
        TurningSail(cr, w, angle + k * Pi / 2, rng);
}

// Frames 0 to 3 are the game's own (turning, struck, jammed, stopped); after them come the ride's,
// the rotor turned with the carried hero.
void Windmill(cairo_t* cr, double w, double h, int f, int frames, Rng& rng) {
    const int rideStep = f - (frames - windmill::kSteps);
    // The tower, a door and a window.
    const double towerTop = kHub.y - 2;
    PathPolygon(cr, {{kHub.x - 30, h - 4},
                     {kHub.x - 20, towerTop},
                     {kHub.x + 20, towerTop},
                     {kHub.x + 30, h - 4}});
    Fill(cr, Lighter(palette::Wood, 0.25), rng, 0.9, 0.5);
    for (double y = towerTop + 14; y < h - 8; y += 12) {
        const double spread = 20 + (y - towerTop) * 10 / (h - 4 - towerTop);
        InkLine(cr, {{kHub.x - spread + 1, y}, {kHub.x + spread - 1, y}}, 0.4, rng, palette::Sepia,
                0.5);
    }
    PathRoundedRect(cr, kHub.x - 8, h - 30, 16, 26, 7);
    Fill(cr, Darker(palette::Wood, 0.3), rng, 0.8);
    PathEllipse(cr, kHub.x + 10, kHub.y + 34, 5, 6);
    Fill(cr, palette::Ochre, rng, 0.7, 0.4);
    // The cap, a tall dome with snow on it; the bird sits on its top.
    PathSmooth(cr,
               {{kHub.x - 34, kHub.y + 2},
                {kHub.x - 33, 84},
                {82, 63},
                {kHub.x + 8, 66},
                {kHub.x + 30, 86},
                {kHub.x + 32, kHub.y + 2}},
               true);
    Fill(cr, palette::Rust, rng, 0.9, 0.5);
    SnowCap(cr, 66, 112, 69, 4, rng);
    // The sails: turning (frame 0, as the sail that catches the walker comes down to him; the
    // ride's frames), struck, jammed, stopped with one sail hanging broken.
    const double main[4] = {146 * Pi / 180, 236 * Pi / 180, 326 * Pi / 180, 56 * Pi / 180};
    if (rideStep >= 0) {
        TurningRotor(cr, w, windmill::HeldSailAt(rideStep), rng);
    } else if (f == 0) {
        TurningRotor(cr, w, windmill::HeldSailAt(0), rng);
    } else {
        for (int k = 0; k < 4; ++k) {
            const bool struck = k == 2; // the sail the boulder hit
            if (f == 3 && struck) {     // hangs straight down from the hub, broken
                Sail(cr, w, h, Pi / 2 + 0.08, 64, rng);
                continue;
            }
            Sail(cr, w, h, main[k] + (f >= 2 && struck ? 0.3 : 0), kSail, rng,
                 f >= 2 && struck ? 0.5 : 0);
        }
    }
    PathEllipse(cr, kHub.x, kHub.y, 6, 6);
    Fill(cr, Darker(palette::Wood, 0.2), rng, 0.8);
    // The lowest sail's tip sweeps through the snow at the foot.
    SnowHeap(cr, 10, w - 10, h, 10, rng);
    if (f == 1) { // the boulder strikes; feathers fly off the cap
        PathStar(cr, kHub.x + 32, h - 50, 12, 5, 8, 0.2);
        SetColour(cr, titlecolour::Sun, 0.9);
        cairo_fill_preserve(cr);
        InkOutline(cr, 0.6, rng, palette::Sepia);
        cairo_new_path(cr);
        for (int k = 0; k < 3; ++k)
            InkCurve(cr, {96.0 + k * 6, 50.0 - k * 4}, {99.0 + k * 6, 47.0 - k * 4},
                     {101.0 + k * 6, 49.0 - k * 4}, {104.0 + k * 6, 46.0 - k * 4}, 0.8, rng,
                     palette::Water);
    }
    if (f == 3) DizzyStars(cr, kHub.x, kHub.y - 60, 12, 0.4, rng);
}

// --- The sleeping elk: its muzzle lies on the snow at about (145, 118), zone 0 of the rules.

void SleepingElk(cairo_t* cr, double w, double h, int f, int, Rng& rng) {
    SnowHeap(cr, 4, w - 4, h, 6, rng);
    ElkPose e;
    if (f == 3) { // standing, awake
        e.at = {70, h - 57};
        e.neck = 0.9;
    } else {
        e.lying = true;
        e.at = {68, h - 20};
        e.neck = f == 2 ? 0.5 : -0.3;
        e.headDrop = f == 2 ? 0.0 : 0.45;
        e.eyesShut = f == 0;
    }
    DrawElk(cr, e, rng);
    if (f == 0) { // snoring
        InkLine(cr, {{118, 70}, {124, 70}, {118, 76}, {124, 76}}, 0.8, rng, palette::Sepia);
        InkLine(cr, {{128, 58}, {132, 58}, {128, 62}, {132, 62}}, 0.6, rng, palette::Sepia);
    }
    if (f == 1 || f == 2) MotionLines(cr, {150, 88}, -1.2, 4, 3, 4, rng, 0.6);
    if (f == 3) MotionLines(cr, {150, 20}, -0.8, 4, 3, 5, rng, 0.5);
}

void Fence(cairo_t* cr, double w, double h, int f, int, Rng& rng) {
    if (f == 1) { // smashed flat
        SnowHeap(cr, 2, w - 2, h, 6, rng);
        Plank(cr, {{4, h - 10}, {w - 8, h - 16}, {w - 6, h - 12}, {6, h - 6}}, rng);
        Plank(cr, {{10, h - 4}, {w - 2, h - 8}, {w - 2, h - 4}, {12, h - 1}}, rng);
        Plank(cr, {{18, h - 14}, {24, h - 20}, {28, h - 18}, {22, h - 12}}, rng);
        DizzyStars(cr, w / 2, h - 26, 12, 0.2, rng);
        return;
    }
    for (double x : {6.0, w / 2 - 3, w - 12}) {
        Plank(cr, {{x, 20}, {x + 3, 15}, {x + 6, 20}, {x + 6, h - 3}, {x, h - 3}}, rng);
        SnowCap(cr, x - 1, x + 7, 18, 2, rng);
    }
    for (double y : {32.0, 54.0}) {
        Plank(cr, {{2, y}, {w - 2, y - 2}, {w - 2, y + 6}, {2, y + 8}}, rng);
        SnowCap(cr, 4, w - 4, y - 1, 2, rng);
        Icicles(cr, 6, w - 6, y + 7, rng);
    }
    SnowHeap(cr, 0, w, h, 5, rng);
}

void StableGate(cairo_t* cr, double, double h, int f, int, Rng& rng) {
    // Two posts with a little snowy roof; the gate swings open towards the viewer. The gateway
    // keeps to the left of the frame: the hero, off the elk's back, walks on standing at its
    // right (from x 34 of the frame), and the gate is drawn over him, so nothing stands there.
    const double w = 37; // the gateway's width
    for (double x : {4.5, w - 9}) {
        Plank(cr, {{x, 14}, {x + 7, 14}, {x + 7, h - 3}, {x, h - 3}}, rng);
    }
    Plank(cr, {{2.5, 16}, {w / 2 + 1, 5}, {w, 16}, {w, 20}, {w / 2 + 1, 10}, {2.5, 20}}, rng,
          Darker(palette::Wood, 0.2));
    SnowCap(cr, 4, w - 1, 11, 3.5, rng);
    const double open[3] = {1.0, 0.55, 0.12};
    const double leaf = (w - 20.5) * open[f % 3];
    const double x0 = 11.5;
    PathPolygon(cr, {{x0, 30},
                     {x0 + leaf, 30 + (1 - open[f % 3]) * 6},
                     {x0 + leaf, h - 6 + (1 - open[f % 3]) * 4},
                     {x0, h - 6}});
    Fill(cr, Lighter(palette::Wood, 0.15), rng, 0.9, 0.5);
    for (double t : {0.33, 0.66})
        InkLine(cr, {{x0 + leaf * t, 30 + (1 - open[f % 3]) * 6 * t}, {x0 + leaf * t, h - 6}}, 0.5,
                rng, palette::Sepia, 0.7);
    InkLine(cr, {{x0, h - 8}, {x0 + leaf, 32}}, 1.2, rng, palette::Sepia); // the brace
    if (f == 0) {
        PathRoundedRect(cr, x0 + leaf - 6, 52, 5, 6, 1);
        Fill(cr, Iron, rng, 0.5, 0.3); // the latch
    }
    SnowHeap(cr, 3, w + 3, h, 5, rng);
    if (f == 2) { // straw and a warm glow beyond
        PathBlob(cr, w / 2 + 2, h - 12, 9, 4, rng, 0.3, 8);
        Fill(cr, palette::Ochre, rng, 0.6, 0.5);
    }
}

void BellPost(cairo_t* cr, double w, double h, int f, int, Rng& rng) {
    // An iron post with a lamp on top and an arm holding the bell; the rope hangs down.
    Plank(cr, {{w / 2 - 2.5, 26}, {w / 2 + 2.5, 26}, {w / 2 + 3.5, h - 4}, {w / 2 - 3.5, h - 4}},
          rng, Iron);
    PathPolygon(cr,
                {{w / 2 - 7, h - 4}, {w / 2 + 7, h - 4}, {w / 2 + 4, h - 12}, {w / 2 - 4, h - 12}});
    Fill(cr, Iron, rng, 0.7);
    PathPolygon(cr, {{w / 2 - 7, 10}, {w / 2 + 7, 10}, {w / 2 + 5, 26}, {w / 2 - 5, 26}});
    Fill(cr, titlecolour::Sun, rng, 0.8, 0.4); // the lamp's glass
    PathPolygon(cr, {{w / 2 - 9, 10}, {w / 2, 2}, {w / 2 + 9, 10}});
    Fill(cr, Iron, rng, 0.7);
    SnowCap(cr, w / 2 - 8, w / 2 + 8, 6, 2.5, rng);
    InkLine(cr, {{w / 2, 38}, {w - 6, 38}}, 1.6, rng, Iron);
    const double swing = f == 1 ? 0.5 : 0.0;
    cairo_save(cr);
    cairo_translate(cr, w - 9, 39);
    cairo_rotate(cr, swing);
    PathSmooth(cr, {{-4, 10}, {-3, 2}, {0, 0}, {3, 2}, {4, 10}}, true);
    Fill(cr, palette::Ochre, rng, 0.8, 0.5);
    Dot(cr, 0, 11, 1.3, Iron);
    cairo_restore(cr);
    const double pull = f == 1 ? 24 : 0;
    InkLine(cr, {{w - 9 + swing * 6, 50}, {w - 8, 96 + pull}}, 1.2, rng, palette::Wood);
    PathEllipse(cr, w - 8, 98 + pull, 1.8, 2.4);
    Fill(cr, palette::Wood, rng, 0.5);
    if (f == 1)
        for (int k = 0; k < 3; ++k)
            InkCurve(cr, {w - 16.0 - k * 2, 34.0 + k * 5}, {w - 19.0 - k * 2, 38.0 + k * 5},
                     {w - 19.0 - k * 2, 42.0 + k * 5}, {w - 16.0 - k * 2, 46.0 + k * 5}, 0.6, rng,
                     palette::Ochre);
    SnowHeap(cr, 0, w, h, 4, rng);
}

// --- The unfinished snowman: dimples at the places the fruit go (top, eyes, buttons).

void SnowmanUnfinished(cairo_t* cr, double w, double h, int, int, Rng& rng) {
    auto ball = [&](double cx, double cy, double rx, double ry) {
        PathBlob(cr, cx, cy, rx, ry, rng, 0.05, 11);
        SetColour(cr, Snow);
        cairo_fill_preserve(cr);
        Wash(cr, titlecolour::Frost, 0.5, rng, {.layers = 2, .jitter = 1.5, .edge = 0.8});
        InkOutline(cr, 0.9, rng, palette::Water, 0.9, 0.3);
        cairo_new_path(cr);
    };
    SnowHeap(cr, 4, w - 4, h, 6, rng);
    ball(88, h - 30, 70, 32);
    ball(90, 66, 44, 46);
    auto dimple = [&](double x, double y) {
        PathEllipse(cr, x, y, 5, 4);
        SetColour(cr, palette::Water, 0.35);
        cairo_fill_preserve(cr);
        InkOutline(cr, 0.5, rng, palette::Water, 0.8, 0.1);
        cairo_new_path(cr);
        InkCurve(cr, {x - 4, y + 1}, {x - 2, y + 3.5}, {x + 2, y + 3.5}, {x + 4, y + 1}, 0.5, rng,
                 {1, 1, 1}, 0.9);
    };
    dimple(90, 24); // the top of the head
    dimple(65, 82); // eyes
    dimple(112, 73);
    dimple(55, 142); // buttons
    dimple(139, 132);
    InkCurve(cr, {72, 98}, {84, 104}, {98, 103}, {108, 96}, 0.7, rng, palette::Water, 0.6);
}

// --- The frost troll: a big blue-grey lump with folded arms.

enum class TrollPose { Guard, Fleeing, Walking };

void TrollFigure(cairo_t* cr, double w, double h, int f, TrollPose pose, Rng& rng) {
    const bool fleeing = pose == TrollPose::Fleeing, walking = pose == TrollPose::Walking;
    const double sw = std::sin(f * 2 * Pi / 3);
    const Pt b{w * 0.5, h - 62 - (fleeing ? std::abs(sw) * 4 : walking ? std::abs(sw) * 2 : 0)};
    auto leg = [&](double dx, double a) {
        Pt hip{b.x + dx, b.y + 30};
        Pt foot = Along(hip, Pi / 2 + a, 30);
        Limb(cr, {hip, foot}, 14, Darker(TrollBlue, 0.1), 0.9);
        PathEllipse(cr, foot.x + 4, foot.y - 1, 10, 5);
        Fill(cr, Darker(TrollBlue, 0.25), rng, 0.8, 0.4);
    };
    const double stride = fleeing ? 0.5 : walking ? 0.3 : 0;
    leg(-12, stride * sw);
    leg(12, -stride * sw);
    PathBlob(cr, b.x, b.y, 36, 44, rng, 0.08, 10);
    Fill(cr, TrollBlue, rng, 1.0, 0.55);
    // Icicle beard and shaggy frost.
    for (int k = 0; k < 5; ++k) {
        double x = b.x + 6 + k * 4;
        PathPolygon(cr, {{x - 2, b.y - 14}, {x + 2, b.y - 14}, {x, b.y - 4 + (k % 2) * 4}});
        Fill(cr, Lighter(palette::Sky, 0.5), rng, 0.4, 0.3);
    }
    // Head: small eyes under a heavy brow, a big nose, horns of ice.
    const Pt head{b.x + 8, b.y - 28};
    for (double d : {-14.0, 14.0}) {
        PathPolygon(cr, {{head.x + d - 4, head.y - 8},
                         {head.x + d * 1.4, head.y - 26},
                         {head.x + d + 4, head.y - 8}});
        Fill(cr, Lighter(palette::Sky, 0.5), rng, 0.7, 0.4);
    }
    PathBlob(cr, head.x, head.y, 20, 16, rng, 0.08, 9);
    Fill(cr, Lighter(TrollBlue, 0.1), rng, 0.9, 0.5);
    InkLine(cr, {{head.x - 4, head.y - 6}, {head.x + 16, head.y - 8}}, 1.4, rng,
            Darker(TrollBlue, 0.5));
    if (fleeing) {
        for (double ex : {2.0, 12.0}) {
            PathEllipse(cr, head.x + ex, head.y - 2, 3, 3.5);
            SetColour(cr, {1, 1, 1});
            cairo_fill_preserve(cr);
            InkOutline(cr, 0.5, rng);
            cairo_new_path(cr);
            Dot(cr, head.x + ex + 1, head.y - 2, 1.2, palette::Ink);
        }
        PathEllipse(cr, head.x + 10, head.y + 9, 4, 3);
        Fill(cr, Darker(TrollBlue, 0.6), rng, 0.5, 0.3);
    } else {
        Dot(cr, head.x + 2, head.y - 2, 1.8, palette::Ink);
        Dot(cr, head.x + 12, head.y - 3, 1.8, palette::Ink);
        InkLine(cr, {{head.x + 2, head.y + 9}, {head.x + 14, head.y + 7}}, 0.9, rng);
    }
    PathBlob(cr, head.x + 18, head.y + 2, 6, 5, rng, 0.1, 7);
    Fill(cr, Darker(TrollBlue, 0.1), rng, 0.8, 0.4);
    if (fleeing) { // arms waving in the air
        for (double d : {-1.0, 1.0}) {
            Pt sh{b.x + d * 26, b.y - 8};
            Pt hand = Along(sh, -Pi / 2 + d * 0.6 + 0.3 * sw * d, 30);
            Limb(cr, {sh, Along(sh, -Pi / 2 + d * 0.9, 16), hand}, 10, TrollBlue, 0.9);
        }
    } else if (walking) { // the umbrella under one arm, the other arm swinging
        cairo_save(cr);
        cairo_translate(cr, b.x + 2, b.y + 2);
        cairo_rotate(cr, 0.3);
        PathPolygon(cr, {{-40, -3}, {30, -5}, {32, 4}, {-40, 4}});
        Fill(cr, Blend(palette::Plum, palette::Ink, 0.2), rng, 0.9);
        InkCurve(cr, {30, 0}, {37, 0}, {39, 6}, {35, 8}, 1.4, rng, palette::Wood);
        InkLine(cr, {{-40, 0}, {-47, 0}}, 1.0, rng, palette::StoneDark);
        cairo_restore(cr);
        Limb(cr, {{b.x + 28, b.y - 6}, {b.x + 18, b.y + 10}, {b.x - 6, b.y + 6}}, 11,
             Lighter(TrollBlue, 0.08), 0.9);
        const Pt sh{b.x - 28, b.y - 6};
        Limb(cr, {sh, Along(sh, Pi / 2 + 0.2 * sw, 16), Along(sh, Pi / 2 + 0.5 * sw, 30)}, 10,
             TrollBlue, 0.9);
    } else { // folded over the belly
        Limb(cr, {{b.x - 28, b.y - 4}, {b.x - 10, b.y + 8}, {b.x + 20, b.y + 4}}, 11, TrollBlue,
             0.9);
        Limb(cr, {{b.x + 28, b.y - 4}, {b.x + 12, b.y + 12}, {b.x - 16, b.y + 10}}, 11,
             Lighter(TrollBlue, 0.08), 0.9);
        // Frosty breath, three puffs.
        for (int k = 0; k <= f; ++k) {
            PathBlob(cr, head.x + 30 + k * 6, head.y + 6 - k * 5, 4 + k * 1.5, 3 + k, rng, 0.2, 7);
            SetColour(cr, Snow, 0.85 - k * 0.2);
            cairo_fill_preserve(cr);
            InkOutline(cr, 0.5, rng, palette::Water, 0.6, 0.2);
            cairo_new_path(cr);
        }
    }
}

// One troll whatever it does: the same size and place in its frame walking in, standing guard
// and fleeing. It stays in the right part of its frame, so the hero it knocks down lies just
// left of where it stops him (its contact edge is a third into the frame) and stays in sight.
// Walking in and standing guard it faces the hero (left); fleeing it runs off to the right.
void Troll(cairo_t* cr, double w, double h, int f, TrollPose pose, Rng& rng) {
    constexpr double kScale = 0.78;
    const double middle = w * 0.92 - kScale * w * 0.42; // the body's middle after the scaling
    cairo_save(cr);
    if (pose != TrollPose::Fleeing) { // mirrored about its own middle
        cairo_translate(cr, middle, 0);
        cairo_scale(cr, -1, 1);
        cairo_translate(cr, -middle, 0);
    }
    cairo_translate(cr, w * 0.92, h);
    cairo_scale(cr, kScale, kScale);
    cairo_translate(cr, -w * 0.92, -h);
    TrollFigure(cr, w, h, f, pose, rng);
    cairo_restore(cr);
}

void TrollGuard(cairo_t* cr, double w, double h, int f, int, Rng& rng) {
    Troll(cr, w, h, f, TrollPose::Guard, rng);
}

void TrollFleeing(cairo_t* cr, double w, double h, int f, int, Rng& rng) {
    Troll(cr, w, h, f, TrollPose::Fleeing, rng);
    MotionLines(cr, {w * 0.3, h * 0.55}, Pi, 10, 4, 8, rng);
}

} // namespace

void TrollWalking(cairo_t* cr, double w, double h, int f, Rng& rng) {
    Troll(cr, w, h, f, TrollPose::Walking, rng);
}

namespace {

// --- The snow imp and its barrow; the front wheel is the bag item at (146..168, 99..121).

void SnowImp(cairo_t* cr, double w, double h, int f, int, Rng& rng) {
    const double sw = std::sin(f * 2 * Pi / 3);
    SnowHeap(cr, 120, w - 8, h, 24, rng); // the drift the barrow climbs
    const Pt hub{157, 110};
    // The barrow: a tub on a frame, handles running back to the imp.
    Limb(cr, {{hub.x, hub.y}, {hub.x - 30, hub.y - 8}, {62, 84}}, 2.6, palette::Wood, 0.6);
    Limb(cr, {{hub.x - 40, hub.y - 6}, {hub.x - 44, h - 8}}, 2.4, palette::Wood, 0.6); // a leg
    PathPolygon(cr, {{88, 60}, {170, 54}, {160, 96}, {100, 98}});
    Fill(cr, palette::Rust, rng, 1.0, 0.55);
    SnowCap(cr, 92, 168, 58, 5, rng);
    for (int k = 0; k < 3; ++k) { // a load of snowballs
        PathBlob(cr, 108 + k * 20, 52 - (k % 2) * 4, 9, 8, rng, 0.08, 8);
        SetColour(cr, Snow);
        cairo_fill_preserve(cr);
        InkOutline(cr, 0.6, rng, palette::Water, 0.9, 0.2);
        cairo_new_path(cr);
    }
    InkLine(cr, {{hub.x - 2, hub.y - 14}, hub}, 1.6, rng, Iron); // the fork the wheel turns in
    // The imp: a round snow body, legs walking, a tall pointed hat.
    const Pt b{48, h - 50};
    for (double s : {1.0, -1.0}) {
        Pt hip{b.x + s * 5, b.y + 16};
        Pt foot = Along(hip, Pi / 2 + 0.45 * sw * s, 22);
        Limb(cr, {hip, foot}, 6, Darker(ImpWhite, 0.1), 0.8);
        PathEllipse(cr, foot.x + 3, foot.y, 6, 3);
        Fill(cr, palette::Sepia, rng, 0.6);
    }
    PathBlob(cr, b.x, b.y, 20, 24, rng, 0.1, 9);
    Fill(cr, ImpWhite, rng, 0.9, 0.45);
    Limb(cr, {{b.x + 10, b.y - 6}, {b.x + 14, b.y + 4}, {62, 84}}, 5, ImpWhite, 0.8);
    const Pt head{b.x + 4, b.y - 30};
    PathBlob(cr, head.x, head.y, 13, 12, rng, 0.08, 8);
    Fill(cr, ImpWhite, rng, 0.9, 0.4);
    Dot(cr, head.x + 4, head.y - 2, 1.6, palette::Ink);
    Dot(cr, head.x + 10, head.y - 2, 1.6, palette::Ink);
    InkCurve(cr, {head.x + 2, head.y + 5}, {head.x + 5, head.y + 8}, {head.x + 9, head.y + 8},
             {head.x + 12, head.y + 4}, 0.8, rng); // a mischievous grin
    PathEllipse(cr, head.x + 13, head.y + 1, 2.5, 2);
    Fill(cr, palette::Ochre, rng, 0.5);
    PathPolygon(cr,
                {{head.x - 12, head.y - 6}, {head.x - 8, head.y - 34}, {head.x + 12, head.y - 8}});
    Fill(cr, palette::Plum, rng, 0.8, 0.5);
    Dot(cr, head.x - 8, head.y - 35, 3, Snow);
    Limb(cr, {{b.x - 12, b.y - 6}, {b.x - 18, b.y + 8}}, 5, ImpWhite, 0.8);
}

void BadgerSled(cairo_t* cr, double w, double h, int, int, Rng& rng) {
    // Runners curling up at the front, a plank deck, a wicker basket.
    InkLine(cr, {{4, h - 4}, {w - 10, h - 4}, {w - 3, h - 9}, {w - 6, h - 14}}, 1.6, rng, Iron);
    for (double x : {12.0, w - 18})
        InkLine(cr, {{x, h - 4}, {x, h - 12}}, 1.2, rng, palette::Wood);
    Plank(cr, {{4, h - 16}, {w - 6, h - 16}, {w - 6, h - 11}, {4, h - 11}}, rng);
    PathPolygon(cr, {{10, h - 16}, {8, h - 36}, {w - 14, h - 36}, {w - 16, h - 16}});
    Fill(cr, palette::Ochre, rng, 0.9, 0.5);
    for (double y = h - 32; y < h - 16; y += 4)
        InkLine(cr, {{10, y}, {w - 15, y}}, 0.4, rng, palette::Sepia, 0.6);
    InkCurve(cr, {12, h - 36}, {16, h - 46}, {w - 22, h - 46}, {w - 18, h - 36}, 1.2, rng,
             palette::Wood);                                            // the handle
    InkLine(cr, {{2, h - 14}, {-4, h - 20}}, 0.8, rng, palette::Sepia); // the pull rope
}

void Scarecrow(cairo_t* cr, double w, double h, int, int, Rng& rng) {
    Plank(cr, {{w / 2 - 2, 20}, {w / 2 + 2, 20}, {w / 2 + 2, h - 2}, {w / 2 - 2, h - 2}}, rng);
    Plank(cr, {{4, 44}, {w - 4, 42}, {w - 4, 46}, {4, 48}}, rng);
    // A patched coat hung on the cross.
    PathPolygon(cr, {{14, 42}, {w - 14, 42}, {w - 10, 90}, {10, 90}});
    Fill(cr, palette::Moss, rng, 0.9, 0.55);
    PathRoundedRect(cr, 20, 60, 8, 8, 1);
    Fill(cr, palette::Ochre, rng, 0.5, 0.5);
    for (double x : {6.0, w - 10})
        for (int k = 0; k < 3; ++k) // straw at the cuffs
            InkLine(cr, {{x + 2, 46}, {x + k * 2.0, 54}}, 0.6, rng, palette::Ochre);
    PathBlob(cr, w / 2, 28, 11, 12, rng, 0.08, 8);
    Fill(cr, {0.90, 0.82, 0.62}, rng, 0.8, 0.4); // sacking face
    Dot(cr, w / 2 - 4, 27, 1.4, palette::Ink);
    Dot(cr, w / 2 + 4, 27, 1.4, palette::Ink);
    InkLine(cr, {{w / 2 - 5, 33}, {w / 2 - 2, 34}, {w / 2 + 1, 33}, {w / 2 + 4, 34}}, 0.6, rng);
    PathPolygon(cr, {{w / 2 - 16, 18},
                     {w / 2 + 16, 18},
                     {w / 2 + 8, 14},
                     {w / 2 + 6, 2},
                     {w / 2 - 7, 3},
                     {w / 2 - 8, 14}});
    Fill(cr, palette::Sepia, rng, 0.8, 0.5); // the crow-less hat
    PathSmooth(
        cr,
        {{w / 2 - 10, 40}, {w / 2 + 10, 40}, {w / 2 + 12, 58}, {w / 2 + 6, 58}, {w / 2 + 4, 44}});
    Fill(cr, palette::Rust, rng, 0.7, 0.5);
    SnowCap(cr, w / 2 - 14, w / 2 + 14, 16, 2, rng);
    SnowHeap(cr, 4, w - 4, h, 8, rng);
}

// --- The leaning fir: the trunk rises from the lower left and leans over the lane.

void LeaningFir(cairo_t* cr, double, double h, int f, int, Rng& rng) {
    const Pt root{36, h - 4};
    const Pt top{215, 22};
    InkLine(cr, {root, {80, 96}, top}, 10, rng, palette::Wood);
    const double snow = f == 0 ? 1.0 : f == 1 ? 0.9 : f == 2 ? 0.4 : 0.0;
    const double shake = f == 1 ? 2 : 0;
    for (int k = 0; k < 7; ++k) {
        double t = 0.25 + k * 0.11;
        Pt on{root.x + (top.x - root.x) * t, root.y + (top.y - root.y) * t - std::sin(t * Pi) * 18};
        double len = 72 * (1.1 - t * 0.7);
        // Each bough droops from the trunk on both sides.
        for (double side : {-1.0, 1.0}) {
            Pt tip{on.x + side * len * 0.6 + len * 0.4 + shake * side, on.y + len * 0.35 + shake};
            PathPolygon(cr, {{on.x, on.y - 5}, tip, {on.x, on.y + 6}});
            Fill(cr, Darker(palette::Leaf, 0.15), rng, 0.8, 0.6);
            if (snow > 0) {
                PathBlob(cr, (on.x + tip.x) / 2, (on.y + tip.y) / 2 - 4, len * 0.35, 3 + 5 * snow,
                         rng, 0.3, 8);
                SetColour(cr, Snow);
                cairo_fill_preserve(cr);
                InkOutline(cr, 0.5, rng, palette::Water, 0.7, 0.2);
                cairo_new_path(cr);
            }
        }
    }
    if (f == 1) MotionLines(cr, {top.x + 10, top.y + 10}, 0.3, 8, 4, 6, rng);
    if (f == 2) { // the load slides off behind the tree
        for (int k = 0; k < 4; ++k) {
            PathBlob(cr, 30 + k * 18, 80 + k * 22, 14, 10, rng, 0.2, 8);
            SetColour(cr, Snow);
            cairo_fill_preserve(cr);
            InkOutline(cr, 0.6, rng, palette::Water, 0.8, 0.2);
            cairo_new_path(cr);
        }
        SnowFlecks(cr, 10, 40, 100, 120, 16, rng);
    }
    SnowHeap(cr, 0, f >= 2 ? 130 : 90, h, f >= 2 ? 26 : 8, rng);
}

} // namespace

const std::vector<PicturePlan>& CollPictures() {
    static const std::vector<PicturePlan> plans{
        {"windmill", &Windmill, Layout::ThreeWide, false, windmill::kSteps},
        {"sleeping_elk", &SleepingElk, Layout::ThreeWide},
        {"fence", &Fence, Layout::ThreeWide},
        {"stable_gate", &StableGate, Layout::ThreeWide},
        {"bell_post", &BellPost, Layout::ThreeWide},
        {"hare_balloon", &HareBalloon, Layout::Strip},
        {"snowman_unfinished", &SnowmanUnfinished, Layout::ThreeWide},
        {"troll_guard", &TrollGuard, Layout::ThreeWide, true},
        {"troll_fleeing", &TrollFleeing, Layout::ThreeWide, true},
        {"snow_imp", &SnowImp, Layout::ThreeWide},
        {"snowball", &Snowball, Layout::Whole},
        {"egg_rolling", &EggRolling, Layout::Strip},
        {"gosling", &Gosling, Layout::ThreeWide},
        {"tin_bird", &TinBird, Layout::ThreeWide},
        {"fox", &Fox, Layout::ThreeWide, true},
        {"fox_fleeing", &FoxFleeing, Layout::Strip, true},
        {"snow_bunting", &SnowBunting, Layout::ThreeWide},
        {"crow_taking_off", &CrowTakingOff, Layout::Strip, true},
        {"crow_perched", &CrowPerched, Layout::Strip},
        {"pine_cone", &PineCone, Layout::Strip},
        {"badger_sled", &BadgerSled, Layout::ThreeWide},
        {"snow_hare_hopping", &SnowHareHopping, Layout::ThreeWide, true},
        {"hedgehog", &Hedgehog, Layout::Strip},
        {"scarecrow", &Scarecrow, Layout::ThreeWide},
        {"leaning_fir", &LeaningFir, Layout::ThreeWide, true},
    };
    return plans;
}

} // namespace levelart
