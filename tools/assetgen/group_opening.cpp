// The opening film: three story pictures (the valley freezes and the sun hides behind the great
// hill), then the storyteller's hand draws the hero and the hill on an empty page, the hero
// sets off, and the first chapter begins.
//
// The film's pictures are drawn at half size and shown doubled. Everything the hand sketches
// lines up with the coloured pictures that replace the sketch: the hero stands at (90, 345)
// on screen, the hill is shown at (400, 0), the first 24 hand frames at (0, 230) and the rest
// at (320, 100), so shapes are placed in screen coordinates and mapped into each picture.

#include "Canvas.h"
#include "Ink.h"
#include "Registry.h"
#include "Text.h"
#include "TitleArt.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {

constexpr double Pi = 3.14159265358979323846;
const std::string Dir = "image/Title/Opening/";

// Where a picture sits on screen and how much it is enlarged.
struct Placement {
    Pt at;
    double scale;
    Pt Map(Pt screen) const { return {(screen.x - at.x) / scale, (screen.y - at.y) / scale}; }
};

constexpr Placement FullPicture{{0, 0}, 2};
constexpr Placement HillPicture{{400, 0}, 2};
constexpr Placement HandEarly{{0, 230}, 2};  // hand frames 1 to 24
constexpr Placement HandLate{{320, 100}, 2}; // hand frames 24 to 42
constexpr Pt CharAt{90, 345};
constexpr Pt HeroInChar{64, 88}; // body centre inside the character picture
constexpr Pt HeroOnScreen{CharAt.x + HeroInChar.x, CharAt.y + HeroInChar.y};

// The great hill's skyline in screen coordinates, from its left foot to the page's right edge.
// The foot comes down to the bottom at x 400, the hill picture's left border, so the picture
// ends there without a cut edge.
const std::vector<Pt> HillLine{{400, 600}, {440, 540}, {490, 470}, {540, 380}, {600, 250},
                               {656, 174}, {700, 186}, {750, 222}, {800, 250}};
constexpr Pt SunOnScreen{744, 92};
// The snow line the hand adds under the summit, and the zigzag trail up the slope.
const std::vector<Pt> SnowLine{{586, 280}, {620, 262}, {650, 280}, {690, 250},
                               {730, 290}, {760, 270}, {800, 290}};
const std::vector<Pt> Trail{{470, 520}, {540, 470}, {520, 420}, {590, 360},
                            {575, 300}, {630, 240}, {656, 190}};

std::vector<Pt> Mapped(const std::vector<Pt>& screen, const Placement& p) {
    std::vector<Pt> out;
    for (Pt s : screen)
        out.push_back(p.Map(s));
    return out;
}

// The first `fraction` of a polyline (by length); the last point is where the pen is.
std::vector<Pt> Partial(const std::vector<Pt>& pts, double fraction) {
    double total = 0;
    for (std::size_t i = 1; i < pts.size(); ++i)
        total += std::hypot(pts[i].x - pts[i - 1].x, pts[i].y - pts[i - 1].y);
    double want = total * std::clamp(fraction, 0.0, 1.0);
    std::vector<Pt> out{pts.front()};
    for (std::size_t i = 1; i < pts.size() && want > 0; ++i) {
        double len = std::hypot(pts[i].x - pts[i - 1].x, pts[i].y - pts[i - 1].y);
        if (len >= want) {
            double t = want / len;
            out.push_back({pts[i - 1].x + (pts[i].x - pts[i - 1].x) * t,
                           pts[i - 1].y + (pts[i].y - pts[i - 1].y) * t});
            break;
        }
        out.push_back(pts[i]);
        want -= len;
    }
    return out;
}

