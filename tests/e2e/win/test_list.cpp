// Editing the program list from outside, as a user does it: the real open-file dialog and input box,
// the buttons, the Delete key, a real right click and double click, and real OLE drops from this
// process. After each step: the list on screen, the ten registry slots and the state of Command1.
#include <windows.h>

#include <ole2.h>
#include <shlobj.h>

#include "areas.h"
#include "harness.h"
#include "platform/win32/control_ids.h"
#include "product.h"

namespace kwt {

namespace {

const char* const kUnchanged = "unverändert";  // put into datei9 where nothing may be saved
const std::wstring kFilesKey = std::wstring(kAppKey) + L"\\Files";
const std::wstring kDir = KWT_WIDE(KWT_DIR "\\liste");

std::string Quoted(const std::wstring& path) {
    std::string quoted(1, '"');
    quoted.append(Utf8(path)).push_back('"');  // not "\"" + ..., which gcc 12 warns about wrongly
    return quoted;
}

void MarkSlot9() {
    ok(RegSet(kFilesKey, L"datei9", kUnchanged), "could not mark datei9");
}

// `saved`: the slots hold the list; otherwise datei9 still holds the mark.
void ExpectList(const Product& product, const char* step, const std::vector<std::string>& expected, bool saved = true) {
    std::vector<std::string> shown;
    WaitUntil([&] { return (shown = ListEntries(product)) == expected; }, 3000);
    ok(shown == expected, "%s: expected list %s, got %s", step, Joined(expected).c_str(), Joined(shown).c_str());
    std::vector<std::string> slots(10, "<missing>"), want = expected;
    want.resize(10);
    if (!saved)
        want[9] = kUnchanged;
    for (int i = 0; i < 10; ++i)
        RegGet(kFilesKey, (L"datei" + std::to_wstring(i)).c_str(), slots[i]);
    ok(slots == want, "%s: expected slots %s, got %s", step, Joined(want).c_str(), Joined(slots).c_str());
    const bool enabled = IsWindowEnabled(product.Control(IDC_COMMAND1)) != 0;
    ok(enabled == (expected.size() < 10), "%s: expected Command1 %s, got %s", step,
       expected.size() < 10 ? "enabled" : "disabled", enabled ? "enabled" : "disabled");
}

void ExpectBox(const Product& product, const char* step, const char* title, const std::string& text) {
    HWND box = WaitForMessageBox(product.pid(), title, 3000);
    if (!ok(box != nullptr, "%s: no message box [%s]; windows: %s", step, title,
            DescribeWindows(product.pid()).c_str()))
        return;
    ok(MessageBoxText(box) == text, "%s: expected [%s], got [%s]", step, text.c_str(), MessageBoxText(box).c_str());
    ok(CloseMessageBox(box), "%s: the box did not close", step);
}

void ExpectNoBox(const Product& product, const char* step) {
    HWND box = WaitForMessageBox(product.pid(), "Kopplungswacht", 300);
    ok(box == nullptr, "%s: expected no message box, got [%s]", step, box ? MessageBoxText(box).c_str() : "");
    if (box)
        CloseMessageBox(box);
}

POINT ItemCenter(const Product& product, int index) {
    HWND list = product.Control(IDC_FILELIST);
    const LRESULT height = SendMessageW(list, LB_GETITEMHEIGHT, 0, 0);
    const LRESULT top = SendMessageW(list, LB_GETTOPINDEX, 0, 0);
    POINT p{20, static_cast<LONG>((index - top) * height + height / 2)};
    ClientToScreen(list, &p);
    return p;
}

void Click(const Product& product, int index, DWORD down, DWORD up, int times) {
    const POINT p = ItemCenter(product, index);
    SetCursorPos(p.x, p.y);
    // The clicks go where the pointer is.
    ok(WaitUntil(
           [&] {
               POINT at{};
               return GetCursorPos(&at) && at.x == p.x && at.y == p.y;
           },
           2000),
       "the pointer did not reach entry %d at %ld,%ld", index, p.x, p.y);
    std::vector<INPUT> inputs(2 * times);
    for (int i = 0; i < 2 * times; ++i) {
        inputs[i].type = INPUT_MOUSE;
        inputs[i].mi.dwFlags = i % 2 ? up : down;
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void Select(const Product& product, int index) {
    SendMessageW(product.Control(IDC_FILELIST), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

HWND OpenByButton(const Product& product, int button, const char* title) {
    PostMessageW(product.Control(button), BM_CLICK, 0, 0);
    HWND dialog = WaitForMessageBox(product.pid(), title, bounds::kBoxOpenMs);
    ok(dialog != nullptr, "no dialog [%s]; windows: %s", title, DescribeWindows(product.pid()).c_str());
    if (dialog)
        ok(GetWindow(dialog, GW_OWNER) == product.window(), "[%s]: expected owned by the main window", title);
    return dialog;
}

bool Closed(HWND dialog) {
    return WaitUntil([&] { return !IsWindow(dialog); }, 3000);
}

void Key(HWND window, WPARAM key) {
    PostMessageW(window, WM_KEYDOWN, key, 1);
    PostMessageW(window, WM_KEYUP, key, 0xC0000001);
}

// ---- an OLE drag from this process: its data, and a source that drops once the pointer is there ----

// The reference counting that both objects of the drag share; each deletes itself at the last release.
template <typename Interface>
class ComObject : public Interface {
public:
    virtual ~ComObject() = default;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        *object = IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, __uuidof(Interface)) ? this : nullptr;
        return *object ? (AddRef(), S_OK) : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&refs_); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&refs_);
        if (left == 0)
            delete this;
        return left;
    }

private:
    LONG refs_ = 1;
};

class DataObject final : public ComObject<IDataObject> {
public:
    DataObject(CLIPFORMAT format, std::vector<BYTE> bytes) : format_(format), bytes_(std::move(bytes)) {}
    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
        if (QueryGetData(format) != S_OK)
            return DV_E_FORMATETC;
        HGLOBAL global = GlobalAlloc(GMEM_MOVEABLE, bytes_.size());
        memcpy(GlobalLock(global), bytes_.data(), bytes_.size());
        GlobalUnlock(global);
        *medium = STGMEDIUM{};
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = global;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
        return format->cfFormat == format_ && (format->tymed & TYMED_HGLOBAL) ? S_OK : DV_E_FORMATETC;
    }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
        out->ptd = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) override {
        FORMATETC format{format_, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
        return direction == DATADIR_GET ? SHCreateStdEnumFmtEtc(1, &format, formats) : E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

private:
    CLIPFORMAT format_;
    std::vector<BYTE> bytes_;
};

class DropSource final : public ComObject<IDropSource> {
public:
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD) override {
        InterlockedIncrement(&asked);
        return escape ? DRAGDROP_S_CANCEL : (InterlockedCompareExchange(&there, 0, 0) ? DRAGDROP_S_DROP : S_OK);
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override {
        InterlockedIncrement(&answered);
        return DRAGDROP_S_USEDEFAULTCURSORS;
    }

    POINT from{}, to{};
    LONG asked = 0;     // the drag loop's rounds so far
    LONG answered = 0;  // the targets' answers so far, one after each DragEnter and DragOver
    LONG there = 0;     // the target has answered with the pointer over it
};

// Waits, in the mover's thread, until `count` has gone past `seen`: the drag loop has run since.
bool Passed(LONG* count, LONG seen) {
    for (int i = 0; i < 200; ++i) {
        if (InterlockedCompareExchange(count, 0, 0) > seen)
            return true;
        Sleep(10);
    }
    return false;
}

// Moves the pointer in steps from the source to the list, each step once the drag loop has seen the one
// before, and says drop once the list has answered at its end point.
DWORD WINAPI MovePointer(void* parameter) {
    auto* source = static_cast<DropSource*>(parameter);
    Passed(&source->asked, 0);
    LONG answered = 0;
    for (int step = 0; step <= 10; ++step) {
        const LONG asked = InterlockedCompareExchange(&source->asked, 0, 0);
        answered = InterlockedCompareExchange(&source->answered, 0, 0);
        SetCursorPos(source->from.x + (source->to.x - source->from.x) * step / 10,
                     source->from.y + (source->to.y - source->from.y) * step / 10);
        Passed(&source->asked, asked + 1);
    }
    Passed(&source->answered, answered);
    InterlockedExchange(&source->there, 1);
    return 0;
}

void Drag(const Product& product, CLIPFORMAT format, std::vector<BYTE> bytes) {
    RECT list{}, window{};
    GetWindowRect(product.Control(IDC_FILELIST), &list);
    GetWindowRect(product.window(), &window);
    auto* source = new DropSource;
    source->from = {window.right + 40, window.top + 40};
    source->to = {(list.left + list.right) / 2, (list.top + list.bottom) / 2};
    SetCursorPos(source->from.x, source->from.y);
    auto* data = new DataObject(format, std::move(bytes));
    source->AddRef();
    HANDLE mover = CreateThread(nullptr, 0, MovePointer, source, 0, nullptr);
    DWORD effect = DROPEFFECT_NONE;
    const HRESULT result = DoDragDrop(data, source, DROPEFFECT_COPY | DROPEFFECT_LINK, &effect);
    ok(result == DRAGDROP_S_DROP, "drag: expected DRAGDROP_S_DROP, got 0x%lx", result);
    WaitForSingleObject(mover, 5000);
    CloseHandle(mover);
    data->Release();
    source->Release();
    source->Release();
}

void DropFiles(const Product& product, const std::vector<std::wstring>& paths) {
    std::wstring names;
    for (const std::wstring& path : paths)
        names += path + L'\0';
    names += L'\0';
    std::vector<BYTE> bytes(sizeof(DROPFILES) + names.size() * sizeof(wchar_t));
    auto* header = reinterpret_cast<DROPFILES*>(bytes.data());
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    memcpy(bytes.data() + sizeof(DROPFILES), names.data(), names.size() * sizeof(wchar_t));
    Drag(product, CF_HDROP, std::move(bytes));
}

void MakeFile(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ok(file != INVALID_HANDLE_VALUE, "could not create %s", Utf8(path).c_str());
    CloseHandle(file);
}

// ---- the scenario ----

// The file name field of the open-file dialog: edt1, or the newer dialog's combo box cmb13.
HWND FileNameField(HWND dialog) {
    HWND field = GetDlgItem(dialog, 1152);
    return field ? field : GetDlgItem(dialog, 1148);
}

void AddAndCancel(const Product& product, std::vector<std::string>& list, const std::wstring& file) {
    HWND dialog = OpenByButton(product, IDC_COMMAND1, "File wählen");
    if (!dialog)
        return;
    SendMessageW(FileNameField(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(file.c_str()));
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    ok(Closed(dialog), "add: the dialog did not close on OK");
    ExpectNoBox(product, "add");
    list.push_back(Quoted(file));
    ExpectList(product, "add through the dialog", list);

    MarkSlot9();
    if (!(dialog = OpenByButton(product, IDC_COMMAND1, "File wählen")))
        return;
    const std::string shown = WindowText(FileNameField(dialog)), base = Utf8(file.substr(file.rfind(L'\\') + 1));
    ok(shown.find(base) != std::string::npos, "the dialog's second use: expected the last file [%s], got [%s]",
       base.c_str(), shown.c_str());
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    ok(Closed(dialog), "cancel: the dialog did not close");
    ExpectNoBox(product, "cancel");
    ExpectList(product, "cancelled dialog (saved all the same)", list);
}

void Remove(const Product& product, std::vector<std::string>& list) {
    Select(product, 0);
    SendMessageW(product.Control(IDC_COMMAND2), BM_CLICK, 0, 0);
    list.erase(list.begin());
    ExpectList(product, "remove by button", list);

    MarkSlot9();
    Select(product, -1);
    PostMessageW(product.Control(IDC_COMMAND2), BM_CLICK, 0, 0);
    ExpectBox(product, "remove without a selection", "Keine Datei gewählt",
              "Bitte wählen Sie zuerst eine Datei aus,\r\noder fügen eine Datei hinzu.");
    Key(product.Control(IDC_FILELIST), VK_DELETE);
    ExpectNoBox(product, "Delete without a selection");
    ExpectList(product, "nothing selected", list, false);

    Select(product, 0);
    Key(product.Control(IDC_FILELIST), VK_DELETE);
    list.erase(list.begin());
    ExpectList(product, "remove by Delete", list);

    Select(product, 0);  // the right click removes the entry under the pointer, not this one
    Click(product, 1, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP, 1);
    list.erase(list.begin() + 1);
    ExpectList(product, "remove by right click", list);

    // Below the last entry a right click removes what the list's own left click selects there, if anything.
    MarkSlot9();
    HWND listBox = product.Control(IDC_FILELIST);
    const int below = static_cast<int>(list.size());
    Select(product, -1);
    Click(product, below, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, 1);
    WaitUntil([&] { return SendMessageW(listBox, LB_GETCURSEL, 0, 0) != LB_ERR; }, 500);
    const LRESULT chosen = SendMessageW(listBox, LB_GETCURSEL, 0, 0);
    trace("a left click below the last entry selects %ld", static_cast<long>(chosen));
    Select(product, -1);
    Click(product, below, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP, 1);
    if (chosen != LB_ERR)
        list.erase(list.begin() + chosen);
    ExpectNoBox(product, "right click below the last entry");
    ExpectList(product, "right click below the last entry", list, chosen != LB_ERR);
}

void Edit(const Product& product, std::vector<std::string>& list) {
    MarkSlot9();
    Select(product, 0);
    HWND box = OpenByButton(product, IDC_COMMAND3, "Eintrag bearbeiten");
    if (!box)
        return;
    HWND edit = GetDlgItem(box, IDC_INPUT_TEXT);
    const std::string prompt = WindowText(GetDlgItem(box, IDC_INPUT_PROMPT));
    ok(prompt == "Hier kann der Eintrag bearbeitet werden,\r\num z.B. Parameter hinzuzufügen.", "prompt: got [%s]",
       prompt.c_str());
    ok(WindowText(edit) == list[0], "edit field: expected [%s], got [%s]", list[0].c_str(), WindowText(edit).c_str());
    const LRESULT selection = SendMessageW(edit, EM_GETSEL, 0, 0);
    ok(LOWORD(selection) == 0 && HIWORD(selection) == list[0].size(), "edit field: expected all selected, got %u..%u",
       LOWORD(selection), HIWORD(selection));
    GUITHREADINFO gui{};
    gui.cbSize = sizeof(gui);
    GetGUIThreadInfo(GetWindowThreadProcessId(box, nullptr), &gui);
    ok(gui.hwndFocus == edit, "edit field: expected the focus, got %p", static_cast<void*>(gui.hwndFocus));
    Key(edit, VK_ESCAPE);
    ok(Closed(box), "Escape did not close the input box");
    ExpectList(product, "edit cancelled", list, false);

    Click(product, 0, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, 2);
    box = WaitForMessageBox(product.pid(), "Eintrag bearbeiten", 3000);
    if (!ok(box != nullptr, "a double click on an entry opened no input box"))
        return;
    SendMessageW(GetDlgItem(box, IDC_INPUT_TEXT), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
    Key(GetDlgItem(box, IDC_INPUT_TEXT), VK_RETURN);
    ok(Closed(box), "Enter did not close the input box");
    ExpectList(product, "edit emptied", list, false);

    Select(product, 0);
    box = OpenByButton(product, IDC_COMMAND3, "Eintrag bearbeiten");
    if (!box)
        return;
    list[0] += " /x -größe";
    SendMessageW(GetDlgItem(box, IDC_INPUT_TEXT), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Wide(list[0]).c_str()));
    Key(GetDlgItem(box, IDC_INPUT_TEXT), VK_RETURN);
    ok(Closed(box), "Enter did not close the input box");
    ExpectList(product, "edit confirmed", list);
}

// A shortcut as the shell saves one, to `target` with `arguments`.
bool MakeShortcut(const std::wstring& path, const std::wstring& target, const std::wstring& arguments) {
    IShellLinkW* link = nullptr;
    IPersistFile* file = nullptr;
    bool saved = SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                            reinterpret_cast<void**>(&link))) &&
                 SUCCEEDED(link->SetPath(target.c_str())) && SUCCEEDED(link->SetArguments(arguments.c_str())) &&
                 SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
                 SUCCEEDED(file->Save(path.c_str(), TRUE));
    if (file)
        file->Release();
    if (link)
        link->Release();
    return ok(saved, "could not save the shortcut %s", Utf8(path).c_str());
}

void Drops(const Product& product, std::vector<std::string>& list) {
    const std::vector<std::wstring> two = {kDir + L"\\eins.exe", kDir};
    DropFiles(product, two);
    list.push_back(Quoted(two[0]));
    list.push_back(Quoted(two[1]));
    ExpectNoBox(product, "drop of two");
    ExpectList(product, "drop of a file and a folder", list);

    // A shortcut to a program is its program with the shortcut's arguments; one to a document stays itself.
    const std::wstring toProgram = kDir + L"\\Zum Programm.lnk";
    const std::wstring toDocument = kDir + L"\\Zur Notiz.lnk";
    if (MakeShortcut(toProgram, ChildExe(), L"/minimiert \"a b\"") &&
        MakeShortcut(toDocument, kDir + L"\\notiz.txt", L"")) {
        DropFiles(product, {toProgram, toDocument});
        list.push_back(Quoted(ChildExe()) + " /minimiert \"a b\"");
        list.push_back(Quoted(toDocument));
        ExpectNoBox(product, "drop of two shortcuts");
        ExpectList(product, "drop of a shortcut to a program and one to a document", list);
    }

    MarkSlot9();
    const wchar_t text[] = L"nur Text";
    Drag(product, CF_UNICODETEXT,
         std::vector<BYTE>(reinterpret_cast<const BYTE*>(text), reinterpret_cast<const BYTE*>(text) + sizeof(text)));
    ExpectBox(product, "drop of text", "Fehler bei Drag & Drop", "Keine gültige Datei gedroppt!");
    ExpectList(product, "drop of text", list, false);

    std::vector<std::wstring> many(11 - list.size(), kDir + L"\\eins.exe");
    DropFiles(product, many);
    ExpectBox(product, "drop past ten", "Maximal 10 Dateie gestattet",
              "Sorry, es sind maximal 10 Programme zugelassen.");
    ExpectList(product, "drop past ten", list);

    many.pop_back();
    DropFiles(product, many);
    list.resize(10, Quoted(many[0]));
    ExpectList(product, "drop up to ten", list);
}

}  // namespace

void TestList(const Args& args) {
    ResetWorld();
    CreateDirectoryW(kDir.c_str(), nullptr);
    const std::wstring chosen = kDir + L"\\Grüße – ωmega.exe";
    MakeFile(chosen);
    MakeFile(kDir + L"\\eins.exe");
    MakeFile(kDir + L"\\notiz.txt");
    std::vector<std::string> list = {"\"C:\\a.exe\"", "\"C:\\b.exe\" -x", "\"C:\\c.exe\""};
    StoreSettings(list, "2");
    ok(OleInitialize(nullptr) == S_OK, "OleInitialize failed");
    {
        Product product;
        if (product.Start(args[0]) && product.Restore()) {
            ExpectList(product, "start", list);
            AddAndCancel(product, list, chosen);
            Remove(product, list);
            Edit(product, list);
            Drops(product, list);
            PostMessageW(product.window(), WM_CLOSE, 0, 0);
            ok(WaitForSingleObject(product.process(), 5000) == WAIT_OBJECT_0, "the program did not end on Close");
        }
    }
    Product again;
    if (again.Start(args[0]) && again.Restore())
        ExpectList(again, "after a restart", list);
    again.Kill();
    OleUninitialize();
    ResetWorld();
}

}  // namespace kwt
