#include "app/SceneManager.h"
#include "platform/Sound.h"
#include "scenes/ending/CEnding.h"
#include "services/CCommon.h"

namespace {

enum class StepRule : uint8_t {
    Count,        // counter up to limit, then the next phase (the counter reset if asked)
    BlinkAndPose, // phase 2: blinks, the pose run to char11, a hold
    HandAndPose,  // phase 4: the last hand pictures while the pose goes on to char13
    Advance,      // straight on to the next phase
    Fade,         // phase 11: the closing clip once, end5 fading, then the title
};

// One phase of the film: what its step does and whether that step turns a page.
struct FilmPhase {
    StepRule rule;
    bool turnsPage;
    int16_t CEnding::*counter;
    int16_t limit;
    bool resetAtEnd;
};

constexpr FilmPhase kFilmPhases[CEnding::kLastPhase + 1] = {
    {StepRule::Count, true, &CEnding::smokeFrame, 6, false}, // 0: smoke9..15, 7 steps
    {StepRule::Count, true, &CEnding::blinkStep, 1, true},   // 1: the room appears, 2 steps
    {StepRule::BlinkAndPose, true, nullptr, 0, false},       // 2: 19 steps
    {StepRule::Count, false, &CEnding::handFrame, 3, false}, // 3: hand1..4, 4 steps
    {StepRule::HandAndPose, false, nullptr, 0, false},       // 4: 3 steps
    {StepRule::Advance, true, nullptr, 0, false},            // 5: the stone, let go
    {StepRule::Advance, true, nullptr, 0, false},            // 6
    {StepRule::Advance, true, nullptr, 0, false},            // 7: end1
    {StepRule::Advance, true, nullptr, 0, false},            // 8: end2
    {StepRule::Advance, true, nullptr, 0, false},            // 9: end3
    {StepRule::Advance, true, nullptr, 0, false},            // 10: end4
    {StepRule::Fade, false, nullptr, 0, false},              // 11: end5, 26 steps
};

// Phase 2 opens with six steps of blinking: the eyes shut (char2) on the third and sixth.
constexpr int16_t kBlinkFrames[] = {0, 0, 1, 0, 0, 1};
constexpr int16_t kBlinkSteps = sizeof kBlinkFrames / sizeof kBlinkFrames[0];
constexpr int16_t kLastPoseFrame = 10;     // char11: the hero settled, looking up
constexpr int16_t kHoldSteps = 3;          // then it holds still before the hand comes
constexpr int16_t kLastHandFrame = 5;      // hand6: the stone let go
constexpr int16_t kLastHandPoseFrame = 12; // char13

void TurnPage() {
    CCommon& common = CCommon::Instance();
    common.pageSound.PlayOgg(0);
    if (common.flipAnim == 0) common.flipAnim = 1;
}

} // namespace

void CEnding::Update() {
    CCommon& common = CCommon::Instance();
    if (TickPassed(stepTick, kStepMs) && Step()) {
        common.UpdateBook(); // the book still turns on the title's first frame
        return;              // this scene is gone
    }
    common.UpdateBook();
}

bool CEnding::Step() {
    if (endPhase < 0 || endPhase > kLastPhase) return false;
    const FilmPhase& phase = kFilmPhases[endPhase];
    switch (phase.rule) {
    case StepRule::Count: {
        int16_t& value = this->*phase.counter;
        if (value < phase.limit) {
            ++value;
        } else {
            if (phase.resetAtEnd) value = 0;
            ++endPhase;
        }
        break;
    }
    case StepRule::BlinkAndPose:
        StepBlinkAndPose();
        break;
    case StepRule::HandAndPose:
        StepHandAndPose();
        break;
    case StepRule::Advance:
        ++endPhase;
        break;
    case StepRule::Fade:
        return StepFade();
    }
    if (phase.turnsPage) TurnPage();
    return false;
}

void CEnding::StepBlinkAndPose() {
    if (blinkStep < kBlinkSteps) {
        charFrame = kBlinkFrames[blinkStep];
        ++blinkStep;
    } else if (charFrame < kLastPoseFrame) {
        ++charFrame;
    } else if (holdStep < kHoldSteps) {
        ++holdStep;
    } else {
        endPhase = 3;
    }
}

void CEnding::StepHandAndPose() {
    if (handFrame < kLastHandFrame) ++handFrame;
    if (charFrame < kLastHandPoseFrame)
        ++charFrame;
    else
        endPhase = 5;
}

bool CEnding::StepFade() {
    if (!closePlayed) {
        closeSound.PlayOgg(0);
        closePlayed = 1;
    }
    if (fadeAlpha > kFadeTo) {
        fadeAlpha -= kFadeStep;
        return false;
    }
    CCommon& common = CCommon::Instance();
    common.introDone = 1; // the title opens at its main menu
    common.titlePhase = 0;
    SceneManager::Instance().ChangeStage(0);
    return true; // this scene has been deleted
}
