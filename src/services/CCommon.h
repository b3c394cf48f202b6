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

    // In the browser the first picture should show as soon as the page has loaded: the book's
    // clips and the pictures the title's first splash does not draw (and the title's own but
    // the first) are then loaded by the title while that splash shows (CStage_Title::LoadPiece),
    // since decoding them and opening the sound device take seconds there. The browser's entry
    // point turns this on.
    static inline bool loadInStages = false;
    void LoadTheRest(); // once

    void ResetPlay();       // start-of-game values of the play flags
    void UpdateBook();      // page-turn and help panel animation (level and ending)
    void HandleHelpClick(); // opens or closes the help panel (level only)
    // A click here is the help reminder's: on its tab while shut, on the panel while open, and
    // only while it answers clicks (the pages standing still). Nothing under it takes the click.
    bool HelpTakesClick() const;

    void DrawBookBack();
    void DrawBookFrame();
    void DrawPageFront();
    void DrawPageFrontOver();
    void DrawTurnFrame();
    void DrawHelpPanel();
    // For a moment after a volume key, in the title and the level: the volume (or that the sound
    // is off) on a card near the top of the page.
    void DrawVolumeCard();
    // Nothing while autoFlip is set; otherwise the fist while the button is held, else the rock.
    void DrawCursor();

    void StartTear(); // plays the tear clip once until StopTear
    void StopTear();
    // A click on the page that did nothing: the cursor shakes for a moment with a soft knock.
    void RefuseClick();

    Texture* bookBack = nullptr;
    Texture* bookFrame = nullptr;
    Texture* pageFront[3] = {};
    Texture* pageFrontOver[3] = {};
    Texture* turnFrames[3] = {};
    Texture* notPage = nullptr;
    Texture* cursorRock = nullptr;
    Texture* cursorFist = nullptr;
    Texture* cursorTear = nullptr; // badge beside the cursor over a piece that can be torn now
    Texture* helpPanel = nullptr;
    Texture* volumeCards = nullptr; // a column of cards: 0 % to 100 % in tens, then sound off
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
    // Set when the browser hides the page during the level: the level opens its pause menu at
    // its next chance, as Escape would (a player coming back finds the game waiting).
    uint8_t pauseForHiddenPage = 0;
    // The ending's pictures and sound are in Data. Always so on the desktop; the browser fetches
    // them after the title shows (they are not part of its first download) and sets this then.
    // Kept across games.
    uint8_t endingDataHere = 1;

    // The player's hand: set by the bag every frame while the cursor is over a piece that a
    // click would tear out (or take back); presses counted from the window's button-down
    // messages (a press shorter than a frame counts too), so the bag can tell a click that did
    // nothing; the shake's start.
    uint8_t hoverTearable = 0;
    uint32_t mousePresses = 0;
    uint32_t refuseTick = 0;
    uint8_t refusing = 0;

    uint32_t turnTick = 0;
    uint32_t helpTick = 0;

    CSound tearSound;
    CSound pageSound;
    CSound helpSound;
    CSound refuseSound;
    uint8_t tearSoundOn = 0;
    bool restLoaded = false;

  private:
    CCommon();
};
