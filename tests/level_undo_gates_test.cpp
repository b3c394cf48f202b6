// The gates on the turn back: the world that stood still on the turn taken back (a sequence, a
// load, a lost state) stays still, whatever the character's rewind opened, and the world that
// moved moves back.
#include "LevelRoundTrip.h"
#include "level_undo_support.h"

namespace {

// C20 at y `c20Y`, loaded with item 13 (at y `eggY` on it) in a frame of page 19, B91 waiting at
// its first step, the scenery B0 at 500, every other object and item out of the way.
TearObj& LoadC20OnPage19(CStage_One& stage, InventoryBag& bag, int32_t c20Y, int32_t eggY) {
    LevelState& L = stage.level;
    HideAll(stage);
    CCommon::Instance().page = 19;
    SetAllAside(stage);
    Show(stage, 0, 500, 20);
    Show(stage, 91, 420, 20, 3, 300);
    L.counters.b91Step = L.counters.b91SubStep = 0;
    L.flags.itemUse13 = 1;
    CollObj& c20 = L.colls[20];
    c20 = CollObj{};
    c20.state = 2;
    c20.x = 482;
    c20.y = c20Y;
    c20.step = 20;
    c20.pageStamp = 19;
    TearObj& egg = bag.items[13];
    egg.state = ItemPlaced;
    egg.x = 490;
    egg.y = eggY;
    bag.tearingObj[13].placePage = 19;
    bag.tearingObj[13].x = egg.x - bag.tearingObj[13].offX;
    bag.tearingObj[13].y = egg.y - bag.tearingObj[13].offY;
    return egg;
}

} // namespace

TEST_F(LevelUndoTest, FirstListOpensAndClosesTheGatesInItsOrder) {
    common.page = 20;
    // The lift's end closes all, C20's undo then opens them as B91 found them, walking.
    L.stamps.b93b94End = 19;
    L.colls[20].pageStamp = 19;
    L.stamps.c20Taken = 19;
    L.values.c20TakenGates = GateBits(common);
    stage.FirstUndoChecks();
    EXPECT_TRUE(AllOpen());
    EXPECT_EQ(L.stamps.b93b94End, 19); // reset only after the background objects
    EXPECT_EQ(L.stamps.c20Taken, kNoStamp);
    EXPECT_EQ(L.colls[20].pageStamp, 19); // the load's page stays with it

    // B12's end closes all after C20's undo opened them.
    L.colls[20].pageStamp = 19;
    L.stamps.c20Taken = 19;
    L.stamps.b12End = 19;
    stage.FirstUndoChecks();
    EXPECT_TRUE(AllClosed());
    EXPECT_EQ(L.charState, CharLever);

    // Item 5's extra stamp, which started B57's sequence, comes after B17's end: open.
    L.stamps.b17End = 19;
    L.stamps.item5Extra = 19;
    L.backs[57].state = 3;
    stage.FirstUndoChecks();
    EXPECT_TRUE(AllOpen());

    // C0's sequence ended on the turn before (the one being taken back): close three, and keep
    // the stamp for the collision objects. C0 on this very page is nothing to undo yet.
    L.stamps.b93b94End = kNoStamp;
    L.colls[0].pageStamp = 19;
    stage.FirstUndoChecks();
    EXPECT_FALSE(common.backGate);
    EXPECT_TRUE(common.placedGate);
    EXPECT_EQ(L.colls[0].pageStamp, 19);
    OpenAllGates(common);
    L.colls[0].pageStamp = 20;
    stage.FirstUndoChecks();
    EXPECT_TRUE(AllOpen());
}

