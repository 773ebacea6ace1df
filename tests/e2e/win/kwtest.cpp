// The end-to-end test driver: kwtest.exe <area> <path of kopplungswacht.exe> [more]. It drives the
// product from outside, as a user and the system around it would, and prints Wine-style results.
#include <windows.h>

#include <shellapi.h>

#include <cstring>

#include "areas.h"
#include "harness.h"

namespace {

struct Area {
    const char* name;
    void (*run)(const kwt::Args&);
};

constexpr Area kAreas[] = {
    {"connection", kwt::TestConnection},
    {"pidreuse", kwt::TestPidReuse},
    {"settings", kwt::TestSettings},
    {"list", kwt::TestList},
    {"window", kwt::TestWindow},
    {"sweep", kwt::TestSweep},
    {"missingdll", kwt::TestMissingDll},
    {"tray", kwt::TestTray},
    {"show", kwt::ShowForScreenshot},
    {"bench", kwt::Bench},
    {"flap", kwt::Flap},
    {"idle", kwt::Idle},
};

}  // namespace

int wmain() {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argc == 2 && wcscmp(argv[1], L"warmup") == 0) {
        // The first window of a Wine session starts the desktop process (explorer), and the first program
        // the system services; the fixture does this with its output in a file, so that they do not hold
        // the test runner's pipes for the rest of the session.
        HWND window = CreateWindowW(L"STATIC", L"warmup", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        if (window)
            DestroyWindow(window);
        kwt::Print("warmup: window %s\n", window ? "created" : "failed");
        return window ? 0 : 1;
    }
    if (argc < 3) {
        kwt::Print("usage: kwtest.exe <area> <kopplungswacht.exe> [...]\n");
        return 2;
    }
    std::string name = kwt::Utf8(argv[1]);
    kwt::Args args(argv + 2, argv + argc);
    for (const Area& area : kAreas) {
        if (name != area.name)
            continue;
        double start = kwt::NowMs();
        area.run(args);
        kwt::Print("kwtest %s: %d tests executed (%d failures), %.1f s\n", area.name, kwt::Checks(), kwt::Failures(),
                   (kwt::NowMs() - start) / 1000.0);
        return kwt::Failures() ? 1 : 0;
    }
    kwt::Print("unknown area %s\n", name.c_str());
    return 2;
}
