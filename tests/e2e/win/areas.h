// One entry point per test area; each takes the product's exe path and reports through ok().
#pragma once

#include <string>
#include <vector>

namespace kwt {

using Args = std::vector<std::wstring>;  // the arguments after the area name; [0] is the product's exe

void TestConnection(const Args& args);
void TestPidReuse(const Args& args);
void TestSettings(const Args& args);
void TestList(const Args& args);
void TestWindow(const Args& args);
void TestSweep(const Args& args);
void TestMissingDll(const Args& args);
void TestTray(const Args& args);
void ShowForScreenshot(const Args& args);
void Bench(const Args& args);
void Flap(const Args& args);
void Idle(const Args& args);

}  // namespace kwt