// Item 13 loaded onto C20 in a frame of page 19; the turn from 19 is B91's first step, which
// shuts the world after the scenery before it moved as far as the gates let it. Turning back
// over it moves the world back by that much and gives the gates back as they were: open while
// the hero walks; shut while it lies knocked down, falls, lands, blinks (each of these held the
// world already and rewinds into itself); three shut while it rides the carried path, whose
// put-down items still move.
TEST_F(LevelUndoTest, C20sLoadTurnedBackGivesTheWorldBackAsFarAsItMoved) {
    enum Hold { Walking, KnockedDown, Falling, Landing, Blinking, Carried };
    struct Case {
        Hold hold;
        int32_t state;
        int32_t b0Moved; // how far the scenery moved on that turn
    } const cases[] = {{Walking, CharWalk, 20},  {KnockedDown, CharKnockedDown, 0},
                       {Falling, CharFall, 0},   {Landing, CharFall, 0},
                       {Blinking, CharBlink, 0}, {Carried, CharCarried, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "hold " << c.hold);
        TearObj& egg = LoadC20OnPage19(stage, bag, 340, 330);
        L.charState = c.state;
        L.chars[CharWalk].frames = 5;
        switch (c.hold) {
        case Walking:
            OpenAllGates(common);
            break;
        case KnockedDown:
            L.chars[CharKnockedDown].frames = 3;
            L.chars[CharKnockedDown].frame = 1;
            CloseAllGates(common);
            break;
        case Falling: // fell from page 15, well above the ground
        case Landing: // fell from page 15, on the ground now
            L.stamps.fallStart = 15;
            L.chars[CharFall].h = 30;
            L.chars[CharFall].y = c.hold == Falling ? 300 : 470;
            L.chars[CharBlink].x = L.chars[CharFall].x + 38; // where the landing puts it
            L.chars[CharBlink].y = L.chars[CharFall].y + 106;
            CloseAllGates(common);
            break;
        case Blinking: // landed on the turn before: this turn blinks first
            L.counters.blinkCount = 0;
            CloseAllGates(common);
            break;
        case Carried:
            L.counters.carryStep = 5;
            L.chars[CharCarried].frames = 5;
            stage.ApplyCarriedKeyframe(5);
            CloseThreeGates(common);
            break;
        }
        const WorldSnapshot before = WorldSnapshot::Take(stage);

        stage.CharacterForward();
        TurnForwardByPhases();
        EXPECT_EQ(L.backs[0].x, 500 - c.b0Moved);
        EXPECT_EQ(egg.state, ItemUsedUp);
        EXPECT_TRUE(AllClosed());

        stage.CharacterBackward();
        TurnBackByPhases();
        EXPECT_EQ(L.colls[20].state, 1);
        L.colls[20].state = 2; // the frames of page 19 load C20 anew
        EXPECT_EQ(WorldSnapshot::Take(stage).Diff(before), "");
    }
}

// Item 13 put down on C20 low enough to lie on the ground at once: the turn from its page lands
// it unmet, so it rolls off as C11 before B91 can take it, and B91 steps on with C20 still holding
// the load. The turn back gives the egg back from C11 before B91's step is taken back; C20 keeps
// its load and the page it was loaded on, and the turn from that page plays as it did.
TEST_F(LevelUndoTest, LoadKeepsItsPageWhenTheEggRolledOffBeforeB91TookIt) {
    TearObj& egg = LoadC20OnPage19(stage, bag, 476, 570 - 72); // the egg on the ground
    CollObj& c11 = L.colls[11];
    c11 = CollObj{};
    c11.state = 6;
    c11.frames = 5;
    // Waiting, its place is neither drawn nor read (setting it going places it anew): put it where
    // the egg will set it going, so that the worlds compare whole.
    c11.x = 490 - 280;
    c11.y = 570 - 72 + 19;
    egg.dh = 72;
    egg.step = 20;
    bag.item13Torn = 1;
    bag.item13Frame = 0;
    L.charState = CharWalk;
    L.chars[CharWalk].frames = 5;
    OpenAllGates(common);
    const WorldSnapshot before = WorldSnapshot::Take(stage);

    stage.CharacterForward();
    TurnForwardByPhases();
    EXPECT_EQ(egg.state, ItemUsedUp);
    EXPECT_EQ(c11.state, 1); // rolling off
    EXPECT_EQ(L.counters.b91Step, 1);
    EXPECT_EQ(L.stamps.c20Taken, 19);
    const WorldSnapshot after = WorldSnapshot::Take(stage);

    stage.CharacterBackward();
    TurnBackByPhases();
    EXPECT_EQ(L.colls[20].pageStamp, 19);
    EXPECT_EQ(WorldSnapshot::Take(stage).Diff(before), "");

    stage.CharacterForward();
    TurnForwardByPhases();
    EXPECT_EQ(WorldSnapshot::Take(stage).Diff(after), "");
}

