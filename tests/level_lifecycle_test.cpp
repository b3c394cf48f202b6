// The level's Init on a small data set written by the test: reading, derived sizes and frames,
// the placements and their chains, and data errors named with their file.
#include "TestSupport.h"
#include "scenes/level/CStage_One.h"
#include "services/InventoryBag.h"
#include "services/ListFiles.h"
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::vector<std::string> dataErrors;
void RecordError(const char* message) {
    dataErrors.push_back(message);
}

struct WorkingDirectoryGuard {
    ~WorkingDirectoryGuard() {
        fs::current_path(previous);
        SetListFileErrorHandler(nullptr);
    }
    fs::path previous = fs::current_path();
};

// Every row of the two placement tables, copied here from the level's design. No anchor is moved
// after a row that reads it, so each row still holds at the end of Init.
struct Ref {
    char kind; // 'B' background object, 'C' collision object, 'T' bag item record
    int index;
};

struct PlacementRow {
    Ref target, anchor;
    int dx, dy;
    bool xAbsolute, yAbsolute; // the number is the coordinate itself
};

const PlacementRow kPlacements[] = {
    {{'B', 5}, {'T', 1}, -182, -168, false, false},
    {{'B', 6}, {'T', 3}, -100, -110, false, false},
    {{'B', 7}, {'T', 4}, -146, -150, false, false},
    {{'B', 8}, {'T', 6}, -39, -13, false, false},
    {{'B', 9}, {'T', 8}, -124, -156, false, false},
    {{'B', 10}, {'C', 2}, -198, -2, false, false},
    {{'B', 20}, {'T', 11}, 89, 0, false, false},
    {{'B', 23}, {'C', 9}, 116, -46, false, false},
    {{'B', 61}, {'B', 60}, 350, 0, false, false},
    {{'B', 62}, {'B', 60}, 1077, 106, false, false},
    {{'B', 63}, {'B', 60}, 4226, -153, false, false},
    {{'B', 64}, {'B', 60}, 2705, 9, false, false},
    {{'B', 65}, {'B', 60}, 5668, 120, false, false},
    {{'B', 66}, {'B', 60}, 7817, 14, false, false},
    {{'B', 67}, {'B', 60}, 617, -46, false, false},
    {{'B', 68}, {'B', 60}, 3633, 113, false, false},
    {{'B', 69}, {'B', 60}, 1423, 72, false, false},
    {{'B', 70}, {'B', 60}, 1722, 145, false, false},
    {{'B', 71}, {'B', 60}, 2167, 49, false, false},
    {{'B', 72}, {'B', 60}, 2517, 9, false, false},
    {{'B', 74}, {'B', 62}, 136, 166, false, false},
    {{'B', 75}, {'B', 65}, 360, 178, false, false},
    {{'B', 73}, {'B', 63}, 12, 158, false, false},
    {{'B', 50}, {'B', 60}, 288, 444, false, false},
    {{'B', 51}, {'B', 50}, 200, 489, false, true},
    {{'B', 52}, {'B', 51}, 200, 489, false, true},
    {{'B', 53}, {'B', 52}, 200, 489, false, true},
    {{'B', 54}, {'B', 53}, 200, 489, false, true},
    {{'B', 55}, {'B', 54}, 200, 489, false, true},
    {{'B', 76}, {'B', 60}, 1412, 322, false, false},
    {{'B', 77}, {'B', 60}, 1625, 227, false, false},
    {{'B', 78}, {'B', 60}, 3365, 277, false, false},
    {{'B', 79}, {'B', 60}, 3315, 30, false, false},
    {{'B', 80}, {'B', 60}, 2014, 289, false, false},
    {{'B', 81}, {'B', 60}, 5135, 56, false, false},
    {{'B', 82}, {'B', 60}, 5288, 379, false, false},
    {{'B', 83}, {'B', 60}, 7299, 454, false, false},
    {{'B', 84}, {'B', 60}, 2203, 261, false, false},
    {{'B', 85}, {'B', 60}, 5338, 30, false, false},
    {{'B', 86}, {'B', 60}, 6356, 88, false, false},
    {{'B', 87}, {'B', 60}, 3648, 194, false, false},
    {{'B', 88}, {'B', 60}, 6380, 413, false, false},
    {{'B', 89}, {'B', 60}, 3913, 322, false, false},
    {{'B', 90}, {'B', 60}, 1800, 332, false, true},
    {{'T', 14}, {'B', 28}, 25, -81, false, false},
    {{'B', 32}, {'B', 5}, -455, 176, false, false},
    {{'B', 33}, {'B', 6}, -1009, 184, false, false},
    {{'B', 34}, {'B', 6}, -697, 274, false, false},
    {{'B', 35}, {'B', 6}, -228, 219, false, false},
    {{'B', 36}, {'B', 6}, 976, 7, false, false},
    {{'B', 37}, {'B', 7}, -510, 89, false, false},
    {{'B', 38}, {'B', 7}, 604, 30, false, false},
    {{'B', 39}, {'B', 8}, -896, -92, false, false},
    {{'B', 40}, {'B', 8}, 497, 120, false, false},
    {{'B', 41}, {'B', 9}, -171, 254, false, false},
    {{'B', 42}, {'B', 9}, 558, 108, false, false},
    {{'B', 43}, {'C', 2}, -582, 24, false, false},
    {{'B', 44}, {'C', 2}, -515, -21, false, false},
    {{'B', 45}, {'C', 2}, -364, 16, false, false},
    {{'B', 46}, {'C', 0}, 18500, -61, true, false},
    {{'B', 47}, {'C', 0}, -510, 224, false, false},
    {{'B', 48}, {'C', 0}, -99, 250, false, false},
    {{'B', 49}, {'C', 0}, 405, 267, false, false},
    {{'C', 14}, {'B', 50}, 3000, -100, false, false},
    {{'C', 22}, {'B', 60}, 6300, 429, false, true},
    {{'C', 23}, {'B', 60}, 3000, 322, false, true},
    {{'C', 18}, {'B', 63}, 203, 166, false, false},
    {{'C', 16}, {'B', 63}, -150, 396, false, false},
    {{'C', 20}, {'B', 90}, 13, 144, false, false},
    {{'C', 24}, {'B', 60}, 6601, 144, false, false},
    {{'B', 15}, {'C', 6}, -77, 46, false, false},
    {{'T', 2}, {'C', 0}, 144, 92, false, false},
    {{'T', 12}, {'C', 9}, 292, 198, false, false},
};

