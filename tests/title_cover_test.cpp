// Pictures drawn under the book's front layers (cover, page block, dog-eared corner, page mark)
// must not be hidden by them: the opening's skip prompt, the menu items, the help pages, the
// credits and the bag window, each looked at in a captured frame.
#include "services/InventoryBag.h"
#include "title_support.h"
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <vector>

namespace {

using Frame32 = std::vector<uint32_t>;

Frame32 Capture() {
    const uint32_t* p = headless::Pixels();
    return Frame32(p, p + Graphics::kWidth * Graphics::kHeight);
}

Frame32 RenderAlone(const std::function<void()>& draw) {
    Graphics& g = Graphics::Instance();
    g.Clear();
    g.BeginScene();
    draw();
    g.EndScene();
    g.Present();
    return Capture();
}

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

// The current scene drawn as it is, and drawn with the book's front layers left out.
struct FramePair {
    Frame32 withBook;
    Frame32 withoutFront;
};

FramePair CaptureBoth() {
    FramePair pair;
    Graphics::Instance().Clear();
    RenderFrame();
    pair.withBook = Capture();
    CCommon& c = CCommon::Instance();
    Texture* saved[7] = {c.bookFrame,        c.pageFront[0],     c.pageFront[1],    c.pageFront[2],
                         c.pageFrontOver[0], c.pageFrontOver[1], c.pageFrontOver[2]};
    c.bookFrame = nullptr;
    for (int k = 0; k < 3; ++k)
        c.pageFront[k] = c.pageFrontOver[k] = nullptr;
    Graphics::Instance().Clear();
    RenderFrame();
    pair.withoutFront = Capture();
    c.bookFrame = saved[0];
    for (int k = 0; k < 3; ++k) {
        c.pageFront[k] = saved[1 + k];
        c.pageFrontOver[k] = saved[4 + k];
    }
    return pair;
}

struct Shown {
    int opaque = 0; // pixels where the picture is opaque (and, for pages, ink)
    int visible = 0;
    double Share() const { return opaque ? double(visible) / opaque : 0.0; }
};

// Of the pixels where the picture (at x, y, scale) is opaque, how many the book's front layers
// leave as they were. With inkOnly, only its dark strokes count (the writing on a page, whose
// paper edges the book's cover is meant to hide).
Shown ShownInFrame(const FramePair& frames, const char* path, int x, int y, float scale,
                   bool inkOnly = false) {
    Shown shown;
    Texture* texture = nullptr;
    LoadTexture(path, texture);
    if (!texture) {
        ADD_FAILURE() << "cannot load " << path;
        return shown;
    }
    Graphics& g = Graphics::Instance();
    auto draw = [&] { DrawSprite(255, nullptr, g, texture, x, y, scale, scale, 0.0f); };
    const Frame32 once = RenderAlone(draw);
    const Frame32 twice = RenderAlone([&] { draw(), draw(); });
    const int right = std::min(Graphics::kWidth, x + int(texture->width * scale));
    const int bottom = std::min(Graphics::kHeight, y + int(texture->height * scale));
    for (int py = std::max(0, y); py < bottom; ++py)
        for (int px = std::max(0, x); px < right; ++px) {
            const size_t i = size_t(py) * Graphics::kWidth + px;
            if (once[i] != twice[i] || (once[i] & 0x00FFFFFF) == 0) continue;
            if (inkOnly && Brightness(once[i]) > 330) continue;
            ++shown.opaque;
            shown.visible += SameColour(frames.withBook[i], frames.withoutFront[i]);
        }
    ReleaseTexture(texture);
    return shown;
}

void ExpectShown(const FramePair& frames, const char* path, int x, int y, float scale,
                 bool inkOnly = false) {
    const Shown shown = ShownInFrame(frames, path, x, y, scale, inkOnly);
    EXPECT_GE(shown.opaque, 40) << path;
    EXPECT_GE(shown.Share(), 0.99) << path << ": " << shown.opaque - shown.visible << " of "
                                   << shown.opaque << " pixels hidden by the book";
}

constexpr const char* kProbe = "Data/image/Title/Opening/Opening_skip.png";

} // namespace