// B91 carrying item 13: its first step (the turn after the load) moved the world until B91 shut
// it, its later steps held it still, and so do the turns of B93's or B94's lift after B91's last
// step (waiting to start, 4, or lifting, 3), until the lift's end. Knocked down on this page, the
// character opens all the gates as it rewinds to walking; the turn back over such a step shuts
// them again before the objects move.
TEST_F(LevelUndoTest, B91sLaterStepsAndTheLiftTurnedBackHoldTheWorldWhateverTheCharacterOpened) {
    struct Case {
        int32_t loadedOn;
        int b91State, lifter, lifterState;
        bool open;
    } const cases[] = {{19, 3, 93, 2, true},  {17, 3, 93, 2, false}, {17, 7, 93, 4, false},
                       {17, 7, 93, 3, false}, {17, 7, 94, 3, false}, {17, 7, 93, 7, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "loaded on " << c.loadedOn << ", B91 " << c.b91State
                                          << ", B" << c.lifter << " " << c.lifterState);
        HideAll(stage);
        common.page = 20;
        L.colls[20].pageStamp = c.loadedOn;
        L.flags.itemUse13 = 1;
        L.backs[91].state = c.b91State;
        L.backs[c.lifter].state = c.lifterState;
        L.charState = CharKnockedDown;
        L.chars[CharKnockedDown].frames = 3;
        L.chars[CharKnockedDown].frame = 0;
        L.chars[CharWalk].frames = 5;
        CloseAllGates(common); // as B91 left them
        stage.CharacterBackward();
        ASSERT_EQ(L.charState, CharWalk);
        stage.FirstUndoChecks();
        EXPECT_EQ(AllOpen(), c.open);
        EXPECT_EQ(AllClosed(), !c.open);
    }
}

// The carried path ends while B91 carries C20's load past its first step or B93 lifts it, both
// of which keep the world shut: its end opens three gates again. B91's next step shuts them (the
// world moved on that turn until B91), the lift lets the world move on to its end. Turning back
// page by page, from before the end to past the lift, gives back every page as it was: the
// scenery, C20, B93 and the gates.
TEST_F(LevelUndoTest, CarriedPathEndingWhileTheLoadHoldsTheWorldIsTakenBackPageByPage) {
    struct Case {
        const char* when;
        int32_t b91Step; // B91 carrying, or (-1) done and B93 lifting
        int32_t b93Count;
        uint8_t reversing;
        int32_t sceneryAfter; // where the scenery (20 px a turn) is after the turns forward
    } const cases[] = {{"on a later step of B91", 2, 0, 0, 500 - 20 * (1 + 3)},
                       {"on B91's last step", 5, 0, 0, 500 - 20 * (1 + 6)},
                       {"while B93 lifts", -1, 2, 0, 500 - 20 * 16},
                       {"on the lift's last turn", -1, 0, 1, 500 - 20 * 16}};
    constexpr int kTurns = 16; // past the lift's end in every case
    for (const Case& c : cases) {
        SCOPED_TRACE(c.when);
        HideAll(stage);
        common.page = 30;
        SetAllAside(stage);
        bag.items[13].state = ItemUsedUp; // the load
        L.flags.itemUse13 = 1;
        Show(stage, 0, 500, 20); // the scenery
        CollObj& c20 = L.colls[20];
        c20 = CollObj{};
        c20.state = 2;
        c20.x = 482;
        c20.y = 340;
        c20.step = 20;
        c20.pageStamp = 20; // loaded ten pages ago
        if (c.b91Step >= 0) {
            Show(stage, 91, 420, 20, 3, 300);
            L.counters.b91Step = c.b91Step;
            L.counters.b91SubStep = c.b91Step % 3;
        } else {
            Show(stage, 91, 420, 20, 7, 300);
            Show(stage, 92, 416, 20, 3, 303);
            Show(stage, 93, c20.x + 2, 0, 3, c20.y - 141);
            L.counters.b91Step = 5;
            L.counters.b93Count = c.b93Count;
            L.flags.b93Reversing = c.reversing;
        }
        L.charState = CharCarried; // on the path's last step: the next turn ends it
        L.counters.carryStep = 9;
        L.chars[CharCarried].frames = 5;
        L.chars[CharWalk].frames = 5;
        stage.ApplyCarriedKeyframe(9);
        L.chars[CharWalk].x = 75; // the walker waits, not drawn, where the path began
        L.chars[CharWalk].y = 450;
        L.head.x = 109;
        L.head.y = 395;
        CloseAllGates(common); // as B91 left them

        std::vector<LevelSnapshot> seen{TakeSnapshot(stage)};
        for (int i = 0; i < kTurns; ++i) {
            stage.CharacterForward();
            TurnForwardByPhases();
            seen.push_back(TakeSnapshot(stage));
        }
        ASSERT_EQ(L.backs[93].state, 7); // the lift has ended
        EXPECT_EQ(L.backs[0].x, c.sceneryAfter);
        for (int i = kTurns - 1; i >= 0; --i) {
            stage.CharacterBackward();
            TurnBackByPhases();
            LevelSnapshot back = TakeSnapshot(stage);
            ForgiveAcceptedDifferences(back, seen[i]);
            const std::string diff = FirstDifference(seen[i], back);
            EXPECT_EQ(diff, "") << "turning back to page " << seen[i].common.page;
            if (!diff.empty()) break;
        }
    }
}

