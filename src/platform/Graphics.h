#pragma once
#include "platform/Types.h"
#include <cstddef>

struct SDL_Renderer;
struct SDL_Window;
struct SDL_Surface;

// A picture loaded from a PNG at its own size. Texture slots are plain pointers: nullptr = empty.
struct Texture {
    struct SDL_Texture* handle = nullptr;
    int width = 0;
    int height = 0;
    uint32_t serial = 0; // unique per loaded picture: a freed slot's address may come back
};

// One DrawSprite call as the frame's sprite batch keeps it.
struct SpriteCall {
    Texture* texture = nullptr;
    uint32_t serial = 0;
    uint8_t alpha = 0;
    bool hasRect = false;
    RECT rect;
    int x = 0;
    int y = 0;
    float sx = 0.0f;
    float sy = 0.0f;
    float rotation = 0.0f;
};

// Where the 800 x 600 picture lies in a window or screen of another size: scaled to fit whole,
// with black bars on the two sides (or above and below) where the shapes differ.
struct Letterbox {
    int x = 0, y = 0, w = 800, h = 600; // in the window's pixels
    float scale = 1.0f;
};
Letterbox FitLetterbox(int outputWidth, int outputHeight);

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
    void Clear(); // black, at once; the next scene is then drawn in full
    // Begins the frame's sprite batch: DrawSprite keeps its calls until EndScene.
    void BeginScene();
    // Draws the batch (cleared to black first) unless it repeats the frame on show exactly, in
    // which case the picture already there stays. True when it drew.
    bool EndScene();
    // Shows the frame drawn since the last Present (nothing when EndScene kept the old one).
    // Never waits for the display: the frame loop paces itself.
    void Present();
    // The window's picture was lost or resized: the next scene is drawn in full.
    void InvalidateFrame() { shownValid = false; }
    // Places the picture in the window's present size (after a resize or a full-screen switch)
    // and draws it anew.
    void FitPicture();

    SDL_Renderer* renderer = nullptr; // the "device"
    SDL_Surface* offscreen = nullptr; // headless back buffer (ARGB8888, 800 x 600)
    int refreshHz = 60;               // the display's refresh rate (60 when it does not say)
    Letterbox view;                   // where the picture lies in the window

    // The sprite batch: this frame's calls and those of the frame on show.
    static constexpr int kBatchCapacity = 1024;
    SpriteCall batches[2][kBatchCapacity];
    int batchCounts[2] = {};
    int recordIndex = 0;
    bool recording = false;
    bool shownValid = false;     // batches[1 - recordIndex] is what the screen shows
    bool presentPending = false; // drawn since the last Present

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
// Pixel bytes (4 a pixel) of every picture loaded and not yet released: the game's own share of
// the memory the renderer holds for it.
size_t LoadedPictureBytes();
void ForgetLoadedPicture(const Texture& texture); // ReleaseTexture's part of that count
