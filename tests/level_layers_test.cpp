// The level's whole picture as the draw record sees it: every layer, the bag's and the book's
// included, in its order; the alpha of every draw; and the table of which background slot is drawn
// in which states with which strip entry, checked against our own copy of that table.
#include "TestSupport.h"
#include "app/SceneManager.h"
#include "scenes/level/CStage_One.h"
#include "services/CCommon.h"
#include "services/InventoryBag.h"
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

using headless::DrawRecord;

class LevelLayersTest : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        if (HasFatalFailure()) return;
        stage.window = window;
        CCommon& c = CCommon::Instance();
        InventoryBag& bag = InventoryBag::Instance();
        // Stand-in pictures, each with a name, for everything that can be drawn.
        Use(c.bookBack, "book-back");
        Use(c.bookFrame, "book-frame");
        for (int i = 0; i < 3; ++i) {
            Use(c.pageFront[i], "page-front");
            Use(c.pageFrontOver[i], "page-front-over");
            Use(c.turnFrames[i], "turn");
        }
        Use(c.helpPanel, "help");
        Use(c.notPage, "not-page");
        Use(c.cursorRock, "cursor");
        Use(c.cursorFist, "cursor");
        for (int i = 0; i < InventoryBag::kItems; ++i) {
            Use(bag.tearImage[i], "item" + std::to_string(i));
            Use(bag.tearingImage[i], "tearing" + std::to_string(i));
            Use(bag.holeImage[i], "hole" + std::to_string(i));
            Use(bag.smallImage[i], "small" + std::to_string(i));
        }
        Use(bag.bagWindow, "bag-window");
        Use(bag.pageDigits, "bag-digits");
        Use(bag.fullNotice, "bag-full");
        Use(bag.stoneEffect, "stone-effect");
        Use(bag.sunEffect, "sun");
        for (int i = 0; i < CStage_One::kBacks; ++i)
            Use(stage.backImages[i], "B" + std::to_string(i));
        for (int i = 0; i < CStage_One::kColls; ++i) {
            Use(stage.collImages[i], "C" + std::to_string(i));
            for (int f = 0; f < 6; ++f)
                stage.collFrames[i].push_back(RECT{f, 1, f + 1, 2});
        }
        for (int i = 0; i < CStage_One::kChars; ++i) {
            Use(stage.charImages[i], "char" + std::to_string(i));
            for (int f = 0; f < 5; ++f)
                stage.charFrames[i].push_back(RECT{f, 2, f + 1, 3});
        }
        for (int i = 0; i < CStage_One::kHeads; ++i)
            Use(stage.headImages[i], "head");
        for (int f = 0; f < CStage_One::kHeadFrames; ++f)
            stage.headFrames[f] = RECT{f, 3, f + 1, 4};
        for (int i = 0; i < CStage_One::kFrameTableSize; ++i)
            stage.frameTable[i] = RECT{i, 0, i + 1, 1};
        stage.back4Rect = RECT{0, 0, 7, 7};
        for (int i = 0; i < CStage_One::kSmokePictures; ++i)
            Use(stage.smoke[i], "smoke");
        for (int i = 0; i < 3; ++i)
            Use(stage.gameover[i], "notice");
        Use(stage.warning, "notice");
        Use(stage.escMenu, "esc");
        Use(stage.escResume, "esc-button");
        Use(stage.escMain, "esc-button");
        Use(stage.escQuit, "esc-button");
        stage.level.charState = CharHidden;
    }

    void TearDown() override {
        // The singletons keep their own pictures, not the stand-ins.
        for (auto it = swapped.rbegin(); it != swapped.rend(); ++it)
            *it->first = it->second;
        HeadlessTest::TearDown();
    }

    void Use(Texture*& slot, const std::string& name) {
        if (!IsStageSlot(&slot)) swapped.push_back({&slot, slot});
        pictures.push_back(std::make_unique<Texture>());
        slot = pictures.back().get();
        names[slot] = name;
    }
    bool IsStageSlot(Texture** slot) const {
        const auto* p = reinterpret_cast<const char*>(slot);
        const auto* s = reinterpret_cast<const char*>(&stage);
        return p >= s && p < s + sizeof stage;
    }

    std::vector<DrawRecord> Record() {
        headless::RecordDraws(true);
        stage.Render();
        std::vector<DrawRecord> all = headless::DrawLog();
        headless::RecordDraws(false);
        return all;
    }
    std::string Name(const Texture* t) const {
        auto it = names.find(t);
        return it == names.end() ? "?" : it->second;
    }
    std::vector<std::string> Names(const std::vector<DrawRecord>& draws) const {
        std::vector<std::string> out;
        for (const DrawRecord& r : draws)
            if (out.empty() || out.back() != Name(r.texture) || Name(r.texture) == "B11")
                out.push_back(Name(r.texture));
        return out;
    }

    void Show(int back, int state = 1) {
        stage.level.backs[back].state = state;
        stage.level.backs[back].x = 100 + back;
        stage.level.backs[back].y = 200 + back;
    }
    void ShowColl(int coll) {
        stage.level.colls[coll].state = 1;
        stage.level.colls[coll].x = 300 + coll;
        stage.level.colls[coll].y = 100 + coll;
    }

    CStage_One stage;
    std::vector<std::unique_ptr<Texture>> pictures;
    std::map<const Texture*, std::string> names;
    std::vector<std::pair<Texture**, Texture*>> swapped;
};

