// Buildings along the lane and far away: the farmhouse, the bakery, the log cabin, the barn,
// the hero's home, the distant views, and the lamp post's window with the lamp-maker.

#include "LevelArtBack.h"
#include "Text.h"

#include <algorithm>
#include <cmath>

namespace backart {

namespace {

// A chimney from (x, top) down into the roof, with a curl of smoke above it.
void Chimney(cairo_t* cr, double x, double top, double bottom, double width, Rng& rng, bool smoke) {
    if (smoke) {
        for (int i = 0; i < 4; ++i) {
            double r = 3 + i * 1.6;
            PathBlob(cr, x + width / 2 + i * 3 + std::sin(i) * 2, top - 5 - i * 8, r, r * 0.8, rng,
                     0.2, 7);
            SetColour(cr, Blend(palette::Stone, colour::Snow, 0.5 + i * 0.1), 0.75 - i * 0.12);
            cairo_fill_preserve(cr);
            InkOutline(cr, 0.5, rng, palette::StoneDark, 0.5 - i * 0.1);
            cairo_new_path(cr);
        }
    }
    cairo_rectangle(cr, x, top, width, bottom - top);
    Fill(cr, Blend(palette::Rust, palette::Stone, 0.4), rng, 0.9);
    for (double y = top + 4; y < bottom - 1; y += 4)
        InkLine(cr, {{x + 0.5, y}, {x + width - 0.5, y}}, 0.4, rng, palette::StoneDark, 0.7);
    SnowCap(cr, {{x - 1, top}, {x + width + 1, top}}, 3, rng);
}

// A gabled roof over (x0..x1) from eaves at `eave` up to the ridge at `ridge`, thick snow on it,
// over the gable end: the wall (in `gable`) closing the triangle under it, boarded.
void GableRoof(cairo_t* cr, double x0, double x1, double eave, double ridge, Rgb tiles, Rgb gable,
               Rng& rng) {
    double mid = (x0 + x1) / 2;
    PathPolygon(cr, {{x0, eave + 6}, {mid, ridge + 4}, {x1, eave + 6}});
    Fill(cr, gable, rng, 0.6);
    for (double x = x0 + 8; x < x1 - 4; x += 8) { // boards, up to the roof's underside
        const double top = ridge + 6 + (eave - ridge) * std::fabs(x - mid) / (mid - x0);
        if (top < eave + 3)
            InkLine(cr, {{x, top}, {x, eave + 5}}, 0.4, rng, Darker(gable, 0.35), 0.6);
    }
    PathPolygon(cr, {{x0 - 6, eave},
                     {mid, ridge},
                     {x1 + 6, eave},
                     {x1 + 6, eave + 5},
                     {mid, ridge + 5},
                     {x0 - 6, eave + 5}});
    Fill(cr, tiles, rng, 1.0);
    std::vector<Pt> snow;
    for (int i = 0; i <= 8; ++i) {
        double t = i / 8.0, x = x0 - 6 + (x1 - x0 + 12) * t;
        double y = t < 0.5 ? eave + (ridge - eave) * (t * 2) : ridge + (eave - ridge) * (t * 2 - 1);
        snow.push_back({x, y});
    }
    SnowCap(cr, snow, 8, rng);
    for (int i = 0; i < 6; ++i) { // icicles along the eaves
        double x = x0 - 4 + i * 3 + rng.Range(0, 2);
        PathPolygon(cr, {{x - 1, eave + 5}, {x + 1, eave + 5}, {x, eave + 5 + rng.Range(3, 8)}});
        Fill(cr, colour::Ice, rng, 0.4);
        x = x1 + 4 - i * 3 - rng.Range(0, 2);
        PathPolygon(cr, {{x - 1, eave + 5}, {x + 1, eave + 5}, {x, eave + 5 + rng.Range(3, 8)}});
        Fill(cr, colour::Ice, rng, 0.4);
    }
}

void Door(cairo_t* cr, double x, double y, double w, double h, Rgb paint, Rng& rng) {
    PathSmooth(cr,
               {{x, y + h}, {x, y + w * 0.5}, {x + w / 2, y}, {x + w, y + w * 0.5}, {x + w, y + h}},
               true);
    cairo_new_path(cr);
    cairo_move_to(cr, x, y + h);
    cairo_line_to(cr, x, y + w * 0.5);
    cairo_arc(cr, x + w / 2, y + w * 0.5, w / 2, Pi, 2 * Pi);
    cairo_line_to(cr, x + w, y + h);
    cairo_close_path(cr);
    Fill(cr, paint, rng, 1.0);
    for (double k : {0.33, 0.66})
        InkLine(cr, {{x + w * k, y + w * 0.3}, {x + w * k, y + h}}, 0.5, rng, Darker(paint, 0.5));
    PathEllipse(cr, x + w * 0.8, y + h * 0.6, 1, 1);
    Fill(cr, palette::Ochre, rng, 0.3);
}

// Hills and a pale sky line, faded to sit far behind the lane.
void FarHills(cairo_t* cr, double w, double h, double top, Rng& rng) {
    std::vector<Pt> ridge{{0, h}};
    for (int i = 0; i <= 6; ++i)
        ridge.push_back({w * i / 6.0, top + (h - top) * 0.3 * std::sin(i * 1.3 + rng.Range(0, 1)) +
                                          rng.Range(-3, 3)});
    ridge.push_back({w, h});
    PathSmooth(cr, ridge);
    SetColour(cr, Blend(colour::Snow, colour::SnowShade, 0.3));
    cairo_fill_preserve(cr);
    Wash(cr, palette::Sky, 0.3, rng, {.layers = 2, .jitter = 2, .edge = 0.6, .granulation = 0.1});
    InkOutline(cr, 0.7, rng, palette::Water, 0.6);
    cairo_new_path(cr);
}

void DistantChapelUnfaded(cairo_t* cr, double w, double h, int, Rng& rng);
void HillCottageUnfaded(cairo_t* cr, double w, double h, int, Rng& rng);
void FarSpireUnfaded(cairo_t* cr, double w, double h, int, Rng& rng);
void FarHutUnfaded(cairo_t* cr, double w, double h, int, Rng& rng);

} // namespace

void Farmhouse(cairo_t* cr, double w, double h, int, Rng& rng) {
    // The fire-lit window sits at (68..98, 83..113): a window is painted there too.
    GroundShadow(cr, w / 2, h - 4, w * 0.5, 6);
    Chimney(cr, 112, 22, 60, 14, rng, true);
    PathRoundedRect(cr, 14, 70, w - 28, h - 74, 2);
    Fill(cr, colour::Wall, rng, 1.1);
    for (double x = 20; x < w - 20; x += 9) // timber framing
        InkLine(cr, {{x, 72}, {x, 78}}, 0.5, rng, palette::Wood, 0.6);
    InkLine(cr, {{14, 118}, {w - 14, 118}}, 2.0, rng, palette::Wood);
    InkLine(cr, {{14, 76}, {w - 14, 76}}, 2.0, rng, palette::Wood);
    GableRoof(cr, 14, w - 14, 74, 14, colour::Roof, colour::Wall, rng);
    PathEllipse(cr, w / 2, 48, 7, 7); // the loft's round window
    Fill(cr, Blend(palette::Water, palette::Ink, 0.3), rng, 0.9);
    Window(cr, 70, 85, 26, 26, true, rng);
    Window(cr, 26, 85, 26, 26, false, rng);
    Window(cr, 26, 136, 24, 24, true, rng);
    Door(cr, 92, h - 62, 26, 58, Blend(palette::Leaf, palette::StoneDark, 0.4), rng);
    PathRoundedRect(cr, 88, h - 5, 34, 3, 1);
    Fill(cr, palette::Stone, rng, 0.6);
    SnowMound(cr, 0, 60, h, h - 10, rng);
    SnowMound(cr, w - 40, w, h, h - 12, rng);
}

void BakeryCottage(cairo_t* cr, double w, double h, int, Rng& rng) {
    GroundShadow(cr, w / 2, h - 4, w * 0.5, 6);
    Chimney(cr, 36, 30, 70, 14, rng, true);
    const Rgb wall = Blend(colour::Wall, palette::Rose, 0.25);
    PathRoundedRect(cr, 12, 80, w - 24, h - 84, 2);
    Fill(cr, wall, rng, 1.1);
    GableRoof(cr, 12, w - 12, 84, 22, Blend(colour::Roof, palette::Ochre, 0.3), wall, rng);
    // A bay window full of loaves, and the door on the right.
    PathRoundedRect(cr, 22, 118, 66, 42, 3);
    Glow(cr, 55, 139, 50, 32, colour::Glow, 0.35);
    PathRoundedRect(cr, 22, 118, 66, 42, 3);
    Fill(cr, colour::Glow, rng, 1.0, 0.5);
    for (int i = 0; i < 4; ++i) {
        PathEllipse(cr, 32 + i * 15, 152, 6.5, 4);
        Fill(cr, Blend(palette::Ochre, palette::Wood, 0.4), rng, 0.6);
        InkLine(cr, {{29 + double(i) * 15, 150}, {35 + double(i) * 15, 151}}, 0.5, rng,
                palette::Wood);
    }
    for (double x : {44.0, 66.0})
        InkLine(cr, {{x, 118}, {x, 160}}, 0.9, rng, palette::Wood);
    InkLine(cr, {{22, 132}, {88, 132}}, 0.9, rng, palette::Wood);
    PathPolygon(cr, {{18, 118}, {92, 118}, {86, 110}, {24, 110}}); // awning
    Fill(cr, palette::Rust, rng, 0.9);
    for (double x = 28; x < 88; x += 12)
        InkLine(cr, {{x, 110.5}, {x + 3, 117.5}}, 3.0, rng, colour::Snow, 0.9);
    Door(cr, w - 62, h - 66, 28, 62, Blend(palette::Water, palette::StoneDark, 0.3), rng);
    PathPolygon(cr, {{w - 64, h - 4}, {w - 32, h - 4}, {w - 30, h}, {w - 66, h}});
    Fill(cr, palette::Stone, rng, 0.6);
    // The pretzel sign on a bracket.
    InkLine(cr, {{w - 14, 100}, {w + 2, 100}}, 1.4, rng, palette::Ink);
    cairo_save(cr);
    cairo_translate(cr, w - 6, 114);
    cairo_new_path(cr);
    cairo_move_to(cr, 0, 10);
    cairo_curve_to(cr, -12, 8, -12, -10, -2, -6);
    cairo_curve_to(cr, 4, -3, 2, 4, 0, 10);
    cairo_curve_to(cr, -2, 4, -4, -3, 2, -6);
    cairo_curve_to(cr, 12, -10, 12, 8, 0, 10);
    cairo_set_line_width(cr, 3.2);
    SetColour(cr, Blend(palette::Ochre, palette::Wood, 0.45));
    cairo_stroke_preserve(cr);
    cairo_set_line_width(cr, 0.6);
    SetColour(cr, palette::Ink);
    cairo_stroke(cr);
    cairo_restore(cr);
    InkLine(cr, {{w - 6, 100}, {w - 6, 106}}, 0.6, rng);
    DrawText(cr, FontFace::SerifBold, 10, 80, 100, "Bakery", palette::Sepia, Align::Centre);
    SnowMound(cr, 0, 40, h, h - 8, rng);
}

void HomeCottage(cairo_t* cr, double w, double h, int, Rng& rng) {
    // The hero's home: a round stone cottage under a thick thatch of snow, warm windows, a
    // wreath on the door and smoke from the chimney.
    const double cx = w / 2, base = h - 4;
    GroundShadow(cr, cx, base, w * 0.48, 7);
    // The chimney stack is built up the outside of the left wall (its top is kHomeChimneyTop on
    // the page while the closing smoke rises: the picture is drawn at 0.7 about its foot).
    Chimney(cr, cx - 106, 108, base - 2, 16, rng, true);
    PathSmooth(cr,
               {{cx - 88, base},
                {cx - 92, base - 70},
                {cx - 84, base - 120},
                {cx + 84, base - 120},
                {cx + 92, base - 70},
                {cx + 88, base}},
               true);
    Fill(cr, Blend(palette::Stone, palette::Ochre, 0.2), rng, 1.2);
    for (int i = 0; i < 40; ++i) { // field stones
        double x = rng.Range(cx - 80, cx + 80), y = rng.Range(base - 112, base - 6);
        PathBlob(cr, x, y, rng.Range(5, 9), rng.Range(3.5, 5.5), rng, 0.12, 6);
        SetColour(cr, Blend(palette::Stone, palette::Ochre, rng.Range(0, 0.4)), 0.55);
        cairo_fill_preserve(cr);
        InkOutline(cr, 0.5, rng, palette::StoneDark, 0.7);
        cairo_new_path(cr);
    }
    // A domed roof heaped with snow.
    PathSmooth(cr, {{cx - 98, base - 112},
                    {cx - 78, base - 170},
                    {cx - 20, base - 200},
                    {cx + 40, base - 196},
                    {cx + 86, base - 164},
                    {cx + 98, base - 112},
                    {cx, base - 122}});
    Fill(cr, Blend(palette::Ochre, palette::Wood, 0.4), rng, 1.0);
    PathSmooth(cr, {{cx - 100, base - 114},
                    {cx - 84, base - 168},
                    {cx - 24, base - 204},
                    {cx + 40, base - 200},
                    {cx + 90, base - 166},
                    {cx + 100, base - 114},
                    {cx + 60, base - 128},
                    {cx, base - 134},
                    {cx - 60, base - 128}});
    Snow(cr, rng, 0.9);
    Window(cr, cx - 66, base - 92, 28, 30, true, rng);
    Window(cr, cx + 38, base - 92, 28, 30, true, rng);
    PathEllipse(cr, cx, base - 150, 10, 10);
    Glow(cr, cx, base - 150, 16, 16, colour::Glow, 0.4);
    PathEllipse(cr, cx, base - 150, 9, 9);
    Fill(cr, colour::Glow, rng, 0.9, 0.5);
    Door(cr, cx - 17, base - 80, 34, 80, colour::Red, rng);
    PathEllipse(cr, cx, base - 52, 9, 9); // the wreath
    PathEllipse(cr, cx, base - 52, 5, 5);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    Fill(cr, Darker(palette::Leaf, 0.2), rng, 0.8);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    for (int k = 0; k < 5; ++k) {
        double a = k * 2 * Pi / 5;
        PathEllipse(cr, cx + 7 * std::cos(a), base - 52 + 7 * std::sin(a), 1.4, 1.4);
        Fill(cr, palette::Ochre, rng, 0.3);
    }
    PathPolygon(cr, {{cx, base - 44}, {cx - 4, base - 40}, {cx + 4, base - 40}});
    Fill(cr, palette::Ochre, rng, 0.5);
    SnowMound(cr, 0, 50, h, h - 12, rng);
    SnowMound(cr, w - 50, w, h, h - 10, rng);
}

void LogCabin(cairo_t* cr, double w, double h, int, Rng& rng) {
    // A log cabin raised on two corner posts, its ladder taken up and hung on the wall. Where it
    // comes back it stands between the lantern and the troll: the lantern's light shines on
    // under its floor.
    const double floor = h - 56; // the underside of the floor
    const double doorX = 14;
    GroundShadow(cr, w / 2, h - 4, w * 0.5, 6);
    for (double x : {4.0, w - 9}) {
        PathRoundedRect(cr, x, floor - 6, 5, h - 2 - (floor - 6), 1);
        Fill(cr, Darker(palette::Wood, 0.2), rng, 0.9);
    }
    Chimney(cr, w - 44, 30, 60, 14, rng, true);
    PathRoundedRect(cr, 12, 64, w - 24, floor - 64, 1);
    Fill(cr, palette::Wood, rng, 1.1);
    for (double y = 70; y < floor - 2; y += 8) { // logs with round ends
        InkLine(cr, {{12, y}, {w - 12, y}}, 0.7, rng, Darker(palette::Wood, 0.4));
        for (double x : {10.0, w - 10}) {
            PathEllipse(cr, x, y - 4, 4, 4);
            Fill(cr, Lighter(palette::Wood, 0.45), rng, 0.6);
        }
    }
    PathRoundedRect(cr, 2, floor - 4, w - 4, 6, 1); // the floor beam
    Fill(cr, Darker(palette::Wood, 0.25), rng, 0.9);
    GableRoof(cr, 12, w - 12, 68, 12, Darker(palette::Wood, 0.3), Lighter(palette::Wood, 0.15),
              rng);
    Door(cr, doorX + 2, floor - 50, 24, 46, Darker(palette::Wood, 0.3), rng);
    Window(cr, w - 56, 88, 26, 24, true, rng);
    // The ladder, taken up and hung on two pegs on the wall.
    const double ladderY = floor - 22;
    for (double dy : {0.0, 8.0})
        InkLine(cr, {{44, ladderY + dy}, {w - 62, ladderY + dy}}, 1.3, rng,
                Darker(palette::Wood, 0.45));
    for (double x = 48; x < w - 62; x += 8)
        InkLine(cr, {{x, ladderY}, {x, ladderY + 8}}, 1.0, rng, Darker(palette::Wood, 0.45));
    for (double x : {52.0, w - 70}) {
        PathEllipse(cr, x, ladderY - 2, 1.5, 1.5);
        Fill(cr, palette::Ink, rng, 0.3);
    }
    PathPolygon(cr, {{52, 44}, {96, 44}, {96, 58}, {52, 58}});
    Fill(cr, Lighter(palette::Wood, 0.3), rng, 0.8);
    InkLine(cr, {{74, 44}, {74, 58}}, 0.6, rng, palette::Wood);
    for (double x : {7.0, w - 7}) // snow heaped at the posts' feet
        SnowMound(cr, x - 7, x + 7, h, h - 4, rng);
}

void SnowyBarn(cairo_t* cr, double w, double h, int, Rng& rng) {
    GroundShadow(cr, w / 2, h - 4, w * 0.5, 6);
    PathPolygon(cr, {{10, h - 2}, {10, 64}, {w / 2, 26}, {w - 10, 64}, {w - 10, h - 2}});
    Fill(cr, colour::Red, rng, 1.1);
    for (double x = 18; x < w - 10; x += 9)
        InkLine(
            cr,
            {{x, std::max(64.0 - (x < w / 2 ? x - 10 : w - 10 - x) * 0.7, 30.0) + 6}, {x, h - 4}},
            0.5, rng, Darker(colour::Red, 0.4), 0.7);
    // Big doors with white cross bracing.
    cairo_rectangle(cr, w / 2 - 30, h - 70, 60, 68);
    Fill(cr, Darker(colour::Red, 0.15), rng, 1.0);
    for (double x0 : {w / 2 - 30, w / 2}) {
        InkLine(cr, {{x0, h - 70}, {x0 + 30, h - 2}}, 1.6, rng, colour::Snow);
        InkLine(cr, {{x0 + 30, h - 70}, {x0, h - 2}}, 1.6, rng, colour::Snow);
        cairo_rectangle(cr, x0 + 1, h - 69, 28, 66);
        cairo_set_line_width(cr, 1.8);
        SetColour(cr, colour::Snow);
        cairo_stroke(cr);
    }
    PathRoundedRect(cr, w / 2 - 12, 56, 24, 20, 2); // the loft door
    Fill(cr, Darker(colour::Red, 0.3), rng, 0.9);
    PathPolygon(cr, {{2, 68}, {w / 2, 22}, {w - 2, 68}, {w - 2, 74}, {w / 2, 28}, {2, 74}});
    Fill(cr, palette::StoneDark, rng, 1.0);
    SnowCap(cr, {{2, 68}, {w / 4, 46}, {w / 2, 21}, {w * 0.75, 46}, {w - 2, 68}}, 9, rng);
    SnowMound(cr, 0, 44, h, h - 12, rng);
    SnowMound(cr, w - 44, w, h, h - 14, rng);
}

// Far away at the lane's end: its mountain fades out at the sides and the foot.
void FarHut(cairo_t* cr, double w, double h, int frame, Rng& rng) {
    PaintFaded(cr, w, h, {.left = w * 0.2, .right = w * 0.2, .bottom = h * 0.3},
               [&] { FarHutUnfaded(cr, w, h, frame, rng); });
}

namespace {
void FarHutUnfaded(cairo_t* cr, double w, double h, int, Rng& rng) {
    // A mountain with a tiny hut on its shoulder, all pale with distance.
    PathSmooth(cr, {{0, h}, {20, h * 0.55}, {w * 0.5, 6}, {w * 0.8, h * 0.45}, {w, h}}, true);
    SetColour(cr, Blend(colour::Snow, palette::Sky, 0.2));
    cairo_fill_preserve(cr);
    Wash(cr, palette::Sky, 0.4, rng, {.layers = 2, .jitter = 2, .edge = 0.7, .granulation = 0.1});
    InkOutline(cr, 0.7, rng, palette::Water, 0.7);
    cairo_new_path(cr);
    for (int i = 0; i < 4; ++i)
        InkLine(cr,
                {{w * 0.5 + double(i) * 4, 14 + double(i) * 8},
                 {w * 0.5 + double(i) * 7 + 6, 30 + double(i) * 10}},
                0.6, rng, palette::Water, 0.5);
    cairo_rectangle(cr, 58, 56, 14, 10);
    Fill(cr, Blend(palette::Wood, palette::Sky, 0.3), rng, 0.6);
    PathPolygon(cr, {{55, 57}, {65, 49}, {75, 57}});
    Snow(cr, rng, 0.6);
    cairo_rectangle(cr, 63, 59, 3, 3);
    SetColour(cr, colour::Glow);
    cairo_fill(cr);
    for (int i = 0; i < 5; ++i) {
        double x = rng.Range(w * 0.25, w * 0.75), y = rng.Range(h * 0.7, h - 6); // on the mountain
        PathPolygon(cr, {{x, y - 8}, {x + 3, y}, {x - 3, y}});
        Fill(cr, Blend(colour::Pine, palette::Sky, 0.4), rng, 0.4);
    }
}
} // namespace

// Far scenery melts into the page: its hills fade out towards the sides and the bottom, so that
// two far pictures can overlap and none ends in a straight edge.
void DistantChapel(cairo_t* cr, double w, double h, int frame, Rng& rng) {
    PaintFaded(cr, w, h, {.left = w * 0.22, .right = w * 0.22, .bottom = h * 0.35},
               [&] { DistantChapelUnfaded(cr, w, h, frame, rng); });
}

void HillCottage(cairo_t* cr, double w, double h, int frame, Rng& rng) {
    PaintFaded(cr, w, h, {.left = w * 0.25, .right = w * 0.25, .top = h * 0.2, .bottom = h * 0.4},
               [&] { HillCottageUnfaded(cr, w, h, frame, rng); });
}

// The spire stands on a small hill of its own that fades out all round.
void FarSpire(cairo_t* cr, double w, double h, int frame, Rng& rng) {
    // No band of hill faded at the picture's sides: beside the hill cottage's hill and over the
    // spruce drawn before it, that read as a pale patch in the sky.
    FarSpireUnfaded(cr, w, h, frame, rng);
}

namespace {

void DistantChapelUnfaded(cairo_t* cr, double w, double h, int, Rng& rng) {
    FarHills(cr, w, h, h * 0.45, rng);
    const double cx = w * 0.58, base = h * 0.62;
    cairo_rectangle(cr, cx - 20, base - 14, 30, 14);
    Fill(cr, Blend(colour::Wall, palette::Sky, 0.25), rng, 0.7);
    cairo_rectangle(cr, cx + 10, base - 26, 10, 26);
    Fill(cr, Blend(colour::Wall, palette::Sky, 0.25), rng, 0.7);
    PathPolygon(cr, {{cx + 8, base - 26}, {cx + 15, base - 44}, {cx + 22, base - 26}});
    Fill(cr, Blend(colour::Roof, palette::Sky, 0.35), rng, 0.7);
    PathPolygon(cr, {{cx - 23, base - 13}, {cx - 5, base - 24}, {cx + 12, base - 13}});
    Snow(cr, rng, 0.6);
    InkLine(cr, {{cx + 15, base - 44}, {cx + 15, base - 50}}, 0.6, rng, palette::Sepia);
    InkLine(cr, {{cx + 13, base - 48}, {cx + 17, base - 48}}, 0.6, rng, palette::Sepia);
    PathEllipse(cr, cx + 15, base - 18, 1.6, 2.5);
    SetColour(cr, colour::Glow);
    cairo_fill(cr);
    // Little pines on the hill: low on it and away from its ends, which fade out (a darker pine
    // there would stand alone in the sky).
    for (int i = 0; i < 7; ++i) {
        double x = rng.Range(w * 0.25, w * 0.75), y = rng.Range(h * 0.8, h - 6);
        if (std::abs(x - cx) < 30) continue;
        PathPolygon(cr, {{x, y - 9}, {x + 3.5, y}, {x - 3.5, y}});
        Fill(cr, Blend(colour::Pine, palette::Sky, 0.45), rng, 0.4);
    }
}

void HillCottageUnfaded(cairo_t* cr, double w, double h, int, Rng& rng) {
    FarHills(cr, w, h, h * 0.5, rng);
    const double cx = w * 0.4, base = h * 0.6; // low enough for the smoke to end in the picture
    cairo_rectangle(cr, cx - 12, base - 12, 24, 12);
    Fill(cr, Blend(colour::Wall, palette::Sky, 0.2), rng, 0.6);
    PathPolygon(cr, {{cx - 15, base - 11}, {cx, base - 23}, {cx + 15, base - 11}});
    Snow(cr, rng, 0.6);
    for (double x : {cx - 7, cx + 4}) {
        cairo_rectangle(cr, x, base - 8, 3.5, 3.5);
        SetColour(cr, colour::Glow);
        cairo_fill(cr);
    }
    Chimney(cr, cx + 5, base - 24, base - 17, 3.5, rng, true);
}

void FarSpireUnfaded(cairo_t* cr, double w, double h, int, Rng& rng) {
    // The tower stands left in its picture: the spruce to its right is drawn before it and
    // must not be covered by the far-away spire.
    const double cx = w * 0.3, hilltop = h * 0.82;
    cairo_rectangle(cr, cx - 8, 50, 16, hilltop + 4 - 50);
    Fill(cr, Blend(colour::Wall, palette::Sky, 0.3), rng, 0.7);
    PathPolygon(cr, {{cx - 10, 52}, {cx, 8}, {cx + 10, 52}});
    Fill(cr, Blend(palette::StoneDark, palette::Sky, 0.4), rng, 0.7);
    InkLine(cr, {{cx, 8}, {cx, 1}}, 0.6, rng, palette::Sepia);
    InkLine(cr, {{cx - 2.5, 4}, {cx + 2.5, 4}}, 0.6, rng, palette::Sepia);
    PathEllipse(cr, cx, 62, 3, 3); // the clock
    Fill(cr, palette::Paper, rng, 0.5, 0.2);
    PathSmooth(cr, {{cx - 2, 74}, {cx - 2, 68}, {cx, 66}, {cx + 2, 68}, {cx + 2, 74}}, true);
    SetColour(cr, colour::Glow);
    cairo_fill(cr);
    SnowCap(cr, {{cx - 9, 50}, {cx + 9, 50}}, 2, rng);
    // The top of its own far hill round its foot, sloping away and fading out below.
    cairo_push_group(cr);
    PathSmooth(cr, {{1, h - 1},
                    {cx - 10, hilltop + 5},
                    {cx, hilltop},
                    {cx + 9, hilltop + 5},
                    {cx + 15, h - 1}});
    SetColour(cr, Blend(colour::Snow, colour::SnowShade, 0.3));
    cairo_fill_preserve(cr);
    Wash(cr, palette::Sky, 0.3, rng, {.layers = 2, .jitter = 2, .edge = 0.6, .granulation = 0.1});
    InkOutline(cr, 0.7, rng, palette::Water, 0.6);
    cairo_new_path(cr);
    cairo_pattern_t* hill = cairo_pop_group(cr);
    cairo_pattern_t* fade = cairo_pattern_create_linear(0, hilltop + 6, 0, h - 1);
    cairo_pattern_add_color_stop_rgba(fade, 0, 0, 0, 0, 1);
    cairo_pattern_add_color_stop_rgba(fade, 1, 0, 0, 0, 0);
    cairo_set_source(cr, hill);
    cairo_mask(cr, fade);
    cairo_pattern_destroy(fade);
    cairo_pattern_destroy(hill);
}

} // namespace

void FirelitWindow(cairo_t* cr, double w, double h, int frame, Rng& rng) {
    // Sits over the farmhouse's window: the same frame, the fire's light changing.
    const double flicker[3] = {0.55, 0.8, 0.4};
    PathRoundedRect(cr, 2, 2, w - 4, h - 4, 2);
    Fill(cr, Blend(palette::Rust, colour::Glow, flicker[frame]), rng, 0.9, 0.6);
    Glow(cr, w * (0.35 + 0.15 * frame), h * 0.75, w * 0.6, h * 0.5, {1.0, 0.9, 0.5},
         0.3 + 0.4 * flicker[frame]);
    // A flame shape on the hearth, moving frame to frame.
    double sway = (frame - 1) * 1.5;
    PathSmooth(cr,
               {{w / 2 - 5, h - 5},
                {w / 2 - 3 + sway, h - 12},
                {w / 2 + sway * 1.5, h - 17 - frame},
                {w / 2 + 3 + sway, h - 11},
                {w / 2 + 5, h - 5}},
               true);
    SetColour(cr, {1.0, 0.6, 0.2}, 0.8);
    cairo_fill(cr);
    PathRoundedRect(cr, 2, 2, w - 4, h - 4, 2);
    InkOutline(cr, 1.0, rng, palette::Wood);
    cairo_new_path(cr);
    InkLine(cr, {{w / 2, 2}, {w / 2, h - 2}}, 1.0, rng, palette::Wood);
    InkLine(cr, {{2, h / 2}, {w - 2, h / 2}}, 1.0, rng, palette::Wood);
    InkLine(cr, {{1, h - 1}, {w - 1, h - 1}}, 1.8, rng, colour::Snow);
}

// The lamp-maker's little tower stands on the bakery's roof ridge. The game shows the shutters
// (B12) and then the waving lamp-maker (B13) at fixed places from the lamp post, which put the
// bakery's ridge at `apex` in each picture; both draw the same tower around the same window.
constexpr double kWindowR = 24;
constexpr double kRoofSlope = 0.74; // the bakery roof's fall per pixel from its ridge

void LampTurret(cairo_t* cr, Pt window, Pt apex, Rng& rng) {
    const double x0 = window.x - 25, x1 = window.x + 25, top = window.y - 33;
    auto roof = [&](double x) { return apex.y + std::abs(x - apex.x) * kRoofSlope + 3; };
    std::vector<Pt> wall{{x0, top}, {x1, top}, {x1, roof(x1)}};
    if (apex.x > x0 && apex.x < x1) wall.push_back({apex.x, roof(apex.x)});
    wall.push_back({x0, roof(x0)});
    PathPolygon(cr, wall);
    Fill(cr, Blend(palette::Stone, palette::Ochre, 0.2), rng, 1.0);
    for (double y = top + 10; y < roof(x0) - 4; y += 12)
        InkLine(cr, {{x0 + 1, y}, {x1 - 1, std::min(y, roof(x1) - 3)}}, 0.5, rng,
                palette::StoneDark, 0.5);
    // Snow drifted against its foot on the roof, and its pointed cap.
    std::vector<Pt> drift{{x0 - 1, roof(x0 - 1) - 2}};
    if (apex.x > x0 && apex.x < x1) drift.push_back({apex.x, roof(apex.x) - 4});
    drift.push_back({x1 + 1, roof(x1 + 1) - 2});
    SnowCap(cr, drift, 3, rng);
    PathPolygon(cr, {{x0 - 3, top + 2}, {window.x, top - 18}, {x1 + 3, top + 2}});
    Fill(cr, Blend(colour::Roof, palette::Ochre, 0.3), rng, 1.0);
    SnowCap(cr, {{x0 - 3, top + 1}, {window.x, top - 19}, {x1 + 3, top + 1}}, 3, rng);
}

// The bakery's ridge and the window in the shutters' picture (B12, at the lamp post + (45, -98)
// in painted pixels) and in the lamp-maker's (B13, 36 further right).
constexpr Pt kShuttersApex{81, 123}, kShuttersWindow{66, 62};
constexpr Pt kLampmakerApex{45, 123}, kLampmakerWindow{30, 62};

void LampShutters(cairo_t* cr, double, double, int frame, Rng& rng) {
    // The little tower's round window: shut; opening; open; a mitten reaches out with a
    // lantern; the lantern hangs on its hook.
    const double cx = kShuttersWindow.x, cy = kShuttersWindow.y, r = kWindowR;
    LampTurret(cr, kShuttersWindow, kShuttersApex, rng);
    PathEllipse(cr, cx, cy, r, r);
    bool lit = frame >= 2;
    if (lit) Glow(cr, cx, cy, r * 1.4, r * 1.4, colour::Glow, 0.4);
    PathEllipse(cr, cx, cy, r, r);
    Fill(cr, lit ? colour::Glow : Blend(palette::Water, palette::Ink, 0.4), rng, 1.0);
    // Two shutters, swinging open to the sides.
    double open[5] = {0, 0.45, 0.95, 1, 1};
    for (int s : {-1, 1}) {
        double sw = r * (1 - open[frame] * 0.75);
        double hinge = cx + s * r;
        PathPolygon(cr, {{hinge, cy - r},
                         {hinge - s * sw, cy - r * (1 - open[frame] * 0.15)},
                         {hinge - s * sw, cy + r * (1 - open[frame] * 0.15)},
                         {hinge, cy + r}});
        Fill(cr, Blend(palette::Leaf, palette::StoneDark, 0.35), rng, 1.0);
        InkLine(cr, {{hinge - s * sw * 0.5, cy - r * 0.8}, {hinge - s * sw * 0.5, cy + r * 0.8}},
                0.5, rng, palette::Ink, 0.6);
    }
    // The hook bar under the window.
    // (The lantern hangs where the game then puts the lantern to tear out.)
    InkLine(cr, {{cx + 6, cy + r + 2}, {cx + 23, cy + r + 2}, {cx + 23, cy + r + 6}}, 1.3, rng,
            palette::Ink);
    if (frame >= 3) {
        double lx = frame == 3 ? cx + 12 : cx + 23, ly = cy + r + 8;
        if (frame == 3) { // the mitten holding the lantern's ring
            PathBlob(cr, lx, ly - 6, 6, 5, rng, 0.1, 6);
            Fill(cr, colour::Red, rng, 0.8);
            InkLine(cr, {{cx + 2, cy + 6}, {lx - 3, ly - 6}}, 4, rng, colour::Red);
        }
        InkLine(cr, {{lx, ly - 2}, {lx, ly + 2}}, 0.7, rng);
        PathPolygon(cr, {{lx - 6, ly + 2}, {lx + 6, ly + 2}, {lx + 5, ly + 18}, {lx - 5, ly + 18}});
        Glow(cr, lx, ly + 10, 12, 12, colour::Glow, 0.6);
        PathPolygon(cr, {{lx - 6, ly + 2}, {lx + 6, ly + 2}, {lx + 5, ly + 18}, {lx - 5, ly + 18}});
        Fill(cr, colour::Glow, rng, 0.9, 0.5);
        PathPolygon(cr, {{lx - 7, ly + 3}, {lx, ly - 3}, {lx + 7, ly + 3}});
        Fill(cr, palette::StoneDark, rng, 0.7);
    }
    PathEllipse(cr, cx, cy, r, r);
    InkOutline(cr, 1.4, rng, palette::Wood);
    cairo_new_path(cr);
}

void LampmakerWaving(cairo_t* cr, double, double, int frame, Rng& rng) {
    // The old mole in the tower's round window, spectacles on his nose, waving a mittened hand.
    LampTurret(cr, kLampmakerWindow, kLampmakerApex, rng);
    const double cx = kLampmakerWindow.x, cy = kLampmakerWindow.y;
    cairo_save(cr); // the mole is drawn for a window of 30, the tower's is smaller
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, kWindowR / 30, kWindowR / 30);
    cairo_translate(cr, -cx, -cy);
    const Rgb moleFur{0.34, 0.30, 0.32};
    PathEllipse(cr, cx, cy, 30, 30);
    Fill(cr, colour::Glow, rng, 1.2, 0.5);
    cairo_save(cr);
    PathEllipse(cr, cx, cy, 29, 29);
    cairo_clip(cr);
    cairo_new_path(cr);
    PathBlob(cr, cx - 2, cy + 30, 22, 18, rng, 0.05, 9); // shoulders
    Fill(cr, Blend(palette::Sky, palette::StoneDark, 0.3), rng, 0.9);
    PathEllipse(cr, cx - 2, cy + 4, 15, 14);
    Fill(cr, moleFur, rng, 0.9);
    PathEllipse(cr, cx + 10, cy + 8, 6, 4);
    Fill(cr, palette::Rose, rng, 0.7);
    for (double ex : {cx - 7, cx + 3}) {
        PathEllipse(cr, ex, cy + 1, 4.2, 4.2);
        SetColour(cr, {1, 1, 1}, 0.5);
        cairo_fill_preserve(cr);
        InkOutline(cr, 0.8, rng, palette::Ochre);
        cairo_new_path(cr);
        Eye(cr, ex + 0.5, cy + 1.2, 1.0);
    }
    InkCurve(cr, {cx - 5, cy + 12}, {cx - 2, cy + 14}, {cx + 2, cy + 14}, {cx + 4, cy + 12}, 0.6,
             rng);
    PathPolygon(cr, {{cx - 16, cy - 6}, {cx + 12, cy - 8}, {cx + 20, cy - 24}, {cx - 4, cy - 20}});
    Fill(cr, colour::Red, rng, 0.8); // nightcap
    PathEllipse(cr, cx + 21, cy - 25, 3.5, 3.5);
    Snow(cr, rng, 0.5);
    cairo_restore(cr);
    // The waving arm, out of the window: up left, up, up right.
    double a = -Pi / 2 + (frame - 1) * 0.45;
    Pt shoulder{cx + 16, cy + 20};
    Pt hand{shoulder.x + 24 * std::cos(a) + 6, shoulder.y + 30 * std::sin(a)};
    InkLine(cr, {shoulder, {(shoulder.x + hand.x) / 2 + 4, (shoulder.y + hand.y) / 2}, hand}, 5,
            rng, Blend(palette::Sky, palette::StoneDark, 0.3));
    PathBlob(cr, hand.x, hand.y, 5, 5.5, rng, 0.1, 6);
    Fill(cr, colour::Red, rng, 0.8);
    PathEllipse(cr, cx, cy, 30, 30);
    InkOutline(cr, 1.6, rng, palette::Wood);
    cairo_new_path(cr);
    cairo_restore(cr);
}

} // namespace backart
