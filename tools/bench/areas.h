// What kwbench.exe does besides the tests: timings for tools/bench-wine.sh and the scene of the screenshot.
#pragma once

#include "harness.h"

namespace kwt {

void Bench(const Args& args);
void Flap(const Args& args);
void Idle(const Args& args);
void AdapterDrops(const Args& args);
void ShowForScreenshot(const Args& args);

}  // namespace kwt
