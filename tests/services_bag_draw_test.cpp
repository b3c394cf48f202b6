// The bag's six drawing operations, its rectangles and its click rules that the level reads every
// frame, and the book's help panel, page-turn picture and cursor. Drawings are read back from the
// frame's sprite batch: picture, place, source rectangle, scale and rotation of every call.
#include "TestSupport.h"
#include "app/SceneManager.h"
#include "platform/Graphics.h"
#include "platform/Headless.h"
#include "platform/Input.h"
#include "platform/Window.h"
#include "services/CCommon.h"
#include "services/InventoryBag.h"
#include <functional>
#include <gtest/gtest.h>
#include <set>
#include <vector>

namespace {

// Items by number (data/Text/Bag/Tear_OBJ.txt).
constexpr int kBoulder = 0, kApple = 1, kBird = 2, kPear = 3, kPlum = 4, kLantern = 5, kBalloon = 7,
              kSun = 9, kUmbrella = 10, kWheel = 12, kEgg = 13, kKey = 14;

// What one DrawSprite call should have been.
struct Drawn {
    Texture* texture;
    int x, y;
    const RECT* rect = nullptr; // nullptr: the whole picture
    float scale = 2.0f;
    float rotation = 0.0f;
};

void ExpectCalls(const std::vector<SpriteCall>& calls, const std::vector<Drawn>& want) {
    ASSERT_EQ(calls.size(), want.size());
    for (size_t i = 0; i < want.size(); ++i) {
        SCOPED_TRACE("call " + std::to_string(i));
        const SpriteCall& c = calls[i];
        const Drawn& w = want[i];
        EXPECT_EQ(c.texture, w.texture);
        EXPECT_EQ(c.x, w.x);
        EXPECT_EQ(c.y, w.y);
        EXPECT_EQ(c.alpha, 255);
        EXPECT_EQ(c.sx, w.scale);
        EXPECT_EQ(c.sy, w.scale);
        EXPECT_EQ(c.rotation, w.rotation);
        ASSERT_EQ(c.hasRect, w.rect != nullptr);
        if (w.rect) {
            EXPECT_EQ(c.rect.left, w.rect->left);
            EXPECT_EQ(c.rect.top, w.rect->top);
            EXPECT_EQ(c.rect.right, w.rect->right);
            EXPECT_EQ(c.rect.bottom, w.rect->bottom);
        }
    }
}

class BagDrawTest : public HeadlessTest {
  protected:
    void SetUp() override {
        headless::SetClock(1000);
        HeadlessTest::SetUp();
        SceneManager::Instance().window = window;
        CCommon::Instance().autoFlip = 0;
        InventoryBag& bag = Bag();
        for (int i = 0; i < InventoryBag::kItems; ++i) {
            ASSERT_NE(bag.tearImage[i], nullptr) << "item " << i << " has no Tear picture";
            ASSERT_NE(bag.tearingImage[i], nullptr) << "item " << i << " has no Tearing picture";
            bag.items[i].state = ItemLoose; // each test brings in the pieces it draws
        }
    }

    static InventoryBag& Bag() { return InventoryBag::Instance(); }
    static CCommon& Common() { return CCommon::Instance(); }

    // The calls the drawing made, in order.
    static std::vector<SpriteCall> Record(const std::function<void()>& draw) {
        Graphics& g = Graphics::Instance();
        g.BeginScene();
        draw();
        const SpriteCall* batch = g.batches[g.recordIndex];
        std::vector<SpriteCall> calls(batch, batch + g.batchCounts[g.recordIndex]);
        g.EndScene();
        return calls;
    }

