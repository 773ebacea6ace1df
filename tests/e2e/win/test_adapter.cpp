// Network adapters that count as connections, with real network interfaces: the script runs this area in
// a network namespace of its own, where the host makes tun devices as a VPN program does and takes them
// up, down and away on request. The adapter is chosen as a user would, by keyboard, from the window's
// system menu.
#include "areas.h"
#include "harness.h"
#include "platform/win32/control_ids.h"
#include "product.h"

namespace kwt {

namespace {

const std::wstring kAdapterKey = std::wstring(kAppKey) + L"\\Adapter";

std::vector<std::string> AdapterSlots() {
    std::vector<std::string> slots;
    for (int i = 0; i < 10; ++i) {
        std::string value = "<missing>";
        RegGet(kAdapterKey, (L"adapter" + std::to_wstring(i)).c_str(), value);
        slots.push_back(value);
    }
    return slots;
}

void StoreAdapters(const std::vector<std::string>& names) {
    for (std::size_t i = 0; i < names.size(); ++i)
        ok(RegSet(kAdapterKey, (L"adapter" + std::to_wstring(i)).c_str(), names[i]), "could not store adapter%zu", i);
}

bool ShowsCount(const Product& product, int n, DWORD timeoutMs) {
    const std::string expected = std::string(kAktivPrefix) + std::to_string(n);
    return ok(WaitUntil([&] { return product.Text(IDC_AKTIV) == expected; }, timeoutMs, 5),
              "aktiv: expected [%s] within %lu ms, got [%s]", expected.c_str(), timeoutMs,
              product.Text(IDC_AKTIV).c_str());
}

HWND AdapterList(HWND dialog) {
    return GetDlgItem(dialog, IDC_ADAPTER_LIST);
}

void CheckRows(HWND dialog, const std::vector<ListViewRow>& expected, const char* step) {
    const std::vector<ListViewRow> rows = ListViewRows(AdapterList(dialog), 3);
    bool same = rows.size() == expected.size();
    for (std::size_t i = 0; same && i < rows.size(); ++i)
        same = rows[i].cells == expected[i].cells && rows[i].checked == expected[i].checked;
    ok(same, "%s: expected rows %s, got %s", step, Joined(expected).c_str(), Joined(rows).c_str());
}

// Alt+Space opens the system menu; Up wraps to its last item, ours (under Wine after its "About Wine").
HWND OpenByKeyboard(const Product& product) {
    if (!ok(BringToFront(product.window()), "the window did not come to the foreground"))
        return nullptr;
    PressKeys({VK_SPACE}, true);
    const bool menuShown = WaitUntil([&] { return OpenMenu(product.pid()) != nullptr; }, bounds::kBoxOpenMs);
    if (!ok(menuShown, "Alt+Space: no system menu; windows: %s", DescribeWindows(product.pid()).c_str()))
        return nullptr;
    PressKeys({VK_UP, VK_RETURN});
    HWND dialog = WaitForMessageBox(product.pid(), "Netzwerkadapter", bounds::kBoxOpenMs);
    ok(dialog != nullptr, "no dialog [Netzwerkadapter]; windows: %s", DescribeWindows(product.pid()).c_str());
    if (dialog)
        ok(GetWindow(dialog, GW_OWNER) == product.window(), "[Netzwerkadapter]: expected owned by the main window");
    return dialog;
}

bool Closed(HWND dialog) {
    return WaitUntil([&] { return !IsWindow(dialog); }, 3000);
}

// Proof that nothing starts: a quiet spell, and no record from the child; the count shows 0.
void NothingStarts(const Product& product, const wchar_t* outName, const char* why) {
    SleepPumping(bounds::kQuietMs);
    ChildRecord record;
    ok(!ReadChild(OutFile(outName), record), "a program started %s", why);
    ok(product.Text(IDC_AKTIV) == std::string(kAktivPrefix) + "0", "aktiv %s: expected 0, got [%s]", why,
       product.Text(IDC_AKTIV).c_str());
}

// No program, no dial-up connection: the chosen tun device alone starts and ends the programs.
void ChosenByKeyboard(const std::wstring& exe) {
    if (!Host("tun kwtun1"))
        return;
    const std::string entry = ChildEntry(L"a.txt");
    StoreSettings({entry}, "1");
    Product product;
    if (!product.Start(exe) || !ok(product.Restore(), "the window did not come back"))
        return;
    ShowsCount(product, 0, bounds::kNoticeMs);

    HWND dialog = OpenByKeyboard(product);
    if (!dialog)
        return;
    CheckRows(dialog, {{{"kwtun1", "kwtun1", "verbunden"}, false}}, "nothing chosen yet");
    GUITHREADINFO gui{};
    gui.cbSize = sizeof(gui);
    GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &gui);
    ok(gui.hwndFocus == AdapterList(dialog), "the list should have the focus, %p has it",
       static_cast<void*>(gui.hwndFocus));
    PressKeys({VK_SPACE});
    ok(WaitUntil([&] { return ListViewRows(AdapterList(dialog), 1).at(0).checked; }, 2000),
       "Space did not check the selected row");
    PressKeys({VK_RETURN});
    ok(Closed(dialog), "Enter did not close the dialog");
    // The slots are written once the dialog has closed.
    const std::vector<std::string> expected{"kwtun1", "", "", "", "", "", "", "", "", ""};
    std::vector<std::string> stored;
    ok(WaitUntil([&] { return (stored = AdapterSlots()) == expected; }, bounds::kBoxOpenMs),
       "adapter slots: expected [kwtun1] and nine empty, got %s", Joined(stored).c_str());

