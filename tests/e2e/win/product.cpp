#include "product.h"

#include <commctrl.h>
#include <shellapi.h>

#include <cstdlib>

#include "harness.h"
#include "platform/win32/control_ids.h"

namespace kwt {

namespace {

LRESULT SendTimeout(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, bool* okOut = nullptr) {
    DWORD_PTR result = 0;
    LRESULT sent = SendMessageTimeoutW(hwnd, msg, wp, lp, SMTO_NORMAL, 3000, &result);
    if (okOut)
        *okOut = sent != 0;
    return static_cast<LRESULT>(result);
}

}  // namespace

bool Product::Start(const std::wstring& exe, DWORD timeoutMs) {
    Kill();
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    std::wstring cmd = L"\"" + exe + L"\"";
    if (!CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi_)) {
        ok(false, "could not start %s: error %lu", Utf8(exe).c_str(), GetLastError());
        return false;
    }
    CloseHandle(pi_.hThread);
    process_ = pi_.hProcess;
    pid_ = pi_.dwProcessId;
    DWORD pid = pid_;
    bool found = WaitUntil(
        [&] {
            window_ = FindTopLevel(pid, [](HWND h) { return GetDlgItem(h, IDC_FILELIST) != nullptr; });
            // The controls appear one by one in tab order; the window counts once all of them are there.
            if (window_)
                for (int id = IDC_LABEL1; id <= IDC_STATUS; ++id)
                    if (!GetDlgItem(window_, id))
                        window_ = nullptr;
            return window_ != nullptr || !Alive();
        },
        timeoutMs, 20);
    ok(found && window_, "the main window of pid %lu did not appear within %lu ms (process %s)", pid_, timeoutMs,
       Alive() ? "running" : "gone");
    return window_ != nullptr;
}

void Product::Kill() {
    if (process_) {
        TerminateProcess(process_, 0);
        WaitForSingleObject(process_, 5000);
        CloseHandle(process_);
    }
    process_ = nullptr;
    pid_ = 0;
    window_ = nullptr;
}

bool Product::Alive() const {
    return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

bool Product::Restore() const {
    PostMessageW(window_, WM_MOUSEMOVE, 1, WM_LBUTTONDOWN);
    return ok(WaitUntil([&] { return IsWindowVisible(window_) && !IsIconic(window_); }, 3000),
              "restore from the tray: expected the window shown in normal state, got visible %d iconic %d",
              IsWindowVisible(window_), IsIconic(window_));
}

bool ShellHoldsIcon(HWND window, UINT id) {
    NOTIFYICONDATAW probe{};
    probe.cbSize = sizeof(probe);
    probe.hWnd = window;
    probe.uID = id;
    return Shell_NotifyIconW(NIM_MODIFY, &probe) != FALSE;
}

HWND Product::Control(int id) const {
    return window_ ? GetDlgItem(window_, id) : nullptr;
}

std::string Product::Text(int id) const {
    HWND control = Control(id);
    return control ? WindowText(control) : std::string("<no control>");
}

std::string WindowText(HWND hwnd) {
    wchar_t buf[1024];
    bool sent = false;
    LRESULT n = SendTimeout(hwnd, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buf), &sent);
    if (!sent)
        return "<no answer>";
    return Utf8(std::wstring(buf, static_cast<size_t>(n)));
}

