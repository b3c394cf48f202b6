// The shared frame table of the background strips, checked on the level made from the shipped
// data. (Where Init places objects relative to others is checked in level_lifecycle_test.cpp,
// on data that puts every object somewhere else.)
#include "level_support.h"
#include <string>

namespace {

class LevelPlacementsTest : public ShippedLevelTest {};

// The shared frame table of the background strips: first entry, frames, the object whose frame
// size cuts the strip.
const struct {
    int first, frames, sizeOf;
} kFrameRuns[] = {{0, 3, 1},   {3, 5, 12},  {8, 3, 13},   {11, 4, 6},   {15, 3, 14}, {18, 3, 16},
                  {21, 5, 17}, {26, 3, 18}, {29, 2, 19},  {31, 4, 21},  {35, 3, 22}, {38, 8, 23},
                  {46, 4, 24}, {50, 5, 25}, {55, 5, 27},  {60, 4, 29},  {64, 8, 30}, {72, 5, 31},
                  {77, 3, 56}, {80, 3, 56}, {83, 5, 57},  {88, 4, 58},  {92, 2, 73}, {94, 3, 74},
                  {97, 2, 75}, {99, 3, 90}, {102, 3, 91}, {105, 5, 93}, {110, 5, 94}};

TEST_F(LevelPlacementsTest, EveryFrameTableEntryIsItsStripsFrame) {
    int next = 0;
    for (const auto& run : kFrameRuns) {
        ASSERT_EQ(run.first, next) << "the runs follow each other";
        const BackObj& sized = Level().backs[run.sizeOf];
        ASSERT_GT(sized.w, 0) << "B" << run.sizeOf;
        for (int f = 0; f < run.frames; ++f)
            EXPECT_EQ(stage->frameTable[run.first + f],
                      (RECT{f * sized.w, 0, f * sized.w + sized.w, sized.h}))
                << "entry " << run.first + f;
        next = run.first + run.frames;
    }
    EXPECT_EQ(next, CStage_One::kFrameTableSize);
    EXPECT_EQ(stage->back4Rect, (RECT{0, 0, Level().backs[4].w, Level().backs[4].h}));
}

} // namespace
