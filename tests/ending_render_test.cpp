// What the ending draws phase by phase, what it loads and releases, and how it copes with
// missing pictures.
#include "ending_support.h"
#include <filesystem>
#include <set>
#include <sstream>
#include <vector>

namespace fs = std::filesystem;

namespace {

using Draws = std::vector<headless::DrawRecord>;

std::vector<Texture**> AllSlots(CEnding& e) {
    std::vector<Texture**> slots{&e.roomImage, &e.stoneImage};
    auto add = [&slots](Texture** first, int n) {
        for (int i = 0; i < n; ++i)
            slots.push_back(first + i);
    };
    add(e.smokeImages, CEnding::kSmokePictures);
    add(e.charImages, CEnding::kCharPictures);
    add(e.endImages, CEnding::kEndPictures);
    add(e.handImages, CEnding::kHandPictures);
    return slots;
}

// Every file the ending loads, in its loading order.
std::vector<std::string> PicturePaths() {
    std::vector<std::string> paths{"Data/image/Ending/room.png", "Data/image/Bag/Tear/stone.png"};
    for (int k = 9; k <= 15; ++k)
        paths.push_back("Data/image/Ending/smoke" + std::to_string(k) + ".png");
    for (int k = 1; k <= 16; ++k)
        paths.push_back("Data/image/Ending/char" + std::to_string(k) + ".png");
    for (int k = 1; k <= 5; ++k)
        paths.push_back("Data/image/Ending/end" + std::to_string(k) + ".png");
    for (int k = 1; k <= 6; ++k)
        paths.push_back("Data/image/Ending/hand" + std::to_string(k) + ".png");
    return paths;
}

class WorkingDirectoryGuard {
  public:
    ~WorkingDirectoryGuard() { fs::current_path(previous); }
    fs::path previous = fs::current_path();
};

const char* const kProbe = "Data/image/Ending/smoke9.png";

} // namespace

TEST_F(EndingTest, InitLoadsEveryPictureAndTheClipAndReleaseFreesThemAll) {
    if (!fs::exists(kProbe)) GTEST_SKIP() << kProbe << " has not been generated";
    CEnding* e = StartEnding();
    ASSERT_NE(e, nullptr);
    std::set<Texture*> distinct;
    for (Texture** slot : AllSlots(*e)) {
        EXPECT_NE(*slot, nullptr);
        distinct.insert(*slot);
    }
    EXPECT_EQ(distinct.size(), size_t(CEnding::kPictureCount));
    EXPECT_NE(e->closeSound.buffer, nullptr);

    e->Release();
    for (Texture** slot : AllSlots(*e))
        EXPECT_EQ(*slot, nullptr);
    EXPECT_EQ(e->closeSound.buffer, nullptr);
    SceneManager::Instance().current = nullptr; // released already
    delete e;
}

// Before any step: the book's back sheet, smoke9 where the level's smoke8 was, the book's front
// layers; no cursor even with the mouse free, no help panel even when it was open.
TEST_F(EndingTest, FirstPictureIsSmokeNineInsideTheBook) {
    Common().autoFlip = 0; // the cursor would show in a scene that draws it
    Common().helpStep = 3;
    CEnding* e = StartEnding();
    ASSERT_NE(e, nullptr);
    headless::RecordDraws(true);
    RunFrame();
    const Draws draws = headless::DrawLog();
    headless::RecordDraws(false);
    CCommon& c = Common();
    ASSERT_EQ(draws.size(), 5u);
    EXPECT_EQ(draws[0].texture, c.bookBack);
    EXPECT_EQ(draws[1].texture, e->smokeImages[0]);
    EXPECT_EQ(draws[1].x, 20);
    EXPECT_EQ(draws[1].y, 0);
    EXPECT_EQ(draws[1].sx, 2.0f);
    EXPECT_EQ(draws[1].sy, 2.0f);
    EXPECT_TRUE(draws[1].whole);
    EXPECT_EQ(draws[2].texture, c.bookFrame);
    EXPECT_EQ(draws[3].texture, c.pageFront[c.frontIndex]);
    EXPECT_EQ(draws[4].texture, c.pageFrontOver[c.frontIndex]);
    if (fs::exists(kProbe)) {
        ASSERT_NE(e->smokeImages[0], nullptr);
        EXPECT_EQ(e->smokeImages[0]->width * 2, 780) << "smoke9 covers the page like smoke8";
    }

    // A counter past the last picture draws nothing rather than whatever lies past the pictures.
    e->smokeFrame = CEnding::kSmokePictures;
    headless::RecordDraws(true);
    RunFrame();
    const Draws past = headless::DrawLog();
    headless::RecordDraws(false);
    ASSERT_EQ(e->smokeFrame, CEnding::kSmokePictures) << "the frame stepped the film";
    EXPECT_EQ(past.size(), 4u);
}

// Missing pictures: each is named once on stderr, in loading order, and the film runs to its
// end all the same, drawing what it has.
TEST_F(EndingTest, MissingPicturesAreNamedOnceAndTheFilmRunsOn) {
    if (!fs::exists(kProbe)) GTEST_SKIP() << kProbe << " has not been generated";
    const fs::path data = fs::absolute("Data");
    const fs::path scratch = TempDir();
    const std::set<std::string> kept{"Data/image/Ending/room.png", "Data/image/Ending/smoke9.png",
                                     "Data/image/Ending/char1.png"};
    for (const std::string& p : kept) {
        fs::create_directories((scratch / p).parent_path());
        fs::copy_file(fs::path(data).parent_path() / p, scratch / p);
    }
    WorkingDirectoryGuard guard;
    fs::current_path(scratch);

    testing::internal::CaptureStderr();
    CEnding* e = StartEnding();
    const std::string err = testing::internal::GetCapturedStderr();
    ASSERT_NE(e, nullptr);
    EXPECT_NE(e->roomImage, nullptr);
    EXPECT_NE(e->smokeImages[0], nullptr);
    EXPECT_NE(e->charImages[0], nullptr);
    EXPECT_EQ(e->stoneImage, nullptr);
    EXPECT_EQ(e->closeSound.buffer, nullptr) << "a missing clip stays silent";

    std::vector<std::string> named;
    std::istringstream lines(err);
    for (std::string line; std::getline(lines, line);) {
        bool matched = false;
        for (const std::string& p : PicturePaths()) {
            if (line.find(p + ":") != std::string::npos) {
                named.push_back(p);
                matched = true;
            }
        }
        EXPECT_TRUE(matched) << "unexpected message: " << line;
    }
    std::vector<std::string> missing;
    for (const std::string& p : PicturePaths())
        if (!kept.count(p)) missing.push_back(p);
    EXPECT_EQ(named, missing);
    EXPECT_TRUE(headless::Messages().empty());

    testing::internal::CaptureStderr();
    int steps = 0;
    while (Ending() && steps < 100) {
        StepFrame();
        ++steps;
    }
    testing::internal::GetCapturedStderr(); // the title's own pictures are missing here too
    EXPECT_EQ(steps, kFilmSteps);
    EXPECT_EQ(SceneManager::Instance().sceneNumber, 0);
    EXPECT_EQ(Common().introDone, 1);
}
