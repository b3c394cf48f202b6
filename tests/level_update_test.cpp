// The level's frame update: the pause menu, the return to the title, quitting, the closing
// sequence, the lost check, the on-screen states, the beat, item uses and the notices.
#include "TestSupport.h"
#include "app/Game.h"
#include "app/SceneManager.h"
#include "scenes/ending/CEnding.h"
#include "scenes/level/CStage_One.h"
#include "scenes/title/CStage_Title.h"
#include "services/CCommon.h"
#include "services/InventoryBag.h"
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr uint32_t kStartClock = 10000;

class LevelUpdateTest : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        if (HasFatalFailure()) return;
        headless::SetClock(kStartClock);
        SceneManager::Instance().window = window;
        stage.window = window;
        stage.pacingTick = GetTickCount();
        stage.autoFlipTick = GetTickCount();
        FarAway(stage);
        Hover(0, 0);
    }
    void TearDown() override {
        Shutdown(); // releases a scene the test switched to
        HeadlessTest::TearDown();
    }

    // The ending landmark far to the right, so that only the tests that want it end the level.
    static void FarAway(CStage_One& level) { level.level.backs[66].x = 100000; }

    static CCommon& Common() { return CCommon::Instance(); }
    static InventoryBag& Bag() { return InventoryBag::Instance(); }

    // The cursor as the window procedure leaves it, and the left button's device state.
    static void Hover(int x, int y) {
        cursorX = x;
        cursorY = y;
        headless::SetLeftButton(false);
    }
    static void Press(int x, int y) {
        cursorX = x;
        cursorY = y;
        headless::SetLeftButton(true);
    }

    static int Plays(const std::string& file) {
        int count = 0;
        for (const headless::PlayRecord& r : headless::PlayLog())
            if (r.path.size() >= file.size() &&
                r.path.compare(r.path.size() - file.size(), file.size(), file) == 0)
                ++count;
        return count;
    }

    // True when the quit message waits, with its exit code.
    static bool QuitPosted(int* code) {
        WindowMessage msg;
        while (PeekWindowMessage(msg))
            if (msg.type == MessageType::Quit) {
                *code = msg.x;
                return true;
            }
        return false;
    }

    // A level made current in the scene manager, for the tests that leave it.
    CStage_One* CurrentLevel() {
        auto* level = new CStage_One;
        level->window = window;
        level->pacingTick = GetTickCount();
        FarAway(*level);
        SceneManager::Instance().current = level;
        SceneManager::Instance().sceneNumber = 1;
        return level;
    }

    CStage_One stage;
};

constexpr POINT kResume{400, 300};
constexpr POINT kMain{400, 360};
constexpr POINT kQuit{400, 420};

} // namespace

// ---- Pause menu ----

// A hovered button sits 2 px right and down; its hit area is last frame's, so at the edges the
// cursor can be in one frame's area and out of the next one's.
TEST_F(LevelUpdateTest, PauseButtonsHoverByTwoPixelsWithHitAreasOneFrameLate) {
    Common().paused = 1;
    Hover(kResume.x, kResume.y);
    stage.Update();
    EXPECT_EQ(stage.level.pause.resumePos, (POINT{308, 282}));
    EXPECT_EQ(stage.level.pause.resumeRect, (RECT{306, 280, 506, 330})); // built before the move
    EXPECT_EQ(stage.level.pause.mainPos, (POINT{306, 340}));
    EXPECT_EQ(stage.level.pause.quitPos, (POINT{306, 400}));

    // Only in the moved area (right and bottom are exclusive): still hovered.
    Hover(507, 331);
    stage.Update();
    EXPECT_EQ(stage.level.pause.resumeRect, (RECT{308, 282, 508, 332}));
    EXPECT_EQ(stage.level.pause.resumePos, (POINT{308, 282}));

    // Only in the resting area: out of the hovered one, back at rest, then hovered again.
    Hover(306, 280);
    stage.Update();
    EXPECT_EQ(stage.level.pause.resumePos, (POINT{306, 280}));
    stage.Update();
    EXPECT_EQ(stage.level.pause.resumePos, (POINT{308, 282}));

    Hover(kQuit.x, kQuit.y);
    stage.Update();
    EXPECT_EQ(stage.level.pause.resumePos, (POINT{306, 280}));
    EXPECT_EQ(stage.level.pause.quitPos, (POINT{308, 402}));
    EXPECT_EQ(stage.level.pause.mainRect, (RECT{306, 340, 506, 390}));
}

