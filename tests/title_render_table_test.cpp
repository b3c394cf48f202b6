// The title's picture in every phase against our own copy of its drawing tables: which pictures,
// in which order, where, at which scale and alpha, whole or cut, between the book's back sheet
// and the cursor and the book's front layers.
#include "TestSupport.h"
#include "app/SceneManager.h"
#include "scenes/title/CStage_Title.h"
#include "services/CCommon.h"
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

// One expected draw: picture name, place, scale, alpha, and whether it is cut by a rectangle.
struct Want {
    std::string name;
    int x, y;
    float scale = 1.0f;
    int alpha = 255;
    bool cut = false;
};

class TitleRenderTableTest : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        if (HasFatalFailure()) return;
        CCommon& c = CCommon::Instance();
        Use(c.bookBack, "back", true);
        Use(c.bookFrame, "frame", true);
        for (int i = 0; i < 3; ++i) {
            Use(c.pageFront[i], "front", true);
            Use(c.pageFrontOver[i], "front-over", true);
        }
        Use(c.cursorRock, "rock", true);
        Use(c.cursorFist, "fist", true);
        CStage_Title& t = title;
        Use(t.schoolSplash, "school");
        for (int i = 0; i < CStage_Title::kLogoFrames; ++i) {
            Use(t.firstLogo[i], "first" + std::to_string(i + 1));
            Use(t.titleLogo[i], "title" + std::to_string(i + 1));
        }
        Use(t.groupLogo, "group");
        Use(t.namePlate, "name");
        Use(t.menuBar, "bar");
        const char* items[] = {"start", "help", "credits", "quit"};
        for (int i = 0; i < CStage_Title::kMenuItems; ++i) {
            Use(t.menuItems[i], items[i]);
            t.menuItemPos[i] = POINT{300 + i, 340 + 60 * i};
        }
        Use(t.creditsPage, "credits-page");
        for (int i = 0; i < CStage_Title::kHelpPages; ++i)
            Use(t.helpPages[i], "page" + std::to_string(i + 1));
        Use(t.skipPrompt, "skip");
        for (int i = 0; i < CStage_Title::kOpeningPictures; ++i)
            Use(t.openingPictures[i], "opening" + std::to_string(i + 1));
        for (int i = 0; i < CStage_Title::kHandFrames; ++i)
            Use(t.handFrames[i], "hand" + std::to_string(i + 1));
        for (int i = 0; i < CStage_Title::kOpeningEnds; ++i)
            Use(t.openingEnd[i], "end" + std::to_string(i + 1));
        Use(t.openingChar, "char");
        Use(t.openingHill, "hill");
        t.menuBarRect = RECT{0, 0, 50, 10};
        t.helpRect = RECT{0, 0, 60, 10};
        t.creditsRect = RECT{0, 0, 70, 10};
        t.menuAlpha = 100;
        t.logoFrameA = 2;
        t.logoFrameB = 4;
        t.openingFrame = 1;
        c.autoFlip = 0;
        c.mouseDown = 0;
        cursorX = 11;
        cursorY = 22;
    }

    void TearDown() override {
        for (auto it = swapped.rbegin(); it != swapped.rend(); ++it)
            *it->first = it->second;
        HeadlessTest::TearDown();
    }

    void Use(Texture*& slot, const std::string& name, bool shared = false) {
        if (shared) swapped.push_back({&slot, slot});
        pictures.push_back(std::make_unique<Texture>());
        slot = pictures.back().get();
        names[slot] = name;
    }

    static std::string Text(const std::vector<Want>& draws) {
        std::ostringstream out;
        for (const Want& w : draws)
            out << w.name << "(" << w.x << "," << w.y << ",s" << w.scale << ",a" << w.alpha
                << (w.cut ? ",cut" : "") << ") ";
        return out.str();
    }

    // Renders with the given phase and returns the draws between the back sheet and the cursor.
    std::string Drawn(int introDone, int phase) {
        CCommon::Instance().introDone = introDone;
        CCommon::Instance().titlePhase = phase;
        headless::RecordDraws(true);
        title.Render();
        std::vector<Want> got;
        for (const headless::DrawRecord& r : headless::DrawLog()) {
            auto it = names.find(r.texture);
            EXPECT_EQ(r.sx, r.sy);
            EXPECT_EQ(r.rotation, 0.0f);
            got.push_back(
                {it == names.end() ? "?" : it->second, r.x, r.y, r.sx, r.alpha, !r.whole});
        }
        headless::RecordDraws(false);
        return Text(got);
    }

    // The book and the cursor around the phase's own pictures.
    static std::string Framed(std::vector<Want> middle) {
        std::vector<Want> all{{"back", 29, 0}};
        all.insert(all.end(), middle.begin(), middle.end());
        for (const Want& w : std::vector<Want>{
                 {"rock", 11, 22}, {"frame", 0, 0}, {"front", 0, 0}, {"front-over", 29, 0}})
            all.push_back(w);
        return Text(all);
    }

    static std::vector<Want> MenuSet(int alpha) {
        return {{"name", 227, 100, 1.0f, alpha},    {"bar", 0, 280, 1.0f, alpha},
                {"start", 300, 340, 1.0f, alpha},   {"help", 301, 400, 1.0f, alpha},
                {"credits", 302, 460, 1.0f, alpha}, {"quit", 303, 520, 1.0f, alpha}};
    }
    static std::vector<Want> Plus(std::vector<Want> a, const std::vector<Want>& b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    }

    CStage_Title title;
    std::vector<std::unique_ptr<Texture>> pictures;
    std::map<const Texture*, std::string> names;
    std::vector<std::pair<Texture**, Texture*>> swapped;
};

