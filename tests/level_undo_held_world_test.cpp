// The turn back over a turn on which C1's or C24's sequence held the world while something else
// opened it first: the objects before the sequence moved on that turn and move back.
#include "LevelRoundTrip.h"
#include "level_undo_support.h"

// The hero at the last picture of the failed climb while C1 or C24 plays its sequence: the turn
// ends the climb, which opens the gates before the collision objects' phase; the objects before the
// sequence drift, the sequence shuts the world again and nothing after it moves. Turning back gives
// the whole world back.
TEST_F(LevelUndoTest, CharacterEndOpeningTheWorldUnderAPlayingSequenceIsTakenBackWhole) {
    struct Case {
        int held;   // C1 or C24, playing
        int before; // an object before it in the loop, drifting with the world
    } const cases[] = {{1, 0}, {24, 12}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "C" << c.held);
        HideAll(stage);
        SetAllAside(stage);
        common.page = 199;
        Show(stage, 0, 500, 20); // the scenery
        Wake(c.held, 400, 2, 5, 20).frame = 2;
        Wake(c.before, 100, 1, 5, 20);
        CharObj& walker = L.chars[CharWalk];
        walker.frames = 5;
        walker.x = 75;
        walker.y = 450;
        L.charState = CharFailedClimb;
        L.chars[CharFailedClimb].frames = 5;
        L.chars[CharFailedClimb].frame = 4; // its last picture: the next turn ends it
        CloseAllGates(common);
        const WorldSnapshot before = WorldSnapshot::Take(stage);

        stage.TurnPage(Forward);
        ASSERT_EQ(L.charState, CharWalk);
        EXPECT_EQ(L.colls[c.before].x, 80);
        EXPECT_EQ(L.colls[c.held].frame, 3);
        EXPECT_EQ(L.backs[0].x, 500);
        EXPECT_FALSE(common.backGate);

        stage.TurnPage(Backward);
        EXPECT_EQ(L.colls[c.before].x, 100);
        EXPECT_EQ(WorldSnapshot::Take(stage).Diff(before), "");
    }
}

// C12 reaches the goose's place in a frame: it is used up and B25 comes down where it stands. The
// turn back gives C12 back there, its picture a step back only if it drifted with the world on
// the turn taken back, and B25 goes up again.
TEST_F(LevelUndoTest, C12ReachedIsGivenBackWithThePictureItHadOnTheTurnTakenBack) {
    for (const bool held : {false, true}) {
        SCOPED_TRACE(held ? "world held" : "world moving");
        HideAll(stage);
        SetAllAside(stage);
        common.page = 81;
        CollObj& c12 = Wake(12, 336, 1, 3, 20);
        L.backs[25].step = 20; // B25 moves with the world once it has come down
        if (held) CloseThreeGates(common);
        stage.TurnPage(Forward);
        ASSERT_EQ(c12.frame, held ? 0 : 1);
        ASSERT_EQ(c12.x, held ? 336 : 316);
        const CollObj reached = c12;

        L.hitC = L.zones[6] = RECT{0, 0, 800, 600}; // the hero at the goose's place
        stage.Interact();
        ASSERT_EQ(c12.state, 5);
        ASSERT_EQ(L.backs[25].state, 1);
        L.hitC = L.zones[6] = RECT{};
        stage.TurnPage(Backward);
        EXPECT_EQ(c12.state, 1);
        EXPECT_EQ(c12.frame, 0);
        EXPECT_EQ(c12.x, 336);
        EXPECT_EQ(c12.y, reached.y);
        EXPECT_EQ(L.backs[25].state, 2); // gone up again, whether the world moved or not
    }
}
