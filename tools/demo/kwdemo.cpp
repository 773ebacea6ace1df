// The demo's hands inside Wine, with the end-to-end tests' harness (tests/e2e/win):
//   settings <delay> [entry]...  stores the program list and the start delay as the program does, and
//                                nothing else (run before the program starts)
// and, on the running Kopplungswacht, found by its window class:
//   show            brings its window up as a left click on the tray icon does; prints "x y width height"
//   status <text>   waits until its status line starts with <text>; prints the status line
//   minimised <n>   waits until <n> windows stand minimised on the taskbar (the programs it started)
//   menu            opens the tray menu as a right click on the icon does, near the clock
//   menuclose       closes the open tray menu as Escape does
//   close           closes its window as a user would, and waits until it is gone
// Exit code 0 when done, 1 when the program or its window did not do it in time.
#include <string>
#include <vector>

#include "harness.h"
#include "platform/win32/control_ids.h"
#include "product.h"

namespace {

using kwt::WaitUntil;

int Usage() {
    kwt::Print(
        "usage: kwdemo.exe settings <delay> [entry]... | show | status <text> | minimised <n> | menu | menuclose | "
        "close\n");
    return 2;
}

int MinimisedWindows() {
    int count = 0;
    kwt::FindTopLevel([&](HWND window) {
        count += IsWindowVisible(window) && IsIconic(window);
        return false;
    });
    return count;
}

int OnTheProgram(HWND window, const std::wstring& command, int argc, wchar_t** argv) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (command == L"show") {
        // The tray icon's callback for a left button press; harmless when the window is already up.
        PostMessageW(window, WM_MOUSEMOVE, 1, WM_LBUTTONDOWN);
        if (!WaitUntil([&] { return IsWindowVisible(window) && !IsIconic(window); }, 10000, 50)) {
            kwt::Print("das Fenster ist nicht erschienen\n");
            return 1;
        }
        RECT r{};
        GetWindowRect(window, &r);
        kwt::Print("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
        return 0;
    }
    if (command == L"status" && argc > 2) {
        const std::string prefix = kwt::Utf8(argv[2]);
        std::string text;
        const bool seen = WaitUntil(
            [&] {
                text = kwt::WindowText(GetDlgItem(window, IDC_STATUS));
                return text.rfind(prefix, 0) == 0;
            },
            60000, 50);
        kwt::Print("%s\n", text.c_str());
        return seen ? 0 : 1;
    }
    if (command == L"minimised" && argc > 2) {
        const int wanted = _wtoi(argv[2]);
        return WaitUntil([&] { return MinimisedWindows() >= wanted; }, 30000, 50) ? 0 : 1;
    }
    if (command == L"menu") {
        // The menu opens at the pointer; a user's pointer is on the icon, next to the clock.
        SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 60, GetSystemMetrics(SM_CYSCREEN) - 12);
        PostMessageW(window, WM_MOUSEMOVE, 1, WM_RBUTTONUP);
        return WaitUntil([&] { return kwt::OpenMenu(pid) != nullptr; }, 10000, 50) ? 0 : 1;
    }
    if (command == L"menuclose") {
        if (HWND menu = kwt::OpenMenu(pid))
            PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
        return WaitUntil([&] { return kwt::OpenMenu(pid) == nullptr; }, 10000, 50) ? 0 : 1;
    }
    if (command == L"close") {
        PostMessageW(window, WM_CLOSE, 0, 0);
        return WaitUntil([&] { return !IsWindow(window); }, 10000, 50) ? 0 : 1;
    }
    return Usage();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring command = argc > 1 ? argv[1] : L"";
    if (command == L"settings" && argc > 2) {
        std::vector<std::string> entries;
        for (int i = 3; i < argc; ++i)
            entries.push_back(kwt::Utf8(argv[i]));
        kwt::RegDeleteTree(kwt::kAppKey);
        kwt::StoreSettings(entries, kwt::Utf8(argv[2]));
        return kwt::Failures() ? 1 : 0;
    }
    HWND window = nullptr;
    // The program may still be starting.
    const auto found = [&] {
        window = kwt::FindTopLevel([](HWND h) { return kwt::ClassName(h) == KW_MAIN_WINDOW_CLASS; });
        return window != nullptr;
    };
    if (!WaitUntil(found, 30000, 50)) {
        kwt::Print("Kopplungswacht läuft nicht (kein Fenster gefunden)\n");
        return 1;
    }
    return OnTheProgram(window, command, argc, argv);
}
