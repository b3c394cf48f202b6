#include "app/SceneManager.h"
#include "platform/Input.h"
#include "platform/Sound.h"
#include "platform/Window.h"
#include "scenes/title/CStage_Title.h"
#include "services/CCommon.h"
#include "services/InventoryBag.h"
#include <iterator>

namespace {

// ---- Splash (introDone 0) ----

enum class SplashEveryFrame : uint8_t { Nothing, StartTear, StopTear, RevealBarAndTear };

// One splash phase: what runs every frame, how often it steps, and what a step does. A step
// moves counter by delta until it passes limit (above it when counting up, below it when
// counting down); then the phase ends. Without a counter the phase ends at its first step.
struct SplashPhase {
    SplashEveryFrame every;
    uint32_t stepMs;
    int32_t CStage_Title::*counter;
    int32_t delta;
    int32_t limit;
};

constexpr SplashPhase kSplashPhases[] = {
    {SplashEveryFrame::Nothing, 4000, nullptr, 0, 0},                     // school splash
    {SplashEveryFrame::Nothing, 100, &CStage_Title::logoFrameA, +1, 5},   // first logo in
    {SplashEveryFrame::Nothing, 1000, nullptr, 0, 0},                     // hold
    {SplashEveryFrame::StartTear, 100, &CStage_Title::logoFrameA, -1, 1}, // torn away
    {SplashEveryFrame::StopTear, 2000, nullptr, 0, 0},                    // group logo
    {SplashEveryFrame::Nothing, 100, &CStage_Title::logoFrameB, +1, 5},   // title logo in
    {SplashEveryFrame::Nothing, 2000, nullptr, 0, 0},                     // hold
    {SplashEveryFrame::StartTear, 100, &CStage_Title::logoFrameB, -1, 1}, // torn away
    {SplashEveryFrame::StopTear, 1000, nullptr, 0, 0},                    // name plate
    {SplashEveryFrame::RevealBarAndTear, 10, &CStage_Title::menuBarReveal, +20, 780}, // bar
    {SplashEveryFrame::StopTear, 10, &CStage_Title::menuAlpha, +3, 251}, // items fade in
};
constexpr int kSplashPhaseCount = sizeof kSplashPhases / sizeof kSplashPhases[0];

// ---- Main menu ----

struct MenuItem {
    POINT hover;
    int32_t phase;      // titlePhase the click leads to
    bool startsOpening; // the start item swaps the menu music for the opening clip
};

constexpr MenuItem kMenuItemRules[CStage_Title::kMenuItems] = {
    {{302, 342}, 2, true},  // start
    {{302, 402}, 3, false}, // help
    {{302, 462}, 4, false}, // credits
    {{302, 522}, 5, false}, // quit
};
constexpr int32_t kMenuItemWidth = 200;
constexpr int32_t kMenuItemHeight = 50;

// ---- Opening film (one step every 240 ms) ----

// A step that counts runs openingFrame up until it exceeds limit, then moves on (resetting the
// frame when resetFrame is set); a step that does not count moves on at once.
struct OpeningStep {
    bool counts;
    int32_t limit;
    bool resetFrame;
};

constexpr OpeningStep kOpeningSteps[] = {
    {false, 0, false}, // 0: the menu still shows
    {true, 1, true},   // 1: opening pictures 1..3
    {false, 0, false}, // 2: the skip prompt alone
    {true, 22, false}, // 3: hand frames 1..24
    {true, 39, false}, // 4: hand frames on to 41, with the character
    {true, 40, true},  // 5: hand frame 42, with the hill
    {true, 0, true},   // 6: the two end pictures, then the game starts
};
constexpr int kOpeningStepCount = sizeof kOpeningSteps / sizeof kOpeningSteps[0];
constexpr uint32_t kOpeningStepMs = 240;

// ---- Help pages and credits (timed steps every 10 ms) ----

// A page step either waits for a click (stopping the tear clip meanwhile; the click starts it
// and may set the reveal anew) or moves the reveal by delta every 10 ms until it passes limit.
struct PageStep {
    bool waitsForClick;
    int32_t revealOnClick; // < 0: leave the reveal alone
    int32_t delta;
    int32_t limit;
};

constexpr PageStep kHelpSteps[] = {
    {false, -1, +20, 780}, // 0: page 1 drawn in from the left
    {true, -1, 0, 0},      // 1: page 1 shown
    {false, -1, -20, 20},  // 2: page 1 torn away, page 2 beneath
    {true, 800, 0, 0},     // 3: page 2 shown
    {false, -1, -20, 20},  // 4: page 2 torn away, page 3 beneath
    {true, 800, 0, 0},     // 5: page 3 shown
    {false, -1, -20, 20},  // 6: page 3 torn away, the menu beneath
};

constexpr PageStep kCreditsSteps[] = {
    {false, -1, +20, 580}, // 0: drawn in from the top
    {true, -1, 0, 0},      // 1: shown
    {false, -1, -20, 20},  // 2: torn away
};

constexpr uint32_t kPageStepMs = 10;

// The title's click: the left button's pressed edge while the game window is active.
bool TitleClicked(WindowHandle window) {
    return InputMouse::Instance().CheckLeftButton() == KeyPressed && GetActiveWindow() == window;
}

bool PassedLimit(int32_t value, int32_t delta, int32_t limit) {
    return delta > 0 ? value > limit : value < limit;
}

// Runs one frame of a paged screen. Answers true when its last step has ended (step is then 0).
// A waiting page moves on with a click, or when forwardPressed.
template <int N>
bool RunPageSteps(const PageStep (&steps)[N], int32_t& step, int32_t& reveal, uint32_t& tick,
                  WindowHandle window, bool forwardPressed = false) {
    if (step < 0 || step >= N) return false;
    const PageStep& row = steps[step];
    CCommon& common = CCommon::Instance();
    if (row.waitsForClick) {
        common.StopTear();
        if (TitleClicked(window) || forwardPressed) {
            common.StartTear();
            ++step;
            if (row.revealOnClick >= 0) reveal = row.revealOnClick;
        }
        return false;
    }
    if (!TickPassed(tick, kPageStepMs)) return false;
    if (!PassedLimit(reveal, row.delta, row.limit)) {
        reveal += row.delta;
        return false;
    }
    if (step + 1 < N) {
        ++step;
        return false;
    }
    step = 0;
    return true;
}

bool KeyPressedActive(int code, WindowHandle window) {
    return InputKeyboard::Instance().CheckKey(code) == KeyPressed && GetActiveWindow() == window;
}

// A new game: fresh play flags and bag, then the level. The caller's scene is gone afterwards.
void StartGame() {
    CCommon::Instance().ResetPlay();
    InventoryBag::Instance().ResetBag();
    SceneManager::Instance().ChangeStage(1);
}

} // namespace

