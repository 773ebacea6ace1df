// Where rasapi32.dll comes from. Without it in the system directory the product must still start and show a
// failed count (the prefix runs with rasapi32=n, so taking the test DLL away leaves no rasapi32 at all); a
// rasapi32.dll planted beside the exe must never be loaded.
#include "areas.h"
#include "harness.h"
#include "platform/win32/control_ids.h"
#include "product.h"

namespace kwt {

namespace {

class DllAway {
public:
    DllAway() {
        wchar_t dir[MAX_PATH];
        GetSystemDirectoryW(dir, MAX_PATH);
        dll_ = std::wstring(dir) + L"\\rasapi32.dll";
        away_ = dll_ + KWT_WIDE(KWT_AWAY_SUFFIX);
        moved_ = MoveFileExW(dll_.c_str(), away_.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
    }
    DllAway(const DllAway&) = delete;
    DllAway& operator=(const DllAway&) = delete;
    ~DllAway() { Restore(); }
    bool moved() const { return moved_; }
    const std::wstring& path() const { return dll_; }
    void Restore() {
        if (moved_)
            ok(MoveFileExW(away_.c_str(), dll_.c_str(), MOVEFILE_REPLACE_EXISTING) != 0,
               "could not put %s back: error %lu", Utf8(dll_).c_str(), GetLastError());
        moved_ = false;
    }

private:
    std::wstring dll_, away_;
    bool moved_ = false;
};

void PlantedDllIsIgnored(const std::wstring& exe) {
    const std::wstring plantDir = std::wstring(kTestDir) + L"\\plant";
    const std::wstring copy = plantDir + L"\\kopplungswacht.exe";
    const std::wstring planted = plantDir + L"\\rasapi32.dll";
    CreateDirectoryW(plantDir.c_str(), nullptr);
    ok(CopyFileW(exe.c_str(), copy.c_str(), FALSE) != 0, "could not copy the program to %s: error %lu",
       Utf8(copy).c_str(), GetLastError());
    ok(CopyFileW(BesideThisExe(L"planted\\rasapi32.dll").c_str(), planted.c_str(), FALSE) != 0,
       "could not plant rasapi32.dll: error %lu", GetLastError());
    SetConnections("2");
    const std::string two = std::string(kAktivPrefix) + "2";
    Product product;
    if (product.Start(copy)) {
        const std::string design = std::string(kAktivPrefix) + "0";
        double started = NowMs();
        WaitUntil([&] { return product.Text(IDC_AKTIV) != design; }, 5000);
        ok(product.Text(IDC_AKTIV) == two,
           "rasapi32.dll planted beside the exe (it reports 77): expected [%s] from the system directory, got [%s] "
           "after %.0f ms",
           two.c_str(), product.Text(IDC_AKTIV).c_str(), NowMs() - started);
    }
    product.Kill();
    DeleteFileW(planted.c_str());
    DeleteFileW(copy.c_str());
    RemoveDirectoryW(plantDir.c_str());
}

}  // namespace

void TestMissingDll(const Args& args) {
    ResetWorld();
    SetConnections("1");
    const std::string failed = std::string(kAktivPrefix) + "-1";
    const std::string one = std::string(kAktivPrefix) + "1";
    {
        DllAway away;
        if (!ok(away.moved(), "could not move %s away: error %lu", Utf8(away.path()).c_str(), GetLastError()))
            return;
        ok(GetFileAttributesW(away.path().c_str()) == INVALID_FILE_ATTRIBUTES, "%s is still there",
           Utf8(away.path()).c_str());
        Product product;
        if (product.Start(args[0])) {
            ok(WaitUntil([&] { return product.Text(IDC_AKTIV) == failed; }, 1500),
               "no rasapi32.dll: expected [%s], got [%s]", failed.c_str(), product.Text(IDC_AKTIV).c_str());
            SleepPumping(bounds::kQuietMs);
            ok(product.Alive(), "no rasapi32.dll: the program ended (exit code %lu)", ExitCodeOf(product.process()));
            ok(product.Text(IDC_AKTIV) == failed, "no rasapi32.dll, later tick: expected [%s], got [%s]",
               failed.c_str(), product.Text(IDC_AKTIV).c_str());
            ok(product.Text(IDC_STATUS) == kStatusEnded, "no rasapi32.dll: expected status [%s], got [%s]",
               kStatusEnded, product.Text(IDC_STATUS).c_str());
            RasCall call;
            ok(!LastRasCall(call), "no rasapi32.dll: the fake was called anyway (%ld calls)", call.calls);
        }
        product.Kill();
    }
    // The same prefix with the DLL back: the count comes through, so the -1 above was the missing DLL.
    Product control;
    if (control.Start(args[0]))
        ok(WaitUntil([&] { return control.Text(IDC_AKTIV) == one; }, 1500),
           "with rasapi32.dll: expected [%s], got [%s]", one.c_str(), control.Text(IDC_AKTIV).c_str());
    control.Kill();
    PlantedDllIsIgnored(args[0]);
    ResetWorld();
}

}  // namespace kwt
