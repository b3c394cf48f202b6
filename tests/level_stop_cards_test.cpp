// The cards that explain every stop, the hints that grow with each attempt, the card naming what
// the fox took, and the page number at the foot of the page.
#include "../tools/replay/ScriptPlayer.h"
#include "TestSupport.h"
#include "scenes/level/CStage_One.h"
#include "services/CCommon.h"
#include "services/InventoryBag.h"
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

class StopCardTest : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        if (HasFatalFailure()) return;
        CCommon::Instance().ResetPlay();
        InventoryBag::Instance().ResetBag();
        stage.window = window;
    }
    void Lock(bool locked) {
        CCommon::Instance().pageTurned = 1;
        CCommon::Instance().forwardLock = locked ? 1 : 0;
    }
    CStage_One stage;
    LevelState& L = stage.level;
};

// Every kind of stop, with the picture its card and hints are drawn from.
struct StopName {
    StopKind kind;
    const char* name;
};
constexpr StopName kStops[] = {
    {StopBoulder, "boulder"},
    {StopFence, "fence"},
    {StopSnowball, "snowball"},
    {StopPineCone, "pine_cone"},
    {StopPit, "pit"},
    {StopTroll, "troll"},
    {StopFirSnow, "fir_snow"},
    {StopGoose, "goose"},
    {StopSun, "sun"},
    {StopBalloon, "balloon"},
    {StopWindmillFall, "windmill_fall"},
    {StopThrownOff, "thrown_off"},
    {StopTinBird, "tin_bird"},
    {StopFallingPiece, "falling_piece"},
};

TEST_F(StopCardTest, EveryStopShowsItsCardOnlyWhileLockedAndNeverOverAGameoverNotice) {
    static_assert(std::size(kStops) == kStopKinds - 1, "a stop without a card");
    for (const StopName& stop : kStops) {
        SCOPED_TRACE(stop.name);
        EXPECT_STREQ(kStopNames[stop.kind], stop.name);
        L.stops.last = stop.kind;
        L.stops.attempts[stop.kind] = 1;
        Lock(true);
        stage.UpdateNotices();
        EXPECT_EQ(L.notices.stopCard, stop.kind);
        EXPECT_EQ(L.notices.hintLevel, 0) << "a hint at the first attempt";
        Lock(false);
        stage.UpdateNotices();
        EXPECT_EQ(L.notices.stopCard, StopNone) << "shown while the pages can turn";
    }
    // Before the first turn a lock counts as none.
    CCommon::Instance().pageTurned = 0;
    CCommon::Instance().forwardLock = 1;
    stage.UpdateNotices();
    EXPECT_EQ(L.notices.stopCard, StopNone);

    // A gameover notice already tells the stop: no card of ours over it (its hint still shows).
    L.stops.last = StopFence;
    L.stops.attempts[StopFence] = 2;
    L.notices.showGameover2 = 1;
    Lock(true);
    stage.UpdateNotices();
    EXPECT_EQ(L.notices.stopCard, StopNone);
    EXPECT_EQ(L.notices.hintLevel, 2);
}

TEST_F(StopCardTest, HintsGrowWithTheAttemptsAtTheStopMetLast) {
    Lock(true);
    L.stops.last = StopPit;
    L.stops.attempts[StopTroll] = 5; // another stop's attempts do not count here
    const int expected[] = {0, 0, 2, 3, 3, 3};
    for (int tries = 0; tries < 6; ++tries) {
        L.stops.attempts[StopPit] = tries;
        stage.UpdateNotices();
        EXPECT_EQ(L.notices.hintLevel, expected[tries]) << tries << " attempts";
    }
    L.stops.last = StopNone;
    stage.UpdateNotices();
    EXPECT_EQ(L.notices.stopCard, StopNone);
    EXPECT_EQ(L.notices.hintLevel, 0);
}

