#include "services/CCommon.h"
#include "app/SceneManager.h"
#include "app/Settings.h"
#include "platform/Input.h"
#include "platform/Window.h"
#include <algorithm>

namespace {

const char* const kFrontPaths[3] = {"Data/image/Common/front1_1.png",
                                    "Data/image/Common/front2_1.png",
                                    "Data/image/Common/front3_1.png"};
const char* const kFrontOverPaths[3] = {"Data/image/Common/front1_2.png",
                                        "Data/image/Common/front2_2.png",
                                        "Data/image/Common/front3_2.png"};
const char* const kTurnPaths[3] = {"Data/image/Common/next01.png", "Data/image/Common/next02.png",
                                   "Data/image/Common/next03.png"};

// The volume card: 170 x 44, a row of the column per tenth of the volume, then "sound off". Clear
// of the page's top edge and of the open bag, so that it reads beside a cursor at the top.
constexpr int32_t kVolumeCardWidth = 170;
constexpr int32_t kVolumeCardHeight = 44;
constexpr int32_t kVolumeCardOff = 11;
constexpr POINT kVolumeCardPos{345, 36};

constexpr RECT kHelpTabHit{0, 36, 29, 136};     // the closed tab
constexpr RECT kHelpPanelHit{29, 23, 345, 238}; // the open panel
constexpr int32_t kHelpClosedOffset = -365;
constexpr int32_t kHelpSlideStep = 30;
constexpr int32_t kHelpLastFrame = 12;

// The refusing shake: the cursor swings 4 px left and right every 40 ms for a quarter second.
constexpr uint32_t kRefuseShakeMs = 250;
constexpr uint32_t kRefuseSwingMs = 40;
constexpr int32_t kRefuseSwing = 4;
// The tear badge sits below right of the cursor's point.
constexpr int32_t kTearBadgeDx = 22;
constexpr int32_t kTearBadgeDy = 20;

void Draw(Texture* texture, int x, int y, const RECT* rect = nullptr) {
    DrawSprite(255, rect, Graphics::Instance(), texture, x, y, 1.0f, 1.0f, 0.0f);
}

bool ClickedIn(const RECT& area) {
    POINT cursor{cursorX, cursorY};
    return PtInRect(area, cursor) && InputMouse::Instance().CheckLeftButton() == KeyPressed &&
           GetActiveWindow() == SceneManager::Instance().window;
}

} // namespace

CCommon& CCommon::Instance() {
    static CCommon instance;
    return instance;
}

CCommon::CCommon() {
    for (int k = 0; k < 13; ++k)
        helpFrames[k] = RECT{29 * k, 0, 29 * k + 29, 235};
    titlePhase = 0;
    introDone = 0;
    helpStep = 0;
    helpFrame = 0;
    helpOffset = 0;
    ResetPlay();
    turnTick = GetTickCount();
    helpTick = GetTickCount();

    // What the title's first picture draws; the rest now or when the title asks (LoadTheRest).
    LoadTexture("Data/image/Common/back.png", bookBack);
    LoadTexture("Data/image/Common/front02.png", bookFrame);
    LoadTexture(kFrontPaths[0], pageFront[0]);
    LoadTexture(kFrontOverPaths[0], pageFrontOver[0]);
    LoadTexture("Data/image/Support/Cursor_Rock.png", cursorRock);
    LoadTexture("Data/image/Support/Cursor_Fist.png", cursorFist);
    LoadTexture("Data/image/Support/Cursor_Tear.png", cursorTear);
    if (!loadInStages) LoadTheRest();
}

void CCommon::LoadTheRest() {
    if (restLoaded) return;
    restLoaded = true;
    for (int i = 1; i < 3; ++i)
        LoadTexture(kFrontPaths[i], pageFront[i]);
    for (int i = 1; i < 3; ++i)
        LoadTexture(kFrontOverPaths[i], pageFrontOver[i]);
    for (int i = 0; i < 3; ++i)
        LoadTexture(kTurnPaths[i], turnFrames[i]);
    LoadTexture("Data/image/Common/help_p.png", helpPanel);
    LoadTexture("Data/image/Support/Not_page.png", notPage);
    LoadTexture("Data/image/Support/volume.png", volumeCards);
    WindowHandle window = SceneManager::Instance().window;
    tearSound.OnCreate(window);
    tearSound.OpenOgg("Data/Sound/tear.ogg");
    pageSound.OnCreate(window);
    pageSound.OpenOgg("Data/Sound/page.ogg");
    helpSound.OnCreate(window);
    helpSound.OpenOgg("Data/Sound/help.ogg");
    refuseSound.OnCreate(window);
    refuseSound.OpenOgg("Data/Sound/refuse.ogg");
}

CCommon::~CCommon() {
    Texture** singles[] = {&bookBack,   &bookFrame, &notPage,    &cursorRock,
                           &cursorFist, &helpPanel, &cursorTear, &volumeCards};
    for (Texture** slot : singles)
        ReleaseTexture(*slot);
    for (int i = 0; i < 3; ++i) {
        ReleaseTexture(pageFront[i]);
        ReleaseTexture(pageFrontOver[i]);
        ReleaseTexture(turnFrames[i]);
    }
    tearSound.Unload();
    pageSound.Unload();
    helpSound.Unload();
}

