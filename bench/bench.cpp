// kwbench.exe <bench|flap|idle|adapter> <path of kopplungswacht.exe> [more]: the measurements of `make bench`,
// driven from outside with the end-to-end tests' harness. Not a test: bench-wine.sh reads what it prints.
// Drop-to-exit is the time from the count file saying 0 to the launched child's process handle being
// signalled; the first count is the time from the count file saying 1 to the window showing that count; the
// launch time is the child's creation time after the count file said 1, against the start delay + 1 s. The
// last line sums them up for the script, which compares two builds by it.
// kwbench.exe bench <exe> [cycles, default 20] [start delay in seconds, default 2]
// kwbench.exe flap <exe> [cycles, default 60]: the connection goes up and down irregularly with two programs
// on the list, some drops during the countdown, some too short for a tick; the program's handle count and
// private bytes after cycle 5 and at the end, as the test rasapi32.dll measures them inside the program.
// kwbench.exe idle <exe> [seconds, default 60] [adapter]: the program idles with no connection and its window
// hidden, between the marker files KWT_IDLE_BEGIN and KWT_IDLE_END (then waits for KWT_IDLE_READ), while
// bench-wine.sh reads the CPU time of the program and of the wineserver from outside; with the name of
// a network adapter, that adapter is chosen.
// kwbench.exe adapter <exe> [drops, default 12]: inside tests/e2e/netns.sh, a chosen tun device goes up until
// the program has started and then down; the time from the device going down to the program's end.
#include <algorithm>
#include <cstdlib>

#include "harness.h"
#include "platform/win32/control_ids.h"
#include "product.h"
#include "targets.h"

