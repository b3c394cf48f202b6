// Update: the playing frame, the pause menu, the closing sequence, the lost check and the notices.
#include "app/SceneManager.h"
#include "platform/Input.h"
#include "platform/Sound.h"
#include "platform/Window.h"
#include "scenes/level/CStage_One.h"
#include "scenes/level/LevelCommon.h"
#include <algorithm>

namespace {

constexpr int32_t kTitleScene = 0;
constexpr int32_t kEndingScene = 2;

// ---- Closing sequence: eight smoke steps, each turning a page, then the ending ----

constexpr uint32_t kClosingStepMs = 200;
constexpr int16_t kLastSmoke = 8;

// ---- Pause menu ----

enum class PauseAction : uint8_t { Resume, Main, Quit };

// A button rests at `rest`; under the cursor it sits 2 px right and down. Its hit area is built
// from last frame's position, so it follows a hovered button one frame late.
struct PauseButton {
    POINT PauseButtons::*pos;
    RECT PauseButtons::*hit;
    POINT rest;
    PauseAction action;
};

constexpr PauseButton kPauseButtons[] = {
    {&PauseButtons::resumePos, &PauseButtons::resumeRect, {306, 280}, PauseAction::Resume},
    {&PauseButtons::mainPos, &PauseButtons::mainRect, {306, 340}, PauseAction::Main},
    {&PauseButtons::quitPos, &PauseButtons::quitRect, {306, 400}, PauseAction::Quit},
};
constexpr int kPauseButtonCount = sizeof kPauseButtons / sizeof kPauseButtons[0];
constexpr int32_t kButtonWidth = 200;
constexpr int32_t kButtonHeight = 50;
constexpr int32_t kHoverShift = 2;

// ---- Lost check ----

// Animations whose last frame means the character is lost.
constexpr int kLostAtLastFrame[] = {CharKnockedDown, CharThrown, CharPit,
                                    CharCaught,      CharSlip,   CharSwept};
constexpr int32_t kBlinksToLose = 3;
constexpr int32_t kFlyLostFrame = 1;
constexpr int32_t kScreenWidth = 800;

// ---- On-screen states ----

// Objects come on when -60 - dw <= x <= 860 and go off only past those bounds, as the bag's
// pieces do (services/OnScreen.h): one resting on a bound stays on.
constexpr int64_t kOffLeftMargin = 60;
constexpr int64_t kOffRight = 860;
// The copies of B11 use a fixed left bound instead of their width.
constexpr int64_t kCopyOffLeft = -30;

bool ComesOn(int64_t x, int64_t left) {
    return left <= x && x <= kOffRight;
}
bool GoesOff(int64_t x, int64_t left) {
    return x < left || x > kOffRight;
}
int64_t LeftBound(int32_t dw) {
    return -kOffLeftMargin - dw;
}

// A state change by the on-screen test: `from` becomes `to` when the object comes on (or goes
// off, when `whenOn` is false).
struct OnScreenRule {
    int32_t from;
    int32_t to;
    bool whenOn;
};

constexpr OnScreenRule kBackRules[] = {{0, 1, true}, {1, 0, false}, {5, 6, false}, {6, 5, true}};
constexpr OnScreenRule kCollRules[] = {{0, 1, true}, {1, 0, false}, {3, 4, false}, {4, 3, true}};
constexpr OnScreenRule kCopyRules[] = {{0, 1, true}, {1, 0, false}};

template <class State, int N>
void ApplyOnScreenRules(const OnScreenRule (&rules)[N], State& state, int64_t x, int64_t left) {
    for (const OnScreenRule& rule : rules) {
        if (state != rule.from) continue;
        if (rule.whenOn ? ComesOn(x, left) : GoesOff(x, left)) state = static_cast<State>(rule.to);
        return;
    }
}

// The ending landmark: once it is on screen and has come in 30 px past the right edge.
constexpr int kEndingLandmark = 66;
constexpr int32_t kEndingLine = 830;

// ---- The 500 ms beat ----

constexpr uint32_t kBeatMs = 500;
constexpr int kBeatBack = 13;
constexpr int32_t kBeatBackFrames = 3; // B13's strip (FrameTable 8..10)
constexpr int kBeatColl = 10;
constexpr int32_t kBeatCollLastToggled = 1; // C10 blinks between frames 0 and 1 only

// ---- Item uses: an item the rules used is back in the bag, so the world moves again ----

struct ItemUse {
    uint8_t LevelFlags::*flag;
    int item;
};
constexpr ItemUse kItemUses[] = {{&LevelFlags::itemUse13, 13}, {&LevelFlags::itemUse10, 10}};
constexpr int kUseBack = 91;
constexpr int32_t kUseBackWaiting = 3;
constexpr int kUseColl = 20;
constexpr int32_t kUseCollWaiting = 2;

// ---- Notices ----

constexpr int kNoticeAnimation = CharKnockedDown; // notices rise on its frame 2
constexpr int32_t kNoticeFrame = 2;

// A gameover notice: armed by the rules, shown while the character is lost with the object's
// condition holding, hidden once the condition holds again while not lost.
struct GameoverNotice {
    uint8_t Notices::*armed;
    uint8_t Notices::*shown;
    bool (*holds)(const LevelState&, const InventoryBag&);
};

bool Item0Visible(const LevelState&, const InventoryBag& bag) {
    return bag.items[0].state == ItemVisible;
}
bool C1Standing(const LevelState& level, const InventoryBag&) {
    return level.colls[1].frame == 0 && level.colls[1].state == 1;
}
bool C10OrC19Waiting(const LevelState& level, const InventoryBag&) {
    return (level.colls[10].frame == 5 && level.colls[10].state == 1) ||
           (level.colls[19].frame == 0 && level.colls[19].state == 1);
}

constexpr GameoverNotice kGameoverNotices[] = {
    {&Notices::armGameover1, &Notices::showGameover1, Item0Visible},
    {&Notices::armGameover2, &Notices::showGameover2, C1Standing},
    {&Notices::armGameover3, &Notices::showGameover3, C10OrC19Waiting},
};

// The card naming what the fox took stays for this many pages after the theft (three seconds
// while the pages turn by themselves, not so long that it hides the elk's muzzle further on).
constexpr int32_t kFoxCardPages = 15;
constexpr int32_t kNearestHint = 3;

constexpr int kWarningColl = 14;
constexpr int32_t kWarningFrom = 550; // shown strictly between these
constexpr int32_t kWarningTo = 750;

// A click on a rectangle: the cursor is in it, the button's pressed edge, the game window active.
// The button is asked only over the rectangle, so a press elsewhere keeps its edge.
bool Clicked(const RECT& area, WindowHandle window) {
    return PtInRect(area, POINT{cursorX, cursorY}) &&
           InputMouse::Instance().CheckLeftButton() == KeyPressed && GetActiveWindow() == window;
}

} // namespace

