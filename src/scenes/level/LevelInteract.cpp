// The puzzle rules of the playing frame: put-down items, the character and the level's objects
// tested against each other by rectangle overlap. A rule fires on every frame its condition holds;
// most change a state their own condition needs, so they fire once. Events that turning back must
// undo are stamped with the page they happened on.
#include "scenes/level/CStage_One.h"
#include "scenes/level/LevelCommon.h"
#include <cstddef>
#include <cstdlib>

namespace {

constexpr int32_t kMaxCountedAttempts = 99; // past the third the hints say no more
constexpr int32_t kLossNothingTaken = 1;
constexpr int32_t kLossItemTaken = 5;
constexpr int kLossSlots = 10; // C14 only reaches into the bag's first two pages

// "Use with copy": the object is used up and a copy of B11 is left where it was.
struct CopyUse {
    int coll;
    int copy;
    int32_t dx, dy;
};
constexpr CopyUse kC5Copy{5, 0, 0, 6};
constexpr CopyUse kC21Copy{21, 1, 14, 50};
constexpr CopyUse kC22Copy{22, 2, 0, 26};
constexpr CopyUse kC23Copy{23, 3, -8, 56};
constexpr CopyUse kCopyTrio[] = {kC21Copy, kC22Copy, kC23Copy};

// "Use and reveal": the object is used up and shows a background object waiting in state 2.
struct RevealUse {
    int coll;
    int back;
    int32_t dx, dy;
};
constexpr RevealUse kC10Reveal{10, 31, -14, -22};
constexpr RevealUse kC13Reveal{13, 29, -29, 4};
constexpr RevealUse kC14Reveal{14, 56, 9, 4};
constexpr RevealUse kC15Reveal{15, 59, -122, 4};

// Item 0 knocking the character off the jump: where the thrown picture starts, by jump frame.
constexpr POINT kThrownFromJump[] = {{-22, 76}, {-4, 10}, {-24, 0}, {0, 0}, {0, 34}};

// Item 0 hitting the dismount, by its frame: thrown (state 8) early, knocked down (state 1) once
// off the mount, which also drops B3 there.
struct DismountHit {
    int32_t state;
    int32_t dx, dy;
};
constexpr DismountHit kDismountHits[] = {{CharThrown, -36, 38},
                                         {CharThrown, -14, 38},
                                         {CharKnockedDown, 142, 100},
                                         {CharKnockedDown, 234, 134},
                                         {CharKnockedDown, 274, 158}};

// The five pieces of C6: how high each may lie to still act loose, whether it also stops C24, and
// its place on C6 (-1: C6's own hit area, else a zone).
struct Piece {
    int item;
    int32_t yLimit;
    bool stopsC24;
    int place;
};
constexpr Piece kPieces[] = {
    {1, 440, false, -1}, {3, 405, false, 1}, {4, 405, false, 2},
    {6, 410, true, 3},   {8, 390, true, 4},
};

// The two loads C20 can take, each with the flag that tells the frame update to watch it.
struct C20Load {
    int item;
    uint8_t LevelFlags::*flag;
};
constexpr C20Load kC20Loads[] = {{13, &LevelFlags::itemUse13}, {10, &LevelFlags::itemUse10}};

template <typename T, std::size_t N> const T* Entry(const T (&table)[N], int32_t index) {
    return index >= 0 && static_cast<std::size_t>(index) < N ? &table[index] : nullptr;
}

// One frame's view of the level, the bag and the book, with the named effects of the rules.
struct Rules {
    LevelState& L;
    InventoryBag& bag;
    CCommon& common;
    int32_t page;
    // The world stood still on the turn that led to this page: the hero rides the carried path
    // (past its first step, each of its turns shuts the gates), or lies lost past the first
    // frame of its animation (each frame forward shuts them all), or B93 or B94 lifts C20's load.
    bool stoodStill;