TEST_F(LevelUpdateTest, ResumeClosesTheMenuAndOpensTheGates) {
    Common().paused = 1;
    Common().autoFlip = 0;
    Common().backGate = Common().itemGate = Common().collGate = Common().placedGate = 0;
    Hover(kResume.x, kResume.y);
    stage.Update(); // the first frame builds the areas
    ASSERT_EQ(Common().paused, 1);
    Press(kResume.x, kResume.y);
    stage.Update();
    EXPECT_EQ(Common().paused, 0);
    EXPECT_EQ(Common().autoFlip, 1);
    EXPECT_EQ(Common().backGate + Common().itemGate + Common().collGate + Common().placedGate, 4);
    EXPECT_EQ(Plays("tear.ogg"), 1);
    EXPECT_EQ(Common().tearSoundOn, 0); // played directly, not as a tear
}

TEST_F(LevelUpdateTest, ClicksAreIgnoredWhileAnotherWindowIsActive) {
    Common().paused = 1;
    headless::SetActive(false);
    for (POINT p : {kResume, kMain, kQuit}) {
        Hover(p.x, p.y);
        stage.Update();
        Press(p.x, p.y);
        stage.Update();
    }
    EXPECT_EQ(Common().paused, 1);
    EXPECT_EQ(stage.level.flags.returnToTitle, 0);
    int code = -1;
    EXPECT_FALSE(QuitPosted(&code));
}

TEST_F(LevelUpdateTest, MainReturnsToTheTitleMenuOnTheNextFrame) {
    CStage_One* level = CurrentLevel();
    Common().paused = 1;
    Hover(kMain.x, kMain.y);
    level->Update();
    Press(kMain.x, kMain.y);
    level->Update();
    ASSERT_EQ(SceneManager::Instance().current, level) << "the level left within the click frame";
    EXPECT_EQ(level->level.flags.returnToTitle, 1);

    level->Update(); // the level is deleted here
    auto* title = dynamic_cast<CStage_Title*>(SceneManager::Instance().current);
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(SceneManager::Instance().sceneNumber, 0);
    EXPECT_EQ(Common().introDone, 1);
    // The title's first update found phase 0: it shows its menu at full alpha at once.
    EXPECT_EQ(Common().titlePhase, 1);
    EXPECT_EQ(title->menuAlpha, 255);
}

TEST_F(LevelUpdateTest, QuitPostsTheQuitMessageWithStatusZero) {
    Common().paused = 1;
    int code = -1;
    ASSERT_FALSE(QuitPosted(&code));
    Hover(kQuit.x, kQuit.y);
    stage.Update();
    Press(kQuit.x, kQuit.y);
    stage.Update();
    ASSERT_TRUE(QuitPosted(&code));
    EXPECT_EQ(code, 0);
}

// ---- Closing sequence ----

