// The product and the programs around it, seen from the test driver: the product's process and window,
// message boxes, the texts it shows, and the kwchild.exe copies that record how they were started.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "bounds.h"
#include "shown_texts.h"

namespace kwt {

// ---- the product ----
class Product {
public:
    Product() = default;
    Product(const Product&) = delete;
    Product& operator=(const Product&) = delete;
    ~Product() { Kill(); }

    // Starts the exe and waits for its main window (the top-level window that owns the program list).
    bool Start(const std::wstring& exe, DWORD timeoutMs = bounds::kProcessStartMs);
    void Kill();

    HWND window() const { return window_; }
    DWORD pid() const { return pid_; }
    HANDLE process() const { return process_; }
    // Brings the window back from the tray as a left click on the icon does, and waits until it shows.
    bool Restore() const;
    HWND Control(int id) const;
    std::string Text(int id) const;
    bool Alive() const;

private:
    PROCESS_INFORMATION pi_{};
    HANDLE process_ = nullptr;
    DWORD pid_ = 0;
    HWND window_ = nullptr;
};

// Asks the shell whether it holds the icon of `window` with `id`: a modify that changes nothing
// succeeds only for an icon the shell has.
bool ShellHoldsIcon(HWND window, UINT id);

std::string WindowText(HWND hwnd);
HWND FindTopLevel(DWORD pid, const std::function<bool(HWND)>& match);
// The same over the windows of every process.
HWND FindTopLevel(const std::function<bool(HWND)>& match);
std::string ClassName(HWND hwnd);
// A popup menu that shows, and the one that a process shows, or null.
bool IsOpenMenu(HWND hwnd);
HWND OpenMenu(DWORD pid);
// The top-level windows of a process, for failure messages.
std::string DescribeWindows(DWORD pid);
// A message box of the given process with the given title, or null after the timeout.
HWND WaitForMessageBox(DWORD pid, const std::string& title, DWORD timeoutMs);
std::string MessageBoxText(HWND box);
bool CloseMessageBox(HWND box, DWORD timeoutMs = 2000);

// The entries of the program list as the window shows them, and a list as "[a][b]" for messages.
std::vector<std::string> ListEntries(const Product& product);
std::string Joined(const std::vector<std::string>& items);

// A report-view list of another process: its rows' texts, column by column, and whether each is checked.
struct ListViewRow {
    std::vector<std::string> cells;
    bool checked = false;
};
std::vector<ListViewRow> ListViewRows(HWND list, int columns);
std::string Joined(const std::vector<ListViewRow>& rows);

// Key presses, as the user types them, to the foreground window; `alt` holds Alt down around them.
void PressKeys(const std::vector<WORD>& keys, bool alt = false);
bool BringToFront(HWND window);

// ---- programs started by the product or by the test ----
struct ChildRecord {
    DWORD pid = 0;
    DWORD flags = 0;
    int show = -1;
    int cmdShow = -1;
    std::string cmdline;
    std::string cwd;
    std::vector<DWORD> spawned;
};
bool ReadChild(const std::wstring& path, ChildRecord& record);
bool WaitForChild(const std::wstring& path, ChildRecord& record, DWORD timeoutMs);

// A kwchild.exe launched by the product, opened by the test by the process ID the child reported.
struct Launched {
    ChildRecord record;
    HANDLE process = nullptr;
};
// Waits for the child's record and checks that it was started minimised with `entry` as its command line.
bool AwaitLaunched(const wchar_t* outName, const std::string& entry, Launched& child);

// The text of a notification that the shell shows (a balloon), once one shows `text`; else what showed.
bool WaitForBalloon(const std::string& text, DWORD timeoutMs, std::string& shown);

// A kwchild.exe started by the test itself (not by the product).
struct Spawned {
    HANDLE process = nullptr;
    DWORD pid = 0;
};
Spawned SpawnChild(const std::wstring& outFile, const std::wstring& extra = L"", DWORD creationFlags = 0);
void EndAndClose(HANDLE& process, UINT exitCode);
bool StillRunning(HANDLE process);
DWORD ExitCodeOf(HANDLE process);

// ---- what the product shows: the texts that the unit tests expect too ----
using namespace kw::test;

// A list entry that has the product launch kwchild.exe, recording into KWT_OUT_DIR\<outName>.
std::string ChildEntry(const wchar_t* outName, const std::string& args = "");

// The status texts seen while polling every 20 ms, each with the moment it was first seen.
struct Seen {
    std::string text;
    double atMs;
};
std::vector<Seen> CollectStatus(const Product& product, const std::string& until, DWORD timeoutMs);
std::string Join(const std::vector<Seen>& seen);
// True when `seen` shows only texts of `allowed`, in its order, and every text of `required`.
bool FollowsOrder(const std::vector<Seen>& seen, const std::vector<std::string>& allowed,
                  const std::vector<std::string>& required);
const Seen* Find(const std::vector<Seen>& seen, const std::string& text);

}  // namespace kwt
