// Loading and releasing the title's pictures and clips, with the full data set, a partial one
// and none at all.
#include "title_support.h"
#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::vector<Texture**> AllSlots(CStage_Title& t) {
    std::vector<Texture**> slots{&t.schoolSplash, &t.groupLogo,  &t.namePlate,   &t.menuBar,
                                 &t.creditsPage,  &t.skipPrompt, &t.openingChar, &t.openingHill};
    auto add = [&slots](Texture** first, int n) {
        for (int i = 0; i < n; ++i)
            slots.push_back(first + i);
    };
    add(t.firstLogo, 7);
    add(t.titleLogo, 7);
    add(t.menuItems, 4);
    add(t.menuItemsLit, 4);
    add(t.helpPages, 3);
    add(t.openingPictures, 3);
    add(t.handFrames, 42);
    add(t.openingEnd, 2);
    return slots;
}

int LoadedCount(CStage_Title& t) {
    int n = 0;
    for (Texture** slot : AllSlots(t))
        n += *slot != nullptr;
    return n;
}

const char* const kProbe = "Data/image/Title/main_start.png";

// Puts the working directory back when the test body ends.
class WorkingDirectoryGuard {
  public:
    ~WorkingDirectoryGuard() { fs::current_path(previous); }
    fs::path previous = fs::current_path();
};

// Replaces the current title by a freshly created and initialised one.
CStage_Title* FreshTitle() {
    SceneManager& scenes = SceneManager::Instance();
    if (scenes.current) {
        scenes.current->Release();
        delete scenes.current;
        scenes.current = nullptr;
    }
    auto* title = new CStage_Title;
    scenes.SetFirstStage(title);
    return title;
}

} // namespace

TEST_F(TitleTest, InitLoadsEveryPictureAndReleaseFreesThemAll) {
    if (!fs::exists(kProbe)) GTEST_SKIP() << kProbe << " has not been generated";
    CStage_Title* t = Title();
    EXPECT_EQ(LoadedCount(*t), CStage_Title::kPictureCount);
    std::set<Texture*> distinct;
    for (Texture** slot : AllSlots(*t))
        distinct.insert(*slot);
    EXPECT_EQ(distinct.size(), size_t(CStage_Title::kPictureCount)) << "a slot loaded twice";
    EXPECT_NE(t->menuMusic.buffer, nullptr);
    EXPECT_NE(t->clickSound.buffer, nullptr);
    EXPECT_NE(t->openingSound.buffer, nullptr);

    t->Release();
    EXPECT_EQ(LoadedCount(*t), 0);
    EXPECT_EQ(t->menuMusic.buffer, nullptr);
    EXPECT_EQ(t->clickSound.buffer, nullptr);
    EXPECT_EQ(t->openingSound.buffer, nullptr);
    SceneManager::Instance().current = nullptr; // released already; TearDown must not again
    delete t;
}

// Only the pictures that exist are loaded, and Release frees just those.
TEST_F(TitleTest, PartialDataLoadsWhatExistsAndReleasesOnlyThat) {
    if (!fs::exists(kProbe)) GTEST_SKIP() << kProbe << " has not been generated";
    const fs::path data = fs::absolute("Data");
    const fs::path scratch = TempDir();
    fs::create_directories(scratch / "Data/image/Title/Opening");
    fs::copy_file(data / "image/Title/School.png", scratch / "Data/image/Title/School.png");
    fs::copy_file(data / "image/Title/Opening/Openinghand_42.png",
                  scratch / "Data/image/Title/Opening/Openinghand_42.png");
    WorkingDirectoryGuard guard;
    fs::current_path(scratch);

    CStage_Title* t = FreshTitle();
    EXPECT_EQ(LoadedCount(*t), 2);
    EXPECT_NE(t->schoolSplash, nullptr);
    EXPECT_NE(t->handFrames[41], nullptr);
    t->Release();
    EXPECT_EQ(LoadedCount(*t), 0);
    SceneManager::Instance().current = nullptr;
    delete t;
}

