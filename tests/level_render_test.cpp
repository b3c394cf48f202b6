// The level's picture: the layering of its steps and the parameters of the special draws, read
// from the headless draw record (textures stand in as empty slots) and, for the see-through strip
// and the mirror image, from the frame's pixels.
#include "TestSupport.h"
#include "app/SceneManager.h"
#include "scenes/level/CStage_One.h"
#include "services/CCommon.h"
#include "services/InventoryBag.h"
#include <algorithm>
#include <initializer_list>
#include <iterator>
#include <vector>

namespace {

using headless::DrawRecord;

class LevelRenderTest : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        if (HasFatalFailure()) return;
        SceneManager::Instance().window = window;
        CCommon& common = CCommon::Instance();
        InventoryBag::Instance();
        stage.window = window;
        savedRock = common.cursorRock;
        savedFist = common.cursorFist;
        common.cursorRock = &cursorRock;
        common.cursorFist = &cursorFist;

        for (int i = 0; i < CStage_One::kBacks; ++i)
            stage.backImages[i] = &backs[i];
        for (int i = 0; i < CStage_One::kColls; ++i) {
            stage.collImages[i] = &colls[i];
            for (int f = 0; f < 6; ++f)
                stage.collFrames[i].push_back(RECT{f, 1, f + 1, 2});
        }
        for (int i = 0; i < CStage_One::kChars; ++i) {
            stage.charImages[i] = &chars[i];
            for (int f = 0; f < 5; ++f)
                stage.charFrames[i].push_back(RECT{f, 2, f + 1, 3});
        }
        for (int i = 0; i < CStage_One::kHeads; ++i)
            stage.headImages[i] = &heads[i];
        for (int f = 0; f < CStage_One::kHeadFrames; ++f)
            stage.headFrames[f] = RECT{f, 3, f + 1, 4};
        for (int i = 0; i < CStage_One::kFrameTableSize; ++i)
            stage.frameTable[i] = RECT{i, 0, i + 1, 1};
        stage.back4Rect = RECT{0, 0, 7, 7};
        for (int i = 0; i < CStage_One::kSmokePictures; ++i)
            stage.smoke[i] = &smoke[i];
        for (int i = 0; i < 3; ++i)
            stage.gameover[i] = &notices[i];
        stage.warning = &notices[3];
        stage.escMenu = &esc[0];
        stage.escResume = &esc[1];
        stage.escMain = &esc[2];
        stage.escQuit = &esc[3];
        stage.escResumeLit = &escLit[0];
        stage.escMainLit = &escLit[1];
        stage.escQuitLit = &escLit[2];
        stage.level.charState = CharHidden; // most tests look at the objects alone
    }

    void TearDown() override {
        // The overlay frees its own cursor pictures at exit, not the stand-ins.
        CCommon::Instance().cursorRock = savedRock;
        CCommon::Instance().cursorFist = savedFist;
        HeadlessTest::TearDown();
    }

    // Render with the draw record on; the draws of the level's own pictures (and the cursor).
    std::vector<DrawRecord> Draws() {
        headless::RecordDraws(true);
        stage.Render();
        std::vector<DrawRecord> all = headless::DrawLog();
        headless::RecordDraws(false);
        std::vector<DrawRecord> mine;
        for (const DrawRecord& r : all)
            if (Mine(r.texture)) mine.push_back(r);
        return mine;
    }

    bool Mine(const Texture* t) const {
        auto in = [t](const auto& array) { return t >= std::begin(array) && t < std::end(array); };
        return in(backs) || in(colls) || in(chars) || in(heads) || in(smoke) || in(notices) ||
               in(esc) || in(escLit) || t == &cursorRock || t == &cursorFist;
    }

    static std::vector<DrawRecord> Of(const std::vector<DrawRecord>& log, const Texture* t) {
        std::vector<DrawRecord> out;
        for (const DrawRecord& r : log)
            if (r.texture == t) out.push_back(r);
        return out;
    }

    void Show(int back, int32_t x = 100, int32_t y = 100) {
        stage.level.backs[back].state = 1;
        stage.level.backs[back].x = x;
        stage.level.backs[back].y = y;
    }
    void ShowColl(int coll, int32_t x = 100, int32_t y = 100) {
        stage.level.colls[coll].state = 1;
        stage.level.colls[coll].x = x;
        stage.level.colls[coll].y = y;
    }

    CStage_One stage;
    Texture backs[CStage_One::kBacks];
    Texture colls[CStage_One::kColls];
    Texture chars[CStage_One::kChars];
    Texture heads[CStage_One::kHeads];
    Texture smoke[CStage_One::kSmokePictures];
    Texture notices[4];
    Texture esc[4];
    Texture escLit[3]; // the buttons' lit pictures: resume, main menu, quit
    Texture cursorRock, cursorFist;
    Texture* savedRock = nullptr;
    Texture* savedFist = nullptr;
};

} // namespace

