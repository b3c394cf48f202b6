// Every step of the ending film against our own model of it: which pictures each phase draws,
// where, at which alpha and scale, in which order, with the page curl of the book on top.
#include "ending_support.h"
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace {

// The film as its step table describes it.
struct FilmModel {
    int phase = 0, smoke = 0, blink = 0, hold = 0, pose = 0, hand = 0, alpha = 255;
    bool left = false;

    void Step() {
        switch (phase) {
        case 0:
            if (smoke < 6)
                ++smoke;
            else
                phase = 1;
            break;
        case 1:
            if (blink < 1) {
                ++blink;
            } else {
                blink = 0;
                phase = 2;
            }
            break;
        case 2:
            if (blink < 6) {
                pose = (blink == 2 || blink == 5) ? 1 : 0;
                ++blink;
            } else if (pose < 10) {
                ++pose;
            } else if (hold < 3) {
                ++hold;
            } else {
                phase = 3;
            }
            break;
        case 3:
            if (hand < 3)
                ++hand;
            else
                phase = 4;
            break;
        case 4:
            if (hand < 5) ++hand;
            if (pose < 12)
                ++pose;
            else
                phase = 5;
            break;
        case 11:
            if (alpha > 30)
                alpha -= 9;
            else
                left = true;
            break;
        default:
            ++phase;
            break;
        }
    }
};

struct Expected {
    const Texture* texture;
    int x, y, alpha;
};

std::string Describe(const std::vector<Expected>& draws, const CEnding& e) {
    auto name = [&e](const Texture* t) -> std::string {
        if (t == e.roomImage) return "room";
        if (t == e.stoneImage) return "stone";
        for (int i = 0; i < CEnding::kCharPictures; ++i)
            if (t == e.charImages[i]) return "char" + std::to_string(i + 1);
        for (int i = 0; i < CEnding::kHandPictures; ++i)
            if (t == e.handImages[i]) return "hand" + std::to_string(i + 1);
        for (int i = 0; i < CEnding::kEndPictures; ++i)
            if (t == e.endImages[i]) return "end" + std::to_string(i + 1);
        for (int i = 0; i < CEnding::kSmokePictures; ++i)
            if (t == e.smokeImages[i]) return "smoke" + std::to_string(i + 9);
        CCommon& c = CCommon::Instance();
        if (t == c.bookBack) return "book-back";
        if (t == c.bookFrame) return "book-frame";
        for (int i = 0; i < 3; ++i) {
            if (t == c.pageFront[i]) return "front";
            if (t == c.pageFrontOver[i]) return "front-over";
            if (t == c.turnFrames[i]) return "turn" + std::to_string(i + 1);
        }
        return "?";
    };
    std::ostringstream out;
    for (const Expected& d : draws)
        out << name(d.texture) << "(" << d.x << "," << d.y << ",a" << d.alpha << ") ";
    return out.str();
}

bool IsBook(const Texture* t) {
    CCommon& c = CCommon::Instance();
    if (t == c.bookBack || t == c.bookFrame) return true;
    for (int i = 0; i < 3; ++i)
        if (t == c.pageFront[i] || t == c.pageFrontOver[i] || t == c.turnFrames[i]) return true;
    return false;
}

// What the scene should draw after the model's step, with the book in its state after the frame.
std::vector<Expected> Picture(const FilmModel& m, const CEnding& e) {
    CCommon& c = CCommon::Instance();
    std::vector<Expected> out;
    const Texture* room = e.roomImage;
    auto character = [&e](int index) { return e.charImages[index]; };
    if (m.phase <= 10) {
        out.push_back({c.bookBack, 29, 0, 255});
        switch (m.phase) {
        case 0:
            out.push_back({e.smokeImages[m.smoke], 20, 0, 255});
            break;
        case 1:
        case 2:
            out.push_back({room, 20, 0, 255});
            out.push_back({character(m.pose), 64, 356, 255});
            break;
        case 3:
        case 4:
            out.push_back({room, 20, 0, 255});
            out.push_back({character(m.pose), 64, 356, 255});
            out.push_back({e.handImages[m.hand], 0, 0, 255});
            break;
        case 5:
            out.push_back({room, 20, 0, 255});
            out.push_back({character(m.pose), 64, 356, 255});
            out.push_back({e.stoneImage, 88, 48, 255});
            break;
        default: { // 6 to 10: char14, 15, 16, 15, 15; end1..end4
            const int chars[] = {14, 15, 16, 15, 15};
            const int endX[] = {0, 500, 300, 100, 100};
            const int k = m.phase - 6;
            out.push_back({room, 20, 0, 255});
            out.push_back({character(chars[k] - 1), 64, 356, 255});
            out.push_back({e.stoneImage, 88, 58 + 10 * k, 255});
            if (m.phase >= 7) out.push_back({e.endImages[m.phase - 7], endX[k], 0, 255});
            break;
        }
        }
        out.push_back({c.bookFrame, 0, 0, 255});
        out.push_back({c.pageFront[c.frontIndex], 0, 0, 255});
        out.push_back({c.pageFrontOver[c.frontIndex], 29, 0, 255});
    } else {
        out.push_back({e.endImages[4], 0, 0, m.alpha});
    }
    if (c.flipAnim != 0 && c.turnFrame >= 1 && c.turnFrame <= 3)
        out.push_back({c.turnFrames[c.turnFrame - 1], 0, 0, 255});
    return out;
}

} // namespace

