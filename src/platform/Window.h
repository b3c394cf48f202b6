#pragma once
#include "platform/Types.h"
#include <string>

// The game window, its message queue and the process-wide globals the window procedure keeps.

enum class DisplayMode {
    Fullscreen, // PebbleFrost
    Windowed,   // PebbleFrostWindowed
    Headless,   // tests and tools: no window, offscreen rendering, virtual clock, silent mixer
};

enum class MessageType {
    Destroy,     // the window was closed
    MouseMove,   // x, y in back-buffer pixels
    LButtonDown, // x, y
    LButtonUp,   // x, y
    KeyDown,     // swallowed by the window procedure
    Quit,        // posted by PostQuitMessage; ends the message loop
};

struct WindowMessage {
    MessageType type = MessageType::Quit;
    int32_t x = 0;
    int32_t y = 0;
};

extern WindowHandle mainWindow; // written once, right after the window is created
extern int32_t cursorX;         // mouse position in back-buffer pixels, from MouseMove messages
extern int32_t cursorY;

// Opens the platform for the given mode (SDL video, audio and the window; or the headless twin)
// and returns the window handle. On failure returns nullptr and writes a one-line reason.
WindowHandle CreateGameWindow(DisplayMode mode, const char* title, const char** error);
DisplayMode CurrentDisplayMode();
void ShowGameWindow();
// Hides the window, gives the display its own mode back and closes the sound device; called
// once at the end of the program. The window itself and SDL go with the Graphics singleton at exit
// (after every texture owner).
void DestroyGameWindow();

// Takes the next waiting message (pumping SDL's events first). False when none waits.
bool PeekWindowMessage(WindowMessage& out);
// Queues a message behind those already waiting (the headless backend's input script uses it).
void PostWindowMessage(const WindowMessage& msg);
// Queues the Quit message.
void PostQuitMessage(int exitCode);

// Alt+Enter and F11: full screen becomes windowed and back, in both programs. The picture keeps
// its shape and the mouse keeps landing on it where it points.
void ToggleFullScreen();
bool IsFullScreen();
// A point in the window's pixels as a point of the 800 x 600 picture (clamped onto its edge).
POINT PictureFromWindow(int32_t x, int32_t y);

// The window that has the input focus, or nullptr when another program has it.
WindowHandle GetActiveWindow();

// A modal error box (the real backend) or a recorded message (headless); always echoed to stderr.
void ShowErrorMessage(const char* caption, const char* text);

// The frame loop's clock in milliseconds, finer than the tick count (the virtual clock when
// headless).
double LoopClockMs();
// Sleeps for ms, rounded up to whole milliseconds (headless: advances the virtual clock).
void WaitMs(double ms);

// The seed for rand(): the calendar time, or a fixed number in the headless backend.
unsigned RandomSeed();

// The size the windowed program's window opens at (800 x 600 unless asked before
// CreateGameWindow); fitted to the display it opens on.
void RequestWindowSize(int width, int height);
// The window's size when it is not full screen (the last one it had), in pixels.
void WindowedSize(int& width, int& height);

// The user's preference folder for the game (made when missing), with a trailing separator;
// "" when the system has none. On Linux it lies under XDG_DATA_HOME.
std::string PreferenceFolder();

// The folder that holds the running program, with a trailing separator; "" when unknown.
// Works before the platform is started.
std::string ProgramFolder();
