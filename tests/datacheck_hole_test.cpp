// The data checker's hole check: holes are drawn over the hero, so a piece that can be torn out
// beside the walking hero must leave a hole that keeps off his painted pixels (walk and head
// frames) or lets him show through; the boulder counts only where it can still be torn out.
#include "DataCheck.h"
#include "TestSupport.h"
#include <climits>
#include <filesystem>
#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <vector>

namespace {

constexpr uint32_t kClear = 0x00000000;
constexpr uint32_t kInk = 0xFF202020;
constexpr uint32_t kHalfInk = 0x7F202020; // just under half strength: the hero shows through
// The walker: five 10 x 10 frames at (100, 100), each inked in picture columns 3..6 (page
// 106..113), rows 2..9; the head: five 5 x 5 frames at (104, 80).
constexpr DataCheck::Placed kWalker{100, 100, 10, 10};
constexpr DataCheck::Placed kHead{104, 80, 5, 5};
constexpr int kHoleSide = 6; // drawn 12 x 12

struct HoleCase {
    const char* what;
    uint32_t holeInk;
    int pieceY;
    int tearableFrom;
    bool headInked;
    bool reported;
};

// Names each case in the test list by what it tries.
void PrintTo(const HoleCase& c, std::ostream* os) {
    *os << c.what;
}

class HoleCheck : public ::testing::TestWithParam<HoleCase> {
  protected:
    void SetUp() override {
        ASSERT_FALSE(scratch.dir.empty());
        std::filesystem::create_directories("Data/image");
    }
    ScratchFolder scratch{"pebblefrost_hole_"};
};

TEST_P(HoleCheck, ReportsAHoleThatCoversTheWalkingHero) {
    const HoleCase& c = GetParam();
    const std::string walk = "Data/image/walk.png", head = "Data/image/head.png",
                      hole = "Data/image/hole.png";
    std::vector<uint32_t> walkPixels(size_t(5) * kWalker.w * kWalker.h, kClear);
    for (int f = 0; f < 5; ++f)
        for (int y = 2; y < kWalker.h; ++y)
            for (int x = 3; x <= 6; ++x)
                walkPixels[size_t(y) * 5 * kWalker.w + f * kWalker.w + x] = kInk;
    ASSERT_TRUE(WriteTestPng(walk, 5 * kWalker.w, kWalker.h, walkPixels));
    std::vector<uint32_t> headPixels(size_t(5) * kHead.w * kHead.h, c.headInked ? kInk : kClear);
    ASSERT_TRUE(WriteTestPng(head, 5 * kHead.w, kHead.h, headPixels));
    std::vector<uint32_t> holePixels(size_t(kHoleSide) * kHoleSide, c.holeInk);
    ASSERT_TRUE(WriteTestPng(hole, kHoleSide, kHoleSide, holePixels));

    DataCheck check;
    // Placed 2 px up and left of its piece, as the bag draws a hole.
    check.holes = {{hole, 2, 2, kHoleSide, kHoleSide}};
    check.CheckHolesClearOfWalker({{400, c.pieceY, c.tearableFrom}}, kWalker, walk, 5, kHead,
                                  {head}, 5);
    EXPECT_EQ(check.problems.size(), c.reported ? 1u : 0u) << c.what;
    if (c.reported && !check.problems.empty()) {
        EXPECT_NE(check.problems[0].find("hole.png: the hole of item 0"), std::string::npos)
            << check.problems[0];
    }
}

const HoleCase kCases[] = {
    {"an opaque hole torn out where the hero walks", kInk, 104, INT_MIN, false, true},
    {"a see-through hole lets him show through", kHalfInk, 104, INT_MIN, false, false},
    // Drawn from page y 94, its last two rows lie on his body's first inked rows (104, 105).
    {"a hole reaching two rows onto his body", kInk, 96, INT_MIN, false, true},
    {"a hole beside his clear head", kInk, 80, INT_MIN, false, false},
    {"a hole over his inked head", kInk, 80, INT_MIN, true, true},
    // His ink ends at page x 113: a hole torn from x 116 (drawn from 114) stays clear of him,
    // one torn from x 115 covers his last column.
    {"torn out only clear of his front", kInk, 104, 116, false, false},
    {"torn out one pixel into his front", kInk, 104, 115, false, true},
    {"a piece that is never torn out", kInk, 104, INT_MAX, false, false},
};

INSTANTIATE_TEST_SUITE_P(DataCheck, HoleCheck, ::testing::ValuesIn(kCases));

} // namespace