TEST_F(LevelUpdateTest, ClosingSequenceShowsEightSmokeStepsThenSwitchesToTheEnding) {
    CStage_One* level = CurrentLevel();
    level->level.flags.endingStarted = 1;
    level->level.colls[0].x = 100; // would come on if the level still ran
    Common().flipAnim = 0;

    headless::AdvanceClock(200);
    level->Update();
    EXPECT_EQ(level->level.smokeStep, 0) << "a step needs strictly more than 200 ms";
    for (int step = 1; step <= 8; ++step) {
        headless::AdvanceClock(step == 1 ? 1 : 201);
        Common().flipAnim = 0;              // each step asks for a forward flip when none runs
        Common().turnTick = GetTickCount(); // and the book does not step it in the same frame
        level->Update();
        ASSERT_EQ(SceneManager::Instance().current, level);
        EXPECT_EQ(level->level.smokeStep, step);
        EXPECT_EQ(Common().flipAnim, 1);
        EXPECT_EQ(Plays("page.ogg"), step);
        headless::AdvanceClock(100);
        level->Update(); // between steps nothing moves
        EXPECT_EQ(level->level.smokeStep, step);
    }
    EXPECT_EQ(level->level.colls[0].state, 0) << "the on-screen states ran during the sequence";

    headless::AdvanceClock(101);
    level->Update(); // the ninth step: the level is deleted here
    EXPECT_EQ(SceneManager::Instance().sceneNumber, 2);
    EXPECT_NE(dynamic_cast<CEnding*>(SceneManager::Instance().current), nullptr);
    EXPECT_GE(Plays("page.ogg"), 9);
}

// In the browser the ending's data may still be on its way: the last smoke stays (no page turns,
// no sound) until it is here, then the next step switches to the ending.
TEST_F(LevelUpdateTest, ClosingSequenceWaitsOnItsLastStepForTheEndingsData) {
    CStage_One* level = CurrentLevel();
    level->level.flags.endingStarted = 1;
    Common().endingDataHere = 0;
    for (int step = 1; step <= 8; ++step) {
        headless::AdvanceClock(201);
        Common().flipAnim = 0;
        level->Update();
    }
    ASSERT_EQ(level->level.smokeStep, 8);
    const int pages = Plays("page.ogg");
    for (int wait = 0; wait < 5; ++wait) {
        headless::AdvanceClock(201);
        Common().flipAnim = 0;
        level->Update();
        ASSERT_EQ(SceneManager::Instance().current, level);
        EXPECT_EQ(level->level.smokeStep, 8);
        EXPECT_EQ(Common().flipAnim, 0);
    }
    EXPECT_EQ(Plays("page.ogg"), pages);
    Common().endingDataHere = 1;
    headless::AdvanceClock(201);
    level->Update(); // the level is deleted here
    EXPECT_EQ(SceneManager::Instance().sceneNumber, 2);
    EXPECT_NE(dynamic_cast<CEnding*>(SceneManager::Instance().current), nullptr);
}

// B66 comes into view while the menu is open: the next frame runs the closing sequence and the
// menu is no longer handled. It counts only once it was shown at the start of the frame, and only
// strictly left of 830 - dw.
TEST_F(LevelUpdateTest, EndingLandmarkStartsTheClosingSequenceEvenWhilePaused) {
    BackObj& b66 = stage.level.backs[66];
    b66.x = 730;
    b66.dw = 100;
    b66.state = 0;
    Common().paused = 1;
    stage.Update();
    EXPECT_EQ(b66.state, 1);
    EXPECT_EQ(stage.level.flags.endingStarted, 0) << "it was not shown at the start of the frame";
    stage.Update();
    EXPECT_EQ(stage.level.flags.endingStarted, 0) << "x = 830 - dw is not past the line";

    b66.x = 729;
    stage.Update();
    EXPECT_EQ(stage.level.flags.endingStarted, 1);

    Press(kResume.x, kResume.y);
    headless::AdvanceClock(201);
    stage.Update();
    EXPECT_EQ(Common().paused, 1) << "the menu was handled during the closing sequence";
    EXPECT_EQ(stage.level.pause.resumePos, (POINT{306, 280}));
    EXPECT_EQ(stage.level.smokeStep, 1);
}

// ---- Lost check ----

