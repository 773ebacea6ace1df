// The notification-area sweep after an ending. This test owns a window tree with the shell's class names,
// topmost so that the product's FindWindowA finds it before Wine's own taskbar window, and records every
// mouse move that another thread sends to it. Its waits dispatch messages: each sent move blocks the
// product until this thread has handled it.
#include "areas.h"
#include "harness.h"
#include "platform/win32/control_ids.h"
#include "product.h"

namespace kwt {

namespace {

struct Move {
    int x, y;
    WPARAM keys;
};

enum Part { kShell, kNotify, kPager, kToolbar, kOverflow, kOverflowToolbar, kParts };
const wchar_t* const kClassNames[kParts] = {
    L"Shell_TrayWnd",  L"TrayNotifyWnd", L"SysPager", L"ToolbarWindow32", L"NotifyIconOverflowWindow",
    L"ToolbarWindow32"};
const char* const kPartNames[kParts] = {
    "Shell_TrayWnd", "TrayNotifyWnd", "SysPager", "ToolbarWindow32", "NotifyIconOverflowWindow", "its ToolbarWindow32"};
std::vector<Move> g_moves[kParts];
int g_posted[kParts];
// The processes that the ending ends, and how many of them still ran when the sweep's first move came.
std::vector<HANDLE> g_ended;
int g_runningAtFirstMove = -1;

LRESULT CALLBACK TrayPartProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_MOUSEMOVE) {
        auto part = static_cast<int>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        // The real pointer may post moves too; the sweep arrives as messages sent from another thread.
        const bool sent = (InSendMessageEx(nullptr) & (ISMEX_SEND | ISMEX_NOTIFY)) == ISMEX_SEND;
        if (sent && g_runningAtFirstMove < 0) {
            g_runningAtFirstMove = 0;
            for (HANDLE process : g_ended)
                g_runningAtFirstMove += WaitForSingleObject(process, 0) == WAIT_TIMEOUT ? 1 : 0;
        }
        if (sent)
            g_moves[part].push_back({static_cast<int>(static_cast<short>(LOWORD(lp))),
                                     static_cast<int>(static_cast<short>(HIWORD(lp))), wp});
        else
            ++g_posted[part];
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

struct Tray {
    HWND part[kParts] = {};
    ~Tray() {
        for (Part top : {kShell, kOverflow})
            if (part[top])
                DestroyWindow(part[top]);
    }
};

bool BuildTray(Tray& tray) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    for (const wchar_t* name : kClassNames) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = TrayPartProc;
        wc.hInstance = instance;
        wc.lpszClassName = name;
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        RegisterClassW(&wc);
    }
    int screenH = GetSystemMetrics(SM_CYSCREEN);
    // Sizes: the notify area 200x40 (two bands of 20 pixels), the icon toolbar 150x24 (one band), the
    // overflow's toolbar 90x40 (two bands). The overflow window is hidden, as the shell keeps it until
    // the user opens it.
    const struct {
        int x, y, w, h;
        int parent;
    } geometry[kParts] = {{0, screenH - 40, 400, 40, -1}, {200, 0, 200, 40, kShell}, {10, 8, 150, 24, kNotify},
                          {0, 0, 150, 24, kPager},        {300, 100, 100, 50, -1},   {5, 5, 90, 40, kOverflow}};
    for (int i = 0; i < kParts; ++i) {
        const bool top = geometry[i].parent < 0;
        DWORD style = top ? WS_POPUP | (i == kShell ? WS_VISIBLE : 0) : WS_CHILD | WS_VISIBLE;
        DWORD exStyle = top ? WS_EX_TOPMOST | WS_EX_TOOLWINDOW : 0;
        tray.part[i] =
            CreateWindowExW(exStyle, kClassNames[i], nullptr, style, geometry[i].x, geometry[i].y, geometry[i].w,
                            geometry[i].h, top ? nullptr : tray.part[geometry[i].parent], nullptr, instance, nullptr);
        if (!ok(tray.part[i] != nullptr, "could not create the %s window: error %lu", kPartNames[i], GetLastError()))
            return false;
        SetWindowLongPtrW(tray.part[i], GWLP_USERDATA, i);
    }
    HWND found = FindWindowA("Shell_TrayWnd", nullptr);
    return ok(found == tray.part[kShell], "FindWindowA(Shell_TrayWnd): expected this test's window %p, got %p",
              static_cast<void*>(tray.part[kShell]), static_cast<void*>(found));
}

