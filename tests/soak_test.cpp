// A long seeded run of the whole game on the headless backend: page turns back and forth,
// tearing and putting down, pauses, pages turning by themselves, returns to the title and new
// games. The page never goes negative, every state value stays inside its range and resident
// memory stays flat. The suite runs a few thousand turns; `make soak` sets
// PEBBLEFROST_SOAK_TURNS=100000 (and runs it under the sanitizers too).
#include "app/Game.h"
#include "app/SceneManager.h"
#include "level_support.h"
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#ifndef _WIN32
#include <unistd.h>
#endif

#if defined(__SANITIZE_ADDRESS__)
#define PEBBLEFROST_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define PEBBLEFROST_ASAN 1
#endif
#endif

namespace {

// Counters and values with a fixed range (as LevelState documents them).
struct CounterRange {
    const char* name;
    int32_t LevelCounters::*field;
    int32_t low, high;
};
constexpr CounterRange kCounterRanges[] = {
    {"carryStep", &LevelCounters::carryStep, 0, 9},
    {"b4PathStep", &LevelCounters::b4PathStep, 0, 13},
    {"b12Count", &LevelCounters::b12Count, 0, 4},
    {"b13Frame", &LevelCounters::b13Frame, 0, 2},
    {"b14Count", &LevelCounters::b14Count, 0, 2},
    {"b16Count", &LevelCounters::b16Count, 0, 2},
    {"b17Count", &LevelCounters::b17Count, 0, 4},
    {"b18Frame", &LevelCounters::b18Frame, 0, 2},
    {"b19PathStep", &LevelCounters::b19PathStep, 0, 8},
    {"b19Picture", &LevelCounters::b19Picture, 0, 1},
    {"b21Count", &LevelCounters::b21Count, 0, 3},
    {"b22Count", &LevelCounters::b22Count, 0, 2},
    {"b23Count", &LevelCounters::b23Count, 0, 7},
    {"b24Count", &LevelCounters::b24Count, 0, 3},
    {"b25Count", &LevelCounters::b25Count, 0, 4},
    {"b27Count", &LevelCounters::b27Count, 0, 4},
    {"b29Count", &LevelCounters::b29Count, 0, 3},
    {"b30Count", &LevelCounters::b30Count, 0, 7},
    {"b31Count", &LevelCounters::b31Count, 0, 4},
    {"b56Count", &LevelCounters::b56Count, 0, 2},
    {"b57Count", &LevelCounters::b57Count, 0, 4},
    {"b58Frame", &LevelCounters::b58Frame, 0, 3},
    {"b59Count", &LevelCounters::b59Count, 0, 2},
    {"b73Toggle", &LevelCounters::b73Toggle, 0, 1},
    {"b74Count", &LevelCounters::b74Count, 0, 2},
    {"b75Toggle", &LevelCounters::b75Toggle, 0, 1},
    {"b90Count", &LevelCounters::b90Count, 0, 2},
    {"b91SubStep", &LevelCounters::b91SubStep, 0, 2},
    {"b91Step", &LevelCounters::b91Step, 0, 5},
    {"b93Count", &LevelCounters::b93Count, 0, 4},
    {"b94Count", &LevelCounters::b94Count, 0, 4},
    {"stripCount", &LevelCounters::stripCount, 0, 35},
    {"b71Returns", &LevelCounters::b71Returns, 0, 2},
};
struct ValueRangeEntry {
    const char* name;
    int32_t LevelValues::*field;
    int32_t low, high;
};
constexpr ValueRangeEntry kValueRanges[] = {
    {"c7PathStep", &LevelValues::c7PathStep, 0, 8},
    {"i9PathStep", &LevelValues::i9PathStep, 0, 9},
    {"i12HopStep", &LevelValues::i12HopStep, 0, 16},
    {"b23Mode", &LevelValues::b23Mode, 0, 2},
    {"bagLossSlot", &LevelValues::bagLossSlot, -1, InventoryBag::kItems - 1},
    {"bagLossItem", &LevelValues::bagLossItem, -1, InventoryBag::kItems - 1},
};

// Resident memory of this process (Linux; 0 elsewhere, where the memory check is skipped).
size_t ResidentBytes() {
#ifdef _WIN32
    return 0;
#else
    long pages = 0, resident = 0;
    if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(statm);
    }
    return size_t(resident) * size_t(sysconf(_SC_PAGESIZE));
#endif
}