// A smooth curve through points, flattened, so it can be drawn in part.
std::vector<Pt> SmoothPoints(const std::vector<Pt>& pts, int perSegment = 8) {
    std::vector<Pt> out;
    auto at = [&](long i) { return pts[std::clamp<long>(i, 0, long(pts.size()) - 1)]; };
    for (long i = 0; i + 1 < long(pts.size()); ++i) {
        Pt p0 = at(i - 1), p1 = at(i), p2 = at(i + 1), p3 = at(i + 2);
        for (int k = 0; k < perSegment; ++k) {
            double t = double(k) / perSegment, t2 = t * t, t3 = t2 * t;
            out.push_back({0.5 * (2 * p1.x + (-p0.x + p2.x) * t +
                                  (2 * p0.x - 5 * p1.x + 4 * p2.x - p3.x) * t2 +
                                  (-p0.x + 3 * p1.x - 3 * p2.x + p3.x) * t3),
                           0.5 * (2 * p1.y + (-p0.y + p2.y) * t +
                                  (2 * p0.y - 5 * p1.y + 4 * p2.y - p3.y) * t2 +
                                  (-p0.y + 3 * p1.y - 3 * p2.y + p3.y) * t3)});
        }
    }
    out.push_back(pts.back());
    return out;
}

std::vector<Pt> EllipsePoints(Pt c, double rx, double ry, double from, double to, int n = 40) {
    std::vector<Pt> out;
    for (int i = 0; i <= n; ++i) {
        double a = from + (to - from) * i / n;
        out.push_back({c.x + rx * std::cos(a), c.y + ry * std::sin(a)});
    }
    return out;
}

void Sparkle(cairo_t* cr, Pt c, double r, Rng& rng) {
    cairo_new_path(cr);
    PathStar(cr, c.x, c.y, r, r * 0.3, 4, rng.Range(-0.3, 0.3));
    SetColour(cr, titlecolour::Sun, 0.9);
    cairo_fill_preserve(cr);
    InkOutline(cr, 0.6, rng, palette::Sepia, 0.8, 0.2);
    cairo_new_path(cr);
}

// --- The painted pictures

// The great hill as a filled shape in a picture placed at `p`, with its snow cap and trail.
void PaintHill(cairo_t* cr, const Placement& p, Rng& rng, Rgb body, double frost) {
    std::vector<Pt> line = SmoothPoints(Mapped(HillLine, p));
    Pt farRight = p.Map({800, 600});
    Pt farLeft = p.Map({400, 600});
    std::vector<Pt> shape = line;
    shape.push_back(farRight);
    shape.push_back(farLeft);
    PathPolygon(cr, shape);
    SetColour(cr, Lighter(body, 0.3));
    cairo_fill_preserve(cr);
    Wash(cr, body, 0.55, rng, {.layers = 3, .jitter = 2, .granulation = 0.25});
    cairo_new_path(cr);
    // Snow on the upper slopes.
    std::vector<Pt> cap =
        Mapped({{586, 280}, {600, 250}, {656, 174}, {700, 186}, {750, 222}, {800, 250}}, p);
    std::vector<Pt> lower = Mapped(
        {{800, 290}, {760, 270}, {730, 290}, {690, 250}, {650, 280}, {620, 262}, {586, 280}}, p);
    std::vector<Pt> snow = SmoothPoints(cap);
    for (Pt q : lower)
        snow.push_back(q);
    PathPolygon(cr, snow);
    SetColour(cr, Lighter(palette::Paper, 0.5), frost);
    cairo_fill_preserve(cr);
    Wash(cr, titlecolour::Frost, 0.3 * frost, rng, {.layers = 2, .jitter = 1.5});
    cairo_new_path(cr);
    InkLine(cr, line, 1.1, rng);
}

// A sheet of paper filling a 400 x 300 picture, with a thin ink border inside the book's frame.
void Paper(cairo_t* cr, Rng& rng) {
    cairo_rectangle(cr, 0, 0, 400, 300);
    FillPaper(cr, rng, palette::Paper, 0.15);
    cairo_new_path(cr);
}

// Scenery stays inside the border: BeginScene clips to it, Border ends the clip and inks it.
void BeginScene(cairo_t* cr) {
    cairo_save(cr);
    cairo_rectangle(cr, 22, 14, 356, 272);
    cairo_clip(cr);
    cairo_new_path(cr);
}

void Border(cairo_t* cr, Rng& rng) {
    cairo_restore(cr);
    PathRoundedRect(cr, 22, 14, 356, 272, 4);
    InkOutline(cr, 0.9, rng, palette::Sepia, 0.8, 0.3);
    cairo_new_path(cr);
}

