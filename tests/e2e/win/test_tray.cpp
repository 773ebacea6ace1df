// Start-up into the notification area, one copy per session, the tray icon's callbacks and menu, and
// every way of quitting.
#include <windows.h>

#include <shellapi.h>

#include <algorithm>
#include <functional>
#include <thread>
#include <vector>

#include "areas.h"
#include "harness.h"
#include "platform/win32/control_ids.h"
#include "product.h"

namespace kwt {

namespace {

int CountMenus(DWORD pid) {
    int n = 0;
    FindTopLevel(pid, [&](HWND h) {
        n += IsOpenMenu(h);
        return false;
    });
    return n;
}

// The pixels of a window as the screen shows it.
std::vector<DWORD> Picture(HWND window, SIZE& size) {
    RECT r{};
    GetWindowRect(window, &r);
    size = {r.right - r.left, r.bottom - r.top};
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), size.cx, -size.cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, size.cx, size.cy, screen, r.left, r.top, SRCCOPY);
    std::vector<DWORD> pixels;
    if (bits)
        pixels.assign(static_cast<DWORD*>(bits), static_cast<DWORD*>(bits) + size.cx * size.cy);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

// A window's picture once its drawing has settled: two looks 100 ms apart that agree (at most 2 s; then the
// last one).
std::vector<DWORD> SettledPicture(HWND window, SIZE& size) {
    // The first look only starts the comparison: WaitUntil asks at once, and two looks in the same instant
    // always agree, drawn or not.
    std::vector<DWORD> last;
    WaitUntil(
        [&] {
            std::vector<DWORD> now = Picture(window, size);
            const bool settled = !last.empty() && now == last;
            last = std::move(now);
            return settled;
        },
        2000, 100);
    return last;
}

// Another process's menu items cannot be read under Wine, so the product's menu is compared with the
// picture of the menu it should be: the same items, opened by the test itself at the same place.
std::vector<DWORD> ExpectedMenuPicture(POINT at, SIZE& size) {
    std::thread owner([at] {
        HWND window = CreateWindowW(L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
        HMENU menu = CreatePopupMenu();
        AppendMenuW(menu, MF_STRING, 1, L"Kopplungswacht");
        AppendMenuW(menu, MF_SEPARATOR | MF_GRAYED, 0, nullptr);
        AppendMenuW(menu, MF_STRING, 2, L"Beenden");
        TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, at.x, at.y,
                       0, window, nullptr);
        DestroyMenu(menu);
        DestroyWindow(window);
    });
    HWND menuWindow = nullptr;
    WaitUntil([&] { return (menuWindow = OpenMenu(GetCurrentProcessId())) != nullptr; }, 3000);
    std::vector<DWORD> pixels;
    if (menuWindow) {
        pixels = SettledPicture(menuWindow, size);
        PostMessageW(menuWindow, WM_KEYDOWN, VK_ESCAPE, 0);
    }
    owner.join();
    return pixels;
}

void CheckMenuItems(HWND menuWindow) {
    SIZE got{}, expected{};
    RECT r{};
    GetWindowRect(menuWindow, &r);
    std::vector<DWORD> shown = SettledPicture(menuWindow, got);
    PostMessageW(menuWindow, WM_KEYDOWN, VK_ESCAPE, 0);
    ok(WaitUntil([&] { return !IsWindow(menuWindow) || !IsWindowVisible(menuWindow); }, 2000),
       "the menu did not close on Escape");
    std::vector<DWORD> wanted = ExpectedMenuPicture({r.left, r.top}, expected);
    size_t differ = 0;
    RECT where = {got.cx, got.cy, -1, -1};
    for (size_t i = 0; i < shown.size() && i < wanted.size(); ++i) {
        if (shown[i] != wanted[i]) {
            ++differ;
            const LONG x = static_cast<LONG>(i % got.cx), y = static_cast<LONG>(i / got.cx);
            where = {std::min(where.left, x), std::min(where.top, y), std::max(where.right, x),
                     std::max(where.bottom, y)};
        }
    }
    ok(!shown.empty() && got.cx == expected.cx && got.cy == expected.cy && differ == 0,
       "menu: expected the picture of [Kopplungswacht], a separator, [Beenden] (%ldx%ld), got %ldx%ld with %zu of "
       "%zu pixels different, within x %ld..%ld, y %ld..%ld",
       expected.cx, expected.cy, got.cx, got.cy, differ, shown.size(), where.left, where.right, where.top,
       where.bottom);
}

// A copy that ran a launched program; `quit` ends it in one of the ways a user or the system does.
void QuitLeavesTheProgramsRunning(const std::wstring& exe, const char* how, const std::function<void(Product&)>& quit) {
    ResetWorld();
    StoreSettings({ChildEntry(L"kept.txt")}, "-1");
    SetConnections("1");
    Product product;
    if (!product.Start(exe))
        return;
    ChildRecord child;
    ok(WaitForChild(OutFile(L"kept.txt"), child, bounds::kProcessStartMs), "%s: the program was not launched", how);
    HANDLE launched = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, child.pid);
    HWND window = product.window();
    quit(product);
    ok(WaitForSingleObject(product.process(), 3000) == WAIT_OBJECT_0, "%s: the program did not end within 3 s", how);
    ok(!ShellHoldsIcon(window, 1), "%s: the shell still holds the icon", how);
    ok(StillRunning(launched), "%s: the launched program was ended too", how);
    EndAndClose(launched, 0);
    ResetWorld();
}