class LevelInitTest : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        // The bag reads its own data from the build folder first.
        InventoryBag::Instance().ResetBag();
        dataErrors.clear();
        SetListFileErrorHandler(&RecordError);
        root = TempDir();
        // Every record gets x = 1000 + slot, y = 100 + slot, 10 x 20 frames, 3 frames, step 4.
        for (int i = 0; i < 17; ++i)
            chars.push_back({1000 + i, 100 + i, 10, 20, 3});
        head = {109, 395, 25, 20};
        for (int i = 0; i < 95; ++i)
            backs.push_back({2000 + i, 200 + i, 10 + i, 20, 4, 1});
        for (int i = 0; i < 25; ++i)
            colls.push_back({3000 + i, 300 + i, 10, 20, 3, 4});
    }

    void Write(const std::string& path, const std::string& text) {
        fs::create_directories(fs::path(root + "/" + path).parent_path());
        std::ofstream(root + "/" + path) << text;
    }
    static std::string Props(const std::vector<int>& values) {
        std::string text;
        for (int v : values)
            text += "value " + std::to_string(v) + "\n";
        return text;
    }
    void WriteKind(const std::string& list, const std::string& folder,
                   const std::vector<std::vector<int>>& records) {
        std::string names;
        for (size_t i = 0; i < records.size(); ++i) {
            const std::string file = "Data/Text/One/" + folder + "/" + std::to_string(i) + ".txt";
            Write(file, Props(records[i]));
            names += "Data\\Text\\One\\" + folder + "\\" + std::to_string(i) + ".txt\n";
        }
        Write("Data/Text/One/" + list, names);
    }
    void WriteData() {
        WriteKind("Char_OBJ.txt", "Char", chars);
        WriteKind("Back_OBJ.txt", "Back", backs);
        WriteKind("Coll_OBJ.txt", "Coll", colls);
        Write("Data/Text/Head_OBJ.txt", Props(head));
        const std::pair<const char*, int> pictureLists[] = {{"Char_Normal.txt", 17},
                                                            {"Char_Head.txt", 6},
                                                            {"Back_OBJ.txt", 95},
                                                            {"Collision_OBJ.txt", 25}};
        for (const auto& [list, n] : pictureLists) {
            std::string names;
            for (int i = 0; i < n; ++i)
                names += "Data\\image\\One\\missing" + std::to_string(i) + ".png\n";
            Write(std::string("Data/Address/One/") + list, names);
        }
    }
    void RunInit() {
        WriteData();
        WorkingDirectoryGuard guard;
        fs::current_path(root);
        stage.Init();
    }

    std::string root;
    std::vector<std::vector<int>> chars, backs, colls;
    std::vector<int> head;
    CStage_One stage;
};