TEST_F(LevelRenderTest, Object20IsTwelveTilesWithAGapAt890) {
    Show(20, -40, 500);
    std::vector<int> xs;
    for (const DrawRecord& r : Of(Draws(), &backs[20])) {
        xs.push_back(r.x);
        EXPECT_EQ(r.y, 500);
        EXPECT_EQ(r.sx, 2.0f);
    }
    const std::vector<int> expected = {-40, 49, 138, 227, 316, 405, 494, 583, 672, 761, 939, 1028};
    EXPECT_EQ(xs, expected);

    stage.level.backs[20].state = 4;
    EXPECT_TRUE(Of(Draws(), &backs[20]).empty());
}

// Strips take entry base + counter; a counter outside its strip draws nothing instead of reading
// past the run.
TEST_F(LevelRenderTest, StripFramesStayInsideTheirRuns) {
    Show(12);
    Show(93);
    stage.level.backs[93].state = 3;
    Show(6);
    LevelCounters& n = stage.level.counters;
    struct Case {
        int32_t LevelCounters::*counter;
        int slot;
        int32_t value;
        int entry; // -1: not drawn
    };
    const Case cases[] = {
        {&LevelCounters::b12Count, 12, 0, 3},   {&LevelCounters::b12Count, 12, 4, 7},
        {&LevelCounters::b12Count, 12, 5, -1},  {&LevelCounters::b12Count, 12, -1, -1},
        {&LevelCounters::b93Count, 93, 4, 109}, {&LevelCounters::b93Count, 93, 5, -1},
        {&LevelCounters::b6Count, 6, 3, 14},    {&LevelCounters::b6Count, 6, 4, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "slot " << c.slot << " counter " << c.value);
        n.*c.counter = c.value;
        const std::vector<DrawRecord> draws = Of(Draws(), &backs[c.slot]);
        if (c.entry < 0) {
            EXPECT_TRUE(draws.empty());
        } else {
            ASSERT_EQ(draws.size(), 1u);
            EXPECT_FALSE(draws[0].whole);
            EXPECT_EQ(draws[0].source, stage.frameTable[c.entry]);
        }
        n.*c.counter = 0;
    }

    // Own frames of collision objects likewise.
    ShowColl(0);
    stage.level.colls[0].frame = 5;
    ASSERT_EQ(Of(Draws(), &colls[0]).size(), 1u);
    EXPECT_EQ(Of(Draws(), &colls[0])[0].source, stage.collFrames[0][5]);
    stage.level.colls[0].frame = 6;
    EXPECT_TRUE(Of(Draws(), &colls[0]).empty());
    stage.collFrames[0].clear(); // a record with no frames at all
    stage.level.colls[0].frame = 0;
    EXPECT_TRUE(Of(Draws(), &colls[0]).empty());
}

// The windmill turns with the hero it carries: on its turning frame it shows the frame of the
// carry step, after its own four; when nobody is carried, or on its other frames, its own.
TEST_F(LevelRenderTest, CarryingWindmillShowsTheFrameOfTheCarryStep) {
    ShowColl(0);
    LevelState& l = stage.level;
    l.colls[0].frames = 4;
    stage.collFrames[0].clear();
    for (int f = 0; f < 4 + CStage_One::kWindmillRideFrames; ++f)
        stage.collFrames[0].push_back(RECT{f, 1, f + 1, 2});
    struct Case {
        int32_t charState, carryStep, millFrame, shown;
    };
    std::vector<Case> cases;
    for (int step = 0; step < 10; ++step)
        cases.push_back({CharCarried, step, 0, 4 + step});
    cases.push_back({CharWalk, 0, 0, 0});    // before the catch
    cases.push_back({CharWalk, 9, 0, 0});    // after the drop: the last step is kept, not shown
    cases.push_back({CharFall, 4, 0, 0});    // knocked off the sail
    cases.push_back({CharCarried, 4, 1, 1}); // struck by the boulder: its own frame
    cases.push_back({CharCarried, 3, 3, 3});
    cases.push_back({CharCarried, 10, 0, 0}); // a step past the path
    cases.push_back({CharCarried, -1, 0, 0});
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "state " << c.charState << " step " << c.carryStep
                                          << " frame " << c.millFrame);
        l.charState = c.charState;
        l.counters.carryStep = c.carryStep;
        l.colls[0].frame = c.millFrame;
        const std::vector<DrawRecord> draws = Of(Draws(), &colls[0]);
        ASSERT_EQ(draws.size(), 1u);
        EXPECT_EQ(draws[0].source, stage.collFrames[0][c.shown]);
    }
    // Another object on frame 0 is not the carrier.
    ShowColl(1);
    l.charState = CharCarried;
    l.counters.carryStep = 2;
    l.colls[1].frames = 4;
    l.colls[1].frame = 0;
    const std::vector<DrawRecord> other = Of(Draws(), &colls[1]);
    ASSERT_EQ(other.size(), 1u);
    EXPECT_EQ(other[0].source, stage.collFrames[1][0]);
}

