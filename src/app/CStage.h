#pragma once
#include "platform/Types.h"

// A scene: created, Init, then Update and Render every frame, Release, deleted. Never re-used.
class CStage {
  public:
    virtual void Init() = 0;
    virtual void Update() = 0;
    virtual void Render() = 0;
    virtual void Release() = 0;
    virtual ~CStage() = default;

    WindowHandle window = nullptr; // set by the scene manager before Init
};
