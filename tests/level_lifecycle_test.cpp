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
        ASSERT_EQ(stage.collFrames[i].size(), 5u);
        EXPECT_EQ(stage.collFrames[i][2], (RECT{20, 0, 30, 20}));
        EXPECT_EQ(stage.collFrames[i][4],
                  oneRow.count(i) ? (RECT{40, 0, 50, 20}) : (RECT{10, 20, 20, 40}));
        EXPECT_EQ(level.colls[i].state, carried.count(i) ? 6 : 0);
        EXPECT_EQ(level.colls[i].pageStamp, kNoStamp);
    }
}

TEST_F(LevelInitTest, PlacementsFollowTheirAnchorsThroughChains) {
    RunInit();
    const LevelState& level = stage.level;
    const InventoryBag& bag = InventoryBag::Instance();
    // B74 hangs on B62, which hangs on B60.
    EXPECT_EQ(level.backs[62].x, 2060 + 1077);
    EXPECT_EQ(level.backs[74].x, 2060 + 1077 + 136);
    EXPECT_EQ(level.backs[74].y, 260 + 106 + 166);
    EXPECT_EQ(level.backs[55].y, 489);
    EXPECT_EQ(level.backs[55].x, 2060 + 288 + 5 * 200);
    // B46 is parked far away whatever its file says; its height follows C0.
    EXPECT_EQ(level.backs[46].x, 18500);
    EXPECT_EQ(level.backs[46].y, 300 - 61);
    // Collision objects placed from the background and the bag's items from them.
    EXPECT_EQ(level.colls[22].x, 2060 + 6300);
    EXPECT_EQ(level.colls[22].y, 429);
    EXPECT_EQ(level.colls[14].x, level.backs[50].x + 3000);
    EXPECT_EQ(bag.items[2].x, 3000 + 144);
    EXPECT_EQ(bag.items[12].y, 309 + 198);
    EXPECT_EQ(bag.items[14].x, 2028 + 25);
    EXPECT_EQ(level.backs[15].x, 3006 - 77);

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
