// The bag's items on the pages: loose ones scroll with the world, put-down ones fall and drift.
#include "scenes/level/CStage_One.h"
#include "scenes/level/LevelCommon.h"
#include "services/OnScreen.h"
#include <cmath>
#include <cstddef>

namespace {

constexpr int32_t kGroundLine = 570; // an item rests on the page when y = 570 - its drawn height
constexpr int32_t kFallStep = 20;
constexpr int32_t kHopDrift = 30; // I12's pace once it has left its path
constexpr float kI0Turn = 0.5f;
constexpr float kI12Turn = 0.7f;

// I12's hop: offsets from where it landed, by hop step.
constexpr POINT kHop[] = {
    {0, 0},     {18, -88},  {52, -165}, {110, -223}, {197, -196}, {254, -142},
    {291, -71}, {329, 0},   {373, -61}, {419, -111}, {479, -105}, {518, -54},
    {559, 2},   {622, -34}, {681, -23}, {724, 2},    {769, -3},
};
constexpr int32_t kHopLastStep = 16;

struct I9Key {
    int32_t x, y, frame;
};
// I9's flight over the page, by path step. Step 0 is where it takes the path: drifting 20 px a
// page from its start in the data (a whole number of pages right of x 750), it first stands at or
// left of x 759 at x 750, so turning back off the path puts it there again.
constexpr I9Key kI9Path[] = {
    {750, 154, 0}, {627, 45, 1}, {500, -40, 0}, {355, -80, 1}, {275, 35, 0},
    {161, 124, 1}, {85, 58, 0},  {25, 100, 1},  {-74, 164, 0}, {-150, 164, 1},
};
constexpr int32_t kI9LastStep = 9;
constexpr int32_t kI9PathStartX = 759; // it takes its path once it has come this far in
constexpr int32_t kI9PathEndX = -179;

template <size_t N> constexpr bool InTable(const auto(&)[N], int32_t n) {
    return n >= 0 && n < static_cast<int32_t>(N);
}

// Rotations turn by whole units so that turning back gives the very same float again.
void Rotate(float& rotation, float unit, int32_t units) {
    const long n = std::lround(rotation / unit) + units;
    rotation = static_cast<float>(static_cast<double>(n) * unit);
}
bool TurnedAboveZero(float rotation, float unit) {
    return std::lround(rotation / unit) > 0;
}

struct Pass {
    CStage_One& s;
    LevelState& level;
    CCommon& common;
    InventoryBag& bag;
    int32_t page; // the page before this turn's change

