// The data checker's lantern check: the lantern's light is drawn under everything of a higher
// slot, so pictures drawn after it that stand where it shines may hide only a small share of its
// light above the ground line (all frames together, at the worst place); a frame with no light
// there is reported.
#include "DataCheck.h"
#include "TestSupport.h"
#include <filesystem>
#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <vector>

namespace {

constexpr uint32_t kClear = 0x00000000;
constexpr uint32_t kInk = 0xFF202020;
constexpr uint32_t kLight = 0x4080C0FF; // alpha 64: just seen as light
constexpr uint32_t kFaint = 0x3F80C0FF; // alpha 63: not counted
constexpr uint32_t kHalfInk = 0x7F202020;
// The light: two 10 x 10 frames, drawn 20 x 20 at (100, 100); 400 page pixels a frame.
constexpr int kSide = 10;

struct LanternCase {
    const char* what;
    uint32_t light0, light1; // every pixel of frame 0, of frame 1
    uint32_t coverInk;
    DataCheck::Placed cover; // drawn at scale 2
    int ground;
    bool secondPlace;     // also shining at (300, 100), where nothing stands
    const char* reported; // nullptr: nothing reported
};

// Names each case in the test list by what it tries.
void PrintTo(const LanternCase& c, std::ostream* os) {
    *os << c.what;
}

class LanternCheck : public ::testing::TestWithParam<LanternCase> {
  protected:
    void SetUp() override {
        ASSERT_FALSE(scratch.dir.empty());
        std::filesystem::create_directories("Data/image");
    }
    ScratchFolder scratch{"pebblefrost_lantern_"};
};

TEST_P(LanternCheck, ReportsLightHiddenByPicturesDrawnAfterIt) {
    const LanternCase& c = GetParam();
    const std::string light = "Data/image/light.png", cover = "Data/image/cover.png";
    std::vector<uint32_t> lightPixels(size_t(2) * kSide * kSide);
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < 2 * kSide; ++x)
            lightPixels[size_t(y) * 2 * kSide + x] = x < kSide ? c.light0 : c.light1;
    ASSERT_TRUE(WriteTestPng(light, 2 * kSide, kSide, lightPixels));
    std::vector<uint32_t> coverPixels(size_t(c.cover.w) * c.cover.h, c.coverInk);
    ASSERT_TRUE(WriteTestPng(cover, c.cover.w, c.cover.h, coverPixels));

    DataCheck check;
    std::vector<DataCheck::At> places{{100, 100}};
    if (c.secondPlace) places.insert(places.begin(), {300, 100});
    check.CheckLanternLight({{light, kSide, kSide, 2}}, places, c.ground, {{cover, c.cover}});
    ASSERT_EQ(check.problems.size(), c.reported ? 1u : 0u) << c.what;
    if (c.reported) {
        EXPECT_NE(check.problems[0].find(c.reported), std::string::npos) << check.problems[0];
    }
}

const LanternCase kCases[] = {
    {"nothing stands where it shines", kLight, kLight, kInk, {200, 100, 5, 5}, 120, false, nullptr},
    {"a wall over all of it",
     kLight,
     kLight,
     kInk,
     {90, 90, 20, 20},
     120,
     false,
     "light.png: the lantern's light, shining at lane x 100, y 100 before the troll, is 100% "
     "hidden by pictures drawn after it (Data/image/cover.png 100%; at most 15%)"},
    {"a see-through wall over it", kLight, kLight, kHalfInk, {90, 90, 20, 20}, 120, false, nullptr},
    // A post 6 page pixels wide: 10 rows hide 15 % of the 400 lit pixels, 12 rows 18 %.
    {"a post hiding the most allowed", kLight, kLight, kInk, {110, 100, 3, 5}, 120, false, nullptr},
    {"a post hiding one row more",
     kLight,
     kLight,
     kInk,
     {110, 100, 3, 6},
     120,
     false,
     "is 18% hidden"},
    // Only the light above the ground line (page 110) is seen; a wall below it hides nothing.
    {"a wall below the ground line", kLight, kLight, kInk, {90, 110, 20, 10}, 110, false, nullptr},
    {"a wall just above the ground line",
     kLight,
     kLight,
     kInk,
     {90, 106, 20, 10},
     110,
     false,
     "is 40% hidden"},
    {"light painted only below the ground line",
     kLight,
     kLight,
     kClear,
     {200, 100, 5, 5},
     100,
     false,
     "frame 0 of the lantern's light before the troll paints no light above the ground"},
    {"a frame too faint to be seen",
     kLight,
     kFaint,
     kClear,
     {200, 100, 5, 5},
     120,
     false,
     "frame 1 of the lantern's light before the troll paints no light above the ground"},
    {"the worst of two places",
     kLight,
     kLight,
     kInk,
     {90, 90, 20, 20},
     120,
     true,
     "shining at lane x 100"},
};

INSTANTIATE_TEST_SUITE_P(DataCheck, LanternCheck, ::testing::ValuesIn(kCases));

} // namespace
