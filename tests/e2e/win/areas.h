// One entry point per test area; each takes the product's exe path and reports through ok(). The show area
// is no test: it sets the scene of the screenshot.
#pragma once

#include "harness.h"

namespace kwt {

void TestConnection(const Args& args);
void TestPidReuse(const Args& args);
void TestSettings(const Args& args);
void TestList(const Args& args);
void TestWindow(const Args& args);
void TestSweep(const Args& args);
void TestMissingDll(const Args& args);
void TestTray(const Args& args);
void TestAdapter(const Args& args);
void ShowForScreenshot(const Args& args);

}  // namespace kwt
