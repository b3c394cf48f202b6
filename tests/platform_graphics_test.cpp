#include "TestSupport.h"
#include <cmath>
#include <fstream>

namespace {

constexpr float kHalfTurn = 3.14159265f;

// A 40 x 100 picture: left half red, right half green, so mirroring and turning show.
class SpriteTest : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        std::vector<uint32_t> pixels(kW * kH);
        for (int y = 0; y < kH; ++y)
            for (int x = 0; x < kW; ++x)
                pixels[y * kW + x] = x < kW / 2 ? kRed : kGreen;
        ASSERT_TRUE(WriteTestPng(TempPath("halves.png"), kW, kH, pixels));
        texture = LoadTestTexture(TempPath("halves.png"));
        ASSERT_NE(texture, nullptr);
        ClearFrame();
    }
    void TearDown() override {
        ReleaseTexture(texture);
        HeadlessTest::TearDown();
    }

    void Draw(int x, int y, float sx, float sy, float rotation = 0.0f, uint8_t alpha = 255) {
        DrawSprite(alpha, &rect, Graphics::Instance(), texture, x, y, sx, sy, rotation);
    }

    static constexpr int kW = 40;
    static constexpr int kH = 100;
    RECT rect{0, 0, kW, kH};
    Texture* texture = nullptr;
};

TEST_F(SpriteTest, UnitScaleAndScaleTwoKeepTheTopLeftCorner) {
    Draw(10, 20, 1.0f, 1.0f);
    PixelBox box = DrawnBox();
    EXPECT_EQ(box.left, 10);
    EXPECT_EQ(box.top, 20);
    EXPECT_EQ(box.right, 50);
    EXPECT_EQ(box.bottom, 120);
    EXPECT_EQ(headless::Pixel(10, 20), kRed);
    EXPECT_EQ(headless::Pixel(49, 119), kGreen);

    ClearFrame();
    Draw(300, 100, 2.0f, 2.0f);
    box = DrawnBox();
    EXPECT_EQ(box.left, 300);
    EXPECT_EQ(box.top, 100);
    EXPECT_EQ(box.right, 380);
    EXPECT_EQ(box.bottom, 300);
    EXPECT_EQ(headless::Pixel(339, 150), kRed);
    EXPECT_EQ(headless::Pixel(340, 150), kGreen);
}

TEST_F(SpriteTest, HalfHeightKeepsTheBottomEdge) {
    Draw(100, 200, 1.0f, 0.5f);
    PixelBox box = DrawnBox();
    EXPECT_EQ(box.top, 250);
    EXPECT_EQ(box.bottom, 300);
    EXPECT_EQ(box.left, 100);
    EXPECT_EQ(box.right, 140);
}

TEST_F(SpriteTest, NegativeScaleMirrorsToTheLeftOfX) {
    Draw(805, 100, -2.0f, 2.0f);
    PixelBox box = DrawnBox();
    EXPECT_EQ(box.left, 805 - 2 * rect.right);
    EXPECT_EQ(box.right, 800); // the rest lies off screen, up to 805
    EXPECT_EQ(box.top, 100);
    EXPECT_EQ(box.bottom, 300);
    // The picture's left (red) half is now on the right, next to x.
    EXPECT_EQ(headless::Pixel(799, 150), kRed);
    EXPECT_EQ(headless::Pixel(726, 150), kGreen);
}

TEST_F(SpriteTest, AlphaScalesThePicturesOwnAlpha) {
    Draw(100, 100, 1.0f, 1.0f, 0.0f, 0);
    EXPECT_TRUE(DrawnBox().Empty());

    Draw(100, 100, 1.0f, 1.0f, 0.0f, 248);
    uint32_t p = headless::Pixel(105, 150);
    EXPECT_GE(Red(p), 244);
    EXPECT_LE(Red(p), 249); // a little of the black below shows through
    EXPECT_EQ(Green(p), 0);
}

TEST_F(SpriteTest, RotationTurnsClockwiseAboutTheCentre) {
    // Centre (100 + 20, 100 + 50); a quarter turn lays the picture on its side.
    Draw(100, 100, 1.0f, 1.0f, kHalfTurn / 2);
    PixelBox box = DrawnBox();
    EXPECT_NEAR(box.left, 70, 1);
    EXPECT_NEAR(box.right, 170, 1);
    EXPECT_NEAR(box.top, 130, 1);
    EXPECT_NEAR(box.bottom, 170, 1);
    // Clockwise on screen: the picture's left (red) half ends up on top.
    EXPECT_EQ(headless::Pixel(120, 140), kRed);
    EXPECT_EQ(headless::Pixel(120, 160), kGreen);
}