void CStage_Title::Update() {
    if (!musicStarted && nextLoad > 1) { // piece 1 is the music
        menuMusic.PlayOgg(1);
        musicStarted = 1;
    }
    if (CCommon::Instance().introDone == 0) {
        UpdateSplash();
    } else if (UpdateMenuPhase()) {
        return; // the game started: this scene has been deleted
    }
    UpdateKeys();
    LoadPendingPieces();
}

void CStage_Title::UpdateSplash() {
    CCommon& common = CCommon::Instance();
    if (common.titlePhase < 0 || common.titlePhase >= kSplashPhaseCount) return;
    const SplashPhase& phase = kSplashPhases[common.titlePhase];

    switch (phase.every) {
    case SplashEveryFrame::Nothing:
        break;
    case SplashEveryFrame::StartTear:
        common.StartTear();
        break;
    case SplashEveryFrame::StopTear:
        common.StopTear();
        break;
    case SplashEveryFrame::RevealBarAndTear:
        menuBarRect = RECT{0, 0, menuBarReveal, 600};
        common.StartTear();
        break;
    }

    if (!TickPassed(titleTick, phase.stepMs)) return;
    if (phase.counter) {
        int32_t& value = this->*phase.counter;
        if (!PassedLimit(value, phase.delta, phase.limit)) {
            value += phase.delta;
            return;
        }
    }
    if (common.titlePhase + 1 < kSplashPhaseCount) {
        ++common.titlePhase;
    } else {
        common.introDone = 1;
        common.titlePhase = 0;
        common.flipAnim = 0;
    }
}

bool CStage_Title::UpdateMenuPhase() {
    CCommon& common = CCommon::Instance();
    switch (common.titlePhase) {
    case 0:
        menuAlpha = 255;
        common.titlePhase = 1;
        break;
    case 1:
        UpdateMainMenu();
        break;
    case 2:
        if (TickPassed(titleTick, kOpeningStepMs)) return UpdateOpening();
        break;
    case 3:
        UpdateHelpPages();
        break;
    case 4:
        UpdateCredits();
        break;
    default: // 5: the quit fade runs in Render
        break;
    }
    return false;
}