// At the fence, once the boulder has knocked the elk out, the strip saying so shows from the
// first time on, in place of the fence's hints about waking it; other stops keep their own.
TEST_F(StopCardTest, TheFenceTellsThatTheElkWasKnockedOut) {
    struct Row {
        int32_t stop, attempts, c1Used, hint;
    };
    const Row rows[] = {
        {StopFence, 1, 190, kHintElkKnockedOut},
        {StopFence, 3, 190, kHintElkKnockedOut},
        {StopFence, 1, kNoStamp, 0},
        {StopFence, 3, kNoStamp, 3},
        {StopPineCone, 1, 190, 0},
        {StopPit, 2, 190, 2},
    };
    for (const Row& row : rows) {
        L.stops.last = row.stop;
        L.stops.attempts[row.stop] = row.attempts;
        L.stamps.c1Used = row.c1Used;
        Lock(true);
        stage.UpdateNotices();
        EXPECT_EQ(L.notices.hintLevel, row.hint)
            << kStopNames[row.stop] << ", " << row.attempts << " attempts, c1Used " << row.c1Used;
        Lock(false);
        stage.UpdateNotices();
        EXPECT_EQ(L.notices.hintLevel, 0) << "shown while the pages can turn";
    }
}

TEST_F(StopCardTest, TheFoxCardNamesTheTakenPieceForFifteenPagesWhenNothingElseShows) {
    CCommon& common = CCommon::Instance();
    EXPECT_STREQ(kItemNames[7], "balloon");
    L.values.bagLossItem = 7;
    L.stamps.bagLoss = 150;
    Lock(false);
    for (int page = 148; page <= 176; ++page) {
        common.page = page;
        stage.UpdateNotices();
        const bool shown = page >= 150 && page < 165;
        EXPECT_EQ(L.notices.foxTook, shown ? 7 : -1) << "page " << page;
    }
    common.page = 151;
    Lock(true); // a stop's card takes the place
    stage.UpdateNotices();
    EXPECT_EQ(L.notices.foxTook, -1);
    Lock(false);
    L.colls[14].state = 1; // the warning takes the place
    L.colls[14].x = 600;
    stage.UpdateNotices();
    EXPECT_EQ(L.notices.foxTook, -1);
    L.colls[14].x = 100;
    L.values.bagLossItem = -1; // turned back over the theft: the piece is back
    stage.UpdateNotices();
    EXPECT_EQ(L.notices.foxTook, -1);
}

// Each rule that stops the hero names its stop, on small hand-built layouts: the walker (hit
// rectangles A, B and C all on one box) meets one obstacle at a time.
struct StopSetup {
    StopKind kind;
    int32_t charState; // the state the rule leaves the hero in
    void (*build)(LevelState&, InventoryBag&, const RECT& hero);
};

void PlaceItem(InventoryBag& bag, int item, const RECT& hit) {
    bag.items[item].state = ItemPlaced;
    bag.items[item].hit = hit;
    bag.items[item].x = hit.left;
    bag.items[item].y = hit.top;
    bag.tearingObj[item].placePage = 9; // put down on the page before
}
void Coll(LevelState& L, int k, const RECT& hit) {
    L.colls[k].state = 1;
    L.colls[k].frame = 0;
    L.colls[k].hit = hit;
}

