#include "LevelRoundTrip.h"
#include "platform/Headless.h"
#include "scenes/level/CStage_One.h"
#include "scenes/level/LevelState.h"
#include "services/CCommon.h"
#include "services/InventoryBag.h"
#include <cmath>
#include <cstdlib>

bool TearOutToBag(int item) {
    InventoryBag& bag = InventoryBag::Instance();
    TearObj& it = bag.items[item];
    if (it.state != ItemVisible || bag.count >= InventoryBag::kItems) return false;
    TearingObj& tearing = bag.tearingObj[item];
    tearing.x = it.x - tearing.offX;
    tearing.y = it.y - tearing.offY;
    it.x = -it.dw;
    it.y = -it.dh;
    if (item == 13) bag.item13Torn = 1;
    bag.holes[item] = HoleMark{tearing.x, tearing.y, CCommon::Instance().page};
    it.state = ItemInBag;
    for (BagSlot& slot : bag.slots) {
        if (slot.occupied) continue;
        slot.item = item;
        slot.occupied = 1;
        ++bag.count;
        break;
    }
    return true;
}

bool PutDownFromBag(int item, int x, int y) {
    InventoryBag& bag = InventoryBag::Instance();
    TearObj& it = bag.items[item];
    if (it.state != ItemInBag) return false;
    for (BagSlot& slot : bag.slots) {
        if (!slot.occupied || slot.item != item) continue;
        slot.occupied = 0;
        slot.item = -1;
        TearingObj& tearing = bag.tearingObj[item];
        tearing.placePage = CCommon::Instance().page;
        it.x = x - it.dw / 2;
        it.y = y - it.dh / 2;
        tearing.x = it.x - tearing.offX;
        tearing.y = it.y - tearing.offY;
        it.state = ItemPlaced;
        --bag.count;
        return true;
    }
    return false;
}

