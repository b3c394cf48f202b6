#pragma once
// Shared between the background files: one page turn's view of the world as the background
// objects' rules see it, and the table of each object's own rule in states 0 and 1.
#include "scenes/level/CStage_One.h"
#include "scenes/level/LevelCommon.h"

struct BackTurn {
    CStage_One& stage;
    LevelState& L;
    CCommon& common;
    InventoryBag& bag;
    int32_t page; // the page before this turn's step

    BackObj& B(int k) { return L.backs[k]; }
    CollObj& C(int k) { return L.colls[k]; }
    TearObj& I(int k) { return bag.items[k]; }
};

inline BackTurn MakeBackTurn(CStage_One& stage) {
    CCommon& common = CCommon::Instance();
    return BackTurn{stage, stage.level, common, InventoryBag::Instance(), common.page};
}

// Counter cycles that stay inside 0..n-1 whatever value they start from.
inline void CycleUp(int32_t& v, int32_t n) {
    v = (v >= 0 && v < n - 1) ? v + 1 : 0;
}
inline void CycleDown(int32_t& v, int32_t n) {
    v = (v >= 1 && v <= n - 1) ? v - 1 : n - 1;
}

using BackRule = void (*)(BackTurn&, BackObj&);
struct BackRulePair {
    BackRule forward = nullptr; // nullptr: the object just scrolls by its step
    BackRule backward = nullptr;
};
// The own rule of background object `slot` in states 0 and 1.
const BackRulePair& BackObjectRule(int slot);

// The turn back over the one that assembled C6 (B14 shown in its stead) takes the assembly back:
// true then. B14's own backward rule does it while the world moves; the second undo checks
// while it stands still.
bool C6AssemblyUndo(BackTurn& t);

// The turn back over the one on which C7 or C8 set B16 going: B16 hides again where that found it,
// and the one that set it going stands in the lane again. B16's own backward rule does it while
// the world moves; the second undo checks while it stands still.
void B16SetGoingUndo(BackTurn& t, BackObj& b16);

// Shown by the follow-up check of C9 (forward) and its repetition on backward turns.
void C9LeavesCheck(BackTurn& t, bool forward);
// A turn that crosses back over the turn C9 left on takes the leaving back (true then), before
// the objects' phases; that turn's own leaving check does not run.
bool C9LeavingUndo(BackTurn& t, bool forward);
constexpr int32_t kNoReturnPoint = -500000; // B29 has not yet stood where C13 was
constexpr int32_t kB56FromC14 = 9;          // B56 comes on at C14 x + 9

// On a backward turn: whether collision object `k` found the collision objects' gate open on the
// forward turn taken back, and so drifted on it.
bool CollGateFound(const BackTurn& t, int k);
// On a backward turn: whether it takes back the end of the character's carried path, failed
// climb, climb onto the mount, jump or dismount (the character's turn back has put it back into
// that state). The end opened the gates at the start of the turn taken back, before anything moved.
bool CharacterEndTakenBack(const LevelState& L, int32_t page);
// B29 back at the height it came on at: it hides again and C13, used there, comes back.
void HideB29AtItsStart(BackTurn& t, BackObj& b29);
void HideB31AtItsStart(BackTurn& t, BackObj& b31);
void HideB56AtItsStart(BackTurn& t, BackObj& b56);
void HideB59AtItsStart(BackTurn& t, BackObj& b59);