    CollObj& C(int k) { return L.colls[k]; }
    BackObj& B(int k) { return L.backs[k]; }
    TearObj& I(int k) { return bag.items[k]; }
    CharObj& Char(int k) { return L.chars[k]; }
    bool InState(int coll, int32_t state) { return C(coll).state == state; }
    bool ReadyAtRest(int coll) { return C(coll).state == 1 && C(coll).frame == 0; }
    bool PutDownEarlier(int item) const { return PlacePage(bag, item) < page; }
    bool PutDownHere(int item) const { return PlacePage(bag, item) == page; }
    bool Placed(int item) { return I(item).state == ItemPlaced; }
    bool PlacedEarlier(int item) { return Placed(item) && PutDownEarlier(item); }
    void ArmNotice(uint8_t Notices::*arm) { L.notices.*arm = 1; }
    // The hero met a stop: its card explains it, and each attempt brings a nearer hint.
    void Stopped(StopKind kind) {
        L.stops.last = kind;
        int32_t& n = L.stops.attempts[kind];
        if (n < kMaxCountedAttempts) ++n;
    }

    void Show(BackObj& b, int32_t x, int32_t y) {
        b.state = 1;
        b.x = x;
        b.y = y;
    }
    // A background object waiting in state 2 comes on at (x, y); otherwise it is left alone.
    void Reveal(int back, int32_t x, int32_t y) {
        if (B(back).state == 2) Show(B(back), x, y);
    }

    // C0, C1 and C24 hold the world still while their sequence plays.
    void StartSequence(int coll) {
        StartedStill(L.flags, coll) = stoodStill ? 1 : 0;
        CloseThreeGates(common);
        C(coll).state = 2;
    }

    // The gates the walk had are kept for the turn back (a second knock-down in the same frame
    // finds them shut by the first).
    void KeepWalkingGates() {
        if (L.charState == CharWalk) L.values.knockDownGates = GateBits(common);
    }

    void KnockDown() {
        KeepWalkingGates();
        CloseAllGates(common);
        Char(CharKnockedDown).x = Char(CharWalk).x + 2;
        Char(CharKnockedDown).y = Char(CharWalk).y - 56;
        L.charState = CharKnockedDown;
    }

    void UseWithCopy(const CopyUse& u) {
        CollObj& c = C(u.coll);
        Back11Copy& copy = L.back11Copies[u.copy];
        if (u.coll == kC5Copy.coll) L.values.c5UsedState = c.state;
        c.state = 5;
        if (copy.shown == 2) copy.shown = 1;
        copy.x = c.x + u.dx;
        copy.y = c.y + u.dy;
        if (u.coll == kC5Copy.coll)
            L.stamps.c5Used = page;
        else
            c.pageStamp = page;
    }

    void UseAndReveal(const RevealUse& u) {
        CollObj& c = C(u.coll);
        c.state = 5;
        if (B(u.back).state != 2) return;
        Show(B(u.back), c.x + u.dx, c.y + u.dy);
        if (u.coll == kC10Reveal.coll) L.stamps.c10Used = page;
        if (u.coll == kC14Reveal.coll) L.stamps.c14Used = page;
        if (u.coll == kC15Reveal.coll) L.stamps.c15Used = page;
        if (u.coll != kC13Reveal.coll) return;
        L.values.b29StartY = c.y + 4;
        L.stamps.c13Used = page;
    }

    // The first meeting with C19 is kept with its page, so that turning back over it clears it.
    void MeetC19() {
        if (L.flags.c19Hit) return;
        L.flags.c19Hit = 1;
        L.stamps.c19Hit = page;
    }

    void UseC11() {
        CollObj& c = C(11);
        c.state = 5;
        c.pageStamp = page;
        Reveal(26, c.hit.left, c.hit.top);
    }

    void UseC12() {
        CollObj& c = C(12);
        c.state = 5;
        c.pageStamp = page;
        Reveal(26, c.x, c.y - 38);
    }

    // Item 13 hatches when something meets it while it lies loose or was put down earlier.
    void Item13Meeting(const RECT& r) {
        bool inPlay = I(13).state == ItemVisible || PlacedEarlier(13);
        if (inPlay && bag.item13Frame == 0 && Overlaps(I(13).hit, r)) {
            bag.item13Frame = 1;
            L.stamps.item13Met = page;
        }
    }