void ForgiveAcceptedDifferences(LevelSnapshot& after, const LevelSnapshot& before) {
    LevelState& a = after.level;
    const LevelState& b = before.level;
    // Rectangles are placed anew from positions on every playing frame; one that is not placed
    // in the current situation keeps a stale value that no rule reads there.
    a.hitA = b.hitA;
    a.hitB = b.hitB;
    a.hitC = b.hitC;
    for (int z = 0; z < LevelState::kZones; ++z)
        a.zones[z] = b.zones[z];
    for (int k = 0; k < LevelState::kColls; ++k)
        a.colls[k].hit = b.colls[k].hit;
    for (int i = 0; i < InventoryBag::kItems; ++i)
        after.bag.items[i].hit = before.bag.items[i].hit;
    for (int h = 0; h < 7; ++h)
        after.bag.hotspot[h] = before.bag.hotspot[h];
    // The walk-back bounds are bounds: the last page a step left was made on, never reset.
    a.stamps.walkLeftA = b.stamps.walkLeftA;
    a.stamps.walkLeftB = b.stamps.walkLeftB;
    a.stamps.driftLeftA = b.stamps.driftLeftA;
    a.stamps.driftLeftB = b.stamps.driftLeftB;
    // The notices' arming flags are latches: set when the character is knocked down, cleared by
    // no rule; a notice rises only while the character is lost and its object's condition holds.
    a.notices.armGameover1 = b.notices.armGameover1;
    a.notices.armGameover2 = b.notices.armGameover2;
    a.notices.armGameover3 = b.notices.armGameover3;
    // The stops met count the player's attempts, not pages: turning back never undoes them, and
    // the stop met last is read only while the pages are locked, each lock following the rule
    // that sets it anew.
    a.stops = b.stops;
    // While the character plays a lost animation past its first frame (states 1, 13 to 16), every
    // turn from here closes all four gates before anything reads them (forward while it plays,
    // backward while it rewinds), and at its last frame forward turns are refused: the gates'
    // values at rest there, which other objects' ends may have set, are never read. Caught by
    // B25 (14), the first frame too: a forward turn closes the gates, a backward one opens them
    // all as it gives the character back, before anything reads them.
    auto restsLost = [](const LevelState& l) {
        const int32_t s = l.charState;
        return ((s == 1 || (s >= 13 && s <= 16)) && l.chars[s].frame >= 1) || s == 14;
    };
    if (restsLost(a) && restsLost(b) && a.charState == b.charState &&
        a.chars[a.charState].frame == b.chars[b.charState].frame) {
        after.common.backGate = before.common.backGate;
        after.common.itemGate = before.common.itemGate;
        after.common.collGate = before.common.collGate;
        after.common.placedGate = before.common.placedGate;
    }
    // Carried along the path, every turn sets three of the gates before anything reads them:
    // forward the path closes them (or, at its end, opens them), backward it closes them (or, at
    // its start, opens them). C0's end may have opened them at rest in between; placedGate,
    // which the path leaves alone, is compared.
    if (a.charState == CharCarried && b.charState == CharCarried) {
        after.common.backGate = before.common.backGate;
        after.common.itemGate = before.common.itemGate;
        after.common.collGate = before.common.collGate;
    }
    // Falling above the ground, past the page the fall began on, every turn closes all four
    // gates before anything reads them (forward it falls a step, backward it rises one).
    auto fallsOn = [&](const LevelState& l) {
        const CharObj& fall = l.chars[CharFall];
        return l.charState == CharFall && l.stamps.fallStart < before.common.page &&
               fall.y < 530 - 2 * fall.h;
    };
    // Landed and blinking, between the first blink and the last (3, which locks the forward
    // turn), every turn closes all four gates before anything reads them (forward it blinks,
    // backward it blinks back); C0's end may have opened three of them at rest in between.
    auto blinks = [](const LevelState& l) {
        return l.charState == CharBlink && l.counters.blinkCount >= 1 && l.counters.blinkCount <= 3;
    };
    // Climbing onto the mount or failing the climb, every turn sets all four gates before
    // anything reads them (forward it climbs a picture and closes them, or at its end opens them;
    // backward it climbs back and closes them, or from its first picture opens them as the walk
    // goes on); C1's end may have opened three of them at rest in between.
    auto climbs = [](const LevelState& l) {
        return l.charState == CharMount || l.charState == CharFailedClimb;
    };
    if ((fallsOn(a) && fallsOn(b) && a.chars[CharFall] == b.chars[CharFall]) ||
        (blinks(a) && blinks(b) && a.counters.blinkCount == b.counters.blinkCount) ||
        (climbs(a) && a.charState == b.charState &&
         a.chars[a.charState].frame == b.chars[b.charState].frame)) {
        after.common.backGate = before.common.backGate;
        after.common.itemGate = before.common.itemGate;
        after.common.collGate = before.common.collGate;
        after.common.placedGate = before.common.placedGate;
    }
    // A request for the page-flip picture, and the one-way "a page has been turned" flag.
    after.common.flipAnim = before.common.flipAnim;
    after.common.pageTurned = before.common.pageTurned;
    // Rotations are sums of float steps: equal up to rounding.
    if (std::fabs(after.bag.item0Rotation - before.bag.item0Rotation) < 1e-3f)
        after.bag.item0Rotation = before.bag.item0Rotation;
    if (std::fabs(after.bag.item12Rotation - before.bag.item12Rotation) < 1e-3f)
        after.bag.item12Rotation = before.bag.item12Rotation;
    // B90 while B91 holds it (state 7) and B91 while hidden (state 2) keep the place and counts
    // they were last seen with: every hand-over sets them anew for the one it shows, and nothing
    // reads them before.
    if (a.backs[90].state == 7 && b.backs[90].state == 7) {
        a.backs[90].x = b.backs[90].x;
        a.backs[90].y = b.backs[90].y;
    }
    if (a.backs[91].state == 2 && b.backs[91].state == 2) {
        a.counters.b91SubStep = b.counters.b91SubStep;
        a.counters.b91Step = b.counters.b91Step;
    }
    // Hidden background objects (state 2) that every rule showing them places anew (B2 only
    // ever comes on where C1 is used, B11 where C7 or C8 is, B18 where the lantern's flare ends):
    // where they were last seen is not drawn and not read.
    for (int k : {1,  2,  3,  11, 12, 13, 14, 18, 21, 22, 24, 25,
                  26, 27, 29, 30, 31, 56, 59, 91, 92, 93, 94}) {
        if (a.backs[k].state == 2 && b.backs[k].state == 2) {
            a.backs[k].x = b.backs[k].x;
            a.backs[k].y = b.backs[k].y;
        }
    }
    // The lantern's flares (B17 before C7, B57 before C14) hidden with their count at 0 have not
    // begun, or their start was turned back: the lantern's start places them anew, and only the
    // turn back over their end (count past 3) shows one where it was.
    for (int k : {17, 57}) {
        const int32_t LevelCounters::*count =
            k == 17 ? &LevelCounters::b17Count : &LevelCounters::b57Count;
        if (a.backs[k].state == 2 && b.backs[k].state == 2 && a.counters.*count == 0 &&
            b.counters.*count == 0) {
            a.backs[k].x = b.backs[k].x;
            a.backs[k].y = b.backs[k].y;
        }
    }
    // Saved places read only by the undo of the event that saves them anew: C7's start (saved
    // when B14 hands C7 over, read when its path is turned back to step 0) and C18's parking
    // (saved at C17's end, read when that end is turned back).
    a.values.c7StartX = b.values.c7StartX;
    a.values.c7StartY = b.values.c7StartY;
    a.values.c18ParkedX = b.values.c18ParkedX;
    a.values.c18ParkedY = b.values.c18ParkedY;
    a.values.c18ParkedFrame = b.values.c18ParkedFrame;
    // Likewise C5's state when it was used (saved by the use, read when the use is turned back),
    // where B16 waited when it was set going (saved by C7's or C8's release, read when that is
    // turned back) and where the walker waited while the hero rode (saved at the dismount's end).
    a.values.c5UsedState = b.values.c5UsedState;
    a.values.b16HiddenX = b.values.b16HiddenX;
    a.values.walkerParkedX = b.values.walkerParkedX;
    a.values.walkerParkedY = b.values.walkerParkedY;
    a.values.headParkedX = b.values.headParkedX;
    a.values.headParkedY = b.values.headParkedY;
    // The goose's catch (state 14) is placed where B25 takes the character; the knock-down (1),
    // the throw (8), the pit (13), the slip (15) and the sweep (16) where the walker, the mount or
    // C24 is met; the landing (7) where the fall lands. Out of those states their places are not
    // drawn and not read.
    for (int k : {1, 7, 8, 13, 14, 15, 16}) {
        if (a.charState != k && b.charState != k) {
            a.chars[k].x = b.chars[k].x;
            a.chars[k].y = b.chars[k].y;
        }
    }
    // The flight (12) is placed where the walker meets the balloon, and only the flight reads
    // its place, also when the goose took the hero from it (state 14 gives the flight back).
    auto keepsFlight = [](const LevelState& l) {
        return l.charState == CharFly ||
               (l.charState == CharCaught && l.values.caughtFrom == CharFly);
    };
    if (!keepsFlight(a) && !keepsFlight(b)) {
        a.chars[CharFly].x = b.chars[CharFly].x;
        a.chars[CharFly].y = b.chars[CharFly].y;
    }
    // The lever (11) is placed where the walker meets C4. Before the lever has played (the walk
    // never reached C4, or the lever's start was turned back), its place is not drawn and not
    // read; once it has, turning B12's end back reads it, so from then on it is compared.
    if (a.charState != CharLever && b.charState != CharLever && !a.flags.state11Done &&
        !b.flags.state11Done) {
        a.chars[CharLever].x = b.chars[CharLever].x;
        a.chars[CharLever].y = b.chars[CharLever].y;
    }
    // The rider is not drawn or read during the jump: both ways out of the jump place it anew.
    if (a.charState == CharJump && b.charState == CharJump) {
        a.chars[CharRide].x = b.chars[CharRide].x;
        a.chars[CharRide].y = b.chars[CharRide].y;
    }
    // The dismount (10) is placed where the rider is when it begins. Riding or jumping, before
    // it began, its place is not drawn and not read: only turns back over states that followed
    // it lead into it, and those find it where it began.
    auto beforeDismount = [](int32_t s) { return s == CharRide || s == CharJump; };
    if (beforeDismount(a.charState) && beforeDismount(b.charState)) {
        a.chars[CharDismount].x = b.chars[CharDismount].x;
        a.chars[CharDismount].y = b.chars[CharDismount].y;
    }
    // The fall's place is read also by the landing, which turns back into the fall.
    auto falling = [](int32_t s) { return s == 6 || s == 7; };
    if (!falling(a.charState) && !falling(b.charState)) {
        a.chars[6].x = b.chars[6].x;
        a.chars[6].y = b.chars[6].y;
    }
    // Collision objects waiting off-stage (state 6) are not drawn and no rule reads their place;
    // every rule that brings one of these in places it anew, so where it waited is not kept.
    for (int k : {5, 7, 8, 10, 11, 12, 13, 15, 17, 19}) {
        if (a.colls[k].state == 6 && b.colls[k].state == 6) {
            a.colls[k].x = b.colls[k].x;
            a.colls[k].y = b.colls[k].y;
        }
    }
    // A copy of B11 waiting to be shown is placed anew by the use that shows it.
    for (int k = 0; k < LevelState::kBack11Copies; ++k) {
        Back11Copy& copy = a.back11Copies[k];
        if (copy.shown == 2 && b.back11Copies[k].shown == 2) copy = b.back11Copies[k];
    }
    // Waiting off-stage, C5 starts its blink afresh each time B4's path shows it, and C13 its
    // loop when item 14 put down turns into it.
    for (int k : {5, 13})
        if (a.colls[k].state == 6 && b.colls[k].state == 6) a.colls[k].frame = b.colls[k].frame;
    // Items out of play (5 before B12 shows it, 7 before B4's path ends, 10 before B16 lets it
    // go) are not drawn, and each is placed anew when shown.
    for (int i = 0; i < InventoryBag::kItems; ++i) {
        ItemPlay& o = after.bag.items[i];
        const ItemPlay& p = before.bag.items[i];
        if (o.state == ItemNotInPlay && p.state == ItemNotInPlay) {
            o.x = p.x;
            o.y = p.y;
        }
    }
}