TEST_F(LevelUpdateTest, LostCheckLocksForwardTurnsOnlyAfterTheFirstTurn) {
    struct Case {
        const char* name;
        std::function<void(LevelState&)> set;
        bool lost;
    };
    auto lastFrame = [](int s) {
        return [s](LevelState& l) {
            l.chars[s].frames = 4;
            l.chars[s].frame = 3;
        };
    };
    const Case cases[] = {
        {"nothing", [](LevelState&) {}, false},
        {"knocked down at its last frame", lastFrame(1), true},
        {"thrown at its last frame", lastFrame(8), true},
        {"pit at its last frame", lastFrame(13), true},
        {"caught at its last frame", lastFrame(14), true},
        {"slip at its last frame", lastFrame(15), true},
        {"swept at its last frame", lastFrame(16), true},
        {"walk at its last frame", lastFrame(0), false},
        {"knocked down before its last frame",
         [](LevelState& l) {
             l.chars[1].frames = 4;
             l.chars[1].frame = 2;
         },
         false},
        {"three blinks", [](LevelState& l) { l.counters.blinkCount = 3; }, true},
        {"two blinks", [](LevelState& l) { l.counters.blinkCount = 2; }, false},
        {"flying on frame 1", [](LevelState& l) { l.chars[12].frame = 1; }, true},
        {"flown past the right edge by its width",
         [](LevelState& l) {
             l.charState = CharFly;
             l.chars[12].dw = 100;
             l.chars[12].x = 900;
             l.chars[12].y = 300;
         },
         true},
        {"flying just short of it",
         [](LevelState& l) {
             l.charState = CharFly;
             l.chars[12].dw = 100;
             l.chars[12].x = 899;
             l.chars[12].y = 300; // not above the top either
         },
         false},
        {"flown off the top",
         [](LevelState& l) {
             l.charState = CharFly;
             l.chars[12].dh = 80;
             l.chars[12].y = -80;
         },
         true},
        {"flying just below the top",
         [](LevelState& l) {
             l.charState = CharFly;
             l.chars[12].dh = 80;
             l.chars[12].y = -79;
         },
         false},
        {"fly record off screen while walking",
         [](LevelState& l) {
             l.chars[12].dw = 100;
             l.chars[12].x = 5000;
         },
         false},
    };
    for (const Case& c : cases) {
        for (uint8_t turned : {0, 1}) {
            SCOPED_TRACE(std::string(c.name) + (turned ? ", after the first turn" : ", at start"));
            stage.level = LevelState{};
            c.set(stage.level);
            Common().pageTurned = turned;
            Common().forwardLock = 1; // cleared when not lost
            Common().autoFlip = 1;
            stage.LostCheck();
            const bool locked = turned && c.lost;
            EXPECT_EQ(Common().forwardLock, locked ? 1 : 0);
            EXPECT_EQ(Common().autoFlip, locked ? 0 : 1);
        }
    }
}

// ---- On-screen states ----

TEST_F(LevelUpdateTest, ObjectsComeOnAndGoOffAtTheScreenBounds) {
    LevelState& l = stage.level;
    auto back = [&](int i, int32_t x, int32_t dw, int32_t state) {
        l.backs[i].x = x;
        l.backs[i].dw = dw;
        l.backs[i].state = state;
    };
    back(0, -160, 100, 0); // on the left bound: comes on
    back(1, -161, 100, 0); // past it: stays off
    back(2, 859, 100, 1);  // inside: stays on
    back(3, -101, 40, 5);  // past the left bound: goes off (5 -> 6)
    back(4, 700, 40, 6);   // comes on (6 -> 5)
    back(5, 900, 40, 2);   // other states never change
    back(6, 100, 40, 3);
    back(7, -100, 40, 5); // on the left bound: stays on
    l.colls[0] = CollObj{};
    l.colls[0].x = 861;
    l.colls[0].state = 3; // past the right bound: goes off, 3 -> 4
    l.colls[1].x = 100;
    l.colls[1].state = 4; // comes on: 4 -> 3
    l.colls[2].x = 100;
    l.colls[2].state = 6;
    l.colls[3] = CollObj{};
    l.colls[3].x = 860;
    l.colls[3].state = 3;            // on the right bound: stays on
    l.back11Copies[0] = {0, -30, 0}; // on the copies' own bound: comes on
    l.back11Copies[1] = {0, -31, 0}; // stays off
    l.back11Copies[2] = {1, 859, 0}; // stays on
    l.back11Copies[3] = {2, 100, 0}; // waiting: unchanged

    stage.UpdateOnScreenStates();
    EXPECT_EQ(l.backs[0].state, 1);
    EXPECT_EQ(l.backs[1].state, 0);
    EXPECT_EQ(l.backs[2].state, 1);
    EXPECT_EQ(l.backs[3].state, 6);
    EXPECT_EQ(l.backs[4].state, 5);
    EXPECT_EQ(l.backs[5].state, 2);
    EXPECT_EQ(l.backs[6].state, 3);
    EXPECT_EQ(l.backs[7].state, 5);
    EXPECT_EQ(l.colls[0].state, 4);
    EXPECT_EQ(l.colls[1].state, 3);
    EXPECT_EQ(l.colls[2].state, 6);
    EXPECT_EQ(l.colls[3].state, 3);
    EXPECT_EQ(l.back11Copies[0].shown, 1);
    EXPECT_EQ(l.back11Copies[1].shown, 0);
    EXPECT_EQ(l.back11Copies[2].shown, 1);
    EXPECT_EQ(l.back11Copies[3].shown, 2);
}

