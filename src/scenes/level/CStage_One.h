#pragma once
#include "app/CStage.h"
#include "platform/Graphics.h"
#include "scenes/level/LevelState.h"
#include "services/InventoryBag.h"
#include "services/KeyMenu.h"
#include "services/ListFiles.h"
#include <cstdint>
#include <vector>

// Scene 1: the one playable level. Time here is the book's page number: every forward turn steps
// the whole world once (TurnPage), every backward turn runs the inverse step. All that changes
// lives in `level` (one comparable value); the rest is loaded once by Init and only read.
//
// The scene is split over several files along its seams:
//   LevelLifecycle.cpp  Init, Release, loading and placements
//   LevelUpdate.cpp     Update: pause menu, closing sequence, lost check, on-screen states
//   LevelPages.cpp      HandlePageKeys and the frame of TurnPage
//   LevelCharacter.cpp  the character's state machine and keyframes
//   LevelHitRects.cpp   PlaceHitRects
//   LevelInteract*.cpp  Interact, the puzzle rules of the playing frame
//   LevelCollisions.cpp collision objects on page turns
//   LevelItems.cpp      the bag's items on page turns
//   LevelBackground.cpp background objects on page turns and the follow-up checks
//   LevelUndo.cpp       the undo checks of the backward turn
//   LevelRender.cpp     Render
// The names in the cards' file names: stop_<stop>.png, hint_<stop>_2.png and _3.png under
// Data/image/Support, and fox_took_<item>.png for the fifteen items.
extern const char* const kStopNames[kStopKinds];
// The hint level that shows, at the fence, that the boulder knocked the elk out (in place of the
// fence's own hints, which tell how to wake it), from the first time on.
constexpr int32_t kHintElkKnockedOut = 4;
extern const char* const kItemNames[InventoryBag::kItems];

class CStage_One : public CStage {
  public:
    static constexpr int kChars = LevelState::kChars;
    static constexpr int kHeads = LevelState::kHeads;
    static constexpr int kBacks = LevelState::kBacks;
    static constexpr int kColls = LevelState::kColls;
    static constexpr int kHeadFrames = 5;
    static constexpr int kFrameTableSize = 115;
    static constexpr int kSmokePictures = 8;
    // The windmill (C0) turns with the hero it carries: its picture holds, after its own frames,
    // one frame for each step of the carried path, five to a row below the own frames' two rows.
    static constexpr int kWindmillRideFrames = 10;
    static constexpr int kWindmillRideColumns = 5;

    void Init() override;
    void Update() override;
    void Render() override;
    void Release() override;

    // --- Page turning (LevelPages.cpp) ---
    void HandlePageKeys();
    void TurnPage(int32_t direction);

    // --- The character (LevelCharacter.cpp) ---
    void CharacterForward();
    void CharacterBackward();
    void ApplyCarriedKeyframe(int32_t step);
    void ApplyState3Keyframe();
    void ApplyState4Keyframe();
    void ApplyState9Keyframe();
    void WalkForward(); // steps the walking animation; its wrap to 0 resets the head
    void WalkBackward();
    void WalkBackRules(); // rules (e) and (f) of the walking character on a backward turn
    // The walking character's whole backward turn (back into the state whose end that turn
    // made, if it made one), for undo checks that give walking back.
    void WalkingTurnBack();
    void DriftBackRules(); // rules (g) and (h) of the rider on a backward turn

    // --- Hit rectangles and puzzle rules of the playing frame ---
    void PlaceHitRects(); // LevelHitRects.cpp
    void Interact();      // LevelInteract*.cpp
    void UndoBagLoss();   // puts back what C14 took from the bag (LevelInteract*.cpp)

