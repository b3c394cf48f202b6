// Render: the book's back sheet, the level's layers, the bag, the book's front layers, the pause
// menu, the cursor. It only reads; later draws cover earlier ones, so the order is the layering.
// The numbers in Render mark the 36 layers, bottom (1) to top (36).
#include "platform/Sound.h"
#include "platform/Window.h"
#include "scenes/level/CStage_One.h"
#include "scenes/level/LevelCommon.h"
#include <algorithm>
#include <array>
#include <cstddef>
#include <initializer_list>

namespace {

constexpr float kLevelScale = 2.0f; // the level's pictures are half size
constexpr float kBookScale = 1.0f;  // book, notices, menus and cursor

// A bit set of object states.
constexpr uint32_t States(std::initializer_list<int> states) {
    uint32_t bits = 0;
    for (int s : states)
        bits |= 1u << s;
    return bits;
}
bool InStates(uint32_t bits, int32_t state) {
    return state >= 0 && state < 32 && (bits >> state & 1u);
}

// ---- Background objects ----

// How a background slot is drawn: in which states, and either whole or with frame `counter` of
// its run in the FrameTable (entries base .. base + frames - 1).
struct BackDraw {
    uint32_t states = States({1});
    int8_t base = -1; // -1: the whole texture
    int8_t frames = 0;
    int32_t LevelCounters::*counter = nullptr;
};

struct BackDrawRow {
    int slot;
    BackDraw draw;
};

using LC = LevelCounters;
constexpr BackDrawRow kAnimatedBacks[] = {
    {1, {States({1}), 0, 3, &LC::b1Image}},
    {12, {States({1, 3, 4}), 3, 5, &LC::b12Count}},
    {13, {States({1}), 8, 3, &LC::b13Frame}},
    {6, {States({1}), 11, 4, &LC::b6Count}},
    {14, {States({1}), 15, 3, &LC::b14Count}},
    {16, {States({1}), 18, 3, &LC::b16Count}},
    {17, {States({1, 3, 4}), 21, 5, &LC::b17Count}},
    {18, {States({1}), 26, 3, &LC::b18Frame}},
    {19, {States({1}), 29, 2, &LC::b19Picture}},
    {21, {States({1}), 31, 4, &LC::b21Count}},
    {22, {States({1, 5}), 35, 3, &LC::b22Count}},
    {23, {States({1}), 38, 8, &LC::b23Count}},
    {24, {States({1}), 46, 4, &LC::b24Count}},
    {25, {States({1}), 50, 5, &LC::b25Count}},
    {27, {States({1, 4}), 55, 5, &LC::b27Count}},
    {29, {States({1}), 60, 4, &LC::b29Count}},
    {30, {States({1}), 64, 8, &LC::b30Count}},
    {31, {States({1}), 72, 5, &LC::b31Count}},
    {56, {States({1, 4}), 77, 3, &LC::b56Count}},
    {59, {States({1, 4}), 80, 3, &LC::b59Count}}, // cut with B56's frame size
    {57, {States({1, 3, 4}), 83, 5, &LC::b57Count}},
    {58, {States({1}), 88, 4, &LC::b58Frame}},
    {73, {States({1}), 92, 2, &LC::b73Toggle}},
    {74, {States({1}), 94, 3, &LC::b74Count}},
    {75, {States({1}), 97, 2, &LC::b75Toggle}},
    {90, {States({1}), 99, 3, &LC::b90Count}},
    {91, {States({1, 3}), 102, 3, &LC::b91SubStep}},
    {92, {States({3, 5}), -1, 0, nullptr}}, // whole, but never while plainly shown
    {93, {States({3}), 105, 5, &LC::b93Count}},
    {94, {States({3}), 110, 5, &LC::b94Count}},
};

// Every slot: whole in state 1 unless it has a row above.
constexpr std::array<BackDraw, CStage_One::kBacks> MakeBackDraws() {
    std::array<BackDraw, CStage_One::kBacks> draws{};
    for (const BackDrawRow& row : kAnimatedBacks)
        draws[row.slot] = row.draw;
    return draws;
}
constexpr std::array<BackDraw, CStage_One::kBacks> kBackDraws = MakeBackDraws();

constexpr bool RunsFit() {
    for (const BackDrawRow& row : kAnimatedBacks)
        if (row.draw.base + row.draw.frames > CStage_One::kFrameTableSize) return false;
    return true;
}
static_assert(RunsFit(), "a background strip runs past the end of the FrameTable");

// Slots the ascending pass leaves out: they are drawn at fixed places in the layering.
constexpr int kDrawnElsewhere[] = {1,  4,  5,  6,  7,  8,  9,  11, 14, 16, 20, 25, 27,
                                   29, 50, 51, 52, 53, 54, 55, 56, 57, 58, 59, 60, 72};
constexpr std::array<bool, CStage_One::kBacks> MakeSkips() {
    std::array<bool, CStage_One::kBacks> skips{};
    for (int slot : kDrawnElsewhere)
        skips[slot] = true;
    return skips;
}
constexpr std::array<bool, CStage_One::kBacks> kSkippedInPass = MakeSkips();

constexpr int kStripSlots[] = {50, 51, 52, 53, 54, 55}; // the slightly see-through ground strip
constexpr uint8_t kStripAlpha = 248;

// Object 20: a row of twelve tiles, 89 px apart, with no tile at +890.
constexpr int32_t kB20TileOffsets[] = {0, 89, 178, 267, 356, 445, 534, 623, 712, 801, 979, 1068};
// Object 72 and its mirror image (a negative scale mirrors to the left of x).
constexpr int32_t kB72MirrorOffset = 805;
// Drawn over the loose items.
constexpr int kAboveItemsSlots[] = {5, 6, 7, 8, 9, 11};

// ---- Collision objects and the character ----

constexpr uint32_t kCollDrawnStates = States({1, 2, 3});
constexpr int kCollDrawnElsewhere[] = {3, 7, 8, 10, 14, 15, 21, 22};
constexpr std::array<bool, CStage_One::kColls> MakeCollSkips() {
    std::array<bool, CStage_One::kColls> skips{};
    for (int slot : kCollDrawnElsewhere)
        skips[slot] = true;
    return skips;
}
constexpr std::array<bool, CStage_One::kColls> kCollSkippedInPass = MakeCollSkips();
constexpr int kTurningColls[] = {21, 22, 14, 15}; // share the level's collision rotation

constexpr int32_t kFallFrame = 2; // the falling character always shows this frame

// ---- Notices, smoke, pause menu ----

constexpr POINT kNoticePos{100, 185};
constexpr POINT kHintPos{100, 365}; // the nearer hint, just under a notice (176 px high)
constexpr POINT kPageNoticePos{230, 115};

// The page number at the foot of the book, centred, in the book's digits (a strip of 0..9), on a
// slip of paper over the page edges below the lane: drawn over the book's front layers, nothing
// of the level ever hides it, and it never hides a piece on the lane.
constexpr int32_t kPageNumberCentreX = 400;
constexpr int32_t kPageNumberY = 578;
constexpr POINT kPageSlipPos{368, 574}; // 64 x 26
constexpr int32_t kDigitWidth = 12;
constexpr int32_t kDigitHeight = 18;
constexpr POINT kSmokePos[CStage_One::kSmokePictures] = {
    {420, 326}, {400, 278}, {348, 266}, {20, 0}, {20, 0}, {20, 0}, {20, 0}, {20, 0}};
constexpr POINT kPauseMenuPos{106, 85};

void Draw(Texture* texture, int32_t x, int32_t y, const RECT* source = nullptr,
          float sx = kLevelScale, float sy = kLevelScale, float rotation = 0.0f,
          uint8_t alpha = 255) {
    if (texture) DrawSprite(alpha, source, Graphics::Instance(), texture, x, y, sx, sy, rotation);
}

void DrawBook(Texture* texture, POINT at) {
    Draw(texture, at.x, at.y, nullptr, kBookScale, kBookScale);
}

void DrawPageNumber(Texture* slip, Texture* digits, int32_t page) {
    if (!digits || page < 0) return;
    DrawBook(slip, kPageSlipPos);
    char text[12];
    int n = 0;
    do {
        text[n++] = static_cast<char>('0' + page % 10);
        page /= 10;
    } while (page > 0 && n < 11);
    int32_t x = kPageNumberCentreX - n * kDigitWidth / 2;
    for (int i = n - 1; i >= 0; --i, x += kDigitWidth) {
        const int32_t d = text[i] - '0';
        const RECT source{d * kDigitWidth, 0, d * kDigitWidth + kDigitWidth, kDigitHeight};
        Draw(digits, x, kPageNumberY, &source, kBookScale, kBookScale);
    }
}

// A record's own frame rectangle, or nullptr when the frame lies outside its array (drawn not
// at all rather than from memory past the array).
const RECT* FrameOf(const std::vector<RECT>& frames, int32_t frame) {
    return frame >= 0 && static_cast<std::size_t>(frame) < frames.size() ? &frames[frame] : nullptr;
}

// Draws background slot `slot` by its row of kBackDraws, or nothing when its state is not drawn
// or its frame counter has left its strip.
void DrawBack(const CStage_One& stage, int slot, float sx = kLevelScale, uint8_t alpha = 255) {
    const BackDraw& d = kBackDraws[slot];
    const BackObj& b = stage.level.backs[slot];
    if (!InStates(d.states, b.state)) return;
    const RECT* source = nullptr;
    if (d.base >= 0) {
        const int32_t f = stage.level.counters.*d.counter;
        if (f < 0 || f >= d.frames) return;
        source = &stage.frameTable[d.base + f];
    }
    Draw(stage.backImages[slot], b.x, b.y, source, sx, kLevelScale, 0.0f, alpha);
}

// The frame collision object `slot` shows: its own, but the windmill turning while it carries
// the hero shows the frame of the carry step, its sail in his hands.
int32_t ShownFrame(const CStage_One& stage, int slot) {
    const LevelState& lv = stage.level;
    const CollObj& c = lv.colls[slot];
    const int32_t step = lv.counters.carryStep;
    const bool carried = slot == 0 && c.frame == 0 && lv.charState == CharCarried && step >= 0 &&
                         step < CStage_One::kWindmillRideFrames;
    return carried ? c.frames + step : c.frame;
}

// Draws collision object `slot` with its frame when its state is drawn.
void DrawColl(const CStage_One& stage, int slot, float scale = kLevelScale, float rotation = 0.0f) {
    const CollObj& c = stage.level.colls[slot];
    if (!InStates(kCollDrawnStates, c.state)) return;
    if (const RECT* source = FrameOf(stage.collFrames[slot], ShownFrame(stage, slot)))
        Draw(stage.collImages[slot], c.x, c.y, source, scale, scale, rotation);
}

// The character's animation charState with its own frame (the fall always with frame 2); the
// head over the walk. States above 16 (20: hidden) draw nothing.
void DrawCharacter(const CStage_One& stage) {
    const LevelState& lv = stage.level;
    const int32_t s = lv.charState;
    if (s < 0 || s >= CStage_One::kChars) return;
    const int32_t frame = s == CharFall ? kFallFrame : lv.chars[s].frame;
    if (const RECT* source = FrameOf(stage.charFrames[s], frame))
        Draw(stage.charImages[s], lv.chars[s].x, lv.chars[s].y, source);
    if (s != CharWalk) return;
    const int32_t headFrame = lv.chars[CharWalk].frame; // the head nods with the walk
    if (lv.headIndex < 0 || lv.headIndex >= CStage_One::kHeads) return;
    if (headFrame < 0 || headFrame >= CStage_One::kHeadFrames) return;
    Draw(stage.headImages[lv.headIndex], lv.head.x, lv.head.y, &stage.headFrames[headFrame]);
}

} // namespace

