// The level's notices (a torn note saying what went wrong and what to try) and the pause menu
// with its three boards. Full size: the level draws them at scale 1.

#include "LevelArtBackNotices.h"

#include "BagItemParts.h"
#include "BagItems.h"
#include "Canvas.h"
#include "LevelArtBack.h"
#include "Registry.h"
#include "Text.h"
#include "TitleArt.h"

#include <cmath>
#include <string>

namespace {

using namespace backart;

// 176 px high, so that a nearer hint (64 px, at y 365) fits under a notice at y 185 and the
// page notice ("The page won't turn") above it (at y 115, 66 px high) does not touch it.
constexpr int NoticeW = 600, NoticeH = 176;
constexpr int HintW = 600, HintH = 64;

enum class NoticeArt { Boulder, Fence, Snowball, Fox, Hero };

struct Notice {
    const char* file;
    const char* heading;
    const char* text;
    NoticeArt art;
    bool lost; // a loss (turn back) or a warning (look out)
};

constexpr Notice kNotices[] = {
    {"image/Support/gameover1.png", "Something was lying in the way",
     "The pebble walked into the boulder. Turn back to before he reached it, stop the pages "
     "and tear out what blocks the path.",
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
     "A sly fox waits ahead. It snatches a piece from the bag's first two pages: stop it before "
     "it reaches the pebble.",
     NoticeArt::Fox, false},
};

void NoticeIcon(cairo_t* cr, NoticeArt art, Rng& rng) {
    // The picture in the note's left corner, in a little snowy vignette, about 120 x 120.
    const double cx = 95, cy = 92;
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
    case NoticeArt::Hero: {
        cairo_restore(cr);
        Rng hero(std::string("notice#hero"));
        DrawPebbleHero(cr, cx, cy + 8, 0.5, hero, 2.0);
        cairo_save(cr);
        break;
    }
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

// The fox's warning shows while the pages may be stopped to deal with the fox, and then the snow
// imp may be winding up its throw in the left half of the page under the card: the warning is a
// narrow note in the card's right part (page x 472 to 688), clear of the thrower.
constexpr double WarnLeft = 372, WarnRight = 588;

// The narrow note's torn paper, washed in its colour, with a strip of tape at its top.
void DrawNarrowNotePaper(cairo_t* cr, Rng& rng, const Rgb& wash) {
    PathTornRect(cr, WarnLeft, 8, WarnRight - WarnLeft, NoticeH - 16, rng, 3.0);
    DropShadow(cr, 4, 5, 4, 0.35);
    FillPaper(cr, rng);
    Wash(cr, wash, 0.12, rng, {.layers = 3, .jitter = 3, .edge = 0.6, .granulation = 0.1});
    InkOutline(cr, 1.6, rng, palette::Sepia, 0.9);
    cairo_new_path(cr);
    const double mid = (WarnLeft + WarnRight) / 2;
    PathPolygon(cr, {{mid - 34, 0}, {mid + 34, 4}, {mid + 32, 22}, {mid - 36, 18}});
    SetColour(cr, Lighter(palette::Ochre, 0.6), 0.6);
    cairo_fill_preserve(cr);
    InkOutline(cr, 0.8, rng, palette::Sepia, 0.4);
    cairo_new_path(cr);
}

void DrawWarningNote(GenContext& ctx, const Notice& notice) {
    Rng rng(notice.file);
    Canvas canvas(NoticeW, NoticeH);
    cairo_t* cr = canvas.cr;
    DrawNarrowNotePaper(cr, rng, palette::Ochre);

    const double left = WarnLeft + 10, width = WarnRight - WarnLeft - 20;
    double size = 26;
    while (TextWidth(cr, FontFace::SerifBold, size, notice.heading) > width && size > 16)
        size -= 1;
    DrawText(cr, FontFace::SerifBold, size, left, 42, notice.heading, palette::Ink);
    InkCurve(cr, {left, 50}, {left + 70, 54}, {left + 140, 47}, {left + width, 51}, 1.5, rng,
             palette::Ochre, 0.8);
    double textSize = 14;
    while (WrapLines(cr, FontFace::Serif, textSize, notice.text, width).size() > 4 && textSize > 11)
        textSize -= 0.5;
    DrawParagraph(cr, FontFace::Serif, textSize, left, 56, width, notice.text, palette::Ink,
                  Align::Left, textSize + 2);
    const double keyY = 138;
    DrawKeyCap(cr, left, keyY, 22, 24, "S", rng, 13);
    DrawText(cr, FontFace::Serif, 12, left + 26, keyY + 17, "or", palette::Sepia);
    DrawKeyCap(cr, left + 42, keyY, 46, 24, "Space", rng, 10);
    DrawText(cr, FontFace::SerifBold, 12, left + 93, keyY + 17, "stops the pages", palette::Ink);
    ctx.Save(canvas, notice.file);
}

// What the fox took shows for a good many pages while the hero walks on towards the sleeping
// elk: a note as narrow as the warning, in the same place (the two never show together), with
// the piece's picture beside a two-line heading.
void DrawFoxNote(GenContext& ctx, const std::string& file, const std::string& name, int item) {
    Rng rng(file);
    Canvas canvas(NoticeW, NoticeH);
    cairo_t* cr = canvas.cr;
    DrawNarrowNotePaper(cr, rng, palette::Rose);

    const double left = WarnLeft + 10, width = WarnRight - WarnLeft - 20;
    constexpr double Picture = 50;
    cairo_save(cr);
    cairo_translate(cr, left - 2, 22);
    PaintBagItem(cr, item, 0, Picture, Picture, rng);
    cairo_restore(cr);
    cairo_new_path(cr);
    const double headLeft = left + Picture + 4, headWidth = width - Picture - 4;
    const std::string second = "the " + name + "!";
    double size = 19;
    while ((TextWidth(cr, FontFace::SerifBold, size, "The fox took") > headWidth ||
            TextWidth(cr, FontFace::SerifBold, size, second) > headWidth) &&
           size > 13)
        size -= 0.5;
    DrawText(cr, FontFace::SerifBold, size, headLeft, 44, "The fox took", palette::Rust);
    DrawText(cr, FontFace::SerifBold, size, headLeft, 44 + size + 2, second, palette::Rust);
    InkCurve(cr, {left, 78}, {left + 70, 82}, {left + 140, 75}, {left + width, 79}, 1.5, rng,
             palette::Rust, 0.8);
    // Why that piece: the fox grabs blindly, but only as deep as the bag's first two pages.
    const char* text = "It grabs at random from your bag's first two pages. A piece dropped on "
                       "it, or a light, stops it.";
    double textSize = 14;
    while (WrapLines(cr, FontFace::Serif, textSize, text, width).size() > 3 && textSize > 11)
        textSize -= 0.5;
    DrawParagraph(cr, FontFace::Serif, textSize, left, 84, width, text, palette::Ink, Align::Left,
                  textSize + 2);
    const double keyY = 138;
    DrawKeyCap(cr, left, keyY, 22, 24, "A", rng, 13);
    DrawText(cr, FontFace::Serif, 12, left + 26, keyY + 17, "or", palette::Sepia);
    DrawKeyCap(cr, left + 42, keyY, 26, 24, "\u2190", rng, 13);
    DrawText(cr, FontFace::SerifBold, 12, left + 74, keyY + 17, "turns back", palette::Ink);
    ctx.Save(canvas, file);
}

void DrawNotice(GenContext& ctx, const Notice& notice) {
    if (notice.art == NoticeArt::Fox) return DrawWarningNote(ctx, notice);
    Rng rng(notice.file);
    Canvas canvas(NoticeW, NoticeH);
    cairo_t* cr = canvas.cr;
    PathTornRect(cr, 10, 8, NoticeW - 22, NoticeH - 16, rng, 3.0);
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
    DrawText(cr, FontFace::SerifBold, size, left, 46, notice.heading,
             notice.lost ? palette::Rust : palette::Ink);
    InkCurve(cr, {left, 55}, {left + 120, 59}, {left + 240, 52}, {left + 360, 56}, 1.5, rng,
             notice.lost ? palette::Rust : palette::Ochre, 0.8);
    double textSize = 17;
    while (WrapLines(cr, FontFace::Serif, textSize, notice.text, width).size() > 3 && textSize > 13)
        textSize -= 0.5;
    DrawParagraph(cr, FontFace::Serif, textSize, left, 62, width, notice.text, palette::Ink,
                  Align::Left, 20);
    // The keys that help: A or Left turns back; S or Space stops the pages.
    const double keyY = 128;
    if (notice.lost) {
        DrawKeyCap(cr, left, keyY, 34, 30, "A", rng, 16);
        DrawText(cr, FontFace::Serif, 17, left + 44, keyY + 21, "or", palette::Sepia);
        DrawKeyCap(cr, left + 68, keyY, 34, 30, "\u2190", rng, 16);
        DrawText(cr, FontFace::SerifBold, 17, left + 114, keyY + 21, "turns the pages back",
                 palette::Ink);
    } else {
        DrawKeyCap(cr, left, keyY, 34, 30, "S", rng, 16);
        DrawText(cr, FontFace::Serif, 17, left + 44, keyY + 21, "or", palette::Sepia);
        DrawKeyCap(cr, left + 68, keyY, 72, 30, "Space", rng, 14);
        DrawText(cr, FontFace::SerifBold, 17, left + 150, keyY + 21, "stops the pages",
                 palette::Ink);
    }
    ctx.Save(canvas, notice.file);
}

// Every other way the hero can be stopped gets a card in the same style, and every stop two
// nearer hints: the second time there a hint that points the way, the third time one that all but
// names the piece. File names: stop_<name>.png, hint_<name>_2.png, hint_<name>_3.png (the level
// loads them by the same names).
struct StopCard {
    const char* name;
    const char* heading;
    const char* text;
    const char* nearer;  // the second time
    const char* nearest; // the third time and after
};

constexpr StopCard kStopCards[] = {
    {"boulder", "Something was lying in the way",
     "The pebble walked into the boulder. Turn back to before he reached it, stop the pages and "
     "tear out what blocks the path.",
     "Stop the pages with S or Space before the boulder reaches the pebble, then click the "
     "boulder.",
     "Click the grey boulder while the pages stand still: it tears out into your bag. Keep it, it "
     "helps later on."},
    {"fence", "The fence was too high",
     "A pebble cannot climb a fence. Turn back: someone big, asleep a little way back, could carry "
     "you over it.",
     "Only an awake elk carries the pebble. A bird that sings, landing on its muzzle, would wake "
     "it before the pebble gets there.",
     "Turn back until the elk sleeps ahead of the pebble, then put the windmill's little bird down "
     "just above its muzzle, by the elk sign."},
    {"snowball", "Bonk! Hit by a snowball",
     "The snow imp threw a snowball at the pebble. Turn back and keep it from throwing, or let "
     "something catch it.",
     "The imp pushes a wheelbarrow along. A barrow that cannot roll would stop the imp in its "
     "tracks.",
     "Tear the front wheel out of the imp's barrow before it throws: it tumbles, and no snowball "
     "comes."},
    {"pine_cone", "Bonk! Hit by a pine cone",
     "The crow dropped a frozen pine cone on the pebble. Whoever walks under the tall pine gets "
     "hit.",
     "Only a rider sitting high passes under the cone: nothing put in its way stops it falling.",
     "Turn back until the elk sleeps ahead of the pebble, wake it with the windmill's bird and "
     "ride it past the tall pine."},
    {"pit", "Down through the boardwalk",
     "One plank of the boardwalk is missing, and the pebble fell through the gap. Something could "
     "cover it.",
     "A loose plank lies in the snow before the boardwalk. Take it along for the gap.",
     "When the gap is on the page, put the plank down right over it, its lower edge on the "
     "boards."},
    {"troll", "The frost troll stands guard",
     "The troll will not let the pebble pass. Something could frighten it off, or make it leave "
     "by itself.",
     "Light and warmth drive the troll off: the lantern the mole hangs out at the bakery, or the "
     "sun that crossed the sky over the snowman.",
     "Turn back to just after the troll stops; put the lantern on the ground by the pebble, far "
     "from the troll. Its light grows for three pages, then the troll flees."},
    {"fir_snow", "Buried under snow",
     "The leaning fir shook its load of snow onto the pebble. Get the snow down before you walk "
     "under it.",
     "Something heavy dropped from high onto the fir's branches would shake the snow off. An "
     "umbrella will not do.",
     "Drop the boulder (or the acorn or the lemon) from high onto the fir's branches before the "
     "pebble gets there."},
    {"goose", "Carried off by the mother goose",
     "The pebble came too close to the gosling, and its mother swooped down. The egg should not "
     "have hatched on the lane.",
     "The egg rolls off its stump and hatches when it comes too far left. In your bag it is safe.",
     "Tear the egg out of its nest while the nest is still on the right half of the page."},
    {"sun", "Dazzled by the sun",
     "A sun put down in the pebble's way dazzled it. The sun helps elsewhere, not in the pebble's "
     "eyes.",
     "Put the sun down far from the pebble, when something ahead needs warming away.",
     "Keep the sun until the frost troll blocks the lane, then put it down well away from the "
     "pebble."},
    {"balloon", "Carried away by the balloon",
     "The balloon lifted the pebble off its feet and away. A balloon is no toy for a pebble.",
     "Do not put the balloon down where the pebble walks.",
     "Keep the balloon in the bag, or put it down far from the pebble's way."},
    {"windmill_fall", "Knocked off the sail",
     "Something hit the pebble while the windmill carried it. Let the ride finish first.",
     "Do not put heavy things down near the sails while the pebble rides them.",
     "Keep the boulder in the bag until the windmill has set the pebble down."},
    {"thrown_off", "Thrown off the elk",
     "Something hit the elk and its rider, and the pebble flew off. Let the ride be.",
     "Do not put heavy things down near the elk while the pebble rides it.",
     "Keep the boulder in the bag until the pebble has got off the elk at the stable."},
    {"tin_bird", "Knocked over by the tin bird",
     "The wind-up tin bird flew into the pebble. It is meant to catch things in the air, not to "
     "meet the pebble.",
     "Put the key down where the imp's snowball will fly, not where the pebble walks.",
     "Put the key down high up in the path of the imp's snowball, well ahead of the pebble."},
    {"falling_piece", "Hit by a falling piece",
     "A piece you put down fell, or tipped over, onto the pebble.",
     "Pieces put down in the air fall straight down, and heavy ones can tip over: put them down "
     "where the pebble is not.",
     "Put pieces down ahead of the pebble or where they belong, never right above it."},
};

// The fence met after the boulder knocked the sleeping elk out: this strip replaces the fence's
// own hints, which talk about waking the elk, from the first time on.
constexpr const char* kElkKnockedOutHint =
    "The boulder knocked the elk out, so it cannot carry you: turn back to before it hit the elk.";

// The fifteen items by the names the fox cards use (fox_took_<name>.png), in item order.
constexpr const char* kItemNames[kBagItemCount] = {"boulder",  "apple", "bird",    "pear",  "plum",
                                                   "lantern",  "acorn", "balloon", "lemon", "sun",
                                                   "umbrella", "plank", "wheel",   "egg",   "key"};

// A nearer hint: a narrow strip of paper pinned under the card.
void DrawHint(GenContext& ctx, const std::string& path, const char* text, bool nearest) {
    Rng rng(path);
    Canvas canvas(HintW, HintH);
    cairo_t* cr = canvas.cr;
    PathTornRect(cr, 14, 7, HintW - 30, HintH - 13, rng, 2.0);
    DropShadow(cr, 3, 4, 3, 0.3);
    FillPaper(cr, rng);
    Wash(cr, nearest ? palette::Ochre : palette::Sky, 0.14, rng,
         {.layers = 3, .jitter = 2, .edge = 0.6, .granulation = 0.1});
    InkOutline(cr, 1.2, rng, palette::Sepia, 0.9);
    cairo_new_path(cr);
    // A pin at the left, and the hint's mark: one star the second time, two the third.
    PathEllipse(cr, 34, 20, 4.5, 4.5);
    SetColour(cr, palette::Rust);
    cairo_fill(cr);
    for (int i = 0; i < (nearest ? 2 : 1); ++i)
        Twinkle(cr, 34 + i * 14.0, 42, 6, palette::Ochre, rng);
    const double left = 64, width = HintW - 96;
    const std::string hint = std::string("Hint: ") + text;
    double size = 17;
    while (WrapLines(cr, FontFace::Serif, size, hint, width).size() > 2 && size > 12)
        size -= 0.5;
    DrawParagraph(cr, FontFace::Serif, size, left, 12, width, hint, palette::Ink, Align::Left,
                  size + 3);
    ctx.Save(canvas, path);
}

// One board of the pause menu, 200 x 50: the same painted plank as the title's menu items.
// Lit (under the cursor), the board glows warm, its outline and word turn rust red and an ink
// stroke underlines the word, as on the title's menu.
void DrawMenuBoard(GenContext& ctx, const std::string& path, const std::string& word,
                   bool pointsRight, bool lit) {
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
    double size = 27;
    while (TextWidth(cr, FontFace::SerifBold, size, word) > 150 && size > 16)
        size -= 1;
    const Rgb ink = lit ? Darker(palette::Rust, 0.55) : palette::Ink;
    DrawText(cr, FontFace::SerifBold, size, cx + 1, 35, word, palette::Paper, Align::Centre, 0.8);
    DrawText(cr, FontFace::SerifBold, size, cx, 34, word, ink, Align::Centre);
    if (lit) {
        const double half = TextWidth(cr, FontFace::SerifBold, size, word) / 2 + 6;
        InkCurve(cr, {cx - half, 40}, {cx - half / 3, 42.5}, {cx + half / 3, 38.5},
                 {cx + half, 40.5}, 2.2, rng, palette::Rust, 0.95);
    }
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
    for (const StopCard& card : kStopCards) {
        const std::string base = std::string("image/Support/");
        const std::string file = base + "stop_" + card.name + ".png";
        DrawNotice(ctx, Notice{file.c_str(), card.heading, card.text, NoticeArt::Hero, true});
        DrawHint(ctx, base + "hint_" + card.name + "_2.png", card.nearer, false);
        DrawHint(ctx, base + "hint_" + card.name + "_3.png", card.nearest, true);
    }
    DrawHint(ctx, "image/Support/hint_fence_elk_out.png", kElkKnockedOutHint, true);
    for (int item = 0; item < kBagItemCount; ++item)
        DrawFoxNote(ctx, std::string("image/Support/fox_took_") + kItemNames[item] + ".png",
                    kItemNames[item], item);
}

void GeneratePauseMenu(GenContext& ctx) {
    DrawPauseSheet(ctx);
    for (bool lit : {false, true}) {
        const std::string end = lit ? "_lit.png" : ".png";
        DrawMenuBoard(ctx, "image/One/esc_resume" + end, "Resume", true, lit);
        DrawMenuBoard(ctx, "image/One/esc_main" + end, "Main menu", false, lit);
        DrawMenuBoard(ctx, "image/One/esc_quit" + end, "Quit", true, lit);
    }
}
