#include "platform/Graphics.h"
#include "platform/PlatformState.h"
#include <SDL.h>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

namespace {

bool rendererGone = false; // set when the device is destroyed; textures then need no freeing

int Fail(const char* what) {
    std::fprintf(stderr, "PebbleFrost: %s: %s\n", what, SDL_GetError());
    return -1;
}

bool SameCall(const SpriteCall& a, const SpriteCall& b) {
    return a.texture == b.texture && a.serial == b.serial && a.alpha == b.alpha &&
           a.hasRect == b.hasRect &&
           (!a.hasRect || (a.rect.left == b.rect.left && a.rect.top == b.rect.top &&
                           a.rect.right == b.rect.right && a.rect.bottom == b.rect.bottom)) &&
           a.x == b.x && a.y == b.y && a.sx == b.sx && a.sy == b.sy && a.rotation == b.rotation;
}

int DrawNow(const SpriteCall& call, SDL_Renderer* renderer);

} // namespace

Letterbox FitLetterbox(int outputWidth, int outputHeight) {
    Letterbox box;
    if (outputWidth <= 0 || outputHeight <= 0) return box;
    const int64_t w = outputWidth, h = outputHeight;
    if (w * Graphics::kHeight >= h * Graphics::kWidth) { // wider than 4:3: bars at the sides
        box.h = outputHeight;
        box.w = static_cast<int>(h * Graphics::kWidth / Graphics::kHeight);
        box.scale = static_cast<float>(h) / Graphics::kHeight;
    } else { // taller: bars above and below
        box.w = outputWidth;
        box.h = static_cast<int>(w * Graphics::kHeight / Graphics::kWidth);
        box.scale = static_cast<float>(w) / Graphics::kWidth;
    }
    box.x = (outputWidth - box.w) / 2;
    box.y = (outputHeight - box.h) / 2;
    return box;
}

Graphics& Graphics::Instance() {
    static Graphics instance;
    return instance;
}

Graphics::~Graphics() {
    // Texture owners were created after the device and have been destroyed already.
    if (renderer) SDL_DestroyRenderer(renderer);
    renderer = nullptr;
    rendererGone = true;
    if (offscreen) SDL_FreeSurface(offscreen);
    offscreen = nullptr;
    platform::ClosePlatform();
}

int Graphics::InitDevice() {
    if (renderer) return 0;
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "0"); // point sampling

    if (platform::IsHeadless()) {
        offscreen =
            SDL_CreateRGBSurfaceWithFormat(0, kWidth, kHeight, 32, SDL_PIXELFORMAT_ARGB8888);
        if (!offscreen) return Fail("cannot create the offscreen back buffer");
        renderer = SDL_CreateSoftwareRenderer(offscreen);
        if (!renderer) return Fail("cannot create the software renderer");
        SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_BLEND);
        return 0;
    }

    SDL_Window* window = platform::SdlWindow();
    if (!window) {
        std::fprintf(stderr, "PebbleFrost: no game window to draw into\n");
        return -1;
    }
    if (platform::Mode() == DisplayMode::Fullscreen && !platform::EnterFullScreen(true))
        return Fail("cannot go full screen");

    // No vsync: a blocking present would hold back Update, which must run every millisecond or
    // two; the frame loop paces the pictures to the refresh rate itself.
    SDL_SetHint(SDL_HINT_RENDER_VSYNC, "0");
    renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED);
    if (!renderer) renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
    if (!renderer) return Fail("cannot create a renderer");
    SDL_DisplayMode shown;
    if (SDL_GetWindowDisplayMode(window, &shown) == 0 && shown.refresh_rate > 0)
        refreshHz = shown.refresh_rate;
    FitPicture();
    SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_BLEND);
    return 0;
}

void Graphics::FitPicture() {
    InvalidateFrame();
    int w = kWidth, h = kHeight;
    if (platform::IsHeadless()) {
        // The back buffer is the picture; the modelled window only maps the mouse.
        w = platform::Headless().outputWidth;
        h = platform::Headless().outputHeight;
        view = FitLetterbox(w, h);
        return;
    }
    if (!renderer || SDL_GetRendererOutputSize(renderer, &w, &h) != 0) return;
    // The picture is always 800 x 600; a larger window or screen scales it with bars. The
    // viewport is given in pixels (at scale 1), then the scale applies inside it.
    view = FitLetterbox(w, h);
    const SDL_Rect viewport{view.x, view.y, view.w, view.h};
    SDL_RenderSetScale(renderer, 1.0f, 1.0f);
    SDL_RenderSetViewport(renderer, &viewport);
    SDL_RenderSetScale(renderer, view.scale, view.scale);
}

void Graphics::SetupCamera() {}

void Graphics::Clear() {
    if (!renderer) return;
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    SDL_RenderClear(renderer);
    shownValid = false;
    presentPending = true;
}

void Graphics::BeginScene() {
    batchCounts[recordIndex] = 0;
    recording = renderer != nullptr;
}