void CStage_One::Render() {
    CCommon& common = CCommon::Instance();
    InventoryBag& bag = InventoryBag::Instance();
    const LevelState& lv = level;

    common.DrawBookBack(); // 1

    for (int slot : kStripSlots)
        DrawBack(*this, slot, kLevelScale, kStripAlpha); // 2

    for (int slot = 0; slot < kBacks; ++slot) // 3: the ascending pass
        if (!kSkippedInPass[slot]) DrawBack(*this, slot);

    DrawBack(*this, 29); // 4

    const BackObj& b20 = lv.backs[20]; // 5
    if (b20.state == 1)
        for (int32_t d : kB20TileOffsets)
            Draw(backImages[20], b20.x + d, b20.y);

    const BackObj& b72 = lv.backs[72]; // 6
    if (b72.state == 1) {
        Draw(backImages[72], b72.x, b72.y);
        Draw(backImages[72], b72.x + kB72MirrorOffset, b72.y, nullptr, -kLevelScale, kLevelScale);
    }

    DrawBack(*this, 27); // 7

    for (int slot = 0; slot < kColls; ++slot) // 8: the collision pass
        if (!kCollSkippedInPass[slot]) DrawColl(*this, slot);

    for (int slot : {56, 59, 57, 58})
        DrawBack(*this, slot); // 9 to 12

    const CollObj& c10 = lv.colls[10]; // 13: whole, turning
    if (InStates(kCollDrawnStates, c10.state))
        Draw(collImages[10], c10.x, c10.y, nullptr, kLevelScale, kLevelScale, lv.draw.collRotation);

    DrawBack(*this, 14);                    // 14
    DrawBack(*this, 16, lv.draw.b16ScaleX); // 15: mirrored when it came from C8
    DrawBack(*this, 1);                     // 16

    bag.DrawLevelItems(); // 17

    for (int slot : kAboveItemsSlots)
        DrawBack(*this, slot); // 18

    for (const Back11Copy& copy : lv.back11Copies) // 19: whatever slot 11 itself shows
        if (copy.shown == 1) Draw(backImages[11], copy.x, copy.y);

    for (int slot : kTurningColls)
        DrawColl(*this, slot, kLevelScale, lv.draw.collRotation); // 20

    if (lv.backs[4].state == 1) // 21
        Draw(backImages[4], lv.backs[4].x, lv.backs[4].y, &back4Rect, kLevelScale, kLevelScale,
             lv.draw.b4Rotation);

    DrawCharacter(*this); // 22

    DrawBack(*this, 25); // 23
    DrawColl(*this, 3);  // 24

    bag.DrawHoles(); // 25
    bag.DrawPlacedItemsLow();

    DrawColl(*this, 7, lv.draw.c7Scale, lv.draw.c7Rotation); // 26
    DrawColl(*this, 8);                                      // 27

    bag.DrawPlacedItemsHigh(); // 28

    DrawBack(*this, 60); // 29

    // 30: the notices, all at one place (a later one covers an earlier one).
    const uint8_t noticeShown[] = {lv.notices.showGameover1, lv.notices.showGameover2,
                                   lv.notices.showGameover3, lv.notices.showWarning};
    Texture* const noticeImages[] = {gameover[0], gameover[1], gameover[2], warning};
    for (int i = 0; i < 4; ++i)
        if (noticeShown[i] == 1) DrawBook(noticeImages[i], kNoticePos);
    // Our own cards at the same place: the stop met (or what the fox took), a nearer hint below.
    const Notices& n = lv.notices;
    if (n.stopCard > StopNone && n.stopCard < kStopKinds)
        DrawBook(stopCards[n.stopCard], kNoticePos);
    if (n.foxTook >= 0 && n.foxTook < InventoryBag::kItems)
        DrawBook(foxCards[n.foxTook], kNoticePos);
    const int32_t stop = lv.stops.last;
    if (n.hintLevel >= 2 && n.hintLevel <= 3 && stop > StopNone && stop < kStopKinds)
        DrawBook(stopHints[stop][n.hintLevel - 2], kHintPos);
    if (n.hintLevel == kHintElkKnockedOut) DrawBook(elkKnockedOutHint, kHintPos);

    if (common.pageTurned == 1 && (common.page == 0 || common.forwardLock)) // 31
        DrawBook(common.notPage, kPageNoticePos);

    bag.DrawBagWindow(); // 32
    bag.DrawCarriedItem();

    if (lv.smokeStep >= 1 && lv.smokeStep <= kSmokePictures) { // 33
        const POINT& at = kSmokePos[lv.smokeStep - 1];
        Draw(smoke[lv.smokeStep - 1], at.x, at.y);
    }

    common.DrawTurnFrame(); // 34
    common.DrawBookFrame();
    common.DrawPageFront();
    common.DrawPageFrontOver();
    // Our own: the page number at the book's foot, until the closing smoke fills the page.
    if (lv.smokeStep == 0) DrawPageNumber(pageSlip, pageDigits, common.page);
    common.DrawHelpPanel();

    if (common.paused == 1) { // 35
        DrawBook(escMenu, kPauseMenuPos);
        // A button moved off its rest place is under the cursor (or lit by the keys): its lit
        // picture shows, so the highlight is seen at once and not only as a 2 px nudge.
        const PauseButtons rest;
        auto button = [&](Texture* plain, Texture* lit, POINT at, POINT restAt) {
            DrawBook((at.x != restAt.x || at.y != restAt.y) && lit ? lit : plain, at);
        };
        button(escResume, escResumeLit, lv.pause.resumePos, rest.resumePos);
        button(escMain, escMainLit, lv.pause.mainPos, rest.mainPos);
        button(escQuit, escQuitLit, lv.pause.quitPos, rest.quitPos);
    }

    common.DrawVolumeCard();
    common.DrawCursor(); // 36: none while pages turn by themselves
}
