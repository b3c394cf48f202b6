// The saved world of a level: taken, compared field by field, and put back.
#include "TestSupport.h"
#include "scenes/level/CStage_One.h"
#include "scenes/level/LevelSnapshot.h"
#include "services/CCommon.h"
#include <gtest/gtest.h>

TEST_F(HeadlessTest, SnapshotNamesTheFirstDifferenceAndRestoresTheWholeWorld) {
    CStage_One stage;
    InventoryBag& bag = InventoryBag::Instance();
    const LevelSnapshot start = TakeSnapshot(stage);
    EXPECT_EQ(FirstDifference(start, start), "");

    stage.level.stamps.c7Used = 12;
    EXPECT_EQ(FirstDifference(start, TakeSnapshot(stage)), "stamps.c7Used: -1 vs 12");
    stage.level.colls[3].frame = 2;
    EXPECT_EQ(FirstDifference(start, TakeSnapshot(stage)), "colls[3].frame: 0 vs 2");
    CCommon::Instance().collGate = 0;
    bag.items[6].state = ItemPlaced;
    bag.slots[2].occupied = 1;
    const LevelSnapshot changed = TakeSnapshot(stage);
    EXPECT_FALSE(changed == start);

    RestoreSnapshot(start, stage);
    EXPECT_EQ(FirstDifference(start, TakeSnapshot(stage)), "");
    EXPECT_EQ(CCommon::Instance().collGate, start.common.collGate);
    EXPECT_EQ(bag.slots[2].occupied, 0);
    RestoreSnapshot(changed, stage);
    EXPECT_TRUE(TakeSnapshot(stage) == changed);
    EXPECT_EQ(bag.items[6].state, ItemPlaced);
}
