// The level's notices (a torn note saying what went wrong and what to try) and the pause menu
// with its three boards. Full size: the level draws them at scale 1.

#include "LevelArtBackNotices.h"

#include "BagItemParts.h"
#include "Canvas.h"
#include "LevelArtBack.h"
#include "Registry.h"
#include "Text.h"
#include "TitleArt.h"

#include <cmath>
#include <string>

namespace {

using namespace backart;

constexpr int NoticeW = 600, NoticeH = 230;

enum class NoticeArt { Boulder, Fence, Snowball, Fox };

struct Notice {
    const char* file;
    const char* heading;
    const char* text;
    NoticeArt art;
    bool lost; // a loss (turn back) or a warning (look out)
};

constexpr Notice kNotices[] = {
    {"image/Support/gameover1.png", "Something was lying in the way",
     "The pebble walked into the boulder. Turn back, stop the pages and tear out what blocks "
     "the path.",
     NoticeArt::Boulder, true},
    {"image/Support/gameover2.png", "The fence was too high",
     "A pebble cannot climb a fence. Turn back: the sleeping elk could have carried you over "
     "it.",
     NoticeArt::Fence, true},
    {"image/Support/gameover3.png", "Bonk! Hit on the head",
     "Something hit the pebble from above. Turn back and stop the thrower, or let something "
     "catch it.",
     NoticeArt::Snowball, true},
    {"image/Support/warning.png", "Watch your bag!",
     "A sly fox waits on the lane ahead, after what is in your bag. Guard it well.", NoticeArt::Fox,
     false},
};

void NoticeIcon(cairo_t* cr, NoticeArt art, Rng& rng) {
    // The picture in the note's left corner, in a little snowy vignette, about 120 x 120.
    const double cx = 95, cy = 118;
    PathBlob(cr, cx, cy + 6, 68, 56, rng, 0.1, 10);
    Wash(cr, palette::Sky, 0.22, rng, {.layers = 3, .jitter = 3, .granulation = 0.15});
    cairo_new_path(cr);
    cairo_save(cr);
    switch (art) {
    case NoticeArt::Boulder:
        cairo_translate(cr, cx - 55, cy - 40);
        cairo_scale(cr, 2.2, 2.2);
        cairo_new_path(cr);
        bagart::Boulder(cr, 50, 45, 0, rng);
        break;
    case NoticeArt::Fence:
        cairo_translate(cr, cx - 56, cy - 56);
        cairo_scale(cr, 2.0, 2.0);
        Fence(cr, 4, 52, 12, 56, rng);
        SnowMound(cr, 0, 56, 60, 52, rng);
        break;
    case NoticeArt::Snowball:
        cairo_translate(cr, cx, cy);
        for (int i = 0; i < 3; ++i)
            InkLine(cr,
                    {{-50 + double(i) * 6, -44 + double(i) * 12},
                     {-18 + double(i) * 4, -16 + double(i) * 8}},
                    2.0, rng, palette::Water, 0.7);
        PathBlob(cr, 4, 4, 26, 26, rng, 0.06, 9);
        Snow(cr, rng, 2.0);
        for (int i = 0; i < 4; ++i)
            Twinkle(cr, 30 + 8 * std::cos(i * 1.7), -30 + 10 * std::sin(i * 1.7), 6, palette::Ochre,
                    rng);
        break;
    case NoticeArt::Fox:
        cairo_translate(cr, cx, cy);
        cairo_scale(cr, 2.4, 2.4);
        // The fox's face peeking in from the side.
        PathSmooth(cr, {{-18, 10}, {-20, -6}, {-10, -16}, {10, -16}, {20, -6}, {18, 10}, {0, 20}});
        Fill(cr, colour::Fox, rng, 1.0);
        for (int s : {-1, 1}) {
            PathPolygon(cr, {{double(s) * 8, -14}, {double(s) * 16, -28}, {double(s) * 18, -8}});
            Fill(cr, colour::Fox, rng, 0.9);
        }
        PathSmooth(cr, {{-12, 6}, {0, 2}, {12, 6}, {0, 20}});
        Fill(cr, colour::Snow, rng, 0.6, 0.2);
        Eye(cr, -7, -4, 2.0);
        Eye(cr, 7, -4, 2.0);
        PathEllipse(cr, 0, 16, 3, 2.2);
        SetColour(cr, palette::Ink);
        cairo_fill(cr);
        InkLine(cr, {{-11, -11}, {-4, -8}}, 1.2, rng);
        InkLine(cr, {{11, -11}, {4, -8}}, 1.2, rng);
        break;
    }
    cairo_restore(cr);
    cairo_new_path(cr);
}

void DrawNotice(GenContext& ctx, const Notice& notice) {
    Rng rng(notice.file);
    Canvas canvas(NoticeW, NoticeH);
    cairo_t* cr = canvas.cr;
    PathTornRect(cr, 10, 8, NoticeW - 22, NoticeH - 20, rng, 3.0);
    DropShadow(cr, 4, 5, 4, 0.35);
    FillPaper(cr, rng);
    Wash(cr, notice.lost ? palette::Rose : palette::Ochre, 0.12, rng,
         {.layers = 3, .jitter = 3, .edge = 0.6, .granulation = 0.1});
    InkOutline(cr, 1.6, rng, palette::Sepia, 0.9);
    cairo_new_path(cr);
    // A strip of tape holding the note on the page.
    PathPolygon(cr, {{262, 0}, {338, 4}, {336, 22}, {260, 18}});
    SetColour(cr, Lighter(palette::Ochre, 0.6), 0.6);
    cairo_fill_preserve(cr);
    InkOutline(cr, 0.8, rng, palette::Sepia, 0.4);
    cairo_new_path(cr);
    NoticeIcon(cr, notice.art, rng);

    const double left = 180, width = 390;
    double size = 30;
    while (TextWidth(cr, FontFace::SerifBold, size, notice.heading) > width && size > 18)
        size -= 1;
    DrawText(cr, FontFace::SerifBold, size, left, 62, notice.heading,
             notice.lost ? palette::Rust : palette::Ink);
    InkCurve(cr, {left, 72}, {left + 120, 76}, {left + 240, 69}, {left + 360, 73}, 1.5, rng,
             notice.lost ? palette::Rust : palette::Ochre, 0.8);
    DrawParagraph(cr, FontFace::Serif, 18, left, 96, width, notice.text, palette::Ink, Align::Left,
                  22);
    // The keys that help: A or Left turns back; S or Space stops the pages.
    const double keyY = 168;
    if (notice.lost) {
        DrawKeyCap(cr, left, keyY, 36, 34, "A", rng, 17);
        DrawText(cr, FontFace::Serif, 17, left + 44, keyY + 22, "or", palette::Sepia);
        DrawKeyCap(cr, left + 68, keyY, 36, 34, "\u2190", rng, 17);
        DrawText(cr, FontFace::SerifBold, 17, left + 114, keyY + 22, "turns the pages back",
                 palette::Ink);
    } else {
        DrawKeyCap(cr, left, keyY, 36, 34, "S", rng, 17);
        DrawText(cr, FontFace::Serif, 17, left + 44, keyY + 22, "or", palette::Sepia);
        DrawKeyCap(cr, left + 68, keyY, 72, 34, "Space", rng, 15);
        DrawText(cr, FontFace::SerifBold, 17, left + 150, keyY + 22, "stops the pages",
                 palette::Ink);
    }
    ctx.Save(canvas, notice.file);
}

// One board of the pause menu, 200 x 50: the same painted plank as the title's menu items.
void DrawMenuBoard(GenContext& ctx, const std::string& path, const std::string& word,
                   bool pointsRight) {
    Rng rng(path);
    Canvas canvas(200, 50);
    cairo_t* cr = canvas.cr;
    std::vector<Pt> board = pointsRight
                                ? std::vector<Pt>{{4, 5}, {172, 5}, {194, 24}, {172, 43}, {4, 43}}
                                : std::vector<Pt>{{6, 24}, {28, 5}, {196, 5}, {196, 43}, {28, 43}};
    PathPolygon(cr, board);
    DropShadow(cr, 2, 3, 1.5, 0.35);
    SetColour(cr, Lighter(palette::Wood, 0.62));
    cairo_fill_preserve(cr);
    Wash(cr, palette::Ochre, 0.3, rng, {.layers = 2, .jitter = 1.5, .granulation = 0.25});
    cairo_save(cr);
    cairo_clip_preserve(cr);
    for (double y : {13.0, 22.0, 34.0}) // wood grain
        InkLine(cr, {{0, y + rng.Range(-1, 1)}, {200, y + rng.Range(-1, 1)}}, 0.7, rng,
                palette::Wood, 0.35);
    cairo_restore(cr);
    InkOutline(cr, 1.8, rng);
    cairo_new_path(cr);
    double cx = pointsRight ? 92 : 108;
    double size = 27;
    while (TextWidth(cr, FontFace::SerifBold, size, word) > 150 && size > 16)
        size -= 1;
    DrawText(cr, FontFace::SerifBold, size, cx + 1, 35, word, palette::Paper, Align::Centre, 0.8);
    DrawText(cr, FontFace::SerifBold, size, cx, 34, word, palette::Ink, Align::Centre);
    PathEllipse(cr, pointsRight ? 14 : 186, 24, 2.5, 2.5); // a nail
    SetColour(cr, palette::StoneDark);
    cairo_fill(cr);
    ctx.Save(canvas, path);
}

// The pause sheet, drawn at (106, 85); the boards sit on it at (200, 195), (200, 255) and
// (200, 315) of this picture.
void DrawPauseSheet(GenContext& ctx) {
    const std::string path = "image/One/esc.png";
    Rng rng(path);
    Canvas canvas(588, 430);
    cairo_t* cr = canvas.cr;
    PathTornRect(cr, 12, 10, 562, 406, rng, 3.5);
    DropShadow(cr, 5, 6, 5, 0.4);
    FillPaper(cr, rng);
    Wash(cr, palette::Sky, 0.12, rng, {.layers = 3, .jitter = 4, .edge = 0.6, .granulation = 0.1});
    InkOutline(cr, 2.0, rng, palette::Sepia, 0.9);
    cairo_new_path(cr);
    DrawText(cr, FontFace::SerifBold, 58, 296, 104, "Paused", palette::Water, Align::Centre, 0.45);
    DrawText(cr, FontFace::SerifBold, 58, 294, 102, "Paused", palette::Ink, Align::Centre);
    InkCurve(cr, {180, 120}, {250, 128}, {340, 116}, {410, 122}, 2.2, rng, palette::Rust, 0.8);
    DrawText(cr, FontFace::Serif, 18, 294, 154, "The story waits for you.", palette::Sepia,
             Align::Centre);
    // A snowy corner: the pebble hero resting under a little pine, and falling flakes.
    Rng hero(std::string("image/One/esc#hero"));
    DrawPebbleHero(cr, 90, 340, 0.55, hero, 3.0);
    cairo_save(cr);
    cairo_translate(cr, 470, 240);
    cairo_scale(cr, 2.0, 2.0);
    Conifer(cr, 20, 0, 80, 22, 3, rng);
    cairo_restore(cr);
    for (int i = 0; i < 14; ++i) {
        double x = rng.Range(30, 560), y = rng.Range(30, 400);
        if (x > 180 && x < 420 && y > 40 && y < 380) continue;
        for (int k = 0; k < 3; ++k) {
            double a = k * Pi / 3 + 0.3, r = rng.Range(4, 7);
            InkLine(cr,
                    {{x - r * std::cos(a), y - r * std::sin(a)},
                     {x + r * std::cos(a), y + r * std::sin(a)}},
                    1.1, rng, palette::Water, 0.8, 0.2);
        }
    }
    DrawText(cr, FontFace::Serif, 16, 294, 398, "Esc: back to the story", palette::Sepia,
             Align::Centre);
    ctx.Save(canvas, path);
}

} // namespace

void GenerateNotices(GenContext& ctx) {
    for (const Notice& notice : kNotices)
        DrawNotice(ctx, notice);
}

void GeneratePauseMenu(GenContext& ctx) {
    DrawPauseSheet(ctx);
    DrawMenuBoard(ctx, "image/One/esc_resume.png", "Resume", true);
    DrawMenuBoard(ctx, "image/One/esc_main.png", "Main menu", false);
    DrawMenuBoard(ctx, "image/One/esc_quit.png", "Quit", true);
}
