#pragma once
// The whole world of a level being played as one comparable value: the level's own state plus
// the play fields of the book (page, gates, flags) and of the bag (items, slots, frames). Tests,
// the replay tool and the soak run save it, restore it and compare it.
#include "scenes/level/LevelState.h"
#include "services/InventoryBag.h"
#include <string>

class CStage_One;

struct CommonPlay {
    int32_t page = 0;
    int32_t flipAnim = 0;
    int32_t helpStep = 0;
    uint8_t autoFlip = 0, paused = 0, forwardLock = 0, pageTurned = 0, tearing = 0;
    uint8_t backGate = 0, itemGate = 0, collGate = 0, placedGate = 0;
    bool operator==(const CommonPlay&) const = default;
};

// What the level's rules read and write of one bag item.
struct ItemPlay {
    int32_t x = 0, y = 0, state = 0;
    RECT hit;
    int32_t placePage = -1;
    int32_t tearX = 0, tearY = 0; // the tearing record's place (the put-down point less offsets)
    bool operator==(const ItemPlay&) const = default;
};

struct SlotPlay {
    int32_t item = -1;
    uint8_t occupied = 0;
    bool operator==(const SlotPlay&) const = default;
};

struct BagPlay {
    ItemPlay items[InventoryBag::kItems];
    SlotPlay slots[InventoryBag::kItems];
    HoleMark holes[InventoryBag::kItems];
    uint8_t placementFlags[10] = {};
    RECT hotspot[7];
    int32_t count = 0;
    uint8_t open = 0, overBag = 0, item13Torn = 0;
    int32_t item2Frame = 0, item5Frame = 0, item7Frame = 0, item9Frame = 0, item12Frame = 0,
            item13Frame = 0, sunFrame = 0;
    float item0Rotation = 0.0f, item12Rotation = 0.0f;
    bool operator==(const BagPlay&) const;
};

struct LevelSnapshot {
    LevelState level;
    CommonPlay common;
    BagPlay bag;
    bool operator==(const LevelSnapshot&) const = default;
};

LevelSnapshot TakeSnapshot(const CStage_One& stage);
// Puts the saved world back into the scene, the book and the bag.
void RestoreSnapshot(const LevelSnapshot& snapshot, CStage_One& stage);
// The name and both values of the first field that differs ("" when the two are equal).
std::string FirstDifference(const LevelSnapshot& a, const LevelSnapshot& b);