    // The device is up: counted from the next tick, and after the countdown the program starts.
    ShowsCount(product, 1, bounds::kNoticeMs);
    Launched child;
    if (!AwaitLaunched(L"a.txt", entry, child))
        return;
    ok(WaitUntil([&] { return product.Text(IDC_STATUS) == kStatusStarted; }, 2000), "status: expected [%s], got [%s]",
       kStatusStarted, product.Text(IDC_STATUS).c_str());
    SetConnections("1");
    ShowsCount(product, 2, bounds::kNoticeMs);
    SetConnections("0");
    ShowsCount(product, 1, bounds::kNoticeMs);
    ok(StillRunning(child.process), "the program ended while the adapter was still up");

    // The device goes down: within a tick and the ending, the program ends with exit code 1.
    if (!Host("down kwtun1"))
        return;
    const double down = NowMs();
    ok(WaitUntil([&] { return !StillRunning(child.process); }, static_cast<DWORD>(bounds::kDropToExitMs), 2),
       "the program still runs %.0f ms after the adapter went down", bounds::kDropToExitMs);
    trace("the program ended %.0f ms after the adapter went down", NowMs() - down);
    ok(ExitCodeOf(child.process) == 1, "expected exit code 1, got %lu", ExitCodeOf(child.process));
    ShowsCount(product, 0, bounds::kNoticeMs);
    ok(WaitUntil([&] { return product.Text(IDC_STATUS) == kStatusEnded; }, 1000), "status: expected [%s], got [%s]",
       kStatusEnded, product.Text(IDC_STATUS).c_str());

    // Removed, the device stays ended.
    DeleteFileW(OutFile(L"a.txt").c_str());
    if (!Host("remove kwtun1"))
        return;
    NothingStarts(product, L"a.txt", "after the device was removed");
    EndAndClose(child.process, 9);
}

// A chosen device that is down from the start starts nothing; the dialog shows it beside an unchosen one
// that is up and a chosen name that the system does not have, and Escape changes nothing.
void DownFromTheStart(const std::wstring& exe, const std::wstring& screenshot) {
    if (!Host("tun kwtun2") || !Host("down kwtun2") || !Host("tun wg-buero"))
        return;
    const std::string entry = ChildEntry(L"b.txt");
    StoreSettings({entry}, "1");
    StoreAdapters({"KWTUN2", "", "wg-fehlt"});
    HKEY key;
    const DWORD seven = 7;
    ok(RegCreateKeyExW(HKEY_CURRENT_USER, kAdapterKey.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) ==
               ERROR_SUCCESS &&
           RegSetValueExW(key, L"adapter3", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&seven), sizeof(seven)) ==
               ERROR_SUCCESS,
       "could not store a number in adapter3");
    RegCloseKey(key);

