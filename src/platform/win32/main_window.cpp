#include "platform/win32/main_window.h"

#include <commctrl.h>

#include <vector>

#include "app/program_info.h"
#include "platform/win32/control_ids.h"
#include "platform/win32/handles.h"
#include "platform/win32/strings.h"
#include "ui/form1.h"
#include "ui/layout.h"

namespace kw::win32 {
namespace {

constexpr wchar_t kClassName[] = L"" KW_MAIN_WINDOW_CLASS;
constexpr DWORD kFrameStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr UINT_PTR kTimerId = 1;
constexpr UINT_PTR kText1SubclassId = 1;
constexpr UINT_PTR kFilelistSubclassId = 2;
constexpr UINT kDropMessage = WM_APP + 1;
constexpr int kFontPoints = 8;
constexpr UINT kMenuName = 1;  // the command IDs of the tray menu's items
constexpr UINT kMenuQuit = 2;

// Window IDs in the order of ControlId.
constexpr int kWindowIds[] = {IDC_LABEL1, IDC_FILELIST, IDC_COMMAND1, IDC_COMMAND2, IDC_COMMAND3, IDC_COMMAND5,
                              IDC_LABEL2, IDC_TEXT1,    IDC_AKTIV,    IDC_COMMAND4, IDC_STATUS};
static_assert(std::size(kWindowIds) == kControlCount);

std::size_t IndexOf(ControlId id) {
    return static_cast<std::size_t>(id);
}

struct ControlClass {
    const wchar_t* name;
    DWORD style;
    DWORD exStyle;
};

ControlClass ClassFor(layout::Kind kind) {
    switch (kind) {
        case layout::Kind::ListBox:
            return {L"LISTBOX", WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, WS_EX_CLIENTEDGE};
        case layout::Kind::Button: return {L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON, 0};
        case layout::Kind::TextBox: return {L"EDIT", WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
        case layout::Kind::Label: break;
    }
    // SS_LEFT wraps at word boundaries; the captions are plain text, so "&" must not mark a key.
    return {L"STATIC", SS_LEFT | SS_NOPREFIX, 0};
}

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

// Hands a control's message on to its own procedure once our handler has run. The handler may have ended
// the program meanwhile (a message box whose loop ran "Beenden" from the tray, the events passed during a
// right click): the control is destroyed then, and nothing may run on it any more.
LRESULT PassOn(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    return IsWindow(control) ? DefSubclassProc(control, message, wParam, lParam) : 0;
}

}  // namespace

MainWindow::MainWindow(HINSTANCE instance)
    : instance_(instance), dropTarget_([this](DropData dropped) {
          drops_.push_back(std::move(dropped));
          PostMessageW(hwnd_, kDropMessage, 0, 0);
      }) {}

MainWindow::~MainWindow() {
    if (hwnd_ != nullptr) {
        DestroyWindow(hwnd_);
    }
    if (oleInitialized_) {
        OleUninitialize();
    }
}

bool MainWindow::registerClass() {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance_;
    // LR_SHARED: the system owns the icons and frees them with the module.
    windowClass.hIcon =
        static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(IDI_KOPPLUNGSWACHT), IMAGE_ICON,
                                      GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), LR_SHARED));
    // The small image is also the tray icon.
    smallIcon_ =
        static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(IDI_KOPPLUNGSWACHT), IMAGE_ICON,
                                      GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    windowClass.hIconSm = smallIcon_;
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kClassName;
    return RegisterClassExW(&windowClass) != 0;
}

