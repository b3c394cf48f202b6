#pragma once
// Everything in the level that changes while it is played, as one plain value: it can be copied,
// compared with ==, saved before some page turns and compared after turning back. Pictures,
// path slots and frame rectangles (which never change after Init) live beside it in the scene.
#include "platform/Types.h"
#include <cstdint>

// The four motion gates open, as GateBits gives them (back, item, coll, placed: bits 0..3).
constexpr int32_t kAllGateBits = 15;

// Character states: states 0..16 are also the CharObj animation that is drawn.
enum CharState : int32_t {
    CharWalk = 0,
    CharKnockedDown = 1,
    CharCarried = 2,
    CharMount = 3, // climbing onto the primed mount
    CharFailedClimb = 4,
    CharRide = 5, // second walking pose: riding
    CharFall = 6,
    CharBlink = 7,
    CharThrown = 8, // lost while riding
    CharJump = 9,
    CharDismount = 10,
    CharLever = 11, // one-shot with props (collision object 4)
    CharFly = 12,
    CharPit = 13,
    CharCaught = 14, // taken by background object 25
    CharSlip = 15,
    CharSwept = 16,
    CharHidden = 20,
};

// The lost states: knocked down, the pit, caught, the slip and the sweep. Each frame of their
// animation holds the world still.
constexpr bool IsLostState(int32_t state) {
    return state == CharKnockedDown || (state >= CharPit && state <= CharSwept);
}

enum TurnDirection : int32_t { Forward = 0, Backward = 1 };

// Object states shared by the level's records (the rules give each slot its own meaning).
constexpr int32_t kNoStamp = -1;

struct CharObj {
    int32_t x = 0, y = 0, w = 0, h = 0, frames = 0; // from the property file, in this order
    int32_t frame = 0;
    int32_t dw = 0, dh = 0;
    bool operator==(const CharObj&) const = default;
    bool AtLastFrame() const { return frame == frames - 1; }
};

struct HeadObj {
    int32_t x = 0, y = 0, w = 0, h = 0; // from Head_OBJ.txt, in this order
    int32_t dw = 0, dh = 0;
    bool operator==(const HeadObj&) const = default;
};

struct BackObj {
    int32_t x = 0, y = 0, w = 0, h = 0, step = 0, state = 0; // from the property file
    int32_t dw = 0, dh = 0;
    bool operator==(const BackObj&) const = default;
};

struct CollObj {
    int32_t x = 0, y = 0, w = 0, h = 0, frames = 0, step = 0; // from the property file
    int32_t dw = 0, dh = 0;
    int32_t state = 0;
    int32_t pageStamp = kNoStamp; // page of its last stamped event
    int32_t frame = 0;
    RECT hit;
    bool operator==(const CollObj&) const = default;
    bool AtLastFrame() const { return frame == frames - 1; }
};

// An extra copy of background object 11 (left behind where an object was used up).
struct Back11Copy {
    int16_t shown = 2; // 2 waiting, 1 on screen, 0 off screen
    int32_t x = 0, y = 0;
    bool operator==(const Back11Copy&) const = default;
};

// Step and frame counters, each named by what it counts.
struct LevelCounters {
    // The character.
    int32_t carryStep = 0;  // 0..9 along the carried path
    int32_t blinkCount = 0; // forward turns spent landed and blinking (3 = lost)
    // Background objects' sequences and pictures.
    int32_t b1Image = 0;     // frame of B1 (set by the carried path)
    int32_t b4PathStep = 0;  // 0..13
    int32_t b6Count = 0;     // frame of B6 (counts while item 3 is in the bag)
    int32_t b12Count = 0;    // 0..4, also B12's frame
    int32_t b13Frame = 0;    // 0..2
    int32_t b14Count = 0;    // 0..2, also B14's frame
    int32_t b16Count = 0;    // 0..2, also B16's frame
    int32_t b17Count = 0;    // 0..4, also B17's frame
    int32_t b18Frame = 0;    // 0..2
    int32_t b19PathStep = 0; // 0..8
    int32_t b19Picture = 0;  // 0..1, set by B19's path
    int32_t b21Count = 0;    // 0..3
    int32_t b22Count = 0;    // 0..2
    int32_t b23Count = 0;    // 0..7
    int32_t b24Count = 0;    // 0..3
    int32_t b25Count = 0;    // 0..4
    int32_t b27Count = 0;    // 0..4
    int32_t b29Count = 0;    // 0..3
    int32_t b30Count = 0;    // 0..7
    int32_t b31Count = 0;    // 0..4
    int32_t b56Count = 0;    // 0..2
    int32_t b57Count = 0;    // 0..4
    int32_t b58Frame = 0;    // 0..3
    int32_t b59Count = 0;    // 0..2
    int32_t b73Toggle = 0;   // 0..1
    int32_t b74Count = 0;    // 0..2
    int32_t b75Toggle = 0;   // 0..1
    int32_t b90Count = 0;    // 0..2
    int32_t b91SubStep = 0;  // 0..2, also B91's frame
    int32_t b91Step = 0;     // 0..5
    int32_t b93Count = 0;    // 0..4
    int32_t b94Count = 0;    // 0..4
    int32_t stripCount = 0;  // recycles of the strip B50..B55, 0..35
    int32_t b67Returns = 0;
    int32_t b68Returns = 0;
    int32_t b69Returns = 0;
    int32_t b70Returns = 0;
    int32_t b71Returns = 0; // 0..2
    bool operator==(const LevelCounters&) const = default;
};