    static void Frame() {
        Bag().UpdateRects();
        Bag().HandleInput();
    }
    static void ClickAt(int x, int y) {
        cursorX = x;
        cursorY = y;
        Frame();
        headless::SetLeftButton(true);
        Frame();
        headless::SetLeftButton(false);
        Frame();
    }
    static void Place(int item, int state, int x, int y, int placePage = 0) {
        TearObj& t = Bag().items[item];
        t.state = state;
        t.x = x;
        t.y = y;
        Bag().tearingObj[item].placePage = placePage;
        Bag().tearingObj[item].x = x - Bag().tearingObj[item].offX;
        Bag().tearingObj[item].y = y - Bag().tearingObj[item].offY;
    }
    static POINT CentreOf(int item) {
        const TearObj& t = Bag().items[item];
        return POINT{t.x + t.dw / 2, t.y + t.dh / 2};
    }
};

} // namespace

TEST_F(BagDrawTest, LevelItemsShowTheirStripFramesThenTheTearingFrameAndTheStone) {
    InventoryBag& bag = Bag();
    Place(kApple, ItemVisible, 100, 300);
    Place(kBird, ItemVisible, 300, 150);
    Place(kEgg, ItemVisible, 420, 260);
    Place(kKey, ItemInBag, 700, 450); // in the bag: not drawn in the level
    bag.item2Frame = 2;
    bag.item13Frame = 1;
    TearingObj& tearing = bag.tearingObj[kApple];
    tearing.playing = 1;
    bag.tearFrame = 1;
    bag.hoverItem0 = 1;
    bag.items[kBoulder].x = 500;
    bag.items[kBoulder].y = 200;

    ExpectCalls(Record([&] { bag.DrawLevelItems(); }),
                {{bag.tearImage[kApple], 100, 300},
                 {bag.tearingImage[kApple], tearing.x, tearing.y, &tearing.frameRects[1]},
                 {bag.tearImage[kBird], 300, 150, &bag.ItemFrameTable[0 + 2]},
                 {bag.tearImage[kEgg], 420, 260, &bag.ItemFrameTable[14 + 1]},
                 {bag.stoneEffect, 485, 185}});

    // The level also counts with the bird's frame field; below its strip the bird shows its
    // first frame, never a rectangle from before the table.
    Place(kApple, ItemInBag, 100, 300);
    Place(kEgg, ItemInBag, 420, 260);
    tearing.playing = 0;
    bag.hoverItem0 = 0;
    bag.item2Frame = -1;
    ExpectCalls(Record([&] { bag.DrawLevelItems(); }),
                {{bag.tearImage[kBird], 300, 150, &bag.ItemFrameTable[0]}});
}

TEST_F(BagDrawTest, HolesShowOnlyOnTheirOwnPage) {
    InventoryBag& bag = Bag();
    Common().page = 4;
    bag.holes[kApple] = HoleMark{10, 20, 4};
    bag.holes[kPear] = HoleMark{30, 40, 3};
    bag.holes[kSun] = HoleMark{50, 60, 4};
    ExpectCalls(Record([&] { bag.DrawHoles(); }),
                {{bag.holeImage[kApple], 10, 20}, {bag.holeImage[kSun], 50, 60}});
}

// The last tearing frame stays where a piece was put down, on that page only; pieces put down on
// a later page than the current one are not drawn.
TEST_F(BagDrawTest, PlacedPiecesLowShowTheirTraceOnTheirOwnPage) {
    InventoryBag& bag = Bag();
    Common().page = 5;
    Place(kApple, ItemPlaced, 100, 100, 5);
    Place(kPear, ItemPlaced, 200, 100, 2);
    Place(kPlum, ItemPlaced, 300, 100, 6);
    Place(kBoulder, ItemPlaced, 400, 100, 5); // drawn with the high ones
    const TearingObj& apple = bag.tearingObj[kApple];
    ExpectCalls(Record([&] { bag.DrawPlacedItemsLow(); }),
                {{bag.tearingImage[kApple], apple.x, apple.y, &apple.frameRects.back()},
                 {bag.tearImage[kApple], 100, 100},
                 {bag.tearImage[kPear], 200, 100}});
}

