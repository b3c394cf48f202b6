#pragma once
#include "platform/Graphics.h"
#include "platform/Sound.h"
#include <cstdint>

// The book around every scene: its pictures, the page-turn animation, the help panel, the cursor
// pictures, three clips, and the flags that must outlive a scene.
class CCommon {
  public:
    static CCommon& Instance();
    ~CCommon();

    void ResetPlay();       // start-of-game values of the play flags
    void UpdateBook();      // page-turn and help panel animation (level and ending)
    void HandleHelpClick(); // opens or closes the help panel (level only)

    void DrawBookBack();
    void DrawBookFrame();
    void DrawPageFront();
    void DrawPageFrontOver();
    void DrawTurnFrame();
    void DrawHelpPanel();
    // Nothing while autoFlip is set; otherwise the fist while the button is held, else the rock.
    void DrawCursor();

    void StartTear(); // plays the tear clip once until StopTear
    void StopTear();

    Texture* bookBack = nullptr;
    Texture* bookFrame = nullptr;
    Texture* pageFront[3] = {};
    Texture* pageFrontOver[3] = {};
    Texture* turnFrames[3] = {};
    Texture* notPage = nullptr;
    Texture* cursorRock = nullptr;
    Texture* cursorFist = nullptr;
    Texture* helpPanel = nullptr;
    RECT helpFrames[13];

    int32_t turnTrigger = 1;
    int32_t frontIndex = 0;
    int32_t page = 0;
    int32_t insetDivisor = 40;
    int32_t turnFrame = 0;
    int32_t flipAnim = 0; // 0 none, 1 forward, 2 backward
    int32_t titlePhase = 0;
    int32_t introDone = 0;
    int32_t helpStep = 0; // 0 closed .. 5 tab rolling up
    int32_t helpFrame = 0;
    int32_t helpOffset = 0;
    RECT helpHitRect;

    uint8_t forwardLock = 0;
    uint8_t autoFlip = 1;
    uint8_t mouseDown = 0;
    uint8_t tearing = 0;
    uint8_t paused = 0;
    uint8_t backGate = 1;
    uint8_t itemGate = 1;
    uint8_t collGate = 1;
    uint8_t placedGate = 1;
    uint8_t pageTurned = 0;

    uint32_t turnTick = 0;
    uint32_t helpTick = 0;

    CSound tearSound;
    CSound pageSound;
    CSound helpSound;
    uint8_t tearSoundOn = 0;

  private:
    CCommon();
};