void PlayLevelFrame(CStage_One& stage) {
    if (stage.level.flags.endingStarted) return;
    headless::AdvanceClock(16);
    stage.Update();
    headless::ClearPlayLog();
}

void TurnAndPlay(CStage_One& stage, int32_t direction) {
    stage.TurnPage(direction);
    PlayLevelFrame(stage);
    PlayLevelFrame(stage);
}

RoundTripOutcome TurnForwardAndBack(CStage_One& stage, int n,
                                    const std::function<void(const CStage_One&)>& visit) {
    RoundTripOutcome out;
    const LevelSnapshot before = TakeSnapshot(stage);
    const CCommon& common = CCommon::Instance();
    while (out.turns < n && !common.forwardLock && !out.closing) {
        TurnAndPlay(stage, Forward);
        ++out.turns;
        out.closing = stage.level.flags.endingStarted != 0;
        if (visit) visit(stage);
    }
    if (!out.closing) {
        for (int i = 0; i < out.turns; ++i) {
            TurnAndPlay(stage, Backward);
            if (visit) visit(stage);
        }
        out.after = TakeSnapshot(stage);
        // The request for the page-curl picture is the book's, not the world's.
        out.after.common.flipAnim = before.common.flipAnim;
        LevelSnapshot forgiven = out.after;
        ForgiveAcceptedDifferences(forgiven, before);
        out.difference = FirstDifference(before, forgiven);
        out.forgiven = out.difference.empty() && !(out.after == before);
    }
    RestoreSnapshot(before, stage);
    return out;
}

