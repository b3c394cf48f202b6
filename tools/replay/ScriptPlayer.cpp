#include "ScriptPlayer.h"
#include "app/Game.h"
#include "app/SceneManager.h"
#include "platform/Headless.h"
#include "platform/Input.h"
#include "platform/Window.h"
#include "scenes/level/CStage_One.h"
#include "services/CCommon.h"
#include "services/InventoryBag.h"
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

struct KeyName {
    const char* name;
    int code;
};
constexpr KeyName kKeys[] = {
    {"Escape", DIK_ESCAPE}, {"Return", DIK_RETURN}, {"F2", DIK_F2},       {"W", DIK_W},
    {"I", DIK_I},           {"A", DIK_A},           {"S", DIK_S},         {"D", DIK_D},
    {"Space", DIK_SPACE},   {"Left", DIK_LEFT},     {"Right", DIK_RIGHT}, {"Up", DIK_UP},
    {"Down", DIK_DOWN},     {"Minus", DIK_MINUS},   {"Plus", DIK_EQUALS}, {"M", DIK_M},
};

// How many words (after the command) each command takes: at least, at most.
struct Command {
    const char* name;
    int minArgs;
    int maxArgs;
};
constexpr Command kCommands[] = {
    {"frames", 1, 1}, {"wait", 1, 1},  {"key", 1, 2},    {"down", 1, 1}, {"up", 1, 1},
    {"move", 2, 2},   {"click", 2, 2}, {"tear", 1, 1},   {"put", 3, 3},  {"turn", 0, 2},
    {"back", 0, 1},   {"until", 2, 3}, {"expect", 2, 2}, {"play", 1, 1},
};

bool ParseNumber(const std::string& word, int32_t& value) {
    errno = 0;
    char* end = nullptr;
    const long long parsed = std::strtoll(word.c_str(), &end, 10);
    if (word.empty() || *end != '\0' || errno == ERANGE || parsed < INT32_MIN || parsed > INT32_MAX)
        return false;
    value = static_cast<int32_t>(parsed);
    return true;
}

CStage_One* Level() {
    SceneManager& scenes = SceneManager::Instance();
    return scenes.sceneNumber == 1 ? dynamic_cast<CStage_One*>(scenes.current) : nullptr;
}

// "item.12" -> ("item", 12).
bool SplitIndexed(const std::string& what, std::string& head, int& index) {
    const size_t dot = what.find('.');
    if (dot == std::string::npos) return false;
    head = what.substr(0, dot);
    int32_t value = 0;
    if (!ParseNumber(what.substr(dot + 1), value)) return false;
    index = value;
    return true;
}

// The words `until` and `expect` read (checked when the script is read, before the game and its
// singletons exist).
bool KnownWhat(const std::string& what) {
    static const char* const kPlain[] = {
        "scene",     "page",       "forwardLock", "autoFlip", "paused",     "bagOpen",
        "charState", "gameover",   "smoke",       "quit",     "pageNotice", "endingStarted",
        "introDone", "titlePhase", "stopCard",    "lastStop", "hintLevel",  "foxTook"};
    for (const char* word : kPlain)
        if (what == word) return true;
    std::string head;
    int index = 0;
    if (!SplitIndexed(what, head, index)) return false;
    if (head == "item") return index >= 0 && index < InventoryBag::kItems;
    if (head == "coll") return index >= 0 && index < LevelState::kColls;
    if (head == "back") return index >= 0 && index < LevelState::kBacks;
    if (head == "notice") return index >= 1 && index <= 4;
    return false;
}

constexpr int kSlotRestX[5] = {50, 145, 240, 50, 145};
constexpr int kSlotRestY[5] = {60, 60, 60, 155, 155};
constexpr int kSlotHalf = 42;

} // namespace

int ScriptKeyCode(const std::string& name) {
    for (const KeyName& key : kKeys)
        if (name == key.name) return key.code;
    return -1;
}

bool ScriptPlayer::Load(const std::string& path) {
    std::ifstream file(path);
    if (!file) {
        error = "cannot open script '" + path + "'";
        return false;
    }
    std::stringstream text;
    text << file.rdbuf();
    return Parse(text.str(), path);
}

bool ScriptPlayer::Parse(const std::string& text, const std::string& scriptName) {
    name = scriptName;
    lines.clear();
    return ParseInto(text, scriptName, 0);
}

