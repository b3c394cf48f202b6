#include "TestSupport.h"
#include "app/Game.h"
#include "app/SceneManager.h"
#include "platform/Sound.h"
#include "scenes/ending/CEnding.h"
#include "services/CCommon.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// Records what the shell does to a scene, in order.
std::vector<std::string> calls;

struct ProbeScene : CStage {
    int switchTo = -1; // scene number to ask for from Update, or -1
    void Init() override { calls.push_back("init"); }
    void Update() override {
        calls.push_back("update");
        if (switchTo >= 0) {
            SceneManager::Instance().ChangeStage(switchTo);
            return; // this object is gone
        }
    }
    void Render() override { calls.push_back("render"); }
    void Release() override { calls.push_back("release"); }
    ~ProbeScene() override { calls.push_back("delete"); }
};

class SceneTest : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        SceneManager::Instance().window = window;
        calls.clear();
    }
    void TearDown() override {
        SceneManager& scenes = SceneManager::Instance();
        if (scenes.current) scenes.current->Release();
        delete scenes.current;
        scenes.current = nullptr;
        HeadlessTest::TearDown();
    }
    static int LitPixels() {
        int lit = 0;
        const uint32_t* pixels = headless::Pixels();
        for (int i = 0; i < 800 * 600; ++i)
            if (pixels[i] & 0x00FFFFFF) ++lit;
        return lit;
    }
};

} // namespace

TEST_F(SceneTest, SwitchInsideUpdateReleasesTheOldSceneOnceAndRendersTheNewOneThisFrame) {
    auto* probe = new ProbeScene;
    probe->switchTo = 2;
    SceneManager::Instance().SetFirstStage(probe);
    EXPECT_EQ(probe->window, window);
    RunFrame();
    EXPECT_EQ(calls, (std::vector<std::string>{"init", "update", "release", "delete"}));
    SceneManager& scenes = SceneManager::Instance();
    EXPECT_EQ(scenes.sceneNumber, 2);
    auto* next = dynamic_cast<CEnding*>(scenes.current);
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(next->window, window);
    EXPECT_GT(LitPixels(), 1000); // the new scene drew the book in the same frame
}

TEST_F(SceneTest, NewSceneGetsInitAndOneUpdateInsideTheSwitch) {
    SceneManager::Instance().SetFirstStage(new ProbeScene);
    headless::SetClock(7000);
    CCommon& common = CCommon::Instance();
    common.flipAnim = 1; // the ending's Update steps the book's page-turn picture
    common.turnFrame = 0;
    common.turnTick = 0;
    SceneManager::Instance().ChangeStage(2);
    EXPECT_EQ(calls, (std::vector<std::string>{"init", "release", "delete"}));
    auto* ending = dynamic_cast<CEnding*>(SceneManager::Instance().current);
    ASSERT_NE(ending, nullptr);
    EXPECT_EQ(ending->stepTick, 7000u); // its Init ran
    EXPECT_EQ(common.turnFrame, 1);     // and its Update, before any frame
}

TEST_F(SceneTest, UnknownSceneNumberLeavesNoSceneAndBlackFrames) {
    SceneManager::Instance().SetFirstStage(new ProbeScene);
    SceneManager::Instance().ChangeStage(7);
    EXPECT_EQ(SceneManager::Instance().current, nullptr);
    EXPECT_EQ(SceneManager::Instance().sceneNumber, 7);
    RunFrame();
    RunFrame();
    EXPECT_EQ(LitPixels(), 0);
}

TEST_F(SceneTest, WindowMessagesMoveTheCursorSetTheButtonFlagAndCloseTheGame) {
    WndProc(WindowMessage{MessageType::MouseMove, 123, 456});
    EXPECT_EQ(cursorX, 123);
    EXPECT_EQ(cursorY, 456);
    WndProc(WindowMessage{MessageType::LButtonDown, 0, 0});
    EXPECT_EQ(CCommon::Instance().mouseDown, 1);
    WndProc(WindowMessage{MessageType::LButtonUp, 0, 0});
    EXPECT_EQ(CCommon::Instance().mouseDown, 0);
    EXPECT_EQ(cursorX, 123); // only moves move the cursor

    WindowMessage msg;
    while (PeekWindowMessage(msg)) {
    }
    WndProc(WindowMessage{MessageType::Destroy, 0, 0});
    ASSERT_TRUE(PeekWindowMessage(msg));
    EXPECT_EQ(msg.type, MessageType::Quit);
}

// The whole program on the headless backend: start-up shows the title, closing the window ends
// the loop and releases the current scene exactly once.
TEST(GameTest, ClosingTheWindowEndsTheLoopAndReleasesTheSceneOnce) {
    headless::SetClock(1000);
    ASSERT_TRUE(Startup(DisplayMode::Headless));
    auto* probe = new ProbeScene;
    SceneManager& scenes = SceneManager::Instance();
    scenes.current->Release();
    delete scenes.current;
    calls.clear();
    scenes.SetFirstStage(probe);
    PostWindowMessage(WindowMessage{MessageType::Destroy, 0, 0});
    MessageLoop(); // takes Destroy, posts Quit, takes Quit
    Shutdown();
    EXPECT_EQ(calls, (std::vector<std::string>{"init", "release"}));
    EXPECT_EQ(scenes.current, probe); // freed at process exit
}

// The browser's loop: each animation frame takes the waiting messages, then runs exactly one
// Update and one Render (a picture every call, none skipped for pacing) without waiting on the
// clock; a Quit among the messages stops the pass before the scene runs.
TEST_F(SceneTest, AnimationFramePassRunsOneUpdateAndOneRenderAndStopsAtQuit) {
    SceneManager::Instance().SetFirstStage(new ProbeScene);
    headless::SetClock(5000);
    calls.clear();
    PostWindowMessage(WindowMessage{MessageType::MouseMove, 210, 330});
    EXPECT_TRUE(AnimationFramePass());
    EXPECT_TRUE(AnimationFramePass());
    EXPECT_EQ(calls, (std::vector<std::string>{"update", "render", "update", "render"}));
    EXPECT_EQ(cursorX, 210);
    EXPECT_EQ(cursorY, 330);
    EXPECT_EQ(GetTickCount(), 5000u);

    calls.clear();
    PostWindowMessage(WindowMessage{MessageType::Destroy, 0, 0}); // posts Quit behind itself
    EXPECT_FALSE(AnimationFramePass());
    EXPECT_TRUE(calls.empty());
}