// Checks that `moves` covers every column 0..width on the given rows, row by row, left to right.
void CheckGrid(const char* label, const std::vector<Move>& moves, int width, const std::vector<int>& rows) {
    size_t expectedCount = rows.size() * static_cast<size_t>(width + 1);
    ok(moves.size() == expectedCount, "%s: expected %zu mouse moves, got %zu", label, expectedCount, moves.size());
    size_t i = 0;
    int wrong = 0;
    for (int y : rows)
        for (int x = 0; x <= width; ++x, ++i) {
            if (i >= moves.size())
                return;
            const Move& m = moves[i];
            if ((m.x != x || m.y != y || m.keys != 0) && wrong++ < 5)
                ok(false, "%s: move %zu: expected x=%d y=%d keys 0, got x=%d y=%d keys %u", label, i, x, y, m.x, m.y,
                   static_cast<unsigned>(m.keys));
        }
    ok(wrong == 0, "%s: expected every move in order, %d out of place", label, wrong);
}

void RunCycle(const std::wstring& exe) {
    for (int i = 0; i < kParts; ++i) {
        g_moves[i].clear();
        g_posted[i] = 0;
    }
    SetConnections("0");
    // A program that starts a helper: both must have gone when the sweep begins.
    DeleteFileW(OutFile(L"swept.txt").c_str());
    DeleteFileW(OutFile(L"swept-helper.txt").c_str());
    const std::string entry = ChildEntry(L"swept.txt", "/spawn:" + Utf8(OutFile(L"swept-helper.txt")));
    StoreSettings({entry}, "-1");
    Product product;
    if (!product.Start(exe))
        return;
    SetConnections("1");
    ok(WaitUntil([&] { return product.Text(IDC_STATUS) == kStatusStarted; }, 3000),
       "a start delay of -1: expected [%s] at once, got [%s]", kStatusStarted, product.Text(IDC_STATUS).c_str());
    Launched swept;
    ChildRecord helper;
    AwaitLaunched(L"swept.txt", entry, swept);
    ok(WaitForChild(OutFile(L"swept-helper.txt"), helper, bounds::kProcessStartMs), "the helper did not start");
    g_ended = {swept.process, OpenProcess(SYNCHRONIZE, FALSE, helper.pid)};
    g_runningAtFirstMove = -1;
    for (int i = 0; i < kParts; ++i)
        g_moves[i].clear();
    SetConnections("0");
    ok(WaitUntil([&] { return product.Text(IDC_STATUS) == kStatusEnded; }, 5000),
       "after the drop: expected [%s], got [%s]", kStatusEnded, product.Text(IDC_STATUS).c_str());
    ok(g_runningAtFirstMove == 0, "the sweep's first move: expected the program and its helper gone, %d still ran",
       g_runningAtFirstMove);
    for (HANDLE& process : g_ended)
        EndAndClose(process, 9);
    g_ended.clear();
    // Nothing to wait for: the program says Beendet only after the sweep, and each of its moves was sent,
    // that is handled by this thread before the program went on.
    product.Kill();
    for (int i = 0; i < kParts; ++i)
        if (g_posted[i])
            trace("%s also got %d posted mouse moves (the pointer), not counted", kPartNames[i], g_posted[i]);
}

}  // namespace

void TestSweep(const Args& args) {
    ResetWorld();
    const std::wstring appDefaults = L"Software\\Wine\\AppDefaults\\kopplungswacht.exe";
    Tray tray;
    if (!BuildTray(tray))
        return;

    // Reported as XP: the icon toolbar below SysPager is swept, a single band at y = 10.
    ok(RegSet(appDefaults, L"Version", "winxp"), "could not set %s", Utf8(appDefaults).c_str());
    RunCycle(args[0]);
    CheckGrid("XP, ToolbarWindow32 150x24", g_moves[kToolbar], 150, {10});
    for (Part other : {kShell, kNotify, kPager, kOverflow, kOverflowToolbar})
        ok(g_moves[other].empty(), "XP: expected no moves to %s, got %zu", kPartNames[other], g_moves[other].size());
    RegDeleteTree(appDefaults);

    // Wine's default version (not in the program's table): the same icon toolbar, then the overflow's.
    RunCycle(args[0]);
    CheckGrid("default version, ToolbarWindow32 150x24", g_moves[kToolbar], 150, {10});
    CheckGrid("default version, the overflow's ToolbarWindow32 90x40", g_moves[kOverflowToolbar], 90, {10, 30});
    for (Part other : {kShell, kNotify, kPager, kOverflow})
        ok(g_moves[other].empty(), "default version: expected no moves to %s, got %zu", kPartNames[other],
           g_moves[other].size());
    ResetWorld();
}

}  // namespace kwt
