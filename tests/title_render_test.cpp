// Frames of the title captured at key moments and compared with the source pictures.
#include "title_support.h"
#include <algorithm>
#include <filesystem>
#include <functional>
#include <vector>

namespace {

using Frame32 = std::vector<uint32_t>;

Frame32 Capture() {
    const uint32_t* p = headless::Pixels();
    return Frame32(p, p + Graphics::kWidth * Graphics::kHeight);
}

// A black frame with only what draw puts on it.
Frame32 RenderAlone(const std::function<void()>& draw) {
    Graphics& g = Graphics::Instance();
    g.Clear();
    g.BeginScene();
    draw();
    g.EndScene();
    g.Present();
    return Capture();
}

// The layers the title draws after everything else: the cursor and the book's front.
void DrawLayersOnTop() {
    CCommon& common = CCommon::Instance();
    common.DrawCursor();
    common.DrawBookFrame();
    common.DrawPageFront();
    common.DrawPageFrontOver();
}

// Nearly opaque edge pixels let a little of what lies beneath show through.
bool SameColour(uint32_t a, uint32_t b) {
    for (int shift = 0; shift <= 16; shift += 8) {
        int d = int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF);
        if (d > 8 || d < -8) return false;
    }
    return true;
}

int Brightness(uint32_t argb) {
    return int((argb >> 16) & 0xFF) + int((argb >> 8) & 0xFF) + int(argb & 0xFF);
}

struct PictureCheck {
    int compared = 0;     // opaque, uncovered pixels of the picture
    int matching = 0;     // of those, the ones the frame shows unchanged
    int differFromAt = 0; // of those, the ones that differ from the picture at another place
};

// Loads path as the game does and looks at every pixel the picture covers at (x, y, scale):
// where the picture is opaque (drawing it twice changes nothing), not dark, and not changed by
// the layers drawn over it, the frame must show exactly the picture. When other is given, also
// counts the compared pixels at which the picture drawn at other would look different.
PictureCheck ComparePicture(const Frame32& frame, const char* path, int x, int y,
                            float scale = 1.0f, const POINT* other = nullptr) {
    PictureCheck check;
    Texture* texture = nullptr;
    LoadTexture(path, texture);
    if (!texture) {
        ADD_FAILURE() << "cannot load " << path;
        return check;
    }
    Graphics& g = Graphics::Instance();
    auto draw = [&](int px, int py) {
        DrawSprite(255, nullptr, g, texture, px, py, scale, scale, 0.0f);
    };
    const Frame32 once = RenderAlone([&] { draw(x, y); });
    const Frame32 twice = RenderAlone([&] { draw(x, y), draw(x, y); });
    const Frame32 covered = RenderAlone([&] { draw(x, y), DrawLayersOnTop(); });
    Frame32 elsewhere;
    if (other) elsewhere = RenderAlone([&] { draw(other->x, other->y); });

    const int right = std::min(Graphics::kWidth, x + int(texture->width * scale));
    const int bottom = std::min(Graphics::kHeight, y + int(texture->height * scale));
    for (int py = std::max(0, y); py < bottom; ++py) {
        for (int px = std::max(0, x); px < right; ++px) {
            const size_t i = size_t(py) * Graphics::kWidth + px;
            if (once[i] != twice[i] || Brightness(once[i]) < 60 || covered[i] != once[i]) continue;
            ++check.compared;
            check.matching += SameColour(frame[i], once[i]);
            if (other) check.differFromAt += elsewhere[i] != once[i];
        }
    }
    ReleaseTexture(texture);
    return check;
}

constexpr const char* kProbe = "Data/image/Title/main_start.png";

} // namespace

// The menu items at rest, then the start item under the cursor: its lit picture, moved 2 px right
// and down, and clearly unlike the plain one (a warm board, a red outline and word, an underline).
TEST_F(TitleTest, MenuFramesShowTheItemPicturesWhereTheyBelong) {
    if (!std::filesystem::exists(kProbe)) GTEST_SKIP() << kProbe << " has not been generated";
    OpenMenu();
    Frame();
    const Frame32 rest = Capture();
    PictureCheck start = ComparePicture(rest, "Data/image/Title/main_start.png", 300, 340);
    EXPECT_GE(start.compared, 100);
    EXPECT_EQ(start.matching, start.compared);
    PictureCheck quit = ComparePicture(rest, "Data/image/Title/main_quit.png", 300, 520);
    EXPECT_GE(quit.compared, 100);
    EXPECT_EQ(quit.matching, quit.compared);

    headless::MoveMouse(kStartItem.x, kStartItem.y);
    Frame();
    const Frame32 hover = Capture();
    const POINT restPos{300, 340};
    start = ComparePicture(hover, "Data/image/Title/main_start_lit.png", 302, 342, 1.0f, &restPos);
    EXPECT_GE(start.compared, 100);
    EXPECT_EQ(start.matching, start.compared);
    EXPECT_GT(start.differFromAt, 0) << "the picture cannot tell the two positions apart";
    // Plain and lit, each at its own place: most of the board must look different.
    PictureCheck plainThere = ComparePicture(hover, "Data/image/Title/main_start.png", 302, 342);
    EXPECT_GT(plainThere.compared - plainThere.matching, plainThere.compared / 2)
        << "the lit item looks too much like the plain one";
}

// The first logo's frame logoFrameA + 1 over the school splash, and the opening's scaled
// pictures.
TEST_F(TitleTest, SplashAndOpeningFramesShowTheirPictures) {
    if (!std::filesystem::exists(kProbe)) GTEST_SKIP() << kProbe << " has not been generated";
    AdvanceAndFrame(4001);
    for (int i = 0; i < 3; ++i)
        AdvanceAndFrame(101);
    ASSERT_EQ(Common().titlePhase, 1);
    ASSERT_EQ(Title()->logoFrameA, 3);
    const Frame32 logo = Capture();
    PictureCheck check = ComparePicture(logo, "Data/image/Title/Dovrik_4.png", 198, 42);
    EXPECT_GE(check.compared, 100);
    EXPECT_EQ(check.matching, check.compared);

    OpenMenu();
    ClickAt(kStartItem.x, kStartItem.y);
    ASSERT_EQ(Common().titlePhase, 2);
    AdvanceAndFrame(241); // step 1, frame 0
    AdvanceAndFrame(241); // frame 1
    ASSERT_EQ(Title()->openingStep, 1);
    ASSERT_EQ(Title()->openingFrame, 1);
    const Frame32 opening = Capture();
    check = ComparePicture(opening, "Data/image/Title/Opening/Opening_2.png", 0, 0, 2.0f);
    EXPECT_GE(check.compared, 1000);
    EXPECT_EQ(check.matching, check.compared);
}

// The frame in which the splash is skipped draws menu phase 0: the book alone.
TEST_F(TitleTest, SkippingTheSplashShowsTheBookAloneForOneFrame) {
    if (!std::filesystem::exists(kProbe)) GTEST_SKIP() << kProbe << " has not been generated";
    AdvanceAndFrame(4001); // the school splash and the first logo are up
    headless::SetKey(DIK_ESCAPE, true);
    Frame();
    ASSERT_EQ(Common().titlePhase, 0);
    ASSERT_EQ(Common().introDone, 1);
    const Frame32 skipped = Capture();
    const Frame32 book = RenderAlone([] {
        CCommon::Instance().DrawBookBack();
        DrawLayersOnTop();
    });
    EXPECT_TRUE(skipped == book);
    Frame();
    EXPECT_FALSE(Capture() == book) << "the menu did not show on the next frame";
}
