#pragma once
// Shared set-up of the ending tests: a headless game on the virtual clock whose current scene is
// a fresh ending, made by the scene manager as the level's closing sequence makes it.
#include "TestSupport.h"
#include "app/Game.h"
#include "app/SceneManager.h"
#include "platform/Headless.h"
#include "scenes/ending/CEnding.h"
#include "scenes/title/CStage_Title.h"
#include "services/CCommon.h"
#include <gtest/gtest.h>
#include <string>

class EndingTest : public HeadlessTest {
  public:
    static constexpr uint32_t kStartClock = 20000;
    static constexpr int kFilmSteps = 67;
    // Steps in each phase 0..11.
    static constexpr int kPhaseSteps[12] = {7, 2, 19, 4, 3, 1, 1, 1, 1, 1, 1, 26};

    void SetUp() override {
        HeadlessTest::SetUp();
        if (HasFatalFailure()) return;
        headless::SetClock(kStartClock);
        SceneManager::Instance().window = window;
        CCommon::Instance(); // the book's pictures and clips, from the real Data folder
    }

    void TearDown() override {
        Shutdown(); // releases whatever scene the test ended in
        HeadlessTest::TearDown();
    }

    // The level's closing sequence asks for scene 2 like this (Init and one Update).
    static CEnding* StartEnding() {
        SceneManager::Instance().ChangeStage(2);
        return Ending();
    }

    static CEnding* Ending() { return dynamic_cast<CEnding*>(SceneManager::Instance().current); }
    static CCommon& Common() { return CCommon::Instance(); }

    // One film step: just past the step time, then one frame (Update and Render).
    static void StepFrame() {
        headless::AdvanceClock(CEnding::kStepMs + 1);
        RunFrame();
    }

    static int Plays(const std::string& file) {
        int count = 0;
        for (const headless::PlayRecord& r : headless::PlayLog())
            if (r.path.size() >= file.size() &&
                r.path.compare(r.path.size() - file.size(), file.size(), file) == 0)
                ++count;
        return count;
    }
};
