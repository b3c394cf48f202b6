// The title's full-page sheets: three help pages and the credits. Each is a whole sheet of
// paper (drawn over the menu), with its writing kept well inside the book's frame.

#include "BagItems.h"
#include "Canvas.h"
#include "Ink.h"
#include "Registry.h"
#include "Text.h"
#include "TitleArt.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

constexpr double TextLeft = 360, TextWidthMax = 350;

// A sheet of paper with a ruled border and a heading.
void Sheet(cairo_t* cr, Rng& rng, const std::string& heading) {
    cairo_rectangle(cr, 0, 0, 800, 600);
    FillPaper(cr, rng, palette::Paper, 0.12);
    cairo_new_path(cr);
    PathRoundedRect(cr, 62, 40, 676, 520, 10);
    InkOutline(cr, 1.6, rng, palette::Sepia, 0.9, 0.4);
    cairo_new_path(cr);
    PathRoundedRect(cr, 70, 48, 660, 504, 7);
    InkOutline(cr, 0.8, rng, palette::Sepia, 0.6, 0.3);
    cairo_new_path(cr);
    if (!heading.empty()) {
        DrawText(cr, FontFace::SerifBold, 36, 400, 104, heading, palette::Ink, Align::Centre);
        InkCurve(cr, {250, 118}, {330, 126}, {470, 112}, {550, 120}, 2.0, rng, palette::Rust, 0.8);
    }
}

void Footer(cairo_t* cr, Rng& rng, const std::string& words, int page) {
    DrawText(cr, FontFace::Serif, 19, 400, 530, words, palette::Sepia, Align::Centre);
    double w = TextWidth(cr, FontFace::Serif, 19, words);
    // A page corner lifting, next to the words.
    double x = 400 + w / 2 + 18, y = 512;
    PathPolygon(cr, {{x, y}, {x + 22, y}, {x + 22, y + 14}, {x + 12, y + 22}, {x, y + 22}});
    Painted(cr, palette::Paper, palette::PaperShade, 0.4, 1.1, rng, 0.5);
    PathPolygon(cr, {{x + 22, y + 14}, {x + 12, y + 14}, {x + 12, y + 22}});
    Painted(cr, palette::PaperShade, palette::Sepia, 0.3, 1.0, rng, 0.3);
    if (page > 0)
        DrawText(cr, FontFace::Serif, 15, 700, 530, std::to_string(page) + " / 3", palette::Sepia,
                 Align::Right);
}

// A paragraph in the text column; returns the y below it.
double Say(cairo_t* cr, double top, const std::string& text, bool strong = true) {
    return DrawParagraph(cr, strong ? FontFace::Serif : FontFace::Serif, strong ? 21 : 18, TextLeft,
                         top, TextWidthMax, text, strong ? palette::Ink : palette::Sepia,
                         Align::Left, strong ? 28 : 24);
}

void Or(cairo_t* cr, double x, double y) {
    DrawText(cr, FontFace::Serif, 18, x, y, "or", palette::Sepia, Align::Centre);
}

