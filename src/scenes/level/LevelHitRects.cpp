// The rectangles the playing frame's rules test: the character's three, the collision objects' and
// the eight zones. A rectangle is only written when its rule applies; otherwise it keeps what an
// earlier frame left in it.
#include "scenes/level/CStage_One.h"
#include "scenes/level/LevelCommon.h"
#include <cstddef>

namespace {

// A rectangle as offsets from a record's top-left corner. All zero is the empty rectangle at the
// corner, which overlaps nothing.
struct Offsets {
    int32_t left, top, right, bottom;
};

RECT At(int32_t x, int32_t y, Offsets o) {
    return RECT{x + o.left, y + o.top, x + o.right, y + o.bottom};
}
RECT Whole(const CollObj& c) {
    return RECT{c.x, c.y, c.x + c.dw, c.y + c.dh};
}

constexpr Offsets kEmpty{0, 0, 0, 0};

// The jump (state 9) by its frame; the hands' rectangle is empty at take-off and at the top.
struct JumpRects {
    Offsets a, b, c;
};
constexpr JumpRects kJumpRects[] = {
    {{106, 74, 132, 186}, {66, 180, 308, 300}, kEmpty},
    {{112, 24, 142, 130}, {64, 114, 262, 256}, {252, 76, 296, 182}},
    {{56, 30, 80, 134}, {40, 102, 262, 228}, {206, 42, 252, 108}},
    {{150, 22, 176, 98}, {64, 102, 310, 244}, kEmpty},
    {{121, 38, 147, 126}, {86, 132, 302, 224}, {66, 206, 220, 362}},
};

// The dismount (state 10) by its frame; once off the mount the head rectangle is empty.
struct DismountRects {
    Offsets a, b;
};
constexpr DismountRects kDismountRects[] = {
    {{64, 64, 324, 334}, {110, 0, 166, 70}}, {{162, 56, 218, 148}, {54, 158, 316, 318}},
    {{168, 100, 238, 220}, kEmpty},          {{258, 138, 316, 232}, kEmpty},
    {{308, 160, 344, 316}, kEmpty},
};

// The rider's legs and the mount's back.
constexpr Offsets kRideLegs{58, 120, 304, 336};

// C11 opens from the right: the left edge of its hit area by frame (frame 4 covers it whole).
struct C11Span {
    int32_t left, right;
};
constexpr C11Span kC11Spans[] = {{250, 346}, {204, 346}, {108, 346}, {38, 348}};
constexpr int32_t kC11WholeFrame = 4;

// Objects whose hit area is their whole picture while they are in play, in placing order.
constexpr int kWholeHitObjects[] = {14, 15, 18, 17, 16, 19, 20, 21, 22, 23};

template <typename T, std::size_t N> const T* Entry(const T (&table)[N], int32_t index) {
    return index >= 0 && static_cast<std::size_t>(index) < N ? &table[index] : nullptr;
}

void PlaceCharacterRects(LevelState& L) {
    switch (L.charState) {
    case CharWalk: {
        const CharObj& c = L.chars[CharWalk];
        const HeadObj& h = L.head;
        L.hitA = RECT{c.x + 10, c.y, c.x + c.dw - 10, c.y + c.dh};
        L.hitB = RECT{h.x + 10, h.y + 10, h.x + 50, h.y + 10 + h.dh};
        L.hitC = RECT{c.x + 110, c.y, c.x + 120, c.y + c.dh};
        break;
    }
    case CharCarried: {
        const CharObj& c = L.chars[CharCarried];
        L.hitA = RECT{c.x, c.y, c.x + c.dw, c.y + c.dh};
        break;
    }
    case CharRide: {
        const CharObj& c = L.chars[CharRide];
        L.hitA = At(c.x, c.y, {104, 30, 140, 124});
        // The feet only reach down to the dismount point while C3 offers it.
        if (L.colls[3].frame == 2) L.hitB = At(c.x, c.y, {201, 283, 260, 346});
        L.hitC = At(c.x, c.y, kRideLegs);
        break;
    }
    case CharJump: {
        const CharObj& c = L.chars[CharJump];
        if (const JumpRects* r = Entry(kJumpRects, c.frame)) {
            L.hitA = At(c.x, c.y, r->a);
            L.hitB = At(c.x, c.y, r->b);
            L.hitC = At(c.x, c.y, r->c);
        }
        break;
    }
    case CharDismount: {
        const CharObj& c = L.chars[CharDismount];
        if (const DismountRects* r = Entry(kDismountRects, c.frame)) {
            L.hitA = At(c.x, c.y, r->a);
            L.hitB = At(c.x, c.y, r->b);
        }
        // The legs' rectangle stays where the ride left it: the ride's record keeps its place
        // through the dismount, so it is placed from there. Left alone, a page turned back into
        // the dismount from the walk after it would keep the walker's.
        const CharObj& ride = L.chars[CharRide];
        L.hitC = At(ride.x, ride.y, kRideLegs);
        break;
    }
    case CharFly: {
        const CharObj& c = L.chars[CharFly];
        L.hitA = At(c.x, c.y, {110, 0, 142, 88});
        L.hitB = At(c.x, c.y, {14, 82, 214, 130});
        break;
    }
    default: // the other states leave the rectangles where the last placing state put them
        break;
    }
}

void PlaceCollisionRects(LevelState& L, const InventoryBag& bag) {
    CollObj* C = L.colls;
    RECT* zones = L.zones;

    if (C[0].state == 1 && C[0].frame == 0)
        C[0].hit = RECT{C[0].x, C[0].y + 250, C[0].x + C[0].dw, C[0].y + 350};
    if (C[1].state == 1 && bag.items[2].state == ItemPlaced)
        zones[0] = At(C[1].x, C[1].y, {251, 205, 327, 265});
    if (C[1].state == 1 || C[1].state == 3) C[1].hit = At(C[1].x, C[1].y, {0, 50, 323, 195});
    if (C[2].state == 1 && C[2].frame == 0)
        C[2].hit = RECT{C[2].x, C[2].y + 30, C[2].x + C[2].dw, C[2].y + 30 + C[2].dh};
    if (C[3].state == 1 || C[3].state == 3) C[3].hit = Whole(C[3]);
    if (C[4].state == 3 || C[4].frame == 0) C[4].hit = Whole(C[4]);
    if (C[5].state >= 1 && C[5].state <= 3) C[5].hit = At(C[5].x, C[5].y, {42, 48, 98, 144});
    if (C[6].state == 1) {
        CollObj& c = C[6];
        c.hit = At(c.x, c.y, {170, 36, 190, 56});
        zones[1] = At(c.x, c.y, {121, 155, 141, 175});
        zones[2] = At(c.x, c.y, {214, 137, 234, 157});
        zones[3] = At(c.x, c.y, {101, 274, 121, 294});
        zones[4] = At(c.x, c.y, {268, 254, 288, 274});
    }
    if (C[7].state == 1) C[7].hit = At(C[7].x, C[7].y, {67, 64, 157, 244});
    if (C[8].state == 1) C[8].hit = At(C[8].x, C[8].y, {64, 64, 154, 244});
    if (C[9].state == 1) C[9].hit = At(C[9].x, C[9].y, {71, 50, 371, 200});
    const BackObj& b20 = L.backs[20];
    if (b20.state == 1) zones[5] = At(b20.x, b20.y, {920, 27, 928, 35});
    // C10 is tested by one frame's width of its strip, not by its drawn width.
    if (C[10].state == 1) C[10].hit = RECT{C[10].x, C[10].y, C[10].x + C[10].w, C[10].y + C[10].dh};
    if (C[11].state == 1) {
        CollObj& c = C[11];
        if (const C11Span* s = Entry(kC11Spans, c.frame))
            c.hit = RECT{c.x + s->left, c.y, c.x + s->right, c.y + c.dh};
        else if (c.frame == kC11WholeFrame)
            c.hit = Whole(c);
    }
    if (C[12].state == 1) {
        C[12].hit = Whole(C[12]);
        zones[6] = RECT{C[12].x, C[12].y, C[12].x + 20, C[12].y + C[12].dh};
    }
    if (C[13].state == 1) C[13].hit = At(C[13].x, C[13].y, {8, 14, 68, 74});
    for (int k : kWholeHitObjects)
        if (C[k].state == 1) C[k].hit = Whole(C[k]);
    if (C[24].state == 1 && C[24].frame == 0) {
        C[24].hit = At(C[24].x, C[24].y, {56, 116, 446, 334});
        zones[7] = At(C[24].x, C[24].y, {280, 100, 290, 400});
    }
}

} // namespace

void CStage_One::PlaceHitRects() {
    PlaceCharacterRects(level);
    PlaceCollisionRects(level, InventoryBag::Instance());
}
