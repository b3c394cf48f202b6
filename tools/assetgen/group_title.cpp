// The title's splash pictures, the two animated logos, the name plate, the menu bar and the
// four menu items.
//
// Screen layout the pictures are composed for: the splash pictures and the name plate sit at
// (227, 100), 346 x 400; the animated logos at (198, 42), 404 x 250, on top of them; the menu
// bar at (0, 280) under the four items at x 300, y 340 / 400 / 460 / 520. The emblems keep the
// middle of the logos' lower band clear so a logo crowns the emblem beneath it, and the title
// logo writes its word exactly where the name plate has it, so the plate takes over the word
// when the logo is torn away.

#include "Canvas.h"
#include "Ink.h"
#include "Registry.h"
#include "Text.h"
#include "TitleArt.h"

#include <cmath>
#include <string>

namespace {

constexpr double Pi = 3.14159265358979323846;

constexpr Pt SplashAt{227, 100};
constexpr int SplashW = 346, SplashH = 400;
constexpr Pt LogoAt{198, 42};
constexpr int LogoW = 404, LogoH = 250;

// Where the game's name is written on screen (centre of the word, baseline).
constexpr Pt NameOnScreen{400, 205};
constexpr double NameWidth = 300;

Pt FromScreen(Pt screen, Pt pictureAt) {
    return {screen.x - pictureAt.x, screen.y - pictureAt.y};
}

double NameSize(cairo_t* cr) {
    return 50.0 * NameWidth / TextWidth(cr, FontFace::SerifBold, 50.0, "PebbleFrost");
}

// The game's name in ink with a frosty highlight; `clipRight` cuts it off while it is written.
void DrawName(cairo_t* cr, Pt centre, double clipRight = 4000.0) {
    double size = NameSize(cr);
    cairo_save(cr);
    cairo_rectangle(cr, 0, 0, clipRight, 10000);
    cairo_clip(cr);
    DrawText(cr, FontFace::SerifBold, size, centre.x + 1.5, centre.y + 2, "PebbleFrost",
             palette::Water, Align::Centre, 0.45);
    DrawText(cr, FontFace::SerifBold, size, centre.x, centre.y, "PebbleFrost", palette::Ink,
             Align::Centre);
    cairo_restore(cr);
}

double NameLeft(cairo_t* cr, Pt centre, const std::string& prefix) {
    double size = NameSize(cr);
    return centre.x - TextWidth(cr, FontFace::SerifBold, size, "PebbleFrost") / 2 +
           TextWidth(cr, FontFace::SerifBold, size, prefix);
}

void Snowflake(cairo_t* cr, Pt c, double r, Rng& rng, Rgb colour = palette::Water) {
    for (int k = 0; k < 3; ++k) {
        double a = k * Pi / 3 + 0.3;
        InkLine(cr,
                {{c.x - r * std::cos(a), c.y - r * std::sin(a)},
                 {c.x + r * std::cos(a), c.y + r * std::sin(a)}},
                1.1, rng, colour, 0.9, 0.2);
    }
}

// A laurel branch along a bezier; leaves alternate sides. Ink only, or wash only.
void Laurel(cairo_t* cr, Pt p0, Pt c1, Pt c2, Pt p3, Rng& rng, bool wash) {
    auto at = [&](double t) {
        double u = 1 - t;
        return Pt{u * u * u * p0.x + 3 * u * u * t * c1.x + 3 * u * t * t * c2.x + t * t * t * p3.x,
                  u * u * u * p0.y + 3 * u * u * t * c1.y + 3 * u * t * t * c2.y +
                      t * t * t * p3.y};
    };
    if (!wash) InkCurve(cr, p0, c1, c2, p3, 2.2, rng, palette::Ink);
    for (int i = 0; i < 9; ++i) {
        double t = 0.12 + i * 0.1;
        Pt p = at(t), q = at(t + 0.01);
        double dir = std::atan2(q.y - p.y, q.x - p.x) + ((i % 2) ? 0.75 : -0.75);
        double len = 24 - i * 1.2;
        cairo_save(cr);
        cairo_translate(cr, p.x, p.y);
        cairo_rotate(cr, dir);
        cairo_new_path(cr);
        cairo_move_to(cr, 0, 0);
        cairo_curve_to(cr, len * 0.3, -len * 0.3, len * 0.8, -len * 0.2, len, 0);
        cairo_curve_to(cr, len * 0.8, len * 0.2, len * 0.3, len * 0.3, 0, 0);
        cairo_close_path(cr);
        cairo_restore(cr);
        if (wash) {
            Wash(cr, palette::Leaf, 0.55, rng, {.layers = 2, .jitter = 1.2, .granulation = 0.1});
        } else {
            InkOutline(cr, 1.3, rng);
        }
        cairo_new_path(cr);
    }
}

// The school's animated mark: a laurel crown with the name; `strokes` 1..7 of it.
void DrawDovrikLogo(cairo_t* cr, int strokes) {
    auto part = [](const char* name) { return Rng(std::string("image/Title/Dovrik#") + name); };
    const Pt word{202, 108};
    const Pt leftBranch[4] = {{120, 242}, {48, 226}, {22, 150}, {66, 98}};
    auto mirror = [&](Pt p) { return Pt{2 * word.x - p.x, p.y}; };

    if (strokes >= 7) { // colour last, under the ink
        Rng rng = part("wash");
        cairo_new_path(cr);
        PathBlob(cr, word.x, word.y - 18, 140, 38, rng, 0.08, 10);
        Wash(cr, palette::Sky, 0.3, rng, {.layers = 3, .jitter = 5, .granulation = 0.2});
        cairo_new_path(cr);
        Laurel(cr, leftBranch[0], leftBranch[1], leftBranch[2], leftBranch[3], rng, true);
        Laurel(cr, mirror(leftBranch[0]), mirror(leftBranch[1]), mirror(leftBranch[2]),
               mirror(leftBranch[3]), rng, true);
        PathStar(cr, word.x, 30, 17, 7.5, 5);
        Wash(cr, titlecolour::Sun, 0.8, rng, {.layers = 2, .jitter = 1});
        cairo_new_path(cr);
    }
    if (strokes >= 1) {
        Rng rng = part("swoosh");
        InkCurve(cr, {78, 126}, {150, 138}, {250, 116}, {330, 126}, 4.0, rng, palette::Ink);
    }
    if (strokes >= 2) {
        Rng rng = part("left");
        Laurel(cr, leftBranch[0], leftBranch[1], leftBranch[2], leftBranch[3], rng, false);
    }
    if (strokes >= 3) {
        Rng rng = part("right");
        Laurel(cr, mirror(leftBranch[0]), mirror(leftBranch[1]), mirror(leftBranch[2]),
               mirror(leftBranch[3]), rng, false);
    }
    if (strokes >= 4) {
        const double size = 60;
        double left = word.x - TextWidth(cr, FontFace::SerifBold, size, "Dovrik") / 2;
        double clip =
            strokes >= 5 ? 4000.0 : left + TextWidth(cr, FontFace::SerifBold, size, "Dov");
        cairo_save(cr);
        cairo_rectangle(cr, 0, 0, clip, LogoH);
        cairo_clip(cr);
        DrawText(cr, FontFace::SerifBold, size, word.x, word.y, "Dovrik", palette::Ink,
                 Align::Centre);
        cairo_restore(cr);
    }
    if (strokes >= 6) {
        Rng rng = part("star");
        cairo_new_path(cr);
        PathStar(cr, word.x, 30, 17, 7.5, 5);
        InkOutline(cr, 1.6, rng);
        cairo_new_path(cr);
        for (double dx : {-62.0, 62.0}) {
            PathStar(cr, word.x + dx, 42, 6, 2.2, 4);
            InkOutline(cr, 1.0, rng);
            cairo_new_path(cr);
        }
    }
}

// The game's animated mark: a frosty hill with the hero on top, the name below; `strokes` 1..7.
void DrawPebbleFrostLogo(cairo_t* cr, int strokes) {
    auto part = [](const char* name) {
        return Rng(std::string("image/Title/PebbleFrost#") + name);
    };
    const Pt name = FromScreen(NameOnScreen, LogoAt);
    const Pt hill[4] = {{30, 132}, {110, 18}, {294, 18}, {374, 132}};
    const Pt sun{338, 42};
    const Pt flakes[5] = {{52, 62}, {104, 40}, {268, 92}, {370, 172}, {34, 176}};

    if (strokes >= 7) {
        Rng rng = part("wash");
        cairo_new_path(cr);
        cairo_move_to(cr, hill[0].x, hill[0].y);
        cairo_curve_to(cr, hill[1].x, hill[1].y, hill[2].x, hill[2].y, hill[3].x, hill[3].y);
        cairo_curve_to(cr, 300, 150, 100, 150, hill[0].x, hill[0].y);
        cairo_close_path(cr);
        Wash(cr, titlecolour::Frost, 0.65, rng, {.layers = 3, .jitter = 3, .granulation = 0.2});
        cairo_new_path(cr);
        PathEllipse(cr, sun.x, sun.y, 17, 17);
        Wash(cr, titlecolour::Sun, 0.85, rng, {.layers = 2, .jitter = 1.5});
        cairo_new_path(cr);
    }
    if (strokes >= 1) {
        Rng rng = part("hill");
        InkCurve(cr, hill[0], hill[1], hill[2], hill[3], 3.5, rng);
    }
    if (strokes >= 2) {
        Rng rng = part("ground");
        InkCurve(cr, {76, 176}, {150, 182}, {260, 170}, {330, 175}, 3.0, rng, palette::Ink);
    }
    if (strokes >= 3) DrawName(cr, name, strokes >= 4 ? 4000.0 : NameLeft(cr, name, "Pebble"));
    if (strokes >= 5) {
        Rng rng = part("hero");
        DrawPebbleHero(cr, 202, 47 - 45 * 0.32, 0.32, rng, 3.2);
    }
    if (strokes >= 6) {
        Rng rng = part("sun");
        cairo_new_path(cr);
        PathEllipse(cr, sun.x, sun.y, 17, 17);
        InkOutline(cr, 1.6, rng);
        cairo_new_path(cr);
        for (int k = 0; k < 8; ++k) {
            double a = k * Pi / 4 + 0.2;
            InkLine(cr,
                    {{sun.x + 23 * std::cos(a), sun.y + 23 * std::sin(a)},
                     {sun.x + 31 * std::cos(a), sun.y + 31 * std::sin(a)}},
                    1.4, rng);
        }
        for (Pt f : flakes)
            Snowflake(cr, f, 6, rng);
    }
}

void DrawLogos(GenContext& ctx) {
    for (int frame = 1; frame <= 7; ++frame) {
        std::string n = std::to_string(frame);
        Canvas a(LogoW, LogoH);
        DrawDovrikLogo(a.cr, frame);
        ctx.Save(a, "image/Title/Dovrik_" + n + ".png");
        Canvas b(LogoW, LogoH);
        DrawPebbleFrostLogo(b.cr, frame);
        ctx.Save(b, "image/Title/PebbleFrost_" + n + ".png");
    }
}

// A ribbon scroll across x0..x1 with its middle at y, carrying a word.
void Ribbon(cairo_t* cr, double x0, double x1, double y, const std::string& word, double size,
            Rgb colour, Rng& rng) {
    const double h = size * 1.35;
    for (int side = 0; side < 2; ++side) { // the folded ends behind
        double s = side ? -1 : 1, x = side ? x1 : x0;
        PathPolygon(cr, {{x + s * 26, y - h * 0.2},
                         {x - s * 14, y - h * 0.2},
                         {x - s * 14, y + h * 0.8},
                         {x + s * 26, y + h * 0.8},
                         {x + s * 12, y + h * 0.3}});
        Painted(cr, Darker(colour, 0.2), Darker(colour, 0.3), 0.3, 1.5, rng);
    }
    cairo_move_to(cr, x0 + 14, y - h * 0.5);
    cairo_curve_to(cr, x0 + 80, y - h * 0.5 - 10, x1 - 80, y - h * 0.5 - 10, x1 - 14, y - h * 0.5);
    cairo_line_to(cr, x1 - 14, y + h * 0.5);
    cairo_curve_to(cr, x1 - 80, y + h * 0.5 - 10, x0 + 80, y + h * 0.5 - 10, x0 + 14, y + h * 0.5);
    cairo_close_path(cr);
    Painted(cr, colour, Darker(colour, 0.2), 0.3, 1.8, rng);
    DrawText(cr, FontFace::SerifBold, size, (x0 + x1) / 2, y + size * 0.3, word,
             Lighter(palette::Paper, 0.4), Align::Centre);
}

void DrawSchool(GenContext& ctx) {
    const std::string path = "image/Title/School.png";
    Rng rng(path);
    Canvas canvas(SplashW, SplashH);
    cairo_t* cr = canvas.cr;
    const double cx = SplashW / 2.0;
    PathBlob(cr, cx, 225, 160, 150, rng, 0.08, 11); // a soft wash the crest sits in
    Wash(cr, titlecolour::Frost, 0.25, rng, {.layers = 3, .jitter = 6, .granulation = 0.1});
    cairo_new_path(cr);

    // The shield.
    auto shield = [&] {
        cairo_move_to(cr, cx - 84, 140);
        cairo_curve_to(cr, cx - 40, 128, cx + 40, 128, cx + 84, 140);
        cairo_line_to(cr, cx + 82, 230);
        cairo_curve_to(cr, cx + 76, 280, cx + 30, 306, cx, 324);
        cairo_curve_to(cr, cx - 30, 306, cx - 76, 280, cx - 82, 230);
        cairo_close_path(cr);
    };
    shield();
    DropShadow(cr, 3, 4, 3, 0.3);
    FillPaper(cr, rng, palette::Paper, 0.1);
    Wash(cr, palette::Water, 0.55, rng, {.layers = 3, .jitter = 2, .granulation = 0.3});
    cairo_new_path(cr);
    // An open book on the shield, a star above it.
    for (int side = 0; side < 2; ++side) {
        double s = side ? 1 : -1;
        cairo_move_to(cr, cx, 210);
        cairo_curve_to(cr, cx + s * 20, 200, cx + s * 42, 202, cx + s * 56, 208);
        cairo_line_to(cr, cx + s * 56, 262);
        cairo_curve_to(cr, cx + s * 42, 256, cx + s * 20, 256, cx, 266);
        cairo_close_path(cr);
        DropShadow(cr, 1, 2, 2, 0.3, palette::Ink);
        FillPaper(cr, rng, palette::Paper, 0.05);
        InkOutline(cr, 1.6, rng);
        cairo_new_path(cr);
        for (int l = 0; l < 4; ++l)
            InkLine(cr, {{cx + s * 10, 222 + l * 10.0}, {cx + s * 46, 220 + l * 10.0}}, 0.9, rng,
                    palette::Sepia, 0.7);
    }
    PathStar(cr, cx, 172, 20, 8.5, 5);
    Painted(cr, titlecolour::Sun, Darker(titlecolour::Sun, 0.2), 0.3, 1.6, rng);
    shield();
    InkOutline(cr, 2.6, rng);
    cairo_new_path(cr);

    Ribbon(cr, 52, SplashW - 52, 330, "Dovrik", 30, palette::Rust, rng);
    DrawText(cr, FontFace::Serif, 19, cx, 388, "School of Games", palette::Ink, Align::Centre);
    InkCurve(cr, {cx - 70, 396}, {cx - 20, 400}, {cx + 20, 392}, {cx + 70, 396}, 1.2, rng,
             palette::Sepia, 0.8);
    ctx.Save(canvas, path);
}

void DrawQuillfen(GenContext& ctx) {
    const std::string path = "image/Title/Quillfen.png";
    Rng rng(path);
    Canvas canvas(SplashW, SplashH);
    cairo_t* cr = canvas.cr;
    const double cx = SplashW / 2.0, cy = 232, r = 94;

    PathEllipse(cr, cx, cy, r, r);
    DropShadow(cr, 3, 4, 3, 0.3);
    FillPaper(cr, rng, palette::Paper, 0.1);
    cairo_save(cr);
    cairo_clip(cr);
    // The fen: a pale sky, low water with ripples, reeds and bulrushes.
    cairo_new_path(cr);
    cairo_rectangle(cr, cx - r, cy - r, 2 * r, r + 10);
    Wash(cr, palette::Sky, 0.3, rng, {.layers = 2, .jitter = 3, .granulation = 0.1});
    cairo_new_path(cr);
    cairo_move_to(cr, cx - r, cy + 22);
    cairo_curve_to(cr, cx - 30, cy + 14, cx + 30, cy + 26, cx + r, cy + 18);
    cairo_line_to(cr, cx + r, cy + r);
    cairo_line_to(cr, cx - r, cy + r);
    cairo_close_path(cr);
    Wash(cr, palette::Water, 0.55, rng, {.layers = 3, .jitter = 2, .granulation = 0.3});
    cairo_new_path(cr);
    for (int k = 0; k < 5; ++k) {
        double y = cy + 40 + k * 10, x = cx - 60 + rng.Range(-10, 30);
        InkLine(cr, {{x, y}, {x + 30 + rng.Range(0, 30), y + rng.Range(-1, 1)}}, 1.0, rng,
                Lighter(palette::Water, 0.6), 0.9);
    }
    for (int k = 0; k < 9; ++k) {
        double x = cx - 80 + k * 12 + rng.Range(-3, 3);
        double top = cy - 20 + rng.Range(-14, 20), bend = rng.Range(-8, 8);
        InkCurve(cr, {x, cy + 46}, {x, cy + 20}, {x + bend * 0.5, top + 20}, {x + bend, top}, 1.5,
                 rng, Darker(palette::Moss, 0.3));
        if (k % 3 == 1) {
            PathRoundedRect(cr, x + bend - 3, top + 4, 6, 18, 3);
            Painted(cr, palette::Wood, Darker(palette::Wood, 0.3), 0.3, 1.0, rng, 0.4);
        }
    }
    cairo_restore(cr);
    cairo_new_path(cr);
    // A great quill laid across the fen.
    cairo_save(cr);
    cairo_translate(cr, cx + 10, cy - 6);
    cairo_rotate(cr, -0.8);
    PathSmooth(cr, {{-70, 0}, {-30, -20}, {30, -24}, {86, -4}, {30, 12}, {-30, 12}});
    Painted(cr, {0.98, 0.97, 0.95}, palette::Ochre, 0.35, 1.6, rng, 1.5);
    InkLine(cr, {{-96, 2}, {-40, 0}, {20, -6}, {90, -4}}, 2.0, rng, palette::Sepia);
    for (int k = 0; k < 8; ++k) {
        double x = -50 + k * 15;
        InkLine(cr, {{x, -2}, {x + 10, -16 + std::abs(k - 4) * 1.5}}, 0.8, rng, palette::Sepia,
                0.6);
    }
    cairo_restore(cr);
    cairo_new_path(cr);
    PathEllipse(cr, cx, cy, r, r);
    InkOutline(cr, 2.6, rng);
    cairo_new_path(cr);
    PathEllipse(cr, cx, cy, r + 7, r + 7);
    InkOutline(cr, 1.0, rng, palette::Sepia, 0.8);
    cairo_new_path(cr);

    DrawText(cr, FontFace::SerifBold, 44, cx, 370, "Quillfen", palette::Ink, Align::Centre);
    DrawText(cr, FontFace::Serif, 16, cx, 394, "makers of storybooks", palette::Sepia,
             Align::Centre);
    ctx.Save(canvas, path);
}

// The name plate; only its upper part shows above the menu bar.
void DrawTeamName(GenContext& ctx) {
    const std::string path = "image/Title/TeamName.png";
    Rng rng(path);
    Canvas canvas(SplashW, SplashH);
    cairo_t* cr = canvas.cr;
    const Pt name = FromScreen(NameOnScreen, SplashAt);

    PathTornRect(cr, 14, 50, SplashW - 28, 112, rng, 2.5);
    DropShadow(cr, 3, 5, 4, 0.3);
    FillPaper(cr, rng, palette::Paper, 0.12);
    Wash(cr, titlecolour::Frost, 0.35, rng, {.layers = 3, .jitter = 4, .granulation = 0.2});
    InkOutline(cr, 1.6, rng, palette::Sepia);
    cairo_new_path(cr);
    for (Pt f : {Pt{36, 72}, Pt{312, 140}, Pt{30, 146}})
        Snowflake(cr, f, 6, rng);
    DrawName(cr, name);
    DrawText(cr, FontFace::Serif, 17, name.x, name.y + 33, "a Quillfen storybook", palette::Sepia,
             Align::Centre);
    InkCurve(cr, {name.x - 120, name.y + 12}, {name.x - 40, name.y + 17}, {name.x + 40, name.y + 9},
             {name.x + 120, name.y + 13}, 1.4, rng, palette::Water, 0.8);
    // The hero sits on the plate's top edge, looking along it.
    DrawPebbleHero(cr, 276, 52 - 45 * 0.36, 0.36, rng, 3.0);
    ctx.Save(canvas, path);
}

// The top page's right edge (the book's pages, drawn over the title, end here too).
constexpr double kMenuBarRight = 773;

// The band behind the menu: a snowy landscape painted across the page, with the signpost that
// carries the four menu boards in the middle.
void DrawMenuBar(GenContext& ctx) {
    const std::string path = "image/Title/MenuBar.png";
    Rng rng(path);
    Canvas canvas(800, 300);
    cairo_t* cr = canvas.cr;
    // The landscape ends with the page, under the edges of the pages below it: past them the
    // book's cover leaves a chink where anything painted would show.
    cairo_rectangle(cr, 0, 0, kMenuBarRight, 300);
    cairo_clip(cr);

    // Far hills.
    std::vector<Pt> ridge;
    for (int x = 0; x <= 800; x += 50)
        ridge.push_back({double(x), 34 + 16 * std::sin(x * 0.012 + 1) + rng.Range(-5, 5)});
    auto band = [&](const std::vector<Pt>& top, double bottom) {
        PathSmooth(cr, top, false);
        cairo_line_to(cr, 800, bottom);
        cairo_line_to(cr, 0, bottom);
        cairo_close_path(cr);
    };
    band(ridge, 300);
    Wash(cr, palette::Sky, 0.4, rng, {.layers = 3, .jitter = 4, .granulation = 0.2});
    InkOutline(cr, 1.4, rng, palette::Water, 0.8);
    cairo_new_path(cr);
    // Near snowfield.
    std::vector<Pt> snow;
    for (int x = 0; x <= 800; x += 80)
        snow.push_back({double(x), 92 + 14 * std::sin(x * 0.009 + 2.4) + rng.Range(-4, 4)});
    band(snow, 300);
    SetColour(cr, Lighter(palette::Paper, 0.45));
    cairo_fill_preserve(cr);
    Wash(cr, titlecolour::Frost, 0.35, rng, {.layers = 3, .jitter = 5, .granulation = 0.15});
    InkOutline(cr, 1.8, rng);
    cairo_new_path(cr);
    for (int k = 0; k < 14; ++k) { // drifts
        double x = rng.Range(20, 760), y = rng.Range(130, 280);
        if (x > 250 && x < 550) continue;
        InkCurve(cr, {x, y}, {x + 15, y - 4}, {x + 35, y - 4}, {x + 50, y}, 1.0, rng,
                 palette::Water, 0.6);
    }
    // Pines on both sides.
    for (Pt p : {Pt{40, 150}, Pt{76, 128}, Pt{700, 120}, Pt{744, 146}, Pt{610, 100}}) {
        double h = 60 + rng.Range(-6, 14);
        PathPolygon(cr, {{p.x, p.y - h},
                         {p.x + 20, p.y - h * 0.45},
                         {p.x + 10, p.y - h * 0.45},
                         {p.x + 28, p.y},
                         {p.x - 28, p.y},
                         {p.x - 10, p.y - h * 0.45},
                         {p.x - 20, p.y - h * 0.45}});
        Painted(cr, Darker(palette::Leaf, 0.25), palette::Moss, 0.4, 1.5, rng, 1.2);
        InkLine(cr, {{p.x - 14, p.y - h * 0.45}, {p.x + 14, p.y - h * 0.45}}, 2.2, rng, {1, 1, 1},
                0.85);
        InkLine(cr, {{p.x, p.y}, {p.x, p.y + 8}}, 3.0, rng, palette::Wood);
    }
    // The hero, on the left, looking at the signpost.
    DrawPebbleHero(cr, 170, 190, 0.75, rng, 2.6);
    // A frozen pond on the right.
    PathEllipse(cr, 660, 230, 90, 22);
    Painted(cr, Lighter(palette::Sky, 0.3), palette::Water, 0.35, 1.5, rng, 2);
    InkLine(cr, {{610, 226}, {650, 232}}, 1.3, rng, {1, 1, 1}, 0.9);
    InkLine(cr, {{670, 222}, {712, 226}}, 1.3, rng, {1, 1, 1}, 0.9);

    // The signpost: a pole behind the boards, a little cap of snow on top.
    PathRoundedRect(cr, 392, 36, 16, 262, 4);
    DropShadow(cr, 3, 3, 2, 0.25);
    Painted(cr, palette::Wood, Darker(palette::Wood, 0.3), 0.4, 1.8, rng);
    PathBlob(cr, 400, 36, 14, 6, rng, 0.15, 7);
    Painted(cr, {0.98, 0.98, 1.0}, titlecolour::Frost, 0.4, 1.2, rng, 0.5);
    PathEllipse(cr, 400, 296, 50, 7);
    SetColour(cr, palette::Sepia, 0.2);
    cairo_fill(cr);
    ctx.Save(canvas, path);
}

// One menu board, exactly 200 x 50: a painted plank that points left or right. Lit (under the
// cursor), the plank glows warm, its outline and word turn rust red and an ink stroke underlines
// the word.
void DrawMenuItem(GenContext& ctx, const std::string& file, const std::string& word,
                  bool pointsRight, bool lit) {
    const std::string path = "image/Title/" + file;
    Rng rng(path);
    Canvas canvas(200, 50);
    cairo_t* cr = canvas.cr;
    std::vector<Pt> board = pointsRight
                                ? std::vector<Pt>{{4, 5}, {172, 5}, {194, 24}, {172, 43}, {4, 43}}
                                : std::vector<Pt>{{6, 24}, {28, 5}, {196, 5}, {196, 43}, {28, 43}};
    PathPolygon(cr, board);
    DropShadow(cr, 2, 3, 1.5, 0.35);
    SetColour(cr, Lighter(palette::Wood, lit ? 0.72 : 0.62));
    cairo_fill_preserve(cr);
    Wash(cr, palette::Ochre, lit ? 0.75 : 0.3, rng,
         {.layers = 2, .jitter = 1.5, .granulation = 0.25});
    cairo_save(cr);
    cairo_clip_preserve(cr);
    for (double y : {13.0, 22.0, 34.0}) // wood grain
        InkLine(cr, {{0, y + rng.Range(-1, 1)}, {200, y + rng.Range(-1, 1)}}, 0.7, rng,
                palette::Wood, 0.35);
    cairo_restore(cr);
    if (lit)
        InkOutline(cr, 3.0, rng, palette::Rust, 1.0);
    else
        InkOutline(cr, 1.8, rng);
    cairo_new_path(cr);
    double cx = pointsRight ? 92 : 108;
    const Rgb ink = lit ? Darker(palette::Rust, 0.55) : palette::Ink;
    DrawText(cr, FontFace::SerifBold, 27, cx + 1, 35, word, palette::Paper, Align::Centre, 0.8);
    DrawText(cr, FontFace::SerifBold, 27, cx, 34, word, ink, Align::Centre);
    if (lit) {
        const double half = TextWidth(cr, FontFace::SerifBold, 27, word) / 2 + 6;
        InkCurve(cr, {cx - half, 40}, {cx - half / 3, 42.5}, {cx + half / 3, 38.5},
                 {cx + half, 40.5}, 2.2, rng, palette::Rust, 0.95);
    }
    PathEllipse(cr, pointsRight ? 14 : 186, 24, 2.5, 2.5); // a nail
    SetColour(cr, palette::StoneDark);
    cairo_fill(cr);
    ctx.Save(canvas, path);
}

void GenerateTitle(GenContext& ctx) {
    DrawSchool(ctx);
    DrawQuillfen(ctx);
    DrawTeamName(ctx);
    DrawLogos(ctx);
    DrawMenuBar(ctx);
    for (bool lit : {false, true}) {
        const std::string end = lit ? "_lit.png" : ".png";
        DrawMenuItem(ctx, "main_start" + end, "Start", true, lit);
        DrawMenuItem(ctx, "main_help" + end, "Help", false, lit);
        DrawMenuItem(ctx, "main_credits" + end, "Credits", true, lit);
        DrawMenuItem(ctx, "main_quit" + end, "Quit", false, lit);
    }
}

AssetGroup group("title", &GenerateTitle);

} // namespace
