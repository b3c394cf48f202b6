#include "platform/Graphics.h"
#include "platform/Window.h"
#include "scenes/title/CStage_Title.h"
#include "services/CCommon.h"

namespace {

// An empty slot, or a frame number outside the set, draws nothing.
void Draw(Texture* texture, int x, int y, float scale = 1.0f, uint8_t alpha = 255,
          const RECT* source = nullptr) {
    if (texture) DrawSprite(alpha, source, Graphics::Instance(), texture, x, y, scale, scale, 0.0f);
}

template <int N> Texture* FrameOf(Texture* const (&frames)[N], int32_t index) {
    return index >= 0 && index < N ? frames[index] : nullptr;
}

uint8_t AlphaOf(int32_t value) {
    return static_cast<uint8_t>(value < 0 ? 0 : value > 255 ? 255 : value);
}

constexpr POINT kPlatePos{227, 100}; // school splash, group logo, name plate
constexpr POINT kLogoPos{198, 42};   // the animated logos
constexpr POINT kMenuBarPos{0, 280};

// ---- Splash (introDone 0): the pictures of each titlePhase, in drawing order ----

enum class SplashPicture : uint8_t {
    None,
    School,
    FirstLogo, // frame logoFrameA
    GroupLogo,
    TitleLogo, // frame logoFrameB
    NamePlate,
    MenuBarRevealed, // source rectangle menuBarRect
    MenuBarWhole,
    ItemsFadingIn, // the four items at rest, alpha menuAlpha
};

using SP = SplashPicture;
constexpr SplashPicture kSplashDraws[][3] = {
    {SP::School},                                         // 0
    {SP::School, SP::FirstLogo},                          // 1
    {SP::FirstLogo},                                      // 2
    {SP::GroupLogo, SP::FirstLogo},                       // 3
    {SP::GroupLogo},                                      // 4
    {SP::GroupLogo, SP::TitleLogo},                       // 5
    {SP::TitleLogo},                                      // 6
    {SP::NamePlate, SP::TitleLogo},                       // 7
    {SP::NamePlate},                                      // 8
    {SP::NamePlate, SP::MenuBarRevealed},                 // 9
    {SP::NamePlate, SP::MenuBarWhole, SP::ItemsFadingIn}, // 10
};
constexpr int kSplashPhaseCount = sizeof kSplashDraws / sizeof kSplashDraws[0];

// ---- Opening film: the pictures of each openingStep (f = openingFrame) ----

enum class OpeningPicture : uint8_t {
    None,
    MenuSet,
    Opening,   // opening picture f
    Skip,      // the skip prompt
    Hand,      // hand frame f
    Character, // the opening character
    Hill,
    End, // end picture f
};

struct OpeningDraw {
    OpeningPicture what;
    int x;
    int y;
    float scale;
};

using OP = OpeningPicture;
constexpr OpeningDraw kSkip{OP::Skip, 733, 550, 2.0f};
constexpr OpeningDraw kOpeningDraws[][4] = {
    {{OP::MenuSet, 0, 0, 1.0f}},                                         // 0
    {{OP::Opening, 0, 0, 2.0f}},                                         // 1
    {kSkip},                                                             // 2
    {{OP::Hand, 0, 230, 2.0f}, kSkip},                                   // 3
    {{OP::Hand, 320, 100, 2.0f}, {OP::Character, 90, 345, 1.0f}, kSkip}, // 4
    {{OP::Hand, 320, 100, 2.0f}, {OP::Character, 90, 345, 1.0f}, {OP::Hill, 400, 0, 2.0f}, kSkip},
    {{OP::End, 0, 0, 2.0f}}, // 6
};
constexpr int kOpeningStepCount = sizeof kOpeningDraws / sizeof kOpeningDraws[0];

// ---- Help pages: by helpPageStep, the page beneath (whole) and the page on top ----

struct HelpDraw {
    int8_t beneath;  // page index drawn whole first, or -1
    int8_t top;      // page index drawn over it
    bool topClipped; // the top page is cut to helpRect (drawn in, or being torn away)
};

constexpr HelpDraw kHelpDraws[] = {
    {-1, 0, true},  // 0: page 1 drawn in
    {-1, 0, false}, // 1: page 1
    {1, 0, true},   // 2: page 1 torn away over page 2
    {-1, 1, false}, // 3: page 2
    {2, 1, true},   // 4: page 2 torn away over page 3
    {-1, 2, false}, // 5: page 3
    {-1, 2, true},  // 6: page 3 torn away over the menu
};
constexpr int kHelpStepCount = sizeof kHelpDraws / sizeof kHelpDraws[0];

constexpr int32_t kQuitAlpha = 10; // the program ends once the fade is at or below this
constexpr int32_t kQuitFadeStep = 2;

} // namespace