namespace {

POINT PutDownSpot(const CStage_One& stage, std::mt19937& rng) {
    const int kind = int(rng() % 3);
    if (kind == 1) {
        for (int tries = 0; tries < 25; ++tries) {
            const CollObj& c = stage.level.colls[rng() % LevelState::kColls];
            if (c.state < 1 || c.state > 3 || c.x < 0 || c.x > 760) continue;
            return POINT{c.x + int(rng() % 80), c.y - 60 + int(rng() % 120)};
        }
    } else if (kind == 2) {
        const CharObj& walker = stage.level.chars[CharWalk];
        return POINT{walker.x + 40 + int(rng() % 160), 150 + int(rng() % 400)};
    }
    return POINT{100 + int(rng() % 600), 150 + int(rng() % 400)};
}

} // namespace

void RandomPlayerAction(CStage_One& stage, std::mt19937& rng) {
    const CCommon& common = CCommon::Instance();
    const int roll = int(rng() % 100);
    if (roll < 60) {
        if (!common.forwardLock) TurnAndPlay(stage, Forward);
    } else if (roll < 76) {
        if (common.page > 0) TurnAndPlay(stage, Backward);
    } else if (roll < 84) {
        for (int i = 0; i < InventoryBag::kItems; ++i) {
            const int item = int(rng() % InventoryBag::kItems);
            if (TearOutToBag(item)) break;
        }
        PlayLevelFrame(stage);
        PlayLevelFrame(stage);
    } else if (roll < 96) {
        const POINT at = PutDownSpot(stage, rng);
        for (int i = 0; i < InventoryBag::kItems; ++i) {
            const int item = int(rng() % InventoryBag::kItems);
            if (PutDownFromBag(item, at.x, at.y)) break;
        }
        PlayLevelFrame(stage);
        PlayLevelFrame(stage);
    } else {
        for (int i = 0; i < 10; ++i) // a pause on the page
            PlayLevelFrame(stage);
    }
}
