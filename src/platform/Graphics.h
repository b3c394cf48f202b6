#pragma once
#include "platform/Types.h"

struct SDL_Renderer;
struct SDL_Window;
struct SDL_Surface;

// A picture loaded from a PNG at its own size. Texture slots are plain pointers: nullptr = empty.
struct Texture {
    struct SDL_Texture* handle = nullptr;
    int width = 0;
    int height = 0;
};

// The device and the sprite batch: an SDL renderer on the game window, or a software renderer
// on an 800 x 600 offscreen surface in the headless backend.
class Graphics {
  public:
    static Graphics& Instance();
    ~Graphics();

    // 0 on success, -1 on failure (the reason goes to stderr).
    int InitDevice();
    // Sprites are placed in screen pixels; nothing to set beyond the frame's draw state.
    void SetupCamera();
    void Clear();      // black
    void BeginScene(); // begins the frame's sprite batch (alpha blending)
    void EndScene();
    // Shows the frame; paces to about 60 frames per second when the renderer has no vsync.
    void Present();

    SDL_Renderer* renderer = nullptr; // the "device"
    SDL_Surface* offscreen = nullptr; // headless back buffer (ARGB8888, 800 x 600)
    bool vsync = false;
    uint32_t lastPresentTick = 0;

    static constexpr int kWidth = 800;
    static constexpr int kHeight = 600;

  private:
    Graphics() = default;
};

// The one drawing primitive. Half extents come from rect->right and rect->bottom; a sprite with
// sy < 1 keeps its bottom edge; a negative sx mirrors the picture to the left of x; rotation
// (radians, clockwise on screen) is about (x + hx, y + hy). White with the given alpha.
int DrawSprite(uint8_t alpha, const RECT* rect, Graphics& graphics, Texture* texture, int x, int y,
               float sx, float sy, float rotation);

// Loads a PNG (with its alpha, at its own size) into an empty slot; a filled slot is left alone,
// a missing or unreadable file leaves the slot empty.
void LoadTexture(const char* path, Texture*& slot);
// Frees the texture and empties the slot.
void ReleaseTexture(Texture*& slot);