namespace kwt {

namespace {

double FileTimeMs(const FILETIME& ft) {
    ULARGE_INTEGER u;
    u.LowPart = ft.dwLowDateTime;
    u.HighPart = ft.dwHighDateTime;
    return static_cast<double>(u.QuadPart) / 10000.0;
}

double NowSystemMs() {
    FILETIME ft;
    GetSystemTimePreciseAsFileTime(&ft);
    return FileTimeMs(ft);
}

double Median(std::vector<double> v) {
    if (v.empty())
        return -1;
    std::sort(v.begin(), v.end());
    size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

struct Measured {
    long handles = -1;
    unsigned long privateBytes = 0;
};

// Asks the test rasapi32.dll inside the program to count; the answer names the request's label.
bool MeasureInside(const std::string& label, Measured& measured) {
    const std::wstring reply = KWT_WIDE(KWT_MEASURE_REPLY);
    DeleteFileW(reply.c_str());
    if (!WriteFileAtomically(KWT_WIDE(KWT_MEASURE_REQUEST), label))
        return false;
    std::string text;
    const std::string prefix = label + " handles=";
    if (!WaitUntil([&] { return ReadWholeFile(reply, text) && text.rfind(prefix, 0) == 0; }, 5000))
        return false;
    return sscanf(text.c_str() + label.size(), " handles=%ld private=%lu", &measured.handles, &measured.privateBytes) ==
           2;
}

void Bench(const Args& args) {
    const int cycles = args.size() > 1 ? _wtoi(args[1].c_str()) : 20;
    const int delay = args.size() > 2 ? _wtoi(args[2].c_str()) : 2;
    ResetWorld();
    StoreSettings({ChildEntry(L"bench.txt", "bench")}, std::to_string(delay));
    Product product;
    if (!product.Start(args[0]))
        return;
    std::vector<double> drops, launches, notices, countdowns;
    const std::string connected = std::string(kAktivPrefix) + "1";
    for (int i = 0; i < cycles; ++i) {
        DeleteFileW(OutFile(L"bench.txt").c_str());
        // Changes fall at varying points of the 200 ms tick, not always just before the next one.
        SleepPumping(static_cast<DWORD>((i * 53) % 200));
        SetConnections("1");
        double up = NowSystemMs();
        double upPerf = NowMs();
        double noticed = -1;
        if (WaitUntil([&] { return product.Text(IDC_AKTIV) == connected; }, 2000, 2))
            noticed = NowMs() - upPerf;
        ChildRecord child;
        if (!ok(WaitForChild(OutFile(L"bench.txt"), child, 8000), "cycle %d: no launch", i))
            break;
        HANDLE h = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE, FALSE, child.pid);
        FILETIME created, exited, kernel, user;
        double launch = -1;
        if (h && GetProcessTimes(h, &created, &exited, &kernel, &user)) {
            launch = FileTimeMs(created) - up;
            launches.push_back(launch);
            if (noticed >= 0) {
                notices.push_back(noticed);
                countdowns.push_back(launch - noticed);
            }
        }
        WaitUntil([&] { return product.Text(IDC_STATUS) == kStatusStarted; }, 3000);
        SleepPumping(static_cast<DWORD>(50 + (i * 71) % 200));
        SetConnections("0");
        double down = NowMs();
        DWORD wait = h ? WaitForSingleObject(h, 3000) : WAIT_FAILED;
        double drop = NowMs() - down;
        ok(wait == WAIT_OBJECT_0, "cycle %d: the child did not end within 3 s", i);
        ok(ExitCodeOf(h) == 1, "cycle %d: expected exit code 1, got %lu", i, ExitCodeOf(h));
        if (wait == WAIT_OBJECT_0)
            drops.push_back(drop);
        Print(
            "cycle %2d: launch %7.1f ms after the count went up (noticed after %5.1f, countdown and launch "
            "%7.1f), drop-to-exit %6.1f ms\n",
            i, launch, noticed, launch - noticed, drop);
        EndAndClose(h, 9);
        WaitUntil([&] { return product.Text(IDC_STATUS) == kStatusEnded; }, 3000);
    }
    product.Kill();
    ResetWorld();
    const double target = (delay + 1) * 1000.0;
    const double earliest = target * (100 - KW_TARGET_LAUNCH_TOLERANCE_PERCENT) / 100;
    const double latest = target * (100 + KW_TARGET_LAUNCH_TOLERANCE_PERCENT) / 100;
    if (!drops.empty())
        Print("drop-to-exit: median %.1f ms, worst %.1f ms over %zu cycles (targets: median <= %d, worst <= %d)\n",
              Median(drops), *std::max_element(drops.begin(), drops.end()), drops.size(),
              KW_TARGET_DROP_TO_EXIT_MEDIAN_MS, KW_TARGET_DROP_TO_EXIT_WORST_MS);
    if (!launches.empty())
        Print(
            "launch after the count went up: median %.1f ms, earliest %.1f, latest %.1f (target %.0f ms +- %d%%: "
            "%.0f..%.0f)\n",
            Median(launches), *std::min_element(launches.begin(), launches.end()),
            *std::max_element(launches.begin(), launches.end()), target, KW_TARGET_LAUNCH_TOLERANCE_PERCENT, earliest,
            latest);
    if (!launches.empty()) {
        long within =
            std::count_if(launches.begin(), launches.end(), [&](double l) { return l >= earliest && l <= latest; });
        Print("launches within %.0f..%.0f ms: %ld of %zu\n", earliest, latest, within, launches.size());
    }
    if (!countdowns.empty())
        Print(
            "of which: the count noticed after median %.1f ms, worst %.1f ms (a tick is 200 ms), countdown of %d s "
            "and launch median %.1f ms\n",
            Median(notices), *std::max_element(notices.begin(), notices.end()), delay + 1, Median(countdowns));
    if (!drops.empty() && !notices.empty())
        Print("summary: drop-median %.1f drop-worst %.1f count-median %.1f count-worst %.1f\n", Median(drops),
              *std::max_element(drops.begin(), drops.end()), Median(notices),
              *std::max_element(notices.begin(), notices.end()));
}

void Flap(const Args& args) {
    const int cycles = args.size() > 1 ? _wtoi(args[1].c_str()) : 60;
    ResetWorld();
    DeleteFileW(KWT_WIDE(KWT_MEASURE_REQUEST));
    StoreSettings({ChildEntry(L"flap-a.txt", "a"), ChildEntry(L"flap-b.txt", "b")}, "1");
    Product product;
    if (!product.Start(args[0]))
        return;
    const std::string before = product.Text(IDC_STATUS);
    // A fixed sequence, so that runs compare: irregular, but the same each time.
    unsigned int state = 12345;
    const auto next = [&state](unsigned int below) {
        state = state * 1103515245u + 12345u;
        return (state >> 16) % below;
    };
    Measured early, late;
    int launched = 0, inCountdown = 0, blips = 0;
    for (int i = 0; i < cycles; ++i) {
        const unsigned int kind = i == 0 ? 0 : next(10);
        SetConnections("1");
        if (kind < 4) {
            // Up until the programs run, then down after a while.
            ok(WaitUntil([&] { return product.Text(IDC_STATUS) == kStatusStarted; }, 6000),
               "flap %d: expected [%s], got [%s]", i, kStatusStarted, product.Text(IDC_STATUS).c_str());
            ++launched;
            SleepPumping(next(400));
        } else if (kind < 8) {
            // Down during the countdown: the launch completes, and the next tick ends the programs.
            SleepPumping(100 + next(1400));
            ++inCountdown;
        } else {
            // Up for less than a tick.
            SleepPumping(next(150));
            ++blips;
        }
        SetConnections("0");
        SleepPumping(250 + next(100));
        ok(WaitUntil(
               [&] {
                   const std::string status = product.Text(IDC_STATUS);
                   return status == kStatusEnded || status == before;
               },
               6000),
           "flap %d: expected [%s] after the drop, got [%s]", i, kStatusEnded, product.Text(IDC_STATUS).c_str());
        if (i == 4)
            ok(MeasureInside("cycle5", early), "flap: no measurement after cycle 5");
    }
    ok(MeasureInside("end", late), "flap: no measurement at the end");
    product.Kill();
    DeleteFileW(KWT_WIDE(KWT_MEASURE_REQUEST));
    ResetWorld();
    Print("flapping: %d cycles (%d up until launched, %d down during the countdown, %d shorter than a tick)\n", cycles,
          launched, inCountdown, blips);
    Print("flapping: handles after cycle 5 %ld, at the end %ld; private bytes after cycle 5 %lu, at the end %lu\n",
          early.handles, late.handles, early.privateBytes, late.privateBytes);
    Print("flap-summary: handles %ld %ld private %lu %lu\n", early.handles, late.handles, early.privateBytes,
          late.privateBytes);
}

void AdapterDrops(const Args& args) {
    const int cycles = args.size() > 1 ? _wtoi(args[1].c_str()) : 12;
    ResetWorld();
    StoreSettings({ChildEntry(L"bench.txt", "bench")}, "1");
    ok(RegSet(std::wstring(kAppKey) + L"\\Adapter", L"adapter0", "kwbench0"), "could not choose the adapter");
    Product product;
    if (!Host("tun kwbench0") || !Host("down kwbench0") || !product.Start(args[0]))
        return;
    std::vector<double> drops;
    for (int i = 0; i < cycles; ++i) {
        DeleteFileW(OutFile(L"bench.txt").c_str());
        SleepPumping(static_cast<DWORD>((i * 53) % 200));
        ChildRecord child;
        if (!Host("up kwbench0") || !ok(WaitForChild(OutFile(L"bench.txt"), child, 8000), "drop %d: no launch", i))
            break;
        HANDLE h = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE, FALSE, child.pid);
        WaitUntil([&] { return product.Text(IDC_STATUS) == kStatusStarted; }, 3000);
        // The device goes down at varying points of the 200 ms tick.
        SleepPumping(static_cast<DWORD>(50 + (i * 71) % 200));
        if (!Host("down kwbench0"))
            break;
        const double down = NowMs();
        const DWORD wait = h ? WaitForSingleObject(h, 3000) : WAIT_FAILED;
        const double drop = NowMs() - down;
        ok(wait == WAIT_OBJECT_0 && ExitCodeOf(h) == 1, "drop %d: expected the child ended with exit code 1, got %lu",
           i, ExitCodeOf(h));
        if (wait == WAIT_OBJECT_0)
            drops.push_back(drop);
        Print("drop %2d: adapter down to exit %6.1f ms\n", i, drop);
        EndAndClose(h, 9);
        WaitUntil([&] { return product.Text(IDC_STATUS) == kStatusEnded; }, 3000);
    }
    product.Kill();
    ResetWorld();
    if (!drops.empty())
        Print("adapter-drop-to-exit: median %.1f ms, worst %.1f ms over %zu drops (a tick is 200 ms)\n", Median(drops),
              *std::max_element(drops.begin(), drops.end()), drops.size());
}

void Idle(const Args& args) {
    const int seconds = args.size() > 1 ? _wtoi(args[1].c_str()) : 60;
    ResetWorld();
    if (args.size() > 2)
        ok(RegSet(std::wstring(kAppKey) + L"\\Adapter", L"adapter0", Utf8(args[2])), "could not choose the adapter");
    Product product;
    if (!product.Start(args[0]))
        return;
    // A build that starts with its window shown goes to the tray by its minimise button.
    if (IsWindowVisible(product.window()))
        PostMessageW(product.Control(IDC_COMMAND4), BM_CLICK, 0, 0);
    ok(WaitUntil([&] { return !IsWindowVisible(product.window()); }, 2000), "idle: the window did not hide");
    // Start-up is over once the program's message loop first waits for input; from then on it idles, against
    // Wine's own rasapi32 (no connection).
    ok(WaitForInputIdle(product.process(), bounds::kProcessStartMs) == 0, "idle: start-up did not end within %lu ms",
       bounds::kProcessStartMs);
    const std::string none = std::string(kAktivPrefix) + "0";
    ok(product.Text(IDC_AKTIV) == none, "idle: expected [%s], got [%s]", none.c_str(), product.Text(IDC_AKTIV).c_str());
    RasCall call;
    ok(!LastRasCall(call), "idle: the test rasapi32.dll answered (%ld calls), not Wine's own", call.calls);
    ok(WriteFileAtomically(KWT_WIDE(KWT_IDLE_BEGIN), ""), "idle: could not write the begin marker");
    // No polling meanwhile: the test driver must not keep the wineserver busy itself.
    Sleep(static_cast<DWORD>(seconds) * 1000);
    ok(WriteFileAtomically(KWT_WIDE(KWT_IDLE_END), ""), "idle: could not write the end marker");
    // The script reads the CPU times after it sees the marker: the program must still be there then.
    std::string read;
    ok(WaitUntil([&] { return ReadWholeFile(KWT_WIDE(KWT_IDLE_READ), read); }, 30000, 50),
       "idle: the script did not say it had read the CPU times");
    ok(product.Alive() && !IsWindowVisible(product.window()),
       "idle: expected the program running with its window hidden, got alive %d visible %d", product.Alive(),
       IsWindowVisible(product.window()));
    product.Kill();
    ResetWorld();
}

}  // namespace

}  // namespace kwt

int wmain() {
    const std::vector<kwt::Area> areas = {
        {"bench", kwt::Bench},
        {"flap", kwt::Flap},
        {"idle", kwt::Idle},
        {"adapter", kwt::AdapterDrops},
    };
    return kwt::RunDriver("kwbench", areas);
}
