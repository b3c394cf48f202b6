#pragma once
#include "app/CStage.h"
#include <cstdint>

// Owns the one current scene and replaces it on request.
class SceneManager {
  public:
    static SceneManager& Instance();
    ~SceneManager();

    // Releases and deletes the current scene, then creates scene number: 0 title, 1 level,
    // 2 ending (any other number leaves no scene), and runs its Init and one Update.
    // A scene calling this from its own Update is gone when it returns: return at once.
    void ChangeStage(int32_t number);
    // Makes a freshly created scene current without Update (the entry point's first title).
    void SetFirstStage(CStage* stage);

    WindowHandle window = nullptr;
    CStage* current = nullptr;
    int32_t sceneNumber = 0;

  private:
    SceneManager() = default;
};

// Creates the scene for a number, or nullptr (defined with the scenes).
CStage* CreateStage(int32_t number);
