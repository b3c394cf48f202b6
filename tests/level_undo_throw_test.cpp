// B23's throw of C10 turned back.
#include "LevelRoundTrip.h"
#include "level_undo_support.h"

// C10 waits, carried by the world far off the page, while B23 winds up; at the top of the
// wind-up the turn's follow-up throws it to its path's start. The turn back over that gives back
// the waiting C10 where the world had carried it, whether the world moved on the turn back or
// stood still, and whatever picture C9 shows (the path's own rule at its start would make C10
// done then, and it would never be thrown again).
TEST_F(LevelUndoTest, ThrowTurnedBackGivesC10BackWaitingWhereTheWorldCarriedIt) {
    for (const bool held : {false, true}) {
        for (const int32_t c9Frame : {0, 2}) {
            SCOPED_TRACE(::testing::Message()
                         << (held ? "world held" : "world moving") << ", C9 frame " << c9Frame);
            HideAll(stage);
            SetAllAside(stage);
            common.page = 144;
            Show(stage, 23, 400, 20);
            L.values.b23Mode = 1; // winding up, a step below its top
            L.counters.b23Count = 6;
            L.colls[9].frame = c9Frame;
            CollObj& c10 = L.colls[10];
            c10 = CollObj{};
            c10.state = 6;
            c10.x = -2322;
            c10.y = 300;
            c10.step = 20;
            c10.frames = 1;
            L.stamps.c10Thrown = kNoStamp;
            const WorldSnapshot before = WorldSnapshot::Take(stage);

            stage.TurnPage(Forward);
            ASSERT_EQ(c10.state, 1);
            EXPECT_EQ(c10.x, 558);
            EXPECT_EQ(c10.y, 74);
            if (held) CloseAllGates(common); // a lost state, say, holds the turn back still
            stage.TurnPage(Backward);
            EXPECT_EQ(c10.state, 6);
            EXPECT_EQ(c10.x, -2322);
            EXPECT_EQ(c10.y, 300);
            if (!held) EXPECT_EQ(WorldSnapshot::Take(stage).Diff(before), "");
        }
    }
}
