// Every entry of the hit-rectangle tables, copied here from the level's design: the jump's and
// the dismount's rectangles frame by frame, and the collision objects' rectangles and zones.
#include "level_support.h"
#include <string>

namespace {

struct Box {
    int l, t, r, b;
};
constexpr Box kEmpty{0, 0, 0, 0}; // written as (x, y, x, y)
constexpr Box kKeep{-1, -1, -1, -1};

RECT Offset(int x, int y, Box o) {
    return RECT{x + o.l, y + o.t, x + o.r, y + o.b};
}

// Jump (state 9): hitA, hitB, hitC by frame; hitC empty at frames 0 and 3.
const Box kJump[5][3] = {
    {{106, 74, 132, 186}, {66, 180, 308, 300}, kEmpty},
    {{112, 24, 142, 130}, {64, 114, 262, 256}, {252, 76, 296, 182}},
    {{56, 30, 80, 134}, {40, 102, 262, 228}, {206, 42, 252, 108}},
    {{150, 22, 176, 98}, {64, 102, 310, 244}, kEmpty},
    {{121, 38, 147, 126}, {86, 132, 302, 224}, {66, 206, 220, 362}},
};
// Dismount (state 10): hitA, hitB by frame; hitB empty at frames 2 to 4; hitC where the ride
// (state 5) left it, placed from the ride's record, which keeps its place through the dismount.
const Box kDismount[5][2] = {
    {{64, 64, 324, 334}, {110, 0, 166, 70}}, {{162, 56, 218, 148}, {54, 158, 316, 318}},
    {{168, 100, 238, 220}, kEmpty},          {{258, 138, 316, 232}, kEmpty},
    {{308, 160, 344, 316}, kEmpty},
};

class LevelHitRectTablesTest : public ShippedLevelTest {};

TEST_F(LevelHitRectTablesTest, JumpAndDismountRectanglesFrameByFrame) {
    LevelState& l = Level();
    const RECT old{1, 2, 3, 4};
    for (int state : {int(CharJump), int(CharDismount)}) {
        for (int frame = 0; frame < 5; ++frame) {
            l.charState = state;
            l.chars[state].x = 100;
            l.chars[state].y = 200;
            l.chars[state].frame = frame;
            l.chars[CharRide].x = 70;
            l.chars[CharRide].y = 230;
            l.hitA = l.hitB = l.hitC = old;
            stage->PlaceHitRects();
            const std::string what =
                "state " + std::to_string(state) + " frame " + std::to_string(frame);
            const Box* row = state == CharJump ? kJump[frame] : kDismount[frame];
            const RECT* got[3] = {&l.hitA, &l.hitB, &l.hitC};
            for (int k = 0; k < 3; ++k) {
                if (state == CharDismount && k == 2) {
                    EXPECT_EQ(*got[k], Offset(70, 230, {58, 120, 304, 336}))
                        << what << ": the ride's legs";
                    continue;
                }
                const Box& b = row[k];
                const RECT want = (b.l == 0 && b.t == 0 && b.r == 0 && b.b == 0)
                                      ? RECT{100, 200, 100, 200}
                                      : Offset(100, 200, b);
                EXPECT_EQ(*got[k], want) << what << " rectangle " << k;
            }
        }
    }
}

// The collision objects' rectangles, each object alone in state 1 at frame 0 at (300, 100).
TEST_F(LevelHitRectTablesTest, CollisionRectanglesAndZones) {
    LevelState& l = Level();
    auto reset = [&l] {
        for (CollObj& c : l.colls) {
            c.state = 0;
            c.frame = 0;
            c.x = 300;
            c.y = 100;
            c.hit = RECT{1, 2, 3, 4};
        }
        for (RECT& z : l.zones)
            z = RECT{1, 2, 3, 4};
        l.backs[20].state = 0;
        l.charState = CharHidden;
    };
    auto check = [&](int k, const RECT& want, const char* what) {
        reset();
        l.colls[k].state = 1;
        stage->PlaceHitRects();
        EXPECT_EQ(l.colls[k].hit, want) << "C" << k << " " << what;
    };
    const CollObj* c = l.colls;
    auto dw = [c](int k) { return c[k].dw; };
    auto dh = [c](int k) { return c[k].dh; };
    check(0, RECT{300, 350, 300 + dw(0), 450}, "");
    check(1, RECT{300, 150, 623, 295}, "");
    check(2, RECT{300, 130, 300 + dw(2), 130 + dh(2)}, "");
    check(3, RECT{300, 100, 300 + dw(3), 100 + dh(3)}, "");
    check(4, RECT{300, 100, 300 + dw(4), 100 + dh(4)}, "");
    check(5, RECT{342, 148, 398, 244}, "");
    {
        check(6, RECT{470, 136, 490, 156}, "");
        const RECT zones[4] = {
            {421, 255, 441, 275}, {514, 237, 534, 257}, {401, 374, 421, 394}, {568, 354, 588, 374}};
        for (int z = 0; z < 4; ++z)
            EXPECT_EQ(l.zones[z + 1], zones[z]) << "zone " << z + 1;
    }
    check(7, RECT{367, 164, 457, 344}, "");
    check(8, RECT{364, 164, 454, 344}, "");
    check(9, RECT{371, 150, 671, 300}, "");
    check(10, RECT{300, 100, 300 + l.colls[10].w, 100 + dh(10)}, "(frame width, not drawn width)");
    const int c11Left[5] = {250, 204, 108, 38, 0};
    for (int f = 0; f < 5; ++f) {
        reset();
        l.colls[11].state = 1;
        l.colls[11].frame = f;
        stage->PlaceHitRects();
        const int right = f == 3 ? 648 : f == 4 ? 300 + dw(11) : 646;
        EXPECT_EQ(l.colls[11].hit, (RECT{300 + c11Left[f], 100, right, 100 + dh(11)}))
            << "C11 frame " << f;
    }
    check(12, RECT{300, 100, 300 + dw(12), 100 + dh(12)}, "");
    EXPECT_EQ(l.zones[6], (RECT{300, 100, 320, 100 + dh(12)})) << "zone 6";
    check(13, RECT{308, 114, 368, 174}, "");
    for (int k : {14, 15, 16, 17, 18, 19, 20, 21, 22, 23})
        check(k, RECT{300, 100, 300 + dw(k), 100 + dh(k)}, "");
    check(24, RECT{356, 216, 746, 434}, "");
    EXPECT_EQ(l.zones[7], (RECT{580, 200, 590, 500})) << "zone 7";

    // Zone 5 from B20, zone 0 from C1 while item 2 is put down.
    reset();
    l.backs[20].state = 1;
    l.backs[20].x = 10;
    l.backs[20].y = 20;
    stage->PlaceHitRects();
    EXPECT_EQ(l.zones[5], (RECT{930, 47, 938, 55}));
    reset();
    l.colls[1].state = 1;
    Bag().items[2].state = ItemPlaced;
    stage->PlaceHitRects();
    EXPECT_EQ(l.zones[0], (RECT{551, 305, 627, 365}));
}

} // namespace
