#pragma once
// The player's two actions on items, done the way the bag does them but without the mouse, and
// the fields a round trip of page turns may leave different. Shared by the level tests, the
// undo property test and the level fuzzer, so that all of them judge a round trip alike.
#include "scenes/level/LevelSnapshot.h"

// Tears an item out of the picture into the first free bag slot, as the end of the tearing
// animation leaves it. False when the item is not in the picture or the bag is full.
bool TearOutToBag(int item);

// Puts an item from the bag down with its centre at (x, y). False when it is not in the bag.
bool PutDownFromBag(int item, int x, int y);

// Copies into `after` the fields of `before` that a round trip may leave different, each for
// the reason given beside it; what remains must be equal.
void ForgiveAcceptedDifferences(LevelSnapshot& after, const LevelSnapshot& before);
