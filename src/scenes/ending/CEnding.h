#pragma once
#include "app/CStage.h"
#include "platform/Graphics.h"
#include "platform/Sound.h"
#include <cstdint>

// Scene 2: the closing film inside the book. The chimney smoke clears to show the hero at home,
// the storyteller's hand brings the stone, the last pages are laid over the room and the final
// picture fades out; then the title opens at its main menu. It runs by itself: no keys are read,
// no cursor and no help panel are drawn.
class CEnding : public CStage {
  public:
    static constexpr int kSmokePictures = 7; // smoke9..smoke15 (the level shows smoke1..smoke8)
    static constexpr int kCharPictures = 16;
    static constexpr int kEndPictures = 5;
    static constexpr int kHandPictures = 6;
    static constexpr int kFirstSmokeNumber = 9;
    static constexpr int kPictureCount =
        2 + kSmokePictures + kCharPictures + kEndPictures + kHandPictures;
    static constexpr int16_t kLastPhase = 11; // the fade of end5
    static constexpr uint32_t kStepMs = 200;  // a step needs strictly more than this
    static constexpr int16_t kFadeFrom = 255;
    static constexpr int16_t kFadeTo = 30; // the step that finds this leaves for the title
    static constexpr int16_t kFadeStep = 9;

    void Init() override;
    void Update() override;
    void Render() override;
    void Release() override;

    int16_t blinkStep = 0;  // step counter of phases 1 and 2
    int16_t holdStep = 0;   // hold at the end of phase 2
    int16_t smokeFrame = 0; // 0..6
    int16_t charFrame = 0;  // 0..15
    int16_t handFrame = 0;  // 0..5
    int16_t fadeAlpha = kFadeFrom;
    int16_t endPhase = 0; // 0..11
    uint8_t closePlayed = 0;

    // Pictures (nullptr = not loaded).
    Texture* roomImage = nullptr;              // Ending/room.png
    Texture* stoneImage = nullptr;             // Bag/Tear/stone.png
    Texture* smokeImages[kSmokePictures] = {}; // Ending/smoke9..15.png
    Texture* charImages[kCharPictures] = {};   // Ending/char1..16.png
    Texture* endImages[kEndPictures] = {};     // Ending/end1..5.png
    Texture* handImages[kHandPictures] = {};   // Ending/hand1..6.png

    uint32_t stepTick = 0;
    CSound closeSound; // Data/Sound/close.ogg

  private:
    // Update's pieces (EndingUpdate.cpp). Step answers true when it left for the title: this
    // scene is deleted by then.
    bool Step();
    void StepBlinkAndPose();
    void StepHandAndPose();
    bool StepFade();

    // Render's pieces (EndingRender.cpp).
    void DrawRoomPhase();
    void DrawLastPicture();
};