void CStage_One::Update() {
    CCommon& common = CCommon::Instance();
    InventoryBag& bag = InventoryBag::Instance();

    if (level.flags.returnToTitle) {
        common.introDone = 1; // the title opens on its menu
        common.titlePhase = 0;
        SceneManager::Instance().ChangeStage(kTitleScene);
        return; // this scene has been deleted
    }
    if (level.flags.endingStarted) {
        UpdateClosingSequence();
        return; // nothing else runs; the scene may have been deleted
    }

    if (common.paused) {
        UpdatePauseMenu();
    } else {
        common.UpdateBook();
        bag.UpdateRects();
        PlaceHitRects(); // the rules test the rectangles of this frame
        Interact();
    }

    LostCheck();
    UpdateOnScreenStates();
    if (!common.tearing) HandlePageKeys();
    if (!common.paused) {
        UpdateBeat();
        bag.HandleInput();
    }
    UpdateItemUses();
    if (!common.autoFlip) common.HandleHelpClick();
    if (common.helpStep != 0 && bag.open) bag.open = 0; // the help panel closes the bag
    UpdateNotices();
}

void CStage_One::UpdateClosingSequence() {
    CCommon& common = CCommon::Instance();
    if (TickPassed(pacingTick, kClosingStepMs)) {
        // The last smoke stays until the ending's data is here (in the browser, minutes after
        // it was asked for, this wait is not seen).
        if (level.smokeStep >= kLastSmoke && !common.endingDataHere) {
            common.UpdateBook();
            return;
        }
        common.pageSound.PlayOgg(0);
        if (common.flipAnim == 0) common.flipAnim = 1;
        if (level.smokeStep < kLastSmoke) {
            ++level.smokeStep;
        } else {
            SceneManager::Instance().ChangeStage(kEndingScene);
            return; // this scene has been deleted; the ending runs the book from here
        }
    }
    common.UpdateBook();
}