class SoakTest : public ShippedLevelTest {
  protected:
    void SetUp() override {
        ShippedLevelTest::SetUp();
        if (HasFatalFailure()) return;
        // The scene manager owns the level from here, so the title can replace it.
        SceneManager::Instance().window = window;
        SceneManager::Instance().current = stage; // already started by the fixture
        SceneManager::Instance().sceneNumber = 1;
    }
    void TearDown() override {
        SceneManager::Instance().ChangeStage(-1); // releases and deletes the current scene
        stage = nullptr;
        ShippedLevelTest::TearDown();
    }

    // One frame of the game as the loop runs it; drawn now and then (drawing costs the most).
    void Frame(bool draw) {
        headless::AdvanceClock(16);
        UpdateFrame();
        if (draw) RenderFrame();
        headless::ClearPlayLog(); // the headless mixer's record would grow for ever
        SceneManager& scenes = SceneManager::Instance();
        stage = scenes.sceneNumber == 1 ? static_cast<CStage_One*>(scenes.current) : nullptr;
    }
    void PressKey(int code) {
        headless::SetKey(code, true);
        Frame(false);
        headless::SetKey(code, false);
        Frame(false);
    }
    // As the title's start item does it.
    void NewGame() {
        Common().ResetPlay();
        Bag().ResetBag();
        SceneManager::Instance().ChangeStage(1);
        Frame(true);
        if (stage) Common().autoFlip = 0;
    }
    void BackToTitleAndNewGame() {
        if (stage) stage->level.flags.returnToTitle = 1;
        Frame(true);
        for (int i = 0; i < 30; ++i)
            Frame(i == 0);
        NewGame();
    }

    // The first value out of its range ("" when all are in range).
    std::string OutOfRange() {
        if (!stage) return "";
        const LevelState& level = stage->level;
        auto bad = [](const std::string& name, int64_t value) {
            return name + " = " + std::to_string(value);
        };
        if (Common().page < 0) return bad("page", Common().page);
        if (!(level.charState >= CharWalk && level.charState <= CharSwept) &&
            level.charState != CharHidden)
            return bad("charState", level.charState);
        if (level.headIndex < 0 || level.headIndex >= LevelState::kHeads)
            return bad("headIndex", level.headIndex);
        if (level.smokeStep < 0 || level.smokeStep > 8) return bad("smokeStep", level.smokeStep);
        for (const CounterRange& r : kCounterRanges)
            if (level.counters.*r.field < r.low || level.counters.*r.field > r.high)
                return bad(r.name, level.counters.*r.field);
        for (const ValueRangeEntry& r : kValueRanges)
            if (level.values.*r.field < r.low || level.values.*r.field > r.high)
                return bad(r.name, level.values.*r.field);
        for (int i = 0; i < LevelState::kChars; ++i) {
            const CharObj& c = level.chars[i];
            if (c.frame < 0 || (c.frames > 0 && c.frame >= c.frames))
                return bad("chars[" + std::to_string(i) + "].frame", c.frame);
        }
        for (int i = 0; i < LevelState::kColls; ++i) {
            const CollObj& c = level.colls[i];
            if (c.frame < 0 || (c.frames > 0 && c.frame >= c.frames))
                return bad("colls[" + std::to_string(i) + "].frame", c.frame);
        }
        const InventoryBag& bag = Bag();
        if (bag.count < 0 || bag.count > InventoryBag::kItems) return bad("bag.count", bag.count);
        int occupied = 0;
        for (const BagSlot& slot : bag.slots) {
            occupied += slot.occupied;
            if (slot.item < -1 || slot.item >= InventoryBag::kItems)
                return bad("bag slot item", slot.item);
        }
        if (occupied != bag.count) return bad("bag.count against occupied slots", bag.count);
        for (int i = 0; i < InventoryBag::kItems; ++i)
            if (bag.items[i].state < 0 || bag.items[i].state > ItemFallen)
                return bad("items[" + std::to_string(i) + "].state", bag.items[i].state);
        return "";
    }
};

