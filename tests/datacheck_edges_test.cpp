// The data checker's edge check: a painted frame that runs into an edge it is not meant to touch
// is reported by picture, frame and edge; see-through borders, allowed edges and a few stray
// pixels pass.
#include "DataCheck.h"
#include "TestSupport.h"
#include "platform/PngDecode.h"
#include <filesystem>
#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <vector>

namespace {

constexpr uint32_t kClear = 0x00000000;
constexpr uint32_t kInk = 0xFF202020;

// A w x h picture, clear except the given rectangles filled with ink.
struct Block {
    int x, y, w, h;
};
std::vector<uint32_t> Painted(int w, int h, const std::vector<Block>& blocks) {
    std::vector<uint32_t> pixels(size_t(w) * h, kClear);
    for (const Block& b : blocks)
        for (int y = b.y; y < b.y + b.h; ++y)
            for (int x = b.x; x < b.x + b.w; ++x)
                pixels[size_t(y) * w + x] = kInk;
    return pixels;
}

struct EdgeCase {
    const char* what;
    const char* file; // under Data/image
    int w, h;
    FrameGrid grid; // w = 0: the whole picture is one frame
    std::vector<Block> ink;
    std::vector<std::string> expected; // substrings, one problem each
};

// Names each case in the test list by what it tries.
void PrintTo(const EdgeCase& c, std::ostream* os) {
    *os << c.what;
}

class EdgeCheck : public ::testing::TestWithParam<EdgeCase> {
  protected:
    void SetUp() override { ASSERT_FALSE(scratch.dir.empty()); }
    ScratchFolder scratch{"pebblefrost_edges_"};
};

TEST_P(EdgeCheck, ReportsExactlyTheCutEdges) {
    const EdgeCase& c = GetParam();
    const std::string path = std::string("Data/image/") + c.file;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    ASSERT_TRUE(WriteTestPng(path, c.w, c.h, Painted(c.w, c.h, c.ink)));
    DataCheck check;
    if (c.grid.w > 0) check.Frames(path, c.grid);
    check.CheckEdges();
    ASSERT_EQ(check.problems.size(), c.expected.size()) << c.what;
    for (size_t i = 0; i < c.expected.size(); ++i)
        EXPECT_NE(check.problems[i].find(c.expected[i]), std::string::npos)
            << c.what << ": " << check.problems[i];
}

const EdgeCase kCases[] = {
    {"ink well inside", "One/Back_OBJ/rock.png", 20, 20, {}, {{4, 4, 12, 12}}, {}},
    {"three stray pixels on an edge pass", "One/Back_OBJ/rock.png", 20, 20, {}, {{0, 5, 1, 3}}, {}},
    {"a cut left side",
     "One/Back_OBJ/rock.png",
     20,
     20,
     {},
     {{0, 5, 6, 4}},
     {"rock.png: 4 painted pixels on its left edge"}},
    {"a flat top and a flat bottom",
     "One/Back_OBJ/hill.png",
     20,
     10,
     {},
     {{2, 0, 16, 10}},
     {"16 painted pixels on its top edge", "16 painted pixels on its bottom edge"}},
    {"one row on the bottom edge",
     "One/Back_OBJ/rock.png",
     10,
     10,
     {},
     {{3, 9, 4, 1}},
     {"4 painted pixels on its bottom edge"}},
    {"the right edge",
     "One/Coll_OBJ/post.png",
     10,
     20,
     {},
     {{5, 2, 5, 10}},
     {"10 painted pixels on its right edge"}},
    {"each frame of a strip has its own edges",
     "One/Back_OBJ/strip.png",
     30,
     10,
     FrameGrid{10, 10, 3, 1, 3, 0},
     {{9, 2, 2, 5}},
     {"frame 0: 5 painted pixels on its right edge", "frame 1: 5 painted pixels on its left edge"}},
    {"frames on a second row",
     "One/Coll_OBJ/rows.png",
     30,
     20,
     FrameGrid{10, 10, 3, 2, 4, 0},
     {{2, 10, 6, 4}},
     {"frame 3: 6 painted pixels on its top edge"}},
    {"a frame that may stand on its bottom edge",
     "One/Back_OBJ/stand.png",
     10,
     10,
     FrameGrid{10, 10, 1, 1, 1, 2},
     {{2, 5, 6, 5}},
     {}},
    {"the ground strip touches every edge",
     "One/Back_OBJ/snowbank_a.png",
     10,
     10,
     {},
     {{0, 0, 10, 10}},
     {}},
    {"book layers fill the screen", "Common/back.png", 10, 10, {}, {{0, 0, 10, 10}}, {}},
    {"a head may join the body at its sides and bottom, never at its top",
     "One/Char/head_plain.png",
     10,
     10,
     {},
     {{0, 0, 10, 10}},
     {"10 painted pixels on its top edge"}},
};

INSTANTIATE_TEST_SUITE_P(DataCheck, EdgeCheck, ::testing::ValuesIn(kCases));

TEST(DataCheckEdges, CountsTheFourBorderLinesOfAFrame) {
    // A 4 x 4 picture; the frame at (1, 0), 3 x 4: its left column is x 1, its bottom row y 3.
    std::vector<uint8_t> rgba(4 * 4 * 4, 0);
    auto ink = [&](int x, int y, uint8_t alpha) { rgba[(y * 4 + x) * 4 + 3] = alpha; };
    ink(0, 1, 255); // outside the frame
    ink(1, 1, 255); // its left edge
    ink(2, 0, 128); // its top edge, just counted
    ink(3, 3, 255); // right and bottom at once
    ink(2, 3, 127); // too faint
    EdgeCounts c = CountEdgePixels(rgba.data(), 4, 1, 0, 3, 4);
    EXPECT_EQ(c.left, 1);
    EXPECT_EQ(c.top, 1);
    EXPECT_EQ(c.right, 1);
    EXPECT_EQ(c.bottom, 1);
}

// A piece lying on the page: the page's cream painted round its border reads as a square of
// paper stuck on the page; ink, faint paper and a little cream along one side do not.
TEST(DataCheckPieces, ReportsAPieceOnASquareOfPaper) {
    constexpr uint32_t kPaper = 0xFFF4ECD6, kFaintPaper = 0x60F4ECD6, kBark = 0xFF6B4A2B;
    struct Fill {
        Block block;
        uint32_t colour;
    };
    struct {
        const char* what;
        int frames;
        std::vector<Fill> fills; // in order, later over earlier
        std::vector<std::string> expected;
    } cases[] = {
        {"the thing alone", 1, {{{6, 6, 8, 8}, kInk}}, {}},
        {"the thing on a square of paper",
         1,
         {{{1, 1, 18, 18}, kPaper}, {{6, 6, 8, 8}, kInk}},
         {"piece.png: the page's paper colour fills 74% of the piece's border"}},
        {"a dark plank filling its box", 1, {{{0, 3, 20, 14}, kBark}}, {}},
        {"a faint pale rim", 1, {{{1, 1, 18, 18}, kFaintPaper}, {{6, 6, 8, 8}, kInk}}, {}},
        {"cream along one side (7% of the band)", 1, {{{0, 0, 20, 1}, kPaper}}, {}},
        {"cream along two sides (13%)",
         1,
         {{{0, 0, 20, 1}, kPaper}, {{0, 19, 20, 1}, kPaper}},
         {"fills 13%"}},
        {"only the second frame on paper",
         2,
         {{{21, 1, 18, 18}, kPaper}},
         {"piece.png: frame 1: the page's paper colour"}},
    };
    for (const auto& c : cases) {
        ScratchFolder scratch{"pebblefrost_pieces_"};
        ASSERT_FALSE(scratch.dir.empty());
        const std::string path = "Data/image/Bag/piece.png";
        std::filesystem::create_directories("Data/image/Bag");
        const int w = 20 * c.frames, h = 20;
        std::vector<uint32_t> pixels(size_t(w) * h, kClear);
        for (const Fill& f : c.fills)
            for (int y = f.block.y; y < f.block.y + f.block.h; ++y)
                for (int x = f.block.x; x < f.block.x + f.block.w; ++x)
                    pixels[size_t(y) * w + x] = f.colour;
        ASSERT_TRUE(WriteTestPng(path, w, h, pixels));
        DataCheck check;
        check.Frames(path, {20, 20, c.frames, 1, c.frames, 0});
        check.pieceOnPage.push_back(path);
        check.CheckPiecesBlendIn();
        ASSERT_EQ(check.problems.size(), c.expected.size()) << c.what;
        for (size_t i = 0; i < c.expected.size(); ++i)
            EXPECT_NE(check.problems[i].find(c.expected[i]), std::string::npos)
                << c.what << ": " << check.problems[i];
    }
}

// Two pictures placed on the screen: only pixels painted in both count.
TEST(DataCheckNotices, OverlapCountsPixelsPaintedInBoth) {
    auto picture = [](int w, int h, const std::vector<Block>& blocks) {
        DecodedPng p;
        p.width = w;
        p.height = h;
        for (uint32_t c : Painted(w, h, blocks)) {
            p.rgba.insert(p.rgba.end(),
                          {uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c), uint8_t(c >> 24)});
        }
        return p;
    };
    const DecodedPng a = picture(10, 10, {{6, 6, 4, 4}}); // painted in its lower-right corner
    const DecodedPng b = picture(10, 10, {{0, 0, 3, 2}}); // painted in its upper-left corner
    struct {
        int bx, by, expected;
    } cases[] = {
        {6, 6, 6},   // b's 3 x 2 lies inside a's corner (a at 0, 0)
        {8, 8, 4},   // b reaches past a: only its 2 x 2 inside a counts
        {10, 6, 0},  // side by side, touching
        {0, 0, 0},   // boxes overlap, paint does not
        {-2, -1, 0}, // b left of and above a
    };
    for (auto c : cases)
        EXPECT_EQ(OverlappingPixels(a, 0, 0, b, c.bx, c.by), c.expected) << c.bx << ", " << c.by;
}

// A picture on the title's page: what it paints from the page's edge rightwards is counted,
// wherever the picture is placed.
TEST(DataCheckTitlePage, CountsWhatIsPaintedRightOfThePageEdge) {
    DecodedPng p;
    p.width = 10;
    p.height = 2;
    p.rgba.assign(size_t(p.width) * p.height * 4, 0);
    auto ink = [&](int x, int y, uint8_t alpha) {
        p.rgba[(size_t(y) * p.width + x) * 4 + 3] = alpha;
    };
    ink(6, 0, 255);
    ink(9, 1, 128); // just counted
    ink(8, 1, 127); // too faint
    struct {
        int placedX, edge, expected;
    } cases[] = {
        {0, 7, 1},     // only x 9 lies at or right of 7
        {0, 6, 2},     // the edge itself counts
        {100, 106, 2}, // placed further right: the same columns
        {0, 10, 0},    // all of it left of the edge
        {20, 5, 2},    // all of it right of the edge
    };
    for (auto c : cases)
        EXPECT_EQ(PaintedRightOf(p, c.placedX, c.edge), c.expected) << c.placedX << ", " << c.edge;
}

} // namespace