void CStage_One::UpdatePauseMenu() {
    CCommon& common = CCommon::Instance();
    PauseButtons& buttons = level.pause;

    for (const PauseButton& b : kPauseButtons) {
        const POINT& p = buttons.*b.pos;
        buttons.*b.hit = RECT{p.x, p.y, p.x + kButtonWidth, p.y + kButtonHeight};
    }

    const int32_t chosen = pauseKeys.Update(kPauseButtonCount, window);
    for (int i = 0; i < kPauseButtonCount; ++i) {
        const PauseButton& b = kPauseButtons[i];
        const RECT& hit = buttons.*b.hit;
        const bool underCursor = PtInRect(hit, POINT{cursorX, cursorY});
        if (underCursor && Clicked(hit, window)) ChoosePauseAction(static_cast<int>(b.action));
        // A keyboard highlight is shown instead of the mouse's hover until the mouse moves.
        const bool lit =
            pauseKeys.highlight == KeyMenu::kNone ? underCursor : pauseKeys.highlight == i;
        buttons.*b.pos = lit ? POINT{b.rest.x + kHoverShift, b.rest.y + kHoverShift} : b.rest;
    }
    if (chosen != KeyMenu::kNone && common.paused)
        ChoosePauseAction(static_cast<int>(kPauseButtons[chosen].action));
}

void CStage_One::ChoosePauseAction(int action) {
    CCommon& common = CCommon::Instance();
    switch (static_cast<PauseAction>(action)) {
    case PauseAction::Resume:
        common.tearSound.PlayOgg(0);
        common.paused = 0;
        common.autoFlip = 1;
        OpenAllGates(common);
        break;
    case PauseAction::Main:
        level.flags.returnToTitle = 1; // the next frame leaves for the title
        break;
    case PauseAction::Quit:
        PostQuitMessage(0);
        break;
    }
}

void CStage_One::LostCheck() {
    CCommon& common = CCommon::Instance();
    bool lost = level.counters.blinkCount == kBlinksToLose;
    for (int s : kLostAtLastFrame)
        lost = lost || level.chars[s].AtLastFrame();

    const CharObj& fly = level.chars[CharFly];
    lost = lost || fly.frame == kFlyLostFrame;
    // Flown off the picture: past the right edge by its own width, or above the top.
    lost =
        lost || (level.charState == CharFly &&
                 (int64_t{fly.x} >= int64_t{fly.dw} + kScreenWidth || fly.y <= -int64_t{fly.dh}));

    if (common.pageTurned == 1 && lost) {
        common.forwardLock = 1; // only turning back can save the character
        common.autoFlip = 0;
    } else {
        common.forwardLock = 0;
    }
}

void CStage_One::UpdateOnScreenStates() {
    for (int i = 0; i < kBacks; ++i) {
        BackObj& b = level.backs[i];
        const bool wasShown = b.state == 1;
        ApplyOnScreenRules(kBackRules, b.state, b.x, LeftBound(b.dw));
        if (i == kEndingLandmark && wasShown && int64_t{b.x} < int64_t{kEndingLine} - b.dw &&
            !level.flags.endingStarted)
            level.flags.endingStarted = 1; // the closing sequence begins with the next frame
    }
    for (Back11Copy& copy : level.back11Copies)
        ApplyOnScreenRules(kCopyRules, copy.shown, copy.x, kCopyOffLeft);
    for (CollObj& c : level.colls)
        ApplyOnScreenRules(kCollRules, c.state, c.x, LeftBound(c.dw));
}

