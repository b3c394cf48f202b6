#pragma once

// The level's notices (what went wrong and what to try) and its pause menu, full size.

struct GenContext;

void GenerateNotices(GenContext& ctx);
void GeneratePauseMenu(GenContext& ctx);