bool ScriptPlayer::ParseInto(const std::string& text, const std::string& scriptName, int depth) {
    constexpr int kMaxPlayDepth = 8; // scripts that play each other in a circle stop here
    std::istringstream in(text);
    std::string raw;
    int number = 0;
    while (std::getline(in, raw)) {
        ++number;
        const size_t hash = raw.find('#');
        if (hash != std::string::npos) raw.erase(hash);
        ScriptLine line;
        line.file = scriptName;
        line.number = number;
        std::istringstream words(raw);
        for (std::string w; words >> w;)
            line.words.push_back(w);
        if (line.words.empty()) continue;
        const Command* command = nullptr;
        for (const Command& c : kCommands)
            if (line.words[0] == c.name) command = &c;
        const std::string where = scriptName + ":" + std::to_string(number) + ": ";
        if (!command) {
            error = where + "unknown command '" + line.words[0] + "'";
            return false;
        }
        const int args = static_cast<int>(line.words.size()) - 1;
        if (args < command->minArgs || args > command->maxArgs) {
            error =
                where + "'" + line.words[0] + "' takes " + std::to_string(command->minArgs) +
                (command->maxArgs != command->minArgs ? " to " + std::to_string(command->maxArgs)
                                                      : "") +
                " values, not " + std::to_string(args);
            return false;
        }
        const std::string& c = line.words[0];
        const bool keyed = c == "key" || c == "down" || c == "up";
        for (int i = 1; i <= args; ++i) {
            const std::string& w = line.words[i];
            if (keyed && i == 1) {
                if (ScriptKeyCode(w) < 0) {
                    error = where + "unknown key '" + w + "'";
                    return false;
                }
                continue;
            }
            if (c == "play") continue;
            if ((c == "until" || c == "expect") && i == 1) {
                if (!KnownWhat(w)) {
                    error = where + "unknown value to check '" + w + "'";
                    return false;
                }
                continue;
            }
            int32_t value = 0;
            if (!ParseNumber(w, value)) {
                error = where + "'" + w + "' is not a number";
                return false;
            }
        }
        if (c == "play") {
            if (depth >= kMaxPlayDepth) {
                error = where + "scripts play each other too deeply";
                return false;
            }
            const std::string path =
                (std::filesystem::path(scriptName).parent_path() / line.words[1]).string();
            std::ifstream file(path);
            if (!file) {
                error = where + "cannot open script '" + path + "'";
                return false;
            }
            std::stringstream played;
            played << file.rdbuf();
            if (!ParseInto(played.str(), path, depth + 1)) return false;
            continue;
        }
        lines.push_back(line);
    }
    return true;
}

bool ScriptPlayer::Read(const std::string& what, int32_t& value) {
    const CCommon& common = CCommon::Instance();
    const InventoryBag& bag = InventoryBag::Instance();
    CStage_One* level = Level();
    if (what == "scene") {
        value = SceneManager::Instance().sceneNumber;
    } else if (what == "page") {
        value = common.page;
    } else if (what == "forwardLock") {
        value = common.forwardLock;
    } else if (what == "autoFlip") {
        value = common.autoFlip;
    } else if (what == "paused") {
        value = common.paused;
    } else if (what == "bagOpen") {
        value = bag.open;
    } else if (what == "charState") {
        value = level ? level->level.charState : -1;
    } else if (what == "gameover") {
        value = level ? (level->level.notices.showGameover1 | level->level.notices.showGameover2 |
                         level->level.notices.showGameover3)
                      : 0;
    } else if (what == "stopCard") {
        value = level ? level->level.notices.stopCard : 0;
    } else if (what == "lastStop") {
        value = level ? level->level.stops.last : 0;
    } else if (what == "hintLevel") {
        value = level ? level->level.notices.hintLevel : 0;
    } else if (what == "foxTook") {
        value = level ? level->level.notices.foxTook : -1;
    } else if (what == "smoke") {
        value = level ? level->level.smokeStep : 0;
    } else if (what == "introDone") {
        value = common.introDone;
    } else if (what == "titlePhase") {
        value = common.titlePhase;
    } else if (what == "endingStarted") {
        value = level ? level->level.flags.endingStarted : 0;
    } else if (what == "pageNotice") {
        // The page notice is drawn under the same condition.
        value = level && common.pageTurned == 1 && (common.page == 0 || common.forwardLock);
    } else if (what == "quit") {
        value = 0; // answered by the player, which sees the Quit message
    } else {
        std::string head;
        int index = 0;
        if (!SplitIndexed(what, head, index)) return false;
        if (head == "item" && index >= 0 && index < InventoryBag::kItems) {
            value = bag.items[index].state;
        } else if (head == "coll" && index >= 0 && index < LevelState::kColls) {
            value = level ? level->level.colls[index].state : -1;
        } else if (head == "back" && index >= 0 && index < LevelState::kBacks) {
            value = level ? level->level.backs[index].state : -1;
        } else if (head == "notice" && index >= 1 && index <= 4) {
            value = 0;
            if (level) {
                const Notices& n = level->level.notices;
                const uint8_t shown[4] = {n.showGameover1, n.showGameover2, n.showGameover3,
                                          n.showWarning};
                value = shown[index - 1];
            }
        } else {
            return false;
        }
    }
    return true;
}