void CCommon::ResetPlay() {
    turnTrigger = KeyPressed;
    frontIndex = 0;
    page = 0;
    insetDivisor = 40;
    turnFrame = 0;
    flipAnim = 0;
    forwardLock = 0;
    autoFlip = 1;
    mouseDown = 0;
    tearing = 0;
    paused = 0;
    backGate = itemGate = collGate = placedGate = 1;
    pageTurned = 0;
    pauseForHiddenPage = 0;
    tearSoundOn = 0;
    hoverTearable = 0;
    refusing = 0;
}

void CCommon::UpdateBook() {
    if (TickPassed(turnTick, 50)) {
        if (flipAnim == 1) {
            if (turnFrame < 3) {
                ++turnFrame;
            } else {
                frontIndex = (frontIndex + 1) % 3;
                turnFrame = 0;
                flipAnim = 0;
            }
        } else if (flipAnim == 2) {
            if (turnFrame > 1) {
                --turnFrame;
            } else {
                frontIndex = (frontIndex + 2) % 3;
                turnFrame = 4;
                flipAnim = 0;
            }
        }
    }

    if (helpStep == 1 || helpStep == 4) helpSound.PlayOgg(0); // a playing clip goes on
    if (!TickPassed(helpTick, 10)) return;
    switch (helpStep) {
    case 1:
        if (helpFrame < kHelpLastFrame) {
            ++helpFrame;
        } else {
            helpStep = 2;
            helpOffset = kHelpClosedOffset;
        }
        break;
    case 2:
        if (helpOffset < 0)
            helpOffset += kHelpSlideStep;
        else
            helpStep = 3;
        break;
    case 4:
        if (helpOffset > kHelpClosedOffset)
            helpOffset -= kHelpSlideStep;
        else
            helpStep = 5;
        break;
    case 5:
        if (helpFrame > 0)
            --helpFrame;
        else
            helpStep = 0;
        break;
    default:
        break;
    }
}

void CCommon::HandleHelpClick() {
    if (helpStep == 0) {
        if (ClickedIn(helpHitRect)) helpStep = 1;
        helpHitRect = kHelpTabHit;
    } else if (helpStep == 3) {
        if (ClickedIn(helpHitRect)) helpStep = 4;
        helpHitRect = kHelpPanelHit;
    }
}

bool CCommon::HelpTakesClick() const {
    return autoFlip == 0 && (helpStep == 0 || helpStep == 3) &&
           PtInRect(helpHitRect, POINT{cursorX, cursorY});
}

void CCommon::DrawVolumeCard() {
    const VolumeCard& card = VolumeCard::Current();
    if (!card.shown || GetTickCount() - card.tick > kVolumeCardMs) return;
    const Settings& s = Settings::Current();
    const int32_t row =
        s.muted ? kVolumeCardOff : std::clamp(s.volume / Settings::kVolumeStep, 0, 10);
    const RECT source{0, row * kVolumeCardHeight, kVolumeCardWidth, (row + 1) * kVolumeCardHeight};
    Draw(volumeCards, kVolumeCardPos.x, kVolumeCardPos.y, &source);
}

void CCommon::DrawBookBack() {
    Draw(bookBack, 29, 0);
}
void CCommon::DrawBookFrame() {
    Draw(bookFrame, 0, 0);
}
void CCommon::DrawPageFront() {
    Draw(pageFront[frontIndex], 0, 0);
}
void CCommon::DrawPageFrontOver() {
    Draw(pageFrontOver[frontIndex], 29, 0);
}

void CCommon::DrawTurnFrame() {
    if (flipAnim != 0 && turnFrame >= 1 && turnFrame <= 3) Draw(turnFrames[turnFrame - 1], 0, 0);
}

void CCommon::DrawHelpPanel() {
    if (helpStep == 0 || helpStep == 1 || helpStep == 5)
        Draw(helpPanel, 0, 23, &helpFrames[helpFrame]);
    else
        Draw(helpPanel, helpOffset, 23);
}

void CCommon::DrawCursor() {
    if (autoFlip) return;
    int32_t x = cursorX;
    if (refusing) {
        const uint32_t since = GetTickCount() - refuseTick;
        if (since < kRefuseShakeMs)
            x += (since / kRefuseSwingMs) % 2 ? kRefuseSwing : -kRefuseSwing;
    }
    Draw(mouseDown ? cursorFist : cursorRock, x, cursorY);
    if (hoverTearable) Draw(cursorTear, x + kTearBadgeDx, cursorY + kTearBadgeDy);
}

void CCommon::RefuseClick() {
    refusing = 1;
    refuseTick = GetTickCount();
    refuseSound.PlayOgg(0);
}

void CCommon::StartTear() {
    if (tearSoundOn) return;
    tearSound.PlayOgg(0);
    tearSoundOn = 1;
}

void CCommon::StopTear() {
    tearSound.Stop();
    tearSoundOn = 0;
}