void Sky(cairo_t* cr, Rgb colour, double alpha, Rng& rng) {
    cairo_rectangle(cr, 22, 14, 356, 272);
    Wash(cr, colour, alpha, rng, {.layers = 3, .jitter = 4, .edge = 0.1, .granulation = 0.1});
    cairo_new_path(cr);
}

// The valley floor across the picture, below the given screen height.
void Valley(cairo_t* cr, double screenY, Rgb colour, double alpha, Rng& rng) {
    double y = screenY / 2;
    PathSmooth(cr, {{22, y}, {100, y - 8}, {200, y + 4}, {260, y - 2}, {378, y + 6}}, false);
    cairo_line_to(cr, 378, 286);
    cairo_line_to(cr, 22, 286);
    cairo_close_path(cr);
    SetColour(cr, Lighter(colour, 0.5));
    cairo_fill_preserve(cr);
    Wash(cr, colour, alpha, rng, {.layers = 3, .jitter = 2, .granulation = 0.2});
    InkOutline(cr, 0.9, rng);
    cairo_new_path(cr);
}

void Sun(cairo_t* cr, Pt c, double r, Rng& rng, double alpha = 1.0, bool rays = true) {
    PathEllipse(cr, c.x, c.y, r, r);
    SetColour(cr, titlecolour::Sun, alpha);
    cairo_fill_preserve(cr);
    InkOutline(cr, 0.9, rng, palette::Sepia, alpha);
    cairo_new_path(cr);
    if (!rays) return;
    for (int k = 0; k < 10; ++k) {
        double a = k * Pi / 5 + 0.15;
        InkLine(cr,
                {{c.x + (r + 4) * std::cos(a), c.y + (r + 4) * std::sin(a)},
                 {c.x + (r + 10) * std::cos(a), c.y + (r + 10) * std::sin(a)}},
                0.9, rng, palette::Sepia, alpha);
    }
}

void Tree(cairo_t* cr, Pt base, double h, Rgb leaves, Rng& rng, bool snow) {
    InkLine(cr, {base, {base.x, base.y - h * 0.4}}, 1.6, rng, palette::Wood);
    PathBlob(cr, base.x, base.y - h * 0.7, h * 0.32, h * 0.36, rng, 0.15, 8);
    Painted(cr, Lighter(leaves, 0.2), leaves, 0.5, 0.9, rng, 1);
    if (snow) {
        PathBlob(cr, base.x, base.y - h * 0.9, h * 0.26, h * 0.14, rng, 0.2, 7);
        Painted(cr, {0.98, 0.98, 1}, titlecolour::Frost, 0.4, 0.7, rng, 0.6);
    }
}

