#include "app/SceneManager.h"
#include "platform/Input.h"
#include "platform/Sound.h"
#include "platform/Window.h"
#include "services/CCommon.h"
#include "services/InventoryBag.h"
#include "services/OnScreen.h"

namespace {

bool CursorIn(const RECT& rect) {
    return PtInRect(rect, POINT{cursorX, cursorY});
}

constexpr int32_t kTearStepMs = 50;
constexpr int32_t kFullNoticeMs = 500;

} // namespace

// The button is asked only where a click would do something, so its edge is not consumed elsewhere.
bool InventoryBag::Clicked() const {
    return InputMouse::Instance().CheckLeftButton() == KeyPressed &&
           GetActiveWindow() == SceneManager::Instance().window;
}

bool InventoryBag::TearPlaying() const {
    for (const TearingObj& tearing : tearingObj)
        if (tearing.playing) return true;
    return false;
}

void InventoryBag::Take(int i, bool withTearing) {
    CCommon& common = CCommon::Instance();
    if (count >= kItems) {
        full = 1;
        fullTick = GetTickCount();
        return;
    }
    common.StartTear();
    TearObj& item = items[i];
    if (withTearing) {
        TearingObj& tearing = tearingObj[i];
        // The tearing picture sits at the file's offset from the piece.
        tearing.x = item.x - tearing.offX;
        tearing.y = item.y - tearing.offY;
        item.x = -item.dw; // out of the picture; it stays loose until the animation ends
        item.y = -item.dh;
        tearing.playing = 1;
        common.tearing = 1;
        tearTick = GetTickCount();
        if (i == 13) item13Torn = 1;
    } else {
        item.state = ItemInBag;
    }
    lastItem = i;
    storeRequest = 1;
}

void InventoryBag::HandleInput() {
    CCommon& common = CCommon::Instance();
    // A click on the help reminder is its own, not the piece's under it.
    const bool helpsClick = common.HelpTakesClick();
    const bool canTouch =
        common.autoFlip == 0 && common.forwardLock == 0 && overBag == 0 && !helpsClick;
    const bool wasCarrying = Carrying();
    const int32_t countBefore = count;
    const int16_t bagPageBefore = bagPage;
    const uint8_t openBefore = open;
    common.hoverTearable = 0;

    for (int i = 0; i < kItems; ++i) {
        TearObj& item = items[i];
        TearingObj& tearing = tearingObj[i];
        switch (item.state) {
        case ItemLoose:
            if (ComesOnScreen(item.x, item.dw)) item.state = ItemVisible;
            break;
        case ItemVisible: {
            if (GoesOffScreen(item.x, item.dw)) item.state = ItemLoose;
            // Items 7 and 13 can be torn out only in their first frame. One tear at a time: the
            // pieces share one tearing frame and tick, and the end of a tear clears `tearing`.
            const bool frameReady = (i != 7 || item7Frame == 0) && (i != 13 || item13Frame == 0);
            if (canTouch && frameReady && !TearPlaying() && CursorIn(item.hit)) {
                common.hoverTearable = 1;
                if (Clicked())
                    Take(i, true);
                else
                    common.StopTear();
            }
            break;
        }
        case ItemCarried:
            if (!helpsClick && Clicked()) {
                tearing.placePage = common.page;
                item.x = cursorX - item.dw / 2;
                item.y = cursorY - item.dh / 2;
                tearing.x = item.x - tearing.offX;
                tearing.y = item.y - tearing.offY;
                slots[takenSlot].occupied = 0;
                slots[takenSlot].item = -1;
                item.state = ItemPlaced;
                --count;
            }
            open = 0; // the bag stays closed while an item is carried
            break;
        case ItemPlaced:
            if (GoesOffScreen(item.x, item.dw)) item.state = ItemPlacedOff;
            if (common.page == tearing.placePage && canTouch && CursorIn(item.hit)) {
                common.hoverTearable = 1;
                if (Clicked())
                    Take(i, false);
                else
                    common.StopTear();
            }
            break;
        case ItemPlacedOff:
            if (ComesOnScreen(item.x, item.dw)) item.state = ItemPlaced;
            break;
        default:
            break;
        }

        if (tearing.playing && TickPassed(tearTick, kTearStepMs)) {
            if (tearFrame < tearing.frames - 1) {
                ++tearFrame;
            } else {
                holes[i] = HoleMark{tearing.x, tearing.y, common.page};
                tearFrame = 0;
                item.state = ItemInBag;
                common.tearing = 0;
                tearing.playing = 0;
            }
        }
    }

    if (open) {
        for (int j = 0; j < 5; ++j) {
            const int s = bagPage * 5 + j;
            BagSlot& slot = slots[s];
            if (!slot.occupied) continue;
            // A slot whose piece is still being torn out shows nothing and cannot be taken.
            if (CursorIn(slot.hit) && items[slot.item].state == ItemInBag) {
                slot.x = slot.restX + 2;
                slot.y = slot.restY + 2;
                if (Clicked()) {
                    open = 0;
                    items[slot.item].state = ItemCarried;
                    takenSlot = s;
                }
            } else {
                slot.x = slot.restX;
                slot.y = slot.restY;
            }
        }
        overBag = CursorIn(windowRect);
        if (CursorIn(pageButtonRect) && Clicked())
            bagPage = static_cast<int16_t>((bagPage + 1) % 3);
    } else {
        bagPage = 0;
        overBag = 0;
    }

    if (storeRequest) {
        for (slotSearch = 0; slotSearch < kItems; ++slotSearch) {
            BagSlot& slot = slots[slotSearch];
            if (slot.occupied) continue;
            slot.item = lastItem;
            slot.occupied = 1;
            ++count;
            break;
        }
        storeRequest = 0;
    }

    if (items[0].state == ItemVisible)
        hoverItem0 = common.autoFlip == 0 && common.forwardLock == 0 && CursorIn(items[0].hit);

    if (TickPassed(fullTick, kFullNoticeMs)) full = 0;

    // A press on the page that did nothing at all (not a piece that can be torn now, a piece
    // put down on another page, the locked page) still gets an answer. Presses are counted from
    // the window's messages, so the button's edge stays for those who ask for it.
    const bool pressed = common.mousePresses != seenPresses;
    seenPresses = common.mousePresses;
    const bool somethingHappened = wasCarrying || Carrying() || count != countBefore ||
                                   bagPage != bagPageBefore || open != openBefore ||
                                   TearPlaying() || full;
    if (pressed && !somethingHappened && common.autoFlip == 0 && overBag == 0 &&
        !CursorIn(common.helpHitRect))
        common.RefuseClick();
}

bool InventoryBag::Carrying() const {
    for (const TearObj& item : items)
        if (item.state == ItemCarried) return true;
    return false;
}
