#pragma once
#include "platform/Graphics.h"
#include "services/ListFiles.h"
#include <cstdint>
#include <vector>

// A tearable item (its property file gives x, y, w, h, step in this order).
struct TearObj {
    int32_t x = 0;
    int32_t y = 0;
    int32_t w = 0;
    int32_t h = 0;
    int32_t step = 0;
    int32_t dw = 0; // drawn size: items are drawn at scale 2
    int32_t dh = 0;
    int32_t state = 0;
    RECT hit;
};

// The tearing animation and put-down data of an item (file: x offset, y offset, w, h, frames).
struct TearingObj {
    int32_t x = 0;
    int32_t y = 0;
    int32_t w = 0;
    int32_t h = 0;
    int32_t frames = 0;
    uint8_t playing = 0;
    int32_t offX = 0;
    int32_t offY = 0;
    int32_t placePage = -1;
    std::vector<RECT> frameRects; // entry i = (i*w, 0, i*w + w, h)
};

struct HoleMark {
    int32_t x = 0;
    int32_t y = 0;
    int32_t page = -1; // -1 = no hole
};

struct BagSlot {
    int32_t x = 0;
    int32_t y = 0;
    int32_t restX = 0;
    int32_t restY = 0;
    int32_t item = -1;
    uint8_t occupied = 0;
    RECT hit;
};

// Item states.
enum ItemState {
    ItemLoose = 0,   // in the level, off the picture
    ItemVisible = 1, // in the level, in the picture: can be torn out
    ItemCarried = 2, // taken out of the bag, at the cursor
    ItemPlaced = 3,  // put down, in the picture
    ItemPlacedOff = 4,
    ItemInBag = 5,
    ItemNotInPlay = 6,
    ItemUsedUp = 7,
    ItemFallen = 10, // item 13 only
};

// The 15 tearable items and the bag window with three pages of five slots.
class InventoryBag {
  public:
    static constexpr int kItems = 15;
    static constexpr RECT kWindowRect{50, 50, 330, 250};
    static constexpr RECT kPageButtonRect{240, 200, 325, 240};
    static InventoryBag& Instance();
    ~InventoryBag();

    void ResetBag();
    void UpdateRects();
    // Tears out, takes, puts down and puts back pieces on clicks. A piece cannot be torn out
    // while another tears; a slot whose piece is still tearing shows nothing and cannot be taken.
    void HandleInput();
    bool Carrying() const; // a piece taken out of the bag waits on the cursor

    void DrawLevelItems();
    void DrawHoles();
    void DrawPlacedItemsLow();
    void DrawPlacedItemsHigh();
    void DrawBagWindow();
    void DrawCarriedItem();

    uint8_t open = 0;
    uint8_t hoverItem0 = 0;
    uint8_t storeRequest = 0;
    uint8_t overBag = 0;
    uint8_t item13Torn = 0;
    uint8_t full = 0;
    int16_t bagPage = 0;
    uint8_t placementFlags[10] = {}; // two for each of items 1, 3, 4, 6, 8 (level rules)
    int32_t lastItem = 0;
    int32_t slotSearch = 0;
    int32_t takenSlot = 0;
    int32_t count = 0;
    int32_t tearFrame = 0;
    // Frames of items 2, 7, 5, 9, 12, 13 (offsets into ItemFrameTable) and of the sun effect.
    int32_t item2Frame = 0;
    int32_t item7Frame = 0;
    int32_t item5Frame = 0;
    int32_t item9Frame = 0;
    int32_t item12Frame = 1;
    int32_t item13Frame = 0;
    int32_t sunFrame = 0;
    float item0Rotation = 0.0f;
    float item12Rotation = 0.0f;
    uint32_t tearTick = 0;
    uint32_t fullTick = 0;
    uint32_t seenPresses = 0; // CCommon's press count at the last HandleInput
    RECT windowRect;
    RECT pageButtonRect;

    Texture* tearImage[kItems] = {};
    Texture* tearingImage[kItems] = {};
    Texture* holeImage[kItems] = {};
    Texture* smallImage[kItems] = {};
    PathSlot tearPath[kItems];
    PathSlot holePath[kItems];
    PathSlot smallPath[kItems];
    PathSlot tearingPath[kItems];

    Texture* fullNotice = nullptr;  // inven_full.png
    Texture* bagWindow = nullptr;   // Inventory.png
    Texture* stoneEffect = nullptr; // Stone_effect.png
    Texture* pageDigits = nullptr;  // inventoryNum.png
    Texture* sunEffect = nullptr;   // sun_effect.png
    RECT digitRects[3];
    RECT sunRects[3];

    PathSlot tearObjPath[kItems];
    PathSlot tearingObjPath[kItems];
    TearObj items[kItems];
    RECT ItemFrameTable[17];
    RECT hotspot[7]; // items 0, 1, 3, 4, 6, 8, 7
    TearingObj tearingObj[kItems];
    HoleMark holes[kItems];
    BagSlot slots[kItems];

    // The ItemFrameTable entry an animated item (2, 5, 7, 9, 12, 13) shows; nullptr for others.
    const RECT* StripFrame(int item) const;

  private:
    InventoryBag();
    bool Clicked() const;
    bool TearPlaying() const;
    void Take(int item, bool withTearing);
};