// "Beenden" from the tray while the delay field's box is open: the window and the field go while the
// field's handler still waits for the box; the program must end cleanly, with nothing more shown.
void QuitWhileTheDelayBoxIsOpen(const std::wstring& exe) {
    ResetWorld();
    Product product;
    if (!product.Start(exe) || !product.Restore())
        return;
    HWND edit = product.Control(IDC_TEXT1);
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"4"));
    PostMessageW(edit, WM_KEYDOWN, VK_RETURN, 0x001C0001);
    PostMessageW(edit, WM_KEYUP, VK_RETURN, 0xC01C0001);
    if (!ok(WaitForMessageBox(product.pid(), "Schlafentimer geändert", 3000) != nullptr,
            "delay box: no box after Enter"))
        return;
    PostMessageW(product.window(), WM_MOUSEMOVE, 1, WM_RBUTTONUP);
    HWND menu = nullptr;
    if (!ok(WaitUntil([&] { return (menu = OpenMenu(product.pid())) != nullptr; }, 3000),
            "delay box: no tray menu over the box"))
        return;
    for (WPARAM key : {VK_DOWN, VK_DOWN, VK_RETURN})
        PostMessageW(menu, WM_KEYDOWN, key, 0);
    const bool ended = WaitForSingleObject(product.process(), 5000) == WAIT_OBJECT_0;
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(product.process(), &code);
    ok(ended && code == 0,
       "Beenden over the delay box: expected a clean end (exit code 0), got %s, code %#lx; windows: %s",
       ended ? "ended" : "still running", code, DescribeWindows(product.pid()).c_str());
    product.Kill();
}