    void ObjectHitsByPlacedItem(const RECT& r) {
        Item13Meeting(r);
        if (InState(11, 1) && Overlaps(C(11).hit, r)) UseC11();
        if (InState(12, 1) && Overlaps(C(12).hit, r)) UseC12();
        for (const CopyUse& u : kCopyTrio)
            if (InState(u.coll, 1) && Overlaps(r, C(u.coll).hit)) UseWithCopy(u);
    }

    bool C5Awake() { return C(5).state >= 1 && C(5).state <= 3; }
    void C5Against(const RECT& r) {
        if (C5Awake() && Overlaps(C(5).hit, r)) UseWithCopy(kC5Copy);
    }
    // A piece put down falling on the walker.
    void KnockDownIfWalkerTouches(const RECT& r) {
        if (L.charState == CharWalk && (Overlaps(L.hitA, r) || Overlaps(L.hitB, r))) {
            KnockDown();
            Stopped(StopFallingPiece);
        }
    }

    void BagLossDraw();
    void TakeFromBag(int slot);

    void Item0AgainstObjects();
    void Item0AgainstCharacter();
    void Item11AndPit();
    void C13AtWork();
    void Item5AtWork();
    void Item12AtWork();
    void WalkingCharacter();
    void LoosePiece(const Piece& p);
    void RidingCharacter();
    void C20Loading();
    void C6Places();
    void Item2PrimesC1();
};

// Empties a bag slot properly: the slot, the count and the item agree that the item is gone. An
// item still finishing its tearing animation gets the end of it now (its hole, the book free to
// turn again), or that animation would put it back in the bag's state without a slot.
void Rules::TakeFromBag(int slot) {
    BagSlot& s = bag.slots[slot];
    int item = s.item;
    s.occupied = 0;
    s.item = -1;
    if (bag.count > 0) --bag.count;
    L.values.bagLossSlot = slot;
    L.values.bagLossItem = item;
    if (item < 0 || item >= InventoryBag::kItems) return;
    TearingObj& t = bag.tearingObj[item];
    if (t.playing) {
        bag.holes[item] = HoleMark{t.x, t.y, page};
        bag.tearFrame = 0;
        common.tearing = 0;
        t.playing = 0;
    }
    I(item).state = ItemUsedUp;
}

void Rules::BagLossDraw() {
    bool anyOccupied = false;
    for (int k = 0; k < kLossSlots; ++k)
        if (bag.slots[k].occupied) anyOccupied = true;
    if (!anyOccupied) {
        lossResult = kLossNothingTaken;
        return;
    }
    int k;
    do {
        k = std::rand() % kLossSlots;
    } while (!bag.slots[k].occupied);
    TakeFromBag(k);
    lossResult = kLossItemTaken;
}

// Group 1, first half: the put-down item 0 uses up the objects it touches.
void Rules::Item0AgainstObjects() {
    const RECT& H = Hotspot(bag, 0);
    const RECT& R0 = I(0).hit;
    for (const CopyUse& u : kCopyTrio)
        if (InState(u.coll, 1) && Overlaps(C(u.coll).hit, H)) UseWithCopy(u);
    for (const RevealUse& u : {kC14Reveal, kC15Reveal, kC13Reveal, kC10Reveal})
        if (InState(u.coll, 1) && Overlaps(H, C(u.coll).hit)) UseAndReveal(u);
    Item13Meeting(H);
    if (InState(11, 1) && Overlaps(C(11).hit, R0)) UseC11();
    if (InState(12, 1) && Overlaps(C(12).hit, R0)) UseC12();
    if (InState(9, 1) && I(12).state == ItemVisible && Overlaps(C(9).hit, H)) {
        CollObj& c9 = C(9);
        c9.state = 5;
        I(12).state = ItemUsedUp;
        c9.pageStamp = page;
        Reveal(22, c9.x - 24, c9.y - 5);
        if (B(23).state == 1) B(23).state = 2;
    }
    if (InState(7, 1) && Overlaps(C(7).hit, H)) {
        Show(B(11), C(7).x + 74, C(7).y + 106);
        C(7).state = 5;
        L.stamps.c7Used = page;
    }
    if (InState(8, 1) && Overlaps(C(8).hit, H)) {
        Show(B(11), C(8).x + 50, C(8).y + 106);
        C(8).state = 5;
        L.stamps.c8Used = page;
    }
    for (int k : {0, 24})
        if (ReadyAtRest(k) && Overlaps(C(k).hit, H)) StartSequence(k);
    bool item7InPlay = I(7).state == ItemVisible || PlacedEarlier(7);
    if (bag.item7Frame == 0 && item7InPlay && Overlaps(I(7).hit, H)) {
        bag.item7Frame = 1;
        L.stamps.item7Met = page;
    }
    C5Against(H);
    if (InState(4, 1) && Overlaps(C(4).hit, R0)) {
        C(4).state = 6;
        C(4).pageStamp = page;
    }
    // Not while C1's sequence plays (state 2): used up then, the sequence would never end and
    // the gates it shut would stay shut while the walker walks on; the piece just lies there.
    if ((InState(1, 1) || InState(1, 3)) && Overlaps(C(1).hit, H)) {
        L.stamps.c1Used = page;
        C(1).state = 5;
        Show(B(2), C(1).x, C(1).y);
    }
    if (ReadyAtRest(2) && Overlaps(C(2).hit, H)) {
        L.stamps.c2Marked = page;
        C(2).frame = 1;
    }
}

// Group 1, second half: item 0 against the character in each state it can meet it in.
void Rules::Item0AgainstCharacter() {
    const RECT& R0 = I(0).hit;
    KnockDownIfWalkerTouches(R0);
    if (L.charState == CharCarried && Overlaps(L.hitA, R0)) {
        L.values.fallStartGates = GateBits(common);
        CloseAllGates(common);
        Char(CharFall).x = Char(CharCarried).x - 6;
        Char(CharFall).y = Char(CharCarried).y - 16;
        L.stamps.fallStart = page;
        L.charState = CharFall;
        Stopped(StopWindmillFall);
    }
    if (L.charState == CharRide && (Overlaps(R0, L.hitA) || Overlaps(R0, L.hitC))) {
        CloseAllGates(common);
        Char(CharThrown).x = Char(CharRide).x - 8;
        Char(CharThrown).y = Char(CharRide).y + 37;
        L.charState = CharThrown;
        Stopped(StopThrownOff);
    }
    bool hitsAny = Overlaps(R0, L.hitA) || Overlaps(R0, L.hitB) || Overlaps(R0, L.hitC);
    if (L.charState == CharJump && hitsAny) {
        CloseAllGates(common);
        const CharObj& jump = Char(CharJump);
        if (const POINT* d = Entry(kThrownFromJump, jump.frame)) {
            Char(CharThrown).x = jump.x + d->x;
            Char(CharThrown).y = jump.y + d->y;
        }
        L.charState = CharThrown;
        Stopped(StopThrownOff);
    }
    if (L.charState == CharDismount && hitsAny) {
        CloseAllGates(common);
        const CharObj& dismount = Char(CharDismount);
        if (const DismountHit* h = Entry(kDismountHits, dismount.frame)) {
            CharObj& shown = Char(h->state);
            shown.x = dismount.x + h->dx;
            shown.y = dismount.y + h->dy;
            L.charState = h->state;
            Stopped(StopThrownOff);
            if (h->state == CharKnockedDown) Reveal(3, dismount.x + 6, dismount.y + 172);
        }
    }
    if (L.charState == CharFly && Char(CharFly).frame == 0 &&
        (Overlaps(R0, L.hitA) || Overlaps(R0, L.hitB))) {
        CloseAllGates(common);
        L.stamps.flyFrame = page;
        Char(CharFly).frame = 1;
    }
}

// Group 2: item 11 covers the pit when put down on it; anywhere else it falls out of play.
void Rules::Item11AndPit() {
    if (!PlacedEarlier(11) || L.flags.pitCovered) return;
    if (Overlaps(I(11).hit, L.zones[5])) {
        L.flags.pitCovered = 1;
        L.stamps.item11Zone = page;
        return;
    }
    I(11).state = ItemUsedUp;
    Reveal(30, I(11).x - 27, I(11).y - 8);
}

// Group 3: C13 rolling into C10 or C19.
void Rules::C13AtWork() {
    if (!InState(13, 1)) return;
    if (InState(10, 1) && Overlaps(C(13).hit, C(10).hit)) {
        UseAndReveal(kC10Reveal);
        UseAndReveal(kC13Reveal);
    }
    if (ReadyAtRest(19) && Overlaps(C(19).hit, C(13).hit)) {
        MeetC19();
        UseAndReveal(kC13Reveal);
    }
}

// Group 4: the put-down item 5.
void Rules::Item5AtWork() {
    if (!PlacedEarlier(5)) return;
    const RECT& R = I(5).hit;
    if (InState(10, 1) && Overlaps(C(10).hit, R)) UseAndReveal(kC10Reveal);
    if (ReadyAtRest(19) && Overlaps(C(19).hit, R)) MeetC19();
}

// Group 5: the put-down item 12.
void Rules::Item12AtWork() {
    if (!PlacedEarlier(12)) return;
    const RECT& R = I(12).hit;
    for (const CopyUse& u : kCopyTrio)
        if (InState(u.coll, 1) && Overlaps(R, C(u.coll).hit)) UseWithCopy(u);
    KnockDownIfWalkerTouches(R);
    for (const RevealUse& u : {kC13Reveal, kC14Reveal, kC15Reveal})
        if (InState(u.coll, 1) && Overlaps(C(u.coll).hit, R)) UseAndReveal(u);
    C5Against(R);
}

// Group 6: the walking character meets the level. Several rules may fire in one frame; the last
// one decides the state.
void Rules::WalkingCharacter() {
    if (L.charState != CharWalk) return;
    const CharObj& walker = Char(CharWalk);
    if (ReadyAtRest(24) && Overlaps(L.hitA, L.zones[7])) {
        CloseAllGates(common);
        Char(CharSwept).x = C(24).x + 351;
        Char(CharSwept).y = C(24).y + 32;
        L.charState = CharSwept;
        ArmNotice(&Notices::armGameover1);
        Stopped(StopFirSnow);
    }
    if (PlacedEarlier(9) && (Overlaps(I(9).hit, L.hitB) || Overlaps(I(9).hit, L.hitA))) {
        CloseAllGates(common);
        Char(CharSlip).x = walker.x + 27;
        Char(CharSlip).y = walker.y - 80;
        L.charState = CharSlip;
        Stopped(StopSun);
    }
    if (I(0).state == ItemVisible && Overlaps(L.hitA, I(0).hit)) {
        KnockDown();
        ArmNotice(&Notices::armGameover1);
        Stopped(StopBoulder);
    }
    if (ReadyAtRest(19) && Overlaps(C(19).hit, L.hitB)) {
        KnockDown();
        ArmNotice(&Notices::armGameover3);
        Stopped(StopPineCone);
    }
    if (InState(14, 1) && Overlaps(C(14).hit, L.hitA)) {
        if (!L.flags.bagLossDone) {
            BagLossDraw();
            L.flags.bagLossDone = 1;
            L.stamps.bagLoss = page;
        }
        if (L.headIndex == 0 && lossResult != 0) {
            RecordHeadChange(L, page, false);
            L.headIndex = lossResult;
        }
    }
    if (InState(13, 1) && (Overlaps(C(13).hit, L.hitB) || Overlaps(C(13).hit, L.hitA))) {
        KnockDown();
        Stopped(StopTinBird);
    }
    if (InState(12, 1) && Overlaps(L.hitC, L.zones[6])) {
        L.stamps.c12Reached = page;
        C(12).state = 5;
        Stopped(StopGoose); // the mother goose comes down for the hero
        if (B(25).state == 2) Show(B(25), C(12).x - 26, C(12).y - 208);
    }
    if (InState(10, 1) && Overlaps(L.hitB, C(10).hit)) {
        KnockDown();
        ArmNotice(&Notices::armGameover3);
        Stopped(StopSnowball);
    }
    if (!L.flags.pitCovered && B(20).state == 1 && Overlaps(L.hitA, L.zones[5])) {
        CloseAllGates(common);
        Char(CharPit).x = walker.x + 34;
        Char(CharPit).y = walker.y - 19;
        L.charState = CharPit;
        Stopped(StopPit);
    }
    if (InState(7, 1) && Overlaps(C(7).hit, L.hitA)) {
        // Knocked down with the gates left as they are.
        KeepWalkingGates();
        Char(CharKnockedDown).x = walker.x + 2;
        Char(CharKnockedDown).y = walker.y - 56;
        L.charState = CharKnockedDown;
        Stopped(StopTroll);
    }
    if (PlacedEarlier(7) && bag.item7Frame == 0 && Overlaps(Hotspot(bag, 7), L.hitA)) {
        L.stamps.flyStart = page;
        L.charState = CharFly;
        I(7).state = ItemUsedUp;
        Char(CharFly).x = walker.x - 66;
        Char(CharFly).y = walker.y - 62;
        Stopped(StopBalloon);
    }
    if (ReadyAtRest(0) && Char(CharCarried).frame == 0 && Overlaps(C(0).hit, L.hitA)) {
        L.charState = CharCarried;
        CloseThreeGates(common);
    }
    bool mountAtRest = Char(CharFailedClimb).frame == 0 && Char(CharMount).frame == 0;
    if (mountAtRest && (InState(1, 1) || InState(1, 3)) && Overlaps(C(1).hit, L.hitA)) {
        L.charState = L.flags.c1Primed ? CharMount : CharFailedClimb;
        CloseAllGates(common);
    }
    if (ReadyAtRest(2) && Overlaps(L.hitA, C(2).hit)) {
        KnockDown();
        ArmNotice(&Notices::armGameover2);
        Stopped(StopFence);
    }
    if (ReadyAtRest(4) && Overlaps(L.hitA, C(4).hit)) {
        CloseThreeGates(common);
        Char(CharLever).x = walker.x + 29;
        Char(CharLever).y = walker.y - 39;
        L.charState = CharLever;
    }
}

// Groups 7 and 8: a piece of C6 put down loose (high enough, not in its place on C6).
void Rules::LoosePiece(const Piece& p) {
    if (FirstPlacementFlag(bag, p.item) || !PlacedEarlier(p.item) || I(p.item).y >= p.yLimit)
        return;
    const RECT& R = I(p.item).hit;
    if (p.stopsC24 && ReadyAtRest(24) && Overlaps(C(24).hit, R)) StartSequence(24);
    C5Against(R);
    ObjectHitsByPlacedItem(R);
    KnockDownIfWalkerTouches(R);
}

// Group 9: the rider meets the level.
void Rules::RidingCharacter() {
    if (L.charState != CharRide) return;
    Item13Meeting(L.hitC);
    if (InState(11, 1) && Overlaps(C(11).hit, L.hitC)) UseC11();
    if (InState(12, 1) && Overlaps(C(12).hit, L.hitC)) UseC12();
    if (ReadyAtRest(2) && Overlaps(C(2).hit, L.hitC)) {
        L.charState = CharJump;
        L.flags.viaState9 = 1;
        CloseThreeGates(common);
    }
    if (ReadyAtRest(3) && Overlaps(C(3).hit, L.hitC)) C(3).state = 2;
    if (InState(3, 3) && C(3).frame == 2 && Overlaps(C(3).hit, L.hitB)) {
        L.charState = CharDismount;
        L.flags.viaState10 = 1;
        CloseThreeGates(common);
        Char(CharDismount).x = Char(CharRide).x;
        Char(CharDismount).y = Char(CharRide).y + 4;
    }
}

// Group 10: item 13 or item 10 put down on C20 on this very page loads it, and B90 hands over to
// B91.
void Rules::C20Loading() {
    if (!InState(20, 1)) return;
    BackObj& b90 = B(90);
    BackObj& b91 = B(91);
    for (const C20Load& load : kC20Loads) {
        if (!Placed(load.item) || !PutDownHere(load.item) || !Overlaps(C(20).hit, I(load.item).hit))
            continue;
        if (!L.flags.itemUse13 && !L.flags.itemUse10) // the badger as the first load found him
            L.values.badgerBeforeLoad = {b90, b91, L.counters.b90Count, L.counters.b91Step,
                                         L.counters.b91SubStep};
        C(20).pageStamp = page;
        L.flags.*load.flag = 1;
        if (b90.state == 1) {
            b90.state = 7;
            if (b91.state == 2) {
                b91.state = 3;
                L.counters.b91SubStep = L.counters.b91Step = 0;
                b91.x = b90.x + 21;
                b91.y = b90.y - 2;
            }
        }
        if (C(20).state == 1) C(20).state = 2;
        if (b91.state == 1) {
            b91.state = 3;
            L.counters.b91SubStep = L.counters.b91Step = 0;
        }
    }
}

// Group 11: a piece put down on its place on C6 marks itself as sitting there; back in the bag it
// no longer does.
void Rules::C6Places() {
    for (const Piece& p : kPieces) {
        int32_t state = I(p.item).state;
        bool lying = state == ItemPlaced || (p.item == 3 && state == ItemUsedUp);
        if (lying) {
            const RECT& place = p.place < 0 ? C(6).hit : L.zones[p.place];
            if (PutDownHere(p.item) && InState(6, 1) && Overlaps(Hotspot(bag, p.item), place)) {
                FirstPlacementFlag(bag, p.item) = 1;
                SecondPlacementFlag(bag, p.item) = 1;
            }
        } else if (state == ItemInBag) {
            FirstPlacementFlag(bag, p.item) = 0;
            SecondPlacementFlag(bag, p.item) = 0;
        }
    }
}

// Group 12: item 2 on zone 0 primes C1 for the mount.
void Rules::Item2PrimesC1() {
    int32_t state = I(2).state;
    bool inPicture = state == ItemPlaced || state == ItemVisible;
    if (bag.item2Frame == 0 && inPicture && PutDownEarlier(2) && InState(1, 1) &&
        Overlaps(I(2).hit, L.zones[0])) {
        L.flags.c1Primed = 1;
        StartSequence(1);
    }
}

} // namespace

