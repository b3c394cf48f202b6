// The level's promise: turning back undoes, page for page, what turning forward did. From many
// states reached by seeded random play on the shipped level, N forward turns with no input (each
// followed by the frames the game runs between turns), then as many backward turns, give back
// the same world.
#include "LevelRoundTrip.h"
#include "level_support.h"
#include <cmath>
#include <cstdlib>
#include <map>
#include <random>

namespace {

class UndoPropertyTest : public ShippedLevelTest {
  protected:
    // A turn and the frames after it. Objects come on the page in the frame after the one whose
    // rules first see them there, so a single frame leaves a state that the next frame still
    // changes; the game runs many frames between turns.
    void Step(int32_t direction) {
        Turn(direction);
        PlayFrame();
    }

    // Failures counted by the differing field, so that one report shows every kind of fault.
    std::map<std::string, int> failuresByField;
    std::string FieldSummary() const {
        std::string out;
        for (const auto& [field, count] : failuresByField)
            out += "\n  " + field + ": " + std::to_string(count);
        return out;
    }

    // N forward turns (fewer when the character gets lost and forward turns are refused), then
    // as many backward turns. Answers the first difference, "" when the world came back.
    std::string RoundTrip(int n) {
        const LevelSnapshot before = TakeSnapshot(*stage);
        int forward = 0;
        while (forward < n && !Locked()) {
            Step(Forward);
            ++forward;
        }
        for (int i = 0; i < forward; ++i)
            Step(Backward);
        LevelSnapshot after = TakeSnapshot(*stage);
        ForgiveAcceptedDifferences(after, before);
        std::string difference = FirstDifference(before, after);
        RestoreSnapshot(before, *stage);
        if (!difference.empty()) ++failuresByField[difference.substr(0, difference.find(':'))];
        if (!difference.empty())
            difference += " (after " + std::to_string(forward) + " turns from page " +
                          std::to_string(before.common.page) + ")";
        return difference;
    }

    void RandomAction(std::mt19937& rng) { RandomPlayerAction(*stage, rng); }
};

TEST_F(UndoPropertyTest, ForwardThenBackwardGivesBackTheWorldFromRandomPlay) {
    const LevelSnapshot fresh = TakeSnapshot(*stage);
    int cases = 0;
    std::string failures;
    int failureCount = 0;
    for (uint32_t seed = 1; seed <= 400; ++seed) {
        RestoreSnapshot(fresh, *stage);
        std::mt19937 rng(seed);
        for (int step = 0; step < 120; ++step) {
            RandomAction(rng);
            if (step % 4 != 3) continue;
            const int n = 1 + int(rng() % 30);
            const std::string difference = RoundTrip(n);
            ++cases;
            if (!difference.empty() && ++failureCount <= 5)
                failures += "\n  seed " + std::to_string(seed) + ", step " + std::to_string(step) +
                            ", N " + std::to_string(n) + ": " + difference;
        }
    }
    EXPECT_EQ(failureCount, 0) << failureCount << " of " << cases
                               << " round trips differed:" << failures
                               << "\nby field:" << FieldSummary();
    EXPECT_GE(cases, 12000);
}

TEST_F(UndoPropertyTest, HandsOffRoundTripsFromEveryPageUntilTheFirstStop) {
    std::string failures;
    int failureCount = 0;
    int page = 0;
    while (!Locked() && page < 200) {
        for (int n : {1, 7, 30}) {
            const std::string difference = RoundTrip(n);
            if (!difference.empty() && ++failureCount <= 5)
                failures += "\n  N " + std::to_string(n) + ": " + difference;
        }
        Step(Forward);
        ++page;
    }
    EXPECT_EQ(failureCount, 0) << failures << "\nby field:" << FieldSummary();
}

} // namespace