void DrawStoryPictures(GenContext& ctx) {
    // 1: the sun sits on the great hill; the valley is green and warm.
    {
        const std::string path = Dir + "Opening_1.png";
        Rng rng(path);
        Canvas canvas(400, 300);
        cairo_t* cr = canvas.cr;
        Paper(cr, rng);
        BeginScene(cr);
        Sky(cr, Lighter(palette::Sky, 0.2), 0.35, rng);
        Sun(cr, FullPicture.Map({656, 120}), 20, rng);
        PaintHill(cr, FullPicture, rng, palette::Moss, 0.0);
        Valley(cr, 470, palette::Leaf, 0.5, rng);
        for (Pt t : {Pt{70, 240}, Pt{110, 250}, Pt{210, 246}})
            Tree(cr, t, 46, palette::Leaf, rng, false);
        for (int k = 0; k < 12; ++k) { // flowers
            Pt f{rng.Range(40, 300), rng.Range(256, 280)};
            PathEllipse(cr, f.x, f.y, 2, 2);
            SetColour(cr, k % 2 ? palette::Rose : titlecolour::Sun);
            cairo_fill(cr);
        }
        Border(cr, rng);
        ctx.Save(canvas, path);
    }
    // 2: the frost blows in; the sun slips down behind the hill.
    {
        const std::string path = Dir + "Opening_2.png";
        Rng rng(path);
        Canvas canvas(400, 300);
        cairo_t* cr = canvas.cr;
        Paper(cr, rng);
        BeginScene(cr);
        Sky(cr, palette::Stone, 0.35, rng);
        Sun(cr, FullPicture.Map({700, 200}), 18, rng, 0.8);
        PaintHill(cr, FullPicture, rng, Blend(palette::Moss, palette::Stone, 0.5), 0.7);
        Valley(cr, 470, Blend(palette::Leaf, titlecolour::Frost, 0.6), 0.45, rng);
        for (Pt t : {Pt{70, 240}, Pt{110, 250}, Pt{210, 246}})
            Tree(cr, t, 46, Blend(palette::Leaf, palette::Stone, 0.5), rng, true);
        for (Pt c : {Pt{90, 50}, Pt{190, 40}, Pt{300, 60}}) { // snow clouds
            PathBlob(cr, c.x, c.y, 50, 18, rng, 0.2, 9);
            Painted(cr, Lighter(palette::Stone, 0.4), palette::StoneDark, 0.4, 0.9, rng, 2);
        }
        for (int k = 0; k < 60; ++k) { // wind-blown snow
            Pt s{rng.Range(26, 374), rng.Range(70, 280)};
            InkLine(cr, {s, {s.x - 5, s.y + 2}}, 0.9, rng, {1, 1, 1}, 0.9, 0.1);
        }
        Border(cr, rng);
        ctx.Save(canvas, path);
    }
    // 3: everything is frozen; only a glow shows where the sun went.
    {
        const std::string path = Dir + "Opening_3.png";
        Rng rng(path);
        Canvas canvas(400, 300);
        cairo_t* cr = canvas.cr;
        Paper(cr, rng);
        BeginScene(cr);
        Sky(cr, Darker(palette::Water, 0.2), 0.55, rng);
        Pt glow = FullPicture.Map({656, 150});
        cairo_pattern_t* g = cairo_pattern_create_radial(glow.x, glow.y, 0, glow.x, glow.y, 60);
        cairo_pattern_add_color_stop_rgba(g, 0, 0.96, 0.72, 0.26, 0.6);
        cairo_pattern_add_color_stop_rgba(g, 1, 0.96, 0.72, 0.26, 0);
        cairo_set_source(cr, g);
        cairo_paint(cr);
        cairo_pattern_destroy(g);
        PaintHill(cr, FullPicture, rng, palette::StoneDark, 1.0);
        Valley(cr, 470, titlecolour::Frost, 0.6, rng);
        for (Pt t : {Pt{70, 240}, Pt{110, 250}, Pt{210, 246}})
            Tree(cr, t, 46, Blend(palette::Water, palette::Stone, 0.5), rng, true);
        PathEllipse(cr, 160, 268, 60, 9); // a frozen pond
        Painted(cr, Lighter(palette::Sky, 0.4), palette::Water, 0.3, 0.9, rng, 1);
        for (int k = 0; k < 30; ++k) { // stars and falling snow
            Pt s{rng.Range(30, 370), rng.Range(24, 200)};
            PathEllipse(cr, s.x, s.y, 0.9, 0.9);
            SetColour(cr, {1, 1, 1}, 0.9);
            cairo_fill(cr);
        }
        Border(cr, rng);
        ctx.Save(canvas, path);
    }
}

// The hero, coloured: stands where the hand sketched it.
void DrawCharacter(GenContext& ctx) {
    const std::string path = Dir + "OpeningChar.png";
    Rng rng(path);
    Canvas canvas(120, 160);
    cairo_t* cr = canvas.cr;
    PathBlob(cr, 60, 140, 54, 9, rng, 0.1, 9); // the patch of snow under its feet
    Painted(cr, Lighter(palette::Paper, 0.5), titlecolour::Frost, 0.4, 1.4, rng, 1);
    DrawPebbleHero(cr, HeroInChar.x, HeroInChar.y, 1.0, rng, 2.2);
    ctx.Save(canvas, path);
}

