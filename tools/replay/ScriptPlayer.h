#pragma once
// Plays an input script against the whole game on the headless backend: timed key presses, mouse
// moves and clicks, a few actions a player makes in the level (tearing an item out, putting one
// down, turning pages) and checks of the game's state. The walkthrough test and the replay tool
// run the same scripts.
//
// Script lines (one command per line; '#' starts a comment; numbers are decimal):
//   frames N              run N frames
//   wait MS               run frames for MS milliseconds of game time
//   key NAME [MS]         press a key, hold it MS ms (default 60), let it go
//   down NAME / up NAME   press or let go of a key
//   move X Y              move the mouse
//   click X Y             move there, press the left button for a frame, let it go
//   tear ITEM             click the middle of a bag item lying in the picture (0..14)
//   put ITEM X Y          take ITEM out of the bag and put it down with its middle at (X, Y)
//   turn [N [STATE]]      turn N pages forward with D (default 1); after each: the page went up
//                         by one, no lost notice, no lock, and the character is in STATE if given
//   back [N]              turn N pages back with A
//   until WHAT VALUE [MS] run frames until WHAT equals VALUE (fails after MS, default 30000)
//   expect WHAT VALUE     fail unless WHAT equals VALUE
//   play FILE             the lines of another script (its path relative to this one's folder)
// WHAT: scene, page, charState, forwardLock, autoFlip, paused, bagOpen, item.I (state of bag
// item I), coll.C / back.B (state of collision / background object), gameover (1 when a lost
// notice shows), notice.N (notice N shows: 1-3 the lost notices gameover1-3, 4 the warning),
// introDone and titlePhase (the title's own values), pageNotice (1 while the page notice is
// drawn), smoke, endingStarted (1 once the closing sequence has begun), quit (1 once the game
// has asked to end), stopCard (the kind of stop whose own card shows, 0 none), lastStop (the
// stop met last), hintLevel (2 or 3 while a nearer hint shows, 4 for the knocked-out elk's at the
// fence, else 0), foxTook (the item whose theft card shows, -1 none). Keys: Escape Return F2 W I A
// S D Space Left Right Up Down Minus Plus M.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct ScriptLine {
    std::string file; // the script the line is in (a played script names its own file)
    int number = 0;   // 1-based line in the file
    std::vector<std::string> words;
};

class ScriptPlayer {
  public:
    ScriptPlayer() = default;
    ScriptPlayer(const ScriptPlayer&) = delete;
    ScriptPlayer& operator=(const ScriptPlayer&) = delete;
    // Ends the game a run started as the program does at its end (the scene is released and
    // freed), so that whatever the script left behind is gone with the player.
    ~ScriptPlayer();

    // Reads and checks a script; false with `error` naming the line when it is not valid.
    bool Load(const std::string& path);
    bool Parse(const std::string& text, const std::string& name);

    // Starts the game headless (title scene, virtual clock) and plays the script through.
    // False with `error` naming the script line that failed.
    bool Run();

    // Called after every frame the script runs (frame number from 0).
    std::function<void(int frame)> onFrame;
    // Whether frames are drawn (the replay tool draws; the state checks do not need pictures).
    std::function<bool(int frame)> wantPicture;
    // Game time per frame.
    uint32_t frameMs = 16;

    std::string error;
    std::string name;
    std::vector<ScriptLine> lines;
    int framesRun = 0;
    bool quitTaken = false;
    bool drawEveryFrame = false; // while waiting for the game to end
    bool gameStarted = false;    // Run started the game, which the player ends

    // The value of a WHAT word (see above); false when the word is unknown.
    static bool Read(const std::string& what, int32_t& value);

  private:
    bool ParseInto(const std::string& text, const std::string& scriptName, int depth);
    bool Step(const ScriptLine& line);
    void Frame();
    void RunFor(uint32_t ms);
    bool Fail(const ScriptLine& line, const std::string& why);
};

// Key names of the script, as DirectInput codes (-1 when unknown).
int ScriptKeyCode(const std::string& name);