// "Beenden" from the tray while a box or dialog opened during the countdown is open: the countdown waits
// behind it, so the program ends only if it closes with the quit. Nothing is launched.
void QuitWhileABoxIsOpenDuringTheCountdown(const std::wstring& exe, const char* title,
                                           const std::function<void(Product&)>& open) {
    ResetWorld();
    StoreSettings({ChildEntry(L"never.txt")}, "10");
    SetConnections("1");
    Product product;
    if (!product.Start(exe) || !product.Restore())
        return;
    CollectStatus(product, CountdownText(9), 4000);
    open(product);
    HWND box = WaitForMessageBox(product.pid(), title, bounds::kBoxOpenMs);
    if (!ok(box != nullptr, "%s in the countdown: not open; windows: %s", title,
            DescribeWindows(product.pid()).c_str()))
        return;
    // A box still coming up takes the foreground, which closes a menu opened meanwhile.
    WaitUntil([&] { return GetForegroundWindow() == box; }, 2000);
    // Under Wine the menu over a box at times closes as it opens; the user then clicks the icon again.
    HWND menu = nullptr;
    bool opened = false;
    for (int click = 0; click < 3 && !opened; ++click) {
        PostMessageW(product.window(), WM_MOUSEMOVE, 1, WM_RBUTTONUP);
        opened = WaitUntil([&] { return (menu = OpenMenu(product.pid())) != nullptr; }, 1500);
        if (opened && click > 0)
            trace("%s in the countdown: the tray menu opened at click %d", title, click + 1);
    }
    if (!ok(opened, "%s in the countdown: no tray menu over it; foreground %p, windows: %s", title,
            static_cast<void*>(GetForegroundWindow()), DescribeWindows(product.pid()).c_str()))
        return;
    for (WPARAM key : {VK_DOWN, VK_DOWN, VK_RETURN})
        PostMessageW(menu, WM_KEYDOWN, key, 0);
    const double chosen = NowMs();
    const bool ended = WaitForSingleObject(product.process(), bounds::kQuitWithBoxOpenMs) == WAIT_OBJECT_0;
    const double took = NowMs() - chosen;
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(product.process(), &code);
    ok(ended && code == 0,
       "Beenden over %s in the countdown: expected a clean end within %lu ms, got %s after %.0f ms, code %#lx; "
       "windows: %s",
       title, bounds::kQuitWithBoxOpenMs, ended ? "ended" : "still running", took, code,
       DescribeWindows(product.pid()).c_str());
    ChildRecord child;
    ok(!ReadChild(OutFile(L"never.txt"), child), "Beenden over %s in the countdown: a program was launched (pid %lu)",
       title, child.pid);
    product.Kill();
    ResetWorld();
}

void QuitWhileBoxesAreOpenDuringTheCountdown(const std::wstring& exe) {
    QuitWhileABoxIsOpenDuringTheCountdown(exe, "Info über Kopplungswacht", [](Product& product) {
        PostMessageW(product.Control(IDC_COMMAND5), BM_CLICK, 0, 0);
    });
    QuitWhileABoxIsOpenDuringTheCountdown(exe, "Schlafentimer geändert", [](Product& product) {
        HWND edit = product.Control(IDC_TEXT1);
        SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"10"));
        PostMessageW(edit, WM_KEYDOWN, VK_RETURN, 0x001C0001);
        PostMessageW(edit, WM_KEYUP, VK_RETURN, 0xC01C0001);
    });
    QuitWhileABoxIsOpenDuringTheCountdown(exe, "Eintrag bearbeiten", [](Product& product) {
        SendMessageW(product.Control(IDC_FILELIST), LB_SETCURSEL, 0, 0);
        PostMessageW(product.Control(IDC_COMMAND3), BM_CLICK, 0, 0);
    });
    QuitWhileABoxIsOpenDuringTheCountdown(
        exe, "File wählen", [](Product& product) { PostMessageW(product.Control(IDC_COMMAND1), BM_CLICK, 0, 0); });
}

