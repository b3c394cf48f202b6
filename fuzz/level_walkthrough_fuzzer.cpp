// The level's undo fuzzed from deep in the lane: random play from a checkpoint of the
// walkthrough, then the round trip (see level_undo_fuzzer.cpp).
#define PEBBLEFROST_LEVEL_UNDO FuzzLevelUndoFromWalkthrough
#include "level_undo_fuzzer.cpp"
