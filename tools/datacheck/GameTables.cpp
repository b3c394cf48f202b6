// What the game reads, by file: the lists with their counts, the pictures named in code with the
// sizes the code relies on, and the clips.
#include "DataCheck.h"
#include "services/DataLimits.h"
#include <string>

namespace {

// Frames in the Tear strip of each bag item (the animated items are drawn one frame at a time).
constexpr int kTearStripFrames[15] = {1, 1, 4, 1, 1, 3, 1, 2, 1, 2, 1, 1, 3, 2, 1};
constexpr int kBagSlotSize = 85;

struct Picture {
    const char* path;
    int width;  // 0 = any
    int height; // 0 = any
};

// Pictures named in code. Sizes are given where source rectangles, hit areas or the layout
// depend on them.
constexpr Picture kPictures[] = {
    {"Data/image/Common/back.png", 0, 0},
    {"Data/image/Common/front02.png", 800, 600},
    {"Data/image/Common/front1_1.png", 0, 0},
    {"Data/image/Common/front2_1.png", 0, 0},
    {"Data/image/Common/front3_1.png", 0, 0},
    {"Data/image/Common/front1_2.png", 0, 0},
    {"Data/image/Common/front2_2.png", 0, 0},
    {"Data/image/Common/front3_2.png", 0, 0},
    {"Data/image/Common/next01.png", 0, 0},
    {"Data/image/Common/next02.png", 0, 0},
    {"Data/image/Common/next03.png", 0, 0},
    {"Data/image/Support/Not_page.png", 0, 0},
    {"Data/image/Support/Cursor_Rock.png", 0, 0},
    {"Data/image/Support/Cursor_Fist.png", 0, 0},
    {"Data/image/Support/inven_full.png", 0, 0},
    {"Data/image/Support/Inventory.png", 0, 0},
    {"Data/image/Support/Stone_effect.png", 0, 0},
    {"Data/image/Support/inventoryNum.png", 150, 25},
    {"Data/image/Support/sun_effect.png", 414, 124},
    {"Data/image/Title/School.png", 0, 0},
    {"Data/image/Title/Quillfen.png", 0, 0},
    {"Data/image/Title/TeamName.png", 0, 0},
    {"Data/image/Title/MenuBar.png", 800, 0},
    {"Data/image/Title/main_start.png", 200, 50},
    {"Data/image/Title/main_help.png", 200, 50},
    {"Data/image/Title/main_credits.png", 200, 50},
    {"Data/image/Title/main_quit.png", 200, 50},
    {"Data/image/Title/main_start_lit.png", 200, 50},
    {"Data/image/Title/main_help_lit.png", 200, 50},
    {"Data/image/Title/main_credits_lit.png", 200, 50},
    {"Data/image/Title/main_quit_lit.png", 200, 50},
    {"Data/image/Title/credits.png", 800, 600},
    {"Data/image/Title/help1.png", 800, 600},
    {"Data/image/Title/help2.png", 800, 600},
    {"Data/image/Title/help3.png", 800, 600},
    {"Data/image/Title/Opening/Opening_skip.png", 0, 0},
    {"Data/image/Title/Opening/Opening_1.png", 0, 0},
    {"Data/image/Title/Opening/Opening_2.png", 0, 0},
    {"Data/image/Title/Opening/Opening_3.png", 0, 0},
    {"Data/image/Title/Opening/OpeningEnd_1.png", 0, 0},
    {"Data/image/Title/Opening/OpeningEnd_2.png", 0, 0},
    {"Data/image/Title/Opening/OpeningChar.png", 0, 0},
    {"Data/image/Title/Opening/OpeningHill.png", 0, 0},
    // The ending's pictures are shown at scale 2: the room covers the page from x 20 like the
    // level's smoke, the last pages reach the right edge, end5 fills the screen.
    {"Data/image/Ending/room.png", 390, 300},
    {"Data/image/Ending/end1.png", 150, 300},
    {"Data/image/Ending/end2.png", 250, 300},
    {"Data/image/Ending/end3.png", 350, 300},
    {"Data/image/Ending/end4.png", 350, 300},
    {"Data/image/Ending/end5.png", 400, 300},
    {"Data/image/Bag/Tear/stone.png", 0, 0},
};

// Numbered picture series: prefix + n + ".png" for n = first..first + count - 1, each of the
// given size (0 = any).
struct Series {
    const char* prefix;
    int count;
    int first = 1;
    int width = 0;
    int height = 0;
};
constexpr Series kSeries[] = {
    {"Data/image/Title/Dovrik_", 7},
    {"Data/image/Title/PebbleFrost_", 7},
    {"Data/image/Title/Opening/Openinghand_", 42},
    {"Data/image/Ending/smoke", 7, 9, 390, 300}, // carries on from the level's smoke1..8
    {"Data/image/Ending/char", 16, 1, 170, 122}, // from (64, 356) to the page's bottom
    {"Data/image/Ending/hand", 6, 1, 400, 300},  // the whole screen
};

constexpr const char* kClips[] = {
    "Data/Sound/tear.ogg", "Data/Sound/page.ogg",    "Data/Sound/help.ogg",  "Data/Sound/click.ogg",
    "Data/Sound/menu.ogg", "Data/Sound/Opening.ogg", "Data/Sound/close.ogg",
};

} // namespace

