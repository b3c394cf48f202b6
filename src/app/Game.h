#pragma once
#include "platform/Window.h"

// The program: start-up, the message loop, one frame, shut-down.

// Start-up up to (not including) the message loop. False when the program must end; the reason
// has been printed.
bool Startup(DisplayMode mode);
// Runs the message loop until the Quit message is taken.
void MessageLoop();

// When the loop runs Update and when it draws. Update runs every pass, one pass about every
// millisecond, so that steps paced at 10 ms take 11 to 12 ms; pictures are drawn at the display's
// refresh rate. The loop never blocks on the display.
struct FramePacer {
    static constexpr double kUpdateIntervalMs = 1.0;
    double renderIntervalMs = 1000.0 / 60.0;
    double nextRenderMs = -1.0; // the first pass draws

    // True when a picture is due at nowMs; schedules the next one.
    bool RenderDue(double nowMs);
};

// One pass of the loop: the waiting window messages, Update, Render and Present when a picture
// is due, then the wait until the next pass. False when the Quit message was taken.
bool LoopPass(FramePacer& pacer);

// One pass when the browser owns the loop and calls it once per animation frame: the waiting
// window messages, then one Update and one Render, drawn whether or not a picture is due (the
// browser paces the frames, and Present does not wait there). False when the Quit message was
// taken; nothing more runs then.
bool AnimationFramePass();

// The current scene's Update.
void UpdateFrame();
// Begin, the (possibly new) current scene's Render, end, present.
void RenderFrame();
// One frame: UpdateFrame, then RenderFrame.
void RunFrame();
// Dispatches one window message (mouse position, button flag, window close).
void WndProc(const WindowMessage& msg);
// Releases the current scene and the input devices.
void Shutdown();

// The whole program for one build; returns the process exit status.
int RunGame(DisplayMode mode);
