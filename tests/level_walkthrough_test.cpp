// The shipped game played by scripted input on the virtual clock, as a player would: the
// walkthrough script solves the level and plays on through the ending to Quit, and a game left
// alone stops at the first hazard.
#include "ScriptPlayer.h"
#include "TestSupport.h"
#include "platform/Headless.h"
#include "platform/PngDecode.h"
#include "platform/Window.h"
#include "wrong_turns.h"
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

namespace {

// From the title into the level: past the splash, Start, past the opening film.
constexpr const char* kIntoTheLevel = R"(
wait 500
key Escape
wait 1500
click 400 365
wait 1200
key Escape
until scene 1
)";

void Play(ScriptPlayer& player) {
    player.wantPicture = [](int) { return false; }; // the checks need no pictures
    EXPECT_TRUE(player.Run()) << player.error;
}

} // namespace

// The whole game as a player plays it: title, level solved, closing sequence, ending film, the
// title's menu, Quit. After every turn the script checks the page, the notices, the lock and the
// hero's state; a failure names the script line where the run went wrong.
// Each run starts from a fresh process's state, whatever an earlier test in this process left.
class LevelWalkthrough : public HeadlessTest {};

TEST_F(LevelWalkthrough, TheScriptPlaysTheWholeGameFromTitleToQuit) {
    ScriptPlayer player;
    ASSERT_TRUE(player.Load(PEBBLEFROST_SOURCE_DIR "/tests/scripts/walkthrough.txt"))
        << player.error;
    Play(player);
}

TEST_F(LevelWalkthrough, LeftAloneTheHeroStopsAtTheBoulderAndTurningBackWalksAgain) {
    ScriptPlayer player;
    const std::string script = std::string(kIntoTheLevel) + R"(
expect autoFlip 1
until forwardLock 1 6500    # the pages turn by themselves, five a second: about 30 pages
expect charState 1
expect notice.1 1
expect pageNotice 1
expect autoFlip 0
back 3
expect charState 0
expect forwardLock 0
expect notice.1 0
expect pageNotice 0
)";
    ASSERT_TRUE(player.Parse(script, "hands-off")) << player.error;
    Play(player);
    int32_t page = -1;
    ASSERT_TRUE(ScriptPlayer::Read("page", page));
    EXPECT_GE(page, 20);
    EXPECT_LE(page, 27); // three pages back from the lock, which came within 30 pages
}

// The player reports where a script goes wrong, so a broken walkthrough is easy to mend.
TEST_F(LevelWalkthrough, AFailedCheckNamesTheScriptLine) {
    ScriptPlayer player;
    const std::string script = std::string(kIntoTheLevel) + "key S\nturn 3 0\nturn 1 2\n";
    ASSERT_TRUE(player.Parse(script, "broken"));
    player.wantPicture = [](int) { return false; };
    EXPECT_FALSE(player.Run());
    EXPECT_NE(player.error.find("broken:11:"), std::string::npos) << player.error;
    EXPECT_NE(player.error.find("state 0, not 2"), std::string::npos) << player.error;

    ScriptPlayer unknown;
    EXPECT_FALSE(unknown.Parse("expect notice.9 1\n", "words"));
    EXPECT_NE(unknown.error.find("words:1:"), std::string::npos) << unknown.error;
}

class UnsolvedPuzzle : public HeadlessTest, public ::testing::WithParamInterface<WrongTurn> {};

TEST_P(UnsolvedPuzzle, LocksThePagesAndTurningBackPlaysOn) {
    const WrongTurn& wrong = GetParam();
    ScriptPlayer player;
    ASSERT_TRUE(player.Parse(wrong.script, PEBBLEFROST_SOURCE_DIR "/tests/scripts/wrong"))
        << wrong.name << ": " << player.error;
    player.wantPicture = [](int) { return false; };
    EXPECT_TRUE(player.Run()) << wrong.name << ": " << player.error;
}

std::string WrongTurnName(const ::testing::TestParamInfo<WrongTurn>& info) {
    return kWrongTurnNames[info.index];
}

