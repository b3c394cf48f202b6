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

// The folder that holds the running program, with a trailing separator; "" when unknown.
// Works before the platform is started.
std::string ProgramFolder();
