// The data checker's windmill ride check: on each of the ten steps of the carried path the
// hero's pose, drawn at its place, must touch the windmill's frame for that step, and his hands
// must lie on the turning rotor (painted there, and gone or changed in another step's frame);
// a step that fails is reported.
#include "DataCheck.h"
#include "TestSupport.h"
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <vector>

namespace {

constexpr uint32_t kClear = 0x00000000;
constexpr uint32_t kInk = 0xFF202020;
constexpr uint32_t kCapRed = 0xFFB85433;
constexpr int kRideW = 20, kRideH = 20; // a ride frame (drawn 40 x 40 on the page)
// The windmill's frame covers the whole path (page 0..600 x 0..500) unless moved; its own four
// frames come first, then one for each step.
constexpr DataCheck::Placed kMillEverywhere{0, 0, 300, 250};
constexpr int kOwnFrames = 4, kSteps = 10;
// The carried path (page) and the hands in each pose (parts of its frame), as the game and the
// ride strip have them.
constexpr int kPathX[kSteps] = {79, 79, 87, 138, 229, 264, 264, 392, 490, 520};
constexpr int kPathY[kSteps] = {424, 448, 205, 118, 157, 226, 226, 134, 212, 330};
constexpr double kHandsX[5] = {55.16 / 60, 55.16 / 60, 51.15 / 60, 51.11 / 60, 42.54 / 60};
constexpr double kHandsY[5] = {52.31 / 60, 40.31 / 60, 33.21 / 60, 49.67 / 60, 11.33 / 60};

enum class Sails {
    TurnWithHim, // each step's frame has a sail under that step's hands
    Static,      // every step's frame has sails under all the steps' hands, as one picture would
};

struct RideCase {
    const char* what;
    DataCheck::Placed mill;
    Sails sails;
    int poseSide[5];           // each pose: a square of ink this wide round its hands
    std::vector<int> onCap;    // steps with no sail; their hands lie on a cap alike in every frame
    int sailShift;             // picture pixels the sails lie right of the hands
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

// Ink of `colour` in a disc (or a square) of `radius` round (cx, cy) of a picture `width` wide,
// kept inside the box (x0, y0, w, h).
void Paint(std::vector<uint32_t>& pixels, int width, int x0, int y0, int w, int h, double cx,
           double cy, double radius, uint32_t colour, bool square = false) {
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
            const bool in = square ? std::max(std::abs(dx), std::abs(dy)) <= radius
                                   : dx * dx + dy * dy <= radius * radius;
            if (in) pixels[size_t(y0 + y) * width + x0 + x] = colour;
        }
}

TEST_P(RideCheck, ReportsTheStepsWhereTheHeroHoldsNoSail) {
    const RideCase& c = GetParam();
    const std::string mill = "Data/image/windmill.png", ride = "Data/image/ride.png";
    // Its own frames on two rows of three, the ride's five to a row below them.
    const int frames = kOwnFrames + kSteps, millWidth = 5 * c.mill.w, millHeight = 4 * c.mill.h;
    std::vector<uint32_t> millPixels(size_t(millWidth) * millHeight, kClear);
    auto hands = [&](int step, double& x, double& y) { // in the windmill's frame
        const int pose = step % 5;
        x = (kPathX[step] + 2 * kHandsX[pose] * kRideW - c.mill.x) / 2;
        y = (kPathY[step] + 2 * kHandsY[pose] * kRideH - c.mill.y) / 2;
    };
    for (int f = 0; f < frames; ++f) {
        const int step = f - kOwnFrames;
        const int x0 = (step >= 0 ? step % 5 : f % 3) * c.mill.w,
                  y0 = (step >= 0 ? 2 + step / 5 : f / 3) * c.mill.h;
        for (int s : c.onCap) {
            double x, y;
            hands(s, x, y);
            Paint(millPixels, millWidth, x0, y0, c.mill.w, c.mill.h, x, y, 4, kCapRed);
        }
        for (int s = 0; s < kSteps; ++s) {
            const bool sail = c.sails == Sails::Static ? step >= 0 : s == step;
            bool capped = false;
            for (int k : c.onCap)
                capped = capped || k == s;
            if (!sail || capped) continue;
            double x, y;
            hands(s, x, y);
            Paint(millPixels, millWidth, x0, y0, c.mill.w, c.mill.h, x + c.sailShift, y, 3, kInk);
        }
    }
    ASSERT_TRUE(WriteTestPng(mill, millWidth, millHeight, millPixels));
    std::vector<uint32_t> ridePixels(size_t(5) * kRideW * kRideH, kClear);
    for (int f = 0; f < 5; ++f)
        Paint(ridePixels, 5 * kRideW, f * kRideW, 0, kRideW, kRideH, kHandsX[f] * kRideW,
              kHandsY[f] * kRideH, c.poseSide[f] / 2.0, kInk, true);
    ASSERT_TRUE(WriteTestPng(ride, 5 * kRideW, kRideH, ridePixels));

    DataCheck check;
    check.CheckWindmillRide(mill, c.mill, kOwnFrames, ride, kRideW, kRideH);
    ASSERT_EQ(check.problems.size(), c.reported.size()) << c.what;
    for (size_t i = 0; i < c.reported.size(); ++i)
        EXPECT_NE(check.problems[i].find("on step " + std::to_string(c.reported[i]) + " "),
                  std::string::npos)
            << c.what << ": " << check.problems[i];
}

const std::vector<int> kEveryStep = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};

const RideCase kCases[] = {
    {"the sails turn with him", kMillEverywhere, Sails::TurnWithHim, {4, 4, 4, 4, 4}, {}, 0, {}},
    // One picture for every step (the rotor standing still): a sail painted wherever his hands
    // are, but none of it moves with him.
    {"a rotor that stands still holds nobody",
     kMillEverywhere,
     Sails::Static,
     {4, 4, 4, 4, 4},
     {},
     0,
     kEveryStep},
    {"hands on the cap, which does not turn",
     kMillEverywhere,
     Sails::TurnWithHim,
     {4, 4, 4, 4, 4},
     {5, 6},
     0,
     {5, 6}},
    // His body lies on the sail, his hands beside it.
    {"a sail beside his hands",
     kMillEverywhere,
     Sails::TurnWithHim,
     {14, 14, 14, 14, 14},
     {},
     6,
     kEveryStep},
    {"an empty pose fails both of its steps",
     kMillEverywhere,
     Sails::TurnWithHim,
     {4, 4, 0, 4, 4},
     {},
     0,
     {2, 7}},
    // One picture pixel is four page pixels: a touch, but not a hold.
    {"a single pixel of contact is too little",
     kMillEverywhere,
     Sails::TurnWithHim,
     {1, 4, 4, 4, 4},
     {},
     0,
     {0, 5}},
    // Placed right of x 350 (page), the windmill is out of reach of the first seven steps; the
    // path's right part (steps 7 to 9) still meets it.
    {"steps beyond the windmill's frame",
     DataCheck::Placed{350, 0, 150, 250},
     Sails::TurnWithHim,
     {4, 4, 4, 4, 4},
     {},
     0,
     {0, 1, 2, 3, 4, 5, 6}},
};

INSTANTIATE_TEST_SUITE_P(DataCheck, RideCheck, ::testing::ValuesIn(kCases));

} // namespace
