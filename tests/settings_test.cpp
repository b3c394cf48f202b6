// The settings that stay between runs: the file in the preference folder, damaged and hostile
// settings files, and the volume keys with the level's volume card.
#include "app/Game.h"
#include "app/Settings.h"
#include "level_support.h"
#include <cstdlib>
#include <filesystem>
#include <fstream>
#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace fs = std::filesystem;

namespace {

class SettingsTest : public HeadlessTest {
  protected:
    // Loads the file, catching what goes to stderr.
    static Settings LoadCapturing(const std::string& path, std::string& err) {
        testing::internal::CaptureStderr();
        Settings s = LoadSettings(path);
        err = testing::internal::GetCapturedStderr();
        return s;
    }

    std::string Write(const std::string& name, const std::string& bytes) {
        const std::string path = TempPath(name);
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
};

int Lines(const std::string& text) {
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

} // namespace

// The file lives in SDL's preference folder, under XDG_DATA_HOME on Linux (so this test never
// touches the real user's folder), and what is saved is read back.
TEST_F(SettingsTest, SavedSettingsAreReadBackFromThePreferenceFolder) {
#ifndef _WIN32
    ASSERT_EQ(setenv("XDG_DATA_HOME", TempDir().c_str(), 1), 0);
    const std::string path = SettingsPath();
    EXPECT_EQ(path, TempDir() + "/PebbleFrost/settings.txt");
#else
    const std::string path = TempPath("settings.txt");
#endif
    std::string err;
    EXPECT_EQ(LoadCapturing(path, err), Settings{}) << "no file yet: the defaults";
    EXPECT_EQ(err, "") << "the first run has no file and says nothing";

    const Settings chosen{1024, 700, 30, true};
    ASSERT_TRUE(SaveSettings(path, chosen));
    EXPECT_EQ(LoadCapturing(path, err), chosen);
    EXPECT_EQ(err, "");
    EXPECT_FALSE(fs::exists(path + ".new"));

    // Written again over the old file.
    const Settings again{640, 480, 0, false};
    ASSERT_TRUE(SaveSettings(path, again));
    EXPECT_EQ(LoadCapturing(path, err), again);
}

// A damaged or hostile file is ignored as a whole: the defaults, and one line on stderr naming
// the file and what is wrong. Valid files may have comments, blank lines, CRLF and any order.
TEST_F(SettingsTest, DamagedOrHostileFilesGiveTheDefaultsWithOneLine) {
    struct Row {
        const char* name;
        std::string bytes;
        const char* says; // nullptr: valid
        Settings expected;
    };
    const Settings defaults;
    const Row rows[] = {
        {"valid",
         "# mine\r\n\r\nmuted 1\r\nvolume 40\r\nwindow 1000 700\r\n",
         nullptr,
         {1000, 700, 40, true}},
        {"empty", "", nullptr, defaults},
        {"partial", "volume 0\n", nullptr, {800, 600, 0, false}},
        {"limits", "window 200 150\nvolume 100\n", nullptr, {200, 150, 100, false}},
        {"unknown", "volume 50\ncolour blue\n", "line 2: unknown setting \"colour\"", defaults},
        {"negative", "window -800 600\n", "bad value for window", defaults},
        {"too small", "window 199 600\n", "bad value for window", defaults},
        {"too large", "window 800 16385\n", "bad value for window", defaults},
        {"overflow", "window 99999999999999999999 600\n", "bad value for window", defaults},
        {"one number", "window 800\n", "bad value for window", defaults},
        {"extra word", "window 800 600 2\n", "bad value for window", defaults},
        {"suffix", "volume 50%\n", "bad value for volume", defaults},
        {"plus sign", "volume +50\n", "bad value for volume", defaults},
        {"loud", "volume 101\n", "bad value for volume", defaults},
        {"muted 2", "muted 2\n", "bad value for muted", defaults},
        {"twice", "volume 10\nvolume 20\n", "line 2: volume is set twice", defaults},
        {"nul", std::string("volume 10\n\0\n", 12), "holds a NUL byte", defaults},
        {"binary", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), "holds a NUL byte", defaults},
        {"huge", std::string(5000, '#'), "is larger than 4096 bytes", defaults},
        {"long name", std::string(3000, 'x') + " 1\n", "unknown setting", defaults},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string path = Write("settings.txt", row.bytes);
        std::string err;
        const Settings read = LoadCapturing(path, err);
        EXPECT_EQ(read, row.expected);
        if (!row.says) {
            EXPECT_EQ(err, "");
            continue;
        }
        EXPECT_EQ(Lines(err), 1) << err;
        EXPECT_NE(err.find(path), std::string::npos) << err;
        EXPECT_NE(err.find(row.says), std::string::npos) << err;
        EXPECT_NE(err.find("using the defaults"), std::string::npos) << err;
        EXPECT_LT(err.size(), 300u) << "the line repeats the file";
    }
}

#ifndef _WIN32
// A folder or a FIFO in the file's place is refused at once, with one line; a write that cannot
// happen says so and leaves nothing behind.
TEST_F(SettingsTest, SpecialFilesAreRefusedAndFailedWritesSaySo) {
    const std::string folder = TempPath("folder.txt");
    fs::create_directory(folder);
    const std::string fifo = TempPath("fifo.txt");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    for (const auto& [path, says] : {std::pair{folder, "is a folder"}, {fifo, "is a pipe"}}) {
        std::string err;
        EXPECT_EQ(LoadCapturing(path, err), Settings{});
        EXPECT_EQ(Lines(err), 1) << err;
        EXPECT_NE(err.find(path), std::string::npos) << err;
        EXPECT_NE(err.find(says), std::string::npos) << err;
    }

    const std::string nowhere = TempPath("missing/settings.txt");
    testing::internal::CaptureStderr();
    EXPECT_FALSE(SaveSettings(nowhere, Settings{}));
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(Lines(err), 1) << err;
    EXPECT_NE(err.find(nowhere), std::string::npos) << err;
    EXPECT_FALSE(fs::exists(TempPath("missing")));
}
#endif

// - and + (and the keypad's) step the volume by 10 between 0 and 100 and turn the sound back on;
// M turns it off and on. The sound device follows at once.
TEST_F(SettingsTest, VolumeKeysStepTheVolumeAndMuteIt) {
    struct Step {
        int key;
        int32_t volume;
        bool muted;
        int played;
    };
    const Step steps[] = {
        {DIK_MINUS, 90, false, 90}, {DIK_SUBTRACT, 80, false, 80}, {DIK_M, 80, true, 0},
        {DIK_M, 80, false, 80},     {DIK_M, 80, true, 0},          {DIK_EQUALS, 90, false, 90},
        {DIK_ADD, 100, false, 100}, {DIK_EQUALS, 100, false, 100}, {DIK_M, 100, true, 0},
        {DIK_MINUS, 90, false, 90},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.key);
        headless::SetKey(step.key, true);
        UpdateFrame();
        headless::SetKey(step.key, false);
        UpdateFrame();
        EXPECT_EQ(Settings::Current().volume, step.volume);
        EXPECT_EQ(Settings::Current().muted, step.muted);
        EXPECT_EQ(MasterVolume(), step.played);
    }
    for (int i = 0; i < 12; ++i) {
        headless::TapKey(DIK_MINUS);
        UpdateFrame();
        UpdateFrame(); // up between two taps
    }
    EXPECT_EQ(Settings::Current().volume, 0);
    EXPECT_EQ(MasterVolume(), 0);

