#include "app/Game.h"

int main() {
#ifdef PEBBLEFROST_WINDOWED
    return RunGame(DisplayMode::Windowed);
#else
    return RunGame(DisplayMode::Fullscreen);
#endif
}
