#pragma once
#include "app/CStage.h"

// Stands in for a scene that is not built yet: shows the book with its help panel, the bag's
// pieces and the cursor, turns pages on the arrow keys, opens the bag on W or I, and returns to
// the title's menu on Escape.
class StandInScene : public CStage {
  public:
    explicit StandInScene(int number) : number(number) {}
    void Init() override;
    void Update() override;
    void Render() override;
    void Release() override {}

    int number;
};