    Product product;
    if (!product.Start(exe))
        return;
    NothingStarts(product, L"b.txt", "although the chosen device is down");
    ok(product.Text(IDC_STATUS) == kStatusEnded, "status: got [%s]", product.Text(IDC_STATUS).c_str());

    if (!ok(product.Restore(), "the window did not come back"))
        return;
    PostMessageW(product.window(), WM_SYSCOMMAND, IDM_ADAPTER, 0);
    HWND dialog = WaitForMessageBox(product.pid(), "Netzwerkadapter", bounds::kBoxOpenMs);
    if (!ok(dialog != nullptr, "no dialog [Netzwerkadapter]"))
        return;
    // The system keeps the row of the device removed before, in its order; the absent name comes last.
    CheckRows(dialog,
              {{{"kwtun1", "kwtun1", "getrennt"}, false},
               {{"kwtun2", "kwtun2", "getrennt"}, true},
               {{"wg-buero", "wg-buero", "verbunden"}, false},
               {{"wg-fehlt", "", "nicht vorhanden"}, true}},
              "a device down, one up, a name absent");
    if (!screenshot.empty())
        Host("shot " + Utf8(screenshot));
    BringToFront(dialog);
    PressKeys({VK_SPACE, VK_ESCAPE});
    ok(Closed(dialog), "Escape did not close the dialog");
    const std::vector<std::string> stored = AdapterSlots();
    ok(stored == std::vector<std::string>({"KWTUN2", "", "wg-fehlt", "<missing>", "<missing>", "<missing>", "<missing>",
                                           "<missing>", "<missing>", "<missing>"}),
       "Escape changed the slots: %s", Joined(stored).c_str());

    // Up at last: the name as stored matches the device without regard to case.
    if (!Host("up kwtun2"))
        return;
    ShowsCount(product, 1, bounds::kNoticeMs);
    Launched child;
    if (AwaitLaunched(L"b.txt", entry, child))
        EndAndClose(child.process, 9);
}

// iphlpapi.dll comes from the system directory only, also where the session loads a native DLL of that
// name first (the script sets iphlpapi=n,b): one planted beside the program is never loaded.
void PlantedIphlpapiIsIgnored(const std::wstring& exe) {
    const std::wstring plantedDll = BesideThisExe(L"planted\\iphlpapi.dll");
    const std::wstring dir = std::wstring(kTestDir) + L"\\plant-ip";
    const std::wstring copy = dir + L"\\kopplungswacht.exe";
    const std::wstring planted = dir + L"\\iphlpapi.dll";
    const std::wstring marker = KWT_WIDE(KWT_PLANTED_IPHLPAPI);
    CreateDirectoryW(dir.c_str(), nullptr);
    ok(CopyFileW(exe.c_str(), copy.c_str(), FALSE) && CopyFileW(plantedDll.c_str(), planted.c_str(), FALSE),
       "could not copy the program and the planted DLL to %s: error %lu", Utf8(dir).c_str(), GetLastError());
    // The marker works: loaded on purpose, the planted DLL leaves it.
    HMODULE module = LoadLibraryW(planted.c_str());
    ok(module != nullptr && GetFileAttributesW(marker.c_str()) != INVALID_FILE_ATTRIBUTES,
       "the planted DLL left no marker when loaded on purpose");
    if (module)
        FreeLibrary(module);
    DeleteFileW(marker.c_str());

    if (!Host("tun kwtun3"))
        return;
    StoreAdapters({"kwtun3"});
    Product product;
    if (!product.Start(copy))
        return;
    ShowsCount(product, 1, bounds::kProcessStartMs);
    ok(GetFileAttributesW(marker.c_str()) == INVALID_FILE_ATTRIBUTES,
       "the program loaded the iphlpapi.dll planted beside it");
}

}  // namespace

// Args: the product's exe, and where the host saves the dialog's picture (a path of the host's).
void TestAdapter(const Args& args) {
    ResetWorld();
    ChosenByKeyboard(args[0]);
    ResetWorld();
    DownFromTheStart(args[0], args.size() > 1 ? args[1] : L"");
    ResetWorld();
    PlantedIphlpapiIsIgnored(args[0]);
    ResetWorld();
}

}  // namespace kwt