void StartsHiddenWithItsIconAndRefusesASecondCopy(const std::wstring& exe) {
    ResetWorld();
    Product first;
    if (!first.Start(exe))
        return;
    SleepPumping(bounds::kQuietMs);
    ok(!IsWindowVisible(first.window()), "after start-up: expected no visible window, got %s",
       DescribeWindows(first.pid()).c_str());
    ok(ShellHoldsIcon(first.window(), 1), "after start-up: the shell holds no icon with ID 1 for the window");
    ok(!ShellHoldsIcon(first.window(), 2), "the shell answers for an icon that was never added");

    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION second{};
    std::wstring cmd = L"\"" + exe + L"\"";
    if (!ok(CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &second),
            "could not start a second copy: error %lu", GetLastError()))
        return;
    CloseHandle(second.hThread);
    HWND box = WaitForMessageBox(second.dwProcessId, "Bereits aktiv...", bounds::kProcessStartMs);
    if (ok(box != nullptr, "second copy: no box titled [Bereits aktiv...]; windows: %s",
           DescribeWindows(second.dwProcessId).c_str())) {
        std::string text = MessageBoxText(box);
        ok(text == "Kopplungswacht ist bereits aktiv\r\nSie finden mich im Systemtray neben der Uhr",
           "second copy: got text [%s]", text.c_str());
        HWND secondWindow =
            FindTopLevel(second.dwProcessId, [](HWND h) { return GetDlgItem(h, IDC_FILELIST) != nullptr; });
        ok(!secondWindow || !IsWindowVisible(secondWindow), "second copy: its window is visible");
        ok(!secondWindow || !ShellHoldsIcon(secondWindow, 1), "second copy: it added a tray icon");
        ok(CloseMessageBox(box), "second copy: the box did not close on OK");
    }
    ok(WaitForSingleObject(second.hProcess, 2000) == WAIT_OBJECT_0, "second copy: did not end after OK");
    CloseHandle(second.hProcess);
    ok(first.Alive() && ShellHoldsIcon(first.window(), 1) && !IsWindowVisible(first.window()),
       "first copy: expected running, hidden, with its icon; got alive %d icon %d visible %d", first.Alive(),
       ShellHoldsIcon(first.window(), 1), IsWindowVisible(first.window()));

    // A restarted shell forgets the icon and announces a new taskbar.
    NOTIFYICONDATAW forget{};
    forget.cbSize = sizeof(forget);
    forget.hWnd = first.window();
    forget.uID = 1;
    Shell_NotifyIconW(NIM_DELETE, &forget);
    DWORD_PTR result = 0;
    SendMessageTimeoutW(first.window(), RegisterWindowMessageW(L"TaskbarCreated"), 0, 0, SMTO_NORMAL, 3000, &result);
    ok(ShellHoldsIcon(first.window(), 1), "after TaskbarCreated: the icon was not added again");
    first.Kill();
}

void CallbacksAndMenu(const std::wstring& exe) {
    ResetWorld();
    Product product;
    if (!product.Start(exe))
        return;
    HWND window = product.window();
    for (LPARAM code : {WM_MOUSEMOVE, WM_LBUTTONUP, WM_LBUTTONDBLCLK})
        PostMessageW(window, WM_MOUSEMOVE, 1, code);
    PostMessageW(window, WM_MOUSEMOVE, 0, WM_LBUTTONDOWN);  // a pointer move, not the icon
    SleepPumping(bounds::kQuietMs);
    ok(!IsWindowVisible(window) && !OpenMenu(product.pid()),
       "codes 0x200, 0x202, 0x203 and ID 0: expected nothing, got visible %d menu %p", IsWindowVisible(window),
       static_cast<void*>(OpenMenu(product.pid())));
    if (!product.Restore())
        return;

    // The menu opens with its corner at the pointer; beside the window, not over it: under Wine the
    // window, just brought up, may be stacked above its own menu for a while.
    RECT frame{};
    GetWindowRect(window, &frame);
    SetCursorPos(frame.right + 20, frame.top + 20);
    PostMessageW(window, WM_MOUSEMOVE, 1, WM_RBUTTONDOWN);
    ok(WaitUntil([&] { return OpenMenu(product.pid()) != nullptr; }, 2000), "0x204: no menu opened");
    PostMessageW(window, WM_MOUSEMOVE, 1, WM_RBUTTONUP);
    SleepPumping(bounds::kQuietMs);
    ok(CountMenus(product.pid()) == 1, "0x204 then 0x205: expected one menu, got %d", CountMenus(product.pid()));
    if (HWND menuWindow = OpenMenu(product.pid()))
        CheckMenuItems(menuWindow);

    // Hidden again, then "Kopplungswacht" from the menu brings the window back.
    PostMessageW(product.Control(IDC_COMMAND4), BM_CLICK, 0, 0);
    ok(WaitUntil([&] { return !IsWindowVisible(window); }, 2000), "minimise: the window was not hidden");
    PostMessageW(window, WM_MOUSEMOVE, 1, WM_RBUTTONUP);
    if (ok(WaitUntil([&] { return OpenMenu(product.pid()) != nullptr; }, 2000), "0x205: no menu opened")) {
        PostMessageW(OpenMenu(product.pid()), WM_KEYDOWN, VK_DOWN, 0);
        PostMessageW(OpenMenu(product.pid()), WM_KEYDOWN, VK_RETURN, 0);
        ok(WaitUntil([&] { return IsWindowVisible(window) && !IsIconic(window); }, 2000),
           "menu item Kopplungswacht: expected the window shown in normal state, got visible %d iconic %d",
           IsWindowVisible(window), IsIconic(window));
    }
    product.Kill();
}

}  // namespace