TEST_F(LevelInitTest, ReadsRecordsAndDerivesSizesFramesAndStartStates) {
    chars[4][4] = 0; // an animation without frames
    for (auto& coll : colls)
        coll[4] = 5; // five frames: the fifth shows the strip's shape
    backs[20][2] = 45;
    backs[72][2] = 101;
    RunInit();
    EXPECT_TRUE(dataErrors.empty()) << dataErrors.front();
    const LevelState& level = stage.level;
    EXPECT_EQ(level.chars[3].x, 1003);
    EXPECT_EQ(level.chars[3].dw, 20);
    EXPECT_EQ(level.chars[3].dh, 40);
    ASSERT_EQ(stage.charFrames[3].size(), 3u);
    EXPECT_EQ(stage.charFrames[3][2], (RECT{20, 0, 30, 20}));
    EXPECT_TRUE(stage.charFrames[4].empty());
    EXPECT_EQ(stage.headFrames[4], (RECT{100, 0, 125, 20}));
    EXPECT_EQ(level.head.dw, 50);

    // The long bridge and the cloud bank are drawn larger than the rest.
    EXPECT_EQ(level.backs[20].dw, 30 * 45);
    EXPECT_EQ(level.backs[72].dw, 8 * 101);
    EXPECT_EQ(level.backs[7].dw, 2 * 17);
    EXPECT_EQ(stage.back4Rect, (RECT{0, 0, 14, 20}));
    // Strips of the frame table are cut with the frame size their table names: 80..82 by 56.
    EXPECT_EQ(stage.frameTable[81], (RECT{66, 0, 132, 20}));
    EXPECT_EQ(stage.frameTable[4], (RECT{22, 0, 44, 20}));

    // Collision strips are one row for 5, 11, 15, 17, 18, 19 and 22, two rows of three for the
    // others; 5, 7, 8, 10, 11, 12, 13, 15, 17 and 19 start carried by the world (state 6).
    const std::set<int> oneRow = {5, 11, 15, 17, 18, 19, 22};
    const std::set<int> carried = {5, 7, 8, 10, 11, 12, 13, 15, 17, 19};
    for (int i = 0; i < 25; ++i) {
        SCOPED_TRACE("collision object " + std::to_string(i));
        // The windmill (0) has a frame for each carry step after its own, five to a row below.
        ASSERT_EQ(stage.collFrames[i].size(), i == 0 ? 15u : 5u);
        EXPECT_EQ(stage.collFrames[i][2], (RECT{20, 0, 30, 20}));
        EXPECT_EQ(stage.collFrames[i][4],
                  oneRow.count(i) ? (RECT{40, 0, 50, 20}) : (RECT{10, 20, 20, 40}));
        EXPECT_EQ(level.colls[i].frames, 5) << "the rules step through its own frames only";
        EXPECT_EQ(level.colls[i].state, carried.count(i) ? 6 : 0);
        EXPECT_EQ(level.colls[i].pageStamp, kNoStamp);
    }
    EXPECT_EQ(stage.collFrames[0][5], (RECT{0, 40, 10, 60}));
    EXPECT_EQ(stage.collFrames[0][11], (RECT{10, 60, 20, 80}));
    EXPECT_EQ(stage.collFrames[0][14], (RECT{40, 60, 50, 80}));
}

