// The saved world of a level: taken, compared field by field, and put back.
#include "TestSupport.h"
#include "scenes/level/CStage_One.h"
#include "scenes/level/LevelSnapshot.h"
#include "services/CCommon.h"
#include <cstring>
#include <gtest/gtest.h>
#include <set>

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

// Every part of the bag the level's rules touch: a change to it makes the snapshot differ, is
// named, and is undone by restoring.
TEST_F(HeadlessTest, SnapshotCoversEveryPartOfTheBag) {
    CStage_One stage;
    InventoryBag& bag = InventoryBag::Instance();
    const LevelSnapshot start = TakeSnapshot(stage);
    const struct {
        const char* name;
        void (*change)(InventoryBag&);
    } parts[] = {
        {"bag.items[4].x", [](InventoryBag& b) { b.items[4].x += 3; }},
        {"bag.items[4].y", [](InventoryBag& b) { b.items[4].y += 3; }},
        {"bag.items[4].state", [](InventoryBag& b) { b.items[4].state = ItemPlaced; }},
        {"bag.items[4].hit", [](InventoryBag& b) { b.items[4].hit.right += 3; }},
        {"bag.items[4].placePage", [](InventoryBag& b) { b.tearingObj[4].placePage = 7; }},
        {"bag.items[4].tearX", [](InventoryBag& b) { b.tearingObj[4].x += 3; }},
        {"bag.items[4].tearY", [](InventoryBag& b) { b.tearingObj[4].y += 3; }},
        {"bag.slots[2].item", [](InventoryBag& b) { b.slots[2].item = 9; }},
        {"bag.slots[2].occupied", [](InventoryBag& b) { b.slots[2].occupied = 1; }},
        {"bag.holes[2]", [](InventoryBag& b) { b.holes[2].page = 7; }},
        {"bag.placementFlags[3]", [](InventoryBag& b) { b.placementFlags[3] = 1; }},
        {"bag.hotspot[5]", [](InventoryBag& b) { b.hotspot[5].left += 3; }},
        {"bag.count", [](InventoryBag& b) { b.count += 1; }},
        {"bag.open", [](InventoryBag& b) { b.open = 1; }},
        {"bag.overBag", [](InventoryBag& b) { b.overBag = 1; }},
        {"bag.item13Torn", [](InventoryBag& b) { b.item13Torn = 1; }},
        {"bag.item2Frame", [](InventoryBag& b) { b.item2Frame += 1; }},
        {"bag.item5Frame", [](InventoryBag& b) { b.item5Frame += 1; }},
        {"bag.item7Frame", [](InventoryBag& b) { b.item7Frame += 1; }},
        {"bag.item9Frame", [](InventoryBag& b) { b.item9Frame += 1; }},
        {"bag.item12Frame", [](InventoryBag& b) { b.item12Frame += 1; }},
        {"bag.item13Frame", [](InventoryBag& b) { b.item13Frame += 1; }},
        {"bag.sunFrame", [](InventoryBag& b) { b.sunFrame += 1; }},
        {"bag.item0Rotation", [](InventoryBag& b) { b.item0Rotation += 0.5f; }},
        {"bag.item12Rotation", [](InventoryBag& b) { b.item12Rotation += 0.5f; }},
    };
    for (const auto& part : parts) {
        part.change(bag);
        const LevelSnapshot changed = TakeSnapshot(stage);
        EXPECT_FALSE(changed == start) << part.name;
        EXPECT_EQ(FirstDifference(start, changed).rfind(part.name, 0), 0u)
            << part.name << ": " << FirstDifference(start, changed);
        RestoreSnapshot(start, stage);
        EXPECT_TRUE(TakeSnapshot(stage) == start) << part.name << " not put back";
    }
}

// Every counter of the level's sequences is named on its own when it differs (the undo checks
// name the first difference; "counters: differs" would not say which sequence went wrong).
TEST_F(HeadlessTest, SnapshotNamesEveryCounterOnItsOwn) {
    static_assert(sizeof(LevelCounters) % sizeof(int32_t) == 0);
    constexpr size_t kCounters = sizeof(LevelCounters) / sizeof(int32_t);
    CStage_One stage;
    const LevelSnapshot start = TakeSnapshot(stage);
    std::set<std::string> names;
    for (size_t i = 0; i < kCounters; ++i) {
        int32_t value;
        char* slot = reinterpret_cast<char*>(&stage.level.counters) + i * sizeof(int32_t);
        std::memcpy(&value, slot, sizeof value);
        const int32_t changed = value + 1;
        std::memcpy(slot, &changed, sizeof changed);
        const std::string name = FirstDifference(start, TakeSnapshot(stage));
        EXPECT_EQ(name.rfind("counters.", 0), 0u) << "counter " << i << ": " << name;
        names.insert(name.substr(0, name.find(':')));
        std::memcpy(slot, &value, sizeof value);
    }
    EXPECT_EQ(names.size(), kCounters) << "two counters share a name";
}