    // Keys count only while the game window is active.
    headless::SetActive(false);
    headless::TapKey(DIK_ADD);
    UpdateFrame();
    EXPECT_EQ(Settings::Current().volume, 0);
}

namespace {

class VolumeCardTest : public ShippedLevelTest {
  protected:
    // The volume card's rows drawn in one rendered frame; each drawn where it belongs, clear of
    // the page's top edge and of the open bag (x 45-330).
    std::vector<int32_t> CardRows() {
        headless::RecordDraws(true);
        stage->Render();
        std::vector<int32_t> rows;
        for (const headless::DrawRecord& d : headless::DrawLog())
            if (d.texture == CCommon::Instance().volumeCards) {
                rows.push_back(d.source.top / 44);
                EXPECT_EQ(d.x, 345);
                EXPECT_EQ(d.y, 36);
            }
        headless::RecordDraws(false);
        return rows;
    }
};

} // namespace

// The level shows the volume for 1.5 seconds after a volume key: its card, or "sound off".
TEST_F(VolumeCardTest, TheLevelShowsTheVolumeBriefly) {
    ASSERT_NE(CCommon::Instance().volumeCards, nullptr)
        << "Data/image/Support/volume.png is missing";
    Settings::Current() = Settings{};
    EXPECT_TRUE(CardRows().empty());
    headless::TapKey(DIK_MINUS);
    UpdateFrame(); // no current scene: only the volume keys
    EXPECT_EQ(CardRows(), std::vector<int32_t>{9});
    headless::AdvanceClock(1500);
    EXPECT_EQ(CardRows(), std::vector<int32_t>{9});
    headless::AdvanceClock(1);
    EXPECT_TRUE(CardRows().empty());
    headless::TapKey(DIK_M);
    UpdateFrame();
    EXPECT_EQ(CardRows(), std::vector<int32_t>{11});
}
