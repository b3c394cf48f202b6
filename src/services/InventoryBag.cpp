#include "services/InventoryBag.h"
#include "platform/Sound.h"
#include "services/CCommon.h"
#include <algorithm>
#include <cstddef>
#include <string>

namespace {

// ItemFrameTable: each animated item's strip frames start at base, and a frame field picks
// the one shown. Entry 16 is item 0's single frame.
struct AnimatedItem {
    int item;
    int base;
    int frames;
    int32_t InventoryBag::*frame;
};
constexpr AnimatedItem kAnimated[] = {
    {2, 0, 4, &InventoryBag::item2Frame},    {7, 4, 2, &InventoryBag::item7Frame},
    {5, 6, 3, &InventoryBag::item5Frame},    {9, 9, 2, &InventoryBag::item9Frame},
    {12, 11, 3, &InventoryBag::item12Frame}, {13, 14, 2, &InventoryBag::item13Frame},
};
constexpr int kItem0Entry = 16;

RECT FrameRect(const TearObj& item, int f) {
    return RECT{f * item.w, 0, f * item.w + item.w, item.h};
}

// Items that have a hotspot, in hotspot order, with the hotspot's offsets from the item.
struct HotspotEntry {
    int item;
    RECT offset;
};
constexpr HotspotEntry kHotspots[7] = {
    {0, {72, 77, 209, 195}}, {1, {54, 40, 59, 45}},    {3, {62, 77, 67, 82}}, {4, {61, 81, 66, 86}},
    {6, {109, 90, 114, 95}}, {8, {111, 95, 116, 100}}, {7, {80, 0, 110, 30}},
};

constexpr int32_t kSlotRest[5][2] = {{50, 60}, {145, 60}, {240, 60}, {50, 155}, {145, 155}};
constexpr int kSlotSize = 85;

// The property reader fills the first five fields of each record in order.
static_assert(offsetof(TearObj, step) == 4 * sizeof(int32_t));
static_assert(offsetof(TearingObj, frames) == 4 * sizeof(int32_t));
static_assert(std::size(property_fields::kTear) == 5 && std::size(property_fields::kTearing) == 5);

bool StartsOutOfPlay(int item) {
    return item == 5 || item == 7 || item == 10;
}

} // namespace

InventoryBag& InventoryBag::Instance() {
    static InventoryBag instance;
    return instance;
}

InventoryBag::InventoryBag() {
    for (int i = 0; i < 3; ++i) {
        digitRects[i] = RECT{50 * i, 0, 50 * i + 50, 25};
        sunRects[i] = RECT{138 * i, 0, 138 * i + 138, 124};
    }
    ReadPathList("Data/Address/Bag/Tear.txt", kItems, tearPath);
    ReadPathList("Data/Address/Bag/Hole.txt", kItems, holePath);
    ReadPathList("Data/Address/Bag/Small.txt", kItems, smallPath);
    ReadPathList("Data/Address/Bag/Tearing.txt", kItems, tearingPath);
    ReadPathList("Data/Text/Bag/Tear_OBJ.txt", kItems, tearObjPath);
    ReadPathList("Data/Text/Bag/Tearing_OBJ.txt", kItems, tearingObjPath);
    ResetBag();
    for (int i = 0; i < kItems; ++i) {
        LoadTexture(tearPath[i].path, tearImage[i]);
        LoadTexture(tearingPath[i].path, tearingImage[i]);
        LoadTexture(holePath[i].path, holeImage[i]);
        LoadTexture(smallPath[i].path, smallImage[i]);
    }
    LoadTexture("Data/image/Support/sun_effect.png", sunEffect);
    LoadTexture("Data/image/Support/inven_full.png", fullNotice);
    LoadTexture("Data/image/Support/Inventory.png", bagWindow);
    LoadTexture("Data/image/Support/Stone_effect.png", stoneEffect);
    LoadTexture("Data/image/Support/inventoryNum.png", pageDigits);
}