// The hill, coloured, with the sun over it; its sky is left clear.
void DrawHill(GenContext& ctx) {
    const std::string path = Dir + "OpeningHill.png";
    Rng rng(path);
    Canvas canvas(200, 300);
    cairo_t* cr = canvas.cr;
    Sun(cr, HillPicture.Map(SunOnScreen), 15, rng);
    PaintHill(cr, HillPicture, rng, palette::StoneDark, 1.0);
    // The zigzag trail up the slope the hand sketched.
    std::vector<Pt> trail = Mapped(Trail, HillPicture);
    for (std::size_t i = 1; i < trail.size(); ++i)
        InkLine(cr, {trail[i - 1], trail[i]}, 1.0, rng, palette::Sepia, 0.8);
    ctx.Save(canvas, path);
}

// --- The hand frames

// The hero's sketch as strokes (screen coordinates), in drawing order.
std::vector<std::vector<Pt>> HeroStrokes() {
    const Pt c = HeroOnScreen;
    auto P = [&](double x, double y) { return Pt{c.x + x, c.y + y}; };
    return {
        EllipsePoints(c, 46, 40, Pi * 0.75, Pi * 2.75, 48),                          // body
        SmoothPoints({P(-31, -27), P(-26, -52), P(0, -60), P(26, -52), P(32, -28)}), // hat
        EllipsePoints(P(4, -62), 8, 7, 0, 2 * Pi, 16),                               // bobble
        EllipsePoints(P(10, -5), 2.5, 4, 0, 2 * Pi, 10),                             // eyes
        EllipsePoints(P(27, -5), 2.5, 4, 0, 2 * Pi, 10),
        SmoothPoints({P(-45, 12), P(0, 20), P(45, 12)}), // scarf
        SmoothPoints({P(-30, 24), P(-52, 32), P(-58, 44)}),
        SmoothPoints({P(-60, 48), P(-20, 52), P(30, 50), P(70, 48)}), // ground
    };
}

const std::vector<Pt>& HillStrokeScreen() {
    static const std::vector<Pt> line = SmoothPoints(HillLine);
    return line;
}

struct HandFrame {
    const Placement* place;
    double heroDone = 0; // strokes of the hero sketched (fractional: the last one in part)
    double hillDone = 0; // 0..1 of the skyline, 1..2 the snow line, 2..3 the trail
    bool hand = true;
    Pt pen{}; // screen position of the nib
    double angle = 0;
    double sparkles = 0; // 0 none, 1 a burst where the sketch was
};

HandFrame FramePlan(int n) { // n = 1..42
    HandFrame f;
    std::vector<std::vector<Pt>> hero = HeroStrokes();
    const int heroStrokes = int(hero.size());
    if (n <= 24) {
        f.place = &HandEarly;
        if (n <= 3) { // the hand comes in from the right
            const Pt in[3] = {{760, 520}, {560, 470}, {330, 430}};
            f.pen = in[n - 1];
            return f;
        }
        if (n <= 21) { // frames 4..21 sketch the hero
            f.heroDone = (n - 3) * heroStrokes / 18.0;
            int whole = std::min(int(f.heroDone), heroStrokes - 1);
            double part = f.heroDone - whole;
            std::vector<Pt> s = Partial(hero[whole], part > 0 ? part : 1.0);
            f.pen = s.back();
            return f;
        }
        f.heroDone = heroStrokes;
        if (n == 22) {
            f.pen = {320, 380};
            f.angle = -0.3;
            return f;
        }
        f.hand = false;
        f.sparkles = n == 23 ? 0.5 : 1.0;
        if (n == 24) f.heroDone = 0; // the sketch has come to life
        return f;
    }
    f.place = &HandLate;
    if (n <= 26) {
        const Pt in[2] = {{760, 580}, {470, 540}};
        f.pen = in[n - 25];
        return f;
    }
    if (n <= 40) { // 27..40: skyline (9 frames), snow line (2), trail (3)
        double t = n - 26;
        f.hillDone = t <= 9 ? t / 9 : t <= 11 ? 1 + (t - 9) / 2 : 2 + (t - 11) / 3;
        if (f.hillDone <= 1)
            f.pen = Partial(HillStrokeScreen(), f.hillDone).back();
        else if (f.hillDone <= 2)
            f.pen = Partial(SmoothPoints(SnowLine), f.hillDone - 1).back();
        else
            f.pen = Partial(Trail, f.hillDone - 2).back();
        return f;
    }
    f.hillDone = 3; // the hand has gone; the sketch comes to life in a shower of sparkles
    f.hand = false;
    f.sparkles = n == 41 ? 0.5 : 1.0;
    return f;
}