// Item 5 reached its last picture on the turn before. Only when that started B17's or B57's
// sequence (which shut all the gates at the end of that turn) does the turn back take the start
// back and open the gates; otherwise they stay as they are, here shut by another sequence.
TEST_F(LevelUndoTest, ItemFivesLastPictureOpensTheGatesOnlyWhenItStartedASequence) {
    for (const int started : {0, 17, 57}) {
        SCOPED_TRACE(started);
        HideAll(stage);
        common.page = 20;
        CloseThreeGates(common);
        L.stamps.item5Extra = 19;
        if (started != 0) Show(stage, started, 300, 0, 3, 200);
        stage.FirstUndoChecks();
        EXPECT_EQ(L.stamps.item5Extra, kNoStamp);
        if (started == 0) {
            EXPECT_FALSE(common.backGate || common.itemGate || common.collGate);
            EXPECT_TRUE(common.placedGate);
        } else {
            EXPECT_TRUE(AllOpen());
            EXPECT_EQ(L.backs[started].state, 2);
        }
    }
}

// The turn that ends C0's, C1's or C24's sequence opens the three gates when it comes to that
// object, so the collision objects after it, the items and the scenery all move on that turn.
// Turning back over it moves the same ones back and leaves the gates closed as they were, also
// when C1, done, was used up by item 0 in a frame of that page (B2 shown where it stood). The end
// of B93's or B94's lift may have opened the world on the turn before, while the sequence played:
// then the objects before it moved too, and the turn back leaves the gates open.
TEST_F(LevelUndoTest, SequenceEndsThatOpenTheGatesAreTakenBackWholeTurn) {
    struct Case {
        int k;
        bool usedAtItsEnd, flareStarts, liftOpened;
    };
    // flareStarts: the lantern's last picture started B17's flare at the end of that turn, which
    // shut the world again; its undo opens it as it stood then, after C24's end had opened it.
    for (const auto& [k, usedAtItsEnd, flareStarts, liftOpened] :
         {Case{0, false, false, false}, Case{1, false, false, false}, Case{1, true, false, false},
          Case{24, false, false, false}, Case{24, false, true, false}, Case{0, false, false, true},
          Case{1, false, false, true}, Case{24, false, false, true}}) {
        SCOPED_TRACE(::testing::Message()
                     << "C" << k << (usedAtItsEnd ? " used at its end" : "")
                     << (flareStarts ? ", the flare starting" : "")
                     << (liftOpened ? ", the lift's end opened the world" : ""));
        HideAll(stage);
        for (CollObj& c : L.colls)
            c.state = 5;
        for (TearObj& it : bag.items)
            it.state = ItemInBag;
        Show(stage, 10, 300, 5);
        auto wake = [&](int slot, int32_t x, int32_t state) -> CollObj& {
            return Wake(slot, x, state, 4, 5);
        };
        wake(k, 400, 2).frame = 2;
        if (k == 1) wake(0, 100, 3);
        wake(k == 24 ? 12 : 16, 600, 1); // an object visited before C24, after C0 and C1
        bag.items[11] = TearObj{};
        bag.items[11].x = 500;
        bag.items[11].step = 5;
        bag.items[11].state = ItemVisible;
        if (liftOpened)
            OpenAllGates(common);
        else
            CloseThreeGates(common);
        const WorldSnapshot before = WorldSnapshot::Take(stage);

        TurnForwardByPhases();
        EXPECT_EQ(L.colls[k].state, 3);
        EXPECT_EQ(L.backs[10].x, 295);
        EXPECT_EQ(bag.items[11].x, 495);
        EXPECT_EQ(L.colls[k == 24 ? 12 : 16].x, k == 24 && !liftOpened ? 600 : 595);
        if (k == 1) EXPECT_EQ(L.colls[0].x, liftOpened ? 90 : 95); // C1's end moves C0 a step
        if (usedAtItsEnd) {
            L.colls[1].state = 5;
            L.stamps.c1Used = common.page;
            L.backs[2].state = 1;
        }
        if (flareStarts) {
            L.stamps.item5Extra = common.page - 1;
            L.backs[17].state = 3;
            CloseAllGates(common);
        }

        stage.FirstUndoChecks();
        stage.CollisionsBackward();
        stage.B4EndCheck();
        stage.ItemsBackward();
        stage.BackgroundsBackward();
        stage.SecondUndoChecks();
        --common.page;
        EXPECT_EQ(WorldSnapshot::Take(stage).Diff(before), "");
    }
}