// The test's data puts every object at a place of its own (x 2000 + slot and so on), so a row
// that is not applied, or applied to the wrong object, shows.
TEST_F(LevelInitTest, EveryPlacedObjectStandsAtItsOffsetFromItsAnchor) {
    RunInit();
    const LevelState& level = stage.level;
    InventoryBag& bag = InventoryBag::Instance();
    auto at = [&](Ref r) -> POINT {
        switch (r.kind) {
        case 'B':
            return POINT{level.backs[r.index].x, level.backs[r.index].y};
        case 'C':
            return POINT{level.colls[r.index].x, level.colls[r.index].y};
        default:
            return POINT{bag.items[r.index].x, bag.items[r.index].y};
        }
    };
    for (const PlacementRow& row : kPlacements) {
        SCOPED_TRACE(std::string(1, row.target.kind) + std::to_string(row.target.index));
        const POINT anchor = at(row.anchor), target = at(row.target);
        EXPECT_EQ(target.x, row.xAbsolute ? row.dx : anchor.x + row.dx);
        EXPECT_EQ(target.y, row.yAbsolute ? row.dy : anchor.y + row.dy);
    }
    // A chain: B74 hangs on B62, which hangs on B60 (x 2060 in its file).
    EXPECT_EQ(level.backs[74].x, 2060 + 1077 + 136);

    // Moving B60 in its file moves everything anchored on it.
    backs[60][0] += 100;
    CStage_One again;
    WriteData();
    {
        WorkingDirectoryGuard guard;
        fs::current_path(root);
        again.Init();
    }
    EXPECT_EQ(again.level.backs[74].x, level.backs[74].x + 100);
    EXPECT_EQ(again.level.colls[24].x, level.colls[24].x + 100);
    EXPECT_EQ(again.level.colls[23].x, level.colls[23].x + 100);
    again.Release();
}

TEST_F(LevelInitTest, AbsurdSizesAndFrameCountsAreReportedWithTheirFile) {
    colls[9][4] = -3;
    chars[2][2] = 100000;
    RunInit();
    ASSERT_EQ(dataErrors.size(), 2u);
    EXPECT_NE(dataErrors[0].find("Char/2.txt"), std::string::npos) << dataErrors[0];
    EXPECT_NE(dataErrors[0].find("frame width"), std::string::npos) << dataErrors[0];
    EXPECT_NE(dataErrors[1].find("Coll/9.txt"), std::string::npos) << dataErrors[1];
    EXPECT_NE(dataErrors[1].find("frame count -3"), std::string::npos) << dataErrors[1];
    EXPECT_TRUE(stage.collFrames[9].empty()) << "never allocated with the bad count";
}

TEST_F(LevelInitTest, MissingHeadFileIsNamed) {
    WriteData();
    fs::remove(root + "/Data/Text/Head_OBJ.txt");
    WorkingDirectoryGuard guard;
    fs::current_path(root);
    stage.Init();
    ASSERT_FALSE(dataErrors.empty());
    EXPECT_NE(dataErrors[0].find("Data/Text/Head_OBJ.txt"), std::string::npos) << dataErrors[0];
}

} // namespace
