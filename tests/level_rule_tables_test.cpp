// The level's placement tables and the order of its rule groups, each checked against our own copy
// of the table: where a used object leaves its copy or shows its hidden picture, where the
// character's keyframes put it, where the walker and its head land after a special animation, and
// which of two rules that fire on one frame decides.
#include "level_support.h"
#include <string>

namespace {

constexpr RECT kNowhere{};
constexpr RECT kSpot{400, 300, 440, 340};

class LevelRuleTablesTest : public ShippedLevelTest {
  protected:
    void SetUp() override {
        ShippedLevelTest::SetUp();
        if (HasFatalFailure()) return;
        // A quiet world: nothing in play, no character to touch, every rectangle empty.
        LevelState& l = Level();
        for (CollObj& c : l.colls) {
            c.state = 0;
            c.hit = kNowhere;
        }
        for (BackObj& b : l.backs)
            b.state = 0;
        l.charState = CharHidden;
        l.hitA = l.hitB = l.hitC = kNowhere;
        for (RECT& z : l.zones)
            z = kNowhere;
        for (int i = 0; i < InventoryBag::kItems; ++i) {
            Bag().items[i].state = ItemNotInPlay;
            Bag().items[i].hit = kNowhere;
        }
        for (RECT& h : Bag().hotspot)
            h = kNowhere;
        Common().page = 5;
    }