const StopSetup kStopSetups[] = {
    {StopBoulder, CharKnockedDown,
     [](LevelState&, InventoryBag& bag, const RECT& h) {
         bag.items[0].state = ItemVisible;
         bag.items[0].hit = h;
     }},
    {StopFence, CharKnockedDown,
     [](LevelState& L, InventoryBag&, const RECT& h) { Coll(L, 2, h); }},
    {StopSnowball, CharKnockedDown,
     [](LevelState& L, InventoryBag&, const RECT& h) { Coll(L, 10, h); }},
    {StopPineCone, CharKnockedDown,
     [](LevelState& L, InventoryBag&, const RECT& h) { Coll(L, 19, h); }},
    {StopPit, CharPit,
     [](LevelState& L, InventoryBag&, const RECT& h) {
         L.zones[5] = h;
         L.backs[20].state = 1;
     }},
    {StopTroll, CharKnockedDown,
     [](LevelState& L, InventoryBag&, const RECT& h) { Coll(L, 7, h); }},
    {StopFirSnow, CharSwept,
     [](LevelState& L, InventoryBag&, const RECT& h) {
         Coll(L, 24, RECT{});
         L.zones[7] = h;
     }},
    {StopGoose, CharWalk, // the goose comes down on the next pages
     [](LevelState& L, InventoryBag&, const RECT& h) {
         Coll(L, 12, RECT{});
         L.zones[6] = h;
     }},
    {StopSun, CharSlip,
     [](LevelState&, InventoryBag& bag, const RECT& h) { PlaceItem(bag, 9, h); }},
    {StopBalloon, CharFly,
     [](LevelState&, InventoryBag& bag, const RECT& h) {
         PlaceItem(bag, 7, h);
         bag.hotspot[6] = h; // item 7's hotspot
     }},
    {StopWindmillFall, CharFall,
     [](LevelState& L, InventoryBag& bag, const RECT& h) {
         L.charState = CharCarried;
         PlaceItem(bag, 0, h);
     }},
    {StopThrownOff, CharThrown,
     [](LevelState& L, InventoryBag& bag, const RECT& h) {
         L.charState = CharRide;
         PlaceItem(bag, 0, h);
     }},
    {StopTinBird, CharKnockedDown,
     [](LevelState& L, InventoryBag&, const RECT& h) { Coll(L, 13, h); }},
    {StopFallingPiece, CharKnockedDown,
     [](LevelState&, InventoryBag& bag, const RECT& h) { PlaceItem(bag, 1, h); }},
};

TEST_F(StopCardTest, EachStoppingRuleNamesItsStopAndCountsTheAttempt) {
    static_assert(std::size(kStopSetups) == kStopKinds - 1, "a stop that no rule names");
    InventoryBag& bag = InventoryBag::Instance();
    const RECT hero{100, 300, 140, 340};
    for (const StopSetup& setup : kStopSetups) {
        SCOPED_TRACE(kStopNames[setup.kind]);
        L = LevelState{};
        CCommon::Instance().page = 10;
        for (int k = 0; k < InventoryBag::kItems; ++k) {
            bag.items[k].state = ItemLoose;
            bag.items[k].hit = RECT{};
            bag.tearingObj[k].placePage = -1;
        }
        for (RECT& r : bag.hotspot)
            r = RECT{};
        for (uint8_t& f : bag.placementFlags)
            f = 0;
        bag.item7Frame = bag.item13Frame = 0;
        L.charState = CharWalk;
        L.hitA = L.hitB = L.hitC = hero;
        setup.build(L, bag, hero);
        stage.Interact();
        EXPECT_EQ(L.stops.last, setup.kind);
        EXPECT_EQ(L.stops.attempts[setup.kind], 1);
        EXPECT_EQ(L.charState, setup.charState);
        // Every stop's card and both hints are among the game's pictures.
        const std::string base = std::string("Data/image/Support/");
        for (const std::string& file : {"stop_" + std::string(kStopNames[setup.kind]) + ".png",
                                        "hint_" + std::string(kStopNames[setup.kind]) + "_2.png",
                                        "hint_" + std::string(kStopNames[setup.kind]) + "_3.png"})
            EXPECT_TRUE(std::filesystem::is_regular_file(base + file)) << file;
    }
    for (const char* item : kItemNames)
        EXPECT_TRUE(std::filesystem::is_regular_file(std::string("Data/image/Support/fox_took_") +
                                                     item + ".png"))
            << item;
    EXPECT_TRUE(std::filesystem::is_regular_file("Data/image/Support/hint_fence_elk_out.png"));
}