// Each picture file lands in its own slot and in no other: with only that one file present,
// exactly that slot is loaded.
TEST_F(TitleTest, EachPictureFileFillsExactlyItsOwnSlot) {
    if (!fs::exists(kProbe)) GTEST_SKIP() << kProbe << " has not been generated";
    using T = CStage_Title;
    struct Case {
        const char* file; // under Data/image/Title
        Texture** (*slot)(T&);
    };
    // clang-format off
    const Case cases[] = {
        {"School.png",                [](T& t) { return &t.schoolSplash; }},
        {"Quillfen.png",              [](T& t) { return &t.groupLogo; }},
        {"TeamName.png",              [](T& t) { return &t.namePlate; }},
        {"MenuBar.png",               [](T& t) { return &t.menuBar; }},
        {"main_start.png",            [](T& t) { return &t.menuItems[0]; }},
        {"main_help.png",             [](T& t) { return &t.menuItems[1]; }},
        {"main_credits.png",          [](T& t) { return &t.menuItems[2]; }},
        {"main_quit.png",             [](T& t) { return &t.menuItems[3]; }},
        {"main_credits_lit.png",      [](T& t) { return &t.menuItemsLit[2]; }},
        {"main_quit_lit.png",         [](T& t) { return &t.menuItemsLit[3]; }},
        {"credits.png",               [](T& t) { return &t.creditsPage; }},
        {"Opening/Opening_skip.png",  [](T& t) { return &t.skipPrompt; }},
        {"Opening/OpeningChar.png",   [](T& t) { return &t.openingChar; }},
        {"Opening/OpeningHill.png",   [](T& t) { return &t.openingHill; }},
        {"Dovrik_3.png",              [](T& t) { return &t.firstLogo[2]; }},
        {"PebbleFrost_7.png",         [](T& t) { return &t.titleLogo[6]; }},
        {"help2.png",                 [](T& t) { return &t.helpPages[1]; }},
        {"Opening/Opening_2.png",     [](T& t) { return &t.openingPictures[1]; }},
        {"Opening/OpeningEnd_2.png",  [](T& t) { return &t.openingEnd[1]; }},
        {"Opening/Openinghand_1.png", [](T& t) { return &t.handFrames[0]; }},
    };
    // clang-format on
    const fs::path data = fs::absolute("Data/image/Title");
    WorkingDirectoryGuard guard;
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const fs::path scratch = fs::path(TempDir()) / std::to_string(n++);
        fs::create_directories(scratch / "Data/image/Title/Opening");
        fs::copy_file(data / c.file, scratch / "Data/image/Title" / c.file);
        fs::current_path(scratch);

        CStage_Title* t = FreshTitle();
        EXPECT_EQ(LoadedCount(*t), 1);
        EXPECT_NE(*c.slot(*t), nullptr);
        t->Release();
        SceneManager::Instance().current = nullptr;
        delete t;
    }
}

// Without any data the title still runs its whole flow, silent and empty.
TEST_F(TitleTest, RunsWithoutAnyDataFolder) {
    WorkingDirectoryGuard guard;
    fs::current_path(TempDir());
    CStage_Title* t = FreshTitle();
    EXPECT_EQ(LoadedCount(*t), 0);

    for (int i = 0; i < 170; ++i)
        AdvanceAndFrame(4001); // one splash step per frame
    ASSERT_EQ(Common().introDone, 1);
    ASSERT_EQ(Common().titlePhase, 1);
    ClickAt(kHelpItem.x, kHelpItem.y);
    ASSERT_EQ(Common().titlePhase, 3);
    for (int i = 0; i < 100; ++i)
        AdvanceAndFrame(11);
    EXPECT_EQ(t->helpPageStep, 1);
    ClickAt(10, 10);
    EXPECT_EQ(t->helpPageStep, 2);
}

// ---- Loading in stages (the browser) ---------------------------------------------------------

namespace {

// The browser's way of loading, on for one test; a fresh first title (the splash not yet seen).
class StagedLoading {
  public:
    StagedLoading() {
        CCommon::loadInStages = true;
        CCommon::Instance().introDone = 0;
        CCommon::Instance().titlePhase = 0;
    }
    ~StagedLoading() { CCommon::loadInStages = false; }
};

// The frame in which the key goes down, and only that one.
void PressForAFrame(int code) {
    headless::SetKey(code, true);
    TitleTest::Frame();
    headless::SetKey(code, false);
}

bool AllClipsLoaded(const CStage_Title& t) {
    return t.clickSound.buffer && t.menuMusic.buffer && t.openingSound.buffer;
}

} // namespace

