#pragma once
#include "platform/Window.h"

// The program: start-up, the message loop, one frame, shut-down.

// Start-up up to (not including) the message loop. False when the program must end; the reason
// has been printed.
bool Startup(DisplayMode mode);
// Runs the message loop until the Quit message is taken.
void MessageLoop();
// One frame: clear, begin, current scene's Update, (possibly new) scene's Render, end, present.
void RunFrame();
// Dispatches one window message (mouse position, button flag, window close).
void WndProc(const WindowMessage& msg);
// Releases the current scene and the input devices.
void Shutdown();

// The whole program for one build; returns the process exit status.
int RunGame(DisplayMode mode);