// Every piece put down on this page is drawn once, by the low or by the high drawing: the five
// pieces that can sit in the snowman's places go under the level's objects, the others over them.
TEST_F(BagDrawTest, EachPutDownPieceIsDrawnLowOrHighNeverBoth) {
    InventoryBag& bag = Bag();
    Common().page = 7;
    for (int i = 0; i < InventoryBag::kItems; ++i)
        Place(i, ItemPlaced, 20 * i, 100, 7);
    auto piecesDrawn = [&](const std::function<void()>& draw) {
        std::set<int> pieces;
        for (const SpriteCall& c : Record(draw))
            for (int i = 0; i < InventoryBag::kItems; ++i)
                if (c.texture == bag.tearImage[i]) pieces.insert(i);
        return pieces;
    };
    EXPECT_EQ(piecesDrawn([&] { bag.DrawPlacedItemsLow(); }), (std::set<int>{1, 3, 4, 6, 8}));
    EXPECT_EQ(piecesDrawn([&] { bag.DrawPlacedItemsHigh(); }),
              (std::set<int>{0, 2, 5, 7, 9, 10, 11, 12, 13, 14}));
}

// The boulder glows under the cursor only while it can be torn out: pages standing, not locked.
TEST_F(BagDrawTest, TheBoulderGlowsOnlyWhileItCanBeTornOut) {
    Place(kBoulder, ItemVisible, 300, 300);
    const POINT centre = CentreOf(kBoulder);
    struct Case {
        const char* what;
        int autoFlip, forwardLock;
        POINT cursor;
        bool glows;
    };
    const Case cases[] = {{"pages standing, cursor on it", 0, 0, centre, true},
                          {"pages turning by themselves", 1, 0, centre, false},
                          {"pages locked", 0, 1, centre, false},
                          {"cursor beside it", 0, 0, {centre.x + 400, centre.y}, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Common().autoFlip = c.autoFlip;
        Common().forwardLock = c.forwardLock;
        cursorX = c.cursor.x;
        cursorY = c.cursor.y;
        Bag().hoverItem0 = !c.glows;
        Frame();
        EXPECT_EQ(Bag().hoverItem0 != 0, c.glows);
    }
    Common().autoFlip = 0;
    Common().forwardLock = 0;
}

// The frames of the bag's page digit and of the sun's glare, as their strips are laid out.
TEST_F(BagDrawTest, DigitAndSunFramesCutTheirStrips) {
    const RECT digits[3] = {{0, 0, 50, 25}, {50, 0, 100, 25}, {100, 0, 150, 25}};
    const RECT sun[3] = {{0, 0, 138, 124}, {138, 0, 276, 124}, {276, 0, 414, 124}};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE("frame " + std::to_string(i));
        const RECT& d = Bag().digitRects[i];
        const RECT& s = Bag().sunRects[i];
        EXPECT_EQ(
            (std::vector<int>{d.left, d.top, d.right, d.bottom}),
            (std::vector<int>{digits[i].left, digits[i].top, digits[i].right, digits[i].bottom}));
        EXPECT_EQ((std::vector<int>{s.left, s.top, s.right, s.bottom}),
                  (std::vector<int>{sun[i].left, sun[i].top, sun[i].right, sun[i].bottom}));
    }
}