void DrawHelp1(GenContext& ctx) {
    const std::string path = "image/Title/help1.png";
    Rng rng(path);
    Canvas canvas(800, 600);
    cairo_t* cr = canvas.cr;
    Sheet(cr, rng, "Turning the pages");

    DrawKeyCap(cr, 92, 160, 48, 48, "\u2190", rng, 26);
    DrawKeyCap(cr, 146, 160, 48, 48, "\u2192", rng, 26);
    Or(cr, 216, 190);
    DrawKeyCap(cr, 238, 160, 46, 48, "A", rng);
    DrawKeyCap(cr, 290, 160, 46, 48, "D", rng);
    // A page turning over, beneath the arrows.
    PathPolygon(cr, {{118, 228}, {170, 222}, {170, 292}, {118, 298}});
    Painted(cr, palette::Paper, palette::PaperShade, 0.3, 1.4, rng);
    cairo_move_to(cr, 170, 222);
    cairo_curve_to(cr, 200, 210, 220, 220, 236, 232);
    cairo_line_to(cr, 222, 300);
    cairo_curve_to(cr, 206, 288, 190, 286, 170, 292);
    cairo_close_path(cr);
    Painted(cr, Lighter(palette::Paper, 0.3), palette::PaperShade, 0.5, 1.4, rng);
    InkCurve(cr, {188, 300}, {204, 312}, {226, 312}, {244, 300}, 1.4, rng, palette::Rust);
    InkLine(cr, {{236, 298}, {244, 300}, {242, 292}}, 1.4, rng, palette::Rust);

    double y = Say(cr, 150,
                   "The arrow keys or A and D turn one page back or forward: press again for each "
                   "page.");
    Say(cr, y + 8,
        "The world moves with the page: forward moves the story on, back undoes it, page by "
        "page.",
        false);

    DrawKeyCap(cr, 110, 350, 56, 48, "S", rng);
    Or(cr, 190, 380);
    DrawKeyCap(cr, 214, 350, 116, 48, "Space", rng, 18);
    // Pages fanning by themselves.
    for (int k = 0; k < 3; ++k) {
        double a = -0.35 + k * 0.25;
        cairo_save(cr);
        cairo_translate(cr, 220, 480);
        cairo_rotate(cr, a);
        PathRoundedRect(cr, -4, -62, 48, 62, 3);
        cairo_restore(cr);
        Painted(cr, palette::Paper, palette::PaperShade, 0.3, 1.2, rng);
    }
    InkCurve(cr, {150, 430}, {160, 400}, {190, 390}, {214, 398}, 1.3, rng, palette::Rust);
    y = Say(cr, 336,
            "A game starts with the pages turning. S or Space stops them and opens the bag; "
            "press it again to start them.");
    Say(cr, y + 6, "The cursor hides while they turn.", false);
    Footer(cr, rng, "Click to turn the page", 1);
    ctx.Save(canvas, path);
}

// A small framed picture with a torn hole where a piece has come out.
void TornPicture(cairo_t* cr, double x, double y, Rng& rng) {
    PathRoundedRect(cr, x, y, 170, 120, 3);
    DropShadow(cr, 2, 3, 2, 0.3);
    FillPaper(cr, rng, palette::Paper, 0.05);
    cairo_new_path(cr);
    PathRoundedRect(cr, x + 8, y + 8, 154, 104, 2);
    Wash(cr, palette::Sky, 0.35, rng, {.layers = 2, .jitter = 2, .granulation = 0.1});
    cairo_new_path(cr);
    cairo_move_to(cr, x + 8, y + 86);
    cairo_curve_to(cr, x + 60, y + 70, x + 110, y + 76, x + 162, y + 84);
    cairo_line_to(cr, x + 162, y + 112);
    cairo_line_to(cr, x + 8, y + 112);
    cairo_close_path(cr);
    Painted(cr, Lighter(palette::Paper, 0.4), titlecolour::Frost, 0.5, 1.2, rng);
    PathRoundedRect(cr, x, y, 170, 120, 3);
    InkOutline(cr, 1.6, rng);
    cairo_new_path(cr);
    // The hole: the book's darker paper shows through with a torn white rim.
    PathPolygon(cr, TornOutline(x + 100, y + 24, 44, 40, rng, 2.5));
    SetColour(cr, palette::PaperShade);
    cairo_fill_preserve(cr);
    InkOutline(cr, 1.8, rng, {1, 1, 1}, 0.9, 0.3);
    InkOutline(cr, 0.7, rng, palette::Sepia, 0.8, 0.3);
    cairo_new_path(cr);
}