void ScriptPlayer::Frame() {
    headless::AdvanceClock(frameMs);
    WindowMessage msg;
    while (PeekWindowMessage(msg)) {
        if (msg.type == MessageType::Quit) {
            quitTaken = true;
            return;
        }
        WndProc(msg);
    }
    if (quitTaken) return;
    const bool picture = drawEveryFrame || !wantPicture || wantPicture(framesRun);
    if (picture) {
        RunFrame();
    } else {
        SceneManager& scenes = SceneManager::Instance();
        if (scenes.current) scenes.current->Update();
    }
    if (onFrame) onFrame(framesRun);
    ++framesRun;
}

void ScriptPlayer::RunFor(uint32_t ms) {
    for (uint32_t t = 0; t < ms && !quitTaken; t += frameMs)
        Frame();
}

bool ScriptPlayer::Fail(const ScriptLine& line, const std::string& why) {
    error = line.file + ":" + std::to_string(line.number) + ": " + why;
    return false;
}

ScriptPlayer::~ScriptPlayer() {
    if (!gameStarted) return;
    Shutdown();
    SceneManager& scenes = SceneManager::Instance();
    delete scenes.current; // Shutdown released it; the program frees it at exit
    scenes.current = nullptr;
}

bool ScriptPlayer::Run() {
    // A run starts as the program does, on the title's splash, even after an earlier run in the
    // same process left a scene behind (a test binary plays several scripts). The book is only
    // touched then: made before the headless device, it would load no pictures.
    SceneManager& scenes = SceneManager::Instance();
    static bool playedBefore = false;
    if (playedBefore) {
        if (scenes.current) scenes.ChangeStage(-1); // releases and deletes it, makes no new one
        scenes.sceneNumber = 0;
        CCommon& common = CCommon::Instance();
        common.titlePhase = 0;
        common.introDone = 0;
        common.helpStep = 0;
    }
    playedBefore = true;
    headless::SetClock(1000);
    gameStarted = true; // a failed start-up is taken down like a finished run
    if (!Startup(DisplayMode::Headless)) {
        error = "the game did not start";
        return false;
    }
    headless::SetActive(true);
    for (const ScriptLine& line : lines) {
        if (quitTaken && line.words[0] != "expect") return Fail(line, "the game has already ended");
        if (!Step(line)) return false;
    }
    return true;
}