// A change of the head's picture: C14 setting it in a playing frame, or the walk's wrap clearing
// it on a forward turn, with the picture it replaced. Turning back takes the last one back.
struct HeadChange {
    int32_t page = kNoStamp; // the frame's page, or the page the wrapping turn was made from
    int32_t before = 0;
    uint8_t wrap = 0; // 1: the walk's wrap, 0: C14
    bool operator==(const HeadChange&) const = default;
};

// Values the page-turn step and the rules keep between turns.
struct LevelValues {
    int32_t c7PathStep = 0; // 0..8
    int32_t c7StartX = 0;   // where C7's path starts (saved when B14 hands it over)
    int32_t c7StartY = 0;
    int32_t i9PathStep = 0; // 0..9
    int32_t i12HopStep = 0; // 0..16
    int32_t i12LandX = 0;   // where item 12 landed
    int32_t i12LandY = 0;
    int32_t b23Mode = 0;          // 0 idle, 1 winding up, 2 thrown
    int32_t b29ReturnX = -500000; // -500000 = none stored
    int32_t b29StartY = 0;        // height at which B29 was shown
    int32_t bagLossSlot = -1;     // the slot C14 emptied, -1 = none (turning back refills it)
    int32_t bagLossItem = -1;     // the item taken from it
    // Where C18 was parked, and its frame, when C17's end took it to C17's place: turning back
    // over that end parks it there again.
    int32_t c18ParkedX = 0, c18ParkedY = 0, c18ParkedFrame = 0;
    // Where the walker and its head waited, not drawn, while the hero rode: the dismount's end
    // takes them from there, and turning back over it puts them back (C18 reads the walker's
    // place while the hero rides).
    int32_t walkerParkedX = 0, walkerParkedY = 0, headParkedX = 0, headParkedY = 0;
    // Turns B21 and B24 have played of C9's leaving, counted away from the turn it left on (both
    // play once, then rest: their counters are these, up to 3). Turning towards that turn counts
    // them down, and crossing it takes the leaving back.
    int32_t b21Turns = 0, b24Turns = 0;
    int32_t c5UsedState = 1; // C5's state when it was used beside copy 0 (1, 2 or 3)
    // The gates as B91 found them on the turn it took C20's load (GateBits): the world moved on
    // that turn as far as they let it, and the turn back gives them back. The hero's fall or
    // blinking may have held it still.
    int32_t c20TakenGates = 0;
    // The gates a later step of B91, or B93's or B94's lift, found open when the character's turn
    // had opened them again (the carried path ending while the load held the world); the turn
    // back gives them back. Kept with the stamps b91StepFoundOpen and liftFoundOpen.
    int32_t b91StepGates = 0;
    int32_t liftGates = 0;
    // The gates the hero lay lost with at the first picture of its animation (GateBits), kept
    // while it plays on past it: most lost states shut them all as they begin, but the troll
    // leaves them as they were. The turn from there shuts them all; the turn back to it gives
    // them back.
    int32_t lostFirstGates = 0;
    // Likewise the gates the hero landed with, before his first blink shut them: the turn of the
    // landing may have opened the world again after it (the end of B93's or B94's lift).
    int32_t blinkFirstGates = 0;
    // And the gates at the lever's first picture, before its first turn shut them all.
    int32_t leverFirstGates = 0;
    // The gates the world had when the turn that ended C0's, C1's or C24's sequence began: shut
    // while the sequence held it, but the end of B93's or B94's lift may have opened them on the
    // turn before. The turn back into the sequence gives them back.
    int32_t c0EndGates = 0, c1EndGates = 0, c24EndGates = 0;
    // Where C10 waited, carried by the world, when B23 threw it (the throw puts it at its path's
    // start): the turn back over the throw gives that place back.
    int32_t c10WaitX = 0, c10WaitY = 0;
    // The gates the hero walked with when knocked down (GateBits): the knock-down shuts them all
    // (the troll's leaves them as they are), and the turn back over it to walking gives them
    // back. All open while the hero is not knocked down, as a walk mostly has them.
    int32_t knockDownGates = kAllGateBits;
    // The gates the carried path had when item 0 knocked the hero off it (GateBits): the path
    // leaves the put-down items' gate as it found it, mostly open, and the turn back over the
    // fall's start gives it back. All open while no fall is kept.
    int32_t fallStartGates = kAllGateBits;
    // Where B16 was, hidden behind C7, when C7 or C8 set it going from elsewhere: turning back over
    // that puts it there again (its path back towards C7 starts from there).
    int32_t b16HiddenX = 0;
    int32_t caughtFrom =
        CharHidden; // the character's state when B25 took it (turning back gives it)
    // B90 and B91 as the load on C20 found them: the load hides whichever was shown and starts
    // B91's loading from its first step. Taking the load back gives them back as they were, so
    // the turn back shows the one that was shown, at its place and in its cycle. Cleared then.
    struct BadgerBeforeLoad {
        BackObj b90, b91;
        int32_t b90Count = 0, b91Step = 0, b91SubStep = 0;
        bool operator==(const BadgerBeforeLoad&) const = default;
    } badgerBeforeLoad;
    uint8_t c9LeftBackward = 0; // C9 left on a backward turn
    uint8_t c9LeftTookB23 = 0;  // and B23 went with it, showing B24
    // The head's last changes, latest last. C14 meets the walker for a few pages only, but on each
    // of them its loss may show again after a wrap cleared it: four changes were too few to turn
    // back over all of them.
    static constexpr int kHeadChanges = 16;
    HeadChange headChanges[kHeadChanges];
    int32_t headChangeCount = 0;
    bool operator==(const LevelValues&) const = default;
};