TEST_F(EndingTest, EveryStepDrawsItsPhasesPicturesUnderThePageCurl) {
    if (!std::filesystem::exists("Data/image/Ending/hand1.png"))
        GTEST_SKIP() << "the ending's pictures have not been generated";
    CEnding* e = StartEnding();
    ASSERT_NE(e, nullptr);
    FilmModel model;
    int curls = 0;
    for (int step = 0; step <= kFilmSteps && !model.left; ++step) {
        headless::RecordDraws(true);
        if (step == 0)
            RunFrame();
        else
            StepFrame();
        const std::vector<headless::DrawRecord> drawn = headless::DrawLog();
        headless::RecordDraws(false);
        if (step > 0) model.Step();
        if (model.left) break;
        ASSERT_EQ(Ending(), e) << "the film left early, at step " << step;
        std::vector<Expected> got;
        for (const headless::DrawRecord& r : drawn) {
            got.push_back({r.texture, r.x, r.y, r.alpha});
            // The book's layers at their own size, the film's half-size pictures doubled.
            EXPECT_EQ(r.sx, IsBook(r.texture) ? 1.0f : 2.0f) << "step " << step;
            EXPECT_EQ(r.sy, r.sx) << "step " << step;
            EXPECT_TRUE(r.whole) << "step " << step;
            EXPECT_EQ(r.rotation, 0.0f) << "step " << step;
        }
        const std::vector<Expected> want = Picture(model, *e);
        for (const Texture* turn : CCommon::Instance().turnFrames)
            if (!want.empty() && want.back().texture == turn) ++curls;
        EXPECT_EQ(Describe(got, *e), Describe(want, *e))
            << "step " << step << ", phase " << model.phase;
    }
    EXPECT_TRUE(model.left);
    int pageTurns = 0;
    for (const headless::PlayRecord& r : headless::PlayLog()) {
        const bool film = r.path.find("page.ogg") != std::string::npos ||
                          r.path.find("close.ogg") != std::string::npos;
        if (film) { // the title's music may loop
            EXPECT_FALSE(r.loop) << r.path << " looped";
        }
        if (r.path.find("page.ogg") != std::string::npos) ++pageTurns;
    }
    EXPECT_EQ(pageTurns, 34) << "page turns of the film";
    EXPECT_EQ(SceneManager::Instance().sceneNumber, 0) << "the film ends at the title";
    EXPECT_GT(curls, 10) << "the page curl was seen over too few steps";
}
