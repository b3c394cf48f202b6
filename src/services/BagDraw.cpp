#include "platform/Window.h"
#include "services/CCommon.h"
#include "services/InventoryBag.h"
#include <algorithm>

namespace {

void DrawItem(Texture* texture, int x, int y, const RECT* rect = nullptr, float rotation = 0.0f) {
    DrawSprite(255, rect, Graphics::Instance(), texture, x, y, 2.0f, 2.0f, rotation);
}

void DrawFlat(Texture* texture, int x, int y, const RECT* rect = nullptr) {
    DrawSprite(255, rect, Graphics::Instance(), texture, x, y, 1.0f, 1.0f, 0.0f);
}

// Put-down items drawn under the level's objects, and those drawn over them.
constexpr int kPlacedLow[] = {1, 3, 4, 6, 8};
constexpr int kPlacedHigh[] = {0, 2, 5, 7, 9, 10, 11, 12, 13, 14};

// What a carried item shows: the first frame of its strip (item 7 keeps its current frame).
constexpr int kCarriedFirstEntry[InventoryBag::kItems] = {-1, -1, 0,  -1, -1, 6,  -1, -1,
                                                          -1, 9,  -1, -1, 11, 14, -1};

} // namespace

void InventoryBag::DrawLevelItems() {
    for (int i = 0; i < kItems; ++i) {
        const TearObj& item = items[i];
        const TearingObj& tearing = tearingObj[i];
        if (item.state == ItemVisible) DrawItem(tearImage[i], item.x, item.y, StripFrame(i));
        if (tearing.playing && tearFrame < tearing.frames)
            DrawItem(tearingImage[i], tearing.x, tearing.y, &tearing.frameRects[tearFrame]);
    }
    if (hoverItem0) DrawItem(stoneEffect, items[0].x - 15, items[0].y - 15);
}

void InventoryBag::DrawHoles() {
    const int32_t page = CCommon::Instance().page;
    for (int i = 0; i < kItems; ++i)
        if (holes[i].page == page) DrawItem(holeImage[i], holes[i].x, holes[i].y);
}

// The tearing picture's last frame stays on the page where the item was put down.
static void DrawPutDownTrace(InventoryBag& bag, int i) {
    const TearingObj& tearing = bag.tearingObj[i];
    if (tearing.placePage == CCommon::Instance().page)
        DrawItem(bag.tearingImage[i], tearing.x, tearing.y, &tearing.frameRects.back());
}

static bool PlacedAndReached(const InventoryBag& bag, int i) {
    const int32_t state = bag.items[i].state;
    const bool placed = state == ItemPlaced || (i == 13 && state == ItemFallen);
    return placed && bag.tearingObj[i].placePage <= CCommon::Instance().page;
}

void InventoryBag::DrawPlacedItemsLow() {
    for (int i : kPlacedLow) {
        if (!PlacedAndReached(*this, i)) continue;
        DrawPutDownTrace(*this, i);
        DrawItem(tearImage[i], items[i].x, items[i].y);
    }
}

void InventoryBag::DrawPlacedItemsHigh() {
    for (int i : kPlacedHigh) {
        if (!PlacedAndReached(*this, i)) continue;
        DrawPutDownTrace(*this, i);
        const TearObj& item = items[i];
        switch (i) {
        case 0:
            DrawItem(tearImage[i], item.x, item.y, &ItemFrameTable[16], item0Rotation);
            break;
        case 9:
            DrawItem(tearImage[i], item.x, item.y, &ItemFrameTable[10]);
            DrawItem(sunEffect, item.x - 60, item.y - 40, &sunRects[std::clamp(sunFrame, 0, 2)]);
            break;
        case 12:
            DrawItem(tearImage[i], item.x, item.y, &ItemFrameTable[11], item12Rotation);
            break;
        default:
            DrawItem(tearImage[i], item.x, item.y, StripFrame(i));
            break;
        }
    }
}

void InventoryBag::DrawBagWindow() {
    if (open) {
        DrawFlat(bagWindow, 40, 40);
        for (int j = 0; j < 5; ++j) {
            const BagSlot& slot = slots[bagPage * 5 + j];
            if (slot.occupied && items[slot.item].state == ItemInBag)
                DrawFlat(smallImage[slot.item], slot.x, slot.y);
        }
        DrawFlat(pageDigits, kPageButtonRect.left, kPageButtonRect.top, &digitRects[bagPage]);
    }
    if (full) DrawFlat(fullNotice, 230, 115);
}

void InventoryBag::DrawCarriedItem() {
    for (int i = 0; i < kItems; ++i) {
        const TearObj& item = items[i];
        if (item.state != ItemCarried) continue;
        const int first = kCarriedFirstEntry[i];
        const RECT* rect = i == 7 ? StripFrame(i) : first >= 0 ? &ItemFrameTable[first] : nullptr;
        DrawItem(tearImage[i], cursorX - item.dw / 2, cursorY - item.dh / 2, rect);
    }
}
