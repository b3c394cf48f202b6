// The page keys, the automatic page turn, the pause key, and the frame of one page turn.
#include "platform/Input.h"
#include "platform/Sound.h"
#include "platform/Window.h"
#include "scenes/level/CStage_One.h"
#include "scenes/level/LevelCommon.h"

namespace {

constexpr uint32_t kAutoFlipMs = 200;

// A key counts only while the game window is the active one.
int KeyIn(int code, WindowHandle window) {
    const int state = InputKeyboard::Instance().CheckKey(code);
    return GetActiveWindow() == window ? state : KeyUp;
}

// The first key's state decides; the second is asked only when the first does not qualify.
bool EitherKey(int first, int second, int wanted, WindowHandle window) {
    return KeyIn(first, window) == wanted || KeyIn(second, window) == wanted;
}

bool PageKeysAllowed(const CCommon& common) {
    return common.helpStep == 0 || common.helpStep == 3;
}

// Held pieces are dropped whenever the page moves or the menu opens.
void DropHeldItems(InventoryBag& bag) {
    for (TearObj& item : bag.items)
        if (item.state == ItemCarried) item.state = ItemInBag;
}

} // namespace

void CStage_One::HandlePageKeys() {
    CCommon& common = CCommon::Instance();
    InventoryBag& bag = InventoryBag::Instance();
    const bool hiddenPage = common.pauseForHiddenPage != 0;
    common.pauseForHiddenPage = 0;

    if (common.paused) {
        if (KeyIn(DIK_ESCAPE, window) == KeyPressed) {
            common.flipAnim = 0;
            common.paused = 0;
            common.autoFlip = 1;
            OpenAllGates(common);
        }
        return;
    }

    if (common.autoFlip) {
        if (TickPassed(autoFlipTick, kAutoFlipMs) && PageKeysAllowed(common)) {
            common.pageSound.PlayOgg(0);
            TurnPage(Forward);
        }
        // S or Space stops the pages and opens the bag.
        if (EitherKey(DIK_S, DIK_SPACE, KeyPressed, window)) {
            bag.open = 1;
            common.autoFlip = 0;
        }
    } else {
        if (!common.forwardLock) {
            if (PageKeysAllowed(common) &&
                EitherKey(DIK_D, DIK_RIGHT, common.turnTrigger, window)) {
                common.pageSound.PlayOgg(0);
                TurnPage(Forward);
            }
            if (EitherKey(DIK_S, DIK_SPACE, KeyPressed, window)) {
                common.autoFlip = 1;
                if (common.helpStep == 3) common.helpStep = 4;
            }
        }
        if (common.page > 0 && PageKeysAllowed(common) &&
            EitherKey(DIK_A, DIK_LEFT, common.turnTrigger, window)) {
            common.pageSound.PlayOgg(0);
            TurnPage(Backward);
        }
        if (common.page > 0 && !common.forwardLock && common.helpStep == 0 &&
            EitherKey(DIK_W, DIK_I, KeyPressed, window))
            bag.open = bag.open ? 0 : 1;
    }

    const bool escape = KeyIn(DIK_ESCAPE, window) == KeyPressed;
    if (escape || hiddenPage) {
        common.flipAnim = 0;
        common.paused = 1;
        common.autoFlip = 0;
        pauseKeys.Reset();
        bag.overBag = 0;
        DropHeldItems(bag);
        CloseAllGates(common);
    }
}

void CStage_One::TurnPage(int32_t direction) {
    CCommon& common = CCommon::Instance();
    InventoryBag& bag = InventoryBag::Instance();

    if (direction == Forward) {
        CharacterForward();
        CollisionReleaseChecks();
        CollisionsForward();
        C5WakeCheck();
        ItemsForward();
        BackgroundsForward();
        FollowUpChecks();
        bag.sunFrame = bag.sunFrame > 1 ? 0 : bag.sunFrame + 1;
        ++common.page;
        if (common.page == 1 && !common.pageTurned) common.pageTurned = 1;
        if (common.flipAnim == 0) common.flipAnim = 1;
    } else if (direction == Backward) {
        CharacterBackward();
        FirstUndoChecks();
        CollisionsBackward();
        C11GoingUndo();
        B4EndCheck();
        ItemsBackward();
        BackgroundsBackward();
        SecondUndoChecks();
        bag.sunFrame = bag.sunFrame < 1 ? 2 : bag.sunFrame - 1;
        --common.page;
        if (common.flipAnim == 0) common.flipAnim = 2;
    } else {
        return; // not a direction
    }
    DropHeldItems(bag);
    if (bag.open) bag.open = 0;
}