// One picture of every layer: the book's back sheet, the level in its steps, the bag's six
// drawings at their places, the book's front layers, the pause menu and the cursor on top.
TEST_F(LevelLayersTest, EveryLayerIncludingTheBagAndTheBookInItsPlace) {
    CCommon& c = CCommon::Instance();
    InventoryBag& bag = InventoryBag::Instance();
    c.autoFlip = 0;
    c.paused = 1;
    c.page = 3;
    c.pageTurned = 1;
    c.forwardLock = 1;
    c.flipAnim = 1;
    c.turnFrame = 2;
    c.helpStep = 0;
    LevelState& l = stage.level;
    for (int b : {50, 0, 12, 90, 29, 20, 72, 27, 56, 59, 57, 58, 14, 16, 1, 5, 6, 11, 4, 25, 60})
        Show(b);
    Show(92, 3); // drawn in the ascending pass, but only outside state 1
    for (int col : {0, 24, 10, 21, 22, 14, 15, 3, 7, 8})
        ShowColl(col);
    l.back11Copies[1] = Back11Copy{1, 10, 10};
    l.charState = CharWalk;
    l.notices.showWarning = 1;
    l.smokeStep = 2;
    // The bag: a loose item, a hole on this page, one item put down low and one high, the open
    // bag with a piece in it, and a piece carried at the cursor.
    bag.items[2].state = ItemVisible;
    bag.holes[6] = HoleMark{40, 40, 3};
    bag.items[1].state = ItemPlaced;
    bag.tearingObj[1].placePage = 1;
    bag.items[11].state = ItemPlaced;
    bag.tearingObj[11].placePage = 2;
    bag.open = 1;
    bag.slots[0].occupied = 1;
    bag.slots[0].item = 3;
    bag.items[3].state = ItemInBag;
    bag.items[4].state = ItemCarried;

    const std::string expected =
        "book-back B50 B0 B12 B90 B92 B29 B20 B72 B27 C0 C24 B56 B59 B57 B58 "
        "C10 B14 B16 B1 "
        "item2 " // DrawLevelItems
        "B5 B6 B11 B11 C21 C22 C14 C15 B4 char0 head B25 C3 "
        "hole6 item1 " // DrawHoles, DrawPlacedItemsLow
        "C7 C8 "
        "item11 " // DrawPlacedItemsHigh
        "B60 notice not-page "
        "bag-window small3 bag-digits item4 " // DrawBagWindow, DrawCarriedItem
        "smoke turn book-frame page-front page-front-over help esc esc-button "
        "cursor ";
    std::string drawn;
    for (const std::string& name : Names(Record()))
        drawn += name + " ";
    EXPECT_EQ(drawn, expected);
}

