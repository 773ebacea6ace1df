// The stored program list and start delay: read at start-up, and the delay written by Enter in Text1.
#include "areas.h"
#include "harness.h"
#include "platform/win32/control_ids.h"
#include "product.h"

namespace kwt {

namespace {

// Enter as the keyboard delivers it to the focused edit. The character message is left to the product's
// own TranslateMessage, as with a real key: posting WM_CHAR as well would type Enter twice.
void PressEnter(HWND edit) {
    PostMessageW(edit, WM_KEYDOWN, VK_RETURN, 0x001C0001);
    PostMessageW(edit, WM_KEYUP, VK_RETURN, 0xC01C0001);
}

struct EnterCase {
    const char* typed;
    const char* shown;  // the text Text1 holds afterwards, stored and named in the message
};

void EnterInText1(const Product& product, const EnterCase& c) {
    HWND edit = product.Control(IDC_TEXT1);
    std::wstring typed = Wide(c.typed);
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(typed.c_str()));
    PressEnter(edit);
    HWND box = WaitForMessageBox(product.pid(), "Schlafentimer geändert", 3000);
    if (!ok(box != nullptr, "Enter on [%s]: no message box titled [Schlafentimer geändert] within 3 s", c.typed))
        return;
    std::string expected = std::string("Der Schlafen-Timer wurde auf ") + c.shown + " Sekunden gesetzt";
    std::string text = MessageBoxText(box);
    ok(text == expected, "Enter on [%s]: expected message [%s], got [%s]", c.typed, expected.c_str(), text.c_str());
    ok(CloseMessageBox(box), "Enter on [%s]: the message box did not close on OK; windows: %s", c.typed,
       DescribeWindows(product.pid()).c_str());
    HWND second = WaitForMessageBox(product.pid(), "Schlafentimer geändert", 400);
    ok(second == nullptr, "Enter on [%s]: expected one message box, a second one appeared; windows: %s", c.typed,
       DescribeWindows(product.pid()).c_str());
    if (second)
        CloseMessageBox(second);
    ok(product.Text(IDC_TEXT1) == c.shown, "Enter on [%s]: expected Text1 [%s], got [%s]", c.typed, c.shown,
       product.Text(IDC_TEXT1).c_str());
    std::string stored = "<missing>";
    RegGet(std::wstring(kAppKey) + L"\\Schlafen", L"schlafen", stored);
    ok(stored == c.shown, "Enter on [%s]: expected stored delay [%s], got [%s]", c.typed, c.shown, stored.c_str());
}

void StoredSettingsAreRead(const std::wstring& exe) {
    ResetWorld();
    const std::string withUmlauts = "\"C:\\Programme\\Grüße\\Überprüfer.exe\" -größe ä";
    const std::string plain = "\"C:\\Programme\\Post\\post.exe\"";
    std::wstring files = std::wstring(kAppKey) + L"\\Files";
    ok(RegSet(files, L"datei0", ""), "could not store datei0");
    ok(RegSet(files, L"datei1", withUmlauts), "could not store datei1");
    ok(RegSet(files, L"datei2", plain), "could not store datei2");
    ok(RegSet(std::wstring(kAppKey) + L"\\Schlafen", L"schlafen", "7"), "could not store the delay");

    Product product;
    if (!product.Start(exe))
        return;
    std::vector<std::string> expected = {withUmlauts, plain};
    std::vector<std::string> entries = ListEntries(product);
    ok(entries == expected, "list from a store with a gap: expected %s, got %s", Joined(expected).c_str(),
       Joined(entries).c_str());
    ok(product.Text(IDC_TEXT1) == "7", "Text1 from the stored delay: expected [7], got [%s]",
       product.Text(IDC_TEXT1).c_str());
    ok(IsWindowEnabled(product.Control(IDC_COMMAND1)), "Command1 with 2 entries: expected enabled, got disabled");

    const EnterCase cases[] = {{"5", "5"}, {"abc", "2"}, {"", "1"}};
    for (const EnterCase& c : cases)
        EnterInText1(product, c);
    std::string slot0 = "<missing>";
    RegGet(files, L"datei0", slot0);
    ok(slot0.empty(), "the store's list must not change without a list command: expected datei0 [], got [%s]",
       slot0.c_str());
    product.Kill();
}

void EmptyStore(const std::wstring& exe) {
    ResetWorld();
    Product product;
    if (!product.Start(exe))
        return;
    ok(product.Text(IDC_TEXT1) == "2", "Text1 with an empty store: expected [2], got [%s]",
       product.Text(IDC_TEXT1).c_str());
    std::vector<std::string> entries = ListEntries(product);
    ok(entries.empty(), "list with an empty store: expected no entries, got %s", Joined(entries).c_str());
    SleepPumping(bounds::kQuietMs);
    std::string stored;
    bool written = RegGet(std::wstring(kAppKey) + L"\\Schlafen", L"schlafen", stored);
    ok(!written, "start-up must not write the delay: expected no value, got [%s]", stored.c_str());
    product.Kill();
}

// The system refuses a lasting key below a volatile one (error 1021), so with HKCU\Software\Kopplungswacht
// created volatile every write of the program fails, while its reads still work.
bool CreateVolatileKey(const std::wstring& subkey) {
    HKEY key;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, subkey.c_str(), 0, nullptr, REG_OPTION_VOLATILE, KEY_SET_VALUE, nullptr,
                        &key, nullptr) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

// One critical box titled "Kopplungswacht" that starts with `said` and goes on with the system's reason.
void ExpectRefusal(const Product& product, const char* step, const std::string& said) {
    HWND box = WaitForMessageBox(product.pid(), "Kopplungswacht", 3000);
    if (!ok(box != nullptr, "%s: no message box titled [Kopplungswacht] within 3 s; windows: %s", step,
            DescribeWindows(product.pid()).c_str()))
        return;
    const std::string text = MessageBoxText(box);
    ok(text.compare(0, said.size(), said) == 0 && text.size() > said.size(),
       "%s: expected [%s] and the system's reason, got [%s]", step, said.c_str(), text.c_str());
    CloseMessageBox(box);
    // Any further box: a confirmation, or a second refusal.
    HWND more = nullptr;
    WaitUntil(
        [&] {
            more = FindTopLevel(product.pid(), [](HWND h) { return ClassName(h) == "#32770" && IsWindowVisible(h); });
            return more != nullptr;
        },
        400, 20);
    ok(more == nullptr, "%s: expected one box, then another: [%s] [%s]", step, more ? WindowText(more).c_str() : "",
       more ? MessageBoxText(more).c_str() : "");
    if (more)
        CloseMessageBox(more);
}

// Neither the delay nor the list can be stored: a critical box says so and why, and nothing claims
// otherwise. The program reads its list first; then its key is replaced by a volatile one.
void RefusedWrite(const std::wstring& exe) {
    ResetWorld();
    const std::vector<std::string> list = {"\"C:\\a.exe\"", "\"C:\\b.exe\" -x"};
    StoreSettings(list, "2");
    Product product;
    if (!product.Start(exe) || !product.Restore())
        return;
    RegDeleteTree(kAppKey);
    ok(CreateVolatileKey(kAppKey), "could not create the volatile key: error %lu", GetLastError());

    HWND edit = product.Control(IDC_TEXT1);
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"3"));
    PressEnter(edit);
    ExpectRefusal(product, "refused delay",
                  "Die Startverzögerung von 3 Sekunden gilt bis zum Ende des Programms, konnte aber nicht "
                  "gespeichert werden.\r\n");
    std::string stored;
    ok(!RegGet(std::wstring(kAppKey) + L"\\Schlafen", L"schlafen", stored),
       "refused delay: expected no stored delay, got [%s]", stored.c_str());

    SendMessageW(product.Control(IDC_FILELIST), LB_SETCURSEL, 0, 0);
    PostMessageW(product.Control(IDC_COMMAND2), BM_CLICK, 0, 0);
    ExpectRefusal(product, "refused list",
                  "Die Programmliste konnte nicht gespeichert werden; sie gilt, wie sie angezeigt wird, bis zum Ende "
                  "des Programms.\r\n");
    const std::vector<std::string> shown = ListEntries(product);
    ok(shown == std::vector<std::string>{list[1]}, "refused list: expected the list %s on screen, got %s",
       Joined({list[1]}).c_str(), Joined(shown).c_str());
    product.Kill();
}

}  // namespace

void TestSettings(const Args& args) {
    StoredSettingsAreRead(args[0]);
    EmptyStore(args[0]);
    RefusedWrite(args[0]);
    ResetWorld();
}

}  // namespace kwt