// Rotations and scales the renderer reads (radians; scale 2 is the level's normal size).
struct LevelDrawParams {
    float b4Rotation = 0.0f;
    float collRotation = 0.0f; // shared by C10, C14, C15, C21 and C22
    float b16ScaleX = 2.0f;    // -2 when B16 came from C8 (drawn mirrored)
    float c7Scale = 2.0f;
    float c7Rotation = 0.0f;
    bool operator==(const LevelDrawParams&) const = default;
};

struct LevelFlags {
    uint8_t itemUse13 = 0; // item 13 was loaded on C20 (cleared once it is back in the bag)
    uint8_t itemUse10 = 0;
    uint8_t viaState9 = 0;
    uint8_t viaState10 = 0;
    uint8_t state11Done = 0;
    uint8_t c1Primed = 0;
    uint8_t pitCovered = 0;
    uint8_t bagLossDone = 0;
    // C19 was met on its first frame by C13 or by item 5 put down. Only item 5's rule reads it,
    // to set it once; nothing drawn or moved depends on it. It stays in the state so that a saved
    // world still tells that the meeting happened; turning back over the page of the meeting
    // clears it again (stamps.c19Hit), as the meeting is then yet to come.
    uint8_t c19Hit = 0;
    uint8_t c19Landed = 0;
    uint8_t c17Done = 0;
    uint8_t i12Landed = 0;
    uint8_t i12PastPath = 0;
    uint8_t stripDone = 0;
    uint8_t b67Done = 0, b68Done = 0, b69Done = 0, b70Done = 0, b71Done = 0;
    uint8_t b27Done = 0;
    uint8_t b29Done = 0;
    uint8_t b93Reversing = 0;
    uint8_t b94Reversing = 0;
    uint8_t b16Released = 0;
    // The world already stood still when C0, C1 or C24 began its sequence, the hero riding the
    // carried path: turning back over the start then
    // takes back no drift of the turn before and leaves the gates to what holds the world.
    // Cleared again by that turn back.
    uint8_t c0StartedStill = 0, c1StartedStill = 0, c24StartedStill = 0;
    uint8_t endingStarted = 0;
    uint8_t returnToTitle = 0;
    bool operator==(const LevelFlags&) const = default;
};