// The bag: a satchel whose front holds a row of five slots, one with a piece in it.
void Bag(cairo_t* cr, double x, double y, Rng& rng) {
    cairo_move_to(cr, x + 30, y + 20);
    cairo_curve_to(cr, x + 40, y - 40, x + 170, y - 40, x + 180, y + 20);
    InkOutline(cr, 4.0, rng, palette::Wood);
    cairo_new_path(cr);
    PathRoundedRect(cr, x, y + 10, 210, 120, 18);
    DropShadow(cr, 3, 4, 3, 0.3);
    Painted(cr, Lighter(palette::Wood, 0.25), palette::Wood, 0.45, 2.0, rng, 2);
    cairo_move_to(cr, x + 4, y + 16);
    cairo_curve_to(cr, x + 60, y + 4, x + 150, y + 4, x + 206, y + 16);
    cairo_line_to(cr, x + 200, y + 52);
    cairo_curve_to(cr, x + 150, y + 64, x + 60, y + 64, x + 10, y + 52);
    cairo_close_path(cr);
    Painted(cr, palette::Wood, Darker(palette::Wood, 0.2), 0.4, 1.8, rng, 1.5);
    for (int s = 0; s < 5; ++s) {
        double sx = x + 16 + s * 37, sy = y + 72;
        PathRoundedRect(cr, sx, sy, 31, 40, 4);
        Painted(cr, Lighter(palette::Paper, 0.2), palette::PaperShade, 0.4, 1.2, rng, 0.5);
        if (s == 1) {
            PathPolygon(cr, TornOutline(sx + 5, sy + 7, 21, 24, rng, 1.6));
            Painted(cr, palette::Paper, palette::Sky, 0.45, 1.0, rng, 0.6);
        }
    }
}

void DrawHelp2(GenContext& ctx) {
    const std::string path = "image/Title/help2.png";
    Rng rng(path);
    Canvas canvas(800, 600);
    cairo_t* cr = canvas.cr;
    Sheet(cr, rng, "Tearing out pieces");

    TornPicture(cr, 90, 166, rng);
    // The torn piece, lifted up and away between finger and thumb.
    Pt pinch{266, 170};
    PathPolygon(cr, TornOutline(pinch.x - 26, pinch.y - 2, 44, 40, rng, 2.5));
    DropShadow(cr, 3, 5, 3, 0.3);
    FillPaper(cr, rng, palette::Paper, 0.05);
    Wash(cr, palette::Sky, 0.35, rng, {.layers = 2, .jitter = 1.5, .granulation = 0.1});
    InkOutline(cr, 1.2, rng, palette::Sepia);
    cairo_new_path(cr);
    DrawHand(cr, pinch, 1.2, HandPose::Pinch, rng, -0.1, 0);
    InkCurve(cr, {246, 226}, {250, 214}, {254, 204}, {258, 196}, 1.2, rng, palette::Rust, 0.8);

    double y = Say(cr, 150, "Click on a piece of a picture to tear it out of the page.");
    Say(cr, y + 8, "The piece goes into your bag.", false);

    Bag(cr, 100, 352, rng);
    DrawKeyCap(cr, 96, 294, 46, 44, "W", rng);
    Or(cr, 164, 322);
    DrawKeyCap(cr, 186, 294, 46, 44, "I", rng);
    y = Say(cr, 310, "W or I opens the bag.");
    Say(cr, y + 8,
        "Click a slot in the bag to take a piece out, then click on the page to put it down "
        "there.",
        false);
    Footer(cr, rng, "Click to turn the page", 2);
    ctx.Save(canvas, path);
}

// A little page of the book, its number at the foot; returns nothing, draws at (x, y).
void MiniPage(cairo_t* cr, Rng& rng, double x, double y, int number, double alpha = 1.0) {
    PathRoundedRect(cr, x, y, 58, 72, 3);
    DropShadow(cr, 2, 2, 2, 0.25 * alpha);
    FillPaper(cr, rng, palette::Paper, 0.05);
    InkOutline(cr, 1.2, rng, palette::Sepia, 0.9 * alpha);
    cairo_new_path(cr);
    DrawText(cr, FontFace::Serif, 12, x + 29, y + 66, std::to_string(number), palette::Sepia,
             Align::Centre, alpha);
}