TEST_F(TitleTest, SkipPromptShowsThroughTheWholeOpening) {
    if (!std::filesystem::exists(kProbe)) GTEST_SKIP() << kProbe << " has not been generated";
    OpenMenu();
    Common().titlePhase = 2;
    Common().autoFlip = 1;
    for (int step : {2, 3, 4, 5}) {
        SCOPED_TRACE("opening step " + std::to_string(step));
        Title()->openingStep = step;
        Title()->openingFrame = step == 5 ? 41 : step == 4 ? 30 : 5;
        Title()->titleTick = GetTickCount(); // no step in this frame
        Frame();
        const FramePair frames = CaptureBoth();
        ExpectShown(frames, kProbe, 733, 550, 2.0f);
        // The prompt itself is what shows there.
        const Shown own = ShownInFrame({RenderAlone([] {
                                            CStage_Title& t = *Title();
                                            DrawSprite(255, nullptr, Graphics::Instance(),
                                                       t.skipPrompt, 733, 550, 2, 2, 0);
                                        }),
                                        frames.withBook},
                                       kProbe, 733, 550, 2.0f);
        EXPECT_EQ(own.visible, own.opaque);
    }
}

TEST_F(TitleTest, MenuHelpAndCreditsShowThroughTheBook) {
    if (!std::filesystem::exists(kProbe)) GTEST_SKIP() << kProbe << " has not been generated";
    OpenMenu();
    Frame();
    const FramePair menu = CaptureBoth();
    ExpectShown(menu, "Data/image/Title/main_start.png", 300, 340, 1.0f);
    ExpectShown(menu, "Data/image/Title/main_help.png", 300, 400, 1.0f);
    ExpectShown(menu, "Data/image/Title/main_credits.png", 300, 460, 1.0f);
    ExpectShown(menu, "Data/image/Title/main_quit.png", 300, 520, 1.0f);
    ExpectShown(menu, "Data/image/Title/TeamName.png", 227, 100, 1.0f);

    Common().titlePhase = 3;
    const int pageSteps[3] = {1, 3, 5};
    for (int page = 0; page < 3; ++page) {
        Title()->helpPageStep = pageSteps[page];
        Frame();
        const std::string path = "Data/image/Title/help" + std::to_string(page + 1) + ".png";
        ExpectShown(CaptureBoth(), path.c_str(), 0, 0, 1.0f, true);
    }
    Title()->helpPageStep = 0;
    Common().titlePhase = 4;
    Title()->creditsStep = 1;
    Frame();
    ExpectShown(CaptureBoth(), "Data/image/Title/credits.png", 0, 0, 1.0f, true);
}

TEST_F(TitleTest, BagWindowShowsThroughTheBook) {
    if (!std::filesystem::exists(kProbe)) GTEST_SKIP() << kProbe << " has not been generated";
    SceneManager::Instance().ChangeStage(1); // a scene that draws the bag under the book
    InventoryBag& bag = InventoryBag::Instance();
    bag.open = 1;
    cursorX = 780; // the cursor out of the way
    cursorY = 590;
    bag.full = 1;
    Frame();
    const FramePair frames = CaptureBoth();
    ExpectShown(frames, "Data/image/Support/Inventory.png", 40, 40, 1.0f);
    ExpectShown(frames, "Data/image/Support/inven_full.png", 230, 115, 1.0f);
}

// The hill picture starts at x 400 over the hand's sketch: its left border must not show as a
// hard vertical edge down to the foot of the page.
TEST_F(TitleTest, OpeningHillHasNoHardEdgeAtItsLeftBorder) {
    if (!std::filesystem::exists(kProbe)) GTEST_SKIP() << kProbe << " has not been generated";
    OpenMenu();
    Common().titlePhase = 2;
    Common().autoFlip = 1;
    Title()->openingStep = 5;
    Title()->openingFrame = 41;
    Title()->titleTick = GetTickCount();
    Frame();
    const Frame32 frame = Capture();
    int edgeRows = 0;
    for (int y = 0; y < 576; ++y) { // the page, above the book's foot
        const uint32_t left = frame[size_t(y) * Graphics::kWidth + 399];
        const uint32_t right = frame[size_t(y) * Graphics::kWidth + 400];
        edgeRows += std::abs(Brightness(left) - Brightness(right)) > 60;
    }
    EXPECT_LE(edgeRows, 6) << edgeRows << " rows change sharply from x 399 to x 400";
}
