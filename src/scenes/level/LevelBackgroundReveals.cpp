// The reveals taken back: a background object shown where a collision object was used up hides
// again, and the object comes back where it was used.
#include "scenes/level/LevelBackgroundRules.h"
#include "services/OnScreen.h"

namespace {
// A used-up object given back at (x, y), before the turn that led to its use: with the world
// moving it had drifted on that turn, a step and a picture, before it was used (parked since, it
// sat out this turn's collision phase).
void GiveBackBeforeItsDrift(BackTurn& t, int coll, int32_t x, int32_t y) {
    CollObj& c = t.C(coll);
    c.x = x;
    c.y = y;
    if (CollGateFound(t, coll)) {
        c.x += c.step;
        StepCyclicBackward(c.frame, c.frames);
    }
    // Beyond the page's edge it was waiting off the page, where the frame's rules leave it be.
    c.state = GoesOffScreen(c.x, c.dw) ? 0 : 1;
}
} // namespace

void HideB29AtItsStart(BackTurn& t, BackObj& b) {
    LevelValues& v = t.L.values;
    const int32_t xBefore = b.x;
    t.L.stamps.b29Done = kNoStamp;
    t.L.stamps.c13Used = kNoStamp;
    v.b29ReturnX = kNoReturnPoint;
    v.b29StartY = 0;
    b.x += 60;
    b.state = 2;
    // C13 comes back where it was used: B29 came on 29 px left of it.
    CollObj& c13 = t.C(13);
    if (c13.state == 5) GiveBackBeforeItsDrift(t, 13, xBefore + 29, b.y - 4);
}

void HideB31AtItsStart(BackTurn& t, BackObj& b) {
    t.L.stamps.c10Used = kNoStamp;
    b.state = 2;
    CollObj& c10 = t.C(10);
    if (c10.state == 5) {
        c10.x = b.x + 14;
        c10.y = b.y + 22;
        if (!CollGateFound(t, 10)) {
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
    // Back where it was used: B56 came on 9 px right of it and has not moved since.
    if (c14.state == 5) GiveBackBeforeItsDrift(t, 14, b.x - kB56FromC14, b.y - 4);
}

void HideB59AtItsStart(BackTurn& t, BackObj& b) {
    t.L.stamps.c15Used = kNoStamp;
    b.state = 2;
    CollObj& c15 = t.C(15);
    if (c15.state == 5) {
        c15.state = 1;
        // B59 came on 122 px left of it; with the world moving, C15 had run on 30 px in the turn
        // taken back, before its use.
        const bool walked = CollGateFound(t, 15);
        c15.x = walked ? b.x + 92 : b.x + 122;
        c15.y = b.y - 4;
        if (GoesOffScreen(c15.x, c15.dw)) c15.state = 0;
        // C15's walk never shows frame 0 again: below 2 it wraps to its last frame. While the
        // world held still it did not walk on the turn taken back.
        if (walked)
            c15.frame = c15.frame >= 2 && c15.frame < c15.frames
                            ? c15.frame - 1
                            : (c15.frames > 0 ? c15.frames - 1 : 0);
    }
}