// Every ordinary draw is opaque: only the ground strip B50..B55 is drawn at alpha 248.
TEST_F(LevelLayersTest, OnlyTheGroundStripIsSeeThrough) {
    CCommon& c = CCommon::Instance();
    c.autoFlip = 0;
    c.paused = 1;
    for (int b = 0; b < CStage_One::kBacks; ++b)
        Show(b);
    for (int col = 0; col < CStage_One::kColls; ++col)
        ShowColl(col);
    for (Back11Copy& copy : stage.level.back11Copies)
        copy = Back11Copy{1, 10, 10};
    stage.level.charState = CharWalk;
    stage.level.notices.showGameover1 = 1;
    stage.level.smokeStep = 5;
    InventoryBag::Instance().items[0].state = ItemVisible;
    InventoryBag::Instance().open = 1;

    const std::set<std::string> strip = {"B50", "B51", "B52", "B53", "B54", "B55"};
    std::set<std::string> seen;
    for (const DrawRecord& r : Record()) {
        const std::string name = Name(r.texture);
        seen.insert(name);
        EXPECT_EQ(int(r.alpha), strip.count(name) ? 248 : 255) << name;
    }
    for (const std::string& name : strip)
        EXPECT_TRUE(seen.count(name)) << name << " not drawn";
    EXPECT_GT(seen.size(), 100u);
}

// Which states draw a background slot and from which strip entry. Our own copy of the table:
// slot, the states it is drawn in, and its first strip entry (-1 for the whole picture). Slots
// not listed are drawn whole in state 1 only.
struct BackRow {
    int slot;
    std::set<int> states;
    int base;
};
const BackRow kBackRows[] = {
    {12, {1, 3, 4}, 3}, {13, {1}, 8},     {17, {1, 3, 4}, 21}, {18, {1}, 26},       {19, {1}, 29},
    {21, {1}, 31},      {22, {1, 5}, 35}, {23, {1}, 38},       {24, {1}, 46},       {30, {1}, 64},
    {31, {1}, 72},      {73, {1}, 92},    {74, {1}, 94},       {75, {1}, 97},       {90, {1}, 99},
    {91, {1, 3}, 102},  {92, {3, 5}, -1}, {93, {3}, 105},      {94, {3}, 110},      {29, {1}, 60},
    {27, {1, 4}, 55},   {56, {1, 4}, 77}, {59, {1, 4}, 80},    {57, {1, 3, 4}, 83}, {58, {1}, 88},
    {14, {1}, 15},      {16, {1}, 18},    {1, {1}, 0},         {6, {1}, 11},        {25, {1}, 50},
};

TEST_F(LevelLayersTest, BackgroundSlotsFollowTheirStatesAndStripEntries) {
    std::map<int, BackRow> rows;
    for (const BackRow& row : kBackRows)
        rows[row.slot] = row;
    for (int slot = 0; slot < CStage_One::kBacks; ++slot) {
        if (slot == 4 || slot == 20 || slot == 72) continue; // drawn their own ways
        const BackRow row = rows.count(slot) ? rows[slot] : BackRow{slot, {1}, -1};
        for (int state : {-7, 0, 1, 2, 3, 4, 5, 6, 7, 31, 1000}) {
            stage.level.backs[slot] = BackObj{};
            Show(slot, state);
            std::vector<DrawRecord> mine;
            for (const DrawRecord& r : Record())
                if (r.texture == stage.backImages[slot]) mine.push_back(r);
            const bool drawn = row.states.count(state) > 0;
            ASSERT_EQ(mine.size(), drawn ? 1u : 0u) << "B" << slot << " in state " << state;
            if (!drawn) continue;
            const DrawRecord& r = mine[0];
            EXPECT_EQ(r.x, 100 + slot) << "B" << slot;
            EXPECT_EQ(r.y, 200 + slot) << "B" << slot;
            EXPECT_EQ(r.sy, 2.0f) << "B" << slot;
            if (row.base < 0) {
                EXPECT_TRUE(r.whole) << "B" << slot;
            } else {
                ASSERT_FALSE(r.whole) << "B" << slot;
                EXPECT_EQ(r.source.left, row.base) << "B" << slot << " strip entry";
            }
        }
        stage.level.backs[slot] = BackObj{};
    }
}

} // namespace