// An object resting on a bound (x = 860, or the left bound) is on, frame after frame: were it
// off there too, it would flip every frame, and whether the rules see it would depend on how many
// frames the player waited on the page.
TEST_F(LevelUpdateTest, ObjectsRestingOnABoundStayOn) {
    LevelState& l = stage.level;
    l.backs[7].x = 860;
    l.backs[7].state = 0;
    l.backs[8].x = -60 - 100;
    l.backs[8].dw = 100;
    l.backs[8].state = 1;
    l.colls[5].x = 860;
    l.colls[5].state = 1;
    l.back11Copies[0] = {1, -30, 0};
    for (int frame = 0; frame < 4; ++frame) {
        stage.UpdateOnScreenStates();
        EXPECT_EQ(l.backs[7].state, 1) << "frame " << frame;
        EXPECT_EQ(l.backs[8].state, 1) << "frame " << frame;
        EXPECT_EQ(l.colls[5].state, 1) << "frame " << frame;
        EXPECT_EQ(l.back11Copies[0].shown, 1) << "frame " << frame;
    }
}

// ---- The beat, item uses, the help panel ----

TEST_F(LevelUpdateTest, BeatStepsB13AndBlinksC10EveryHalfSecondWhilePagesTurn) {
    LevelState& l = stage.level;
    l.backs[13].state = 1;
    l.colls[10].state = 1;
    Common().autoFlip = 1;
    Common().forwardLock = 0;
    int32_t expectB13[] = {1, 2, 0, 1};
    int32_t expectC10[] = {1, 0, 1, 0};
    for (int beat = 0; beat < 4; ++beat) {
        headless::AdvanceClock(500);
        stage.UpdateBeat();
        ASSERT_EQ(l.counters.b13Frame, beat == 0 ? 0 : expectB13[beat - 1]) << "at exactly 500";
        headless::AdvanceClock(1);
        stage.UpdateBeat();
        EXPECT_EQ(l.counters.b13Frame, expectB13[beat]);
        EXPECT_EQ(l.colls[10].frame, expectC10[beat]);
    }

    // No beat while the lock holds or the pages stand; C10 past frame 1 keeps its frame.
    Common().forwardLock = 1;
    headless::AdvanceClock(1000);
    stage.UpdateBeat();
    EXPECT_EQ(l.counters.b13Frame, 1);
    Common().forwardLock = 0;
    l.colls[10].frame = 5;
    l.counters.b13Frame = 40; // out of its strip: starts over
    stage.UpdateBeat();
    EXPECT_EQ(l.colls[10].frame, 5);
    EXPECT_EQ(l.counters.b13Frame, 0);
}

