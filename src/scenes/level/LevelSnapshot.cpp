#include "scenes/level/LevelSnapshot.h"
#include "scenes/level/CStage_One.h"
#include "services/CCommon.h"
#include <sstream>

namespace {

bool SameHoles(const HoleMark& a, const HoleMark& b) {
    return a.x == b.x && a.y == b.y && a.page == b.page;
}

// Walks two values field by field and remembers the first difference with its name.
struct Differ {
    std::string found;

    template <class T> void Field(const std::string& name, const T& a, const T& b) {
        if (!found.empty() || a == b) return;
        std::ostringstream out;
        out << name << ": " << Show(a) << " vs " << Show(b);
        found = out.str();
    }
    // A group whose fields are not all listed below: named as a whole.
    template <class T> void Group(const std::string& name, const T& a, const T& b) {
        if (found.empty() && !(a == b)) found = name + ": differs";
    }

    template <class T> static std::string Show(const T& v) {
        std::ostringstream out;
        if constexpr (sizeof(T) == 1)
            out << int(v);
        else
            out << v;
        return out.str();
    }
    static std::string Show(const RECT& r) {
        std::ostringstream out;
        out << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
        return out.str();
    }
    static std::string Show(const POINT& p) {
        std::ostringstream out;
        out << "(" << p.x << ", " << p.y << ")";
        return out.str();
    }
};

#define FIELD(group, name) d.Field(prefix + #name, a.group name, b.group name)

void DiffChar(Differ& d, const std::string& prefix, const CharObj& a, const CharObj& b) {
    FIELD(, x);
    FIELD(, y);
    FIELD(, frame);
    FIELD(, w);
    FIELD(, h);
    FIELD(, frames);
    d.Group(prefix + "size", a, b);
}

void DiffBack(Differ& d, const std::string& prefix, const BackObj& a, const BackObj& b) {
    FIELD(, x);
    FIELD(, y);
    FIELD(, state);
    d.Group(prefix + "record", a, b);
}

void DiffColl(Differ& d, const std::string& prefix, const CollObj& a, const CollObj& b) {
    FIELD(, x);
    FIELD(, y);
    FIELD(, state);
    FIELD(, frame);
    FIELD(, pageStamp);
    FIELD(, hit);
    d.Group(prefix + "record", a, b);
}

void DiffLevel(Differ& d, const LevelState& a, const LevelState& b) {
    std::string prefix = "";
    FIELD(, charState);
    FIELD(, headIndex);
    for (int k = 0; k < LevelState::kChars; ++k)
        DiffChar(d, "chars[" + std::to_string(k) + "].", a.chars[k], b.chars[k]);
    d.Field("head.x", a.head.x, b.head.x);
    d.Field("head.y", a.head.y, b.head.y);
    d.Group("head", a.head, b.head);
    for (int k = 0; k < LevelState::kBacks; ++k)
        DiffBack(d, "backs[" + std::to_string(k) + "].", a.backs[k], b.backs[k]);
    for (int k = 0; k < LevelState::kColls; ++k)
        DiffColl(d, "colls[" + std::to_string(k) + "].", a.colls[k], b.colls[k]);
    for (int k = 0; k < LevelState::kBack11Copies; ++k) {
        const std::string p = "back11Copies[" + std::to_string(k) + "].";
        d.Field(p + "shown", a.back11Copies[k].shown, b.back11Copies[k].shown);
        d.Field(p + "x", a.back11Copies[k].x, b.back11Copies[k].x);
        d.Field(p + "y", a.back11Copies[k].y, b.back11Copies[k].y);
    }

    prefix = "counters.";
    FIELD(counters., carryStep);
    FIELD(counters., blinkCount);
    FIELD(counters., b1Image);
    FIELD(counters., b4PathStep);
    FIELD(counters., b6Count);
    FIELD(counters., b12Count);
    FIELD(counters., b13Frame);
    FIELD(counters., b14Count);
    FIELD(counters., b16Count);
    FIELD(counters., b17Count);
    FIELD(counters., b18Frame);
    FIELD(counters., b19PathStep);
    FIELD(counters., b19Picture);
    FIELD(counters., b21Count);
    FIELD(counters., b22Count);
    FIELD(counters., b23Count);
    FIELD(counters., b24Count);
    FIELD(counters., b25Count);
    FIELD(counters., b27Count);
    FIELD(counters., b29Count);
    FIELD(counters., b30Count);
    FIELD(counters., b31Count);
    FIELD(counters., b56Count);
    FIELD(counters., b57Count);
    FIELD(counters., b58Frame);
    FIELD(counters., b59Count);
    FIELD(counters., b73Toggle);
    FIELD(counters., b74Count);
    FIELD(counters., b75Toggle);
    FIELD(counters., b90Count);
    FIELD(counters., b91SubStep);
    FIELD(counters., b91Step);
    FIELD(counters., b93Count);
    FIELD(counters., b94Count);
    FIELD(counters., stripCount);
    FIELD(counters., b67Returns);
    FIELD(counters., b68Returns);
    FIELD(counters., b69Returns);
    FIELD(counters., b70Returns);
    FIELD(counters., b71Returns);
    d.Group("counters", a.counters, b.counters);

    prefix = "values.";
    FIELD(values., c7PathStep);
    FIELD(values., c7StartX);
    FIELD(values., c7StartY);
    FIELD(values., i9PathStep);
    FIELD(values., i12HopStep);
    FIELD(values., i12LandX);
    FIELD(values., i12LandY);
    FIELD(values., b23Mode);
    FIELD(values., b29ReturnX);
    FIELD(values., b29StartY);
    FIELD(values., c18ParkedX);
    FIELD(values., c18ParkedY);
    FIELD(values., c18ParkedFrame);
    FIELD(values., walkerParkedX);
    FIELD(values., walkerParkedY);
    FIELD(values., headParkedX);
    FIELD(values., headParkedY);
    FIELD(values., c5UsedState);
    FIELD(values., c20TakenGates);
    FIELD(values., b91StepGates);
    FIELD(values., liftGates);
    FIELD(values., lostFirstGates);
    FIELD(values., blinkFirstGates);
    FIELD(values., knockDownGates);
    FIELD(values., fallStartGates);
    FIELD(values., leverFirstGates);
    FIELD(values., c0EndGates);
    FIELD(values., c1EndGates);
    FIELD(values., c24EndGates);
    FIELD(values., c10WaitX);
    FIELD(values., c10WaitY);
    FIELD(values., b16HiddenX);
    FIELD(values., caughtFrom);
    FIELD(values., b21Turns);
    FIELD(values., b24Turns);
    FIELD(values., badgerBeforeLoad.b90.state);
    FIELD(values., badgerBeforeLoad.b91.state);
    FIELD(values., badgerBeforeLoad.b90Count);
    FIELD(values., badgerBeforeLoad.b91Step);
    d.Group("values.badgerBeforeLoad", a.values.badgerBeforeLoad, b.values.badgerBeforeLoad);
    FIELD(values., c9LeftBackward);
    FIELD(values., c9LeftTookB23);
    FIELD(values., headChangeCount);
    d.Group("values.headChanges", a.values, b.values);
    d.Group("values", a.values, b.values);

    prefix = "draw.";
    FIELD(draw., b4Rotation);
    FIELD(draw., collRotation);
    FIELD(draw., b16ScaleX);
    FIELD(draw., c7Scale);
    FIELD(draw., c7Rotation);
    d.Group("draw", a.draw, b.draw);

    prefix = "flags.";
    FIELD(flags., itemUse13);
    FIELD(flags., itemUse10);
    FIELD(flags., viaState9);
    FIELD(flags., viaState10);
    FIELD(flags., state11Done);
    FIELD(flags., c1Primed);
    FIELD(flags., pitCovered);
    FIELD(flags., bagLossDone);
    FIELD(flags., c19Hit);
    FIELD(flags., c19Landed);
    FIELD(flags., c17Done);
    FIELD(flags., i12Landed);
    FIELD(flags., i12PastPath);
    FIELD(flags., stripDone);
    FIELD(flags., b67Done);
    FIELD(flags., b68Done);
    FIELD(flags., b69Done);
    FIELD(flags., b70Done);
    FIELD(flags., b71Done);
    FIELD(flags., b27Done);
    FIELD(flags., b29Done);
    FIELD(flags., b93Reversing);
    FIELD(flags., b94Reversing);
    FIELD(flags., b16Released);
    FIELD(flags., c0StartedStill);
    FIELD(flags., c1StartedStill);
    FIELD(flags., c24StartedStill);
    FIELD(flags., endingStarted);
    FIELD(flags., returnToTitle);
    d.Group("flags", a.flags, b.flags);

    prefix = "stamps.";
    FIELD(stamps., carriedEnd);
    FIELD(stamps., state4End);
    FIELD(stamps., state3End);
    FIELD(stamps., fallStart);
    FIELD(stamps., state9End);
    FIELD(stamps., state10End);
    FIELD(stamps., state11End);
    FIELD(stamps., flyStart);
    FIELD(stamps., flyFrame);
    FIELD(stamps., walkLeftA);
    FIELD(stamps., walkLeftB);
    FIELD(stamps., driftLeftA);
    FIELD(stamps., driftLeftB);
    FIELD(stamps., bagLoss);
    FIELD(stamps., c1Used);
    FIELD(stamps., c2Marked);
    FIELD(stamps., c5Used);
    FIELD(stamps., c7Used);
    FIELD(stamps., c8Used);
    FIELD(stamps., c10Used);
    FIELD(stamps., c13Used);
    FIELD(stamps., c14Used);
    FIELD(stamps., c15Used);
    FIELD(stamps., c12Reached);
    FIELD(stamps., item7Met);
    FIELD(stamps., item13Met);
    FIELD(stamps., item11Zone);
    FIELD(stamps., c19Hit);
    FIELD(stamps., c10Thrown);
    FIELD(stamps., c7PathEnd);
    FIELD(stamps., c11HandOver);
    FIELD(stamps., c11Going);
    for (int f = 0; f < 4; ++f)
        d.Field(prefix + "item2FrameAt[" + std::to_string(f) + "]", a.stamps.item2FrameAt[f],
                b.stamps.item2FrameAt[f]);
    for (int f = 0; f < 3; ++f)
        d.Field(prefix + "item5FrameAt[" + std::to_string(f) + "]", a.stamps.item5FrameAt[f],
                b.stamps.item5FrameAt[f]);
    FIELD(stamps., item5Extra);
    FIELD(stamps., item12Path);
    FIELD(stamps., stripDone);
    FIELD(stamps., b67Done);
    FIELD(stamps., b68Done);
    FIELD(stamps., b69Done);
    FIELD(stamps., b70Done);
    FIELD(stamps., b71Done);
    FIELD(stamps., b29Done);
    FIELD(stamps., b4End);
    FIELD(stamps., b12End);
    FIELD(stamps., b17End);
    FIELD(stamps., b57End);
    FIELD(stamps., b16Release);
    FIELD(stamps., b16Follow);
    FIELD(stamps., b16SetGoing);
    FIELD(stamps., b22End);
    FIELD(stamps., b27End);
    FIELD(stamps., b27Shown);
    FIELD(stamps., b31End);
    FIELD(stamps., b56End);
    FIELD(stamps., b59End);
    FIELD(stamps., b93b94End);
    FIELD(stamps., c5Wake);
    FIELD(stamps., c18Taken);
    FIELD(stamps., c9Left);
    FIELD(stamps., c20Taken);
    FIELD(stamps., b91StepFoundOpen);
    FIELD(stamps., liftFoundOpen);
    d.Group("stamps", a.stamps, b.stamps);

    prefix = "notices.";
    FIELD(notices., armGameover1);
    FIELD(notices., armGameover2);
    FIELD(notices., armGameover3);
    FIELD(notices., showGameover1);
    FIELD(notices., showGameover2);
    FIELD(notices., showGameover3);
    FIELD(notices., showWarning);
    d.Group("notices", a.notices, b.notices);
    d.Group("pause", a.pause, b.pause);
    d.Field("smokeStep", a.smokeStep, b.smokeStep);
    d.Field("hitA", a.hitA, b.hitA);
    d.Field("hitB", a.hitB, b.hitB);
    d.Field("hitC", a.hitC, b.hitC);
    for (int z = 0; z < LevelState::kZones; ++z)
        d.Field("zones[" + std::to_string(z) + "]", a.zones[z], b.zones[z]);
    d.Group("level", a, b);
}

void DiffCommon(Differ& d, const CommonPlay& a, const CommonPlay& b) {
    const std::string prefix = "common.";
    FIELD(, page);
    FIELD(, flipAnim);
    FIELD(, helpStep);
    FIELD(, autoFlip);
    FIELD(, paused);
    FIELD(, forwardLock);
    FIELD(, pageTurned);
    FIELD(, tearing);
    FIELD(, backGate);
    FIELD(, itemGate);
    FIELD(, collGate);
    FIELD(, placedGate);
}

void DiffBag(Differ& d, const BagPlay& a, const BagPlay& b) {
    for (int i = 0; i < InventoryBag::kItems; ++i) {
        const std::string prefix = "bag.items[" + std::to_string(i) + "].";
        FIELD(items[i]., x);
        FIELD(items[i]., y);
        FIELD(items[i]., state);
        FIELD(items[i]., hit);
        FIELD(items[i]., placePage);
        FIELD(items[i]., tearX);
        FIELD(items[i]., tearY);
    }
    for (int i = 0; i < InventoryBag::kItems; ++i) {
        const std::string prefix = "bag.slots[" + std::to_string(i) + "].";
        FIELD(slots[i]., item);
        FIELD(slots[i]., occupied);
        if (!SameHoles(a.holes[i], b.holes[i]) && d.found.empty())
            d.found = "bag.holes[" + std::to_string(i) + "]: differs";
    }
    const std::string prefix = "bag.";
    for (int i = 0; i < 10; ++i)
        d.Field("bag.placementFlags[" + std::to_string(i) + "]", a.placementFlags[i],
                b.placementFlags[i]);
    for (int i = 0; i < 7; ++i)
        d.Field("bag.hotspot[" + std::to_string(i) + "]", a.hotspot[i], b.hotspot[i]);
    FIELD(, count);
    FIELD(, open);
    FIELD(, overBag);
    FIELD(, item13Torn);
    FIELD(, item2Frame);
    FIELD(, item5Frame);
    FIELD(, item7Frame);
    FIELD(, item9Frame);
    FIELD(, item12Frame);
    FIELD(, item13Frame);
    FIELD(, sunFrame);
    FIELD(, item0Rotation);
    FIELD(, item12Rotation);
}

#undef FIELD

} // namespace