void CStage_One::Interact() {
    CCommon& common = CCommon::Instance();
    const int32_t state = level.charState;
    const bool riding = state == CharCarried && level.counters.carryStep >= 1;
    const bool heldLost = IsLostState(state) && level.chars[state].frame >= 1;
    Rules rules{level, InventoryBag::Instance(), common, common.page,
                riding || heldLost || LoadHoldsTheWorld(level, common.page) ||
                    LiftHoldsTheWorld(level, common.page) ||
                    LiftEndedOnTheTurnBefore(level, common.page)};
    if (rules.PlacedEarlier(0)) {
        rules.Item0AgainstObjects();
        rules.Item0AgainstCharacter();
    }
    rules.Item11AndPit();
    rules.C13AtWork();
    rules.Item5AtWork();
    rules.Item12AtWork();
    rules.WalkingCharacter();
    for (const Piece& p : kPieces)
        rules.LoosePiece(p);
    rules.RidingCharacter();
    rules.C20Loading();
    rules.C6Places();
    rules.Item2PrimesC1();
    // A state begun over a knock-down in this frame rewinds to walking by its own way.
    if (level.charState != CharKnockedDown) level.values.knockDownGates = kAllGateBits;
}

// Turning back over the page on which C14 took an item puts it back: in the slot it came from, or
// the first free one if another item has been stored there since.
void CStage_One::UndoBagLoss() {
    InventoryBag& bag = InventoryBag::Instance();
    int slot = level.values.bagLossSlot;
    int item = level.values.bagLossItem;
    level.values.bagLossSlot = level.values.bagLossItem = -1;
    if (slot < 0 || slot >= InventoryBag::kItems || item < 0 || item >= InventoryBag::kItems)
        return;
    if (bag.items[item].state != ItemUsedUp) return; // something else brought it back already
    if (bag.slots[slot].occupied) {
        slot = -1;
        for (int k = 0; k < InventoryBag::kItems && slot < 0; ++k)
            if (!bag.slots[k].occupied) slot = k;
        if (slot < 0) return;
    }
    bag.slots[slot].item = item;
    bag.slots[slot].occupied = 1;
    ++bag.count;
    bag.items[item].state = ItemInBag;
}
