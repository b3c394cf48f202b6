// The data checker's windmill ride check: on each of the ten steps of the carried path the
// hero's pose, drawn at its place, must share painted pixels with the windmill's turning frame;
// a pose that holds on to nothing is reported with every step that shows it.
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
constexpr int kRideW = 10, kRideH = 10; // a ride frame (drawn 20 x 20 on the page)
// The windmill's first frame covers the whole path (page 0..660 x 0..480) unless moved.
constexpr DataCheck::Placed kMillEverywhere{0, 0, 330, 240};

struct RideCase {
    const char* what;
    DataCheck::Placed mill;
    bool millInked;
    int blockSide[5];          // each pose: a square of ink this wide at its frame's middle
    std::vector<int> reported; // steps reported, in order
};

// Names each case in the test list by what it tries.
void PrintTo(const RideCase& c, std::ostream* os) {
    *os << c.what;
}

class RideCheck : public ::testing::TestWithParam<RideCase> {
  protected:
    void SetUp() override {
        ASSERT_FALSE(scratch.dir.empty());
        std::filesystem::create_directories("Data/image");
    }
    ScratchFolder scratch{"pebblefrost_ride_"};
};

TEST_P(RideCheck, ReportsTheStepsWhereTheHeroHoldsOnToNothing) {
    const RideCase& c = GetParam();
    const std::string mill = "Data/image/windmill.png", ride = "Data/image/ride.png";
    std::vector<uint32_t> millPixels(size_t(c.mill.w) * c.mill.h, c.millInked ? kInk : kClear);
    ASSERT_TRUE(WriteTestPng(mill, c.mill.w, c.mill.h, millPixels));
    std::vector<uint32_t> ridePixels(size_t(5) * kRideW * kRideH, kClear);
    for (int f = 0; f < 5; ++f) {
        const int side = c.blockSide[f], x0 = f * kRideW + (kRideW - side) / 2,
                  y0 = (kRideH - side) / 2;
        for (int y = y0; y < y0 + side; ++y)
            for (int x = x0; x < x0 + side; ++x)
                ridePixels[size_t(y) * 5 * kRideW + x] = kInk;
    }
    ASSERT_TRUE(WriteTestPng(ride, 5 * kRideW, kRideH, ridePixels));

    DataCheck check;
    check.CheckWindmillRide(mill, c.mill, ride, kRideW, kRideH);
    ASSERT_EQ(check.problems.size(), c.reported.size()) << c.what;
    for (size_t i = 0; i < c.reported.size(); ++i)
        EXPECT_NE(check.problems[i].find("on step " + std::to_string(c.reported[i]) + " "),
                  std::string::npos)
            << c.what << ": " << check.problems[i];
}

const RideCase kCases[] = {
    {"every pose holds on", kMillEverywhere, true, {2, 2, 2, 2, 2}, {}},
    {"an empty pose fails both of its steps", kMillEverywhere, true, {2, 2, 0, 2, 2}, {2, 7}},
    // One picture pixel is four page pixels: a touch, but not a hold.
    {"a single pixel of contact is too little", kMillEverywhere, true, {1, 2, 2, 2, 2}, {0, 5}},
    {"a see-through windmill holds nobody",
     kMillEverywhere,
     false,
     {2, 2, 2, 2, 2},
     {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
    // Placed right of x 300 (page), the windmill is out of reach of the first five steps and of
    // step 6; the path's right part (steps 7 to 9) still meets it.
    {"steps beyond the windmill's frame",
     DataCheck::Placed{300, 0, 200, 240},
     true,
     {2, 2, 2, 2, 2},
     {0, 1, 2, 3, 4, 5, 6}},
};

INSTANTIATE_TEST_SUITE_P(DataCheck, RideCheck, ::testing::ValuesIn(kCases));

} // namespace
