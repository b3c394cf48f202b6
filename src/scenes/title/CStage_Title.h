#pragma once
#include "app/CStage.h"
#include "platform/Graphics.h"
#include "platform/Sound.h"
#include "platform/Types.h"
#include "services/KeyMenu.h"
#include <cstdint>

// Scene 0: the makers' splash logos, the main menu, the help pages and credits, the quit fade
// and the opening film that leads into the level. Which part shows first is kept in CCommon
// (introDone, titlePhase), because a fresh title is created on every return to it.
class CStage_Title : public CStage {
  public:
    static constexpr int kMenuItems = 4; // start, help, credits, quit
    static constexpr int kLogoFrames = 7;
    static constexpr int kHelpPages = 3;
    static constexpr int kOpeningPictures = 3;
    static constexpr int kHandFrames = 42;
    static constexpr int kOpeningEnds = 2;
    static constexpr int kPictureCount = 80;
    // Where the items start, help, credits and quit rest (a hovered one sits 2 px right and down).
    static constexpr POINT kMenuRestPos[kMenuItems] = {
        {300, 340}, {300, 400}, {300, 460}, {300, 520}};

    // The pieces Init leaves to the frames of the first splash when CCommon::loadInStages is on
    // (LoadPiece): the clips, then the picture groups.
    static constexpr int kLoadPieces = 25;

    void Init() override;
    void Update() override;
    void Render() override;
    void Release() override;

    // Pictures under Data/image/Title (nullptr = not loaded).
    Texture* schoolSplash = nullptr;                 // School.png
    Texture* firstLogo[kLogoFrames] = {};            // Dovrik_1..7.png
    Texture* groupLogo = nullptr;                    // Quillfen.png
    Texture* titleLogo[kLogoFrames] = {};            // PebbleFrost_1..7.png
    Texture* namePlate = nullptr;                    // TeamName.png
    Texture* menuBar = nullptr;                      // MenuBar.png
    Texture* menuItems[kMenuItems] = {};             // main_start/help/credits/quit.png
    Texture* menuItemsLit[kMenuItems] = {};          // main_start_lit.png ...: under the cursor
    Texture* creditsPage = nullptr;                  // credits.png
    Texture* helpPages[kHelpPages] = {};             // help1..3.png
    Texture* skipPrompt = nullptr;                   // Opening/Opening_skip.png
    Texture* openingPictures[kOpeningPictures] = {}; // Opening/Opening_1..3.png
    Texture* handFrames[kHandFrames] = {};           // Opening/Openinghand_1..42.png
    Texture* openingEnd[kOpeningEnds] = {};          // Opening/OpeningEnd_1..2.png
    Texture* openingChar = nullptr;                  // Opening/OpeningChar.png
    Texture* openingHill = nullptr;                  // Opening/OpeningHill.png

    int32_t openingStep = 0;  // 0..6
    int32_t openingFrame = 0; // frame counter within the opening step
    int32_t creditsStep = 0;  // 0..2
    int32_t helpPageStep = 0; // 0..6
    uint32_t titleTick = 0;   // the one stored tick of every timed step
    int32_t logoFrameA = 0;   // 0..6
    int32_t logoFrameB = 0;   // 0..6
    int32_t menuAlpha = 0;
    int32_t menuBarReveal = 0;
    int32_t creditsReveal = 0;
    int32_t helpReveal = 0;
    POINT menuItemPos[kMenuItems];
    RECT menuBarRect;
    RECT creditsRect;
    RECT helpRect;
    RECT menuHitRect[kMenuItems];
    uint8_t musicStarted = 0;
    KeyMenu menuKeys;               // the keyboard's highlight over the four items
    int32_t nextLoad = kLoadPieces; // the next piece to load; kLoadPieces once all are in
    bool drawnOnce = false;         // the first picture has been drawn

    CSound clickSound;   // Data/Sound/click.ogg
    CSound menuMusic;    // Data/Sound/menu.ogg
    CSound openingSound; // Data/Sound/Opening.ogg

  private:
    void LoadPiece(int piece);
    // At the end of Update: the next piece while the school splash alone shows, else the rest.
    void LoadPendingPieces();

    // Update's pieces (TitleUpdate.cpp). The ones that may start the game answer true when
    // they did: this scene is deleted by then and the caller must return at once.
    void UpdateSplash();
    bool UpdateMenuPhase();
    void UpdateMainMenu();
    void ChooseMenuItem(int item);
    // Escape or Return closes the help pages or the credits at once. True when they closed.
    bool CloseKeyPressed();
    bool UpdateOpening();
    void UpdateHelpPages();
    void UpdateCredits();
    void UpdateKeys();

    // Render's pieces (TitleRender.cpp).
    void DrawSplash();
    void DrawMenuSet(uint8_t alpha);
    void DrawOpening();
    void DrawHelpPages();
    void DrawCredits();
    void DrawQuitFade();
};