// One recycle of the strip B50..B55: the page it happened on, which object went to the right
// end and where it stood before, so that turning back over that page puts it back exactly.
struct StripRecycle {
    static constexpr int kMax = 35; // the strip recycles 35 times in all
    int32_t page = kNoStamp;
    int32_t object = 0;
    int32_t x = 0;
    bool operator==(const StripRecycle&) const = default;
};

// The page on which each stamped event happened (kNoStamp = none); turning back compares the
// page with them to undo the event.
struct PageStamps {
    // The character.
    int32_t carriedEnd = kNoStamp;
    int32_t state4End = kNoStamp;
    int32_t state3End = kNoStamp;
    int32_t fallStart = kNoStamp;
    int32_t state9End = kNoStamp;
    int32_t state10End = kNoStamp;
    int32_t state11End = kNoStamp;
    int32_t flyStart = kNoStamp;
    int32_t flyFrame = kNoStamp;
    int32_t walkLeftA = kNoStamp; // bounds of the walk-backs; never reset
    int32_t walkLeftB = kNoStamp;
    int32_t driftLeftA = kNoStamp;
    int32_t driftLeftB = kNoStamp;
    // Set by the rules of the playing frame.
    int32_t bagLoss = kNoStamp;
    int32_t c1Used = kNoStamp;
    int32_t c2Marked = kNoStamp;
    int32_t c5Used = kNoStamp;
    int32_t c7Used = kNoStamp;
    int32_t c8Used = kNoStamp;
    int32_t c10Used = kNoStamp; // C10 used up, showing B31
    int32_t c13Used = kNoStamp; // C13 used up, showing B29
    int32_t c14Used = kNoStamp; // C14 used up, showing B56
    int32_t c15Used = kNoStamp; // C15 used up, showing B59
    int32_t c12Reached = kNoStamp;
    int32_t item7Met = kNoStamp;
    int32_t item13Met = kNoStamp;
    int32_t item11Zone = kNoStamp;
    int32_t c19Hit = kNoStamp;    // C19 was first met (flags.c19Hit set)
    int32_t c10Thrown = kNoStamp; // B23 threw C10 (the turn's page)
    // Collision objects and items on page turns.
    int32_t c7PathEnd = kNoStamp;
    int32_t c11HandOver = kNoStamp;
    int32_t c11Going = kNoStamp; // item 13 set C11 going
    // Pages on which items 2 and 5 changed to each picture (index = the picture shown after the
    // change): every change is kept, since the world may stand still between two of them.
    int32_t item2FrameAt[4] = {kNoStamp, kNoStamp, kNoStamp, kNoStamp};
    int32_t item5FrameAt[3] = {kNoStamp, kNoStamp, kNoStamp};
    int32_t item5Extra = kNoStamp;
    int32_t item12Path = kNoStamp;
    // Background objects.
    int32_t stripDone = kNoStamp;
    int32_t b67Done = kNoStamp, b68Done = kNoStamp, b69Done = kNoStamp, b70Done = kNoStamp,
            b71Done = kNoStamp;
    int32_t b29Done = kNoStamp;
    int32_t b4End = kNoStamp;
    int32_t b12End = kNoStamp;
    int32_t b17End = kNoStamp;
    int32_t b57End = kNoStamp;
    int32_t b16Release = kNoStamp;
    int32_t b16Follow = kNoStamp;
    int32_t b16SetGoing = kNoStamp; // C7 or C8 set B16 going, whatever the gates
    int32_t b22End = kNoStamp;
    int32_t b27End = kNoStamp;
    int32_t b27Shown = kNoStamp; // item 13 turned into B27 (under the put-down items' gate)
    int32_t b31End = kNoStamp;
    int32_t b56End = kNoStamp;
    int32_t b59End = kNoStamp;
    int32_t b93b94End = kNoStamp;
    // B14's two counts after the assembly of C6 (C6's own stamp keeps the assembly's page).
    int32_t b14FirstCount = kNoStamp;
    int32_t b14SecondCount = kNoStamp;
    int32_t b71FirstReturn = kNoStamp; // B71 stays counted once for many pages
    StripRecycle stripRecycles[StripRecycle::kMax];
    int32_t c5Wake = kNoStamp;   // C5 woke (item 7 in the bag): turning back over it ends its run
    int32_t c18Taken = kNoStamp; // C17's end took C18 from its parking to C17's place
    int32_t b6Counts[3] = {kNoStamp, kNoStamp, kNoStamp}; // pages of B6's three counts
    int32_t c9Left = kNoStamp;   // C9 left on the turn between this page and the next
    int32_t c20Taken = kNoStamp; // B91 took C20's load on the turn from this page
    // A later step of B91 found the world open on the turn from this page: it moved until B91
    // shut it again.
    int32_t b91StepFoundOpen = kNoStamp;
    // The lift first found the world open on the turn from this page: from that turn to the
    // lift's end it moved as far as those gates let it.
    int32_t liftFoundOpen = kNoStamp;
    bool operator==(const PageStamps&) const = default;
};