TEST_F(SpriteTest, SourceRectangleSelectsAFrame) {
    // The right half only; half extents still come from rect.right and rect.bottom.
    rect = RECT{20, 0, 40, 100};
    Draw(100, 100, 1.0f, 1.0f);
    PixelBox box = DrawnBox();
    EXPECT_EQ(box.left, 100);
    EXPECT_EQ(box.right, 120);
    EXPECT_EQ(headless::Pixel(100, 150), kGreen);

    // Turned half way about (x + 20, y + 50): lands on x + 20 .. x + 40, mirrored upside down.
    ClearFrame();
    Draw(100, 100, 1.0f, 1.0f, kHalfTurn);
    box = DrawnBox();
    EXPECT_NEAR(box.left, 120, 1);
    EXPECT_NEAR(box.right, 140, 1);
}

// A rectangle reaching past the picture draws only what exists, at the given scale: the menu bar's
// reveal asks for rows beyond its picture and must not stretch it.
TEST_F(SpriteTest, RectangleLargerThanThePictureDrawsOnlyThePictureAtScale) {
    rect = RECT{0, 0, 3 * kW, 3 * kH};
    Draw(100, 50, 2.0f, 2.0f);
    PixelBox box = DrawnBox();
    EXPECT_EQ(box.left, 100);
    EXPECT_EQ(box.top, 50);
    EXPECT_EQ(box.right, 100 + 2 * kW);
    EXPECT_EQ(box.bottom, 50 + 2 * kH);
    EXPECT_EQ(headless::Pixel(100 + 2 * kW / 2 - 1, 60), kRed);
    EXPECT_EQ(headless::Pixel(100 + 2 * kW / 2, 60), kGreen);

    // Mirrored, the picture still starts at x and extends to the left.
    ClearFrame();
    Draw(400, 50, -2.0f, 2.0f);
    box = DrawnBox();
    EXPECT_EQ(box.left, 400 - 2 * kW);
    EXPECT_EQ(box.right, 400);
    EXPECT_EQ(box.bottom, 50 + 2 * kH);
    EXPECT_EQ(headless::Pixel(399, 60), kRed);
    EXPECT_EQ(headless::Pixel(400 - 2 * kW, 60), kGreen);

    // A rectangle starting left of and above the picture keeps the picture where it lies in it.
    ClearFrame();
    rect = RECT{-10, -5, kW, kH};
    Draw(100, 50, 2.0f, 2.0f);
    box = DrawnBox();
    EXPECT_EQ(box.left, 120);
    EXPECT_EQ(box.top, 60);
    EXPECT_EQ(box.right, 120 + 2 * kW);
    EXPECT_EQ(box.bottom, 60 + 2 * kH);

    // Nothing of the rectangle inside the picture: nothing drawn.
    ClearFrame();
    rect = RECT{kW, 0, 2 * kW, kH};
    Draw(100, 50, 2.0f, 2.0f);
    EXPECT_TRUE(DrawnBox().Empty());
}

// A frame that repeats the one on show is not drawn again (the loop draws at the display's rate
// even when nothing moves); any change, or a cleared screen, draws it in full.
TEST_F(SpriteTest, SceneRepeatingTheFrameOnShowKeepsItAndAChangeRedraws) {
    Graphics& g = Graphics::Instance();
    auto scene = [&](int x) {
        g.BeginScene();
        Draw(x, 20, 1.0f, 1.0f);
        const bool drew = g.EndScene();
        g.Present();
        return drew;
    };
    EXPECT_TRUE(scene(10));
    EXPECT_EQ(headless::Pixel(10, 20), kRed);
    EXPECT_FALSE(scene(10));
    EXPECT_EQ(headless::Pixel(10, 20), kRed); // still on show

    EXPECT_TRUE(scene(11));
    EXPECT_EQ(headless::Pixel(10, 20), kBlack); // cleared before the moved picture
    EXPECT_EQ(headless::Pixel(11, 20), kRed);

    // Another picture in the same slot is a different picture.
    ReleaseTexture(texture);
    texture = LoadTestTexture(TempPath("halves.png"));
    ASSERT_NE(texture, nullptr);
    EXPECT_TRUE(scene(11));

    ClearFrame();
    EXPECT_TRUE(scene(11));
    EXPECT_EQ(headless::Pixel(11, 20), kRed);
}

