// Where Init puts the objects that are placed relative to another one: every row of the two
// placement tables, copied here from the level's design, checked on the level made from the
// shipped data (no anchor is moved after a row that reads it, so each row still holds at the end).
#include "level_support.h"
#include <string>

namespace {

struct Ref {
    char kind; // 'B' background object, 'C' collision object, 'T' bag item record
    int index;
};

struct PlacementRow {
    Ref target, anchor;
    int dx, dy;
    bool xAbsolute, yAbsolute; // the number is the coordinate itself
};

const PlacementRow kPlacements[] = {
    {{'B', 5}, {'T', 1}, -182, -168, false, false},
    {{'B', 6}, {'T', 3}, -100, -110, false, false},
    {{'B', 7}, {'T', 4}, -146, -150, false, false},
    {{'B', 8}, {'T', 6}, -39, -13, false, false},
    {{'B', 9}, {'T', 8}, -124, -156, false, false},
    {{'B', 10}, {'C', 2}, -198, -2, false, false},
    {{'B', 20}, {'T', 11}, 89, 0, false, false},
    {{'B', 23}, {'C', 9}, 116, -46, false, false},
    {{'B', 61}, {'B', 60}, 350, 0, false, false},
    {{'B', 62}, {'B', 60}, 1077, 106, false, false},
    {{'B', 63}, {'B', 60}, 4226, -153, false, false},
    {{'B', 64}, {'B', 60}, 2705, 9, false, false},
    {{'B', 65}, {'B', 60}, 5668, 120, false, false},
    {{'B', 66}, {'B', 60}, 7817, 14, false, false},
    {{'B', 67}, {'B', 60}, 617, -46, false, false},
    {{'B', 68}, {'B', 60}, 3633, 113, false, false},
    {{'B', 69}, {'B', 60}, 1423, 72, false, false},
    {{'B', 70}, {'B', 60}, 1722, 145, false, false},
    {{'B', 71}, {'B', 60}, 2167, 49, false, false},
    {{'B', 72}, {'B', 60}, 2517, 9, false, false},
    {{'B', 74}, {'B', 62}, 136, 166, false, false},
    {{'B', 75}, {'B', 65}, 360, 178, false, false},
    {{'B', 73}, {'B', 63}, 12, 158, false, false},
    {{'B', 50}, {'B', 60}, 288, 444, false, false},
    {{'B', 51}, {'B', 50}, 200, 489, false, true},
    {{'B', 52}, {'B', 51}, 200, 489, false, true},
    {{'B', 53}, {'B', 52}, 200, 489, false, true},
    {{'B', 54}, {'B', 53}, 200, 489, false, true},
    {{'B', 55}, {'B', 54}, 200, 489, false, true},
    {{'B', 76}, {'B', 60}, 1412, 322, false, false},
    {{'B', 77}, {'B', 60}, 1625, 227, false, false},
    {{'B', 78}, {'B', 60}, 3365, 277, false, false},
    {{'B', 79}, {'B', 60}, 3315, 30, false, false},
    {{'B', 80}, {'B', 60}, 2014, 289, false, false},
    {{'B', 81}, {'B', 60}, 5135, 56, false, false},
    {{'B', 82}, {'B', 60}, 5288, 379, false, false},
    {{'B', 83}, {'B', 60}, 7299, 454, false, false},
    {{'B', 84}, {'B', 60}, 2203, 261, false, false},
    {{'B', 85}, {'B', 60}, 5338, 30, false, false},
    {{'B', 86}, {'B', 60}, 6356, 88, false, false},
    {{'B', 87}, {'B', 60}, 3648, 194, false, false},
    {{'B', 88}, {'B', 60}, 6380, 413, false, false},
    {{'B', 89}, {'B', 60}, 3913, 322, false, false},
    {{'B', 90}, {'B', 60}, 1800, 332, false, true},
    {{'T', 14}, {'B', 28}, 25, -81, false, false},
    {{'B', 32}, {'B', 5}, -455, 176, false, false},
    {{'B', 33}, {'B', 6}, -1009, 184, false, false},
    {{'B', 34}, {'B', 6}, -697, 274, false, false},
    {{'B', 35}, {'B', 6}, -228, 219, false, false},
    {{'B', 36}, {'B', 6}, 976, 7, false, false},
    {{'B', 37}, {'B', 7}, -510, 89, false, false},
    {{'B', 38}, {'B', 7}, 604, 30, false, false},
    {{'B', 39}, {'B', 8}, -896, -92, false, false},
    {{'B', 40}, {'B', 8}, 497, 120, false, false},
    {{'B', 41}, {'B', 9}, -171, 254, false, false},
    {{'B', 42}, {'B', 9}, 558, 108, false, false},
    {{'B', 43}, {'C', 2}, -582, 24, false, false},
    {{'B', 44}, {'C', 2}, -515, -21, false, false},
    {{'B', 45}, {'C', 2}, -364, 16, false, false},
    {{'B', 46}, {'C', 0}, 18500, -61, true, false},
    {{'B', 47}, {'C', 0}, -510, 224, false, false},
    {{'B', 48}, {'C', 0}, -99, 250, false, false},
    {{'B', 49}, {'C', 0}, 405, 267, false, false},
    {{'C', 14}, {'B', 50}, 3000, -100, false, false},
    {{'C', 22}, {'B', 60}, 6300, 429, false, true},
    {{'C', 23}, {'B', 60}, 3000, 322, false, true},
    {{'C', 18}, {'B', 63}, 203, 166, false, false},
    {{'C', 16}, {'B', 63}, -150, 396, false, false},
    {{'C', 20}, {'B', 90}, 13, 144, false, false},
    {{'C', 24}, {'B', 60}, 6601, 144, false, false},
    {{'B', 15}, {'C', 6}, -77, 46, false, false},
    {{'T', 2}, {'C', 0}, 144, 92, false, false},
    {{'T', 12}, {'C', 9}, 292, 198, false, false},
};

class LevelPlacementsTest : public ShippedLevelTest {
  protected:
    int32_t* X(Ref r) {
        switch (r.kind) {
        case 'B':
            return &Level().backs[r.index].x;
        case 'C':
            return &Level().colls[r.index].x;
        default:
            return &Bag().items[r.index].x;
        }
    }
    int32_t* Y(Ref r) {
        switch (r.kind) {
        case 'B':
            return &Level().backs[r.index].y;
        case 'C':
            return &Level().colls[r.index].y;
        default:
            return &Bag().items[r.index].y;
        }
    }
};

TEST_F(LevelPlacementsTest, EveryPlacedObjectStandsAtItsOffsetFromItsAnchor) {
    for (const PlacementRow& row : kPlacements) {
        const std::string what = std::string(1, row.target.kind) + std::to_string(row.target.index);
        const int wantX = row.xAbsolute ? row.dx : *X(row.anchor) + row.dx;
        const int wantY = row.yAbsolute ? row.dy : *Y(row.anchor) + row.dy;
        EXPECT_EQ(*X(row.target), wantX) << what << " x";
        EXPECT_EQ(*Y(row.target), wantY) << what << " y";
    }
}

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