void TestTray(const Args& args) {
    const std::wstring& exe = args[0];
    StartsHiddenWithItsIconAndRefusesASecondCopy(exe);
    CallbacksAndMenu(exe);
    QuitWhileTheDelayBoxIsOpen(exe);
    QuitWhileBoxesAreOpenDuringTheCountdown(exe);
    QuitLeavesTheProgramsRunning(exe, "Beenden", [](Product& product) {
        PostMessageW(product.window(), WM_MOUSEMOVE, 1, WM_RBUTTONDOWN);
        HWND menu = nullptr;
        WaitUntil([&] { return (menu = OpenMenu(product.pid())) != nullptr; }, 2000);
        for (WPARAM key : {VK_DOWN, VK_DOWN, VK_RETURN})  // the separator is skipped
            PostMessageW(menu, WM_KEYDOWN, key, 0);
    });
    QuitLeavesTheProgramsRunning(exe, "Close",
                                 [](Product& product) { PostMessageW(product.window(), WM_CLOSE, 0, 0); });
    QuitLeavesTheProgramsRunning(exe, "end of session", [](Product& product) {
        DWORD_PTR answer = 0;
        SendMessageTimeoutW(product.window(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL, 3000, &answer);
        ok(answer == TRUE, "WM_QUERYENDSESSION: expected TRUE, got %lu", static_cast<unsigned long>(answer));
        HWND window = product.window();
        SendMessageTimeoutW(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_NORMAL, 3000, &answer);
        ok(!ShellHoldsIcon(window, 1), "WM_ENDSESSION: the icon was still there when the message returned");
    });

    // A quit request during the countdown: nothing is launched and the program ends.
    ResetWorld();
    StoreSettings({ChildEntry(L"never.txt")}, "3");
    SetConnections("1");
    Product product;
    if (product.Start(exe)) {
        CollectStatus(product, CountdownText(2), 4000);
        PostThreadMessageW(GetWindowThreadProcessId(product.window(), nullptr), WM_QUIT, 0, 0);
        ok(WaitForSingleObject(product.process(), 1000) == WAIT_OBJECT_0, "WM_QUIT in the countdown: still running");
        // Past the moment the launch would have come.
        SleepPumping(bounds::LaunchAfterCountdownMs(2));
        ChildRecord child;
        ok(!ReadChild(OutFile(L"never.txt"), child), "WM_QUIT in the countdown: a program was launched (pid %lu)",
           child.pid);
    }
    product.Kill();
    ResetWorld();
}

}  // namespace kwt
