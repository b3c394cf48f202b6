#include "platform/Graphics.h"
#include <SDL.h>
#include <cstdio>
#include <cstring>
#include <png.h>
#include <string>
#include <vector>

namespace {

// Paths in the data use either separator; the file system here wants '/'.
std::string LocalPath(const char* path) {
    std::string local(path);
    for (char& c : local)
        if (c == '\\') c = '/';
    return local;
}

} // namespace

void LoadTexture(const char* path, Texture*& slot) {
    if (slot || !path) return; // a filled slot keeps its texture
    SDL_Renderer* renderer = Graphics::Instance().renderer;
    if (!renderer) return;

    std::string local = LocalPath(path);
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, local.c_str())) {
        std::fprintf(stderr, "PebbleFrost: cannot read picture %s: %s\n", local.c_str(),
                     image.message);
        return;
    }
    image.format = PNG_FORMAT_RGBA; // straight alpha, bytes R, G, B, A
    std::vector<png_byte> pixels(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) {
        std::fprintf(stderr, "PebbleFrost: cannot decode picture %s: %s\n", local.c_str(),
                     image.message);
        png_image_free(&image);
        return;
    }
    int width = static_cast<int>(image.width);
    int height = static_cast<int>(image.height);

    SDL_Texture* handle = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGBA32,
                                            SDL_TEXTUREACCESS_STATIC, width, height);
    if (!handle || SDL_UpdateTexture(handle, nullptr, pixels.data(), width * 4) != 0) {
        std::fprintf(stderr, "PebbleFrost: cannot make a texture of %s (%d x %d): %s\n",
                     local.c_str(), width, height, SDL_GetError());
        if (handle) SDL_DestroyTexture(handle);
        return;
    }
    SDL_SetTextureBlendMode(handle, SDL_BLENDMODE_BLEND);
    SDL_SetTextureScaleMode(handle, SDL_ScaleModeNearest);
    static uint32_t lastSerial = 0;
    slot = new Texture{handle, width, height, ++lastSerial};
}