TEST_F(LevelUpdateTest, ItemUseEndsOnceTheItemIsBackInTheBag) {
    LevelState& l = stage.level;
    InventoryBag& bag = Bag();
    l.flags.itemUse13 = 1;
    l.backs[91].state = 3;
    l.colls[20].state = 2;
    Common().backGate = Common().itemGate = Common().collGate = Common().placedGate = 0;
    bag.items[13].state = ItemPlaced;
    stage.UpdateItemUses();
    EXPECT_EQ(l.flags.itemUse13, 1);
    EXPECT_EQ(l.backs[91].state, 3);
    EXPECT_EQ(Common().backGate, 0);

    bag.items[13].state = ItemInBag;
    stage.UpdateItemUses();
    EXPECT_EQ(l.flags.itemUse13, 0);
    EXPECT_EQ(l.backs[91].state, 1);
    EXPECT_EQ(l.colls[20].state, 1);
    EXPECT_EQ(Common().backGate + Common().itemGate + Common().collGate + Common().placedGate, 4);

    // Item 10 does the same; objects in other states are left alone.
    l.flags.itemUse10 = 1;
    l.backs[91].state = 4;
    l.colls[20].state = 3;
    bag.items[10].state = ItemInBag;
    stage.UpdateItemUses();
    EXPECT_EQ(l.flags.itemUse10, 0);
    EXPECT_EQ(l.backs[91].state, 4);
    EXPECT_EQ(l.colls[20].state, 3);
}

TEST_F(LevelUpdateTest, HelpTabAnswersOnlyWhilePagesStandAndTheOpenPanelClosesTheBag) {
    constexpr POINT kTab{10, 50};
    Common().autoFlip = 1;
    Hover(kTab.x, kTab.y);
    stage.Update();
    Press(kTab.x, kTab.y);
    stage.Update();
    EXPECT_EQ(Common().helpStep, 0);

    Common().autoFlip = 0;
    Hover(kTab.x, kTab.y);
    stage.Update();
    Bag().open = 1;
    Press(kTab.x, kTab.y);
    stage.Update();
    EXPECT_EQ(Common().helpStep, 1);
    EXPECT_EQ(Bag().open, 0);
}

// One click on the open help panel closes it, whatever else the click might reach: a release the
// game never asked about (the button is asked only where a click does something), a piece carried
// to be put down, a piece lying under the panel that could be torn out.
TEST_F(LevelUpdateTest, OneClickOnTheOpenHelpPanelClosesIt) {
    constexpr POINT kPanel{200, 100};
    constexpr int kPiece = 6;
    enum Under { Nothing, AnUnseenRelease, ACarriedPiece, ATearablePiece };
    for (Under under : {Nothing, AnUnseenRelease, ACarriedPiece, ATearablePiece}) {
        SCOPED_TRACE(under);
        InventoryBag& bag = Bag();
        TearObj& piece = bag.items[kPiece];
        Common().autoFlip = 0;
        Common().helpStep = 3;
        Common().helpOffset = 25;
        Hover(kPanel.x, kPanel.y);
        stage.Update(); // the open panel's click area
        if (under == AnUnseenRelease) buttonWasDown = 1;
        if (under == ACarriedPiece) {
            piece.state = ItemCarried;
            bag.takenSlot = 0;
            bag.slots[0].item = kPiece;
            bag.slots[0].occupied = 1;
            bag.count = 1;
        }
        if (under == ATearablePiece) {
            piece.state = ItemVisible;
            piece.x = kPanel.x - 30;
            piece.y = kPanel.y - 30;
        }
        headless::PressMouse(kPanel.x, kPanel.y);
        stage.Update();
        EXPECT_EQ(Common().helpStep, 4);
        if (under == ACarriedPiece) {
            EXPECT_EQ(piece.state, ItemCarried);
        }
        if (under == ATearablePiece) {
            EXPECT_EQ(piece.state, ItemVisible);
            EXPECT_EQ(bag.tearingObj[kPiece].playing, 0);
        }
        headless::ReleaseMouse(kPanel.x, kPanel.y);
        EndInputFrame();
        piece.state = ItemLoose;
        bag.slots[0].item = -1;
        bag.slots[0].occupied = 0;
        bag.count = 0;
        Common().helpStep = 0;
    }
}