// Where the cards and the page number are drawn, read from the draw record.
class StopCardRenderTest : public StopCardTest {
  protected:
    void SetUp() override {
        StopCardTest::SetUp();
        if (HasFatalFailure()) return;
        for (int k = 1; k < kStopKinds; ++k) {
            stage.stopCards[k] = &cards[k];
            stage.stopHints[k][0] = &hints[k][0];
            stage.stopHints[k][1] = &hints[k][1];
        }
        for (int i = 0; i < InventoryBag::kItems; ++i)
            stage.foxCards[i] = &fox[i];
        stage.pageDigits = &digits;
        stage.pageSlip = &slip;
        stage.elkKnockedOutHint = &elkOut;
    }
    // Stand-ins for the pictures: only their addresses are compared.
    Texture cards[kStopKinds], hints[kStopKinds][2], fox[InventoryBag::kItems], digits, slip,
        elkOut;
    std::vector<headless::DrawRecord> DrawsOf(const Texture* t) {
        headless::RecordDraws(true);
        stage.Render();
        std::vector<headless::DrawRecord> out;
        for (const headless::DrawRecord& r : headless::DrawLog())
            if (r.texture == t) out.push_back(r);
        headless::RecordDraws(false);
        return out;
    }
    void TearDown() override {
        // The fake pictures are not the stage's to release.
        for (auto& t : stage.stopCards)
            t = nullptr;
        for (auto& h : stage.stopHints)
            h[0] = h[1] = nullptr;
        for (auto& t : stage.foxCards)
            t = nullptr;
        stage.pageDigits = nullptr;
        stage.pageSlip = nullptr;
        stage.elkKnockedOutHint = nullptr;
        StopCardTest::TearDown();
    }
};

TEST_F(StopCardRenderTest, CardsAtTheNoticePlaceTheHintUnderItThePageNumberAtTheFoot) {
    L.stops.last = StopTroll;
    L.notices.stopCard = StopTroll;
    L.notices.hintLevel = 3;
    auto card = DrawsOf(stage.stopCards[StopTroll]);
    ASSERT_EQ(card.size(), 1u);
    EXPECT_EQ(card[0].x, 100);
    EXPECT_EQ(card[0].y, 185);
    EXPECT_EQ(card[0].sx, 1.0f);
    EXPECT_EQ(card[0].alpha, 255);
    auto hint = DrawsOf(stage.stopHints[StopTroll][1]);
    ASSERT_EQ(hint.size(), 1u);
    EXPECT_EQ(hint[0].x, 100);
    EXPECT_EQ(hint[0].y, 365);
    EXPECT_TRUE(DrawsOf(stage.stopHints[StopTroll][0]).empty());
    EXPECT_TRUE(DrawsOf(stage.elkKnockedOutHint).empty());
    L.stops.last = StopFence;
    L.notices.hintLevel = kHintElkKnockedOut;
    auto elkOut = DrawsOf(stage.elkKnockedOutHint);
    ASSERT_EQ(elkOut.size(), 1u);
    EXPECT_EQ(elkOut[0].x, 100);
    EXPECT_EQ(elkOut[0].y, 365);
    EXPECT_TRUE(DrawsOf(stage.stopHints[StopFence][1]).empty());
    L.stops.last = StopTroll;
    L.notices.hintLevel = 3;

    L.notices.foxTook = 12;
    auto fox = DrawsOf(stage.foxCards[12]);
    ASSERT_EQ(fox.size(), 1u);
    EXPECT_EQ(fox[0].x, 100);
    EXPECT_EQ(fox[0].y, 185);

    // Page 305: three digits of 12 x 18, centred on x 400 at y 578, on their slip at the book's
    // foot.
    CCommon::Instance().page = 305;
    auto digits = DrawsOf(stage.pageDigits);
    ASSERT_EQ(digits.size(), 3u);
    auto slip = DrawsOf(stage.pageSlip);
    ASSERT_EQ(slip.size(), 1u);
    EXPECT_EQ(slip[0].x, 368);
    EXPECT_EQ(slip[0].y, 574);
    EXPECT_EQ(slip[0].sx, 1.0f);
    const int expectedDigit[] = {3, 0, 5};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(digits[i].x, 382 + 12 * i);
        EXPECT_EQ(digits[i].y, 578);
        EXPECT_FALSE(digits[i].whole);
        EXPECT_EQ(digits[i].source.left, expectedDigit[i] * 12);
        EXPECT_EQ(digits[i].source.right, expectedDigit[i] * 12 + 12);
        EXPECT_EQ(digits[i].source.bottom, 18);
    }
    CCommon::Instance().page = 0;
    ASSERT_EQ(DrawsOf(stage.pageDigits).size(), 1u);
}