// An object used up in a frame of the page C24's sequence ended on comes back where it stood.
// C24's end opened the gates only when its turn in the loop came, after the object's: the object
// had not drifted on that turn, though everything after C24 had and the gates stand open while
// that moves back. Each is used up its own way: beside B11 (C7, C8), beside a copy of B11 (C5,
// C21 to C23), showing B2 (C1), or showing the background object that takes its place (C10,
// C13 to C15).
TEST_F(LevelUndoTest, ObjectUsedOnThePageC24EndedOnComesBackWhereItStood) {
    const struct {
        int coll;
        int shown; // what its use shows: a copy of B11, or a background object
        bool copy;
        int32_t useDx = 0, useDy = 0; // from the object to what its use shows
        int32_t PageStamps::*used = nullptr;
    } kCases[] = {
        {1, 2, false, 0, 0, &PageStamps::c1Used},
        {5, 0, true, 0, 6, &PageStamps::c5Used},
        {7, 11, false, 74, 106, &PageStamps::c7Used},
        {8, 11, false, 50, 106, &PageStamps::c8Used},
        {10, 31, false, -14, -22, &PageStamps::c10Used},
        {13, 29, false, -29, 4, &PageStamps::c13Used},
        {14, 56, false, 9, 4, &PageStamps::c14Used},
        {15, 59, false, -122, 4, &PageStamps::c15Used},
        {21, 1, true, 14, 50},
        {22, 2, true, 0, 26},
        {23, 3, true, -8, 56},
    };
    for (const auto& u : kCases) {
        SCOPED_TRACE(::testing::Message() << "C" << u.coll);
        HideAll(stage);
        SetAllAside(stage);
        common.page = 348;
        for (int slot : {2, 11, 29, 31, 56, 59})
            L.backs[slot].step = 20;
        auto wake = [&](int slot, int32_t x, int32_t state) -> CollObj& {
            CollObj& c = L.colls[slot];
            c = CollObj{};
            c.x = x;
            c.y = 200;
            c.frames = 3;
            c.frame = 1;
            c.step = 20;
            c.state = state;
            return c;
        };
        wake(24, 400, 2).frame = 2;
        L.colls[24].frames = 4;
        CollObj& c = wake(u.coll, 300, 1);
        CloseThreeGates(common); // C24's sequence holds them
        const WorldSnapshot before = WorldSnapshot::Take(stage);

        TurnForwardByPhases();
        ASSERT_EQ(L.colls[24].state, 3);
        ASSERT_TRUE(common.collGate);
        ASSERT_EQ(c.x, 300); // visited before C24 opened the gates
        // Used up in a frame of page 349.
        if (u.coll == 5) L.values.c5UsedState = c.state;
        c.state = 5;
        if (u.used)
            L.stamps.*u.used = common.page;
        else
            c.pageStamp = common.page;
        if (u.copy)
            L.back11Copies[u.shown] = Back11Copy{1, c.x + u.useDx, c.y + u.useDy};
        else
            Show(stage, u.shown, c.x + u.useDx, 20, 1, c.y + u.useDy);
        if (u.coll == 13) L.values.b29StartY = c.y + 4;

        TurnBackByPhases();
        EXPECT_EQ(c.state, 1);
        EXPECT_EQ(c.x, 300);
        EXPECT_EQ(c.frame, 1);
        // Hidden again, what the use showed keeps its last place: not drawn, placed anew when
        // shown.
        WorldSnapshot after = WorldSnapshot::Take(stage);
        for (int slot : {2, 11, 29, 31, 56, 59}) {
            after.level.backs[slot].x = before.level.backs[slot].x;
            after.level.backs[slot].y = before.level.backs[slot].y;
        }
        for (int copy = 0; copy < LevelState::kBack11Copies; ++copy)
            after.level.back11Copies[copy] = before.level.back11Copies[copy];
        EXPECT_EQ(after.Diff(before), "");
    }
}

