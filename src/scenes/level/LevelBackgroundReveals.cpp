// The reveals taken back: a background object shown where a collision object was used up hides
// again, and the object comes back where it was used.
#include "scenes/level/LevelBackgroundRules.h"

void HideB29AtItsStart(BackTurn& t, BackObj& b) {
    LevelValues& v = t.L.values;
    const int32_t xBefore = b.x;
    t.L.stamps.b29Done = kNoStamp;
    t.L.stamps.c13Used = kNoStamp;
    v.b29ReturnX = kNoReturnPoint;
    v.b29StartY = 0;
    b.x += 60;
    b.state = 2;
    // C13 comes back as it was before the turn that led to its use: B29 came on 29 px left of
    // it, and C13 had drifted with the world on that turn, a step and a picture (parked since, it
    // sat out this turn's collision phase).
    CollObj& c13 = t.C(13);
    if (c13.state == 5) {
        c13.state = 1;
        c13.x = xBefore + 29;
        c13.y = b.y - 4;
        if (t.common.collGate) {
            c13.x += c13.step;
            StepCyclicBackward(c13.frame, c13.frames);
        }
    }
}

void HideB31AtItsStart(BackTurn& t, BackObj& b) {
    t.L.stamps.c10Used = kNoStamp;
    b.state = 2;
    CollObj& c10 = t.C(10);
    if (c10.state == 5) {
        c10.x = b.x + 14;
        c10.y = b.y + 22;
        if (!t.common.collGate) {
            // Used while the world held still: its path did not step on that turn.
            c10.state = 1;
        } else if (c10.frame == 0) {
            c10.state = 6;
        } else {
            c10.state = 1;
            if (c10.frame > 0) --c10.frame;
            t.stage.ApplyC10Keyframe(c10.frame);
        }
    }
}

void HideB56AtItsStart(BackTurn& t, BackObj& b) {
    t.L.stamps.c14Used = kNoStamp;
    b.state = 2;
    CollObj& c14 = t.C(14);
    if (c14.state == 5) {
        // Back where it was used (B56 came on 9 px right of it and has not moved since), and its
        // drift on the turn taken back (a step and a frame), made before its use, taken back too.
        c14.state = 1;
        c14.x = b.x - kB56FromC14;
        c14.y = b.y - 4;
        if (t.common.collGate) {
            c14.x += c14.step;
            StepCyclicBackward(c14.frame, c14.frames);
        }
    }
}

void HideB59AtItsStart(BackTurn& t, BackObj& b) {
    t.L.stamps.c15Used = kNoStamp;
    b.state = 2;
    CollObj& c15 = t.C(15);
    if (c15.state == 5) {
        c15.state = 1;
        // B59 came on 122 px left of it; with the world moving, C15 had run on 30 px in the turn
        // taken back, before its use.
        c15.x = t.common.collGate ? b.x + 92 : b.x + 122;
        c15.y = b.y - 4;
        // C15's walk never shows frame 0 again: below 2 it wraps to its last frame. While the
        // world held still it did not walk on the turn taken back.
        if (t.common.collGate)
            c15.frame = c15.frame >= 2 && c15.frame < c15.frames
                            ? c15.frame - 1
                            : (c15.frames > 0 ? c15.frames - 1 : 0);
    }
}