// ---- Notices ----

TEST_F(LevelUpdateTest, GameoverNoticesRiseWhileLostAndFallWhenTheirObjectIsBack) {
    LevelState& l = stage.level;
    Notices& n = l.notices;
    InventoryBag& bag = Bag();
    Common().pageTurned = 1;
    Common().forwardLock = 1;
    bag.items[0].state = ItemVisible; // gameover1's object
    l.colls[1].state = 1;             // gameover2's object
    l.colls[1].frame = 0;
    l.colls[19].state = 1; // gameover3's object (either C19 on frame 0 or C10 on frame 5)
    l.colls[19].frame = 0;
    n.armGameover1 = n.armGameover2 = 1; // gameover3 not armed

    l.chars[1].frame = 1;
    stage.UpdateNotices();
    EXPECT_EQ(n.showGameover1 + n.showGameover2 + n.showGameover3, 0)
        << "shown before the knocked-down animation reached frame 2";

    l.chars[1].frame = 2;
    stage.UpdateNotices();
    EXPECT_EQ(n.showGameover1, 1);
    EXPECT_EQ(n.showGameover2, 1);
    EXPECT_EQ(n.showGameover3, 0) << "shown without its arming flag";

    n.armGameover3 = 1;
    l.colls[19].frame = 1;
    l.colls[10].state = 1;
    l.colls[10].frame = 5;
    stage.UpdateNotices();
    EXPECT_EQ(n.showGameover3, 1);

    // Still lost but off frame 2: the notices stay.
    l.chars[1].frame = 3;
    stage.UpdateNotices();
    EXPECT_EQ(n.showGameover1 + n.showGameover2 + n.showGameover3, 3);

    // Unlocked: each notice whose object condition holds now is hidden, the others stay.
    Common().forwardLock = 0;
    bag.items[0].state = ItemInBag;
    l.colls[10].frame = 4;
    stage.UpdateNotices();
    EXPECT_EQ(n.showGameover1, 1);
    EXPECT_EQ(n.showGameover2, 0);
    EXPECT_EQ(n.showGameover3, 1);
    bag.items[0].state = ItemVisible;
    Common().pageTurned = 0;
    Common().forwardLock = 1; // a lock before the first turn counts as none
    stage.UpdateNotices();
    EXPECT_EQ(n.showGameover1, 0);
}

TEST_F(LevelUpdateTest, WarningShowsOnlyWhileC14IsStrictlyBetween550And750) {
    CollObj& c14 = stage.level.colls[14];
    c14.state = 1;
    using P = std::pair<int32_t, int>;
    for (auto [x, shown] : {P{549, 0}, P{550, 0}, P{551, 1}, P{749, 1}, P{750, 0}}) {
        c14.x = x;
        stage.UpdateNotices();
        EXPECT_EQ(stage.level.notices.showWarning, shown) << "x = " << x;
    }
    c14.x = 600;
    c14.state = 3;
    stage.UpdateNotices();
    EXPECT_EQ(stage.level.notices.showWarning, 0) << "shown while C14 is not plainly on screen";
}

// ---- The pause menu by keyboard ----

namespace {

// Which button sits at its hover place; -1 when none, -2 when more than one.
int LitButton(const PauseButtons& b) {
    const POINT rest[] = {{306, 280}, {306, 340}, {306, 400}};
    const POINT at[] = {b.resumePos, b.mainPos, b.quitPos};
    int lit = -1;
    for (int i = 0; i < 3; ++i) {
        if (at[i] == POINT{rest[i].x + 2, rest[i].y + 2})
            lit = lit == -1 ? i : -2;
        else
            EXPECT_EQ(at[i], rest[i]) << "button " << i;
    }
    return lit;
}

} // namespace