TEST_F(BagDrawTest, PlacedPiecesHighUseTheirFramesRotationsAndTheSunEffect) {
    InventoryBag& bag = Bag();
    Common().page = 3;
    Place(kBoulder, ItemPlaced, 10, 20, 1);
    Place(kBalloon, ItemPlaced, 30, 40, 1);
    Place(kSun, ItemPlaced, 200, 100, 1);
    Place(kUmbrella, ItemPlacedOff, 900, 40, 1); // off the picture: not drawn
    Place(kWheel, ItemPlaced, 300, 300, 3);
    Place(kEgg, ItemFallen, 400, 400, 2);
    Place(kApple, ItemPlaced, 500, 500, 1); // a low one
    bag.item0Rotation = 0.5f;
    bag.item12Rotation = -1.0f;
    bag.item7Frame = 1;
    bag.item13Frame = 1;
    bag.sunFrame = 2;
    const TearingObj& wheel = bag.tearingObj[kWheel];
    ExpectCalls(Record([&] { bag.DrawPlacedItemsHigh(); }),
                {{bag.tearImage[kBoulder], 10, 20, &bag.ItemFrameTable[16], 2.0f, 0.5f},
                 {bag.tearImage[kBalloon], 30, 40, &bag.ItemFrameTable[4 + 1]},
                 {bag.tearImage[kSun], 200, 100, &bag.ItemFrameTable[10]},
                 {bag.sunEffect, 140, 60, &bag.sunRects[2]},
                 {bag.tearingImage[kWheel], wheel.x, wheel.y, &wheel.frameRects.back()},
                 {bag.tearImage[kWheel], 300, 300, &bag.ItemFrameTable[11], 2.0f, -1.0f},
                 {bag.tearImage[kEgg], 400, 400, &bag.ItemFrameTable[14 + 1]}});
}

// Only pieces that have finished tearing show in their slots; the page digit and the full notice
// are drawn flat.
TEST_F(BagDrawTest, BagWindowShowsTheShownPageSlotsTheDigitAndTheFullNotice) {
    InventoryBag& bag = Bag();
    auto fill = [&](int slot, int item, int state) {
        bag.slots[slot].occupied = 1;
        bag.slots[slot].item = item;
        bag.items[item].state = state;
    };
    fill(5, kApple, ItemInBag);
    fill(6, kPear, ItemVisible); // still tearing
    fill(7, kSun, ItemInBag);
    fill(9, kUmbrella, ItemInBag); // the page's last slot
    fill(0, kKey, ItemInBag);      // another bag page
    bag.slots[7].x = bag.slots[7].restX + 2;
    bag.open = 1;
    bag.bagPage = 1;
    bag.full = 1;
    const BagSlot& s5 = bag.slots[5];
    const BagSlot& s7 = bag.slots[7];
    const BagSlot& s9 = bag.slots[9];
    ExpectCalls(Record([&] { bag.DrawBagWindow(); }),
                {{bag.bagWindow, 40, 40, nullptr, 1.0f},
                 {bag.smallImage[kApple], s5.x, s5.y, nullptr, 1.0f},
                 {bag.smallImage[kSun], s7.x, s7.y, nullptr, 1.0f},
                 {bag.smallImage[kUmbrella], s9.x, s9.y, nullptr, 1.0f},
                 {bag.pageDigits, 240, 200, &bag.digitRects[1], 1.0f},
                 {bag.fullNotice, 230, 115, nullptr, 1.0f}});

    bag.open = 0; // the notice shows with the bag closed too
    ExpectCalls(Record([&] { bag.DrawBagWindow(); }), {{bag.fullNotice, 230, 115, nullptr, 1.0f}});
}

// Every piece carried on its own, centred on the cursor: the animated ones show the first entry
// of their strip (the bird 0, the lantern 6, the sun 9, the wheel 11, the egg 14) whatever frame
// they were in, the balloon its own frame, the others their whole picture.
TEST_F(BagDrawTest, CarriedPiecesFollowTheCursorWithTheirFirstFrame) {
    constexpr int kWhole = -1, kOwnFrame = -2;
    const int firstEntry[InventoryBag::kItems] = {kWhole, kWhole, 0,         kWhole, kWhole,
                                                  6,      kWhole, kOwnFrame, kWhole, 9,
                                                  kWhole, kWhole, 11,        14,     kWhole};
    InventoryBag& bag = Bag();
    cursorX = 400;
    cursorY = 300;
    bag.item2Frame = 3;
    bag.item5Frame = 2;
    bag.item7Frame = 1;
    bag.item9Frame = 1;
    bag.item12Frame = 2;
    bag.item13Frame = 1;
    for (int item = 0; item < InventoryBag::kItems; ++item) {
        SCOPED_TRACE("item " + std::to_string(item));
        bag.items[item].state = ItemCarried;
        const int x = 400 - bag.items[item].dw / 2, y = 300 - bag.items[item].dh / 2;
        const RECT* rect = firstEntry[item] == kWhole ? nullptr
                           : firstEntry[item] == kOwnFrame
                               ? &bag.ItemFrameTable[4 + 1] // base 4, frame 1
                               : &bag.ItemFrameTable[firstEntry[item]];
        ExpectCalls(Record([&] { bag.DrawCarriedItem(); }), {{bag.tearImage[item], x, y, rect}});
        bag.items[item].state = ItemInBag;
    }
}