bool BagPlay::operator==(const BagPlay& o) const {
    for (int i = 0; i < InventoryBag::kItems; ++i) {
        if (!(items[i] == o.items[i]) || !(slots[i] == o.slots[i]) ||
            !SameHoles(holes[i], o.holes[i]))
            return false;
    }
    for (int i = 0; i < 10; ++i)
        if (placementFlags[i] != o.placementFlags[i]) return false;
    for (int i = 0; i < 7; ++i)
        if (!(hotspot[i] == o.hotspot[i])) return false;
    return count == o.count && open == o.open && overBag == o.overBag &&
           item13Torn == o.item13Torn && item2Frame == o.item2Frame && item5Frame == o.item5Frame &&
           item7Frame == o.item7Frame && item9Frame == o.item9Frame &&
           item12Frame == o.item12Frame && item13Frame == o.item13Frame && sunFrame == o.sunFrame &&
           item0Rotation == o.item0Rotation && item12Rotation == o.item12Rotation;
}

LevelSnapshot TakeSnapshot(const CStage_One& stage) {
    LevelSnapshot s;
    s.level = stage.level;
    const CCommon& c = CCommon::Instance();
    s.common =
        CommonPlay{c.page,       c.flipAnim, c.helpStep, c.autoFlip, c.paused,   c.forwardLock,
                   c.pageTurned, c.tearing,  c.backGate, c.itemGate, c.collGate, c.placedGate};
    const InventoryBag& bag = InventoryBag::Instance();
    for (int i = 0; i < InventoryBag::kItems; ++i) {
        const TearObj& item = bag.items[i];
        const TearingObj& tearing = bag.tearingObj[i];
        s.bag.items[i] =
            ItemPlay{item.x, item.y, item.state, item.hit, tearing.placePage, tearing.x, tearing.y};
        s.bag.slots[i] = SlotPlay{bag.slots[i].item, bag.slots[i].occupied};
        s.bag.holes[i] = bag.holes[i];
    }
    for (int i = 0; i < 10; ++i)
        s.bag.placementFlags[i] = bag.placementFlags[i];
    for (int i = 0; i < 7; ++i)
        s.bag.hotspot[i] = bag.hotspot[i];
    s.bag.count = bag.count;
    s.bag.open = bag.open;
    s.bag.overBag = bag.overBag;
    s.bag.item13Torn = bag.item13Torn;
    s.bag.item2Frame = bag.item2Frame;
    s.bag.item5Frame = bag.item5Frame;
    s.bag.item7Frame = bag.item7Frame;
    s.bag.item9Frame = bag.item9Frame;
    s.bag.item12Frame = bag.item12Frame;
    s.bag.item13Frame = bag.item13Frame;
    s.bag.sunFrame = bag.sunFrame;
    s.bag.item0Rotation = bag.item0Rotation;
    s.bag.item12Rotation = bag.item12Rotation;
    return s;
}