INSTANTIATE_TEST_SUITE_P(LevelWalkthrough, UnsolvedPuzzle, ::testing::ValuesIn(kWrongTurns),
                         WrongTurnName);

// The troll's nearest hint, followed as a player reads it: without the living snowman, turn to
// just after the troll stops in the lane (page 335) and put the lantern on the ground by the
// pebble, far from the troll. Its light grows over three pages and the troll flees, before the
// pebble reaches it.
TEST_F(LevelWalkthrough, TheLanternPutDownAsTheHintSaysFrightensTheTrollOff) {
    ScriptPlayer player;
    ASSERT_TRUE(player.Parse(R"(
play level/01_to_the_boardwalk.txt
play level/02_plank_imp_fox.txt
play level/03_elk_ride.txt
turn 27 0
turn 9 11           # the bell
turn 3 0
expect page 305
tear 5              # the lantern
turn 30 0
expect page 335
expect coll.7 1     # the troll stands in the lane
put 5 300 500       # on the ground by the pebble
turn 7 0
expect back.17 3    # the lantern's light
turn 4 0
expect coll.8 1     # the troll runs off
expect coll.7 5
)",
                             PEBBLEFROST_SOURCE_DIR "/tests/scripts/lantern"))
        << player.error;
    player.wantPicture = [](int) { return false; };
    EXPECT_TRUE(player.Run()) << player.error;
}

// The pine cone's hints, followed as a player reads them. A walker who got past the fence (the
// boulder smashed it) and leaves the elk asleep meets the crow's cone under the tall pine. The key
// put down right in the cone's way turns into the tin bird, which meets the cone and tumbles down
// (B29), but the cone falls on and still hits the pebble: nothing put in its way stops it, as the
// nearer hint says. The nearest hint's way does pass: turn back to the sleeping elk, wake it with
// the windmill's bird and ride it past the tall pine (taking the boulder back on its page).
TEST_F(LevelWalkthrough, UnderTheTallPineOnlyTheRiderPassesTheCone) {
    ScriptPlayer player;
    ASSERT_TRUE(player.Parse(R"(
play level/01_to_the_boardwalk.txt
tear 14             # the key on the gatepost
put 11 426 550      # the plank, the wheel, the acorn and the fox as the walkthrough plays them
turn 8 0
tear 12
turn 23 0
tear 6
turn 5 0
put 12 587 444
turn 37 0
expect page 185
turn 9 0            # the bird kept: the pebble slips off the sleeping elk
turn 5 4
turn 11 0
expect page 210
put 0 330 500       # the boulder rolls into the fence and smashes it
turn 23 0
expect page 233
expect coll.19 1    # the crow's cone falls, right above the pebble
put 14 200 330      # the key, right beside the falling cone
turn 2 0
expect coll.13 5    # the tin bird met the cone and is gone,
expect back.29 1    # tumbling down
expect coll.19 1    # and the cone falls on
turn 3 0
key D               # hit by the pine cone at page 239
expect charState 1
expect lastStop 4
key D
key D
expect forwardLock 1
expect notice.3 1
back 56
expect page 185
put 2 658 476       # the bird just above the muzzle
turn 1 0
expect coll.1 2     # the elk wakes
turn 10 0
turn 5 3
turn 9 5
expect page 210
click 330 500       # the boulder taken back on its own page, or it would throw the rider off
expect item.0 5
turn 3 5
turn 5 9            # over the fence
turn 7 5
turn 20 5           # under the tall pine and past it, riding
expect page 245
)",
                             PEBBLEFROST_SOURCE_DIR "/tests/scripts/pine_cone"))
        << player.error;
    player.wantPicture = [](int) { return false; };
    EXPECT_TRUE(player.Run()) << player.error;
}

// What lands on the sleeping elk's muzzle, put down where the walkthrough puts the bird (page 185):
// only the bird, the one that sings, wakes it, as the fence's nearer hint says. A fruit or the
// acorn lands and the elk sleeps on; the boulder rolls into it and knocks it out for good.
struct MuzzleLanding {
    const char* piece;
    int item;
    int elkState;   // coll.1 a turn later: 1 asleep, 2 waking, 5 knocked out
    int knockedOut; // back.2, the elk bowled over: 1 shown, 2 hidden
};
constexpr MuzzleLanding kMuzzleLandings[] = {
    {"bird", 2, 2, 2}, {"acorn", 6, 1, 2},   {"apple", 1, 1, 2},
    {"pear", 3, 1, 2}, {"boulder", 0, 5, 1},
};