namespace {

struct TopLevelSearch {
    bool anyProcess;
    DWORD pid;
    const std::function<bool(HWND)>* match;
    HWND found;
};

BOOL CALLBACK MatchTopLevel(HWND h, LPARAM lp) {
    auto* s = reinterpret_cast<TopLevelSearch*>(lp);
    DWORD owner = 0;
    GetWindowThreadProcessId(h, &owner);
    if ((s->anyProcess || owner == s->pid) && (*s->match)(h)) {
        s->found = h;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND FindTopLevel(DWORD pid, const std::function<bool(HWND)>& match) {
    TopLevelSearch search{false, pid, &match, nullptr};
    EnumWindows(MatchTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindTopLevel(const std::function<bool(HWND)>& match) {
    TopLevelSearch search{true, 0, &match, nullptr};
    EnumWindows(MatchTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string ClassName(HWND hwnd) {
    wchar_t name[64] = L"";
    GetClassNameW(hwnd, name, 64);
    return Utf8(name);
}

bool IsOpenMenu(HWND hwnd) {
    return ClassName(hwnd) == "#32768" && IsWindowVisible(hwnd);
}

HWND OpenMenu(DWORD pid) {
    return FindTopLevel(pid, IsOpenMenu);
}

std::string DescribeWindows(DWORD pid) {
    std::string out;
    FindTopLevel(pid, [&](HWND h) {
        out += '{';
        out += ClassName(h);
        out += " [";
        out += WindowText(h);
        out += "] visible ";
        out += IsWindowVisible(h) ? '1' : '0';
        out += " enabled ";
        out += IsWindowEnabled(h) ? '1' : '0';
        out += '}';
        return false;
    });
    return out.empty() ? "<none>" : out;
}

HWND WaitForMessageBox(DWORD pid, const std::string& title, DWORD timeoutMs) {
    HWND box = nullptr;
    WaitUntil(
        [&] {
            box = FindTopLevel(
                pid, [&](HWND h) { return ClassName(h) == "#32770" && IsWindowVisible(h) && WindowText(h) == title; });
            return box != nullptr;
        },
        timeoutMs, 20);
    return box;
}

std::string MessageBoxText(HWND box) {
    HWND text = GetDlgItem(box, 65535);
    return text ? WindowText(text) : std::string("<no text control>");
}

bool CloseMessageBox(HWND box, DWORD timeoutMs) {
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
    return WaitUntil([&] { return !IsWindow(box); }, timeoutMs);
}

std::vector<std::string> ListEntries(const Product& product) {
    std::vector<std::string> entries;
    HWND list = product.Control(IDC_FILELIST);
    LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t buf[1024] = {};
        LRESULT len = SendMessageW(list, LB_GETTEXTLEN, i, 0);
        if (len < 0 || len >= 1024)
            entries.push_back("<length " + std::to_string(len) + ">");
        else {
            SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(buf));
            entries.push_back(Utf8(std::wstring(buf, static_cast<size_t>(len))));
        }
    }
    return entries;
}

std::string Joined(const std::vector<std::string>& items) {
    std::string out;
    for (const std::string& s : items)
        out += "[" + s + "]";
    return out;
}

// The texts come back through memory in the list's own process, since the message carries pointers.
std::vector<ListViewRow> ListViewRows(HWND list, int columns) {
    std::vector<ListViewRow> rows;
    DWORD pid = 0;
    GetWindowThreadProcessId(list, &pid);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (!process)
        return rows;
    constexpr int kChars = 512;
    auto* remote = static_cast<BYTE*>(
        VirtualAllocEx(process, nullptr, sizeof(LVITEMW) + kChars * sizeof(wchar_t), MEM_COMMIT, PAGE_READWRITE));
    const LRESULT count = remote ? SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) : 0;
    for (int row = 0; row < count; ++row) {
        ListViewRow seen;
        for (int column = 0; column < columns; ++column) {
            LVITEMW item{};
            item.iSubItem = column;
            item.pszText = reinterpret_cast<wchar_t*>(remote + sizeof(LVITEMW));
            item.cchTextMax = kChars;
            WriteProcessMemory(process, remote, &item, sizeof(item), nullptr);
            const LRESULT length = SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(remote));
            wchar_t text[kChars] = {};
            ReadProcessMemory(process, remote + sizeof(LVITEMW), text, sizeof(text) - sizeof(wchar_t), nullptr);
            seen.cells.push_back(Utf8(std::wstring(text, static_cast<size_t>(length > 0 ? length : 0))));
        }
        // The state image: 1 unchecked, 2 checked.
        seen.checked = (SendMessageW(list, LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK) >> 12) == 2;
        rows.push_back(seen);
    }
    if (remote)
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return rows;
}

std::string Joined(const std::vector<ListViewRow>& rows) {
    std::string out;
    for (const ListViewRow& row : rows) {
        out += row.checked ? "[x" : "[ ";
        for (const std::string& cell : row.cells)
            out += "|" + cell;
        out += "]";
    }
    return out;
}

void PressKeys(const std::vector<WORD>& keys, bool alt) {
    std::vector<INPUT> inputs;
    auto key = [&](WORD vk, bool up) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = vk;
        input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        inputs.push_back(input);
    };
    if (alt)
        key(VK_MENU, false);
    for (WORD vk : keys) {
        key(vk, false);
        key(vk, true);
    }
    if (alt)
        key(VK_MENU, true);
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

bool BringToFront(HWND window) {
    return WaitUntil(
        [&] {
            SetForegroundWindow(window);
            return GetForegroundWindow() == window;
        },
        3000, 50);
}

bool AwaitLaunched(const wchar_t* outName, const std::string& entry, Launched& child) {
    if (!ok(WaitForChild(OutFile(outName), child.record, bounds::kProcessStartMs), "no record from the child %s",
            Utf8(outName).c_str()))
        return false;
    ok(child.record.cmdline == entry, "%s: expected command line [%s], got [%s]", Utf8(outName).c_str(), entry.c_str(),
       child.record.cmdline.c_str());
    ok(child.record.flags & STARTF_USESHOWWINDOW, "%s: expected STARTF_USESHOWWINDOW in dwFlags, got 0x%lx",
       Utf8(outName).c_str(), child.record.flags);
    ok(child.record.show == SW_SHOWMINIMIZED, "%s: expected wShowWindow %d, got %d", Utf8(outName).c_str(),
       SW_SHOWMINIMIZED, child.record.show);
    ok(child.record.cmdShow == SW_SHOWMINIMIZED, "%s: expected nCmdShow %d, got %d", Utf8(outName).c_str(),
       SW_SHOWMINIMIZED, child.record.cmdShow);
    child.process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE, FALSE, child.record.pid);
    return ok(child.process != nullptr, "%s: cannot open pid %lu: error %lu", Utf8(outName).c_str(), child.record.pid,
              GetLastError());
}

bool ReadChild(const std::wstring& path, ChildRecord& record) {
    std::string content;
    if (!ReadWholeFile(path, content))
        return false;
    record = ChildRecord{};
    size_t pos = 0;
    while (pos < content.size()) {
        size_t end = content.find('\n', pos);
        if (end == std::string::npos)
            end = content.size();
        std::string line = content.substr(pos, end - pos);
        pos = end + 1;
        size_t eq = line.find('=');
        if (eq == std::string::npos)
            continue;
        std::string key = line.substr(0, eq), value = line.substr(eq + 1);
        if (key == "pid")
            record.pid = strtoul(value.c_str(), nullptr, 10);
        else if (key == "flags")
            record.flags = strtoul(value.c_str(), nullptr, 10);
        else if (key == "show")
            record.show = atoi(value.c_str());
        else if (key == "cmdshow")
            record.cmdShow = atoi(value.c_str());
        else if (key == "cmdline")
            record.cmdline = value;
        else if (key == "cwd")
            record.cwd = value;
        else if (key == "spawned")
            for (const char* p = value.c_str(); *p;) {
                char* next = nullptr;
                record.spawned.push_back(strtoul(p, &next, 10));
                p = *next ? next + 1 : next;
            }
    }
    return record.pid != 0;
}

// Explorer shows a notification as a top-level balloon tooltip, whose window text is the notification's text.
bool WaitForBalloon(const std::string& text, DWORD timeoutMs, std::string& shown) {
    return WaitUntil(
        [&] {
            std::string seen;
            const HWND balloon = FindTopLevel([&](HWND hwnd) {
                if (ClassName(hwnd) != "tooltips_class32" || !IsWindowVisible(hwnd) ||
                    (GetWindowLongW(hwnd, GWL_STYLE) & TTS_BALLOON) == 0)
                    return false;
                const std::string shownNow = WindowText(hwnd);
                seen.append(1, '[').append(shownNow).append(1, ']');
                return shownNow == text;
            });
            if (!seen.empty())
                shown = seen;
            return balloon != nullptr;
        },
        timeoutMs, 20);
}

bool WaitForChild(const std::wstring& path, ChildRecord& record, DWORD timeoutMs) {
    return WaitUntil([&] { return ReadChild(path, record); }, timeoutMs, 10);
}

Spawned SpawnChild(const std::wstring& outFile, const std::wstring& extra, DWORD creationFlags) {
    std::wstring exe = ChildExe();
    std::wstring cmd = L"\"" + exe + L"\" " + outFile + (extra.empty() ? L"" : L" " + extra);
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    Spawned s;
    if (CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, creationFlags, nullptr, nullptr, &si, &pi)) {
        CloseHandle(pi.hThread);
        s.process = pi.hProcess;
        s.pid = pi.dwProcessId;
    }
    return s;
}

void EndAndClose(HANDLE& process, UINT exitCode) {
    if (!process)
        return;
    if (StillRunning(process)) {
        TerminateProcess(process, exitCode);
        WaitForSingleObject(process, 5000);
    }
    CloseHandle(process);
    process = nullptr;
}

bool StillRunning(HANDLE process) {
    return process && WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
}

DWORD ExitCodeOf(HANDLE process) {
    DWORD code = 0xFFFFFFFF;
    if (process)
        GetExitCodeProcess(process, &code);
    return code;
}

std::string ChildEntry(const wchar_t* outName, const std::string& args) {
    std::string entry = "\"";
    entry += Utf8(ChildExe());
    entry += "\" ";
    entry += Utf8(OutFile(outName));
    if (!args.empty())
        entry += " " + args;
    return entry;
}

std::vector<Seen> CollectStatus(const Product& product, const std::string& until, DWORD timeoutMs) {
    std::vector<Seen> seen;
    WaitUntil(
        [&] {
            std::string text = product.Text(IDC_STATUS);
            if (seen.empty() || seen.back().text != text)
                seen.push_back({text, NowMs()});
            return text == until;
        },
        timeoutMs, 20);
    return seen;
}

std::string Join(const std::vector<Seen>& seen) {
    std::string out;
    for (const Seen& s : seen)
        out += (out.empty() ? "" : " | ") + s.text;
    return out.empty() ? "<nothing>" : out;
}

bool FollowsOrder(const std::vector<Seen>& seen, const std::vector<std::string>& allowed,
                  const std::vector<std::string>& required) {
    size_t next = 0;
    for (const Seen& s : seen) {
        while (next < allowed.size() && allowed[next] != s.text)
            ++next;
        if (next == allowed.size())
            return false;
    }
    for (const std::string& r : required)
        if (!Find(seen, r))
            return false;
    return true;
}

const Seen* Find(const std::vector<Seen>& seen, const std::string& text) {
    for (const Seen& s : seen)
        if (s.text == text)
            return &s;
    return nullptr;
}

}  // namespace kwt
