#include "platform/Graphics.h"
#include "scenes/ending/CEnding.h"
#include "services/CCommon.h"

namespace {

// The film's pictures are painted at half size, like the level's.
constexpr float kFilmScale = 2.0f;

void Draw(Texture* texture, int x, int y, uint8_t alpha = 255) {
    if (texture)
        DrawSprite(alpha, nullptr, Graphics::Instance(), texture, x, y, kFilmScale, kFilmScale,
                   0.0f);
}

template <int N> Texture* FrameOf(Texture* const (&frames)[N], int index) {
    return index >= 0 && index < N ? frames[index] : nullptr;
}

constexpr POINT kRoomPos{20, 0};
constexpr POINT kSmokePos{20, 0};
constexpr POINT kCharPos{64, 356};
constexpr POINT kHandPos{0, 0};
constexpr int kStoneX = 88;
constexpr int kNone = -1;
constexpr int kCurrentPose = -2; // the character picture charFrame

// What phases 1 to 10 draw over the room, in this order: the character, the hand (handFrame),
// the stone, one of the last pages.
struct RoomDraw {
    int charPicture; // kCurrentPose or a fixed index
    bool hand;
    int stoneY;     // kNone: no stone
    int endPicture; // kNone: none
    int endX;
};

constexpr RoomDraw kRoomDraws[CEnding::kLastPhase] = {
    {kNone, false, kNone, kNone, 0},        // 0: the smoke alone (not drawn from here)
    {kCurrentPose, false, kNone, kNone, 0}, // 1
    {kCurrentPose, false, kNone, kNone, 0}, // 2
    {kCurrentPose, true, kNone, kNone, 0},  // 3
    {kCurrentPose, true, kNone, kNone, 0},  // 4
    {kCurrentPose, false, 48, kNone, 0},    // 5: the stone let go; it sinks 10 px a step
    {13, false, 58, kNone, 0},              // 6: char14
    {14, false, 68, 0, 500},                // 7: char15; the last page comes over, end1
    {15, false, 78, 1, 300},                // 8: char16, end2
    {14, false, 88, 2, 100},                // 9: char15, end3
    {14, false, 98, 3, 100},                // 10: char15, end4
};

constexpr int kLastPicture = 4; // end5, alone, fading

} // namespace

void CEnding::Render() {
    CCommon& common = CCommon::Instance();
    if (endPhase >= 0 && endPhase < kLastPhase) {
        common.DrawBookBack();
        if (endPhase == 0)
            Draw(FrameOf(smokeImages, smokeFrame), kSmokePos.x, kSmokePos.y);
        else
            DrawRoomPhase();
        common.DrawBookFrame();
        common.DrawPageFront();
        common.DrawPageFrontOver();
    } else if (endPhase == kLastPhase) {
        DrawLastPicture();
    }
    common.DrawTurnFrame();
}

void CEnding::DrawRoomPhase() {
    const RoomDraw& d = kRoomDraws[endPhase];
    Draw(roomImage, kRoomPos.x, kRoomPos.y);
    Draw(FrameOf(charImages, d.charPicture == kCurrentPose ? charFrame : d.charPicture), kCharPos.x,
         kCharPos.y);
    if (d.hand) Draw(FrameOf(handImages, handFrame), kHandPos.x, kHandPos.y);
    if (d.stoneY != kNone) Draw(stoneImage, kStoneX, d.stoneY);
    if (d.endPicture != kNone) Draw(endImages[d.endPicture], d.endX, 0);
}

void CEnding::DrawLastPicture() {
    const uint8_t alpha = static_cast<uint8_t>(fadeAlpha < 0     ? 0
                                               : fadeAlpha > 255 ? 255
                                                                 : fadeAlpha);
    Draw(endImages[kLastPicture], 0, 0, alpha);
}