bool Graphics::EndScene() {
    if (!recording) return false; // nothing recorded, or the batch overflowed and drew already
    recording = false;
    const SpriteCall* frame = batches[recordIndex];
    const int count = batchCounts[recordIndex];
    const int shown = 1 - recordIndex;
    if (shownValid && count == batchCounts[shown] &&
        std::equal(frame, frame + count, batches[shown], SameCall))
        return false; // the same picture is on show already

    Clear();
    for (int i = 0; i < count; ++i)
        DrawNow(frame[i], renderer);
    shownValid = true;
    recordIndex = shown;
    return true;
}

void Graphics::Present() {
    if (!renderer) return;
    if (platform::IsHeadless()) {
        SDL_RenderFlush(renderer); // the frame stays readable in the offscreen surface
        return;
    }
    if (presentPending) SDL_RenderPresent(renderer);
    presentPending = false;
}

int DrawSprite(uint8_t alpha, const RECT* rect, Graphics& graphics, Texture* texture, int x, int y,
               float sx, float sy, float rotation) {
    if (platform::IsHeadless() && platform::Headless().recordDraws)
        platform::Headless().drawLog.push_back(headless::DrawRecord{
            texture, rect == nullptr, rect ? *rect : RECT{}, x, y, sx, sy, rotation, alpha});
    if (!texture || !texture->handle || !graphics.renderer) return -1;
    const SpriteCall call{
        texture, texture->serial, alpha, rect != nullptr, rect ? *rect : RECT{}, x, y, sx,
        sy,      rotation};
    if (!graphics.recording) {
        graphics.shownValid = false;
        graphics.presentPending = true;
        return DrawNow(call, graphics.renderer);
    }
    int& count = graphics.batchCounts[graphics.recordIndex];
    if (count == Graphics::kBatchCapacity) {
        // More sprites than the batch holds: draw what it has and the rest of this frame at once.
        graphics.EndScene();
        graphics.shownValid = false;
        return DrawNow(call, graphics.renderer);
    }
    graphics.batches[graphics.recordIndex][count++] = call;
    return 0;
}

namespace {

int DrawNow(const SpriteCall& call, SDL_Renderer* renderer) {
    Texture* texture = call.texture;
    const RECT* rect = call.hasRect ? &call.rect : nullptr;
    const int x = call.x;
    const int y = call.y;
    const float sx = call.sx;
    const float sy = call.sy;
    SDL_Rect source{0, 0, texture->width, texture->height};
    float hx = 0.0f, hy = 0.0f;
    float top = static_cast<float>(y);
    float partX = 0.0f, partY = 0.0f; // where the drawn part starts inside the rectangle
    if (rect) {
        // Only the part of the rectangle inside the picture is drawn, where it lies within the
        // rectangle; the rest is transparent (a renderer would stretch the part that exists).
        const int left = std::max(rect->left, 0);
        const int topRow = std::max(rect->top, 0);
        const int right = std::min(rect->right, texture->width);
        const int bottom = std::min(rect->bottom, texture->height);
        if (right <= left || bottom <= topRow) return 0;
        source = SDL_Rect{left, topRow, right - left, bottom - topRow};
        partX = static_cast<float>(left - rect->left);
        partY = static_cast<float>(topRow - rect->top);
        // Half extents from right and bottom (not the width and height) as the art expects.
        hx = sx * static_cast<float>(rect->right) * 0.5f;
        hy = sy * static_cast<float>(rect->bottom) * 0.5f;
        // A vertically squashed sprite keeps its bottom edge where the unscaled one has it.
        if (sy < 1.0f) top = static_cast<float>(y) + static_cast<float>(rect->bottom) * (1.0f - sy);
    }

    // The scaled part starts at (x, top) plus its scaled offset and extends sx * w, sy * h: to the
    // left or upwards (mirrored) when the scale is negative.
    const float startX = static_cast<float>(x) + sx * partX;
    const float startY = top + sy * partY;
    float w = sx * static_cast<float>(source.w);
    float h = sy * static_cast<float>(source.h);
    SDL_FRect dest{startX + (w < 0 ? w : 0.0f), startY + (h < 0 ? h : 0.0f), std::fabs(w),
                   std::fabs(h)};
    int flip = (w < 0 ? SDL_FLIP_HORIZONTAL : 0) | (h < 0 ? SDL_FLIP_VERTICAL : 0);
    // Rotation about (x + hx, y + hy), measured from y rather than the anchored top.
    SDL_FPoint centre{static_cast<float>(x) + hx - dest.x, static_cast<float>(y) + hy - dest.y};
    double degrees = static_cast<double>(call.rotation) * (180.0 / std::numbers::pi);

    SDL_SetTextureAlphaMod(texture->handle, call.alpha);
    return SDL_RenderCopyExF(renderer, texture->handle, &source, &dest, degrees, &centre,
                             static_cast<SDL_RendererFlip>(flip));
}

} // namespace

void ReleaseTexture(Texture*& slot) {
    if (!slot) return;
    if (slot->handle && !rendererGone) SDL_DestroyTexture(slot->handle);
    ForgetLoadedPicture(*slot);
    delete slot;
    slot = nullptr;
}