void CStage_Title::Render() {
    CCommon& common = CCommon::Instance();
    common.DrawBookBack();

    if (common.introDone == 0) {
        DrawSplash();
    } else {
        switch (common.titlePhase) {
        case 1:
            DrawMenuSet(AlphaOf(menuAlpha));
            break;
        case 2:
            DrawOpening();
            break;
        case 3:
            DrawMenuSet(255);
            DrawHelpPages();
            break;
        case 4:
            DrawMenuSet(255);
            DrawCredits();
            break;
        case 5:
            DrawMenuSet(AlphaOf(menuAlpha));
            DrawQuitFade();
            break;
        default: // 0: the book alone for one frame
            break;
        }
    }

    common.DrawVolumeCard();
    common.DrawCursor();
    // The book's front layers cover the cursor where they overlap.
    common.DrawBookFrame();
    common.DrawPageFront();
    common.DrawPageFrontOver();
    drawnOnce = true;
}

void CStage_Title::DrawSplash() {
    const int32_t phase = CCommon::Instance().titlePhase;
    if (phase < 0 || phase >= kSplashPhaseCount) return;
    for (SplashPicture picture : kSplashDraws[phase]) {
        switch (picture) {
        case SP::None:
            break;
        case SP::School:
            Draw(schoolSplash, kPlatePos.x, kPlatePos.y);
            break;
        case SP::FirstLogo:
            Draw(FrameOf(firstLogo, logoFrameA), kLogoPos.x, kLogoPos.y);
            break;
        case SP::GroupLogo:
            Draw(groupLogo, kPlatePos.x, kPlatePos.y);
            break;
        case SP::TitleLogo:
            Draw(FrameOf(titleLogo, logoFrameB), kLogoPos.x, kLogoPos.y);
            break;
        case SP::NamePlate:
            Draw(namePlate, kPlatePos.x, kPlatePos.y);
            break;
        case SP::MenuBarRevealed:
            Draw(menuBar, kMenuBarPos.x, kMenuBarPos.y, 1.0f, 255, &menuBarRect);
            break;
        case SP::MenuBarWhole:
            Draw(menuBar, kMenuBarPos.x, kMenuBarPos.y);
            break;
        case SP::ItemsFadingIn:
            for (int i = 0; i < kMenuItems; ++i)
                Draw(menuItems[i], kMenuRestPos[i].x, kMenuRestPos[i].y, 1.0f, AlphaOf(menuAlpha));
            break;
        }
    }
}

void CStage_Title::DrawMenuSet(uint8_t alpha) {
    Draw(namePlate, kPlatePos.x, kPlatePos.y, 1.0f, alpha);
    Draw(menuBar, kMenuBarPos.x, kMenuBarPos.y, 1.0f, alpha);
    for (int i = 0; i < kMenuItems; ++i) {
        // An item moved off its rest place is under the cursor (or lit by the keys): its lit
        // picture shows, so the highlight is seen at once and not only as a 2 px nudge.
        const POINT& at = menuItemPos[i];
        const bool lit = at.x != kMenuRestPos[i].x || at.y != kMenuRestPos[i].y;
        Draw(lit && menuItemsLit[i] ? menuItemsLit[i] : menuItems[i], at.x, at.y, 1.0f, alpha);
    }
}

void CStage_Title::DrawOpening() {
    if (openingStep < 0 || openingStep >= kOpeningStepCount) return;
    for (const OpeningDraw& d : kOpeningDraws[openingStep]) {
        Texture* texture = nullptr;
        switch (d.what) {
        case OP::None:
            break;
        case OP::MenuSet:
            DrawMenuSet(255);
            break;
        case OP::Opening:
            texture = FrameOf(openingPictures, openingFrame);
            break;
        case OP::Skip:
            texture = skipPrompt;
            break;
        case OP::Hand:
            texture = FrameOf(handFrames, openingFrame);
            break;
        case OP::Character:
            texture = openingChar;
            break;
        case OP::Hill:
            texture = openingHill;
            break;
        case OP::End:
            texture = FrameOf(openingEnd, openingFrame);
            break;
        }
        Draw(texture, d.x, d.y, d.scale);
    }
}

void CStage_Title::DrawHelpPages() {
    if (helpPageStep < 0 || helpPageStep >= kHelpStepCount) return;
    const HelpDraw& d = kHelpDraws[helpPageStep];
    if (d.beneath >= 0) Draw(helpPages[d.beneath], 0, 0);
    Draw(helpPages[d.top], 0, 0, 1.0f, 255, d.topClipped ? &helpRect : nullptr);
}

void CStage_Title::DrawCredits() {
    // Drawn in and torn away through creditsRect; whole while it waits for the click.
    Draw(creditsPage, 0, 0, 1.0f, 255, creditsStep == 1 ? nullptr : &creditsRect);
}

// Counted in frames: from 255 it takes 123 frames to reach 9, then the quit message goes out.
void CStage_Title::DrawQuitFade() {
    if (menuAlpha <= kQuitAlpha)
        PostQuitMessage(0);
    else
        menuAlpha -= kQuitFadeStep;
}