// The hole a torn piece leaves: a ragged gap with the book's back showing through.
void MiniHole(cairo_t* cr, Rng& rng, double cx, double cy) {
    PathBlob(cr, cx, cy, 13, 11, rng, 0.18, 9);
    SetColour(cr, palette::PaperShade);
    cairo_fill_preserve(cr);
    InkOutline(cr, 1.0, rng, palette::Sepia, 0.8);
    cairo_new_path(cr);
}

void MiniApple(cairo_t* cr, Rng& rng, double cx, double cy, double size) {
    cairo_save(cr);
    cairo_translate(cr, cx - size / 2, cy - size / 2);
    PaintBagItem(cr, 1, 0, size, size, rng);
    cairo_restore(cr);
    cairo_new_path(cr);
}

// The time page's paragraphs: a wider column, so that four rules fit on one sheet.
double Note(cairo_t* cr, double top, const std::string& text) {
    return DrawParagraph(cr, FontFace::Serif, 17, 330, top, 380, text, palette::Sepia, Align::Left,
                         22);
}

// How time works in the book: what tearing out and putting down do to the pages, and how the fox
// is kept from the bag.
void DrawHelp3(GenContext& ctx) {
    const std::string path = "image/Title/help3.png";
    Rng rng(path);
    Canvas canvas(800, 600);
    cairo_t* cr = canvas.cr;
    Sheet(cr, rng, "Time in the book");

    // Torn out: the same hole through every page, the apple in the bag.
    for (int i = 0; i < 3; ++i) {
        const double x = 96 + i * 22.0, y = 132 + i * 6.0;
        MiniPage(cr, rng, x, y, 11 + i);
        MiniHole(cr, rng, x + 29, y + 30);
    }
    MiniApple(cr, rng, 258, 178, 34);
    InkCurve(cr, {200, 168}, {220, 156}, {236, 160}, {244, 170}, 1.3, rng, palette::Rust, 0.8);
    double y = Note(cr, 140,
                    "A piece you tear out leaves the whole book at once: gone from every page, "
                    "before and after. It waits in your bag.");

    // Put down on page 12: not on 11, there on 12 and 13.
    const double rowY = std::max(y + 12, 232.0);
    for (int i = 0; i < 3; ++i) {
        const double x = 96 + i * 70.0;
        MiniPage(cr, rng, x, rowY, 11 + i, i == 0 ? 0.6 : 1.0);
        if (i > 0) MiniApple(cr, rng, x + 29, rowY + 30, 26);
    }
    y = Note(cr, rowY,
             "A piece you put down lies on its page and every page after. Turn back past that "
             "page and it is gone, not in the bag. Take it back only on its own page.");

    // The fox and the safe places: a hand holding the apple, the bag's third page.
    const double foxY = std::max(y + 12, 330.0);
    Rng hero("image/Title/help3.png#hero");
    DrawPebbleHero(cr, 130, foxY + 40, 0.34, hero, 2.0);
    MiniApple(cr, rng, 182, foxY + 14, 24);
    PathRoundedRect(cr, 222, foxY + 6, 76, 52, 4);
    Painted(cr, Lighter(palette::Wood, 0.6), palette::Wood, 0.3, 1.2, rng, 0.5);
    DrawText(cr, FontFace::SerifBold, 14, 260, foxY + 38, "3/3", palette::Ink, Align::Centre);
    y = Note(cr, foxY,
             "The fox snatches one of the first ten pieces in your bag (its pages 1 and 2). "
             "Pieces fill the bag in order, so only an eleventh is safe. Best stop the fox.");

    // The cursor's answers, then the pause key and the reminder tab.
    const double lastY = std::max(y + 12, 410.0);
    DrawKeyCap(cr, 96, lastY - 2, 58, 34, "Esc", rng, 16);
    PathRoundedRect(cr, 168, lastY - 4, 22, 40, 5);
    Painted(cr, palette::Ochre, Darker(palette::Ochre, 0.2), 0.4, 1.2, rng);
    DrawText(cr, FontFace::SerifBold, 17, 179, lastY + 22, "?", palette::Ink, Align::Centre);
    Note(cr, lastY,
         "A torn corner by the cursor: this can be torn out now. Esc pauses; the ? tab opens a "
         "reminder.");
    Footer(cr, rng, "Click to turn the page", 3);
    ctx.Save(canvas, path);
}

