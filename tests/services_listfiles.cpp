#include "TestSupport.h"
#include "services/ListFiles.h"
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>

namespace fs = std::filesystem;

namespace {

// List-file errors become exceptions so a test can read the message.
struct DataError : std::runtime_error {
    using std::runtime_error::runtime_error;
};
void ThrowDataError(const char* message) {
    throw DataError(message);
}

class ListFilesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = MakeTempDir("pf");
        ASSERT_FALSE(dir.empty()) << "cannot make a temporary folder";
        SetListFileErrorHandler(&ThrowDataError);
    }
    void TearDown() override {
        SetListFileErrorHandler(nullptr);
        fs::remove_all(dir);
    }
    std::string Write(const std::string& name, const std::string& text) {
        fs::path path = dir / name;
        std::ofstream(path) << text;
        return path.string();
    }
    std::string ErrorOf(const std::function<void()>& read) {
        try {
            read();
        } catch (const DataError& e) {
            return e.what();
        }
        return "";
    }
    fs::path dir;
};

struct Record {
    int32_t a, b, c;
    int32_t derived; // not read from the file
};

} // namespace

TEST_F(ListFilesTest, PathListReadsExactlyNTokensWhateverTheLineLayout) {
    std::string file =
        Write("list.txt", "Data\\image\\a.png   Data\\image\\b.png\n\n\tc.png\nd.png\ne.png\n");
    PathSlot slots[4];
    ReadPathList(file.c_str(), 4, slots);
    EXPECT_STREQ(slots[0].path, "Data/image/a.png"); // backslashes become our separators
    EXPECT_STREQ(slots[1].path, "Data/image/b.png");
    EXPECT_STREQ(slots[2].path, "c.png");
    EXPECT_STREQ(slots[3].path, "d.png"); // the fifth path is never read
}

TEST_F(ListFilesTest, ShortPathListNamesTheMissingEntryAndLeavesTheRestEmpty) {
    std::string file = Write("short.txt", "one.png\n");
    PathSlot slots[3];
    std::snprintf(slots[2].path, sizeof slots[2].path, "stale");
    std::string message = ErrorOf([&] { ReadPathList(file.c_str(), 3, slots); });
    EXPECT_NE(message.find("path 2 of 3 in list file '" + file + "' is missing"), std::string::npos)
        << message;
    EXPECT_STREQ(slots[0].path, "one.png");
    EXPECT_STREQ(slots[1].path, "");
    EXPECT_STREQ(slots[2].path, "");
}

TEST_F(ListFilesTest, PathLengthLimitIs69Characters) {
    std::string longest(69, 'p');
    std::string tooLong(70, 'q');
    PathSlot slots[1];
    ReadPathList(Write("ok.txt", longest).c_str(), 1, slots);
    EXPECT_EQ(std::string(slots[0].path), longest);

    std::string file = Write("long.txt", "first.png " + tooLong);
    PathSlot two[2];
    std::string message = ErrorOf([&] { ReadPathList(file.c_str(), 2, two); });
    EXPECT_NE(message.find(file), std::string::npos) << message;
    EXPECT_NE(message.find("69"), std::string::npos) << message;
    EXPECT_STREQ(two[1].path, ""); // nothing half-copied
}

TEST_F(ListFilesTest, MissingFilesAreReportedByName) {
    std::string missing = (dir / "nowhere.txt").string();
    PathSlot slots[1];
    EXPECT_NE(ErrorOf([&] { ReadPathList(missing.c_str(), 1, slots); }).find(missing),
              std::string::npos);
    int32_t fields[2];
    EXPECT_NE(ErrorOf([&] { ReadPropertyFile(missing.c_str(), 2, fields); }).find(missing),
              std::string::npos);
}

TEST_F(ListFilesTest, MissingFileEndsTheProcessWithAMessageAndFailureStatus) {
    SetListFileErrorHandler(nullptr); // the game's own behaviour
    std::string missing = (dir / "Head_OBJ.txt").string();
    int32_t fields[4];
    EXPECT_EXIT(ReadPropertyFile(missing.c_str(), 4, fields), ::testing::ExitedWithCode(1),
                "Head_OBJ.txt");
}

