#pragma once
// Shared set-up of the title scene tests: a headless game on the virtual clock, started the way
// the entry point starts it, with a frame pump that handles window messages like the loop does.
#include "TestSupport.h"
#include "app/Game.h"
#include "app/SceneManager.h"
#include "platform/Headless.h"
#include "platform/Input.h"
#include "platform/Sound.h"
#include "platform/Window.h"
#include "scenes/title/CStage_Title.h"
#include "services/CCommon.h"
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

class TitleTest : public HeadlessTest {
  public:
    static constexpr uint32_t kStartClock = 5000;

    // The headless platform, then the first title made and initialised as the entry point does.
    void SetUp() override {
        HeadlessTest::SetUp();
        if (HasFatalFailure()) return;
        headless::SetClock(kStartClock);
        SceneManager& scenes = SceneManager::Instance();
        scenes.window = window;
        scenes.SetFirstStage(CreateStage(0));
        ASSERT_NE(Title(), nullptr) << "scene 0 is not the title";
    }

    void TearDown() override {
        Shutdown();
        HeadlessTest::TearDown();
    }

    static CStage_Title* Title() {
        return dynamic_cast<CStage_Title*>(SceneManager::Instance().current);
    }
    static CCommon& Common() { return CCommon::Instance(); }

    // Dispatches the waiting window messages as the message loop does, then runs one frame
    // unless the Quit message was taken. Answers false when Quit was taken.
    static bool Frame() {
        WindowMessage msg;
        while (PeekWindowMessage(msg)) {
            if (msg.type == MessageType::Quit) return false;
            WndProc(msg);
        }
        RunFrame();
        return true;
    }

    static void AdvanceAndFrame(uint32_t ms) {
        headless::AdvanceClock(ms);
        Frame();
    }

    // A key held for one frame, then let go for one frame (both frames run the scene).
    static void TapKey(int code) {
        headless::SetKey(code, true);
        Frame();
        headless::SetKey(code, false);
        Frame();
    }

    // Moves to (x, y), lets the button go for a frame, then presses it for a frame.
    static void ClickAt(int x, int y) {
        headless::MoveMouse(x, y);
        headless::ReleaseMouse(x, y);
        Frame();
        headless::PressMouse(x, y);
        Frame();
    }

    // How often the clip Data/Sound/<file> was played (and whether the last play looped).
    static int PlayCount(const std::string& file, bool* looped = nullptr) {
        const std::string path = "Data/Sound/" + file;
        EXPECT_TRUE(std::filesystem::exists(path))
            << path << " is missing (the asset generator makes it)";
        int count = 0;
        for (const headless::PlayRecord& r : headless::PlayLog()) {
            if (r.path.size() >= file.size() &&
                r.path.compare(r.path.size() - file.size(), file.size(), file) == 0) {
                ++count;
                if (looped) *looped = r.loop;
            }
        }
        return count;
    }

    // Skips the splash with Escape and shows the main menu with the cursor away from the items.
    static void OpenMenu() {
        headless::MoveMouse(10, 10);
        TapKey(DIK_ESCAPE);
        Frame();
        ASSERT_EQ(Common().introDone, 1);
        ASSERT_EQ(Common().titlePhase, 1);
    }

    // Runs frames, advancing the clock by step each time, until done() or the frame limit.
    template <class Done> static int RunUntil(Done done, uint32_t step, int limit = 2000) {
        int frames = 0;
        while (!done() && frames < limit) {
            AdvanceAndFrame(step);
            ++frames;
        }
        return frames;
    }
};

// Centres of the four menu items at rest.
constexpr POINT kStartItem{400, 365};
constexpr POINT kHelpItem{400, 425};
constexpr POINT kCreditsItem{400, 485};
constexpr POINT kQuitItem{400, 545};