void CStage_Title::UpdateMainMenu() {
    CCommon& common = CCommon::Instance();
    common.autoFlip = 0;

    // The areas follow last frame's positions: a hovered item's area sits 2 px right and down.
    for (int i = 0; i < kMenuItems; ++i) {
        const POINT& p = menuItemPos[i];
        menuHitRect[i] = RECT{p.x, p.y, p.x + kMenuItemWidth, p.y + kMenuItemHeight};
    }

    const int32_t chosen = menuKeys.Update(kMenuItems, window);
    const POINT cursor{cursorX, cursorY};
    for (int i = 0; i < kMenuItems; ++i) {
        const bool underCursor = PtInRect(menuHitRect[i], cursor);
        // The button is asked only over an item, so a press elsewhere keeps its edge.
        if (underCursor && TitleClicked(window)) ChooseMenuItem(i);
        // A keyboard highlight is shown instead of the mouse's hover until the mouse moves.
        const bool lit =
            menuKeys.highlight == KeyMenu::kNone ? underCursor : menuKeys.highlight == i;
        menuItemPos[i] = lit ? kMenuItemRules[i].hover : kMenuRestPos[i];
    }
    if (chosen != KeyMenu::kNone && common.titlePhase == 1) ChooseMenuItem(chosen);
}

void CStage_Title::ChooseMenuItem(int i) {
    CCommon& common = CCommon::Instance();
    const MenuItem& item = kMenuItemRules[i];
    clickSound.PlayOgg(0);
    if (item.startsOpening) {
        menuMusic.Stop();
        openingSound.PlayOgg(0);
    }
    common.autoFlip = 1;
    common.titlePhase = item.phase;
}

bool CStage_Title::UpdateOpening() {
    if (openingStep < 0 || openingStep >= kOpeningStepCount) return false;
    const OpeningStep& step = kOpeningSteps[openingStep];
    if (step.counts && openingFrame <= step.limit) {
        ++openingFrame;
        return false;
    }
    if (step.resetFrame) openingFrame = 0;
    if (openingStep + 1 < kOpeningStepCount) {
        ++openingStep;
        return false;
    }
    StartGame();
    return true;
}

bool CStage_Title::CloseKeyPressed() {
    if (!KeyPressedActive(DIK_ESCAPE, window) && !KeyPressedActive(DIK_RETURN, window))
        return false;
    CCommon& common = CCommon::Instance();
    common.StopTear();
    common.titlePhase = 1;
    return true;
}

void CStage_Title::UpdateHelpPages() {
    if (CloseKeyPressed()) {
        helpPageStep = 0; // the next visit starts on page 1, drawn in afresh
        helpReveal = 0;
        return;
    }
    // Left shows the page before at once (there is no tear to play backwards); Right tears the
    // page away as a click does. Both are asked every frame, so that a key let go during a tear
    // is pressed afresh on the next page.
    const bool back = KeyPressedActive(DIK_LEFT, window);
    const bool forward = KeyPressedActive(DIK_RIGHT, window);
    constexpr int32_t kFirstPageShown = 1;
    if (back && helpPageStep > kFirstPageShown && helpPageStep < int32_t(std::size(kHelpSteps)) &&
        kHelpSteps[helpPageStep].waitsForClick) {
        helpPageStep -= 2;
        helpReveal = 800;
    }
    helpRect = RECT{0, 0, helpReveal, 600};
    if (RunPageSteps(kHelpSteps, helpPageStep, helpReveal, titleTick, window, forward))
        CCommon::Instance().titlePhase = 1;
}

void CStage_Title::UpdateCredits() {
    if (CloseKeyPressed()) {
        creditsStep = 0;
        creditsReveal = 0;
        return;
    }
    creditsRect = RECT{0, 0, 800, creditsReveal};
    if (RunPageSteps(kCreditsSteps, creditsStep, creditsReveal, titleTick, window))
        CCommon::Instance().titlePhase = 1;
}

void CStage_Title::UpdateKeys() {
    CCommon& common = CCommon::Instance();
    // Return is asked only when Escape did not act.
    if (KeyPressedActive(DIK_ESCAPE, window) || KeyPressedActive(DIK_RETURN, window)) {
        if (common.introDone == 0) {
            common.introDone = 1; // the menu shows from the next frame
            common.titlePhase = 0;
        } else if (openingStep > 1) {
            openingFrame = 0;
            openingStep = 6;
        }
    }
    if (KeyPressedActive(DIK_F2, window) && common.introDone == 0) {
        menuMusic.Stop();
        musicStarted = 1; // and stays off, also when the music had not been loaded yet
        common.introDone = 1;
        common.titlePhase = 2;
        openingStep = 6;
    }
}