void DataCheck::CheckBag() {
    const size_t n = 15;
    std::vector<std::string> tear = PathList("Data/Address/Bag/Tear.txt", n);
    std::vector<std::string> hole = PathList("Data/Address/Bag/Hole.txt", n);
    std::vector<std::string> small = PathList("Data/Address/Bag/Small.txt", n);
    std::vector<std::string> tearing = PathList("Data/Address/Bag/Tearing.txt", n);
    std::vector<std::string> tearObj = PathList("Data/Text/Bag/Tear_OBJ.txt", n);
    std::vector<std::string> tearingObj = PathList("Data/Text/Bag/Tearing_OBJ.txt", n);
    holes.assign(n, {});
    for (size_t i = 0; i < n; ++i) {
        const std::string item = " (item " + std::to_string(i) + ")";
        // Values outside the game's ranges are reported and leave the record unread.
        std::vector<int> piece = tearObj[i].empty()
                                     ? std::vector<int>{}
                                     : Properties(tearObj[i], property_fields::kTear);
        std::vector<int> anim = tearingObj[i].empty()
                                    ? std::vector<int>{}
                                    : Properties(tearingObj[i], property_fields::kTearing);

        if (!tear[i].empty()) {
            if (piece.empty())
                Png(tear[i]);
            else {
                const int frames = kTearStripFrames[i];
                Png(tear[i], piece[2] * frames, piece[3]);
                Frames(tear[i], {piece[2], piece[3], frames, 1, frames, 0});
            }
            pieceOnPage.push_back(tear[i]);
        }
        if (!tearing[i].empty()) {
            if (anim.empty())
                Png(tearing[i]);
            else {
                Png(tearing[i], anim[2] * anim[4], anim[3]);
                Frames(tearing[i], {anim[2], anim[3], anim[4], 1, anim[4], 0});
            }
        }
        // The hole is drawn where the tearing picture was: one tearing frame in size.
        if (!hole[i].empty()) {
            if (anim.empty())
                Png(hole[i]);
            else
                Png(hole[i], anim[2], anim[3]);
        }
        if (!hole[i].empty() && !anim.empty())
            holes[i] = {hole[i], anim[0], anim[1], anim[2], anim[3]};
        if (!small[i].empty()) {
            int w, h;
            if (PngSize(small[i], w, h) && (w > kBagSlotSize || h > kBagSlotSize))
                Problem(small[i] + ": " + std::to_string(w) + " x " + std::to_string(h) +
                        " does not fit a bag slot of 85 x 85" + item);
        }
    }
}

void DataCheck::CheckFixedPictures() {
    for (const Picture& picture : kPictures)
        Png(picture.path, picture.width, picture.height);
    // The help tab shows 13 slices of 29 x 235 of the panel picture.
    PngAtLeast("Data/image/Common/help_p.png", 13 * 29, 235);
    for (const Series& series : kSeries)
        for (int k = series.first; k < series.first + series.count; ++k)
            Png(series.prefix + std::to_string(k) + ".png", series.width, series.height);
    // The ending's stone falls past the room's wall onto its shelf: cut out close round the
    // boulder like a piece on the page, not a pale card of paper.
    pieceOnPage.push_back("Data/image/Bag/Tear/stone.png");
}

void DataCheck::CheckClips() {
    for (const char* clip : kClips)
        Ogg(clip);
}
