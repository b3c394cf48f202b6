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
        auto wake = [&](int slot, int32_t x, int32_t state) -> CollObj& {
            CollObj& o = L.colls[slot];
            o = CollObj{};
            o.x = x;
            o.y = 200;
            o.frames = 5;
            o.step = 20;
            o.state = state;
            return o;
        };
        wake(c.held, 400, 2).frame = 2;
        wake(c.before, 100, 1);
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
