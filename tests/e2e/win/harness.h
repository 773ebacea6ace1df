// Shared helpers of the end-to-end test driver: Wine-style ok() checks, waits that keep this thread's
// windows answering, files in the prefix, the fake connection count and the registry.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "exchange.h"
#include "utf.h"

namespace kwt {

using Args = std::vector<std::wstring>;  // the arguments after the area name; [0] is the product's exe

// One thing the driver does, chosen by the first argument.
struct Area {
    const char* name;
    void (*run)(const Args&);
};

// The driver's main: runs the area the command line names (<area> <kopplungswacht.exe> [...]) and prints
// how many checks it made and how many failed; the exit code is 1 if any failed, 2 for a wrong command
// line. "warmup" alone starts the Wine session's desktop and services.
int RunDriver(const char* driver, const std::vector<Area>& areas);

// ---- reporting ----
void Print(const char* format, ...) __attribute__((format(gnu_printf, 1, 2)));
bool Check(const char* file, int line, bool condition, const char* format, ...)
    __attribute__((format(gnu_printf, 4, 5)));
void Note(const char* file, int line, const char* format, ...) __attribute__((format(gnu_printf, 3, 4)));
int Failures();
int Checks();

#define ok(condition, ...) ::kwt::Check(__FILE__, __LINE__, (condition), __VA_ARGS__)
#define trace(...) ::kwt::Note(__FILE__, __LINE__, __VA_ARGS__)

// ---- time and waiting; every wait dispatches this thread's messages ----
double NowMs();
void Pump();
void SleepPumping(DWORD ms);
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs, DWORD pollMs = 10);

// ---- files in the prefix ----
extern const wchar_t* const kTestDir;  // KWT_DIR of exchange.h
extern const wchar_t* const kOutDir;   // KWT_OUT_DIR, emptied by ResetWorld
bool ReadWholeFile(const std::wstring& path, std::string& content);
bool WriteFileAtomically(const std::wstring& path, const std::string& content);
std::wstring OutFile(const wchar_t* name);
std::wstring BesideThisExe(const wchar_t* name);  // a file beside the driver, such as kwchild.exe
std::wstring ChildExe();

// What the fake rasapi32.dll reports: "1", "0", "error 5".
void SetConnections(const std::string& order);
// The last call the fake saw: dwSize, byte count, number of calls since the product started.
struct RasCall {
    unsigned long dwSize = 0, cb = 0;
    long calls = 0;
};
bool LastRasCall(RasCall& call);

// ---- the Linux host around the Wine session (the adapter area's script carries these out) ----
// "tun NAME" makes a tun device and holds it open, up; "up NAME", "down NAME"; "remove NAME" closes it;
// "shot NAME" saves a picture of the display. True once the host reports it done without error.
bool Host(const std::string& command);

// ---- registry (HKCU) ----
extern const wchar_t* const kAppKey;  // Software\Kopplungswacht
bool RegSet(const std::wstring& subkey, const wchar_t* name, const std::string& value);
bool RegGet(const std::wstring& subkey, const wchar_t* name, std::string& value);
void RegDeleteTree(const std::wstring& subkey);
// Every area starts and ends with no settings, no connection and an empty output folder.
void ResetWorld();

// Stores the program list as datei0..datei9 ("" for the slots not given) and the delay.
void StoreSettings(const std::vector<std::string>& files, const std::string& delay);

}  // namespace kwt
