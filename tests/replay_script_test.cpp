// The input scripts of the walkthrough and the replay tool: what a bad line says, and a short
// run through the real game.
#include "GifWriter.h"
#include "ScriptPlayer.h"
#include "TestSupport.h"
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <vector>

// Each run starts from a fresh process's state, whatever an earlier test in this process left.
class ScriptTest : public HeadlessTest {};

TEST_F(ScriptTest, BadLinesAreRefusedNamingTheScriptAndLine) {
    struct Case {
        const char* text;
        const char* error;
    };
    const Case cases[] = {
        {"wait 10\nfly 3\n", "s.txt:2: unknown command 'fly'"},
        {"# a comment\n\nwait ten\n", "s.txt:3: 'ten' is not a number"},
        {"key Tab\n", "s.txt:1: unknown key 'Tab'"},
        {"click 10\n", "s.txt:1: 'click' takes 2 values, not 1"},
        {"turn 1 0 5\n", "s.txt:1: 'turn' takes 0 to 2 values, not 3"},
        {"expect colour 3\n", "s.txt:1: unknown value to check 'colour'"},
        {"until item.15 1\n", "s.txt:1: unknown value to check 'item.15'"},
        {"wait 99999999999\n", "s.txt:1: '99999999999' is not a number"},
    };
    for (const Case& c : cases) {
        ScriptPlayer player;
        EXPECT_FALSE(player.Parse(c.text, "s.txt")) << c.text;
        EXPECT_EQ(player.error, c.error);
    }
    ScriptPlayer player;
    EXPECT_FALSE(player.Load("no/such/script.txt"));
    EXPECT_EQ(player.error, "cannot open script 'no/such/script.txt'");
    EXPECT_TRUE(player.Parse("key Escape # skip\nexpect item.3 1\nturn 2 0\n", "ok.txt"));
    EXPECT_EQ(player.lines.size(), 3u);
    EXPECT_EQ(player.lines[2].number, 3);
}

// Title, menu, Quit: the game ends the way a player ends it.
TEST_F(ScriptTest, ARunPlaysTheRealGameToItsQuit) {
    ScriptPlayer player;
    ASSERT_TRUE(player.Parse("expect scene 0\n"
                             "key Escape\n"
                             "wait 1500\n"
                             "click 400 545\n"
                             "until quit 1 5000\n"
                             "expect quit 1\n",
                             "quit.txt"))
        << player.error;
    ASSERT_TRUE(player.Run()) << player.error;
    EXPECT_TRUE(player.quitTaken);
}

TEST_F(ScriptTest, AFailedCheckNamesItsLine) {
    ScriptPlayer player;
    ASSERT_TRUE(player.Parse("wait 100\nexpect scene 1\n", "scene.txt"));
    EXPECT_FALSE(player.Run());
    EXPECT_EQ(player.error, "scene.txt:2: scene is 0, not 1");
}

TEST_F(ScriptTest, GifWriterWritesAnAnimatedPicture) {
    const std::string path =
        (std::filesystem::temp_directory_path() / "pebblefrost_test.gif").string();
    {
        GifWriter gif;
        ASSERT_TRUE(gif.Open(path, 4, 3));
        std::vector<uint32_t> pixels(12, 0xFFFF0000);
        gif.AddFrame(pixels.data(), 10);
        pixels.assign(12, 0xFF0000FF);
        gif.AddFrame(pixels.data(), 10);
    }
    std::vector<char> bytes;
    {
        std::ifstream in(path, std::ios::binary); // closed before the removal: Windows refuses
        bytes.assign(std::istreambuf_iterator<char>(in), {}); // to remove an open file
    }
    std::filesystem::remove(path);
    ASSERT_GT(bytes.size(), 800u); // header, 256-colour palette, loop block, two frames
    EXPECT_EQ(std::string(bytes.data(), 6), "GIF89a");
    EXPECT_EQ(bytes[6], 4);
    EXPECT_EQ(bytes[8], 3);
    EXPECT_EQ(bytes.back(), 0x3B);
}
