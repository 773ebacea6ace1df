// Connection watching, launching and ending, seen from outside: the fake rasapi32 changes the count and
// announces the change, the launched kwchild.exe copies report how they were started, and the test waits
// on them as processes.
#include <tuple>

#include "areas.h"
#include "harness.h"
#include "platform/win32/control_ids.h"
#include "product.h"

namespace kwt {

namespace {

// Waits for all the children to end; returns the milliseconds from `since` until the last one ended.
double AwaitEnded(std::vector<Launched*> children, double since, DWORD timeoutMs) {
    double last = -1;
    WaitUntil(
        [&] {
            for (Launched* c : children)
                if (StillRunning(c->process))
                    return false;
            last = NowMs() - since;
            return true;
        },
        timeoutMs, 5);
    return last;
}

void CheckEndedWithCode1(const char* label, const Launched& child) {
    ok(!StillRunning(child.process), "%s (pid %lu): expected ended, still running", label, child.record.pid);
    DWORD code = ExitCodeOf(child.process);
    ok(code == 1, "%s (pid %lu): expected exit code 1, got %lu", label, child.record.pid, code);
}

void CheckRasCall() {
    RasCall call;
    if (!ok(WaitUntil([&] { return LastRasCall(call); }, 1000),
            "the fake rasapi32.dll was never called (no " KWT_RAS_LOG ")"))
        return;
    ok(call.dwSize == 412, "RasEnumConnectionsA: expected dwSize 412 in record 0, got %lu", call.dwSize);
    ok(call.cb == 105472, "RasEnumConnectionsA: expected byte count 105472, got %lu", call.cb);
}

// Returns just after the watcher's next count, when its timer is furthest from the next tick.
bool JustAfterACount() {
    RasCall before, now;
    return LastRasCall(before) && WaitUntil([&] { return LastRasCall(now) && now.calls > before.calls; }, 1000, 1);
}

// The watcher counts five times a second, read from the fake DLL's own count of calls: from one call to
// another a few seconds later, so that neither end is off by part of a tick.
void CheckTickPeriod() {
    RasCall first, last;
    auto nextCall = [](RasCall& call) {
        RasCall before;
        return WaitUntil([&] { return LastRasCall(before); }, 1000, 2) &&
               WaitUntil([&] { return LastRasCall(call) && call.calls > before.calls; }, 1000, 2);
    };
    if (!ok(nextCall(first), "tick period: the fake rasapi32.dll was not called within 1 s"))
        return;
    const double from = NowMs();
    SleepPumping(bounds::kCountsWindowMs);
    if (!ok(nextCall(last), "tick period: the fake rasapi32.dll was not called within 1 s"))
        return;
    const double seconds = (NowMs() - from) / 1000.0;
    const double rate = static_cast<double>(last.calls - first.calls) / seconds;
    trace("%ld counts in %.2f s: %.2f a second", last.calls - first.calls, seconds, rate);
    ok(rate >= bounds::kCountsPerSecondMin && rate <= bounds::kCountsPerSecondMax,
       "tick period: expected 5 counts a second (one per 200 ms), got %.2f (%ld in %.2f s)", rate,
       last.calls - first.calls, seconds);
}

// Two programs with arguments, start delay 2: the whole road of one connection.
void OneConnection(const std::wstring& exe) {
    const std::string entryA = ChildEntry(L"a.txt", "eins \"zwei drei\"");
    const std::string entryB = ChildEntry(L"b.txt", "-x Grüße");
    StoreSettings({entryA, entryB}, "2");
    // Not launched by the product: must outlive the ending.
    Spawned bystander = SpawnChild(OutFile(L"bystander.txt"));
    ok(bystander.process != nullptr, "could not start the bystander: error %lu", GetLastError());

    Product product;
    if (!product.Start(exe))
        return;
    std::string expectedZero = std::string(kAktivPrefix) + "0";
    ok(WaitUntil([&] { return product.Text(IDC_AKTIV) == expectedZero; }, 1500), "aktiv: expected [%s], got [%s]",
       expectedZero.c_str(), product.Text(IDC_AKTIV).c_str());
    ok(product.Text(IDC_STATUS) == kStatusEnded, "status before a connection: expected [%s], got [%s]", kStatusEnded,
       product.Text(IDC_STATUS).c_str());
    CheckRasCall();
    CheckTickPeriod();

    SetConnections("1");
    double up = NowMs();
    std::string expectedOne = std::string(kAktivPrefix) + "1";
    ok(WaitUntil([&] { return product.Text(IDC_AKTIV) == expectedOne; }, 1000, 2), "aktiv: expected [%s], got [%s]",
       expectedOne.c_str(), product.Text(IDC_AKTIV).c_str());
    trace("the count showed 1 after %.0f ms", NowMs() - up);
    std::vector<Seen> seen = CollectStatus(product, kStatusStarted, 8000);
    std::vector<std::string> allowed = {kStatusEnded,     kStatusStarting, CountdownText(2), CountdownText(1),
                                        CountdownText(0), kLaunching,      kStatusStarted};
    std::vector<std::string> required = {CountdownText(2), CountdownText(1), CountdownText(0), kStatusStarted};
    ok(FollowsOrder(seen, allowed, required),
       "status while launching: expected the countdown 2, 1, 0 then [%s] in this order, got [%s]", kStatusStarted,
       Join(seen).c_str());
    for (int s = 2; s >= 1; --s) {
        const Seen* from = Find(seen, CountdownText(s));
        const Seen* to = Find(seen, CountdownText(s - 1));
        if (from && to) {
            double step = to->atMs - from->atMs;
            ok(step >= bounds::kCountdownStepMinMs && step <= bounds::kCountdownStepMaxMs,
               "countdown step %d -> %d: expected %.0f..%.0f ms, got %.0f ms", s, s - 1, bounds::kCountdownStepMinMs,
               bounds::kCountdownStepMaxMs, step);
        }
    }
    if (const Seen* launched = Find(seen, kStatusStarted)) {
        double after = launched->atMs - up;
        trace("launch %.0f ms after the count went up (delay 2 s + 1 s)", after);
        // Never before the three countdown seconds; at most the next tick plus three long seconds.
        const double earliest = 3 * bounds::kCountdownStepMinMs;
        const double latest = bounds::kNoticeMs + bounds::LaunchAfterCountdownMs(2);
        ok(after >= earliest && after <= latest, "launch: expected %.0f..%.0f ms after the count went up, got %.0f ms",
           earliest, latest, after);
    }

    Launched a, b;
    AwaitLaunched(L"a.txt", entryA, a);
    AwaitLaunched(L"b.txt", entryB, b);
    ok(StillRunning(a.process) && StillRunning(b.process), "children: expected both running, got a %s, b %s",
       StillRunning(a.process) ? "running" : "ended", StillRunning(b.process) ? "running" : "ended");
    SleepPumping(bounds::kQuietMs);
    ok(product.Text(IDC_STATUS) == kStatusStarted, "status while connected: expected [%s], got [%s]", kStatusStarted,
       product.Text(IDC_STATUS).c_str());
    CheckRasCall();

    // Dropped just after a count: a drop left to the timer would wait a whole tick before the ending began.
    ok(JustAfterACount(), "the watcher did not count within 1 s");
    SetConnections("0");
    double down = NowMs();
    double ended = AwaitEnded({&a, &b}, down, 3000);
    trace("children ended %.0f ms after the count dropped", ended);
    ok(ended >= 0 && ended <= bounds::kAnnouncedDropToExitMs,
       "ending: expected both children ended within %.0f ms (one tick), got %.0f ms (-1: not ended)",
       bounds::kAnnouncedDropToExitMs, ended);
    CheckEndedWithCode1("child a", a);
    CheckEndedWithCode1("child b", b);
    ok(WaitUntil([&] { return product.Text(IDC_STATUS) == kStatusEnded; }, 1000),
       "status after the drop: expected [%s], got [%s]", kStatusEnded, product.Text(IDC_STATUS).c_str());
    ok(product.Text(IDC_AKTIV) == expectedZero, "aktiv after the drop: expected [%s], got [%s]", expectedZero.c_str(),
       product.Text(IDC_AKTIV).c_str());
    ok(StillRunning(bystander.process), "bystander pid %lu: expected still running, got exit code %lu", bystander.pid,
       ExitCodeOf(bystander.process));

    // A failed count while idle shows -1 and launches nothing.
    SetConnections("error 5");
    std::string expectedFail = std::string(kAktivPrefix) + "-1";
    ok(WaitUntil([&] { return product.Text(IDC_AKTIV) == expectedFail; }, 1000),
       "aktiv after a failed count: expected [%s], got [%s]", expectedFail.c_str(), product.Text(IDC_AKTIV).c_str());
    SleepPumping(bounds::kQuietMs);
    ok(product.Text(IDC_STATUS) == kStatusEnded, "status after a failed count while idle: expected [%s], got [%s]",
       kStatusEnded, product.Text(IDC_STATUS).c_str());
    DeleteFileW(OutFile(L"a.txt").c_str());
    ChildRecord again;
    ok(!ReadChild(OutFile(L"a.txt"), again), "a failed count launched child a again (pid %lu)", again.pid);

    product.Kill();
    EndAndClose(a.process, 9);
    EndAndClose(b.process, 9);
    EndAndClose(bystander.process, 9);
}

// An entry that cannot be launched between two that can; a failed count while running ends them.
void UnlaunchableEntry(const std::wstring& exe) {
    ResetWorld();
    const std::string entryC = ChildEntry(L"c.txt");
    const std::string missing = "\"" KWT_DIR "\\gibt-es-nicht.exe\" --nie";
    const std::string entryD = ChildEntry(L"d.txt", "letzter");
    StoreSettings({entryC, missing, entryD}, "0");
    Product product;
    if (!product.Start(exe))
        return;
    SetConnections("1");
    std::vector<Seen> seen = CollectStatus(product, kStatusStarted, 6000);
    ok(FollowsOrder(seen, {kStatusEnded, kStatusStarting, CountdownText(0), kLaunching, kStatusStarted},
                    {CountdownText(0), kStatusStarted}),
       "status with delay 0: expected the countdown 0 then [%s], got [%s]", kStatusStarted, Join(seen).c_str());
    Launched c, d;
    AwaitLaunched(L"c.txt", entryC, c);
    AwaitLaunched(L"d.txt", entryD, d);
    ok(StillRunning(c.process) && StillRunning(d.process), "expected the first and third entry running, got c %s, d %s",
       StillRunning(c.process) ? "running" : "ended", StillRunning(d.process) ? "running" : "ended");
    SleepPumping(bounds::kQuietMs);
    ok(product.Text(IDC_STATUS) == kStatusStarted, "status with an unlaunchable entry: expected [%s], got [%s]",
       kStatusStarted, product.Text(IDC_STATUS).c_str());

    SetConnections("error 5");
    double down = NowMs();
    double ended = AwaitEnded({&c, &d}, down, 3000);
    ok(ended >= 0 && ended <= bounds::kDropToExitMs,
       "a failed count while running: expected both children ended within %.0f ms, got %.0f ms (-1: not ended)",
       bounds::kDropToExitMs, ended);
    CheckEndedWithCode1("child c", c);
    CheckEndedWithCode1("child d", d);
    std::string expectedFail = std::string(kAktivPrefix) + "-1";
    ok(product.Text(IDC_AKTIV) == expectedFail, "aktiv: expected [%s], got [%s]", expectedFail.c_str(),
       product.Text(IDC_AKTIV).c_str());
    ok(WaitUntil([&] { return product.Text(IDC_STATUS) == kStatusEnded; }, 1000),
       "status after a failed count while running: expected [%s], got [%s]", kStatusEnded,
       product.Text(IDC_STATUS).c_str());
    product.Kill();
    EndAndClose(c.process, 9);
    EndAndClose(d.process, 9);
}

// Closing the window during the countdown ends the program; nothing is launched afterwards.
void CloseDuringCountdown(const std::wstring& exe) {
    ResetWorld();
    StoreSettings({ChildEntry(L"e.txt")}, "2");
    Product product;
    if (!product.Start(exe))
        return;
    SetConnections("1");
    bool counting = WaitUntil([&] { return product.Text(IDC_STATUS) == CountdownText(2); }, 2000);
    ok(counting, "expected the countdown text [%s], got [%s]", CountdownText(2).c_str(),
       product.Text(IDC_STATUS).c_str());
    PostMessageW(product.window(), WM_CLOSE, 0, 0);
    double closed = NowMs();
    bool ended = WaitUntil([&] { return !product.Alive(); }, 3000);
    ok(ended, "close during the countdown: expected the program to end within 3 s, still running after %.0f ms",
       NowMs() - closed);
    // The service may signal into rasapi32.dll until the process is gone; the test DLL marks an earlier free.
    std::string freed;
    ok(!ReadWholeFile(KWT_WIDE(KWT_RAS_FREED), freed), "close: rasapi32.dll was freed before the end: [%s]",
       freed.c_str());
    // Past the moment the launch would have come: the countdown was at 2 when the window closed.
    SleepPumping(bounds::LaunchAfterCountdownMs(2));
    ChildRecord child;
    ok(!ReadChild(OutFile(L"e.txt"), child), "close during the countdown: expected no launch, got pid %lu", child.pid);
    if (child.pid) {
        HANDLE h = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, child.pid);
        EndAndClose(h, 9);
    }
    product.Kill();
}

// Entries without quotes, each run by kwchild.exe copies that record into KWT_OUT_DIR\<name>.txt:
// C:\Program.exe lies on the way of two entries under C:\Program Files and must never run; the entry
// whose program is there runs it with its command line as stored; the entry whose program is gone
// launches nothing; a bare name is still found on the system's search path; a program image named .scr
// runs like any other.
void UnquotedEntries(const std::wstring& exe) {
    ResetWorld();
    wchar_t systemDir[MAX_PATH];
    const UINT length = GetSystemDirectoryW(systemDir, MAX_PATH);
    const std::wstring planted = L"C:\\Program.exe";
    const std::wstring folder = L"C:\\Program Files\\x";
    const std::wstring meant = folder + L"\\y.exe";
    const std::wstring bare = std::wstring(systemDir, length) + L"\\kwbare.exe";
    const std::wstring saver = folder + L"\\x.scr";
    CreateDirectoryW(folder.c_str(), nullptr);
    for (const std::wstring& copy : {planted, meant, bare, saver})
        ok(CopyFileW(ChildExe().c_str(), copy.c_str(), FALSE) != 0, "could not copy kwchild.exe to %s: error %lu",
           Utf8(copy).c_str(), GetLastError());
    const std::string entryMeant = "C:\\Program Files\\x\\y.exe arg";
    const std::string entryGone = "C:\\Program Files\\x\\fehlt.exe -x";
    const std::string entryBare = "kwbare.exe eins zwei";
    const std::string entrySaver = "C:\\Program Files\\x\\x.scr /s";
    StoreSettings({entryMeant, entryGone, entryBare, entrySaver}, "0");

    Product product;
    if (product.Start(exe)) {
        SetConnections("1");
        std::vector<Seen> seen = CollectStatus(product, kStatusStarted, 6000);
        ok(Find(seen, kStatusStarted) != nullptr, "unquoted entries: expected [%s], got [%s]", kStatusStarted,
           Join(seen).c_str());
        Launched y, b, x;
        AwaitLaunched(L"y.txt", entryMeant, y);
        AwaitLaunched(L"kwbare.txt", entryBare, b);
        AwaitLaunched(L"x.txt", entrySaver, x);
        // Found on the search path, it starts in the user's profile folder, as from the Run dialog.
        wchar_t profile[MAX_PATH] = {};
        const std::string expectedFolder =
            Utf8(std::wstring(profile, GetEnvironmentVariableW(L"USERPROFILE", profile, MAX_PATH)));
        ok(b.record.cwd == expectedFolder, "kwbare.exe: expected to start in the profile folder [%s], got [%s]",
           expectedFolder.c_str(), b.record.cwd.c_str());
        ok(y.record.cwd == "C:\\Program Files\\x", "y.exe: expected to start in its folder, got [%s]",
           y.record.cwd.c_str());
        // C:\Program.exe would have been started in the same launch as the others.
        SleepPumping(bounds::kQuietMs);
        ChildRecord plantedRun;
        ok(!ReadChild(OutFile(L"Program.txt"), plantedRun), "C:\\Program.exe ran (pid %lu) with [%s]", plantedRun.pid,
           plantedRun.cmdline.c_str());
        if (plantedRun.pid) {
            HANDLE h = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, plantedRun.pid);
            EndAndClose(h, 9);
        }

        SetConnections("0");
        double ended = AwaitEnded({&y, &b, &x}, NowMs(), 3000);
        ok(ended >= 0, "unquoted entries: expected the three children ended within 3 s after the drop");
        CheckEndedWithCode1("y.exe", y);
        CheckEndedWithCode1("kwbare.exe", b);
        CheckEndedWithCode1("x.scr", x);
        product.Kill();
        EndAndClose(y.process, 9);
        EndAndClose(b.process, 9);
        EndAndClose(x.process, 9);
    }
    for (const std::wstring& copy : {planted, meant, bare, saver})
        DeleteFileW(copy.c_str());
    RemoveDirectoryW(folder.c_str());
}