void CStage_One::UpdateBeat() {
    CCommon& common = CCommon::Instance();
    if (common.forwardLock != 0 || common.autoFlip != 1 || !TickPassed(pacingTick, kBeatMs)) return;
    if (level.backs[kBeatBack].state == 1) {
        int32_t& f = level.counters.b13Frame;
        f = f >= 0 && f < kBeatBackFrames - 1 ? f + 1 : 0;
    }
    CollObj& c = level.colls[kBeatColl];
    if (c.state == 1 && c.frame <= kBeatCollLastToggled) c.frame = c.frame == 0 ? 1 : 0;
}

void CStage_One::UpdateItemUses() {
    CCommon& common = CCommon::Instance();
    const InventoryBag& bag = InventoryBag::Instance();
    for (const ItemUse& use : kItemUses) {
        uint8_t& flag = level.flags.*use.flag;
        if (!flag || bag.items[use.item].state != ItemInBag) continue;
        flag = 0;
        OpenAllGates(common);
        BackObj& b = level.backs[kUseBack];
        if (b.state == kUseBackWaiting) b.state = 1;
        CollObj& c = level.colls[kUseColl];
        if (c.state == kUseCollWaiting) c.state = 1;
        // No load left to take back on a turn: the badger as it found the load is not needed.
        if (!level.flags.itemUse13 && !level.flags.itemUse10) level.values.badgerBeforeLoad = {};
    }
}

void CStage_One::UpdateNotices() {
    const CCommon& common = CCommon::Instance();
    const InventoryBag& bag = InventoryBag::Instance();
    Notices& notices = level.notices;

    if (common.pageTurned == 1 && common.forwardLock == 1) {
        // While lost, a notice rises only once the knocked-down animation reaches frame 2.
        if (level.chars[kNoticeAnimation].frame == kNoticeFrame) {
            for (const GameoverNotice& n : kGameoverNotices)
                if (notices.*n.armed && n.holds(level, bag)) notices.*n.shown = 1;
        }
    } else {
        for (const GameoverNotice& n : kGameoverNotices)
            if (n.holds(level, bag)) notices.*n.shown = 0;
    }

    const CollObj& c = level.colls[kWarningColl];
    notices.showWarning = c.state == 1 && kWarningFrom < c.x && c.x < kWarningTo;

    // Our own cards. While the pages are locked: the card of the stop met last, unless a
    // gameover notice already tells it, and from the second attempt at that stop on a nearer
    // hint under whichever card shows.
    const bool locked = common.pageTurned == 1 && common.forwardLock == 1;
    const bool gameoverShown =
        notices.showGameover1 || notices.showGameover2 || notices.showGameover3;
    const int32_t stop = level.stops.last;
    const bool known = stop > StopNone && stop < kStopKinds;
    notices.stopCard = locked && known && !gameoverShown ? stop : StopNone;
    const int32_t tries = known ? level.stops.attempts[stop] : 0;
    notices.hintLevel = locked && known && tries >= 2 ? std::min(tries, kNearestHint) : 0;
    // Waking the elk is no help once the boulder has knocked it out: the fence says so at once.
    if (locked && stop == StopFence && level.stamps.c1Used != kNoStamp)
        notices.hintLevel = kHintElkKnockedOut;

    // After a theft, for a few pages: which piece the fox took.
    const int32_t taken = level.values.bagLossItem;
    const int32_t since = common.page - level.stamps.bagLoss;
    const bool justTaken = taken >= 0 && taken < InventoryBag::kItems &&
                           level.stamps.bagLoss != kNoStamp && since >= 0 && since < kFoxCardPages;
    const bool cardFree = !locked && !gameoverShown && !notices.showWarning;
    notices.foxTook = justTaken && cardFree ? taken : -1;
}