TEST_F(ListFilesTest, PropertyValuesGoInOrderWhateverTheLabels) {
    PathSlot slots[2];
    std::snprintf(slots[0].path, sizeof slots[0].path, "%s",
                  Write("a.txt", "v 10\nv -20\nv 30\n").c_str());
    std::snprintf(slots[1].path, sizeof slots[1].path, "%s",
                  Write("b.txt", "y -20 x 10\nz\n30").c_str()); // swapped pairs swap values
    Record records[2];
    records[0].derived = records[1].derived = 77;
    ReadPropertyFiles(slots, 2, 3, &records[0].a, sizeof(Record));
    EXPECT_EQ(records[0].a, 10);
    EXPECT_EQ(records[0].b, -20);
    EXPECT_EQ(records[0].c, 30);
    EXPECT_EQ(records[1].a, -20);
    EXPECT_EQ(records[1].b, 10);
    EXPECT_EQ(records[1].c, 30);
    EXPECT_EQ(records[0].derived, 77); // fields past k are not touched
    EXPECT_EQ(records[1].derived, 77);
}

TEST_F(ListFilesTest, ShortPropertyFileLeavesZeros) {
    int32_t fields[4] = {5, 5, 5, 5};
    ReadPropertyFile(Write("short.txt", "x 12\ny 34\n").c_str(), 4, fields);
    EXPECT_EQ(fields[0], 12);
    EXPECT_EQ(fields[1], 34);
    EXPECT_EQ(fields[2], 0);
    EXPECT_EQ(fields[3], 0);
}

TEST_F(ListFilesTest, BadValuesAndLabelsAreRefusedNamingFileAndLabel) {
    int32_t fields[2] = {7, 7};
    std::string notNumber = Write("nan.txt", "x 12\nwidth twelve\n");
    std::string message = ErrorOf([&] { ReadPropertyFile(notNumber.c_str(), 2, fields); });
    EXPECT_NE(message.find(notNumber), std::string::npos) << message;
    EXPECT_NE(message.find("width"), std::string::npos) << message;
    EXPECT_EQ(fields[0], 12);
    EXPECT_EQ(fields[1], 0) << "a value that is no number leaves 0, not what it half read";

    std::string trailing = Write("trail.txt", "x 12abc\ny 1\n");
    EXPECT_FALSE(ErrorOf([&] { ReadPropertyFile(trailing.c_str(), 2, fields); }).empty());

    std::string huge = Write("huge.txt", "x 4294967296\n");
    EXPECT_FALSE(ErrorOf([&] { ReadPropertyFile(huge.c_str(), 1, fields); }).empty());

    std::string missingValue = Write("novalue.txt", "x 1\ny\n");
    EXPECT_FALSE(ErrorOf([&] { ReadPropertyFile(missingValue.c_str(), 2, fields); }).empty());

    std::string longLabel = Write("label.txt", std::string(20, 'L') + " 5\n");
    message = ErrorOf([&] { ReadPropertyFile(longLabel.c_str(), 1, fields); });
    EXPECT_NE(message.find("19"), std::string::npos) << message;

    int32_t ok[1];
    ReadPropertyFile(Write("label19.txt", std::string(19, 'L') + " -5\n").c_str(), 1, ok);
    EXPECT_EQ(ok[0], -5);
}

TEST_F(ListFilesTest, PropertyListShorterThanTheGameReadsSaysWhichEntryIsMissing) {
    PathSlot slots[3];
    std::snprintf(slots[0].path, sizeof slots[0].path, "%s", Write("one.txt", "v 1\n").c_str());
    int32_t fields[3] = {9, 9, 9};
    std::string message = ErrorOf([&] { ReadPropertyFiles(slots, 3, 1, fields, sizeof(int32_t)); });
    EXPECT_NE(message.find("property file 2 of 3"), std::string::npos) << message;
    EXPECT_EQ(fields[0], 1);
    EXPECT_EQ(fields[1], 0);
}