// The page number lies over the book's front layers (nothing of the level hides it) and under
// the help note; once the closing smoke rises it is gone with the page.
TEST_F(StopCardRenderTest, ThePageNumberLiesOverTheBookAndGoesWithTheClosingSmoke) {
    CCommon& common = CCommon::Instance();
    Texture front, help;
    Texture* const frontBefore = common.pageFrontOver[common.frontIndex];
    Texture* const helpBefore = common.helpPanel;
    common.pageFrontOver[common.frontIndex] = &front;
    common.helpPanel = &help;
    common.page = 12;
    headless::RecordDraws(true);
    stage.Render();
    std::vector<const Texture*> order;
    for (const headless::DrawRecord& r : headless::DrawLog())
        if (r.texture == &front || r.texture == &slip || r.texture == &digits || r.texture == &help)
            order.push_back(r.texture);
    const std::vector<const Texture*> expected = {&front, &slip, &digits, &digits, &help};
    EXPECT_EQ(order, expected);

    for (int16_t step : {1, 8}) {
        L.smokeStep = step;
        EXPECT_TRUE(DrawsOf(stage.pageDigits).empty()) << "smoke " << step;
        EXPECT_TRUE(DrawsOf(stage.pageSlip).empty()) << "smoke " << step;
    }
    headless::RecordDraws(false);
    common.pageFrontOver[common.frontIndex] = frontBefore;
    common.helpPanel = helpBefore;
    common.page = 0;
}

// The stops met in play: each rule that stops the hero names its stop, the card shows while the
// pages are locked, and the attempts survive turning back.
struct PlayedStop {
    const char* name;
    const char* script;
};

const PlayedStop kPlayedStops[] = {
    {"TheBoulderLeftOnTheLane", R"(
wait 500
key Escape
wait 1500
click 400 365
wait 1200
key Escape
until scene 1
key S
turn 26 0
turn 1 1
key D
key D
key D
expect forwardLock 1
expect notice.1 1
expect lastStop 1
expect stopCard 0
expect hintLevel 0
)"},
    // The pit three times: the card, then a nearer hint, then the nearest; turning back between
    // the attempts leaves their count.
    {"ThePitThreeTimes", R"(
play level/01_to_the_boardwalk.txt
turn 10 0
turn 1 13
key D
key D
key D
expect forwardLock 1
expect stopCard 5
expect hintLevel 0
back 3
expect stopCard 0
turn 1 13
key D
key D
key D
expect stopCard 5
expect hintLevel 2
back 3
turn 1 13
key D
key D
key D
expect stopCard 5
expect hintLevel 3
)"},
    {"TheFenceWithTheElkAsleep", R"(
play level/01_to_the_boardwalk.txt
play level/02_plank_imp_fox.txt
turn 9 0
turn 5 4
turn 22 0
turn 1 1
key D
key D
key D
expect forwardLock 1
expect notice.2 1
expect lastStop 2
expect stopCard 0
expect hintLevel 0
)"},
    // The boulder put down on the sleeping elk's far end knocks it out and rolls off the page
    // before the fence comes: the pebble walks past the elk to the fence, where the fence's card
    // (the gameover notice needs the elk) and a strip saying that the elk was knocked out show,
    // from the first time on.
    {"TheFenceWithTheElkKnockedOut", R"(
play level/01_to_the_boardwalk.txt
put 11 426 550
turn 8 0
tear 12
turn 23 0
tear 6
turn 5 0
put 12 587 444
turn 22 0
expect page 170
put 0 760 480
turn 12 0
expect coll.1 5
expect back.2 1
turn 35 0
turn 1 1
key D
key D
key D
expect forwardLock 1
expect lastStop 2
expect stopCard 2
expect hintLevel 4
back 3
expect hintLevel 0
)"},
};

class PlayedStopTest : public HeadlessTest, public ::testing::WithParamInterface<PlayedStop> {};

TEST_P(PlayedStopTest, TheRuleNamesItsStopAndTheCardShows) {
    ScriptPlayer player;
    ASSERT_TRUE(player.Parse(GetParam().script, PEBBLEFROST_SOURCE_DIR "/tests/scripts/wrong"))
        << player.error;
    player.wantPicture = [](int) { return false; };
    EXPECT_TRUE(player.Run()) << player.error;
}

INSTANTIATE_TEST_SUITE_P(StopCards, PlayedStopTest, ::testing::ValuesIn(kPlayedStops),
                         [](const ::testing::TestParamInfo<PlayedStop>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