TEST_F(SoakTest, SeededRandomPlayKeepsThePageStatesAndMemoryInBounds) {
    const char* wanted = std::getenv("PEBBLEFROST_SOAK_TURNS");
    const long turns = wanted ? std::atol(wanted) : 3000;
    std::mt19937 rng(20240611);
    long turned = 0, newGames = 0;
    size_t baseline = 0, peak = 0;
    std::string firstProblem;
    long problems = 0;
    auto check = [&](const char* after) {
        const std::string problem = OutOfRange();
        if (problem.empty()) return;
        if (++problems == 1)
            firstProblem = problem + " after " + after + " at turn " + std::to_string(turned) +
                           " (page " + std::to_string(Common().page) + ")";
    };
    for (long action = 0; turned < turns; ++action) {
        if (!stage) NewGame();
        ASSERT_NE(stage, nullptr);
        const bool draw = action % 64 == 0;     // software drawing costs most of the time
        const int roll = int(rng() % 2000) / 2; // new games are the rarest: 1 in 2000
        if (roll < 560) {
            if (!Locked()) {
                stage->TurnPage(Forward);
                ++turned;
            }
            Frame(draw);
            check("a forward turn");
        } else if (roll < 800) {
            if (Common().page > 0) {
                stage->TurnPage(Backward);
                ++turned;
            }
            Frame(draw);
            check("a backward turn");
        } else if (roll < 870) {
            for (int i = 0; i < InventoryBag::kItems && !TearOut(int(rng() % 15)); ++i) {
            }
            Frame(draw);
            check("a tear");
        } else if (roll < 940) {
            for (int i = 0; i < InventoryBag::kItems; ++i)
                if (PutDown(int(rng() % 15), 100 + int(rng() % 600), 150 + int(rng() % 400))) break;
            Frame(draw);
            check("a put-down");
        } else if (roll < 965) {
            PressKey(DIK_ESCAPE); // the pause menu, a moment, and back
            for (int i = 0; i < 5; ++i)
                Frame(i == 0);
            if (stage) PressKey(DIK_ESCAPE);
            check("a pause");
        } else if (roll < 999) {
            const int32_t before = Common().page;
            Common().autoFlip = 1; // the pages turn by themselves for a second
            for (int i = 0; i < 63 && stage; ++i)
                Frame(i == 0);
            if (stage) Common().autoFlip = 0;
            turned += std::abs(Common().page - before);
            check("pages turning by themselves");
        } else if (rng() % 2 == 0) {
            BackToTitleAndNewGame();
            ++newGames;
            check("a new game");
        } else {
            Frame(draw);
        }
        if (turned >= 1000 && baseline == 0) baseline = ResidentBytes();
        if (baseline) peak = std::max(peak, ResidentBytes());
    }
    const size_t end = ResidentBytes();
    std::printf("soak: %ld turns, %ld new games, resident %.1f MiB at turn 1000, %.1f MiB at the "
                "end (peak %.1f MiB)\n",
                turned, newGames, baseline / 1048576.0, end / 1048576.0, peak / 1048576.0);
    EXPECT_EQ(problems, 0) << problems
                           << " checks found a value out of range; first: " << firstProblem;
#if !defined(PEBBLEFROST_ASAN) &&                                                                  \
    !defined(_WIN32) // ASan keeps freed memory on purpose; no /proc on Windows
    ASSERT_GT(baseline, 0u);
    EXPECT_LT(end, baseline + 2 * 1048576) << "resident memory grew from turn 1000";
#endif
}

} // namespace