// Hit rectangles are the drawn size less a fortieth on each side; hotspots follow the piece in
// states 1 and 3 only; slot rectangles exist while the bag is open.
TEST_F(BagDrawTest, HitRectanglesHotspotsAndSlotRectangles) {
    InventoryBag& bag = Bag();
    Place(kBoulder, ItemVisible, 100, 50);
    Place(kBalloon, ItemPlaced, 300, 200);
    Place(kApple, ItemInBag, 10, 10);
    bag.items[kApple].hit = RECT{1, 2, 3, 4};
    bag.UpdateRects();

    const TearObj& boulder = bag.items[kBoulder];
    const int ix = boulder.dw / 40, iy = boulder.dh / 40;
    ASSERT_GT(ix, 0);
    EXPECT_EQ(boulder.hit.left, 100 + ix);
    EXPECT_EQ(boulder.hit.top, 50 + iy);
    EXPECT_EQ(boulder.hit.right, 100 + boulder.dw - ix);
    EXPECT_EQ(boulder.hit.bottom, 50 + boulder.dh - iy);
    EXPECT_EQ(bag.hotspot[0].left, 172);
    EXPECT_EQ(bag.hotspot[0].top, 127);
    EXPECT_EQ(bag.hotspot[0].right, 309);
    EXPECT_EQ(bag.hotspot[0].bottom, 245);
    EXPECT_EQ(bag.hotspot[6].left, 380); // the balloon's: (x + 80, y, x + 110, y + 30)
    EXPECT_EQ(bag.hotspot[6].top, 200);
    EXPECT_EQ(bag.hotspot[6].right, 410);
    EXPECT_EQ(bag.hotspot[6].bottom, 230);
    EXPECT_EQ(bag.items[kApple].hit.right, 3); // in the bag: left alone

    // Pieces not in states 1 or 3 keep their last hotspot.
    bag.items[kBoulder].state = ItemInBag;
    bag.items[kBoulder].x = 600;
    bag.UpdateRects();
    EXPECT_EQ(bag.hotspot[0].left, 172);

    bag.slots[6].occupied = 1;
    bag.slots[6].item = kApple;
    bag.slots[6].x = 147;
    bag.slots[6].y = 62;
    bag.bagPage = 1;
    bag.open = 1;
    bag.UpdateRects();
    EXPECT_EQ(bag.slots[6].hit.left, 147);
    EXPECT_EQ(bag.slots[6].hit.bottom, 62 + 85);
    EXPECT_EQ(bag.windowRect.right, 330);
    EXPECT_EQ(bag.pageButtonRect.left, 240);
}