bool MainWindow::create(Form1& form) {
    form_ = &form;
    if (!registerClass()) {
        return false;
    }
    // The window is laid out for the screen's resolution; the manifest declares the program DPI-aware,
    // so the system does not scale it a second time.
    HDC screen = GetDC(nullptr);
    const int dpiX = GetDeviceCaps(screen, LOGPIXELSX);
    const int dpiY = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    dpiX_ = dpiX;
    dpiY_ = dpiY;

    RECT frame{0, 0, layout::TwipsToPixels(layout::kClientWidth, dpiX),
               layout::TwipsToPixels(layout::kClientHeight, dpiY)};
    AdjustWindowRectEx(&frame, kFrameStyle, FALSE, 0);
    if (CreateWindowExW(0, kClassName, Widen(program::kTitle).c_str(), kFrameStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                        frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance_,
                        this) == nullptr) {
        return false;
    }
    font_.reset(CreateFontW(-MulDiv(kFontPoints, dpiY, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                            OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                            L"MS Shell Dlg"));
    createControls(dpiX, dpiY);
    createMenu();
    // The caption bar's menu offers the adapter choice: the window's layout and the tray menu stay as they are.
    HMENU systemMenu = GetSystemMenu(hwnd_, FALSE);
    AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(systemMenu, MF_STRING, IDM_ADAPTER, L"Netzwerk&adapter...");
    focus_ = control(ControlId::filelist);
    taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
    // Drops from the shell arrive through OLE, which this thread must have initialised first.
    oleInitialized_ = SUCCEEDED(OleInitialize(nullptr));
    if (oleInitialized_) {
        RegisterDragDrop(control(ControlId::filelist), &dropTarget_);
    }
    return true;
}

void MainWindow::createMenu() {
    menu_.reset(CreatePopupMenu());
    AppendMenuW(menu_.get(), MF_STRING, kMenuName, L"Kopplungswacht");
    AppendMenuW(menu_.get(), MF_SEPARATOR | MF_GRAYED, 0, nullptr);
    AppendMenuW(menu_.get(), MF_STRING, kMenuQuit, L"Beenden");
}

void MainWindow::createControls(int dpiX, int dpiY) {
    // Creation order is the tab order of the dialog manager.
    for (const layout::ControlDesign& design : layout::InTabOrder()) {
        const ControlClass kind = ClassFor(design.kind);
        const int id = kWindowIds[IndexOf(design.id)];
        HWND child =
            CreateWindowExW(kind.exStyle, kind.name, Widen(design.caption).c_str(),
                            WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | kind.style,
                            layout::TwipsToPixels(design.left, dpiX), layout::TwipsToPixels(design.top, dpiY),
                            layout::TwipsToPixels(design.width, dpiX), layout::TwipsToPixels(design.height, dpiY),
                            hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
        controls_[IndexOf(design.id)] = child;
    }
    // Some labels reach into the list box, the text box or the next label by a pixel or two; beneath the
    // controls that take input they never hide them, and among themselves the lower one is in front.
    // Labels take no focus, so the tab order stays as it is.
    for (const layout::ControlDesign& design : layout::LabelsFrontToBack()) {
        SetWindowPos(control(design.id), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    SetWindowSubclass(control(ControlId::Text1), Text1Proc, kText1SubclassId, reinterpret_cast<DWORD_PTR>(this));
    SetWindowSubclass(control(ControlId::filelist), FilelistProc, kFilelistSubclassId,
                      reinterpret_cast<DWORD_PTR>(this));
}

HWND MainWindow::control(ControlId id) const {
    return controls_[IndexOf(id)];
}

LRESULT CALLBACK MainWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        self->controls_.fill(nullptr);
        self->focus_ = nullptr;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return self->handleMessage(message, wParam, lParam);
}

LRESULT MainWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == taskbarCreated_ && taskbarCreated_ != 0) {
        if (form_ != nullptr) {
            form_->Form_TaskbarCreated();
        }
        return 0;
    }
    switch (message) {
        case WM_TIMER:
            if (wParam == kTimerId && form_ != nullptr) {
                form_->Timer1_Timer();
            }
            return 0;
        case WM_COMMAND: onCommand(LOWORD(wParam), HIWORD(wParam)); return 0;
        case WM_SYSCOMMAND:
            // The low four bits are the system's own.
            if ((wParam & 0xFFF0) == IDM_ADAPTER) {
                if (form_ != nullptr) {
                    form_->mnu_adapter_Click();
                }
                return 0;
            }
            break;
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                HWND focused = GetFocus();
                if (focused != nullptr && IsChild(hwnd_, focused)) {
                    focus_ = focused;
                }
            }
            break;
        case WM_SETFOCUS:
            // A plain window, unlike a dialog, would keep the focus itself and leave the keyboard dead.
            if (focus_ != nullptr && IsWindow(focus_)) {
                SetFocus(focus_);
            }
            return 0;
        case WM_MOUSEMOVE:
            // Also the tray icon's callback: its identifier in wParam, the mouse message in lParam.
            if (form_ != nullptr) {
                form_->Form_MouseMove(static_cast<std::uint32_t>(wParam), static_cast<std::uint32_t>(lParam));
            }
            return 0;
        case WM_CLOSE:
            // Form1 decides when the window goes (not in the middle of a tick) and calls unload().
            if (form_ != nullptr) {
                form_->Unload();
            }
            return 0;
        case WM_QUERYENDSESSION: return TRUE;
        case WM_ENDSESSION:
            // The process may be ended as soon as this returns: the unload deletes the icon before that.
            if (wParam != FALSE && form_ != nullptr) {
                form_->Unload();
            }
            return 0;
        case kDropMessage:
            if (!drops_.empty()) {
                const DropData dropped = std::move(drops_.front());
                drops_.pop_front();
                if (form_ != nullptr) {
                    form_->filelist_OLEDragDrop(dropped);
                }
            }
            return 0;
        case WM_DESTROY:
            // The list box is still there; its registration must go before it does.
            RevokeDragDrop(control(ControlId::filelist));
            KillTimer(hwnd_, kTimerId);
            PostQuitMessage(0);
            return 0;
        default: break;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

void MainWindow::onCommand(WORD id, WORD code) {
    // IDOK and IDCANCEL, which the dialog manager sends for Enter and Escape, land here and do nothing:
    // the window has no default and no cancel button.
    if (form_ == nullptr) {
        return;
    }
    if (id == IDC_FILELIST && code == LBN_DBLCLK) {
        form_->filelist_DblClick();
        return;
    }
    if (code != BN_CLICKED) {
        return;
    }
    if (id == IDC_COMMAND1) {
        form_->Command1_Click();
    } else if (id == IDC_COMMAND2) {
        form_->Command2_Click();
    } else if (id == IDC_COMMAND3) {
        form_->Command3_Click();
    } else if (id == IDC_COMMAND4) {
        form_->Command4_Click();
    } else if (id == IDC_COMMAND5) {
        form_->Command5_Click();
    }
}

LRESULT CALLBACK MainWindow::Text1Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                       DWORD_PTR self) {
    auto* owner = reinterpret_cast<MainWindow*>(self);
    switch (message) {
        case WM_GETDLGCODE: {
            // Enter belongs to the text box (it stores the delay), so the dialog manager must not take it.
            LRESULT code = DefSubclassProc(window, message, wParam, lParam);
            const auto* pending = reinterpret_cast<const MSG*>(lParam);
            if (pending != nullptr && pending->wParam == VK_RETURN &&
                (pending->message == WM_KEYDOWN || pending->message == WM_CHAR)) {
                code |= DLGC_WANTALLKEYS;
            }
            return code;
        }
        case WM_CHAR:
            if (owner->form_ != nullptr) {
                auto key = static_cast<std::int16_t>(wParam);
                owner->form_->Text1_KeyPress(key);
            }
            return PassOn(window, message, wParam, lParam);
        case WM_NCDESTROY: RemoveWindowSubclass(window, Text1Proc, kText1SubclassId); break;
        default: break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

Hwnd MainWindow::hwnd() {
    return ToHwnd(hwnd_);
}

std::uint32_t MainWindow::icon() {
    return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(smallIcon_));
}

LRESULT CALLBACK MainWindow::FilelistProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                          DWORD_PTR self) {
    auto* owner = reinterpret_cast<MainWindow*>(self);
    switch (message) {
        case WM_KEYUP:
            if (owner->form_ != nullptr) {
                owner->form_->filelist_KeyUp(static_cast<std::int16_t>(wParam));
            }
            break;
        case WM_LBUTTONUP: owner->onListMouseUp(vbLeftButton, lParam); break;
        case WM_RBUTTONUP: owner->onListMouseUp(vbRightButton, lParam); break;
        case WM_MBUTTONUP: owner->onListMouseUp(vbMiddleButton, lParam); break;
        case WM_NCDESTROY: RemoveWindowSubclass(window, FilelistProc, kFilelistSubclassId); break;
        default: break;
    }
    return PassOn(window, message, wParam, lParam);
}

// The handler takes the position in twips.
void MainWindow::onListMouseUp(std::int16_t button, LPARAM lParam) {
    if (form_ == nullptr) {
        return;
    }
    const float x = static_cast<float>(static_cast<short>(LOWORD(lParam))) * 1440.0f / static_cast<float>(dpiX_);
    const float y = static_cast<float>(static_cast<short>(HIWORD(lParam))) * 1440.0f / static_cast<float>(dpiY_);
    form_->filelist_MouseUp(button, x, y);
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
    const UINT chosen = static_cast<UINT>(
        TrackPopupMenu(menu_.get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, at.x,
                       at.y, 0, hwnd_, nullptr));
    PostMessageW(hwnd_, WM_NULL, 0, 0);
    if (chosen == kMenuName) {
        return MenuItem::mnu_name;
    }
    return chosen == kMenuQuit ? MenuItem::mnu_quit : MenuItem::none;
}

void MainWindow::messageBox(const std::string& text, int style, const std::string& title) {
    const std::wstring caption = title.empty() ? Widen(program::kTitle) : Widen(title);
    MessageBoxW(hwnd_, Widen(text).c_str(), caption.c_str(), static_cast<UINT>(style) | MB_OK);
}

}  // namespace kw::win32