TEST_F(LevelRenderTest, CharacterFallShowsFrame2HeadFollowsTheWalkHiddenDrawsNothing) {
    LevelState& l = stage.level;
    l.chars[6] = CharObj{40, 50, 0, 0, 5, 0, 0, 0};
    l.charState = CharFall;
    std::vector<DrawRecord> log = Draws();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].texture, &chars[6]);
    EXPECT_EQ(log[0].source, stage.charFrames[6][2]);
    EXPECT_EQ(log[0].x, 40);
    stage.charFrames[6].resize(2); // too short for frame 2: left out
    EXPECT_TRUE(Draws().empty());

    l.charState = CharWalk;
    l.chars[0].frame = 3;
    l.head.x = 109;
    l.head.y = 395;
    l.headIndex = 4;
    log = Draws();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].texture, &chars[0]);
    EXPECT_EQ(log[0].source, stage.charFrames[0][3]);
    EXPECT_EQ(log[1].texture, &heads[4]);
    EXPECT_EQ(log[1].source, stage.headFrames[3]);
    EXPECT_EQ(log[1].x, 109);
    EXPECT_EQ(log[1].y, 395);
    EXPECT_EQ(log[1].sx, 2.0f);

    l.headIndex = 6; // no such head: the body alone
    ASSERT_EQ(Draws().size(), 1u);
    l.headIndex = 0;
    l.chars[0].frame = 5; // past both the walk's and the head's frames
    EXPECT_TRUE(Draws().empty());

    l.charState = CharFly; // another animation: no head
    ASSERT_EQ(Draws().size(), 1u);
    for (int32_t hidden : {20, 17, -1}) {
        l.charState = hidden;
        EXPECT_TRUE(Draws().empty()) << "state " << hidden;
    }
}

TEST_F(LevelRenderTest, TurnedAndScaledObjectsCarryTheLevelsParameters) {
    LevelState& l = stage.level;
    l.draw.collRotation = 0.5f;
    l.draw.c7Scale = 1.5f;
    l.draw.c7Rotation = 0.25f;
    l.draw.b4Rotation = 0.75f;
    l.draw.b16ScaleX = -2.0f;
    ShowColl(10);
    l.colls[10].frame = 9; // drawn whole: its frame does not matter
    ShowColl(21);
    ShowColl(7);
    Show(4);
    Show(16);
    const std::vector<DrawRecord> log = Draws();

    const DrawRecord c10 = Of(log, &colls[10]).at(0);
    EXPECT_TRUE(c10.whole);
    EXPECT_EQ(c10.rotation, 0.5f);
    EXPECT_EQ(Of(log, &colls[21]).at(0).rotation, 0.5f);
    const DrawRecord c7 = Of(log, &colls[7]).at(0);
    EXPECT_EQ(c7.sx, 1.5f);
    EXPECT_EQ(c7.sy, 1.5f);
    EXPECT_EQ(c7.rotation, 0.25f);
    const DrawRecord b4 = Of(log, &backs[4]).at(0);
    EXPECT_EQ(b4.source, stage.back4Rect);
    EXPECT_EQ(b4.rotation, 0.75f);
    const DrawRecord b16 = Of(log, &backs[16]).at(0);
    EXPECT_EQ(b16.sx, -2.0f);
    EXPECT_EQ(b16.sy, 2.0f);
    EXPECT_EQ(b16.source, stage.frameTable[18]);
}