void DrawCredits(GenContext& ctx) {
    const std::string path = "image/Title/credits.png";
    Rng rng(path);
    Canvas canvas(800, 600);
    cairo_t* cr = canvas.cr;
    Sheet(cr, rng, "");

    DrawText(cr, FontFace::SerifBold, 46, 400, 104, "PebbleFrost", palette::Ink, Align::Centre);
    DrawText(cr, FontFace::Serif, 18, 400, 132, "a Quillfen storybook", palette::Sepia,
             Align::Centre);
    InkCurve(cr, {280, 148}, {350, 156}, {450, 142}, {520, 150}, 2.0, rng, palette::Rust, 0.8);
    DrawText(cr, FontFace::Serif, 21, 400, 186, "How this book was made", palette::Ink,
             Align::Centre);

    // What the game is built with, and the licence each part comes under.
    struct Credit {
        const char* part;
        const char* madeWith;
    };
    constexpr Credit credits[] = {
        {"Program", "C++20 on SDL2 (zlib licence)"},
        {"Sound", "libvorbis and libogg (BSD-style licences)"},
        {"Pictures", "libpng (libpng licence)"},
        {"Drawing", "cairo (LGPL or MPL), FreeType (FTL or GPL)"},
        {"Lettering", "the DejaVu fonts (DejaVu fonts licence)"},
        {"Testing", "GoogleTest and Benchmark (BSD, Apache 2.0)"},
    };
    double y = 226;
    for (const Credit& credit : credits) {
        DrawText(cr, FontFace::SansBold, 15, 300, y, credit.part, palette::Sepia, Align::Right);
        DrawText(cr, FontFace::Serif, 17, 316, y, credit.madeWith, palette::Ink);
        y += 28;
    }
    InkCurve(cr, {330, 398}, {370, 404}, {430, 392}, {470, 398}, 1.2, rng, palette::Sepia, 0.7);
    DrawText(cr, FontFace::Serif, 17, 400, 430,
             "Every picture, tune and sound is made from the game's own text", palette::Ink,
             Align::Centre);
    DrawText(cr, FontFace::Serif, 17, 400, 452, "by its own generator.", palette::Ink,
             Align::Centre);
    DrawText(cr, FontFace::SerifBold, 24, 400, 490, "Thank you for reading!", palette::Rust,
             Align::Centre);

    Rng hero("image/Title/credits.png#hero");
    DrawPebbleHero(cr, 150, 492, 0.55, hero, 3.0);
    PathEllipse(cr, 650, 494, 22, 22);
    Painted(cr, titlecolour::Sun, Darker(titlecolour::Sun, 0.2), 0.3, 1.6, rng);
    for (int k = 0; k < 8; ++k) {
        double a = k * 3.14159265358979 / 4;
        InkLine(cr,
                {{650 + 29 * std::cos(a), 494 + 29 * std::sin(a)},
                 {650 + 37 * std::cos(a), 494 + 37 * std::sin(a)}},
                1.6, rng);
    }
    Footer(cr, rng, "Click to close", 0);
    ctx.Save(canvas, path);
}

void GenerateTitlePages(GenContext& ctx) {
    DrawHelp1(ctx);
    DrawHelp2(ctx);
    DrawHelp3(ctx);
    DrawCredits(ctx);
}

AssetGroup group("titlepages", &GenerateTitlePages);

} // namespace
