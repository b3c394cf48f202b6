#pragma once
// The walkthrough as far as a puzzle, then the puzzle left unsolved: the hero is lost, forward
// turns are locked, and three pages back it plays on. The walkthrough test plays them, and the
// undo test turns pages from every page they reach.
struct WrongTurn {
    const char* name;
    const char* script; // played from tests/scripts, so `play` finds the walkthrough's parts
};
constexpr WrongTurn kWrongTurns[] = {
    {"no plank over the gap: the hero falls in", R"(
play level/01_to_the_boardwalk.txt
turn 10 0
turn 1 13
key D
key D
key D
expect forwardLock 1
expect charState 13
expect pageNotice 1
expect stopCard 5
back 3
expect forwardLock 0
expect charState 0
)"},
    {"the elk not woken: the climb fails, then the fence knocks the hero down", R"(
play level/01_to_the_boardwalk.txt
play level/02_plank_imp_fox.txt
turn 9 0
turn 5 4           # slides off the sleeping elk
turn 22 0
turn 1 1           # the fence
key D
key D
key D
expect forwardLock 1
expect notice.2 1
back 3
expect forwardLock 0
expect charState 0
expect notice.2 0
)"},
    {"nothing dropped on the leaning fir: its snow buries the hero", R"(
play level/01_to_the_boardwalk.txt
play level/02_plank_imp_fox.txt
play level/03_elk_ride.txt
play level/04_snowman_bell_troll.txt
turn 21 0
turn 1 16
key D
key D
key D
expect forwardLock 1
expect charState 16
expect pageNotice 1
expect stopCard 7
back 3
expect forwardLock 0
expect charState 0
)"},
};

constexpr const char* kWrongTurnNames[] = {"NoPlankOverTheGap", "ElkNotWoken", "NothingOnTheFir"};
