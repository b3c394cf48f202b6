#pragma once
// The player's two actions on items, done the way the bag does them but without the mouse, and
// the fields a round trip of page turns may leave different. Shared by the level tests, the
// undo property test and the level fuzzer, so that all of them judge a round trip alike.
#include "scenes/level/LevelSnapshot.h"
#include <functional>
#include <random>
#include <string>

// Tears an item out of the picture into the first free bag slot, as the end of the tearing
// animation leaves it. False when the item is not in the picture or the bag is full.
bool TearOutToBag(int item);

// Puts an item from the bag down with its centre at (x, y). False when it is not in the bag.
bool PutDownFromBag(int item, int x, int y);

// Copies into `after` the fields of `before` that a round trip may leave different, each for
// the reason given beside it; what remains must be equal.
void ForgiveAcceptedDifferences(LevelSnapshot& after, const LevelSnapshot& before);

// The frame the game runs between turns: no keys, no clicks, pages waiting. Once the closing
// sequence has begun the level runs nothing but it, and it ends the scene: no frame runs then.
void PlayLevelFrame(CStage_One& stage);
// One turn as the page keys make it, then the frames the game runs before the next turn (objects
// come on the page in the frame after the one whose rules first see them there).
void TurnAndPlay(CStage_One& stage, int32_t direction);

struct RoundTripOutcome {
    int turns = 0;          // forward turns made: fewer than asked once forward turns are refused
    bool closing = false;   // the closing sequence began on the way: no way back, not compared
    bool forgiven = false;  // the worlds differed only in forgiven fields
    std::string difference; // the first differing field and both values, "" when it came back
    LevelSnapshot after;    // the world after the turns back, as it was (nothing forgiven)
};

// N forward turns (fewer when the pages lock), then as many backward turns, each with its
// frames; compares the world with the one before, by ForgiveAcceptedDifferences, and puts the
// world before back. `visit`, when given, sees the level after every turn.
RoundTripOutcome TurnForwardAndBack(CStage_One& stage, int n,
                                    const std::function<void(const CStage_One&)>& visit = {});

// One random action of a player: turns most of the time, sometimes tearing an item out, putting
// one down (anywhere, on an object in view or on the walker, so that the rules about items
// meeting things fire), or waiting a while on the page.
void RandomPlayerAction(CStage_One& stage, std::mt19937& rng);