void DrawHandFrame(GenContext& ctx, int n) {
    const std::string path = Dir + "Openinghand_" + std::to_string(n) + ".png";
    const HandFrame f = FramePlan(n);
    const Placement& pl = *f.place;
    const bool early = f.place == &HandEarly;
    Canvas canvas(early ? 400 : 240, early ? 185 : 250);
    cairo_t* cr = canvas.cr;

    std::vector<std::vector<Pt>> hero = HeroStrokes();
    for (int s = 0; s < int(hero.size()) && s < f.heroDone; ++s) {
        Rng stroke(Dir + "Openinghand#hero" + std::to_string(s));
        double part = std::min(1.0, f.heroDone - s);
        InkLine(cr, Mapped(Partial(hero[s], part), pl), 1.1, stroke, palette::Ink, 0.9, 0.3);
    }
    if (f.hillDone > 0) {
        Rng stroke(Dir + "Openinghand#hill");
        InkLine(cr, Mapped(Partial(HillStrokeScreen(), f.hillDone), pl), 1.2, stroke);
    }
    if (f.hillDone > 1) {
        Rng stroke(Dir + "Openinghand#snow");
        InkLine(cr, Mapped(Partial(SmoothPoints(SnowLine), f.hillDone - 1), pl), 0.9, stroke,
                palette::Water);
    }
    if (f.hillDone > 2) {
        Rng stroke(Dir + "Openinghand#trail");
        InkLine(cr, Mapped(Partial(Trail, f.hillDone - 2), pl), 0.9, stroke, palette::Sepia, 0.8);
    }
    if (f.sparkles > 0 && !early) { // along the sky side of the hill's skyline
        Rng rng(path);
        int count = f.sparkles < 1 ? 8 : 16;
        for (int k = 0; k < count; ++k) {
            Pt on = Partial(HillStrokeScreen(), rng.Range(0.1, 1.0)).back();
            Pt s{on.x + rng.Range(-20, 20), on.y - rng.Range(14, 40) * (0.5 + f.sparkles)};
            Sparkle(cr, pl.Map(s), rng.Range(2.5, 5), rng);
        }
    } else if (f.sparkles > 0) {
        Rng rng(path);
        int count = f.sparkles < 1 ? 6 : 14;
        for (int k = 0; k < count; ++k) {
            double a = rng.Range(0, 2 * Pi), r = rng.Range(20, 70) * (0.6 + f.sparkles * 0.6);
            Pt s{HeroOnScreen.x + r * std::cos(a), HeroOnScreen.y - 10 + r * std::sin(a) * 0.8};
            Sparkle(cr, pl.Map(s), rng.Range(2.5, 5), rng);
        }
    }
    if (f.hand) {
        Rng rng(Dir + "Openinghand#hand");
        DrawHand(cr, pl.Map(f.pen), 0.95, HandPose::Pen, rng, f.angle, 500);
    }
    ctx.Save(canvas, path);
}

// --- The end of the film and the skip mark