    TearObj& Item(int k) { return bag.items[k]; }
    int32_t Ground(int k) { return kGroundLine - bag.items[k].dh; }
};

using ItemRule = void (*)(Pass&, int);

enum Variant { A, B };

// --- Movement kinds ---

void Kind0(Pass& p, int k) {
    p.Item(k).x -= p.Item(k).step;
}
void Kind1(Pass& p, int k) {
    p.Item(k).x += p.Item(k).step;
}

// Items 2 and 5 change their picture while they drift, each frame change stamped.
void StampFrameChange(Pass& p, int32_t& frame, int32_t* changedAt) {
    frame = frame < 0 ? 0 : frame + 1;
    changedAt[frame] = p.page;
}
void StepFramesOnDrift(Pass& p, int k) {
    if (k == 2 && p.bag.tearingObj[2].y < 400 && p.bag.item2Frame < 3) {
        StampFrameChange(p, p.bag.item2Frame, p.level.stamps.item2FrameAt);
    } else if (k == 5) {
        if (p.bag.item5Frame < 2)
            StampFrameChange(p, p.bag.item5Frame, p.level.stamps.item5FrameAt);
        else if (p.level.stamps.item5Extra == kNoStamp)
            p.level.stamps.item5Extra = p.page;
    }
}
// Takes back the frame change made on the turn undone, if there was one.
void UndoFramesOnDrift(Pass& p, int32_t& frame, int32_t* changedAt) {
    if (frame < 0) return;
    int32_t& stamp = changedAt[frame];
    if (stamp == kNoStamp || stamp < p.page - 1) return;
    stamp = kNoStamp;
    if (frame > 0) --frame;
}

// Fall to the ground, then drift.
void Kind2(Pass& p, int k, Variant v) {
    TearObj& it = p.Item(k);
    if (p.page < PlacePage(p.bag, k)) return;
    if (it.y < p.Ground(k)) {
        it.y += kFallStep;
        return;
    }
    if (v == A) {
        it.x += it.step;
        // I0 rolls on every drift step, on or off the page: the page switches its state by view
        // between turns, so a turn back across the page's edge must turn it back as well.
        if (k == 0) Rotate(p.bag.item0Rotation, kI0Turn, 1);
    } else {
        it.x -= it.step;
        StepFramesOnDrift(p, k);
    }
}

// Rise back to the put-down point.
void Rise(Pass& p, int k) {
    if (p.Item(k).y > PutDownPoint(p.bag, k).y) p.Item(k).y -= kFallStep;
}

// The inverse of kind 2: drift back to the put-down x, then rise to the put-down point.
void Kind3(Pass& p, int k, Variant v) {
    TearObj& it = p.Item(k);
    const POINT put = PutDownPoint(p.bag, k);
    if (v == A) {
        if (it.x > put.x) {
            it.x -= it.step;
            if (k == 0) Rotate(p.bag.item0Rotation, kI0Turn, -1);
        } else {
            Rise(p, k);
        }
        return;
    }
    if (k == 2) UndoFramesOnDrift(p, p.bag.item2Frame, p.level.stamps.item2FrameAt);
    if (k == 5) UndoFramesOnDrift(p, p.bag.item5Frame, p.level.stamps.item5FrameAt);
    if (it.x < put.x)
        it.x += it.step;
    else
        Rise(p, k);
}

void Kind5Fall(Pass& p, int k) {
    if (p.page >= PlacePage(p.bag, k) && p.Item(k).y < p.Ground(k)) p.Item(k).y += kFallStep;
}

// --- I12's hop (kind 6) ---

void ApplyHop(Pass& p, int32_t step) {
    if (!InTable(kHop, step)) return;
    TearObj& it = p.Item(12);
    it.x = p.level.values.i12LandX + kHop[step].x;
    it.y = p.level.values.i12LandY + kHop[step].y;
}

void HopForward(Pass& p, int k) {
    TearObj& it = p.Item(k);
    LevelValues& v = p.level.values;
    LevelFlags& f = p.level.flags;
    if (p.page < PlacePage(p.bag, k)) return;
    if (!f.i12Landed) {
        if (it.y < p.Ground(k)) {
            it.y += kFallStep;
            return;
        }
        v.i12LandX = it.x;
        v.i12LandY = it.y;
        v.i12HopStep = 1;
        ApplyHop(p, 1);
        Rotate(p.bag.item12Rotation, kI12Turn, 1);
        f.i12Landed = 1;
        return;
    }
    // Turns on every step, on or off the page, as I0 does.
    Rotate(p.bag.item12Rotation, kI12Turn, 1);
    if (f.i12PastPath) {
        it.x += kHopDrift;
    } else if (v.i12HopStep < kHopLastStep) {
        v.i12HopStep = v.i12HopStep < 0 ? 1 : v.i12HopStep + 1;
        ApplyHop(p, v.i12HopStep);
    } else {
        f.i12PastPath = 1;
        it.x += kHopDrift;
        p.level.stamps.item12Path = p.page;
    }
}

void HopBackward(Pass& p, int k) {
    TearObj& it = p.Item(k);
    LevelValues& v = p.level.values;
    LevelFlags& f = p.level.flags;
    const POINT put = PutDownPoint(p.bag, k);
    if (it.x > put.x) {
        Rotate(p.bag.item12Rotation, kI12Turn, -1);
        if (f.i12PastPath) {
            it.x -= kHopDrift;
            if (p.level.stamps.item12Path == p.page - 1) {
                f.i12PastPath = 0;
                p.level.stamps.item12Path = kNoStamp;
            }
        } else if (v.i12HopStep > 0) {
            v.i12HopStep = v.i12HopStep > kHopLastStep ? kHopLastStep : v.i12HopStep - 1;
            ApplyHop(p, v.i12HopStep);
            if (v.i12HopStep == 0) { // back before the landing: the landing point goes too
                f.i12Landed = 0;
                v.i12LandX = v.i12LandY = 0;
            }
        }
    } else if (it.y > put.y) {
        if (TurnedAboveZero(p.bag.item12Rotation, kI12Turn))
            Rotate(p.bag.item12Rotation, kI12Turn, -1);
        it.y -= kFallStep;
    }
}

// --- Put-down items (state 3 or 4), forward ---

void PlacedFallRightA(Pass& p, int k) {
    if (p.common.placedGate) Kind2(p, k, A);
}
void PlacedFallLeftB(Pass& p, int k) {
    if (p.common.placedGate) Kind2(p, k, B);
}
// The five pieces of C6: once in their place on it they move with it.
void PieceForward(Pass& p, int k) {
    if (FirstPlacementFlag(p.bag, k)) {
        if (p.common.collGate) Kind0(p, k);
    } else {
        PlacedFallLeftB(p, k);
    }
}
void I9PlacedForward(Pass& p, int k) {
    if (!p.common.placedGate) return;
    Kind0(p, k);
    p.bag.item9Frame = p.bag.item9Frame == 0 ? 1 : 0;
}
void I11PlacedForward(Pass& p, int k) {
    if (p.common.placedGate) Kind0(p, k);
}
void I12PlacedForward(Pass& p, int k) {
    if (p.common.placedGate) HopForward(p, k);
}
void I13PlacedForward(Pass& p, int k) {
    TearObj& it = p.Item(k);
    if (!p.common.placedGate || p.page < PlacePage(p.bag, k)) return;
    if (it.y < p.Ground(k)) {
        Kind5Fall(p, k);
        return;
    }
    if (p.bag.item13Frame != 0) {
        Kind2(p, k, B);
        return;
    }
    // Landed unmet: it sets C11 going, or (put down high) shows B27.
    it.state = ItemUsedUp;
    if (PutDownPoint(p.bag, k).y >= 350) {
        CollObj& c11 = p.level.colls[11];
        if (c11.state == 6) {
            c11.state = 1;
            c11.x = it.x - 280;
            c11.y = it.y + 19;
            p.level.stamps.c11Going = p.page;
        }
    } else {
        BackObj& b27 = p.level.backs[27];
        if (b27.state == 2) {
            b27.state = 4;
            b27.x = it.x - 34;
            b27.y = it.y - 298;
            p.level.stamps.b27Shown = p.page;
        }
    }
}
void I14PlacedForward(Pass& p, int k) {
    TearObj& it = p.Item(k);
    if (p.page < PlacePage(p.bag, k)) return;
    it.state = ItemUsedUp;
    CollObj& c13 = p.level.colls[13];
    if (c13.state == 6) {
        c13.state = 1;
        c13.x = it.x;
        c13.y = it.y;
        c13.frame = 0; // its loop starts afresh: where it stood when last waiting is not kept
    }
}

// --- Put-down items, backward ---

void PlacedRiseA(Pass& p, int k) {
    if (p.common.placedGate) Kind3(p, k, A);
}
void PlacedRiseB(Pass& p, int k) {
    if (p.common.placedGate) Kind3(p, k, B);
}
void PieceBackward(Pass& p, int k) {
    if (FirstPlacementFlag(p.bag, k)) {
        if (p.common.collGate) Kind1(p, k);
    } else {
        PlacedRiseB(p, k);
    }
}
void I9PlacedBackward(Pass& p, int k) {
    if (!p.common.placedGate) return;
    Kind1(p, k);
    p.bag.item9Frame = p.bag.item9Frame == 0 ? 1 : 0; // its two frames, kept inside them
}
void I11PlacedBackward(Pass& p, int k) {
    if (p.common.placedGate) Kind1(p, k);
}
void I12PlacedBackward(Pass& p, int k) {
    if (p.common.placedGate) HopBackward(p, k);
}
void I13PlacedBackward(Pass& p, int k) {
    if (!p.common.placedGate) return;
    if (p.bag.item13Frame != 0)
        Kind3(p, k, B);
    else
        Rise(p, k);
}
void NoRule(Pass&, int) {}

struct PlacedRule {
    ItemRule forward, backward;
};
constexpr PlacedRule kPlaced[InventoryBag::kItems] = {
    {PlacedFallRightA, PlacedRiseA},     // I0
    {PieceForward, PieceBackward},       // I1
    {PlacedFallLeftB, PlacedRiseB},      // I2
    {PieceForward, PieceBackward},       // I3
    {PieceForward, PieceBackward},       // I4
    {PlacedFallLeftB, PlacedRiseB},      // I5
    {PieceForward, PieceBackward},       // I6
    {PlacedFallLeftB, PlacedRiseB},      // I7
    {PieceForward, PieceBackward},       // I8
    {I9PlacedForward, I9PlacedBackward}, // I9
    {PlacedFallLeftB, PlacedRiseB},      // I10
    {I11PlacedForward, I11PlacedBackward},
    {I12PlacedForward, I12PlacedBackward},
    {I13PlacedForward, I13PlacedBackward},
    {I14PlacedForward, NoRule}, // once it has set C13 going it is out of play
};

// --- Loose items (states 0, 1, 6, 7), while itemGate is open ---

void ApplyI9Key(Pass& p, int32_t step) {
    if (!InTable(kI9Path, step)) return;
    TearObj& it = p.Item(9);
    it.x = kI9Path[step].x;
    it.y = kI9Path[step].y;
    p.bag.item9Frame = kI9Path[step].frame;
}
void I9LooseForward(Pass& p, int k) {
    int32_t& step = p.level.values.i9PathStep;
    if (p.Item(k).x > kI9PathStartX || step >= kI9LastStep) {
        Kind0(p, k);
        return;
    }
    step = step < 0 ? 1 : step + 1;
    ApplyI9Key(p, step);
}
void I9LooseBackward(Pass& p, int k) {
    int32_t& step = p.level.values.i9PathStep;
    // On the path it stands on its step's keyframe; past the path's end it drifts on.
    const bool onPath = InTable(kI9Path, step) && p.Item(k).x == kI9Path[step].x;
    if (p.Item(k).x >= kI9PathEndX && step > 0 && onPath) {
        step = step > kI9LastStep ? kI9LastStep : step - 1;
        ApplyI9Key(p, step);
    } else {
        Kind1(p, k);
    }
}
void AlternateI12Frame(Pass& p) {
    p.bag.item12Frame = p.bag.item12Frame == 1 ? 2 : 1;
}
void I12LooseForward(Pass& p, int k) {
    AlternateI12Frame(p);
    Kind1(p, k);
}
void I12LooseBackward(Pass& p, int k) {
    AlternateI12Frame(p);
    Kind0(p, k);
}
void I13LooseForward(Pass& p, int k) {
    TearObj& it = p.Item(k);
    if (it.x < 710 && p.bag.item13Frame == 0 && it.state == ItemVisible) {
        it.state = ItemUsedUp;
        CollObj& c11 = p.level.colls[11];
        if (c11.state == 6) {
            c11.state = 1;
            c11.x = it.x - 280;
            c11.y = it.y + 19;
            p.level.stamps.c11Going = p.page;
        }
    }
    Kind0(p, k);
}

struct LooseRule {
    ItemRule forward, backward;
};
constexpr LooseRule kWorldScroll{Kind0, Kind1};
constexpr LooseRule kLoose[InventoryBag::kItems] = {
    kWorldScroll,
    kWorldScroll,
    kWorldScroll,
    kWorldScroll,
    kWorldScroll,
    kWorldScroll,
    kWorldScroll,
    kWorldScroll,
    kWorldScroll,
    {I9LooseForward, I9LooseBackward},
    kWorldScroll,
    kWorldScroll,
    {I12LooseForward, I12LooseBackward},
    {I13LooseForward, Kind1},
    kWorldScroll,
};

bool IsPlaced(int32_t state) {
    return state == ItemPlaced || state == ItemPlacedOff;
}
bool IsLoose(int32_t state) {
    return state == ItemLoose || state == ItemVisible || state == ItemNotInPlay ||
           state == ItemUsedUp;
}

Pass MakePass(CStage_One& s) {
    CCommon& common = CCommon::Instance();
    return Pass{s, s.level, common, InventoryBag::Instance(), common.page};
}

} // namespace