TEST_F(TitleRenderTableTest, SplashPhases) {
    const Want school{"school", 227, 100}, group{"group", 227, 100}, name{"name", 227, 100};
    const Want first{"first3", 198, 42}, logo{"title5", 198, 42};
    const std::vector<std::vector<Want>> phases = {
        {school},
        {school, first},
        {first},
        {group, first},
        {group},
        {group, logo},
        {logo},
        {name, logo},
        {name},
        {name, {"bar", 0, 280, 1.0f, 255, true}},
        {name,
         {"bar", 0, 280},
         {"start", 300, 340, 1.0f, 100},
         {"help", 300, 400, 1.0f, 100},
         {"credits", 300, 460, 1.0f, 100},
         {"quit", 300, 520, 1.0f, 100}},
    };
    for (int phase = 0; phase < int(phases.size()); ++phase)
        EXPECT_EQ(Drawn(0, phase), Framed(phases[phase])) << "splash phase " << phase;
}

TEST_F(TitleRenderTableTest, MenuOpeningHelpAndCreditsPhases) {
    EXPECT_EQ(Drawn(1, 0), Framed({})) << "menu phase 0";
    EXPECT_EQ(Drawn(1, 1), Framed(MenuSet(100))) << "menu phase 1";

    const Want skip{"skip", 733, 550, 2.0f};
    const std::vector<std::vector<Want>> opening = {
        MenuSet(255),
        {{"opening2", 0, 0, 2.0f}},
        {skip},
        {{"hand2", 0, 230, 2.0f}, skip},
        {{"hand2", 320, 100, 2.0f}, {"char", 90, 345}, skip},
        {{"hand2", 320, 100, 2.0f}, {"char", 90, 345}, {"hill", 400, 0, 2.0f}, skip},
        {{"end2", 0, 0, 2.0f}},
    };
    for (int step = 0; step < int(opening.size()); ++step) {
        title.openingStep = step;
        EXPECT_EQ(Drawn(1, 2), Framed(opening[step])) << "opening step " << step;
    }

    auto page = [](int n, bool cut) {
        return Want{"page" + std::to_string(n), 0, 0, 1.0f, 255, cut};
    };
    const std::vector<std::vector<Want>> help = {
        {page(1, true)},
        {page(1, false)},
        {page(2, false), page(1, true)},
        {page(2, false)},
        {page(3, false), page(2, true)},
        {page(3, false)},
        {page(3, true)},
    };
    for (int step = 0; step < int(help.size()); ++step) {
        title.helpPageStep = step;
        EXPECT_EQ(Drawn(1, 3), Framed(Plus(MenuSet(255), help[step]))) << "help step " << step;
    }

    for (int step = 0; step <= 2; ++step) {
        title.creditsStep = step;
        const Want credits{"credits-page", 0, 0, 1.0f, 255, step != 1};
        EXPECT_EQ(Drawn(1, 4), Framed(Plus(MenuSet(255), {credits}))) << "credits step " << step;
    }
}

// The quit fade: the menu at the fading alpha, 2 less each frame; at 10 or less the quit message.
TEST_F(TitleRenderTableTest, QuitFadeStepsTwoAFrameThenQuits) {
    title.menuAlpha = 14;
    EXPECT_EQ(Drawn(1, 5), Framed(MenuSet(14)));
    EXPECT_EQ(title.menuAlpha, 12);
    Drawn(1, 5);
    EXPECT_EQ(title.menuAlpha, 10);
    WindowMessage msg;
    while (PeekWindowMessage(msg))
        ASSERT_NE(msg.type, MessageType::Quit) << "quit before the fade ended";
    Drawn(1, 5);
    EXPECT_EQ(title.menuAlpha, 10);
    bool quit = false;
    while (PeekWindowMessage(msg))
        quit = quit || msg.type == MessageType::Quit;
    EXPECT_TRUE(quit);
}

// No cursor while pages turn by themselves; the fist while the button is held.
TEST_F(TitleRenderTableTest, CursorFollowsTheFlags) {
    CCommon::Instance().autoFlip = 1;
    std::string drawn = Drawn(1, 0);
    EXPECT_EQ(drawn.find("rock"), std::string::npos) << drawn;
    CCommon::Instance().autoFlip = 0;
    CCommon::Instance().mouseDown = 1;
    drawn = Drawn(1, 0);
    EXPECT_NE(drawn.find("fist(11,22"), std::string::npos) << drawn;
}

} // namespace