// The first picture goes out with the school splash alone loaded; each later frame of the school
// splash loads one piece more, the book's clips and the music first, and the music then starts
// looping as it would have on the first frame.
TEST_F(TitleTest, InStagesTheSchoolSplashShowsFirstAndTheRestFollowsAPiecePerFrame) {
    if (!fs::exists(kProbe)) GTEST_SKIP() << kProbe << " has not been generated";
    StagedLoading staged;
    CCommon& common = Common();
    common.tearSound.Unload(); // the rest of the book waits for the title too
    ReleaseTexture(common.turnFrames[0]);
    common.restLoaded = false;
    CStage_Title* t = FreshTitle();
    EXPECT_EQ(LoadedCount(*t), 1);
    EXPECT_NE(t->schoolSplash, nullptr);
    EXPECT_EQ(t->clickSound.buffer, nullptr);

    Frame(); // the first picture: nothing more is loaded before it is drawn
    EXPECT_EQ(LoadedCount(*t), 1);
    EXPECT_EQ(PlayCount("menu.ogg"), 0);
    EXPECT_EQ(common.turnFrames[0], nullptr);
    Frame();
    EXPECT_NE(t->clickSound.buffer, nullptr);
    EXPECT_NE(common.tearSound.buffer, nullptr);
    EXPECT_NE(common.turnFrames[0], nullptr);
    EXPECT_EQ(t->menuMusic.buffer, nullptr);
    Frame();
    Frame();
    bool looped = false;
    EXPECT_EQ(PlayCount("menu.ogg", &looped), 1);
    EXPECT_TRUE(looped);
    int frames = 3;
    while (LoadedCount(*t) < CStage_Title::kPictureCount && frames < 100) {
        Frame();
        ++frames;
    }
    EXPECT_EQ(frames, CStage_Title::kLoadPieces) << "one piece a frame after the first";
    EXPECT_TRUE(AllClipsLoaded(*t));
    EXPECT_EQ(common.titlePhase, 0) << "still the school splash";
    EXPECT_EQ(PlayCount("menu.ogg"), 1);
}

// Whatever ends the school splash early loads everything left in the same frame, before the
// picture that needs it is drawn; F2 starts the game without the music ever starting.
TEST_F(TitleTest, InStagesLeavingTheSchoolSplashLoadsTheRestAtOnce) {
    if (!fs::exists(kProbe)) GTEST_SKIP() << kProbe << " has not been generated";
    struct Case {
        const char* what;
        void (*leave)();
        int32_t introDone, titlePhase, menuPlays;
    };
    const Case cases[] = {
        {"Escape", [] { PressForAFrame(DIK_ESCAPE); }, 1, 0, 1},
        {"Return", [] { PressForAFrame(DIK_RETURN); }, 1, 0, 1},
        {"F2", [] { PressForAFrame(DIK_F2); }, 1, 2, 0},
        {"the splash's time", [] { AdvanceAndFrame(4001); }, 0, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        headless::ClearPlayLog();
        StagedLoading staged;
        CStage_Title* t = FreshTitle();
        Frame(); // the first picture
        c.leave();
        EXPECT_EQ(Common().introDone, c.introDone);
        EXPECT_EQ(Common().titlePhase, c.titlePhase);
        EXPECT_EQ(LoadedCount(*t), CStage_Title::kPictureCount);
        EXPECT_TRUE(AllClipsLoaded(*t));
        Frame();
        Frame();
        EXPECT_EQ(PlayCount("menu.ogg"), c.menuPlays);
    }
}

// A title made again after the level or the ending opens at its menu: everything at once.
TEST_F(TitleTest, InStagesATitleShownAgainLoadsEverythingInInit) {
    if (!fs::exists(kProbe)) GTEST_SKIP() << kProbe << " has not been generated";
    StagedLoading staged;
    Common().introDone = 1;
    CStage_Title* t = FreshTitle();
    EXPECT_EQ(LoadedCount(*t), CStage_Title::kPictureCount);
    EXPECT_TRUE(AllClipsLoaded(*t));
}
