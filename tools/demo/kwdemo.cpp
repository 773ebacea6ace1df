// The demo's hands inside Wine: finds the running Kopplungswacht by its window class and
//   show            brings its window up as a left click on the tray icon does; prints "x y width height"
//   status <text>   waits until its status line starts with <text>; prints the status line
//   minimised <n>   waits until <n> windows stand minimised on the taskbar (the programs it started)
//   menu            opens the tray menu as a right click on the icon does, near the clock
//   menuclose       closes the open tray menu as Escape does
//   close           closes its window as a user would, and waits until it is gone
// Exit code 0 when done, 1 when the program or its window did not do it in time.
#include <windows.h>

#include <string>

#include "platform/win32/control_ids.h"
#include "utf.h"

namespace {

constexpr wchar_t kMainWindowClass[] = L"" KW_MAIN_WINDOW_CLASS;

void Print(const std::wstring& text) {
    const std::string utf8 = kwt::Utf8(text) + '\n';
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
}

// Polls every 50 ms until `done` holds or `seconds` have passed.
template <typename Condition>
bool WaitFor(Condition done, int seconds) {
    for (int i = 0; i < seconds * 20; ++i) {
        if (done()) {
            return true;
        }
        Sleep(50);
    }
    return done();
}

std::wstring StatusText(HWND window) {
    wchar_t buffer[256] = L"";
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(GetDlgItem(window, IDC_STATUS), WM_GETTEXT, 256, reinterpret_cast<LPARAM>(buffer), SMTO_NORMAL,
                        2000, &ignored);
    return buffer;
}

BOOL CALLBACK CountMinimised(HWND window, LPARAM counter) {
    if (IsWindowVisible(window) && IsIconic(window)) {
        ++*reinterpret_cast<int*>(counter);
    }
    return TRUE;
}

int MinimisedWindows() {
    int count = 0;
    EnumWindows(CountMinimised, reinterpret_cast<LPARAM>(&count));
    return count;
}

HWND OpenMenu() {
    HWND menu = FindWindowW(L"#32768", nullptr);
    return menu != nullptr && IsWindowVisible(menu) ? menu : nullptr;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring command = argc > 1 ? argv[1] : L"";
    HWND window = nullptr;
    // The program may still be starting.
    if (!WaitFor([&] { return (window = FindWindowW(kMainWindowClass, nullptr)) != nullptr; }, 30)) {
        Print(L"Kopplungswacht läuft nicht (kein Fenster gefunden)");
        return 1;
    }
    if (command == L"show") {
        // The tray icon's callback for a left button press; harmless when the window is already up.
        PostMessageW(window, WM_MOUSEMOVE, 1, WM_LBUTTONDOWN);
        if (!WaitFor([&] { return IsWindowVisible(window) && !IsIconic(window); }, 10)) {
            Print(L"das Fenster ist nicht erschienen");
            return 1;
        }
        RECT r{};
        GetWindowRect(window, &r);
        Print(std::to_wstring(r.left) + L" " + std::to_wstring(r.top) + L" " + std::to_wstring(r.right - r.left) +
              L" " + std::to_wstring(r.bottom - r.top));
        return 0;
    }
    if (command == L"status" && argc > 2) {
        const std::wstring prefix = argv[2];
        std::wstring text;
        const bool seen = WaitFor(
            [&] {
                text = StatusText(window);
                return text.compare(0, prefix.size(), prefix) == 0;
            },
            60);
        Print(text);
        return seen ? 0 : 1;
    }
    if (command == L"minimised" && argc > 2) {
        const int wanted = _wtoi(argv[2]);
        return WaitFor([&] { return MinimisedWindows() >= wanted; }, 30) ? 0 : 1;
    }
    if (command == L"menu") {
        // The menu opens at the pointer; a user's pointer is on the icon, next to the clock.
        SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 60, GetSystemMetrics(SM_CYSCREEN) - 12);
        PostMessageW(window, WM_MOUSEMOVE, 1, WM_RBUTTONUP);
        return WaitFor([] { return OpenMenu() != nullptr; }, 10) ? 0 : 1;
    }
    if (command == L"menuclose") {
        HWND menu = OpenMenu();
        if (menu != nullptr) {
            PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
        }
        return WaitFor([] { return OpenMenu() == nullptr; }, 10) ? 0 : 1;
    }
    if (command == L"close") {
        PostMessageW(window, WM_CLOSE, 0, 0);
        return WaitFor([&] { return !IsWindow(window); }, 10) ? 0 : 1;
    }
    Print(L"usage: kwdemo.exe show | status <text> | minimised <n> | menu | menuclose | close");
    return 2;
}
