#include "app/Game.h"

#ifdef __EMSCRIPTEN__
#include <cstdlib>
#include <emscripten.h>

#include "app/SceneManager.h"
#include "services/CCommon.h"

// The page calls this when it is hidden (another tab, the phone locked): the level pauses as
// Escape pauses it. The browser runs no frames while the page is hidden, so the menu is what the
// player finds on coming back.
extern "C" EMSCRIPTEN_KEEPALIVE void PebbleFrostPageHidden() {
    if (SceneManager::Instance().sceneNumber == 1) CCommon::Instance().pauseForHiddenPage = 1;
}

// The page calls this once the ending's pictures and sound, fetched after the first download, are
// in Data.
extern "C" EMSCRIPTEN_KEEPALIVE void PebbleFrostEndingDataLoaded() {
    CCommon::Instance().endingDataHere = 1;
}

namespace {

// The browser calls this once per animation frame; after Quit the loop stops, the game lets go
// of its scene, input and sound, and the page is told (it shows that the game has ended).
void AnimationFrame() {
    if (AnimationFramePass()) return;
    emscripten_cancel_main_loop();
    Shutdown();
    DestroyGameWindow();
    EM_ASM({
        if (Module.onGameEnded) Module.onGameEnded();
    });
}

} // namespace

int main() {
    // The page's canvas is the display: name SDL's driver for it, so that the start-up check for
    // an X11 or Wayland display lets the game through.
    setenv("SDL_VIDEODRIVER", "emscripten", 0);
    // The title's first picture as soon as the page has loaded, the rest while it shows.
    CCommon::loadInStages = true;
    if (!Startup(DisplayMode::Windowed)) {
        Shutdown();
        return 1;
    }
    // The page asks for the ending's data once the game runs, and says when it is here.
    CCommon::Instance().endingDataHere = 0;
    // 0 frames a second: the browser's own animation frames. main does not return.
    emscripten_set_main_loop(AnimationFrame, 0, 1);
    return 0;
}

#else

int main() {
#ifdef PEBBLEFROST_WINDOWED
    return RunGame(DisplayMode::Windowed);
#else
    return RunGame(DisplayMode::Fullscreen);
#endif
}

#endif