InventoryBag::~InventoryBag() {
    for (int i = 0; i < kItems; ++i) {
        ReleaseTexture(tearImage[i]);
        ReleaseTexture(tearingImage[i]);
        ReleaseTexture(holeImage[i]);
        ReleaseTexture(smallImage[i]);
    }
    Texture** support[] = {&sunEffect, &fullNotice, &bagWindow, &stoneEffect, &pageDigits};
    for (Texture** slot : support)
        ReleaseTexture(*slot);
}

void InventoryBag::ResetBag() {
    open = hoverItem0 = storeRequest = overBag = item13Torn = full = 0;
    bagPage = 0;
    for (uint8_t& flag : placementFlags)
        flag = 0;
    lastItem = slotSearch = takenSlot = count = tearFrame = 0;
    item2Frame = item7Frame = item5Frame = item9Frame = item13Frame = sunFrame = 0;
    item12Frame = 1;
    item0Rotation = item12Rotation = 0.0f;

    for (int s = 0; s < kItems; ++s) {
        BagSlot& slot = slots[s];
        slot.restX = slot.x = kSlotRest[s % 5][0];
        slot.restY = slot.y = kSlotRest[s % 5][1];
        slot.item = -1;
        slot.occupied = 0;
        holes[s] = HoleMark{};
    }

    // The reader refuses values outside their ranges (and keeps them inside when its handler
    // returns), so the sizes and counts below never overflow or allocate absurdly.
    ReadPropertyFiles(tearObjPath, kItems, 5, &items[0].x, sizeof(TearObj), property_fields::kTear);
    ReadPropertyFiles(tearingObjPath, kItems, 5, &tearingObj[0].x, sizeof(TearingObj),
                      property_fields::kTearing);

    for (int i = 0; i < kItems; ++i) {
        TearObj& item = items[i];
        TearingObj& tearing = tearingObj[i];
        tearing.frameRects.resize(tearing.frames);
        for (int f = 0; f < tearing.frames; ++f)
            tearing.frameRects[f] = RECT{f * tearing.w, 0, f * tearing.w + tearing.w, tearing.h};
        item.dw = 2 * item.w;
        item.dh = 2 * item.h;
        item.state = StartsOutOfPlay(i) ? ItemNotInPlay : ItemLoose;
        tearing.playing = 0;
        tearing.offX = tearing.x;
        tearing.offY = tearing.y;
        tearing.placePage = -1;
    }
    for (const AnimatedItem& animated : kAnimated)
        for (int f = 0; f < animated.frames; ++f)
            ItemFrameTable[animated.base + f] = FrameRect(items[animated.item], f);
    ItemFrameTable[kItem0Entry] = FrameRect(items[0], 0);
}

void InventoryBag::UpdateRects() {
    for (int i = 0; i < kItems; ++i) {
        TearObj& item = items[i];
        if (item.state != ItemVisible && item.state != ItemPlaced) continue;
        const int32_t d = CCommon::Instance().insetDivisor;
        item.hit = RECT{item.x + item.dw / d, item.y + item.dh / d, item.x + item.dw - item.dw / d,
                        item.y + item.dh - item.dh / d};
        for (int h = 0; h < 7; ++h) {
            if (kHotspots[h].item != i) continue;
            const RECT& o = kHotspots[h].offset;
            hotspot[h] = RECT{item.x + o.left, item.y + o.top, item.x + o.right, item.y + o.bottom};
        }
    }
    if (!open) return;
    for (int j = 0; j < 5; ++j) {
        BagSlot& slot = slots[bagPage * 5 + j];
        if (slot.occupied) slot.hit = RECT{slot.x, slot.y, slot.x + kSlotSize, slot.y + kSlotSize};
    }
    pageButtonRect = kPageButtonRect;
    windowRect = kWindowRect;
}

const RECT* InventoryBag::StripFrame(int item) const {
    for (const AnimatedItem& animated : kAnimated) {
        if (animated.item != item) continue;
        // The level also uses some frame fields as counters; stay inside the table.
        int entry = std::clamp(animated.base + this->*animated.frame, 0, kItem0Entry);
        return &ItemFrameTable[entry];
    }
    return nullptr;
}