// C0, C1 and C24 begin their sequence in a frame (item 0 dropped on C0 or C24, item 2 priming
// C1) and hold the world still while it plays. Turning back over the start takes back the turn
// that led to it as that turn was made: with the world moving (the object drifted, the gates open
// again), or with the world already standing still, as while the hero rides the carried path or
// lies knocked down past the first frame, while B91 carries C20's load past its first step, while
// B93 lifts that load, or on the turn the lift ended (no drift to take back, the gates stay
// shut). A lift the carried path's end opened again no longer holds the world.
TEST_F(LevelUndoTest, SequenceStartIsTakenBackAsTheWorldStoodWhenItBegan) {
    const RECT met{400, 200, 480, 280};
    // Opened: the carried path's end opened the world again earlier in the lift, which moves it
    // from then on.
    enum Hold { Moving, Carried, KnockedDown, Lifted, Loaded, LiftEnds, Opened, OpenedLiftEnds };
    for (int k : {0, 24, 1}) {
        for (const Hold hold :
             {Moving, Carried, KnockedDown, Lifted, Loaded, LiftEnds, Opened, OpenedLiftEnds}) {
            const bool stoodStill = hold != Moving && hold != Opened && hold != OpenedLiftEnds;
            SCOPED_TRACE(std::to_string(k) + ", hold " + std::to_string(hold));
            HideAll(stage);
            SetAllAside(stage);
            common.page = 20;
            OpenAllGates(common);
            L.charState = CharWalk;
            if (hold == Carried) { // the hero rides the carried path, which shuts the gates
                L.charState = CharCarried;
                L.counters.carryStep = 5;
                CloseThreeGates(common);
            }
            if (hold == KnockedDown) { // each frame of the knock-down shuts them all
                L.charState = CharKnockedDown;
                L.chars[CharKnockedDown].frames = 3;
                L.chars[CharKnockedDown].frame = 2;
                CloseAllGates(common);
            }
            if (hold == Lifted || hold == Opened) { // B91's last step shut them all
                L.backs[93].state = 3;
                L.counters.b93Count = 1;
                CloseAllGates(common);
            }
            L.flags.itemUse13 = 0;
            L.counters.b91Step = 0;
            if (hold == Loaded) { // item 13 loaded on C20 three pages ago: each step shuts them
                Show(stage, 91, 300, 20, 3);
                L.flags.itemUse13 = 1;
                L.counters.b91Step = 2;
                L.colls[20].pageStamp = 17;
                CloseAllGates(common);
            }
            L.flags.b93Reversing = 0;
            L.stamps.b93b94End = kNoStamp;
            if (hold == LiftEnds || hold == OpenedLiftEnds) { // B93 back down: this turn ends it
                Show(stage, 93, 300, 20, 3);
                Show(stage, 92, 296, 20, 3);
                L.colls[20].state = 2;
                L.colls[20].x = 298; // B93 lifts from C20's place
                L.colls[20].y = 241;
                L.flags.b93Reversing = 1;
                L.counters.b93Count = 0;
                CloseAllGates(common);
            }
            L.stamps.liftFoundOpen = kNoStamp;
            L.values.liftGates = 0;
            if (hold == Opened || hold == OpenedLiftEnds) {
                L.stamps.liftFoundOpen = 15;
                OpenThreeGates(common);
                L.values.liftGates = GateBits(common);
            }
            CollObj& c = L.colls[k];
            c = CollObj{};
            c.x = 400;
            c.y = 200;
            c.frames = 4;
            c.step = 5;
            c.state = 1;
            c.hit = met;
            // The item that starts it lies where it was put down, long ago, in the air.
            const int item = k == 1 ? 2 : 0;
            TearObj& it = bag.items[item];
            it.state = ItemPlaced;
            it.x = 420;
            it.y = 220;
            TearingObj& trace = bag.tearingObj[item];
            trace.placePage = 10;
            trace.x = it.x - trace.offX;
            trace.y = it.y - trace.offY;
            it.hit = met;
            bag.hotspot[0] = met;
            L.zones[0] = met;
            bag.item2Frame = 0;
            const WorldSnapshot before = WorldSnapshot::Take(stage);

            TurnForwardByPhases();
            stage.Interact();
            EXPECT_EQ(c.state, 2);
            EXPECT_EQ(c.x, stoodStill ? 400 : 395);
            EXPECT_FALSE(common.backGate || common.itemGate || common.collGate);

            TurnBackByPhases();
            EXPECT_EQ(WorldSnapshot::Take(stage).Diff(before), "");
        }
    }
}

