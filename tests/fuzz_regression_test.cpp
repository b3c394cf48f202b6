// Every input a fuzz target ever crashed on (tests/fuzz_regressions/<target>/), and the hostile
// files of the probe, replayed through the same code as the fuzzers: none may crash.
#include "../fuzz/FuzzInputs.h"
#include "TestSupport.h"
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::vector<std::string> InputsOf(const std::string& folder) {
    std::vector<std::string> files;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error))
        if (entry.is_regular_file()) files.push_back(entry.path().string());
    return files;
}

std::string Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

template <typename Entry> int Replay(const std::string& folder, Entry entry) {
    int replayed = 0;
    for (const std::string& file : InputsOf(folder)) {
        SCOPED_TRACE(file);
        const std::string bytes = Bytes(file);
        entry(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
        ++replayed;
    }
    return replayed;
}

const std::string kTests = PEBBLEFROST_TEST_SOURCE_DIR;

TEST(FuzzRegressions, FileReadersAndDecodersSurviveEveryCrashInput) {
    const std::string root = kTests + "/fuzz_regressions/";
    Replay(root + "path_list", FuzzPathList);
    Replay(root + "property_file", FuzzPropertyFile);
    Replay(root + "png", FuzzPng);
    Replay(root + "ogg", FuzzOgg);
    // The probe's hostile pictures and clips go through the fuzz entries too.
    int hostile = 0;
    for (const std::string& file : InputsOf(kTests + "/hostile")) {
        const std::string bytes = Bytes(file);
        const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
        if (file.ends_with(".png")) FuzzPng(data, bytes.size()), ++hostile;
        if (file.ends_with(".ogg")) FuzzOgg(data, bytes.size()), ++hostile;
    }
    EXPECT_GE(hostile, 4);
}

class FuzzLevelRegressions : public HeadlessTest {};

// Random play the level fuzzer once found not to give the world back after its round trip (C5's
// blink and item 7 around B4's end, B6's one-way count, a copy of B11 switched off at the page's
// edge, item 13 turned into B27 while the world held still, the knock-down's and the landing's
// places, C21 given back from its copy, the gates while caught by B25, item 13 setting C11 going
// while the world held still, item 14 given back where it was put down, C23 given back beyond the
// page's edge, a knock-down just after the carried path, C0 started by item 0 while the hero rode
// the carried path, C13 given back from B29, item 12 given back where it stood when C9's use
// is turned back, item 13's load on C20 turned back on its page while the world held still, a
// later step of B91's load turned back over a knock-down, C13 from item 14 used while the hero
// lay in the pit, item 0 on the page's edge switched on and off by every frame, so that it set C0
// going after a turn back and not before, C9's leaving made on a backward turn crossed while the
// world stood still, the gates C0's end opened while the hero lay blinking, C0 set going while
// B93 lifted C20's load, the walker hidden by B25 on the turn the carried path ended, C0 set
// going while B91 carried C20's load, C0 set going on the page the lift ended, C20's load turned
// back on its page and its page kept, then read by a turn back while the hero lay blinking, the
// carried path ending during B93's lift and, in an input made from that one, on a later step of
// B91, each of which opened the world again; B93's place after a lift the carried path's end had
// opened, twice; the badger hidden by a load while stamping, or while waving between his
// pictures, the load turned back; knocked down while walking with the put-down items' gate shut;
// knocked off the carried path that had that gate shut, turned back over the fall's start): each
// now does.
TEST_F(FuzzLevelRegressions, RandomPlayInputsGiveTheWorldBackAfterTheirRoundTrip) {
    const uint8_t play[] = {0, 1, 0, 3, 3, 7, 1, 0, 4, 9, 2, 2, 0, 0, 1, 1, 2, 5};
    EXPECT_EQ(FuzzLevelUndo(play, sizeof play), "");
    const int replayed =
        Replay(kTests + "/fuzz_regressions/level_undo",
               [](const uint8_t* data, size_t size) { EXPECT_EQ(FuzzLevelUndo(data, size), ""); });
    EXPECT_GE(replayed, 39);
}

// The same from the walkthrough's checkpoints (the elk used while it drifted with the world, then
// turned back; B2 hidden again where it was shown; a copy of B11 resting on its switching edge;
// C6 off the page with its pieces, turned back before they were put down; item 11 used away from
// its put-down point; C5 used on the turn item 7 in the bag woke it; the walker hidden by B25 on
// a step home; the dismount begun and turned back, its place not kept while riding; the
// dismount's end turned back after a knock-down on its page; C1 used in its first frame on the
// page, given back off it; the flying hero taken by B25; item 0 dropped on C1 while its sequence
// played; C5 used on the page its run ended; item 0 meeting the hero's legs on a page turned
// back into the dismount; B16 hidden again where C7's release found it; the flight begun just
// after the failed climb, turned back; the hero thrown off the ride on the page the climb onto
// the mount ended; knocked down while B93 lifted C20's load, turned back; C6 assembled while the
// hero dismounted; C5 used while C1's sequence held the world; C2 marked again by item 0 in the
// frame after the turn back that took it off the page; the climb onto the mount ended after item
// 0 had used C1 up, turned back; a fifth change of the head's picture while C14 met the walker;
// the lever's start turned back, its place not kept before the lever has played; B16 set going by
// the sun while the lantern's flare held the world, turned back; C5 used on the page its run ended
// while the world held still, turned back; the balloon's flight begun in the frame the pine cone
// knocked the walker down, turned back over its start; the hero thrown off at the dismount's first
// picture, on the page the dismount began, turned back; thrown off on the page the jump ended,
// turned back; the egg loaded on C20 lying on the ground, rolled off before B91 took it, turned
// back over B91's first step; knocked down by the troll, the gates left open, turned back to its
// first picture; the badger stamping when the egg was loaded, the load turned back; the fleeing
// troll used up beside B11 on the page the lantern's flare brought it on, turned back (three
// inputs); B16 set going from C8's far side, off the page, turned back (two); the umbrella dropped
// beyond the page's right edge by B16 walking away, turned back (two); the balloon's flight begun
// while the walker strolled back left after the dismount, turned back (two); the lantern put down
// in the falling pine cone's way, turned back over the page it met the cone (two); landed on the
// turn the lift's end opened the world, turned back over the first blink; the troll used up
// beside B11 on the page C24's sequence ended, turned back, which led B16 back beside it; C22
// used up there likewise; C24's end on the turn the lantern's flare began, turned back; the lever
// begun in the frame the sun put down on the hero shut all the gates, turned back to its first
// picture; C0's sequence ended on the turn after the lift's end had opened the world, turned
// back; the rider taken by B25, turned back over the catch; the fox used beyond the page's right
// edge, given back there waiting off the page, twice; B23's throw of C10 turned back while C9
// showed another picture than its first; C1's end opening three gates while the hero failed the
// climb, which every turn from there sets anew; C12 reaching the goose's place on a page the world
// had held still on, turned back, twice: its picture, and B25 come down for it).
TEST_F(FuzzLevelRegressions, PlayFromWalkthroughCheckpointsGivesTheWorldBack) {
    const int replayed = Replay(kTests + "/fuzz_regressions/level_walkthrough",
                                [](const uint8_t* data, size_t size) {
                                    EXPECT_EQ(FuzzLevelUndoFromWalkthrough(data, size), "");
                                });
    EXPECT_GE(replayed, 62);
}

} // namespace