TEST_F(LevelRenderTest, CopiesOfObject11ShowByTheirOwnFlags) {
    stage.level.backs[11].state = 0;
    stage.level.back11Copies[0] = Back11Copy{1, 10, 20};
    stage.level.back11Copies[1] = Back11Copy{0, 30, 40};
    stage.level.back11Copies[2] = Back11Copy{2, 50, 60};
    stage.level.back11Copies[3] = Back11Copy{1, 70, 80};
    const std::vector<DrawRecord> log = Of(Draws(), &backs[11]);
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].x, 10);
    EXPECT_EQ(log[1].x, 70);
    EXPECT_EQ(log[1].y, 80);
}

TEST_F(LevelRenderTest, SmokeOnlyForSteps1To8) {
    const POINT expected[] = {{420, 326}, {400, 278}, {348, 266}, {20, 0},
                              {20, 0},    {20, 0},    {20, 0},    {20, 0}};
    for (int16_t step = 0; step <= 9; ++step) {
        stage.level.smokeStep = step;
        const std::vector<DrawRecord> log = Draws();
        if (step < 1 || step > 8) {
            EXPECT_TRUE(log.empty()) << "step " << step;
            continue;
        }
        ASSERT_EQ(log.size(), 1u) << "step " << step;
        EXPECT_EQ(log[0].texture, &smoke[step - 1]);
        EXPECT_EQ((POINT{log[0].x, log[0].y}), expected[step - 1]);
        EXPECT_EQ(log[0].sx, 2.0f);
    }
    stage.level.smokeStep = -3;
    EXPECT_TRUE(Draws().empty());
}

TEST_F(LevelRenderTest, NoticesAndThePageNoticeAtBookScale) {
    CCommon& common = CCommon::Instance();
    Texture notPage;
    Texture* saved = common.notPage;
    common.notPage = &notPage;
    stage.level.notices.showGameover3 = 1;

    auto pageNoticeShown = [&] {
        headless::RecordDraws(true);
        stage.Render();
        const std::vector<DrawRecord> log = headless::DrawLog();
        headless::RecordDraws(false);
        for (const DrawRecord& r : log)
            if (r.texture == &notPage) {
                EXPECT_EQ((POINT{r.x, r.y}), (POINT{230, 115}));
                EXPECT_EQ(r.sx, 1.0f);
                return true;
            }
        return false;
    };
    common.pageTurned = 0;
    EXPECT_FALSE(pageNoticeShown());
    common.pageTurned = 1;
    common.page = 0;
    EXPECT_TRUE(pageNoticeShown());
    common.page = 7;
    common.forwardLock = 0;
    EXPECT_FALSE(pageNoticeShown());
    common.forwardLock = 1;
    EXPECT_TRUE(pageNoticeShown());
    common.notPage = saved;

    const DrawRecord g3 = Of(Draws(), &notices[2]).at(0);
    EXPECT_EQ((POINT{g3.x, g3.y}), (POINT{100, 185}));
    EXPECT_EQ(g3.sx, 1.0f);
}

// The pause menu over the level, the cursor over everything but only while pages stand.
TEST_F(LevelRenderTest, PauseMenuThenCursorLastAndNoCursorWhilePagesTurn) {
    CCommon& common = CCommon::Instance();
    common.paused = 1;
    common.autoFlip = 0;
    stage.level.pause.mainPos = POINT{308, 342};
    cursorX = 321;
    cursorY = 123;
    std::vector<DrawRecord> log = Draws();
    ASSERT_EQ(log.size(), 5u);
    EXPECT_EQ((POINT{log[0].x, log[0].y}), (POINT{106, 85}));
    EXPECT_EQ((POINT{log[1].x, log[1].y}), (POINT{306, 280}));
    EXPECT_EQ((POINT{log[2].x, log[2].y}), (POINT{308, 342}));
    EXPECT_EQ((POINT{log[3].x, log[3].y}), (POINT{306, 400}));
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(log[i].sx, 1.0f);
    // The button moved under the cursor shows its lit picture; the others their plain ones.
    EXPECT_EQ(log[1].texture, &esc[1]);
    EXPECT_EQ(log[2].texture, &escLit[1]);
    EXPECT_EQ(log[3].texture, &esc[3]);
    EXPECT_EQ(log[4].texture, &cursorRock);
    EXPECT_EQ((POINT{log[4].x, log[4].y}), (POINT{321, 123}));

    common.mouseDown = 1;
    EXPECT_EQ(Draws().back().texture, &cursorFist);

    common.autoFlip = 1;
    log = Draws();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back().texture, &esc[3]) << "the picture must end with the pause menu";
    common.paused = 0;
    EXPECT_TRUE(Draws().empty());
}