// C1 primed on this page is turned back to waiting, and C0 (which runs before it) gets back the
// step it drifted on the turn that led here: once. Usually the priming shut the gates and C1's
// rule gives C0 that step; when the character's own turn back opened them first (the failed climb
// begun in the same frame), C0 drifted back in its own place already.
TEST_F(LevelUndoTest, C0GetsOneStepBackWhenC1sPrimingIsTurnedBack) {
    for (const bool characterOpenedTheGates : {false, true}) {
        SCOPED_TRACE(characterOpenedTheGates);
        HideAll(stage);
        for (CollObj& c : L.colls)
            c.state = 5;
        common.page = 195;
        for (int k : {0, 1}) {
            CollObj& c = L.colls[k];
            c = CollObj{};
            c.x = 300 + 100 * k;
            c.y = 200;
            c.frames = 4;
            c.step = 20;
            c.state = k == 0 ? 1 : 2;
        }
        L.flags.c1Primed = 1;
        if (characterOpenedTheGates)
            OpenAllGates(common);
        else
            CloseThreeGates(common);
        stage.CollisionsBackward();
        EXPECT_EQ(L.colls[0].x, 320);
        EXPECT_EQ(L.colls[1].x, 420);
        EXPECT_EQ(L.colls[1].state, 1);
        EXPECT_EQ(L.flags.c1Primed, 0);
        EXPECT_TRUE(common.collGate);
    }
}

// C1 or C24 in the middle of its sequence held the world still on the turn taken back. A lost
// state begun on this page (the slip, say) opens all the gates as it rewinds to walking, before the
// collision objects: C0, which comes before either in the loop, still stands.
TEST_F(LevelUndoTest, ObjectsBeforeAPlayingSequenceStandWhenALostStateRewinds) {
    for (int k : {1, 24}) {
        SCOPED_TRACE(k);
        HideAll(stage);
        for (CollObj& c : L.colls)
            c.state = 5;
        common.page = 336;
        for (int slot : {0, k}) {
            CollObj& c = L.colls[slot];
            c = CollObj{};
            c.x = 300;
            c.y = 200;
            c.frames = 4;
            c.step = 20;
            c.state = slot == k ? 2 : 1;
            c.frame = slot == k ? 2 : 0;
        }
        OpenAllGates(common); // as the slip's turn back left them
        stage.CollisionsBackward();
        EXPECT_EQ(L.colls[0].x, 300);
        EXPECT_EQ(L.colls[k].frame, 1);
        EXPECT_FALSE(common.backGate || common.itemGate || common.collGate);
    }
}