    // --- Collision objects and items on page turns (LevelCollisions.cpp, LevelItems.cpp) ---
    void CollisionReleaseChecks(); // forward, before the object loop
    void CollisionsForward();
    void CollisionsBackward();
    void C11GoingUndo(); // C11 set going while the world held still: back to waiting
    void C5WakeCheck();  // C5 wakes when item 7 is in the bag (forward and backward)
    void ItemsForward();
    void ItemsBackward();
    void ApplyC7Keyframe(int32_t step);
    void ApplyC10Keyframe(int32_t frame);
    bool StepC10PathBack(); // C10 one frame back along its path; false at frame 0 (nothing done)

    // --- Background objects on page turns (LevelBackground.cpp) ---
    void BackgroundsTurn(TurnDirection direction); // both directions' background rules
    void BackgroundsForward();                     // the 95 objects, then the copies of B11
    void BackgroundsBackward();
    void FollowUpChecks(); // forward, after the background objects

    // --- Undo checks of the backward turn (LevelUndo.cpp) ---
    void FirstUndoChecks();  // before the collision objects
    void B4EndCheck();       // between the collision objects and the items
    void SecondUndoChecks(); // after the background objects

    // --- Update's pieces (LevelUpdate.cpp) ---
    void UpdatePauseMenu();
    void ChoosePauseAction(int action); // a PauseAction
    void UpdateClosingSequence();       // answers by leaving the scene when it is over
    void LostCheck();
    void UpdateOnScreenStates();
    void UpdateBeat();
    void UpdateItemUses();
    void UpdateNotices();

    // The whole changing state of the level.
    LevelState level;

    // Pacing ticks (not part of the world: they follow the clock, not the pages).
    uint32_t autoFlipTick = 0;
    // This turn took C9's leaving back, so its own leaving check stays quiet (set and read
    // within one turn).
    bool c9LeavingTakenBack = false;
    // The background objects moved in this turn (the world did not stand still): C9 leaves on a
    // backward turn only then (set and read within one turn).
    bool backgroundsMoved = false;
    // The gates the lost animation (or the blinks, or the lever), rewound to its first picture on
    // this turn, lay there with (GateBits), given back at the turn's end; -1 when it did not (set
    // and read within one turn).
    int32_t lostGatesToGiveBack = -1;
    uint32_t pacingTick = 0;
    // The keyboard's highlight over the pause menu's buttons (none each time the menu opens).
    KeyMenu pauseKeys;

    // What Init loads; read-only afterwards.
    std::vector<RECT> charFrames[kChars]; // entry i = (i*w, 0, i*w + w, h)
    std::vector<RECT> collFrames[kColls]; // one row, or two rows of three (by slot); C0's ride
    RECT headFrames[kHeadFrames];
    RECT frameTable[kFrameTableSize]; // the animated background objects' strips
    RECT back4Rect;

    Texture* charImages[kChars] = {};
    Texture* headImages[kHeads] = {};
    Texture* backImages[kBacks] = {};
    Texture* collImages[kColls] = {};
    Texture* smoke[kSmokePictures] = {};
    Texture* gameover[3] = {};
    Texture* warning = nullptr;
    Texture* stopCards[kStopKinds] = {};    // one card for each kind of stop
    Texture* stopHints[kStopKinds][2] = {}; // its nearer hints, second and third attempt
    Texture* elkKnockedOutHint = nullptr;
    Texture* foxCards[InventoryBag::kItems] = {};
    Texture* pageDigits = nullptr;
    Texture* pageSlip = nullptr; // the paper the page number is printed on
    Texture* escMenu = nullptr;
    Texture* escQuit = nullptr;
    Texture* escMain = nullptr;
    Texture* escResume = nullptr;
    Texture* escQuitLit = nullptr; // esc_quit_lit.png ...: the button under the cursor
    Texture* escMainLit = nullptr;
    Texture* escResumeLit = nullptr;

    PathSlot charImagePaths[kChars];
    PathSlot headImagePaths[kHeads];
    PathSlot backImagePaths[kBacks];
    PathSlot collImagePaths[kColls];
    PathSlot charPropPaths[kChars];
    PathSlot backPropPaths[kBacks];
    PathSlot collPropPaths[kColls];
};
