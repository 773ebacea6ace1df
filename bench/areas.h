// What kwbench.exe measures for bench-wine.sh.
#pragma once

#include "harness.h"

namespace kwt {

void Bench(const Args& args);
void Flap(const Args& args);
void Idle(const Args& args);
void AdapterDrops(const Args& args);

}  // namespace kwt