void CStage_One::ItemsForward() {
    Pass p = MakePass(*this);
    for (int k = 0; k < InventoryBag::kItems; ++k) {
        const int32_t state = p.Item(k).state;
        if (IsPlaced(state))
            kPlaced[k].forward(p, k);
        else if (IsLoose(state) && p.common.itemGate)
            kLoose[k].forward(p, k);
    }
}

void CStage_One::ItemsBackward() {
    Pass p = MakePass(*this);
    for (int k = 0; k < InventoryBag::kItems; ++k) {
        TearObj& it = p.Item(k);
        const bool wasOnPage = !GoesOffScreen(it.x, it.dw);
        if (it.state == ItemFallen) {
            if (k == 13) it.state = ItemPlaced; // back to lying where it fell
        } else if (IsPlaced(it.state)) {
            kPlaced[k].backward(p, k);
        } else if (IsLoose(it.state) && p.common.itemGate) {
            kLoose[k].backward(p, k);
        }
        // Going forward, an item that comes on the page is seen by the rules only from the
        // second frame on (the page switches it after the frame's rules). Turning back, one that
        // leaves the page on this turn is off it at once, so no rule sees it on the frame after.
        if (wasOnPage && GoesOffScreen(it.x, it.dw)) {
            if (it.state == ItemVisible) it.state = ItemLoose;
            if (it.state == ItemPlaced) it.state = ItemPlacedOff;
        }
    }
}
