#include "app/SceneManager.h"

SceneManager& SceneManager::Instance() {
    static SceneManager instance;
    return instance;
}

SceneManager::~SceneManager() {
    // Release already ran at shut-down; only the object is freed here.
    delete current;
    current = nullptr;
}

void SceneManager::ChangeStage(int32_t number) {
    if (current) {
        CStage* old = current;
        current = nullptr;
        old->Release();
        delete old;
    }
    sceneNumber = number;
    CStage* next = CreateStage(number);
    if (!next) return;
    current = next;
    next->window = window;
    next->Init();
    next->Update();
}

void SceneManager::SetFirstStage(CStage* stage) {
    current = stage;
    if (stage) {
        stage->window = window;
        stage->Init();
    }
}
