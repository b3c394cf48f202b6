#pragma once
// Small pieces every part of the level's step uses: the motion gates, frame stepping, and the
// bag's item fields as the level's rules read them.
#include "platform/Types.h"
#include "services/CCommon.h"
#include "services/InventoryBag.h"
#include <cstdint>

// The motion gates: the world stands still while the character plays a special animation.
inline void CloseAllGates(CCommon& c) {
    c.placedGate = c.backGate = c.itemGate = c.collGate = 0;
}
inline void OpenAllGates(CCommon& c) {
    c.placedGate = c.backGate = c.itemGate = c.collGate = 1;
}
// The three gates of the world without the put-down items.
inline void CloseThreeGates(CCommon& c) {
    c.backGate = c.itemGate = c.collGate = 0;
}
inline void OpenThreeGates(CCommon& c) {
    c.backGate = c.itemGate = c.collGate = 1;
}

// The four gates as one value (back, item, coll, placed: bits 0..3), to keep and give back.
inline int32_t GateBits(const CCommon& c) {
    return (c.backGate ? 1 : 0) | (c.itemGate ? 2 : 0) | (c.collGate ? 4 : 0) |
           (c.placedGate ? 8 : 0);
}
inline void SetGates(CCommon& c, int32_t bits) {
    c.backGate = (bits & 1) ? 1 : 0;
    c.itemGate = (bits & 2) ? 1 : 0;
    c.collGate = (bits & 4) ? 1 : 0;
    c.placedGate = (bits & 8) ? 1 : 0;
}

// Cyclic animation steps; with no frames at all the frame stays 0.
inline void StepCyclicForward(int32_t& frame, int32_t frames) {
    frame = frame < frames - 1 ? frame + 1 : 0;
}
inline void StepCyclicBackward(int32_t& frame, int32_t frames) {
    frame = frame >= 1 ? frame - 1 : (frames > 0 ? frames - 1 : 0);
}

inline bool Overlaps(const RECT& a, const RECT& b) {
    return IntersectRect(nullptr, a, b);
}

// The items that have placement flags (the five pieces of collision object 6) and a hotspot.
constexpr int kPieceItems[5] = {1, 3, 4, 6, 8};
constexpr int kHotspotItems[7] = {0, 1, 3, 4, 6, 8, 7};

inline int PieceIndex(int item) {
    for (int i = 0; i < 5; ++i)
        if (kPieceItems[i] == item) return i;
    return -1;
}
// First placement flag: the piece sits in its place on C6. Second: it was put there.
inline uint8_t& FirstPlacementFlag(InventoryBag& bag, int item) {
    return bag.placementFlags[2 * PieceIndex(item)];
}
inline uint8_t& SecondPlacementFlag(InventoryBag& bag, int item) {
    return bag.placementFlags[2 * PieceIndex(item) + 1];
}
inline const RECT& Hotspot(const InventoryBag& bag, int item) {
    for (int i = 0; i < 7; ++i)
        if (kHotspotItems[i] == item) return bag.hotspot[i];
    return bag.items[item].hit; // items without a hotspot use their hit rectangle
}

// B93 or B94 lifting C20's load: waiting to start, 4, or lifting, 3.
inline bool Lifting(const LevelState& L) {
    for (int lifter : {93, 94})
        if (L.backs[lifter].state == 3 || L.backs[lifter].state == 4) return true;
    return false;
}

// A later step of B91 found the world open on the turn that led to `page`: the character's turn
// had opened it again (the carried path ended), and it moved until B91 shut it.
inline bool B91StepFoundTheWorldOpen(const LevelState& L, int32_t page) {
    const int32_t found = L.stamps.b91StepFoundOpen;
    return found != kNoStamp && found == page - 1;
}

// The lift holds the world on the turn that led to `page`: B91's last step shut it, and only the
// lift's end opens it again, unless the character's turn opened it before (the lift then noted
// the page, and the world moves from there on).
inline bool LiftHoldsTheWorld(const LevelState& L, int32_t page) {
    return Lifting(L) && L.stamps.liftFoundOpen == kNoStamp && !B91StepFoundTheWorldOpen(L, page);
}

// B91 carrying C20's load past its first step: the step before shut the world, so the turn
// that led to `page` held it still (the first step, the turn after the load, moved it until B91
// shut it; so did a later step that found the world opened again).
inline bool LoadHoldsTheWorld(const LevelState& L, int32_t page) {
    const int32_t loaded = L.colls[20].pageStamp;
    return (L.flags.itemUse13 || L.flags.itemUse10) && L.backs[91].state == 3 &&
           loaded != kNoStamp && loaded < page - 1 && !B91StepFoundTheWorldOpen(L, page);
}

// The lift ended on the turn that led to `page`: the world stood still on that turn until the
// lift's end opened it, after the objects before the lift had had their turn (unless the lift
// had found it opened again before).
inline bool LiftEndedOnTheTurnBefore(const LevelState& L, int32_t page) {
    return L.stamps.b93b94End != kNoStamp && L.stamps.b93b94End == page - 1 &&
           L.stamps.liftFoundOpen == kNoStamp;
}

// Whether the world already stood still when C0, C1 or C24 began its sequence.
inline uint8_t& StartedStill(LevelFlags& flags, int coll) {
    return coll == 0 ? flags.c0StartedStill
                     : (coll == 1 ? flags.c1StartedStill : flags.c24StartedStill);
}
inline int32_t& SequenceEndGates(LevelValues& values, int coll) {
    return coll == 0 ? values.c0EndGates : (coll == 1 ? values.c1EndGates : values.c24EndGates);
}

// Where an item was put down: the tearing record's place plus its offsets.
inline POINT PutDownPoint(const InventoryBag& bag, int item) {
    const TearingObj& t = bag.tearingObj[item];
    return POINT{t.x + t.offX, t.y + t.offY};
}
inline int32_t PlacePage(const InventoryBag& bag, int item) {
    return bag.tearingObj[item].placePage;
}

// The head's picture changes, kept so that turning back gives each one back (latest last; when
// full, the oldest is forgotten).
inline void RecordHeadChange(LevelState& level, int32_t page, bool wrap) {
    LevelValues& v = level.values;
    if (v.headChangeCount >= LevelValues::kHeadChanges) {
        for (int i = 1; i < LevelValues::kHeadChanges; ++i)
            v.headChanges[i - 1] = v.headChanges[i];
        v.headChangeCount = LevelValues::kHeadChanges - 1;
    }
    v.headChanges[v.headChangeCount++] = HeadChange{page, level.headIndex, uint8_t(wrap ? 1 : 0)};
}
// Takes back the latest change if it is of that kind and was made on `page`; false otherwise.
inline bool TakeHeadChangeBack(LevelState& level, int32_t page, bool wrap) {
    LevelValues& v = level.values;
    if (v.headChangeCount <= 0) return false;
    const HeadChange& latest = v.headChanges[v.headChangeCount - 1];
    if (latest.page != page || latest.wrap != (wrap ? 1 : 0)) return false;
    HeadChange& last = v.headChanges[--v.headChangeCount];
    level.headIndex = last.before;
    last = HeadChange{};
    return true;
}
