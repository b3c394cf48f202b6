// The ending film: the chimney smoke that closed the level clears to show the hero at home; it
// blinks, shakes off the snow, hangs up its hat and scarf and climbs into bed; the storyteller's
// hand brings back the stone torn from the first page and lets it settle on the shelf; the hero
// falls asleep while the last page is laid over the room, and the closed book fades away.
//
// Every picture is drawn in screen coordinates and mapped into its half-size picture by where
// the film shows it: room and smoke at (20, 0), the hero at (64, 356), the hands and end5 at
// (0, 0), end1 to end4 at (500, 0), (300, 0), (100, 0) and (100, 0), the stone at (88, 48..98).

#include "Canvas.h"
#include "EndingArt.h"
#include "Ink.h"
#include "Registry.h"
#include "Text.h"
#include "TitleArt.h"

#include <cmath>
#include <string>
#include <vector>

namespace {

const std::string Dir = "image/Ending/";
constexpr Pt RoomAt{20, 0};
constexpr Pt CharAt{64, 356};
constexpr int RoomW = 390, RoomH = 300; // the page from x 20 to 800, like the level's smoke
constexpr int CharW = 170, CharH = 122; // down to the page's bottom edge
constexpr Pt StoneRest{88, 48};         // where the hand lets the stone go

// --- The hero's sixteen pictures

struct Pose {
    Pt at; // body centre, screen
    HeroLook look;
    bool hatHung, scarfHung, quilt, snoring, flakes;
};

constexpr double Stand = room::Floor - 45;
constexpr double OnBed = room::BedTop - 45;
constexpr Pt BedSpot{300, OnBed}; // the head against the pillow at the bed's left end

const Pose kPoses[16] = {
    // Just in from the snow, blinking.
    {{150, Stand}, {.snow = true}, false, false, false, false, false},
    {{150, Stand}, {.eyes = HeroEyes::Shut, .snow = true}, false, false, false, false, false},
    // Shaking the snow off, one way and the other.
    {{150, Stand},
     {.eyes = HeroEyes::Shut, .mouth = HeroMouth::Grin, .tilt = -0.16},
     false,
     false,
     false,
     false,
     true},
    {{150, Stand}, {.mouth = HeroMouth::Grin, .tilt = 0.16}, false, false, false, false, true},
    // Hat, then scarf, onto the pegs.
    {{150, Stand}, {.mouth = HeroMouth::Grin, .hat = false}, true, false, false, false, false},
    {{150, Stand}, {.hat = false, .scarf = false}, true, true, false, false, false},
    // Two hops to the bed, and up onto it.
    {{212, Stand - 22},
     {.hat = false, .scarf = false, .tilt = 0.12},
     true,
     true,
     false,
     false,
     false},
    {{274, OnBed - 26},
     {.hat = false, .scarf = false, .tilt = 0.1},
     true,
     true,
     false,
     false,
     false},
    {BedSpot, {.hat = false, .scarf = false}, true, true, false, false, false},
    // Under the quilt; then it looks up as the hand comes in.
    {BedSpot, {.hat = false, .scarf = false, .feet = false}, true, true, true, false, false},
    {BedSpot,
     {.eyes = HeroEyes::Up, .mouth = HeroMouth::Rest, .hat = false, .scarf = false, .feet = false},
     true,
     true,
     true,
     false,
     false},
    // The stone comes home: it follows it up to the shelf, delighted.
    {BedSpot,
     {.eyes = HeroEyes::UpLeft,
      .mouth = HeroMouth::Grin,
      .hat = false,
      .scarf = false,
      .feet = false},
     true,
     true,
     true,
     false,
     false},
    {BedSpot,
     {.eyes = HeroEyes::UpLeft, .hat = false, .scarf = false, .feet = false},
     true,
     true,
     true,
     false,
     false},
    // A yawn, and asleep.
    {BedSpot,
     {.eyes = HeroEyes::Sleepy,
      .mouth = HeroMouth::Yawn,
      .hat = false,
      .scarf = false,
      .feet = false},
     true,
     true,
     true,
     false,
     false},
    {BedSpot,
     {.eyes = HeroEyes::Asleep,
      .mouth = HeroMouth::Rest,
      .hat = false,
      .scarf = false,
      .feet = false},
     true,
     true,
     true,
     false,
     false},
    {BedSpot,
     {.eyes = HeroEyes::Asleep,
      .mouth = HeroMouth::Rest,
      .hat = false,
      .scarf = false,
      .feet = false},
     true,
     true,
     true,
     true,
     false},
};

// The quilt over the hero, from the headboard to a rounded, hanging end well inside the
// picture (which ends at x 404).
void QuiltPath(cairo_t* cr, Pt hero) {
    const double top = hero.y + 18, l = room::BedLeft + 12, r = room::BedRight - 20;
    PathSmooth(cr, {{l, top + 14},
                    {hero.x - 40, top + 2},
                    {hero.x, top - 2},
                    {hero.x + 40, top + 2},
                    {r - 6, top + 10},
                    {r + 6, top + 26},
                    {r + 8, room::BedTop + 30},
                    {r, room::BedTop + 40},
                    {l, room::BedTop + 40}});
}

void Quilt(cairo_t* cr, Pt hero, Rng& rng) {
    const double top = hero.y + 18, l = room::BedLeft + 12, r = room::BedRight - 12;
    QuiltPath(cr, hero);
    Painted(cr, Lighter(palette::Rose, 0.25), palette::Rose, 0.45, 2.0, rng, 1);
    // Patchwork seams and a fold.
    cairo_save(cr);
    QuiltPath(cr, hero);
    cairo_clip(cr);
    cairo_new_path(cr);
    for (double x = l + 34; x < r; x += 38)
        InkLine(cr, {{x, top - 10}, {x + 3, room::BedTop + 40}}, 1.2, rng,
                Darker(palette::Rose, 0.4), 0.6);
    InkLine(cr, {{l, top + 30}, {r, top + 26}}, 1.2, rng, Darker(palette::Rose, 0.4), 0.6);
    for (double x = l + 14; x < r; x += 38) {
        PathEllipse(cr, x, top + 42, 5, 4);
        SetColour(cr, Lighter(palette::Ochre, 0.2), 0.8);
        cairo_fill(cr);
    }
    cairo_restore(cr);
    cairo_new_path(cr);
}

void Snores(cairo_t* cr, Pt hero) {
    double x = hero.x + 30, y = hero.y - 44;
    for (int k = 0; k < 3; ++k) {
        DrawText(cr, FontFace::SerifBold, 16 + 5 * k, x, y, "z", palette::Water);
        x += 14 + 3 * k;
        y -= 16 + 4 * k;
    }
}

void Flakes(cairo_t* cr, Pt hero, double side, Rng& rng) {
    for (int k = 0; k < 14; ++k) {
        double a = rng.Range(-2.6, -0.5), r = rng.Range(50, 74);
        Pt p{hero.x + std::cos(a) * r * side, hero.y + std::sin(a) * r * 0.8};
        PathEllipse(cr, p.x, p.y, 2.2, 2.2);
        SetColour(cr, {1, 1, 1});
        cairo_fill_preserve(cr);
        SetColour(cr, titlecolour::Frost);
        cairo_set_line_width(cr, 1.0);
        cairo_stroke(cr);
        InkLine(cr, {{p.x - side * 3, p.y + 1}, {p.x - side * 8, p.y + 2}}, 0.8, rng,
                titlecolour::Frost, 0.8, 0.1);
    }
}

void DrawChar(GenContext& ctx, int n) {
    const std::string path = Dir + "char" + std::to_string(n) + ".png";
    const Pose& pose = kPoses[n - 1];
    Canvas canvas(CharW, CharH);
    cairo_t* cr = canvas.cr;
    ScreenPlacement(cr, CharAt);
    // The hat and scarf on their pegs draw from their own seeds so they stay put between poses.
    Rng hung(Dir + "char#pegs");
    if (pose.hatHung) DrawHungHat(cr, room::HatPeg.x, room::HatPeg.y, 0.9, hung);
    Rng scarf(Dir + "char#scarf");
    if (pose.scarfHung) DrawHungScarf(cr, room::ScarfPeg.x, room::ScarfPeg.y, 1.0, scarf);
    Rng hero(Dir + "char#hero"); // the same pebble in every picture
    DrawHomeHero(cr, pose.at.x, pose.at.y, 1.0, pose.look, hero);
    Rng rng(path);
    if (pose.quilt) Quilt(cr, pose.at, rng);
    if (pose.flakes) Flakes(cr, pose.at, pose.look.tilt < 0 ? -1 : 1, rng);
    if (pose.snoring) Snores(cr, pose.at);
    ctx.Save(canvas, path);
}

// --- Room and smoke

void DrawRoomPicture(GenContext& ctx) {
    const std::string path = Dir + "room.png";
    Canvas canvas(RoomW, RoomH);
    ScreenPlacement(canvas.cr, RoomAt);
    Rng rng(Dir + "room#paint"); // shared with the smoke pictures, which show the same room
    DrawRoom(canvas.cr, rng);
    ctx.Save(canvas, path);
}

// smoke9 to smoke15 carry on from the level's smoke8 (the page all cream smoke): the smoke
// thins picture by picture until the hero, just in at the door, shows in its room.
void DrawSmoke(GenContext& ctx, int n) {
    const std::string path = Dir + "smoke" + std::to_string(n) + ".png";
    const double thick = 1.0 - (n - 9) / 7.0; // 1 for smoke9 .. 1/7 for smoke15
    Canvas canvas(RoomW, RoomH);
    cairo_t* cr = canvas.cr;
    ScreenPlacement(cr, RoomAt);
    Rng room(Dir + "room#paint");
    DrawRoom(cr, room);
    Rng hero(Dir + "char#hero");
    DrawHomeHero(cr, kPoses[0].at.x, kPoses[0].at.y, 1.0, kPoses[0].look, hero);

    Rng rng(path);
    cairo_rectangle(cr, 20, 0, 780, 600); // an even veil first, then the curling puffs
    SetColour(cr, palette::Paper, 0.85 * thick * thick);
    cairo_fill(cr);
    Rng puffs(Dir + "smoke#puffs"); // the same puffs in every picture, drifting and fading
    const int count = 70;
    for (int k = 0; k < count; ++k) {
        Pt c{puffs.Range(0, 820), puffs.Range(-20, 620)};
        double r = puffs.Range(50, 120), drift = puffs.Range(-1, 1);
        double keep = puffs.Uniform(); // puffs with a low value go first
        if (keep > thick + 0.12) continue;
        double grow = 1.0 + (1.0 - thick) * 0.4;
        c.x += drift * (1.0 - thick) * 90;
        c.y -= (1.0 - thick) * 70;
        PathBlob(cr, c.x, c.y, r * grow, r * 0.7 * grow, rng, 0.25, 9);
        Rgb colour = Blend(palette::Paper, palette::PaperShade, puffs.Range(0.0, 0.5));
        SetColour(cr, colour, 0.55 * std::min(1.0, thick + 0.25));
        cairo_fill_preserve(cr);
        if (thick < 0.95) InkOutline(cr, 1.4, rng, palette::PaperShade, 0.5 * thick, 0.8);
        cairo_new_path(cr);
    }
    // A few curls of the smoke's own line.
    for (int k = 0; k < 10 * thick + 2; ++k) {
        Pt a{rng.Range(60, 760), rng.Range(40, 560)};
        double s = rng.Range(30, 70);
        InkCurve(cr, a, {a.x + s, a.y - s}, {a.x + 2 * s, a.y + s * 0.3}, {a.x + 1.5 * s, a.y - s},
                 2.0, rng, palette::PaperShade, 0.6);
    }
    ctx.Save(canvas, path);
}

// --- The stone and the hand that brings it

void DrawStone(GenContext& ctx) {
    Canvas canvas(kStoneW, kStoneH);
    Rng rng(kStonePath);
    DrawStonePiece(canvas.cr, rng);
    ctx.Save(canvas, kStonePath);
}

// The stone piece pasted at a screen position (even, so its pixels land whole).
void PasteStone(cairo_t* cr, const Canvas& stone, Pt at) {
    cairo_save(cr);
    cairo_translate(cr, at.x, at.y);
    cairo_scale(cr, 2, 2);
    cairo_set_source_surface(cr, stone.surface, 0, 0);
    cairo_paint(cr);
    cairo_restore(cr);
}

struct HandStep {
    Pt stone; // the stone's top-left on screen
    Pt pinch; // thumb and finger
    double angle;
    bool holds; // the hand still holds it
};

// In from the lower right, over the bed, up to the shelf; then the fingers open and it leaves.
const HandStep kHandSteps[6] = {
    {{660, 380}, {764, 412}, 0.15, true},  {{500, 270}, {604, 302}, 0.05, true},
    {{340, 170}, {444, 202}, -0.05, true}, {{196, 94}, {300, 126}, -0.12, true},
    {StoneRest, {192, 80}, -0.15, true},   {StoneRest, {262, 36}, -0.3, false},
};

void DrawHandPicture(GenContext& ctx, const Canvas& stone, int n) {
    const std::string path = Dir + "hand" + std::to_string(n) + ".png";
    const HandStep& s = kHandSteps[n - 1];
    Canvas canvas(400, 300);
    cairo_t* cr = canvas.cr;
    ScreenPlacement(cr, {0, 0});
    // A soft shadow of the stone on the wall while it is carried.
    if (s.holds) {
        PathEllipse(cr, s.stone.x + 60, s.stone.y + 104, 44, 10);
        SetColour(cr, palette::Sepia, 0.15);
        cairo_fill(cr);
    }
    PasteStone(cr, stone, s.stone);
    Rng rng(Dir + "hand#hand"); // the same hand in every picture
    DrawHand(cr, s.pinch, 1.9, HandPose::Pinch, rng, s.angle, 600);
    if (!s.holds) { // a little sparkle where it let go
        Rng spark(path);
        for (int k = 0; k < 5; ++k) {
            Pt p{s.stone.x + spark.Range(0, 112), s.stone.y + spark.Range(-20, 10)};
            PathStar(cr, p.x, p.y, spark.Range(5, 9), 2.2, 4, spark.Range(-0.3, 0.3));
            SetColour(cr, titlecolour::Sun, 0.9);
            cairo_fill(cr);
        }
    }
    ctx.Save(canvas, path);
}

// --- The last pages

// The final page of the story: morning over the valley, the sun back above the great hill, the
// snow melting round the cottage. Drawn the same in each end picture (a fixed seed) and clipped
// to the part of the page that has come over so far.
constexpr Pt kSceneAt{316, 80};
constexpr double kSceneScale = 0.7;

void FinalPageScene(cairo_t* cr, double left, bool words) {
    Rng rng(Dir + "end#page");
    cairo_rectangle(cr, left, 0, 800 - left, 600);
    FillPaper(cr, rng, palette::Paper, 0.15);
    cairo_new_path(cr);
    // The picture on the last page, drawn in a 640 x 552 frame at (130, 24) and shrunk into the
    // page's part right of the shelf (the flat page stops there).
    cairo_save(cr);
    cairo_translate(cr, kSceneAt.x, kSceneAt.y);
    cairo_scale(cr, kSceneScale, kSceneScale);
    cairo_translate(cr, -130, -24);
    cairo_save(cr);
    cairo_rectangle(cr, 130, 24, 640, 552);
    cairo_clip(cr);
    cairo_rectangle(cr, 130, 24, 640, 552);
    Wash(cr, Lighter(palette::Sky, 0.25), 0.45, rng, {.layers = 3, .jitter = 5, .edge = 0.1});
    cairo_new_path(cr);
    // The sun, up again over the great hill.
    PathEllipse(cr, 600, 130, 40, 40);
    SetColour(cr, titlecolour::Sun);
    cairo_fill_preserve(cr);
    InkOutline(cr, 2.0, rng, palette::Sepia);
    cairo_new_path(cr);
    for (int k = 0; k < 12; ++k) {
        double a = k * 3.14159 / 6 + 0.2;
        InkLine(cr,
                {{600 + 50 * std::cos(a), 130 + 50 * std::sin(a)},
                 {600 + 66 * std::cos(a), 130 + 66 * std::sin(a)}},
                2.0, rng, palette::Sepia);
    }
    PathSmooth(cr, {{130, 420}, {300, 330}, {470, 250}, {560, 196}, {640, 230}, {770, 300}}, false);
    cairo_line_to(cr, 770, 576);
    cairo_line_to(cr, 130, 576);
    cairo_close_path(cr);
    Painted(cr, Lighter(palette::Moss, 0.35), palette::Moss, 0.5, 2.2, rng, 2);
    PathSmooth(cr, {{500, 232}, {560, 196}, {640, 230}, {600, 250}, {560, 236}, {530, 252}});
    Painted(cr, {0.98, 0.98, 1.0}, titlecolour::Frost, 0.4, 1.6, rng, 1);
    // The valley floor, green again, with the last snow lying in patches.
    PathSmooth(cr, {{130, 470}, {300, 450}, {500, 476}, {770, 456}}, false);
    cairo_line_to(cr, 770, 576);
    cairo_line_to(cr, 130, 576);
    cairo_close_path(cr);
    Painted(cr, Lighter(palette::Leaf, 0.4), palette::Leaf, 0.5, 2.0, rng, 2);
    for (Pt p : {Pt{210, 520}, Pt{420, 540}, Pt{660, 512}, Pt{720, 556}}) {
        PathBlob(cr, p.x, p.y, 40, 9, rng, 0.2, 8);
        Painted(cr, {0.98, 0.98, 1.0}, titlecolour::Frost, 0.4, 1.4, rng, 0.5);
    }
    for (int k = 0; k < 16; ++k) { // the first flowers
        PathEllipse(cr, rng.Range(150, 760), rng.Range(490, 570), 3, 3);
        SetColour(cr, k % 2 ? palette::Rose : titlecolour::Sun);
        cairo_fill(cr);
    }
    // The cottage, its chimney smoking, its window lit where the hero sleeps.
    const Pt home{330, 450};
    PathSmooth(cr, {{home.x - 60, home.y + 30},
                    {home.x - 58, home.y - 20},
                    {home.x, home.y - 50},
                    {home.x + 58, home.y - 20},
                    {home.x + 60, home.y + 30}});
    Painted(cr, Lighter(palette::Stone, 0.3), palette::StoneDark, 0.4, 2.0, rng, 1);
    PathSmooth(cr, {{home.x - 70, home.y - 24},
                    {home.x, home.y - 78},
                    {home.x + 70, home.y - 24},
                    {home.x, home.y - 44}});
    Painted(cr, {0.98, 0.98, 1.0}, titlecolour::Frost, 0.4, 1.8, rng, 1);
    PathRoundedRect(cr, home.x + 26, home.y - 90, 16, 34, 2);
    Painted(cr, palette::StoneDark, palette::Ink, 0.3, 1.6, rng, 0.5);
    for (int k = 0; k < 4; ++k) {
        PathBlob(cr, home.x + 40 + k * 16, home.y - 104 - k * 22, 10 + k * 4, 8 + k * 3, rng, 0.2,
                 7);
        Painted(cr, Lighter(palette::PaperShade, 0.5), palette::PaperShade, 0.3, 1.2, rng, 0.5);
    }
    PathEllipse(cr, home.x - 22, home.y, 12, 12);
    Painted(cr, titlecolour::Sun, palette::Ochre, 0.5, 1.6, rng, 0.5);
    PathRoundedRect(cr, home.x + 8, home.y - 6, 26, 36, 10);
    Painted(cr, palette::Wood, Darker(palette::Wood, 0.3), 0.5, 1.6, rng, 0.5);
    cairo_restore(cr);
    PathRoundedRect(cr, 130, 24, 640, 552, 6);
    InkOutline(cr, 1.8, rng, palette::Sepia, 0.8, 0.3);
    cairo_new_path(cr);
    if (words) {
        DrawText(cr, FontFace::SerifBold, 64, 330, 150, "The End", palette::Ink, Align::Centre);
        InkCurve(cr, {210, 174}, {280, 186}, {380, 162}, {450, 176}, 2.6, rng, palette::Rust);
    }
    cairo_restore(cr);
}

// end1 to end3: the page still coming over, its edge curling up; end4: it lies flat and the
// story's last words are on it.
struct EndStep {
    double left; // where the picture sits on screen
    double edge; // where the page's edge lies: end3 and end4 stop right of the shelf, so that
                 // the stone is seen landing on it in the film's last two steps
    double curl; // width of the curl at the page's edge; 0 when it lies flat
};
const EndStep kEndSteps[4] = {{500, 500, 60}, {300, 300, 50}, {100, 290, 36}, {100, 282, 0}};

void DrawEndPage(GenContext& ctx, int n) {
    const std::string path = Dir + "end" + std::to_string(n) + ".png";
    const EndStep& e = kEndSteps[n - 1];
    Canvas canvas(int((800 - e.left) / 2), 300);
    cairo_t* cr = canvas.cr;
    ScreenPlacement(cr, {e.left, 0});
    Rng rng(path);
    const double edge = e.edge + 14; // room for the shadow it throws on the room
    cairo_pattern_t* shade = cairo_pattern_create_linear(e.edge, 0, edge, 0);
    cairo_pattern_add_color_stop_rgba(shade, 0, 0.40, 0.27, 0.16, 0.0);
    cairo_pattern_add_color_stop_rgba(shade, 1, 0.40, 0.27, 0.16, 0.35);
    cairo_rectangle(cr, e.edge, 0, 14, 600);
    cairo_set_source(cr, shade);
    cairo_fill(cr);
    cairo_pattern_destroy(shade);

    cairo_save(cr);
    cairo_rectangle(cr, edge + e.curl, 0, 800, 600);
    cairo_clip(cr);
    FinalPageScene(cr, edge, n == 4);
    cairo_restore(cr);
    if (e.curl > 0) { // the back of the page, curling over its edge
        cairo_move_to(cr, edge + e.curl, 0);
        cairo_curve_to(cr, edge - 4, 120, edge - 4, 480, edge + e.curl, 600);
        cairo_line_to(cr, edge + e.curl + 10, 600);
        cairo_curve_to(cr, edge + e.curl * 0.6, 400, edge + e.curl * 0.6, 200, edge + e.curl + 10,
                       0);
        cairo_close_path(cr);
        cairo_pattern_t* back = cairo_pattern_create_linear(edge, 0, edge + e.curl + 10, 0);
        cairo_pattern_add_color_stop_rgb(back, 0, 0.90, 0.86, 0.76);
        cairo_pattern_add_color_stop_rgb(back, 0.6, 0.97, 0.95, 0.88);
        cairo_pattern_add_color_stop_rgb(back, 1, 0.80, 0.72, 0.58);
        cairo_set_source(cr, back);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(back);
        InkOutline(cr, 1.8, rng, palette::Sepia, 0.8, 0.4);
        cairo_new_path(cr);
    } else {
        InkLine(cr, {{edge, 0}, {edge, 600}}, 1.6, rng, palette::Sepia, 0.7);
    }
    ctx.Save(canvas, path);
}

// end5, shown alone on black while it fades: the book closed on the table, the stone kept on
// its cover.
void DrawClosedBook(GenContext& ctx, const Canvas& stone) {
    const std::string path = Dir + "end5.png";
    Canvas canvas(400, 300);
    cairo_t* cr = canvas.cr;
    ScreenPlacement(cr, {0, 0});
    Rng rng(path);
    cairo_rectangle(cr, 0, 0, 800, 600); // the table in lamplight
    SetColour(cr, Darker(palette::Wood, 0.55));
    cairo_fill_preserve(cr);
    Wash(cr, palette::Wood, 0.35, rng, {.layers = 3, .jitter = 8, .edge = 0.0, .granulation = 0.3});
    cairo_new_path(cr);
    for (double y = 40; y < 600; y += 70)
        InkLine(cr, {{0, y + rng.Range(-6, 6)}, {800, y + rng.Range(-6, 6)}}, 1.4, rng,
                Darker(palette::Wood, 0.7), 0.4);
    cairo_pattern_t* lamp = cairo_pattern_create_radial(400, 300, 60, 400, 300, 480);
    cairo_pattern_add_color_stop_rgba(lamp, 0, 0.98, 0.78, 0.42, 0.3);
    cairo_pattern_add_color_stop_rgba(lamp, 1, 0.0, 0.0, 0.0, 0.55);
    cairo_rectangle(cr, 0, 0, 800, 600);
    cairo_set_source(cr, lamp);
    cairo_fill(cr);
    cairo_pattern_destroy(lamp);

    // The pages' edge under the cover, then the leather cover with its gold.
    PathRoundedRect(cr, 128, 78, 560, 470, 10);
    SetColour(cr, palette::Paper);
    cairo_fill_preserve(cr);
    InkOutline(cr, 1.6, rng, palette::Sepia);
    cairo_new_path(cr);
    PathRoundedRect(cr, 112, 60, 560, 470, 14);
    DropShadow(cr, 10, 14, 10, 0.5, palette::Ink);
    SetColour(cr, Blend(palette::Wood, palette::Rust, 0.35));
    cairo_fill_preserve(cr);
    Wash(cr, Darker(palette::Wood, 0.3), 0.5, rng, {.layers = 3, .jitter = 4, .granulation = 0.4});
    InkOutline(cr, 2.4, rng);
    cairo_new_path(cr);
    const Rgb gold = titlecolour::Sun;
    PathRoundedRect(cr, 142, 90, 500, 410, 8);
    InkOutline(cr, 2.2, rng, gold, 0.9, 0.2);
    cairo_new_path(cr);
    for (Pt c : {Pt{112, 60}, Pt{672, 60}, Pt{112, 530}, Pt{672, 530}}) {
        double sx = c.x < 400 ? 1 : -1, sy = c.y < 300 ? 1 : -1;
        PathPolygon(cr, {c, {c.x + sx * 46, c.y}, {c.x, c.y + sy * 46}});
        Painted(cr, gold, palette::Ochre, 0.5, 1.6, rng, 0.3);
    }
    DrawText(cr, FontFace::SerifBold, 64, 392, 220, "The End", gold, Align::Centre);
    InkCurve(cr, {262, 246}, {330, 262}, {454, 232}, {522, 248}, 2.4, rng, gold);
    // The sleeping hero in a gold-rimmed oval.
    PathEllipse(cr, 392, 370, 86, 74);
    SetColour(cr, Lighter(palette::Paper, 0.2));
    cairo_fill_preserve(cr);
    InkOutline(cr, 3.0, rng, gold, 0.95, 0.2);
    cairo_new_path(cr);
    Rng hero(Dir + "char#hero");
    DrawHomeHero(cr, 392, 370, 0.9,
                 {.eyes = HeroEyes::Asleep, .mouth = HeroMouth::Rest, .hat = false}, hero);
    // The stone, brought home, lies on the cover beside the oval, inside the gold frame (out
    // over the cover's corner it would look dropped there by mistake).
    cairo_save(cr);
    cairo_translate(cr, 512, 388);
    // Pasted square to the pixels (a turned paste blends new colours into the picture).
    PathEllipse(cr, 56, 86, 50, 8);
    SetColour(cr, palette::Ink, 0.35);
    cairo_fill(cr);
    PasteStone(cr, stone, {0, 0});
    cairo_restore(cr);
    ctx.Save(canvas, path);
}

void GenerateEnding(GenContext& ctx) {
    DrawRoomPicture(ctx);
    for (int n = 9; n <= 15; ++n)
        DrawSmoke(ctx, n);
    for (int n = 1; n <= 16; ++n)
        DrawChar(ctx, n);
    DrawStone(ctx);
    Canvas stone(kStoneW, kStoneH);
    Rng stoneRng(kStonePath);
    DrawStonePiece(stone.cr, stoneRng);
    for (int n = 1; n <= 6; ++n)
        DrawHandPicture(ctx, stone, n);
    for (int n = 1; n <= 4; ++n)
        DrawEndPage(ctx, n);
    DrawClosedBook(ctx, stone);
}

AssetGroup group("ending", &GenerateEnding);

} // namespace
