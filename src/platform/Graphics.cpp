#include "platform/Graphics.h"
#include "platform/PlatformState.h"
#include <SDL.h>
#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr double kFrameMs = 1000.0 / 60.0;
// Vsync that lets frames through faster than this is not really there (some X servers).
constexpr double kFastestVsyncFrameMs = 1000.0 / 90.0;
constexpr int kVsyncCheckFrames = 60;

bool rendererGone = false; // set when the device is destroyed; textures then need no freeing

int Fail(const char* what) {
    std::fprintf(stderr, "PebbleFrost: %s: %s\n", what, SDL_GetError());
    return -1;
}

// The first 800 x 600 mode with 32 bits per pixel that the window's display offers.
bool FindExactMode(SDL_Window* window, SDL_DisplayMode& found) {
    int display = SDL_GetWindowDisplayIndex(window);
    if (display < 0) display = 0;
    int count = SDL_GetNumDisplayModes(display);
    for (int i = 0; i < count; ++i) {
        SDL_DisplayMode mode;
        if (SDL_GetDisplayMode(display, i, &mode) != 0) return false;
        if (mode.w == Graphics::kWidth && mode.h == Graphics::kHeight &&
            SDL_BYTESPERPIXEL(mode.format) == 4) {
            found = mode;
            return true;
        }
    }
    return false;
}

double NowMs() {
    return static_cast<double>(SDL_GetPerformanceCounter()) * 1000.0 /
           static_cast<double>(SDL_GetPerformanceFrequency());
}

} // namespace

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
    if (platform::Mode() == DisplayMode::Fullscreen) {
        SDL_DisplayMode mode;
        if (FindExactMode(window, mode)) {
            if (SDL_SetWindowDisplayMode(window, &mode) != 0 ||
                SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN) != 0)
                return Fail("cannot switch to the 800 x 600 display mode");
        } else if (SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN_DESKTOP) != 0) {
            return Fail("cannot go full screen");
        }
    }

    renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
    if (!renderer) renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
    if (!renderer) return Fail("cannot create a renderer");
    SDL_RendererInfo info;
    vsync = SDL_GetRendererInfo(renderer, &info) == 0 && (info.flags & SDL_RENDERER_PRESENTVSYNC);
    // The picture is always 800 x 600; a larger window or screen scales it with bars.
    if (SDL_RenderSetLogicalSize(renderer, kWidth, kHeight) != 0)
        return Fail("cannot set the 800 x 600 back buffer");
    SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_BLEND);
    return 0;
}

void Graphics::SetupCamera() {}

void Graphics::Clear() {
    if (!renderer) return;
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    SDL_RenderClear(renderer);
}

void Graphics::BeginScene() {}
void Graphics::EndScene() {}

void Graphics::Present() {
    if (!renderer) return;
    if (platform::IsHeadless()) {
        SDL_RenderFlush(renderer); // the frame stays readable in the offscreen surface
        return;
    }
    SDL_RenderPresent(renderer);

    // Without vsync hold about 60 frames per second: frames are paced by the clock, not spun.
    static double nextFrame = 0.0;
    static double checkStart = 0.0;
    static int checkedFrames = 0;
    double now = NowMs();
    if (vsync) {
        if (checkedFrames == 0) checkStart = now;
        if (++checkedFrames > kVsyncCheckFrames) {
            if (now - checkStart < kVsyncCheckFrames * kFastestVsyncFrameMs) vsync = false;
            checkedFrames = 0;
        }
        if (vsync) return;
    }
    if (nextFrame == 0.0 || now > nextFrame + 100.0) nextFrame = now; // start, or fell far behind
    nextFrame += kFrameMs;
    if (now < nextFrame) SDL_Delay(static_cast<Uint32>(nextFrame - now));
    lastPresentTick = SDL_GetTicks();
}

int DrawSprite(uint8_t alpha, const RECT* rect, Graphics& graphics, Texture* texture, int x, int y,
               float sx, float sy, float rotation) {
    if (!texture || !texture->handle || !graphics.renderer) return -1;

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
    double degrees = static_cast<double>(rotation) * (180.0 / M_PI);

    SDL_SetTextureAlphaMod(texture->handle, alpha);
    return SDL_RenderCopyExF(graphics.renderer, texture->handle, &source, &dest, degrees, &centre,
                             static_cast<SDL_RendererFlip>(flip));
}

void ReleaseTexture(Texture*& slot) {
    if (!slot) return;
    if (slot->handle && !rendererGone) SDL_DestroyTexture(slot->handle);
    delete slot;
    slot = nullptr;
}
