// The main window as Form1's view: the texts and states of its controls, the list box, the window's
// state, its dialogs, timer, tray menu and message boxes.
#include "platform/win32/main_window.h"

#include <cmath>
#include <vector>

#include "app/program_info.h"
#include "platform/win32/control_ids.h"
#include "platform/win32/main_window_internal.h"
#include "platform/win32/strings.h"

namespace kw::win32 {
namespace {

// The window is `owner` itself or owned by it, directly or through a dialog it owns.
bool OwnedBy(HWND window, HWND owner) {
    for (HWND w = window; w != nullptr; w = GetWindow(w, GW_OWNER)) {
        if (w == owner) {
            return true;
        }
    }
    return false;
}

BOOL CALLBACK CancelIfOwned(HWND window, LPARAM owner) {
    if (window != reinterpret_cast<HWND>(owner) && OwnedBy(window, reinterpret_cast<HWND>(owner))) {
        PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    }
    return TRUE;
}

}  // namespace

Hwnd MainWindow::hwnd() {
    return ToHwnd(hwnd_);
}

std::uint32_t MainWindow::icon() {
    return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(smallIcon_.get()));
}

void MainWindow::setCaption(const std::string& text) {
    SetWindowTextW(hwnd_, Widen(text).c_str());
}

void MainWindow::setText(ControlId id, const std::string& text) {
    SetWindowTextW(control(id), Widen(text).c_str());
}

std::string MainWindow::text(ControlId id) {
    return Narrow(WindowText(control(id)));
}

void MainWindow::setEnabled(ControlId id, bool enabled) {
    EnableWindow(control(id), enabled ? TRUE : FALSE);
}

int MainWindow::listCount() {
    const LRESULT count = SendMessageW(control(ControlId::filelist), LB_GETCOUNT, 0, 0);
    return count == LB_ERR ? 0 : static_cast<int>(count);
}

std::string MainWindow::listItem(int index) {
    HWND list = control(ControlId::filelist);
    const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR || length <= 0) {
        return {};
    }
    std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 1);
    const LRESULT copied =
        SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer.data()));
    if (copied == LB_ERR) {
        return {};
    }
    return Narrow(std::wstring_view(buffer.data(), static_cast<std::size_t>(copied)));
}