// Up/W and Down/S move a highlight over the buttons (none before the first key, stopping at the
// ends); Return or Space does what a click on the lit button does.
TEST_F(LevelUpdateTest, PauseMenuKeysLightAndChooseTheButtons) {
    struct Row {
        std::vector<int> keys;
        int lit;
        const char* outcome; // "resume", "main", "quit"
    };
    const Row rows[] = {
        {{DIK_DOWN, DIK_RETURN}, 0, "resume"},
        {{DIK_UP, DIK_SPACE}, 0, "resume"},
        {{DIK_S, DIK_DOWN, DIK_RETURN}, 1, "main"},
        {{DIK_DOWN, DIK_DOWN, DIK_S, DIK_S, DIK_SPACE}, 2, "quit"},
        {{DIK_DOWN, DIK_DOWN, DIK_DOWN, DIK_W, DIK_UP, DIK_UP, DIK_UP, DIK_S, DIK_RETURN},
         1,
         "main"},
    };
    Hover(10, 10);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.outcome);
        Common().paused = 1;
        Common().autoFlip = 0;
        stage.level.flags.returnToTitle = 0;
        stage.pauseKeys.Reset();
        stage.Update();
        EXPECT_EQ(LitButton(stage.level.pause), -1);
        for (size_t i = 0; i + 1 < row.keys.size(); ++i) {
            headless::SetKey(row.keys[i], true);
            stage.Update();
            headless::SetKey(row.keys[i], false);
            stage.Update();
        }
        EXPECT_EQ(LitButton(stage.level.pause), row.lit);
        ASSERT_EQ(Common().paused, 1);
        headless::SetKey(row.keys.back(), true);
        stage.Update();
        // Held on: the key that resumed must not also stop the pages or open the bag.
        stage.Update();
        headless::SetKey(row.keys.back(), false);
        stage.Update();
        int code = -1;
        const bool quit = QuitPosted(&code);
        EXPECT_EQ(quit, std::string(row.outcome) == "quit");
        EXPECT_EQ(stage.level.flags.returnToTitle, std::string(row.outcome) == "main");
        if (std::string(row.outcome) == "resume") {
            EXPECT_EQ(Common().paused, 0);
            EXPECT_EQ(Common().autoFlip, 1);
            EXPECT_EQ(Bag().open, 0);
        } else {
            EXPECT_EQ(Common().paused, 1);
        }
    }
}

// Escape opens the menu with nothing lit, also after a highlight the last time; a mouse move
// gives the hover back; keys count only in the active window.
TEST_F(LevelUpdateTest, PauseMenuHighlightStartsAfreshAndYieldsToTheMouse) {
    Common().paused = 1;
    Hover(10, 10);
    headless::SetKey(DIK_DOWN, true);
    stage.Update();
    headless::SetKey(DIK_DOWN, false);
    stage.Update();
    ASSERT_EQ(LitButton(stage.level.pause), 0);

    Hover(kQuit.x, kQuit.y);
    stage.Update();
    EXPECT_EQ(LitButton(stage.level.pause), 2);
    Hover(10, 10);
    stage.Update();
    EXPECT_EQ(LitButton(stage.level.pause), -1);

    headless::SetKey(DIK_ESCAPE, true); // closes the menu
    stage.Update();
    headless::SetKey(DIK_ESCAPE, false);
    stage.Update();
    ASSERT_EQ(Common().paused, 0);
    headless::SetKey(DIK_DOWN, true);
    stage.Update();
    headless::SetKey(DIK_DOWN, false);
    stage.pauseKeys.highlight = 1;      // as if a highlight had been left over
    headless::SetKey(DIK_ESCAPE, true); // opens it again
    stage.Update();
    headless::SetKey(DIK_ESCAPE, false);
    stage.Update();
    ASSERT_EQ(Common().paused, 1);
    EXPECT_EQ(LitButton(stage.level.pause), -1);

    headless::SetActive(false);
    headless::SetKey(DIK_DOWN, true);
    stage.Update();
    headless::SetKey(DIK_DOWN, false);
    stage.Update();
    EXPECT_EQ(LitButton(stage.level.pause), -1);
}