// Every way the hero can be stopped on the lane, each with its own card (what happened, what
// might help) and two nearer hints for the second and third time.
enum StopKind : int32_t {
    StopNone = 0,
    StopBoulder,      // walked into the boulder lying on the lane
    StopFence,        // walked into the fence
    StopSnowball,     // hit by the imp's snowball
    StopPineCone,     // hit by the crow's pine cone
    StopPit,          // fell through the boardwalk's gap
    StopTroll,        // knocked down by the troll standing guard
    StopFirSnow,      // buried under the leaning fir's snow
    StopGoose,        // carried off by the mother goose
    StopSun,          // dazzled by a sun put down on the hero
    StopBalloon,      // carried off by the balloon
    StopWindmillFall, // knocked off the windmill's sail
    StopThrownOff,    // thrown off the elk
    StopTinBird,      // knocked down by the tin bird
    StopFallingPiece, // hit by a piece put down above the hero
    kStopKinds
};

struct StopRecord {
    // The stop the hero met last: set by the rule that stops it, read only while the pages are
    // locked (every lock follows such a rule), so turning back leaves it as it is.
    int32_t last = StopNone;
    // How often the hero has been stopped at each kind of stop in this game. These count the
    // player's attempts, not pages: turning back never undoes them (the round-trip checks leave
    // them out for that reason), and the hints grow with them.
    int32_t attempts[kStopKinds] = {};
    bool operator==(const StopRecord&) const = default;
};

// The notice pictures: armed by the rules, shown by the frame update.
struct Notices {
    uint8_t armGameover1 = 0, armGameover2 = 0, armGameover3 = 0;
    uint8_t showGameover1 = 0, showGameover2 = 0, showGameover3 = 0, showWarning = 0;
    // Our own cards, chosen every frame from the state: the stop's card while the pages are
    // locked and no gameover notice shows, its nearer hint from the second attempt on (2 or 3;
    // 4 at the fence with the elk knocked out, from the first), and the card naming what the
    // fox took (-1 none).
    int32_t stopCard = StopNone;
    int32_t hintLevel = 0;
    int32_t foxTook = -1;
    bool operator==(const Notices&) const = default;
};

// The pause menu's buttons: where each is drawn and its hit area (built from last frame's
// position, so a hovered button's hit area follows it one frame late).
struct PauseButtons {
    POINT resumePos{306, 280};
    POINT mainPos{306, 340};
    POINT quitPos{306, 400};
    RECT resumeRect, mainRect, quitRect;
    bool operator==(const PauseButtons&) const = default;
};

struct LevelState {
    static constexpr int kChars = 17;
    static constexpr int kHeads = 6;
    static constexpr int kBacks = 95;
    static constexpr int kColls = 25;
    static constexpr int kZones = 8;
    static constexpr int kBack11Copies = 4;

    int32_t charState = CharWalk;
    int32_t headIndex = 0;
    CharObj chars[kChars];
    HeadObj head;
    BackObj backs[kBacks];
    CollObj colls[kColls];
    Back11Copy back11Copies[kBack11Copies];
    LevelCounters counters;
    LevelValues values;
    LevelDrawParams draw;
    LevelFlags flags;
    PageStamps stamps;
    Notices notices;
    StopRecord stops;
    PauseButtons pause;
    int16_t smokeStep = 0; // closing sequence: 0 none, 1..8 the smoke picture shown
    RECT hitA, hitB, hitC; // the character's hit rectangles
    RECT zones[kZones];

    bool operator==(const LevelState&) const = default;
};

// The bag-loss draw's outcome lives for the whole process (it survives a new level).
extern int16_t lossResult;
