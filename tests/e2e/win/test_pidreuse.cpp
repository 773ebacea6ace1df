// A launched program that exits by itself frees its process ID; whatever process gets that ID later
// must survive the ending. The test tries to make the ID come back: Wine hands out process and thread
// IDs from one pool and reuses freed ones in the order they were freed, so cycling short-lived threads
// shows whether the ID is free and lines up the next process to get it. Wine keeps an ID taken while any
// handle to the process is open, so a product that keeps the handle from the launch never lets the ID go,
// while one that kept only the ID would free it and meet a foreign process here.
#include "areas.h"
#include "harness.h"
#include "platform/win32/control_ids.h"
#include "product.h"

namespace kwt {

namespace {

DWORD WINAPI Nothing(void*) {
    return 0;
}

// One short-lived thread; returns the ID it was given.
DWORD CycleOneId() {
    DWORD tid = 0;
    HANDLE t = CreateThread(nullptr, 0, Nothing, nullptr, 0, &tid);
    if (!t)
        return 0;
    WaitForSingleObject(t, INFINITE);
    CloseHandle(t);
    return tid;
}

// Cycles thread IDs until `wanted` is handed out; returns the ID handed out just before it, or 0.
DWORD CycleUntil(DWORD wanted, int maxCycles, int* cycles) {
    DWORD previous = 0;
    for (*cycles = 0; *cycles < maxCycles; ++*cycles) {
        DWORD tid = CycleOneId();
        if (tid == wanted)
            return previous ? previous : 1;
        previous = tid;
    }
    return 0;
}

bool ProcessGone(DWORD pid) {
    HANDLE h = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (!h)
        return true;
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(h, &code);
    CloseHandle(h);
    return code != STILL_ACTIVE;
}

// Whether Wine gives a dead process's ID out again once nobody holds a handle to it.
void MeasureWineReuse() {
    Spawned quick = SpawnChild(OutFile(L"quick.txt"), L"/exit:0");
    if (!quick.process)
        return;
    WaitForSingleObject(quick.process, 5000);
    DWORD pid = quick.pid;
    CloseHandle(quick.process);
    int cycles = 0;
    bool back = CycleUntil(pid, 3000, &cycles) != 0;
    trace("Wine, no handle left: the ID %lu of an ended process %s (after %d thread IDs)", pid,
          back ? "came back" : "did not come back", cycles);
}

struct Foreign {
    Spawned process;
    bool hasDeadPid = false;
};

}  // namespace

void TestPidReuse(const Args& args) {
    ResetWorld();
    MeasureWineReuse();
    const std::string selfExit = ChildEntry(L"self.txt", "/exit:1000");
    const std::string stays = ChildEntry(L"stay.txt");
    StoreSettings({selfExit, stays}, "0");
    Product product;
    if (!product.Start(args[0]))
        return;
    SetConnections("1");
    ok(WaitUntil([&] { return product.Text(IDC_STATUS) == kStatusStarted; }, 4000), "launch: expected [%s], got [%s]",
       kStatusStarted, product.Text(IDC_STATUS).c_str());
    ChildRecord self, stay;
    ok(WaitForChild(OutFile(L"self.txt"), self, bounds::kProcessStartMs), "no record from the self-ending child");
    ok(WaitForChild(OutFile(L"stay.txt"), stay, bounds::kProcessStartMs), "no record from the staying child");
    HANDLE stayProcess = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE, FALSE, stay.pid);
    // No handle to the self-ending child: this test must not be what keeps its ID taken.
    ok(self.pid && WaitUntil([&] { return ProcessGone(self.pid); }, 4000),
       "the self-ending child (pid %lu) did not end by itself", self.pid);
    const DWORD deadPid = self.pid;

    std::vector<Foreign> foreign;
    int cycles = 0;
    DWORD before = CycleUntil(deadPid, 3000, &cycles);
    bool freed = before != 0;
    int attempts = 0;
    bool reused = false;
    if (freed) {
        for (attempts = 1; attempts <= 8 && !reused; ++attempts) {
            // The ID before it in the queue, then a process: that process should get the dead child's ID.
            int more = 0;
            if (before > 1 && !CycleUntil(before, 3000, &more))
                break;
            Foreign f;
            std::wstring name = L"reuse" + std::to_wstring(attempts) + L".txt";
            f.process = SpawnChild(OutFile(name.c_str()));
            f.hasDeadPid = f.process.pid == deadPid;
            reused = f.hasDeadPid;
            foreign.push_back(f);
        }
    }
    // Foreign processes that the ending must leave alone, whether or not one of them got the dead ID.
    for (int i = 0; i < 3; ++i) {
        std::wstring name = L"foreign" + std::to_wstring(i) + L".txt";
        foreign.push_back({SpawnChild(OutFile(name.c_str())), false});
    }
    for (Foreign& f : foreign)
        ok(f.process.process != nullptr, "could not start a foreign process: error %lu", GetLastError());
    if (reused)
        trace("pid reuse achieved: the dead child's pid %lu now belongs to a foreign process", deadPid);
    else
        trace("pid reuse not achieved: pid %lu %s (%d thread IDs cycled, %d process attempts)", deadPid,
              freed ? "was free but went to no new process" : "was never handed out again while the product ran",
              cycles, attempts);

    SetConnections("0");
    double down = NowMs();
    bool ended = WaitUntil([&] { return !StillRunning(stayProcess); }, 3000, 5);
    ok(ended, "the staying child (pid %lu) was not ended within 3 s of the drop", stay.pid);
    DWORD code = ExitCodeOf(stayProcess);
    ok(code == 1, "the staying child: expected exit code 1, got %lu (after %.0f ms)", code, NowMs() - down);
    ok(WaitUntil([&] { return product.Text(IDC_STATUS) == kStatusEnded; }, 2000),
       "after the drop: expected [%s], got [%s]", kStatusEnded, product.Text(IDC_STATUS).c_str());
    SleepPumping(bounds::kQuietMs);
    for (Foreign& f : foreign) {
        if (!f.process.process)
            continue;
        ok(StillRunning(f.process.process), "foreign pid %lu%s: expected still running, got ended with exit code %lu",
           f.process.pid, f.hasDeadPid ? " (the dead child's pid)" : "", ExitCodeOf(f.process.process));
        EndAndClose(f.process.process, 7);
    }
    product.Kill();
    EndAndClose(stayProcess, 9);
    ResetWorld();
}

}  // namespace kwt