// Items 7 and 13 can be torn out only in their first frame; item 2 in any frame.
TEST_F(BagDrawTest, AnimatedPiecesTearOnlyInTheirFirstFrameWhereTheyAreGated) {
    InventoryBag& bag = Bag();
    Place(kBird, ItemVisible, 100, 100);
    Place(kBalloon, ItemVisible, 300, 100);
    Place(kEgg, ItemVisible, 500, 300);
    bag.item2Frame = 2;
    bag.item7Frame = 1;
    bag.item13Frame = 1;
    Frame();
    for (int item : {kBalloon, kEgg}) {
        POINT p = CentreOf(item);
        ClickAt(p.x, p.y);
        EXPECT_EQ(bag.tearingObj[item].playing, 0) << "item " << item;
    }
    POINT p = CentreOf(kBird);
    ClickAt(p.x, p.y);
    EXPECT_EQ(bag.tearingObj[kBird].playing, 1);
    while (bag.tearingObj[kBird].playing) {
        headless::AdvanceClock(51);
        Frame();
    }

    bag.item13Frame = 0;
    p = CentreOf(kEgg);
    ClickAt(p.x, p.y);
    EXPECT_EQ(bag.tearingObj[kEgg].playing, 1);
    EXPECT_EQ(bag.item13Torn, 1);
}

// A put-down piece scrolling off the picture goes to state 4, cannot be picked up there, and comes
// back to state 3.
TEST_F(BagDrawTest, PutDownPiecesScrollOffAndBack) {
    InventoryBag& bag = Bag();
    Place(kApple, ItemPlaced, 900, 100);
    Frame();
    EXPECT_EQ(bag.items[kApple].state, ItemPlacedOff);
    ClickAt(910, 110);
    EXPECT_EQ(bag.items[kApple].state, ItemPlacedOff);
    EXPECT_EQ(bag.count, 0);
    bag.items[kApple].x = 700;
    Frame();
    EXPECT_EQ(bag.items[kApple].state, ItemPlaced);
    POINT p = CentreOf(kApple);
    ClickAt(p.x, p.y);
    EXPECT_EQ(bag.items[kApple].state, ItemInBag);
    EXPECT_EQ(bag.count, 1);
}

// Clicks count only while the game window is active: no tear, no slot taken, no put-down, no bag
// page turned.
TEST_F(BagDrawTest, ClicksWhileTheWindowIsInactiveDoNothing) {
    InventoryBag& bag = Bag();
    Place(kApple, ItemVisible, 100, 300);
    Frame();
    headless::SetActive(false);
    POINT p = CentreOf(kApple);
    ClickAt(p.x, p.y);
    EXPECT_EQ(bag.tearingObj[kApple].playing, 0);

    bag.items[kPear].state = ItemInBag;
    bag.slots[0].occupied = 1;
    bag.slots[0].item = kPear;
    bag.count = 1;
    bag.open = 1;
    Frame();
    ClickAt(bag.slots[0].restX + 10, bag.slots[0].restY + 10);
    EXPECT_EQ(bag.items[kPear].state, ItemInBag);
    ClickAt(InventoryBag::kPageButtonRect.left + 5, InventoryBag::kPageButtonRect.top + 5);
    EXPECT_EQ(bag.bagPage, 0);

    bag.items[kPear].state = ItemCarried;
    bag.takenSlot = 0;
    ClickAt(600, 400);
    EXPECT_EQ(bag.items[kPear].state, ItemCarried);
    EXPECT_EQ(bag.count, 1);
}

namespace {
using BookDrawTest = BagDrawTest;
}

TEST_F(BookDrawTest, HelpPanelShowsTheTabFrameOrTheSlidingPanel) {
    CCommon& c = Common();
    ASSERT_NE(c.helpPanel, nullptr);
    for (int step : {0, 1, 5}) {
        c.helpStep = step;
        c.helpFrame = 7;
        ExpectCalls(Record([&] { c.DrawHelpPanel(); }),
                    {{c.helpPanel, 0, 23, &c.helpFrames[7], 1.0f}});
    }
    for (int k = 0; k < 13; ++k) { // the tab's frames lie side by side, 29 px wide
        SCOPED_TRACE("help frame " + std::to_string(k));
        const RECT want{29 * k, 0, 29 * k + 29, 235};
        EXPECT_EQ(c.helpFrames[k].left, want.left);
        EXPECT_EQ(c.helpFrames[k].top, want.top);
        EXPECT_EQ(c.helpFrames[k].right, want.right);
        EXPECT_EQ(c.helpFrames[k].bottom, want.bottom);
    }
    for (int step : {2, 3, 4}) {
        c.helpStep = step;
        c.helpOffset = -125;
        ExpectCalls(Record([&] { c.DrawHelpPanel(); }), {{c.helpPanel, -125, 23, nullptr, 1.0f}});
    }
}