// The system's own text for an error, as the program reports it.
std::string Reason(DWORD error) {
    wchar_t* text = nullptr;
    const DWORD n =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring reason(text != nullptr ? text : L"", n);
    LocalFree(text);
    while (!reason.empty() && (reason.back() == L'\r' || reason.back() == L'\n' || reason.back() == L' '))
        reason.pop_back();
    return Utf8(reason);
}

std::string Quoted(const std::wstring& path) {
    return std::string(1, '"').append(Utf8(path)).append(1, '"');
}

void ExpectBalloon(const char* label, const std::string& text) {
    std::string shown;
    ok(WaitForBalloon(text, bounds::kBalloonMs, shown), "%s: expected the notification [%s], the shell showed %s",
       label, text.c_str(), shown.empty() ? "none" : shown.c_str());
}

// What a launched program starts is ended with it, in whichever folder and through whichever stub it
// started: a stub that starts the real program and exits, a program that starts a helper beside itself and
// one that leaves the job on purpose, a batch file in a folder with a blank, & and parentheses. Each starts
// in its own folder. An entry that cannot start is said in a notification, and so is the drop; quitting
// leaves everything running.
void JobsFoldersAndNotices(const std::wstring& exe) {
    ResetWorld();
    const std::wstring stubFolder = std::wstring(kTestDir) + L"\\Mein Ördner (1)";
    const std::wstring stub = stubFolder + L"\\kwchild.exe";
    const std::wstring batchFolder = std::wstring(kTestDir) + L"\\Mit Leerzeichen & (x)";
    const std::wstring batch = batchFolder + L"\\start^1.bat";
    CreateDirectoryW(stubFolder.c_str(), nullptr);
    CreateDirectoryW(batchFolder.c_str(), nullptr);
    ok(CopyFileW(ChildExe().c_str(), stub.c_str(), FALSE) != 0, "could not copy kwchild.exe: error %lu",
       GetLastError());
    const std::string batchText =
        std::string("@").append(Quoted(ChildExe())).append(" ").append(Quoted(OutFile(L"bat.txt"))).append(" %*\r\n");
    ok(WriteFileAtomically(batch, batchText), "could not write the batch file");
    const std::string stubEntry =
        Quoted(stub) + " " + Utf8(OutFile(L"stub.txt")) + " /spawn:" + Utf8(OutFile(L"app.txt")) + " /exit:300";
    const std::string besideEntry = ChildEntry(
        L"beside.txt", "/spawn:" + Utf8(OutFile(L"helper.txt")) + " /spawnaway:" + Utf8(OutFile(L"away.txt")));
    const std::string batchEntry = Quoted(batch) + " alpha \"beta gamma\"";
    const std::string missing = "\"" KWT_DIR "\\nie.exe\" /x";
    const std::string childFolder = Utf8(ChildExe().substr(0, ChildExe().find_last_of(L'\\')));

    for (const bool quit : {false, true}) {
        ResetWorld();
        StoreSettings({stubEntry, missing, besideEntry, batchEntry}, "-1");
        Product product;
        if (!product.Start(exe))
            break;
        SetConnections("1");
        Launched stubbed, beside;
        AwaitLaunched(L"stub.txt", stubEntry, stubbed);
        AwaitLaunched(L"beside.txt", besideEntry, beside);
        ChildRecord app, helper, away, bat;
        ok(WaitForChild(OutFile(L"app.txt"), app, bounds::kProcessStartMs), "the stub's program did not start");
        ok(WaitForChild(OutFile(L"helper.txt"), helper, bounds::kProcessStartMs), "the helper did not start");
        ok(WaitForChild(OutFile(L"away.txt"), away, bounds::kProcessStartMs),
           "the process outside the job did not start");
        ok(WaitForChild(OutFile(L"bat.txt"), bat, bounds::kProcessStartMs), "the batch file [%s] ran nothing",
           batchEntry.c_str());
        const std::string batArguments = " alpha \"beta gamma\"";
        ok(bat.cmdline.size() > batArguments.size() &&
               bat.cmdline.compare(bat.cmdline.size() - batArguments.size(), batArguments.size(), batArguments) == 0,
           "batch file: expected its arguments [%s] passed on, got the command line [%s]", batArguments.c_str(),
           bat.cmdline.c_str());
        for (const auto& [label, record, folder] : {std::tuple{"the stub", &stubbed.record, Utf8(stubFolder)},
                                                    std::tuple{"its program", &app, Utf8(stubFolder)},
                                                    std::tuple{"a program beside kwtest", &beside.record, childFolder},
                                                    std::tuple{"the batch file's program", &bat, Utf8(batchFolder)}})
            ok(record->cwd == folder, "%s: expected to start in [%s], got [%s]", label, folder.c_str(),
               record->cwd.c_str());
        HANDLE others[] = {OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE, FALSE, app.pid),
                           OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE, FALSE, helper.pid),
                           OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE, FALSE, bat.pid),
                           OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE, FALSE, away.pid)};
        const char* const names[] = {"the stub's program", "the helper", "the batch file's program",
                                     "the process outside the job"};
        if (!quit) {
            ExpectBalloon("an entry that cannot start",
                          "Nicht gestartet: " + missing + " " + Reason(ERROR_FILE_NOT_FOUND));
            ok(product.Text(IDC_STATUS) == kStatusStarted,
               "status with an entry that cannot start: expected [%s], got [%s]", kStatusStarted,
               product.Text(IDC_STATUS).c_str());
            ok(WaitForSingleObject(stubbed.process, 3000) == WAIT_OBJECT_0 && ExitCodeOf(stubbed.process) == 3,
               "the stub: expected to exit by itself with 3, got %lu", ExitCodeOf(stubbed.process));
            SetConnections("0");
            ok(WaitUntil(
                   [&] {
                       return !StillRunning(others[0]) && !StillRunning(others[1]) && !StillRunning(others[2]) &&
                              !StillRunning(beside.process);
                   },
                   static_cast<DWORD>(bounds::kDropToExitMs)),
               "the drop: expected the stub's program, the helper, the batch file's program and the program beside "
               "them ended within %.0f ms",
               bounds::kDropToExitMs);
            for (int i = 0; i < 3; ++i)
                ok(ExitCodeOf(others[i]) == 1, "%s: expected exit code 1, got %lu", names[i], ExitCodeOf(others[i]));
            CheckEndedWithCode1("the program beside", beside);
            ok(StillRunning(others[3]), "the process that left the job: expected still running");
            ExpectBalloon("the drop", "Verbindung getrennt: 3 Programme beendet.");
        } else {
            PostMessageW(product.window(), WM_CLOSE, 0, 0);
            ok(WaitForSingleObject(product.process(), 5000) == WAIT_OBJECT_0, "the program did not end on Close");
            SleepPumping(bounds::kQuietMs);
            for (int i = 0; i < 4; ++i)
                ok(StillRunning(others[i]), "%s: expected still running after the quit", names[i]);
            ok(StillRunning(beside.process), "the program beside: expected still running after the quit");
        }
        product.Kill();
        for (HANDLE& process : others)
            EndAndClose(process, 9);
        EndAndClose(stubbed.process, 9);
        EndAndClose(beside.process, 9);
        SleepPumping(200);  // the batch file's interpreter ends with its program
    }
    DeleteFileW(stub.c_str());
    DeleteFileW(batch.c_str());
    RemoveDirectoryW(stubFolder.c_str());
    RemoveDirectoryW(batchFolder.c_str());
}

}  // namespace

void TestConnection(const Args& args) {
    ResetWorld();
    OneConnection(args[0]);
    UnlaunchableEntry(args[0]);
    CloseDuringCountdown(args[0]);
    UnquotedEntries(args[0]);
    JobsFoldersAndNotices(args[0]);
    ResetWorld();
}

}  // namespace kwt