// The pine cone strikes the walker in the very frame a later rule of that frame takes the
// character over (the balloon lifts the hero, the windmill's sail picks the hero up): the
// knock-down has shut the gates, and the world, the put-down balloon too, stands still while the
// hero flies or rides the sail. The walking turn that led to that page moved the world, so turning
// back over the start moves it back as well. Left where it was met, the balloon would lie on the
// walker again and the next frame would start the flight anew.
TEST_F(LevelUndoTest, StateBegunOverAKnockDownMovesTheWorldBackOverItsStart) {
    for (const int32_t takenBy : {int32_t(CharFly), int32_t(CharCarried)}) {
        SCOPED_TRACE(takenBy);
        L = LevelState{};
        HideAll(stage);
        for (CollObj& c : L.colls)
            c.state = 5;
        L.values.i9PathStep = 9; // the sun long past its arc
        common.page = 234;
        CharObj& walker = L.chars[CharWalk];
        walker.frames = 5;
        walker.x = 75;
        walker.y = 450;
        L.head.x = 109;
        L.head.y = 395;
        CharObj& flight = L.chars[CharFly]; // where the flight starts from the walker
        flight.frames = 2;
        flight.x = walker.x - 66;
        flight.y = walker.y - 62;
        CharObj& carried = L.chars[CharCarried]; // the sail's first step
        carried.frames = 5;
        carried.x = 79;
        carried.y = 424;
        L.chars[CharKnockedDown].x = walker.x + 2; // where the knock-down shows the hero
        L.chars[CharKnockedDown].y = walker.y - 56;
        L.charState = CharWalk;
        L.hitA = RECT{85, 450, 185, 570};
        L.hitB = RECT{110, 400, 150, 450};
        CollObj& cone = L.colls[19]; // falling, a page above the walker's head
        cone = CollObj{};
        cone.x = 120;
        cone.y = 380;
        cone.frames = 3;
        cone.step = 20;
        cone.state = 1;
        cone.hit = RECT{120, 420, 140, 440};
        if (takenBy == CharCarried) {
            CollObj& sail = L.colls[0];
            sail = CollObj{};
            sail.x = 60;
            sail.y = 200;
            sail.frames = 4;
            sail.step = 20;
            sail.state = 1;
            sail.hit = RECT{90, 300, 190, 520};
        }
        TearObj& balloon = bag.items[7]; // put down long ago, lying on the ground, drifting left
        balloon.x = 123;
        balloon.dh = 131;
        balloon.y = 570 - balloon.dh;
        balloon.step = 20;
        balloon.state = ItemPlaced;
        TearingObj& putDown = bag.tearingObj[7];
        putDown.placePage = 206;
        putDown.x = balloon.x + 28 * balloon.step - putDown.offX;
        putDown.y = balloon.y - putDown.offY;
        const WorldSnapshot before = WorldSnapshot::Take(stage);

        stage.TurnPage(Forward);
        ASSERT_EQ(balloon.x, 103);
        ASSERT_EQ(cone.y, 400);
        // The balloon's string on the walker, or far from it.
        bag.hotspot[6] = takenBy == CharFly ? RECT{183, 439, 213, 469} : RECT{};
        stage.Interact();
        ASSERT_EQ(L.charState, takenBy);
        ASSERT_FALSE(common.placedGate);
        for (int i = 0; i < 2; ++i)
            stage.TurnPage(Forward);
        ASSERT_EQ(balloon.x, 103); // it stood still while the hero flew or rode the sail
        for (int i = 0; i < 3; ++i)
            stage.TurnPage(Backward);

        WorldSnapshot after = WorldSnapshot::Take(stage);
        // The stop's card and the count of attempts are the player's, not the page's.
        after.level.notices = before.level.notices;
        after.level.stops = before.level.stops;
        EXPECT_EQ(after.Diff(before), "");
        EXPECT_EQ(balloon.x, 123);
        EXPECT_EQ(cone.y, 380);
    }
}

// The hero lies lost at the first picture of its animation. The troll knocks the walker down with
// the gates left as they were (open, or three shut while a sequence holds the world); the other
// lost states shut them all as they begin. The turn forward shuts them all before anything moves,
// and the turns back hold the world still as well; back at the first picture the gates are again
// as they stood there. So for the hero who landed and blinks: his first blink shuts them. And for
// the lever: C4 starting it shuts three, but a rule before it in the same frame (the sun put down
// on the hero) may have shut all four.
TEST_F(LevelUndoTest, AnimationTurnedBackToItsFirstPictureGivesTheGatesBack) {
    struct Case {
        const char* what;
        int32_t state;
        int32_t gates; // GateBits at the first picture
    } const cases[] = {{"the troll, walking", CharKnockedDown, 15},
                       {"the troll, during a sequence", CharKnockedDown, 8},
                       {"the pit", CharPit, 0},
                       // Landed from the carried path on the turn the lift's end opened the world:
                       // the first blink shuts it.
                       {"landed, blinking", CharBlink, 15},
                       {"the lever, C4 alone", CharLever, 8},
                       {"the lever, over the sun's slip", CharLever, 0}};
    for (const Case& c : cases) {
        for (const int turns : {1, 2}) {
            SCOPED_TRACE(::testing::Message() << c.what << ", " << turns << " turns");
            HideAll(stage);
            common.page = 20;
            L.charState = c.state;
            L.chars[c.state].frames = 3;
            L.chars[c.state].frame = 0;
            L.counters.blinkCount = 0;
            Show(stage, 0, 500, 20); // the scenery: held still on every turn
            SetGates(common, c.gates);
            const WorldSnapshot before = WorldSnapshot::Take(stage);
            for (int i = 0; i < turns; ++i) {
                stage.TurnPage(Forward);
                EXPECT_TRUE(AllClosed());
            }
            for (int i = 0; i < turns; ++i)
                stage.TurnPage(Backward);
            EXPECT_EQ(L.backs[0].x, 500);
            EXPECT_EQ(GateBits(common), c.gates);
            EXPECT_EQ(WorldSnapshot::Take(stage).Diff(before), "");
        }
    }
}
