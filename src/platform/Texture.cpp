#include "platform/Graphics.h"
#include "platform/PngDecode.h"
#include "services/DataLimits.h"
#include <SDL.h>
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {
size_t loadedPictureBytes = 0;
size_t PictureBytes(const Texture& texture) {
    return size_t(texture.width) * size_t(texture.height) * 4;
}
} // namespace

size_t LoadedPictureBytes() {
    return loadedPictureBytes;
}

void ForgetLoadedPicture(const Texture& texture) {
    loadedPictureBytes -= std::min(loadedPictureBytes, PictureBytes(texture));
}

void LoadTexture(const char* path, Texture*& slot) {
    if (slot || !path) return; // a filled slot keeps its texture
    SDL_Renderer* renderer = Graphics::Instance().renderer;
    if (!renderer) return;

    // Never more than the renderer can hold, and never more than the game's pictures may be.
    int maxSide = kDataLimits.pictureSide.high;
    SDL_RendererInfo info;
    if (SDL_GetRendererInfo(renderer, &info) == 0) {
        if (info.max_texture_width > 0) maxSide = std::min(maxSide, info.max_texture_width);
        if (info.max_texture_height > 0) maxSide = std::min(maxSide, info.max_texture_height);
    }
    DecodedPng picture;
    std::string error;
    if (!DecodePng(path, maxSide, picture, error)) {
        std::fprintf(stderr, "PebbleFrost: cannot load picture %s: %s\n", path, error.c_str());
        return;
    }
    const int width = picture.width;
    const int height = picture.height;
    const std::vector<uint8_t>& pixels = picture.rgba;

    SDL_Texture* handle = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGBA32,
                                            SDL_TEXTUREACCESS_STATIC, width, height);
    if (!handle || SDL_UpdateTexture(handle, nullptr, pixels.data(), width * 4) != 0) {
        std::fprintf(stderr, "PebbleFrost: cannot make a texture of %s (%d x %d): %s\n", path,
                     width, height, SDL_GetError());
        if (handle) SDL_DestroyTexture(handle);
        return;
    }
    SDL_SetTextureBlendMode(handle, SDL_BLENDMODE_BLEND);
    SDL_SetTextureScaleMode(handle, SDL_ScaleModeNearest);
    static uint32_t lastSerial = 0;
    slot = new Texture{handle, width, height, ++lastSerial};
    loadedPictureBytes += PictureBytes(*slot);
}