// Each pause button away from its rest place (under the cursor or lit by the keys) shows its lit
// picture there; at rest, or without a lit picture, the plain one.
TEST_F(LevelRenderTest, PauseButtonsShowTheirLitPictureAwayFromTheirRestPlace) {
    CCommon& common = CCommon::Instance();
    common.paused = 1;
    common.autoFlip = 1; // no cursor
    struct Case {
        POINT PauseButtons::*pos;
        POINT rest;
        int plain, lit; // indices into esc and escLit
    };
    const Case cases[] = {{&PauseButtons::resumePos, {306, 280}, 1, 0},
                          {&PauseButtons::mainPos, {306, 340}, 2, 1},
                          {&PauseButtons::quitPos, {306, 400}, 3, 2}};
    for (const Case& c : cases) {
        const POINT hover{c.rest.x + 2, c.rest.y + 2};
        for (POINT at : {c.rest, hover}) {
            stage.level.pause = PauseButtons{};
            stage.level.pause.*c.pos = at;
            const bool lit = at.x != c.rest.x;
            std::vector<DrawRecord> moved = Of(Draws(), lit ? &escLit[c.lit] : &esc[c.plain]);
            ASSERT_EQ(moved.size(), 1u) << "button " << c.plain << (lit ? " lit" : " at rest");
            EXPECT_EQ((POINT{moved[0].x, moved[0].y}), at);
            EXPECT_TRUE(Of(Draws(), lit ? &esc[c.plain] : &escLit[c.lit]).empty());
        }
    }
    stage.escMainLit = nullptr; // a lit picture that did not load: the plain one, moved
    stage.level.pause = PauseButtons{};
    stage.level.pause.mainPos = POINT{308, 342};
    std::vector<DrawRecord> plain = Of(Draws(), &esc[2]);
    ASSERT_EQ(plain.size(), 1u);
    EXPECT_EQ((POINT{plain[0].x, plain[0].y}), (POINT{308, 342}));
    common.paused = 0;
    common.autoFlip = 0;
}

// Real pictures on the offscreen frame: the strip lets 3% of the black through, and the mirror
// copy shows its right half on the left.
TEST_F(LevelRenderTest, FramePixelsShowTheSeeThroughStripAndTheMirrorImage) {
    CCommon& common = CCommon::Instance();
    // The book's own layers would cover the test pictures: set aside, and put back at the end so
    // that the book still owns (and frees) them.
    Texture** bookLayers[] = {
        &common.bookBack,         &common.bookFrame,        &common.helpPanel,
        &common.pageFront[0],     &common.pageFront[1],     &common.pageFront[2],
        &common.pageFrontOver[0], &common.pageFrontOver[1], &common.pageFrontOver[2]};
    Texture* setAside[std::size(bookLayers)];
    for (size_t i = 0; i < std::size(bookLayers); ++i) {
        setAside[i] = *bookLayers[i];
        *bookLayers[i] = nullptr;
    }
    common.autoFlip = 1;

    const std::string white = TempPath("white.png");
    ASSERT_TRUE(WriteSolidPng(white, 10, 10, kWhite));
    std::vector<uint32_t> halves(10 * 5);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 10; ++x)
            halves[y * 10 + x] = x < 5 ? kRed : kBlue;
    const std::string split = TempPath("split.png");
    ASSERT_TRUE(WriteTestPng(split, 10, 5, halves));

    stage.backImages[50] = LoadTestTexture(white);
    stage.backImages[72] = LoadTestTexture(split);
    ASSERT_NE(stage.backImages[50], nullptr);
    ASSERT_NE(stage.backImages[72], nullptr);
    Show(50, 300, 300);
    Show(72, -5, 100); // the pair straddles the screen: 0..14 and 780..799

    ClearFrame();
    stage.Render();
    const uint32_t strip = headless::Pixel(310, 310);
    EXPECT_NEAR(Red(strip), 248, 2);
    EXPECT_EQ(Red(strip), Blue(strip));
    EXPECT_EQ(headless::Pixel(321, 310), kBlack) << "the strip is 20 px wide at scale 2";

    EXPECT_EQ(headless::Pixel(2, 105), kRed);
    EXPECT_EQ(headless::Pixel(10, 105), kBlue);
    EXPECT_EQ(headless::Pixel(782, 105), kBlue); // mirrored: blue first
    EXPECT_EQ(headless::Pixel(795, 105), kRed);
    EXPECT_EQ(headless::Pixel(400, 105), kBlack);

    ReleaseTexture(stage.backImages[50]);
    ReleaseTexture(stage.backImages[72]);
    for (size_t i = 0; i < std::size(bookLayers); ++i)
        *bookLayers[i] = setAside[i];
}