    // Item 0 put down on an earlier page with its hot spot on kSpot.
    void Item0AtWork() {
        Bag().items[0].state = ItemPlaced;
        Bag().tearingObj[0].placePage = 4;
        Bag().hotspot[0] = kSpot;
    }
    CollObj& Coll(int k, int x, int y) {
        CollObj& c = Level().colls[k];
        c.state = 1;
        c.frame = 0;
        c.x = x;
        c.y = y;
        c.hit = kSpot;
        return c;
    }
};

// Used objects that leave a copy of B11: object, copy, offset from the object.
struct CopyRow {
    int coll, copy, dx, dy;
};
const CopyRow kCopies[] = {{5, 0, 0, 6}, {21, 1, 14, 50}, {22, 2, 0, 26}, {23, 3, -8, 56}};

TEST_F(LevelRuleTablesTest, EachUsedObjectLeavesItsOwnCopyOfB11) {
    for (const CopyRow& row : kCopies) {
        SetUp();
        Item0AtWork();
        Coll(row.coll, 250 + row.coll, 310);
        stage->Interact();
        const std::string what = "C" + std::to_string(row.coll);
        EXPECT_EQ(Level().colls[row.coll].state, 5) << what;
        for (int j = 0; j < 4; ++j) {
            const Back11Copy& copy = Level().back11Copies[j];
            if (j == row.copy) {
                EXPECT_EQ(copy.shown, 1) << what;
                EXPECT_EQ(copy.x, 250 + row.coll + row.dx) << what;
                EXPECT_EQ(copy.y, 310 + row.dy) << what;
            } else {
                EXPECT_EQ(copy.shown, 2) << what << " touched copy " << j;
            }
        }
        if (row.coll == 5)
            EXPECT_EQ(Level().stamps.c5Used, 5);
        else
            EXPECT_EQ(Level().colls[row.coll].pageStamp, 5) << what;
        TearDown();
    }
    SetUp();
}

// Used objects that show a hidden background picture: object, picture, offset.
struct RevealRow {
    int coll, back, dx, dy;
};
const RevealRow kReveals[] = {
    {10, 31, -14, -22}, {13, 29, -29, 4}, {14, 56, 9, 4}, {15, 59, -122, 4}};

TEST_F(LevelRuleTablesTest, EachUsedObjectShowsItsHiddenPictureAtItsOffset) {
    for (const RevealRow& row : kReveals) {
        for (int waiting : {2, 0}) {
            SetUp();
            Item0AtWork();
            Coll(row.coll, 300, 320);
            BackObj& b = Level().backs[row.back];
            b.state = waiting;
            b.x = b.y = -7;
            stage->Interact();
            const std::string what = "C" + std::to_string(row.coll) + " state " +
                                     std::to_string(waiting) + " of B" + std::to_string(row.back);
            EXPECT_EQ(Level().colls[row.coll].state, 5) << what;
            if (waiting == 2) {
                EXPECT_EQ(b.state, 1) << what;
                EXPECT_EQ(b.x, 300 + row.dx) << what;
                EXPECT_EQ(b.y, 320 + row.dy) << what;
            } else {
                EXPECT_EQ(b.state, 0) << what << ": only a waiting picture is shown";
                EXPECT_EQ(b.x, -7) << what;
            }
            TearDown();
        }
    }
    SetUp();
}

// Item 0 on C9 while item 12 lies loose: C9 used, item 12 out of play, B22 shown, B23 wound up.
TEST_F(LevelRuleTablesTest, Item0OnC9ShowsB22AndWindsUpB23) {
    Item0AtWork();
    Coll(9, 360, 280);
    Bag().items[12].state = ItemVisible;
    Level().backs[22].state = 2;
    Level().backs[23].state = 1;
    stage->Interact();
    EXPECT_EQ(Level().colls[9].state, 5);
    EXPECT_EQ(Level().colls[9].pageStamp, 5);
    EXPECT_EQ(Bag().items[12].state, ItemUsedUp);
    EXPECT_EQ(Level().backs[22].state, 1);
    EXPECT_EQ(Level().backs[22].x, 360 - 24);
    EXPECT_EQ(Level().backs[22].y, 280 - 5);
    EXPECT_EQ(Level().backs[23].state, 2);
}

// Item 0 on C7 or C8 shows B11 beside it, whatever B11 was doing.
TEST_F(LevelRuleTablesTest, Item0OnC7OrC8ShowsB11BesideIt) {
    const struct {
        int coll, dx, dy;
        int32_t PageStamps::*stamp;
    } rows[] = {{7, 74, 106, &PageStamps::c7Used}, {8, 50, 106, &PageStamps::c8Used}};
    for (const auto& row : rows) {
        SetUp();
        Item0AtWork();
        Coll(row.coll, 200, 150);
        Level().backs[11].state = 0;
        stage->Interact();
        EXPECT_EQ(Level().colls[row.coll].state, 5);
        EXPECT_EQ(Level().backs[11].state, 1);
        EXPECT_EQ(Level().backs[11].x, 200 + row.dx) << "C" << row.coll;
        EXPECT_EQ(Level().backs[11].y, 150 + row.dy) << "C" << row.coll;
        EXPECT_EQ(Level().stamps.*row.stamp, 5);
        TearDown();
    }
    SetUp();
}

// The walker reaches C1 on the very frame on which item 2 primes it: the walker's group runs
// first and sees an unprimed C1, so the climb fails; the priming follows in the same frame.
TEST_F(LevelRuleTablesTest, WalkerGroupRunsBeforeItem2PrimesC1) {
    LevelState& l = Level();
    l.charState = CharWalk;
    l.chars[CharMount].frame = l.chars[CharFailedClimb].frame = 0;
    l.hitA = kSpot;
    Coll(1, 420, 300);
    l.zones[0] = RECT{100, 100, 140, 140};
    Bag().items[2].state = ItemPlaced;
    Bag().tearingObj[2].placePage = 4;
    Bag().items[2].hit = RECT{110, 110, 130, 130};
    Bag().item2Frame = 0;
    stage->Interact();
    EXPECT_EQ(l.charState, CharFailedClimb);
    EXPECT_EQ(l.flags.c1Primed, 1);
    EXPECT_EQ(l.colls[1].state, 2);

    // Primed on an earlier frame, the same meeting mounts.
    SetUp();
    Level().charState = CharWalk;
    Level().hitA = kSpot;
    Coll(1, 420, 300).state = 3;
    Level().flags.c1Primed = 1;
    stage->Interact();
    EXPECT_EQ(Level().charState, CharMount);
}

// ---- The character's keyframes, forward and backward ----

struct Point {
    int x, y;
};
const Point kState3Keys[] = {{126, 334}, {168, 237}, {200, 193}, {212, 203}, {212, 203}};
const Point kState4Keys[] = {{124, 339}, {168, 275}, {182, 309}, {124, 366}, {87, 364}};
const Point kState9Keys[] = {{75, 205}, {173, 148}, {294, 120}, {443, 140}, {531, 205}};

TEST_F(LevelRuleTablesTest, OneShotKeyframesBothWays) {
    const struct {
        int32_t state;
        const Point* keys;
    } tables[] = {
        {CharMount, kState3Keys}, {CharFailedClimb, kState4Keys}, {CharJump, kState9Keys}};
    for (const auto& table : tables) {
        CharObj& c = Level().chars[table.state];
        ASSERT_GE(c.frames, 5) << "state " << table.state;
        // The mount and the failed climb hold the whole world still, the jump all but the
        // put-down items.
        const uint8_t placedClosed = table.state == CharJump ? 1 : 0;
        auto openGates = [] {
            Common().backGate = Common().itemGate = Common().collGate = Common().placedGate = 1;
        };
        auto checkGates = [&](const char* way) {
            EXPECT_EQ(Common().backGate + Common().itemGate + Common().collGate, 0)
                << "state " << table.state << " " << way;
            EXPECT_EQ(Common().placedGate, placedClosed) << "state " << table.state << " " << way;
        };
        for (int n = 1; n <= 4; ++n) {
            Level().charState = table.state;
            c.frame = n - 1;
            openGates();
            stage->CharacterForward();
            ASSERT_EQ(c.frame, n);
            checkGates("forward");
            EXPECT_EQ(c.x, table.keys[n].x) << "state " << table.state << " forward to " << n;
            EXPECT_EQ(c.y, table.keys[n].y) << "state " << table.state << " forward to " << n;
        }
        for (int n = 0; n <= 3; ++n) {
            Level().charState = table.state;
            c.frame = n + 1;
            c.x = c.y = -1;
            openGates();
            stage->CharacterBackward();
            ASSERT_EQ(c.frame, n);
            checkGates("backward");
            EXPECT_EQ(c.x, table.keys[n].x) << "state " << table.state << " back to " << n;
            EXPECT_EQ(c.y, table.keys[n].y) << "state " << table.state << " back to " << n;
        }
    }
}

TEST_F(LevelRuleTablesTest, CarriedPathKeyframesBothWays) {
    // Step: the carried picture's frame, x, y, and what happens to B1 (-1 nothing, else state).
    const struct {
        int frame, x, y, b1Image;
    } path[] = {{0, 79, 424, -1}, {1, 79, 448, -1}, {2, 87, 205, -1}, {3, 138, 118, 0},
                {4, 229, 157, 1}, {0, 264, 226, 2}, {1, 264, 226, 2}, {2, 392, 134, 1},
                {3, 490, 212, 0}, {4, 520, 330, -1}};
    LevelState& l = Level();
    l.colls[0].x = 600;
    l.colls[0].y = 100;
    auto check = [&](int n, const char* way) {
        const CharObj& c = l.chars[CharCarried];
        EXPECT_EQ(l.counters.carryStep, n) << way;
        EXPECT_EQ(c.frame, path[n].frame) << way << " step " << n;
        EXPECT_EQ(c.x, path[n].x) << way << " step " << n;
        EXPECT_EQ(c.y, path[n].y) << way << " step " << n;
        if (path[n].b1Image >= 0) {
            EXPECT_EQ(l.counters.b1Image, path[n].b1Image) << way << " step " << n;
            EXPECT_EQ(l.backs[1].x, 600 + 104) << way << " step " << n;
            EXPECT_EQ(l.backs[1].y, 100 + 126) << way << " step " << n;
        }
    };
    for (int n = 1; n <= 9; ++n) {
        l.charState = CharCarried;
        l.counters.carryStep = n - 1;
        stage->CharacterForward();
        check(n, "forward");
    }
    for (int n = 0; n <= 8; ++n) {
        l.charState = CharCarried;
        l.counters.carryStep = n + 1;
        stage->CharacterBackward();
        check(n, "backward");
    }
}

// Where the walker and its head stand when a special animation hands the character back.
TEST_F(LevelRuleTablesTest, WalkerAndHeadLandWhereEachAnimationEnds) {
    LevelState& l = Level();
    // The dismount's last frame, forward: walker, head and B3 placed from C10's record.
    CharObj& dismount = l.chars[CharDismount];
    dismount.x = 300;
    dismount.y = 100;
    dismount.frame = dismount.frames - 1;
    l.charState = CharDismount;
    CharObj& walk = l.chars[CharWalk];
    ASSERT_GE(walk.frames, 3);
    walk.frame = 1;
    Common().backGate = Common().itemGate = Common().collGate = Common().placedGate = 0;
    stage->CharacterForward();
    EXPECT_EQ(l.charState, CharWalk);
    EXPECT_EQ(walk.frame, 2) << "the walker takes its step";
    EXPECT_EQ(Common().backGate + Common().itemGate + Common().collGate, 3) << "three gates open";
    EXPECT_EQ(Common().placedGate, 0) << "the put-down items' gate stays as it was";
    EXPECT_EQ(l.chars[CharWalk].x, 300 + 265);
    EXPECT_EQ(l.chars[CharWalk].y, 100 + 214);
    EXPECT_EQ(l.head.x, 300 + 299);
    EXPECT_EQ(l.head.y, 100 + 159);
    EXPECT_EQ(l.backs[3].state, 1);
    EXPECT_EQ(l.backs[3].x, 300 + 7);
    EXPECT_EQ(l.backs[3].y, 100 + 169);

    // The mount turned back to its first frame: back to walking below it.
    CharObj& mount = l.chars[CharMount];
    mount.x = 150;
    mount.y = 250;
    mount.frame = 0;
    l.charState = CharMount;
    walk.frame = 0;
    Common().backGate = Common().itemGate = Common().collGate = Common().placedGate = 0;
    stage->CharacterBackward();
    EXPECT_EQ(l.charState, CharWalk);
    EXPECT_EQ(walk.frame, walk.frames - 1) << "the walker steps back, wrapping";
    EXPECT_EQ(Common().backGate + Common().itemGate + Common().collGate + Common().placedGate, 4);
    EXPECT_EQ(l.chars[CharWalk].x, 150 - 51);
    EXPECT_EQ(l.chars[CharWalk].y, 250 + 116);
    // The head where it sits on the walker (34, -55 from it), where it was when the climb began.
    EXPECT_EQ(l.head.x, 150 - 51 + 34);
    EXPECT_EQ(l.head.y, 250 + 116 - 55);

    // The carried path's end forward and its start backward.
    l.charState = CharCarried;
    l.counters.carryStep = 9;
    stage->CharacterForward();
    EXPECT_EQ(l.charState, CharWalk);
    EXPECT_EQ(l.chars[CharWalk].x, 555);
    EXPECT_EQ(l.chars[CharWalk].y, 450);
    EXPECT_EQ(l.head.x, 589);
    EXPECT_EQ(l.head.y, 395);
    l.charState = CharCarried;
    l.counters.carryStep = 0;
    stage->CharacterBackward();
    EXPECT_EQ(l.charState, CharWalk);
    EXPECT_EQ(l.chars[CharWalk].x, 75);
    EXPECT_EQ(l.chars[CharWalk].y, 450);
    EXPECT_EQ(l.head.x, 109);
    EXPECT_EQ(l.head.y, 395);
}

} // namespace