void RestoreSnapshot(const LevelSnapshot& s, CStage_One& stage) {
    stage.level = s.level;
    CCommon& c = CCommon::Instance();
    c.page = s.common.page;
    c.flipAnim = s.common.flipAnim;
    c.helpStep = s.common.helpStep;
    c.autoFlip = s.common.autoFlip;
    c.paused = s.common.paused;
    c.forwardLock = s.common.forwardLock;
    c.pageTurned = s.common.pageTurned;
    c.tearing = s.common.tearing;
    c.backGate = s.common.backGate;
    c.itemGate = s.common.itemGate;
    c.collGate = s.common.collGate;
    c.placedGate = s.common.placedGate;
    InventoryBag& bag = InventoryBag::Instance();
    for (int i = 0; i < InventoryBag::kItems; ++i) {
        const ItemPlay& item = s.bag.items[i];
        bag.items[i].x = item.x;
        bag.items[i].y = item.y;
        bag.items[i].state = item.state;
        bag.items[i].hit = item.hit;
        bag.tearingObj[i].placePage = item.placePage;
        bag.tearingObj[i].x = item.tearX;
        bag.tearingObj[i].y = item.tearY;
        bag.slots[i].item = s.bag.slots[i].item;
        bag.slots[i].occupied = s.bag.slots[i].occupied;
        bag.holes[i] = s.bag.holes[i];
    }
    for (int i = 0; i < 10; ++i)
        bag.placementFlags[i] = s.bag.placementFlags[i];
    for (int i = 0; i < 7; ++i)
        bag.hotspot[i] = s.bag.hotspot[i];
    bag.count = s.bag.count;
    bag.open = s.bag.open;
    bag.overBag = s.bag.overBag;
    bag.item13Torn = s.bag.item13Torn;
    bag.item2Frame = s.bag.item2Frame;
    bag.item5Frame = s.bag.item5Frame;
    bag.item7Frame = s.bag.item7Frame;
    bag.item9Frame = s.bag.item9Frame;
    bag.item12Frame = s.bag.item12Frame;
    bag.item13Frame = s.bag.item13Frame;
    bag.sunFrame = s.bag.sunFrame;
    bag.item0Rotation = s.bag.item0Rotation;
    bag.item12Rotation = s.bag.item12Rotation;
}

std::string FirstDifference(const LevelSnapshot& a, const LevelSnapshot& b) {
    Differ d;
    DiffLevel(d, a.level, b.level);
    DiffCommon(d, a.common, b.common);
    DiffBag(d, a.bag, b.bag);
    return d.found;
}
