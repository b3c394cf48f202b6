#pragma once
// What each fuzz target does with one input. The libFuzzer programs (fuzz/*_fuzzer.cpp) call
// these, and the test suite replays every input the fuzzers ever crashed on through them
// (tests/fuzz_regressions).
#include <cstddef>
#include <cstdint>
#include <string>

// A path list: the first byte picks how many paths are read (1..64), the rest is the file.
void FuzzPathList(const uint8_t* data, size_t size);
// A property file: the first byte picks the record kind (its fields and ranges), the rest is
// the file.
void FuzzPropertyFile(const uint8_t* data, size_t size);
// A PNG, its chunk checksums mended, loaded by the game's decoder with the game's limits.
void FuzzPng(const uint8_t* data, size_t size);
// An Ogg clip, its page checksums mended, decoded and converted as the game does.
void FuzzOgg(const uint8_t* data, size_t size);

// Random play on the shipped level (needs Data in the working directory): each byte pair is a
// page turn, a tear, a put-down or a frame; at the end N forward turns and N backward turns
// must give the world back, by the same forgiving rules as the undo property test. Returns the
// first difference ("" when the world came back).
std::string FuzzLevelUndo(const uint8_t* data, size_t size);

// The same from deep in the lane: the first byte picks a checkpoint of the walkthrough (the world
// at the end of every 25th page of tests/scripts/walkthrough_level.txt, played once per process),
// the rest is random play as above, then the round trip.
std::string FuzzLevelUndoFromWalkthrough(const uint8_t* data, size_t size);
// How many checkpoints the walkthrough gives (for the seeds).
size_t WalkthroughCheckpointCount();

// Where the targets write their input for the loaders that read files (one per process).
const char* FuzzScratchPath(const char* suffix);