TEST_F(SpriteTest, EmptySlotDrawsNothing) {
    EXPECT_NE(DrawSprite(255, &rect, Graphics::Instance(), nullptr, 10, 10, 1, 1, 0), 0);
    EXPECT_TRUE(DrawnBox().Empty());
}

class TextureTest : public HeadlessTest {};

TEST_F(TextureTest, LoadsAtItsOwnSizeWithItsAlpha) {
    std::vector<uint32_t> pixels(37 * 13, 0x00000000); // fully transparent
    pixels[0] = kBlue;
    ASSERT_TRUE(WriteTestPng(TempPath("odd.png"), 37, 13, pixels));
    Texture* texture = LoadTestTexture(TempPath("odd.png"));
    ASSERT_NE(texture, nullptr);
    EXPECT_EQ(texture->width, 37);
    EXPECT_EQ(texture->height, 13);

    ClearFrame();
    DrawSprite(255, nullptr, Graphics::Instance(), texture, 5, 6, 1, 1, 0);
    PixelBox box = DrawnBox();
    EXPECT_EQ(box.left, 5);
    EXPECT_EQ(box.top, 6);
    EXPECT_EQ(box.right, 6);
    EXPECT_EQ(box.bottom, 7);
    EXPECT_EQ(headless::Pixel(5, 6), kBlue);
    ReleaseTexture(texture);
    EXPECT_EQ(texture, nullptr);
}

// The count of the game's own picture memory follows loads and releases, and a refused load
// adds nothing.
TEST_F(TextureTest, LoadedPictureBytesFollowLoadsAndReleases) {
    const size_t before = LoadedPictureBytes();
    ASSERT_TRUE(WriteSolidPng(TempPath("a.png"), 37, 13, kRed));
    ASSERT_TRUE(WriteSolidPng(TempPath("b.png"), 8, 8, kGreen));
    Texture* a = LoadTestTexture(TempPath("a.png"));
    Texture* b = LoadTestTexture(TempPath("b.png"));
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(LoadedPictureBytes(), before + 37 * 13 * 4 + 8 * 8 * 4);
    EXPECT_EQ(LoadTestTexture(TempPath("nowhere.png")), nullptr);
    EXPECT_EQ(LoadedPictureBytes(), before + 37 * 13 * 4 + 8 * 8 * 4);
    ReleaseTexture(a);
    EXPECT_EQ(LoadedPictureBytes(), before + 8 * 8 * 4);
    ReleaseTexture(a); // an empty slot: nothing more is taken off
    ReleaseTexture(b);
    EXPECT_EQ(LoadedPictureBytes(), before);
}

TEST_F(TextureTest, FilledSlotIsLeftAlone) {
    ASSERT_TRUE(WriteSolidPng(TempPath("first.png"), 8, 8, kRed));
    ASSERT_TRUE(WriteSolidPng(TempPath("second.png"), 16, 4, kGreen));
    Texture* slot = LoadTestTexture(TempPath("first.png"));
    ASSERT_NE(slot, nullptr);
    Texture* before = slot;
    LoadTexture(TempPath("second.png").c_str(), slot);
    EXPECT_EQ(slot, before);
    EXPECT_EQ(slot->width, 8);
    EXPECT_EQ(slot->height, 8);
    ReleaseTexture(slot);
}

TEST_F(TextureTest, MissingOrBrokenFileLeavesTheSlotEmpty) {
    EXPECT_EQ(LoadTestTexture(TempPath("nowhere.png")), nullptr);
    std::ofstream(TempPath("text.png")) << "not a picture\n";
    EXPECT_EQ(LoadTestTexture(TempPath("text.png")), nullptr);
}

TEST_F(TextureTest, SavedFrameReadsBackWithTheSamePixels) {
    ASSERT_TRUE(WriteSolidPng(TempPath("blue.png"), 4, 4, kBlue));
    Texture* texture = LoadTestTexture(TempPath("blue.png"));
    ClearFrame();
    DrawSprite(255, nullptr, Graphics::Instance(), texture, 0, 0, 1, 1, 0);
    ASSERT_TRUE(headless::SaveFramePng(TempPath("frame.png").c_str()));
    ReleaseTexture(texture);

    Texture* frame = LoadTestTexture(TempPath("frame.png"));
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->width, 800);
    EXPECT_EQ(frame->height, 600);
    ClearFrame();
    DrawSprite(255, nullptr, Graphics::Instance(), frame, 0, 0, 1, 1, 0);
    EXPECT_EQ(headless::Pixel(3, 3), kBlue);
    EXPECT_EQ(headless::Pixel(4, 4), kBlack);
    ReleaseTexture(frame);
}

} // namespace