TEST_F(LevelWalkthrough, OnlyTheSingingBirdOnTheMuzzleWakesTheElk) {
    for (const MuzzleLanding& row : kMuzzleLandings) {
        ScriptPlayer player;
        const std::string n = std::to_string(row.item);
        ASSERT_TRUE(player.Parse(R"(
play level/01_to_the_boardwalk.txt
play level/02_plank_imp_fox.txt
put )" + n + R"( 658 476
turn 2 0
expect coll.1 )" + std::to_string(row.elkState) +
                                     "\nexpect back.2 " + std::to_string(row.knockedOut) + "\n",
                                 PEBBLEFROST_SOURCE_DIR "/tests/scripts/muzzle"))
            << row.piece << ": " << player.error;
        player.wantPicture = [](int) { return false; };
        EXPECT_TRUE(player.Run()) << row.piece << ": " << player.error;
    }
}

// The page number stays readable on every page of the walkthrough: on every 25th frame of the
// level (the cursor away from it), the ink of each digit shows in the picture as the digit strip
// paints it, not hidden under a piece, the hero or the scenery.
TEST_F(LevelWalkthrough, ThePageNumberShowsOnEverySampledPage) {
    DecodedPng digits;
    std::string why;
    ASSERT_TRUE(DecodePng("Data/image/Support/page_digits.png", 4096, digits, why)) << why;
    constexpr int kCell = 12, kX = 400, kY = 578, kEvery = 25;
    ScriptPlayer player;
    ASSERT_TRUE(player.Load(PEBBLEFROST_SOURCE_DIR "/tests/scripts/walkthrough.txt"))
        << player.error;
    player.wantPicture = [](int frame) { return frame % kEvery == 0; };
    int checked = 0;
    std::string hidden;
    player.onFrame = [&](int frame) {
        int32_t scene = 0, page = 0, smoke = 0, autoFlip = 0;
        ScriptPlayer::Read("scene", scene);
        ScriptPlayer::Read("page", page);
        ScriptPlayer::Read("smoke", smoke);
        ScriptPlayer::Read("autoFlip", autoFlip);
        if (frame % kEvery != 0 || scene != 1 || smoke != 0 || page < 0) return;
        const std::string text = std::to_string(page);
        const int left = kX - int(text.size()) * kCell / 2;
        const bool cursorNear = !autoFlip && cursorX > left - 48 &&
                                cursorX < left + int(text.size()) * kCell + 8 && cursorY > kY - 48;
        if (cursorNear) return;
        int ink = 0, shown = 0;
        for (size_t i = 0; i < text.size(); ++i)
            for (int y = 0; y < digits.height; ++y)
                for (int x = 0; x < kCell; ++x) {
                    const uint8_t* p =
                        &digits.rgba[(size_t(y) * digits.width + (text[i] - '0') * kCell + x) * 4];
                    if (p[3] != 255 || p[0] + p[1] + p[2] > 400) continue; // the dark core
                    ++ink;
                    const uint32_t q = headless::Pixel(left + int(i) * kCell + x, kY + y);
                    const int diff = std::abs(int(q >> 16 & 255) - p[0]) +
                                     std::abs(int(q >> 8 & 255) - p[1]) +
                                     std::abs(int(q & 255) - p[2]);
                    shown += diff < 60;
                }
        ++checked;
        if (ink == 0 || shown * 10 < ink * 9)
            hidden += " page " + std::to_string(page) + " (frame " + std::to_string(frame) + ": " +
                      std::to_string(shown) + " of " + std::to_string(ink) + " ink pixels)";
    };
    EXPECT_TRUE(player.Run()) << player.error;
    EXPECT_GT(checked, 50);
    EXPECT_EQ(hidden, "") << "the page number is hidden on";
}