void MainWindow::listAdd(const std::string& text) {
    const std::wstring wide = Widen(text);
    SendMessageW(control(ControlId::filelist), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

int MainWindow::listIndex() {
    HWND list = control(ControlId::filelist);
    const LRESULT index = list != nullptr ? SendMessageW(list, LB_GETCURSEL, 0, 0) : LB_ERR;
    return index == LB_ERR ? -1 : static_cast<int>(index);
}

void MainWindow::listRemove(int index) {
    SendMessageW(control(ControlId::filelist), LB_DELETESTRING, static_cast<WPARAM>(index), 0);
}

void MainWindow::listInsert(int index, const std::string& text) {
    const std::wstring wide = Widen(text);
    SendMessageW(control(ControlId::filelist), LB_INSERTSTRING, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(wide.c_str()));
}

// Back to the pixels that the list's message carried.
LPARAM MainWindow::listPoint(float x, float y) const {
    const auto px = static_cast<int>(std::lrint(x * static_cast<float>(dpiX_) / 1440.0f));
    const auto py = static_cast<int>(std::lrint(y * static_cast<float>(dpiY_) / 1440.0f));
    return MAKELPARAM(px, py);
}

// LB_ITEMFROMPOINT names the nearest entry, also below the last one; only a point inside that entry's
// rectangle is on it.
int MainWindow::listItemAt(float x, float y) {
    HWND list = control(ControlId::filelist);
    if (list == nullptr) {
        return -1;
    }
    const LPARAM at = listPoint(x, y);
    const LRESULT hit = SendMessageW(list, LB_ITEMFROMPOINT, 0, at);
    const int index = LOWORD(hit);
    RECT entry{};
    if (HIWORD(hit) != 0 ||
        SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&entry)) == LB_ERR) {
        return -1;
    }
    const POINT point{static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
    return PtInRect(&entry, point) ? index : -1;
}

void MainWindow::listSelect(int index) {
    SendMessageW(control(ControlId::filelist), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

// The list box's own button messages, sent: it handles them before this returns, as it would a left
// click of the user's there. No input is made, so nothing waits for the system to deliver it.
void MainWindow::listClick(float x, float y) {
    HWND list = control(ControlId::filelist);
    if (list == nullptr) {
        return;
    }
    const LPARAM at = listPoint(x, y);
    SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(list, WM_LBUTTONUP, 0, at);
}

WindowState MainWindow::windowState() {
    if (hwnd_ != nullptr && (IsIconic(hwnd_) || (minimizedHidden_ && !IsWindowVisible(hwnd_)))) {
        return vbMinimized;
    }
    return vbNormal;
}

void MainWindow::setWindowState(WindowState state) {
    minimizedHidden_ = false;
    switch (state) {
        case vbMinimized:
            // ShowWindow would bring a hidden window up minimised, with a taskbar button, for a moment.
            if (IsWindowVisible(hwnd_)) {
                ShowWindow(hwnd_, SW_MINIMIZE);
            } else {
                minimizedHidden_ = true;
            }
            break;
        case vbNormal:
            if (IsIconic(hwnd_)) {
                ShowWindow(hwnd_, SW_RESTORE);
            }
            break;
    }
}

void MainWindow::show() {
    ShowWindow(hwnd_, minimizedHidden_ ? SW_SHOWMINIMIZED : SW_SHOW);
    minimizedHidden_ = false;
    // Brought back from the tray, the window belongs in front, with the keyboard.
    SetForegroundWindow(hwnd_);
}

void MainWindow::hide() {
    if (IsWindowVisible(hwnd_)) {
        ShowWindow(hwnd_, SW_HIDE);
    }
}

void MainWindow::unload() {
    if (hwnd_ != nullptr) {
        DestroyWindow(hwnd_);
    }
}

// Message boxes, the input box and the open-file dialog are dialogs: each ends on IDCANCEL as on Escape,
// and its modal loop returns to the handler that opened it. Posted, so that a box inside another closes
// from its own loop first.
void MainWindow::closeDialogs() {
    if (hwnd_ == nullptr) {
        return;
    }
    EnumThreadWindows(GetCurrentThreadId(), CancelIfOwned, reinterpret_cast<LPARAM>(hwnd_));
}

// GetMessagePos: where the pointer stood when the message was sent, not where it is now.
bool MainWindow::pointerAt(std::int32_t x, std::int32_t y) {
    const DWORD sentAt = GetMessagePos();
    POINT at{static_cast<short>(LOWORD(sentAt)), static_cast<short>(HIWORD(sentAt))};
    return hwnd_ != nullptr && ScreenToClient(hwnd_, &at) && at.x == x && at.y == y;
}

bool MainWindow::startTimer(std::uint32_t milliseconds) {
    return SetTimer(hwnd_, kTimerId, milliseconds, nullptr) != 0;
}

MenuItem MainWindow::popupMenu() {
    POINT at{};
    GetCursorPos(&at);
    // Without the foreground the menu would not close when the user clicks elsewhere, and without the
    // message after it the next click on the icon would close it at once.
    SetForegroundWindow(hwnd_);
    const UINT chosen = static_cast<UINT>(TrackPopupMenu(
        GetSubMenu(menu_.get(), 0), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, at.x,
        at.y, 0, hwnd_, nullptr));
    PostMessageW(hwnd_, WM_NULL, 0, 0);
    if (chosen == IDM_TRAY_NAME) {
        return MenuItem::mnu_name;
    }
    return chosen == IDM_TRAY_QUIT ? MenuItem::mnu_quit : MenuItem::none;
}

void MainWindow::messageBox(const std::string& text, int style, const std::string& title) {
    const std::wstring caption = title.empty() ? Widen(program::kTitle) : Widen(title);
    MessageBoxW(hwnd_, Widen(text).c_str(), caption.c_str(), static_cast<UINT>(style) | MB_OK);
}

}  // namespace kw::win32