bool ScriptPlayer::Step(const ScriptLine& line) {
    const std::string& c = line.words[0];
    auto number = [&](int i) {
        int32_t v = 0;
        ParseNumber(line.words[i], v);
        return v;
    };
    auto press = [&](int code, uint32_t holdMs) {
        headless::SetKey(code, true);
        Frame();
        RunFor(holdMs > frameMs ? holdMs - frameMs : 0);
        headless::SetKey(code, false);
        Frame();
    };
    auto clickAt = [&](int x, int y) {
        headless::MoveMouse(x, y);
        headless::ReleaseMouse(x, y);
        Frame();
        headless::PressMouse(x, y);
        Frame();
        headless::ReleaseMouse(x, y);
        Frame();
    };

    if (c == "frames") {
        for (int i = 0; i < number(1) && !quitTaken; ++i)
            Frame();
    } else if (c == "wait") {
        RunFor(static_cast<uint32_t>(std::max(0, number(1))));
    } else if (c == "key") {
        press(ScriptKeyCode(line.words[1]), line.words.size() > 2 ? number(2) : 60);
    } else if (c == "down" || c == "up") {
        headless::SetKey(ScriptKeyCode(line.words[1]), c == "down");
        Frame();
    } else if (c == "move") {
        headless::MoveMouse(number(1), number(2));
        Frame();
    } else if (c == "click") {
        clickAt(number(1), number(2));
    } else if (c == "tear") {
        const int item = number(1);
        if (item < 0 || item >= InventoryBag::kItems) return Fail(line, "no item " + line.words[1]);
        const TearObj& it = InventoryBag::Instance().items[item];
        if (it.state != ItemVisible)
            return Fail(line, "item " + line.words[1] + " is not in the picture (state " +
                                  std::to_string(it.state) + ")");
        clickAt((it.hit.left + it.hit.right) / 2, (it.hit.top + it.hit.bottom) / 2);
        for (int i = 0; i < 400 && it.state != ItemInBag && !quitTaken; ++i)
            Frame();
        if (it.state != ItemInBag) return Fail(line, "item " + line.words[1] + " was not torn out");
    } else if (c == "put") {
        const int item = number(1);
        InventoryBag& bag = InventoryBag::Instance();
        if (item < 0 || item >= InventoryBag::kItems) return Fail(line, "no item " + line.words[1]);
        int slot = -1;
        for (int s = 0; s < InventoryBag::kItems; ++s)
            if (bag.slots[s].occupied && bag.slots[s].item == item) slot = s;
        if (slot < 0) return Fail(line, "item " + line.words[1] + " is not in the bag");
        if (CCommon::Instance().autoFlip) press(DIK_S, 60); // stops the pages, opens the bag
        if (!bag.open) press(DIK_W, 60);
        if (!bag.open) return Fail(line, "the bag does not open");
        for (int i = 0; i < 3 && bag.bagPage != slot / 5; ++i)
            clickAt((bag.kPageButtonRect.left + bag.kPageButtonRect.right) / 2,
                    (bag.kPageButtonRect.top + bag.kPageButtonRect.bottom) / 2);
        clickAt(kSlotRestX[slot % 5] + kSlotHalf, kSlotRestY[slot % 5] + kSlotHalf);
        if (bag.items[item].state != ItemCarried)
            return Fail(line, "item " + line.words[1] + " could not be taken from the bag");
        clickAt(number(2), number(3));
        if (bag.items[item].state != ItemPlaced && bag.items[item].state != ItemPlacedOff)
            return Fail(line, "item " + line.words[1] + " was not put down");
    } else if (c == "turn" || c == "back") {
        const int count = line.words.size() > 1 ? number(1) : 1;
        const bool forward = c == "turn";
        for (int i = 0; i < count && !quitTaken; ++i) {
            const int32_t page = CCommon::Instance().page;
            press(forward ? DIK_D : DIK_A, 2 * frameMs);
            const int32_t now = CCommon::Instance().page;
            if (now != page + (forward ? 1 : -1))
                return Fail(line, "page " + std::to_string(page) + " did not turn " +
                                      (forward ? "forward" : "back") + " (turn " +
                                      std::to_string(i + 1) + " of " + std::to_string(count) + ")");
            if (!forward) continue;
            int32_t value = 0;
            if (Read("gameover", value) && value)
                return Fail(line, "a lost notice shows on page " + std::to_string(now));
            if (CCommon::Instance().forwardLock)
                return Fail(line, "forward turns are locked on page " + std::to_string(now));
            if (line.words.size() > 2 && Read("charState", value) && value != number(2))
                return Fail(line, "the character is in state " + std::to_string(value) + ", not " +
                                      line.words[2] + ", on page " + std::to_string(now));
        }
    } else if (c == "until" || c == "expect") {
        const bool waits = c == "until";
        const int32_t wanted = number(2);
        const uint32_t limit = waits && line.words.size() > 3 ? number(3) : 30000;
        auto now = [&]() {
            int32_t value = 0;
            if (line.words[1] == "quit") return quitTaken ? 1 : 0;
            Read(line.words[1], value);
            return value;
        };
        // The title's closing fade counts drawn pictures: waiting for the end draws them all.
        drawEveryFrame = waits && line.words[1] == "quit";
        for (uint32_t t = 0; waits && now() != wanted && t < limit && !quitTaken; t += frameMs)
            Frame();
        drawEveryFrame = false;
        if (now() != wanted)
            return Fail(line,
                        line.words[1] + " is " + std::to_string(now()) + ", not " + line.words[2]);
    }
    return true;
}