void DrawEnd(GenContext& ctx) {
    // 1: the hero sets off up the hill towards the sun, and the hand tears a step for it.
    {
        const std::string path = Dir + "OpeningEnd_1.png";
        Rng rng(path);
        Canvas canvas(400, 300);
        cairo_t* cr = canvas.cr;
        Paper(cr, rng);
        BeginScene(cr);
        Sky(cr, Lighter(palette::Sky, 0.3), 0.3, rng);
        Sun(cr, FullPicture.Map(SunOnScreen), 16, rng);
        PaintHill(cr, FullPicture, rng, palette::StoneDark, 1.0);
        Valley(cr, 500, titlecolour::Frost, 0.4, rng);
        std::vector<Pt> trail = Mapped(Trail, FullPicture);
        for (std::size_t i = 1; i < trail.size(); ++i)
            InkLine(cr, {trail[i - 1], trail[i]}, 0.9, rng, palette::Sepia, 0.8);
        Rng hero(path + "#hero");
        DrawPebbleHero(cr, 200, 232, 0.42, hero, 2.6);
        for (int k = 0; k < 3; ++k) // footprints behind it
            PathEllipse(cr, 150 - k * 22, 255 + k, 3, 1.5);
        SetColour(cr, palette::Water, 0.6);
        cairo_fill(cr);
        // The torn step, held over the steep part of the slope.
        Pt pinch{290, 128};
        PathPolygon(cr, TornOutline(pinch.x - 30, pinch.y, 34, 12, rng, 1.5));
        DropShadow(cr, 2, 3, 2, 0.3);
        FillPaper(cr, rng, palette::Paper, 0.05);
        Wash(cr, palette::Wood, 0.4, rng, {.layers = 2, .jitter = 1});
        InkOutline(cr, 0.9, rng, palette::Sepia);
        cairo_new_path(cr);
        DrawHand(cr, pinch, 0.5, HandPose::Pinch, rng, -0.9, 500);
        Border(cr, rng);
        ctx.Save(canvas, path);
    }
    // 2: the book's first page.
    {
        const std::string path = Dir + "OpeningEnd_2.png";
        Rng rng(path);
        Canvas canvas(400, 300);
        cairo_t* cr = canvas.cr;
        Paper(cr, rng);
        BeginScene(cr);
        Border(cr, rng);
        DrawText(cr, FontFace::SerifBold, 40, 200, 104, "Chapter One", palette::Ink, Align::Centre);
        InkCurve(cr, {110, 118}, {160, 124}, {240, 112}, {290, 118}, 1.4, rng, palette::Rust);
        DrawText(cr, FontFace::Serif, 18, 200, 148, "The Frosty Hill", palette::Sepia,
                 Align::Centre);
        // A little vignette: the hero at the foot of the hill, the sun on top.
        cairo_move_to(cr, 120, 250);
        cairo_curve_to(cr, 170, 246, 200, 180, 240, 178);
        cairo_curve_to(cr, 260, 180, 270, 200, 290, 210);
        cairo_line_to(cr, 290, 250);
        cairo_close_path(cr);
        Painted(cr, Lighter(palette::Paper, 0.4), titlecolour::Frost, 0.5, 1.0, rng, 1);
        Sun(cr, {262, 172}, 9, rng);
        Rng hero(path + "#hero");
        DrawPebbleHero(cr, 132, 236, 0.26, hero, 3.5);
        ctx.Save(canvas, path);
    }
}

// A small torn tag in the page's bottom-right corner, left of the page's edge and above its foot
// (drawn at scale 2 from (733, 550), it must end by x 771 and y 576, where the book's page block
// and cover begin).
void DrawSkip(GenContext& ctx) {
    const std::string path = Dir + "Opening_skip.png";
    Rng rng(path);
    Canvas canvas(19, 12);
    cairo_t* cr = canvas.cr;
    PathTornRect(cr, 0.6, 0.6, 17.8, 10.8, rng, 0.5);
    SetColour(cr, Lighter(palette::Paper, 0.35));
    cairo_fill_preserve(cr);
    InkOutline(cr, 0.6, rng, palette::Sepia, 0.9, 0.1);
    cairo_new_path(cr);
    DrawText(cr, FontFace::SansBold, 6.5, 9.5, 8.4, "skip", palette::Ink, Align::Centre);
    ctx.Save(canvas, path);
}

void GenerateOpening(GenContext& ctx) {
    DrawStoryPictures(ctx);
    DrawCharacter(ctx);
    DrawHill(ctx);
    for (int n = 1; n <= 42; ++n)
        DrawHandFrame(ctx, n);
    DrawEnd(ctx);
    DrawSkip(ctx);
}

AssetGroup group("opening", &GenerateOpening);

} // namespace