// The book's fifteen pictures are each loaded, each a picture of its own, and drawn flat in their
// places: the sheet behind the page at (29, 0), the frame and the page's front at (0, 0), the
// front's second layer at (29, 0), the front being the one frontIndex picks.
TEST_F(BookDrawTest, EveryBookPictureIsLoadedAndDrawnInItsPlace) {
    CCommon& c = Common();
    const std::vector<Texture*> pictures = {
        c.bookBack,      c.bookFrame,        c.pageFront[0],     c.pageFront[1],
        c.pageFront[2],  c.pageFrontOver[0], c.pageFrontOver[1], c.pageFrontOver[2],
        c.turnFrames[0], c.turnFrames[1],    c.turnFrames[2],    c.helpPanel,
        c.notPage,       c.cursorRock,       c.cursorFist};
    std::set<uint32_t> serials;
    for (size_t i = 0; i < pictures.size(); ++i) {
        ASSERT_NE(pictures[i], nullptr) << "book picture " << i << " is not loaded";
        serials.insert(pictures[i]->serial);
    }
    EXPECT_EQ(serials.size(), pictures.size()) << "two slots hold the same picture";

    ExpectCalls(Record([&] { c.DrawBookBack(); }), {{c.bookBack, 29, 0, nullptr, 1.0f}});
    ExpectCalls(Record([&] { c.DrawBookFrame(); }), {{c.bookFrame, 0, 0, nullptr, 1.0f}});
    const int32_t frontIndex = c.frontIndex;
    for (int f = 0; f < 3; ++f) {
        c.frontIndex = f;
        ExpectCalls(Record([&] { c.DrawPageFront(); }), {{c.pageFront[f], 0, 0, nullptr, 1.0f}});
        ExpectCalls(Record([&] { c.DrawPageFrontOver(); }),
                    {{c.pageFrontOver[f], 29, 0, nullptr, 1.0f}});
    }
    c.frontIndex = frontIndex;
}

TEST_F(BookDrawTest, TurnPictureOnlyWhileATurnRunsInFramesOneToThree) {
    CCommon& c = Common();
    c.flipAnim = 0;
    c.turnFrame = 2;
    EXPECT_TRUE(Record([&] { c.DrawTurnFrame(); }).empty());
    for (int anim : {1, 2}) {
        c.flipAnim = anim;
        for (int f = 1; f <= 3; ++f) {
            c.turnFrame = f;
            ExpectCalls(Record([&] { c.DrawTurnFrame(); }),
                        {{c.turnFrames[f - 1], 0, 0, nullptr, 1.0f}});
        }
        for (int f : {0, 4}) {
            c.turnFrame = f;
            EXPECT_TRUE(Record([&] { c.DrawTurnFrame(); }).empty());
        }
    }
}

TEST_F(BookDrawTest, FistWhileTheButtonIsHeld) {
    CCommon& c = Common();
    cursorX = 321;
    cursorY = 123;
    c.autoFlip = 0;
    c.mouseDown = 1;
    ExpectCalls(Record([&] { c.DrawCursor(); }), {{c.cursorFist, 321, 123, nullptr, 1.0f}});
    c.mouseDown = 0;
    ExpectCalls(Record([&] { c.DrawCursor(); }), {{c.cursorRock, 321, 123, nullptr, 1.0f}});
    c.autoFlip = 1;
    EXPECT_TRUE(Record([&] { c.DrawCursor(); }).empty());
}
